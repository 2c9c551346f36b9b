#include "configtab.h"

#include "configuration.h"
#include "enterpress.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Last-directory indices: 0 Maya, 1 Mental Ray, then one per shader row.
constexpr int mayaIndex = 0;
constexpr int mrIndex = 1;
constexpr int firstRowIndex = 2;

QPushButton *newBrowseButton()
{
    auto *button = new QPushButton(QStringLiteral("..."));
    button->setMaximumSize(35, 20);
    // Enter in a field must not open a folder dialog.
    button->setAutoDefault(false);
    pressOnEnter(button);
    return button;
}

QGroupBox *directoryGroup(const QString &title, const QString &labelText, QLineEdit *edit,
                          QPushButton *button)
{
    auto *group = new QGroupBox(title);
    auto *row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(button);
    auto *label = new QLabel(labelText);
    label->setBuddy(edit);
    edit->setAccessibleName(labelText);
    auto *box = new QVBoxLayout;
    box->addWidget(label);
    box->addLayout(row);
    group->setLayout(box);
    return group;
}
}

const ConfigTab::TextSlot ConfigTab::rowPathSlots[rowCount] = {
    qOverload<const QString &>(&ConfigTab::shaderPath0),
    qOverload<const QString &>(&ConfigTab::shaderPath1),
    qOverload<const QString &>(&ConfigTab::shaderPath2),
    qOverload<const QString &>(&ConfigTab::shaderPath3),
    qOverload<const QString &>(&ConfigTab::shaderPath4)};

ConfigTab::ConfigTab(QWidget *parent)
    : QWidget(parent)
{
    using Browse = QString (ConfigTab::*)();
    using Mandatory = bool (ConfigTab::*)(const QString &);
    const Browse browseSlots[rowCount] = {
        qOverload<>(&ConfigTab::shaderPath0), qOverload<>(&ConfigTab::shaderPath1),
        qOverload<>(&ConfigTab::shaderPath2), qOverload<>(&ConfigTab::shaderPath3),
        qOverload<>(&ConfigTab::shaderPath4)};
    const Mandatory mandatorySlots[rowCount] = {
        &ConfigTab::shaderMandatory0, &ConfigTab::shaderMandatory1, &ConfigTab::shaderMandatory2,
        &ConfigTab::shaderMandatory3, &ConfigTab::shaderMandatory4};

    // Every text is set before its connection: building the tab stores nothing.
    mayaPathEdit = new QLineEdit;
    mayaPathEdit->setObjectName(QStringLiteral("mayaPathEdit"));
    if (!Configuration::mayaPath.isEmpty())
        mayaPathEdit->setText(Configuration::mayaPath);
    connect(mayaPathEdit, &QLineEdit::textChanged, this,
            qOverload<const QString &>(&ConfigTab::mayaPath));
    QPushButton *mayaButton = newBrowseButton();
    mayaButton->setObjectName(QStringLiteral("mayaPathButton"));
    connect(mayaButton, &QPushButton::clicked, this, qOverload<>(&ConfigTab::mayaPath));

    mrPathEdit = new QLineEdit;
    mrPathEdit->setObjectName(QStringLiteral("mrPathEdit"));
    if (!Configuration::mrPath.isEmpty())
        mrPathEdit->setText(Configuration::mrPath);
    connect(mrPathEdit, &QLineEdit::textChanged, this,
            qOverload<const QString &>(&ConfigTab::mrPath));
    QPushButton *mrButton = newBrowseButton();
    mrButton->setObjectName(QStringLiteral("mrPathButton"));
    connect(mrButton, &QPushButton::clicked, this, qOverload<>(&ConfigTab::mrPath));

    const QString savedAsTyped = tr("Enregistré dans init.txt à chaque frappe.");
    mayaPathEdit->setToolTip(savedAsTyped);
    mrPathEdit->setToolTip(savedAsTyped);

    QGroupBox *mayaGroup = directoryGroup(tr("Maya"), tr("Chemin de Maya"), mayaPathEdit, mayaButton);
    QGroupBox *mrGroup = directoryGroup(tr("Mental Ray"), tr("Chemin de Mental Ray"), mrPathEdit,
                                        mrButton);

    auto *shaderGroup = new QGroupBox(tr("Shader MR"));
    auto *shaderBox = new QVBoxLayout;
    shaderBox->addWidget(
        new QLabel(tr("Donnez l'extension, le chemin et l'obligation pour chaque extension")));
    // A row reaches init.txt only through the save button, unlike the
    // directories above: each of its fields says so.
    const QString savedBySave = tr("Enregistré par « Sauvegarde ».");
    const QString extensionTip =
        tr("Extension : le fichier du Shader dont le nom la contient est copié par cette ligne.");
    const QString destinationTip =
        tr("Répertoire de destination : le fichier y est copié, sans jamais en remplacer un.");
    const QString mandatoryTip = tr("Fichier obligatoire : « oui », une copie impossible fait "
                                    "échouer l'installation ; « non », elle donne un avertissement.");
    QPushButton *rowButtons[rowCount];
    const QVector<ShaderFileRow> noRows;
    const QVector<ShaderFileRow> &rows =
        Configuration::shaderTypes.isEmpty() ? noRows : Configuration::shaderTypes.first().rows;
    for (int n = 0; n < rowCount; ++n) {
        destinationEdit[n] = new QLineEdit;
        destinationEdit[n]->setObjectName(QStringLiteral("destinationEdit%1").arg(n));
        extensionEdit[n] = new QLineEdit;
        extensionEdit[n]->setObjectName(QStringLiteral("extensionEdit%1").arg(n));
        rowButtons[n] = newBrowseButton();
        rowButtons[n]->setObjectName(QStringLiteral("shaderPathButton%1").arg(n));
        auto *rowLayout = new QHBoxLayout;
        mandatoryCombo[n] = new QComboBox;
        mandatoryCombo[n]->setObjectName(QStringLiteral("mandatoryCombo%1").arg(n));

        extensionEdit[n]->setMaximumSize(45, 20);
        // The limit comes before the text, so a longer configured extension
        // shows cut (it is stored cut only once the user edits it).
        extensionEdit[n]->setMaxLength(7);
        mandatoryCombo[n]->addItem(tr("non"));
        mandatoryCombo[n]->addItem(tr("oui"));
        mandatoryCombo[n]->setEditable(false);
        extensionEdit[n]->setToolTip(extensionTip + u'\n' + savedBySave);
        destinationEdit[n]->setToolTip(destinationTip + u'\n' + savedBySave);
        mandatoryCombo[n]->setToolTip(mandatoryTip + u'\n' + savedBySave);

        rowLayout->addWidget(extensionEdit[n]);
        rowLayout->addWidget(destinationEdit[n]);
        rowLayout->addWidget(rowButtons[n]);
        rowLayout->addWidget(mandatoryCombo[n]);

        if (n < rows.size()) {
            destinationEdit[n]->setText(rows.at(n).path);
            extensionEdit[n]->setText(rows.at(n).extension);
            mandatoryCombo[n]->setCurrentIndex(rows.at(n).mandatory ? 1 : 0);
        } else {
            // A row the configuration does not hold cannot be edited.
            for (QWidget *widget : {static_cast<QWidget *>(extensionEdit[n]),
                                    static_cast<QWidget *>(destinationEdit[n]),
                                    static_cast<QWidget *>(rowButtons[n]),
                                    static_cast<QWidget *>(mandatoryCombo[n])})
                widget->setEnabled(false);
        }
        shaderBox->addLayout(rowLayout);
    }
    for (int n = 0; n < rowCount; ++n)
        connect(rowButtons[n], &QPushButton::clicked, this, browseSlots[n]);
    for (int n = 0; n < rowCount; ++n)
        connect(destinationEdit[n], &QLineEdit::textChanged, this, rowPathSlots[n]);
    for (int n = 0; n < rowCount; ++n)
        connect(mandatoryCombo[n], &QComboBox::textHighlighted, this, mandatorySlots[n]);
    // A new extension or mandatory choice is stored on its own too, so that
    // "Sauvegarde" saves the row the user sees.
    for (int n = 0; n < rowCount; ++n) {
        // Emitted before textChanged, so the store below sees the flag.
        connect(extensionEdit[n], &QLineEdit::textEdited, this,
                [this, n] { extensionEdited[n] = true; });
        connect(extensionEdit[n], &QLineEdit::textChanged, this,
                [this, n] { storeRow(n, destinationEdit[n]->text()); });
        connect(mandatoryCombo[n], &QComboBox::currentIndexChanged, this,
                [this, n] { storeRow(n, destinationEdit[n]->text()); });
    }
    shaderGroup->setLayout(shaderBox);

    auto *saveButton = new QPushButton(tr("Sauvegarde"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    connect(saveButton, &QPushButton::clicked, this, &ConfigTab::saveShader);


    auto *layout = new QVBoxLayout;
    layout->addWidget(mayaGroup);
    layout->addWidget(mrGroup);
    layout->addWidget(shaderGroup);
    layout->addWidget(saveButton);
    layout->addStretch(1);
    setLayout(layout);

    // The keyboard goes through a row the way it reads, left to right.
    QWidget *previous = mrButton;
    setTabOrder(mayaPathEdit, mayaButton);
    setTabOrder(mayaButton, mrPathEdit);
    setTabOrder(mrPathEdit, mrButton);
    for (int n = 0; n < rowCount; ++n) {
        for (QWidget *widget : {static_cast<QWidget *>(extensionEdit[n]),
                                static_cast<QWidget *>(destinationEdit[n]),
                                static_cast<QWidget *>(rowButtons[n]),
                                static_cast<QWidget *>(mandatoryCombo[n])}) {
            setTabOrder(previous, widget);
            previous = widget;
        }
        extensionEdit[n]->setAccessibleName(tr("Extension %1").arg(n + 1));
        destinationEdit[n]->setAccessibleName(tr("Chemin %1").arg(n + 1));
        rowButtons[n]->setAccessibleName(tr("Parcourir"));
        mandatoryCombo[n]->setAccessibleName(tr("Obligation %1").arg(n + 1));
    }
    setTabOrder(previous, saveButton);
    mayaButton->setAccessibleName(tr("Parcourir"));
    mrButton->setAccessibleName(tr("Parcourir"));
}

QString ConfigTab::browse(int lastDirectoryIndex, QLineEdit *edit, TextSlot textSlot)
{
    const QString directory = QFileDialog::getExistingDirectory(
        this, tr("Sélectionner un répertoire"), Configuration::lastDirectory(lastDirectoryIndex),
        QFileDialog::ShowDirsOnly);
    if (directory.isEmpty())
        return directory;
    edit->setText(directory);
    // Also when the text did not change and textChanged stayed silent.
    (this->*textSlot)(directory);
    Configuration::setLastDirectory(directory, lastDirectoryIndex);
    return directory;
}

QString ConfigTab::browseRow(int row)
{
    return browse(firstRowIndex + row, destinationEdit[row], rowPathSlots[row]);
}

QString ConfigTab::storeRow(int row, const QString &destination)
{
    // The edit may show a longer configured extension cut: until the user
    // edits it, the configured one is stored.
    QString extension = extensionEdit[row]->text();
    if (!extensionEdited[row] && !Configuration::shaderTypes.isEmpty()
        && row < Configuration::shaderTypes.constFirst().rows.size())
        extension = Configuration::shaderTypes.constFirst().rows.at(row).extension;
    // An empty extension or destination stores nothing: the configuration
    // keeps the last complete row.
    if (!extension.isEmpty() && !destination.isEmpty())
        Configuration::setShaderFileRow(0, row, extension, destination,
                                        mandatoryCombo[row]->currentIndex() != 0);
    return destination;
}

QString ConfigTab::mayaPath()
{
    return browse(mayaIndex, mayaPathEdit, qOverload<const QString &>(&ConfigTab::mayaPath));
}

QString ConfigTab::mayaPath(const QString &maya_path)
{
    Configuration::setMayaPath(maya_path);
    return maya_path;
}

QString ConfigTab::mrPath()
{
    return browse(mrIndex, mrPathEdit, qOverload<const QString &>(&ConfigTab::mrPath));
}

QString ConfigTab::mrPath(const QString &mr_path)
{
    Configuration::setMrPath(mr_path);
    return mr_path;
}

QString ConfigTab::shaderPath0() { return browseRow(0); }
QString ConfigTab::shaderPath1() { return browseRow(1); }
QString ConfigTab::shaderPath2() { return browseRow(2); }
QString ConfigTab::shaderPath3() { return browseRow(3); }
QString ConfigTab::shaderPath4() { return browseRow(4); }

QString ConfigTab::shaderPath0(const QString &shaderPath) { return storeRow(0, shaderPath); }
QString ConfigTab::shaderPath1(const QString &shaderPath) { return storeRow(1, shaderPath); }
QString ConfigTab::shaderPath2(const QString &shaderPath) { return storeRow(2, shaderPath); }
QString ConfigTab::shaderPath3(const QString &shaderPath) { return storeRow(3, shaderPath); }
QString ConfigTab::shaderPath4(const QString &shaderPath) { return storeRow(4, shaderPath); }

bool ConfigTab::shaderMandatory0(const QString &) { return true; }
bool ConfigTab::shaderMandatory1(const QString &) { return true; }
bool ConfigTab::shaderMandatory2(const QString &) { return true; }
bool ConfigTab::shaderMandatory3(const QString &) { return true; }
bool ConfigTab::shaderMandatory4(const QString &) { return true; }

bool ConfigTab::saveShader()
{
    Configuration::save();
    return true;
}

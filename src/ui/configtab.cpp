#include "configtab.h"

#include "config/configuration.h"
#include "enterpress.h"
#include "messageboxreporter.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *newBrowseButton()
{
    auto *button = new QPushButton(QStringLiteral("..."));
    button->setMaximumSize(35, 20);
    // Enter in a field must not open a folder dialog.
    button->setAutoDefault(false);
    pressOnEnter(button);
    return button;
}

QString problemText(ValueProblem problem)
{
    switch (problem) {
    case ValueProblem::LineBreak:
        return ConfigTab::tr("un retour à la ligne");
    case ValueProblem::FieldSeparator:
        return ConfigTab::tr("un astérisque (*), le séparateur des champs");
    case ValueProblem::NotEncodable:
        return ConfigTab::tr("un caractère que l'encodage du système ne peut pas écrire");
    case ValueProblem::None:
        break;
    }
    return QString();
}

// The setters and the save skip a value that init.txt cannot hold: the field
// says so at once, without a box at each keystroke.
void markStorable(QLineEdit *edit, const QString &value, ValueKind kind)
{
    // The field's own help stays below whatever is said of the value.
    const QString help = edit->property("help").toString();
    const ValueProblem problem = storageProblem(value, kind);
    if (problem == ValueProblem::None) {
        edit->setPalette(QPalette());
        edit->setToolTip(help);
        return;
    }
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(255, 215, 215));
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
    QString tip = ConfigTab::tr("Cette valeur n'est pas enregistrée dans init.txt : elle contient %1.")
                      .arg(problemText(problem));
    if (!help.isEmpty())
        tip += QLatin1String("\n\n") + help;
    edit->setToolTip(tip);
}

QString fieldName(const Configuration::SaveResult &result)
{
    switch (result.field) {
    case Configuration::Field::MayaPath:
        return ConfigTab::tr("Chemin de Maya");
    case Configuration::Field::MrPath:
        return ConfigTab::tr("Chemin de Mental Ray");
    case Configuration::Field::TypeName:
        return ConfigTab::tr("Type de shader %1").arg(result.type + 1);
    case Configuration::Field::RowExtension:
        return ConfigTab::tr("Extension %1").arg(result.row + 1);
    case Configuration::Field::RowDestination:
        return ConfigTab::tr("Chemin %1").arg(result.row + 1);
    case Configuration::Field::None:
        break;
    }
    return QString();
}

QString refusalText(const Configuration::SaveResult &result)
{
    using Status = Configuration::SaveStatus;
    switch (result.status) {
    case Status::NotUnderstood:
        return ConfigTab::tr(
            "init.txt n'a pas été remplacé. Le programme n'a pas compris toutes ses lignes (une "
            "ligne de repère, [MAYA_PATH] ou [MR_PATH], manque ou est mal écrite) : le réécrire "
            "perdrait celles qu'il n'a pas lues.\nCorrigez init.txt à la main, ou supprimez-le "
            "pour repartir des réglages par défaut, puis relancez le programme.");
    case Status::Unreadable:
        return ConfigTab::tr(
            "init.txt n'a pas été remplacé. Il existe mais n'a pas pu être lu : il n'est pas "
            "lisible, ou ce n'est pas un fichier ordinaire. Le remplacer perdrait ce qu'il "
            "contient.\nFaites-en un fichier ordinaire lisible, ou supprimez-le pour repartir "
            "des réglages par défaut, puis relancez le programme.");
    case Status::NotDecodable:
        return ConfigTab::tr(
            "init.txt n'a pas été remplacé. Il contient des octets que l'encodage du système ne "
            "sait pas lire (par exemple un nom de dossier écrit dans un autre encodage) : le "
            "réécrire les remplacerait pour de bon.\nCorrigez ces lignes à la main dans un "
            "éditeur de texte, ou supprimez init.txt pour repartir des réglages par défaut, puis "
            "relancez le programme.");
    case Status::Unstorable:
        return ConfigTab::tr("init.txt n'a pas été remplacé. Le champ « %1 » contient %2, que le "
                             "fichier init.txt ne peut pas garder tel quel.\nCorrigez ce champ, "
                             "puis cliquez de nouveau sur Sauvegarde.")
            .arg(fieldName(result), problemText(result.problem));
    case Status::WriteFailed:
        return ConfigTab::tr("init.txt n'a pas pu être écrit.\nVérifiez que init.txt et son "
                             "dossier sont modifiables et que le disque n'est pas plein, puis "
                             "cliquez de nouveau sur Sauvegarde.");
    case Status::Busy:
        return ConfigTab::tr("init.txt n'a pas été remplacé : un autre programme Velkarinth est en "
                             "train de le modifier.\nCliquez de nouveau sur Sauvegarde dans un "
                             "moment.");
    case Status::Saved:
        break;
    }
    return QString();
}

// A keystroke init.txt could not take because another run held it: the
// value is kept in memory, and the save writes it.
void tellBusy(QWidget *parent, Configuration::DirectoryWrite written)
{
    if (written != Configuration::DirectoryWrite::Busy)
        return;
    showPlainTextBox(parent, QMessageBox::Warning, ConfigTab::tr("Sauvegarde"),
                     ConfigTab::tr("init.txt n'a pas été modifié : un autre programme Velkarinth "
                                   "est en train de le modifier.\nLe dossier est gardé ; cliquez "
                                   "sur Sauvegarde dans un moment pour l'écrire."));
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
    const QString savedAsTyped = tr("Enregistré dans init.txt à chaque frappe.");
    using Browse0 = QString (ConfigTab::*)();
    const auto directoryField = [&](const QString &name, const QString &value, TextSlot typed,
                                    Browse0 browsed, QPushButton *&button) {
        auto *edit = new QLineEdit;
        edit->setObjectName(name + QStringLiteral("Edit"));
        if (!value.isEmpty())
            edit->setText(value);
        connect(edit, &QLineEdit::textChanged, this, typed);
        button = newBrowseButton();
        button->setObjectName(name + QStringLiteral("Button"));
        button->setAccessibleName(tr("Parcourir"));
        connect(button, &QPushButton::clicked, this, browsed);
        edit->setProperty("help", savedAsTyped);
        edit->setToolTip(savedAsTyped);
        return edit;
    };
    QPushButton *mayaButton = nullptr;
    QPushButton *mrButton = nullptr;
    mayaPathEdit = directoryField(QStringLiteral("mayaPath"), Configuration::mayaPath,
                                  qOverload<const QString &>(&ConfigTab::mayaPath),
                                  qOverload<>(&ConfigTab::mayaPath), mayaButton);
    mrPathEdit = directoryField(QStringLiteral("mrPath"), Configuration::mrPath,
                                qOverload<const QString &>(&ConfigTab::mrPath),
                                qOverload<>(&ConfigTab::mrPath), mrButton);
    QGroupBox *mayaGroup = directoryGroup(tr("Maya"), tr("Chemin de Maya"), mayaPathEdit, mayaButton);
    QGroupBox *mrGroup = directoryGroup(tr("Mental Ray"), tr("Chemin de Mental Ray"), mrPathEdit,
                                        mrButton);
    // The keyboard goes through a row the way it reads, left to right.
    QList<QWidget *> focusOrder = {mayaPathEdit, mayaButton, mrPathEdit, mrButton};

    auto *shaderGroup = new QGroupBox(tr("Shader MR"));
    auto *shaderBox = new QVBoxLayout;
    shaderBox->addWidget(
        new QLabel(tr("Donnez l'extension, le chemin et l'obligation pour chaque extension")));
    // A row reaches init.txt only through the save button, unlike the
    // directories above: each of its fields says so.
    const QString savedBySave = tr("Enregistré par « Sauvegarde ».");
    const QString extensionTip =
        tr("Extension : le fichier du Shader dont le nom la porte après un point est copié "
           "par cette ligne.") + u'\n' + savedBySave;
    const QString destinationTip =
        tr("Répertoire de destination : le fichier y est copié, sans jamais en remplacer un.")
        + u'\n' + savedBySave;
    const QString mandatoryTip = tr("Fichier obligatoire : « oui », une copie impossible fait "
                                    "échouer l'installation ; « non », elle donne un avertissement.")
                                 + u'\n' + savedBySave;
    const QVector<ShaderFileRow> noRows;
    const QVector<ShaderFileRow> &rows =
        Configuration::shaderTypes.isEmpty() ? noRows : Configuration::shaderTypes.first().rows;
    for (int n = 0; n < rowCount; ++n) {
        extensionEdit[n] = new QLineEdit;
        extensionEdit[n]->setObjectName(QStringLiteral("extensionEdit%1").arg(n));
        extensionEdit[n]->setMaximumSize(45, 20);
        // The limit comes before the text, so a longer configured extension
        // shows cut (it is stored cut only once the user edits it).
        extensionEdit[n]->setMaxLength(7);
        extensionEdit[n]->setProperty("help", extensionTip);
        extensionEdit[n]->setToolTip(extensionTip);
        extensionEdit[n]->setAccessibleName(tr("Extension %1").arg(n + 1));
        destinationEdit[n] = new QLineEdit;
        destinationEdit[n]->setObjectName(QStringLiteral("destinationEdit%1").arg(n));
        destinationEdit[n]->setProperty("help", destinationTip);
        destinationEdit[n]->setToolTip(destinationTip);
        destinationEdit[n]->setAccessibleName(tr("Chemin %1").arg(n + 1));
        QPushButton *button = newBrowseButton();
        button->setObjectName(QStringLiteral("shaderPathButton%1").arg(n));
        button->setAccessibleName(tr("Parcourir"));
        mandatoryCombo[n] = new QComboBox;
        mandatoryCombo[n]->setObjectName(QStringLiteral("mandatoryCombo%1").arg(n));
        mandatoryCombo[n]->addItem(tr("non"));
        mandatoryCombo[n]->addItem(tr("oui"));
        mandatoryCombo[n]->setEditable(false);
        mandatoryCombo[n]->setToolTip(mandatoryTip);
        mandatoryCombo[n]->setAccessibleName(tr("Obligation %1").arg(n + 1));

        auto *rowLayout = new QHBoxLayout;
        const QList<QWidget *> widgets = {extensionEdit[n], destinationEdit[n], button, mandatoryCombo[n]};
        for (QWidget *widget : widgets) {
            rowLayout->addWidget(widget);
            // A row the configuration does not hold cannot be edited.
            widget->setEnabled(n < rows.size());
        }
        focusOrder += widgets;
        shaderBox->addLayout(rowLayout);
        if (n < rows.size()) {
            destinationEdit[n]->setText(rows.at(n).path);
            extensionEdit[n]->setText(rows.at(n).extension);
            mandatoryCombo[n]->setCurrentIndex(rows.at(n).mandatory ? 1 : 0);
        }

        connect(button, &QPushButton::clicked, this, browseSlots[n]);
        connect(destinationEdit[n], &QLineEdit::textChanged, this, rowPathSlots[n]);
        connect(mandatoryCombo[n], &QComboBox::textHighlighted, this, mandatorySlots[n]);
        // A new extension or mandatory choice is stored on its own too, so
        // that "Sauvegarde" saves the row the user sees.
        connect(extensionEdit[n], &QLineEdit::textChanged, this,
                [this, n] { storeRow(n, destinationEdit[n]->text()); });
        connect(mandatoryCombo[n], &QComboBox::currentIndexChanged, this,
                [this, n] { storeRow(n, destinationEdit[n]->text()); });
    }
    shaderGroup->setLayout(shaderBox);

    auto *saveButton = new QPushButton(tr("Sauvegarde"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    connect(saveButton, &QPushButton::clicked, this, &ConfigTab::saveShader);
    focusOrder << saveButton;

    auto *layout = new QVBoxLayout;
    layout->addWidget(mayaGroup);
    layout->addWidget(mrGroup);
    layout->addWidget(shaderGroup);
    layout->addWidget(saveButton);
    layout->addStretch(1);
    setLayout(layout);
    for (qsizetype i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder.at(i - 1), focusOrder.at(i));
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
    return browse(Configuration::FirstRowDirectory + row, destinationEdit[row], rowPathSlots[row]);
}

QString ConfigTab::storeRow(int row, const QString &destination)
{
    // The edit shows a longer configured extension cut: while it shows just
    // that, the configured one is stored whole.
    QString extension = extensionEdit[row]->text();
    if (!Configuration::shaderTypes.isEmpty()
        && row < Configuration::shaderTypes.constFirst().rows.size()) {
        const QString &stored = Configuration::shaderTypes.constFirst().rows.at(row).extension;
        if (stored.size() > extensionEdit[row]->maxLength()
            && extension == stored.left(extensionEdit[row]->maxLength()))
            extension = stored;
    }
    // An empty extension or destination stores nothing: the configuration
    // keeps the last complete row.
    if (!extension.isEmpty() && !destination.isEmpty())
        Configuration::setShaderFileRow(0, row, extension, destination,
                                        mandatoryCombo[row]->currentIndex() != 0);
    markStorable(extensionEdit[row], extension, ValueKind::RowField);
    markStorable(destinationEdit[row], destination, ValueKind::RowField);
    return destination;
}

QString ConfigTab::browseDirectory(bool mentalRay)
{
    return mentalRay ? browse(Configuration::MrDirectory, mrPathEdit, qOverload<const QString &>(&ConfigTab::mrPath))
                     : browse(Configuration::MayaDirectory, mayaPathEdit,
                              qOverload<const QString &>(&ConfigTab::mayaPath));
}

QString ConfigTab::storeDirectory(const QString &directory, bool mentalRay)
{
    // Held in memory whatever init.txt took: the field's mark and the save
    // say what the file cannot keep.
    tellBusy(this, Configuration::setDirectory(directory, mentalRay));
    markStorable(mentalRay ? mrPathEdit : mayaPathEdit, directory, ValueKind::Line);
    return directory;
}

QString ConfigTab::mayaPath() { return browseDirectory(false); }
QString ConfigTab::mayaPath(const QString &maya_path) { return storeDirectory(maya_path, false); }
QString ConfigTab::mrPath() { return browseDirectory(true); }
QString ConfigTab::mrPath(const QString &mr_path) { return storeDirectory(mr_path, true); }
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
    const Configuration::SaveResult result = Configuration::save();
    if (result.status == Configuration::SaveStatus::Saved)
        return true;
    showPlainTextBox(this, QMessageBox::Warning, tr("Sauvegarde"), refusalText(result));
    return false;
}

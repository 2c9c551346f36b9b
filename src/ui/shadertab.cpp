#include "shadertab.h"

#include "config/configuration.h"
#include "enterpress.h"
#include "messageboxreporter.h"
#include "rayrc/rayrcentry.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Index under which the shader's own folder dialog remembers its directory.
constexpr int shaderDirectoryIndex = Configuration::ShaderDirectory;
}

ShaderTab::ShaderTab(QWidget *parent)
    : QWidget(parent)
{
    auto *group = new QGroupBox(tr("Shaders"));

    typeCombo = new QComboBox;
    typeCombo->setObjectName(QStringLiteral("typeCombo"));
    // A long name must not widen the dialog: the combo is sized for a few
    // characters, names are shown elided and whole in the tooltip (the combo
    // is disabled, so its own tooltip is the one the user can see).
    typeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    typeCombo->setMinimumContentsLength(20);
    const QFontMetrics metrics = typeCombo->fontMetrics();
    const int shownWidth = metrics.averageCharWidth() * 40;
    for (const ShaderType &type : std::as_const(Configuration::shaderTypes)) {
        typeCombo->addItem(metrics.elidedText(type.name, Qt::ElideRight, shownWidth));
        typeCombo->setItemData(typeCombo->count() - 1, type.name, Qt::ToolTipRole);
    }
    typeCombo->setToolTip(typeCombo->currentData(Qt::ToolTipRole).toString());
    typeCombo->setEnabled(false);

    auto *typeLabel = new QLabel(tr("Type de Shader"));
    auto *shaderDirLabel = new QLabel(tr("Chemin de votre Shader"));
    auto *linkLabel = new QLabel(tr("La ligne Link"));
    auto *miLabel = new QLabel(tr("La ligne mi"));

    shaderDirEdit = new QLineEdit;
    shaderDirEdit->setObjectName(QStringLiteral("shaderDirEdit"));
    linkEdit = new QLineEdit;
    linkEdit->setObjectName(QStringLiteral("linkEdit"));
    linkEdit->setPlaceholderText(rayrcEntryExample(u"link"));
    miEdit = new QLineEdit;
    miEdit->setObjectName(QStringLiteral("miEdit"));
    miEdit->setPlaceholderText(rayrcEntryExample(u"mi"));

    auto *browseButton = new QPushButton(QStringLiteral("..."));
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setMaximumSize(35, 20);
    // Enter in a field must not open a folder dialog.
    browseButton->setAutoDefault(false);
    pressOnEnter(browseButton);
    connect(browseButton, &QPushButton::clicked, this, &ShaderTab::FindShaderPath);

    auto *dirLayout = new QHBoxLayout;
    dirLayout->addWidget(shaderDirEdit);
    dirLayout->addWidget(browseButton);

    auto *groupLayout = new QVBoxLayout;
    groupLayout->addWidget(typeLabel);
    groupLayout->addWidget(typeCombo);
    groupLayout->addWidget(shaderDirLabel);
    groupLayout->addLayout(dirLayout);
    groupLayout->addWidget(linkLabel);
    groupLayout->addWidget(linkEdit);
    groupLayout->addWidget(miLabel);
    groupLayout->addWidget(miEdit);

    auto *installButton = new QPushButton(tr("Installer le Shader"));
    installButton->setObjectName(QStringLiteral("installButton"));
    connect(installButton, &QPushButton::clicked, this, &ShaderTab::installShader);
    groupLayout->addWidget(installButton);


    auto *statusLabel = new QLabel(tr("pas d'action"));
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setAlignment(Qt::AlignHCenter);
    connect(this, &ShaderTab::installation, statusLabel, &QLabel::setText);
    groupLayout->addWidget(statusLabel);

    group->setLayout(groupLayout);

    auto *layout = new QVBoxLayout;
    layout->addWidget(group);
    layout->addStretch(1);
    setLayout(layout);

    // Screen readers name each field after its label; the keyboard goes
    // through the fields in the order they are filled in.
    typeLabel->setBuddy(typeCombo);
    shaderDirLabel->setBuddy(shaderDirEdit);
    linkLabel->setBuddy(linkEdit);
    miLabel->setBuddy(miEdit);
    typeCombo->setAccessibleName(typeLabel->text());
    shaderDirEdit->setAccessibleName(shaderDirLabel->text());
    linkEdit->setAccessibleName(linkLabel->text());
    miEdit->setAccessibleName(miLabel->text());
    browseButton->setAccessibleName(tr("Parcourir"));
    setTabOrder(shaderDirEdit, browseButton);
    setTabOrder(browseButton, linkEdit);
    setTabOrder(linkEdit, miEdit);
    setTabOrder(miEdit, installButton);
}

QString ShaderTab::FindShaderPath()
{
    const QString directory = QFileDialog::getExistingDirectory(
        this, tr("Sélectionner un répertoire"),
        Configuration::lastDirectory(shaderDirectoryIndex), QFileDialog::ShowDirsOnly);
    if (!directory.isEmpty()) {
        shaderDirEdit->setText(directory);
        emit installation(tr("Nouveau chemin de Shader"));
        Configuration::setLastDirectory(directory, shaderDirectoryIndex);
    }
    return directory;
}

void ShaderTab::installShader()
{
    // Not trimmed: a field of blanks counts as filled in.
    if (shaderDirEdit->text().isEmpty() || linkEdit->text().isEmpty()
        || miEdit->text().isEmpty()) {
        emit installation(tr("Problème lors de l'installation : des paramètres ne sont pas donnés."));
        return;
    }
    // maya.rayrc takes the lines as they are, and Mental Ray stops at one it
    // cannot read: check them before anything is copied.
    QStringList faults;
    if (!isRayrcEntry(linkEdit->text(), u"link"))
        faults.append(tr("La ligne Link doit commencer par le mot link et tenir sur une seule "
                         "ligne, par exemple :\n%1").arg(rayrcEntryExample(u"link")));
    if (!isRayrcEntry(miEdit->text(), u"mi"))
        faults.append(tr("La ligne mi doit commencer par le mot mi et tenir sur une seule "
                         "ligne, par exemple :\n%1").arg(rayrcEntryExample(u"mi")));
    if (!faults.isEmpty()) {
        showPlainTextBox(window(), QMessageBox::Warning, tr("Ligne incorrecte"),
                         faults.join(QStringLiteral("\n\n")), tr("Rien n'a été installé."));
        emit installation(tr("Problème lors de l'installation"));
        return;
    }
    MessageBoxReporter reporter(window());
    const bool installed = Configuration::installShaderType(shaderDirEdit->text(), linkEdit->text(),
                                                            miEdit->text(), 0, &reporter);
    emit installation(installed ? tr("Installation effectuée")
                                : tr("Problème lors de l'installation"));
}

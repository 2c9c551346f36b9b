#include "config/workingfolder.h"

#include "files/paths.h"
#include "files/platform.h"
#include "install/receipt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString WorkingFolder::enterUserFolder()
{
    const QString installed = installedFolder();
    if (installed.isEmpty() || canonicalPath(QDir::currentPath()) != canonicalPath(installed))
        return QString();
    const QString own = joinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                                 QStringLiteral("Velkarinth"));
    if (QDir().mkpath(own) && QDir::setCurrent(own))
        return QString();
    return tr("Velkarinth n'a pas pu créer ou ouvrir votre dossier de travail %1.")
        .arg(QDir::toNativeSeparators(own));
}

QString WorkingFolder::untrusted()
{
    const QString here = QDir::currentPath();
    const QString named = qEnvironmentVariable(trustVariable);
    if (!named.isEmpty() && QFileInfo(named).canonicalFilePath() == QFileInfo(here).canonicalFilePath())
        return QString();
    // init.txt is read through a link the user made; receipts never are.
    const QList<std::pair<QString, Ownership>> checked = {
        {here, ownership(here, true)},
        {QFileInfo(QStringLiteral("init.txt")).absoluteFilePath(), ownership(QStringLiteral("init.txt"), true)},
        {Receipt::folder(), ownership(Receipt::folder(), false)},
    };
    for (const auto &[path, owned] : checked) {
        if (owned.exists && !owned.trusted()) {
            return tr("Velkarinth ne lit et n'écrit rien ici : %1 appartient à %2, mode %3, si bien "
                      "qu'un autre utilisateur a pu y mettre ce que Velkarinth croirait. Si vous "
                      "faites confiance à ce dossier, relancez avec la variable d'environnement "
                      "%4=%5.")
                .arg(QDir::toNativeSeparators(path), owned.owner, owned.mode,
                     QString::fromLatin1(trustVariable), QDir::toNativeSeparators(here));
        }
    }
    return QString();
}

QString WorkingFolder::title()
{
    return tr("Dossier de travail non sûr");
}

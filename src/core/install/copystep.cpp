#include "install/copystep.h"

#include "files/platform.h"
#include "files/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <iterator>

CopyStep CopyStep::plan(const ShaderFileRow &row, const QString &shaderDir,
                        const ShaderFile &found, const QSet<QString> &willExist)
{
    CopyStep step;
    step.extension = row.extension;
    step.mandatory = row.mandatory;
    step.folder = row.path;
    step.shaderDir = shaderDir;
    step.source = found.path;
    step.name = found.name;
    if (found.path.isEmpty()) {
        step.source = found.unreadable;
        step.outcome = found.unreadable.isEmpty() ? NotFound : NameUnreadable;
        return step;
    }
    // Checked now so that a preview never promises a copy that cannot start.
    QFile source;
    if (!openRegularFile(source, step.source)) {
        step.outcome = Unreadable;
        return step;
    }
    source.close();
    // An empty destination would put the file at the root of the disk.
    if (row.path.isEmpty()) {
        step.outcome = NoDestination;
        return step;
    }
    step.destination = joinPath(row.path, step.name);
    const QFileInfo folder(row.path);
    const QFileInfo target(step.destination);
    if (!folder.isDir())
        step.outcome = NoFolder;
    // A dangling link counts as a file: copying would replace it.
    else if (target.exists() || target.isSymLink() || willExist.contains(step.destination))
        step.outcome = AlreadyThere;
    else if (!folder.isWritable())
        step.outcome = NotWritable;
    else
        step.outcome = Copy;
    return step;
}

bool CopyStep::failsInstall() const
{
    return outcome == NotFound || outcome == NameUnreadable || (outcome != Copy && mandatory);
}

QString CopyStep::title() const
{
    return QObject::tr("Erreur de copie de fichier");
}

QString CopyStep::text() const
{
    QString text = QObject::tr("Erreur lors de la copie du fichier : ") + name;
    if (!mandatory)
        text += QObject::tr("\n Fichier non obligatoire");
    return text;
}

QString CopyStep::details() const
{
    // As the user's system writes paths; the file paths are joined so already.
    const QString shaderDir = QDir::toNativeSeparators(this->shaderDir);
    const QString folder = QDir::toNativeSeparators(this->folder);
    QString reason;
    switch (outcome) {
    case Copy:
        return QString();
    case NotFound:
        reason = tr("Aucun fichier d'extension « %1 » n'a été trouvé sous le dossier du Shader %2.")
                     .arg(extension, shaderDir);
        break;
    case NoDestination:
        reason = tr("Aucun dossier de destination n'est donné pour l'extension « %1 » : "
                    "remplissez l'onglet Configuration.")
                     .arg(extension);
        break;
    case NoFolder:
        reason = tr("Le dossier de destination %1 n'existe pas.").arg(folder);
        break;
    case AlreadyThere:
        reason = tr("Le fichier %1 existe déjà : il n'est jamais remplacé.").arg(destination);
        break;
    case NotWritable:
        reason = tr("Le dossier de destination %1 n'est pas accessible en écriture.").arg(folder);
        break;
    case CopyFailed:
        reason = tr("La copie vers %1 a échoué.").arg(destination);
        break;
    case Unreadable:
        reason = tr("Le fichier du Shader %1 ne peut pas être lu.").arg(source);
        break;
    case NameUnreadable:
        reason = tr("Le nom %1 n'est pas en UTF-8 : ce fichier ou dossier ne peut pas être "
                    "lu sous ce nom. Renommez-le.")
                     .arg(source);
        break;
    }
    return reason + QLatin1Char('\n') + tr("Extension : %1").arg(extension) + QLatin1Char('\n')
           + tr("Fichier du Shader : %1").arg(source.isEmpty() ? tr("(aucun)") : source)
           + QLatin1Char('\n')
           + tr("Destination : %1").arg(folder.isEmpty() ? tr("(aucune)") : folder);
}

namespace {
// In the order of CopyStep::Outcome.
constexpr const char *outcomeKeys[] = {
    "copy", "not-found", "no-destination", "no-folder", "already-there", "not-writable", "copy-failed",
    "unreadable", "name-unreadable",
};
static_assert(std::size(outcomeKeys) == CopyStep::NameUnreadable + 1);
}

QString CopyStep::key() const
{
    return QString::fromLatin1(outcomeKeys[outcome]);
}

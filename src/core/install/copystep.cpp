#include "install/copystep.h"

#include "files/platform.h"
#include "files/paths.h"
#include "i18n/outcometext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <iterator>

namespace {
// What a file already at the destination is to this install.
CopyStep::Outcome judgeExisting(const CopyStep &step, const Receipt &receipt)
{
    const Receipt::File *copy = receipt.file(step.destination);
    if (!copy || fileFingerprint(step.destination) != copy->copy)
        return CopyStep::Outcome::AlreadyThere;
    return holdsBytes(step.source, copy->copy) ? CopyStep::Outcome::Installed : CopyStep::Outcome::Outdated;
}
}

CopyStep CopyStep::plan(const ShaderFileRow &row, const QString &shaderDir, const ShaderFile &found,
                        const QSet<QString> &willExist, const Receipt &receipt)
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
        step.outcome = found.unreadable.isEmpty() ? Outcome::NotFound : Outcome::NameUnreadable;
        return step;
    }
    // Checked now so that a preview never promises a copy that cannot start.
    QFile source;
    if (!openRegularFile(source, step.source)) {
        step.outcome = Outcome::Unreadable;
        return step;
    }
    source.close();
    // An empty destination would put the file at the root of the disk.
    if (row.path.isEmpty()) {
        step.outcome = Outcome::NoDestination;
        return step;
    }
    step.destination = joinPath(row.path, step.name);
    const QFileInfo folder(row.path);
    if (!folder.isDir())
        step.outcome = Outcome::NoFolder;
    // A dangling link counts as a file: copying would replace it.
    else if (willExist.contains(step.destination))
        step.outcome = Outcome::AlreadyThere;
    else if (nameTaken(step.destination))
        step.outcome = judgeExisting(step, receipt);
    else if (!folder.isWritable())
        step.outcome = Outcome::NotWritable;
    else
        step.outcome = Outcome::Copy;
    return step;
}

bool CopyStep::failsInstall() const
{
    return outcome == Outcome::NotFound || outcome == Outcome::NameUnreadable
           || (outcome != Outcome::Copy && outcome != Outcome::Installed && mandatory);
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

namespace {
// In the order of CopyStep::Outcome; the facts are the extension, the
// shader's folder, the destination folder, the destination and the source.
constexpr OutcomeText outcomeTexts[] = {
    {"copy", nullptr, QT_TRANSLATE_NOOP("CopyStep", "copie")},
    {"not-found",
     QT_TRANSLATE_NOOP("CopyStep", "Aucun fichier d'extension « %1 » n'a été trouvé sous le dossier du Shader %2."),
     QT_TRANSLATE_NOOP("CopyStep", "aucun fichier trouvé")},
    {"no-destination",
     QT_TRANSLATE_NOOP("CopyStep", "Aucun dossier de destination n'est donné pour l'extension « %1 » : "
                                   "remplissez l'onglet Configuration."),
     QT_TRANSLATE_NOOP("CopyStep", "refus : aucun dossier de destination")},
    {"no-folder", QT_TRANSLATE_NOOP("CopyStep", "Le dossier de destination %3 n'existe pas."),
     QT_TRANSLATE_NOOP("CopyStep", "refus : pas de tel dossier")},
    {"already-there", QT_TRANSLATE_NOOP("CopyStep", "Le fichier %4 existe déjà : il n'est jamais remplacé."),
     QT_TRANSLATE_NOOP("CopyStep", "refus : le fichier est déjà là")},
    {"not-writable",
     QT_TRANSLATE_NOOP("CopyStep", "Le dossier de destination %3 n'est pas accessible en écriture."),
     QT_TRANSLATE_NOOP("CopyStep", "refus : dossier non accessible en écriture")},
    {"copy-failed", QT_TRANSLATE_NOOP("CopyStep", "La copie vers %4 a échoué."),
     QT_TRANSLATE_NOOP("CopyStep", "échec de la copie")},
    {"unreadable", QT_TRANSLATE_NOOP("CopyStep", "Le fichier du Shader %5 ne peut pas être lu."),
     QT_TRANSLATE_NOOP("CopyStep", "refus : le fichier ne peut pas être lu")},
    {"name-unreadable",
     QT_TRANSLATE_NOOP("CopyStep", "Le nom %5 n'est pas en UTF-8 : ce fichier ou dossier ne peut pas être "
                                   "lu sous ce nom. Renommez-le."),
     QT_TRANSLATE_NOOP("CopyStep", "nom illisible, le fichier est peut-être là")},
    {"installed", nullptr, QT_TRANSLATE_NOOP("CopyStep", "déjà installé")},
    {"outdated",
     QT_TRANSLATE_NOOP("CopyStep", "Le fichier %4 est une version antérieure du Shader, installée par "
                                   "Velkarinth : il n'est pas remplacé."),
     QT_TRANSLATE_NOOP("CopyStep", "refus : une version antérieure est installée")},
};
static_assert(std::size(outcomeTexts) == int(CopyStep::Outcome::Outdated) + 1);
}

QString CopyStep::key() const
{
    return QString::fromLatin1(outcomeTexts[int(outcome)].key);
}

QString CopyStep::reason() const
{
    return outcomeText("CopyStep", outcomeTexts[int(outcome)].text,
                       {extension, nativePath(shaderDir), nativePath(folder), nativePath(destination),
                        nativePath(source)});
}

QString CopyStep::planned() const
{
    return outcomeText("CopyStep", outcomeTexts[int(outcome)].planned, {});
}

QString CopyStep::details() const
{
    if (outcome == Outcome::Copy || outcome == Outcome::Installed)
        return QString();
    const QString folder = nativePath(this->folder);
    return reason() + QLatin1Char('\n') + tr("Extension : %1").arg(extension) + QLatin1Char('\n')
           + tr("Fichier du Shader : %1").arg(source.isEmpty() ? tr("(aucun)") : nativePath(source))
           + QLatin1Char('\n')
           + tr("Destination : %1").arg(folder.isEmpty() ? tr("(aucune)") : folder);
}

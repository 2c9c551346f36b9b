#include "install/removestep.h"

#include "files/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace {
// What stands at the step's destination now, against what may go.
RemoveStep::Outcome judge(RemoveStep &step, const FileFingerprint &wanted)
{
    const QFileInfo target(step.destination);
    if (target.isSymLink() || target.isJunction())
        return RemoveStep::NotRegular;
    if (!target.exists())
        return RemoveStep::Missing;
    if (!target.isFile())
        return RemoveStep::NotRegular;
    step.expected = fileFingerprint(step.destination);
    if (!step.expected.isValid() || !folderId(step.folder, step.folderId))
        return RemoveStep::RemoveFailed;
    if (step.expected.size != wanted.size || step.expected.sha256 != wanted.sha256)
        return RemoveStep::Differs;
    return QFileInfo(step.folder).isWritable() ? RemoveStep::Remove : RemoveStep::RemoveFailed;
}
}

RemoveStep RemoveStep::plan(const ShaderFileRow &row, const ShaderFile &found,
                            const QSet<QString> &goingAway)
{
    RemoveStep step;
    step.extension = row.extension;
    step.folder = row.path;
    step.source = found.path;
    const QString &name = found.name;
    if (found.path.isEmpty()) {
        step.outcome = NotFound;
        return step;
    }
    if (row.path.isEmpty()) {
        step.outcome = NoDestination;
        return step;
    }
    step.destination = joinPath(row.path, name);
    if (goingAway.contains(QFileInfo(step.destination).absoluteFilePath())) {
        step.outcome = Missing;
        return step;
    }
    const FileFingerprint source = fileFingerprint(step.source);
    step.outcome = judge(step, source);
    // A shader kept in a destination folder, or mounted on one, finds
    // itself there: the same file is no copy.
    if (step.outcome == Remove && step.expected.sameFile(source))
        step.outcome = SameFile;
    return step;
}

RemoveStep RemoveStep::plan(const Receipt::File &copy, const QVector<ShaderFileRow> &rows)
{
    RemoveStep step;
    step.extension = copy.extension;
    step.source = copy.source;
    step.destination = copy.destination;
    step.folder = QFileInfo(copy.destination).path();
    const QString name = QFileInfo(copy.destination).fileName();
    const QString wanted = QDir::cleanPath(QFileInfo(copy.destination).absoluteFilePath());
    const bool inRow = std::any_of(rows.cbegin(), rows.cend(), [&](const ShaderFileRow &row) {
        return !row.path.isEmpty()
               && QDir::cleanPath(QFileInfo(joinPath(row.path, name)).absoluteFilePath()) == wanted;
    });
    if (!inRow) {
        step.outcome = Outside;
        return step;
    }
    step.outcome = judge(step, copy.copy);
    // Another file of the same bytes, put there since, is not the copy.
    if (step.outcome == Remove && !step.expected.sameFile(copy.copy))
        step.outcome = Differs;
    return step;
}

bool RemoveStep::apply()
{
    if (outcome != Remove)
        return true;
    switch (removeUnchanged(folder, folderId, QFileInfo(destination).fileName(), expected)) {
    case Removal::Removed:
        return true;
    case Removal::Changed:
        outcome = Differs;
        return false;
    case Removal::Failed:
        break;
    }
    outcome = RemoveFailed;
    return false;
}

bool RemoveStep::keepsSomething() const
{
    return outcome == Differs || outcome == NotRegular || outcome == SameFile
           || outcome == RemoveFailed || outcome == NoReceipt || outcome == Outside;
}

namespace {
// In the order of RemoveStep::Outcome.
constexpr const char *outcomeKeys[] = {
    "remove", "differs", "not-regular", "same-file", "missing", "not-found", "no-destination", "remove-failed",
    "no-receipt", "outside",
};
static_assert(std::size(outcomeKeys) == RemoveStep::Outside + 1);
}

QString RemoveStep::key() const
{
    return QString::fromLatin1(outcomeKeys[outcome]);
}

QString RemoveStep::text(bool dryRun) const
{
    QString text;
    switch (outcome) {
    case Remove:
        text = dryRun ? tr("À supprimer : %1") : tr("Supprimé : %1");
        break;
    case Differs:
        text = tr("Gardé, il diffère du fichier du Shader : %1");
        break;
    case NotRegular:
        text = tr("Gardé, ce n'est pas un fichier ordinaire : %1");
        break;
    case SameFile:
        text = tr("Gardé, c'est le fichier même du Shader : %1");
        break;
    case Missing:
        text = tr("Absent : %1");
        break;
    case NotFound:
        return tr("%1 : aucun fichier trouvé sous le dossier du Shader").arg(extension);
    case NoDestination:
        return tr("%1 : aucun dossier de destination").arg(extension);
    case RemoveFailed:
        text = tr("Suppression impossible : %1");
        break;
    case NoReceipt:
        text = tr("Gardé, aucun reçu ne dit qu'il a été installé : %1");
        break;
    case Outside:
        text = tr("Gardé, le reçu le place hors des dossiers configurés : %1");
        break;
    }
    return text.arg(destination);
}

#include "install/removestep.h"

#include "files/paths.h"
#include "files/platform.h"
#include "i18n/outcometext.h"

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
        return RemoveStep::Outcome::NotRegular;
    if (!target.exists())
        return RemoveStep::Outcome::Missing;
    if (!target.isFile())
        return RemoveStep::Outcome::NotRegular;
    step.expected = fileFingerprint(step.destination);
    if (!step.expected.isValid() || !folderId(step.folder, step.folderId))
        return RemoveStep::Outcome::RemoveFailed;
    if (step.expected.size != wanted.size || step.expected.sha256 != wanted.sha256)
        return RemoveStep::Outcome::Differs;
    if (removalRefused(step.destination))
        return RemoveStep::Outcome::ReadOnly;
    return QFileInfo(step.folder).isWritable() ? RemoveStep::Outcome::Remove : RemoveStep::Outcome::RemoveFailed;
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
        step.outcome = Outcome::NotFound;
        return step;
    }
    if (row.path.isEmpty()) {
        step.outcome = Outcome::NoDestination;
        return step;
    }
    step.destination = joinPath(row.path, name);
    if (goingAway.contains(QFileInfo(step.destination).absoluteFilePath())) {
        step.outcome = Outcome::Missing;
        return step;
    }
    const FileFingerprint source = fileFingerprint(step.source);
    step.outcome = judge(step, source);
    // A shader kept in a destination folder, or mounted on one, finds
    // itself there: the same file is no copy.
    if (step.outcome == Outcome::Remove && step.expected.sameFile(source))
        step.outcome = Outcome::SameFile;
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
        step.outcome = Outcome::Outside;
        return step;
    }
    step.outcome = judge(step, copy.copy);
    // Another file of the same bytes, put there since, is not the copy.
    if (step.outcome == Outcome::Remove && !step.expected.sameFile(copy.copy))
        step.outcome = Outcome::Differs;
    return step;
}

bool RemoveStep::apply()
{
    if (outcome != Outcome::Remove)
        return true;
    switch (removeUnchanged(folder, folderId, QFileInfo(destination).fileName(), expected)) {
    case Removal::Removed:
        return true;
    case Removal::Changed:
        outcome = Outcome::Differs;
        return false;
    case Removal::Failed:
        break;
    }
    outcome = removalRefused(destination) ? Outcome::ReadOnly : Outcome::RemoveFailed;
    return false;
}

bool RemoveStep::keepsSomething() const
{
    return outcome != Outcome::Remove && outcome != Outcome::Missing && outcome != Outcome::NotFound
           && outcome != Outcome::NoDestination;
}

namespace {
// In the order of RemoveStep::Outcome; the facts are the destination and
// the extension.
constexpr OutcomeText outcomeTexts[] = {
    {"remove", QT_TRANSLATE_NOOP("RemoveStep", "Supprimé : %1"), QT_TRANSLATE_NOOP("RemoveStep", "À supprimer : %1")},
    {"differs", QT_TRANSLATE_NOOP("RemoveStep", "Gardé, il diffère du fichier du Shader : %1"), nullptr},
    {"not-regular", QT_TRANSLATE_NOOP("RemoveStep", "Gardé, ce n'est pas un fichier ordinaire : %1"), nullptr},
    {"same-file", QT_TRANSLATE_NOOP("RemoveStep", "Gardé, c'est le fichier même du Shader : %1"), nullptr},
    {"missing", QT_TRANSLATE_NOOP("RemoveStep", "Absent : %1"), nullptr},
    {"not-found", QT_TRANSLATE_NOOP("RemoveStep", "%2 : aucun fichier trouvé sous le dossier du Shader"), nullptr},
    {"no-destination", QT_TRANSLATE_NOOP("RemoveStep", "%2 : aucun dossier de destination"), nullptr},
    {"remove-failed",
     QT_TRANSLATE_NOOP("RemoveStep", "Suppression impossible (un autre programme le tient ouvert, ou le dossier "
                                     "ne peut pas être écrit) : %1"),
     nullptr},
    {"no-receipt", QT_TRANSLATE_NOOP("RemoveStep", "Gardé, aucun reçu ne dit qu'il a été installé : %1"), nullptr},
    {"outside", QT_TRANSLATE_NOOP("RemoveStep", "Gardé, le reçu le place hors des dossiers configurés : %1"),
     nullptr},
    {"read-only",
     QT_TRANSLATE_NOOP("RemoveStep", "Gardé, il est en lecture seule (ôtez cet attribut pour le retirer) : %1"),
     nullptr},
};
static_assert(std::size(outcomeTexts) == int(RemoveStep::Outcome::ReadOnly) + 1);
}

QString RemoveStep::key() const
{
    return QString::fromLatin1(outcomeTexts[int(outcome)].key);
}

QString RemoveStep::text(bool dryRun) const
{
    const OutcomeText &words = outcomeTexts[int(outcome)];
    return outcomeText("RemoveStep", dryRun && words.planned ? words.planned : words.text,
                       {nativePath(destination), extension});
}

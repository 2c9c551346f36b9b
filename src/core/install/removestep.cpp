#include "install/removestep.h"

#include "files/paths.h"

#include <QFile>
#include <QFileInfo>

#include <iterator>

namespace {
// Compares two files block by block, so a large library is never held whole.
bool sameBytes(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)
        || first.size() != second.size())
        return false;
    constexpr qint64 blockSize = 64 * 1024;
    for (;;) {
        const QByteArray x = first.read(blockSize);
        const QByteArray y = second.read(blockSize);
        if (x != y)
            return false;
        if (x.isEmpty())
            return first.error() == QFileDevice::NoError && second.error() == QFileDevice::NoError;
    }
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
    const QFileInfo target(step.destination);
    if (target.isSymLink() || target.isJunction())
        step.outcome = NotRegular;
    else if (!target.exists() || goingAway.contains(target.absoluteFilePath()))
        step.outcome = Missing;
    else if (!target.isFile())
        step.outcome = NotRegular;
    // A shader kept in a destination folder finds itself there: it is no copy.
    else if (target.canonicalFilePath() == QFileInfo(step.source).canonicalFilePath())
        step.outcome = SameFile;
    else if (!sameBytes(step.source, step.destination))
        step.outcome = Differs;
    else
        step.outcome = QFileInfo(row.path).isWritable() ? Remove : RemoveFailed;
    return step;
}

bool RemoveStep::apply()
{
    if (outcome != Remove)
        return true;
    if (QFile::remove(destination))
        return true;
    outcome = RemoveFailed;
    return false;
}

bool RemoveStep::keepsSomething() const
{
    return outcome == Differs || outcome == NotRegular || outcome == SameFile
           || outcome == RemoveFailed;
}

namespace {
// In the order of RemoveStep::Outcome.
constexpr const char *outcomeKeys[] = {
    "remove", "differs", "not-regular", "same-file", "missing", "not-found", "no-destination", "remove-failed",
};
static_assert(std::size(outcomeKeys) == RemoveStep::RemoveFailed + 1);
}

QString RemoveStep::key() const
{
    return QString::fromLatin1(outcomeKeys[outcome]);
}

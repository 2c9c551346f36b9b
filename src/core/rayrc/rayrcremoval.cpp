#include "rayrc/rayrcremoval.h"

#include "files/textfile.h"
#include "rayrc/rayrcpath.h"

#include <QFileInfo>

#include <iterator>

namespace {
// Index of the first line that is exactly text, skipping the one at skip.
qsizetype findLine(const QList<TextLine> &lines, const QByteArray &text, qsizetype skip)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i != skip && lines.at(i).text == text)
            return i;
    }
    return -1;
}

// Where each entry is: -1 when it is not there. A link line and an mi line
// that are the same text are two entries, on two lines.
void locate(const QList<TextLine> &lines, const QString &link, const QString &mi,
            qsizetype &linkIndex, qsizetype &miIndex)
{
    linkIndex = findLine(lines, '\t' + local8Bit(link), -1);
    miIndex = findLine(lines, '\t' + local8Bit(mi), linkIndex);
}
}

RayrcRemoval RayrcRemoval::plan(const QString &mrDir, const QString &link, const QString &mi)
{
    RayrcRemoval removal;
    removal.link = link;
    removal.mi = mi;
    removal.path = rayrcPath(mrDir);
    if (removal.path.isEmpty())
        return removal;
    QByteArray content;
    if (!readWholeFile(removal.path, content)) {
        removal.outcome = Unreadable;
        return removal;
    }
    qsizetype linkIndex = -1;
    qsizetype miIndex = -1;
    locate(splitLines(content), link, mi, linkIndex, miIndex);
    removal.linkLine = linkIndex + 1;
    removal.miLine = miIndex + 1;
    if (linkIndex < 0 && miIndex < 0)
        removal.outcome = NoEntries;
    // Written in place when its folder is not writable: the file must be.
    else
        removal.outcome = QFileInfo(removal.path).isWritable() ? Remove : WriteFailed;
    return removal;
}

bool RayrcRemoval::apply()
{
    if (outcome != Remove)
        return true;
    // Read again: the lines to take out are found in what is there now.
    QByteArray content;
    if (!readWholeFile(path, content)) {
        outcome = WriteFailed;
        return false;
    }
    QList<TextLine> lines = splitLines(content);
    qsizetype linkIndex = -1;
    qsizetype miIndex = -1;
    locate(lines, link, mi, linkIndex, miIndex);
    for (const qsizetype index : {qMax(linkIndex, miIndex), qMin(linkIndex, miIndex)}) {
        if (index >= 0)
            lines.removeAt(index);
    }
    if (!writeWholeFile(path, joinLines(lines))) {
        outcome = WriteFailed;
        return false;
    }
    return true;
}

bool RayrcRemoval::keepsSomething() const
{
    return outcome == Unreadable || outcome == WriteFailed || outcome == NoDirectory
           || outcome == Busy;
}

namespace {
// In the order of RayrcRemoval::Outcome.
constexpr const char *outcomeKeys[] = {
    "remove", "no-entries", "no-directory", "unreadable", "write-failed", "busy",
};
static_assert(std::size(outcomeKeys) == RayrcRemoval::Busy + 1);
}

QString RayrcRemoval::key() const
{
    return QString::fromLatin1(outcomeKeys[outcome]);
}

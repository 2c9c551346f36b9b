#include "rayrc/rayrcremoval.h"

#include "files/platform.h"
#include "files/filerewrite.h"
#include "files/textfile.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcscan.h"
#include "rayrc/rayrcstep.h"

#include <QFile>
#include <QFileInfo>

#include <iterator>
#include <new>

namespace {
QByteArray entryText(const QString &line)
{
    return line.isEmpty() ? QByteArray() : '\t' + local8Bit(line);
}

using Sink = std::function<bool(QByteArrayView)>;

// Streams in to its end, finding the first line that is exactly link and
// the first other one that is exactly mi (an empty one is not looked for);
// every other byte goes to out when there is one. Without out it stops once
// both are found.
bool stream(QFileDevice &in, qsizetype blockSize, const QByteArray &link, const QByteArray &mi,
            qint64 &linkLine, qint64 &miLine, const Sink &out)
{
    linkLine = 0;
    miLine = 0;
    qint64 line = 0;
    bool written = true;
    const auto pass = [&](const char *from, const char *to) {
        if (out && from < to)
            written = written && out(QByteArrayView(from, to - from));
    };
    const auto done = [&] { return (link.isEmpty() || linkLine) && (mi.isEmpty() || miLine); };
    const bool read = readWholeLines(in, blockSize, [&](const char *begin, const char *whole,
                                                        const char *) {
        const char *p = begin;
        const char *kept = p;
        while (p < whole && !done()) {
            const char *const end = nextLineEnd(p, whole);
            const char *next = end < whole ? end + 1 : end;
            if (next < whole && *end == '\r' && *next == '\n')
                ++next;
            ++line;
            const QByteArrayView text(p, end - p);
            qint64 *found = nullptr;
            if (!linkLine && !link.isEmpty() && text == link)
                found = &linkLine;
            else if (!miLine && !mi.isEmpty() && text == mi)
                found = &miLine;
            if (found) {
                *found = line;
                pass(kept, p);
                kept = next;
            }
            p = next;
        }
        pass(kept, whole);
        return written && (out || !done());
    });
    return read && written;
}
}

bool RayrcRemoval::locate(const QString &path, const QString &link, const QString &mi,
                          qint64 &linkLine, qint64 &miLine)
{
    QFile in;
    return openRegularFile(in, path)
           && stream(in, 256 * 1024, entryText(link), entryText(mi), linkLine, miLine, {});
}

RayrcRemoval RayrcRemoval::plan(const QString &mrDir, const QString &link, const QString &mi)
{
    RayrcRemoval removal;
    removal.link = link;
    removal.mi = mi;
    removal.path = rayrcPath(mrDir);
    if (removal.path.isEmpty())
        return removal;
    try {
        if (!locate(removal.path, link, mi, removal.linkLine, removal.miLine)) {
            removal.outcome = Unreadable;
            return removal;
        }
    } catch (const std::bad_alloc &) {
        removal.outcome = OutOfMemory;
        return removal;
    }
    if (removal.linkLine == 0 && removal.miLine == 0)
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
    try {
        // Read again: the lines to take out are found in what is there now.
        QFile in;
        FileRewrite out(path);
        if (!openRegularFile(in, path) || !out.open()) {
            outcome = WriteFailed;
            return false;
        }
        const bool whole = stream(in, blockSize, entryText(link), entryText(mi), linkLine, miLine,
                                  [&out](QByteArrayView bytes) { return out.write(bytes); });
        if (whole && linkLine == 0 && miLine == 0) {
            outcome = NoEntries;
            return true;
        }
        // Windows refuses to replace a file that is open, even by this process.
        in.close();
        if (!whole || !out.commit()) {
            outcome = WriteFailed;
            return false;
        }
    } catch (const std::bad_alloc &) {
        outcome = OutOfMemory;
        return false;
    }
    return true;
}

bool RayrcRemoval::keepsSomething() const
{
    return outcome == Unreadable || outcome == WriteFailed || outcome == NoDirectory
           || outcome == Busy || outcome == NoReceipt || outcome == OutOfMemory;
}

namespace {
// In the order of RayrcRemoval::Outcome.
constexpr const char *outcomeKeys[] = {
    "remove", "no-entries", "no-directory", "unreadable", "write-failed", "busy", "no-receipt",
    "out-of-memory",
};
static_assert(std::size(outcomeKeys) == RayrcRemoval::OutOfMemory + 1);
}

QString RayrcRemoval::key() const
{
    return QString::fromLatin1(outcomeKeys[outcome]);
}

QString RayrcRemoval::reason() const
{
    switch (outcome) {
    case NoDirectory:
        return tr("Aucun dossier Mental Ray n'est donné.");
    case Unreadable:
        return tr("%1 est introuvable, illisible ou n'est pas un fichier.").arg(path);
    case WriteFailed:
        return tr("L'écriture de %1 a échoué ; le fichier est resté tel qu'il était.").arg(path);
    case Busy:
        return RayrcStep::busyText(path);
    case NoReceipt:
        return tr("aucun reçu ne dit qu'elle a été écrite par une installation.");
    case OutOfMemory:
        return tr("%1 a une ligne trop longue pour la mémoire ; le fichier est resté tel qu'il était.")
                  .arg(path);
    case Remove:
    case NoEntries:
        break;
    }
    return QString();
}

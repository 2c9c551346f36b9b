#include "rayrc/rayrcremoval.h"

#include "files/paths.h"
#include "files/platform.h"
#include "files/filerewrite.h"
#include "files/textfile.h"
#include "i18n/outcometext.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcscan.h"
#include "rayrc/rayrcstep.h"

#include <QFile>
#include <QFileInfo>

#include <iterator>

namespace {
QByteArray entryText(const QString &line)
{
    return line.isEmpty() ? QByteArray() : '\t' + local8Bit(line);
}

using Sink = std::function<bool(QByteArrayView)>;

// Streams in to its end, finding the first line that is exactly link and
// the first other one that is exactly mi (an empty one is not looked for);
// every other byte goes to out when there is one, and each line found goes
// as its replacement (with its own line end) when it has one. Without out it
// stops once both are found.
LinesRead stream(QFileDevice &in, qsizetype blockSize, const QByteArray &link, const QByteArray &mi,
                 qint64 &linkLine, qint64 &miLine, const Sink &out, const QByteArray &newLink = {},
                 const QByteArray &newMi = {})
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
    const LinesRead read = readWholeLines(in, blockSize, [&](const char *begin, const char *whole,
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
            const QByteArray *replacement = nullptr;
            if (!linkLine && !link.isEmpty() && text == link) {
                found = &linkLine;
                replacement = &newLink;
            } else if (!miLine && !mi.isEmpty() && text == mi) {
                found = &miLine;
                replacement = &newMi;
            }
            if (found) {
                *found = line;
                pass(kept, p);
                kept = replacement->isEmpty() ? next : end;
                if (!replacement->isEmpty() && out)
                    written = written && out(*replacement);
            }
            p = next;
        }
        pass(kept, whole);
        return written && (out || !done());
    });
    return read == LinesRead::Read && !written ? LinesRead::Unreadable : read;
}
}

LinesRead RayrcRemoval::locate(const QString &path, const QString &link, const QString &mi,
                               qint64 &linkLine, qint64 &miLine)
{
    QFile in;
    if (!openRegularFile(in, path))
        return LinesRead::Unreadable;
    return stream(in, 256 * 1024, entryText(link), entryText(mi), linkLine, miLine, {});
}

RayrcRemoval RayrcRemoval::plan(const QString &mrDir, const QString &link, const QString &mi)
{
    RayrcRemoval removal;
    removal.link = link;
    removal.mi = mi;
    removal.path = rayrcPath(mrDir);
    if (removal.path.isEmpty())
        return removal;
    const LinesRead read = locate(removal.path, link, mi, removal.linkLine, removal.miLine);
    if (read != LinesRead::Read) {
        removal.outcome = read == LinesRead::TooLong ? Outcome::OutOfMemory : Outcome::Unreadable;
        return removal;
    }
    if (removal.linkLine == 0 && removal.miLine == 0)
        removal.outcome = Outcome::NoEntries;
    // Written in place when its folder is not writable: the file must be.
    else
        removal.outcome = QFileInfo(removal.path).isWritable() ? Outcome::Remove : Outcome::WriteFailed;
    return removal;
}

bool RayrcRemoval::apply()
{
    if (outcome != Outcome::Remove)
        return true;
    // Read again: the lines to take out are found in what is there now.
    QFile in;
    FileRewrite out(path);
    if (!openRegularFile(in, path) || !out.open()) {
        outcome = Outcome::WriteFailed;
        return false;
    }
    const LinesRead read = stream(in, blockSize, entryText(link), entryText(mi), linkLine, miLine,
                                  [&out](QByteArrayView bytes) { return out.write(bytes); },
                                  entryText(newLink), entryText(newMi));
    if (read == LinesRead::Read && linkLine == 0 && miLine == 0) {
        outcome = Outcome::NoEntries;
        return true;
    }
    // Windows refuses to replace a file that is open, even by this process.
    in.close();
    if (read != LinesRead::Read || !out.commit()) {
        outcome = read == LinesRead::TooLong ? Outcome::OutOfMemory : Outcome::WriteFailed;
        return false;
    }
    return true;
}

bool RayrcRemoval::keepsSomething() const
{
    return outcome != Outcome::Remove && outcome != Outcome::NoEntries;
}

namespace {
// In the order of RayrcRemoval::Outcome; the fact is the file. The file's
// own troubles are said as the update says them.
constexpr OutcomeText outcomeTexts[] = {
    {"remove", nullptr, nullptr},
    {"no-entries", nullptr, nullptr},
    {"no-directory", QT_TRANSLATE_NOOP("RayrcRemoval", "Aucun dossier Mental Ray n'est donné."), nullptr},
    {"unreadable", nullptr, nullptr},
    {"write-failed", nullptr, nullptr},
    {"busy", nullptr, nullptr},
    {"no-receipt",
     QT_TRANSLATE_NOOP("RayrcRemoval", "aucun reçu ne dit qu'elle a été écrite par une installation."), nullptr},
    {"out-of-memory", nullptr, nullptr},
};
static_assert(std::size(outcomeTexts) == int(RayrcRemoval::Outcome::OutOfMemory) + 1);
}

QString RayrcRemoval::key() const
{
    return QString::fromLatin1(outcomeTexts[int(outcome)].key);
}

QString RayrcRemoval::reason() const
{
    const OutcomeText &words = outcomeTexts[int(outcome)];
    if (!words.text)
        return keepsSomething() ? RayrcStep::reason(words.key, path) : QString();
    return outcomeText("RayrcRemoval", words.text, {nativePath(path)});
}

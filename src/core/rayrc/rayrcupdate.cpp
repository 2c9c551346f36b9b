#include "rayrc/rayrcupdate.h"

#include "files/fileidentity.h"
#include "files/paths.h"
#include "files/filerewrite.h"
#include "files/textfile.h"

#include <cstring>

namespace {
bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// The first CR or LF in [begin, end), or end.
const char *nextLineEnd(const char *begin, const char *end)
{
    const void *lf = std::memchr(begin, '\n', end - begin);
    const char *const limit = lf ? static_cast<const char *>(lf) : end;
    const void *cr = std::memchr(begin, '\r', limit - begin);
    return cr ? static_cast<const char *>(cr) : limit;
}

// Just past the last CR or LF in [begin, end), or null. Lines are short, so
// stepping back from the end finds it soon.
const char *pastLastLineEnd(const char *begin, const char *end)
{
    for (; end > begin; --end) {
        if (isLineEnd(end[-1]))
            return end;
    }
    return nullptr;
}

bool tabFollowedBy(const char *tab, const char *end, QByteArrayView word)
{
    return end - tab - 1 >= word.size() && std::memcmp(tab + 1, word.data(), word.size()) == 0;
}

QByteArray lineEndAt(const char *lineEnd, const char *end)
{
    if (*lineEnd == '\n')
        return QByteArrayLiteral("\n");
    return lineEnd + 1 < end && lineEnd[1] == '\n' ? QByteArrayLiteral("\r\n")
                                                   : QByteArrayLiteral("\r");
}

// Writes whole lines through to the rewrite, each entry above the first line
// of its kind.
class EntryWriter
{
public:
    EntryWriter(FileRewrite &out, const QString &link, const QString &mi)
        : out(out)
        , linkEntry('\t' + local8Bit(link))
        , miEntry('\t' + local8Bit(mi))
    {
    }

    bool done() const { return linkDone && miDone; }
    bool hasLineEnd() const { return !end.isEmpty(); }
    void setLineEnd(const QByteArray &lineEnd)
    {
        end = lineEnd;
        linkEntry += end;
        miEntry += end;
    }
    const QByteArray &lineEnd() const { return end; }

    // [begin, end) holds whole lines, the last one ended unless the file ends
    // there.
    bool take(const char *begin, const char *stop)
    {
        const char *written = begin;
        const char *from = begin;
        while (!done()) {
            const char *tab = static_cast<const char *>(std::memchr(from, '\t', stop - from));
            if (!tab)
                break;
            const bool wanted = (!linkDone && tabFollowedBy(tab, stop, "link"))
                                || (!miDone && tabFollowedBy(tab, stop, "mi"));
            if (!wanted) {
                from = tab + 1;
                continue;
            }
            const char *const lineEnd = nextLineEnd(tab, stop);
            const char *const lineStart = pastLastLineEnd(begin, tab);
            bool holdsLink = false;
            bool holdsMi = false;
            for (const char *t = tab; t;
                 t = static_cast<const char *>(std::memchr(t + 1, '\t', lineEnd - t - 1))) {
                holdsLink = holdsLink || (!linkDone && tabFollowedBy(t, lineEnd, "link"));
                holdsMi = holdsMi || (!miDone && tabFollowedBy(t, lineEnd, "mi"));
            }
            const char *const at = lineStart ? lineStart : begin;
            if (!out.write(QByteArrayView(written, at - written))
                || (holdsLink && !out.write(linkEntry)) || (holdsMi && !out.write(miEntry)))
                return false;
            linkDone = linkDone || holdsLink;
            miDone = miDone || holdsMi;
            written = at;
            from = lineEnd;
        }
        return out.write(QByteArrayView(written, stop - written));
    }

private:
    FileRewrite &out;
    QByteArray linkEntry;
    QByteArray miEntry;
    QByteArray end;
    bool linkDone = false;
    bool miDone = false;
};
}

bool updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi,
                     qsizetype blockSize)
{
    // An empty directory would name the maya.rayrc at the root of the disk.
    if (mrDir.isEmpty())
        return false;
    const QString path = joinPath(mrDir, QStringLiteral("maya.rayrc"));
    QFile in;
    if (!openRegularFile(in, path))
        return false;
    FileRewrite out(path);
    if (!out.open())
        return false;

    // Only the new entries are encoded; the old lines keep their bytes.
    EntryWriter writer(out, link, mi);
    // The line at hand, then the block read after it; its last byte waits
    // for the next block, which tells a CR alone from a CR LF.
    QByteArray buffer;
    qsizetype kept = 0;
    char last = 0;
    for (bool atEnd = false; !atEnd;) {
        if (buffer.size() < kept + blockSize)
            buffer.resize(qMax(kept + blockSize, 2 * buffer.size()));
        const qint64 got = in.read(buffer.data() + kept, blockSize);
        if (got < 0)
            return false;
        atEnd = got == 0;

        const char *const begin = buffer.constData();
        const char *const stop = begin + kept + got;
        const char *whole = stop;
        if (!atEnd) {
            const char *const lineEnd = pastLastLineEnd(begin + qMax<qsizetype>(kept - 1, 0), stop - 1);
            whole = lineEnd ? lineEnd : begin;
        }
        kept = stop - whole;
        if (whole == begin)
            continue;
        if (!writer.hasLineEnd()) {
            const char *const first = nextLineEnd(begin, whole);
            writer.setLineEnd(first < whole ? lineEndAt(first, stop) : nativeLineEnd());
        }
        if (!writer.take(begin, whole))
            return false;
        last = whole[-1];
        std::memmove(buffer.data(), whole, kept);
    }
    if (!writer.done() || (!isLineEnd(last) && !out.write(writer.lineEnd())))
        return false;
    return out.commit();
}

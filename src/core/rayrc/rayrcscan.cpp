#include "rayrc/rayrcscan.h"

#include <QFileDevice>

#include <algorithm>
#include <cstring>
#include <new>

namespace {
bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
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

}

const char *nextLineEnd(const char *begin, const char *end)
{
    const void *lf = std::memchr(begin, '\n', end - begin);
    const char *const limit = lf ? static_cast<const char *>(lf) : end;
    const void *cr = std::memchr(begin, '\r', limit - begin);
    return cr ? static_cast<const char *>(cr) : limit;
}

namespace {
bool tabFollowedBy(const char *tab, const char *end, const char *word, qsizetype size)
{
    return end - tab - 1 >= size && std::memcmp(tab + 1, word, size) == 0;
}

bool isLink(const char *tab, const char *end) { return tabFollowedBy(tab, end, "link", 4); }
bool isMi(const char *tab, const char *end) { return tabFollowedBy(tab, end, "mi", 2); }
}

namespace {
// How many bytes of [from, to) are LF, eight at a time: a maya.rayrc of
// hundreds of thousands of lines is counted through on every rewrite.
qint64 countLf(const char *from, const char *to)
{
    constexpr quint64 lows = 0x0101010101010101u;
    constexpr quint64 highs = 0x8080808080808080u;
    qint64 n = 0;
    for (; to - from >= 8; from += 8) {
        quint64 word;
        std::memcpy(&word, from, 8);
        // A byte of x is zero exactly where the byte was an LF; only there
        // does its top bit stay clear. The product adds up the eight flags.
        const quint64 x = word ^ (lows * '\n');
        const quint64 flags = (~(((x & ~highs) + ~highs) | x) & highs) >> 7;
        n += qint64((flags * lows) >> 56);
    }
    return n + std::count(from, to, '\n');
}
}

void RayrcScan::count(const char *from, const char *to)
{
    // Pieces never split a CR LF: a CR at the end of one is a line end.
    linesBefore += countLf(from, to);
    for (const char *cr = from; (cr = static_cast<const char *>(std::memchr(cr, '\r', to - cr)));
         ++cr) {
        if (cr + 1 == to || cr[1] != '\n')
            ++linesBefore;
    }
}

int RayrcScan::take(const char *begin, const char *end, Place places[2])
{
    int found = 0;
    const char *counted = begin;
    const char *from = begin;
    while (!done()) {
        const char *tab = static_cast<const char *>(std::memchr(from, '\t', end - from));
        if (!tab)
            break;
        if (!((linkLine == 0 && isLink(tab, end)) || (miLine == 0 && isMi(tab, end)))) {
            from = tab + 1;
            continue;
        }
        const char *const lineEnd = nextLineEnd(tab, end);
        const char *const lineStart = pastLastLineEnd(begin, tab);
        Place &place = places[found++];
        place.lineStart = lineStart ? lineStart : begin;
        for (const char *t = tab; t;
             t = static_cast<const char *>(std::memchr(t + 1, '\t', lineEnd - t - 1))) {
            place.link = place.link || (linkLine == 0 && isLink(t, lineEnd));
            place.mi = place.mi || (miLine == 0 && isMi(t, lineEnd));
        }
        count(counted, place.lineStart);
        counted = place.lineStart;
        if (place.link)
            linkLine = linesBefore + 1;
        if (place.mi)
            miLine = linesBefore + 1;
        from = lineEnd;
    }
    if (!done())
        count(counted, end);
    return found;
}

LinesRead readWholeLines(QFileDevice &file, qsizetype blockSize, const PieceReader &piece)
{
    // The line at hand, then the block read after it; its last byte waits
    // for the next block, which tells a CR alone from a CR LF.
    QByteArray buffer;
    qsizetype kept = 0;
    for (bool atEnd = false; !atEnd;) {
        // The only allocation that grows with the file: a line of gigabytes
        // is a file the program cannot rewrite, not a crash.
        try {
            if (buffer.size() < kept + blockSize)
                buffer.resize(qMax(kept + blockSize, 2 * buffer.size()));
        } catch (const std::bad_alloc &) {
            return LinesRead::TooLong;
        }
        const qint64 got = file.read(buffer.data() + kept, blockSize);
        if (got < 0)
            return LinesRead::Unreadable;
        atEnd = got == 0;

        const char *const begin = buffer.constData();
        const char *const stop = begin + kept + got;
        const char *whole = stop;
        if (!atEnd) {
            const char *lineEnd = pastLastLineEnd(begin + qMax<qsizetype>(kept - 1, 0), stop - 1);
            // A CR LF is one line end, never split between two pieces.
            if (lineEnd && lineEnd[-1] == '\r' && *lineEnd == '\n')
                ++lineEnd;
            whole = lineEnd ? lineEnd : begin;
        }
        kept = stop - whole;
        if (whole == begin)
            continue;
        if (!piece(begin, whole, stop))
            break;
        std::memmove(buffer.data(), whole, kept);
    }
    return LinesRead::Read;
}

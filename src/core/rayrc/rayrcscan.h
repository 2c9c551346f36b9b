#ifndef RAYRCSCAN_H
#define RAYRCSCAN_H

#include <QtGlobal>

#include <functional>

class QFileDevice;

// Where a shader's two entries go in maya.rayrc: above the first line that
// holds a tab followed by "link", and above the first that holds a tab
// followed by "mi" (one line may hold both; link then goes first). Lines end
// in LF, CR LF or CR alone. The preview and the update both read the file
// through this one scan, so the lines one names are those the other uses.
class RayrcScan
{
public:
    // A line an entry goes above, within the piece just taken.
    struct Place
    {
        const char *lineStart = nullptr;
        bool link = false;
        bool mi = false;
    };

    // Takes the next piece of the file, [begin, end): whole lines, the last
    // one ended unless the file ends there. Fills places (at most two) in
    // file order and returns how many there are.
    int take(const char *begin, const char *end, Place places[2]);

    bool done() const { return linkLine != 0 && miLine != 0; }

    // 1-based numbers of the lines the entries go above; 0 while not found.
    qint64 linkLine = 0;
    qint64 miLine = 0;

private:
    void count(const char *from, const char *to);

    qint64 linesBefore = 0; // lines ended before the point counted to
};

// The first CR or LF in [begin, end), or end.
const char *nextLineEnd(const char *begin, const char *end);

// Reads file to its end in blocks of blockSize bytes and hands piece each
// run of whole lines: [begin, whole), never ending between the CR and the
// LF of a line end, with the bytes read beyond it up to stop, so that the
// first line end can be told (a CR alone from a CR LF).
// The memory held is a block and the longest line. piece returns whether to
// read on.
enum class LinesRead {
    Read,       // to the end, or as far as piece wanted
    Unreadable, // a read error
    TooLong,    // a line longer than the memory there is
};
using PieceReader = std::function<bool(const char *begin, const char *whole, const char *stop)>;
LinesRead readWholeLines(QFileDevice &file, qsizetype blockSize, const PieceReader &piece);

#endif

// The maya.rayrc update: either the file stays byte-identical and the result
// is false, or exactly the two entries are added, each right above the first
// line of its kind, and nothing else changes but a line end for a last line
// that had none. Lines end in LF, CR LF or CR alone; the file is streamed in
// blocks small enough to split lines and CR LF pairs.
#include "fuzzsupport.h"
#include "rayrc/rayrcstep.h"
#include "rayrc/rayrcupdate.h"

#include <QDir>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    enterScratchFolder();
    return 0;
}

namespace {
struct Line
{
    QByteArray text;
    QByteArray end;
};

QList<Line> lines(const QByteArray &content)
{
    QList<Line> result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content.at(i) != '\n' && content.at(i) != '\r')
            continue;
        const qsizetype endSize = content.mid(i, 2) == "\r\n" ? 2 : 1;
        result.append({content.mid(start, i - start), content.mid(i, endSize)});
        i += endSize - 1;
        start = i + 1;
    }
    if (start < content.size())
        result.append({content.mid(start), QByteArray()});
    return result;
}

qsizetype firstWith(const QList<Line> &lines, const char *marker)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).text.contains(marker))
            return i;
    }
    return -1;
}
}

// Input: the link text and the mi text, each ended by a NUL, then the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype first = input.indexOf('\0');
    const qsizetype second = first < 0 ? -1 : input.indexOf('\0', first + 1);
    if (second < 0)
        return 0;
    QByteArray link = input.left(first);
    QByteArray mi = input.mid(first + 1, second - first - 1);
    link.replace('\n', "").replace('\r', "");
    mi.replace('\n', "").replace('\r', "");
    const QString linkText = QString::fromUtf8(link);
    const QString miText = QString::fromUtf8(mi);
    const QByteArray before = input.mid(second + 1);

    writeFile("maya.rayrc", before);
    const qsizetype blockSize = size % 3 == 0 ? 65536 : 1 + qsizetype(size / 3 % 7);
    const RayrcStep preview = RayrcStep::plan(QDir::currentPath());
    const RayrcStep step = updateRayrcFile(QDir::currentPath(), linkText, miText, blockSize);
    const bool result = step.outcome == RayrcStep::Update;
    const QByteArray after = readFile("maya.rayrc");

    QList<Line> expected = lines(before);
    const qsizetype linkAt = firstWith(expected, "\tlink");
    const qsizetype miAt = firstWith(expected, "\tmi");
    // The preview names the lines the update puts its entries above.
    FUZZ_CHECK(preview.linkLine == linkAt + 1 && preview.miLine == miAt + 1);
    FUZZ_CHECK(step.linkLine == preview.linkLine && step.miLine == preview.miLine);
    if (linkAt < 0 || miAt < 0) {
        FUZZ_CHECK(!result);
        FUZZ_CHECK(after == before);
        return 0;
    }
    FUZZ_CHECK(result);
    QByteArray end = "\n";
    for (const Line &line : std::as_const(expected)) {
        if (!line.end.isEmpty()) {
            end = line.end;
            break;
        }
    }
    if (expected.last().end.isEmpty())
        expected.last().end = end;
    const Line linkLine{'\t' + linkText.toUtf8(), end};
    const Line miLine{'\t' + miText.toUtf8(), end};
    if (miAt < linkAt) {
        expected.insert(linkAt, linkLine);
        expected.insert(miAt, miLine);
    } else {
        expected.insert(miAt, miLine);
        expected.insert(linkAt, linkLine);
    }
    QByteArray joined;
    for (const Line &line : std::as_const(expected))
        joined += line.text + line.end;
    FUZZ_CHECK(after == joined);
    return 0;
}

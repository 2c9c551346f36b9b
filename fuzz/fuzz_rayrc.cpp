// The maya.rayrc update: either the file stays byte-identical and the result
// is false, or exactly the two entries are added, each right above the first
// line of its kind, and nothing else changes but a line end for a last line
// that had none.
#include "fuzzsupport.h"
#include "shadertype.h"

#include <QDir>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    enterScratchFolder();
    return 0;
}

namespace {
qsizetype firstWith(const QList<QByteArray> &lines, const char *marker)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).contains(marker))
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
    const bool result = ShaderType::updateRayrc(QDir::currentPath(), linkText, miText);
    const QByteArray after = readFile("maya.rayrc");

    QList<QByteArray> expected = rawLines(before);
    const qsizetype linkAt = firstWith(expected, "\tlink");
    const qsizetype miAt = firstWith(expected, "\tmi");
    if (linkAt < 0 || miAt < 0) {
        FUZZ_CHECK(!result);
        FUZZ_CHECK(after == before);
        return 0;
    }
    FUZZ_CHECK(result);
    const QByteArray cr = expected.first().endsWith('\r') && before.contains('\n') ? "\r" : "";
    if (!before.endsWith('\n'))
        expected.last() += cr;
    const QByteArray linkLine = '\t' + linkText.toUtf8() + cr;
    const QByteArray miLine = '\t' + miText.toUtf8() + cr;
    if (miAt < linkAt) {
        expected.insert(linkAt, linkLine);
        expected.insert(miAt, miLine);
    } else {
        expected.insert(miAt, miLine);
        expected.insert(linkAt, linkLine);
    }
    FUZZ_CHECK(after == expected.join('\n') + '\n');
    return 0;
}

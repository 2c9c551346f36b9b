// The in-place directory updates of init.txt: a setter replaces or appends
// its own lines and keeps every other line, in order, byte for byte.
#include "configuration.h"
#include "fuzzsupport.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    enterScratchFolder();
    return 0;
}

namespace {
QByteArray withoutCr(const QByteArray &line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

// Line i without its line end: a '\r' belongs to the line end only when a
// '\n' follows it.
QByteArray textOf(const QList<QByteArray> &lines, qsizetype i, const QByteArray &content)
{
    const bool terminated = i < lines.size() - 1 || content.endsWith('\n');
    return terminated ? withoutCr(lines.at(i)) : lines.at(i);
}

// Line i of the new file is line i of the old one: the same text, and a last
// line that had no line end keeps its bytes and gains "\n" or "\r\n".
bool kept(const QList<QByteArray> &now, const QList<QByteArray> &old, qsizetype i,
          const QByteArray &before)
{
    const bool terminated = i < old.size() - 1 || before.endsWith('\n');
    if (terminated)
        return withoutCr(now.at(i)) == withoutCr(old.at(i));
    return now.at(i) == old.at(i) || now.at(i) == old.at(i) + '\r';
}

bool isMarker(const QList<QByteArray> &lines, qsizetype i, const QByteArray &content,
              const QByteArray &marker)
{
    if (i >= lines.size())
        return false;
    return textOf(lines, i, content) == marker;
}
}

// Input: one byte choosing the setter, the directory up to the first NUL,
// then the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool maya = data[0] & 1;
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const qsizetype split = rest.indexOf('\0');
    QByteArray directory = split < 0 ? rest : rest.left(split);
    const QByteArray before = split < 0 ? QByteArray() : rest.mid(split + 1);
    // An edit field holds one line.
    directory.replace('\n', "").replace('\r', "");
    const QString newDirectory = QString::fromUtf8(directory);
    const QByteArray encoded = newDirectory.toUtf8();

    writeFile("init.txt", before);
    if (maya)
        Configuration::setMayaPath(newDirectory);
    else
        Configuration::setMrPath(newDirectory);
    FUZZ_CHECK((maya ? Configuration::mayaPath : Configuration::mrPath) == newDirectory);

    const QByteArray after = readFile("init.txt");
    const QList<QByteArray> old = rawLines(before);
    const QList<QByteArray> now = rawLines(after);
    if (!isMarker(old, 0, before, "[MAYA_PATH]")) {
        FUZZ_CHECK(after == before);
        return 0;
    }
    if (maya) {
        FUZZ_CHECK(now.size() == qMax<qsizetype>(old.size(), 2));
        FUZZ_CHECK(kept(now, old, 0, before));
        FUZZ_CHECK(withoutCr(now.at(1)) == encoded);
        for (qsizetype i = 2; i < old.size(); ++i)
            FUZZ_CHECK(kept(now, old, i, before));
    } else if (isMarker(old, 2, before, "[MR_PATH]")) {
        FUZZ_CHECK(now.size() == qMax<qsizetype>(old.size(), 4));
        for (qsizetype i = 0; i < old.size(); ++i) {
            if (i != 3)
                FUZZ_CHECK(kept(now, old, i, before));
        }
        FUZZ_CHECK(withoutCr(now.at(3)) == encoded);
    } else if (old.size() <= 2) {
        // The marker goes to line 3, after an empty line 2 if there was none.
        FUZZ_CHECK(now.size() == 4);
        FUZZ_CHECK(kept(now, old, 0, before));
        FUZZ_CHECK(old.size() > 1 ? kept(now, old, 1, before) : now.at(1).isEmpty() || now.at(1) == "\r");
        FUZZ_CHECK(withoutCr(now.at(2)) == "[MR_PATH]");
        FUZZ_CHECK(withoutCr(now.at(3)) == encoded);
    } else {
        FUZZ_CHECK(after == before);
        return 0;
    }
    FUZZ_CHECK(after.endsWith('\n'));
    return 0;
}

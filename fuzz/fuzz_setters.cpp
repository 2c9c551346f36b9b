// The in-place directory updates of init.txt: a setter replaces or appends
// its own lines and keeps every other line, in order, byte for byte, with
// its line end; a value that is not one line is never written.
#include "configuration.h"
#include "fuzzsupport.h"

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
    bool operator==(const Line &other) const { return text == other.text && end == other.end; }
};

// A CR LF pair, a CR or an LF ends a line.
QList<Line> linesOf(const QByteArray &content)
{
    QList<Line> lines;
    Line line;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content.at(i);
        if (c != '\n' && c != '\r') {
            line.text += c;
            continue;
        }
        line.end = c == '\r' && content.mid(i + 1, 1) == "\n" ? "\r\n" : QByteArray(1, c);
        i += line.end.size() - 1;
        lines.append(line);
        line = {};
    }
    if (!line.text.isEmpty())
        lines.append(line);
    return lines;
}

// Line i of the new file is line i of the old one; a last line without an
// end gains the file's first one.
bool kept(const QList<Line> &now, const QList<Line> &old, qsizetype i, const QByteArray &end)
{
    return now.at(i) == Line{old.at(i).text, old.at(i).end.isEmpty() ? end : old.at(i).end};
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
    const QByteArray directory = split < 0 ? rest : rest.left(split);
    const QByteArray before = split < 0 ? QByteArray() : rest.mid(split + 1);
    const QString newDirectory = QString::fromUtf8(directory);
    const QByteArray encoded = newDirectory.toUtf8();

    writeFile("init.txt", before);
    if (maya)
        Configuration::setMayaPath(newDirectory);
    else
        Configuration::setMrPath(newDirectory);
    FUZZ_CHECK((maya ? Configuration::mayaPath : Configuration::mrPath) == newDirectory);

    const QByteArray after = readFile("init.txt");
    const QList<Line> old = linesOf(before);
    const QList<Line> now = linesOf(after);
    const bool oneLine = !encoded.contains('\n') && !encoded.contains('\r');
    const bool marker = !old.isEmpty()
                        && (old.first().text == "[MAYA_PATH]"
                            || old.first().text == "\xEF\xBB\xBF[MAYA_PATH]");
    if (!oneLine || !marker) {
        FUZZ_CHECK(after == before);
        return 0;
    }
    QByteArray end = "\n";
    for (const Line &line : old) {
        if (!line.end.isEmpty()) {
            end = line.end;
            break;
        }
    }
    const auto replaced = [&](qsizetype i) {
        const bool ended = i < old.size() && !old.at(i).end.isEmpty();
        return now.at(i) == Line{encoded, ended ? old.at(i).end : end};
    };
    if (maya) {
        FUZZ_CHECK(now.size() == qMax<qsizetype>(old.size(), 2));
        FUZZ_CHECK(kept(now, old, 0, end));
        FUZZ_CHECK(replaced(1));
        for (qsizetype i = 2; i < old.size(); ++i)
            FUZZ_CHECK(kept(now, old, i, end));
    } else if (old.size() > 2 && old.at(2).text == "[MR_PATH]") {
        FUZZ_CHECK(now.size() == qMax<qsizetype>(old.size(), 4));
        for (qsizetype i = 0; i < old.size(); ++i) {
            if (i != 3)
                FUZZ_CHECK(kept(now, old, i, end));
        }
        FUZZ_CHECK(replaced(3));
    } else if (old.size() <= 2) {
        // The marker goes to line 3, after an empty line 2 if there was none.
        FUZZ_CHECK(now.size() == 4);
        FUZZ_CHECK(kept(now, old, 0, end));
        FUZZ_CHECK((old.size() > 1 ? kept(now, old, 1, end) : now.at(1) == Line{"", end}));
        FUZZ_CHECK((now.at(2) == Line{"[MR_PATH]", end}));
        FUZZ_CHECK(replaced(3));
    } else {
        FUZZ_CHECK(after == before);
        return 0;
    }
    return 0;
}

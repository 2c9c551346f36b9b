// The in-place directory updates of init.txt, as the setters make them
// before writing: a directory's line is replaced or appended and every other
// line kept, in order, byte for byte, with its line end (a last line gains
// one only when a line comes after it), or the file is left alone.
#include "config/initfile.h"
#include "fuzzsupport.h"

#include <cstdint>

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

    // The setters never pass a value that is not one line.
    if (encoded.contains('\n') || encoded.contains('\r'))
        return 0;
    const QByteArray after = InitFile::withDirectory(before, encoded, !maya);
    const bool written = !after.isEmpty();
    const QList<FuzzLine> old = fuzzLines(before);
    const bool marker = !old.isEmpty()
                        && (old.first().text == "[MAYA_PATH]"
                            || old.first().text == "\xEF\xBB\xBF[MAYA_PATH]");
    if (!marker) {
        FUZZ_CHECK(!written);
        return 0;
    }
    QByteArray end = "\n";
    for (const FuzzLine &line : old) {
        if (!line.end.isEmpty()) {
            end = line.end;
            break;
        }
    }
    // What the file must be: line i replaced, or appended after a last line
    // that gets an end only then.
    QList<FuzzLine> want = old;
    const auto set = [&](qsizetype i, const QByteArray &text) {
        if (i < want.size()) {
            want[i].text = text;
            return;
        }
        if (want.last().end.isEmpty())
            want.last().end = end;
        want.append({text, end});
    };
    if (maya) {
        set(1, encoded);
    } else if (old.size() > 2 && old.at(2).text == "[MR_PATH]") {
        set(3, encoded);
    } else if (old.size() <= 2) {
        // The marker goes to line 3, after an empty line 2 if there was none.
        if (old.size() < 2)
            set(1, QByteArray());
        set(2, "[MR_PATH]");
        set(3, encoded);
    } else {
        FUZZ_CHECK(!written);
        return 0;
    }
    FUZZ_CHECK(after == joinFuzzLines(want));
    return 0;
}

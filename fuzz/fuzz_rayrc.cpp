// The maya.rayrc update: either the file stays byte-identical and the result
// is false, or exactly the two entries are added, each right above the first
// line of its kind, and nothing else changes but a line end for a last line
// that had none; the removal then takes out exactly the lines it names.
// Lines end in LF, CR LF or CR alone; the file is streamed in blocks small
// enough to split lines and CR LF pairs.
#include "fuzzsupport.h"
#include "rayrc/rayrcremoval.h"
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
qsizetype firstWith(const QList<FuzzLine> &lines, const char *marker)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).text.contains(marker))
            return i;
    }
    return -1;
}

qsizetype firstExactly(const QList<FuzzLine> &lines, const QByteArray &text, qsizetype other = -1)
{
    for (qsizetype i = 0; !text.isEmpty() && i < lines.size(); ++i) {
        if (i != other && lines.at(i).text == text)
            return i;
    }
    return -1;
}

// The removal takes out the first line that is exactly the link entry and
// the first other one that is exactly the mi entry, each with its end, and
// nothing else; given new lines, it puts each in the place of the one it
// found, keeping that line's end.
void checkRemoval(const QString &linkText, const QString &miText, qsizetype blockSize)
{
    // Every other block size replaces instead, with lines the file may hold too.
    const bool replacing = blockSize % 2 == 0;
    const QString newTexts[] = {replacing ? miText : QString(), replacing ? QStringLiteral("link \"new.so\";") : QString()};
    const QByteArray before = readFile("maya.rayrc");
    QList<FuzzLine> expected = fuzzLines(before);
    const qsizetype linkAt = firstExactly(expected, linkText.isEmpty() ? QByteArray() : '\t' + linkText.toUtf8());
    const qsizetype miAt = firstExactly(expected, miText.isEmpty() ? QByteArray() : '\t' + miText.toUtf8(), linkAt);
    RayrcRemoval removal = RayrcRemoval::plan(QDir::currentPath(), linkText, miText);
    removal.blockSize = blockSize;
    removal.newLink = newTexts[0];
    removal.newMi = newTexts[1];
    FUZZ_CHECK(removal.linkLine == linkAt + 1 && removal.miLine == miAt + 1);
    FUZZ_CHECK(removal.outcome == (linkAt < 0 && miAt < 0 ? RayrcRemoval::Outcome::NoEntries : RayrcRemoval::Outcome::Remove));
    FUZZ_CHECK(removal.apply());
    const qsizetype found[] = {linkAt, miAt};
    for (const int i : {linkAt > miAt ? 0 : 1, linkAt > miAt ? 1 : 0}) {
        if (found[i] >= 0 && newTexts[i].isEmpty())
            expected.removeAt(found[i]);
        else if (found[i] >= 0)
            expected[found[i]].text = '\t' + newTexts[i].toUtf8();
    }
    FUZZ_CHECK(readFile("maya.rayrc") == joinFuzzLines(expected));
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
    const bool result = step.outcome == RayrcStep::Outcome::Update;
    const QByteArray after = readFile("maya.rayrc");

    QList<FuzzLine> expected = fuzzLines(before);
    const qsizetype linkAt = firstWith(expected, "\tlink");
    const qsizetype miAt = firstWith(expected, "\tmi");
    // The preview names the lines the update puts its entries above.
    FUZZ_CHECK(preview.linkLine == linkAt + 1 && preview.miLine == miAt + 1);
    FUZZ_CHECK(step.linkLine == preview.linkLine && step.miLine == preview.miLine);
    if (linkAt < 0 || miAt < 0) {
        FUZZ_CHECK(!result);
        FUZZ_CHECK(after == before);
        checkRemoval(linkText, miText, blockSize);
        return 0;
    }
    FUZZ_CHECK(result);
    QByteArray end = "\n";
    for (const FuzzLine &line : std::as_const(expected)) {
        if (!line.end.isEmpty()) {
            end = line.end;
            break;
        }
    }
    if (expected.last().end.isEmpty())
        expected.last().end = end;
    const FuzzLine linkLine{'\t' + linkText.toUtf8(), end};
    const FuzzLine miLine{'\t' + miText.toUtf8(), end};
    // An empty entry is not written: the one there already is kept.
    const auto insert = [&](qsizetype at, const FuzzLine &line, const QString &text) {
        if (!text.isEmpty())
            expected.insert(at, line);
    };
    if (miAt < linkAt) {
        insert(linkAt, linkLine, linkText);
        insert(miAt, miLine, miText);
    } else {
        insert(miAt, miLine, miText);
        insert(linkAt, linkLine, linkText);
    }
    FUZZ_CHECK(after == joinFuzzLines(expected));
    checkRemoval(linkText, miText, blockSize);
    return 0;
}

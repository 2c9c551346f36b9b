#include "config/initfile.h"

#include "files/textfile.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>

namespace {
const QByteArray utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr auto keepBom = QStringConverter::Flag::Stateless
                         | QStringConverter::Flag::ConvertInitialBom;

// A BOM says the file is UTF-8, whatever the system's encoding.
QStringConverter::Encoding encodingFor(bool bom)
{
    return bom ? QStringConverter::Utf8 : QStringConverter::System;
}

bool sameRows(const QVector<ShaderFileRow> &a, const QVector<ShaderFileRow> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ShaderFileRow &x, const ShaderFileRow &y) {
                          return x.extension == y.extension && x.path == y.path
                                 && x.mandatory == y.mandatory;
                      });
}

bool sameTypes(const QVector<ShaderType> &a, const QVector<ShaderType> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ShaderType &x, const ShaderType &y) {
                          return x.name == y.name && sameRows(x.rows, y.rows);
                      });
}
}

ValueProblem storageProblem(const QString &value, ValueKind kind, bool bom)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return ValueProblem::LineBreak;
    if (kind == ValueKind::RowField && value.contains(QLatin1Char('*')))
        return ValueProblem::FieldSeparator;
    QStringEncoder encoder(encodingFor(bom), keepBom);
    QStringDecoder decoder(encodingFor(bom), keepBom);
    if (decoder.decode(encoder.encode(value)) != value || encoder.hasError() || decoder.hasError())
        return ValueProblem::NotEncodable;
    return ValueProblem::None;
}

QByteArray InitFile::mayaMarker()
{
    return QByteArrayLiteral("[MAYA_PATH]");
}

QByteArray InitFile::mrMarker()
{
    return QByteArrayLiteral("[MR_PATH]");
}

bool InitFile::hasBom(QByteArrayView content)
{
    return content.startsWith(utf8Bom);
}

QByteArray InitFile::encode(const QString &text, bool bom)
{
    return QStringEncoder(encodingFor(bom), keepBom).encode(text);
}

bool InitFile::isMayaMarkerLine(const QByteArray &firstLine)
{
    return firstLine == mayaMarker() || firstLine == utf8Bom + mayaMarker();
}

InitFile InitFile::parse(const QByteArray &bytes)
{
    InitFile file;
    // The BOM is taken off by hand: the decoder keeps any other U+FEFF.
    file.bom = hasBom(bytes);
    const QByteArrayView raw = QByteArrayView(bytes).sliced(file.bom ? utf8Bom.size() : 0);
    file.lineEnd = firstLineEnd(raw);

    // Decoded whole first: a stream on the file grows its buffer by copying
    // at every block, which is quadratic on a long line.
    QStringDecoder decoder(encodingFor(file.bom), keepBom);
    QString content = decoder.decode(raw);
    // A save writes back what was decoded: bytes that do not come through
    // unchanged would be replaced for good.
    file.decodable = !decoder.hasError() && encode(content, file.bom) == raw;
    // The stream below ends lines at LF only.
    content.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextStream in(&content, QIODevice::ReadOnly);

    // Loading stops at a marker line without its marker, or with nothing
    // after it; lines left then are ones the loader could not take in.
    const auto stopsAt = [&in, &file](Stop stop, const QByteArray &marker) {
        const QString line = in.readLine();
        const bool hasMarker = line.contains(QLatin1String(marker));
        if (hasMarker && !in.atEnd())
            return false;
        file.stop = stop;
        file.unread = !hasMarker && !(line.isEmpty() && in.atEnd());
        return true;
    };

    if (stopsAt(Stop::MayaMarker, mayaMarker()))
        return file;
    file.mayaPath = in.readLine();
    if (stopsAt(Stop::MrMarker, mrMarker()))
        return file;
    file.mrPath = in.readLine();

    // The line in hand is looked at only while more data follows it.
    QString line = in.readLine();
    while (!in.atEnd()) {
        if (line.contains(QLatin1Char('['))) {
            ShaderType type;
            type.read(in, line.chopped(1).mid(1));
            file.shaderTypes.append(type);
        }
        line = in.readLine();
    }
    return file;
}

QByteArray InitFile::serialize() const
{
    QString text;
    QTextStream out(&text);
    out << mayaMarker() << '\n' << mayaPath << '\n' << mrMarker() << '\n' << mrPath << '\n';
    for (const ShaderType &type : shaderTypes)
        type.write(out);
    out.flush();
    QByteArray bytes = encode(text, bom);
    const QByteArray end = lineEnd.isEmpty() ? nativeLineEnd() : lineEnd;
    if (end != "\n")
        bytes.replace('\n', end);
    return bom ? utf8Bom + bytes : bytes;
}

bool operator==(const InitFile &a, const InitFile &b)
{
    return a.mayaPath == b.mayaPath && a.mrPath == b.mrPath
           && sameTypes(a.shaderTypes, b.shaderTypes) && a.stop == b.stop && a.unread == b.unread
           && a.bom == b.bom && a.lineEnd == b.lineEnd && a.decodable == b.decodable;
}

QByteArray InitFile::withDirectory(const QByteArray &content, const QByteArray &text, bool mentalRay)
{
    QList<TextLine> lines = splitLines(content);
    if (lines.isEmpty() || !isMayaMarkerLine(lines.first().text))
        return QByteArray();
    const QByteArray end = firstLineEnd(content);
    // Line i replaced, or added after a last line that gets an end only then.
    const auto set = [&](qsizetype i, const QByteArray &line) {
        if (i < lines.size()) {
            lines[i].text = line;
            return;
        }
        if (lines.last().end.isEmpty())
            lines.last().end = end;
        lines.append({line, end});
    };
    if (!mentalRay) {
        set(1, text);
    } else if (lines.size() > 2 && lines.at(2).text == mrMarker()) {
        set(3, text);
    } else if (lines.size() <= 2) {
        // The marker must land on line 3, or every later keystroke would
        // add it again.
        if (lines.size() < 2)
            set(1, QByteArray());
        set(2, mrMarker());
        set(3, text);
    } else {
        // Line 3 is something else: adding lines would not make it a
        // marker, only add lines at every keystroke.
        return QByteArray();
    }
    return joinLines(lines);
}

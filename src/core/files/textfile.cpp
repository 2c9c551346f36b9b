#include "files/textfile.h"

#include "files/filerewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

QList<TextLine> splitLines(const QByteArray &content)
{
    QList<TextLine> lines;
    const qsizetype size = content.size();
    qsizetype start = 0;
    // The next LF is looked for again only once passed: in a file of CR-only
    // lines, a search per line would run to the end of the file each time.
    qsizetype nextLf = -1;
    while (start < size) {
        if (nextLf < start) {
            nextLf = content.indexOf('\n', start);
            if (nextLf < 0)
                nextLf = size;
        }
        const qsizetype cr = QByteArrayView(content).sliced(start, nextLf - start).indexOf('\r');
        const qsizetype textEnd = cr < 0 ? nextLf : start + cr;
        if (textEnd == size) {
            lines.append({content.mid(start), QByteArray()});
            break;
        }
        const bool crlf = content.at(textEnd) == '\r' && textEnd + 1 == nextLf;
        const qsizetype endLength = crlf ? 2 : 1;
        lines.append({content.mid(start, textEnd - start), content.mid(textEnd, endLength)});
        start = textEnd + endLength;
    }
    return lines;
}

QByteArray joinLines(const QList<TextLine> &lines)
{
    QByteArray out;
    for (const TextLine &line : lines)
        out += line.text + line.end;
    return out;
}

QByteArray local8Bit(const QString &text)
{
    return QStringEncoder(QStringConverter::System).encode(text);
}

QByteArray nativeLineEnd()
{
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

QByteArray firstLineEnd(QByteArrayView content)
{
    const qsizetype lf = content.indexOf('\n');
    const qsizetype cr = content.first(lf < 0 ? content.size() : lf).indexOf('\r');
    if (cr >= 0)
        return cr + 1 == lf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\r");
    return lf < 0 ? nativeLineEnd() : QByteArrayLiteral("\n");
}

bool readWholeFile(const QString &path, QByteArray &content, QString *why)
{
    QFile file(path);
    const bool read = QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)
                      && (content = file.readAll(), file.error() == QFileDevice::NoError);
    if (!read && why)
        *why = QFileInfo(path).isFile() ? file.errorString() : QStringLiteral("not a regular file");
    return read;
}

bool writeWholeFile(const QString &path, const QByteArray &content)
{
    FileRewrite file(path);
    return file.open() && file.write(content) && file.commit();
}

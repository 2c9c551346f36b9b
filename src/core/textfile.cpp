#include "textfile.h"

#include "safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

QList<TextLine> splitLines(const QByteArray &content)
{
    QList<TextLine> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype newline = content.indexOf('\n', start);
        if (newline < 0) {
            lines.append({content.mid(start), QByteArray()});
            break;
        }
        const bool crlf = newline > start && content.at(newline - 1) == '\r';
        const qsizetype textEnd = crlf ? newline - 1 : newline;
        lines.append({content.mid(start, textEnd - start), content.mid(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
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

QByteArray lineEndOf(const QByteArray &content)
{
    const qsizetype newline = content.indexOf('\n');
    if (newline < 0)
        return nativeLineEnd();
    return newline > 0 && content.at(newline - 1) == '\r' ? QByteArrayLiteral("\r\n")
                                                          : QByteArrayLiteral("\n");
}

bool readWholeFile(const QString &path, QByteArray &content)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    content = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool writeWholeFile(const QString &path, const QByteArray &content)
{
    return writeWholeFile(path, QList<QByteArrayView>{content});
}

bool writeWholeFile(const QString &path, const QList<QByteArrayView> &pieces)
{
    FileRewrite file(path);
    if (!file.open())
        return false;
    for (const QByteArrayView piece : pieces) {
        if (!file.write(piece))
            return false;
    }
    return file.commit();
}

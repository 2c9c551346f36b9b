#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

void enterScratchFolder()
{
    static QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
}

QByteArray readFile(const char *name)
{
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const char *name, const QByteArray &content)
{
    QFile file(QString::fromLatin1(name));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(content) == content.size());
}

QList<FuzzLine> fuzzLines(const QByteArray &content)
{
    QList<FuzzLine> result;
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

QByteArray joinFuzzLines(const QList<FuzzLine> &lines)
{
    QByteArray joined;
    for (const FuzzLine &line : lines)
        joined += line.text + line.end;
    return joined;
}

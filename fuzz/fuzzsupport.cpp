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

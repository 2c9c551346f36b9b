#include "files/paths.h"

#include <QDir>

QString nativePath(const QString &path)
{
    return path.isEmpty() ? path : QDir::toNativeSeparators(QDir::cleanPath(path));
}

QString joinPath(const QString &directory, const QString &name)
{
    return QDir::toNativeSeparators(directory) + QDir::separator() + name;
}

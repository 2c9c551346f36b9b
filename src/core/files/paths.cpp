#include "files/paths.h"

#include <QDir>
#include <QFileInfo>

QString nativePath(const QString &path)
{
    return path.isEmpty() ? path : QDir::toNativeSeparators(QDir::cleanPath(path));
}

QString joinPath(const QString &directory, const QString &name)
{
    return QDir::toNativeSeparators(directory) + QDir::separator() + name;
}

bool nameTaken(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

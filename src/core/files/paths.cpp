#include "files/paths.h"

#include <QDir>

QString joinPath(const QString &directory, const QString &name)
{
    return QDir::toNativeSeparators(directory) + QDir::separator() + name;
}

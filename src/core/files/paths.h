#ifndef PATHS_H
#define PATHS_H

#include <QString>

// Joins a directory text and a name with the platform's separator, and
// nothing more: a directory ending in a separator gets a second one.
QString joinPath(const QString &directory, const QString &name);

#endif

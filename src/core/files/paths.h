#ifndef PATHS_H
#define PATHS_H

#include <QString>

// Joins a directory text and a name with the platform's separator, and
// nothing more: a directory ending in a separator gets a second one. On
// Windows the directory's own slashes become backslashes too, so that a path
// Qt gives ("C:/...") and one the user typed read alike.
QString joinPath(const QString &directory, const QString &name);

// A path as the user's system writes it, for the user to read: its own
// separators, none doubled.
QString nativePath(const QString &path);

// Whether anything has that name: a file, a folder, or a link, even one
// that leads nowhere.
bool nameTaken(const QString &path);

#endif

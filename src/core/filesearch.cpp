#include "filesearch.h"

#include "paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {
bool isHit(const QString &name, const QString &extension)
{
    // Only the first occurrence counts: a name that starts with the
    // extension is no hit, whatever follows.
    return name.indexOf(extension, 0, Qt::CaseSensitive) >= 1;
}

QString search(const QString &extension, const QString &directory, const QString &canonical,
               QString &foundPath, QString &foundName, QSet<QString> &visited)
{
    // Folder links are followed, but a folder is searched once, so a cycle ends.
    if (!canonical.isEmpty()) {
        if (visited.contains(canonical))
            return QString();
        visited.insert(canonical);
    }

    const QFileInfoList entries = QDir(directory).entryInfoList();
    if (entries.isEmpty())
        return QString();

    QString path;
    for (const QFileInfo &entry : entries) {
        // A FIFO or a device is no file to copy: the search goes on.
        if (entry.isFile() && isHit(entry.fileName(), extension)) {
            path = joinPath(directory, entry.fileName());
            foundName = entry.fileName();
            break;
        }
    }
    if (path.isEmpty()) {
        for (const QFileInfo &entry : entries) {
            const QString name = entry.fileName();
            if (!entry.isDir() || name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            // Only a link can lead elsewhere; resolving every folder would
            // cost a walk up the whole path each time.
            const QString subCanonical = entry.isSymbolicLink() || entry.isJunction()
                                             ? entry.canonicalFilePath()
                                             : canonical + QLatin1Char('/') + name;
            QString subPath;
            QString subName = name;
            // Only a file really found below counts; a folder whose own name
            // holds the extension must not end the search.
            if (!search(extension, joinPath(directory, name), subCanonical, subPath, subName,
                        visited)
                     .isEmpty()) {
                path = subPath;
                foundName = subName;
                break;
            }
        }
    }
    foundPath = path;
    return path;
}
}

QString findShaderFile(const QString &extension, const QString &directory, QString &foundPath,
                       QString &foundName)
{
    QSet<QString> visited;
    return search(extension, directory, QFileInfo(directory).canonicalFilePath(), foundPath,
                  foundName, visited);
}

#include "install/filesearch.h"

#include "files/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QVector>

#include <algorithm>

namespace {
struct Entry
{
    QString key; // the name in lower case, the order the user sees
    QString name;
    QFileInfo info;
};

// needle is the extension after its dot; an empty extension finds nothing.
bool isHit(const QString &name, const QString &needle)
{
    return needle.size() > 1 && name.contains(needle, Qt::CaseSensitive);
}

// Name order ignoring case, as a folder listing shows it; names equal but
// for case are ordered by the exact name, so the filesystem's own listing
// order never decides which file is taken.
QVector<Entry> sortedEntries(const QString &directory)
{
    const QFileInfoList infos = QDir(directory).entryInfoList(QDir::NoFilter, QDir::Unsorted);
    QVector<Entry> entries;
    entries.reserve(infos.size());
    for (const QFileInfo &info : infos) {
        const QString name = info.fileName();
        entries.append({name.toLower(), name, info});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

QString search(const QString &needle, const QString &directory, const QString &canonical,
               QString &foundPath, QString &foundName, QSet<QString> &visited)
{
    // Folder links are followed, but a folder is searched once, so a cycle ends.
    if (!canonical.isEmpty()) {
        if (visited.contains(canonical))
            return QString();
        visited.insert(canonical);
    }

    const QVector<Entry> entries = sortedEntries(directory);
    if (entries.isEmpty())
        return QString();

    QString path;
    for (const Entry &entry : entries) {
        // Only a regular file (after links) can be copied: a FIFO would hang
        // the copy, a device would give an empty or endless file.
        if (isHit(entry.name, needle) && entry.info.isFile()) {
            path = joinPath(directory, entry.name);
            foundName = entry.name;
            break;
        }
    }
    if (path.isEmpty()) {
        for (const Entry &entry : entries) {
            const QString &name = entry.name;
            if (!entry.info.isDir() || name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            // Only a link can lead elsewhere; resolving every folder would
            // cost a walk up the whole path each time.
            const QString subCanonical = entry.info.isSymbolicLink() || entry.info.isJunction()
                                             ? entry.info.canonicalFilePath()
                                             : canonical + QLatin1Char('/') + name;
            QString subPath;
            QString subName = name;
            // Only a file really found below counts; a folder whose own name
            // holds the extension must not end the search.
            if (!search(needle, joinPath(directory, name), subCanonical, subPath, subName, visited)
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
    return search(QLatin1Char('.') + extension, directory,
                  QFileInfo(directory).canonicalFilePath(), foundPath, foundName, visited);
}

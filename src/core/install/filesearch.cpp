#include "install/filesearch.h"

#include "files/paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
struct Entry
{
    QString key; // the name in lower case, the order the user sees
    QString name;
    QFileInfo info;
};

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
}

// One depth-first walk; every extension still without a file is looked for
// in each folder it enters, so each finds what a walk of its own would.
class ShaderSearchWalk
{
public:
    ShaderSearch &search;
    QStringList needles;   // the extension after its dot, by extension
    QVector<int> pending;  // the extensions still without a file

    void enter(const QString &directory, bool top)
    {
        // Folder links are followed, but a folder is searched once, so a
        // cycle ends, however long its path has grown.
        FolderKey key;
        if (folderKey(directory, key)) {
            if (search.visited.contains(key))
                return;
            search.visited.insert(key);
        } else {
            search.unknownFolder = true;
        }

        const QVector<Entry> entries = sortedEntries(directory);
        if (top)
            search.listed = !entries.isEmpty();
        for (const Entry &entry : entries) {
            for (qsizetype i = 0; i < pending.size();) {
                const int row = pending.at(i);
                // Only a regular file (after links) can be copied: a FIFO
                // would hang the copy, a device would give an empty or
                // endless file.
                if (entry.name.contains(needles.at(row), Qt::CaseSensitive) && entry.info.isFile()) {
                    search.files[row] = {joinPath(directory, entry.name), entry.name};
                    pending.remove(i);
                } else {
                    ++i;
                }
            }
            if (pending.isEmpty())
                return;
        }
        for (const Entry &entry : entries) {
            const QString &name = entry.name;
            if (!entry.info.isDir() || name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            // A folder whose own name holds the extension is no hit.
            enter(joinPath(directory, name), false);
            if (pending.isEmpty())
                return;
        }
    }
};

ShaderSearch ShaderSearch::run(const QStringList &extensions, const QString &directory)
{
    ShaderSearch search;
    search.files.resize(extensions.size());
    ShaderSearchWalk walk{search, {}, {}};
    for (int i = 0; i < extensions.size(); ++i) {
        walk.needles.append(QLatin1Char('.') + extensions.at(i));
        // An empty extension finds nothing: it must not keep the walk going.
        if (!extensions.at(i).isEmpty())
            walk.pending.append(i);
    }
    walk.enter(directory, true);
    return search;
}

ShaderSearch ShaderSearch::ofRows(const QVector<ShaderFileRow> &rows, const QString &directory)
{
    QStringList extensions;
    for (const ShaderFileRow &row : rows)
        extensions.append(row.extension);
    return run(extensions, directory);
}

bool ShaderSearch::walked(const QString &folder) const
{
    FolderKey key;
    return unknownFolder || (folderKey(folder, key) && visited.contains(key));
}

QString findShaderFile(const QString &extension, const QString &directory, QString &foundPath,
                       QString &foundName)
{
    const ShaderSearch search = ShaderSearch::run({extension}, directory);
    if (!search.listed)
        return QString();
    const ShaderFile &file = search.files.first();
    foundPath = file.path;
    if (!file.path.isEmpty())
        foundName = file.name;
    return file.path;
}

#include "install/filesearch.h"

#include "files/paths.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {
struct Entry
{
    QString key; // the name in lower case, the order the user sees
    QString name;
};

// Name order ignoring case, as a folder listing shows it; names equal but
// for case are ordered by the exact name, so the filesystem's own listing
// order never decides which file is taken.
bool before(const Entry &a, const Entry &b)
{
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.name < b.name;
}

Entry entryOf(const FolderEntry &item)
{
    return {item.name.toLower(), item.name};
}

}

// One depth-first walk; every extension still without a file is looked for
// in each folder it enters, so each finds what a walk of its own would.
// Only hits and subfolders are put in order: most entries are neither.
class ShaderSearchWalk
{
public:
    ShaderSearch &search;
    QStringList needles;   // the extension after its dot, by extension
    QVector<int> pending;  // the extensions still without a file

    void enter(const QString &directory)
    {
        // Folder links are followed, but a folder is searched once, so a
        // cycle ends, however long its path has grown.
        FileId key;
        if (folderId(directory, key)) {
            if (search.visited.contains(key))
                return;
            search.visited.insert(key);
        } else {
            search.unknownFolder = true;
        }

        QVector<Entry> hits(needles.size());
        QVector<Entry> unreadable(needles.size());
        QVector<Entry> folders;
        for (const FolderEntry &item : listFolder(directory)) {
            // A folder whose own name holds the extension is no hit. A name
            // that is not UTF-8 may be the file, or a folder holding it: it
            // is kept for the rows that end with nothing else.
            QVector<Entry> &found = item.unreadable ? unreadable : hits;
            const bool mayHoldAny = item.unreadable && item.folder;
            std::optional<Entry> entry;
            for (const int row : std::as_const(pending)) {
                if (!(item.file || item.unreadable)
                    || !(mayHoldAny || item.name.contains(needles.at(row), Qt::CaseSensitive)))
                    continue;
                if (!entry)
                    entry = entryOf(item);
                if (found.at(row).name.isEmpty() || before(*entry, found.at(row)))
                    found[row] = *entry;
            }
            if (item.folder && !item.unreadable)
                folders.append(entry ? *entry : entryOf(item));
        }
        for (const int row : std::as_const(pending)) {
            // The first folder walked that has such a name tells.
            if (search.files.at(row).unreadable.isEmpty() && !unreadable.at(row).name.isEmpty())
                search.files[row].unreadable = joinPath(directory, unreadable.at(row).name);
        }
        for (qsizetype i = 0; i < pending.size();) {
            const QString &name = hits.at(pending.at(i)).name;
            if (name.isEmpty()) {
                ++i;
                continue;
            }
            search.files[pending.at(i)] = {joinPath(directory, name), name, {}};
            pending.remove(i);
        }
        if (pending.isEmpty())
            return;
        std::sort(folders.begin(), folders.end(), before);
        for (const Entry &folder : std::as_const(folders)) {
            enter(joinPath(directory, folder.name));
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
    // Only a folder that can be listed says that nothing was found in it.
    const QFileInfo top(directory);
    search.listed = top.isDir() && top.isReadable();
    walk.enter(directory);
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
    FileId key;
    return unknownFolder || (folderId(folder, key) && visited.contains(key));
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

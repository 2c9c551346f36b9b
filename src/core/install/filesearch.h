#ifndef FILESEARCH_H
#define FILESEARCH_H

#include "files/platform.h"
#include "install/shaderfilerow.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// The shader's file for an extension below a folder is the first regular
// file (after links), in name order ignoring case with ties broken by the
// exact name, whose name holds a dot followed by the extension
// (case-sensitive, at any dot). Files of a folder win over its subfolders,
// which are searched depth first; a folder reached twice (through links) is
// searched once.

struct ShaderFile
{
    QString path; // empty when none was found
    QString name;
    // When none was found: the first name below whose bytes are not UTF-8
    // (Qt can neither open nor enter it) that may be the file, or a folder
    // holding it.
    QString unreadable;
};

// Every extension's file from one walk, which ends as soon as each has one.
class ShaderSearch
{
public:
    [[nodiscard]] static ShaderSearch run(const QStringList &extensions, const QString &directory);
    // Each row's extension, in the order of the rows.
    [[nodiscard]] static ShaderSearch ofRows(const QVector<ShaderFileRow> &rows,
                                             const QString &directory);

    // In the order of the extensions.
    QVector<ShaderFile> files;
    // Whether the searched folder listed anything at all.
    bool listed = false;

    // Whether a new file in folder could change what the walk found: it is
    // one the walk went through.
    [[nodiscard]] bool walked(const QString &folder) const;

private:
    QSet<FileId> visited;
    // A folder that could not tell who it is was searched unguarded.
    bool unknownFolder = false;

    friend class ShaderSearchWalk;
};

// The same for one extension. Returns the full path, or an empty text; sets
// foundPath (empty when none was found) and, on a hit, foundName, but
// neither when the folder cannot be listed.
QString findShaderFile(const QString &extension, const QString &directory, QString &foundPath,
                       QString &foundName);

#endif

#ifndef FILESEARCH_H
#define FILESEARCH_H

#include <QString>

// Finds the shader's file for an extension below directory: the first entry,
// in name order ignoring case, whose name holds the extension (case-sensitive)
// at position 1 or later. Files of a folder win over its subfolders, which are
// searched depth first. Returns the full path, or an empty text.
QString findShaderFile(const QString &extension, const QString &directory, QString &foundPath,
                       QString &foundName);

#endif

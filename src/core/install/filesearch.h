#ifndef FILESEARCH_H
#define FILESEARCH_H

#include <QString>

// Finds the shader's file for an extension below directory: the first
// regular file (after links), in name order ignoring case with ties broken by
// the exact name, whose name holds a dot followed by the extension
// (case-sensitive, at any dot). Files of a folder win over its subfolders,
// which are searched depth first. Returns the full path, or an empty text.
QString findShaderFile(const QString &extension, const QString &directory, QString &foundPath,
                       QString &foundName);

#endif

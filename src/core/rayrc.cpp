#include "rayrc.h"

#include "paths.h"
#include "textfile.h"

#include <cstring>

namespace {
// Start of the line holding the first tab followed by word, or -1. Tabs are
// rare, so stepping from tab to tab beats a general substring search.
qsizetype firstEntryLine(const QByteArray &content, QByteArrayView word)
{
    const char *const begin = content.constData();
    const char *const end = begin + content.size();
    for (const char *tab = begin;
         (tab = static_cast<const char *>(std::memchr(tab, '\t', end - tab))) != nullptr; ++tab) {
        if (QByteArrayView(tab + 1, end - tab - 1).startsWith(word))
            return content.lastIndexOf('\n', tab - begin) + 1;
    }
    return -1;
}
}

QList<QByteArrayView> insertRayrcEntries(const QByteArray &content, const QByteArray &linkEntry,
                                         const QByteArray &miEntry)
{
    const qsizetype linkLine = firstEntryLine(content, "link");
    const qsizetype miLine = firstEntryLine(content, "mi");
    if (linkLine < 0 || miLine < 0)
        return {};

    const QByteArrayView all(content);
    QList<QByteArrayView> pieces;
    if (linkLine <= miLine) {
        pieces = {all.first(linkLine), linkEntry, all.sliced(linkLine, miLine - linkLine), miEntry,
                  all.sliced(miLine)};
    } else {
        pieces = {all.first(miLine), miEntry, all.sliced(miLine, linkLine - miLine), linkEntry,
                  all.sliced(linkLine)};
    }
    return pieces;
}

bool updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi)
{
    // An empty directory would name the maya.rayrc at the root of the disk.
    if (mrDir.isEmpty())
        return false;
    const QString path = joinPath(mrDir, QStringLiteral("maya.rayrc"));
    QByteArray content;
    if (!readWholeFile(path, content))
        return false;

    // Only the new entries are encoded; the old lines keep their bytes.
    const QByteArray end = lineEndOf(content);
    const QByteArray linkEntry = '\t' + local8Bit(link) + end;
    const QByteArray miEntry = '\t' + local8Bit(mi) + end;
    QList<QByteArrayView> pieces = insertRayrcEntries(content, linkEntry, miEntry);
    if (pieces.isEmpty())
        return false;
    if (!content.endsWith('\n'))
        pieces.append(end);
    return writeWholeFile(path, pieces);
}

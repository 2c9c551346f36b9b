#include "rayrc.h"

#include "paths.h"
#include "textfile.h"

#include <QStringEncoder>

namespace {
// Start of the line holding the first occurrence of marker, or -1.
qsizetype firstEntryLine(const QByteArray &content, const char *marker)
{
    const qsizetype at = content.indexOf(marker);
    if (at < 0)
        return -1;
    return content.lastIndexOf('\n', at) + 1;
}
}

bool insertRayrcEntries(const QByteArray &content, const QByteArray &link, const QByteArray &mi,
                        QByteArray &updated)
{
    const qsizetype linkLine = firstEntryLine(content, "\tlink");
    const qsizetype miLine = firstEntryLine(content, "\tmi");
    if (linkLine < 0 || miLine < 0)
        return false;

    const QByteArray end = lineEndOf(content);
    const QByteArray linkEntry = '\t' + link + end;
    const QByteArray miEntry = '\t' + mi + end;

    QByteArray out;
    out.reserve(content.size() + linkEntry.size() + miEntry.size() + end.size());
    if (linkLine <= miLine) {
        out.append(content.constData(), linkLine);
        out.append(linkEntry);
        out.append(content.constData() + linkLine, miLine - linkLine);
        out.append(miEntry);
        out.append(content.constData() + miLine, content.size() - miLine);
    } else {
        out.append(content.constData(), miLine);
        out.append(miEntry);
        out.append(content.constData() + miLine, linkLine - miLine);
        out.append(linkEntry);
        out.append(content.constData() + linkLine, content.size() - linkLine);
    }
    if (!out.endsWith('\n'))
        out.append(end);
    updated = std::move(out);
    return true;
}

bool updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi)
{
    const QString path = joinPath(mrDir, QStringLiteral("maya.rayrc"));
    QByteArray content;
    if (!readWholeFile(path, content))
        return false;

    QStringEncoder encoder(QStringConverter::System);
    const QByteArray linkBytes = encoder.encode(link);
    const QByteArray miBytes = encoder.encode(mi);
    QByteArray updated;
    if (!insertRayrcEntries(content, linkBytes, miBytes, updated))
        return false;
    content.clear();
    return writeWholeFile(path, updated);
}

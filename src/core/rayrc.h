#ifndef RAYRC_H
#define RAYRC_H

#include <QByteArray>
#include <QString>

#include <QList>

// Puts "\t" + link above the first line holding "\tlink" and "\t" + mi above
// the first line holding "\tmi" (link first when one line holds both). Every
// other byte stays as it was; a last line without a line end gets one.
// The result comes as pieces to write one after the other, so that a large
// file is never copied in memory; empty unless both kinds were found.
QList<QByteArrayView> insertRayrcEntries(const QByteArray &content, const QByteArray &linkEntry,
                                         const QByteArray &miEntry);

// Rewrites maya.rayrc in mrDir with the two entries, or leaves it as it was
// and returns false.
bool updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi);

#endif

#ifndef RAYRC_H
#define RAYRC_H

#include <QByteArray>
#include <QString>

// Puts "\t" + link above the first line holding "\tlink" and "\t" + mi above
// the first line holding "\tmi" (link first when one line holds both). Every
// other byte stays as it was; a last line without a line end gets one.
// Returns false, leaving updated untouched, unless both kinds were found.
bool insertRayrcEntries(const QByteArray &content, const QByteArray &link, const QByteArray &mi,
                        QByteArray &updated);

// Rewrites maya.rayrc in mrDir with the two entries, or leaves it as it was
// and returns false.
bool updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi);

#endif

#ifndef RAYRCBACKUP_H
#define RAYRCBACKUP_H

#include <QString>

class QDate;

// The day's copy of maya.rayrc, kept in the current directory as
// "maya.rayrc" followed by the date: at most one a day, never overwritten.
QString rayrcBackupPath(const QDate &today);
// Copies mrDir's maya.rayrc there unless the day's copy exists already.
bool backupRayrcFile(const QString &mrDir, const QDate &today);
// Takes the day's copy before maya.rayrc is rewritten; false when there is a
// maya.rayrc to keep but no copy of the day could be made.
bool keepRayrcBeforeRewrite(const QString &mrDir, const QDate &today);

#endif

#include "rayrc/rayrcbackup.h"

#include "files/paths.h"
#include "files/filerewrite.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

QString rayrcBackupPath(const QDate &today)
{
    const QString stamp = QStringLiteral("%1_%2_%3")
                              .arg(today.year(), 4, 10, QLatin1Char('0'))
                              .arg(today.month(), 2, 10, QLatin1Char('0'))
                              .arg(today.day(), 2, 10, QLatin1Char('0'));
    return joinPath(QDir::currentPath(), QStringLiteral("maya.rayrc") + stamp);
}

bool keepRayrcBeforeRewrite(const QString &mrDir, const QDate &today)
{
    return backupRayrcFile(mrDir, today) || QFileInfo(rayrcBackupPath(today)).isFile()
           || mrDir.isEmpty() || !QFileInfo(joinPath(mrDir, QStringLiteral("maya.rayrc"))).isFile();
}

bool backupRayrcFile(const QString &mrDir, const QDate &today)
{
    // An empty directory would name the maya.rayrc at the root of the disk.
    if (mrDir.isEmpty())
        return false;
    const QString source = joinPath(mrDir, QStringLiteral("maya.rayrc"));
    return copyRegularFile(source, rayrcBackupPath(today));
}

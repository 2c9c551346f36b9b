#include "rayrc/rayrcbackup.h"

#include "files/filerewrite.h"
#include "files/paths.h"
#include "rayrc/rayrcpath.h"

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

bool backupRayrcFile(const QString &mrDir, const QDate &today)
{
    const QString source = rayrcPath(mrDir);
    return !source.isEmpty() && copyRegularFile(source, rayrcBackupPath(today));
}

namespace {
RayrcBackup::Outcome outcomeNow(const RayrcBackup &backup)
{
    if (QFileInfo(backup.path).isFile())
        return RayrcBackup::AlreadyKept;
    if (backup.source.isEmpty() || !QFileInfo(backup.source).isFile())
        return RayrcBackup::NothingToKeep;
    return RayrcBackup::Take;
}
}

RayrcBackup RayrcBackup::plan(const QString &mrDir, const QDate &today)
{
    RayrcBackup backup;
    backup.source = rayrcPath(mrDir);
    backup.path = rayrcBackupPath(today);
    backup.day = today;
    backup.outcome = outcomeNow(backup);
    return backup;
}

bool RayrcBackup::apply()
{
    // Another run may have taken the copy since the plan was made.
    outcome = outcomeNow(*this);
    if (outcome != Take)
        return true;
    if (copyRegularFile(source, path))
        return true;
    // Still taken, by a run that came in between: as good.
    outcome = QFileInfo(path).isFile() ? AlreadyKept : Failed;
    return outcome != Failed;
}

#include "rayrc/rayrcbackup.h"

#include "files/filelock.h"
#include "files/filerewrite.h"
#include "files/paths.h"
#include "files/sidefiles.h"
#include "files/writejournal.h"
#include "rayrc/rayrcpath.h"

#include <QCryptographicHash>
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

namespace {
QString sourceRecord(const QString &backup)
{
    return backup + QStringLiteral(".source");
}

// A record is believed only when the user's own; a path is short.
QString ownerOf(const QString &backup)
{
    QByteArray owner;
    return readOwnFile(sourceRecord(backup), 64 * 1024, owner) ? QString::fromUtf8(owner.trimmed())
                                                                : QString();
}
}

QString rayrcBackupPathFor(const QString &source, const QDate &today)
{
    const QString first = rayrcBackupPath(today);
    const QString absolute = QFileInfo(source).absoluteFilePath();
    // A first copy of unknown origin (or another file's) is not this one's.
    if (!QFileInfo::exists(first) || ownerOf(first) == absolute)
        return first;
    const QByteArray hash =
        QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return first + QLatin1Char('_') + QString::fromLatin1(hash);
}

namespace {
RayrcBackup::Outcome outcomeNow(RayrcBackup &backup)
{
    if (backup.source.isEmpty() || !QFileInfo(backup.source).isFile())
        return RayrcBackup::NothingToKeep;
    backup.path = rayrcBackupPathFor(backup.source, backup.day);
    return QFileInfo::exists(backup.path) ? RayrcBackup::AlreadyKept : RayrcBackup::Take;
}
}

RayrcBackup RayrcBackup::plan(const QString &mrDir, const QDate &today)
{
    RayrcBackup backup;
    backup.source = rayrcPath(mrDir);
    backup.day = today;
    backup.path = rayrcBackupPath(today);
    backup.outcome = outcomeNow(backup);
    return backup;
}

bool RayrcBackup::apply()
{
    // The day's copies are named under one lock, and another run may have
    // taken this one since the plan was made.
    FileLock lock(rayrcBackupPath(day));
    if (!lock.lock()) {
        outcome = Failed;
        return false;
    }
    outcome = outcomeNow(*this);
    if (outcome != Take)
        return true;
    if (path == rayrcBackupPath(day)
        && !saveOwnFile(sourceRecord(path), QFileInfo(source).absoluteFilePath().toUtf8() + '\n')) {
        outcome = Failed;
        return false;
    }
    if (!copyWholeFile(source, path))
        outcome = Failed;
    return outcome != Failed;
}

RayrcBackup keepRayrcAtStartUp(const QString &mrDir, const QDate &today, bool takeCopy)
{
    RayrcBackup backup;
    const QString path = rayrcPath(mrDir);
    if (takeCopy)
        backup = RayrcBackup::plan(mrDir, today);
    const bool copy = backup.outcome == RayrcBackup::Take;
    if (path.isEmpty() || (!copy && !WriteJournal::pending(path)))
        return backup;
    // The copy decides again under the lock, once a dead run's file is put right.
    FileLock lock(path);
    if (!lock.lock())
        backup.outcome = copy ? RayrcBackup::Failed : backup.outcome;
    else if (copy)
        backup.apply();
    return backup;
}

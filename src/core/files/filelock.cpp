#include "files/filelock.h"

#include "files/paths.h"
#include "files/writejournal.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {
std::chrono::milliseconds waitLimit{10000};
std::function<void()> waitCallback;

QString lockPathFor(const QString &path)
{
    const QFileInfo file(path);
    if (QFileInfo(file.absolutePath()).isWritable())
        return path + QStringLiteral(".lock");
    // Named after the whole path, so that two files of one name elsewhere
    // do not share a lock.
    const QByteArray hash = QCryptographicHash::hash(file.absoluteFilePath().toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(12);
    const QString name = file.fileName() + QLatin1Char('-') + QString::fromLatin1(hash)
                         + QStringLiteral(".lock");
    const QString folder = QFileInfo(QDir::currentPath()).isWritable() ? QDir::currentPath()
                                                                       : QDir::tempPath();
    return joinPath(folder, name);
}
}

FileLock::FileLock(const QString &path)
    : target(path)
    , path(lockPathFor(path))
    , file(std::make_unique<QLockFile>(this->path))
{
    // A run may hold a large file for a long time; only a dead one's lock
    // is stale.
    file->setStaleLockTime(0);
}

FileLock::~FileLock() = default;

bool FileLock::lock()
{
    const QDeadlineTimer deadline(waitLimit);
    for (;;) {
        if (file->tryLock(std::chrono::milliseconds(50))) {
            // Before anything else: a run that died writing the file in
            // place left its old content to put back.
            WriteJournal::recover(target);
            return true;
        }
        if (file->error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        if (waitCallback)
            waitCallback();
    }
}

void FileLock::unlock()
{
    file->unlock();
}

std::chrono::milliseconds FileLock::timeout()
{
    return waitLimit;
}

void FileLock::setTimeout(std::chrono::milliseconds timeout)
{
    waitLimit = timeout;
}

void FileLock::setWaiter(std::function<void()> waiter)
{
    waitCallback = std::move(waiter);
}

#include "files/filelock.h"

#include "files/platform.h"
#include "files/sidefiles.h"
#include "files/writejournal.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
std::chrono::milliseconds waitLimit{10000};
std::function<void()> waitCallback;
}

FileLock::FileLock(const QString &path)
    : target(followUserLinks(path))
{
    // A link the rewrite will refuse: its own name is held meanwhile.
    if (target.isEmpty())
        target = path;
    this->path = sideFilePath(target, QStringLiteral(".lock"));
}

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::lock()
{
    held = false;
    if (path.isEmpty())
        return false;
    const QDeadlineTimer deadline(waitLimit);
    for (;;) {
        const LockAttempt attempt = tryLockFile(path, handle);
        if (attempt == LockAttempt::Taken) {
            // Before anything else: a run that died writing the file in
            // place left its old content to put back.
            WriteJournal::recover(target);
            return true;
        }
        if (attempt == LockAttempt::Failed)
            return false;
        if (deadline.hasExpired()) {
            held = true;
            return false;
        }
        if (waitCallback)
            waitCallback();
        QThread::msleep(50);
    }
}

void FileLock::unlock()
{
    if (handle == -1)
        return;
    unlockFile(path, handle);
    handle = -1;
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

#ifndef FILELOCK_H
#define FILELOCK_H

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QLockFile;

// Holds a user's file for one whole read, change and write, against every
// other run of either program: the dialog, any number of velkarinth-cli.
// The lock is a file named after the file with ".lock" added, beside it, or
// in the working folder when the file's own folder cannot be written (else
// in the temporary folder). A lock left by a run that died is taken over.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Waits at most timeout() for the lock, then gives up. Once it holds
    // the lock, puts back a file a run died writing in place.
    [[nodiscard]] bool lock();
    void unlock();
    QString lockPath() const { return path; }

    static std::chrono::milliseconds timeout();
    static void setTimeout(std::chrono::milliseconds timeout);
    // Called between tries while the lock is taken by someone else, so that
    // a dialog keeps painting itself.
    static void setWaiter(std::function<void()> waiter);

private:
    QString target;
    QString path;
    std::unique_ptr<QLockFile> file;
};

#endif

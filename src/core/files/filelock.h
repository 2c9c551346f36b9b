#ifndef FILELOCK_H
#define FILELOCK_H

#include <QString>

#include <chrono>
#include <functional>

// Holds a user's file for one whole read, change and write, against every
// other run of either program: the dialog, any number of velkarinth-cli.
//
//   FileLock lock(path);
//   if (!lock.lock())      // waits at most timeout()
//       ... lock.busy() ? another run holds it : no lock could be had ...
//   read, change and write path
//   // the destructor (or unlock()) lets go
//
// Taking the lock replays the journal of a run that died writing path in
// place, before anything reads it. The lock is an advisory lock on a lock
// file named after path (its links followed as a rewrite follows them),
// kept where side files go (see sidefiles.h); the system drops it when its
// process dies, so a dead run's lock never blocks.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    [[nodiscard]] bool lock();
    void unlock();
    QString lockPath() const { return path; }
    // After a failed lock(): whether another run held it, rather than no
    // lock could be had (no room, no rights, something planted at its name).
    bool busy() const { return held; }

    static std::chrono::milliseconds timeout();
    static void setTimeout(std::chrono::milliseconds timeout);
    // Called between tries while the lock is taken by someone else, so that
    // a dialog keeps painting itself.
    static void setWaiter(std::function<void()> waiter);

private:
    QString target;
    QString path;
    qintptr handle = -1;
    bool held = false;
};

#endif

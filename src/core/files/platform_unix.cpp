#include "files/platform.h"

#include "files/leftovers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif

FileIdentity fileIdentity(const QString &path)
{
    FileIdentity identity;
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    // The name itself: a link someone put there is no file to write through.
    if (::lstat(name.constData(), &status) != 0) {
        // Only a missing file may be created; any other failure is no file
        // to write to.
        identity.exists = errno != ENOENT;
        return identity;
    }
    identity.exists = true;
    identity.regular = S_ISREG(status.st_mode);
    identity.owner = status.st_uid;
    identity.group = status.st_gid;
    identity.mode = status.st_mode & 07777;
    bool attributes = false;
#ifdef Q_OS_LINUX
    // ACLs are extended attributes here too.
    attributes = ::listxattr(name.constData(), nullptr, 0) > 0;
#endif
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    identity.inPlaceOnly = status.st_nlink > 1 || attributes
                           || ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0;
    return identity;
}

bool folderId(const QString &path, FileId &id)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    id = {quint64(status.st_dev), quint64(status.st_ino)};
    return true;
}

bool takeIdentity(QFileDevice &replacement, const FileIdentity &original)
{
    const int fd = replacement.handle();
    if (!original.exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return false;
    const uid_t owner = status.st_uid == original.owner ? uid_t(-1) : uid_t(original.owner);
    const gid_t group = status.st_gid == original.group ? gid_t(-1) : gid_t(original.group);
    if ((owner != uid_t(-1) || group != gid_t(-1)) && ::fchown(fd, owner, group) != 0)
        return false;
    // After the owner: a change of owner clears the set-id bits.
    return ::fchmod(fd, original.mode) == 0;
}

bool syncToDisk(QFileDevice &file)
{
    return ::fsync(file.handle()) == 0;
}

// An open file is no obstacle here: its readers keep the old one.
Replacement replaceFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? Replacement::Done
               : Replacement::Refused;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool openRegularFile(QFile &file, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    // Non-blocking, and checked again once open: what was a file a moment
    // ago may be a FIFO now.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool createReplacement(QFile &file, const QString &path)
{
    file.setFileName(path);
    return file.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool createFileLike(QFile &file, const QString &path, const QFileDevice &like)
{
    struct stat status;
    if (::fstat(like.handle(), &status) != 0)
        return false;
    // The kernel takes the umask off, as for any new file.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 0777);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

Ownership ownership(const QString &path, bool followLinks)
{
    Ownership owned;
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if ((followLinks ? ::stat(name.constData(), &status) : ::lstat(name.constData(), &status)) != 0)
        return owned;
    owned.exists = true;
    owned.link = S_ISLNK(status.st_mode);
    owned.folder = S_ISDIR(status.st_mode);
    owned.sticky = status.st_mode & S_ISVTX;
    owned.ownedByUser = status.st_uid == ::geteuid() || status.st_uid == 0;
    // A link's own bits mean nothing; only who may replace it does.
    owned.othersWrite = !owned.link && (status.st_mode & (S_IWGRP | S_IWOTH));
    const passwd *user = ::getpwuid(status.st_uid);
    owned.owner = user ? QFile::decodeName(user->pw_name) : QString::number(status.st_uid);
    owned.mode = QStringLiteral("%1").arg(status.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return owned;
}

bool linkMayBeFollowed(const QString &path)
{
    struct stat link;
    struct stat folder;
    return ::lstat(QFile::encodeName(path).constData(), &link) == 0
           && ::stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &folder) == 0
           && (link.st_uid == ::geteuid() || link.st_uid == folder.st_uid);
}

bool makePrivateFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    struct stat status;
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode)
        || status.st_uid != ::geteuid())
        return false;
    return (status.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

bool holdAlone(QFile &, const QString &)
{
    // Nothing stops a reader here from seeing the rewrite: the journal
    // keeps it whole against a crash, and the lock against other runs.
    return true;
}

bool openFileHere(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    const int access = mode & QIODevice::WriteOnly ? (mode & QIODevice::ReadOnly ? O_RDWR : O_WRONLY)
                                                   : O_RDONLY;
    const int fd = ::open(QFile::encodeName(path).constData(), access | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0
        || !file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

QString canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool processRunning(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

bool removalRefused(const QString &)
{
    return false;
}

bool removeAtRestart(const QString &)
{
    // An open file can be removed here: one that cannot is not held.
    return false;
}

bool renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
#ifdef SYS_renameat2
    if (::syscall(SYS_renameat2, AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                  1 /* RENAME_NOREPLACE */)
        == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // Where the file system has no such rename: a new name, then the old
    // one goes; neither follows a link.
    return ::link(source.constData(), target.constData()) == 0 && ::unlink(source.constData()) == 0;
}

LockAttempt tryLockFile(const QString &path, qintptr &handle)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        // A link, a FIFO, a folder or another user's file: not a lock of ours.
        if (fd >= 0)
            ::close(fd);
        return LockAttempt::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? LockAttempt::Busy : LockAttempt::Failed;
    }
    // The holder before removed the name it had locked: that lock is no
    // longer anyone's, and the name may be someone else's by now.
    struct stat now;
    if (::lstat(name.constData(), &now) != 0 || now.st_dev != status.st_dev || now.st_ino != status.st_ino) {
        ::close(fd);
        return LockAttempt::Busy;
    }
    handle = fd;
    return LockAttempt::Taken;
}

void unlockFile(const QString &path, qintptr handle)
{
    ::unlink(QFile::encodeName(path).constData());
    ::close(int(handle));
}

QString systemPath(const QString &path)
{
    return path;
}

QString installedFolder()
{
    return QString();
}

bool isConsole(int)
{
    return false;
}

bool writeConsole(int, QStringView)
{
    return false;
}

void ignoreBrokenPipe()
{
    ::signal(SIGPIPE, SIG_IGN);
}

QList<FolderEntry> listFolder(const QString &folder)
{
    QList<FolderEntry> entries;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return entries;
    while (const dirent *entry = ::readdir(dir)) {
        // Hidden, as Qt's listings have it; "." and ".." among them.
        if (entry->d_name[0] == '.')
            continue;
        const QByteArray name = QByteArray::fromRawData(entry->d_name, qstrlen(entry->d_name));
        FolderEntry item;
        item.name = QFile::decodeName(name);
        // Only a name with a byte above ASCII can fail to be UTF-8.
        item.unreadable = std::any_of(name.cbegin(), name.cend(), [](char c) { return c & 0x80; })
                          && QFile::encodeName(item.name) != name;
        mode_t type = DTTOIF(entry->d_type);
        struct stat status;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
            type = ::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0 ? status.st_mode : 0;
        item.file = S_ISREG(type);
        item.folder = S_ISDIR(type);
        if (item.file || item.folder || item.unreadable)
            entries.append(item);
    }
    ::closedir(dir);
    return entries;
}

namespace {
// A descriptor closed however the function that opened it ends.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Hashes fd from its start; it stays open and is not moved for anyone else.
FileFingerprint fingerprintOf(int fd)
{
    FileFingerprint print;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return print;
    QFile file;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)
        || !file.seek(0) || !hash.addData(&file) || file.error() != QFileDevice::NoError)
        return print;
    print.id = {quint64(status.st_dev), quint64(status.st_ino)};
    print.size = status.st_size;
    print.sha256 = hash.result();
    return print;
}

// The entry name in the folder dir, without following a link there.
int openEntry(int dir, const QByteArray &name)
{
    const int fd = ::openat(dir, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool entryIs(int dir, const QByteArray &name, const FileFingerprint &expected)
{
    struct stat status;
    return ::fstatat(dir, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0
           && S_ISREG(status.st_mode) && FileId{quint64(status.st_dev), quint64(status.st_ino)} == expected.id;
}

Removal removeIn(int dir, const QString &path, const QByteArray &name, const FileFingerprint &expected)
{
    const Descriptor file{openEntry(dir, name)};
    if (file.fd < 0)
        return errno == ENOENT ? Removal::Changed : Removal::Failed;
    if (fingerprintOf(file.fd) != expected)
        return Removal::Changed;
    if (removalHook())
        removalHook()(path);
    const QByteArray aside = QFile::encodeName(QFileInfo(leftoverName(path, Leftover::Removing)).fileName());
    if (::renameat(dir, name.constData(), dir, aside.constData()) != 0)
        return errno == ENOENT ? Removal::Changed : Removal::Failed;
    // What was renamed must be the file checked, still with the same bytes.
    if (entryIs(dir, aside, expected) && fingerprintOf(file.fd) == expected)
        return ::unlinkat(dir, aside.constData(), 0) == 0 ? Removal::Removed : Removal::Failed;
    // Put back without replacing anything that took the name meanwhile.
    if (::linkat(dir, aside.constData(), dir, name.constData(), 0) == 0)
        ::unlinkat(dir, aside.constData(), 0);
    return Removal::Changed;
}
}

FileFingerprint fileFingerprint(const QString &path)
{
    const Descriptor file{::open(QFile::encodeName(path).constData(),
                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    return file.fd < 0 ? FileFingerprint() : fingerprintOf(file.fd);
}

Removal removeUnchanged(const QString &folder, const FileId &folderId, const QString &name,
                        const FileFingerprint &expected)
{
    const Descriptor dir{::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Removal::Changed : Removal::Failed;
    struct stat status;
    // A folder swapped since the plan (for a link or another folder) is
    // another folder: nothing in it was checked.
    if (::fstat(dir.fd, &status) != 0 || FileId{quint64(status.st_dev), quint64(status.st_ino)} != folderId)
        return Removal::Changed;
    const Removal removal = removeIn(dir.fd, folder + QLatin1Char('/') + name, QFile::encodeName(name), expected);
    if (removal == Removal::Removed)
        ::fsync(dir.fd);
    return removal;
}

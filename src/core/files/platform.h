#ifndef PLATFORM_H
#define PLATFORM_H

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QIODevice>
#include <QString>

#include <functional>

class QFile;
class QFileDevice;

// Every call Qt does not offer, one file per system (platform_unix.cpp,
// platform_win.cpp), so that everything else stays portable: what makes a
// file that file and who owns it, regular files told from links, FIFOs and
// devices, new files shaped by the umask, renames, locks, the one-step check
// and removal of a file, and a closed pipe.

struct FileIdentity
{
    bool exists = false;
    bool regular = false; // the name itself: a link is none
    // A replacement could not keep what the file has: other hard links,
    // ACLs or extended attributes, or a folder the process cannot write.
    bool inPlaceOnly = false;
    unsigned owner = 0;
    unsigned group = 0;
    unsigned mode = 0;
    // Windows: the owner and access list, as text; a replacement with other
    // ones would change who may read or write the file.
    QString access;
};

FileIdentity fileIdentity(const QString &path);

// What tells a file or folder from every other, whatever path reaches it
// and however long that path is: device and inode (volume serial and file
// index on Windows).
struct FileId
{
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileId &a, const FileId &b)
    {
        return a.device == b.device && a.inode == b.inode;
    }
    friend bool operator!=(const FileId &a, const FileId &b) { return !(a == b); }
    friend size_t qHash(const FileId &id, size_t seed = 0)
    {
        return qHashMulti(seed, id.device, id.inode);
    }
};

// False when path is no folder that can be looked at (after links).
bool folderId(const QString &path, FileId &id);

// Creates path read-write, unbuffered, failing if anything is there already:
// a file's replacement, made readable by the running user alone until
// takeIdentity (on Windows it gets its folder's access list, as any new file
// there does).
bool createReplacement(QFile &file, const QString &path);

// Gives a new, open replacement the original's owner, group and mode, or
// for a new file the mode any new file gets (umask taken off); false where
// the process may not set them, and on Windows where the replacement has not
// already got the original's owner and access list.
bool takeIdentity(QFileDevice &replacement, const FileIdentity &original);

bool syncToDisk(QFileDevice &file);
// Renames from over to, replacing it at once.
enum class Replacement {
    Done,
    Refused,  // to cannot take another file (a file mounted there)
    HeldOpen, // another program holds to open (Windows), even after a short wait
};
Replacement replaceFile(const QString &from, const QString &to);
// Makes a rename or a new name in folder last through a power cut.
void syncFolder(const QString &folder);

// Opens path read-only, unbuffered, if it is a regular file after links; a
// FIFO or a device is neither waited on nor read.
bool openRegularFile(QFile &file, const QString &path);

// Creates path write-only, unbuffered, failing if anything is there already,
// with the permission bits of the open file like less the umask, as cp does.
bool createFileLike(QFile &file, const QString &path, const QFileDevice &like);

// An entry of a folder, links followed. A name that is not UTF-8 cannot be
// opened or entered through Qt: it comes with replacement characters and
// unreadable set.
struct FolderEntry
{
    QString name;
    bool file = false; // a regular file
    bool folder = false;
    bool unreadable = false;
};
// The entries of folder in no particular order, without "." and "..",
// hidden entries, and readable ones that are neither file nor folder (FIFOs,
// devices, dangling links); empty when it cannot be listed. One listing, so
// that a walk pays for each folder once.
QList<FolderEntry> listFolder(const QString &folder);

// What tells one file's content from any other: the file itself (device and
// inode, so that a bind mount shows the same file under two paths) and its
// bytes. Invalid (size -1) when path is no regular file.
struct FileFingerprint
{
    FileId id;
    qint64 size = -1;
    QByteArray sha256;

    bool isValid() const { return size >= 0; }
    bool sameFile(const FileFingerprint &other) const { return id == other.id; }
    bool operator==(const FileFingerprint &other) const
    {
        return sameFile(other) && size == other.size && sha256 == other.sha256;
    }
    bool operator!=(const FileFingerprint &other) const { return !(*this == other); }
};

// Of the regular file at path, read through one open handle; a link as the
// last component is not followed.
FileFingerprint fileFingerprint(const QString &path);

// Removes name from folder only while folder is still the one identified
// (no link or other folder swapped in) and the file is still expected: the
// check and the removal are one step. The file is renamed to a private name
// in the same folder, checked again there and unlinked, or put back when it
// is no longer the one checked.
enum class Removal { Removed, Changed, Failed };
Removal removeUnchanged(const QString &folder, const FileId &folderId, const QString &name,
                        const FileFingerprint &expected);
// Called with the file's path between the check and the rename; lets a test
// swap the file at the worst moment.
inline std::function<void(const QString &path)> &removalHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}
inline void setRemovalHook(std::function<void(const QString &path)> hook)
{
    removalHook() = std::move(hook);
}

// Whether the system refuses to remove path whoever asks: Windows' read-only
// attribute (as version control sets it). Elsewhere a file's own mode does
// not stop its removal.
bool removalRefused(const QString &path);

// Has the system remove path at its next start, where a running program
// holds it open so that it cannot go now (Windows); false where it cannot.
bool removeAtRestart(const QString &path);

// Who owns path and who else may change it. A link is not followed unless
// asked: its owner is the link's own.
struct Ownership
{
    bool exists = false;
    bool link = false;
    bool folder = false;
    bool sticky = false;
    // The running user, or the system's own account (root; on Windows
    // Administrators or SYSTEM), which could change it anyway.
    bool ownedByUser = false;
    // Another user may write it: group or others (on Windows Everyone,
    // Users or Authenticated Users).
    bool othersWrite = false;
    QString owner; // a name, or a number where there is none
    QString mode;  // in octal, as chmod takes it

    // Nothing another user could have planted or changed: the rule for the
    // working folder and all the program keeps in it.
    bool trusted() const { return exists && ownedByUser && (!othersWrite || (folder && sticky)); }
};
Ownership ownership(const QString &path, bool followLinks);

// Whether the link at path may be followed, by the rule Linux applies in
// sticky folders: it belongs to the running user or to its folder's owner.
bool linkMayBeFollowed(const QString &path);

// Makes folder (its parent must exist) readable by the running user alone,
// or checks that it already is; false otherwise.
bool makePrivateFolder(const QString &folder);

// Opens path without following a link, without creating it and without
// waiting on a FIFO: only a regular file is opened.
bool openFileHere(QFile &file, const QString &path, QIODevice::OpenMode mode);

// Makes file, open read-write on path, the only handle on that very file,
// or fails while another program holds it open (Windows, where a reader
// must not see it change under it). Elsewhere there is nothing to do.
bool holdAlone(QFile &file, const QString &path);

// Gives from's file the name to, only if nothing has that name yet, not
// even a dangling link.
bool renameNoReplace(const QString &from, const QString &to);

// An advisory lock on a lock file of the program's own, made if missing and
// never through a link; the system drops it when its process dies.
// Failed also for a link, a FIFO, a folder or another user's file there.
enum class LockAttempt { Taken, Busy, Failed };
LockAttempt tryLockFile(const QString &path, qintptr &handle);
// Removes the lock file while still holding it, then lets go.
void unlockFile(const QString &path, qintptr handle);

// The path by which the system knows the file or folder: links resolved,
// and on Windows its own case and long names; cleaned and absolute as it
// stands when there is nothing there.
QString canonicalPath(const QString &path);

// The folder the Windows installer put the program in, as it recorded it
// for every account; empty where there is none (elsewhere a launcher gives
// each user a working folder).
QString installedFolder();

// Whether a process of that id is running (or may be: one of another user's
// counts as running).
bool processRunning(qint64 pid);

// The path as the system's own calls take it: on Windows absolute, cleaned,
// with backslashes and the "\\?\" prefix that lets it pass 260 characters.
QString systemPath(const QString &path);

// Whether standard output (1) or error (2) is a console that takes UTF-16
// (Windows); writes text there. A terminal elsewhere takes bytes.
bool isConsole(int stream);
bool writeConsole(int stream, QStringView text);

// A reader that went away must not kill a program half-way through an
// install: writes to it fail instead, and the program says so.
void ignoreBrokenPipe();

#endif

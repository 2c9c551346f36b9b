#include "files/fileidentity.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

namespace {
// What Windows tells of the file or folder at path, after links. Backup
// semantics let a folder open too; no access right is asked for, so what
// cannot be read still tells who it is.
bool informationOf(const QString &path, BY_HANDLE_FILE_INFORMATION &information)
{
    const HANDLE handle = ::CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                        0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = ::GetFileInformationByHandle(handle, &information);
    ::CloseHandle(handle);
    return known;
}

// The volume's serial number and the index there: device and inode.
FolderKey keyOf(const BY_HANDLE_FILE_INFORMATION &information)
{
    return {quint64(information.dwVolumeSerialNumber),
            (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}
}

// A replacing rename keeps the file's name, its creation time (Windows
// carries it over to a file renamed into a name just freed) and the ACL it
// inherits from its folder; what it would lose (another hard link, the
// hidden or system attribute) makes the rewrite go in place.
FileIdentity fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    FileIdentity identity;
    identity.exists = info.exists() || info.isSymLink();
    identity.regular = info.isFile();
    BY_HANDLE_FILE_INFORMATION information;
    identity.inPlaceOnly = identity.regular && informationOf(path, information)
                           && (information.nNumberOfLinks > 1
                               || (information.dwFileAttributes
                                   & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)));
    return identity;
}

bool folderKey(const QString &path, FolderKey &key)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!informationOf(path, information) || !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    key = keyOf(information);
    return true;
}

bool takeIdentity(QFileDevice &, const FileIdentity &)
{
    return true;
}

bool syncToDisk(QFileDevice &file)
{
    // Qt's handle() is a C runtime descriptor made over its native handle.
    if (!file.flush())
        return false;
    const int fd = file.handle();
    const intptr_t native = fd < 0 ? -1 : _get_osfhandle(fd);
    return native != -1 && ::FlushFileBuffers(reinterpret_cast<HANDLE>(native));
}

// A program reading the file holds it for a moment: it is given a second to
// close it, and is never written over while it reads.
Replacement replaceFile(const QString &from, const QString &to)
{
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(reinterpret_cast<const wchar_t *>(source.utf16()),
                          reinterpret_cast<const wchar_t *>(target.utf16()),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Replacement::Done;
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED
            && error != ERROR_LOCK_VIOLATION)
            return Replacement::Refused;
        if (attempt == 10)
            return Replacement::HeldOpen;
        ::Sleep(100);
    }
}

// NTFS journals its own names: a rename lasts once the call returns.
void syncFolder(const QString &)
{
}

bool openRegularFile(QFile &file, const QString &path)
{
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool createFileLike(QFile &file, const QString &path, const QFileDevice &)
{
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
}

// Windows raises no signal for a closed pipe: the write just fails.
void ignoreBrokenPipe()
{
}

// Names are UTF-16 here, and Qt reads them all.
QList<FolderEntry> listFolder(const QString &folder)
{
    QList<FolderEntry> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        entries.append({info.fileName(), info.isFile(), info.isDir(), false});
    }
    return entries;
}

namespace {
std::function<void(const QString &)> removalHook;

// The file itself is told as a folder is (keyOf).
FileFingerprint fingerprintOf(QFile &file)
{
    FileFingerprint print;
    const intptr_t native = file.handle() < 0 ? -1 : _get_osfhandle(file.handle());
    BY_HANDLE_FILE_INFORMATION information;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (native == -1 || !::GetFileInformationByHandle(reinterpret_cast<HANDLE>(native), &information)
        || !file.seek(0) || !hash.addData(&file))
        return print;
    const FolderKey key = keyOf(information);
    print.device = key.device;
    print.inode = key.inode;
    print.size = file.size();
    print.sha256 = hash.result();
    return print;
}
}

FileFingerprint fileFingerprint(const QString &path)
{
    QFile file;
    if (QFileInfo(path).isSymLink() || !openRegularFile(file, path))
        return {};
    return fingerprintOf(file);
}

Removal removeUnchanged(const QString &folder, const FileFingerprint &, const QString &name,
                        const FileFingerprint &expected)
{
    const QString path = QDir(folder).filePath(name);
    QFile file;
    if (QFileInfo(path).isSymLink() || !openRegularFile(file, path))
        return Removal::Changed;
    if (fingerprintOf(file) != expected)
        return Removal::Changed;
    file.close();
    if (removalHook)
        removalHook(path);
    // An open file cannot be renamed away here; the check is repeated on
    // the name and the removal follows at once.
    if (fileFingerprint(path) != expected)
        return Removal::Changed;
    return QFile::remove(path) ? Removal::Removed : Removal::Failed;
}

void setRemovalHook(std::function<void(const QString &path)> hook)
{
    removalHook = std::move(hook);
}

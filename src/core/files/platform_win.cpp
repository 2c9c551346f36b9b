#include "files/platform.h"

#include "files/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <aclapi.h>
#include <fcntl.h>
#include <io.h>
#include <sddl.h>
#include <windows.h>

#include <iterator>

namespace {
const wchar_t *native(const QString &path, QString &holder)
{
    holder = systemPath(path);
    return reinterpret_cast<const wchar_t *>(holder.utf16());
}

// The name itself, a link or junction included, opened to read who it is.
HANDLE openName(const QString &path, DWORD access,
                DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)
{
    QString name;
    return ::CreateFileW(native(path, name), access, sharing, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// What Windows tells of the file or folder at path, after links. Backup
// semantics let a folder open too; no access right is asked for, so what
// cannot be read still tells who it is.
bool informationOf(const QString &path, BY_HANDLE_FILE_INFORMATION &information)
{
    QString name;
    const HANDLE handle = ::CreateFileW(native(path, name), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = ::GetFileInformationByHandle(handle, &information);
    ::CloseHandle(handle);
    return known;
}

// The volume's serial number and the index there: device and inode.
FileId keyOf(const BY_HANDLE_FILE_INFORMATION &information)
{
    return {quint64(information.dwVolumeSerialNumber),
            (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

QString securityText(PSECURITY_DESCRIPTOR descriptor, SECURITY_INFORMATION parts)
{
    wchar_t *text = nullptr;
    if (!::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts, &text, nullptr))
        return QString();
    const QString shown = QString::fromWCharArray(text);
    ::LocalFree(text);
    return shown;
}

// The owner and access list of an open file, as text; empty when unknown.
QString accessOf(HANDLE handle)
{
    constexpr SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(handle, SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return QString();
    const QString text = securityText(descriptor, parts);
    ::LocalFree(descriptor);
    return text;
}
}

QString systemPath(const QString &path)
{
    const QLatin1String prefix("\\\\?\\");
    const QString given = QDir::toNativeSeparators(path);
    if (given.startsWith(prefix))
        return given;
    // The prefix turns off the system's own cleaning of "." and "..".
    const QString absolute = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (absolute.startsWith(QLatin1String("\\\\")))
        return prefix + QLatin1String("UNC") + absolute.mid(1);
    return prefix + absolute;
}

// A replacing rename keeps the file's name and its creation time (Windows
// carries it over to a file renamed into a name just freed); what it would
// lose (another hard link, the hidden or system attribute, an owner or
// access list other than a new file's there) makes the rewrite go in place.
FileIdentity fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    FileIdentity identity;
    identity.exists = nameTaken(path);
    // The name itself: a link someone put there is no file to write through.
    identity.regular = info.isFile() && !info.isSymLink();
    const HANDLE handle = identity.regular ? openName(path, READ_CONTROL) : INVALID_HANDLE_VALUE;
    if (handle == INVALID_HANDLE_VALUE)
        return identity;
    BY_HANDLE_FILE_INFORMATION information;
    identity.inPlaceOnly = ::GetFileInformationByHandle(handle, &information)
                           && (information.nNumberOfLinks > 1
                               || (information.dwFileAttributes
                                   & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)));
    identity.access = accessOf(handle);
    ::CloseHandle(handle);
    return identity;
}

bool folderId(const QString &path, FileId &id)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!informationOf(path, information) || !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    id = keyOf(information);
    return true;
}

// An access list is not copied: one of the file's own would then be kept
// only as it was when read, and copying it needs rights a user may lack.
bool takeIdentity(QFileDevice &replacement, const FileIdentity &original)
{
    const intptr_t handle = replacement.handle() < 0 ? -1 : _get_osfhandle(replacement.handle());
    return !original.exists
           || (handle != -1 && !original.access.isEmpty()
               && accessOf(reinterpret_cast<HANDLE>(handle)) == original.access);
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
    QString source;
    QString target;
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(native(from, source), native(to, target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
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

// The folder's inherited access list, as every new file there gets; it is
// also a file's that has none of its own.
bool createReplacement(QFile &file, const QString &path)
{
    file.setFileName(path);
    return file.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered);
}

bool createFileLike(QFile &file, const QString &path, const QFileDevice &)
{
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
}

namespace {
// A regular file's handle as a QFile; the handle is the QFile's, or closed.
bool openHandle(QFile &file, HANDLE handle, QIODevice::OpenMode mode)
{
    const bool writing = mode & QIODevice::WriteOnly;
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    if (!::GetFileInformationByHandle(handle, &information)
        || (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        ::CloseHandle(handle);
        return false;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), (writing ? _O_RDWR : _O_RDONLY) | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        return false;
    }
    if (!file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::_close(fd);
        return false;
    }
    return true;
}

bool isSid(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    BYTE known[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof known;
    return ::CreateWellKnownSid(type, nullptr, known, &size) && ::EqualSid(sid, known);
}

bool isRunningUser(PSID sid)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    const bool same = ::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size)
                      && ::EqualSid(sid, reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid);
    ::CloseHandle(token);
    return same;
}

// The user, or the accounts an elevated run acts as.
bool ownerTrusted(PSID owner)
{
    return owner
           && (isRunningUser(owner) || isSid(owner, WinBuiltinAdministratorsSid)
               || isSid(owner, WinLocalSystemSid));
}

QString accountName(PSID sid)
{
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameSize = 256;
    DWORD domainSize = 256;
    SID_NAME_USE use;
    if (::LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return QString::fromWCharArray(domain) + QLatin1Char('\\') + QString::fromWCharArray(name);
    wchar_t *text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text))
        return QString();
    const QString shown = QString::fromWCharArray(text);
    ::LocalFree(text);
    return shown;
}

// Whether the ACL lets everyone, every user or every signed-in user write.
bool othersMayWrite(PACL acl)
{
    if (!acl)
        return true; // no ACL at all: everyone may do anything
    const ACCESS_MASK writing = FILE_WRITE_DATA | FILE_APPEND_DATA | GENERIC_WRITE | GENERIC_ALL
                                | WRITE_DAC | WRITE_OWNER | DELETE;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void *entry = nullptr;
        if (!::GetAce(acl, i, &entry))
            continue;
        const auto *ace = static_cast<ACCESS_ALLOWED_ACE *>(entry);
        if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || (ace->Header.AceFlags & INHERIT_ONLY_ACE)
            || !(ace->Mask & writing))
            continue;
        const PSID sid = const_cast<DWORD *>(&ace->SidStart);
        if (isSid(sid, WinWorldSid) || isSid(sid, WinBuiltinUsersSid) || isSid(sid, WinAuthenticatedUserSid))
            return true;
    }
    return false;
}
}

Ownership ownership(const QString &path, bool followLinks)
{
    Ownership owned;
    const QFileInfo info(path);
    owned.link = !followLinks && (info.isSymLink() || info.isJunction());
    const HANDLE handle = owned.link ? openName(path, READ_CONTROL) : INVALID_HANDLE_VALUE;
    PSID owner = nullptr;
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    QString name;
    const DWORD read = owned.link
                           ? (handle == INVALID_HANDLE_VALUE
                                  ? ERROR_ACCESS_DENIED
                                  : ::GetSecurityInfo(handle, SE_FILE_OBJECT,
                                                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                                      &owner, nullptr, &acl, nullptr, &descriptor))
                           : ::GetNamedSecurityInfoW(native(path, name), SE_FILE_OBJECT,
                                                     OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                                     &owner, nullptr, &acl, nullptr, &descriptor);
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    if (read != ERROR_SUCCESS)
        return owned;
    owned.exists = true;
    owned.folder = info.isDir() && !owned.link;
    owned.ownedByUser = ownerTrusted(owner);
    owned.othersWrite = othersMayWrite(acl);
    owned.owner = accountName(owner);
    owned.mode = securityText(descriptor, DACL_SECURITY_INFORMATION);
    ::LocalFree(descriptor);
    return owned;
}

bool linkMayBeFollowed(const QString &path)
{
    const Ownership link = ownership(path, false);
    const Ownership folder = ownership(QFileInfo(path).absolutePath(), true);
    return link.exists && (link.ownedByUser || link.owner == folder.owner);
}

bool makePrivateFolder(const QString &folder)
{
    QString name;
    ::CreateDirectoryW(native(folder, name), nullptr);
    const Ownership owned = ownership(folder, false);
    return owned.folder && owned.ownedByUser && !owned.othersWrite;
}

bool openFileHere(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    const bool writing = mode & QIODevice::WriteOnly;
    return openHandle(file, openName(path, GENERIC_READ | (writing ? GENERIC_WRITE : 0)), mode);
}

bool holdAlone(QFile &file, const QString &path)
{
    BY_HANDLE_FILE_INFORMATION before;
    BY_HANDLE_FILE_INFORMATION after;
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()));
    if (!::GetFileInformationByHandle(handle, &before))
        return false;
    file.close();
    if (!openHandle(file, openName(path, GENERIC_READ | GENERIC_WRITE, 0), QIODevice::ReadWrite))
        return false;
    // Still the file the rewrite began with, not one put at its name since.
    return ::GetFileInformationByHandle(reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle())), &after)
           && keyOf(before) == keyOf(after);
}

QString canonicalPath(const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString name;
    const HANDLE file = ::CreateFileW(native(absolute, name), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return absolute;
    wchar_t buffer[32768];
    const DWORD size = ::GetFinalPathNameByHandleW(file, buffer, DWORD(std::size(buffer)), VOLUME_NAME_DOS);
    ::CloseHandle(file);
    if (size == 0 || size >= std::size(buffer))
        return absolute;
    QString canonical = QString::fromWCharArray(buffer, int(size));
    // "\\?\C:\..." for a drive, "\\?\UNC\server\..." for a share.
    if (canonical.startsWith(QLatin1String("\\\\?\\UNC\\")))
        canonical = QLatin1String("\\\\") + canonical.mid(8);
    else if (canonical.startsWith(QLatin1String("\\\\?\\")))
        canonical = canonical.mid(4);
    return QDir::fromNativeSeparators(canonical);
}

bool processRunning(qint64 pid)
{
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

bool renameNoReplace(const QString &from, const QString &to)
{
    QString source;
    QString target;
    return ::MoveFileExW(native(from, source), native(to, target), MOVEFILE_WRITE_THROUGH);
}

bool removalRefused(const QString &path)
{
    QString name;
    const DWORD attributes = ::GetFileAttributesW(native(path, name));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool removeAtRestart(const QString &path)
{
    QString name;
    return ::MoveFileExW(native(path, name), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

LockAttempt tryLockFile(const QString &path, qintptr &handle)
{
    QString name;
    const HANDLE file = ::CreateFileW(native(path, name), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Also what a lock file being removed by its last holder answers.
        return ::GetLastError() == ERROR_ACCESS_DENIED ? LockAttempt::Busy : LockAttempt::Failed;
    }
    BY_HANDLE_FILE_INFORMATION mine;
    if (!::GetFileInformationByHandle(file, &mine)
        || (mine.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        ::CloseHandle(file);
        return LockAttempt::Failed;
    }
    OVERLAPPED start = {};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        const bool held = ::GetLastError() == ERROR_LOCK_VIOLATION;
        ::CloseHandle(file);
        return held ? LockAttempt::Busy : LockAttempt::Failed;
    }
    // The holder before removed the name it had locked: that lock is no
    // longer anyone's.
    BY_HANDLE_FILE_INFORMATION now;
    if (!informationOf(path, now) || keyOf(now) != keyOf(mine)) {
        ::CloseHandle(file);
        return LockAttempt::Busy;
    }
    handle = reinterpret_cast<qintptr>(file);
    return LockAttempt::Taken;
}

void unlockFile(const QString &path, qintptr handle)
{
    QString name;
    ::DeleteFileW(native(path, name));
    ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

QString installedFolder()
{
    // The 64-bit view, where the installer writes.
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Velkarinth"), QSettings::Registry64Format);
    return key.value(QStringLiteral("InstallDir")).toString();
}

namespace {
HANDLE consoleOf(int stream)
{
    const HANDLE handle = ::GetStdHandle(stream == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}
}

bool isConsole(int stream)
{
    return consoleOf(stream);
}

bool writeConsole(int stream, QStringView text)
{
    const HANDLE console = consoleOf(stream);
    while (console && !text.isEmpty()) {
        DWORD written = 0;
        if (!::WriteConsoleW(console, text.utf16(), DWORD(std::min<qsizetype>(text.size(), 8192)), &written, nullptr)
            || written == 0)
            return false;
        text = text.mid(written);
    }
    return console;
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
    print.id = keyOf(information);
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

Removal removeUnchanged(const QString &folder, const FileId &, const QString &name,
                        const FileFingerprint &expected)
{
    const QString path = QDir(folder).filePath(name);
    QFile file;
    if (QFileInfo(path).isSymLink() || !openRegularFile(file, path))
        return Removal::Changed;
    if (fingerprintOf(file) != expected)
        return Removal::Changed;
    file.close();
    if (removalHook())
        removalHook()(path);
    // An open file cannot be renamed away here; the check is repeated on
    // the name and the removal follows at once.
    if (fileFingerprint(path) != expected)
        return Removal::Changed;
    return QFile::remove(path) ? Removal::Removed : Removal::Failed;
}

#include "files/fileidentity.h"

#include <QFile>
#include <QFileInfo>

// What Windows keeps of a file through a replacement is left to QSaveFile,
// which takes over the permissions; every rewrite goes through one.
FileIdentity fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    FileIdentity identity;
    identity.exists = info.exists() || info.isSymLink();
    identity.regular = info.isFile();
    return identity;
}

bool takeIdentity(QFileDevice &, const FileIdentity &)
{
    return true;
}

bool syncToDisk(QFileDevice &file)
{
    // A file Qt opened through the native API may have no C runtime handle
    // to commit; nothing here is written in place, so a flush is enough.
    return file.flush();
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
QList<UnreadableName> unreadableNames(const QString &)
{
    return {};
}

#include "files/sidefiles.h"

#include "files/platform.h"
#include "files/filerewrite.h"
#include "files/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// Beside the installed launcher's working folder, not in it.
QString privateParent()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? base : joinPath(base, QStringLiteral("velkarinth"));
}

QString privateFolderPath()
{
    const QString parent = privateParent();
    return parent.isEmpty() ? parent : joinPath(parent, QStringLiteral("side-files"));
}
}

QString privateFolder()
{
    const QString folder = privateFolderPath();
    return !folder.isEmpty() && QDir().mkpath(privateParent()) && makePrivateFolder(folder) ? folder
                                                                                           : QString();
}

bool mayHoldSideFiles(const QString &folder)
{
    const Ownership owned = ownership(folder, false);
    return owned.folder && owned.ownedByUser && !owned.othersWrite && QFileInfo(folder).isWritable();
}

QStringList sideFileCandidates(const QString &file, const QString &suffix)
{
    const QFileInfo info(file);
    QStringList candidates;
    if (mayHoldSideFiles(info.absolutePath()))
        candidates << QDir::toNativeSeparators(info.absoluteFilePath()) + suffix;
    // Named after the whole path, so that two files of one name elsewhere
    // do not share one. Looked for there without making the folder.
    const QString folder = privateFolderPath();
    if (!folder.isEmpty()) {
        const QByteArray hash = QCryptographicHash::hash(info.absoluteFilePath().toUtf8(),
                                                         QCryptographicHash::Sha1)
                                    .toHex()
                                    .left(12);
        candidates << joinPath(folder, info.fileName() + QLatin1Char('-') + QString::fromLatin1(hash) + suffix);
    }
    return candidates;
}

QString sideFilePath(const QString &file, const QString &suffix)
{
    const QStringList candidates = sideFileCandidates(file, suffix);
    if (candidates.size() > 1)
        return candidates.first();
    return privateFolder().isEmpty() ? QString() : candidates.value(0);
}

bool openOwnFile(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    const Ownership owned = ownership(path, false);
    return !owned.link && !owned.folder && owned.trusted() && openFileHere(file, path, mode);
}

bool readOwnFile(const QString &path, qint64 limit, QByteArray &content)
{
    QFile file;
    if (!openOwnFile(file, path, QIODevice::ReadOnly) || file.size() > limit)
        return false;
    content = file.read(limit + 1);
    return content.size() <= limit && file.error() == QFileDevice::NoError;
}

bool saveOwnFile(const QString &path, const QByteArray &content)
{
    ReplacementFile file(path);
    if (!file.create() || file.write(content) != content.size() || !syncToDisk(file))
        return false;
    file.close();
    if (replaceFile(file.fileName(), path) != Replacement::Done)
        return false;
    file.keep();
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

QString followUserLinks(const QString &path)
{
    QString target = QFileInfo(path).absoluteFilePath();
    // As many links as the system itself follows in a path.
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            return target;
        if (!linkMayBeFollowed(target))
            break;
        target = info.symLinkTarget();
    }
    return QString();
}

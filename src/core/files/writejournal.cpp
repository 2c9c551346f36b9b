#include "files/writejournal.h"

#include "files/paths.h"
#include "files/platform.h"
#include "files/sidefiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {
const QByteArray magic = QByteArrayLiteral("VELKARINTH-JOURNAL 1\n");
const QString suffix = QStringLiteral(".velkarinth-journal");
const QString partSuffix = QStringLiteral(".part");
std::function<void(const QString &)> restoredListener;

QStringList journalPaths(const QString &path)
{
    return sideFileCandidates(path, suffix);
}

bool copyBytes(QFileDevice &from, QFileDevice &to, qint64 size)
{
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (size > 0) {
        const qint64 got = from.read(block.data(), qMin<qint64>(size, block.size()));
        if (got <= 0 || to.write(block.constData(), got) != got)
            return false;
        size -= got;
    }
    return true;
}

QByteArray hashOf(QFileDevice &file)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.seek(0) && hash.addData(&file) ? hash.result() : QByteArray();
}

// What a journal says of the write it kept the old content for.
struct Header
{
    QString target;
    qint64 oldSize = -1;
    qint64 newSize = -1;
    QByteArray newHash;
    qint64 length = 0; // where the old content starts
};

// False for anything that is not a whole journal of ours: it is left alone.
bool readHeader(QFile &journal, Header &header)
{
    if (journal.read(magic.size()) != magic)
        return false;
    const QByteArray target = journal.readLine(64 * 1024);
    const QList<QByteArray> sizes = journal.readLine(256).trimmed().split(' ');
    if (!target.endsWith('\n') || sizes.size() != 3)
        return false;
    bool oldOk = false;
    bool newOk = false;
    header.target = QString::fromUtf8(target.chopped(1));
    header.oldSize = sizes.at(0).toLongLong(&oldOk);
    header.newSize = sizes.at(1).toLongLong(&newOk);
    header.newHash = QByteArray::fromHex(sizes.at(2));
    header.length = journal.pos();
    return oldOk && newOk && header.oldSize >= 0
           && journal.size() == header.length + header.oldSize;
}

// Writes the journal's old content back over target, in place.
bool replay(const QString &journalPath, const QString &target, bool tell)
{
    // Only a journal of the user's own, for this very file, and the file
    // itself, never what a link there leads to nor a file made anew.
    QFile journal;
    Header header;
    if (!openOwnFile(journal, journalPath, QIODevice::ReadOnly) || !readHeader(journal, header)
        || QFileInfo(header.target).absoluteFilePath() != QFileInfo(target).absoluteFilePath())
        return false;
    QFile file;
    if (openFileHere(file, target, QIODevice::ReadOnly) && file.size() == header.newSize
        && hashOf(file) == header.newHash) {
        // The new content was whole: only the journal was left. Windows
        // removes no file that is still open.
        file.close();
        journal.close();
        return QFile::remove(journalPath);
    }
    file.close();
    if (!openFileHere(file, target, QIODevice::ReadWrite) || !journal.seek(header.length)
        || !copyBytes(journal, file, header.oldSize) || !file.resize(header.oldSize)
        || !syncToDisk(file))
        return false;
    file.close();
    journal.close();
    QFile::remove(journalPath);
    if (tell && restoredListener)
        restoredListener(target);
    return true;
}
}

bool WriteJournal::keep(const QString &path, QFileDevice &original, qint64 newSize,
                        const QByteArray &newHash, QString &journalPath)
{
    journalPath = sideFilePath(path, suffix);
    if (journalPath.isEmpty())
        return false;
    // Given its name only once whole and on disk: a journal by that name
    // can always be replayed. Made anew, never through what is there.
    QFile part(journalPath + partSuffix);
    const qint64 oldSize = original.size();
    const QByteArray header = magic + QFileInfo(path).absoluteFilePath().toUtf8() + '\n'
                              + QByteArray::number(oldSize) + ' ' + QByteArray::number(newSize)
                              + ' ' + newHash.toHex() + '\n';
    const bool made = part.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    const bool written = made
                         && part.write(header) == header.size() && original.seek(0)
                         && copyBytes(original, part, oldSize) && part.flush() && syncToDisk(part);
    part.close();
    if (written && renameNoReplace(part.fileName(), journalPath)) {
        syncFolder(QFileInfo(journalPath).absolutePath());
        return true;
    }
    if (made)
        part.remove();
    return false;
}

bool WriteJournal::release(const QString &journalPath)
{
    return QFile::remove(journalPath);
}

bool WriteJournal::restore(const QString &journalPath, const QString &path)
{
    return replay(journalPath, path, false);
}

bool WriteJournal::recover(const QString &path)
{
    bool recovered = true;
    for (const QString &journal : journalPaths(path)) {
        if (nameTaken(journal)
            && !replay(journal, path, true))
            recovered = false;
        // A journal cut short by a crash, down to an empty one: the file
        // itself was not touched yet.
        const QString part = journal + partSuffix;
        QFile file;
        if (openOwnFile(file, part, QIODevice::ReadOnly) && magic.startsWith(file.read(magic.size()))) {
            file.close();
            QFile::remove(part);
        }
    }
    return recovered;
}

QString WriteJournal::restoredText(const QString &path)
{
    return tr("%1 avait été laissé à moitié écrit par un programme Velkarinth interrompu : son "
              "contenu d'avant a été remis.")
        .arg(path);
}

bool WriteJournal::pending(const QString &path)
{
    for (const QString &journal : journalPaths(path)) {
        if (QFileInfo::exists(journal) || QFileInfo::exists(journal + partSuffix))
            return true;
    }
    return false;
}

void WriteJournal::setListener(std::function<void(const QString &)> listener)
{
    restoredListener = std::move(listener);
}

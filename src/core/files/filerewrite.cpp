#include "files/filerewrite.h"

#include "files/fileidentity.h"
#include "files/writejournal.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>

namespace {
// Copies from the current position of from to that of to, until the end of
// from; false on any short read or write.
bool copyRest(QFileDevice &from, QFileDevice &to)
{
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(block.data(), block.size());
        if (got <= 0)
            return got == 0;
        if (to.write(block.constData(), got) != got)
            return false;
    }
}
}

FileRewrite::FileRewrite(const QString &path)
    : path(path)
    , replacement(path)
    , original(path)
{
}

bool FileRewrite::open()
{
    const FileIdentity identity = fileIdentity(path);
    if (identity.exists && !identity.regular)
        return false;
    if (!identity.inPlaceOnly) {
        // Unbuffered, so that a write cut short (a full disk, a size limit)
        // shows at once: a buffered QSaveFile loses that failure in its final
        // flush and commits the torn file.
        if (replacement.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            && takeIdentity(replacement, identity))
            return true;
        if (replacement.isOpen()) {
            replacement.cancelWriting();
            replacement.commit(); // only discards
        }
        if (!identity.exists)
            return false;
    }
    inPlace = true;
    return original.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)
           && staged.open();
}

bool FileRewrite::write(QByteArrayView bytes)
{
    QFileDevice &target = inPlace ? static_cast<QFileDevice &>(staged) : replacement;
    failed = failed || target.write(bytes.data(), bytes.size()) != bytes.size();
    return !failed;
}

bool FileRewrite::commit()
{
    if (failed)
        return false;
    return inPlace ? commitInPlace() : replacement.commit();
}

bool FileRewrite::commitInPlace()
{
    if (!staged.flush())
        return false;
    const qint64 newSize = staged.size();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!staged.seek(0) || !hash.addData(&staged))
        return false;
    // The old content is kept in a journal until the new one is whole on
    // disk: whatever happens in between, it can be put back.
    QString journal;
    if (!WriteJournal::keep(path, original, newSize, hash.result(), journal))
        return false;
    if (original.seek(0) && staged.seek(0) && copyRest(staged, original)
        && original.resize(newSize) && syncToDisk(original)) {
        WriteJournal::release(journal);
        return true;
    }
    // When even that fails, the journal stays for the next run to replay.
    WriteJournal::restore(journal, path);
    return false;
}

bool copyRegularFile(const QString &source, const QString &destination)
{
    QFile in;
    QFile out;
    if (!openRegularFile(in, source) || !createFileLike(out, destination, in))
        return false;
    if (copyRest(in, out))
        return true;
    out.close();
    QFile::remove(destination);
    return false;
}

bool copyWholeFile(const QString &source, const QString &destination)
{
    QFile in;
    QFile out;
    const QString part = destination
                         + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
    if (!openRegularFile(in, source) || !createFileLike(out, part, in))
        return false;
    const bool whole = copyRest(in, out) && syncToDisk(out);
    out.close();
    // The rename never replaces: a copy another run made meanwhile stays.
    if (whole && QFile::rename(part, destination)) {
        syncFolder(QFileInfo(destination).absolutePath());
        return true;
    }
    QFile::remove(part);
    return false;
}

#include "files/filerewrite.h"

#include "files/platform.h"
#include "files/leftovers.h"
#include "files/paths.h"
#include "files/sidefiles.h"
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

ReplacementFile::ReplacementFile(const QString &target)
    : target(target)
{
}

ReplacementFile::~ReplacementFile()
{
    if (!kept && !fileName().isEmpty())
        remove();
}

bool ReplacementFile::create()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (createReplacement(*this, leftoverName(target, Leftover::New)))
            return true;
        // Only a name already taken is worth another try.
        if (!nameTaken(fileName()))
            break;
    }
    setFileName(QString());
    return false;
}

bool ReplacementFile::reopen()
{
    return open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered);
}

// Empty for a link that may not be followed: nothing is written then.
FileRewrite::FileRewrite(const QString &path)
    : path(followUserLinks(path))
    , replacement(this->path)
{
}

bool FileRewrite::open()
{
    if (path.isEmpty())
        return false;
    const FileIdentity identity = fileIdentity(path);
    // A file the user made read-only stays as it is, though its folder
    // would let a replacement in.
    if (identity.exists && (!identity.regular || !QFileInfo(path).isWritable()))
        return false;
    if (!identity.inPlaceOnly) {
        if (replacement.create() && takeIdentity(replacement, identity))
            return true;
        replacement.remove();
        if (!identity.exists)
            return false;
    }
    inPlace = true;
    // The new content waits where no other user can reach it.
    const QString folder = privateFolder();
    staged.setFileTemplate(joinPath(folder, QStringLiteral("staged-XXXXXX")));
    return !folder.isEmpty() && openFileHere(original, path, QIODevice::ReadWrite) && staged.open();
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
    return inPlace ? commitInPlace(staged) : commitReplacement();
}

bool FileRewrite::commitReplacement()
{
    // On disk before the rename; the rename itself needs no wait: before or
    // after it, a power cut leaves one whole file or the other.
    if (!syncToDisk(replacement)) {
        replacement.remove();
        return false;
    }
    // Windows renames no file that is open, this one included.
    replacement.close();
    const Replacement replaced = replaceFile(replacement.fileName(), path);
    if (replaced == Replacement::Done) {
        replacement.keep();
        return true;
    }
    // A reader would see the new content come in half-way: it is left alone.
    if (replaced == Replacement::HeldOpen) {
        replacement.remove();
        return false;
    }
    // The name cannot take another file (a file mounted there): the new
    // content goes over the old one instead.
    const bool written = replacement.reopen() && openFileHere(original, path, QIODevice::ReadWrite)
                         && commitInPlace(replacement);
    replacement.remove();
    return written;
}

bool FileRewrite::commitInPlace(QFileDevice &content)
{
    if (!content.flush())
        return false;
    const qint64 newSize = content.size();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!content.seek(0) || !hash.addData(&content))
        return false;
    // Another program reading the file would see it change under it, as the
    // rename road refuses to let it: written only when no one else has it.
    if (!holdAlone(original, path))
        return false;
    // The old content is kept in a journal until the new one is whole on
    // disk: whatever happens in between, it can be put back.
    QString journal;
    if (!WriteJournal::keep(path, original, newSize, hash.result(), journal))
        return false;
    if (original.seek(0) && content.seek(0) && copyRest(content, original)
        && original.resize(newSize) && syncToDisk(original)) {
        WriteJournal::release(journal);
        return true;
    }
    // When even that fails, the journal stays for the next run to replay.
    original.close();
    WriteJournal::restore(journal, path);
    return false;
}

bool copyWholeFile(const QString &source, const QString &destination,
                   const std::function<bool(const QString &part)> &beforeNaming)
{
    QFile in;
    QFile out;
    const QString part = leftoverName(destination, Leftover::Copying);
    if (!openRegularFile(in, source) || !createFileLike(out, part, in))
        return false;
    bool whole = copyRest(in, out) && syncToDisk(out);
    out.close();
    whole = whole && (!beforeNaming || beforeNaming(part));
    if (whole && copyHook())
        copyHook()(destination);
    // The rename never replaces: a file another run or the user put there
    // meanwhile stays, and so does a link someone put there.
    if (whole && renameNoReplace(part, destination)) {
        syncFolder(QFileInfo(destination).absolutePath());
        return true;
    }
    QFile::remove(part);
    return false;
}

#ifndef FILEREWRITE_H
#define FILEREWRITE_H

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QTemporaryFile>

#include <functional>

// A new content for a user's file, put in place whole or not at all:
//
//   FileLock lock(path);              // held from the read to the commit
//   FileRewrite out(path);
//   if (!out.open()) ... not a file that may be written ...
//   out.write(piece); ...             // false once any write failed
//   if (!out.commit()) ... the file is as it was ...
//
// Without a commit the file stays as it was. The file stays the same
// file: a replacement takes its owner, group and mode, and where a
// replacement could not keep what the file has (other hard links, ACLs or
// extended attributes, an owner or group the process may not set, a folder
// it cannot write) the new content is written over the old one, which is put
// back if that write fails. So it is too when the replacement cannot be
// renamed over the file (a file mounted in its place). Only a regular file or
// a missing one is written. A link is followed where the user's own (see
// followUserLinks), so that it stays a link; any other link is refused.

// A temporary file whose writes go straight to the file: a write cut short
// (a full disk, a size limit) shows at once, and nothing is copied twice.
class UnbufferedTemporaryFile : public QTemporaryFile
{
public:
    using QTemporaryFile::QTemporaryFile;
    bool open() { return QTemporaryFile::open(QIODevice::ReadWrite | QIODevice::Unbuffered); }
};

// A new file beside target under a name of its own, removed when destroyed
// unless kept. Unlike a QTemporaryFile's, its close really closes it, which
// Windows needs before it renames it.
class ReplacementFile : public QFile
{
public:
    explicit ReplacementFile(const QString &target);
    ~ReplacementFile() override;

    // As createReplacement makes it.
    bool create();
    bool reopen();
    void keep() { kept = true; }

private:
    QString target;
    bool kept = false;
};

class FileRewrite
{
public:
    explicit FileRewrite(const QString &path);

    bool open();
    bool write(QByteArrayView bytes);
    bool commit();

private:
    bool commitReplacement();
    bool commitInPlace(QFileDevice &content);

    QString path;
    // The new content beside the file, to be renamed over it.
    ReplacementFile replacement;
    // In place: the file itself, and its new content until that is whole.
    QFile original;
    UnbufferedTemporaryFile staged;
    bool inPlace = false;
    bool failed = false;
};

// Copies a regular file (after links) to a destination that must not exist
// yet, which gets the source's permission bits less the umask, as cp does.
// A FIFO or a device is not read. The copy is written under a working name
// (leftovers.h) and given its name last, once whole and on disk, never over
// a file: a copy cut short is never taken for one. beforeNaming, given the
// working name, may still call it off.
bool copyWholeFile(const QString &source, const QString &destination,
                   const std::function<bool(const QString &part)> &beforeNaming = {});
// Called with the destination just before a copy is given its name; lets a
// test put a file there at the worst moment.
inline std::function<void(const QString &path)> &copyHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

#endif

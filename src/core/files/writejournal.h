#ifndef WRITEJOURNAL_H
#define WRITEJOURNAL_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>

class QFileDevice;

// The old content of a file being written over in place, kept in a named,
// synced file until the new content is whole on disk: a run that dies in
// between leaves the journal, and the next run that takes the file's lock
// puts the old content back. Kept where side files go (sidefiles.h), it
// names the file it belongs to, and is replayed only when it is the user's
// own, into that very file, never through a link.
class WriteJournal
{
    Q_DECLARE_TR_FUNCTIONS(WriteJournal)

public:
    // Keeps original's content (read from its start) before newContent,
    // of newSize bytes and SHA-1 newHash, is written over it.
    [[nodiscard]] static bool keep(const QString &path, QFileDevice &original, qint64 newSize,
                                   const QByteArray &newHash, QString &journalPath);
    // The new content is whole: the journal goes.
    static bool release(const QString &journalPath);
    // The write failed: the old content goes back at once.
    static bool restore(const QString &journalPath, const QString &path);

    // Puts back the old content of path if a run died writing it; the
    // caller holds path's lock. True when there was nothing to put back or
    // it was put back; a journal that cannot be replayed stays.
    static bool recover(const QString &path);
    // Whether a journal of path is there to replay.
    static bool pending(const QString &path);

    // Told each file whose old content was put back, to tell the user.
    static void setListener(std::function<void(const QString &path)> listener);
    static QString restoredText(const QString &path);
};

#endif

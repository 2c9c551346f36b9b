#ifndef SIDEFILES_H
#define SIDEFILES_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// The files the program keeps about a user's file (its lock, its journal)
// and for itself (receipts, the record of the day's copy). Nobody else may
// plant, swap or read into them what the program will then believe:
//
//   path = sideFilePath(file, ".lock");   // beside file, else in privateFolder()
//   ... create it exclusively, never through a link ...
//   readOwnFile(path, limit, bytes);      // believed only when it is the user's own
//   saveOwnFile(path, bytes);             // a new file renamed over path, never written through
//
// Beside the file means only in a folder of the running user's (or root's)
// that no other user may write; anywhere else, a private folder of the
// user's own takes them, named after the file's whole path.

// The running user's own folder for side files, made 0700 when missing;
// empty when there is no such folder to be had.
QString privateFolder();
// Whether folder may hold side files: the running user may write it, and
// nobody else.
bool mayHoldSideFiles(const QString &folder);
// Where a side file of file is looked for, best first: beside it when its
// folder may hold one, then in the private folder (not made for a look).
QStringList sideFileCandidates(const QString &file, const QString &suffix);
// Where a new side file of file goes; empty when nowhere.
QString sideFilePath(const QString &file, const QString &suffix);

// Opens a regular file the running user (or root) owns and nobody else may
// write, without following a link or waiting on a FIFO; false for anything
// else.
bool openOwnFile(QFile &file, const QString &path, QIODevice::OpenMode mode);
// The same, read whole when it holds at most limit bytes.
bool readOwnFile(const QString &path, qint64 limit, QByteArray &content);
// Writes content to a new file beside path, synced, then renamed over path:
// whatever stood at path (a link too) is replaced, never written through.
bool saveOwnFile(const QString &path, const QByteArray &content);

// The file a user's path leads to: links are followed only where they may
// be (see linkMayBeFollowed), so that a rewrite keeps a link the user made.
// Empty for a link that may not be followed, or too long a chain of them.
QString followUserLinks(const QString &path);

#endif

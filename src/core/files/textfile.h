#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Byte-exact line handling for the files the program rewrites in place:
// lines keep their bytes, and a rewrite never leaves a torn file behind.

struct TextLine
{
    QByteArray text; // without its line end
    QByteArray end;  // "\n", "\r\n", "\r", or empty for a last line without one
};

// A CR LF pair is one line end; a CR or an LF alone is one too.

QList<TextLine> splitLines(const QByteArray &content);
QByteArray joinLines(const QList<TextLine> &lines);

// Text in the system's 8-bit encoding, the one of every file the program writes.
QByteArray local8Bit(const QString &text);

// The line end of the first terminated line, as splitLines sees lines, else
// the platform's own.
QByteArray firstLineEnd(QByteArrayView content);
QByteArray nativeLineEnd();

// Reads a regular file whole; false for a missing, unreadable or non-file
// path, with why in words when asked.
bool readWholeFile(const QString &path, QByteArray &content, QString *why = nullptr);
// Replaces the file's content, keeping the file's identity (see FileRewrite);
// on any failure the old content stays as it was.
bool writeWholeFile(const QString &path, const QByteArray &content);

#endif

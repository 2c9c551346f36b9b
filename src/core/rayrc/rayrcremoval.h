#ifndef RAYRCREMOVAL_H
#define RAYRCREMOVAL_H

#include "rayrc/rayrcscan.h"

#include <QCoreApplication>
#include <QString>

// Takes a shader's two entries out of maya.rayrc again: the first line that
// is exactly a tab and the link line, and the first other one that is
// exactly a tab and the mi line, each with its line end. Every other byte
// stays. An entry given a new line is replaced by it in its place instead,
// its line end kept: an upgrade's lines go where the old ones were. The file is streamed: the memory held is a block and the longest
// line, whatever the file's size.
class RayrcRemoval
{
    Q_DECLARE_TR_FUNCTIONS(RayrcRemoval)

public:
    enum class Outcome {
        Remove,      // at least one entry is there: removed, or to be
        NoEntries,   // neither entry is there: nothing to do
        NoDirectory, // no Mental Ray directory configured
        Unreadable,  // missing, not a regular file, or unreadable
        WriteFailed, // the rewrite failed; the file is as it was
        Busy,        // another run kept it locked: nothing was written
        NoReceipt,   // the entries are there, but no receipt says they are the shader's: kept
        OutOfMemory, // a line too long to hold: the file is as it was
    };
    // Stable names of the outcomes for scripts, never translated.
    QString key() const;

    QString path;
    // 1-based line of each entry in the file as it was; 0 when not there.
    qint64 linkLine = 0;
    qint64 miLine = 0;
    Outcome outcome = Outcome::NoDirectory;
    // What each entry found becomes; empty takes it out.
    QString newLink;
    QString newMi;
    // How much of the file the rewrite reads at a time.
    qsizetype blockSize = 256 * 1024;

    // An empty link or mi is not looked for (no receipt names it).
    static RayrcRemoval plan(const QString &mrDir, const QString &link, const QString &mi);
    // Rewrites the file without the entries when the plan says so; the
    // caller holds the file's lock.
    bool apply();
    // Whether the uninstall could not take out what it should have.
    bool keepsSomething() const;
    // Why the entries were not taken out; empty when they were, or are to be.
    QString reason() const;

    // Finds the entries in the file at path, writing nothing.
    static LinesRead locate(const QString &path, const QString &link, const QString &mi, qint64 &linkLine,
                       qint64 &miLine);

private:
    QString link;
    QString mi;
};

#endif

#ifndef RAYRCSTEP_H
#define RAYRCSTEP_H

#include "rayrc/rayrcscan.h"

#include <QCoreApplication>
#include <QString>

// The maya.rayrc part of an installation: which file, and where the two
// entries go.
class RayrcStep
{
    Q_DECLARE_TR_FUNCTIONS(RayrcStep)

public:
    enum class Outcome {
        Update,      // updated, or to be updated
        NoDirectory, // no Mental Ray directory configured
        Unreadable,  // missing, not a regular file, or unreadable
        NoLinkEntry, // no line holds a tab followed by "link"
        NoMiEntry,   // no line holds a tab followed by "mi"
        NoEntries,   // neither
        NotWritable, // neither the file nor its folder can be written
        WriteFailed, // the rewrite itself failed
        Busy,        // another run kept it locked: nothing was written
        OutOfMemory, // a line too long to hold: the file is as it was
        Installed,   // both entries, as the shader's receipt holds them, are
                     // there: nothing to write
    };

    QString path;
    // 1-based numbers of the lines the entries go above; 0 when not found.
    qint64 linkLine = 0;
    qint64 miLine = 0;
    Outcome outcome = Outcome::NoDirectory;
    // Entries the shader's receipt holds that are there: not written again.
    bool linkThere = false;
    bool miThere = false;
    // The day's copy of this very file, once kept; empty when there is none.
    QString backupPath;

    // Reads maya.rayrc in mrDir, without writing anything. receiptLink and
    // receiptMi: the lines this shader's receipt holds that are the ones to
    // write, empty for none.
    static RayrcStep plan(const QString &mrDir, const QString &receiptLink = {},
                          const QString &receiptMi = {});
    // Finds which of the receipt's lines are there, the first exact line of
    // each; Installed when both are.
    void findReceipted(const QString &receiptLink, const QString &receiptMi);
    // NoEntries, NoLinkEntry or NoMiEntry, for entries not all found.
    static Outcome entriesMissing(qint64 linkLine, qint64 miLine);
    // Unreadable or OutOfMemory, for a file not read through.
    static Outcome unread(LinesRead read);

    // Said when no copy of the day could be kept before a rewrite.
    static QString backupFailedText(const QString &backupPath);

    QString title() const;
    QString text() const;
    // Stable names of the outcomes for scripts, never translated.
    QString key() const;
    // Why the file is not (to be) updated, in a sentence; empty for an update.
    QString reason() const;
    // The sentence of the outcome of that key, for the same trouble with the
    // file at path met by another rewrite.
    static QString reason(const char *key, const QString &path);
    // The reason, and the day's copy when one was kept, for a box.
    QString details() const;
    // What the preview says of the file, in a sentence.
    QString planned() const;
};

#endif

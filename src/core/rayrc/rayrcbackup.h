#ifndef RAYRCBACKUP_H
#define RAYRCBACKUP_H

#include <QDate>
#include <QString>

// The day's copy of maya.rayrc, kept in the current directory as
// "maya.rayrc" followed by the date: at most one a day, never overwritten,
// always whole. A second maya.rayrc copied on the same day (the Mental Ray
// directory changed) gets a copy of its own, that name followed by "_" and a
// hash of its path; a file beside the first, its name followed by
// ".source", says whose copy it is.
QString rayrcBackupPath(const QDate &today);
// The day's copy of the maya.rayrc at source, whether it is there yet or not.
QString rayrcBackupPathFor(const QString &source, const QDate &today);

// The day's copy as a step of an installation or an uninstall, taken before
// anything is written: maya.rayrc must be kept before it is rewritten, also
// on a first run, when the Mental Ray directory was unknown at start-up.
class RayrcBackup
{
public:
    enum Outcome {
        Take,          // to be taken, or taken
        AlreadyKept,   // the day's copy is there already
        NothingToKeep, // no maya.rayrc to copy
        Failed,        // there is a maya.rayrc to keep, but no copy could be made
    };

    QString source;
    QString path;
    QDate day;
    Outcome outcome = NothingToKeep;

    static RayrcBackup plan(const QString &mrDir, const QDate &today);
    // Takes the copy when there is still none; false when it failed. The
    // caller holds maya.rayrc's lock, so that no copy is taken of a file
    // another run is writing in place.
    bool apply();
};

// The day's copy as both programs take it at start-up: a maya.rayrc a run
// died writing is put right first, under its lock, and the copy taken under
// the same lock unless takeCopy is false or it is kept already. Most starts
// find the copy kept and no journal: they read nothing and take no lock.
RayrcBackup keepRayrcAtStartUp(const QString &mrDir, const QDate &today, bool takeCopy = true);

#endif

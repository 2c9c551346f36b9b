#ifndef LEFTOVERS_H
#define LEFTOVERS_H

#include <QString>

// The names of the files a run keeps beside a user's file while it works on
// it: a copy not yet given its name, a file on its way out, a rewrite's new
// content. Each names the run's process, so that a later run can tell what
// a dead run left from what a live one is still writing.
//
// The calling sequence:
//   leftoverName(path, kind) for each working file, created exclusively;
//   sweepLeftovers(folder) before a run works in a folder, which removes
//   the working files of runs that died there.

// An Aside file is an upgrade's old copy, waiting until the upgrade is
// finished or undone: only the upgrade's journal may remove it, never a
// sweep, or a dead upgrade could no longer be undone.
enum class Leftover { Copying, Removing, New, Aside };

// ".NAME.velkarinth-KIND-PID-N" in path's folder, N new on each call.
QString leftoverName(const QString &path, Leftover kind);

// Removes the working files of dead runs from folder: regular files of the
// running user's, named as leftoverName names them, whose process is gone.
void sweepLeftovers(const QString &folder);

#endif

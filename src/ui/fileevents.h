#ifndef FILEEVENTS_H
#define FILEEVENTS_H

// What the core tells of the user's files outside any installation, shown
// by the dialog: while it waits for another run's lock it keeps painting
// itself, and a file put back after an interrupted write gets a box.
void showFileEvents();

#endif

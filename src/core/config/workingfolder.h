#ifndef WORKINGFOLDER_H
#define WORKINGFOLDER_H

#include <QCoreApplication>
#include <QString>

// Whether what the working folder holds may be believed: the folder itself,
// init.txt and the receipts must each belong to the running user (or root)
// and be writable by no other user, or another user could steer a run that
// reads them (a root run above all). A run that finds otherwise refuses
// before reading anything there, unless the environment variable names that
// very folder as trusted.
class WorkingFolder
{
    Q_DECLARE_TR_FUNCTIONS(WorkingFolder)

public:
    static constexpr const char *trustVariable = "VELKARINTH_TRUSTED_FOLDER";

    // Started in the folder the Windows installer put the program in (the
    // same for every account, and not the artists' to write), the program
    // works in the user's own folder instead, made if missing. Why that
    // failed; empty when it did not, or had nothing to do.
    static QString enterUserFolder();

    // Why the working folder is not to be believed; empty when it is.
    static QString untrusted();
    static QString title();
};

#endif

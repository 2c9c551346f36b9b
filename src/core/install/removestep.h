#ifndef REMOVESTEP_H
#define REMOVESTEP_H

#include "files/platform.h"
#include "install/filesearch.h"
#include "install/receipt.h"
#include "install/shaderfilerow.h"

#include <QCoreApplication>
#include <QSet>
#include <QString>

// One row's part of an uninstall: the file an installation of the shader
// would have put in the row's folder, and whether it goes.
class RemoveStep
{
    Q_DECLARE_TR_FUNCTIONS(RemoveStep)

public:
    enum class Outcome {
        Remove,        // byte for byte the shader's file: removed, or to be
        Differs,       // changed since, or someone else's: kept
        NotRegular,    // a link, a folder or anything but a regular file: kept
        SameFile,      // the shader's own file, the shader's folder being there: kept
        Missing,       // not there: nothing to do
        NotFound,      // no file below the shader's folder: nothing was installed
        NoDestination, // the row has no folder: nothing was installed
        RemoveFailed,  // identical, but could not be (or cannot be) removed
        NoReceipt,     // byte for byte the shader's, but no receipt says it was copied: kept
        Outside,       // a receipt names it, but in no configured folder: kept
        ReadOnly,      // the shader's, but marked read-only: the system refuses its removal
    };
    // Stable names of the outcomes for scripts, never translated.
    QString key() const;


    QString extension;
    QString source;      // the shader's file, empty when none was found
    QString folder;      // the row's destination folder
    QString destination; // the file there of the same name
    Outcome outcome = Outcome::NotFound;
    // What the file must still be, and its folder, for the removal to go.
    FileFingerprint expected;
    FileId folderId;

    // Without a receipt: the file of the shader's name, found below the
    // shader's folder, when it is byte for byte the shader's. goingAway:
    // files an earlier row already takes out.
    static RemoveStep plan(const ShaderFileRow &row, const ShaderFile &found,
                           const QSet<QString> &goingAway = {});
    // A receipted copy: it goes while it is still the copy that was made,
    // and only from where one of rows would have put it.
    static RemoveStep plan(const Receipt::File &copy, const QVector<ShaderFileRow> &rows);
    // Checks the file once more and removes it in the same step, when the
    // plan says so; false when it is kept or that failed.
    bool apply();
    // Whether the uninstall leaves something behind it should have taken.
    bool keepsSomething() const;
    // What became of the file, or would in a dry run, in a sentence.
    QString text(bool dryRun) const;
};

#endif

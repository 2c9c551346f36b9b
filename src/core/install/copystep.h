#ifndef COPYSTEP_H
#define COPYSTEP_H

#include "install/filesearch.h"
#include "install/receipt.h"
#include "install/shaderfilerow.h"

#include <QCoreApplication>
#include <QSet>
#include <QString>
#include <QVector>

// One row's part of an installation: the shader's file found for the row's
// extension, where it goes, and what becomes of it.
class CopyStep
{
    Q_DECLARE_TR_FUNCTIONS(CopyStep)

public:
    enum class Outcome {
        Copy,          // copied, or to be copied
        NotFound,      // no file below the shader's folder
        NoDestination, // the row has no destination folder yet
        NoFolder,      // no such destination folder
        AlreadyThere,  // a file of that name is already in the destination
        NotWritable,   // the destination folder cannot be written
        CopyFailed,    // the copy itself failed
        Unreadable,    // the file found cannot be opened for reading
        NameUnreadable, // not found, but a name below is not UTF-8 and may be
                        // the file; source holds that name
        Installed,     // the shader's receipted copy, intact and the same bytes
                       // as the file found: nothing to do
        Outdated,      // the shader's receipted copy, intact, of a source
                       // changed since: kept
    };
    // Stable names of the outcomes for scripts, never translated.
    QString key() const;

    QString extension;
    bool mandatory = false;
    QString shaderDir;   // the folder searched
    QString source;      // full path of the file found, empty when none was
    QString name;        // its file name
    QString folder;      // the row's destination folder
    QString destination; // folder and name joined
    Outcome outcome = Outcome::NotFound;

    // Decides what the copy of found, the row's file below shaderDir, would
    // do; names in willExist count as already in place (files an earlier row
    // would copy). A file at the destination is the shader's own only when
    // the receipt names it, as it was made.
    static CopyStep plan(const ShaderFileRow &row, const QString &shaderDir, const ShaderFile &found,
                         const QSet<QString> &willExist = {}, const Receipt &receipt = {});

    // A file not found fails even an optional row; any other refusal fails
    // only a mandatory one.
    bool failsInstall() const;

    // The message box's title and text, as the dialog has always shown them.
    QString title() const;
    QString text() const;
    // Why the file is not (to be) copied, in a sentence; empty for a copy.
    QString reason() const;
    // The reason and the facts behind it, for a box.
    QString details() const;
    // What the preview says of the row, in a few words.
    QString planned() const;
};

#endif

#ifndef INSTALLREPORTER_H
#define INSTALLREPORTER_H

#include <QString>

class CopyStep;
class RayrcStep;

// Hears what an installation does, as it happens, in the order it happens:
// the dialog shows each failure in a box, the command line prints it. This
// one hears and says nothing.
class InstallReporter
{
public:
    virtual ~InstallReporter();

    virtual void copied(const CopyStep &step);
    virtual void copyFailed(const CopyStep &step);
    virtual void rayrcUpdated(const RayrcStep &step);
    virtual void rayrcFailed(const RayrcStep &step);
    // maya.rayrc is about to be rewritten with no copy of the day kept.
    virtual void backupFailed(const QString &backupPath);
    // What was just done could not be written into the receipt at path: an
    // uninstall will not take it back.
    virtual void receiptFailed(const QString &path);
};

#endif

#ifndef STREAMREPORTER_H
#define STREAMREPORTER_H

#include "install/installreporter.h"

class QTextStream;

// Prints what an installation does as it happens: one line on stdout per
// file copied and for the updated maya.rayrc, one line on stderr per
// failure, with the text the dialog's box would show; quiet keeps stdout
// for a JSON report alone.
class StreamReporter : public InstallReporter
{
public:
    StreamReporter(QTextStream &out, QTextStream &err, bool quiet);

    void copied(const CopyStep &step) override;
    void copyFailed(const CopyStep &step) override;
    void rayrcUpdated(const RayrcStep &step) override;
    void rayrcFailed(const RayrcStep &step) override;
    void backupFailed(const QString &backupPath) override;
    void receiptFailed(const QString &path) override;

private:
    QTextStream &out;
    QTextStream &err;
    bool quiet;
};

#endif

#include "streamreporter.h"

#include "clitext.h"
#include "install/copystep.h"
#include "install/receipt.h"
#include "rayrc/rayrcstep.h"

#include <QTextStream>

StreamReporter::StreamReporter(QTextStream &out, QTextStream &err, bool quiet)
    : out(out), err(err), quiet(quiet)
{
}

void StreamReporter::copied(const CopyStep &step)
{
    if (!quiet)
        out << CliText::copied(step) << Qt::endl;
}

void StreamReporter::copyFailed(const CopyStep &step)
{
    err << CliText::failure(step) << Qt::endl;
}

void StreamReporter::rayrcUpdated(const RayrcStep &step)
{
    if (!quiet)
        out << CliText::rayrcUpdated(step) << Qt::endl;
}

void StreamReporter::backupFailed(const QString &backupPath)
{
    err << CliText::failure(RayrcStep::backupFailedText(backupPath), QString()) << Qt::endl;
}

void StreamReporter::receiptFailed(const QString &path)
{
    err << CliText::failure(Receipt::failedText(path), QString()) << Qt::endl;
}

void StreamReporter::rayrcFailed(const RayrcStep &step)
{
    err << CliText::failure(step) << Qt::endl;
}

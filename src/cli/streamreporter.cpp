#include "streamreporter.h"

#include "clitext.h"

#include <QTextStream>

StreamReporter::StreamReporter(QTextStream &out, QTextStream &err, bool quiet)
    : out(out), err(err), quiet(quiet)
{
}

void StreamReporter::copied(const CopyStep &step)
{
    copies.append(step);
    if (!quiet)
        out << CliText::copied(step) << Qt::endl;
}

void StreamReporter::copyFailed(const CopyStep &step)
{
    copies.append(step);
    err << CliText::failure(step.text(), step.details()) << Qt::endl;
}

void StreamReporter::rayrcUpdated(const RayrcStep &step)
{
    rayrcSteps.append(step);
    if (!quiet)
        out << CliText::rayrcUpdated(step) << Qt::endl;
}

void StreamReporter::backupFailed(const QString &backupPath)
{
    err << CliText::failure(RayrcStep::backupFailedText(backupPath), QString()) << Qt::endl;
}

void StreamReporter::rayrcFailed(const RayrcStep &step)
{
    rayrcSteps.append(step);
    err << CliText::failure(step.text(), step.details()) << Qt::endl;
}

#include "install/installreporter.h"

InstallReporter::~InstallReporter() = default;

void InstallReporter::copied(const CopyStep &) {}

void InstallReporter::copyFailed(const CopyStep &) {}

void InstallReporter::rayrcUpdated(const RayrcStep &) {}

void InstallReporter::rayrcFailed(const RayrcStep &) {}

void InstallReporter::backupFailed(const QString &) {}

void InstallReporter::receiptFailed(const QString &)
{
}

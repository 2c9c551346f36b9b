#include "install/installreporter.h"

InstallReporter::~InstallReporter() = default;

void InstallReporter::copied(const CopyStep &) {}

void InstallReporter::rayrcUpdated(const RayrcStep &) {}

#ifndef SHADERINSTALL_H
#define SHADERINSTALL_H

#include "install/shaderfilerow.h"

#include <QString>
#include <QVector>

class InstallReporter;

// Copies each row's file into the row's folder, never replacing a file and
// never stopping or undoing on a failure; each step is reported as it
// happens. maya.rayrc is updated only when every file was found and every
// mandatory one copied.
bool installShaderFiles(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                        const QString &mrDir, const QString &link, const QString &mi,
                        InstallReporter *reporter = nullptr);

#endif

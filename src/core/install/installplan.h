#ifndef INSTALLPLAN_H
#define INSTALLPLAN_H

#include "install/copystep.h"
#include "rayrc/rayrcstep.h"

#include <QVector>

// What an installation would do, worked out without writing anything.
class InstallPlan
{
public:
    QVector<CopyStep> copies;
    RayrcStep rayrc;

    static InstallPlan make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                            const QString &mrDir);

    // Whether the installation would copy every file it must and then
    // update maya.rayrc.
    bool succeeds() const;
};

#endif

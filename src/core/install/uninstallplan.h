#ifndef UNINSTALLPLAN_H
#define UNINSTALLPLAN_H

#include "rayrc/rayrcremoval.h"
#include "install/removestep.h"

#include <QVector>

// The reverse of an installation, worked out from the shader's folder alone:
// each file the installation would have copied goes if it is still byte for
// byte the shader's, and the two entries leave maya.rayrc.
class UninstallPlan
{
public:
    QVector<RemoveStep> files;
    RayrcRemoval rayrc;
    QString mrDir;
    // False when maya.rayrc was rewritten with no copy of the day kept.
    bool backupKept = true;

    static UninstallPlan make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                              const QString &mrDir, const QString &link, const QString &mi);
    // Carries the plan out; true when nothing was kept that should have gone.
    bool apply();
    bool succeeds() const;
};

#endif

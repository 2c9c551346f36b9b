#ifndef UNINSTALLPLAN_H
#define UNINSTALLPLAN_H

#include "rayrc/rayrcremoval.h"
#include "install/removestep.h"
#include "rayrc/rayrcbackup.h"

#include <QVector>

// The reverse of an installation, worked out from the shader's folder alone:
// each file the installation would have copied goes if it is still byte for
// byte the shader's, and the two entries leave maya.rayrc.
class UninstallPlan
{
public:
    QString shaderDir;
    QVector<RemoveStep> files;
    RayrcBackup backup;
    RayrcRemoval rayrc;
    // False when maya.rayrc was rewritten with no copy of the day kept.
    bool backupKept = true;
    bool applied = false;

    [[nodiscard]] static UninstallPlan make(const QVector<ShaderFileRow> &rows,
                                            const QString &shaderDir, const QString &mrDir,
                                            const QString &link, const QString &mi,
                                            const QDate &today = QDate::currentDate());
    // Carries the plan out; true when nothing was kept that should have gone.
    bool apply();
    [[nodiscard]] bool succeeds() const;
};

#endif

#include "uninstallplan.h"

#include "rayrcbackup.h"

#include <QDate>

UninstallPlan UninstallPlan::make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                                  const QString &mrDir, const QString &link, const QString &mi)
{
    UninstallPlan plan;
    for (const ShaderFileRow &row : rows)
        plan.files.append(RemoveStep::plan(row, shaderDir));
    plan.rayrc = RayrcRemoval::plan(mrDir, link, mi);
    plan.mrDir = mrDir;
    return plan;
}

bool UninstallPlan::apply()
{
    for (RemoveStep &step : files)
        step.apply();
    if (rayrc.outcome == RayrcRemoval::Remove)
        backupRayrcFile(mrDir, QDate::currentDate());
    rayrc.apply();
    return succeeds();
}

bool UninstallPlan::succeeds() const
{
    for (const RemoveStep &step : files) {
        if (step.keepsSomething())
            return false;
    }
    return !rayrc.keepsSomething();
}

#include "install/installplan.h"

InstallPlan InstallPlan::make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                              const QString &mrDir)
{
    InstallPlan plan;
    // A file an earlier row would copy is already there for a later row.
    QSet<QString> willExist;
    for (const ShaderFileRow &row : rows) {
        const CopyStep step = CopyStep::plan(row, shaderDir, willExist);
        if (step.outcome == CopyStep::Copy)
            willExist.insert(step.destination);
        plan.copies.append(step);
    }
    plan.rayrc = RayrcStep::plan(mrDir);
    return plan;
}

bool InstallPlan::succeeds() const
{
    for (const CopyStep &step : copies) {
        if (step.failsInstall())
            return false;
    }
    return rayrc.outcome == RayrcStep::Update;
}

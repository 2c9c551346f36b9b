#include "install/uninstallplan.h"

#include "files/filelock.h"

#include <QFileInfo>

UninstallPlan UninstallPlan::make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                                  const QString &mrDir, const QString &link, const QString &mi,
                                  const QDate &today)
{
    UninstallPlan plan;
    plan.shaderDir = shaderDir;
    // Two rows may find the same file: it goes once.
    QSet<QString> goingAway;
    // Nothing is removed before the plan is made: one walk serves every row.
    const ShaderSearch search = ShaderSearch::ofRows(rows, shaderDir);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const RemoveStep step = RemoveStep::plan(rows.at(i), search.files.at(i), goingAway);
        if (step.outcome == RemoveStep::Remove)
            goingAway.insert(QFileInfo(step.destination).absoluteFilePath());
        plan.files.append(step);
    }
    plan.backup = RayrcBackup::plan(mrDir, today);
    plan.rayrc = RayrcRemoval::plan(mrDir, link, mi);
    return plan;
}

bool UninstallPlan::apply()
{
    applied = true;
    for (RemoveStep &step : files)
        step.apply();
    if (rayrc.outcome != RayrcRemoval::Remove)
        return succeeds();
    FileLock lock(rayrc.path);
    if (!lock.lock()) {
        rayrc.outcome = RayrcRemoval::Busy;
        return succeeds();
    }
    backupKept = backup.apply();
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

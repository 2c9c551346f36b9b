#include "install/shaderinstall.h"

#include "install/copystep.h"
#include "install/installreporter.h"
#include "files/paths.h"
#include "rayrc/rayrcupdate.h"
#include "rayrc/rayrcbackup.h"
#include "rayrc/rayrcstep.h"
#include "files/filerewrite.h"

#include <QDate>
#include <QFile>

bool installShaderFiles(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                        const QString &mrDir, const QString &link, const QString &mi,
                        InstallReporter *reporter)
{
    bool result = true;
    for (const ShaderFileRow &row : rows) {
        // Each row is looked up only once the rows before it are copied, as
        // the user would do it by hand.
        CopyStep step = CopyStep::plan(row, shaderDir);
        if (step.outcome == CopyStep::Copy && !copyRegularFile(step.source, step.destination))
            step.outcome = CopyStep::CopyFailed;
        if (step.outcome == CopyStep::Copy) {
            if (reporter)
                reporter->copied(step);
            continue;
        }
        if (step.failsInstall())
            result = false;
        if (reporter)
            reporter->copyFailed(step);
    }
    if (!result)
        return false;
    // On a first run the Mental Ray directory was unknown at start-up: the
    // user's own maya.rayrc must still be kept before it is rewritten.
    const QDate today = QDate::currentDate();
    if (!keepRayrcBeforeRewrite(mrDir, today) && reporter)
        reporter->backupFailed(rayrcBackupPath(today));
    if (!updateRayrcFile(mrDir, link, mi)) {
        RayrcStep step = RayrcStep::plan(mrDir);
        // The file looked fine, so the write itself went wrong.
        if (step.outcome == RayrcStep::Update)
            step.outcome = RayrcStep::WriteFailed;
        if (reporter)
            reporter->rayrcFailed(step);
        return false;
    }
    if (reporter) {
        RayrcStep step;
        step.path = joinPath(mrDir, QStringLiteral("maya.rayrc"));
        step.outcome = RayrcStep::Update;
        reporter->rayrcUpdated(step);
    }
    return true;
}

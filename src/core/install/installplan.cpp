#include "install/installplan.h"

#include "files/filelock.h"
#include "files/filerewrite.h"
#include "install/installreporter.h"
#include "install/receipt.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcupdate.h"

#include <QFileInfo>

#include <algorithm>

namespace {
// The copy of the day and the rewrite under one lock: no other run writes
// maya.rayrc in between, nor reads it half written.
RayrcStep lockedUpdate(const QString &mrDir, const QString &link, const QString &mi,
                       RayrcBackup &backup, InstallReporter &reporter)
{
    const QString path = rayrcPath(mrDir);
    if (path.isEmpty())
        return updateRayrcFile(mrDir, link, mi);
    FileLock lock(path);
    if (!lock.lock()) {
        RayrcStep step;
        step.path = path;
        step.outcome = lock.busy() ? RayrcStep::Outcome::Busy : RayrcStep::Outcome::WriteFailed;
        return step;
    }
    if (!backup.apply())
        reporter.backupFailed(backup.path);
    RayrcStep step = updateRayrcFile(mrDir, link, mi);
    if (backup.outcome == RayrcBackup::Take || backup.outcome == RayrcBackup::AlreadyKept)
        step.backupPath = backup.path;
    return step;
}

// Written as each step succeeds, so that an installation cut short still
// has a receipt of what it did.
void record(const InstallPlan &plan, InstallReporter &reporter,
            const std::function<void(Receipt &)> &change)
{
    const QString rayrc = rayrcPath(plan.mrDir);
    if (!Receipt::update(plan.shaderDir, rayrc, change))
        reporter.receiptFailed(Receipt::pathFor(plan.shaderDir, rayrc));
}
}

InstallPlan InstallPlan::make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                              const QString &mrDir, const QString &link, const QString &mi,
                              const QDate &today)
{
    InstallPlan plan;
    plan.rows = rows;
    plan.shaderDir = shaderDir;
    plan.mrDir = mrDir;
    plan.link = link;
    plan.mi = mi;
    // Nothing is copied before the plan is made: one walk serves every row.
    plan.search = ShaderSearch::ofRows(rows, shaderDir);
    // A file an earlier row would copy is already there for a later row.
    QSet<QString> willExist;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CopyStep step = CopyStep::plan(rows.at(i), shaderDir, plan.search.files.at(i), willExist);
        if (step.outcome == CopyStep::Outcome::Copy)
            willExist.insert(step.destination);
        plan.copies.append(step);
    }
    plan.backup = RayrcBackup::plan(mrDir, today);
    plan.rayrc = RayrcStep::plan(mrDir);
    return plan;
}

bool InstallPlan::apply(InstallReporter &reporter)
{
    applied = true;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // Each row is looked up only once the rows before it are copied, as
        // the user would do it by hand.
        CopyStep &step = copies[i];
        step = lookUpAgain(i);
        if (step.outcome == CopyStep::Outcome::Copy && !copyRegularFile(step.source, step.destination))
            step.outcome = CopyStep::Outcome::CopyFailed;
        if (step.outcome == CopyStep::Outcome::Copy) {
            const FileFingerprint copy = fileFingerprint(step.destination);
            record(*this, reporter, [&](Receipt &receipt) {
                receipt.files.append({step.extension, QFileInfo(step.source).absoluteFilePath(),
                                     step.destination, copy});
            });
            reporter.copied(step);
            continue;
        }
        reporter.copyFailed(step);
    }
    if (!reachesRayrc())
        return false;
    rayrc = lockedUpdate(mrDir, link, mi, backup, reporter);
    if (rayrc.outcome == RayrcStep::Outcome::Update) {
        record(*this, reporter, [this](Receipt &receipt) {
            receipt.lines.append({QStringLiteral("link"), link});
            receipt.lines.append({QStringLiteral("mi"), mi});
        });
        reporter.rayrcUpdated(rayrc);
    } else {
        reporter.rayrcFailed(rayrc);
    }
    return succeeds();
}

CopyStep InstallPlan::lookUpAgain(qsizetype i)
{
    // A copy lands in a folder the walk went through (a destination at or
    // below the shader's folder, or one a link there leads to): what the
    // later rows find may have changed.
    const CopyStep::Outcome before = i > 0 ? copies.at(i - 1).outcome : CopyStep::Outcome::NotFound;
    const bool changed = (before == CopyStep::Outcome::Copy || before == CopyStep::Outcome::CopyFailed)
                         && search.walked(rows.at(i - 1).path);
    if (changed || i < searchedFrom || i - searchedFrom >= search.files.size()) {
        search = ShaderSearch::ofRows(rows.mid(i), shaderDir);
        searchedFrom = i;
    }
    return CopyStep::plan(rows.at(i), shaderDir, search.files.at(i - searchedFrom));
}

bool InstallPlan::succeeds() const
{
    return reachesRayrc() && rayrc.outcome == RayrcStep::Outcome::Update;
}

bool InstallPlan::reachesRayrc() const
{
    return std::none_of(copies.cbegin(), copies.cend(), [](const CopyStep &step) { return step.failsInstall(); });
}

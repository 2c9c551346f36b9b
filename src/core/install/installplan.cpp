#include "install/installplan.h"

#include "files/filelock.h"
#include "files/filerewrite.h"
#include "files/leftovers.h"
#include "install/installreporter.h"
#include "install/receipt.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcupdate.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
// The receipt's line of that entry when it is the one to write: only then
// is it this install's, already there.
QString receiptedLine(const InstallPlan &plan, const QString &entry)
{
    const QString line = plan.receipt.line(entry);
    return line == (entry == QLatin1String("link") ? plan.link : plan.mi) ? line : QString();
}

// The copy of the day and the rewrite under one lock: no other run writes
// maya.rayrc in between, nor reads it half written.
RayrcStep lockedUpdate(const InstallPlan &plan, RayrcBackup &backup, InstallReporter &reporter)
{
    const QString path = rayrcPath(plan.mrDir);
    if (path.isEmpty())
        return updateRayrcFile(plan.mrDir, plan.link, plan.mi);
    FileLock lock(path);
    if (!lock.lock()) {
        RayrcStep step;
        step.path = path;
        step.outcome = lock.busy() ? RayrcStep::Outcome::Busy : RayrcStep::Outcome::WriteFailed;
        return step;
    }
    // Looked for again now that no other run writes the file.
    RayrcStep there;
    there.path = path;
    there.findReceipted(receiptedLine(plan, QStringLiteral("link")), receiptedLine(plan, QStringLiteral("mi")));
    if (there.outcome == RayrcStep::Outcome::Installed)
        return there;
    if (!backup.apply())
        reporter.backupFailed(backup.path);
    RayrcStep step = updateRayrcFile(plan.mrDir, there.linkThere ? QString() : plan.link,
                                     there.miThere ? QString() : plan.mi);
    step.linkThere = there.linkThere;
    step.miThere = there.miThere;
    if (backup.outcome == RayrcBackup::Take || backup.outcome == RayrcBackup::AlreadyKept)
        step.backupPath = backup.path;
    return step;
}

// Written as each step succeeds, so that an installation cut short still
// has a receipt of what it did.
bool record(InstallPlan &plan, InstallReporter &reporter, const std::function<void(Receipt &)> &change)
{
    const QString rayrc = rayrcPath(plan.mrDir);
    const QList<Receipt::Line> planned{{QStringLiteral("link"), plan.link}, {QStringLiteral("mi"), plan.mi}};
    if (Receipt::update(plan.shaderDir, rayrc, [&](Receipt &receipt) {
            change(receipt);
            receipt.planned = planned;
        }))
        return true;
    plan.receiptFailed = true;
    reporter.receiptFailed(Receipt::pathFor(plan.shaderDir, rayrc));
    return false;
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
    Receipt::read(Receipt::pathFor(shaderDir, rayrcPath(mrDir)), plan.receipt);
    // Nothing is copied before the plan is made: one walk serves every row.
    plan.search = ShaderSearch::ofRows(rows, shaderDir);
    // A file an earlier row would copy is already there for a later row.
    QSet<QString> willExist;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CopyStep step = CopyStep::plan(rows.at(i), shaderDir, plan.search.files.at(i), willExist,
                                             plan.receipt);
        if (step.outcome == CopyStep::Outcome::Copy)
            willExist.insert(step.destination);
        plan.copies.append(step);
    }
    plan.backup = RayrcBackup::plan(mrDir, today);
    plan.rayrc = RayrcStep::plan(mrDir, receiptedLine(plan, QStringLiteral("link")),
                                 receiptedLine(plan, QStringLiteral("mi")));
    return plan;
}

bool InstallPlan::apply(InstallReporter &reporter)
{
    applied = true;
    sweep(rows, mrDir);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // Each row is looked up only once the rows before it are copied, as
        // the user would do it by hand.
        CopyStep &step = copies[i];
        step = lookUpAgain(i);
        if (step.outcome == CopyStep::Outcome::Copy) {
            // Its entry first: a run killed at any point leaves no named copy
            // the receipt does not know.
            Receipt::File entry{step.extension, QFileInfo(step.source).absoluteFilePath(), step.destination, {}};
            bool recorded = false;
            bool refused = false;
            const bool copied = copyWholeFile(step.source, step.destination, [&](const QString &part) {
                entry.copy = fileFingerprint(part);
                recorded = record(*this, reporter, [&entry](Receipt &receipt) { receipt.addFile(entry); });
                refused = !recorded;
                return recorded;
            });
            if (!copied) {
                if (recorded)
                    static_cast<void>(record(*this, reporter,
                                             [&entry](Receipt &receipt) { receipt.files.removeAll(entry); }));
                step.outcome = CopyStep::Outcome::CopyFailed;
                if (refused)
                    continue; // said already
            }
        }
        if (step.outcome == CopyStep::Outcome::Copy || step.outcome == CopyStep::Outcome::Installed)
            reporter.copied(step);
        else
            reporter.copyFailed(step);
    }
    if (!reachesRayrc())
        return false;
    rayrc = lockedUpdate(*this, backup, reporter);
    if (rayrc.outcome == RayrcStep::Outcome::Update) {
        record(*this, reporter, [this](Receipt &receipt) {
            receipt.addLine({QStringLiteral("link"), link});
            receipt.addLine({QStringLiteral("mi"), mi});
        });
    }
    if (rayrc.outcome == RayrcStep::Outcome::Update || rayrc.outcome == RayrcStep::Outcome::Installed)
        reporter.rayrcUpdated(rayrc);
    else
        reporter.rayrcFailed(rayrc);
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
    return CopyStep::plan(rows.at(i), shaderDir, search.files.at(i - searchedFrom), {}, receipt);
}

bool InstallPlan::succeeds() const
{
    return reachesRayrc() && !receiptFailed
           && (rayrc.outcome == RayrcStep::Outcome::Update || rayrc.outcome == RayrcStep::Outcome::Installed);
}

bool InstallPlan::changed() const
{
    return (reachesRayrc() && rayrc.outcome == RayrcStep::Outcome::Update)
           || std::any_of(copies.cbegin(), copies.cend(),
                          [](const CopyStep &step) { return step.outcome == CopyStep::Outcome::Copy; });
}

void InstallPlan::sweep(const QVector<ShaderFileRow> &rows, const QString &mrDir)
{
    QSet<QString> folders{QDir::currentPath(), Receipt::folder(), mrDir};
    for (const ShaderFileRow &row : rows)
        folders.insert(row.path);
    for (const QString &folder : std::as_const(folders))
        sweepLeftovers(folder);
}

bool InstallPlan::reachesRayrc() const
{
    return std::none_of(copies.cbegin(), copies.cend(), [](const CopyStep &step) { return step.failsInstall(); });
}

#include "install/uninstallplan.h"

#include "files/filelock.h"
#include "install/installplan.h"
#include "install/receipt.h"
#include "rayrc/rayrcpath.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {
// Without a receipt, nothing found is known to be the shader's.
void keepUnreceipted(UninstallPlan &plan)
{
    for (RemoveStep &step : plan.files) {
        if (step.outcome == RemoveStep::Outcome::Remove)
            step.outcome = RemoveStep::Outcome::NoReceipt;
    }
    if (plan.rayrc.outcome == RayrcRemoval::Outcome::Remove)
        plan.rayrc.outcome = RayrcRemoval::Outcome::NoReceipt;
}
}

void UninstallPlan::follow(const Receipt &receipt)
{
    held = receipt;
    files.clear();
    receipted = receipt.files;
    for (const Receipt::File &copy : receipt.files)
        files.append(RemoveStep::plan(copy, rows));
    rayrc = RayrcRemoval::plan(mrDir, receipt.line(QStringLiteral("link")), receipt.line(QStringLiteral("mi")));
    // An installation that stopped before maya.rayrc wrote nothing there.
    if (receipt.lines.isEmpty()) {
        rayrc.path = rayrcFile;
        rayrc.outcome = RayrcRemoval::Outcome::NoEntries;
        rayrc.linkLine = rayrc.miLine = 0;
    }
}

UninstallPlan UninstallPlan::make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                                  const QString &mrDir, const QString &link, const QString &mi,
                                  bool withoutReceipt, const QDate &today)
{
    UninstallPlan plan;
    plan.shaderDir = shaderDir;
    plan.rows = rows;
    plan.mrDir = mrDir;
    plan.rayrcFile = rayrcPath(mrDir);
    plan.backup = RayrcBackup::plan(mrDir, today);
    Receipt receipt;
    if (Receipt::read(Receipt::pathFor(shaderDir, plan.rayrcFile), receipt)) {
        plan.receipt = Receipt::pathFor(shaderDir, plan.rayrcFile);
        plan.otherLines = receipt.otherLines(link, mi);
        plan.follow(receipt);
        return plan;
    }
    // Two rows may find the same file: it goes once.
    QSet<QString> goingAway;
    // Nothing is removed before the plan is made: one walk serves every row.
    const ShaderSearch search = ShaderSearch::ofRows(rows, shaderDir);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const RemoveStep step = RemoveStep::plan(rows.at(i), search.files.at(i), goingAway);
        if (step.outcome == RemoveStep::Outcome::Remove)
            goingAway.insert(QFileInfo(step.destination).absoluteFilePath());
        plan.files.append(step);
    }
    plan.rayrc = RayrcRemoval::plan(mrDir, link, mi);
    if (!withoutReceipt)
        keepUnreceipted(plan);
    return plan;
}

bool UninstallPlan::apply()
{
    applied = true;
    if (otherLines)
        return false;
    InstallPlan::sweep(rows, mrDir);
    // Held to the end: an install of the same shader meanwhile waits, and
    // what it records is not lost.
    std::optional<FileLock> receiptLock;
    if (!receipt.isEmpty()) {
        Receipt now;
        receiptKept = receiptLock.emplace(receipt).lock() && Receipt::read(receipt, now);
        if (!receiptKept)
            return false;
        follow(now);
    }
    for (RemoveStep &step : files)
        step.apply();
    if (rayrc.outcome == RayrcRemoval::Outcome::Remove) {
        FileLock lock(rayrc.path);
        if (lock.lock()) {
            backup.apply();
            rayrc.apply();
        } else {
            rayrc.outcome = lock.busy() ? RayrcRemoval::Outcome::Busy : RayrcRemoval::Outcome::WriteFailed;
        }
    }
    if (receipt.isEmpty())
        return succeeds();
    // What is gone leaves the receipt, matched by what it was; the rest stays.
    receiptKept = Receipt::change(shaderDir, rayrcFile, [this](Receipt &kept) {
        bool dropped = false;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const RemoveStep::Outcome outcome = files.at(i).outcome;
            if (outcome == RemoveStep::Outcome::Remove || outcome == RemoveStep::Outcome::Missing)
                dropped = kept.files.removeAll(receipted.at(i)) > 0 || dropped;
        }
        // The receipted line of each entry was taken out, or is not there
        // any more: either way it is gone.
        if (!rayrc.keepsSomething()) {
            for (const QString entry : {QStringLiteral("link"), QStringLiteral("mi")}) {
                const QString text = held.line(entry);
                dropped = kept.lines.removeIf([&](const Receipt::Line &line) {
                              return line.entry == entry && line.text == text;
                          }) > 0
                          || dropped;
            }
        }
        kept.uninstalling = kept.uninstalling || (dropped && !kept.isEmpty());
        // Nothing to go back to once the shader is going.
        if (dropped)
            kept.previous = {};
    });
    return succeeds();
}

bool UninstallPlan::succeeds() const
{
    if (otherLines || !receiptKept)
        return false;
    for (const RemoveStep &step : files) {
        if (step.keepsSomething())
            return false;
    }
    return !rayrc.keepsSomething();
}

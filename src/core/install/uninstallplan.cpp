#include "install/uninstallplan.h"

#include "files/filelock.h"
#include "install/receipt.h"
#include "rayrc/rayrcpath.h"

#include <QFileInfo>

#include <algorithm>

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

UninstallPlan UninstallPlan::make(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                                  const QString &mrDir, const QString &link, const QString &mi,
                                  bool withoutReceipt, const QDate &today)
{
    UninstallPlan plan;
    plan.shaderDir = shaderDir;
    plan.rayrcFile = rayrcPath(mrDir);
    plan.backup = RayrcBackup::plan(mrDir, today);
    Receipt receipt;
    if (Receipt::read(Receipt::pathFor(shaderDir, plan.rayrcFile), receipt)) {
        plan.receipt = Receipt::pathFor(shaderDir, plan.rayrcFile);
        for (const Receipt::File &copy : std::as_const(receipt.files))
            plan.files.append(RemoveStep::plan(copy, rows));
        plan.rayrc = RayrcRemoval::plan(mrDir, receipt.line(QStringLiteral("link")),
                                        receipt.line(QStringLiteral("mi")));
        // An installation that stopped before maya.rayrc wrote nothing there.
        if (receipt.lines.isEmpty()) {
            plan.rayrc.path = plan.rayrcFile;
            plan.rayrc.outcome = RayrcRemoval::Outcome::NoEntries;
            plan.rayrc.linkLine = plan.rayrc.miLine = 0;
        }
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
    // What is gone leaves the receipt; what was kept stays in it.
    receiptKept = Receipt::update(shaderDir, rayrcFile, [this](Receipt &kept) {
        QList<Receipt::File> remaining;
        for (const Receipt::File &copy : std::as_const(kept.files)) {
            const auto step = std::find_if(files.cbegin(), files.cend(), [&](const RemoveStep &s) {
                return s.destination == copy.destination;
            });
            if (step == files.cend()
                || (step->outcome != RemoveStep::Outcome::Remove && step->outcome != RemoveStep::Outcome::Missing))
                remaining.append(copy);
        }
        kept.files = remaining;
        // The first receipted line of each entry was taken out, or is not
        // there any more: either way it is gone.
        if (!rayrc.keepsSomething()) {
            for (const QString entry : {QStringLiteral("link"), QStringLiteral("mi")}) {
                const auto line = std::find_if(kept.lines.begin(), kept.lines.end(),
                                               [&](const Receipt::Line &l) { return l.entry == entry; });
                if (line != kept.lines.end())
                    kept.lines.erase(line);
            }
        }
    });
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

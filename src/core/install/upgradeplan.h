#ifndef UPGRADEPLAN_H
#define UPGRADEPLAN_H

#include "install/copystep.h"
#include "install/receipt.h"
#include "install/shaderfilerow.h"
#include "rayrc/rayrcstep.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>

// An installed shader brought whole to another version: the one its folder
// holds now (an upgrade), or the one before the last upgrade (a rollback).
// Whole or not at all, whatever fails and whenever the run dies:
//
//   UpgradePlan::recover();          // at start: a dead run's finished or undone
//   plan = UpgradePlan::upgrade(...) or UpgradePlan::rollback(...);   // touches nothing
//   plan.apply();
//
// apply holds the receipt's lock to the end and makes the plan again under
// it. Every new copy is first written whole under a working name beside its
// destination, and the journal (beside the receipt) names every working
// file before it is made. Then each old copy is renamed aside and the new
// one into its place, and maya.rayrc's lines are replaced under its lock.
// Until the journal says all of that is done, a failure or the next run
// puts each old copy and line back; from then on, the version is finished:
// the old copies are kept for a rollback (an upgrade's) or removed, the
// receipt is written, and the journal goes.
class UpgradePlan
{
    Q_DECLARE_TR_FUNCTIONS(UpgradePlan)

public:
    enum class Action {
        Keep,    // the installed copy is the new version's already
        Replace, // the shader's intact copy gives way to the new file
        Copy,    // nothing there yet: copied as an install copies
        Remove,  // a rollback takes out a copy the upgrade put there first
        Refused, // something else is in the way: copy says what
    };
    struct FileStep
    {
        CopyStep copy; // source and destination; for Refused, why
        Action action = Action::Keep;
        Receipt::File receipted; // the receipt's entry of the copy there now
        QString staged;          // the new copy's working name beside it
        QString aside;           // the copy there now, set aside until the end
        FileFingerprint placed;  // the new copy, once written

        QString key() const;
        QString planned() const;
    };
    struct LineStep
    {
        QString entry;
        QString before; // the receipt's line where maya.rayrc has it, else empty
        QString after;  // what it becomes; empty takes it out
    };
    enum class Outcome {
        Done,         // the new version is in place, or was already
        Refused,      // something is in the way: nothing was done
        NotInstalled, // no receipt for this shader and maya.rayrc
        NoPrevious,   // no version kept to go back to
        Busy,         // another run holds the receipt
        Undone,       // a step failed: the old version is back
        NotUndone,    // a step failed and the old version is not all back;
                      // the journal stays for the next run
    };

    bool rollback = false;
    QString shaderDir;
    QString mrDir;
    QString receiptPath;
    Receipt receipt;
    QList<FileStep> files;
    QList<LineStep> lines;
    // Where the new lines go, and why they cannot when they cannot.
    RayrcStep rayrc;
    Outcome outcome = Outcome::Done;
    bool applied = false;
    // An old copy could not be removed (held open by a running program):
    // it goes at the next restart.
    bool restartNeeded = false;
    // The file that could not be changed.
    QString failedPath;

    // link and mi may be empty for the receipt's own.
    [[nodiscard]] static UpgradePlan upgrade(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                                             const QString &mrDir, const QString &link, const QString &mi);
    [[nodiscard]] static UpgradePlan rollbackOf(const QString &shaderDir, const QString &mrDir);

    bool apply();
    [[nodiscard]] bool succeeds() const { return outcome == Outcome::Done; }
    // Whether it writes (or wrote) anything.
    [[nodiscard]] bool changed() const;
    QString key() const;
    // Why it was not done, in a sentence; empty when it was.
    QString reason() const;

    // Finishes or undoes each upgrade or rollback a dead run left, telling
    // the listener which, before anything else is read.
    static void recover();
    // Whether a change of version of the receipt at path is under way, or
    // was left by a dead run.
    static bool pending(const QString &receiptPath);
    static void setListener(std::function<void(const QString &text)> listener);
    // Told each phase once the journal holds it; a test returns true to
    // have the run stop there, as a kill would.
    static std::function<bool(const char *phase)> &deathHook()
    {
        static std::function<bool(const char *)> hook;
        return hook;
    }

private:
    static UpgradePlan make(bool rollback, const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                            const QString &mrDir, const QString &link, const QString &mi);
    void planLines(const QList<Receipt::Line> &wanted);
    bool refused() const;
    bool swap();
    bool finish();
    void cleanUp();
    bool undo(bool linesChanged);
    // Under the receipt's lock: finishes or undoes the run that left the
    // journal at path.
    static void recoverJournal(const QString &path);
    // The plan a journal holds, and its phase; false for anything that is
    // not a whole journal of this program's.
    static bool loadJournal(const QString &path, UpgradePlan &plan, QString &phase);
    bool saveJournal(const char *phase) const;
    // Saves the phase; false with killed set when the death hook says so.
    bool reach(const char *phase);
    bool killed = false;
    void changeReceipt(Receipt &kept) const;

    QVector<ShaderFileRow> rows;
    QString link;
    QString mi;
    // The receipt's lines when the plan was made: the previous version's.
    QList<Receipt::Line> oldLines;
};

#endif

#ifndef CLITEXT_H
#define CLITEXT_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CopyStep;
class InstallPlan;
class RayrcRemoval;
class RayrcStep;
class Receipt;
class RemoveStep;
class UpgradePlan;
struct ReceiptStatus;

// The command line's own texts, one line each, in the user's language.
class CliText
{
    Q_DECLARE_TR_FUNCTIONS(CliText)

public:
    // Control characters, but for line breaks and tabs, as \xNN.
    static QString printable(const QString &text);
    static QString copied(const CopyStep &step);
    static QString rayrcUpdated(const RayrcStep &step);
    // Said of a file or maya.rayrc the shader is installed in already.
    static QString installed(const QString &path);
    // A box's text and its details on one line: file names may hold line
    // breaks, and a script reads a failure per line.
    static QString failure(const QString &text, const QString &details);
    static QString failure(const CopyStep &step);
    static QString failure(const RayrcStep &step);
    // Why a step fails, in the command line's words where the step's own
    // send the user to the dialog's Configuration tab.
    static QString reason(const CopyStep &step);
    static QString reason(const RayrcStep &step);
    // The preview: a line per row, one for maya.rayrc, and the verdict; only
    // what fails with failuresOnly.
    static QStringList planned(const InstallPlan &plan, bool failuresOnly);
    // An uninstall's lines: one per file, one per maya.rayrc entry.
    static QString removal(const RemoveStep &step, bool dryRun);
    static QStringList removal(const RayrcRemoval &removal, bool dryRun);
    // Said when the lines asked about are not the receipt's.
    static QString otherLines(const Receipt &receipt);
    // Said once when an uninstall found no receipt, and kept what it found.
    static QString noReceipt(const QString &shaderDir);
    // An upgrade's or a rollback's lines for stdout: one per file, one per
    // entry it changes, and the verdict; its failures, each on one line.
    static QStringList upgrade(const UpgradePlan &plan);
    static QStringList upgradeFailures(const UpgradePlan &plan);
    // A shader's status: a heading, then one line per file and per line.
    static QStringList status(const ReceiptStatus &status);
};

#endif

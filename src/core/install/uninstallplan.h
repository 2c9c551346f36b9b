#ifndef UNINSTALLPLAN_H
#define UNINSTALLPLAN_H

#include "install/receipt.h"
#include "install/removestep.h"
#include "rayrc/rayrcbackup.h"
#include "rayrc/rayrcremoval.h"

#include <QVector>

// The reverse of an installation. With a receipt it takes back what the
// receipt names and nothing else: each copy while it is still the copy that
// was made, each line while it is there; the receipt keeps what remains.
// Without one nothing is removed, and what looks like the shader's is
// reported, unless withoutReceipt: then each file of the shader's name that
// is byte for byte the shader's goes, and the first line of each entry.
class UninstallPlan
{
public:
    QString shaderDir;
    QVector<RemoveStep> files;
    // With a receipt: the entry each of files was planned from.
    QList<Receipt::File> receipted;
    RayrcBackup backup;
    RayrcRemoval rayrc;
    // The receipt the plan follows, empty when there was none, and what it
    // held when the plan was made.
    QString receipt;
    Receipt held;
    // The lines asked for are not the receipt's: nothing is removed.
    bool otherLines = false;
    // False when the receipt could not be brought up to date.
    bool receiptKept = true;
    bool applied = false;
    // False when maya.rayrc was rewritten with no copy of the day kept.
    bool backupKept() const { return backup.outcome != RayrcBackup::Failed; }

    [[nodiscard]] static UninstallPlan make(const QVector<ShaderFileRow> &rows,
                                            const QString &shaderDir, const QString &mrDir,
                                            const QString &link, const QString &mi,
                                            bool withoutReceipt = false,
                                            const QDate &today = QDate::currentDate());
    // Carries the plan out under the receipt's lock, from the receipt as it
    // is then; true when nothing was kept that should have gone.
    bool apply();
    [[nodiscard]] bool succeeds() const;

private:
    // The steps of the receipt's entries and lines.
    void follow(const Receipt &receipt);

    QVector<ShaderFileRow> rows;
    QString mrDir;
    QString rayrcFile;
};

#endif

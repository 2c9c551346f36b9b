#ifndef INSTALLPLAN_H
#define INSTALLPLAN_H

#include "install/copystep.h"
#include "install/filesearch.h"
#include "install/receipt.h"
#include "install/shaderfilerow.h"
#include "rayrc/rayrcbackup.h"
#include "rayrc/rayrcstep.h"

#include <QVector>

class InstallReporter;

// An installation: made first, touching nothing (that alone is the preview),
// then applied, each step checked again just before it acts and its outcome
// set from what really happened, then reported.
class InstallPlan
{
public:
    QVector<ShaderFileRow> rows;
    QString shaderDir;
    QString mrDir;
    QString link;
    QString mi;

    QVector<CopyStep> copies;
    RayrcBackup backup;
    RayrcStep rayrc;
    // This shader's receipt for this maya.rayrc, as the plan found it.
    Receipt receipt;
    bool applied = false;
    // What was done could not all be written into the receipt.
    bool receiptFailed = false;

    [[nodiscard]] static InstallPlan make(const QVector<ShaderFileRow> &rows,
                                          const QString &shaderDir, const QString &mrDir,
                                          const QString &link, const QString &mi,
                                          const QDate &today = QDate::currentDate());

    // Copies each row's file, never replacing a file and never stopping or
    // undoing on a failure; maya.rayrc is updated only when every file was
    // found and every mandatory one copied. The reporter hears each step as
    // it happens. Returns succeeds().
    bool apply(InstallReporter &reporter);

    // Whether the installation copies (or copied) every file it must and
    // updates (or updated) maya.rayrc.
    [[nodiscard]] bool succeeds() const;
    // Whether every file is (or was) found and every mandatory one copied,
    // so that maya.rayrc is (or was) rewritten.
    [[nodiscard]] bool reachesRayrc() const;
    // Whether it writes (or wrote) a file or maya.rayrc: not when the
    // shader is installed already.
    [[nodiscard]] bool changed() const;

    // Before a run works in them: removes what dead runs left in the rows'
    // folders, the Mental Ray folder, the working folder and its receipts.
    static void sweep(const QVector<ShaderFileRow> &rows, const QString &mrDir);

    // The walk that found the files of the rows from searchedFrom on; apply
    // walks again only after a copy into a folder this walk went through.
    ShaderSearch search;
    qsizetype searchedFrom = 0;

private:
    // Row i's step as it stands now that the rows before it are copied.
    CopyStep lookUpAgain(qsizetype i);
};

#endif

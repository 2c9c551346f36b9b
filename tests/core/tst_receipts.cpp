#include "files/filelock.h"
#include "files/filerewrite.h"
#include "install/installplan.h"
#include "install/receipt.h"
#include "install/uninstallplan.h"
#include "install/upgradeplan.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <optional>
#include <stdexcept>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

class TestReceipts : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void swapBeforeRemoval_data();
    void swapBeforeRemoval();
    void sameInode_data();
    void sameInode();
    void upgrade_data();
    void upgrade();
};

namespace {
const QByteArray userRayrc("# mine\n\tlink \"base.so\";\n\tmi \"base.mi\";\n");

// Stops an installation right after its first copy, as a kill would.
class Interrupting : public InstallReporter
{
public:
    void copied(const CopyStep &) override { throw std::runtime_error("interrupted"); }
};

// A shader of two files, both mandatory, going to dest/; maya.rayrc in mr/.
QVector<ShaderFileRow> world(const Sandbox &sandbox, const QByteArray &rayrc)
{
    QDir().mkpath(QStringLiteral("shader"));
    QDir().mkpath(QStringLiteral("dest"));
    QDir().mkpath(QStringLiteral("mr"));
    writeBytes(QStringLiteral("shader/a.mel"), "proc a");
    writeBytes(QStringLiteral("shader/a.xpm"), "/* XPM */");
    writeBytes(QStringLiteral("mr/maya.rayrc"), rayrc);
    return {{QStringLiteral("mel"), sandbox.path(QStringLiteral("dest")), true},
            {QStringLiteral("xpm"), sandbox.path(QStringLiteral("dest")), true}};
}

bool install(const Sandbox &sandbox, const QVector<ShaderFileRow> &rows, bool interrupted = false)
{
    Interrupting interrupting;
    InstallReporter quiet;
    InstallReporter &reporter = interrupted ? interrupting : quiet;
    InstallPlan plan = InstallPlan::make(rows, sandbox.path(QStringLiteral("shader")),
                                         sandbox.path(QStringLiteral("mr")), QStringLiteral("link \"base.so\";"),
                                         QStringLiteral("mi \"base.mi\";"));
    try {
        return plan.apply(reporter);
    } catch (const std::runtime_error &) {
        return false;
    }
}

UninstallPlan uninstallPlan(const Sandbox &sandbox, const QVector<ShaderFileRow> &rows, bool withoutReceipt = false,
                            const QString &shader = QStringLiteral("shader"))
{
    return UninstallPlan::make(rows, sandbox.path(shader), sandbox.path(QStringLiteral("mr")),
                               QStringLiteral("link \"base.so\";"), QStringLiteral("mi \"base.mi\";"),
                               withoutReceipt);
}

QStringList receiptedFiles()
{
    QStringList names;
    for (const QString &path : Receipt::all()) {
        Receipt receipt;
        if (Receipt::read(path, receipt)) {
            for (const Receipt::File &file : std::as_const(receipt.files))
                names << QFileInfo(file.destination).fileName();
        }
    }
    return names;
}
}

void TestReceipts::rules_data()
{
    // Whatever the case, a user's file and a user's lines are never taken.
    QTest::addColumn<QString>("story");
    QTest::addColumn<QStringList>("left");    // in dest/ after the uninstall
    QTest::addColumn<bool>("rayrcBack");      // maya.rayrc byte for byte as before the install
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QStringList>("receipted"); // what the receipt still names

    QTest::newRow("installed, then uninstalled") << "whole" << QStringList() << true << true << QStringList();
    QTest::newRow("an identical file of the user's already there")
        << "identical" << QStringList{"a.mel"} << true << true << QStringList();
    QTest::newRow("user lines, install failed before maya.rayrc")
        << "failed" << QStringList() << true << true << QStringList();
    QTest::newRow("install interrupted after a copy") << "interrupted" << QStringList() << true << true << QStringList();
    QTest::newRow("a copy edited since") << "edited" << QStringList{"a.mel"} << true << false << QStringList{"a.mel"};
    QTest::newRow("a copy deleted since") << "deleted" << QStringList() << true << true << QStringList();
    QTest::newRow("an edit that keeps the size") << "edited, same size" << QStringList{"a.mel"} << true << false
                                                 << QStringList{"a.mel"};
    QTest::newRow("the shader's folder gone: the receipt is enough")
        << "no shader" << QStringList() << true << true << QStringList();
#ifdef Q_OS_WIN
    QTest::newRow("the shader's folder spelt in another case") << "SHADER" << QStringList() << true << true
                                                               << QStringList();
#else
    QTest::newRow("the shader's folder named through a link") << "linked" << QStringList() << true << true
                                                              << QStringList();
#endif
    QTest::newRow("maya.rayrc busy: the copies go, the receipt says unfinished")
        << "rayrc busy" << QStringList() << false << false << QStringList();
    QTest::newRow("no receipt: nothing removed")
        << "no receipt" << QStringList{"a.mel", "a.xpm"} << false << false << QStringList();
}

void TestReceipts::rules()
{
    QFETCH(QString, story);
    QFETCH(QStringList, left);
    QFETCH(bool, rayrcBack);
    QFETCH(bool, succeeds);
    QFETCH(QStringList, receipted);
    Sandbox sandbox;
    QVector<ShaderFileRow> rows = world(sandbox, userRayrc);
    if (story == QLatin1String("identical"))
        writeBytes(QStringLiteral("dest/a.mel"), "proc a");
    if (story == QLatin1String("failed"))
        rows[1].path = sandbox.path(QStringLiteral("nowhere"));
    const bool whole = install(sandbox, rows, story == QLatin1String("interrupted"));
    QCOMPARE(whole, story != QLatin1String("identical") && story != QLatin1String("failed")
                        && story != QLatin1String("interrupted"));
    if (story.startsWith(QLatin1String("edited")))
        writeBytes(QStringLiteral("dest/a.mel"), story.endsWith(QLatin1String("size")) ? "proc b" : "proc a, mine now");
    if (story == QLatin1String("no shader"))
        QVERIFY(QDir(QStringLiteral("shader")).removeRecursively());
    std::optional<FileLock> other;
    if (story == QLatin1String("rayrc busy")) {
        FileLock::setTimeout(std::chrono::milliseconds(100));
        QVERIFY(other.emplace(QStringLiteral("mr/maya.rayrc")).lock());
    }
    if (story == QLatin1String("deleted"))
        QVERIFY(QFile::remove(QStringLiteral("dest/a.mel")));
    if (story == QLatin1String("no receipt"))
        QVERIFY(QDir(Receipt::folder()).removeRecursively());

    QString named = QStringLiteral("shader");
    if (story == QLatin1String("SHADER"))
        named = story;
    if (story == QLatin1String("linked")) {
        named = QStringLiteral("link");
        QVERIFY(QFile::link(sandbox.path(QStringLiteral("shader")), named));
    }
    UninstallPlan plan = uninstallPlan(sandbox, rows, false, named);
    QCOMPARE(plan.apply(), succeeds);
    other.reset();
    QCOMPARE(QDir(QStringLiteral("dest")).entryList(QDir::Files), left);
    for (const QString &path : Receipt::all()) {
        Receipt receipt;
        QVERIFY(Receipt::read(path, receipt));
        // What an uninstall left is said to be unfinished, never intact.
        QVERIFY(receipt.uninstalling);
        QVERIFY(!ReceiptStatus::check(path, receipt).intact());
    }
    const QByteArray rayrc = readBytes(QStringLiteral("mr/maya.rayrc"));
    QCOMPARE(rayrc == userRayrc, rayrcBack);
    // The user's own lines stay in every case.
    QCOMPARE(rayrc.count("\tlink \"base.so\";"), rayrcBack ? 1 : 2);
    QCOMPARE(receiptedFiles(), receipted);
}

void TestReceipts::swapBeforeRemoval_data()
{
    // Between the plan and the removal, or inside the removal itself, what
    // stands at dest/a.mel changes: what stands there then is kept. A folder
    // swapped once the removal holds it open loses only the copy checked.
    QTest::addColumn<QString>("swap");
    QTest::addColumn<bool>("insideRemoval");
    QTest::addColumn<bool>("copyRemoved");
    QTest::newRow("edited and saved (write, then rename)") << "rename" << false << false;
    QTest::newRow("a copy of the same bytes put in its place") << "same bytes" << false << false;
    QTest::newRow("edited and saved, between check and removal") << "rename" << true << false;
    QTest::newRow("same bytes, between check and removal") << "same bytes" << true << false;
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no link the file system follows
    QTest::newRow("the folder swapped for a link to another") << "folder" << false << false;
    QTest::newRow("the folder swapped, between check and removal") << "folder" << true << true;
#endif
}

void TestReceipts::swapBeforeRemoval()
{
    QFETCH(QString, swap);
    QFETCH(bool, insideRemoval);
    QFETCH(bool, copyRemoved);
    Sandbox sandbox;
    const QVector<ShaderFileRow> rows = world(sandbox, userRayrc);
    QVERIFY(install(sandbox, rows));
    // The other folder holds a file of the very bytes the check wants.
    QDir().mkpath(QStringLiteral("other"));
    writeBytes(QStringLiteral("other/a.mel"), swap == QLatin1String("rename") ? "proc a, edited" : "proc a");
    const QByteArray survivor = readBytes(QStringLiteral("other/a.mel"));
    const auto doSwap = [&] {
        if (swap == QLatin1String("folder")) {
            QVERIFY(QDir().rename(QStringLiteral("dest"), QStringLiteral("dest.old")));
            QVERIFY(QFile::link(sandbox.path(QStringLiteral("other")), QStringLiteral("dest")));
        } else {
            QVERIFY(QFile::rename(QStringLiteral("other/a.mel"), QStringLiteral("other/a.mel.new")));
#ifdef Q_OS_WIN
            QVERIFY(MoveFileExW(L"other\\a.mel.new", L"dest\\a.mel", MOVEFILE_REPLACE_EXISTING));
#else
            QVERIFY(std::rename("other/a.mel.new", "dest/a.mel") == 0);
#endif
        }
    };

    UninstallPlan plan = uninstallPlan(sandbox, rows);
    QCOMPARE(int(plan.files.first().outcome), int(RemoveStep::Outcome::Remove));
    if (insideRemoval)
        setRemovalHook([&](const QString &path) {
            if (path.endsWith(QLatin1String("a.mel")))
                doSwap();
        });
    else
        doSwap();
    plan.apply(); // a.xpm, in the folder swapped away, is kept either way
    setRemovalHook({});
    QCOMPARE(int(plan.files.first().outcome), int(copyRemoved ? RemoveStep::Outcome::Remove : RemoveStep::Outcome::Differs));
    QCOMPARE(readBytes(QStringLiteral("dest/a.mel")), survivor);
    QCOMPARE(QFile::exists(QStringLiteral("dest.old/a.mel")), swap == QLatin1String("folder") && !copyRemoved);
    QCOMPARE(receiptedFiles().contains(QStringLiteral("a.mel")), !copyRemoved);
    // Nothing is left under a private name.
    for (const QString &folder : {QStringLiteral("dest"), QStringLiteral("dest.old"), QStringLiteral("other")})
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("removing")), QStringList());
}

void TestReceipts::sameInode_data()
{
    // The shader's folder mounted on the destination: its files are the
    // shader's own, whatever the path says.
    QTest::addColumn<bool>("withoutReceipt");
    QTest::newRow("no receipt, removal asked for") << true;
    QTest::newRow("receipted copies hidden by the mount") << false;
}

void TestReceipts::sameInode()
{
    QFETCH(bool, withoutReceipt);
    Sandbox sandbox;
    const QVector<ShaderFileRow> rows = world(sandbox, userRayrc);
    if (!withoutReceipt)
        QVERIFY(install(sandbox, rows));
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("--bind"), sandbox.path(QStringLiteral("shader")),
                                          sandbox.path(QStringLiteral("dest"))});
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        QSKIP(qPrintable(QStringLiteral("mount --bind is refused here (%1): the same-inode case needs root "
                                        "and a container that allows mounts")
                             .arg(QString::fromLocal8Bit(mount.readAllStandardError()).trimmed())));
    UninstallPlan plan = uninstallPlan(sandbox, rows, withoutReceipt);
    const bool done = plan.apply();
    QProcess::execute(QStringLiteral("umount"), {sandbox.path(QStringLiteral("dest"))});
    QVERIFY(!done);
    QCOMPARE(int(plan.files.first().outcome), int(withoutReceipt ? RemoveStep::Outcome::SameFile : RemoveStep::Outcome::Differs));
    QCOMPARE(readBytes(QStringLiteral("shader/a.mel")), QByteArray("proc a"));
    QCOMPARE(readBytes(QStringLiteral("shader/a.xpm")), QByteArray("/* XPM */"));
}

void TestReceipts::upgrade_data()
{
    // Version 2 changes a.mel and adds a.mi; the workspace ends with version
    // 1 or version 2, byte for byte, never a mix. A rollback of version 2
    // then gives version 1 back, and the uninstall after it the workspace
    // as it was before.
    QTest::addColumn<QString>("story");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<bool>("upgraded");
    QTest::newRow("nothing new: nothing written") << "equal" << "done" << false;
    QTest::newRow("a changed file and a new one") << "v2" << "done" << true;
    QTest::newRow("new lines replace the receipt's in place") << "v2, lines" << "done" << true;
    QTest::newRow("a user's file where the new one goes") << "user's file" << "refused" << false;
    QTest::newRow("a copy edited since") << "edited" << "refused" << false;
    QTest::newRow("a file at the new copy's working name") << "staged taken" << "undone" << false;
    QTest::newRow("a file put where the new one goes, mid-way") << "destination taken" << "undone" << false;
    QTest::newRow("maya.rayrc held by another run") << "rayrc busy" << "undone" << false;
    QTest::newRow("a dead run's upgrade, killed before its lines") << "dead, staged" << "done" << true;
    QTest::newRow("a dead run's upgrade, every swap made") << "dead, swapped" << "done" << true;
}

void TestReceipts::upgrade()
{
    QFETCH(QString, story);
    QFETCH(QString, outcome);
    QFETCH(bool, upgraded);
    Sandbox sandbox;
    QVector<ShaderFileRow> rows = world(sandbox, userRayrc);
    const auto workspace = [] {
        return treeSnapshot(QStringLiteral("dest")).values() << readBytes(QStringLiteral("mr/maya.rayrc"));
    };
    QVERIFY(install(sandbox, rows));
    const auto version1 = workspace();
    rows.append({QStringLiteral("mi"), sandbox.path(QStringLiteral("dest")), true});
    if (story == QLatin1String("equal"))
        rows.removeLast();
    else
        writeBytes(QStringLiteral("shader/a.mel"), "proc a, version 2");
    writeBytes(QStringLiteral("shader/a.mi"), "declare a");
    if (story == QLatin1String("user's file"))
        writeBytes(QStringLiteral("dest/a.mi"), "mine");
    if (story == QLatin1String("edited"))
        writeBytes(QStringLiteral("dest/a.mel"), "proc a, mine now");
    const auto before = workspace();
    const QString link = story.endsWith(QLatin1String("lines")) ? QStringLiteral("link \"v2.so\";") : QString();
    std::optional<FileLock> other;
    if (story == QLatin1String("rayrc busy")) {
        FileLock::setTimeout(std::chrono::milliseconds(100));
        QVERIFY(other.emplace(QStringLiteral("mr/maya.rayrc")).lock());
        writeBytes(QStringLiteral("shader/a.mel"), "proc a, version 2"); // a line change needs the file
    }
    copyHook() = [&](const QString &path) {
        if (story == QLatin1String("staged taken") && path.contains(QLatin1String("a.mi.velkarinth-new")))
            writeBytes(path, "planted");
        if (story == QLatin1String("destination taken") && path.contains(QLatin1String("a.mi.velkarinth-new")))
            writeBytes(QStringLiteral("dest/a.mi"), "put there meanwhile");
    };
    UpgradePlan plan = UpgradePlan::upgrade(rows, sandbox.path(QStringLiteral("shader")), sandbox.path(QStringLiteral("mr")),
                                            story == QLatin1String("rayrc busy") ? QStringLiteral("link \"v2.so\";") : link, {});
    if (story.startsWith(QLatin1String("dead"))) {
        // The run dies at the end of a phase: the next run finishes or undoes it.
        const char *last = story.endsWith(QLatin1String("staged")) ? "swapping" : "swapped";
        UpgradePlan::deathHook() = [last](const char *phase) { return qstrcmp(phase, last) == 0; };
        QVERIFY(!plan.apply());
        UpgradePlan::deathHook() = {};
        QVERIFY(workspace() != before); // what it staged, or what it swapped
        UpgradePlan::recover();
        if (story.endsWith(QLatin1String("staged"))) {
            QCOMPARE(workspace(), before);
            plan = UpgradePlan::upgrade(rows, sandbox.path(QStringLiteral("shader")), sandbox.path(QStringLiteral("mr")), {}, {});
            QVERIFY(plan.apply());
        }
    } else {
        QCOMPARE(plan.apply(), outcome == QLatin1String("done"));
        QCOMPARE(plan.key(), outcome);
        QCOMPARE(plan.failedPath.endsWith(QLatin1String("maya.rayrc")), story == QLatin1String("rayrc busy"));
    }
    copyHook() = {};
    other.reset();
    // A killed run changed what the next one finished.
    QCOMPARE(plan.changed(), upgraded && story != QLatin1String("dead, swapped"));
    if (!upgraded) {
        // What was put in the way stays as it was put.
        if (story == QLatin1String("destination taken")) {
            QCOMPARE(readBytes(QStringLiteral("dest/a.mi")), QByteArray("put there meanwhile"));
            QVERIFY(QFile::remove(QStringLiteral("dest/a.mi")));
        }
        QCOMPARE(workspace(), before);
        // Nothing is left under a working name.
        QCOMPARE(QDir(QStringLiteral("dest")).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("velkarinth")),
                 QStringList());
        return;
    }
    QCOMPARE(readBytes(QStringLiteral("dest/a.mel")), QByteArray("proc a, version 2"));
    QCOMPARE(readBytes(QStringLiteral("dest/a.mi")), QByteArray("declare a"));
    // The receipt's line, the first of the two alike, gives way in its place.
    QByteArray rayrc = version1.last();
    if (!link.isEmpty())
        rayrc.replace(rayrc.indexOf("\tlink"), 16, "\tlink \"v2.so\";");
    QCOMPARE(readBytes(QStringLiteral("mr/maya.rayrc")), rayrc);
    Receipt now;
    QVERIFY(Receipt::read(plan.receiptPath, now));
    QVERIFY(ReceiptStatus::check(plan.receiptPath, now, sandbox.path(QStringLiteral("shader"))).intact());
    UpgradePlan back = UpgradePlan::rollbackOf(sandbox.path(QStringLiteral("shader")), sandbox.path(QStringLiteral("mr")));
    QVERIFY(back.apply());
    QCOMPARE(workspace(), version1);
    QVERIFY(uninstallPlan(sandbox, rows).apply());
    QCOMPARE(workspace(), QList<QByteArray>{userRayrc});
    QCOMPARE(QDir(Receipt::folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestReceipts)
#include "tst_receipts.moc"

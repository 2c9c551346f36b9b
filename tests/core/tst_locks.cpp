#include "config/configuration.h"
#include "files/filelock.h"
#include "files/writejournal.h"
#include "install/installplan.h"
#include "install/uninstallplan.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace std::chrono_literals;

namespace {
const QByteArray rayrc("# mine\n\tlink \"base.so\";\n\tmi \"base.mi\";\n");
const QByteArray initTxt("[MAYA_PATH]\n/maya\n[MR_PATH]\n/mr\n");
}

class TestLocks : public QObject
{
    Q_OBJECT

private slots:
    void init() { FileLock::setTimeout(200ms); }
    void cleanup() { FileLock::setTimeout(10s); }
    void heldElsewhere_data();
    void heldElsewhere();
    void interruptedWriteRestored_data();
    void interruptedWriteRestored();
};

void TestLocks::heldElsewhere_data()
{
    // Another run holds the file's lock, as long as it likes: each operation
    // gives up after its wait, says so, and writes nothing. Something else
    // planted at the lock's name is no run: the operation fails at once,
    // neither waiting on it nor calling it busy.
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("planted");
    for (const bool planted : {false, true}) {
#ifdef Q_OS_WIN // no FIFOs there
        if (planted)
            break;
#endif
        const QByteArray kind = planted ? ", FIFO at the lock" : "";
        for (const char *operation : {"install", "uninstall", "update", "backup"})
            QTest::newRow(operation + kind) << operation << "mr/maya.rayrc" << planted;
        for (const char *operation : {"maya directory", "mr directory", "save"})
            QTest::newRow(operation + kind) << operation << "init.txt" << planted;
    }
}

void TestLocks::heldElsewhere()
{
    QFETCH(QString, operation);
    QFETCH(QString, file);
    QFETCH(bool, planted);
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("mr"));
    QDir().mkpath(QStringLiteral("shader"));
    writeBytes(QStringLiteral("mr/maya.rayrc"), rayrc);
    writeBytes(QStringLiteral("init.txt"), initTxt);
    Configuration::load(false);
    Configuration::mrPath = sandbox.path(QStringLiteral("mr"));
    const QString shader = sandbox.path(QStringLiteral("shader"));
    const QByteArray before = readBytes(file);
    // Where the README says the lock is: beside the file.
    const QString lockPath = file + QStringLiteral(".lock");
    FileLock other(file);
#ifndef Q_OS_WIN
    if (planted)
        QVERIFY(mkfifo(QFile::encodeName(lockPath).constData(), 0600) == 0);
#endif
    if (!planted)
        QVERIFY(other.lock() && QFileInfo(other.lockPath()) == QFileInfo(lockPath));

    bool busy = false;
    bool failed = true;
    if (operation == QLatin1String("install")) {
        InstallPlan plan = InstallPlan::make({}, shader, Configuration::mrPath, "link a", "mi a");
        InstallReporter quiet;
        failed = !plan.apply(quiet);
        busy = plan.rayrc.outcome == RayrcStep::Outcome::Busy;
    } else if (operation == QLatin1String("uninstall")) {
        UninstallPlan plan = UninstallPlan::make({}, shader, Configuration::mrPath,
                                                 "link \"base.so\";", "mi \"base.mi\";", true);
        failed = !plan.apply();
        busy = plan.rayrc.outcome == RayrcRemoval::Outcome::Busy;
    } else if (operation == QLatin1String("update") || operation == QLatin1String("backup")) {
        // Says nothing more than whether it wrote. The day's copy is never
        // taken of a file another run may be writing in place.
        failed = operation == QLatin1String("update")
                     ? !ShaderType::updateRayrc(Configuration::mrPath, "link a", "mi a")
                     : !backupRayrc(QDate(2005, 7, 4)) && !QFile::exists("maya.rayrc2005_07_04");
        busy = !planted;
    } else if (operation == QLatin1String("save")) {
        const Configuration::SaveStatus status = Configuration::save().status;
        failed = status != Configuration::SaveStatus::Saved;
        busy = status == Configuration::SaveStatus::Busy;
    } else {
        const Configuration::DirectoryWrite written = Configuration::setDirectory(
            QStringLiteral("/other"), operation != QLatin1String("maya directory"));
        failed = written != Configuration::DirectoryWrite::Written;
        busy = written == Configuration::DirectoryWrite::Busy;
    }
    QVERIFY(failed);
    QCOMPARE(busy, !planted);
    QCOMPARE(readBytes(file), before);
    if (planted)
        return;

    // Once the other run is done, the same operation goes through.
    other.unlock();
    QVERIFY(!QFileInfo::exists(lockPath));
    if (operation == QLatin1String("update"))
        QVERIFY(ShaderType::updateRayrc(Configuration::mrPath, "link a", "mi a"));
    else if (operation == QLatin1String("maya directory"))
        QVERIFY(Configuration::setMayaPath(QStringLiteral("/other")));
    else if (operation == QLatin1String("save"))
        QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Saved);
}

void TestLocks::interruptedWriteRestored_data()
{
    // A run died writing new over old in place; the file holds what it had
    // written by then. Torn, the old content comes back; whole, it stays.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QByteArray>("intended");
    QTest::addColumn<QByteArray>("written");
    const QByteArray updated("# mine\n\tL\n\tlink \"base.so\";\n\tM\n\tmi \"base.mi\";\n");
    QTest::newRow("maya.rayrc torn")
        << "mr/maya.rayrc" << rayrc << updated << updated.left(12) + rayrc.mid(12);
    QTest::newRow("maya.rayrc whole, journal left") << "mr/maya.rayrc" << rayrc << updated << updated;
    const QByteArray newInit("[MAYA_PATH]\n/other\n[MR_PATH]\n/mr\n");
    QTest::newRow("init.txt torn") << "init.txt" << initTxt << newInit << newInit.left(15);
}

void TestLocks::interruptedWriteRestored()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, intended);
    QFETCH(QByteArray, written);
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("mr"));
    writeBytes(QStringLiteral("mr/maya.rayrc"), rayrc);
    writeBytes(QStringLiteral("init.txt"), "[MAYA_PATH]\n/maya\n[MR_PATH]\n" + QFile::encodeName(sandbox.path("mr")) + '\n');
    writeBytes(file, old);
    QFile original(file);
    QString journal;
    QVERIFY(original.open(QIODevice::ReadOnly));
    QVERIFY(WriteJournal::keep(file, original, intended.size(),
                               QCryptographicHash::hash(intended, QCryptographicHash::Sha1), journal));
    original.close();
    writeBytes(file, written);

    QStringList told;
    WriteJournal::setListener([&told](const QString &path) { told << QFileInfo(path).fileName(); });
    // The next start puts it right before reading anything.
    Configuration::load(false);
    WriteJournal::setListener({});
    const bool torn = written != intended;
    QCOMPARE(readBytes(file), torn ? old : intended);
    QVERIFY(!QFile::exists(journal));
    QCOMPARE(told, torn ? QStringList{QFileInfo(file).fileName()} : QStringList());
}

QTEST_GUILESS_MAIN(TestLocks)
#include "tst_locks.moc"

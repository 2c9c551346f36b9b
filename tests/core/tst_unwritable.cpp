#include "config/configuration.h"
#include "install/installplan.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

#include <unistd.h>

namespace {
const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser;
const QFileDevice::Permissions noAccess = {};
const QFileDevice::Permissions readOnlyFolder = readOnly | QFileDevice::ExeOwner
                                                | QFileDevice::ExeUser;
const QByteArray initContent("[MAYA_PATH]\n/m\n[MR_PATH]\n/r\n[A]\n1\nmel*/s*o\n");
}

class TestUnwritable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initFileLeftWhole_data();
    void initFileLeftWhole();
    void unreadableInitFile();
    void rayrcLeftWhole_data();
    void rayrcLeftWhole();
    void previewRefuses_data();
    void previewRefuses();
    void unreadableSubfolderSkipped();
    void unwritableCurrentDirectory();
};

void TestUnwritable::initTestCase()
{
    // As root every one of these writes would succeed and prove nothing.
    QVERIFY2(geteuid() != 0, "must run as an unprivileged user (see unprivileged.sh)");
}

void TestUnwritable::initFileLeftWhole_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("save") << 0;
    QTest::newRow("maya directory") << 1;
    QTest::newRow("mental ray directory") << 2;
}

void TestUnwritable::initFileLeftWhole()
{
    QFETCH(int, action);
    Sandbox sandbox;
    writeBytes(QStringLiteral("init.txt"), initContent);
    Configuration::load();
    QVERIFY(QFile::setPermissions(QStringLiteral("init.txt"), readOnly));
    Configuration::lastDirectories[Configuration::ShaderDirectory] = QStringLiteral("/remembered");

    switch (action) {
    case 0:
        Configuration::mayaPath = QStringLiteral("/changed");
        QCOMPARE(Configuration::save().status, Configuration::SaveStatus::WriteFailed);
        // The settings are written all the same.
        QCOMPARE(settingsValue(QStringLiteral("shader")), QStringLiteral("/remembered"));
        break;
    case 1:
        QVERIFY(!Configuration::setMayaPath(QStringLiteral("/changed")));
        QCOMPARE(Configuration::mayaPath, QStringLiteral("/changed"));
        break;
    default:
        QVERIFY(!Configuration::setMrPath(QStringLiteral("/changed")));
        QCOMPARE(Configuration::mrPath, QStringLiteral("/changed"));
    }
    QCOMPARE(readBytes(QStringLiteral("init.txt")), initContent);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"init.txt"});
}

void TestUnwritable::unreadableInitFile()
{
    Sandbox sandbox;
    writeBytes(QStringLiteral("init.txt"), initContent);
    QVERIFY(QFile::setPermissions(QStringLiteral("init.txt"), noAccess));
    Configuration::load();
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    QCOMPARE(Configuration::shaderTypes.first().rows.at(4).extension, QStringLiteral("dll"));

    // Neither setter nor the save may empty or replace a file it could not read.
    QVERIFY(!Configuration::setMayaPath(QStringLiteral("/x")));
    QVERIFY(!Configuration::setMrPath(QStringLiteral("/y")));
    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Unreadable);
    QVERIFY(QFile::setPermissions(QStringLiteral("init.txt"), readOnly));
    QCOMPARE(readBytes(QStringLiteral("init.txt")), initContent);
}

void TestUnwritable::rayrcLeftWhole_data()
{
    QTest::addColumn<bool>("lockFile");
    QTest::addColumn<bool>("lockFolder");
    QTest::addColumn<QByteArray>("after");
    const QByteArray content("\tlink a\n\tmi b\n");
    QTest::newRow("read-only file") << true << false << content;
    // The file itself can be written: it is, in place.
    QTest::newRow("read-only folder") << false << true << QByteArray("\tl\n\tlink a\n\tm\n\tmi b\n");
}

void TestUnwritable::rayrcLeftWhole()
{
    QFETCH(bool, lockFile);
    QFETCH(bool, lockFolder);
    QFETCH(QByteArray, after);
    Sandbox sandbox;
    QDir().mkdir(QStringLiteral("mr"));
    const QByteArray content("\tlink a\n\tmi b\n");
    writeBytes(QStringLiteral("mr/maya.rayrc"), content);
    if (lockFile)
        QVERIFY(QFile::setPermissions(QStringLiteral("mr/maya.rayrc"), readOnly));
    if (lockFolder)
        QVERIFY(QFile::setPermissions(QStringLiteral("mr"), readOnlyFolder));

    QCOMPARE(ShaderType::updateRayrc(sandbox.path(QStringLiteral("mr")), QStringLiteral("l"),
                                     QStringLiteral("m")),
             after != content);
    QCOMPARE(readBytes(QStringLiteral("mr/maya.rayrc")), after);
    QCOMPARE(QDir(QStringLiteral("mr")).entryList(QDir::Files | QDir::Hidden),
             QStringList{"maya.rayrc"});
    QFile::setPermissions(QStringLiteral("mr"), readOnlyFolder | QFileDevice::WriteOwner);
}

void TestUnwritable::previewRefuses_data()
{
    QTest::addColumn<QString>("locked");
    QTest::addColumn<QString>("key");
    QTest::newRow("unreadable source") << QStringLiteral("shader/a.mel")
                                       << QStringLiteral("unreadable");
    QTest::newRow("read-only destination") << QStringLiteral("dest")
                                           << QStringLiteral("not-writable");
}

// The preview must not promise a copy the install would then fail, and the
// install does what it said: one box, nothing copied, maya.rayrc as it was.
void TestUnwritable::previewRefuses()
{
    QFETCH(QString, locked);
    QFETCH(QString, key);
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("shader"));
    QDir().mkpath(QStringLiteral("dest"));
    writeBytes(QStringLiteral("shader/a.mel"), "proc");
    writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
    const QFileDevice::Permissions before = QFile::permissions(locked);
    QVERIFY(QFile::setPermissions(locked, QFileInfo(locked).isDir() ? readOnlyFolder : noAccess));
    const ShaderFileRow row{QStringLiteral("mel"), sandbox.path(QStringLiteral("dest")), true};
    InstallPlan plan = InstallPlan::make({row}, sandbox.path(QStringLiteral("shader")), sandbox.path(),
                                         QStringLiteral("l"), QStringLiteral("m"));
    QCOMPARE(plan.copies.first().key(), key);
    QVERIFY(!plan.succeeds());
    RecordingReporter reporter;
    QVERIFY(!plan.apply(reporter));
    QFile::setPermissions(locked, before);
    QCOMPARE(plan.copies.first().key(), key);
    QCOMPARE(reporter.failures.size(), 1);
    QCOMPARE(reporter.failures.first().kind, QStringLiteral("critical"));
    QVERIFY(QDir(QStringLiteral("dest")).isEmpty());
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), QByteArray("\tlink\n\tmi\n"));
}

void TestUnwritable::unreadableSubfolderSkipped()
{
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("shader/a"));
    QDir().mkpath(QStringLiteral("shader/b"));
    writeBytes(QStringLiteral("shader/a/hidden.mi"), "x");
    writeBytes(QStringLiteral("shader/b/found.mi"), "x");
    QVERIFY(QFile::setPermissions(QStringLiteral("shader/a"), noAccess));
    QString path;
    QString name;
    QVERIFY(!ShaderType::findFile(QStringLiteral("mi"), sandbox.path(QStringLiteral("shader")),
                                  path, name)
                 .isEmpty());
    QCOMPARE(name, QStringLiteral("found.mi"));
    QFile::setPermissions(QStringLiteral("shader/a"), readOnlyFolder | QFileDevice::WriteOwner);
}

void TestUnwritable::unwritableCurrentDirectory()
{
    Sandbox sandbox;
    QDir().mkdir(QStringLiteral("mr"));
    writeBytes(QStringLiteral("mr/maya.rayrc"), "rc");
    writeBytes(QStringLiteral("init.txt"),
               "[MAYA_PATH]\n/m\n[MR_PATH]\n" + sandbox.path(QStringLiteral("mr")).toUtf8()
                   + "\n[A]\n0\n\n");
    QVERIFY(QFile::setPermissions(sandbox.path(), readOnlyFolder));
    // No backup can be taken; loading goes on regardless, and says so.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^no copy of the day")));
    Configuration::load();
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    QCOMPARE(Configuration::lastDirectories.size(), Configuration::LastDirectoryCount);
    QVERIFY(QDir().entryList({QStringLiteral("maya.rayrc*")}, QDir::Files).isEmpty());

    // An installation still updates maya.rayrc, but says that no copy was
    // kept; with no receipt to undo it by, it fails.
    writeBytes(QStringLiteral("mr/maya.rayrc"), "\tlink\n\tmi\n");
    RecordingReporter reporter;
    QVERIFY(!Configuration::installShaderType(sandbox.path(), QStringLiteral("l"), QStringLiteral("m"),
                                              0, &reporter));
    QCOMPARE(reporter.failures.size(), 2);
    QCOMPARE(reporter.failures.first().title, QStringLiteral("backup"));
    QCOMPARE(reporter.failures.last().title, QStringLiteral("receipt"));
    QCOMPARE(readBytes(QStringLiteral("mr/maya.rayrc")), QByteArray("\tl\n\tlink\n\tm\n\tmi\n"));
    QFile::setPermissions(sandbox.path(), readOnlyFolder | QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(TestUnwritable)
#include "tst_unwritable.moc"

#include "config/configuration.h"
#include "testsupport.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {
const gid_t sharedGroup = 4321;
const uid_t nobody = 65534;

// Runs work in a child process under the umask, as root or as nobody with
// sharedGroup as a supplementary group; returns its exit code (0 for true).
int runAs(bool asNobody, mode_t mask, const std::function<bool()> &work)
{
    // A user of its own has a data folder of its own, where side files go.
    QTemporaryDir data;
    if (asNobody && chown(QFile::encodeName(data.path()), nobody, nobody) != 0)
        return 2;
    const pid_t child = fork();
    if (child == 0) {
        alarm(30);
        umask(mask);
        if (asNobody
            && (setgroups(1, &sharedGroup) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0
                || !qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()))))
            _exit(2);
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

uint modeOf(const QString &path)
{
    struct stat status = {};
    stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

void configureMelRow(const QString &sandbox)
{
    Configuration::mrPath = sandbox;
    ShaderType type;
    type.rows = {{QStringLiteral("mel"), sandbox + QStringLiteral("/dest"), true}};
    Configuration::shaderTypes = {type};
}
}

class TestUserFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void identityKept_data();
    void identityKept();
    void specialFilesNotRead_data();
    void specialFilesNotRead();
    void specialSettingsFile();
    void copiesFollowUmask_data();
    void copiesFollowUmask();
};

void TestUserFiles::init()
{
    if (geteuid() != 0)
        QSKIP("sets up files of other users: needs root");
}

void TestUserFiles::identityKept_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<uint>("owner");
    QTest::addColumn<uint>("group");
    QTest::addColumn<uint>("folderMode");
    QTest::addColumn<QString>("extra");
    const uint shared = sharedGroup;
    QTest::newRow("root, a user's file") << "maya.rayrc" << false << nobody << nobody << 0755u << "";
    QTest::newRow("root, second hard link") << "maya.rayrc" << false << 0u << 0u << 0755u << "link";
    QTest::newRow("root, extended attribute") << "maya.rayrc" << false << 0u << 0u << 0755u << "xattr";
    // No rename can replace a file mounted in its place: it is written in place.
    QTest::newRow("root, file mounted in place") << "maya.rayrc" << false << 0u << 0u << 0755u << "mount";
    QTest::newRow("group member, folder not writable") << "maya.rayrc" << true << 0u << shared << 0755u << "";
    QTest::newRow("group member, owner not settable") << "maya.rayrc" << true << 0u << shared << 0777u << "";
    QTest::newRow("group member, init.txt") << "init.txt" << true << 0u << shared << 0755u << "";
}

void TestUserFiles::identityKept()
{
    QFETCH(QString, file);
    QFETCH(bool, asNobody);
    QFETCH(uint, owner);
    QFETCH(uint, group);
    QFETCH(uint, folderMode);
    QFETCH(QString, extra);
    Sandbox sandbox;
    const bool rayrc = file == QLatin1String("maya.rayrc");
    writeBytes(file, rayrc ? "\tlink\n\tmi\n" : "[MAYA_PATH]\n/m\n");
    const QByteArray name = QFile::encodeName(file);
    QVERIFY(chown(name, owner, group) == 0 && chmod(name, 0660) == 0);
    QVERIFY(chmod(QFile::encodeName(sandbox.path()), folderMode) == 0);
    if (extra == QLatin1String("link"))
        QVERIFY(link(name, "other") == 0);
    if (extra == QLatin1String("xattr") && setxattr(name, "user.velkarinth", "1", 1, 0) != 0)
        QSKIP("no user extended attributes on this file system");
    struct Unmount
    {
        QString path;
        ~Unmount() { if (!path.isEmpty()) QProcess::execute(QStringLiteral("umount"), {path}); }
    } unmount;
    if (extra == QLatin1String("mount")) {
        QVERIFY(QFile::copy(file, QStringLiteral("other")));
        if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), sandbox.path("other"), sandbox.path(file)}) != 0)
            QSKIP("mount --bind is refused here");
        unmount.path = sandbox.path(file);
    }

    QCOMPARE(runAs(asNobody, 022, [&] {
                 return rayrc ? ShaderType::updateRayrc(sandbox.path(), "l", "m")
                              : Configuration::setMayaPath(QStringLiteral("/new"));
             }),
             0);
    const QByteArray after = rayrc ? "\tl\n\tlink\n\tm\n\tmi\n" : "[MAYA_PATH]\n/new\n";
    QCOMPARE(readBytes(file), after);
    QCOMPARE(QFileInfo(file).ownerId(), owner);
    QCOMPARE(QFileInfo(file).groupId(), group);
    QCOMPARE(modeOf(file), 0660u);
    if (extra == QLatin1String("link") || extra == QLatin1String("mount"))
        QCOMPARE(readBytes(QStringLiteral("other")), after);
    char value = 0;
    if (extra == QLatin1String("xattr"))
        QCOMPARE(getxattr(name, "user.velkarinth", &value, 1), ssize_t(1));
    const bool second = extra == QLatin1String("link") || extra == QLatin1String("mount");
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).size(), second ? 2 : 1);
}

void TestUserFiles::specialFilesNotRead_data()
{
    QTest::addColumn<QString>("use");
    QTest::addColumn<bool>("fifo"); // a link to a FIFO, else to /dev/zero
    for (const char *use : {"backup", "update", "install"}) {
        QTest::addRow("%s, FIFO", use) << use << true;
        QTest::addRow("%s, /dev/zero", use) << use << false;
    }
}

void TestUserFiles::specialFilesNotRead()
{
    QFETCH(QString, use);
    QFETCH(bool, fifo);
    Sandbox sandbox;
    alarm(30); // a FIFO read would hang here for good
    for (const char *folder : {"shader", "dest", "specials"})
        QDir().mkdir(QString::fromLatin1(folder));
    QVERIFY(mkfifo("specials/fifo", 0644) == 0);
    const bool install = use == QLatin1String("install");
    const QByteArray target = fifo ? QFile::encodeName(sandbox.path("specials/fifo")) : "/dev/zero";
    QVERIFY(symlink(target, install ? "shader/a.mel" : "maya.rayrc") == 0);
    if (install)
        writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
    configureMelRow(sandbox.path());

    RecordingReporter reporter;
    if (use == QLatin1String("backup"))
        QVERIFY(!backupRayrc(QDate(2005, 7, 4)));
    else if (install)
        QVERIFY(!Configuration::installShaderType(sandbox.path("shader"), "l", "m", 0, &reporter));
    else
        QVERIFY(!ShaderType::updateRayrc(sandbox.path(), "l", "m"));
    alarm(0);
    QCOMPARE(reporter.failures.size(), install ? 1 : 0);
    QVERIFY(QDir(QStringLiteral("dest")).isEmpty());
    QCOMPARE(QDir().entryList(QDir::Files | QDir::System), QStringList{"maya.rayrc"});
    if (install)
        QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), QByteArray("\tlink\n\tmi\n"));
}

void TestUserFiles::specialSettingsFile()
{
    // A FIFO where the settings are: neither read nor written, and nothing
    // waits on it.
    Sandbox sandbox;
    alarm(30);
    QVERIFY(QDir().mkpath(QStringLiteral("settings/velkarinth.example.org")));
    const QString ini = sandbox.path("settings/velkarinth.example.org/Velkarinth.ini");
    QVERIFY(mkfifo(QFile::encodeName(ini), 0644) == 0);
    Configuration::load(false);
    QCOMPARE(Configuration::setLastDirectory(QStringLiteral("/chosen"), 7), QStringLiteral("/chosen"));
    static_cast<void>(Configuration::save());
    alarm(0);
    QCOMPARE(Configuration::settingsFilePath(), ini);
    QCOMPARE(Configuration::lastDirectory(7), QStringLiteral("/chosen"));
    QVERIFY(QFileInfo(ini).isFile() == false && QFileInfo::exists(ini));
}

void TestUserFiles::copiesFollowUmask_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<uint>("sourceMode");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<uint>("expected");
    QTest::newRow("install 0777, umask 022") << false << false << 0777u << 022u << 0755u;
    QTest::newRow("install 0777, umask 077, nobody") << false << true << 0777u << 077u << 0700u;
    QTest::newRow("backup 0666, umask 027") << true << false << 0666u << 027u << 0640u;
    QTest::newRow("backup 0777, umask 022, nobody") << true << true << 0777u << 022u << 0755u;
}

void TestUserFiles::copiesFollowUmask()
{
    QFETCH(bool, backup);
    QFETCH(bool, asNobody);
    QFETCH(uint, sourceMode);
    QFETCH(uint, mask);
    QFETCH(uint, expected);
    Sandbox sandbox;
    QVERIFY(chmod(QFile::encodeName(sandbox.path()), 0777) == 0);
    configureMelRow(sandbox.path());
    const QString source = backup ? QStringLiteral("maya.rayrc") : QStringLiteral("shader/a.mel");
    QCOMPARE(runAs(asNobody, mask, [&] {
                 QDir().mkdir(QStringLiteral("shader"));
                 QDir().mkdir(QStringLiteral("dest"));
                 writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
                 writeBytes(QStringLiteral("shader/a.mel"), "proc");
                 chmod(QFile::encodeName(source), sourceMode);
                 return backup ? backupRayrc(QDate(2005, 7, 4))
                               : Configuration::installShaderType(sandbox.path("shader"), "l", "m", 0);
             }),
             0);
    const QString copy = backup ? QStringLiteral("maya.rayrc2005_07_04") : QStringLiteral("dest/a.mel");
    QCOMPARE(readBytes(copy), readBytes(source));
    QCOMPARE(modeOf(copy), expected);
}

QTEST_GUILESS_MAIN(TestUserFiles)
#include "tst_userfiles.moc"

#include "config/configuration.h"
#include "rayrc/rayrcupdate.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Runs work in a child process whose files may grow to at most limit bytes,
// so that a write fails part way as on a full disk, or whose memory may grow
// by limit bytes at most; returns the child's exit code (work's result: 0 for
// true, 1 for false).
int withLimit(int resource, qint64 limit, const std::function<bool()> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        if (resource == RLIMIT_AS && limit != qint64(RLIM_INFINITY)) {
            QFile statm(QStringLiteral("/proc/self/statm"));
            statm.open(QIODevice::ReadOnly);
            limit += statm.readAll().split(' ').first().toLongLong() * sysconf(_SC_PAGESIZE);
        }
        const rlimit cap{rlim_t(limit), rlim_t(limit)};
        setrlimit(resource, &cap);
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

QByteArray largeInit()
{
    QByteArray content = "[MAYA_PATH]\n/opt/maya\n[MR_PATH]\n/opt/mr\n";
    for (int t = 0; t < 200; ++t)
        content += "[Type " + QByteArray::number(t) + "]\n2\nmel*/scripts*o\nmi*/include*o\n";
    return content;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}
}

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void writeFailsPartWay_data();
    void writeFailsPartWay();
    void binaryShaderFileCopiedWhole();
    void unreadableBytesInInit();
    void hundredMegabyteLine();
};

void TestFaults::writeFailsPartWay_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("action");
    QTest::newRow("save") << "init.txt" << 0;
    QTest::newRow("maya directory") << "init.txt" << 1;
    QTest::newRow("mental ray directory") << "init.txt" << 2;
    QTest::newRow("maya.rayrc") << "maya.rayrc" << 3;
}

void TestFaults::writeFailsPartWay()
{
    QFETCH(QString, file);
    QFETCH(int, action);
    Sandbox sandbox;
    const QByteArray init = largeInit();
    writeBytes(QStringLiteral("init.txt"), init);
    QByteArray rayrc;
    for (int i = 0; i < 2000; ++i)
        rayrc += "registry \"{KEY}\" value \"" + QByteArray::number(i) + "\" end registry\n";
    rayrc += "\tlink \"base.so\"\n\tmi \"base.mi\"\n";
    writeBytes(QStringLiteral("maya.rayrc"), rayrc);
    Configuration::load();
    Configuration::mrPath = sandbox.path();
    const QByteArray before = readBytes(file);
    // Whether the action wrote its file, as the program hears it.
    const auto act = [&] {
        switch (action) {
        case 0:
            Configuration::mayaPath = QStringLiteral("/changed");
            return Configuration::save().status == Configuration::SaveStatus::Saved;
        case 1:
            return Configuration::setMayaPath(QStringLiteral("/changed"));
        case 2:
            return Configuration::setMrPath(QStringLiteral("/changed"));
        default:
            return ShaderType::updateRayrc(sandbox.path(), QStringLiteral("l"), QStringLiteral("m"));
        }
    };
    // Each rewrite is about as large as the file; half of it fits.
    QCOMPARE(withLimit(RLIMIT_FSIZE, before.size() / 2, act), 1);
    QCOMPARE(readBytes(file), before);
    // No half-written temporary file is left behind either.
    QCOMPARE(filesIn(sandbox.path()), (QStringList{"init.txt", "maya.rayrc"}));

    // Without the limit the same change goes through.
    QCOMPARE(withLimit(RLIMIT_FSIZE, RLIM_INFINITY, act), 0);
    QVERIFY(readBytes(file) != before);
}

void TestFaults::binaryShaderFileCopiedWhole()
{
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("shader/lib"));
    QDir().mkdir(QStringLiteral("lib"));
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary += char(i * 7 % 256);
    writeBytes(QStringLiteral("shader/lib/velvet.dll"), binary);
    writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
    Configuration::mrPath = sandbox.path();
    ShaderType type;
    type.rows = {{QStringLiteral("dll"), sandbox.path(QStringLiteral("lib")), true}};
    Configuration::shaderTypes.append(type);
    RecordingReporter reporter;
    QVERIFY(Configuration::installShaderType(sandbox.path(QStringLiteral("shader")),
                                             QStringLiteral("l"), QStringLiteral("m"), 0, &reporter));
    QCOMPARE(readBytes(QStringLiteral("lib/velvet.dll")), binary);
}

void TestFaults::unreadableBytesInInit()
{
    // NUL bytes and invalid UTF-8 must not shift the structure of the file.
    Sandbox sandbox;
    static const char raw[] = "[MAYA_PATH]\n/m\0\xff\n[MR_PATH]\n\xc3(\n[A\0]\n2\nmi*/\xfe\0*o\n\0*\xff*n\n";
    writeBytes(QStringLiteral("init.txt"), QByteArray(raw, sizeof raw - 1));
    Configuration::load();
    QCOMPARE(Configuration::mayaPath.left(2), QStringLiteral("/m"));
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    QCOMPARE(Configuration::shaderTypes.first().rows.size(), 2);
    QCOMPARE(Configuration::shaderTypes.first().rows.at(0).extension, QStringLiteral("mi"));
    QVERIFY(Configuration::shaderTypes.first().rows.at(0).mandatory);
    QVERIFY(!Configuration::shaderTypes.first().rows.at(1).mandatory);

    // What was read is what a save writes and the next start reads again.
    const QString maya = Configuration::mayaPath;
    const QString name = Configuration::shaderTypes.first().name;
    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::NotDecodable);
    Configuration::reset();
    Configuration::load();
    QCOMPARE(Configuration::mayaPath, maya);
    QCOMPARE(Configuration::shaderTypes.first().name, name);
}

void TestFaults::hundredMegabyteLine()
{
    Sandbox sandbox;
    const QByteArray line(100 * 1024 * 1024, 'x');
    writeBytes(QStringLiteral("maya.rayrc"), line + "\n\tlink\n\tmi\n");
#ifndef __SANITIZE_ADDRESS__ // which reserves more address space than any such limit
    // With less memory than the line takes, a refusal that says so, and the file as it was.
    QCOMPARE(withLimit(RLIMIT_AS, 64 * 1024 * 1024, [&] {
                 return updateRayrcFile(sandbox.path(), QStringLiteral("l"), QStringLiteral("m")).outcome
                        == RayrcStep::Outcome::OutOfMemory;
             }),
             0);
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), line + "\n\tlink\n\tmi\n");
#endif
    QVERIFY(ShaderType::updateRayrc(sandbox.path(), QStringLiteral("l"), QStringLiteral("m")));
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), line + "\n\tl\n\tlink\n\tm\n\tmi\n");
    QFile::remove(QStringLiteral("maya.rayrc"));

    writeBytes(QStringLiteral("init.txt"), "[MAYA_PATH]\n/m\n[MR_PATH]\n" + line + "\n[A]\n0\n\n");
    QVERIFY(Configuration::setMayaPath(QStringLiteral("/new")));
    QCOMPARE(readBytes(QStringLiteral("init.txt")),
             "[MAYA_PATH]\n/new\n[MR_PATH]\n" + line + "\n[A]\n0\n\n");
    Configuration::load();
    QCOMPARE(Configuration::mrPath.size(), line.size());
    QCOMPARE(Configuration::shaderTypes.size(), 1);
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"

#include "install/uninstallplan.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

class TestUninstall : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
    void rayrc_data();
    void rayrc();
};

void TestUninstall::files_data()
{
    // What stands at dest/a.mel: "same", "other", "link", "dir" or nothing;
    // "self" makes the shader's own folder the destination.
    QTest::addColumn<QString>("inPlace");
    QTest::addColumn<int>("outcome");

    QTest::newRow("identical: removed") << "same" << int(RemoveStep::Outcome::Remove);
    QTest::newRow("changed since: kept") << "other" << int(RemoveStep::Outcome::Differs);
    QTest::newRow("already gone") << "" << int(RemoveStep::Outcome::Missing);
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no link the file system follows
    QTest::newRow("a link to the same bytes: kept") << "link" << int(RemoveStep::Outcome::NotRegular);
#endif
    QTest::newRow("a folder of that name: kept") << "dir" << int(RemoveStep::Outcome::NotRegular);
    QTest::newRow("the shader's own file: kept") << "self" << int(RemoveStep::Outcome::SameFile);
}

void TestUninstall::files()
{
    QFETCH(QString, inPlace);
    QFETCH(int, outcome);
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("shader"));
    QDir().mkpath(QStringLiteral("dest"));
    writeBytes(QStringLiteral("shader/a.mel"), "proc a");
    if (inPlace == QLatin1String("same"))
        writeBytes(QStringLiteral("dest/a.mel"), "proc a");
    else if (inPlace == QLatin1String("other"))
        writeBytes(QStringLiteral("dest/a.mel"), "proc a, edited");
    else if (inPlace == QLatin1String("link"))
        QVERIFY(QFile::link(sandbox.path(QStringLiteral("shader/a.mel")), QStringLiteral("dest/a.mel")));
    else if (inPlace == QLatin1String("dir"))
        QDir().mkpath(QStringLiteral("dest/a.mel"));
    const QString dest = sandbox.path(inPlace == QLatin1String("self") ? QStringLiteral("shader")
                                                                       : QStringLiteral("dest"));
    const QMap<QString, QByteArray> before = treeSnapshot(sandbox.path());

    // Two rows finding the same file: it goes once, and the second finds it gone.
    const ShaderFileRow row{QStringLiteral("mel"), dest, true};
    UninstallPlan plan = UninstallPlan::make({row, row}, sandbox.path(QStringLiteral("shader")),
                                             QString(), QStringLiteral("l"), QStringLiteral("m"), true);
    // The preview writes nothing and agrees with what follows.
    QCOMPARE(treeSnapshot(sandbox.path()), before);
    QCOMPARE(int(plan.files.first().outcome), outcome);
    QCOMPARE(int(plan.files.last().outcome),
             outcome == int(RemoveStep::Outcome::Remove) ? int(RemoveStep::Outcome::Missing) : outcome);
    const bool kept = plan.files.first().keepsSomething();
    plan.apply();
    QCOMPARE(plan.files.first().keepsSomething(), kept);
    const QFileInfo target(dest + QStringLiteral("/a.mel"));
    QCOMPARE(target.exists() || target.isSymLink(), !inPlace.isEmpty() && outcome != int(RemoveStep::Outcome::Remove));
    QCOMPARE(readBytes(QStringLiteral("shader/a.mel")), QByteArray("proc a"));
}

void TestUninstall::rayrc_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<qint64>("linkLine");
    QTest::addColumn<qint64>("miLine");

    QTest::newRow("both, only the first of each")
        << QByteArray("a\n\tL\n\tlink x\n\tM\n\tL\n\tM\n") << QByteArray("a\n\tlink x\n\tL\n\tM\n")
        << qint64(2) << qint64(4);
    QTest::newRow("crlf kept") << QByteArray("\tL\r\n\tlink\r\n\tM\r\n\tmi\r\n")
                               << QByteArray("\tlink\r\n\tmi\r\n") << qint64(1) << qint64(3);
    QTest::newRow("last line without end") << QByteArray("\tL\n\tlink\n\tM")
                                           << QByteArray("\tlink\n") << qint64(1) << qint64(3);
    QTest::newRow("whole line only") << QByteArray("\tL \n \tL\n\tLM\n") << QByteArray("\tL \n \tL\n\tLM\n")
                                     << qint64(0) << qint64(0);
    // A CR LF whose LF starts the second block read: the LF goes with its line.
    const QByteArray filler = QByteArray(256 * 1024 - 4, 'x') + '\n';
    QTest::newRow("crlf across blocks") << filler + "\tL\r\n\tM\r\n" << filler << qint64(2) << qint64(3);
    QTest::newRow("entries missing") << QByteArray("\tlink\n\tmi\n") << QByteArray("\tlink\n\tmi\n")
                                     << qint64(0) << qint64(0);
}

void TestUninstall::rayrc()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);
    QFETCH(qint64, linkLine);
    QFETCH(qint64, miLine);
    Sandbox sandbox;
    writeBytes(QStringLiteral("maya.rayrc"), content);
    UninstallPlan plan = UninstallPlan::make({}, sandbox.path(), sandbox.path(), QStringLiteral("L"),
                                             QStringLiteral("M"), true);
    QCOMPARE(plan.rayrc.linkLine, linkLine);
    QCOMPARE(plan.rayrc.miLine, miLine);
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), content);
    // Entries that are not there are no failure.
    QVERIFY(plan.apply());
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), expected);
}

QTEST_GUILESS_MAIN(TestUninstall)
#include "tst_uninstall.moc"

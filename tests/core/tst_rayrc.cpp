#include "config/shadertype.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

class TestRayrc : public QObject
{
    Q_OBJECT

private slots:
    void insertion_data();
    void insertion();
    void longLine();
    void missingFile();
    void emptyDirectory();
    void folderInsteadOfFile();
    void trailingSeparator();
    void nonAsciiEntries();
};

void TestRayrc::insertion_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("link on 3, mi on 7")
        << QByteArray("a\nb\n\tlink \"base.so\"\nc\nd\ne\n\tmi \"base.mi\"\nf\n") << true
        << QByteArray("a\nb\n\tLNK\n\tlink \"base.so\"\nc\nd\ne\n\tMI\n\tmi \"base.mi\"\nf\n");
    QTest::newRow("mi before link")
        << QByteArray("\tmi m\n\tlink l\n") << true << QByteArray("\tMI\n\tmi m\n\tLNK\n\tlink l\n");
    QTest::newRow("one line holds both")
        << QByteArray("x\n\tlink\tmi\ny\n") << true << QByteArray("x\n\tLNK\n\tMI\n\tlink\tmi\ny\n");
    QTest::newRow("only the first of each kind")
        << QByteArray("\tlink 1\n\tlink 2\n\tmi 1\n\tmi 2\n") << true
        << QByteArray("\tLNK\n\tlink 1\n\tlink 2\n\tMI\n\tmi 1\n\tmi 2\n");
    QTest::newRow("tab then mix counts")
        << QByteArray("\tlink\n  \tmix\n") << true << QByteArray("\tLNK\n\tlink\n\tMI\n  \tmix\n");
    QTest::newRow("entry anywhere in the line")
        << QByteArray("  x\tlink y\n  z\tmi w\n") << true
        << QByteArray("\tLNK\n  x\tlink y\n\tMI\n  z\tmi w\n");
    QTest::newRow("empty lines kept")
        << QByteArray("\n\n\tlink\n\n\tmi\n\n") << true
        << QByteArray("\n\n\tLNK\n\tlink\n\n\tMI\n\tmi\n\n");
    QTest::newRow("last line gets a line end")
        << QByteArray("\tlink\n\tmi") << true << QByteArray("\tLNK\n\tlink\n\tMI\n\tmi\n");
    QTest::newRow("CR LF kept, entries too")
        << QByteArray("r\r\n\tlink\r\n\tmi\r\n") << true
        << QByteArray("r\r\n\tLNK\r\n\tlink\r\n\tMI\r\n\tmi\r\n");
    QTest::newRow("CR alone kept, entries too")
        << QByteArray("r\r\tlink\r\tmi") << true
        << QByteArray("r\r\tLNK\r\tlink\r\tMI\r\tmi\r");
    QTest::newRow("entries end as the first line does")
        << QByteArray("\tlink\tmi\rx\r\ny\n") << true
        << QByteArray("\tLNK\r\tMI\r\tlink\tmi\rx\r\ny\n");
    QTest::newRow("no tab, no entry") << QByteArray("link\nmi\n  link mi\n") << false
                                      << QByteArray("link\nmi\n  link mi\n");
    QTest::newRow("no mi entry") << QByteArray("\tlink a\n\tlink b\n") << false
                                 << QByteArray("\tlink a\n\tlink b\n");
    QTest::newRow("no link entry") << QByteArray("\tmi a\n") << false << QByteArray("\tmi a\n");
    QTest::newRow("empty file") << QByteArray() << false << QByteArray();
    static const char raw[] = "\xff\xfe\0bin\n\tlink \xe9t\xe9\n\tmi\n";
    static const char rawAfter[] = "\xff\xfe\0bin\n\tLNK\n\tlink \xe9t\xe9\n\tMI\n\tmi\n";
    QTest::newRow("bytes kept as they are") << QByteArray(raw, sizeof raw - 1) << true
                                            << QByteArray(rawAfter, sizeof rawAfter - 1);
}

void TestRayrc::insertion()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, result);
    QFETCH(QByteArray, after);
    Sandbox sandbox;
    writeBytes(QStringLiteral("maya.rayrc"), before);
    QCOMPARE(ShaderType::updateRayrc(sandbox.path(), QStringLiteral("LNK"), QStringLiteral("MI")),
             result);
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), after);
}

void TestRayrc::longLine()
{
    Sandbox sandbox;
    const QByteArray longLine(100000, 'x');
    writeBytes(QStringLiteral("maya.rayrc"), longLine + "\n\tlink " + longLine + "\n\tmi\n" + longLine);
    QVERIFY(ShaderType::updateRayrc(sandbox.path(), QStringLiteral("l"), QStringLiteral("m")));
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")),
             longLine + "\n\tl\n\tlink " + longLine + "\n\tm\n\tmi\n" + longLine + "\n");
}

void TestRayrc::missingFile()
{
    Sandbox sandbox;
    QVERIFY(!ShaderType::updateRayrc(sandbox.path(), QStringLiteral("l"), QStringLiteral("m")));
    QVERIFY(!QFile::exists(QStringLiteral("maya.rayrc")));
}

void TestRayrc::emptyDirectory()
{
    // Not the current directory, and not the root of the disk either.
    Sandbox sandbox;
    writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
    QVERIFY(!ShaderType::updateRayrc(QString(), QStringLiteral("l"), QStringLiteral("m")));
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), QByteArray("\tlink\n\tmi\n"));
}

void TestRayrc::folderInsteadOfFile()
{
    Sandbox sandbox;
    QVERIFY(QDir().mkdir(QStringLiteral("maya.rayrc")));
    QVERIFY(!ShaderType::updateRayrc(sandbox.path(), QStringLiteral("l"), QStringLiteral("m")));
    QVERIFY(QFileInfo(QStringLiteral("maya.rayrc")).isDir());
}

void TestRayrc::trailingSeparator()
{
    // The path is used as formed: a doubled separator still names the file.
    Sandbox sandbox;
    writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
    QVERIFY(ShaderType::updateRayrc(sandbox.path() + QDir::separator(), QStringLiteral("l"),
                                    QStringLiteral("m")));
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), QByteArray("\tl\n\tlink\n\tm\n\tmi\n"));
}

void TestRayrc::nonAsciiEntries()
{
    Sandbox sandbox;
    writeBytes(QStringLiteral("maya.rayrc"), "\tlink\n\tmi\n");
    QVERIFY(ShaderType::updateRayrc(sandbox.path(), QStringLiteral("link \"ombré.so\""),
                                    QStringLiteral("mi \"ombré.mi\"")));
    // Written out by hand: the local 8-bit encoding is UTF-8 on Linux, the
    // ANSI code page (1252 here) on Windows.
#ifdef Q_OS_WIN
    const QByteArray e = "\xe9";
#else
    const QByteArray e = "\xc3\xa9";
#endif
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")),
             "\tlink \"ombr" + e + ".so\"\n\tlink\n\tmi \"ombr" + e + ".mi\"\n\tmi\n");
}

QTEST_GUILESS_MAIN(TestRayrc)
#include "tst_rayrc.moc"

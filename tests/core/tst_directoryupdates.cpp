#include "config/configuration.h"
#include "files/textfile.h"
#include "testsupport.h"

#include <QtTest>

namespace {
const QString init = QStringLiteral("init.txt");
}

class TestDirectoryUpdates : public QObject
{
    Q_OBJECT

private slots:
    void typingWithoutFile();
    void untouchedFiles_data();
    void untouchedFiles();
    void mrMarkerAddedOnce_data();
    void mrMarkerAddedOnce();
    void blocksSurviveManyChanges();
    void longLineKept();
    void nonAsciiLoadsBack();
    void lineEndsKept_data();
    void lineEndsKept();
    void lineEndsAndBom_data();
    void lineEndsAndBom();
};

void TestDirectoryUpdates::typingWithoutFile()
{
    Sandbox sandbox;
    // Either field may come first on a first run; neither loses what is typed.
    QVERIFY(Configuration::setMrPath(QStringLiteral("/r")));
    QCOMPARE(readBytes(init), nativeEnds("[MAYA_PATH]\n\n[MR_PATH]\n/r\n"));
    QCOMPARE(Configuration::mrPath, QStringLiteral("/r"));

    QString typed;
    for (const QChar c : QStringLiteral("/opt")) {
        typed += c;
        QVERIFY(Configuration::setMayaPath(typed));
        QCOMPARE(readBytes(init), nativeEnds("[MAYA_PATH]\n" + typed.toUtf8() + "\n[MR_PATH]\n/r\n"));
    }
    QVERIFY(Configuration::setMrPath(QStringLiteral("/m")));
    QCOMPARE(readBytes(init), nativeEnds("[MAYA_PATH]\n/opt\n[MR_PATH]\n/m\n"));
    QVERIFY(Configuration::setMrPath(QStringLiteral("/mr")));
    QVERIFY(Configuration::setMayaPath(QString()));
    QCOMPARE(readBytes(init), nativeEnds("[MAYA_PATH]\n\n[MR_PATH]\n/mr\n"));
    QCOMPARE(Configuration::mayaPath, QString());
}

void TestDirectoryUpdates::untouchedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("blank after marker") << QByteArray("[MAYA_PATH] \n/m\n[MR_PATH]\n/r\n");
    QTest::newRow("marker inside the line") << QByteArray("x[MAYA_PATH]\n/m\n");
    QTest::newRow("other text") << QByteArray("hello\n");
}

void TestDirectoryUpdates::untouchedFiles()
{
    QFETCH(QByteArray, content);
    Sandbox sandbox;
    writeBytes(init, content);
    QVERIFY(!Configuration::setMayaPath(QStringLiteral("/new maya")));
    QVERIFY(!Configuration::setMrPath(QStringLiteral("/new mr")));
    QCOMPARE(readBytes(init), content);
    // The values held in memory change all the same.
    QCOMPARE(Configuration::mayaPath, QStringLiteral("/new maya"));
    QCOMPARE(Configuration::mrPath, QStringLiteral("/new mr"));
}

void TestDirectoryUpdates::mrMarkerAddedOnce_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("maya lines only") << QByteArray("[MAYA_PATH]\n/m\n")
                                     << QByteArray("[MAYA_PATH]\n/m\n[MR_PATH]\nabc\n");
    QTest::newRow("marker line only") << QByteArray("[MAYA_PATH]\n")
                                      << QByteArray("[MAYA_PATH]\n\n[MR_PATH]\nabc\n");
    QTest::newRow("inexact mr marker left alone")
        << QByteArray("[MAYA_PATH]\n/m\n[MR_PATH] \n/r\n")
        << QByteArray("[MAYA_PATH]\n/m\n[MR_PATH] \n/r\n");
    QTest::newRow("no mr section left alone") << QByteArray("[MAYA_PATH]\n/m\n[A]\n0\n")
                                              << QByteArray("[MAYA_PATH]\n/m\n[A]\n0\n");
}

void TestDirectoryUpdates::mrMarkerAddedOnce()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    Sandbox sandbox;
    writeBytes(init, before);
    for (const char *typed : {"a", "ab", "abc"})
        QCOMPARE(Configuration::setMrPath(QString::fromLatin1(typed)), after != before);
    QCOMPARE(readBytes(init), after);
}

void TestDirectoryUpdates::blocksSurviveManyChanges()
{
    Sandbox sandbox;
    Configuration::mayaPath = QStringLiteral("/m");
    Configuration::mrPath = QStringLiteral("/r");
    for (const char *name : {"A", "B", "C"}) {
        ShaderType type;
        type.name = QString::fromLatin1(name);
        type.setRow(2, QStringLiteral("mel"), QStringLiteral("/scripts/") + type.name, true);
        Configuration::shaderTypes.append(type);
    }
    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Saved);
    const QByteArray saved = readBytes(init);
    const qsizetype blocks = saved.indexOf("[A]");

    for (int i = 0; i < 20; ++i) {
        QVERIFY(Configuration::setMayaPath(QStringLiteral("/maya/%1").arg(i)));
        QVERIFY(Configuration::setMrPath(QStringLiteral("/mr/%1").arg(i)));
    }
    const QByteArray after = readBytes(init);
    QCOMPARE(after, nativeEnds("[MAYA_PATH]\n/maya/19\n[MR_PATH]\n/mr/19\n") + saved.mid(blocks));

    Configuration::reset();
    Configuration::load();
    QCOMPARE(Configuration::shaderTypes.size(), 3);
    QCOMPARE(Configuration::shaderTypes.at(2).rows.at(2).path, QStringLiteral("/scripts/C"));
}

void TestDirectoryUpdates::longLineKept()
{
    Sandbox sandbox;
    const QByteArray longLine(100000, 'x');
    const QByteArray rest = "[T]\n1\nmi*" + longLine + "*o\n";
    writeBytes(init, "[MAYA_PATH]\n" + longLine + "\n[MR_PATH]\n/r\n" + rest);
    QVERIFY(Configuration::setMrPath(QStringLiteral("/r2")));
    QCOMPARE(readBytes(init), "[MAYA_PATH]\n" + longLine + "\n[MR_PATH]\n/r2\n" + rest);
    QVERIFY(Configuration::setMayaPath(QStringLiteral("/m")));
    QCOMPARE(readBytes(init), "[MAYA_PATH]\n/m\n[MR_PATH]\n/r2\n" + rest);
}

void TestDirectoryUpdates::nonAsciiLoadsBack()
{
    Sandbox sandbox;
    const QString maya = QStringLiteral("/home/zoë/Maya — 7");
    const QString mr = QStringLiteral("/srv/mental ray/été");
    QVERIFY(Configuration::setMayaPath(maya));
    QVERIFY(Configuration::setMrPath(mr));
    Configuration::reset();
    Configuration::load();
    QCOMPARE(Configuration::mayaPath, maya);
    QCOMPARE(Configuration::mrPath, mr);
}

void TestDirectoryUpdates::lineEndsKept_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("CR LF") << QByteArray("[MAYA_PATH]\r\n/m\r\n[MR_PATH]\r\n/r\r\n[A]\r\n0\r\n")
                           << QByteArray("[MAYA_PATH]\r\n/M\r\n[MR_PATH]\r\n/R\r\n[A]\r\n0\r\n");
    // An untouched last line keeps having no end.
    QTest::newRow("no end on last line")
        << QByteArray("[MAYA_PATH]\n/m\n[MR_PATH]\n/r\n[A]\n0")
        << QByteArray("[MAYA_PATH]\n/M\n[MR_PATH]\n/R\n[A]\n0");
    QTest::newRow("CR LF, mr appended") << QByteArray("[MAYA_PATH]\r\n/m")
                                        << QByteArray("[MAYA_PATH]\r\n/M\r\n[MR_PATH]\r\n/R\r\n");
    QTest::newRow("marker only") << QByteArray("[MAYA_PATH]")
                                 << nativeEnds("[MAYA_PATH]\n/M\n[MR_PATH]\n/R\n");
    QTest::newRow("CR LF, marker only") << QByteArray("[MAYA_PATH]\r\n")
                                        << QByteArray("[MAYA_PATH]\r\n/M\r\n[MR_PATH]\r\n/R\r\n");
    static const char raw[] = "[MAYA_PATH]\n/m\n[MR_PATH]\n/r\n\xff\0\xfe\n";
    static const char rawAfter[] = "[MAYA_PATH]\n/M\n[MR_PATH]\n/R\n\xff\0\xfe\n";
    QTest::newRow("bytes that are not text") << QByteArray(raw, sizeof raw - 1)
                                             << QByteArray(rawAfter, sizeof rawAfter - 1);
}

void TestDirectoryUpdates::lineEndsKept()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    Sandbox sandbox;
    writeBytes(init, before);
    QVERIFY(Configuration::setMayaPath(QStringLiteral("/M")));
    QVERIFY(Configuration::setMrPath(QStringLiteral("/R")));
    QCOMPARE(readBytes(init), after);
}

void TestDirectoryUpdates::lineEndsAndBom_data()
{
    QTest::addColumn<QByteArray>("bom");
    QTest::addColumn<QByteArrayList>("ends");
    const QByteArray lf("\n"), crlf("\r\n"), cr("\r"), none;
    const QByteArray bom("\xEF\xBB\xBF");
    QTest::newRow("LF") << none << QByteArrayList(7, lf);
    QTest::newRow("CR LF") << none << QByteArrayList(7, crlf);
    QTest::newRow("CR") << none << QByteArrayList(7, cr);
    QTest::newRow("CR after line 2") << none << QByteArrayList{lf, lf, cr, cr, cr, cr, cr};
    QTest::newRow("CR, none on the last line")
        << none << QByteArrayList{cr, cr, cr, cr, cr, cr, none};
    QTest::newRow("CR then CR LF") << none << QByteArrayList{cr, crlf, cr, crlf, cr, crlf, cr};
    QTest::newRow("BOM") << bom << QByteArrayList(7, lf);
    QTest::newRow("BOM, CR") << bom << QByteArrayList(7, cr);
}

// The file loads whole, the setters keep every other line's bytes and end,
// and the save writes the file's first line end, after its BOM.
void TestDirectoryUpdates::lineEndsAndBom()
{
    QFETCH(QByteArray, bom);
    QFETCH(QByteArrayList, ends);
    const QByteArrayList lines{"[MAYA_PATH]", "/m", "[MR_PATH]", "/r", "[A]", "1", "mel*/s*o"};
    QByteArray before = bom;
    QByteArray after = bom;
    QByteArray saved = bom;
    // What the setters write: in UTF-8 after a BOM, else in the system's encoding.
    const QString maya = QStringLiteral("/Mé");
    const QByteArray mayaBytes = bom.isEmpty() ? local8Bit(maya) : maya.toUtf8();
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray text = i == 1 ? mayaBytes : i == 3 ? "/R" : lines.at(i);
        before += lines.at(i) + ends.at(i);
        after += text + ends.at(i);
        saved += text + ends.first();
    }
    Sandbox sandbox;
    writeBytes(init, before);
    Configuration::load();
    QCOMPARE(Configuration::mayaPath, QStringLiteral("/m"));
    QCOMPARE(Configuration::mrPath, QStringLiteral("/r"));
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    QCOMPARE(Configuration::shaderTypes.first().rows.size(), 1);
    QCOMPARE(Configuration::shaderTypes.first().rows.first().path, QStringLiteral("/s"));

    QVERIFY(Configuration::setMayaPath(maya));
    QVERIFY(Configuration::setMrPath(QStringLiteral("/R")));
    QCOMPARE(readBytes(init), after);
    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Saved);
    QCOMPARE(readBytes(init), saved);
}

QTEST_GUILESS_MAIN(TestDirectoryUpdates)
#include "tst_directoryupdates.moc"

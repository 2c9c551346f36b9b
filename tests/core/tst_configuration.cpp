#include "config/configuration.h"
#include "files/textfile.h"
#include "testsupport.h"

#include <QDate>
#include <QDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const QByteArray defaultFile("[MAYA_PATH]\n\n[MR_PATH]\n\n[Shader Mental Ray]\n5\n"
                             "fti**n\nxpm**n\nmel**o\nmi**o\ndll**o\n");

QByteArray header(const QByteArray &maya, const QByteArray &mr)
{
    return "[MAYA_PATH]\n" + maya + "\n[MR_PATH]\n" + mr + "\n";
}

QString backupFileName(const QDate &day)
{
    return QStringLiteral("maya.rayrc") + day.toString(QStringLiteral("yyyy_MM_dd"));
}
}

class TestConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWithoutFile();
    void parse_data();
    void parse();
    void roundTrip_data();
    void roundTrip();
    void rowLine_data();
    void rowLine();
    void blocks_data();
    void blocks();
    void earlyStop_data();
    void earlyStop();
    void fourLineFile();
    void backupName_data();
    void backupName();
    void backupNeverOverwrites();
    void settingsKeysAreFixed();
    void lastDirectories();
    void saveAfterEarlyStop_data();
    void saveAfterEarlyStop();
    void rowSettersIgnoreBadIndices();
    void specialFiles_data();
    void specialFiles();
};

void TestConfiguration::defaultsWithoutFile()
{
    Sandbox sandbox;
    Configuration::load();
    QVERIFY(Configuration::mayaPath.isEmpty());
    QVERIFY(Configuration::mrPath.isEmpty());
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    const ShaderType &type = Configuration::shaderTypes.first();
    QCOMPARE(type.name, QStringLiteral("Shader Mental Ray"));
    QCOMPARE(type.rows.size(), 5);
    const QStringList extensions{"fti", "xpm", "mel", "mi", "dll"};
    const bool mandatory[] = {false, false, true, true, true};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(type.rows.at(i).extension, extensions.at(i));
        QVERIFY(type.rows.at(i).path.isEmpty());
        QCOMPARE(type.rows.at(i).mandatory, mandatory[i]);
    }
    QCOMPARE(Configuration::lastDirectories.size(), Configuration::LastDirectoryCount);
    // Changing a row alone does not reach the file.
    Configuration::setShaderFileRow(0, 1, QStringLiteral("png"), QStringLiteral("/icons"), true);
    QVERIFY(!QFile::exists(QStringLiteral("init.txt")));
    Configuration::setShaderFileRow(0, 1, QStringLiteral("xpm"), QString(), false);

    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Saved);
    QCOMPARE(readBytes(QStringLiteral("init.txt")), nativeEnds(defaultFile));
}

Q_DECLARE_METATYPE(InitFile::Stop)

void TestConfiguration::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("maya");
    QTest::addColumn<QString>("mr");
    QTest::addColumn<int>("types");
    QTest::addColumn<InitFile::Stop>("stop");
    QTest::addColumn<bool>("unread");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("decodable");
    using Stop = InitFile::Stop;

    const QByteArray lf("\n"), crlf("\r\n"), cr("\r");
    QTest::newRow("LF") << header("/m", "/r") + "[A]\n1\nmel*/s*o\n" << "/m" << "/r" << 1
                        << Stop::None << false << false << lf << true;
    QTest::newRow("CR LF") << QByteArray("[MAYA_PATH]\r\n/m\r\n[MR_PATH]\r\n/r\r\n[A]\r\n0\r\n")
                           << "/m" << "/r" << 1 << Stop::None << false << false << crlf << true;
    QTest::newRow("CR, then LF") << QByteArray("[MAYA_PATH]\r/m\n[MR_PATH]\n/r\n") << "/m" << "/r"
                                 << 0 << Stop::None << false << false << cr << true;
    QTest::newRow("BOM") << "\xEF\xBB\xBF" + header("/m", "/r") << "/m" << "/r" << 0 << Stop::None
                         << false << true << lf << true;
    // A BOM means UTF-8, whatever the system's encoding (on Windows, ANSI).
    QTest::newRow("BOM, UTF-8 after it") << "\xEF\xBB\xBF" + header("/d\xC3\xA9mo", "/r") << QStringLiteral("/démo")
                                         << "/r" << 0 << Stop::None << false << true << lf << true;
    QTest::newRow("markers anywhere in their line")
        << QByteArray("# [MAYA_PATH] here\n/m\nsee [MR_PATH]!\n/r\n[A]\n0\n\n") << "/m" << "/r" << 1
        << Stop::None << false << false << lf << true;
    QTest::newRow("no line end") << QByteArray("[MAYA_PATH]") << "" << "" << 0 << Stop::MayaMarker
                                 << false << false << nativeLineEnd() << true;
    QTest::newRow("empty file") << QByteArray() << "" << "" << 0 << Stop::MayaMarker << false
                                << false << nativeLineEnd() << true;
    QTest::newRow("no maya marker") << QByteArray("MAYA\n/m\n[MR_PATH]\n/r\n") << "" << "" << 0
                                    << Stop::MayaMarker << true << false << lf << true;
    QTest::newRow("nothing after the mr marker") << QByteArray("[MAYA_PATH]\n/m\n[MR_PATH]\n")
                                                 << "/m" << "" << 0 << Stop::MrMarker << false
                                                 << false << lf << true;
    QTest::newRow("no mr marker") << QByteArray("[MAYA_PATH]\n/m\n[MR]\n/r\n") << "/m" << "" << 0
                                  << Stop::MrMarker << true << false << lf << true;
#ifndef Q_OS_WIN // every byte is a character in Windows' ANSI code page
    QTest::newRow("invalid UTF-8") << header("/m\xff", "/r") << "/m\uFFFD" << "/r" << 0
                                   << Stop::None << false << false << lf << false;
#endif
}

// Bytes in, what the loader learnt out: nothing read, written or backed up.
void TestConfiguration::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, maya);
    QFETCH(QString, mr);
    QFETCH(int, types);
    QFETCH(InitFile::Stop, stop);
    QFETCH(bool, unread);
    QFETCH(bool, bom);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, decodable);
    const InitFile file = InitFile::parse(bytes);
    QCOMPARE(file.mayaPath, maya);
    QCOMPARE(file.mrPath, mr);
    QCOMPARE(file.shaderTypes.size(), types);
    QCOMPARE(file.stop, stop);
    QCOMPARE(file.unread, unread);
    QCOMPARE(file.bom, bom);
    QCOMPARE(file.lineEnd, lineEnd);
    QCOMPARE(file.decodable, decodable);
}

void TestConfiguration::roundTrip_data()
{
    QTest::addColumn<QString>("maya");
    QTest::addColumn<QString>("mr");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("bom");

    QTest::newRow("plain") << "/opt/maya" << "/opt/mr" << QStringList{"Shader Mental Ray"}
                           << QByteArray("\n") << false;
    QTest::newRow("several types") << "C:\\Maya" << "D:\\mr"
                                   << QStringList{"A", "Second one", "[odd]", ""}
                                   << QByteArray("\r\n") << false;
    QTest::newRow("non-ASCII") << QStringLiteral("/home/zoë/Maya 7 — données")
                               << QStringLiteral("/srv/mr/été") << QStringList{QStringLiteral("Ombré")}
                               << QByteArray("\r") << true;
    QTest::newRow("empty directories") << "" << "" << QStringList{"x"} << QByteArray("\n") << true;
    QTest::newRow("no type") << "/m" << "/r" << QStringList{} << QByteArray("\n") << false;
}

void TestConfiguration::roundTrip()
{
    QFETCH(QString, maya);
    QFETCH(QString, mr);
    QFETCH(QStringList, names);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, bom);

    InitFile file;
    file.mayaPath = maya;
    file.mrPath = mr;
    file.lineEnd = lineEnd;
    file.bom = bom;
    for (int t = 0; t < names.size(); ++t) {
        ShaderType type;
        type.name = names.at(t);
        type.rows.resize(t + 1);
        for (int r = 0; r < type.rows.size(); ++r)
            type.setRow(r, QStringLiteral("e%1").arg(r), mr + QStringLiteral("/dest%1").arg(r),
                        (r + t) % 2 == 0);
        file.shaderTypes.append(type);
    }
    QVERIFY(InitFile::parse(file.serialize()) == file);
}

void TestConfiguration::rowLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("mandatory");

    QTest::newRow("mandatory") << QByteArray("dll*D:\\lib*o") << "dll" << "D:\\lib" << true;
    QTest::newRow("optional") << QByteArray("dll*D:\\lib*n") << "dll" << "D:\\lib" << false;
    QTest::newRow("any o in the flag") << QByteArray("mi*/x*yes or no") << "mi" << "/x" << true;
    QTest::newRow("capital O") << QByteArray("mi*/x*O") << "mi" << "/x" << false;
    QTest::newRow("no star, o in line") << QByteArray("no stars") << "" << "" << true;
    QTest::newRow("no star, no o") << QByteArray("plain") << "" << "" << false;
    QTest::newRow("one star") << QByteArray("mel*/scripts") << "mel" << "" << false;
    QTest::newRow("empty line") << QByteArray("") << "" << "" << false;
    QTest::newRow("extra stars") << QByteArray("a*b*c*o") << "a" << "b" << true;
}

void TestConfiguration::rowLine()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, extension);
    QFETCH(QString, path);
    QFETCH(bool, mandatory);
    const InitFile file = InitFile::parse(header("/m", "/r") + "[T]\n1\n" + line + "\n");
    QCOMPARE(file.shaderTypes.size(), 1);
    QCOMPARE(file.shaderTypes.first().rows.size(), 1);
    const ShaderFileRow &row = file.shaderTypes.first().rows.first();
    QCOMPARE(row.extension, extension);
    QCOMPARE(row.path, path);
    QCOMPARE(row.mandatory, mandatory);
}

void TestConfiguration::blocks_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("rowCounts");

    QTest::newRow("two blocks") << QByteArray("[A]\n1\na*b*n\n[B]\n2\nc*d*o\ne*f*n\n")
                                << QStringList{"A", "B"} << QList<int>{1, 2};
    QTest::newRow("blank after bracket") << QByteArray("[A] \n0\nend\n") << QStringList{"A]"}
                                         << QList<int>{0};
    QTest::newRow("bracket anywhere") << QByteArray("xx[yy\n0\nend\n") << QStringList{"x[y"}
                                      << QList<int>{0};
    QTest::newRow("junk between blocks") << QByteArray("junk\n[A]\n0\nmore junk\n[B]\n0\nend\n")
                                         << QStringList{"A", "B"} << QList<int>{0, 0};
    QTest::newRow("header on last line") << QByteArray("[A]\n0\n[B]\n") << QStringList{"A"}
                                         << QList<int>{0};
    QTest::newRow("count of three") << QByteArray("[A]\n3\na**n\nb**n\nc**n\nend\n")
                                    << QStringList{"A"} << QList<int>{3};
    QTest::newRow("count not a number") << QByteArray("[A]\nfive\na**n\n[B]\n1\nb**o\nend\n")
                                        << QStringList{"A", "B"} << QList<int>{0, 1};
    QTest::newRow("negative count") << QByteArray("[A]\n-4\n[B]\n1\nb**o\nend\n")
                                    << QStringList{"A", "B"} << QList<int>{0, 1};
    QTest::newRow("huge count") << QByteArray("[A]\n2000000000\na**n\nb**n\nc**n")
                                << QStringList{"A"} << QList<int>{3};
    QTest::newRow("count past the end") << QByteArray("[A]\n7\na**n\nb**n\n") << QStringList{"A"}
                                        << QList<int>{2};
}

void TestConfiguration::blocks()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, rowCounts);
    const InitFile file = InitFile::parse(header("/m", "/r") + body);
    QCOMPARE(file.shaderTypes.size(), names.size());
    for (int t = 0; t < names.size(); ++t) {
        QCOMPARE(file.shaderTypes.at(t).name, names.at(t));
        QCOMPARE(file.shaderTypes.at(t).rows.size(), rowCounts.at(t));
    }
}

void TestConfiguration::earlyStop_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("maya");
    // Whether the file held nothing the loader could not take in, so that
    // the default shader type stands in for the missing blocks.
    QTest::addColumn<bool>("defaults");

    QTest::newRow("empty file") << QByteArray() << "" << true;
    // @R@ stands for the folder that holds a maya.rayrc: a loader that read
    // it would take a backup.
    QTest::newRow("no maya marker") << QByteArray("MAYA\n/m\n[MR_PATH]\n@R@\n[A]\n0\n\n") << "" << false;
    QTest::newRow("only line one") << QByteArray("[MAYA_PATH]\n") << "" << true;
    QTest::newRow("three lines") << QByteArray("[MAYA_PATH]\n/m\n[MR_PATH]\n") << "/m" << true;
    QTest::newRow("no mr marker") << QByteArray("[MAYA_PATH]\n/m\n[MR]\n@R@\n[A]\n0\n\n") << "/m" << false;
    QTest::newRow("marker case differs") << QByteArray("[maya_path]\n/m\n[MR_PATH]\n@R@\n\n") << "" << false;
}

void TestConfiguration::earlyStop()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, maya);
    QFETCH(bool, defaults);
    Sandbox sandbox;
    QDir().mkdir(QStringLiteral("r"));
    writeBytes(QStringLiteral("r/maya.rayrc"), "rc");
    writeBytes(QStringLiteral("init.txt"),
               QByteArray(content).replace("@R@", sandbox.path(QStringLiteral("r")).toUtf8()));
    setSettingsValue(QStringLiteral("maya"), QStringLiteral("/remembered"));

    Configuration::load();
    QCOMPARE(Configuration::mayaPath, maya);
    QVERIFY(Configuration::mrPath.isEmpty());
    QCOMPARE(Configuration::shaderTypes.size(), defaults ? 1 : 0);
    QVERIFY(Configuration::lastDirectories.isEmpty());
    QVERIFY(Configuration::lastDirectory(Configuration::MayaDirectory).isEmpty());
    QVERIFY(Configuration::setLastDirectory(QStringLiteral("/new"), Configuration::MayaDirectory).isEmpty());
    QCOMPARE(QDir().entryList({QStringLiteral("maya.rayrc*")}, QDir::Files), QStringList());
}

void TestConfiguration::fourLineFile()
{
    Sandbox sandbox;
    QDir().mkdir(QStringLiteral("mr"));
    writeBytes(QStringLiteral("mr/maya.rayrc"), "\tlink x\n");
    // The marker only needs to occur in its line.
    writeBytes(QStringLiteral("init.txt"),
               "[MAYA_PATH] \n/maya\n[MR_PATH]\n" + sandbox.path(QStringLiteral("mr")).toUtf8() + "\n");
    Configuration::load();
    QCOMPARE(Configuration::mayaPath, QStringLiteral("/maya"));
    QCOMPARE(Configuration::mrPath, sandbox.path(QStringLiteral("mr")));
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    QCOMPARE(readBytes(backupFileName(QDate::currentDate())), QByteArray("\tlink x\n"));
}

void TestConfiguration::backupName_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("name");
    QTest::newRow("4 July 2005") << QDate(2005, 7, 4) << "maya.rayrc2005_07_04";
    QTest::newRow("9 January") << QDate(2027, 1, 9) << "maya.rayrc2027_01_09";
    QTest::newRow("short year") << QDate(987, 12, 31) << "maya.rayrc0987_12_31";
}

void TestConfiguration::backupName()
{
    QFETCH(QDate, day);
    QFETCH(QString, name);
    Sandbox sandbox;
    const QByteArray content("registry\r\n\tmi \"base.mi\"\r\n\0binary", 30);
    writeBytes(QStringLiteral("maya.rayrc"), content);
    Configuration::mrPath = sandbox.path();
    QVERIFY(backupRayrc(day));
    QCOMPARE(readBytes(name), content);
}

void TestConfiguration::backupNeverOverwrites()
{
    Sandbox sandbox;
    QDir().mkdir(QStringLiteral("mr"));
    Configuration::mrPath = sandbox.path(QStringLiteral("mr"));
    writeBytes(QStringLiteral("mr/maya.rayrc"), "first");
    QVERIFY(backupRayrc(QDate(2005, 7, 4)));
    writeBytes(QStringLiteral("mr/maya.rayrc"), "second");
    QVERIFY(!backupRayrc(QDate(2005, 7, 4)));
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc2005_07_04")), QByteArray("first"));
    QVERIFY(backupRayrc(QDate(2005, 7, 5)));

    QFile::remove(QStringLiteral("mr/maya.rayrc"));
    QVERIFY(!backupRayrc(QDate(2005, 7, 6)));
    // No Mental Ray directory is not the root of the disk.
    Configuration::mrPath.clear();
    QVERIFY(!backupRayrc(QDate(2005, 7, 6)));
    QVERIFY(!QFile::exists(QStringLiteral("maya.rayrc2005_07_06")));
}

void TestConfiguration::settingsKeysAreFixed()
{
    QCOMPARE(Configuration::settingsKeys,
             QStringList({"maya", "mr", "fti", "xpm", "mel", "mi", "dll", "shader"}));

    Sandbox sandbox;
    writeBytes(QStringLiteral("init.txt"),
               header("/m", "/r") + "[A]\n5\npng*/a*n\njpg*/b*n\nx*/c*o\ny*/d*o\nz*/e*o\n");
    Configuration::load();
    Configuration::setLastDirectory(QStringLiteral("/chosen/for/row0"),
                                    Configuration::FirstRowDirectory);
    QCOMPARE(settingsValue(QStringLiteral("fti")), QStringLiteral("/chosen/for/row0"));
    QVERIFY(settingsValue(QStringLiteral("png")).isEmpty());
}

void TestConfiguration::lastDirectories()
{
    Sandbox sandbox;
    setSettingsValue(QStringLiteral("shader"), QStringLiteral("/s"));
    setSettingsValue(QStringLiteral("mr"), QStringLiteral("/r"));
    Configuration::load();
    QCOMPARE(Configuration::lastDirectory(Configuration::ShaderDirectory), QStringLiteral("/s"));
    QCOMPARE(Configuration::lastDirectory(Configuration::MrDirectory), QStringLiteral("/r"));
    QVERIFY(Configuration::lastDirectory(Configuration::MayaDirectory).isEmpty());
    QVERIFY(Configuration::lastDirectory(-1).isEmpty());
    QVERIFY(Configuration::lastDirectory(Configuration::LastDirectoryCount).isEmpty());

    QCOMPARE(Configuration::setLastDirectory(QStringLiteral("/new"), Configuration::MayaDirectory), QStringLiteral("/new"));
    QCOMPARE(settingsValue(QStringLiteral("maya")), QStringLiteral("/new"));
    QCOMPARE(Configuration::lastDirectory(Configuration::MayaDirectory), QStringLiteral("/new"));
    // A cancelled dialog's empty answer stores nothing.
    QVERIFY(Configuration::setLastDirectory(QString(), Configuration::MayaDirectory).isEmpty());
    QCOMPARE(settingsValue(QStringLiteral("maya")), QStringLiteral("/new"));
    QVERIFY(Configuration::setLastDirectory(QStringLiteral("/x"), Configuration::LastDirectoryCount).isEmpty());
    QVERIFY(Configuration::setLastDirectory(QStringLiteral("/x"), -1).isEmpty());

    // The save writes all eight keys, empty ones included.
    Configuration::lastDirectories[Configuration::ShaderDirectory].clear();
    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Saved);
    QVERIFY(settingsValue(QStringLiteral("shader")).isEmpty());
    QCOMPARE(settingsValue(QStringLiteral("mr")), QStringLiteral("/r"));
}

void TestConfiguration::saveAfterEarlyStop_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("saved");

    // Lines the loader could not take in stay: the user may mend the file.
    QTest::newRow("not a configuration") << QByteArray("not a configuration\n")
                                         << QByteArray("not a configuration\n");
    QTest::newRow("typo in the mr marker")
        << QByteArray("[MAYA_PATH]\n/m\n[MR PATH]\n/r\n[A]\n1\nmi*/i*o\n")
        << QByteArray("[MAYA_PATH]\n/m\n[MR PATH]\n/r\n[A]\n1\nmi*/i*o\n");
    // Everything there was read: the save completes the file, with the
    // default shader type.
    const QByteArray defaultType("[Shader Mental Ray]\n5\nfti**n\nxpm**n\nmel**o\nmi**o\ndll**o\n");
    QTest::newRow("maya lines only") << QByteArray("[MAYA_PATH]\n/m\n")
                                     << "[MAYA_PATH]\n/m\n[MR_PATH]\n\n" + defaultType;
    QTest::newRow("empty file") << QByteArray() << nativeEnds("[MAYA_PATH]\n\n[MR_PATH]\n\n" + defaultType);
}

void TestConfiguration::saveAfterEarlyStop()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, saved);
    Sandbox sandbox;
    writeBytes(QStringLiteral("init.txt"), content);
    setSettingsValue(QStringLiteral("shader"), QStringLiteral("/kept"));
    Configuration::load();
    QCOMPARE(Configuration::save().status, saved == content
                                               ? Configuration::SaveStatus::NotUnderstood
                                               : Configuration::SaveStatus::Saved);
    QCOMPARE(settingsValue(QStringLiteral("shader")), QStringLiteral("/kept"));
    QCOMPARE(readBytes(QStringLiteral("init.txt")), saved);
}

void TestConfiguration::rowSettersIgnoreBadIndices()
{
    Sandbox sandbox;
    Configuration::load();
    const auto before = Configuration::shaderTypes.first().rows;
    for (const auto &[type, row] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 5}})
        Configuration::setShaderFileRow(type, row, QStringLiteral("x"), QStringLiteral("/y"), true);
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    const auto &after = Configuration::shaderTypes.first().rows;
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(after.at(i).extension, before.at(i).extension);
}

void TestConfiguration::specialFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
#ifdef Q_OS_UNIX
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to /dev/zero") << "zero";
#endif
}

// Only a regular file is read: the others neither hang nor exhaust memory,
// and count as unreadable, never replaced.
void TestConfiguration::specialFiles()
{
    QFETCH(QString, kind);
    Sandbox sandbox;
    const QString init = QStringLiteral("init.txt");
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(init));
#ifdef Q_OS_UNIX
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo("init.txt", 0600), 0);
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), init));
#endif
    Configuration::load();
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    QVERIFY(!Configuration::setMayaPath(QStringLiteral("/m")));
    QVERIFY(!Configuration::setMrPath(QStringLiteral("/r")));
    QCOMPARE(Configuration::save().status, Configuration::SaveStatus::Unreadable);
    QVERIFY(!QFileInfo(init).isFile());
}

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"

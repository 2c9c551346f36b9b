#include "config/shadertype.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
// Entries ending in '/' are folders, in '|' FIFOs, "name@target" links, the
// others files.
void makeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = QDir(root).filePath(entry.section(QLatin1Char('@'), 0, 0));
        if (entry.endsWith(QLatin1Char('/'))) {
            QDir(root).mkpath(entry);
        } else if (entry.endsWith(QLatin1Char('|'))) {
#ifdef Q_OS_UNIX
            QVERIFY(mkfifo(QFile::encodeName(path.chopped(1)).constData(), 0600) == 0);
#else
            QSKIP("no FIFOs here");
#endif
        } else if (entry.contains(QLatin1Char('@'))) {
            QVERIFY(QFile::link(entry.section(QLatin1Char('@'), 1), path));
        } else {
            QDir(root).mkpath(QFileInfo(entry).path());
            writeBytes(QDir(root).filePath(entry), entry.toUtf8());
        }
    }
}
}

class TestFileSearch : public QObject
{
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void missingFolder();
    void linkCycleEnds();
    void tieBrokenByExactName();
};

void TestFileSearch::search_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("found"); // relative to the searched folder

    QTest::newRow("name order") << QStringList{"b.mix", "a.mi"} << "mi" << "a.mi";
    QTest::newRow("name order ignores case") << QStringList{"B.mi", "a.mix"} << "mi" << "a.mix";
    QTest::newRow("name may start with the extension")
        << QStringList{"mi.mi", "z.mi"} << "mi" << "mi.mi";
    QTest::newRow("extension at position 0 only") << QStringList{"mi.txt"} << "mi" << "";
    QTest::newRow("each row its own file")
        << QStringList{"cosmic.dll", "cosmic.fti", "cosmic.mi"} << "mi" << "cosmic.mi";
    QTest::newRow("extension after any dot")
        << QStringList{"mirror.fti", "mirror.mi"} << "mi" << "mirror.mi";
    QTest::newRow("case-sensitive") << QStringList{"Shader.DLL"} << "dll" << "";
    QTest::newRow("starts with extension") << QStringList{"dll.txt"} << "dll" << "";
    QTest::newRow("need not end the name") << QStringList{"x.dll.bak"} << "dll" << "x.dll.bak";
    QTest::newRow("no dot, no hit") << QStringList{"shadermel"} << "mel" << "";
    QTest::newRow("folders are no hit") << QStringList{"a.fti/"} << "fti" << "";
    QTest::newRow("file before subfolder")
        << QStringList{"a/deep.mel", "z.mel"} << "mel" << "z.mel";
    QTest::newRow("depth first in name order")
        << QStringList{"a/b/one.mi", "a/two.mix", "c/three.mi"} << "mi" << "a/two.mix";
    QTest::newRow("deep file") << QStringList{"a/", "b/c/d/e.dll"} << "dll" << "b/c/d/e.dll";
    QTest::newRow("subfolder named like the extension holds nothing")
        << QStringList{"lib.dll/readme", "x/shader.dll"} << "dll" << "x/shader.dll";
    QTest::newRow("hidden files left out") << QStringList{".hidden.mi"} << "mi" << "";
    QTest::newRow("empty extension") << QStringList{"a.mi", "b/"} << "" << "";
    QTest::newRow("empty folder") << QStringList{} << "mi" << "";
    QTest::newRow("link to a FIFO") << QStringList{"p|", "a.mi@p"} << "mi" << "";
    QTest::newRow("link to a device") << QStringList{"a.mi@/dev/zero"} << "mi" << "";
    QTest::newRow("link to a file") << QStringList{"f", "a.mi@f"} << "mi" << "a.mi";
}

void TestFileSearch::search()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, extension);
    QFETCH(QString, found);
    Sandbox sandbox;
    const QString root = sandbox.path(QStringLiteral("shader"));
    QDir().mkdir(root);
    makeTree(root, tree);

    QString foundPath = QStringLiteral("stale");
    QString foundName = QStringLiteral("untouched");
    const QString result = ShaderType::findFile(extension, root, foundPath, foundName);
    if (found.isEmpty()) {
        QVERIFY(result.isEmpty());
        QVERIFY(foundPath.isEmpty());
        QCOMPARE(foundName, QStringLiteral("untouched"));
    } else {
        QCOMPARE(QDir::fromNativeSeparators(result), root + QLatin1Char('/') + found);
        QCOMPARE(foundPath, result);
        QCOMPARE(foundName, QFileInfo(found).fileName());
        QVERIFY(QFileInfo(result).isFile());
    }
}

void TestFileSearch::missingFolder()
{
    Sandbox sandbox;
    QString foundPath = QStringLiteral("stale");
    QString foundName = QStringLiteral("untouched");
    QVERIFY(ShaderType::findFile(QStringLiteral("mi"), sandbox.path(QStringLiteral("nowhere")),
                                 foundPath, foundName)
                .isEmpty());
    QCOMPARE(foundPath, QStringLiteral("stale"));
    QCOMPARE(foundName, QStringLiteral("untouched"));
}

void TestFileSearch::linkCycleEnds()
{
    Sandbox sandbox;
    const QString root = sandbox.path(QStringLiteral("shader"));
    makeTree(root, {"a/", "b/", "z/last.mi"});
    QVERIFY(QFile::link(root, root + QStringLiteral("/a/loop")));
    QVERIFY(QFile::link(root + QStringLiteral("/a"), root + QStringLiteral("/b/back")));

    QString foundPath;
    QString foundName;
    const QString result = ShaderType::findFile(QStringLiteral("mi"), root, foundPath, foundName);
    QCOMPARE(QDir::fromNativeSeparators(result), root + QStringLiteral("/z/last.mi"));
    QVERIFY(ShaderType::findFile(QStringLiteral("fti"), root, foundPath, foundName).isEmpty());

    // A folder reached through a link is searched when it has not been seen.
    const QString other = sandbox.path(QStringLiteral("other"));
    makeTree(other, {"linked.fti"});
    QVERIFY(QFile::link(other, root + QStringLiteral("/b/elsewhere")));
    QCOMPARE(QDir::fromNativeSeparators(
                 ShaderType::findFile(QStringLiteral("fti"), root, foundPath, foundName)),
             root + QStringLiteral("/b/elsewhere/linked.fti"));
}

void TestFileSearch::tieBrokenByExactName()
{
    // Every case variant of one name, created in both orders: neither the
    // creation order nor the filesystem's listing order may decide.
    QStringList names{"abc.mi", "abC.mi", "aBc.mi", "aBC.mi",
                      "Abc.mi", "AbC.mi", "ABc.mi", "ABC.mi"};
    Sandbox sandbox;
    for (const char *folder : {"a", "b"}) {
        const QString root = sandbox.path(QString::fromLatin1(folder));
        makeTree(root, names);
        std::reverse(names.begin(), names.end());
        QString foundPath;
        QString foundName;
        ShaderType::findFile(QStringLiteral("mi"), root, foundPath, foundName);
        QCOMPARE(foundName, QStringLiteral("ABC.mi"));
    }
}

QTEST_GUILESS_MAIN(TestFileSearch)
#include "tst_filesearch.moc"

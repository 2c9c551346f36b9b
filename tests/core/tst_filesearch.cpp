#include "config/shadertype.h"
#include "install/filesearch.h"
#include "testsupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

// The search as each row once did it on its own, guarded by canonical paths:
// what the one walk must give for every row.
QString searchAlone(const QString &needle, const QString &directory, const QString &canonical,
                    QSet<QString> &visited)
{
    if (!canonical.isEmpty()) {
        if (visited.contains(canonical))
            return QString();
        visited.insert(canonical);
    }
    QFileInfoList infos = QDir(directory).entryInfoList(QDir::NoFilter, QDir::Unsorted);
    std::sort(infos.begin(), infos.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const int order = a.fileName().toLower().compare(b.fileName().toLower());
        return order != 0 ? order < 0 : a.fileName() < b.fileName();
    });
    for (const QFileInfo &info : infos) {
        if (needle.size() > 1 && info.fileName().contains(needle) && info.isFile())
            return directory + QLatin1Char('/') + info.fileName();
    }
    for (const QFileInfo &info : infos) {
        if (!info.isDir() || info.fileName() == QLatin1String(".") || info.fileName() == QLatin1String(".."))
            continue;
        const QString found = searchAlone(
            needle, directory + QLatin1Char('/') + info.fileName(),
            info.isSymLink() ? info.canonicalFilePath() : canonical + QLatin1Char('/') + info.fileName(),
            visited);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// A random tree below root: files whose names differ only in case, several
// extensions in one name, folders at any depth, links to folders (cycles
// among them), to files and to nothing.
void makeRandomTree(const QString &root, quint32 seed, int count)
{
    static const QStringList stems{"a", "A", "velvet", "Velvet", "mi", "lib.dll"};
    static const QStringList suffixes{".mi", ".MI", ".mix", ".fti", ".mel", ".dll", "", ".mi.bak"};
    QRandomGenerator random(seed);
    QStringList folders{root};
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString parent = folders.at(random.bounded(int(folders.size())));
        const QString path = parent + QLatin1Char('/') + stems.at(random.bounded(int(stems.size())))
                             + suffixes.at(random.bounded(int(suffixes.size())));
        if (QFileInfo(path).exists() || QFileInfo(path).isSymLink())
            continue;
        const int kind = random.bounded(20);
        if (kind < 11) {
            writeBytes(path, "x");
            files << path;
        } else if (kind < 16) {
            QDir().mkdir(path);
            folders << path;
        } else if (kind < 18) {
            QFile::link(folders.at(random.bounded(int(folders.size()))), path);
        } else if (kind < 19 && !files.isEmpty()) {
            QFile::link(files.at(random.bounded(int(files.size()))), path);
        } else {
            QFile::link(parent + QStringLiteral("/nothing"), path);
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
    void oneWalkAsEachRowAlone_data();
    void oneWalkAsEachRowAlone();
    void cycleEnds_data();
    void cycleEnds();
    void namesNotUtf8_data();
    void namesNotUtf8();
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
#ifndef Q_OS_WIN // no FIFOs or devices there, and QFile::link makes a shortcut
    QTest::newRow("link to a FIFO") << QStringList{"p|", "a.mi@p"} << "mi" << "";
    QTest::newRow("link to a device") << QStringList{"a.mi@/dev/zero"} << "mi" << "";
    QTest::newRow("link to a file") << QStringList{"f", "a.mi@f"} << "mi" << "a.mi";
#endif
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
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shortcut here, no link the file system follows");
#endif
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
#ifdef Q_OS_WIN
    QSKIP("names equal but for case are one file here");
#endif
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

void TestFileSearch::oneWalkAsEachRowAlone_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("entries");
    for (quint32 seed = 1; seed <= 60; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed << int(5 + seed * 2);
}

void TestFileSearch::oneWalkAsEachRowAlone()
{
    QFETCH(quint32, seed);
    QFETCH(int, entries);
    Sandbox sandbox;
    const QString root = sandbox.path(QStringLiteral("shader"));
    QDir().mkdir(root);
    makeRandomTree(root, seed, entries);

    const QStringList extensions{"mi", "fti", "mel", "dll", "MI", "m", "", "mi", "bak", "tga"};
    const ShaderSearch search = ShaderSearch::run(extensions, root);
    QCOMPARE(search.files.size(), extensions.size());
    for (qsizetype i = 0; i < extensions.size(); ++i) {
        QSet<QString> visited;
        const QString alone = searchAlone(QLatin1Char('.') + extensions.at(i), root,
                                          QFileInfo(root).canonicalFilePath(), visited);
        QCOMPARE(QDir::fromNativeSeparators(search.files.at(i).path), alone);
        QCOMPARE(search.files.at(i).name, QFileInfo(alone).fileName());
    }
}

void TestFileSearch::cycleEnds_data()
{
    QTest::addColumn<int>("workingDepth"); // folders of 250 characters above the shader's
    QTest::newRow("short working folder") << 0;
    QTest::newRow("working folder over 4,096 characters") << 18;
}

void TestFileSearch::cycleEnds()
{
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shortcut here, no link the file system follows");
#endif
    QFETCH(int, workingDepth);
    Sandbox sandbox;
    const QString level(250, QLatin1Char('d'));
    // Only relative paths reach that deep: an absolute one is too long.
    for (int i = 0; i < workingDepth; ++i)
        QVERIFY(QDir().mkdir(level) && QDir::setCurrent(level));
    makeTree(QStringLiteral("shader"), {"z/last.mi"});
    QVERIFY(QFile::link(QStringLiteral("."), QStringLiteral("shader/self")));
    QVERIFY(QFile::link(QStringLiteral("../shader"), QStringLiteral("shader/again")));

    QString foundPath;
    QString foundName;
    const QString found = findShaderFile(QStringLiteral("mi"), QStringLiteral("shader"), foundPath, foundName);
    const QString missing = findShaderFile(QStringLiteral("fti"), QStringLiteral("shader"), foundPath, foundName);
    // Removed by relative paths too, before the temporary folder goes.
    bool removed = true;
    for (const char *entry : {"shader/self", "shader/again", "shader/z/last.mi"})
        removed = QFile::remove(QString::fromLatin1(entry)) && removed;
    removed = QDir().rmdir(QStringLiteral("shader/z")) && QDir().rmdir(QStringLiteral("shader")) && removed;
    for (int i = 0; i < workingDepth; ++i)
        QDir::setCurrent(QStringLiteral("..")) && QDir().rmdir(level);
    QVERIFY(removed);
    QCOMPARE(QDir::fromNativeSeparators(found), QStringLiteral("shader/z/last.mi"));
    QVERIFY(missing.isEmpty());
}

void TestFileSearch::namesNotUtf8_data()
{
    QTest::addColumn<QByteArrayList>("tree"); // raw names; folders end in '/'
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("unreadable"); // what may be the .mel file instead

    QTest::newRow("a file") << QByteArrayList{"caf\xe9.mel"} << "" << "caf\uFFFD.mel";
    QTest::newRow("a folder may hold it") << QByteArrayList{"caf\xe9/"} << "" << "caf\uFFFD";
    QTest::newRow("another extension") << QByteArrayList{"caf\xe9.txt"} << "" << "";
    QTest::newRow("hidden") << QByteArrayList{".caf\xe9.mel"} << "" << "";
    QTest::newRow("a readable file wins")
        << QByteArrayList{"caf\xe9.mel", "z/", "z/velvet.mel"} << "z/velvet.mel" << "";
    QTest::newRow("name order") << QByteArrayList{"z\xe9.mel", "a\xe9.mel"} << "" << "a\uFFFD.mel";
    QTest::newRow("the first folder walked")
        << QByteArrayList{"a/", "a/\xe9.mel", "b\xe9.mel"} << "" << "b\uFFFD.mel";
}

// Qt cannot name them, so no file is taken from them; the row that finds
// nothing else says where one is.
void TestFileSearch::namesNotUtf8()
{
#ifdef Q_OS_UNIX
    QFETCH(QByteArrayList, tree);
    QFETCH(QString, found);
    QFETCH(QString, unreadable);
    Sandbox sandbox;
    const QString root = sandbox.path(QStringLiteral("shader"));
    QVERIFY(QDir().mkdir(root));
    for (const QByteArray &entry : tree) {
        const QByteArray path = QFile::encodeName(root) + '/' + entry;
        if (entry.endsWith('/')) {
            QVERIFY(::mkdir(path.constData(), 0700) == 0);
        } else {
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            QVERIFY(fd >= 0 && ::close(fd) == 0);
        }
    }
    const ShaderFile file = ShaderSearch::run({QStringLiteral("mel")}, root).files.first();
    QCOMPARE(file.path, found.isEmpty() ? found : root + QLatin1Char('/') + found);
    if (found.isEmpty())
        QCOMPARE(file.unreadable, unreadable.isEmpty() ? unreadable : root + QLatin1Char('/') + unreadable);
#else
    QSKIP("names are UTF-16 here");
#endif
}

QTEST_GUILESS_MAIN(TestFileSearch)
#include "tst_filesearch.moc"

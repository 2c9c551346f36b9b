#include "config/configuration.h"
#include "shadertab.h"
#include "uitestsupport.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestShadertab : public QObject
{
    Q_OBJECT

private slots:
    void typeCombo_data();
    void typeCombo();
    void fields_data();
    void fields();
    void malformedLines_data();
    void malformedLines();
    void noShaderTypeInstalls();
    void fullInstallation();
    void fileNamesAsPlainText();
    void rayrcWithoutMiEntry();
    void browse_data();
    void browse();
    void slotsByName();
    void keyboardAndNames();
};

namespace {
const QByteArray rayrc = "x\n\tlink \"base.so\"\ny\n\tmi \"base.mi\"\n";
const QString noParameters =
    QStringLiteral("Problème lors de l'installation : des paramètres ne sont pas donnés.");
const QString failed = QStringLiteral("Problème lors de l'installation");
const QString done = QStringLiteral("Installation effectuée");
const QString link = QStringLiteral("link \"v.so\"");
const QString mi = QStringLiteral("mi \"v.mi\"");

// A shader folder, one destination per row, a Mental Ray folder and the
// configuration pointing at them; fti and xpm are optional.
struct Tree
{
    const QStringList extensions = {"fti", "xpm", "mel", "mi", "dll"};
    const QList<bool> mandatory = {false, false, true, true, true};
    QString shaderDir;
    QString mrDir;
    QStringList destinations;

    Tree(const Sandbox &sandbox, const QByteArray &rayrcContent = rayrc)
        : shaderDir(sandbox.path(QStringLiteral("shader"))), mrDir(sandbox.path(QStringLiteral("mr")))
    {
        QDir().mkpath(shaderDir + QStringLiteral("/sub"));
        QDir().mkpath(mrDir);
        writeBytes(mrDir + QStringLiteral("/maya.rayrc"), rayrcContent);
        Configuration::mrPath = mrDir;
        Configuration::addShaderType();
        for (int n = 0; n < extensions.size(); ++n) {
            // The last file sits in a subfolder: it must land without it.
            writeBytes(shaderDir + (n == 4 ? "/sub/a." : "/a.") + extensions[n],
                       "content " + extensions[n].toUtf8());
            destinations.append(sandbox.path(QStringLiteral("dest_") + extensions[n]));
            QDir().mkpath(destinations[n]);
            Configuration::setShaderFileRow(0, n, extensions[n], destinations[n], mandatory[n]);
        }
    }

    QByteArray copied(int n) const
    {
        return readBytes(destinations[n] + QStringLiteral("/a.") + extensions[n]);
    }
};

template <typename T> T *child(const QWidget &parent, const char *name)
{
    T *widget = parent.findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

QString status(const ShaderTab &tab) { return child<QLabel>(tab, "statusLabel")->text(); }

void install(const ShaderTab &tab) { child<QPushButton>(tab, "installButton")->click(); }

void typeFields(const ShaderTab &tab, const QString &dir, const QString &link, const QString &mi)
{
    QTest::keyClicks(child<QLineEdit>(tab, "shaderDirEdit"), dir);
    QTest::keyClicks(child<QLineEdit>(tab, "linkEdit"), link);
    QTest::keyClicks(child<QLineEdit>(tab, "miEdit"), mi);
}
}

void TestShadertab::typeCombo_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("none") << QStringList();
    QTest::newRow("one") << QStringList({"Shader Mental Ray"});
    QTest::newRow("three") << QStringList({"b", "a", "c"});
}

void TestShadertab::typeCombo()
{
    QFETCH(QStringList, names);
    Sandbox sandbox;
    for (const QString &name : names) {
        Configuration::addShaderType();
        Configuration::shaderTypes.last().name = name;
    }
    ShaderTab tab;
    const auto *combo = child<QComboBox>(tab, "typeCombo");
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown.append(combo->itemText(i));
    QCOMPARE(shown, names);
    QVERIFY(!combo->isEnabled());
    QCOMPARE(status(tab), QStringLiteral("pas d'action"));
}

void TestShadertab::fields_data()
{
    // "@" stands for the real shader folder.
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("mi");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("boxes");
    QTest::newRow("no folder") << "" << link << mi << noParameters << 0;
    QTest::newRow("no link") << "@" << "" << mi << noParameters << 0;
    QTest::newRow("no mi") << "@" << link << "" << noParameters << 0;
    QTest::newRow("nothing") << "" << "" << "" << noParameters << 0;
    // Filled in, but not a line Mental Ray can read.
    QTest::newRow("blank link") << "@" << " " << mi << failed << 1;
    QTest::newRow("blank mi") << "@" << link << " " << failed << 1;
    // Nothing found under a blank folder: every row fails.
    QTest::newRow("blank folder") << " " << link << mi << failed << 5;
}

void TestShadertab::fields()
{
    QFETCH(QString, dir);
    QFETCH(QString, link);
    QFETCH(QString, mi);
    QFETCH(QString, expected);
    QFETCH(int, boxes);
    Sandbox sandbox;
    const Tree tree(sandbox);
    ShaderTab tab;
    typeFields(tab, dir == QLatin1String("@") ? tree.shaderDir : dir, link, mi);
    const QMap<QString, QByteArray> before = treeSnapshot(sandbox.path());

    ModalWatcher watcher;
    install(tab);
    QCOMPARE(status(tab), expected);
    QCOMPARE(watcher.boxes.size(), boxes);
    if (expected != done)
        QCOMPARE(treeSnapshot(sandbox.path()), before);
    else
        QCOMPARE(tree.copied(0), QByteArray("content fti"));
}

void TestShadertab::malformedLines_data()
{
    // The lines the box must show the expected form of; none: installed.
    QTest::addColumn<QString>("linkLine");
    QTest::addColumn<QString>("miLine");
    QTest::addColumn<QStringList>("wrong");
    const QStringList none, linkOnly{"link"}, miOnly{"mi"};
    QTest::newRow("blanks around") << "\t link \"v.so\" " << " mi \"v.mi\"\t" << none;
    QTest::newRow("quote after the word") << "link\"v.so\"" << mi << none;
    QTest::newRow("bare file name") << "velvet.so" << mi << linkOnly;
    QTest::newRow("word run on") << "linkv.so" << mi << linkOnly;
    QTest::newRow("mi line as link") << mi << mi << linkOnly;
    QTest::newRow("pasted line feed") << link + "\nlink \"w.so\"" << mi << linkOnly;
    QTest::newRow("carriage return") << link + "\r" << mi << linkOnly;
    QTest::newRow("bare mi file") << link << "velvet.mi" << miOnly;
    QTest::newRow("mi run on") << link << "mix" << miOnly;
    QTest::newRow("both wrong") << "v.so" << "v.mi" << QStringList{"link", "mi"};
}

void TestShadertab::malformedLines()
{
    QFETCH(QString, linkLine);
    QFETCH(QString, miLine);
    QFETCH(QStringList, wrong);
    Sandbox sandbox;
    const Tree tree(sandbox);
    ShaderTab tab;
    // Set as pasted: line breaks stay in the text.
    child<QLineEdit>(tab, "shaderDirEdit")->setText(tree.shaderDir);
    child<QLineEdit>(tab, "linkEdit")->setText(linkLine);
    child<QLineEdit>(tab, "miEdit")->setText(miLine);
    const QMap<QString, QByteArray> before = treeSnapshot(sandbox.path());

    ModalWatcher watcher;
    install(tab);
    QCOMPARE(status(tab), wrong.isEmpty() ? done : failed);
    QCOMPARE(treeSnapshot(sandbox.path()) == before, !wrong.isEmpty());
    QCOMPARE(watcher.boxes.size(), wrong.isEmpty() ? 0 : 1);
    for (const QString kind : {"link", "mi"})
        QCOMPARE(watcher.boxes.value(0).text.contains(kind + QStringLiteral(" \"{MAYA_LOCATION}")),
                 wrong.contains(kind));
}

void TestShadertab::noShaderTypeInstalls()
{
    Sandbox sandbox;
    ShaderTab tab;
    typeFields(tab, sandbox.path(), link, mi);
    ModalWatcher watcher;
    install(tab);
    // Nothing was installed, so the status must not claim it was.
    QCOMPARE(status(tab), failed);
    QVERIFY(watcher.boxes.isEmpty());
}

void TestShadertab::fullInstallation()
{
    Sandbox sandbox;
    const Tree tree(sandbox);
    ShaderTab tab;
    const QString link = QStringLiteral("link \"velvet.so\"");
    const QString mi = QStringLiteral("mi \"velvet.mi\"");
    typeFields(tab, tree.shaderDir, link, mi);
    const QString rayrcPath = tree.mrDir + QStringLiteral("/maya.rayrc");
    const QByteArray installed = "x\n\tlink \"velvet.so\"\n\tlink \"base.so\"\n"
                                 "y\n\tmi \"velvet.mi\"\n\tmi \"base.mi\"\n";

    // A typo in the mel row's folder: one box, the other files copied,
    // maya.rayrc left alone. Once mended, the install is finished.
    ModalWatcher watcher;
    Configuration::setShaderFileRow(0, 2, QStringLiteral("mel"), tree.destinations[2] + QStringLiteral("-typo"), true);
    install(tab);
    QCOMPARE(status(tab), failed);
    QCOMPARE(watcher.boxes.size(), 1);
    QCOMPARE(readBytes(rayrcPath), rayrc);
    Configuration::setShaderFileRow(0, 2, QStringLiteral("mel"), tree.destinations[2], true);
    watcher.boxes.clear();
    install(tab);
    QCOMPARE(status(tab), done);
    QVERIFY(watcher.boxes.isEmpty());
    for (int n = 0; n < tree.extensions.size(); ++n)
        QCOMPARE(tree.copied(n), "content " + tree.extensions[n].toUtf8());
    QVERIFY(!QFileInfo::exists(tree.destinations[4] + QStringLiteral("/sub")));
    QCOMPARE(readBytes(rayrcPath), installed);

    // Installed again: a success that writes nothing and shows no box.
    install(tab);
    QCOMPARE(status(tab), done);
    QVERIFY(watcher.boxes.isEmpty());
    QCOMPARE(readBytes(rayrcPath), installed);

    QCOMPARE(child<QLineEdit>(tab, "shaderDirEdit")->text(), tree.shaderDir);
    QCOMPARE(child<QLineEdit>(tab, "linkEdit")->text(), link);
    QCOMPARE(child<QLineEdit>(tab, "miEdit")->text(), mi);
}

void TestShadertab::fileNamesAsPlainText()
{
    // A file name that reads as markup must show as it is, in a box of the
    // dialog's own.
    Sandbox sandbox;
#ifdef Q_OS_WIN
    // No < or > in a file name there; entities are markup too.
    const QString name = QStringLiteral("x&lt;h1&gt;Installation effectuée&amp;.mel");
#else
    const QString name = QStringLiteral("x<h1>Installation effectuée<h1>.mel");
#endif
    QDir().mkdir(QStringLiteral("shader"));
    writeBytes(QStringLiteral("shader/") + name, "proc");
    ShaderType type;
    type.rows = {{QStringLiteral("mel"), sandbox.path(QStringLiteral("nowhere")), true}};
    Configuration::shaderTypes.append(type);
    QDialog dialog;
    auto *tab = new ShaderTab(&dialog);
    typeFields(*tab, sandbox.path(QStringLiteral("shader")), QStringLiteral("link \"a\""),
               QStringLiteral("mi \"a\""));
    ModalWatcher watcher;
    install(*tab);
    QCOMPARE(watcher.boxes.size(), 1);
    const SeenBox &box = watcher.boxes.first();
    QVERIFY2(box.text.endsWith(name), qPrintable(box.text));
    QVERIFY(box.details.contains(QDir::toNativeSeparators(sandbox.path(QStringLiteral("shader/")) + name)));
    QVERIFY(box.plain);
    QCOMPARE(box.parent, &dialog);
}

void TestShadertab::rayrcWithoutMiEntry()
{
    Sandbox sandbox;
    const QByteArray content = "x\n\tlink \"base.so\"\ny\n";
    const Tree tree(sandbox, content);
    ShaderTab tab;
    typeFields(tab, tree.shaderDir, QStringLiteral("link \"v.so\""), QStringLiteral("mi \"v.mi\""));

    ModalWatcher watcher;
    install(tab);
    QCOMPARE(status(tab), failed);
    QCOMPARE(watcher.boxes.size(), 1);
    QCOMPARE(watcher.boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(watcher.boxes[0].title, QStringLiteral("Erreur d'ecriture"));
    QCOMPARE(watcher.boxes[0].text, QStringLiteral("Erreur lors de l'écriture dans maya.rayrc"));
    QCOMPARE(readBytes(tree.mrDir + QStringLiteral("/maya.rayrc")), content);
}

void TestShadertab::browse_data()
{
    QTest::addColumn<bool>("choose");
    QTest::newRow("chosen") << true;
    QTest::newRow("cancelled") << false;
}

void TestShadertab::browse()
{
    QFETCH(bool, choose);
    Sandbox sandbox;
    const QString start = sandbox.path(QStringLiteral("start"));
    const QString chosen = sandbox.path(QStringLiteral("chosen"));
    QDir().mkpath(start);
    QDir().mkpath(chosen);
    setSettingsValue(QStringLiteral("shader"), start);
    // The neighbouring index must not be the one used.
    setSettingsValue(QStringLiteral("dll"), chosen);
    Configuration::load();
    QCOMPARE(Configuration::lastDirectories.size(), Configuration::LastDirectoryCount);

    ShaderTab tab;
    auto *edit = child<QLineEdit>(tab, "shaderDirEdit");
    QTest::keyClicks(edit, QStringLiteral("typed"));
    ModalWatcher watcher([&](const QString &) { return choose ? chosen : QString(); });
    child<QPushButton>(tab, "browseButton")->click();

    QCOMPARE(watcher.folderDialogStarts.size(), 1);
    QCOMPARE(watcher.folderDialogTitles, QStringList{QStringLiteral("Sélectionner un répertoire")});
    QCOMPARE(watcher.folderDialogDirsOnly, QList<bool>{true});
    QCOMPARE(QDir::cleanPath(watcher.folderDialogStarts[0]), QDir::cleanPath(start));
    const QString expected = choose ? chosen : start;
    QCOMPARE(QDir::cleanPath(edit->text()), choose ? QDir::cleanPath(chosen) : QStringLiteral("typed"));
    QCOMPARE(status(tab), choose ? QStringLiteral("Nouveau chemin de Shader") : QStringLiteral("pas d'action"));
    QCOMPARE(QDir::cleanPath(settingsValue(QStringLiteral("shader"))), QDir::cleanPath(expected));
    QCOMPARE(QDir::cleanPath(Configuration::lastDirectory(Configuration::ShaderDirectory)), QDir::cleanPath(expected));
    QCOMPARE(Configuration::lastDirectory(Configuration::ShaderDirectory - 1), chosen);
}

void TestShadertab::slotsByName()
{
    const QMetaObject &meta = ShaderTab::staticMetaObject;
    QStringList methods;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        methods.append(QString::fromLatin1(meta.method(i).methodSignature()));
    QCOMPARE(methods, QStringList({"installation(QString)", "FindShaderPath()", "installShader()"}));

    Sandbox sandbox;
    ShaderTab tab;
    QVERIFY(QMetaObject::invokeMethod(&tab, "installation", Q_ARG(QString, QStringLiteral("s"))));
    QCOMPARE(status(tab), QStringLiteral("s"));
    QVERIFY(QMetaObject::invokeMethod(&tab, "installShader"));
    QCOMPARE(status(tab), noParameters);
}

void TestShadertab::keyboardAndNames()
{
    Sandbox sandbox;
    Configuration::load();
    ShaderTab tab;
    const QStringList order{"shaderDirEdit", "browseButton", "linkEdit", "miEdit", "installButton"};
    for (int i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(nextTabStop(tab.findChild<QWidget *>(order.at(i)))->objectName(), order.at(i + 1));
    const QList<std::pair<const char *, const char *>> names{
        {"typeCombo", "Type de Shader"},
        {"shaderDirEdit", "Chemin de votre Shader"},
        {"linkEdit", "La ligne Link"},
        {"miEdit", "La ligne mi"}};
    for (const auto &[widget, name] : names)
        QCOMPARE(tab.findChild<QWidget *>(widget)->accessibleName(), QString::fromUtf8(name));
}

QTEST_MAIN(TestShadertab)
#include "tst_shadertab.moc"

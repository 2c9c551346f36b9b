#include "configtab.h"
#include "config/configuration.h"
#include "uitestsupport.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestConfigtab : public QObject
{
    Q_OBJECT

private slots:
    void showsConfiguration_data();
    void showsConfiguration();
    void pathEdit_data();
    void pathEdit();
    void rowEdits_data();
    void rowEdits();
    void missingRows_data();
    void missingRows();
    void browse_data();
    void browse();
    void choosingTheShownFolderStillStores();
    void saveAndRestart();
    void firstRunInstalls();
    void slotsByName();
    void keyboardAndNames();
    void saveRefused_data();
    void saveRefused();
};

namespace {
const QString initFile = QStringLiteral("init.txt");
const QByteArray header = "[MAYA_PATH]\n/maya\n[MR_PATH]\n/mr\n";
// The last extension is longer than an extension edit holds.
const QByteArray fullInit = header + "[Shader Mental Ray]\n5\nfti*/d/fti*n\nxpm*/d/xpm*o\n"
                                     "mel*/d/mel*n\nmi*/d/mi*o\ndllextension*/d/dll*o\n";

// A row's widget when n is given: its name ends in the row number.
template <typename T> T *child(const QWidget &parent, const QString &name, int n = -1)
{
    const QString full = n < 0 ? name : name + QString::number(n);
    T *widget = parent.findChild<T *>(full);
    if (!widget)
        qFatal("no child %s", qPrintable(full));
    return widget;
}

QLineEdit *edit(const QWidget &tab, const QString &name, int n = -1)
{
    return child<QLineEdit>(tab, name, n);
}

QStringList describeConfiguration()
{
    QStringList out = {Configuration::mayaPath, Configuration::mrPath};
    for (const ShaderType &type : std::as_const(Configuration::shaderTypes)) {
        out.append(type.name);
        for (const ShaderFileRow &row : type.rows)
            out.append(row.extension + '*' + row.path + '*' + (row.mandatory ? 'o' : 'n'));
    }
    out += Configuration::lastDirectories;
    return out;
}

void clearByKeyboard(QLineEdit *lineEdit)
{
    QTest::keyClick(lineEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(lineEdit, Qt::Key_Delete);
}

void loadInit(const QByteArray &content)
{
    writeBytes(initFile, content);
    Configuration::load();
}
}

void TestConfigtab::showsConfiguration_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("choice");
    QTest::newRow("optional") << 0 << "fti" << "/d/fti" << 0;
    QTest::newRow("mandatory") << 1 << "xpm" << "/d/xpm" << 1;
    QTest::newRow("third") << 2 << "mel" << "/d/mel" << 0;
    QTest::newRow("fourth") << 3 << "mi" << "/d/mi" << 1;
    QTest::newRow("long extension cut") << 4 << "dllexte" << "/d/dll" << 1;
}

void TestConfigtab::showsConfiguration()
{
    QFETCH(int, row);
    QFETCH(QString, extension);
    QFETCH(QString, destination);
    QFETCH(int, choice);
    Sandbox sandbox;
    loadInit(fullInit);
    // Rewriting the same bytes is a write too: an old date shows it.
    const QDateTime old(QDate(2001, 1, 1), QTime(0, 0));
    QFile file(initFile);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    const QMap<QString, QByteArray> files = treeSnapshot(sandbox.path());
    const QStringList configuration = describeConfiguration();

    const ConfigTab tab;
    QCOMPARE(edit(tab, "mayaPathEdit")->text(), QStringLiteral("/maya"));
    QCOMPARE(edit(tab, "mrPathEdit")->text(), QStringLiteral("/mr"));
    QCOMPARE(edit(tab, "extensionEdit", row)->text(), extension);
    QCOMPARE(edit(tab, "destinationEdit", row)->text(), destination);
    const auto *combo = child<QComboBox>(tab, "mandatoryCombo", row);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("non"));
    QCOMPARE(combo->itemText(1), QStringLiteral("oui"));
    QCOMPARE(combo->currentIndex(), choice);
    QVERIFY(!combo->isEditable());

    QCOMPARE(treeSnapshot(sandbox.path()), files);
    QCOMPARE(QFileInfo(initFile).lastModified(), old);
    QCOMPARE(describeConfiguration(), configuration);
}

void TestConfigtab::pathEdit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("initPresent");
    QTest::newRow("maya") << "mayaPathEdit" << 1 << true;
    QTest::newRow("mental ray") << "mrPathEdit" << 3 << true;
    QTest::newRow("maya without init.txt") << "mayaPathEdit" << 1 << false;
    QTest::newRow("mental ray without init.txt") << "mrPathEdit" << 3 << false;
}

void TestConfigtab::pathEdit()
{
    QFETCH(QString, name);
    QFETCH(int, line);
    QFETCH(bool, initPresent);
    Sandbox sandbox;
    if (initPresent)
        loadInit(fullInit);
    else
        Configuration::load();
    const ConfigTab tab;
    QLineEdit *lineEdit = edit(tab, name);
    const QString initial = lineEdit->text();
    // Without init.txt either edit makes one, down to its own line.
    QList<QByteArray> lines = initPresent ? fullInit.split('\n')
                              : line == 1 ? QList<QByteArray>{"[MAYA_PATH]", "", ""}
                                          : QList<QByteArray>{"[MAYA_PATH]", "", "[MR_PATH]", "", ""};
    const auto check = [&] {
        lines[line] = lineEdit->text().toUtf8();
        const QByteArray joined = lines.join('\n');
        // The file made anew ends its lines as the platform does.
        QCOMPARE(readBytes(initFile), initPresent ? joined : nativeEnds(joined));
    };

    for (const QChar c : QStringLiteral("/new dir")) {
        QTest::keyClicks(lineEdit, QString(c));
        check();
    }
    QCOMPARE(lineEdit->text(), initial + QStringLiteral("/new dir"));
    QCOMPARE(line == 1 ? Configuration::mayaPath : Configuration::mrPath, lineEdit->text());
    clearByKeyboard(lineEdit);
    QVERIFY(lineEdit->text().isEmpty());
    check();
}

void TestConfigtab::rowEdits_data()
{
    // Steps on a row (2 is "mel*/d/mel*n"): dest+ and ext+ type a letter,
    // destClear and extClear empty the edit, combo picks "oui" and comboUp
    // "non" by keyboard.
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("stored");
    const QString unchanged = QStringLiteral("mel*/d/mel*n");
    QTest::newRow("destination typed") << 2 << QStringList{"dest+"} << "mel*/d/melX*n";
    QTest::newRow("destination emptied") << 2 << QStringList{"destClear"} << unchanged;
    QTest::newRow("destination retyped") << 2 << QStringList{"destClear", "dest+"} << "mel*X*n";
    QTest::newRow("destination without extension") << 2 << QStringList{"extClear", "dest+"} << unchanged;
    QTest::newRow("extension typed") << 2 << QStringList{"ext+"} << "melX*/d/mel*n";
    QTest::newRow("extension without destination") << 2 << QStringList{"destClear", "ext+"} << unchanged;
    QTest::newRow("mandatory chosen") << 2 << QStringList{"combo"} << "mel*/d/mel*o";
    QTest::newRow("mandatory without destination") << 2 << QStringList{"destClear", "combo"} << unchanged;
    QTest::newRow("mandatory without extension") << 2 << QStringList{"extClear", "combo"} << unchanged;
    QTest::newRow("long extension kept")
        << 4 << QStringList{"comboUp"} << "dllextension*/d/dll*n";
}

void TestConfigtab::rowEdits()
{
    QFETCH(int, row);
    QFETCH(QStringList, steps);
    QFETCH(QString, stored);
    Sandbox sandbox;
    loadInit(fullInit);
    QStringList expected = describeConfiguration();
    const ConfigTab tab;
    QLineEdit *extension = edit(tab, "extensionEdit", row);
    QLineEdit *destination = edit(tab, "destinationEdit", row);
    auto *combo = child<QComboBox>(tab, "mandatoryCombo", row);

    for (const QString &step : std::as_const(steps)) {
        if (step == QLatin1String("dest+"))
            QTest::keyClicks(destination, QStringLiteral("X"));
        else if (step == QLatin1String("destClear"))
            clearByKeyboard(destination);
        else if (step == QLatin1String("ext+"))
            QTest::keyClicks(extension, QStringLiteral("X"));
        else if (step == QLatin1String("extClear"))
            clearByKeyboard(extension);
        else if (step == QLatin1String("combo"))
            QTest::keyClick(combo, Qt::Key_Down);
        else if (step == QLatin1String("comboUp"))
            QTest::keyClick(combo, Qt::Key_Up);
    }
    if (steps.contains(QLatin1String("combo")))
        QCOMPARE(combo->currentText(), QStringLiteral("oui"));

    // Name, mayaPath and mrPath come first, then the rows.
    expected[3 + row] = stored;
    QCOMPARE(describeConfiguration(), expected);
    QCOMPARE(readBytes(initFile), fullInit);
}

void TestConfigtab::missingRows_data()
{
    QTest::addColumn<QByteArray>("init");
    QTest::addColumn<int>("available");
    QTest::newRow("three rows") << header + "[Shader Mental Ray]\n3\nfti*/d/fti*n\nxpm*/d/xpm*o\n"
                                            "mel*/d/mel*n\n"
                                << 3;
    QTest::newRow("a type of no rows") << header + "[Shader Mental Ray]\n0\n\n" << 0;
}

void TestConfigtab::missingRows()
{
    QFETCH(QByteArray, init);
    QFETCH(int, available);
    Sandbox sandbox;
    loadInit(init);
    QCOMPARE(Configuration::shaderTypes.first().rows.size(), available);
    const QStringList configuration = describeConfiguration();
    ConfigTab tab;

    for (int n = 0; n < ConfigTab::rowCount; ++n) {
        for (const char *name : {"extensionEdit", "destinationEdit", "mandatoryCombo", "shaderPathButton"})
            QCOMPARE(child<QWidget>(tab, name, n)->isEnabled(), n < available);
        if (n >= available) {
            QVERIFY(edit(tab, "extensionEdit", n)->text().isEmpty());
            QVERIFY(edit(tab, "destinationEdit", n)->text().isEmpty());
            QCOMPARE(child<QComboBox>(tab, "mandatoryCombo", n)->currentText(), QStringLiteral("non"));
        }
    }
    // A row the configuration lacks takes nothing, even when asked directly.
    QVERIFY(QMetaObject::invokeMethod(&tab, "shaderPath4", Q_ARG(QString, QStringLiteral("/x"))));
    QCOMPARE(describeConfiguration(), configuration);
}

void TestConfigtab::browse_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("editName");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("choose");
    const QStringList rows = {"fti", "xpm", "mel", "mi", "dll"};
    for (const bool choose : {true, false}) {
        const char *how = choose ? "chosen" : "cancelled";
        QTest::addRow("maya %s", how) << "mayaPathButton" << "mayaPathEdit"
                                      << int(Configuration::MayaDirectory) << choose;
        QTest::addRow("mr %s", how) << "mrPathButton" << "mrPathEdit"
                                    << int(Configuration::MrDirectory) << choose;
        for (int n = 0; n < rows.size(); ++n)
            QTest::addRow("%s %s", qPrintable(rows[n]), how)
                << "shaderPathButton" + QString::number(n) << "destinationEdit" + QString::number(n)
                << Configuration::FirstRowDirectory + n << choose;
    }
}

void TestConfigtab::browse()
{
    QFETCH(QString, button);
    QFETCH(QString, editName);
    QFETCH(int, index);
    QFETCH(bool, choose);
    Sandbox sandbox;
    QStringList starts;
    for (const QString &key : Configuration::settingsKeys) {
        starts.append(sandbox.path(QStringLiteral("start_") + key));
        QDir().mkpath(starts.last());
        setSettingsValue(key, starts.last());
    }
    const QString chosen = sandbox.path(QStringLiteral("chosen"));
    QDir().mkpath(chosen);
    loadInit(fullInit);
    const QStringList configuration = describeConfiguration();

    const ConfigTab tab;
    QLineEdit *lineEdit = edit(tab, editName);
    const QString before = lineEdit->text();
    ModalWatcher watcher([&](const QString &) { return choose ? chosen : QString(); });
    child<QPushButton>(tab, button)->click();

    QCOMPARE(watcher.folderDialogStarts.size(), 1);
    QCOMPARE(watcher.folderDialogTitles, QStringList{QStringLiteral("Sélectionner un répertoire")});
    QCOMPARE(watcher.folderDialogDirsOnly, QList<bool>{true});
    QCOMPARE(QDir::cleanPath(watcher.folderDialogStarts[0]), QDir::cleanPath(starts[index]));
    if (choose) {
        QCOMPARE(QDir::cleanPath(lineEdit->text()), chosen);
        const QString held = index == Configuration::MayaDirectory ? Configuration::mayaPath
            : index == Configuration::MrDirectory
                ? Configuration::mrPath
                : Configuration::shaderTypes[0].rows[index - Configuration::FirstRowDirectory].path;
        QCOMPARE(QDir::cleanPath(held), chosen);
    } else {
        QCOMPARE(lineEdit->text(), before);
        QCOMPARE(describeConfiguration(), configuration);
    }
    for (int k = 0; k < starts.size(); ++k) {
        const QString expected = choose && k == index ? chosen : starts[k];
        QCOMPARE(QDir::cleanPath(settingsValue(Configuration::settingsKeys[k])), expected);
        QCOMPARE(QDir::cleanPath(Configuration::lastDirectory(k)), expected);
    }
}

void TestConfigtab::choosingTheShownFolderStillStores()
{
    // The edit already shows the folder, so its text does not change: the
    // choice must reach the configuration and init.txt all the same.
    Sandbox sandbox;
    const QString shown = sandbox.path(QStringLiteral("maya"));
    QDir().mkpath(shown);
    loadInit("[MAYA_PATH]\n" + shown.toUtf8() + "\n[MR_PATH]\n/r\n[A]\n0\n\n");
    const ConfigTab tab;
    writeBytes(QStringLiteral("init.txt"), "[MAYA_PATH]\n/edited by hand\n[MR_PATH]\n/r\n[A]\n0\n\n");
    Configuration::mayaPath = QStringLiteral("/elsewhere");
    ModalWatcher watcher([&](const QString &) { return shown; });
    child<QPushButton>(tab, "mayaPathButton")->click();
    QCOMPARE(QDir::cleanPath(Configuration::mayaPath), shown);
    QCOMPARE(readBytes(QStringLiteral("init.txt")),
             "[MAYA_PATH]\n" + Configuration::mayaPath.toUtf8() + "\n[MR_PATH]\n/r\n[A]\n0\n\n");
}

void TestConfigtab::saveAndRestart()
{
    Sandbox sandbox;
    loadInit(fullInit);
    {
        const ConfigTab tab;
        QFile::remove(initFile);
        const QList<QPair<const char *, const char *>> typed = {
            {"mayaPathEdit", "/maya2"}, {"mrPathEdit", "/mr2"}, {"destinationEdit3", "/d/three"}};
        for (const auto &[name, text] : typed) {
            clearByKeyboard(edit(tab, name));
            QTest::keyClicks(edit(tab, name), QString::fromLatin1(text));
        }
        QTest::keyClick(child<QComboBox>(tab, "mandatoryCombo0"), Qt::Key_Down);
        // An emptied destination stores nothing: the old path is saved.
        clearByKeyboard(edit(tab, "destinationEdit1"));
        child<QPushButton>(tab, "saveButton")->click();
    }
    QCOMPARE(readBytes(initFile),
             QByteArray("[MAYA_PATH]\n/maya2\n[MR_PATH]\n/mr2\n[Shader Mental Ray]\n5\n"
                        "fti*/d/fti*o\nxpm*/d/xpm*o\nmel*/d/mel*n\nmi*/d/three*o\n"
                        "dllextension*/d/dll*o\n"));

    const QStringList saved = describeConfiguration();
    Configuration::reset();
    Configuration::load();
    QCOMPARE(describeConfiguration(), saved);
    const ConfigTab tab;
    QCOMPARE(edit(tab, "mayaPathEdit")->text(), QStringLiteral("/maya2"));
    QCOMPARE(edit(tab, "mrPathEdit")->text(), QStringLiteral("/mr2"));
    QCOMPARE(edit(tab, "destinationEdit3")->text(), QStringLiteral("/d/three"));
    QCOMPARE(edit(tab, "destinationEdit1")->text(), QStringLiteral("/d/xpm"));
    QCOMPARE(child<QComboBox>(tab, "mandatoryCombo0")->currentText(), QStringLiteral("oui"));
}

void TestConfigtab::firstRunInstalls()
{
    // An empty folder, the Mental Ray field typed first: after a save and a
    // restart the configuration installs, and the user's maya.rayrc is kept.
    Sandbox sandbox;
    for (const char *folder : {"mr", "shader", "dest"})
        QDir().mkdir(QString::fromLatin1(folder));
    const QByteArray rayrc("\tlink \"base.so\";\n\tmi \"base.mi\";\n");
    writeBytes(QStringLiteral("mr/maya.rayrc"), rayrc);
    for (const char *ext : {"fti", "xpm", "mel", "mi", "dll"})
        writeBytes(QStringLiteral("shader/velvet.") + QLatin1String(ext), ext);
    Configuration::load();
    {
        ConfigTab tab;
        QTest::keyClicks(edit(tab, "mrPathEdit"), sandbox.path(QStringLiteral("mr")));
        QTest::keyClicks(edit(tab, "mayaPathEdit"), sandbox.path());
        for (int n = 0; n < ConfigTab::rowCount; ++n)
            edit(tab, "destinationEdit", n)->setText(sandbox.path(QStringLiteral("dest")));
        ModalWatcher watcher;
        child<QPushButton>(tab, "saveButton")->click();
        QVERIFY(watcher.boxes.isEmpty());
    }
    Configuration::reset();
    Configuration::load();
    QVERIFY(Configuration::installShaderType(sandbox.path(QStringLiteral("shader")),
                                             QStringLiteral("link \"velvet.so\";"),
                                             QStringLiteral("mi \"velvet.mi\";"), 0));
    QCOMPARE(QDir(QStringLiteral("dest")).entryList(QDir::Files).size(), 5);
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc") + QDate::currentDate().toString("yyyy_MM_dd")),
             rayrc);
}

void TestConfigtab::slotsByName()
{
    QStringList expected = {"mayaPath()", "mayaPath(QString)", "mrPath()", "mrPath(QString)"};
    for (const char *pattern : {"shaderPath%1()", "shaderPath%1(QString)", "shaderMandatory%1(QString)"})
        for (int n = 0; n < ConfigTab::rowCount; ++n)
            expected.append(QString::fromLatin1(pattern).arg(n));
    expected.append(QStringLiteral("saveShader()"));
    const QMetaObject &meta = ConfigTab::staticMetaObject;
    QStringList methods;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        methods.append(QString::fromLatin1(meta.method(i).methodSignature()));
    QCOMPARE(methods, expected);

    Sandbox sandbox;
    ConfigTab tab;
    QVERIFY(QMetaObject::invokeMethod(&tab, "mrPath", Q_ARG(QString, QStringLiteral("/r"))));
    QCOMPARE(Configuration::mrPath, QStringLiteral("/r"));
    bool saved = false;
    QVERIFY(QMetaObject::invokeMethod(&tab, "saveShader", Q_RETURN_ARG(bool, saved)));
    QVERIFY(saved);
    QCOMPARE(readBytes(initFile), nativeEnds("[MAYA_PATH]\n\n[MR_PATH]\n/r\n"));
}

void TestConfigtab::keyboardAndNames()
{
    Sandbox sandbox;
    Configuration::load();
    ConfigTab tab;
    QStringList order{"mayaPathEdit", "mayaPathButton", "mrPathEdit", "mrPathButton"};
    for (int n = 0; n < 5; ++n)
        order << QStringLiteral("extensionEdit%1").arg(n) << QStringLiteral("destinationEdit%1").arg(n)
              << QStringLiteral("shaderPathButton%1").arg(n) << QStringLiteral("mandatoryCombo%1").arg(n);
    order << QStringLiteral("saveButton");
    for (int i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(nextTabStop(tab.findChild<QWidget *>(order.at(i)))->objectName(), order.at(i + 1));

    QCOMPARE(tab.findChild<QWidget *>("mayaPathEdit")->accessibleName(), QStringLiteral("Chemin de Maya"));
    QCOMPARE(tab.findChild<QWidget *>("mrPathEdit")->accessibleName(),
             QStringLiteral("Chemin de Mental Ray"));
    // Each row's fields are told apart by their row number.
    QSet<QString> names;
    for (int n = 0; n < 5; ++n) {
        for (const char *prefix : {"extensionEdit", "destinationEdit", "mandatoryCombo"})
            names.insert(tab.findChild<QWidget *>(QString::fromLatin1(prefix) + QString::number(n))
                             ->accessibleName());
    }
    QCOMPARE(names.size(), 15);
    QVERIFY(!names.contains(QString()));
}

void TestConfigtab::saveRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("said");
    const QString lineBreak = QStringLiteral(" contient un retour à la ligne");
    const QString star = QStringLiteral(" contient un astérisque");
    const QString undecodable = QStringLiteral("l'encodage du système ne sait pas lire");
    QTest::newRow("LF") << fullInit << "mayaPathEdit" << "/a\n/b"
                        << "« Chemin de Maya »" + lineBreak;
    QTest::newRow("CR") << fullInit << "mrPathEdit" << "/a\r"
                        << "« Chemin de Mental Ray »" + lineBreak;
    QTest::newRow("lone surrogate") << fullInit << "mayaPathEdit" << QString(QChar(0xD800))
                                    << "« Chemin de Maya » contient un caractère que l'encodage";
    QTest::newRow("star in a destination") << fullInit << "destinationEdit2" << "/d*x"
                                           << "« Chemin 3 »" + star;
    QTest::newRow("star in an extension") << fullInit << "extensionEdit0" << "f*i"
                                          << "« Extension 1 »" + star;
    QTest::newRow("misspelt marker") << QByteArray("[MAYA_PATH]\n/m\n[MR PATH]\n/r\n") << ""
                                     << "" << "mal écrite";
#ifndef Q_OS_WIN // every byte is a character in Windows' ANSI code page
    QTest::newRow("Latin-1 folder") << QByteArray("[MAYA_PATH]\n/zo\xeb\n[MR_PATH]\n/r\n") << ""
                                    << "" << undecodable;
    QTest::newRow("Latin-1 in a skipped line") << QByteArray(header + "caf\xe9\n[A]\n0\n\n")
                                               << "" << "" << undecodable;
    QTest::newRow("UTF-8 cut at the end") << QByteArray(header + "[A]\n1\nmel*/\xc3") << ""
                                          << "" << undecodable;
#endif
}

// A value init.txt cannot hold is marked at once and never written; the save
// leaves the file as it was and says what it did not do, and why.
void TestConfigtab::saveRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, said);
    Sandbox sandbox;
    loadInit(content);
    const ConfigTab tab;
    if (!field.isEmpty()) {
        edit(tab, field)->setText(typed);
        QVERIFY(edit(tab, field)->toolTip().contains(said.mid(said.indexOf("contient"))));
    }
    ModalWatcher watcher;
    child<QPushButton>(tab, "saveButton")->click();
    QCOMPARE(watcher.boxes.size(), 1);
    QCOMPARE(watcher.boxes.first().icon, QMessageBox::Warning);
    QVERIFY2(watcher.boxes.first().text.contains(said), qPrintable(watcher.boxes.first().text));
    QCOMPARE(readBytes(initFile), content);
    if (!field.isEmpty()) {
        edit(tab, field)->setText(QStringLiteral("ok"));
        QVERIFY(!edit(tab, field)->toolTip().contains(QStringLiteral("contient")));
    }
}

QTEST_MAIN(TestConfigtab)
#include "tst_configtab.moc"

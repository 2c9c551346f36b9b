#include "config/configuration.h"
#include "files/filelock.h"
#include "install/receipt.h"
#include "install/upgradeplan.h"
#include "installedtab.h"
#include "i18n/translations.h"
#include "tabdialog.h"
#include "uitestsupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

#include <optional>

class TestTabdialog : public QObject
{
    Q_OBJECT

private slots:
    void tabsAndTitle();
    void buttonsAtBottomRight();
    void longTypeNameKeepsWidth();
    void execResult_data();
    void execResult();
    void credits_data();
    void credits();
    void typingCreditsWritesNothing();
    void enterOpensNoFolderDialog();
    void frenchLocale_data();
    void frenchLocale();
    void translation_data();
    void translation();
    void qtTranslation_data();
    void qtTranslation();
    void keyboard_data();
    void keyboard();
    void startsInFirstField();
    void installedStates_data();
    void installedStates();
    void installedActions_data();
    void installedActions();
};

namespace {
QStringList tabLabels(const TabDialog &dialog)
{
    QStringList labels;
    if (const auto *tabs = dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget")))
        for (int i = 0; i < tabs->count(); ++i)
            labels.append(tabs->tabText(i));
    return labels;
}

// The two closing buttons carry no object name: found by their label.
QPushButton *buttonLabelled(const TabDialog &dialog, const QString &label)
{
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    for (QPushButton *button : buttons)
        if (button->text() == label)
            return button;
    return nullptr;
}

QString buttonText(const TabDialog &dialog, const char *objectName)
{
    const auto *button = dialog.findChild<QPushButton *>(QString::fromLatin1(objectName));
    return button ? button->text() : QStringLiteral("<missing>");
}
}

void TestTabdialog::tabsAndTitle()
{
    Sandbox sandbox;
    TabDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Velkarinth"));
    QCOMPARE(tabLabels(dialog), QStringList({QStringLiteral("Shader"), QStringLiteral("Configuration"),
                                             QStringLiteral("Crédits"), QStringLiteral("Shaders installés")}));
    QCOMPARE(dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->currentIndex(), 0);
}

void TestTabdialog::buttonsAtBottomRight()
{
    Sandbox sandbox;
    TabDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(dialog.width() + 400, dialog.height());
    QTRY_VERIFY(dialog.width() > 400);

    QPushButton *ok = buttonLabelled(dialog, QStringLiteral("OK"));
    QPushButton *cancel = buttonLabelled(dialog, QStringLiteral("Cancel"));
    QVERIFY(ok);
    QVERIFY(cancel);
    const QRect okRect(ok->mapTo(&dialog, QPoint()), ok->size());
    const QRect cancelRect(cancel->mapTo(&dialog, QPoint()), cancel->size());
    const QWidget *tabs = dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    const int tabsBottom = tabs->mapTo(&dialog, QPoint(0, tabs->height())).y();

    // Side by side, packed against the right edge rather than spread out.
    QVERIFY(okRect.right() < cancelRect.left());
    QVERIFY(cancelRect.left() - okRect.right() < 20);
    QVERIFY(cancelRect.right() > dialog.width() - 30);
    QVERIFY(okRect.left() > dialog.width() / 2);
    QVERIFY(okRect.top() >= tabsBottom);
    QVERIFY(cancelRect.top() >= tabsBottom);
}

void TestTabdialog::longTypeNameKeepsWidth()
{
    Sandbox sandbox;
    Configuration::addShaderType();
    int widths[2];
    for (int i = 0; i < 2; ++i) {
        Configuration::shaderTypes[0].name = i == 0 ? QStringLiteral("Shader Mental Ray")
                                                    : QString(300, QLatin1Char('W'));
        TabDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        widths[i] = dialog.width();
        const auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("typeCombo"));
        QCOMPARE(combo->toolTip(), Configuration::shaderTypes[0].name);
    }
    QCOMPARE(widths[1], widths[0]);
}

void TestTabdialog::execResult_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("ok") << "OK" << 1;
    QTest::newRow("cancel") << "Cancel" << 0;
    QTest::newRow("escape") << "" << 0;
}

void TestTabdialog::execResult()
{
    QFETCH(QString, action);
    QFETCH(int, result);
    Sandbox sandbox;
    setSettingsValue(QStringLiteral("maya"), sandbox.path());
    Configuration::load();
    const QMap<QString, QByteArray> before = treeSnapshot(sandbox.path());

    TabDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        if (action.isEmpty())
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else if (QPushButton *button = buttonLabelled(dialog, action))
            button->click();
    });
    // A dialog that did not close must fail the test, not hang it.
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(-1); });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(treeSnapshot(sandbox.path()), before);
    QVERIFY(!QFile::exists(sandbox.path(QStringLiteral("init.txt"))));
}

void TestTabdialog::credits_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::newRow("release") << "Velkarinth V2.2";
    QTest::newRow("version") << "version 2.0";
    // The Qt the program runs on, not the macro the code is built with.
    QTest::newRow("qt") << QStringLiteral("QT %1 OpenSource")
                               .arg(QString::fromLatin1(qVersion()).section(QLatin1Char('.'), 0, 0));
    QTest::newRow("maya owner") << "Alias";
    QTest::newRow("mental ray owner") << "mental images";
}

void TestTabdialog::credits()
{
    QFETCH(QString, fragment);
    Sandbox sandbox;
    TabDialog dialog;
    const auto *text = dialog.findChild<QTextEdit *>(QStringLiteral("creditText"));
    QVERIFY(text);
    QVERIFY2(text->toPlainText().contains(fragment), qPrintable(text->toPlainText()));
    for (const char *link : {"http://velkarinth.example.org", "http://www.alias.com",
                             "http://www.mentalimages.com"})
        QVERIFY2(text->toHtml().contains(QStringLiteral("href=\"%1\"").arg(QLatin1String(link))),
                 link);
}

void TestTabdialog::typingCreditsWritesNothing()
{
    Sandbox sandbox;
    Configuration::load();
    TabDialog dialog;
    auto *text = dialog.findChild<QTextEdit *>(QStringLiteral("creditText"));
    QVERIFY(text);
    const QMap<QString, QByteArray> before = treeSnapshot(sandbox.path());
    QTest::keyClicks(text, QStringLiteral("abc"));
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(treeSnapshot(sandbox.path()), before);
}

void TestTabdialog::enterOpensNoFolderDialog()
{
    Sandbox sandbox;
    Configuration::load();
    TabDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ModalWatcher watcher;
    for (const char *field : {"shaderDirEdit", "linkEdit", "miEdit"}) {
        auto *edit = dialog.findChild<QWidget *>(QString::fromLatin1(field));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
    }
    dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
    auto *maya = dialog.findChild<QWidget *>(QStringLiteral("mayaPathEdit"));
    maya->setFocus();
    QTest::keyClick(maya, Qt::Key_Return);
    QTest::qWait(50);
    QVERIFY(watcher.folderDialogStarts.isEmpty());
}

void TestTabdialog::frenchLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("french");
    QTest::newRow("fr_FR") << "fr_FR" << true;
    QTest::newRow("fr_CA") << "fr_CA" << true;
    QTest::newRow("fr_BE") << "fr_BE" << true;
    QTest::newRow("fr_CH") << "fr_CH" << true;
    QTest::newRow("fr at the end") << "xx_fr" << true;
    QTest::newRow("FR_fr") << "FR_fr" << true;
    QTest::newRow("en_US") << "en_US" << false;
    QTest::newRow("de_DE") << "de_DE" << false;
    QTest::newRow("FR upper case") << "FR" << false;
    QTest::newRow("EN_FR upper case") << "EN_FR" << false;
    QTest::newRow("empty") << "" << false;
}

void TestTabdialog::frenchLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, french);
    QCOMPARE(isFrenchLocale(locale), french);
}

void TestTabdialog::translation_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("qmPresent");
    QTest::addColumn<bool>("english");
    QTest::newRow("english with file") << "en_US" << true << true;
    QTest::newRow("english without file") << "en_US" << false << false;
    QTest::newRow("french with file") << "fr_FR" << true << false;
}

void TestTabdialog::translation()
{
    QFETCH(QString, locale);
    QFETCH(bool, qmPresent);
    QFETCH(bool, english);
    Sandbox sandbox;
    if (qmPresent)
        QVERIFY(QFile::copy(QStringLiteral(VELKARINTH_QM_FILE),
                            sandbox.path(QStringLiteral("velkarinth_en.qm"))));

    // The translator uninstalls itself when destroyed, also on a failed check.
    const std::unique_ptr<QTranslator> translator = installTranslation(locale, {sandbox.path()});
    QCOMPARE(translator == nullptr, isFrenchLocale(locale));

    TabDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Velkarinth"));
    if (english) {
        QCOMPARE(tabLabels(dialog), QStringList({QStringLiteral("Shader"),
                                                 QStringLiteral("Configuration"),
                                                 QStringLiteral("Credits"),
                                                 QStringLiteral("Installed shaders")}));
        QCOMPARE(buttonText(dialog, "installButton"), QStringLiteral("Install the Shader"));
        QCOMPARE(buttonText(dialog, "saveButton"), QStringLiteral("Save"));
    } else {
        QCOMPARE(tabLabels(dialog), QStringList({QStringLiteral("Shader"),
                                                 QStringLiteral("Configuration"),
                                                 QStringLiteral("Crédits"),
                                                 QStringLiteral("Shaders installés")}));
        QCOMPARE(buttonText(dialog, "installButton"), QStringLiteral("Installer le Shader"));
        QCOMPARE(buttonText(dialog, "saveButton"), QStringLiteral("Sauvegarde"));
    }
    if (translator) {
        QCOMPARE(translator->isEmpty(), !qmPresent);
        QVERIFY(QCoreApplication::removeTranslator(translator.get()));
    }
}

void TestTabdialog::qtTranslation_data()
{
    // The velkarinth_en.qm in the folder, and what Qt's Cancel and the third tab then read.
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("credits");
    QTest::newRow("french") << "fr_FR" << "good" << "Annuler" << "Crédits";
    QTest::newRow("english") << "en_US" << "good" << "Cancel" << "Credits";
    QTest::newRow("german") << "de_DE" << "good" << "Abbrechen" << "Credits";
    // The interface stays French, and so do Qt's buttons.
    QTest::newRow("english without the file") << "en_US" << "none" << "Annuler" << "Crédits";
    QTest::newRow("english, file damaged") << "en_US" << "damaged" << "Annuler" << "Crédits";
}

void TestTabdialog::qtTranslation()
{
    QFETCH(QString, locale);
    QFETCH(QString, catalogue);
    QFETCH(QString, cancel);
    QFETCH(QString, credits);
    Sandbox sandbox;
    const QByteArray qm = readBytes(QStringLiteral(VELKARINTH_QM_FILE));
    if (catalogue != QLatin1String("none"))
        writeBytes(sandbox.path(QStringLiteral("velkarinth_en.qm")),
                   catalogue == QLatin1String("good") ? qm : qm.chopped(1));
    if (catalogue == QLatin1String("damaged"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^catalogue rejected")));
    const Translations translations = installTranslations(locale, {sandbox.path()});
    QVERIFY2(translations.qt, "Qt's catalogues are missing: install qt6-translations-l10n");
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).buttons().value(0)->text(), cancel);
    QCOMPARE(tabLabels(TabDialog()).value(2), credits);
}

void TestTabdialog::keyboard_data()
{
    // The widget with the focus (OK and Cancel by label), the key, and the
    // button it must press, if any.
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pressed");
    QTest::newRow("Return on the shader's ...") << "browseButton" << int(Qt::Key_Return) << "browseButton";
    QTest::newRow("Enter on the shader's ...") << "browseButton" << int(Qt::Key_Enter) << "browseButton";
    QTest::newRow("Return on install") << "installButton" << int(Qt::Key_Return) << "installButton";
    QTest::newRow("Return on Maya's ...") << "mayaPathButton" << int(Qt::Key_Return) << "mayaPathButton";
    QTest::newRow("Return on a row's ...") << "shaderPathButton2" << int(Qt::Key_Return) << "shaderPathButton2";
    QTest::newRow("Return on save") << "saveButton" << int(Qt::Key_Return) << "saveButton";
    QTest::newRow("Return on Cancel") << "Cancel" << int(Qt::Key_Return) << "Cancel";
    QTest::newRow("Tab in the credits") << "creditText" << int(Qt::Key_Tab) << "";
}

void TestTabdialog::keyboard()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, pressed);
    Sandbox sandbox;
    Configuration::load();
    TabDialog dialog;
    QStringList clicked;
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        const QString name = button->objectName().isEmpty() ? button->text() : button->objectName();
        connect(button, &QPushButton::clicked, &dialog, [&clicked, name] { clicked.append(name); });
    }
    QWidget *target = dialog.findChild<QWidget *>(focus);
    target = target ? target : buttonLabelled(dialog, focus);
    auto *tabs = dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(target))
            tabs->setCurrentIndex(i);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());

    ModalWatcher watcher;
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
    if (pressed.isEmpty())
        QVERIFY(!target->hasFocus());
}

void TestTabdialog::startsInFirstField()
{
    Sandbox sandbox;
    Configuration::load();
    TabDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("shaderDirEdit"));
}




namespace {
// A workspace of its own below root: a shader of two mandatory files going
// to dest/, a maya.rayrc of the user's in mr/, its init.txt.
void makeWorld(const QString &root)
{
    for (const char *folder : {"shader", "dest", "mr"})
        QDir(root).mkpath(QLatin1String(folder));
    writeBytes(root + QStringLiteral("/shader/a.mel"), "proc a");
    writeBytes(root + QStringLiteral("/shader/a.xpm"), "/* XPM */");
    writeBytes(root + QStringLiteral("/mr/maya.rayrc"), "# mine\n\tlink \"base.so\";\n\tmi \"base.mi\";\n");
    writeBytes(root + QStringLiteral("/init.txt"),
               QStringLiteral("[MAYA_PATH]\n%1\n[MR_PATH]\n%1/mr\n[Shader Mental Ray]\n2\nmel*%1/dest*o\nxpm*%1/dest*o\n")
                   .arg(root)
                   .toUtf8());
}

// velkarinth-cli, built beside the tests, run in root.
int cli(const QString &root, const QStringList &arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/velkarinth-cli"),
                  QStringList{QStringLiteral("-C"), root} + arguments);
    return process.waitForFinished(120000) ? process.exitCode() : -1;
}

// A story told alike in root: install, then what happened since.
void tell(const QString &root, const QString &story)
{
    const QStringList lines{QStringLiteral("--link"), QStringLiteral("link \"a.so\";"), QStringLiteral("--mi"),
                            QStringLiteral("mi \"a.mi\";")};
    if (story == QLatin1String("unfinished"))
        writeBytes(root + QStringLiteral("/dest/a.xpm"), "mine");
    cli(root, QStringList{QStringLiteral("install"), root + QStringLiteral("/shader")} + lines);
    if (story == QLatin1String("unfinished"))
        QFile::remove(root + QStringLiteral("/dest/a.xpm")); // out of the way now
    if (story == QLatin1String("changed"))
        writeBytes(root + QStringLiteral("/dest/a.mel"), "proc a, mine");
    if (story == QLatin1String("missing"))
        QFile::remove(root + QStringLiteral("/dest/a.xpm"));
    if (story == QLatin1String("outdated") || story == QLatin1String("upgraded") || story == QLatin1String("interrupted"))
        writeBytes(root + QStringLiteral("/shader/a.mel"), "proc a, version 2");
    if (story == QLatin1String("upgraded"))
        cli(root, {QStringLiteral("install"), QStringLiteral("--upgrade"), root + QStringLiteral("/shader")});
}

QStringList enabledActions(const InstalledTab &tab)
{
    QStringList enabled;
    for (const char *name : {"finishButton", "upgradeButton", "rollbackButton", "uninstallButton"}) {
        if (tab.findChild<QPushButton *>(QLatin1String(name))->isEnabled())
            enabled << QString::fromLatin1(name).chopped(6);
    }
    return enabled;
}

// Every file of the workspace but the program's own records, whose paths
// differ from one workspace to the other.
QMap<QString, QByteArray> workspace(const QString &root)
{
    QMap<QString, QByteArray> files;
    for (const char *folder : {"dest", "mr", "shader"}) {
        const QMap<QString, QByteArray> below = treeSnapshot(root + QLatin1Char('/') + QLatin1String(folder));
        for (auto file = below.cbegin(); file != below.cend(); ++file) {
            if (!file.key().contains(QLatin1String("maya.rayrc2"))) // the dated copies
                files.insert(QLatin1String(folder) + QLatin1Char('/') + file.key(), file.value());
        }
    }
    return files;
}
}

void TestTabdialog::installedStates_data()
{
    // Each state as the list and status say it, and what can be done.
    QTest::addColumn<QString>("story");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("installed") << "installed" << "installé" << QStringList{"uninstall"};
    QTest::newRow("unfinished") << "unfinished" << "inachevé" << QStringList{"finish", "uninstall"};
    QTest::newRow("changed") << "changed" << "modifié" << QStringList{"uninstall"};
    QTest::newRow("missing") << "missing" << "fichiers manquants" << QStringList{"finish", "uninstall"};
    QTest::newRow("outdated") << "outdated" << "version plus récente disponible" << QStringList{"upgrade", "uninstall"};
    QTest::newRow("upgraded") << "upgraded" << "installé" << QStringList{"rollback", "uninstall"};
    QTest::newRow("upgrade under way") << "interrupted" << "mise à jour interrompue" << QStringList();
}

void TestTabdialog::installedStates()
{
    QFETCH(QString, story);
    QFETCH(QString, words);
    QFETCH(QStringList, enabled);
    Sandbox sandbox;
    makeWorld(sandbox.path());
    tell(sandbox.path(), story);
    Configuration::load(false);
    std::optional<FileLock> live;
    if (story == QLatin1String("interrupted")) {
        // A run that is still at it: its journal, and the receipt's lock.
        UpgradePlan::deathHook() = [](const char *phase) { return qstrcmp(phase, "swapping") == 0; };
        UpgradePlan plan = UpgradePlan::upgrade(Configuration::shaderTypes.at(0).rows, sandbox.path(QStringLiteral("shader")),
                                                Configuration::mrPath, {}, {});
        QVERIFY(!plan.apply());
        UpgradePlan::deathHook() = {};
        FileLock::setTimeout(std::chrono::milliseconds(50));
        QVERIFY(live.emplace(plan.receiptPath).lock());
    }
    InstalledTab tab;
    tab.refresh();
    const auto *list = tab.findChild<QListWidget *>(QStringLiteral("installedList"));
    QCOMPARE(list->count(), 1);
    QVERIFY2(list->item(0)->text().endsWith(QStringLiteral(" : ") + words), qPrintable(list->item(0)->text()));
    QCOMPARE(enabledActions(tab), enabled);
    // The details name every copy whole.
    const QString details = tab.findChild<QPlainTextEdit *>(QStringLiteral("detailsView"))->toPlainText();
    QVERIFY(details.contains(QDir::toNativeSeparators(sandbox.path(QStringLiteral("dest/a.mel")))));
    QCOMPARE(details.contains(QStringLiteral("link \"a.so\"; (présente)")), story != QLatin1String("unfinished"));
    // The command line says the same: intact or not.
    QCOMPARE(cli(sandbox.path(), {QStringLiteral("status"), sandbox.path(QStringLiteral("shader"))}) == 0,
             story == QLatin1String("installed") || story == QLatin1String("upgraded"));
}

void TestTabdialog::installedActions_data()
{
    // Each action first asked about, then cancelled (nothing written), then
    // done: the workspace as the command line's same action leaves its twin.
    QTest::addColumn<QString>("story");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("twin");
    QTest::addColumn<QString>("planned"); // a line of the confirmation
    QTest::newRow("finish") << "unfinished" << "finishButton"
                            << QStringList{"install", "--link", "link \"a.so\";", "--mi", "mi \"a.mi\";"} << "a.xpm";
    QTest::newRow("upgrade") << "outdated" << "upgradeButton" << QStringList{"install", "--upgrade"}
                             << "a.mel : remplacé par l'autre version";
    QTest::newRow("rollback") << "upgraded" << "rollbackButton" << QStringList{"rollback"}
                              << "a.mel : remplacé par l'autre version";
    QTest::newRow("uninstall") << "installed" << "uninstallButton" << QStringList{"uninstall"} << "ligne 2 : à retirer";
}

void TestTabdialog::installedActions()
{
    QFETCH(QString, story);
    QFETCH(QString, button);
    QFETCH(QStringList, twin);
    QFETCH(QString, planned);
    Sandbox sandbox;
    const QString twinRoot = sandbox.path(QStringLiteral("twin"));
    makeWorld(sandbox.path());
    makeWorld(twinRoot);
    tell(sandbox.path(), story);
    tell(twinRoot, story);
    twin.insert(1, twinRoot + QStringLiteral("/shader"));
    Configuration::load(false);
    InstalledTab tab;
    tab.refresh();
    auto *action = tab.findChild<QPushButton *>(button);
    QVERIFY(action->isEnabled());
    const auto before = workspace(sandbox.path());
    {
        ModalWatcher watcher;
        watcher.pressing = QStringLiteral("Annuler");
        action->click();
        QCOMPARE(watcher.boxes.size(), 1);
        QVERIFY(watcher.boxes.first().plain);
        QVERIFY2(watcher.boxes.first().details.contains(planned), qPrintable(watcher.boxes.first().details));
    }
    QCOMPARE(workspace(sandbox.path()), before);
    {
        ModalWatcher watcher;
        watcher.pressing = action->text();
        action->click();
        QCOMPARE(watcher.boxes.size(), 1); // the question alone: no failure
    }
    QCOMPARE(cli(twinRoot, twin), 0);
    QVERIFY(workspace(sandbox.path()) != before);
    QCOMPARE(workspace(sandbox.path()), workspace(twinRoot));
}

QTEST_MAIN(TestTabdialog)
#include "tst_tabdialog.moc"

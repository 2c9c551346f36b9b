#include "config/configuration.h"
#include "install/installplan.h"
#include "files/filerewrite.h"
#include "install/receipt.h"
#include "testsupport.h"

#include <QDir>
#include <QTranslator>
#include <QtTest>

namespace {
const QByteArray rayrc("x\n\tlink \"base.so\"\n\tmi \"base.mi\"\n");
const QByteArray updatedRayrc("x\n\tLNK\n\tlink \"base.so\"\n\tMI\n\tmi \"base.mi\"\n");
const QString copyTitle = QStringLiteral("Erreur de copie de fichier");
const QString copyText = QStringLiteral("Erreur lors de la copie du fichier : ");
const QString optionalText = QStringLiteral("\n Fichier non obligatoire");

// "ext:destination:o" for a mandatory row, "ext:destination:n" for an optional one.
ShaderType shaderType(const QStringList &rows, const QString &root)
{
    ShaderType type;
    type.rows.clear();
    for (const QString &row : rows) {
        const QStringList parts = row.split(QLatin1Char(':'));
        type.rows.append({parts.at(0),
                          parts.at(1).isEmpty() ? QString() : root + QLatin1Char('/') + parts.at(1),
                          parts.at(2) == QLatin1String("o")});
    }
    return type;
}

// What each step of a plan does, or did once applied: the rows' outcomes, then
// maya.rayrc's with the lines its entries go above.
QStringList outcomes(const InstallPlan &plan)
{
    QStringList out;
    for (const CopyStep &step : plan.copies)
        out << step.key();
    if (!plan.applied || plan.reachesRayrc())
        out << QStringLiteral("%1 %2 %3").arg(plan.rayrc.key()).arg(plan.rayrc.linkLine).arg(plan.rayrc.miLine);
    return out;
}

// Failures written as "critical|warning: file name".
QStringList describe(const QList<Report> &boxes)
{
    QStringList out;
    for (const Report &box : boxes) {
        const QString &kind = box.kind;
        if (box.title == QStringLiteral("Erreur d'ecriture")
            && box.text == QStringLiteral("Erreur lors de l'écriture dans maya.rayrc")) {
            out << kind + QStringLiteral(": rayrc");
        } else if (box.title == copyTitle && box.text.startsWith(copyText)) {
            QString name = box.text.mid(copyText.size());
            if (box.kind == QLatin1String("warning")) {
                if (!name.endsWith(optionalText))
                    name += QStringLiteral(" (optional text missing)");
                name.chop(optionalText.size());
            }
            out << kind + QStringLiteral(": ") + name;
        } else {
            out << kind + QStringLiteral(": unexpected ") + box.title + QLatin1Char('/') + box.text;
        }
    }
    return out;
}
}

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
    void installingAgain_data();
    void installingAgain();
    void failureDetails_data();
    void failureDetails();
    void noShaderType();
    void laterRowsSeeEarlierCopies_data();
    void laterRowsSeeEarlierCopies();
};

void TestInstall::outcome_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("existing");   // files already in a destination
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<bool>("rayrcUpdated");

    const QStringList all{"fti:icons:n", "xpm:icons:n", "mel:scripts:o", "mi:include:o", "dll:lib:o"};
    QTest::newRow("everything copied")
        << all << QStringList() << true << QStringList()
        << QStringList{"icons/velvet.fti", "icons/velvet.xpm", "scripts/velvet.mel",
                       "include/velvet.mi", "lib/velvet.dll"}
        << true;
    QTest::newRow("optional file already there")
        << all << QStringList{"icons/velvet.xpm"} << true << QStringList{"warning: velvet.xpm"}
        << QStringList{"icons/velvet.fti", "scripts/velvet.mel", "include/velvet.mi",
                       "lib/velvet.dll"}
        << true;
    QTest::newRow("mandatory file already there, later rows still copied")
        << all << QStringList{"scripts/velvet.mel"} << false
        << QStringList{"critical: velvet.mel"}
        << QStringList{"icons/velvet.fti", "icons/velvet.xpm", "include/velvet.mi",
                       "lib/velvet.dll"}
        << false;
    QTest::newRow("missing destination folder")
        << QStringList{"mi:nowhere:o", "mel:scripts:o"} << QStringList() << false
        << QStringList{"critical: velvet.mi"} << QStringList{"scripts/velvet.mel"} << false;
    QTest::newRow("destination is a file")
        << QStringList{"mel:blocker:o"} << QStringList{"blocker"} << false
        << QStringList{"critical: velvet.mel"} << QStringList() << false;
    QTest::newRow("optional file not found still fails")
        << QStringList{"png:icons:n", "mel:scripts:o"} << QStringList() << false
        << QStringList{"warning: "} << QStringList{"scripts/velvet.mel"} << false;
    QTest::newRow("mandatory file not found")
        << QStringList{"tga:icons:o"} << QStringList() << false << QStringList{"critical: "}
        << QStringList() << false;
    QTest::newRow("empty extension") << QStringList{":icons:o"} << QStringList() << false
                                     << QStringList{"critical: "} << QStringList() << false;
    QTest::newRow("no rows") << QStringList() << QStringList() << true << QStringList()
                             << QStringList() << true;
    // An empty destination would mean the root of the disk.
    QTest::newRow("empty destination") << QStringList{"mel::o", "fti::n"} << QStringList() << false
                                       << QStringList{"critical: velvet.mel", "warning: velvet.fti"}
                                       << QStringList() << false;
}

void TestInstall::outcome()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, existing);
    QFETCH(bool, result);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, copied);
    QFETCH(bool, rayrcUpdated);

    Sandbox sandbox;
    const QString root = sandbox.path();
    QDir dir;
    for (const char *folder : {"shader/lib", "icons", "scripts", "include", "lib", "mr"})
        dir.mkpath(QString::fromLatin1(folder));
    for (const char *file : {"velvet.fti", "velvet.xpm", "velvet.mel", "velvet.mi", "lib/velvet.dll"})
        writeBytes(QStringLiteral("shader/") + QString::fromLatin1(file), file);
    for (const QString &file : existing)
        writeBytes(file, "old");
    writeBytes(QStringLiteral("mr/maya.rayrc"), rayrc);
    Configuration::mrPath = sandbox.path(QStringLiteral("mr"));
    Configuration::shaderTypes.append(shaderType(rows, root));

    // The preview is the plan alone: applied to unchanged files, every step
    // does what it said it would.
    const InstallPlan preview = InstallPlan::make(Configuration::shaderTypes.first().rows,
                                                  sandbox.path(QStringLiteral("shader")),
                                                  Configuration::mrPath, QStringLiteral("LNK"),
                                                  QStringLiteral("MI"));
    QCOMPARE(preview.succeeds(), result);
    InstallPlan plan = preview;
    RecordingReporter reporter;
    QCOMPARE(plan.apply(reporter), result);
    QCOMPARE(describe(reporter.failures), boxes);
    QStringList planned = outcomes(preview);
    if (!plan.reachesRayrc())
        planned.removeLast();
    QCOMPARE(outcomes(plan), planned);
    for (const QString &file : copied)
        QCOMPARE(readBytes(file), QFileInfo(file).fileName() == QLatin1String("velvet.dll")
                                      ? QByteArray("lib/velvet.dll")
                                      : QFileInfo(file).fileName().toUtf8());
    for (const QString &file : existing)
        QCOMPARE(readBytes(file), QByteArray("old"));
    QVERIFY(!dir.exists(QStringLiteral("nowhere")));
    QVERIFY(!dir.exists(QStringLiteral("lib/lib")));
    QCOMPARE(readBytes(QStringLiteral("mr/maya.rayrc")), rayrcUpdated ? updatedRayrc : rayrc);
}

void TestInstall::installingAgain_data()
{
    QTest::addColumn<QString>("change"); // what happens between two installs
    QTest::addColumn<QString>("key");    // the mel row's outcome the second time
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("after"); // maya.rayrc after the second install
    const QByteArray once = updatedRayrc;
    QTest::newRow("installed to its end: nothing written") << "" << "installed" << QStringList() << once;
    QTest::newRow("copy gone: copied again, one receipt entry") << "rm copy" << "copy" << QStringList() << once;
    QTest::newRow("copy edited: kept") << "edit copy" << "already-there" << QStringList{"critical: a.mel"} << once;
    QTest::newRow("an edit that keeps the size: kept")
        << "edit copy, same size" << "already-there" << QStringList{"critical: a.mel"} << once;
    QTest::newRow("source changed since: kept") << "edit source" << "outdated" << QStringList{"critical: a.mel"}
                                                << once;
    QTest::newRow("a user's identical file, never receipted: kept")
        << "rm receipt" << "already-there" << QStringList{"critical: a.mel"} << once;
    QTest::newRow("link line gone: written again") << "rm link" << "installed" << QStringList() << once;
    QTest::newRow("mi line gone: written again") << "rm mi" << "installed" << QStringList() << once;
    QTest::newRow("a file of the user's put there as the copy is named: kept")
        << "appears" << "copy" << QStringList{"critical: a.mel"} << once;
    QTest::newRow("other lines: written beside") << "other lines" << "installed" << QStringList()
                                                 << QByteArray("x\n\tLNK\n\tL2\n\tlink \"base.so\"\n\tMI\n\tM2\n\tmi \"base.mi\"\n");
}

void TestInstall::installingAgain()
{
    QFETCH(QString, change);
    QFETCH(QString, key);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, after);
    Sandbox sandbox;
    QDir().mkpath(QStringLiteral("shader"));
    QDir().mkpath(QStringLiteral("mand"));
    QDir().mkpath(QStringLiteral("mr"));
    writeBytes(QStringLiteral("shader/a.mel"), "m");
    writeBytes(QStringLiteral("mr/maya.rayrc"), rayrc);
    Configuration::mrPath = sandbox.path(QStringLiteral("mr"));
    Configuration::shaderTypes.append(shaderType({"mel:mand:o"}, sandbox.path()));
    const QString shader = sandbox.path(QStringLiteral("shader"));
    RecordingReporter reporter;
    QVERIFY(Configuration::installShaderType(shader, QStringLiteral("LNK"), QStringLiteral("MI"), 0, &reporter));

    QString link = QStringLiteral("LNK");
    QString mi = QStringLiteral("MI");
    if (change == QLatin1String("rm copy") || change == QLatin1String("appears"))
        QVERIFY(QFile::remove(QStringLiteral("mand/a.mel")));
    else if (change.startsWith(QLatin1String("edit copy")))
        writeBytes(QStringLiteral("mand/a.mel"), change.endsWith(QLatin1String("size")) ? "n" : "m, edited");
    else if (change == QLatin1String("edit source"))
        writeBytes(QStringLiteral("shader/a.mel"), "m2");
    else if (change == QLatin1String("rm receipt"))
        QVERIFY(QDir(QStringLiteral("receipts")).removeRecursively());
    else if (change.startsWith(QLatin1String("rm ")) && change != QLatin1String("rm receipt"))
        writeBytes(QStringLiteral("mr/maya.rayrc"), QByteArray(updatedRayrc)
                                                        .replace(change == QLatin1String("rm mi") ? "\tMI\n" : "\tLNK\n", ""));
    else if (change == QLatin1String("other lines"))
        std::tie(link, mi) = std::make_pair(QStringLiteral("L2"), QStringLiteral("M2"));
    const QByteArray copy = readBytes(QStringLiteral("mand/a.mel"));
    const QString receiptPath = Receipt::pathFor(shader, sandbox.path(QStringLiteral("mr/maya.rayrc")));
    Receipt before;
    // Whatever is gone or changed, status never says intact.
    if (Receipt::read(receiptPath, before))
        QCOMPARE(ReceiptStatus::check(receiptPath, before).intact(),
                 change.isEmpty() || change == QLatin1String("edit source") || change == QLatin1String("other lines"));
    const auto unhook = qScopeGuard([] { copyHook() = {}; });
    if (change == QLatin1String("appears"))
        copyHook() = [](const QString &path) { writeBytes(path, "mine"); };

    InstallPlan plan = InstallPlan::make(Configuration::shaderTypes.first().rows, shader, Configuration::mrPath,
                                         link, mi);
    QCOMPARE(plan.copies.first().key(), key);
    const bool ok = boxes.isEmpty();
    QCOMPARE(plan.succeeds(), ok || change == QLatin1String("appears"));
    QCOMPARE(plan.apply(reporter), ok);
    QCOMPARE(describe(reporter.failures), boxes);
    QCOMPARE(plan.changed(), !change.isEmpty() && ok);
    QCOMPARE(readBytes(QStringLiteral("mr/maya.rayrc")), after);
    if (key != QLatin1String("copy"))
        QCOMPARE(readBytes(QStringLiteral("mand/a.mel")), copy);
    if (change == QLatin1String("appears"))
        QCOMPARE(readBytes(QStringLiteral("mand/a.mel")), QByteArray("mine"));
    // The receipt names the copy once, and the lines once each.
    Receipt receipt;
    QCOMPARE(Receipt::read(receiptPath, receipt), change != QLatin1String("rm receipt"));
    if (change != QLatin1String("rm receipt")) {
        QCOMPARE(receipt.files.size(), change == QLatin1String("appears") ? 0 : 1);
        QCOMPARE(receipt.lines.size(), link == QLatin1String("LNK") ? 2 : 4);
    }

    if (!change.isEmpty())
        return;
    // A maya.rayrc without entries: the write error box, and the file as it was.
    writeBytes(QStringLiteral("mr/maya.rayrc"), "nothing here\n");
    Configuration::shaderTypes.first().rows.clear();
    reporter.failures.clear();
    QVERIFY(!Configuration::installShaderType(shader, QStringLiteral("L"), QStringLiteral("M"), 0, &reporter));
    QCOMPARE(describe(reporter.failures), QStringList{"critical: rayrc"});
    QCOMPARE(readBytes(QStringLiteral("mr/maya.rayrc")), QByteArray("nothing here\n"));
}

void TestInstall::failureDetails_data()
{
    // One row "ext:destination:o"; the details must give the reason and,
    // with @ for the sandbox, the paths.
    QTest::addColumn<QString>("row");
    QTest::addColumn<QByteArray>("rayrcContent");
    QTest::addColumn<QStringList>("facts");

    const QByteArray good("\tlink\n\tmi\n");
    QTest::newRow("not found") << "tga:dest:o" << good
                               << QStringList{"No file with the extension \"tga\" was found below the shader folder @/shader.",
                                              "Extension: tga", "Shader file: (none)"};
    QTest::newRow("no destination") << "mel::o" << good
                                    << QStringList{"fill in the Configuration tab", "Destination: (none)"};
    QTest::newRow("no such folder") << "mel:nowhere:o" << good
                                    << QStringList{"The destination folder @/nowhere does not exist.",
                                                   "Shader file: @/shader/a.mel"};
    QTest::newRow("already there") << "mel:taken:o" << good
                                   << QStringList{"The file @/taken/a.mel already exists"};
    QTest::newRow("a folder ending in a separator") << "mel:taken/:o" << good
                                                    << QStringList{"The file @/taken/a.mel already exists"};
    QTest::newRow("rayrc without mi") << "mel:dest:o" << QByteArray("\tlink\n")
                                      << QStringList{"@/maya.rayrc has no \"mi\" line",
                                                     "Today's copy of maya.rayrc: @/maya.rayrc2"};
    QTest::newRow("rayrc missing") << "mel:dest:o" << QByteArray()
                                   << QStringList{"@/maya.rayrc is missing, unreadable or not a file."};
    // The day's first copy is another Mental Ray folder's: this file's is its own.
    QTest::newRow("second rayrc of the day") << "mel:dest:o" << QByteArray("\tlink\n")
                                             << QStringList{"Today's copy of maya.rayrc: @/maya.rayrc%1_"};
}

void TestInstall::failureDetails()
{
    QFETCH(QString, row);
    QFETCH(QByteArray, rayrcContent);
    QFETCH(QStringList, facts);
    Sandbox sandbox;
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(VELKARINTH_QM_FILE)));
    QCoreApplication::installTranslator(&english);
    for (const char *folder : {"shader", "dest", "taken"})
        QDir().mkpath(QString::fromLatin1(folder));
    writeBytes(QStringLiteral("shader/a.mel"), "proc");
    writeBytes(QStringLiteral("taken/a.mel"), "old");
    if (!rayrcContent.isEmpty())
        writeBytes(QStringLiteral("maya.rayrc"), rayrcContent);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy_MM_dd"));
    if (QByteArray(QTest::currentDataTag()).startsWith("second")) {
        writeBytes(QStringLiteral("maya.rayrc") + today, "other");
        writeBytes(QStringLiteral("maya.rayrc") + today + QStringLiteral(".source"), "/other/maya.rayrc\n");
    }
    Configuration::mrPath = sandbox.path();
    Configuration::shaderTypes.append(shaderType({row}, sandbox.path()));

    RecordingReporter reporter;
    QVERIFY(!Configuration::installShaderType(sandbox.path(QStringLiteral("shader")),
                                              QStringLiteral("L"), QStringLiteral("M"), 0, &reporter));
    QCoreApplication::removeTranslator(&english);
    QCOMPARE(reporter.failures.size(), 1);
    for (QString fact : facts) {
        // Paths in the platform's own separators, whatever Qt gave.
        fact = QDir::toNativeSeparators(fact.replace(QLatin1Char('@'), sandbox.path()).replace(QStringLiteral("%1"), today));
        QVERIFY2(reporter.failures.first().details.contains(fact),
                 qPrintable(reporter.failures.first().details));
    }
}

void TestInstall::noShaderType()
{
    Sandbox sandbox;
    writeBytes(QStringLiteral("maya.rayrc"), rayrc);
    Configuration::mrPath = sandbox.path();
    // Nothing to install is no success, and nothing to show a box about.
    RecordingReporter reporter;
    QVERIFY(!Configuration::installShaderType(sandbox.path(), QStringLiteral("L"), QStringLiteral("M"), 0, &reporter));
    Configuration::addShaderType();
    QVERIFY(!Configuration::installShaderType(sandbox.path(), QStringLiteral("L"), QStringLiteral("M"), 1, &reporter));
    QVERIFY(!Configuration::installShaderType(sandbox.path(), QStringLiteral("L"), QStringLiteral("M"), -1, &reporter));
    QVERIFY(reporter.failures.isEmpty());
    QCOMPARE(readBytes(QStringLiteral("maya.rayrc")), rayrc);
}

void TestInstall::laterRowsSeeEarlierCopies_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("link"); // a link in the shader's folder to a destination
    QTest::addColumn<QStringList>("sources"); // each row's file once applied

    QTest::newRow("destination outside the shader's folder")
        << QStringList{"dll:icons:o", "dll:lib:o"} << QString()
        << QStringList{"shader/lib/velvet.dll", "shader/lib/velvet.dll"};
    QTest::newRow("destination is the shader's folder")
        << QStringList{"dll:shader:o", "dll:lib:o"} << QString()
        << QStringList{"shader/lib/velvet.dll", "shader/velvet.dll"};
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no link the file system follows
    QTest::newRow("destination reached through a link in the shader's folder")
        << QStringList{"dll:icons:o", "dll:lib:o"} << "alink"
        << QStringList{"shader/lib/velvet.dll", "shader/alink/velvet.dll"};
#endif
}

void TestInstall::laterRowsSeeEarlierCopies()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, link);
    QFETCH(QStringList, sources);
    Sandbox sandbox;
    for (const char *folder : {"shader/lib", "icons", "lib"})
        QDir().mkpath(QString::fromLatin1(folder));
    writeBytes(QStringLiteral("shader/lib/velvet.dll"), "dll");
    if (!link.isEmpty())
        QVERIFY(QFile::link(sandbox.path(QStringLiteral("icons")), QStringLiteral("shader/") + link));
    writeBytes(QStringLiteral("maya.rayrc"), rayrc);

    InstallPlan plan = InstallPlan::make(shaderType(rows, sandbox.path()).rows,
                                         sandbox.path(QStringLiteral("shader")), sandbox.path(),
                                         QStringLiteral("L"), QStringLiteral("M"));
    RecordingReporter reporter;
    QVERIFY2(plan.apply(reporter), qPrintable(reporter.failures.isEmpty()
                                                  ? plan.rayrc.details()
                                                  : reporter.failures.first().details));
    QStringList found;
    for (const CopyStep &step : plan.copies)
        found << QDir(sandbox.path()).relativeFilePath(QDir::fromNativeSeparators(step.source));
    QCOMPARE(found, sources);
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"

// What only Windows does to a rewrite: a file open elsewhere cannot be
// replaced, a read-only attribute, an access list of the file's own, a
// loaded program file that can be renamed but not removed, paths past 260
// characters, and file names in UTF-16 while init.txt is in the ANSI code
// page.
#include "config/configuration.h"
#include "install/installplan.h"
#include "install/receipt.h"
#include "install/uninstallplan.h"
#include "install/upgradeplan.h"
#include "files/platform.h"
#include "files/textfile.h"
#include "rayrc/rayrcstep.h"
#include "rayrc/rayrcupdate.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

#include <aclapi.h>
#include <sddl.h>
#include <windows.h>

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void rewriteRefused_data();
    void rewriteRefused();
    void identityKept_data();
    void identityKept();
    void systemPaths_data();
    void systemPaths();
    void heldCopy_data();
    void heldCopy();
    void nonAsciiFolder_data();
    void nonAsciiFolder();
};

void TestWindows::rewriteRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("holder");
    for (const char *file : {"maya.rayrc", "init.txt", "a.mel"}) {
        for (const char *holder : {"open elsewhere", "open, nothing shared", "read-only"})
            QTest::addRow("%s %s", file, holder) << file << holder;
    }
}

void TestWindows::rewriteRefused()
{
    QFETCH(QString, file);
    QFETCH(QString, holder);
    Sandbox sandbox;
    const QByteArray before = file == QLatin1String("init.txt")
                                  ? QByteArray("[MAYA_PATH]\r\nC:\\maya\r\n[MR_PATH]\r\nC:\\mr\r\n")
                                  : QByteArray("\tlink l\r\n\tmi m\r\n");
    writeBytes(file, before);
    // An installed copy: its uninstall must see what Windows will refuse.
    const QVector<ShaderFileRow> rows{{QStringLiteral("mel"), sandbox.path(), true}};
    if (file == QLatin1String("a.mel")) {
        QVERIFY(QDir().mkpath(QStringLiteral("shader")));
        writeBytes(QStringLiteral("shader/a.mel"), before);
        QFile::remove(file);
        writeBytes(QStringLiteral("maya.rayrc"), "\tlink l\r\n\tmi m\r\n");
        InstallReporter quiet;
        InstallPlan install = InstallPlan::make(rows, sandbox.path(QStringLiteral("shader")), sandbox.path(),
                                                QStringLiteral("link a"), QStringLiteral("mi a"));
        QVERIFY(install.apply(quiet));
    }
    const auto rewrite = [&] {
        if (file == QLatin1String("a.mel")) {
            UninstallPlan plan = UninstallPlan::make(rows, sandbox.path(QStringLiteral("shader")), sandbox.path(), {}, {});
            const bool readOnly = plan.files.first().key() == QLatin1String("read-only");
            return plan.apply() && !readOnly;
        }
        if (file == QLatin1String("maya.rayrc"))
            return updateRayrcFile(sandbox.path(), QStringLiteral("L"), QStringLiteral("M")).outcome
                   == RayrcStep::Outcome::Update;
        Configuration::load(false);
        Configuration::mayaPath = QStringLiteral("D:\\maya");
        return Configuration::save().status == Configuration::SaveStatus::Saved;
    };

    // As another program holds it: reading, sharing read and write but not
    // delete, which a replacement needs.
    const std::wstring name = QDir::toNativeSeparators(sandbox.path(file)).toStdWString();
    HANDLE other = INVALID_HANDLE_VALUE;
    if (holder.startsWith(QLatin1String("open"))) {
        const DWORD sharing = holder == QLatin1String("open elsewhere") ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
        other = CreateFileW(name.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
        QVERIFY(other != INVALID_HANDLE_VALUE);
    } else {
        QVERIFY(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    const QStringList entries = QDir().entryList(QDir::Files);

    // A copy no one may read is said to be so, not changed.
    if (file == QLatin1String("a.mel")) {
        Receipt receipt;
        QVERIFY(Receipt::read(Receipt::all().value(0), receipt));
        QCOMPARE(ReceiptStatus::key(ReceiptStatus::check({}, receipt).files.value(0)),
                 QLatin1String(holder == QLatin1String("open, nothing shared") ? "unreadable" : "intact"));
    }
    QVERIFY(!rewrite());
    if (other != INVALID_HANDLE_VALUE)
        CloseHandle(other);
    else
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    QCOMPARE(readBytes(file), before);
    QCOMPARE(QDir().entryList(QDir::Files), entries); // no replacement left behind

    QVERIFY(rewrite());
    QVERIFY(readBytes(file) != before);
}

void TestWindows::identityKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("held"); // first open elsewhere, as a reader holds it
    QTest::newRow("second hard link") << "link" << false;
    QTest::newRow("hidden") << "hidden" << false;
    QTest::newRow("system") << "system" << false;
    QTest::newRow("second hard link, held") << "link" << true;
    QTest::newRow("hidden, held") << "hidden" << true;
    QTest::newRow("an access list of its own") << "access" << false;
    QTest::newRow("hidden, past 260 characters") << "long" << false;
}

// What a replacing rename would lose: the rewrite goes in place instead.
void TestWindows::identityKept()
{
    QFETCH(QString, kind);
    QFETCH(bool, held);
    Sandbox sandbox;
    const QString folder = kind == QLatin1String("long") ? sandbox.path(QString(4, u'/').replace(u'/', QString(70, u'd') + u'/'))
                                                         : sandbox.path();
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/maya.rayrc");
    writeBytes(path, "\tlink l\r\n\tmi m\r\n");
    const std::wstring name = systemPath(path).toStdWString();
    const std::wstring link = systemPath(sandbox.path(QStringLiteral("other"))).toStdWString();
    const DWORD attribute = kind == QLatin1String("system") ? FILE_ATTRIBUTE_SYSTEM : FILE_ATTRIBUTE_HIDDEN;
    if (kind == QLatin1String("link")) {
        QVERIFY(CreateHardLinkW(link.c_str(), name.c_str(), nullptr));
    } else if (kind == QLatin1String("access")) {
        // Everyone may write it, which no new file there gets.
        PSECURITY_DESCRIPTOR own = nullptr;
        BOOL present = FALSE;
        BOOL defaulted = FALSE;
        PACL acl = nullptr;
        QVERIFY(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &own, nullptr));
        QVERIFY(GetSecurityDescriptorDacl(own, &present, &acl, &defaulted));
        QCOMPARE(SetNamedSecurityInfoW(const_cast<wchar_t *>(name.c_str()), SE_FILE_OBJECT,
                                       DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                       nullptr, acl, nullptr),
                 DWORD(ERROR_SUCCESS));
        LocalFree(own);
    } else {
        QVERIFY(SetFileAttributesW(name.c_str(), attribute));
    }
    const QString access = fileIdentity(path).access;
    QVERIFY(!access.isEmpty());
    if (held) {
        // Refused as the rename road refuses it, and nothing written.
        const HANDLE reader = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(reader != INVALID_HANDLE_VALUE);
        const RayrcStep::Outcome outcome =
            updateRayrcFile(folder, QStringLiteral("L"), QStringLiteral("M")).outcome;
        CloseHandle(reader);
        QCOMPARE(outcome, RayrcStep::Outcome::WriteFailed);
        QCOMPARE(readBytes(path), QByteArray("\tlink l\r\n\tmi m\r\n"));
    }

    QCOMPARE(updateRayrcFile(folder, QStringLiteral("L"), QStringLiteral("M")).outcome, RayrcStep::Outcome::Update);
    const QByteArray after = readBytes(path);
    QCOMPARE(after, QByteArray("\tL\r\n\tlink l\r\n\tM\r\n\tmi m\r\n"));
    QCOMPARE(fileIdentity(path).access, access);
    if (kind == QLatin1String("link"))
        QCOMPARE(readBytes(QStringLiteral("other")), after);
    else if (kind != QLatin1String("access"))
        QVERIFY(GetFileAttributesW(name.c_str()) & attribute);
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void TestWindows::systemPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected"); // %1: the current folder
    QTest::newRow("drive") << "C:/maya/mr/maya.rayrc" << "\\\\?\\C:\\maya\\mr\\maya.rayrc";
    QTest::newRow("dots and doubled separators") << "C:\\maya\\..\\mr\\.\\\\maya.rayrc" << "\\\\?\\C:\\mr\\maya.rayrc";
    QTest::newRow("share") << "\\\\server\\maya\\mr\\maya.rayrc" << "\\\\?\\UNC\\server\\maya\\mr\\maya.rayrc";
    QTest::newRow("prefixed already") << "\\\\?\\C:\\mr\\maya.rayrc" << "\\\\?\\C:\\mr\\maya.rayrc";
    QTest::newRow("relative") << "mr/maya.rayrc" << "\\\\?\\%1\\mr\\maya.rayrc";
    QTest::newRow("past 260 characters") << "C:/" + QString(300, u'd') + "/maya.rayrc"
                                         << "\\\\?\\C:\\" + QString(300, u'd') + "\\maya.rayrc";
}

// What every call of the system's own is given: past 260 characters only
// the prefixed form reaches the file, on a drive or a share alike.
void TestWindows::systemPaths()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    Sandbox sandbox;
    QCOMPARE(systemPath(path), expected.arg(QDir::toNativeSeparators(QDir::currentPath())));
}

void TestWindows::heldCopy_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::newRow("open without delete sharing: nothing changes") << false;
    QTest::newRow("loaded by a running program: replaced, removed at restart") << true;
}

// An upgrade over an installed .dll a program holds: the version changes
// whole, or not at all.
void TestWindows::heldCopy()
{
    QFETCH(bool, loaded);
    Sandbox sandbox;
    // Two real libraries, so that the copy can be mapped as a program's: from
    // where Qt's own is.
    wchar_t qtCore[MAX_PATH];
    QVERIFY(GetModuleFileNameW(GetModuleHandleW(L"Qt6Core.dll"), qtCore, MAX_PATH) > 0);
    const QDir programs = QFileInfo(QString::fromWCharArray(qtCore)).dir();
    const QStringList libraries = programs.entryList({QStringLiteral("*.dll")}, QDir::Files, QDir::Size);
    QVERIFY(libraries.size() >= 2);
    QVERIFY(QDir().mkpath(QStringLiteral("shader")) && QDir().mkpath(QStringLiteral("lib"))
            && QDir().mkpath(QStringLiteral("mr")));
    writeBytes(QStringLiteral("mr/maya.rayrc"), "\tlink l\r\n\tmi m\r\n");
    const auto version = [&](int n) { return readBytes(programs.filePath(libraries.at(libraries.size() - n))); };
    writeBytes(QStringLiteral("shader/a.dll"), version(1));
    const QVector<ShaderFileRow> rows{{QStringLiteral("dll"), sandbox.path(QStringLiteral("lib")), true}};
    const auto upgrade = [&] {
        return UpgradePlan::upgrade(rows, sandbox.path(QStringLiteral("shader")), sandbox.path(QStringLiteral("mr")),
                                    QStringLiteral("link a"), QStringLiteral("mi a"));
    };
    InstallReporter quiet;
    InstallPlan install = InstallPlan::make(rows, sandbox.path(QStringLiteral("shader")), sandbox.path(QStringLiteral("mr")),
                                            QStringLiteral("link a"), QStringLiteral("mi a"));
    QVERIFY(install.apply(quiet));
    writeBytes(QStringLiteral("shader/a.dll"), version(2));

    const std::wstring name = QDir::toNativeSeparators(sandbox.path(QStringLiteral("lib/a.dll"))).toStdWString();
    HMODULE module = nullptr;
    HANDLE other = INVALID_HANDLE_VALUE;
    if (loaded)
        QVERIFY((module = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE)) != nullptr);
    else
        QVERIFY((other = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
                != INVALID_HANDLE_VALUE);
    UpgradePlan plan = upgrade();
    QCOMPARE(plan.apply(), loaded);
    // An old copy left behind is one the user is told about.
    const QStringList left = QDir(QStringLiteral("lib")).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QCOMPARE(plan.restartNeeded, left.size() > 1);
    QCOMPARE(readBytes(QStringLiteral("lib/a.dll")), version(loaded ? 2 : 1));
    if (module)
        FreeLibrary(module);
    if (other != INVALID_HANDLE_VALUE)
        CloseHandle(other);
    // Once let go, what is still to do is done.
    plan = upgrade();
    QVERIFY(plan.apply());
    QCOMPARE(readBytes(QStringLiteral("lib/a.dll")), version(2));
}

void TestWindows::nonAsciiFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("storable");
    QTest::newRow("in the code page") << QStringLiteral("Modèles d'été") << true;
    QTest::newRow("outside the code page") << QStringLiteral("Ωμέγα") << false;
}

// A folder's name is UTF-16 on disk and ANSI in init.txt: a name the code
// page holds round-trips and is found again; one it does not is refused.
void TestWindows::nonAsciiFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, storable);
    if (!storable && GetACP() == CP_UTF8)
        QSKIP("the ANSI code page is UTF-8 here: every name fits");
    Sandbox sandbox;
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/mr")));
    const QString mrDir = QDir::toNativeSeparators(sandbox.path(folder + QStringLiteral("/mr")));
    const QByteArray before("[MAYA_PATH]\r\nC:\\maya\r\n[MR_PATH]\r\nC:\\mr\r\n");
    writeBytes(QStringLiteral("init.txt"), before);
    writeBytes(folder + QStringLiteral("/mr/maya.rayrc"), "\tlink l\r\n\tmi m\r\n");

    Configuration::load(false);
    Configuration::mrPath = mrDir;
    QCOMPARE(Configuration::save().status == Configuration::SaveStatus::Saved, storable);
    if (!storable) {
        QCOMPARE(readBytes(QStringLiteral("init.txt")), before);
        return;
    }
    QVERIFY(readBytes(QStringLiteral("init.txt")).contains("\r\n" + local8Bit(mrDir) + "\r\n"));
    QVERIFY(!readBytes(QStringLiteral("init.txt")).contains(mrDir.toUtf8()));
    Configuration::reset();
    Configuration::load(false);
    QCOMPARE(Configuration::mrPath, mrDir);
    QCOMPARE(updateRayrcFile(Configuration::mrPath, QStringLiteral("L"), QStringLiteral("M")).outcome,
             RayrcStep::Outcome::Update);
    QCOMPARE(readBytes(folder + QStringLiteral("/mr/maya.rayrc")),
             QByteArray("\tL\r\n\tlink l\r\n\tM\r\n\tmi m\r\n"));
}

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"

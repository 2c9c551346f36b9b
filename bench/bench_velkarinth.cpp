// Each figure is compared with a baseline on the same data in the same run:
// what the program does must stay within a small factor of the plain file
// system work it cannot avoid.
#include "config/configuration.h"
#include "config/shadertype.h"
#include "install/installplan.h"
#include "rayrc/rayrcremoval.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

namespace {
QTemporaryDir *scratch = nullptr;

QString scratchPath(const QString &name)
{
    return scratch->filePath(name);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// 100 folders of 100 folders of 10 files; the one match sits in the folder
// the search reaches last.
const QString &searchTree()
{
    static QString root;
    if (!root.isEmpty())
        return root;
    root = scratchPath(QStringLiteral("tree"));
    for (int a = 0; a < 100; ++a) {
        for (int b = 0; b < 100; ++b) {
            const QString folder = QStringLiteral("%1/d%2/s%3").arg(root).arg(a, 2, 10, QLatin1Char('0')).arg(b, 2, 10, QLatin1Char('0'));
            QDir().mkpath(folder);
            for (int f = 0; f < 10; ++f) {
                const QString name = (a == 99 && b == 99 && f == 9) ? QStringLiteral("velvet.fti")
                                                                    : QStringLiteral("file%1.dat").arg(f);
                writeFile(folder + QLatin1Char('/') + name, QByteArray());
            }
        }
    }
    return root;
}

void BM_findFile(benchmark::State &state)
{
    const QString root = searchTree();
    for (auto _ : state) {
        QString path;
        QString name;
        if (ShaderType::findFile(QStringLiteral("fti"), root, path, name).isEmpty())
            state.SkipWithError("file not found");
    }
}

// The five default rows, only the first of which has a file, in the last
// folder: the walk cannot end early.
void BM_dryRunFiveRows(benchmark::State &state)
{
    const QString root = searchTree();
    const QString nowhere = scratchPath(QStringLiteral("nowhere"));
    QVector<ShaderFileRow> rows;
    for (const char *extension : {"fti", "xpm", "mel", "mi", "dll"})
        rows.append({QString::fromLatin1(extension), nowhere, true});
    for (auto _ : state) {
        const InstallPlan plan = InstallPlan::make(rows, root, nowhere, QStringLiteral("l"), QStringLiteral("m"));
        if (plan.copies.first().source.isEmpty())
            state.SkipWithError("file not found");
    }
}

void BM_listTree(benchmark::State &state)
{
    const QString root = searchTree();
    for (auto _ : state) {
        qsizetype files = 0;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            files += it.fileInfo().isFile();
        }
        benchmark::DoNotOptimize(files);
    }
}

// 20 MB of lines with the entries near the end.
QByteArray bigRayrc()
{
    QByteArray content;
    const QByteArray line = "registry \"{SOME_KEY}\" value \"some value that fills the line\" end\n";
    while (content.size() < 20 * 1024 * 1024 - 200)
        content += line;
    content += "\tlink \"base.so\"\n\tmi \"base.mi\"\nend\n";
    return content;
}

// Rewrites a fresh 20 MB maya.rayrc in folder with rewrite, each time;
// prepare runs before the clock does.
template<typename Rewrite, typename Prepare>
void rewriteRayrc(benchmark::State &state, const QString &name, Rewrite rewrite, Prepare prepare)
{
    const QString folder = scratchPath(name);
    QDir().mkpath(folder);
    const QByteArray content = bigRayrc();
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(folder + QStringLiteral("/maya.rayrc"), content);
        // On disk before the clock runs, as the copy's source is: else the
        // rewrite's own flush would pay for writing it.
        QFile written(folder + QStringLiteral("/maya.rayrc"));
        if (!written.open(QIODevice::ReadOnly) || fsync(written.handle()) != 0)
            state.SkipWithError("sync failed");
        prepare(folder);
        state.ResumeTiming();
        if (!rewrite(folder))
            state.SkipWithError("rewrite failed");
    }
    state.SetBytesProcessed(state.iterations() * content.size());
}

void BM_updateRayrc(benchmark::State &state)
{
    rewriteRayrc(state, QStringLiteral("rayrc"), [](const QString &folder) {
        return ShaderType::updateRayrc(folder, QStringLiteral("link \"x.so\""), QStringLiteral("mi \"x.mi\""));
    }, [](const QString &) {});
}

// As an uninstall does it: the plan's scan, then the streamed rewrite.
bool removeEntries(const QString &folder)
{
    RayrcRemoval removal = RayrcRemoval::plan(folder, QStringLiteral("link \"base.so\""),
                                              QStringLiteral("mi \"base.mi\""));
    return removal.outcome == RayrcRemoval::Outcome::Remove && removal.apply();
}

// The removal an uninstall applies once its plan (the preview) is made, as
// the update is timed without one.
void BM_removeRayrc(benchmark::State &state)
{
    RayrcRemoval removal;
    rewriteRayrc(
        state, QStringLiteral("removal"),
        [&removal](const QString &) { return removal.outcome == RayrcRemoval::Outcome::Remove && removal.apply(); },
        [&removal](const QString &folder) {
            removal = RayrcRemoval::plan(folder, QStringLiteral("link \"base.so\""),
                                         QStringLiteral("mi \"base.mi\""));
        });
}

// The baseline: a QFile::copy of the same file, plain or made durable as the
// update makes its own file.
void copyRayrc(benchmark::State &state, bool flushToDisk)
{
    const QString folder = scratchPath(QStringLiteral("rayrc"));
    QDir().mkpath(folder);
    const QString source = folder + QStringLiteral("/maya.rayrc");
    const QString target = folder + QStringLiteral("/copy");
    const QByteArray content = bigRayrc();
    writeFile(source, content);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        if (!QFile::copy(source, target))
            state.SkipWithError("copy failed");
        if (!flushToDisk)
            continue;
        QFile out(target);
        if (!out.open(QIODevice::ReadWrite) || fsync(out.handle()) != 0)
            state.SkipWithError("sync failed");
    }
    state.SetBytesProcessed(state.iterations() * content.size());
}

void BM_copyRayrc(benchmark::State &state)
{
    copyRayrc(state, false);
}

void BM_copyRayrcSynced(benchmark::State &state)
{
    copyRayrc(state, true);
}

void writeLargeInit()
{
    QByteArray content = "[MAYA_PATH]\n/opt/maya\n[MR_PATH]\n/opt/mentalray\n";
    for (int t = 0; t < 1000; ++t) {
        content += "[Type " + QByteArray::number(t) + "]\n5\n";
        for (const char *row : {"fti*/icons*n", "xpm*/icons*n", "mel*/scripts*o", "mi*/include*o", "dll*/lib*o"})
            content += QByteArray(row) + '\n';
    }
    writeFile(QStringLiteral("init.txt"), content);
}

void BM_loadInit(benchmark::State &state)
{
    writeLargeInit();
    for (auto _ : state) {
        Configuration::reset();
        Configuration::load();
    }
}

void BM_saveInit(benchmark::State &state)
{
    writeLargeInit();
    Configuration::reset();
    Configuration::load();
    for (auto _ : state) {
        if (Configuration::save().status != Configuration::SaveStatus::Saved)
            state.SkipWithError("init.txt was not saved");
    }
}

void BM_setMayaPath(benchmark::State &state)
{
    writeLargeInit();
    int keystroke = 0;
    for (auto _ : state) {
        if (!Configuration::setMayaPath(QStringLiteral("/opt/maya/%1").arg(++keystroke)))
            state.SkipWithError("init.txt was not written");
    }
}

// A whole process, from its start to its end, in a working folder that holds
// what a user's does: an init.txt and a maya.rayrc to back up. With
// firstOfDay the backup of the day is removed before each run, so that each
// run takes it; otherwise it is already kept, as at every later start.
void startProcess(benchmark::State &state, const QString &program, const QStringList &arguments,
                  bool firstOfDay = true)
{
    const QString folder = scratchPath(QStringLiteral("startup"));
    if (!QFileInfo::exists(folder + QStringLiteral("/init.txt"))) {
        QDir().mkpath(folder + QStringLiteral("/mr"));
        writeFile(folder + QStringLiteral("/mr/maya.rayrc"), "\tlink \"base.so\"\n\tmi \"base.mi\"\n");
        writeFile(folder + QStringLiteral("/init.txt"),
                  "[MAYA_PATH]\n" + QFile::encodeName(folder) + "\n[MR_PATH]\n" + QFile::encodeName(folder)
                      + "/mr\n[Shader Mental Ray]\n5\nfti*/icons*n\nxpm*/icons*n\nmel*/scripts*o\n"
                        "mi*/include*o\ndll*/lib*o\n");
    }
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + program;
    for (auto _ : state) {
        state.PauseTiming();
        const QStringList backups = QDir(folder).entryList({QStringLiteral("maya.rayrc2*")});
        for (const QString &backup : firstOfDay ? backups : QStringList())
            QFile::remove(folder + QLatin1Char('/') + backup);
        state.ResumeTiming();
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(path, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            state.SkipWithError("probe failed");
    }
}

// From its start to its first dialog on screen.
void BM_startupDialog(benchmark::State &state)
{
    startProcess(state, QStringLiteral("startup_probe"), {QStringLiteral("velkarinth")});
}

void BM_startupDialogBackupKept(benchmark::State &state)
{
    startProcess(state, QStringLiteral("startup_probe"), {QStringLiteral("velkarinth")}, false);
}

void BM_emptyDialog(benchmark::State &state)
{
    startProcess(state, QStringLiteral("startup_probe"), {QStringLiteral("empty")});
}

void BM_textDialog(benchmark::State &state)
{
    startProcess(state, QStringLiteral("startup_probe"), {QStringLiteral("text")});
}

void BM_cliConfig(benchmark::State &state)
{
    startProcess(state, QStringLiteral("velkarinth-cli"), {QStringLiteral("config")});
}

void BM_bareCoreApplication(benchmark::State &state)
{
    startProcess(state, QStringLiteral("core_probe"), {});
}

BENCHMARK(BM_findFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_dryRunFiveRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_listTree)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_updateRayrc)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_removeRayrc)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_copyRayrc)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_copyRayrcSynced)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_loadInit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_saveInit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_setMayaPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_startupDialog)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_startupDialogBackupKept)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_emptyDialog)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_textDialog)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_cliConfig)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_bareCoreApplication)->Unit(benchmark::kMillisecond)->Iterations(20);

// Keeps each benchmark's real time per iteration, in milliseconds.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> milliseconds;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime()
                                                 * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond)
                                                 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
};

// The process's peak resident size in kB. The peak is inherited through
// fork, so the child resets it first (Linux's clear_refs) to measure its own.
long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// In a child process of its own, so that nothing else has raised the
// high-water mark: prints how far one update raises it, in MB.
int measureRayrcPeak(const QString &folder, bool removal)
{
    resetPeak();
    const long before = peakKilobytes();
    if (removal ? !removeEntries(folder) : !ShaderType::updateRayrc(folder, QStringLiteral("l"), QStringLiteral("m")))
        return 1;
    std::printf("%.3f\n", double(peakKilobytes() - before) / 1024);
    return 0;
}

double rayrcPeakMegabytes(const QString &mode)
{
    const QString folder = scratchPath(QStringLiteral("peak"));
    QDir().mkpath(folder);
    writeFile(folder + QStringLiteral("/maya.rayrc"), bigRayrc());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {mode, folder});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toDouble();
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1).startsWith(QLatin1String("--rayrc-")))
        return measureRayrcPeak(app.arguments().value(2),
                                app.arguments().value(1) == QLatin1String("--rayrc-removal-peak"));
    QTemporaryDir dir;
    scratch = &dir;
    QDir::setCurrent(dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());

    const double peak = rayrcPeakMegabytes(QStringLiteral("--rayrc-peak"));
    const double removalPeak = rayrcPeakMegabytes(QStringLiteral("--rayrc-removal-peak"));

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto ms = [&](const char *name) { return reporter.milliseconds[name]; };
    auto ratio = [&](const char *what, double value, double target, const char *unit) {
        std::printf("%-40s %8.2f %-3s (target <= %g)%s\n", what, value, unit, target,
                    value <= target ? "" : "  MISSED");
    };
    std::printf("\n");
    ratio("findFile / recursive listing", ms("BM_findFile") / ms("BM_listTree"), 1.3, "x");
    ratio("five-row dry run / recursive listing", ms("BM_dryRunFiveRows") / ms("BM_listTree"), 1.2, "x");
    std::printf("%-40s %8.2f x\n", "updateRayrc / plain copy", ms("BM_updateRayrc") / ms("BM_copyRayrc"));
    ratio("updateRayrc / copy flushed to disk", ms("BM_updateRayrc") / ms("BM_copyRayrcSynced"), 1.5, "x");
    ratio("updateRayrc peak memory above baseline", peak, 8, "MB");
    ratio("removal / copy flushed to disk", ms("BM_removeRayrc") / ms("BM_copyRayrcSynced"), 1.5, "x");
    ratio("removal peak memory above baseline", removalPeak, 8, "MB");
    ratio("load 1000 types", ms("BM_loadInit"), 16, "ms");
    ratio("save 1000 types", ms("BM_saveInit"), 16, "ms");
    ratio("setMayaPath on 1000 types", ms("BM_setMayaPath"), 16, "ms");
    ratio("start-up dialog / empty dialog", ms("BM_startupDialog") / ms("BM_emptyDialog"), 1.15, "x");
    ratio("  the day's backup already kept", ms("BM_startupDialogBackupKept") / ms("BM_emptyDialog"), 1.15, "x");
    std::printf("%-40s %8.2f x\n", "  over a dialog with one line of text",
                ms("BM_startupDialogBackupKept") / ms("BM_textDialog"));
    std::printf("%-40s %8.2f x\n", "one line of text / empty dialog", ms("BM_textDialog") / ms("BM_emptyDialog"));
    ratio("cli config / bare QCoreApplication", ms("BM_cliConfig") / ms("BM_bareCoreApplication"), 1.2, "x");
    benchmark::Shutdown();
    return 0;
}

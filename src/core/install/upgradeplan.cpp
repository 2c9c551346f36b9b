#include "install/upgradeplan.h"

#include "files/filelock.h"
#include "files/filerewrite.h"
#include "files/leftovers.h"
#include "files/paths.h"
#include "files/platform.h"
#include "files/sidefiles.h"
#include "i18n/outcometext.h"
#include "install/installplan.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcremoval.h"
#include "rayrc/rayrcupdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <iterator>

namespace {
using Action = UpgradePlan::Action;

const QString entries[] = {QStringLiteral("link"), QStringLiteral("mi")};

std::function<void(const QString &)> listener;

// In the order of UpgradePlan::Action, but for Refused, which says the
// copy's own words.
constexpr OutcomeText actionTexts[] = {
    {"keep", nullptr, QT_TRANSLATE_NOOP("UpgradePlan", "déjà à jour")},
    {"replace", nullptr, QT_TRANSLATE_NOOP("UpgradePlan", "remplacé par l'autre version")},
    {"copy", nullptr, QT_TRANSLATE_NOOP("UpgradePlan", "copie")},
    {"remove", nullptr, QT_TRANSLATE_NOOP("UpgradePlan", "retiré, l'autre version n'en a pas")},
};

// In the order of UpgradePlan::Outcome; the facts are the shader's folder
// and the file that could not be changed.
constexpr OutcomeText outcomeTexts[] = {
    {"done", nullptr, nullptr},
    {"refused",
     QT_TRANSLATE_NOOP("UpgradePlan", "Rien n'a été changé : la version installée de %1 est restée telle quelle."),
     nullptr},
    {"not-installed",
     QT_TRANSLATE_NOOP("UpgradePlan", "Aucun reçu : %1 n'est pas installé dans ce maya.rayrc."), nullptr},
    {"no-previous",
     QT_TRANSLATE_NOOP("UpgradePlan", "Aucune version antérieure de %1 n'est gardée : rien à remettre."), nullptr},
    {"busy",
     QT_TRANSLATE_NOOP("UpgradePlan", "Un autre programme Velkarinth travaille sur %1 : rien n'a été fait. "
                                      "Réessayez dans un moment."),
     nullptr},
    {"undone",
     QT_TRANSLATE_NOOP("UpgradePlan", "%2 n'a pas pu être changé : la version d'avant de %1 a été remise "
                                      "telle qu'elle était."),
     nullptr},
    {"not-undone",
     QT_TRANSLATE_NOOP("UpgradePlan", "%2 n'a pas pu être changé, et la version d'avant de %1 n'a pas pu "
                                      "être remise entièrement : le prochain lancement de Velkarinth "
                                      "la remettra."),
     nullptr},
};
static_assert(std::size(outcomeTexts) == int(UpgradePlan::Outcome::NotUndone) + 1);

// The phases a journal goes through; up to "rayrc" a dead run is undone,
// from "swapped" on it is finished.
const char *const phases[] = {"staging", "swapping", "rayrc", "swapped", "cleanup"};

QString journalPath(const QString &receiptPath)
{
    return receiptPath.chopped(QStringLiteral(".json").size()) + QStringLiteral(".upgrade");
}

QString wantedLine(const QList<Receipt::Line> &lines, const QString &entry)
{
    for (const Receipt::Line &line : lines) {
        if (line.entry == entry)
            return line.text;
    }
    return QString();
}

// Gives each entry the line to of that entry where it had the line from:
// replaced in its place, taken out when to is empty, written as an install
// writes it when from is. Under maya.rayrc's lock; without it, nothing was
// written, and locked says so.
bool changeLines(const QString &mrDir, const QString (&from)[2], const QString (&to)[2], bool &locked)
{
    const QString path = rayrcPath(mrDir);
    FileLock lock(path);
    locked = lock.lock();
    if (!locked)
        return false;
    QString replaced[2];
    QString inserted[2];
    for (int i = 0; i < 2; ++i) {
        if (from[i] == to[i])
            continue;
        (from[i].isEmpty() ? inserted[i] : replaced[i]) = from[i].isEmpty() ? to[i] : from[i];
    }
    if (!replaced[0].isEmpty() || !replaced[1].isEmpty()) {
        RayrcRemoval removal = RayrcRemoval::plan(mrDir, replaced[0], replaced[1]);
        if (removal.outcome != RayrcRemoval::Outcome::Remove && removal.outcome != RayrcRemoval::Outcome::NoEntries)
            return false;
        removal.newLink = replaced[0].isEmpty() ? QString() : to[0];
        removal.newMi = replaced[1].isEmpty() ? QString() : to[1];
        if (!removal.apply())
            return false;
    }
    if (inserted[0].isEmpty() && inserted[1].isEmpty())
        return true;
    return updateRayrcFile(mrDir, inserted[0], inserted[1]).outcome == RayrcStep::Outcome::Update;
}

QJsonObject printJson(const UpgradePlan::FileStep &step, const QString &source, const FileFingerprint &print)
{
    return Receipt::fileJson({step.copy.extension, source, step.copy.destination, print});
}
}

QString UpgradePlan::FileStep::key() const
{
    return action == Action::Refused ? copy.key() : QString::fromLatin1(actionTexts[int(action)].key);
}

QString UpgradePlan::FileStep::planned() const
{
    return action == Action::Refused ? copy.planned()
                                     : outcomeText("UpgradePlan", actionTexts[int(action)].planned, {});
}

UpgradePlan UpgradePlan::upgrade(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                                 const QString &mrDir, const QString &link, const QString &mi)
{
    return make(false, rows, shaderDir, mrDir, link, mi);
}

UpgradePlan UpgradePlan::rollbackOf(const QString &shaderDir, const QString &mrDir)
{
    return make(true, {}, shaderDir, mrDir, {}, {});
}

UpgradePlan UpgradePlan::make(bool rollback, const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                              const QString &mrDir, const QString &link, const QString &mi)
{
    UpgradePlan plan;
    plan.rollback = rollback;
    plan.rows = rows;
    plan.shaderDir = shaderDir;
    plan.mrDir = mrDir;
    plan.link = link;
    plan.mi = mi;
    plan.receiptPath = Receipt::pathFor(shaderDir, rayrcPath(mrDir));
    if (!Receipt::read(plan.receiptPath, plan.receipt)) {
        plan.outcome = Outcome::NotInstalled;
        return plan;
    }
    const Receipt &receipt = plan.receipt;
    plan.oldLines = receipt.lines;
    QList<Receipt::Line> wanted;
    if (!rollback) {
        // Each row's file judged as an install judges it, receipt and all.
        for (const CopyStep &copy : InstallPlan::make(rows, shaderDir, mrDir, link, mi).copies) {
            FileStep step;
            step.copy = copy;
            if (step.copy.outcome != CopyStep::Outcome::NameUnreadable && !step.copy.source.isEmpty())
                step.copy.source = QFileInfo(step.copy.source).absoluteFilePath();
            switch (step.copy.outcome) {
            case CopyStep::Outcome::Copy:
                step.action = Action::Copy;
                break;
            case CopyStep::Outcome::Installed:
                step.action = Action::Keep;
                break;
            case CopyStep::Outcome::Outdated:
                step.action = Action::Replace;
                break;
            default:
                step.action = Action::Refused;
            }
            if (const Receipt::File *now = receipt.file(step.copy.destination))
                step.receipted = *now;
            step.receipted.source = step.copy.source;
            plan.files.append(step);
        }
        const QString given[2] = {link, mi};
        for (int i = 0; i < 2; ++i)
            wanted.append({entries[i], given[i].isEmpty() ? receipt.wantedLine(entries[i]) : given[i]});
    } else if (receipt.previous.isEmpty()) {
        plan.outcome = Outcome::NoPrevious;
        return plan;
    } else {
        // Only the upgrade's own copies, as it left them, give way.
        const auto stepFor = [&](const Receipt::File &old, const QString &source) {
            FileStep step;
            step.copy.extension = old.extension;
            step.copy.mandatory = true;
            step.copy.shaderDir = shaderDir;
            step.copy.source = source;
            step.copy.destination = old.destination;
            step.copy.folder = QFileInfo(old.destination).path();
            step.copy.name = QFileInfo(old.destination).fileName();
            step.copy.outcome = CopyStep::Outcome::AlreadyThere;
            step.receipted = old;
            const Receipt::File *now = receipt.file(old.destination);
            if (!nameTaken(old.destination))
                step.action = source.isEmpty() ? Action::Keep : Action::Copy;
            else if (!now || fileFingerprint(old.destination) != now->copy)
                step.action = Action::Refused;
            else
                step.action = source.isEmpty() ? Action::Remove : Action::Replace;
            if (now)
                step.receipted = *now;
            return step;
        };
        for (qsizetype i = 0; i < receipt.previous.files.size(); ++i) {
            const Receipt::File &old = receipt.previous.files.at(i);
            FileStep step = stepFor(old, Receipt::keptPath(plan.receiptPath, i));
            // The receipt names the copy's source as it was then.
            step.receipted.source = old.source;
            if (step.action != Action::Refused && fileFingerprint(step.copy.source) != old.copy) {
                step.action = Action::Refused;
                step.copy.outcome = CopyStep::Outcome::Unreadable;
            }
            plan.files.append(step);
        }
        for (const QString &added : receipt.previous.added)
            plan.files.append(stepFor({QString(), QString(), added, {}}, QString()));
        wanted = receipt.previous.lines;
    }
    plan.planLines(wanted);
    plan.outcome = plan.refused() ? Outcome::Refused : Outcome::Done;
    return plan;
}

void UpgradePlan::planLines(const QList<Receipt::Line> &wanted)
{
    rayrc.path = rayrcPath(mrDir);
    qint64 found[2] = {0, 0};
    const LinesRead read = rayrc.path.isEmpty()
                               ? LinesRead::Unreadable
                               : RayrcRemoval::locate(rayrc.path, receipt.line(entries[0]),
                                                      receipt.line(entries[1]), found[0], found[1]);
    bool inserts = false;
    bool replaces = false;
    for (int i = 0; i < 2; ++i) {
        const LineStep step{entries[i], found[i] > 0 ? receipt.line(entries[i]) : QString(),
                            wantedLine(wanted, entries[i])};
        inserts = inserts || (step.before.isEmpty() && !step.after.isEmpty());
        replaces = replaces || (!step.before.isEmpty() && step.before != step.after);
        lines.append(step);
    }
    rayrc.linkLine = found[0];
    rayrc.miLine = found[1];
    if (!inserts && !replaces)
        rayrc.outcome = RayrcStep::Outcome::Installed;
    else if (inserts)
        rayrc = RayrcStep::plan(mrDir);
    else if (rayrc.path.isEmpty())
        rayrc.outcome = RayrcStep::Outcome::NoDirectory;
    else if (read != LinesRead::Read)
        rayrc.outcome = RayrcStep::unread(read);
    else
        rayrc.outcome = QFileInfo(rayrc.path).isWritable() ? RayrcStep::Outcome::Update
                                                           : RayrcStep::Outcome::NotWritable;
}

bool UpgradePlan::refused() const
{
    return std::any_of(files.cbegin(), files.cend(),
                       [](const FileStep &step) { return step.action == Action::Refused && step.copy.failsInstall(); })
           || (rayrc.outcome != RayrcStep::Outcome::Update && rayrc.outcome != RayrcStep::Outcome::Installed);
}

bool UpgradePlan::changed() const
{
    return outcome == Outcome::Done && (rayrc.outcome == RayrcStep::Outcome::Update
           || std::any_of(files.cbegin(), files.cend(), [](const FileStep &step) {
                  return step.action != Action::Keep && step.action != Action::Refused;
              }));
}

QString UpgradePlan::key() const
{
    return QString::fromLatin1(outcomeTexts[int(outcome)].key);
}

QString UpgradePlan::reason() const
{
    return outcomeText("UpgradePlan", outcomeTexts[int(outcome)].text,
                       {nativePath(shaderDir), nativePath(failedPath)});
}

void UpgradePlan::setListener(std::function<void(const QString &)> told)
{
    listener = std::move(told);
}

bool UpgradePlan::saveJournal(const char *phase) const
{
    QJsonArray steps;
    for (const FileStep &step : files) {
        QJsonObject object{{QStringLiteral("action"), step.key()},
                           {QStringLiteral("copy"), printJson(step, step.copy.source, step.placed)},
                           {QStringLiteral("receipted"), Receipt::fileJson(step.receipted)},
                           {QStringLiteral("staged"), step.staged},
                           {QStringLiteral("aside"), step.aside}};
        steps.append(object);
    }
    QJsonArray lineSteps;
    for (const LineStep &line : lines)
        lineSteps.append(QJsonObject{{QStringLiteral("entry"), line.entry},
                                     {QStringLiteral("before"), line.before},
                                     {QStringLiteral("after"), line.after}});
    QJsonArray before;
    for (const Receipt::Line &line : oldLines)
        before.append(QJsonObject{{QStringLiteral("entry"), line.entry}, {QStringLiteral("text"), line.text}});
    const QJsonObject journal{{QStringLiteral("format"), 1},
                              {QStringLiteral("phase"), QLatin1String(phase)},
                              {QStringLiteral("rollback"), rollback},
                              {QStringLiteral("shaderDir"), shaderDir},
                              {QStringLiteral("mrDir"), mrDir},
                              {QStringLiteral("files"), steps},
                              {QStringLiteral("lines"), lineSteps},
                              {QStringLiteral("oldLines"), before}};
    return saveOwnFile(journalPath(receiptPath), QJsonDocument(journal).toJson(QJsonDocument::Compact));
}


bool UpgradePlan::loadJournal(const QString &path, UpgradePlan &plan, QString &phase)
{
    QByteArray bytes;
    QJsonParseError error;
    if (!readOwnFile(path, Receipt::maxSize, bytes))
        return false;
    const QJsonObject journal = QJsonDocument::fromJson(bytes, &error).object();
    if (error.error != QJsonParseError::NoError || journal.value(QStringLiteral("format")).toInt() != 1)
        return false;
    phase = journal.value(QStringLiteral("phase")).toString();
    plan.rollback = journal.value(QStringLiteral("rollback")).toBool();
    plan.shaderDir = journal.value(QStringLiteral("shaderDir")).toString();
    plan.mrDir = journal.value(QStringLiteral("mrDir")).toString();
    plan.receiptPath = Receipt::pathFor(plan.shaderDir, rayrcPath(plan.mrDir));
    if (journalPath(plan.receiptPath) != path)
        return false;
    for (const QJsonValue &value : journal.value(QStringLiteral("files")).toArray()) {
        const QJsonObject object = value.toObject();
        UpgradePlan::FileStep step;
        const QString action = object.value(QStringLiteral("action")).toString();
        const auto known = std::find_if(std::cbegin(actionTexts), std::cend(actionTexts),
                                        [&](const OutcomeText &words) { return action == QLatin1String(words.key); });
        step.action = known == std::cend(actionTexts) ? Action::Refused : Action(known - std::cbegin(actionTexts));
        Receipt::File copy;
        if (!Receipt::fileFromJson(object.value(QStringLiteral("copy")).toObject(), copy))
            copy.copy.size = -1; // not written yet
        if (!Receipt::fileFromJson(object.value(QStringLiteral("receipted")).toObject(), step.receipted))
            step.receipted.copy.size = -1;
        step.copy.extension = copy.extension;
        step.copy.source = copy.source;
        step.copy.destination = copy.destination;
        step.copy.folder = QFileInfo(copy.destination).path();
        step.copy.name = QFileInfo(copy.destination).fileName();
        step.placed = copy.copy;
        step.staged = object.value(QStringLiteral("staged")).toString();
        step.aside = object.value(QStringLiteral("aside")).toString();
        plan.files.append(step);
    }
    for (const QJsonValue &value : journal.value(QStringLiteral("lines")).toArray()) {
        const QJsonObject object = value.toObject();
        plan.lines.append({object.value(QStringLiteral("entry")).toString(),
                           object.value(QStringLiteral("before")).toString(),
                           object.value(QStringLiteral("after")).toString()});
    }
    for (const QJsonValue &value : journal.value(QStringLiteral("oldLines")).toArray()) {
        const QJsonObject object = value.toObject();
        plan.oldLines.append({object.value(QStringLiteral("entry")).toString(),
                              object.value(QStringLiteral("text")).toString()});
    }
    return plan.lines.size() == 2 && std::find(std::cbegin(phases), std::cend(phases), phase) != std::cend(phases);
}

bool UpgradePlan::apply()
{
    applied = true;
    if (outcome != Outcome::Done)
        return false;
    // Held to the end: no other run changes the receipt, its copies or
    // its journal meanwhile.
    FileLock lock(receiptPath);
    if (!lock.lock()) {
        outcome = Outcome::Busy;
        return false;
    }
    recoverJournal(journalPath(receiptPath));
    // Checked again now that no other run changes what the plan rests on.
    *this = make(rollback, rows, shaderDir, mrDir, link, mi);
    applied = true;
    for (const FileStep &step : std::as_const(files))
        sweepLeftovers(step.copy.folder);
    if (outcome != Outcome::Done || !changed())
        return outcome == Outcome::Done;
    for (FileStep &step : files) {
        if (step.action == Action::Replace || step.action == Action::Copy)
            step.staged = leftoverName(step.copy.destination, Leftover::New);
        if (step.action == Action::Replace || step.action == Action::Remove)
            step.aside = leftoverName(step.copy.destination, Leftover::Aside);
    }
    // Every working file is named in the journal before it is made.
    if (!reach(phases[0])) {
        failedPath = journalPath(receiptPath);
        outcome = killed ? Outcome::NotUndone : Outcome::Undone;
        return false;
    }
    bool staged = true;
    for (FileStep &step : files) {
        if (!step.staged.isEmpty() && staged) {
            staged = copyWholeFile(step.copy.source, step.staged);
            step.placed = fileFingerprint(step.staged);
            staged = staged && step.placed.isValid();
            if (!staged)
                failedPath = step.copy.destination;
        }
    }
    bool linesChange = rayrc.outcome == RayrcStep::Outcome::Update;
    bool done = staged && reach(phases[1]) && swap();
    if (done && linesChange) {
        const QString from[2] = {lines.at(0).before, lines.at(1).before};
        const QString to[2] = {lines.at(0).after, lines.at(1).after};
        done = reach(phases[2]) && changeLines(mrDir, from, to, linesChange);
        if (!done)
            failedPath = rayrc.path;
    }
    if (done && reach(phases[3]) && finish())
        return true;
    if (failedPath.isEmpty())
        failedPath = Receipt::folder();
    if (killed) {
        outcome = Outcome::NotUndone;
        return false;
    }
    outcome = undo(linesChange) ? Outcome::Undone : Outcome::NotUndone;
    if (outcome == Outcome::Undone)
        QFile::remove(journalPath(receiptPath));
    return false;
}

bool UpgradePlan::reach(const char *phase)
{
    if (!saveJournal(phase))
        return false;
    killed = deathHook() && deathHook()(phase);
    return !killed;
}

bool UpgradePlan::swap()
{
    for (FileStep &step : files) {
        const QString &destination = step.copy.destination;
        if (!step.aside.isEmpty()) {
            if (!renameNoReplace(destination, step.aside)) {
                failedPath = destination;
                return false;
            }
            // Checked where no one else renames it: the copy the receipt names.
            if (fileFingerprint(step.aside) != step.receipted.copy) {
                renameNoReplace(step.aside, destination);
                failedPath = destination;
                return false;
            }
        }
        if (!step.staged.isEmpty() && !renameNoReplace(step.staged, destination)) {
            failedPath = destination;
            return false;
        }
        syncFolder(step.copy.folder);
    }
    return true;
}

void UpgradePlan::changeReceipt(Receipt &kept) const
{
    Receipt::Previous previous;
    for (const FileStep &step : files) {
        if (step.action == Action::Replace || step.action == Action::Copy)
            kept.addFile({step.copy.extension, step.receipted.source, step.copy.destination, step.placed});
        // A first copy a rollback takes out, or finds gone already.
        if (rollback && step.copy.source.isEmpty() && step.action != Action::Refused)
            kept.files.removeIf([&step](const Receipt::File &file) {
                return file.destination == step.copy.destination;
            });
        if (step.action == Action::Replace) {
            Receipt::File old = step.receipted;
            old.copy = fileFingerprint(Receipt::keptPath(receiptPath, previous.files.size()));
            previous.files.append(old);
        }
        if (step.action == Action::Copy)
            previous.added.append(step.copy.destination);
    }
    kept.planned.clear();
    for (const LineStep &line : lines) {
        kept.lines.removeIf([&line](const Receipt::Line &old) { return old.entry == line.entry; });
        if (!line.after.isEmpty())
            kept.addLine({line.entry, line.after});
    }
    previous.lines = oldLines;
    // One version is kept; a rollback uses it up.
    kept.previous = rollback ? Receipt::Previous() : previous;
}

bool UpgradePlan::finish()
{
    if (!rollback) {
        Receipt::removeKept(receiptPath);
        const QString folder = Receipt::previousFolder(receiptPath);
        qsizetype kept = 0;
        const bool keeping = std::any_of(files.cbegin(), files.cend(),
                                         [](const FileStep &step) { return step.action == Action::Replace; });
        if (keeping && !makePrivateFolder(folder))
            return false;
        for (const FileStep &step : files) {
            if (step.action == Action::Replace && !copyWholeFile(step.aside, Receipt::keptPath(receiptPath, kept++)))
                return false;
        }
    }
    if (!Receipt::change(shaderDir, rayrcPath(mrDir), [this](Receipt &kept) { changeReceipt(kept); }))
        return false;
    static_cast<void>(saveJournal(phases[4]));
    cleanUp();
    return true;
}

void UpgradePlan::cleanUp()
{
    for (const FileStep &step : files) {
        if (step.aside.isEmpty() || !nameTaken(step.aside))
            continue;
        // A running program may hold it: under a name the next run's sweep
        // takes, and at the next restart where that may be asked.
        if (fileFingerprint(step.aside) == step.receipted.copy && !QFile::remove(step.aside)) {
            const QString later = leftoverName(step.copy.destination, Leftover::Removing);
            removeAtRestart(renameNoReplace(step.aside, later) ? later : step.aside);
            restartNeeded = true;
        }
    }
    QFile::remove(journalPath(receiptPath));
}

bool UpgradePlan::undo(bool linesChanged)
{
    bool whole = true;
    for (auto step = files.crbegin(); step != files.crend(); ++step) {
        const QString &destination = step->copy.destination;
        const bool ours = step->placed.isValid() && fileFingerprint(destination) == step->placed;
        if (!step->aside.isEmpty() && nameTaken(step->aside)) {
            // Only the very copy set aside goes back, never a file put at
            // its name since.
            if (fileFingerprint(step->aside) != step->receipted.copy)
                whole = false;
            else if (!nameTaken(destination))
                whole = renameNoReplace(step->aside, destination) && whole;
            else
                whole = ours && replaceFile(step->aside, destination) == Replacement::Done && whole;
        } else if (step->action == Action::Copy && ours) {
            FileId folder;
            whole = folderId(step->copy.folder, folder)
                    && removeUnchanged(step->copy.folder, folder, step->copy.name, step->placed) == Removal::Removed
                    && whole;
        }
        if (!step->staged.isEmpty() && step->placed.isValid() && fileFingerprint(step->staged) == step->placed)
            QFile::remove(step->staged);
        syncFolder(step->copy.folder);
    }
    if (linesChanged) {
        const QString from[2] = {lines.at(0).after, lines.at(1).after};
        const QString to[2] = {lines.at(0).before, lines.at(1).before};
        bool locked = false;
        whole = changeLines(mrDir, from, to, locked) && whole;
    }
    return whole;
}

void UpgradePlan::recoverJournal(const QString &path)
{
    UpgradePlan plan;
    QString phase;
    if (!nameTaken(path) || !loadJournal(path, plan, phase))
        return;
    const qsizetype reached = std::find(std::cbegin(phases), std::cend(phases), phase) - std::cbegin(phases);
    const char *text = nullptr;
    if (reached == 4)
        plan.cleanUp();
    if (reached == 4 || (reached == 3 && plan.finish())) {
        text = QT_TRANSLATE_NOOP("UpgradePlan", "Le changement de version de %1, interrompu, a été achevé : "
                                                "la nouvelle version est en place.");
    } else {
        // What the dead run staged is no copy: its working files go first.
        for (const FileStep &file : std::as_const(plan.files))
            sweepLeftovers(file.copy.folder);
        const bool undone = plan.undo(reached >= 2);
        if (undone)
            QFile::remove(path);
        text = undone ? QT_TRANSLATE_NOOP("UpgradePlan", "Le changement de version de %1, interrompu, a été "
                                                         "défait : la version d'avant est remise.")
                      : QT_TRANSLATE_NOOP("UpgradePlan", "Le changement de version de %1, interrompu, n'a pas "
                                                         "pu être défait entièrement : le prochain lancement "
                                                         "réessaiera.");
    }
    if (listener)
        listener(outcomeText("UpgradePlan", text, {nativePath(plan.shaderDir)}));
}

bool UpgradePlan::pending(const QString &receiptPath)
{
    return nameTaken(journalPath(receiptPath));
}

void UpgradePlan::recover()
{
    if (!Receipt::folderTrusted())
        return;
    const QDir dir(Receipt::folder());
    for (const QString &name : dir.entryList({QStringLiteral("*.upgrade")}, QDir::Files | QDir::Hidden)) {
        const QString journal = joinPath(Receipt::folder(), name);
        FileLock lock(journal.chopped(QStringLiteral(".upgrade").size()) + QStringLiteral(".json"));
        // A live run holds its receipt's lock: its journal is no dead run's.
        if (lock.lock())
            recoverJournal(journal);
    }
}

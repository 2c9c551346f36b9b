#include "cliapp.h"

#include "clijson.h"
#include "clitext.h"
#include "config/configuration.h"
#include "config/workingfolder.h"
#include "files/writejournal.h"
#include "i18n/translations.h"
#include "install/installplan.h"
#include "install/receipt.h"
#include "install/uninstallplan.h"
#include "install/upgradeplan.h"
#include "rayrc/rayrcentry.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcstep.h"
#include "streamreporter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

CliApp::CliApp()
    : directoryOption(QStringList{QStringLiteral("C")}, tr("Travaille comme si lancé dans DOSSIER."),
                      QStringLiteral("DOSSIER"))
    , linkOption(QStringLiteral("link"), tr("La ligne link de maya.rayrc."), QStringLiteral("LIGNE"))
    , miOption(QStringLiteral("mi"), tr("La ligne mi de maya.rayrc."), QStringLiteral("LIGNE"))
    , typeOption(QStringLiteral("type"), tr("Le numéro du type de Shader (0 par défaut)."),
                 QStringLiteral("N"), QStringLiteral("0"))
    , dryRunOption(QStringLiteral("dry-run"), tr("N'écrit rien : dit ce qui serait fait."))
    , jsonOption(QStringLiteral("json"), tr("Donne le résultat en un document JSON."))
    , withoutReceiptOption(QStringLiteral("without-receipt"),
                           tr("Sans reçu, désinstalle ce qui est octet pour octet le Shader."))
    , upgradeOption(QStringLiteral("upgrade"),
                    tr("Met le Shader installé à la version de son dossier, entièrement ou pas du tout."))
    , out(stdout)
    , err(stderr)
{
    out.setEncoding(QStringConverter::System);
    err.setEncoding(QStringConverter::System);
}

namespace {
// Qt reads arguments as UTF-8 here: bytes that are not would reach
// maya.rayrc or init.txt as replacement characters. The index of the first
// such argument, or 0.
qsizetype firstUndecodable(const QByteArrayList &raw)
{
    for (qsizetype i = 1; i < raw.size(); ++i) {
        if (QString::fromLocal8Bit(raw.at(i)).toLocal8Bit() != raw.at(i))
            return i;
    }
    return 0;
}

// The bytes of an argument that is not text; print() escapes the controls.
QString shownBytes(const QByteArray &bytes)
{
    QString shown;
    for (const char c : bytes) {
        const auto byte = uchar(c);
        shown += byte < 0x80 ? QString(QLatin1Char(c))
                             : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return shown;
}
}

int CliApp::run(const QStringList &arguments, const QByteArrayList &raw)
{
    const int status = runCommand(arguments, raw);
    out.flush();
    std::fflush(stdout);
    // A script must not take a lost report for a finished run.
    if (out.status() == QTextStream::Ok && err.status() == QTextStream::Ok && !std::ferror(stdout))
        return status;
    err << tr("La sortie n'a pas pu être écrite (tube fermé ou disque plein) : le compte rendu "
              "est perdu.")
        << Qt::endl;
    return status == Done ? OutputLost : status;
}

int CliApp::runCommand(const QStringList &arguments, const QByteArrayList &raw)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Installe un Shader Mental Ray dans Maya, comme l'onglet Shader de Velkarinth."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 tr("install [--upgrade] DOSSIER_DU_SHADER, rollback DOSSIER_DU_SHADER, "
                                    "uninstall DOSSIER_DU_SHADER, status [DOSSIER_DU_SHADER], config, "
                                    "config maya DOSSIER ou config mr DOSSIER"));
    parser.addOptions({directoryOption, linkOption, miOption, typeOption, dryRunOption, jsonOption,
                       withoutReceiptOption, upgradeOption});

    const bool parsed = parser.parse(arguments);
    const qsizetype undecodable = firstUndecodable(raw);
    const bool moved = !parsed || undecodable != 0 || !parser.isSet(directoryOption)
                       || QDir::setCurrent(parser.value(directoryOption));
    // The dialog's rule, and also where the program is installed, since
    // scripts start the command anywhere.
    const QString programDir = QCoreApplication::applicationDirPath();
    translations = installTranslations(
        QLocale::system().name(),
        translationFolders() << QDir(programDir).filePath(QStringLiteral(VELKARINTH_QM_DIR)));
    // A file a run died writing is put back before anything else is read.
    WriteJournal::setListener([this](const QString &path) {
        err << CliText::failure(WriteJournal::restoredText(path), QString()) << Qt::endl;
    });
    if (undecodable != 0)
        return usageError(tr("L'argument %1 (%2) n'est pas du texte en UTF-8 : il ne serait pas "
                             "écrit tel quel.")
                              .arg(undecodable)
                              .arg(shownBytes(raw.at(undecodable))));
    if (!parsed)
        return usageError(parser.errorText());
    if (!moved)
        return usageError(tr("Dossier introuvable : %1").arg(parser.value(directoryOption)));
    if (parser.isSet(help)) {
        out << parser.helpText();
        return Done;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' '
            << QCoreApplication::applicationVersion() << Qt::endl;
        return Done;
    }
    // Before anything there is read, a journal replayed or a receipt believed.
    if (const QString why = WorkingFolder::untrusted(); !why.isEmpty()) {
        print(err, why);
        return Failed;
    }
    UpgradePlan::setListener([this](const QString &text) { print(err, text); });
    UpgradePlan::recover();

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (command == QLatin1String("install") || command == QLatin1String("uninstall")) {
        QList<const QCommandLineOption *> taken = commandOptions();
        taken.removeOne(command == QLatin1String("install") ? &withoutReceiptOption : &upgradeOption);
        if (!takesOnly(parser, command, taken))
            return UsageError;
        return command == QLatin1String("install") ? install(parser, args) : uninstall(parser, args);
    }
    if (command == QLatin1String("rollback")) {
        if (!takesOnly(parser, command, {&typeOption, &dryRunOption, &jsonOption}))
            return UsageError;
        return rollback(parser, args);
    }
    if (command == QLatin1String("status")) {
        if (!takesOnly(parser, command, {&linkOption, &miOption, &jsonOption}))
            return UsageError;
        return status(parser, args);
    }
    if (command == QLatin1String("config")) {
        // Changing a directory has nothing to preview or report: init.txt
        // is changed in place, or the run fails.
        const bool bare = args.size() == 1;
        if (!takesOnly(parser, bare ? command : command + QLatin1Char(' ') + args.value(1),
                       bare ? QList<const QCommandLineOption *>{&jsonOption}
                            : QList<const QCommandLineOption *>{}))
            return UsageError;
        return config(parser, args);
    }
    return usageError(command.isEmpty() ? tr("Aucune commande donnée.")
                                        : tr("Commande inconnue : %1").arg(command));
}

bool CliApp::takesOnly(const QCommandLineParser &parser, const QString &command,
                       const QList<const QCommandLineOption *> &taken)
{
    for (const QCommandLineOption *option : commandOptions()) {
        if (parser.isSet(*option) && !taken.contains(option)) {
            usageError(tr("%1 ne prend pas l'option --%2.").arg(command, option->names().constFirst()));
            return false;
        }
    }
    return true;
}

int CliApp::readShaderRequest(const QCommandLineParser &parser, const QStringList &args,
                              ShaderRequest &request, bool lines)
{
    if (args.size() != 2 || args.at(1).isEmpty())
        return usageError(tr("%1 attend un seul dossier de Shader.").arg(args.at(0)));
    request.shaderDir = args.at(1);
    request.link = parser.value(linkOption);
    request.mi = parser.value(miOption);
    // As on the Shader tab, an empty line counts as not given.
    if (lines && (request.link.isEmpty() || request.mi.isEmpty()))
        return usageError(tr("%1 attend --link LIGNE et --mi LIGNE.").arg(args.at(0)));
    bool isNumber = false;
    request.type = parser.value(typeOption).toInt(&isNumber);
    request.dryRun = parser.isSet(dryRunOption);
    request.json = parser.isSet(jsonOption);
    request.withoutReceipt = parser.isSet(withoutReceiptOption);

    if (!loadConfiguration())
        return Failed;
    if (!isNumber || request.type < 0 || request.type >= Configuration::shaderTypes.size())
        return usageError(tr("Aucun type de Shader numéro %1 dans %2.")
                              .arg(parser.value(typeOption), Configuration::initFilePath()));
    return Done;
}

int CliApp::install(const QCommandLineParser &parser, const QStringList &args)
{
    ShaderRequest request;
    const bool upgrading = parser.isSet(upgradeOption);
    if (const int refused = readShaderRequest(parser, args, request, !upgrading); refused != Done)
        return refused;
    // The receipt's lines serve when none are given.
    if (int status = Done; upgrading && (request.link.isEmpty() || isRayrcEntry(request.link, u"link"))
                           && (request.mi.isEmpty() || isRayrcEntry(request.mi, u"mi"))
                           && upgrade(request, false, status))
        return status;
    if (upgrading && (request.link.isEmpty() || request.mi.isEmpty()))
        return usageError(tr("%1 attend --link LIGNE et --mi LIGNE.").arg(args.at(0)));
    // What Mental Ray could not read never reaches maya.rayrc, as on the
    // Shader tab. An uninstall takes any line: it only looks for it.
    if (!isRayrcEntry(request.link, u"link") || !isRayrcEntry(request.mi, u"mi"))
        return usageError(
            tr("--link doit commencer par le mot link et --mi par le mot mi, chacun sur une "
               "seule ligne, par exemple :\n%1\n%2")
                .arg(rayrcEntryExample(u"link"), rayrcEntryExample(u"mi")));
    // The day's backup, as the dialog takes it at start-up; a preview or a
    // usage error writes nothing.
    if (!request.dryRun)
        backupRayrc();
    const ShaderType &shaderType = Configuration::shaderTypes.at(request.type);
    InstallPlan plan = InstallPlan::make(shaderType.rows, request.shaderDir, Configuration::mrPath,
                                         request.link, request.mi);
    if (request.dryRun && !request.json) {
        for (const CopyStep &step : std::as_const(plan.copies))
            out << CliText::planned(step) << Qt::endl;
        out << CliText::planned(plan.rayrc) << Qt::endl << CliText::verdict(plan) << Qt::endl;
    } else if (!request.dryRun) {
        StreamReporter reporter(out, err, request.json);
        plan.apply(reporter);
    }
    if (request.json)
        printJson(CliJson::install(plan, request.type, shaderType));
    return plan.succeeds() ? Done : Failed;
}

int CliApp::uninstall(const QCommandLineParser &parser, const QStringList &args)
{
    ShaderRequest request;
    if (const int refused = readShaderRequest(parser, args, request, false); refused != Done)
        return refused;
    const ShaderType &shaderType = Configuration::shaderTypes.at(request.type);
    UninstallPlan plan = UninstallPlan::make(shaderType.rows, request.shaderDir, Configuration::mrPath,
                                             request.link, request.mi, request.withoutReceipt);
    // Without a receipt the shader's folder is what the files are compared
    // with: a folder that is not there would pass every file for gone.
    if (plan.receipt.isEmpty()) {
        if (request.link.isEmpty() || request.mi.isEmpty())
            return usageError(tr("%1 attend --link LIGNE et --mi LIGNE.").arg(args.at(0)));
        if (!QFileInfo(request.shaderDir).isDir())
            return usageError(tr("Dossier de Shader introuvable : %1").arg(request.shaderDir));
    }
    if (!request.dryRun) {
        backupRayrc();
        plan.apply();
    }

    if (request.json) {
        printJson(CliJson::uninstall(plan, request.type, shaderType));
    } else if (plan.otherLines) {
        print(err, CliText::otherLines(plan.held) + QLatin1Char(' ') + tr("Rien n'a été retiré."));
    } else {
        for (const RemoveStep &step : std::as_const(plan.files))
            (step.keepsSomething() ? err : out) << CliText::removal(step, request.dryRun) << Qt::endl;
        if (!plan.backupKept())
            err << CliText::failure(RayrcStep::backupFailedText(plan.backup.path), QString())
                << Qt::endl;
        for (const QString &line : CliText::removal(plan.rayrc, request.dryRun))
            (plan.rayrc.keepsSomething() ? err : out) << line << Qt::endl;
        if (plan.receipt.isEmpty() && !request.withoutReceipt)
            err << CliText::noReceipt(request.shaderDir) << Qt::endl;
        if (!plan.receiptKept)
            err << CliText::failure(Receipt::notUpdatedText(plan.receipt), QString()) << Qt::endl;
    }
    return plan.succeeds() ? Done : Failed;
}

int CliApp::rollback(const QCommandLineParser &parser, const QStringList &args)
{
    ShaderRequest request;
    if (const int refused = readShaderRequest(parser, args, request, false); refused != Done)
        return refused;
    int status = Done;
    upgrade(request, true, status);
    return status;
}

bool CliApp::upgrade(const ShaderRequest &request, bool rollback, int &status)
{
    const ShaderType &shaderType = Configuration::shaderTypes.at(request.type);
    UpgradePlan plan = rollback ? UpgradePlan::rollbackOf(request.shaderDir, Configuration::mrPath)
                                : UpgradePlan::upgrade(shaderType.rows, request.shaderDir, Configuration::mrPath,
                                                       request.link, request.mi);
    if (!rollback && plan.outcome == UpgradePlan::Outcome::NotInstalled)
        return false;
    if (!request.dryRun) {
        if (plan.succeeds() && plan.changed())
            backupRayrc();
        plan.apply();
    }
    // Failures go to stderr whatever stdout carries, as an install's do.
    if (request.json)
        printJson(CliJson::upgrade(plan, request.type, shaderType));
    else
        for (const QString &line : CliText::upgrade(plan))
            out << line << Qt::endl;
    for (const QString &line : CliText::upgradeFailures(plan))
        err << line << Qt::endl;
    status = plan.succeeds() ? Done : Failed;
    return true;
}

int CliApp::config(const QCommandLineParser &parser, const QStringList &args)
{
    if (args.size() == 3 && (args.at(1) == QLatin1String("maya") || args.at(1) == QLatin1String("mr"))) {
        // What typing in the directory field does: init.txt changed in place.
        const QString &directory = args.at(2);
        if (storageProblem(directory, ValueKind::Line) != ValueProblem::None)
            return usageError(tr("init.txt ne peut pas garder ce dossier : il tient sur "
                                 "plusieurs lignes ou l'encodage du système ne sait pas l'écrire."));
        const Configuration::DirectoryWrite written =
            Configuration::setDirectory(directory, args.at(1) == QLatin1String("mr"));
        if (written == Configuration::DirectoryWrite::Busy) {
            err << tr("init.txt n'a pas été modifié : un autre programme Velkarinth garde %1 "
                      "en cours de modification.")
                       .arg(Configuration::initFilePath())
                << Qt::endl;
            return Failed;
        }
        if (written != Configuration::DirectoryWrite::Written) {
            print(err, tr("init.txt n'a pas été modifié : %1 est illisible, ne commence pas par "
                          "[MAYA_PATH], ou n'a pas pu être écrit.")
                           .arg(Configuration::initFilePath()));
            return Failed;
        }
        return Done;
    }
    if (args.size() != 1)
        return usageError(tr("config s'emploie seul, ou avec maya DOSSIER ou mr DOSSIER."));

    if (!loadConfiguration())
        return Failed;
    if (parser.isSet(jsonOption)) {
        QJsonArray types;
        for (const ShaderType &type : std::as_const(Configuration::shaderTypes)) {
            QJsonArray rows;
            for (const ShaderFileRow &row : type.rows)
                rows.append(QJsonObject{{QStringLiteral("extension"), row.extension},
                                        {QStringLiteral("path"), row.path},
                                        {QStringLiteral("mandatory"), row.mandatory}});
            types.append(QJsonObject{{QStringLiteral("name"), type.name},
                                     {QStringLiteral("rows"), rows}});
        }
        QJsonObject lastDirectories;
        for (int i = 0; i < Configuration::lastDirectories.size(); ++i)
            lastDirectories.insert(Configuration::settingsKeys.value(i),
                                   Configuration::lastDirectories.at(i));
        printJson({{QStringLiteral("initFile"), Configuration::initFilePath()},
                   {QStringLiteral("settingsFile"), Configuration::settingsFilePath()},
                   {QStringLiteral("mayaPath"), Configuration::mayaPath},
                   {QStringLiteral("mrPath"), Configuration::mrPath},
                   {QStringLiteral("shaderTypes"), types},
                   {QStringLiteral("lastDirectories"), lastDirectories}});
        return Done;
    }

    print(out, tr("init.txt : %1").arg(Configuration::initFilePath()));
    print(out, tr("Réglages : %1").arg(Configuration::settingsFilePath()));
    print(out, tr("Maya : %1").arg(Configuration::mayaPath));
    print(out, tr("Mental Ray : %1").arg(Configuration::mrPath));
    for (int n = 0; n < Configuration::shaderTypes.size(); ++n) {
        const ShaderType &type = Configuration::shaderTypes.at(n);
        print(out, tr("Type %1 : %2").arg(n).arg(type.name));
        for (const ShaderFileRow &row : type.rows)
            print(out, QStringLiteral("  %1 -> %2 (%3)")
                           .arg(row.extension, row.path,
                                row.mandatory ? tr("obligatoire") : tr("facultatif")));
    }
    return Done;
}

int CliApp::status(const QCommandLineParser &parser, const QStringList &args)
{
    if (args.size() > 2 || (args.size() == 2 && args.at(1).isEmpty()))
        return usageError(tr("status attend au plus un dossier de Shader."));
    const bool one = args.size() == 2;
    if (!one && (parser.isSet(linkOption) || parser.isSet(miOption)))
        return usageError(tr("status ne prend --link et --mi qu'avec un dossier de Shader."));
    const QString link = parser.value(linkOption);
    const QString mi = parser.value(miOption);
    if (!loadConfiguration())
        return Failed;
    const QStringList paths = one ? QStringList{Receipt::pathFor(args.at(1), rayrcPath(Configuration::mrPath))}
                                  : Receipt::all();
    QList<ReceiptStatus> statuses;
    QStringList problems;
    for (const QString &path : paths) {
        Receipt receipt;
        if (!Receipt::read(path, receipt)) {
            problems << (one ? tr("Aucun reçu : %1 n'est pas installé.").arg(args.at(1))
                             : tr("Reçu illisible : %1").arg(path));
            continue;
        }
        statuses << ReceiptStatus::check(path, receipt, one ? args.at(1) : QString());
        // Installed, but with other lines than the ones asked about.
        statuses.last().otherLines = receipt.otherLines(link, mi);
    }
    if (paths.isEmpty())
        problems << tr("Aucun Shader installé : aucun reçu dans %1.").arg(Receipt::folder());
    bool ok = problems.isEmpty();
    for (const ReceiptStatus &status : std::as_const(statuses))
        ok = ok && status.intact();
    if (parser.isSet(jsonOption)) {
        printJson(CliJson::status(statuses, ok));
    } else {
        for (const ReceiptStatus &status : std::as_const(statuses)) {
            for (const QString &line : CliText::status(status))
                out << line << Qt::endl;
        }
        for (const QString &problem : std::as_const(problems))
            print(out, problem);
    }
    return ok ? Done : Failed;
}

bool CliApp::loadConfiguration()
{
    Configuration::load(false);
    const QString why = Configuration::initFileProblem();
    if (!why.isEmpty())
        print(err, tr("%1 n'a pas pu être lu (%2) : rien n'a été fait.").arg(Configuration::initFilePath(), why));
    return why.isEmpty();
}

int CliApp::usageError(const QString &message)
{
    print(err, message);
    print(err, tr("Voyez %1 --help.").arg(QCoreApplication::applicationName()));
    return UsageError;
}

void CliApp::print(QTextStream &stream, const QString &text)
{
    stream << CliText::printable(text) << Qt::endl;
}

void CliApp::printJson(const QJsonObject &object)
{
    out.flush();
    // JSON is UTF-8 whatever the terminal's encoding.
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

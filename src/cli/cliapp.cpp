#include "cliapp.h"

#include "clijson.h"
#include "clitext.h"
#include "config/configuration.h"
#include "files/writejournal.h"
#include "i18n/translations.h"
#include "install/installplan.h"
#include "install/uninstallplan.h"
#include "rayrc/rayrcentry.h"
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
    , out(stdout)
    , err(stderr)
{
    out.setEncoding(QStringConverter::System);
    err.setEncoding(QStringConverter::System);
}

int CliApp::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Installe un Shader Mental Ray dans Maya, comme l'onglet Shader de Velkarinth."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 tr("install DOSSIER_DU_SHADER, uninstall DOSSIER_DU_SHADER, config, "
                                    "config maya DOSSIER ou config mr DOSSIER"));
    parser.addOptions({directoryOption, linkOption, miOption, typeOption, dryRunOption, jsonOption});

    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(directoryOption) && !QDir::setCurrent(parser.value(directoryOption))) {
        err << tr("Dossier introuvable : %1").arg(parser.value(directoryOption)) << Qt::endl;
        return UsageError;
    }
    // The dialog's rule, and also where the program is installed, since
    // scripts start the command anywhere.
    const QString programDir = QCoreApplication::applicationDirPath();
    const Translations translations = installTranslations(
        QLocale::system().name(),
        translationFolders() << QDir(programDir).filePath(QStringLiteral(VELKARINTH_QM_DIR)));
    // A file a run died writing is put back before anything else is read.
    WriteJournal::setListener([this](const QString &path) {
        err << CliText::failure(WriteJournal::restoredText(path), QString()) << Qt::endl;
    });
    if (!parsed)
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText();
        return Done;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' '
            << QCoreApplication::applicationVersion() << Qt::endl;
        return Done;
    }

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (command == QLatin1String("install"))
        return install(parser, args);
    if (command == QLatin1String("uninstall"))
        return uninstall(parser, args);
    if (command == QLatin1String("config"))
        return config(parser, args);
    return usageError(command.isEmpty() ? tr("Aucune commande donnée.")
                                        : tr("Commande inconnue : %1").arg(command));
}

bool CliApp::readShaderRequest(const QCommandLineParser &parser, const QStringList &args,
                               ShaderRequest &request)
{
    if (args.size() != 2 || args.at(1).isEmpty()) {
        usageError(tr("%1 attend un seul dossier de Shader.").arg(args.at(0)));
        return false;
    }
    request.shaderDir = args.at(1);
    request.link = parser.value(linkOption);
    request.mi = parser.value(miOption);
    // As on the Shader tab, an empty line counts as not given.
    if (request.link.isEmpty() || request.mi.isEmpty()) {
        usageError(tr("%1 attend --link LIGNE et --mi LIGNE.").arg(args.at(0)));
        return false;
    }
    bool isNumber = false;
    request.type = parser.value(typeOption).toInt(&isNumber);
    request.dryRun = parser.isSet(dryRunOption);
    request.json = parser.isSet(jsonOption);

    Configuration::load(false);
    if (!isNumber || request.type < 0 || request.type >= Configuration::shaderTypes.size()) {
        usageError(tr("Aucun type de Shader numéro %1 dans %2.")
                       .arg(parser.value(typeOption), Configuration::initFilePath()));
        return false;
    }
    return true;
}

int CliApp::install(const QCommandLineParser &parser, const QStringList &args)
{
    ShaderRequest request;
    if (!readShaderRequest(parser, args, request))
        return UsageError;
    // What Mental Ray could not read never reaches maya.rayrc, as on the
    // Shader tab. An uninstall takes any line: it only looks for it.
    if (!isRayrcEntry(request.link, u"link") || !isRayrcEntry(request.mi, u"mi"))
        return usageError(
            tr("--link doit commencer par le mot link et --mi par le mot mi, chacun sur une "
               "seule ligne, par exemple :\n%1\n%2")
                .arg(QStringLiteral("link \"{MAYA_LOCATION}/mentalray/lib/velvet.so\";"),
                     QStringLiteral("mi \"{MAYA_LOCATION}/mentalray/include/velvet.mi\";")));
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
    if (!readShaderRequest(parser, args, request))
        return UsageError;
    // A folder that is not there gives nothing to compare with: every file
    // would pass for gone.
    if (!QFileInfo(request.shaderDir).isDir())
        return usageError(tr("Dossier de Shader introuvable : %1").arg(request.shaderDir));
    if (!request.dryRun)
        backupRayrc();
    const ShaderType &shaderType = Configuration::shaderTypes.at(request.type);
    UninstallPlan plan = UninstallPlan::make(shaderType.rows, request.shaderDir,
                                             Configuration::mrPath, request.link, request.mi);
    if (!request.dryRun)
        plan.apply();

    if (request.json) {
        printJson(CliJson::uninstall(plan, request.type, shaderType));
    } else {
        for (const RemoveStep &step : std::as_const(plan.files))
            (step.keepsSomething() ? err : out) << CliText::removal(step, request.dryRun) << Qt::endl;
        if (!plan.backupKept)
            err << CliText::failure(RayrcStep::backupFailedText(plan.backup.path), QString())
                << Qt::endl;
        for (const QString &line : CliText::removal(plan.rayrc, request.dryRun))
            (plan.rayrc.keepsSomething() ? err : out) << line << Qt::endl;
    }
    return plan.succeeds() ? Done : Failed;
}

int CliApp::config(const QCommandLineParser &parser, const QStringList &args)
{
    if (args.size() == 3 && (args.at(1) == QLatin1String("maya") || args.at(1) == QLatin1String("mr"))) {
        // What typing in the directory field does: init.txt changed in place.
        const QString &directory = args.at(2);
        if (storageProblem(directory, ValueKind::Line) != ValueProblem::None)
            return usageError(tr("init.txt ne peut pas garder ce dossier : il tient sur "
                                 "plusieurs lignes ou l'encodage du système ne sait pas l'écrire."));
        const bool written = args.at(1) == QLatin1String("maya")
                                 ? Configuration::setMayaPath(directory)
                                 : Configuration::setMrPath(directory);
        if (!written && Configuration::initFileBusy()) {
            err << tr("init.txt n'a pas été modifié : un autre programme Velkarinth garde %1 "
                      "en cours de modification.")
                       .arg(Configuration::initFilePath())
                << Qt::endl;
            return Failed;
        }
        if (!written) {
            err << tr("init.txt n'a pas été modifié : %1 est illisible, ne commence pas par "
                      "[MAYA_PATH], ou n'a pas pu être écrit.")
                       .arg(Configuration::initFilePath())
                << Qt::endl;
            return Failed;
        }
        return Done;
    }
    if (args.size() != 1)
        return usageError(tr("config s'emploie seul, ou avec maya DOSSIER ou mr DOSSIER."));

    Configuration::load(false);
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

    out << tr("init.txt : %1").arg(Configuration::initFilePath()) << Qt::endl
        << tr("Réglages : %1").arg(Configuration::settingsFilePath()) << Qt::endl
        << tr("Maya : %1").arg(Configuration::mayaPath) << Qt::endl
        << tr("Mental Ray : %1").arg(Configuration::mrPath) << Qt::endl;
    for (int n = 0; n < Configuration::shaderTypes.size(); ++n) {
        const ShaderType &type = Configuration::shaderTypes.at(n);
        out << tr("Type %1 : %2").arg(n).arg(type.name) << Qt::endl;
        for (const ShaderFileRow &row : type.rows)
            out << "  " << row.extension << " -> " << row.path << " ("
                << (row.mandatory ? tr("obligatoire") : tr("facultatif")) << ')' << Qt::endl;
    }
    return Done;
}

int CliApp::usageError(const QString &message)
{
    err << message << Qt::endl
        << tr("Voyez %1 --help.").arg(QCoreApplication::applicationName()) << Qt::endl;
    return UsageError;
}

void CliApp::printJson(const QJsonObject &object)
{
    out.flush();
    // JSON is UTF-8 whatever the terminal's encoding.
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

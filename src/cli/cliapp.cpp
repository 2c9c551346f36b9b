#include "cliapp.h"

#include "clijson.h"
#include "clitext.h"
#include "config/configuration.h"
#include "config/workingfolder.h"
#include "files/paths.h"
#include "files/platform.h"
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

#include <algorithm>
#include <cstdio>

CliApp::CliApp()
    : directoryOption(QStringList{QStringLiteral("C"), QStringLiteral("directory")})
    , quietOption(QStringList{QStringLiteral("q"), QStringLiteral("quiet")})
    , helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})
    , versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")})
    , linkOption(QStringLiteral("link"))
    , miOption(QStringLiteral("mi"))
    , typeOption(QStringLiteral("type"))
    , dryRunOption(QStringLiteral("dry-run"))
    , jsonOption(QStringLiteral("json"))
    , withoutReceiptOption(QStringLiteral("without-receipt"))
    , upgradeOption(QStringLiteral("upgrade"))
    , outDevice(stdout)
    , errDevice(stderr)
    , out(&outDevice)
    , err(&errDevice)
{
    makeOptions();
}

void CliApp::makeOptions()
{
    const QString folder = tr("DOSSIER");
    const QString line = tr("LIGNE");
    directoryOption.setValueName(folder);
    directoryOption.setDescription(tr("Travaille comme si lancé dans DOSSIER."));
    quietOption.setDescription(tr("N'écrit que les échecs."));
    helpOption.setDescription(tr("Affiche l'aide : celle de la commande donnée, ou la liste des commandes."));
    versionOption.setDescription(tr("Affiche la version."));
    linkOption.setValueName(line);
    linkOption.setDescription(tr("La ligne link de maya.rayrc."));
    miOption.setValueName(line);
    miOption.setDescription(tr("La ligne mi de maya.rayrc."));
    typeOption.setValueName(QStringLiteral("N"));
    typeOption.setDefaultValue(QStringLiteral("0"));
    typeOption.setDescription(tr("Le numéro du type de Shader (0 par défaut)."));
    dryRunOption.setDescription(tr("N'écrit rien : dit ce qui serait fait."));
    jsonOption.setDescription(tr("Donne le résultat en un document JSON."));
    withoutReceiptOption.setDescription(tr("Sans reçu, désinstalle ce qui est octet pour octet le Shader."));
    upgradeOption.setDescription(tr("Met le Shader installé à la version de son dossier, entièrement ou pas du tout."));
}

void CliApp::addOptions(QCommandLineParser &parser) const
{
    parser.addOptions({directoryOption, quietOption, helpOption, versionOption});
    for (const QCommandLineOption *option : commandOptions())
        parser.addOption(*option);
}

QList<CliHelp::Command> CliApp::commands() const
{
    const QString shaderDir = tr("DOSSIER_DU_SHADER");
    const QString folder = tr("DOSSIER");
    const QString installed = tr("Le dossier du Shader, tel que donné à install.");
    const QString example = QStringLiteral("/srv/shaders/velvet");
    const QString lines = QStringLiteral(" --link 'link \"{MAYA_LOCATION}/mentalray/lib/velvet.so\";' "
                                         "--mi 'mi \"{MAYA_LOCATION}/mentalray/include/velvet.mi\";'");
    return {
        {QStringLiteral("install"),
         tr("Installe le Shader de DOSSIER_DU_SHADER, ou avec --upgrade le met à la version de ce dossier."),
         tr("Copie chaque fichier du Shader dans le dossier qu'init.txt donne pour son extension, sans "
            "jamais remplacer un fichier, puis écrit les lignes link et mi dans maya.rayrc. Avec --upgrade, "
            "un Shader installé passe à la version de son dossier, entièrement ou pas du tout ; --link et "
            "--mi peuvent alors manquer : celles du reçu servent."),
         {{shaderDir, shaderDir, tr("Le dossier qui contient les fichiers du Shader.")}},
         {&linkOption, &miOption, &typeOption, &dryRunOption, &jsonOption, &upgradeOption},
         tr("installé (ou le serait, avec --dry-run)"),
         tr("l'installation a échoué (ou échouerait) ; une ligne sur la sortie d'erreur par échec"),
         example + lines},
        {QStringLiteral("rollback"),
         tr("Remet la version d'avant la dernière mise à jour du Shader de DOSSIER_DU_SHADER."),
         tr("Les copies gardées remplacent celles de la mise à jour, les copies qu'elle a ajoutées partent et "
            "les lignes d'avant reviennent ; rien n'est fait quand une copie a changé depuis."),
         {{shaderDir, shaderDir, installed}},
         {&typeOption, &dryRunOption, &jsonOption},
         tr("la version d'avant est remise (ou le serait, avec --dry-run)"),
         tr("rien n'a été remis : aucune version d'avant, ou une copie a changé"),
         example + QStringLiteral(" --dry-run")},
        {QStringLiteral("uninstall"),
         tr("Retire ce que l'installation du Shader de DOSSIER_DU_SHADER a mis en place."),
         tr("Retire chaque copie et chaque ligne que nomme le reçu du Shader, tant qu'elle est telle que "
            "l'installation l'a faite ; une copie modifiée reste. Sans reçu, rien n'est retiré, sauf avec "
            "--without-receipt."),
         {{shaderDir, shaderDir, installed}},
         {&linkOption, &miOption, &typeOption, &dryRunOption, &jsonOption, &withoutReceiptOption},
         tr("tout ce que l'installation avait mis est retiré (ou le serait, avec --dry-run)"),
         tr("quelque chose est resté ou n'a pas pu être retiré"),
         example + QStringLiteral(" --dry-run --json")},
        {QStringLiteral("status"),
         tr("Dit si les Shaders installés, ou celui de DOSSIER_DU_SHADER, sont en place et intacts."),
         tr("Répond d'après les reçus : chaque copie est intacte, modifiée ou absente, et chaque ligne "
            "présente ou absente. Rien n'est écrit."),
         {{QLatin1Char('[') + shaderDir + QLatin1Char(']'), shaderDir,
           tr("Le dossier d'un Shader installé ; sans lui, tous les Shaders installés.")}},
         {&linkOption, &miOption, &jsonOption},
         tr("installé jusqu'au bout et intact (avec --link et --mi : avec ces lignes)"),
         tr("autre chose, ou aucun reçu"),
         example + QStringLiteral(" --json")},
        {QStringLiteral("config"),
         tr("Montre la configuration lue dans init.txt, ou y écrit le dossier Maya ou Mental Ray."),
         tr("Seule, montre init.txt, les dossiers et chaque type de Shader. Avec maya ou mr, change la "
            "ligne de ce dossier dans init.txt, toutes les autres gardées telles quelles."),
         // The usage line reads "config [maya DIR | mr DIR]".
         {{QStringLiteral("[maya ") + folder, QStringLiteral("maya ") + folder,
           tr("Écrit DOSSIER comme dossier de Maya (ligne 2 d'init.txt).")},
          {QStringLiteral("| mr ") + folder + QLatin1Char(']'), QStringLiteral("mr ") + folder,
           tr("Écrit DOSSIER comme dossier de Mental Ray (ligne 4 d'init.txt).")}},
         {&jsonOption},
         tr("fait"),
         tr("init.txt n'a pas pu être lu ou écrit"),
         QStringLiteral("mr /opt/maya/mentalray")},
    };
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

// Whether an option is among the arguments a parser could not read: the
// output asked for is still given.
bool given(const QStringList &arguments, const QCommandLineOption &option)
{
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const QStringList options = end < 0 ? arguments.mid(1) : arguments.mid(1, end - 1);
    return std::any_of(option.names().cbegin(), option.names().cend(), [&options](const QString &name) {
        return options.contains((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    });
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
    const qsizetype undecodable = firstUndecodable(raw);
    // Where to work is read first: the catalogue may be there, and every
    // text, the options' and the parser's own, is looked up in it.
    bool moved = true;
    {
        QCommandLineParser first;
        addOptions(first);
        if (undecodable == 0 && first.parse(arguments) && first.isSet(directoryOption))
            moved = QDir::setCurrent(first.value(directoryOption));
    }
    // The dialog's rule, and also where the program is installed, since
    // scripts start the command anywhere. Qt's words follow the program's
    // language, not the locale's: the help is one text.
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString locale = QLocale::system().name();
    translations.program = installTranslation(
        locale, translationFolders() << QDir(programDir).filePath(QStringLiteral(VELKARINTH_QM_DIR)));
    const bool english = translations.program && !translations.program->isEmpty();
    translations.qt = installQtTranslation(english ? QStringLiteral("en") : QStringLiteral("fr"));
    makeOptions();

    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(arguments);
    json = parsed ? parser.isSet(jsonOption) : given(arguments, jsonOption);
    quiet = parsed ? parser.isSet(quietOption) : given(arguments, quietOption);
    const QStringList args = parser.positionalArguments();
    command = args.value(0);
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
    if (parser.isSet(versionOption)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return Done;
    }
    const QList<CliHelp::Command> known = commands();
    const auto named = std::find_if(known.cbegin(), known.cend(),
                                    [this](const CliHelp::Command &each) { return each.name == command; });
    if (parser.isSet(helpOption) && command.isEmpty()) {
        out << CliHelp::overview(known, {directoryOption, quietOption, helpOption, versionOption});
        return Done;
    }
    if (named == known.cend())
        return usageError(command.isEmpty() ? tr("Aucune commande donnée.") : tr("Commande inconnue : %1").arg(command));
    if (parser.isSet(helpOption)) {
        out << CliHelp::of(*named, {directoryOption, quietOption, helpOption});
        return Done;
    }
    // Before anything there is read, a journal replayed or a receipt believed.
    if (const QString why = WorkingFolder::untrusted(); !why.isEmpty())
        return refuse(Failed, QStringLiteral("untrusted-folder"), why);
    UpgradePlan::setListener([this](const QString &text) { print(err, text); });
    UpgradePlan::recover();

    // Changing a directory has nothing to preview or report: init.txt is
    // changed in place, or the run fails.
    const bool setter = command == QLatin1String("config") && args.size() > 1;
    if (!takesOnly(parser, setter ? command + QLatin1Char(' ') + args.value(1) : command,
                   setter ? QList<const QCommandLineOption *>{} : named->options))
        return UsageError;
    if (command == QLatin1String("install"))
        return install(parser, args);
    if (command == QLatin1String("uninstall"))
        return uninstall(parser, args);
    if (command == QLatin1String("rollback"))
        return rollback(parser, args);
    if (command == QLatin1String("status"))
        return status(parser, args);
    return config(parser, args);
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
    request.withoutReceipt = parser.isSet(withoutReceiptOption);

    if (!loadConfiguration())
        return Failed;
    if (!isNumber || request.type < 0 || request.type >= Configuration::shaderTypes.size())
        return usageError(tr("Aucun type de Shader numéro %1 dans %2.")
                              .arg(parser.value(typeOption), Configuration::initFilePath()));
    return Done;
}

int CliApp::checkShaderFolder(const QString &shaderDir, const QVector<ShaderFileRow> &rows)
{
    const QString shown = CliJson::path(shaderDir);
    const QJsonObject facts{{QStringLiteral("shaderDir"), shown}};
    FileId shader;
    if (!folderId(shaderDir, shader))
        return refuse(Failed, QStringLiteral("no-shader-folder"),
                      tr("Le dossier du Shader %1 n'existe pas ou n'est pas un dossier.").arg(shown), facts);
    // Below it, the search would take the installed copies for the shader's
    // own files.
    for (const ShaderFileRow &row : rows) {
        for (QString folder = QFileInfo(row.path).canonicalFilePath(); !folder.isEmpty();) {
            FileId id;
            if (folderId(folder, id) && id == shader)
                return refuse(Failed, QStringLiteral("destination-in-shader-folder"),
                              tr("Le dossier du Shader %1 est ou contient %2, le dossier de destination de "
                                 "l'extension « %3 » : les copies installées y seraient prises pour les "
                                 "fichiers du Shader.")
                                  .arg(shown, nativePath(row.path), row.extension),
                              facts);
            const QString up = QFileInfo(folder).path();
            folder = up == folder ? QString() : up;
        }
    }
    return Done;
}

int CliApp::install(const QCommandLineParser &parser, const QStringList &args)
{
    ShaderRequest request;
    const bool upgrading = parser.isSet(upgradeOption);
    if (const int refused = readShaderRequest(parser, args, request, !upgrading); refused != Done)
        return refused;
    // What Mental Ray could not read never reaches maya.rayrc, as on the
    // Shader tab. An uninstall takes any line: it only looks for it.
    if ((!request.link.isEmpty() && !isRayrcEntry(request.link, u"link"))
        || (!request.mi.isEmpty() && !isRayrcEntry(request.mi, u"mi")))
        return usageError(
            tr("--link doit commencer par le mot link et --mi par le mot mi, chacun sur une "
               "seule ligne, par exemple :\n%1\n%2")
                .arg(rayrcEntryExample(u"link"), rayrcEntryExample(u"mi")));
    const ShaderType &shaderType = Configuration::shaderTypes.at(request.type);
    if (const int refused = checkShaderFolder(request.shaderDir, shaderType.rows); refused != Done)
        return refused;
    // The receipt's lines serve when none are given.
    if (int status = Done; upgrading && upgrade(request, false, status))
        return status;
    if (upgrading && (request.link.isEmpty() || request.mi.isEmpty()))
        return usageError(tr("%1 attend --link LIGNE et --mi LIGNE.").arg(args.at(0)));
    // The day's backup, as the dialog takes it at start-up; a preview or a
    // usage error writes nothing.
    if (!request.dryRun)
        backupRayrc();
    InstallPlan plan = InstallPlan::make(shaderType.rows, request.shaderDir, Configuration::mrPath,
                                         request.link, request.mi);
    if (request.dryRun && !json) {
        for (const QString &line : CliText::planned(plan, quiet))
            out << line << Qt::endl;
    } else if (!request.dryRun) {
        StreamReporter reporter(out, err, json || quiet);
        plan.apply(reporter);
    }
    if (json)
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
        if (const int refused = checkShaderFolder(request.shaderDir, {}); refused != Done)
            return refused;
    }
    if (!request.dryRun) {
        backupRayrc();
        plan.apply();
    }

    if (json) {
        printJson(CliJson::uninstall(plan, request.type, shaderType));
    } else if (plan.otherLines) {
        print(err, CliText::otherLines(plan.held) + QLatin1Char(' ') + tr("Rien n'a été retiré."));
    } else {
        for (const RemoveStep &step : std::as_const(plan.files)) {
            if (step.keepsSomething() || !quiet)
                (step.keepsSomething() ? err : out) << CliText::removal(step, request.dryRun) << Qt::endl;
        }
        if (!plan.backupKept())
            err << CliText::failure(RayrcStep::backupFailedText(plan.backup.path), QString())
                << Qt::endl;
        for (const QString &line : CliText::removal(plan.rayrc, request.dryRun)) {
            if (plan.rayrc.keepsSomething() || !quiet)
                (plan.rayrc.keepsSomething() ? err : out) << line << Qt::endl;
        }
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
    if (json)
        printJson(CliJson::upgrade(plan, request.type, shaderType));
    else if (!quiet)
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
        const bool existed = initFileExists();
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
        if (!existed)
            warn(tr("%1 n'existait pas : il a été créé avec ce seul dossier.").arg(Configuration::initFilePath()));
        // Any text is taken, as in the directory field; a mistyped one is
        // said at once rather than at the next install.
        if (!directory.isEmpty() && !QFileInfo(directory).isDir())
            warn(tr("%1 n'est pas un dossier : init.txt le garde tout de même.").arg(CliJson::path(directory)));
        return Done;
    }
    if (args.size() != 1)
        return usageError(tr("config s'emploie seul, ou avec maya DOSSIER ou mr DOSSIER."));

    if (!loadConfiguration())
        return Failed;
    const bool exists = initFileExists();
    if (json) {
        QJsonArray types;
        for (const ShaderType &type : std::as_const(Configuration::shaderTypes)) {
            QJsonArray rows;
            for (const ShaderFileRow &row : type.rows)
                rows.append(QJsonObject{{QStringLiteral("extension"), row.extension},
                                        {QStringLiteral("path"), CliJson::path(row.path)},
                                        {QStringLiteral("mandatory"), row.mandatory}});
            types.append(QJsonObject{{QStringLiteral("name"), type.name},
                                     {QStringLiteral("rows"), rows}});
        }
        QJsonObject lastDirectories;
        for (int i = 0; i < Configuration::lastDirectories.size(); ++i)
            lastDirectories.insert(Configuration::settingsKeys.value(i),
                                   CliJson::path(Configuration::lastDirectories.at(i)));
        printJson({{QStringLiteral("command"), command},
                   {QStringLiteral("ok"), true},
                   {QStringLiteral("initFile"), QJsonObject{{QStringLiteral("path"), Configuration::initFilePath()},
                                                            {QStringLiteral("exists"), exists}}},
                   {QStringLiteral("settingsFile"), CliJson::path(Configuration::settingsFilePath())},
                   {QStringLiteral("mayaPath"), CliJson::path(Configuration::mayaPath)},
                   {QStringLiteral("mrPath"), CliJson::path(Configuration::mrPath)},
                   {QStringLiteral("shaderTypes"), types},
                   {QStringLiteral("lastDirectories"), lastDirectories}});
        return Done;
    }
    if (quiet)
        return Done;
    print(out, (exists ? tr("init.txt : %1") : tr("init.txt : %1 (absent)")).arg(Configuration::initFilePath()));
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
    if (json) {
        printJson(CliJson::status(statuses, ok));
    } else {
        for (const ReceiptStatus &status : std::as_const(statuses)) {
            if (quiet && status.intact())
                continue;
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
    if (!why.isEmpty()) {
        refuse(Failed, QStringLiteral("init-unreadable"),
               tr("%1 n'a pas pu être lu (%2) : rien n'a été fait.").arg(Configuration::initFilePath(), why));
        return false;
    }
    if (!initFileExists())
        warn(tr("%1 n'existe pas : la configuration par défaut sert, sans aucun dossier.")
                 .arg(Configuration::initFilePath()));
    return true;
}

bool CliApp::initFileExists()
{
    return nameTaken(Configuration::initFilePath());
}

int CliApp::refuse(int status, const QString &key, const QString &message, const QJsonObject &facts)
{
    print(err, message);
    if (json) {
        QJsonObject document = facts;
        if (!command.isEmpty())
            document.insert(QStringLiteral("command"), command);
        document.insert(QStringLiteral("ok"), false);
        document.insert(QStringLiteral("error"), key);
        document.insert(QStringLiteral("message"), message);
        printJson(document);
    }
    return status;
}

int CliApp::usageError(const QString &message)
{
    refuse(UsageError, QStringLiteral("usage"), message);
    const QList<CliHelp::Command> known = commands();
    const bool one = std::any_of(known.cbegin(), known.cend(),
                                 [this](const CliHelp::Command &each) { return each.name == command; });
    const QString program = QCoreApplication::applicationName();
    print(err, tr("Voyez %1 --help.").arg(one ? program + QLatin1Char(' ') + command : program));
    return UsageError;
}

void CliApp::warn(const QString &text)
{
    if (!quiet)
        print(err, text);
}

void CliApp::print(QTextStream &stream, const QString &text)
{
    stream << CliText::printable(text) << Qt::endl;
}

void CliApp::printJson(const QJsonObject &object)
{
    out.flush();
    outDevice.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
    std::fflush(stdout);
}

#include "clihelp.h"

#include <QCommandLineParser>

namespace {
// Two columns as QCommandLineParser lays out its options: the names, then
// the meanings, wrapped at 79 columns under one another.
QString columns(const QList<std::pair<QString, QString>> &rows)
{
    qsizetype width = 0;
    for (const auto &row : rows)
        width = qMax(width, row.first.size());
    const QString indent(width + 4, QLatin1Char(' '));
    QString text;
    for (const auto &[name, meaning] : rows) {
        QString line = QLatin1String("  ") + name.leftJustified(width) + QLatin1String("  ");
        bool first = true;
        for (const QString &word : meaning.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!first && line.size() + 1 + word.size() > 79) {
                text += line + QLatin1Char('\n');
                line = indent;
                first = true;
            }
            line += (first ? QString() : QStringLiteral(" ")) + word;
            first = false;
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

QString section(const QString &heading, const QString &body)
{
    return QLatin1Char('\n') + heading + QLatin1Char('\n') + body;
}

QString example(const CliHelp::Command &command)
{
    return QLatin1String("  $ ") + QCoreApplication::applicationName() + QLatin1Char(' ') + command.name
           + QLatin1Char(' ') + command.example + QLatin1Char('\n');
}
}

QString CliHelp::overview(const QList<Command> &commands, const QList<QCommandLineOption> &common)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Installe les fichiers d'un Shader Mental Ray dans Maya et écrit ses "
                                        "lignes link et mi dans maya.rayrc."));
    parser.addOptions(common);
    // Each command's options once, saying which commands take it.
    QList<const QCommandLineOption *> options;
    for (const Command &command : commands) {
        for (const QCommandLineOption *option : command.options) {
            if (!options.contains(option))
                options << option;
        }
    }
    for (const QCommandLineOption *option : std::as_const(options)) {
        QStringList takers;
        for (const Command &command : commands) {
            if (command.options.contains(option))
                takers << command.name;
        }
        QCommandLineOption shown = *option;
        shown.setDescription(QStringLiteral("%1 (%2)").arg(option->description(), takers.join(QLatin1String(", "))));
        parser.addOption(shown);
    }
    parser.addPositionalArgument(tr("COMMANDE"), tr("Une des commandes ci-dessous, suivie de ses arguments."),
                                 tr("COMMANDE [ARGUMENTS]"));

    QList<std::pair<QString, QString>> list;
    QString examples;
    for (const Command &command : commands) {
        list.append({command.name, command.summary});
        examples += example(command);
    }
    return parser.helpText() + section(tr("Commandes :"), columns(list)) + QLatin1Char('\n')
           + tr("%1 COMMANDE --help donne les arguments, les options, le code de sortie et un exemple d'une "
                "commande.")
                 .arg(QCoreApplication::applicationName())
           + QLatin1Char('\n')
           + tr("Sortie en UTF-8, le JSON aussi ; une console Windows reçoit de l'UTF-16 et montre chaque "
                "caractère.")
           + QLatin1Char('\n')
           + exitStatus(tr("fait (ou le serait, avec --dry-run)"),
                        tr("échec : une ligne sur la sortie d'erreur dit pourquoi"))
           + section(tr("Exemples :"), examples);
}

QString CliHelp::of(const Command &command, const QList<QCommandLineOption> &common)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.description);
    parser.addOptions(common);
    for (const QCommandLineOption *option : command.options)
        parser.addOption(*option);
    QString name = command.name;
    for (const Command::Argument &argument : command.arguments) {
        parser.addPositionalArgument(argument.name, argument.description,
                                     name.isEmpty() ? argument.syntax : name + QLatin1Char(' ') + argument.syntax);
        name.clear();
    }
    return parser.helpText() + exitStatus(command.done, command.failed)
           + section(tr("Exemple :"), example(command));
}

QString CliHelp::exitStatus(const QString &done, const QString &failed)
{
    return section(tr("Code de sortie :"),
                   columns({{QStringLiteral("0"), done},
                            {QStringLiteral("1"), failed},
                            {QStringLiteral("2"), tr("erreur d'usage : rien n'a été fait")},
                            {QStringLiteral("3"), tr("fait, mais la sortie n'a pas pu être écrite en entier")}}));
}

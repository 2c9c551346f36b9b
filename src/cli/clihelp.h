#ifndef CLIHELP_H
#define CLIHELP_H

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The help, laid out by QCommandLineParser: the list of commands, or one
// command's arguments and options, then what its exit status means and an
// example.
class CliHelp
{
    Q_DECLARE_TR_FUNCTIONS(CliHelp)

public:
    struct Command
    {
        QString name;
        // One line, in the list of commands.
        QString summary;
        // What its help says under the usage line.
        QString description;
        // Its arguments, each with its part of the usage line, its name and
        // its meaning.
        struct Argument
        {
            QString syntax;
            QString name;
            QString description;
        };
        QList<Argument> arguments;
        QList<const QCommandLineOption *> options;
        // What exit status 0 and 1 mean for it.
        QString done;
        QString failed;
        // What follows its name in one run.
        QString example;
    };

    // common: the options every command takes.
    static QString overview(const QList<Command> &commands, const QList<QCommandLineOption> &common);
    static QString of(const Command &command, const QList<QCommandLineOption> &common);

private:
    // What each exit status means, 0 and 1 as given.
    static QString exitStatus(const QString &done, const QString &failed);
};

#endif

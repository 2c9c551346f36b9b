#ifndef CLIAPP_H
#define CLIAPP_H

#include "clihelp.h"
#include "i18n/translations.h"
#include "install/shaderfilerow.h"
#include "stdstream.h"

#include <QByteArrayList>
#include <QCommandLineOption>
#include <QCoreApplication>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>
#include <QTranslator>

class QCommandLineParser;

// velkarinth-cli: the installation, its preview and the configuration, for
// scripts. Exit status 0 done, 1 failed, 2 usage error, 3 done but the
// output could not be written.
class CliApp
{
    Q_DECLARE_TR_FUNCTIONS(CliApp)

public:
    enum Status { Done = 0, Failed = 1, UsageError = 2, OutputLost = 3 };

    CliApp();
    // arguments as Qt decoded them, raw as the program was given them.
    int run(const QStringList &arguments, const QByteArrayList &raw);

private:
    // What install and uninstall are asked to do.
    struct ShaderRequest
    {
        QString shaderDir;
        QString link;
        QString mi;
        int type = 0;
        bool dryRun = false;
        bool withoutReceipt = false;
        bool upgrade = false;
    };
    // Reads the request and loads the configuration, writing nothing; false
    // after a usage error.
    // lines: whether --link and --mi must be given; else the receipt's are
    // taken when they are not.
    // Done, or the exit status of the refusal it printed.
    int readShaderRequest(const QCommandLineParser &parser, const QStringList &args, ShaderRequest &request,
                          bool lines = true);
    // Loads init.txt; false, saying why, when one is there but cannot be read.
    bool loadConfiguration();
    // Whether init.txt is there at all, a link to nothing included.
    static bool initFileExists();
    // The options, their texts in the language the catalogues just set.
    void makeOptions();
    void addOptions(QCommandLineParser &parser) const;
    int runCommand(const QStringList &arguments, const QByteArrayList &raw);
    // Each command, what it takes and what its help says; the options it
    // takes are the only ones it accepts.
    QList<CliHelp::Command> commands() const;
    // Every option but -C, -q and the help's, which every command takes.
    QList<const QCommandLineOption *> commandOptions() const
    {
        return {&linkOption, &miOption, &typeOption, &dryRunOption, &jsonOption, &withoutReceiptOption,
                &upgradeOption};
    }
    // A usage error for the first option set that command does not take.
    bool takesOnly(const QCommandLineParser &parser, const QString &command,
                   const QList<const QCommandLineOption *> &taken);
    int install(const QCommandLineParser &parser, const QStringList &args);
    int uninstall(const QCommandLineParser &parser, const QStringList &args);
    // install --upgrade and rollback; an upgrade with nothing installed is
    // left to the plain install (false).
    bool upgrade(const ShaderRequest &request, bool rollback, int &status);
    int rollback(const QCommandLineParser &parser, const QStringList &args);
    int config(const QCommandLineParser &parser, const QStringList &args);
    int status(const QCommandLineParser &parser, const QStringList &args);
    // Refuses a shader folder that is not one, or that is or holds a folder
    // one of the rows copies into; Done when it can be searched.
    int checkShaderFolder(const QString &shaderDir, const QVector<ShaderFileRow> &rows);
    // A run that stops before doing anything: its message on stderr and,
    // with --json, a document that says why under that key.
    int refuse(int status, const QString &key, const QString &message, const QJsonObject &facts = {});
    int usageError(const QString &message);
    // A remark that is no failure, left out under --quiet.
    void warn(const QString &text);
    // One line of text for a person, control characters escaped.
    void print(QTextStream &stream, const QString &text);
    void printJson(const QJsonObject &object);

    QCommandLineOption directoryOption;
    QCommandLineOption quietOption;
    QCommandLineOption helpOption;
    QCommandLineOption versionOption;
    QCommandLineOption linkOption;
    QCommandLineOption miOption;
    QCommandLineOption typeOption;
    QCommandLineOption dryRunOption;
    QCommandLineOption jsonOption;
    QCommandLineOption withoutReceiptOption;
    QCommandLineOption upgradeOption;

    // The command given, and how its output is asked for.
    QString command;
    bool json = false;
    bool quiet = false;

    StdStream outDevice;
    StdStream errDevice;
    QTextStream out;
    QTextStream err;
    // Held to the end: a lost output is told after the command.
    Translations translations;
};

#endif

#ifndef CLIAPP_H
#define CLIAPP_H

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

class QCommandLineParser;
class QJsonObject;

// velkarinth-cli: the Shader tab's installation, its preview and the
// configuration, for scripts. Exit status 0 done, 1 failed, 2 usage error.
class CliApp
{
    Q_DECLARE_TR_FUNCTIONS(CliApp)

public:
    enum Status { Done = 0, Failed = 1, UsageError = 2 };

    CliApp();
    int run(const QStringList &arguments);

private:
    // What install and uninstall are asked to do.
    struct ShaderRequest
    {
        QString shaderDir;
        QString link;
        QString mi;
        int type = 0;
        bool dryRun = false;
        bool json = false;
    };
    // Reads the request and loads the configuration, writing nothing; false
    // after a usage error.
    bool readShaderRequest(const QCommandLineParser &parser, const QStringList &args,
                           ShaderRequest &request);
    int install(const QCommandLineParser &parser, const QStringList &args);
    int uninstall(const QCommandLineParser &parser, const QStringList &args);
    int config(const QCommandLineParser &parser, const QStringList &args);
    int usageError(const QString &message);
    void printJson(const QJsonObject &object);

    const QCommandLineOption directoryOption;
    const QCommandLineOption linkOption;
    const QCommandLineOption miOption;
    const QCommandLineOption typeOption;
    const QCommandLineOption dryRunOption;
    const QCommandLineOption jsonOption;

    QTextStream out;
    QTextStream err;
};

#endif

#ifndef CLIAPP_H
#define CLIAPP_H

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
    int install(const QCommandLineParser &parser, const QStringList &args);
    int config(const QCommandLineParser &parser, const QStringList &args);
    int usageError(const QString &message);
    void printJson(const QJsonObject &object);

    QTextStream out;
    QTextStream err;
};

#endif

#include "cliapp.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velkarinth-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELKARINTH_VERSION));
    return CliApp().run(app.arguments());
}

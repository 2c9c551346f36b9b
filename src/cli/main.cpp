#include "cliapp.h"
#include "files/platform.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    ignoreBrokenPipe();
    // The bytes as given: Qt's decoding hides those that are not text.
    QByteArrayList raw;
    for (int i = 0; i < argc; ++i)
        raw << QByteArray(argv[i]);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velkarinth-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELKARINTH_VERSION));
    return CliApp().run(app.arguments(), raw);
}

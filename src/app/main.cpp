#include "config/configuration.h"
#include "fileevents.h"
#include "files/fileidentity.h"
#include "i18n/translations.h"
#include "tabdialog.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    ignoreBrokenPipe();
    QApplication app(argc, argv);
    const Translations translations =
        installTranslations(QLocale::system().name(), translationFolders());
    showFileEvents();
    Configuration::load();
    TabDialog dialog;
    return dialog.exec();
}

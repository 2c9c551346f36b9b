// Starts as the program does and quits once the first dialog is shown, or
// shows an empty QDialog: the two processes the start-up figure compares.
#include "config/configuration.h"
#include "i18n/translations.h"
#include "tabdialog.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool empty = app.arguments().value(1) == QLatin1String("empty");
    Translations translations;
    std::unique_ptr<QDialog> dialog;
    if (empty) {
        dialog = std::make_unique<QDialog>();
    } else {
        translations = installTranslations(QLocale::system().name(), translationFolders());
        Configuration::load();
        dialog = std::make_unique<TabDialog>();
    }
    QTimer::singleShot(0, dialog.get(), &QDialog::accept);
    dialog->exec();
    return 0;
}

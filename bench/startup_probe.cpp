// Starts as the program does and quits once the first dialog is shown, or
// shows an empty QDialog: the two processes the start-up figure compares.
// With "--phases" after the mode it prints on stderr how long each step of
// the start-up took, to tell where the time above a bare dialog goes.
#include "config/configuration.h"
#include "i18n/translations.h"
#include "tabdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    const bool phases = argc > 2 && qstrcmp(argv[2], "--phases") == 0;
    const auto phase = [&](const char *name) {
        if (phases)
            std::fprintf(stderr, "%-28s %7.2f ms\n", name, clock.nsecsElapsed() / 1e6);
        clock.restart();
    };
    QApplication app(argc, argv);
    phase("QApplication");
    const bool empty = app.arguments().value(1) == QLatin1String("empty");
    Translations translations;
    std::unique_ptr<QDialog> dialog;
    if (empty) {
        dialog = std::make_unique<QDialog>();
        phase("QDialog");
    } else {
        translations = installTranslations(QLocale::system().name(), translationFolders());
        phase("catalogues, checked");
        Configuration::load();
        phase("init.txt, settings, backup");
        dialog = std::make_unique<TabDialog>();
        phase("TabDialog");
    }
    QTimer::singleShot(0, dialog.get(), &QDialog::accept);
    dialog->exec();
    phase("shown");
    return 0;
}

// Starts as the program does and quits once the first dialog is shown, or
// shows an empty QDialog ("empty") or one holding a line of text ("text"):
// the processes the start-up figures compare. The text is what any dialog
// with words pays first: the font database.
// With "--phases" after the mode it prints on stderr how long each step of
// the start-up took, to tell where the time above a bare dialog goes.
#include "config/configuration.h"
#include "i18n/translations.h"
#include "tabdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
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
    const QString mode = app.arguments().value(1);
    Translations translations;
    std::unique_ptr<QDialog> dialog;
    if (mode == QLatin1String("empty") || mode == QLatin1String("text")) {
        dialog = std::make_unique<QDialog>();
        if (mode == QLatin1String("text"))
            new QLabel(QStringLiteral("Velkarinth"), dialog.get());
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

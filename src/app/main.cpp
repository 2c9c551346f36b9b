#include "config/configuration.h"
#include "config/workingfolder.h"
#include "fileevents.h"
#include "messageboxreporter.h"
#include "files/platform.h"
#include "i18n/translations.h"
#include "install/upgradeplan.h"
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
    if (const QString why = WorkingFolder::enterUserFolder(); !why.isEmpty()) {
        showPlainTextBox(nullptr, QMessageBox::Critical, QStringLiteral("Velkarinth"), why);
        return 0;
    }
    // Before anything there is read, a journal replayed or a receipt believed.
    if (const QString why = WorkingFolder::untrusted(); !why.isEmpty()) {
        showPlainTextBox(nullptr, QMessageBox::Critical, WorkingFolder::title(), why);
        return 0;
    }
    UpgradePlan::recover();
    Configuration::load();
    TabDialog dialog;
    return dialog.exec();
}

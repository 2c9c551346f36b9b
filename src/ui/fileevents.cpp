#include "fileevents.h"
#include "messageboxreporter.h"

#include "files/filelock.h"
#include "files/writejournal.h"
#include "install/upgradeplan.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

void showFileEvents()
{
    FileLock::setWaiter([] {
        // Clicks wait: an install must not start in the middle of another.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    });
    // Later, once no lock is held and the dialog is up.
    const auto later = [](const QString &text) {
        QTimer::singleShot(0, qApp, [text] {
            showPlainTextBox(QApplication::activeWindow(), QMessageBox::Warning, QStringLiteral("Velkarinth"), text);
        });
    };
    WriteJournal::setListener([later](const QString &path) { later(WriteJournal::restoredText(path)); });
    UpgradePlan::setListener(later);
}

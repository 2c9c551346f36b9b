#include "fileevents.h"
#include "messageboxreporter.h"

#include "files/filelock.h"
#include "files/writejournal.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

void showFileEvents()
{
    FileLock::setWaiter([] {
        // Clicks wait: an install must not start in the middle of another.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    });
    WriteJournal::setListener([](const QString &path) {
        // Later, once no lock is held and the dialog is up.
        QTimer::singleShot(0, qApp, [path] {
            showPlainTextBox(QApplication::activeWindow(), QMessageBox::Warning,
                             QStringLiteral("Velkarinth"), WriteJournal::restoredText(path));
        });
    });
}

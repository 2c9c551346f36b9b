#ifndef MESSAGEBOXREPORTER_H
#define MESSAGEBOXREPORTER_H

#include "install/installreporter.h"

#include <QMessageBox>

// A modal box whose texts are never read as markup: file names and lines
// come from the user.
void showPlainTextBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                      const QString &text, const QString &details = QString());

// Shows each failure of an installation in its own modal box, as it happens:
// critical for a mandatory file or maya.rayrc, a warning for an optional file.
class MessageBoxReporter : public InstallReporter
{
public:
    explicit MessageBoxReporter(QWidget *parent);

    void copyFailed(const CopyStep &step) override;
    void rayrcFailed(const RayrcStep &step) override;
    void backupFailed(const QString &backupPath) override;
    void receiptFailed(const QString &path) override;

private:
    QWidget *parent;
};

#endif

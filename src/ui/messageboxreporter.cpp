#include "messageboxreporter.h"

#include "install/copystep.h"
#include "install/receipt.h"
#include "rayrc/rayrcstep.h"

#include <QLabel>
#include <QMessageBox>

void showPlainTextBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                      const QString &text, const QString &details)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // File names and lines come from the user: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(details);
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    box.exec();
}

MessageBoxReporter::MessageBoxReporter(QWidget *parent)
    : parent(parent)
{
}

void MessageBoxReporter::copyFailed(const CopyStep &step)
{
    showPlainTextBox(parent, step.mandatory ? QMessageBox::Critical : QMessageBox::Warning, step.title(),
            step.text(), step.details());
}

void MessageBoxReporter::backupFailed(const QString &backupPath)
{
    showPlainTextBox(parent, QMessageBox::Warning, RayrcStep().title(),
            RayrcStep::backupFailedText(backupPath), QString());
}

void MessageBoxReporter::receiptFailed(const QString &path)
{
    showPlainTextBox(parent, QMessageBox::Warning, RayrcStep().title(), Receipt::failedText(path), QString());
}

void MessageBoxReporter::rayrcFailed(const RayrcStep &step)
{
    showPlainTextBox(parent, QMessageBox::Critical, step.title(), step.text(), step.details());
}

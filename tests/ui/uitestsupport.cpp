#include "uitestsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

QWidget *nextTabStop(QWidget *widget)
{
    do
        widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus));
    return widget;
}

struct ModalWatcher::Private
{
    QTimer timer;
};

ModalWatcher::ModalWatcher(std::function<QString(const QString &)> folderAnswer)
    : d(new Private)
{
    d->timer.setInterval(0);
    QObject::connect(&d->timer, &QTimer::timeout, [this, folderAnswer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            const auto *details = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
            boxes.append({box->icon(), box->windowTitle(), box->text(), box->informativeText(),
                          box->textFormat() == Qt::PlainText
                              && (!details || details->textFormat() == Qt::PlainText),
                          box->parentWidget()});
            const QList<QAbstractButton *> buttons = box->buttons();
            const auto pressed = std::find_if(buttons.cbegin(), buttons.cend(),
                                              [this](const QAbstractButton *button) { return button->text() == pressing; });
            if (pressed != buttons.cend())
                (*pressed)->click();
            else
                box->close();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            folderDialogStarts.append(dialog->directory().absolutePath());
            folderDialogTitles.append(dialog->windowTitle());
            folderDialogDirsOnly.append(dialog->testOption(QFileDialog::ShowDirsOnly)
                                        && dialog->fileMode() == QFileDialog::Directory);
            const QString choice = folderAnswer ? folderAnswer(dialog->directory().absolutePath())
                                                : QString();
            if (choice.isEmpty()) {
                dialog->reject();
            } else {
                dialog->setDirectory(choice);
                dialog->selectFile(choice);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        }
    });
    d->timer.start();
}

ModalWatcher::~ModalWatcher() = default;

#ifndef UITESTSUPPORT_H
#define UITESTSUPPORT_H

#include "testsupport.h"

#include <QMessageBox>

#include <functional>
#include <memory>

class QWidget;

// The widget Tab moves to from widget: labels and group boxes are passed over.
QWidget *nextTabStop(QWidget *widget);

// One modal window the test saw and closed.
struct SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QString details; // the informative text
    // Whether both texts are shown as plain text, never read as markup.
    bool plain = false;
    QWidget *parent = nullptr;
};

// Watches for modal windows while alive: each message box is recorded and
// closed; a folder dialog is answered through the handler, which gets it and
// returns the directory to choose (empty to cancel).
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<QString(const QString &startDirectory)> folderAnswer = {});
    ~ModalWatcher();

    QList<SeenBox> boxes;
    // The text of the button to press in a box that has one; others close.
    QString pressing;
    QStringList folderDialogStarts;
    // Caption of each folder dialog, and whether it offered folders only.
    QStringList folderDialogTitles;
    QList<bool> folderDialogDirsOnly;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#endif

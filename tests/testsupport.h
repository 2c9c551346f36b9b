#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>

class QWidget;

#include <functional>
#include <memory>

// A fresh world for one test case: an empty temporary current directory, the
// user settings redirected into it, and an empty configuration.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();

    QString path(const QString &name = QString()) const;
    bool isValid() const { return dir.isValid(); }

private:
    QTemporaryDir dir;
    QString previousDirectory;
};

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &content);
// Every file below root, by path relative to root, with its content.
QMap<QString, QByteArray> treeSnapshot(const QString &root);
QString settingsValue(const QString &key);
// The widget Tab moves to from widget: labels and group boxes are passed over.
QWidget *nextTabStop(QWidget *widget);
void setSettingsValue(const QString &key, const QString &value);

// One modal window the test saw and closed.
struct SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
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
    QStringList folderDialogStarts;
    // Caption of each folder dialog, and whether it offered folders only.
    QStringList folderDialogTitles;
    QList<bool> folderDialogDirsOnly;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#endif

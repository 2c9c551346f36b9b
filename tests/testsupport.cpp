#include "testsupport.h"

#include "configuration.h"
#include "identity.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QTimer>

Sandbox::Sandbox()
    : previousDirectory(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("settings"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path(QStringLiteral("settings")));
    Configuration::reset();
}

Sandbox::~Sandbox()
{
    Configuration::reset();
    QDir::setCurrent(previousDirectory);
}

QString Sandbox::path(const QString &name) const
{
    return name.isEmpty() ? dir.path() : dir.filePath(name);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QMap<QString, QByteArray> treeSnapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(QDir(root).relativeFilePath(file), readBytes(file));
    }
    return files;
}

static QSettings *newSettings()
{
    return new QSettings(QSettings::IniFormat, QSettings::UserScope,
                         QString::fromUtf8(Identity::webDomain), QStringLiteral("Velkarinth"));
}

QString settingsValue(const QString &key)
{
    std::unique_ptr<QSettings> settings(newSettings());
    return settings->value(QStringLiteral("paths/") + key).toString();
}

void setSettingsValue(const QString &key, const QString &value)
{
    std::unique_ptr<QSettings> settings(newSettings());
    settings->setValue(QStringLiteral("paths/") + key, value);
}

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
            boxes.append({box->icon(), box->windowTitle(), box->text()});
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

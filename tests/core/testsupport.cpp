#include "testsupport.h"

#include "files/filelock.h"

#include "config/configuration.h"
#include "install/copystep.h"
#include "rayrc/rayrcstep.h"
#include "config/identity.h"
#include "files/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>

#include <memory>

Sandbox::Sandbox()
    : previousDirectory(QDir::currentPath())
    , previousData(qgetenv("XDG_DATA_HOME"))
{
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("settings"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path(QStringLiteral("settings")));
    // The private folder of side files too (Windows takes it from the system).
    qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("data"))));
    Configuration::reset();
}

Sandbox::~Sandbox()
{
    Configuration::reset();
    FileLock::setTimeout(std::chrono::seconds(10));
    QDir::setCurrent(previousDirectory);
    if (previousData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousData);
}

QString Sandbox::path(const QString &name) const
{
    return name.isEmpty() ? dir.path() : dir.filePath(name);
}

QByteArray nativeEnds(QByteArray lf)
{
    return lf.replace('\n', nativeLineEnd());
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

void RecordingReporter::copied(const CopyStep &step)
{
    destinations.append(step.destination);
}

void RecordingReporter::copyFailed(const CopyStep &step)
{
    failures.append({step.mandatory ? QStringLiteral("critical") : QStringLiteral("warning"),
                     step.title(), step.text(), step.details()});
}

void RecordingReporter::rayrcUpdated(const RayrcStep &step)
{
    updated.append(step.path);
}

void RecordingReporter::backupFailed(const QString &backupPath)
{
    failures.append({QStringLiteral("warning"), QStringLiteral("backup"), backupPath, QString()});
}

void RecordingReporter::receiptFailed(const QString &path)
{
    failures.append({QStringLiteral("warning"), QStringLiteral("receipt"), path, QString()});
}

void RecordingReporter::rayrcFailed(const RayrcStep &step)
{
    failures.append({QStringLiteral("critical"), step.title(), step.text(), step.details()});
}

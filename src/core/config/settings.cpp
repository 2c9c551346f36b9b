#include "config/settings.h"

#include "config/configuration.h"
#include "config/identity.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcConfig)

QVector<QString> Configuration::lastDirectories;
const QStringList Configuration::settingsKeys = {
    QStringLiteral("maya"), QStringLiteral("mr"),  QStringLiteral("fti"), QStringLiteral("xpm"),
    QStringLiteral("mel"),  QStringLiteral("mi"),  QStringLiteral("dll"), QStringLiteral("shader"),
};

namespace {
// The per-user INI files QSettings reads for the program, worked out from
// a name of no one's: opening a FIFO there would wait for good.
QStringList settingsFiles()
{
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velkarinth-probe"),
                          QStringLiteral("probe"));
    const QString base = QFileInfo(QFileInfo(probe.fileName()).absolutePath()).absolutePath();
    const QString organisation = QString::fromUtf8(Identity::webDomain);
    // Separated by slashes, as QSettings names its files everywhere.
    return {QDir(base).filePath(organisation + QStringLiteral("/Velkarinth.ini")),
            QDir(base).filePath(organisation + QStringLiteral(".ini"))};
}

// Null when a settings file is there but no regular file: as for init.txt,
// it then counts as missing, and nothing is written over it.
std::unique_ptr<QSettings> openPaths()
{
    for (const QString &file : settingsFiles()) {
        if (QFileInfo::exists(file) && !QFileInfo(file).isFile()) {
            qCWarning(lcConfig) << "settings not read: not a regular file:" << file;
            return nullptr;
        }
    }
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QString::fromUtf8(Identity::webDomain),
                                                QStringLiteral("Velkarinth"));
    settings->beginGroup(QStringLiteral("paths"));
    return settings;
}
}

void readLastDirectories()
{
    const auto settings = openPaths();
    for (const QString &key : Configuration::settingsKeys)
        Configuration::lastDirectories.append(settings ? settings->value(key).toString() : QString());
}

void writeLastDirectories()
{
    // Only the entries read at start-up: when loading stopped early there are
    // none, and the user's remembered folders must survive.
    if (!Configuration::lastDirectoriesRead())
        return;
    if (const auto settings = openPaths()) {
        const int count = int(qMin(Configuration::lastDirectories.size(), Configuration::settingsKeys.size()));
        for (int i = 0; i < count; ++i)
            settings->setValue(Configuration::settingsKeys.at(i), Configuration::lastDirectories.at(i));
    }
}

bool Configuration::lastDirectoriesRead()
{
    return !lastDirectories.isEmpty();
}

QString Configuration::settingsFilePath()
{
    return QDir::toNativeSeparators(settingsFiles().constFirst());
}

QString Configuration::lastDirectory(int index)
{
    if (index < 0 || index >= lastDirectories.size())
        return QString();
    return lastDirectories.at(index);
}

QString Configuration::setLastDirectory(const QString &directory, int index)
{
    if (index < 0 || index >= lastDirectories.size() || index >= settingsKeys.size() || directory.isEmpty())
        return QString();
    if (const auto settings = openPaths())
        settings->setValue(settingsKeys.at(index), directory);
    lastDirectories[index] = directory;
    return directory;
}

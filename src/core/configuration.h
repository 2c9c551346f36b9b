#ifndef CONFIGURATION_H
#define CONFIGURATION_H

#include "shadertype.h"

#include <QString>
#include <QStringList>
#include <QVector>

class InstallReporter;
class QDate;

// The one program-wide configuration: init.txt in the current directory plus
// the folders remembered in the per-user settings.
class Configuration
{
public:
    static QString mayaPath;
    static QString mrPath;
    static QVector<ShaderType> shaderTypes;
    static QVector<QString> lastDirectories;
    // Settings key of each last-directory index; fixed whatever the rows hold.
    static const QStringList settingsKeys;

    // takeBackup: whether to take the day's maya.rayrc backup once the
    // Mental Ray directory is known; a preview must write nothing.
    static void load(bool takeBackup = true);
    static void save();
    static void setShaderFileRow(int type, int row, const QString &extension, const QString &path,
                                 bool mandatory);
    static void addShaderType();
    static QString lastDirectory(int index);
    // Where init.txt and the per-user settings are, in full.
    static QString initFilePath();
    static QString settingsFilePath();
    static QString setLastDirectory(const QString &directory, int index);

    static void setMayaPath(const QString &directory);
    static void setMrPath(const QString &directory);

    static bool installShaderType(const QString &shaderDir, const QString &link, const QString &mi,
                                  int type, InstallReporter *reporter = nullptr);

    // Back to the empty state the program starts in.
    static void reset();

private:
    // Set when loading stopped on a line without its marker.
    static bool keepInitFile;
};

bool backupRayrc();
bool backupRayrc(const QDate &today);

#endif

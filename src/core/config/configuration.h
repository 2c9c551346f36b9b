#ifndef CONFIGURATION_H
#define CONFIGURATION_H

#include "config/initfile.h"
#include "config/shadertype.h"

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
    // Where each folder dialog remembers its last folder: the index into
    // lastDirectories and settingsKeys.
    enum LastDirectory : int {
        MayaDirectory,
        MrDirectory,
        FirstRowDirectory, // one for each of the first five rows
        ShaderDirectory = FirstRowDirectory + 5,
        LastDirectoryCount,
    };
    // Settings key of each last-directory index; fixed whatever the rows hold.
    static const QStringList settingsKeys;

    // What the save did with init.txt; the settings are written in any case.
    enum class SaveStatus {
        Saved,
        NotUnderstood, // loading stopped on lines it could not take in
        Unreadable,    // the file exists but is no readable regular file
        NotDecodable,  // bytes the system encoding does not decode
        Unstorable,    // a value that would not read back (see field)
        WriteFailed,
        Busy, // another run kept init.txt locked
    };
    enum class Field { None, MayaPath, MrPath, TypeName, RowExtension, RowDestination };
    struct SaveResult
    {
        SaveStatus status = SaveStatus::Saved;
        // With Unstorable: the first such value, where it is and why.
        Field field = Field::None;
        int type = -1;
        int row = -1;
        ValueProblem problem = ValueProblem::None;
    };

    // takeBackup: whether to take the day's maya.rayrc backup once the
    // Mental Ray directory is known; a preview must write nothing.
    static void load(bool takeBackup = true);
    // Replaces init.txt only where nothing in it gets lost or changed.
    [[nodiscard]] static SaveResult save();
    static void setShaderFileRow(int type, int row, const QString &extension, const QString &path,
                                 bool mandatory);
    static void addShaderType();
    // The type a first run starts with: five rows, no folders yet.
    static void addDefaultShaderType();
    static QString lastDirectory(int index);
    // Whether the settings were read at start-up: only then are they kept
    // up to date, and written back by the save.
    static bool lastDirectoriesRead();
    // Why the last load could not read an init.txt that is there; empty
    // when it read one, or there was none.
    static QString initFileProblem();
    // Where init.txt and the per-user settings are, in full.
    static QString initFilePath();
    static QString settingsFilePath();
    static QString setLastDirectory(const QString &directory, int index);

    // Puts the Maya or the Mental Ray directory into init.txt (line 2 or 4,
    // every other line kept); it is kept in memory anyway. A value the file
    // cannot hold is never written.
    enum class DirectoryWrite {
        Written,
        Busy, // another run kept init.txt locked
        NotWritten,
    };
    [[nodiscard]] static DirectoryWrite setDirectory(const QString &directory, bool mentalRay);
    // Whether init.txt now holds the directory.
    [[nodiscard]] static bool setMayaPath(const QString &directory);
    [[nodiscard]] static bool setMrPath(const QString &directory);

    static bool installShaderType(const QString &shaderDir, const QString &link, const QString &mi,
                                  int type, InstallReporter *reporter = nullptr);

    // Back to the empty state the program starts in.
    static void reset();
};

bool backupRayrc();
bool backupRayrc(const QDate &today);

#endif

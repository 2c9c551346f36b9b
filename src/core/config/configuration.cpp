#include "config/configuration.h"

#include "config/settings.h"
#include "files/filelock.h"
#include "files/paths.h"
#include "files/textfile.h"
#include "rayrc/rayrcbackup.h"
#include "rayrc/rayrcpath.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <memory>
#include <utility>

QString Configuration::mayaPath;
QString Configuration::mrPath;
QVector<ShaderType> Configuration::shaderTypes;

Q_LOGGING_CATEGORY(lcConfig, "velkarinth.config")

namespace {
const QString initFile = QStringLiteral("init.txt");

// What the loader learnt about init.txt that a rewrite must respect. The
// values themselves were moved into the configuration.
struct LoadedInitFile
{
    InitFile file;
    bool unreadable = false; // there, but no readable regular file
    QString why;             // and why not, in the system's words
};
LoadedInitFile loaded;

Configuration::SaveResult firstUnstorable(const InitFile &file)
{
    using Field = Configuration::Field;
    Configuration::SaveResult result{Configuration::SaveStatus::Unstorable};
    const auto fails = [&result, &file](const QString &value, ValueKind kind, Field field, int type = -1,
                                        int row = -1) {
        result.problem = storageProblem(value, kind, file.bom);
        result.field = field;
        result.type = type;
        result.row = row;
        return result.problem != ValueProblem::None;
    };
    if (fails(file.mayaPath, ValueKind::Line, Field::MayaPath)
        || fails(file.mrPath, ValueKind::Line, Field::MrPath))
        return result;
    for (int t = 0; t < file.shaderTypes.size(); ++t) {
        const ShaderType &type = file.shaderTypes.at(t);
        if (fails(type.name, ValueKind::Line, Field::TypeName, t))
            return result;
        for (int r = 0; r < type.rows.size(); ++r) {
            const ShaderFileRow &row = type.rows.at(r);
            if (fails(row.extension, ValueKind::RowField, Field::RowExtension, t, r)
                || fails(row.path, ValueKind::RowField, Field::RowDestination, t, r))
                return result;
        }
    }
    return {};
}
}

void Configuration::load(bool takeBackup)
{
    QByteArray content;
    // Read whole under its lock: never half of another run's rewrite. A lock
    // that cannot be had still lets the configuration be shown.
    FileLock initLock(initFile);
    static_cast<void>(initLock.lock());
    QString why;
    const bool read = readWholeFile(initFile, content, &why);
    initLock.unlock();
    if (!read) {
        // Not a readable regular file (no rights, a FIFO, a device): the
        // defaults are shown, but must never replace it.
        const bool there = nameTaken(initFile);
        loaded = {InitFile(), there, there ? why : QString()};
        addDefaultShaderType();
        readLastDirectories();
        return;
    }
    InitFile file = InitFile::parse(content);
    if (file.stop != InitFile::Stop::MayaMarker)
        mayaPath = std::exchange(file.mayaPath, QString());
    if (file.stop == InitFile::Stop::None) {
        mrPath = std::exchange(file.mrPath, QString());
        // Nobody is there to be told at start-up; the next rewrite of
        // maya.rayrc tries again and says so.
        if (keepRayrcAtStartUp(mrPath, QDate::currentDate(), takeBackup).outcome == RayrcBackup::Failed)
            qCWarning(lcConfig) << "no copy of the day kept of" << rayrcPath(mrPath);
    }
    shaderTypes += std::exchange(file.shaderTypes, {});
    const InitFile::Stop stop = file.stop;
    const bool unread = file.unread;
    loaded = {std::move(file), false, QString()};
    if (stop != InitFile::Stop::None) {
        // A file the directory fields wrote before any save holds no shader
        // type: without one the rows could never be filled in. A file with
        // lines the loader could not take in is the user's to mend.
        if (!unread)
            addDefaultShaderType();
        return;
    }
    if (shaderTypes.isEmpty())
        addDefaultShaderType();
    readLastDirectories();
}

Configuration::SaveResult Configuration::save()
{
    InitFile file = loaded.file;
    file.mayaPath = mayaPath;
    file.mrPath = mrPath;
    file.shaderTypes = shaderTypes;
    // A file the loader could not read whole, or not decode without loss,
    // holds what the configuration does not: rewriting it would lose that.
    SaveResult result;
    if (loaded.file.unread)
        result.status = SaveStatus::NotUnderstood;
    else if (loaded.unreadable)
        result.status = SaveStatus::Unreadable;
    else if (!loaded.file.decodable)
        result.status = SaveStatus::NotDecodable;
    else
        result = firstUnstorable(file);
    if (result.status == SaveStatus::Saved) {
        FileLock lock(initFile);
        if (!lock.lock())
            result.status = lock.busy() ? SaveStatus::Busy : SaveStatus::WriteFailed;
        else if (!writeWholeFile(initFile, file.serialize()))
            result.status = SaveStatus::WriteFailed;
    }

    writeLastDirectories();
    return result;
}

void Configuration::setShaderFileRow(int type, int row, const QString &extension,
                                     const QString &path, bool mandatory)
{
    if (type < 0 || type >= shaderTypes.size())
        return;
    shaderTypes[type].setRow(row, extension, path, mandatory);
}

void Configuration::addShaderType()
{
    shaderTypes.append(ShaderType());
}

void Configuration::addDefaultShaderType()
{
    addShaderType();
    ShaderType &type = shaderTypes.last();
    type.setRow(0, QStringLiteral("fti"), QString(), false);
    type.setRow(1, QStringLiteral("xpm"), QString(), false);
    type.setRow(2, QStringLiteral("mel"), QString(), true);
    type.setRow(3, QStringLiteral("mi"), QString(), true);
    type.setRow(4, QStringLiteral("dll"), QString(), true);
}

QString Configuration::initFileProblem()
{
    return loaded.why;
}

QString Configuration::initFilePath()
{
    return QDir::toNativeSeparators(QFileInfo(initFile).absoluteFilePath());
}

Configuration::DirectoryWrite Configuration::setDirectory(const QString &directory, bool mentalRay)
{
    // Held, so that the save can name it, even when it is not written.
    (mentalRay ? mrPath : mayaPath) = directory;
    // Read, changed and written under one lock, or a keystroke here and a
    // setter elsewhere would each put back the other's old line.
    FileLock lock(initFile);
    if (!lock.lock())
        return lock.busy() ? DirectoryWrite::Busy : DirectoryWrite::NotWritten;
    QByteArray content;
    // A first run may start with either field: a missing file is made down
    // to it, so that nothing typed is lost. An unreadable one is left alone.
    if (!readWholeFile(initFile, content)) {
        if (nameTaken(initFile))
            return DirectoryWrite::NotWritten;
        content = InitFile::mayaMarker() + nativeLineEnd();
    }
    const bool bom = InitFile::hasBom(content);
    if (storageProblem(directory, ValueKind::Line, bom) != ValueProblem::None)
        return DirectoryWrite::NotWritten;
    const QByteArray changed = InitFile::withDirectory(content, InitFile::encode(directory, bom), mentalRay);
    return !changed.isEmpty() && writeWholeFile(initFile, changed) ? DirectoryWrite::Written
                                                                    : DirectoryWrite::NotWritten;
}

bool Configuration::setMayaPath(const QString &directory)
{
    return setDirectory(directory, false) == DirectoryWrite::Written;
}

bool Configuration::setMrPath(const QString &directory)
{
    return setDirectory(directory, true) == DirectoryWrite::Written;
}

bool Configuration::installShaderType(const QString &shaderDir, const QString &link,
                                      const QString &mi, int type, InstallReporter *reporter)
{
    // With no shader type nothing gets installed: that is no success.
    if (type < 0 || type >= shaderTypes.size())
        return false;
    return shaderTypes.at(type).install(shaderDir, mrPath, link, mi, reporter);
}

void Configuration::reset()
{
    mayaPath.clear();
    mrPath.clear();
    shaderTypes.clear();
    lastDirectories.clear();
    loaded = {};
}

bool backupRayrc()
{
    return backupRayrc(QDate::currentDate());
}

bool backupRayrc(const QDate &today)
{
    return keepRayrcAtStartUp(Configuration::mrPath, today).outcome == RayrcBackup::Take;
}

#include "config/configuration.h"

#include "config/identity.h"
#include "files/paths.h"
#include "rayrc/rayrcbackup.h"
#include "files/textfile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>

#include <memory>

QString Configuration::mayaPath;
QString Configuration::mrPath;
QVector<ShaderType> Configuration::shaderTypes;
QVector<QString> Configuration::lastDirectories;
bool Configuration::keepInitFile = false;
const QStringList Configuration::settingsKeys = {
    QStringLiteral("maya"), QStringLiteral("mr"),  QStringLiteral("fti"), QStringLiteral("xpm"),
    QStringLiteral("mel"),  QStringLiteral("mi"),  QStringLiteral("dll"), QStringLiteral("shader"),
};

namespace {
const QString initFile = QStringLiteral("init.txt");
const QByteArray mayaMarker = QByteArrayLiteral("[MAYA_PATH]");
const QByteArray mrMarker = QByteArrayLiteral("[MR_PATH]");
const QByteArray utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr auto keepBom = QStringConverter::Flag::Stateless
                         | QStringConverter::Flag::ConvertInitialBom;

// What the loader learnt about init.txt that a rewrite must respect.
struct LoadedInitFile
{
    // Anything but Saved: the save must leave the file as it is.
    Configuration::SaveStatus refusal = Configuration::SaveStatus::Saved;
    bool bom = false;
    QByteArray lineEnd;
};
LoadedInitFile loaded;

bool startsWithMayaMarker(const QList<TextLine> &lines)
{
    if (lines.isEmpty())
        return false;
    const QByteArray &first = lines.first().text;
    return first == mayaMarker || first == utf8Bom + mayaMarker;
}

std::unique_ptr<QSettings> openPaths()
{
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QString::fromUtf8(Identity::webDomain),
                                                QStringLiteral("Velkarinth"));
    settings->beginGroup(QStringLiteral("paths"));
    return settings;
}

void readLastDirectories()
{
    const auto settings = openPaths();
    for (const QString &key : Configuration::settingsKeys)
        Configuration::lastDirectories.append(settings->value(key).toString());
}

// Returns false, leaving the configuration as read so far, where the loader
// stops early; unread tells whether lines were left that it could not take in.
bool readInitFile(const QByteArray &bytes, bool &unread, bool takeBackup)
{
    // The BOM is taken off by hand: the decoder keeps any other U+FEFF.
    loaded.bom = bytes.startsWith(utf8Bom);
    const QByteArrayView raw = QByteArrayView(bytes).sliced(loaded.bom ? utf8Bom.size() : 0);
    loaded.lineEnd = firstLineEnd(raw);

    // Decoded whole first: a stream on the file grows its buffer by copying
    // at every block, which is quadratic on a long line.
    QStringDecoder decoder(QStringConverter::System, keepBom);
    QString content = decoder.decode(raw);
    // A save writes back what was decoded: bytes that do not come through
    // unchanged would be replaced for good.
    if (decoder.hasError() || local8Bit(content) != raw)
        loaded.refusal = Configuration::SaveStatus::NotDecodable;
    // The stream below ends lines at LF only.
    content.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextStream in(&content, QIODevice::ReadOnly);

    // Whether loading stops at this marker line; if so, whether the file went
    // on with lines the loader could not take in.
    const auto stopsAt = [&in, &unread](const QString &line, const QByteArray &marker) {
        const bool hasMarker = line.contains(QLatin1String(marker));
        if (hasMarker && !in.atEnd())
            return false;
        unread = !hasMarker && !(line.isEmpty() && in.atEnd());
        return true;
    };

    QString line = in.readLine();
    if (stopsAt(line, mayaMarker))
        return false;
    Configuration::mayaPath = in.readLine();
    line = in.readLine();
    if (stopsAt(line, mrMarker))
        return false;
    Configuration::mrPath = in.readLine();
    if (takeBackup)
        backupRayrc();

    // The line in hand is looked at only while more data follows it.
    line = in.readLine();
    while (!in.atEnd()) {
        if (line.contains(QLatin1Char('['))) {
            ShaderType type;
            type.read(in, line.chopped(1).mid(1));
            Configuration::shaderTypes.append(type);
        }
        line = in.readLine();
    }
    return true;
}

QByteArray initFileContent()
{
    QString text;
    QTextStream out(&text);
    out << mayaMarker << '\n' << Configuration::mayaPath << '\n' << mrMarker << '\n'
        << Configuration::mrPath << '\n';
    for (const ShaderType &type : std::as_const(Configuration::shaderTypes))
        type.write(out);
    out.flush();
    // The file keeps its BOM and its first line end.
    QByteArray bytes = local8Bit(text);
    const QByteArray end = loaded.lineEnd.isEmpty() ? nativeLineEnd() : loaded.lineEnd;
    if (end != "\n")
        bytes.replace('\n', end);
    return loaded.bom ? utf8Bom + bytes : bytes;
}

Configuration::SaveResult firstUnstorable()
{
    using Field = Configuration::Field;
    Configuration::SaveResult result{Configuration::SaveStatus::Unstorable};
    const auto fails = [&result](const QString &value, ValueKind kind, Field field, int type = -1,
                                 int row = -1) {
        result.problem = storageProblem(value, kind);
        result.field = field;
        result.type = type;
        result.row = row;
        return result.problem != ValueProblem::None;
    };
    if (fails(Configuration::mayaPath, ValueKind::Line, Field::MayaPath)
        || fails(Configuration::mrPath, ValueKind::Line, Field::MrPath))
        return result;
    for (int t = 0; t < Configuration::shaderTypes.size(); ++t) {
        const ShaderType &type = Configuration::shaderTypes.at(t);
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

ValueProblem storageProblem(const QString &value, ValueKind kind)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return ValueProblem::LineBreak;
    if (kind == ValueKind::RowField && value.contains(QLatin1Char('*')))
        return ValueProblem::FieldSeparator;
    QStringEncoder encoder(QStringConverter::System, keepBom);
    QStringDecoder decoder(QStringConverter::System, keepBom);
    if (decoder.decode(encoder.encode(value)) != value || encoder.hasError() || decoder.hasError())
        return ValueProblem::NotEncodable;
    return ValueProblem::None;
}

void Configuration::load(bool takeBackup)
{
    QByteArray content;
    if (!readWholeFile(initFile, content)) {
        // Not a readable regular file (no rights, a FIFO, a device): the
        // defaults are shown, but must never replace it.
        if (QFileInfo::exists(initFile))
            loaded.refusal = SaveStatus::Unreadable;
        addDefaultShaderType();
    } else if (!readInitFile(content, keepInitFile, takeBackup)) {
        // A file the directory fields wrote before any save holds no shader
        // type: without one the rows could never be filled in. A file with
        // lines the loader could not take in is the user's to mend.
        if (!keepInitFile)
            addDefaultShaderType();
        return;
    }
    if (shaderTypes.isEmpty())
        addDefaultShaderType();
    readLastDirectories();
}

Configuration::SaveResult Configuration::save()
{
    // A file the loader could not read whole, or not decode without loss,
    // holds what the configuration does not: rewriting it would lose that.
    SaveResult result;
    if (keepInitFile)
        result.status = SaveStatus::NotUnderstood;
    else if (loaded.refusal != SaveStatus::Saved)
        result.status = loaded.refusal;
    else
        result = firstUnstorable();
    if (result.status == SaveStatus::Saved && !writeWholeFile(initFile, initFileContent()))
        result.status = SaveStatus::WriteFailed;

    // Only the entries read at start-up: when loading stopped early there are
    // none, and the user's remembered folders must survive.
    const auto settings = openPaths();
    for (int i = 0; i < lastDirectories.size() && i < settingsKeys.size(); ++i)
        settings->setValue(settingsKeys.at(i), lastDirectories.at(i));
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

QString Configuration::initFilePath()
{
    return QFileInfo(initFile).absoluteFilePath();
}

QString Configuration::settingsFilePath()
{
    return openPaths()->fileName();
}

QString Configuration::lastDirectory(int index)
{
    if (index < 0 || index >= lastDirectories.size())
        return QString();
    return lastDirectories.at(index);
}

QString Configuration::setLastDirectory(const QString &directory, int index)
{
    if (index < 0 || index >= lastDirectories.size() || index >= settingsKeys.size()
        || directory.isEmpty())
        return QString();
    openPaths()->setValue(settingsKeys.at(index), directory);
    lastDirectories[index] = directory;
    return directory;
}

namespace {
// init.txt's lines for a directory setter, with the end new lines take. A
// missing file is created as created, so that nothing typed is lost; an
// unreadable one, or one whose line 1 is not the marker, is left alone.
// False when there is nothing more to do.
bool readForSetter(const QByteArray &created, QList<TextLine> &lines, QByteArray &end,
                   bool &written)
{
    written = false;
    QByteArray content;
    if (!readWholeFile(initFile, content)) {
        if (!QFileInfo::exists(initFile) && !QFileInfo(initFile).isSymLink())
            written = writeWholeFile(initFile, created);
        return false;
    }
    lines = splitLines(content);
    if (!startsWithMayaMarker(lines))
        return false;
    end = firstLineEnd(content);
    return true;
}

// A last line without an end keeps it so unless a line comes after it.
void appendLine(QList<TextLine> &lines, const QByteArray &text, const QByteArray &end)
{
    if (lines.last().end.isEmpty())
        lines.last().end = end;
    lines.append({text, end});
}
}

namespace {
// Writes a directory as line 2 (Maya) or line 4 (Mental Ray) of init.txt,
// every other line kept. A value the file cannot hold is never written.
bool writeDirectory(const QString &directory, bool mentalRay)
{
    if (storageProblem(directory, ValueKind::Line) != ValueProblem::None)
        return false;
    const QByteArray text = local8Bit(directory);
    // A first run may start with either field: the file is made down to it.
    const QByteArray native = nativeLineEnd();
    const QByteArray fresh = mentalRay
                                 ? mayaMarker + native + native + mrMarker + native + text + native
                                 : mayaMarker + native + text + native;
    QList<TextLine> lines;
    QByteArray end;
    bool created = false;
    if (!readForSetter(fresh, lines, end, created))
        return created;

    if (!mentalRay) {
        if (lines.size() > 1)
            lines[1].text = text;
        else
            appendLine(lines, text, end);
    } else if (lines.size() > 2 && lines.at(2).text == mrMarker) {
        if (lines.size() > 3)
            lines[3].text = text;
        else
            appendLine(lines, text, end);
    } else if (lines.size() <= 2) {
        // The marker must land on line 3, or every later keystroke would
        // append it again.
        if (lines.size() < 2)
            appendLine(lines, QByteArray(), end);
        appendLine(lines, mrMarker, end);
        appendLine(lines, text, end);
    } else {
        // Line 3 is something else: appending would not make it a marker
        // either, only add lines at every keystroke.
        return false;
    }
    return writeWholeFile(initFile, joinLines(lines));
}
}

bool Configuration::setMayaPath(const QString &directory)
{
    // Held, so that the save can name it, even when it is not written.
    mayaPath = directory;
    return writeDirectory(directory, false);
}

bool Configuration::setMrPath(const QString &directory)
{
    mrPath = directory;
    return writeDirectory(directory, true);
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
    keepInitFile = false;
    loaded = {};
}

bool backupRayrc()
{
    return backupRayrc(QDate::currentDate());
}

bool backupRayrc(const QDate &today)
{
    return backupRayrcFile(Configuration::mrPath, today);
}

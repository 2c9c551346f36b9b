#include "configuration.h"

#include "identity.h"
#include "paths.h"
#include "safefile.h"
#include "textfile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
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
bool readInitFile(QFile &file, bool &unread)
{
    // Decoded whole first: a stream on the file grows its buffer by copying
    // at every block, which is quadratic on a long line.
    QString content = QStringDecoder(QStringConverter::System).decode(file.readAll());
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
    QByteArray bytes = local8Bit(text);
    if (nativeLineEnd() != "\n")
        bytes.replace('\n', nativeLineEnd());
    return bytes;
}
}

void Configuration::load()
{
    QFile file(initFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        addShaderType();
        ShaderType &type = shaderTypes.first();
        type.setRow(0, QStringLiteral("fti"), QString(), false);
        type.setRow(1, QStringLiteral("xpm"), QString(), false);
        type.setRow(2, QStringLiteral("mel"), QString(), true);
        type.setRow(3, QStringLiteral("mi"), QString(), true);
        type.setRow(4, QStringLiteral("dll"), QString(), true);
    } else if (!readInitFile(file, keepInitFile)) {
        return;
    }
    readLastDirectories();
}

void Configuration::save()
{
    // A file the loader could not make sense of holds lines the configuration
    // does not: rewriting it would lose them.
    if (!keepInitFile)
        writeWholeFile(initFile, initFileContent());

    // Only the entries read at start-up: when loading stopped early there are
    // none, and the user's remembered folders must survive.
    const auto settings = openPaths();
    for (int i = 0; i < lastDirectories.size() && i < settingsKeys.size(); ++i)
        settings->setValue(settingsKeys.at(i), lastDirectories.at(i));
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

void Configuration::setMayaPath(const QString &directory)
{
    mayaPath = directory;

    QByteArray content;
    if (!readWholeFile(initFile, content)) {
        // Only a missing file is created; an unreadable one is left alone.
        if (!QFileInfo::exists(initFile)) {
            const QByteArray end = nativeLineEnd();
            writeWholeFile(initFile, mayaMarker + end + local8Bit(directory) + end);
        }
        return;
    }
    QList<TextLine> lines = splitLines(content);
    if (lines.isEmpty() || lines.first().text != mayaMarker)
        return;

    const QByteArray end = lineEndOf(content);
    if (lines.last().end.isEmpty())
        lines.last().end = end;
    if (lines.size() > 1)
        lines[1].text = local8Bit(directory);
    else
        lines.append({local8Bit(directory), end});
    writeWholeFile(initFile, joinLines(lines));
}

void Configuration::setMrPath(const QString &directory)
{
    mrPath = directory;

    QByteArray content;
    if (!readWholeFile(initFile, content))
        return;
    QList<TextLine> lines = splitLines(content);
    if (lines.isEmpty() || lines.first().text != mayaMarker)
        return;

    const QByteArray end = lineEndOf(content);
    if (lines.last().end.isEmpty())
        lines.last().end = end;
    const TextLine newLine{local8Bit(directory), end};
    if (lines.size() > 2 && lines.at(2).text == mrMarker) {
        if (lines.size() > 3)
            lines[3].text = newLine.text;
        else
            lines.append(newLine);
    } else if (lines.size() <= 2) {
        // The marker must land on line 3, or every later keystroke would
        // append it again.
        if (lines.size() < 2)
            lines.append({QByteArray(), end});
        lines.append({mrMarker, end});
        lines.append(newLine);
    } else {
        // Line 3 is something else: appending would not make it a marker
        // either, only add lines at every keystroke.
        return;
    }
    writeWholeFile(initFile, joinLines(lines));
}

bool Configuration::installShaderType(const QString &shaderDir, const QString &link,
                                      const QString &mi, int type)
{
    // With no shader type nothing gets installed: that is no success.
    if (type < 0 || type >= shaderTypes.size())
        return false;
    return shaderTypes.at(type).install(shaderDir, mrPath, link, mi);
}

void Configuration::reset()
{
    mayaPath.clear();
    mrPath.clear();
    shaderTypes.clear();
    lastDirectories.clear();
    keepInitFile = false;
}

bool backupRayrc()
{
    return backupRayrc(QDate::currentDate());
}

bool backupRayrc(const QDate &today)
{
    // An empty directory would name the maya.rayrc at the root of the disk.
    if (Configuration::mrPath.isEmpty())
        return false;
    const QString source = joinPath(Configuration::mrPath, QStringLiteral("maya.rayrc"));
    const QString stamp = QStringLiteral("%1_%2_%3")
                              .arg(today.year(), 4, 10, QLatin1Char('0'))
                              .arg(today.month(), 2, 10, QLatin1Char('0'))
                              .arg(today.day(), 2, 10, QLatin1Char('0'));
    const QString target = joinPath(QDir::currentPath(), QStringLiteral("maya.rayrc") + stamp);
    return copyRegularFile(source, target);
}

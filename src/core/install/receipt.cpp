#include "install/receipt.h"

#include "files/filelock.h"
#include "files/leftovers.h"
#include "files/paths.h"
#include "files/sidefiles.h"
#include "install/filesearch.h"
#include "rayrc/rayrcremoval.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// One receipt per folder, however it was named: through a link, and on
// Windows in another case or by its short name.
QString absolute(const QString &path)
{
    return path.isEmpty() ? path : canonicalPath(path);
}

// Inodes may pass 2^53, where JSON numbers lose digits: kept as text.
QString number(quint64 value)
{
    return QString::number(value);
}

QJsonArray filesJson(const QList<Receipt::File> &list)
{
    QJsonArray files;
    for (const Receipt::File &file : list)
        files.append(Receipt::fileJson(file));
    return files;
}

QJsonArray linesJson(const QList<Receipt::Line> &list)
{
    QJsonArray lines;
    for (const Receipt::Line &line : list)
        lines.append(QJsonObject{{QStringLiteral("entry"), line.entry}, {QStringLiteral("text"), line.text}});
    return lines;
}

QJsonObject toJson(const Receipt &receipt)
{
    QJsonObject object{{QStringLiteral("format"), 1},
                       {QStringLiteral("shaderDir"), receipt.shaderDir},
                       {QStringLiteral("rayrc"), receipt.rayrc},
                       {QStringLiteral("files"), filesJson(receipt.files)},
                       {QStringLiteral("lines"), linesJson(receipt.lines)}};
    if (receipt.uninstalling)
        object.insert(QStringLiteral("uninstalling"), true);
    if (!receipt.planned.isEmpty())
        object.insert(QStringLiteral("planned"), linesJson(receipt.planned));
    if (!receipt.previous.isEmpty())
        object.insert(QStringLiteral("previous"),
                      QJsonObject{{QStringLiteral("files"), filesJson(receipt.previous.files)},
                                  {QStringLiteral("added"), QJsonArray::fromStringList(receipt.previous.added)},
                                  {QStringLiteral("lines"), linesJson(receipt.previous.lines)}});
    return object;
}

bool filesFromJson(const QJsonArray &array, QList<Receipt::File> &files)
{
    for (const QJsonValue &value : array) {
        Receipt::File entry;
        if (!Receipt::fileFromJson(value.toObject(), entry))
            return false;
        files.append(entry);
    }
    return true;
}

void linesFromJson(const QJsonArray &array, QList<Receipt::Line> &lines)
{
    for (const QJsonValue &value : array) {
        const QJsonObject l = value.toObject();
        lines.append({l.value(QStringLiteral("entry")).toString(), l.value(QStringLiteral("text")).toString()});
    }
}
}

void Receipt::removeKept(const QString &path)
{
    const QString folder = Receipt::previousFolder(path);
    const QDir dir(folder);
    if (!dir.exists())
        return;
    // A kept copy a dead run was still writing goes too.
    sweepLeftovers(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile kept;
        bool numbered = false;
        name.toUInt(&numbered);
        if (numbered && openOwnFile(kept, joinPath(folder, name), QIODevice::ReadOnly)) {
            kept.close();
            QFile::remove(joinPath(folder, name));
        }
    }
    QDir().rmdir(folder);
}


QJsonObject Receipt::fileJson(const File &file)
{
    return {{QStringLiteral("extension"), file.extension},
            {QStringLiteral("source"), file.source},
            {QStringLiteral("destination"), file.destination},
            {QStringLiteral("size"), number(quint64(file.copy.size))},
            {QStringLiteral("sha256"), QString::fromLatin1(file.copy.sha256.toHex())},
            {QStringLiteral("device"), number(file.copy.id.device)},
            {QStringLiteral("inode"), number(file.copy.id.inode)}};
}

bool Receipt::fileFromJson(const QJsonObject &object, File &file)
{
    file = {object.value(QStringLiteral("extension")).toString(),
            object.value(QStringLiteral("source")).toString(),
            object.value(QStringLiteral("destination")).toString(),
            {}};
    bool sized = false;
    bool placed = false;
    bool numbered = false;
    file.copy.size = object.value(QStringLiteral("size")).toString().toLongLong(&sized);
    file.copy.sha256 = QByteArray::fromHex(object.value(QStringLiteral("sha256")).toString().toLatin1());
    file.copy.id.device = object.value(QStringLiteral("device")).toString().toULongLong(&placed);
    file.copy.id.inode = object.value(QStringLiteral("inode")).toString().toULongLong(&numbered);
    // A copy it cannot tell from any other is no copy it can take back.
    return sized && file.copy.size >= 0 && placed && numbered;
}

QString Receipt::line(const QString &entry) const
{
    for (const Line &line : lines) {
        if (line.entry == entry)
            return line.text;
    }
    return QString();
}

QString Receipt::wantedLine(const QString &entry) const
{
    const QString written = line(entry);
    if (!written.isEmpty())
        return written;
    for (const Line &line : planned) {
        if (line.entry == entry)
            return line.text;
    }
    return QString();
}

const Receipt::File *Receipt::file(const QString &destination) const
{
    const QString wanted = absolute(destination);
    for (const File &copy : files) {
        if (absolute(copy.destination) == wanted)
            return &copy;
    }
    return nullptr;
}

void Receipt::addFile(const File &copy)
{
    const QString wanted = absolute(copy.destination);
    files.removeIf([&wanted](const File &old) { return absolute(old.destination) == wanted; });
    files.append(copy);
    uninstalling = false;
}

void Receipt::addLine(const Line &line)
{
    lines.removeIf([&line](const Line &old) { return old.entry == line.entry && old.text == line.text; });
    lines.append(line);
    uninstalling = false;
}

bool Receipt::otherLines(const QString &link, const QString &mi) const
{
    const auto differs = [this](const QString &entry, const QString &given) {
        return !given.isEmpty() && !line(entry).isEmpty() && line(entry) != given;
    };
    return differs(QStringLiteral("link"), link) || differs(QStringLiteral("mi"), mi);
}

bool Receipt::complete() const
{
    return !line(QStringLiteral("link")).isEmpty() && !line(QStringLiteral("mi")).isEmpty();
}

QString Receipt::failedText(const QString &path)
{
    return tr("Le reçu %1 n'a pas pu être écrit : une désinstallation ne reprendra pas ce qui "
              "vient d'être installé sans --without-receipt.")
        .arg(path);
}

QString Receipt::notUpdatedText(const QString &path)
{
    return tr("Le reçu %1 n'a pas pu être mis à jour : il nomme encore ce que la désinstallation a "
              "retiré.")
        .arg(path);
}

QString Receipt::folder()
{
    return joinPath(QDir::currentPath(), QStringLiteral("receipts"));
}

QString Receipt::pathFor(const QString &shaderDir, const QString &rayrc)
{
    const QByteArray key = (absolute(shaderDir) + QLatin1Char('\n') + absolute(rayrc)).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24);
    return joinPath(folder(), QString::fromLatin1(hash) + QStringLiteral(".json"));
}

QString Receipt::previousFolder(const QString &path)
{
    return path.chopped(QStringLiteral(".json").size()) + QStringLiteral(".previous");
}

QString Receipt::keptPath(const QString &path, qsizetype index)
{
    return joinPath(previousFolder(path), QString::number(index));
}

QStringList Receipt::all()
{
    QStringList paths;
    const QDir dir(folder());
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        paths << joinPath(folder(), name);
    return paths;
}

QByteArray Receipt::toBytes() const
{
    return QJsonDocument(toJson(*this)).toJson(QJsonDocument::Indented);
}

bool Receipt::folderTrusted()
{
    const Ownership owned = ownership(folder(), false);
    return owned.folder && owned.trusted();
}

bool Receipt::read(const QString &path, Receipt &receipt)
{
    QByteArray bytes;
    return folderTrusted() && readOwnFile(path, maxSize, bytes) && parse(bytes, receipt);
}

bool Receipt::parse(const QByteArray &bytes, Receipt &receipt)
{
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(bytes, &error).object();
    if (error.error != QJsonParseError::NoError || object.value(QStringLiteral("format")).toInt() != 1)
        return false;
    receipt = Receipt();
    receipt.shaderDir = object.value(QStringLiteral("shaderDir")).toString();
    receipt.rayrc = object.value(QStringLiteral("rayrc")).toString();
    receipt.uninstalling = object.value(QStringLiteral("uninstalling")).toBool();
    const QJsonObject previous = object.value(QStringLiteral("previous")).toObject();
    linesFromJson(object.value(QStringLiteral("lines")).toArray(), receipt.lines);
    linesFromJson(object.value(QStringLiteral("planned")).toArray(), receipt.planned);
    linesFromJson(previous.value(QStringLiteral("lines")).toArray(), receipt.previous.lines);
    for (const QJsonValue &added : previous.value(QStringLiteral("added")).toArray())
        receipt.previous.added << added.toString();
    return filesFromJson(object.value(QStringLiteral("files")).toArray(), receipt.files)
           && filesFromJson(previous.value(QStringLiteral("files")).toArray(), receipt.previous.files);
}

bool Receipt::update(const QString &shaderDir, const QString &rayrc,
                     const std::function<void(Receipt &)> &change)
{
    const QString path = pathFor(shaderDir, rayrc);
    // Not group-writable, whatever the umask: a receipt folder others may
    // write is one nobody believes.
    QDir().mkdir(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                               | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                               | QFileDevice::ReadOther | QFileDevice::ExeOther);
    FileLock lock(path);
    return lock.lock() && Receipt::change(shaderDir, rayrc, change);
}

bool Receipt::change(const QString &shaderDir, const QString &rayrc, const std::function<void(Receipt &)> &change)
{
    const QString path = pathFor(shaderDir, rayrc);
    Receipt receipt;
    if (!folderTrusted())
        return false;
    if (!read(path, receipt) && nameTaken(path))
        return false; // a receipt that cannot be read is never written over
    receipt.shaderDir = absolute(shaderDir);
    receipt.rayrc = absolute(rayrc);
    change(receipt);
    // Kept copies no receipt names any more go with the version they kept.
    if (receipt.previous.isEmpty() || receipt.isEmpty())
        removeKept(path);
    if (receipt.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    return saveOwnFile(path, receipt.toBytes());
}

QString ReceiptStatus::key(FileState state)
{
    static const char *const keys[] = {"intact", "changed", "missing", "outdated", "unreadable"};
    return QLatin1String(keys[state]);
}

bool ReceiptStatus::outdated() const
{
    return otherLines || files.contains(Outdated);
}

bool holdsBytes(const QString &path, const FileFingerprint &print)
{
    QFile file;
    if (!openRegularFile(file, path) || file.size() != print.size)
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&file) && hash.result() == print.sha256;
}

ReceiptStatus ReceiptStatus::check(const QString &path, const Receipt &receipt, const QString &shaderDir)
{
    ReceiptStatus status{path, receipt, {}, {}};
    for (const Receipt::File &copy : receipt.files) {
        const QFileInfo target(copy.destination);
        QString source;
        QString name;
        const FileFingerprint now = fileFingerprint(copy.destination);
        if (!nameTaken(copy.destination))
            status.files << Missing;
        // A backup tool or a scanner holding it says nothing of its bytes.
        else if (!now.isValid() && target.isFile() && !target.isSymLink())
            status.files << Unreadable;
        else if (now != copy.copy)
            status.files << Changed;
        else if (!shaderDir.isEmpty() && !findShaderFile(copy.extension, shaderDir, source, name).isEmpty()
                 && !holdsBytes(source, copy.copy))
            status.files << Outdated;
        else
            status.files << Intact;
    }
    qint64 linkLine = 0;
    qint64 miLine = 0;
    RayrcRemoval::locate(receipt.rayrc, receipt.line(QStringLiteral("link")),
                         receipt.line(QStringLiteral("mi")), linkLine, miLine);
    for (const Receipt::Line &line : receipt.lines)
        status.lines << ((line.entry == QLatin1String("link") ? linkLine : miLine) > 0);
    return status;
}

bool ReceiptStatus::intact() const
{
    return receipt.complete() && !receipt.uninstalling && !outdated() && !files.contains(Changed) && !files.contains(Missing)
           && !files.contains(Unreadable) && !lines.contains(false);
}

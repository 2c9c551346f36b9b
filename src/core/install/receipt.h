#ifndef RECEIPT_H
#define RECEIPT_H

#include "files/platform.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <functional>

// What one installation put where: the files it copied and the lines it
// wrote into one maya.rayrc. An uninstall takes back what a receipt names
// and nothing else. One receipt per shader folder and maya.rayrc, a JSON
// file in the folder "receipts" of the working folder.
class Receipt
{
    Q_DECLARE_TR_FUNCTIONS(Receipt)

public:
    struct File
    {
        QString extension;
        QString source;
        QString destination;
        FileFingerprint copy; // the copy as it was made

        bool operator==(const File &other) const
        {
            return destination == other.destination && copy == other.copy;
        }
    };
    struct Line
    {
        QString entry; // "link" or "mi"
        QString text;  // without the tab the file has before it
    };

    // The version an upgrade replaced, for a rollback: the copies it
    // replaced, kept as previousFolder()/0, 1, ... (copy is the kept file's),
    // the destinations it copied to first, and the lines before it.
    struct Previous
    {
        QList<File> files;
        QStringList added;
        QList<Line> lines;
        bool isEmpty() const { return files.isEmpty() && added.isEmpty() && lines.isEmpty(); }
    };

    QString shaderDir; // absolute
    QString rayrc;     // the maya.rayrc the lines went into, or empty
    QList<File> files;
    QList<Line> lines;
    // The lines the installation set out to write, kept from its first
    // step: an install cut short can be finished without them typed again.
    QList<Line> planned;
    Previous previous;
    // An uninstall took some of it out, but not all: it is no longer whole.
    bool uninstalling = false;

    // The text of the receipted line of that entry, empty when there is none.
    QString line(const QString &entry) const;
    // That line, or the one planned while it is not written yet.
    QString wantedLine(const QString &entry) const;
    // The entry of the copy at destination, or null.
    const File *file(const QString &destination) const;
    // Records a copy at its destination; the entry of a copy there before,
    // gone since, goes.
    void addFile(const File &copy);
    // Records a line, once.
    void addLine(const Line &line);
    bool isEmpty() const { return files.isEmpty() && lines.isEmpty(); }
    // Whether link or mi, where given, is not the line the receipt holds
    // for its entry.
    bool otherLines(const QString &link, const QString &mi) const;
    // Both lines written: the installation got to its end.
    bool complete() const;

    // Said when what an installation did could not be written down.
    static QString failedText(const QString &path);
    // Said when an uninstall could not take what it removed out of it.
    static QString notUpdatedText(const QString &path);

    static QString folder();
    // Whether folder() is a folder of the user's own that no one else may
    // write: receipts are read and written nowhere else.
    static bool folderTrusted();
    static QString pathFor(const QString &shaderDir, const QString &rayrc);
    // Where the receipt at path keeps the previous version's copies; it
    // lives as long as the receipt names a previous version.
    static QString previousFolder(const QString &path);
    static QString keptPath(const QString &path, qsizetype index);
    // Removes that folder and the copies the program kept in it.
    static void removeKept(const QString &path);
    static QJsonObject fileJson(const File &file);
    // False for an entry that cannot tell the copy from any other.
    static bool fileFromJson(const QJsonObject &object, File &file);
    // Every receipt in the folder, by path.
    static QStringList all();
    // False when there is none at path, or it cannot be read as one: a
    // receipt is believed only when the user's own (sidefiles.h), in a
    // trusted folder, and of at most maxSize bytes.
    static bool read(const QString &path, Receipt &receipt);
    static bool parse(const QByteArray &bytes, Receipt &receipt);
    QByteArray toBytes() const;
    static constexpr qint64 maxSize = 1 << 20;
    // The calling sequence of every change:
    //   FileLock on the receipt, read (empty when there is none), change,
    //   saveOwnFile over it, or remove it when nothing is left.
    // update does it all; change does all but the lock, for a caller that
    // holds it across its own steps.
    [[nodiscard]] static bool update(const QString &shaderDir, const QString &rayrc,
                                     const std::function<void(Receipt &)> &change);
    [[nodiscard]] static bool change(const QString &shaderDir, const QString &rayrc,
                                     const std::function<void(Receipt &)> &change);
};

// Whether the regular file at path (after links) holds the bytes printed.
bool holdsBytes(const QString &path, const FileFingerprint &print);

// A receipt against what is there now: each copy intact, changed or
// missing, each line present or missing.
struct ReceiptStatus
{
    enum FileState {
        Intact,
        Changed,
        Missing,
        Outdated, // intact, but the shader's folder now holds other bytes for it
        Unreadable, // there, but another program keeps it from being read now
    };
    static QString key(FileState state);

    QString path;
    Receipt receipt;
    QList<FileState> files; // in the order of receipt.files
    QList<bool> lines;      // present, in the order of receipt.lines
    // Asked about with other lines than the receipt's.
    bool otherLines = false;

    // With shaderDir, each intact copy is also held against the file the
    // install's search finds there now.
    static ReceiptStatus check(const QString &path, const Receipt &receipt, const QString &shaderDir = {});
    // A copy or the lines asked about are not the shader's folder's now.
    bool outdated() const;
    // Installed to its end with the lines asked about, and all of it still
    // there as it was put.
    bool intact() const;
};

#endif

#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include "install/installreporter.h"


// A fresh world for one test case: an empty temporary current directory, the
// user settings redirected into it, and an empty configuration.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();

    QString path(const QString &name = QString()) const;
    bool isValid() const { return dir.isValid(); }

private:
    QTemporaryDir dir;
    QString previousDirectory;
    QByteArray previousData;
};

QByteArray readBytes(const QString &path);
// lf with each "\n" as the program ends a line of its own: CR LF on Windows.
QByteArray nativeEnds(QByteArray lf);
void writeBytes(const QString &path, const QByteArray &content);
// Every file below root, by path relative to root, with its content.
QMap<QString, QByteArray> treeSnapshot(const QString &root);
QString settingsValue(const QString &key);
void setSettingsValue(const QString &key, const QString &value);

// What an installation told its reporter, failures as the dialog would
// show them: kind ("critical" or "warning"), title, text and details.
struct Report
{
    QString kind;
    QString title;
    QString text;
    QString details;
};

class RecordingReporter : public InstallReporter
{
public:
    QList<Report> failures;
    QStringList destinations; // of the files copied
    QStringList updated;  // maya.rayrc paths

    void copied(const CopyStep &step) override;
    void copyFailed(const CopyStep &step) override;
    void rayrcUpdated(const RayrcStep &step) override;
    void rayrcFailed(const RayrcStep &step) override;
    void backupFailed(const QString &backupPath) override;
    void receiptFailed(const QString &path) override;
};

#endif

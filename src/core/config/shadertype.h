#ifndef SHADERTYPE_H
#define SHADERTYPE_H

#include "install/shaderfilerow.h"

#include <QString>
#include <QVector>

class InstallReporter;
class QTextStream;

// One configured shader type: its files, and the name it is listed under.
class ShaderType
{
public:
    ShaderType();

    QVector<ShaderFileRow> rows;
    QString name;

    void setRow(int row, const QString &extension, const QString &path, bool mandatory);
    void read(QTextStream &in, const QString &typeName);
    void write(QTextStream &out) const;

    // Copies every row's file from below shaderDir, then adds the two entries
    // to maya.rayrc when every file made it. Each step goes to the reporter.
    bool install(const QString &shaderDir, const QString &mrDir, const QString &link,
                 const QString &mi, InstallReporter *reporter = nullptr) const;
    static QString findFile(const QString &extension, const QString &directory,
                            QString &foundPath, QString &foundName);
    static bool updateRayrc(const QString &mrDir, const QString &link, const QString &mi);
};

#endif

#include "shaderinstall.h"

#include "filesearch.h"
#include "paths.h"
#include "rayrc.h"
#include "safefile.h"

#include <QFile>
#include <QMessageBox>
#include <QObject>

bool installShaderFiles(const QVector<ShaderFileRow> &rows, const QString &shaderDir,
                        const QString &mrDir, const QString &link, const QString &mi)
{
    bool result = true;
    for (const ShaderFileRow &row : rows) {
        QString source;
        QString name;
        // A file not found fails the installation even on an optional row.
        if (findShaderFile(row.extension, shaderDir, source, name).isEmpty())
            result = false;
        const QString destination = joinPath(row.path, name);
        // An empty destination would put the file at the root of the disk.
        if (!source.isEmpty() && !row.path.isEmpty() && copyRegularFile(source, destination))
            continue;
        if (row.mandatory) {
            QMessageBox::critical(nullptr, QObject::tr("Erreur de copie de fichier"),
                                  QObject::tr("Erreur lors de la copie du fichier : ") + name);
            result = false;
        } else {
            QMessageBox::warning(nullptr, QObject::tr("Erreur de copie de fichier"),
                                 QObject::tr("Erreur lors de la copie du fichier : ") + name
                                     + QObject::tr("\n Fichier non obligatoire"));
        }
    }
    if (result && !updateRayrcFile(mrDir, link, mi)) {
        QMessageBox::critical(nullptr, QObject::tr("Erreur d'ecriture"),
                              QObject::tr("Erreur lors de l'écriture dans maya.rayrc"));
        result = false;
    }
    return result;
}

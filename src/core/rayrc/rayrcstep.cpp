#include "rayrc/rayrcstep.h"

#include "files/paths.h"
#include "rayrc/rayrcbackup.h"

#include <QDate>

#include <QFile>
#include <QFileInfo>
#include <QObject>

namespace {
// Numbers the lines (ended by LF, CR LF or a lone CR) and finds the first
// that holds a tab followed by each word. Reads in blocks, holding one line.
bool scan(QFile &file, qint64 &linkLine, qint64 &miLine)
{
    QByteArray block(64 * 1024, Qt::Uninitialized);
    QByteArray line;
    qint64 number = 1;
    bool lastWasCr = false;
    const auto look = [&] {
        if (linkLine == 0 && line.contains("\tlink"))
            linkLine = number;
        if (miLine == 0 && line.contains("\tmi"))
            miLine = number;
        line.clear();
        ++number;
    };
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        for (qint64 i = 0; i < got; ++i) {
            const char c = block.at(i);
            if (c == '\n') {
                if (!lastWasCr)
                    look();
                lastWasCr = false;
            } else if (c == '\r') {
                look();
                lastWasCr = true;
            } else {
                line += c;
                lastWasCr = false;
            }
        }
        if (linkLine != 0 && miLine != 0)
            return true;
    }
    if (!line.isEmpty())
        look();
    return true;
}
}

RayrcStep RayrcStep::plan(const QString &mrDir)
{
    RayrcStep step;
    // An empty directory would name the maya.rayrc at the root of the disk.
    if (mrDir.isEmpty())
        return step;
    step.path = joinPath(mrDir, QStringLiteral("maya.rayrc"));
    QFile file(step.path);
    if (!QFileInfo(step.path).isFile() || !file.open(QIODevice::ReadOnly)
        || !scan(file, step.linkLine, step.miLine)) {
        step.outcome = Unreadable;
        return step;
    }
    if (step.linkLine == 0 && step.miLine == 0)
        step.outcome = NoEntries;
    else if (step.linkLine == 0)
        step.outcome = NoLinkEntry;
    else if (step.miLine == 0)
        step.outcome = NoMiEntry;
    else if (!QFileInfo(step.path).isWritable())
        step.outcome = NotWritable;
    else
        step.outcome = Update;
    return step;
}

QString RayrcStep::backupFailedText(const QString &backupPath)
{
    return tr("La copie du jour de maya.rayrc n'a pas pu être faite (%1) : maya.rayrc est "
              "modifié sans elle. Le dossier de travail doit être accessible en écriture.")
        .arg(backupPath);
}

QString RayrcStep::title() const
{
    return QObject::tr("Erreur d'ecriture");
}

QString RayrcStep::text() const
{
    return QObject::tr("Erreur lors de l'écriture dans maya.rayrc");
}

QString RayrcStep::details() const
{
    QString reason;
    switch (outcome) {
    case Update:
        return QString();
    case NoDirectory:
        return tr("Aucun dossier Mental Ray n'est donné : remplissez l'onglet Configuration.");
    case Unreadable:
        reason = tr("%1 est introuvable, illisible ou n'est pas un fichier.").arg(path);
        break;
    case NoLinkEntry:
        reason = tr("%1 n'a aucune ligne « link » (une tabulation suivie de link) : "
                    "l'entrée link n'a pas de place.")
                     .arg(path);
        break;
    case NoMiEntry:
        reason = tr("%1 n'a aucune ligne « mi » (une tabulation suivie de mi) : "
                    "l'entrée mi n'a pas de place.")
                     .arg(path);
        break;
    case NoEntries:
        reason = tr("%1 n'a ni ligne « link » ni ligne « mi » (une tabulation suivie du mot) : "
                    "les entrées n'ont pas de place.")
                     .arg(path);
        break;
    case NotWritable:
        reason = tr("%1 n'est pas accessible en écriture.").arg(path);
        break;
    case WriteFailed:
        reason = tr("L'écriture de %1 a échoué ; le fichier est resté tel qu'il était.").arg(path);
        break;
    }
    const QString backup = rayrcBackupPath(QDate::currentDate());
    if (QFileInfo(backup).isFile())
        reason += QLatin1Char('\n') + tr("Copie du jour de maya.rayrc : %1").arg(backup);
    return reason;
}

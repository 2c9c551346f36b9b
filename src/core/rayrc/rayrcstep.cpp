#include "rayrc/rayrcstep.h"

#include "files/platform.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcscan.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <iterator>

RayrcStep RayrcStep::plan(const QString &mrDir)
{
    RayrcStep step;
    step.path = rayrcPath(mrDir);
    if (step.path.isEmpty())
        return step;
    QFile file;
    RayrcScan scan;
    if (!openRegularFile(file, step.path)
        || !readWholeLines(file, 64 * 1024, [&scan](const char *begin, const char *whole, const char *) {
               RayrcScan::Place places[2];
               scan.take(begin, whole, places);
               return !scan.done();
           })) {
        step.outcome = Unreadable;
        return step;
    }
    step.linkLine = scan.linkLine;
    step.miLine = scan.miLine;
    if (!scan.done())
        step.outcome = entriesMissing(scan.linkLine, scan.miLine);
    else if (!QFileInfo(step.path).isWritable())
        step.outcome = NotWritable;
    else
        step.outcome = Update;
    return step;
}

RayrcStep::Outcome RayrcStep::entriesMissing(qint64 linkLine, qint64 miLine)
{
    if (linkLine == 0 && miLine == 0)
        return NoEntries;
    return linkLine == 0 ? NoLinkEntry : NoMiEntry;
}

QString RayrcStep::backupFailedText(const QString &backupPath)
{
    return tr("La copie du jour de maya.rayrc n'a pas pu être faite (%1) : maya.rayrc est "
              "modifié sans elle. Le dossier de travail doit être accessible en écriture.")
        .arg(backupPath);
}

QString RayrcStep::busyText(const QString &path)
{
    return tr("%1 est en cours de modification par un autre programme Velkarinth : rien n'y a "
              "été écrit. Réessayez dans un moment.")
        .arg(path);
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
    case Busy:
        reason = busyText(path);
        break;
    }
    if (!backupPath.isEmpty())
        reason += QLatin1Char('\n') + tr("Copie du jour de maya.rayrc : %1").arg(backupPath);
    return reason;
}

namespace {
// In the order of RayrcStep::Outcome.
constexpr const char *outcomeKeys[] = {
    "update", "no-directory", "unreadable", "no-link-entry", "no-mi-entry", "no-entries", "not-writable", "write-failed", "busy",
};
static_assert(std::size(outcomeKeys) == RayrcStep::Busy + 1);
}

QString RayrcStep::key() const
{
    return QString::fromLatin1(outcomeKeys[outcome]);
}

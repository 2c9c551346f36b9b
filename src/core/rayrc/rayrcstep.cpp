#include "rayrc/rayrcstep.h"

#include "files/paths.h"
#include "files/platform.h"
#include "i18n/outcometext.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcremoval.h"
#include "rayrc/rayrcscan.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <algorithm>
#include <iterator>

RayrcStep RayrcStep::plan(const QString &mrDir, const QString &receiptLink, const QString &receiptMi)
{
    RayrcStep step;
    step.path = rayrcPath(mrDir);
    if (step.path.isEmpty())
        return step;
    QFile file;
    RayrcScan scan;
    const LinesRead read = !openRegularFile(file, step.path)
                               ? LinesRead::Unreadable
                               : readWholeLines(file, 64 * 1024, [&scan](const char *begin, const char *whole, const char *) {
                                     RayrcScan::Place places[2];
                                     scan.take(begin, whole, places);
                                     return !scan.done();
                                 });
    if (read != LinesRead::Read) {
        step.outcome = unread(read);
        return step;
    }
    step.linkLine = scan.linkLine;
    step.miLine = scan.miLine;
    if (!scan.done())
        step.outcome = entriesMissing(scan.linkLine, scan.miLine);
    else if (!QFileInfo(step.path).isWritable())
        step.outcome = Outcome::NotWritable;
    else
        step.outcome = Outcome::Update;
    step.findReceipted(receiptLink, receiptMi);
    return step;
}

void RayrcStep::findReceipted(const QString &receiptLink, const QString &receiptMi)
{
    qint64 link = 0;
    qint64 mi = 0;
    if ((receiptLink.isEmpty() && receiptMi.isEmpty())
        || RayrcRemoval::locate(path, receiptLink, receiptMi, link, mi) != LinesRead::Read)
        return;
    linkThere = link > 0;
    miThere = mi > 0;
    // An installed shader stays so whatever became of the file's other lines.
    if (linkThere && miThere) {
        outcome = Outcome::Installed;
        linkLine = link;
        miLine = mi;
    }
}

RayrcStep::Outcome RayrcStep::entriesMissing(qint64 linkLine, qint64 miLine)
{
    if (linkLine == 0 && miLine == 0)
        return Outcome::NoEntries;
    return linkLine == 0 ? Outcome::NoLinkEntry : Outcome::NoMiEntry;
}

RayrcStep::Outcome RayrcStep::unread(LinesRead read)
{
    return read == LinesRead::TooLong ? Outcome::OutOfMemory : Outcome::Unreadable;
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

namespace {
// In the order of RayrcStep::Outcome; the facts are the file and the lines
// the link and mi entries go above.
constexpr OutcomeText outcomeTexts[] = {
    {"update", nullptr,
     QT_TRANSLATE_NOOP("RayrcStep", "l'entrée link irait au-dessus de la ligne %2, l'entrée mi "
                                    "au-dessus de la ligne %3")},
    {"no-directory",
     QT_TRANSLATE_NOOP("RayrcStep", "Aucun dossier Mental Ray n'est donné : remplissez l'onglet Configuration."),
     nullptr},
    {"unreadable", QT_TRANSLATE_NOOP("RayrcStep", "%1 est introuvable, illisible ou n'est pas un fichier."),
     nullptr},
    {"no-link-entry",
     QT_TRANSLATE_NOOP("RayrcStep", "%1 n'a aucune ligne « link » (une tabulation suivie de link) : "
                                    "l'entrée link n'a pas de place."),
     QT_TRANSLATE_NOOP("RayrcStep", "aucune ligne « link », l'entrée mi irait au-dessus de la ligne %3")},
    {"no-mi-entry",
     QT_TRANSLATE_NOOP("RayrcStep", "%1 n'a aucune ligne « mi » (une tabulation suivie de mi) : "
                                    "l'entrée mi n'a pas de place."),
     QT_TRANSLATE_NOOP("RayrcStep", "aucune ligne « mi », l'entrée link irait au-dessus de la ligne %2")},
    {"no-entries",
     QT_TRANSLATE_NOOP("RayrcStep", "%1 n'a ni ligne « link » ni ligne « mi » (une tabulation suivie du "
                                    "mot) : les entrées n'ont pas de place."),
     nullptr},
    {"not-writable", QT_TRANSLATE_NOOP("RayrcStep", "%1 n'est pas accessible en écriture."), nullptr},
    {"write-failed",
     QT_TRANSLATE_NOOP("RayrcStep", "L'écriture de %1 a échoué ; le fichier est resté tel qu'il était."),
     nullptr},
    {"busy",
     QT_TRANSLATE_NOOP("RayrcStep", "%1 est en cours de modification par un autre programme Velkarinth : "
                                    "rien n'y a été écrit. Réessayez dans un moment."),
     nullptr},
    {"out-of-memory",
     QT_TRANSLATE_NOOP("RayrcStep", "%1 a une ligne trop longue pour la mémoire ; le fichier est resté "
                                    "tel qu'il était."),
     nullptr},
    {"installed", nullptr,
     QT_TRANSLATE_NOOP("RayrcStep", "les entrées sont déjà là, lignes %2 et %3 : rien à écrire")},
};
static_assert(std::size(outcomeTexts) == int(RayrcStep::Outcome::Installed) + 1);
// An update of one entry, the other being there already.
constexpr const char *oneEntryTexts[] = {
    QT_TRANSLATE_NOOP("RayrcStep", "l'entrée mi irait au-dessus de la ligne %3, l'entrée link est déjà là"),
    QT_TRANSLATE_NOOP("RayrcStep", "l'entrée link irait au-dessus de la ligne %2, l'entrée mi est déjà là"),
};
}

QString RayrcStep::key() const
{
    return QString::fromLatin1(outcomeTexts[int(outcome)].key);
}

QString RayrcStep::reason() const
{
    return outcomeText("RayrcStep", outcomeTexts[int(outcome)].text, {nativePath(path)});
}

QString RayrcStep::reason(const char *key, const QString &path)
{
    const auto words = std::find_if(std::cbegin(outcomeTexts), std::cend(outcomeTexts),
                                    [key](const OutcomeText &words) { return qstrcmp(words.key, key) == 0; });
    return words == std::cend(outcomeTexts) ? QString() : outcomeText("RayrcStep", words->text, {nativePath(path)});
}

QString RayrcStep::planned() const
{
    const char *words = outcomeTexts[int(outcome)].planned;
    if (outcome == Outcome::Update && linkThere != miThere)
        words = oneEntryTexts[miThere];
    return words ? outcomeText("RayrcStep", words, {nativePath(path), QString::number(linkLine), QString::number(miLine)})
                 : reason();
}

QString RayrcStep::details() const
{
    QString reason = this->reason();
    if (!backupPath.isEmpty())
        reason += QLatin1Char('\n') + tr("Copie du jour de maya.rayrc : %1").arg(backupPath);
    return reason;
}

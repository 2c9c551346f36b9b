#include "clitext.h"

#include "copystep.h"
#include "installplan.h"
#include "rayrcstep.h"

namespace {
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}
}

QString CliText::copied(const CopyStep &step)
{
    return oneLine(tr("Copié : %1 -> %2").arg(step.source, step.destination));
}

QString CliText::rayrcUpdated(const RayrcStep &step)
{
    return oneLine(tr("Mis à jour : %1").arg(step.path));
}

QString CliText::failure(const QString &text, const QString &details)
{
    // The optional file's note starts its own line in a box.
    QString line = text;
    line.replace(QLatin1String("\n "), QLatin1String(" "));
    if (!details.isEmpty())
        line += QLatin1String(" | ") + QString(details).replace(QLatin1Char('\n'), QLatin1String(" | "));
    return oneLine(line);
}

QString CliText::planned(const CopyStep &step)
{
    QString what;
    switch (step.outcome) {
    case CopyStep::Copy:
        what = tr("copie");
        break;
    case CopyStep::NotFound:
        what = tr("aucun fichier trouvé");
        break;
    case CopyStep::NoDestination:
        what = tr("refus : aucun dossier de destination");
        break;
    case CopyStep::NoFolder:
        what = tr("refus : pas de tel dossier");
        break;
    case CopyStep::AlreadyThere:
        what = tr("refus : le fichier est déjà là");
        break;
    case CopyStep::NotWritable:
        what = tr("refus : dossier non accessible en écriture");
        break;
    case CopyStep::CopyFailed:
        what = tr("échec de la copie");
        break;
    }
    const QString mandatory = step.mandatory ? tr("obligatoire") : tr("facultatif");
    const QString source = step.source.isEmpty() ? tr("(aucun)") : step.source;
    const QString folder = step.folder.isEmpty() ? tr("(aucune)") : step.folder;
    return oneLine(tr("%1 (%2) : %3 -> %4 : %5").arg(step.extension, mandatory, source, folder, what));
}

QString CliText::planned(const RayrcStep &step)
{
    const QString path = step.path.isEmpty() ? QStringLiteral("maya.rayrc") : step.path;
    switch (step.outcome) {
    case RayrcStep::Update:
        return oneLine(tr("%1 : l'entrée link irait au-dessus de la ligne %2, l'entrée mi "
                          "au-dessus de la ligne %3")
                           .arg(path)
                           .arg(step.linkLine)
                           .arg(step.miLine));
    case RayrcStep::NoLinkEntry:
        return oneLine(tr("%1 : aucune ligne « link », l'entrée mi irait au-dessus de la ligne %2")
                           .arg(path)
                           .arg(step.miLine));
    case RayrcStep::NoMiEntry:
        return oneLine(tr("%1 : aucune ligne « mi », l'entrée link irait au-dessus de la ligne %2")
                           .arg(path)
                           .arg(step.linkLine));
    default:
        return oneLine(path + QLatin1String(" : ") + step.details());
    }
}

QString CliText::verdict(const InstallPlan &plan)
{
    return plan.succeeds() ? tr("L'installation réussirait.")
                           : tr("L'installation échouerait.");
}

QString CliText::key(const CopyStep &step)
{
    switch (step.outcome) {
    case CopyStep::Copy:
        return QStringLiteral("copy");
    case CopyStep::NotFound:
        return QStringLiteral("not-found");
    case CopyStep::NoDestination:
        return QStringLiteral("no-destination");
    case CopyStep::NoFolder:
        return QStringLiteral("no-folder");
    case CopyStep::AlreadyThere:
        return QStringLiteral("already-there");
    case CopyStep::NotWritable:
        return QStringLiteral("not-writable");
    case CopyStep::CopyFailed:
        return QStringLiteral("copy-failed");
    }
    return QString();
}

QString CliText::key(const RayrcStep &step)
{
    switch (step.outcome) {
    case RayrcStep::Update:
        return QStringLiteral("update");
    case RayrcStep::NoDirectory:
        return QStringLiteral("no-directory");
    case RayrcStep::Unreadable:
        return QStringLiteral("unreadable");
    case RayrcStep::NoLinkEntry:
        return QStringLiteral("no-link-entry");
    case RayrcStep::NoMiEntry:
        return QStringLiteral("no-mi-entry");
    case RayrcStep::NoEntries:
        return QStringLiteral("no-entries");
    case RayrcStep::NotWritable:
        return QStringLiteral("not-writable");
    case RayrcStep::WriteFailed:
        return QStringLiteral("write-failed");
    }
    return QString();
}

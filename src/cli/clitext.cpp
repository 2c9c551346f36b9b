#include "clitext.h"

#include "config/configuration.h"
#include "files/paths.h"
#include "install/copystep.h"
#include "install/installplan.h"
#include "rayrc/rayrcremoval.h"
#include "rayrc/rayrcstep.h"
#include "install/receipt.h"
#include "install/removestep.h"
#include "install/upgradeplan.h"

namespace {
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return CliText::printable(text);
}

// A step's details start with its reason: the command line's takes its place.
template<typename Step>
QString details(const Step &step)
{
    QString details = step.details();
    const QString reason = CliText::reason(step);
    return details.replace(0, step.reason().size(), reason);
}

bool rayrcFails(const RayrcStep &step)
{
    return step.outcome != RayrcStep::Outcome::Update && step.outcome != RayrcStep::Outcome::Installed;
}
}

QString CliText::printable(const QString &text)
{
    // A file name is any bytes: an ESC sequence in one must not drive the
    // user's terminal.
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString CliText::copied(const CopyStep &step)
{
    if (step.outcome == CopyStep::Outcome::Installed)
        return installed(step.destination);
    return oneLine(tr("Copié : %1 -> %2").arg(nativePath(step.source), nativePath(step.destination)));
}

QString CliText::rayrcUpdated(const RayrcStep &step)
{
    if (step.outcome == RayrcStep::Outcome::Installed)
        return installed(step.path);
    return oneLine(tr("Mis à jour : %1").arg(nativePath(step.path)));
}

QString CliText::installed(const QString &path)
{
    return oneLine(tr("Déjà installé : %1").arg(nativePath(path)));
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

QString CliText::failure(const CopyStep &step)
{
    return failure(step.text(), details(step));
}

QString CliText::failure(const RayrcStep &step)
{
    return failure(step.text(), details(step));
}

QString CliText::reason(const CopyStep &step)
{
    if (step.outcome != CopyStep::Outcome::NoDestination)
        return step.reason();
    return tr("Aucun dossier de destination n'est donné pour l'extension « %1 » dans %2 : écrivez-le "
              "sur sa ligne.")
        .arg(step.extension, Configuration::initFilePath());
}

QString CliText::reason(const RayrcStep &step)
{
    if (step.outcome != RayrcStep::Outcome::NoDirectory)
        return step.reason();
    return tr("Aucun dossier Mental Ray n'est donné dans %1 : %2 config mr DOSSIER l'y écrit.")
        .arg(Configuration::initFilePath(), QCoreApplication::applicationName());
}

QStringList CliText::planned(const InstallPlan &plan, bool failuresOnly)
{
    QStringList lines;
    for (const CopyStep &step : plan.copies) {
        if (failuresOnly && !step.failsInstall())
            continue;
        const QString mandatory = step.mandatory ? tr("obligatoire") : tr("facultatif");
        const QString source = step.source.isEmpty() ? tr("(aucun)") : nativePath(step.source);
        const QString folder = step.folder.isEmpty() ? tr("(aucune)") : nativePath(step.folder);
        lines << oneLine(tr("%1 (%2) : %3 -> %4 : %5").arg(step.extension, mandatory, source, folder, step.planned()));
    }
    const RayrcStep &rayrc = plan.rayrc;
    if (!failuresOnly || rayrcFails(rayrc)) {
        const QString path = rayrc.path.isEmpty() ? QStringLiteral("maya.rayrc") : nativePath(rayrc.path);
        // Where the preview gives the reason, the command line's.
        const QString planned = rayrc.planned();
        lines << oneLine(tr("%1 : %2").arg(path, planned == rayrc.reason() ? reason(rayrc) : planned));
    }
    if (!failuresOnly || !plan.succeeds())
        lines << (plan.succeeds() ? tr("L'installation réussirait.") : tr("L'installation échouerait."));
    return lines;
}

QString CliText::removal(const RemoveStep &step, bool dryRun)
{
    return oneLine(step.text(dryRun));
}

QStringList CliText::removal(const RayrcRemoval &removal, bool dryRun)
{
    const QString why = removal.reason();
    QStringList lines;
    if (!why.isEmpty()) {
        for (const QString &word : {QStringLiteral("link"), QStringLiteral("mi")})
            lines << oneLine(tr("Entrée %1 non retirée : %2").arg(word, why));
        return lines;
    }
    const QString removed = dryRun ? tr("%1 : entrée %2 à retirer, ligne %3")
                                   : tr("%1 : entrée %2 retirée, ligne %3");
    for (const auto &[word, line] : {std::pair<QString, qint64>(QStringLiteral("link"), removal.linkLine),
                                     std::pair<QString, qint64>(QStringLiteral("mi"), removal.miLine)}) {
        const QString path = nativePath(removal.path);
        lines << oneLine(line > 0 ? removed.arg(path, word, QString::number(line))
                                  : tr("%1 : entrée %2 absente").arg(path, word));
    }
    return lines;
}

QString CliText::otherLines(const Receipt &receipt)
{
    return oneLine(tr("Installé avec d'autres lignes que celles demandées : %1 -> %2, lignes « %3 » et "
                      "« %4 ».")
                       .arg(nativePath(receipt.shaderDir), nativePath(receipt.rayrc), receipt.line(QStringLiteral("link")),
                            receipt.line(QStringLiteral("mi"))));
}

QString CliText::noReceipt(const QString &shaderDir)
{
    return oneLine(tr("Aucun reçu d'installation pour %1 : rien n'a été retiré. --without-receipt "
                      "retire ce qui est octet pour octet le Shader.")
                       .arg(nativePath(shaderDir)));
}

QStringList CliText::status(const ReceiptStatus &status)
{
    // In the order of ReceiptStatus::FileState.
    static const char *const states[] = {QT_TR_NOOP("  intact : %1"), QT_TR_NOOP("  modifié : %1"),
                                         QT_TR_NOOP("  absent : %1"), QT_TR_NOOP("  version plus ancienne : %1"),
                                         QT_TR_NOOP("  illisible pour le moment (un autre programme le tient) : %1")};
    const Receipt &receipt = status.receipt;
    QStringList lines;
    const QString where = nativePath(receipt.shaderDir) + QLatin1String(" -> ") + nativePath(receipt.rayrc);
    if (status.otherLines)
        return {otherLines(receipt)};
    if (receipt.uninstalling)
        lines << oneLine(tr("Désinstallation inachevée : %1").arg(where));
    else if (status.intact())
        lines << oneLine(tr("Installé et intact : %1").arg(where));
    else if (status.outdated())
        lines << oneLine(tr("Installé, une version plus récente est dans le dossier du Shader : %1").arg(where));
    else if (receipt.complete())
        lines << oneLine(tr("Installé, mais modifié depuis : %1").arg(where));
    else
        lines << oneLine(tr("Installation inachevée : %1").arg(where));
    for (qsizetype i = 0; i < receipt.files.size(); ++i) {
        const QString destination = nativePath(receipt.files.at(i).destination);
        lines << oneLine(tr(states[status.files.at(i)]).arg(destination));
    }
    for (qsizetype i = 0; i < receipt.lines.size(); ++i) {
        const Receipt::Line &line = receipt.lines.at(i);
        lines << oneLine((status.lines.at(i) ? tr("  entrée %1 présente : %2")
                                             : tr("  entrée %1 absente : %2"))
                             .arg(line.entry, line.text));
    }
    return lines;
}

QStringList CliText::upgrade(const UpgradePlan &plan)
{
    QStringList lines;
    // What a run that did not go through would have done is no news.
    if (plan.applied && !plan.succeeds())
        return lines;
    for (const UpgradePlan::FileStep &step : plan.files) {
        if (step.action != UpgradePlan::Action::Refused)
            lines << oneLine(tr("%1 : %2 -> %3 : %4")
                                 .arg(step.copy.extension, nativePath(step.copy.source),
                                      nativePath(step.copy.destination), step.planned()));
    }
    const QString none = tr("(aucune)");
    for (const UpgradePlan::LineStep &line : plan.lines) {
        if (line.before != line.after)
            lines << oneLine(tr("%1 : entrée %2 : %3 -> %4")
                                 .arg(nativePath(plan.rayrc.path), line.entry,
                                      line.before.isEmpty() ? none : line.before,
                                      line.after.isEmpty() ? none : line.after));
    }
    if (!plan.succeeds())
        return lines;
    if (!plan.changed())
        lines << oneLine(tr("Déjà à jour : %1").arg(nativePath(plan.shaderDir)));
    else if (!plan.applied)
        lines << oneLine(tr("La version serait mise en place : %1").arg(nativePath(plan.shaderDir)));
    else
        lines << oneLine(tr("Version mise en place : %1").arg(nativePath(plan.shaderDir)));
    if (plan.restartNeeded)
        lines << oneLine(tr("Un programme garde l'ancienne version ouverte : elle sera retirée au "
                            "redémarrage de Windows. Relancez ce programme pour utiliser la nouvelle."));
    return lines;
}

QStringList CliText::upgradeFailures(const UpgradePlan &plan)
{
    QStringList lines;
    for (const UpgradePlan::FileStep &step : plan.files) {
        if (step.action == UpgradePlan::Action::Refused)
            lines << failure(reason(step.copy), QString());
    }
    if (plan.outcome == UpgradePlan::Outcome::Refused && rayrcFails(plan.rayrc))
        lines << failure(reason(plan.rayrc), QString());
    if (!plan.succeeds())
        lines << failure(plan.reason(), QString());
    return lines;
}

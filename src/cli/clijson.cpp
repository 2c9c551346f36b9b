#include "clijson.h"

#include "config/shadertype.h"
#include "files/paths.h"
#include "install/installplan.h"
#include "install/receipt.h"
#include "install/uninstallplan.h"
#include "install/upgradeplan.h"

#include <QDir>
#include <QJsonArray>

QString CliJson::path(const QString &path)
{
    return path.isEmpty() ? path : nativePath(QDir::current().absoluteFilePath(path));
}

namespace {
// What both commands say of a row's file.
template<typename Step>
QJsonObject fileEntry(const Step &step)
{
    return {{QStringLiteral("extension"), step.extension},
            {QStringLiteral("source"), CliJson::path(step.source)},
            {QStringLiteral("destinationDir"), CliJson::path(step.folder)},
            {QStringLiteral("destination"), CliJson::path(step.destination)},
            {QStringLiteral("action"), step.key()}};
}
}

QJsonObject CliJson::install(const InstallPlan &plan, int type, const ShaderType &shaderType)
{
    QJsonArray files;
    for (const CopyStep &step : plan.copies) {
        QJsonObject entry = fileEntry(step);
        entry.insert(QStringLiteral("mandatory"), step.mandatory);
        files.append(entry);
    }
    // An installation that stopped at its files never got to maya.rayrc.
    const QJsonValue rayrc = plan.applied && !plan.reachesRayrc()
                                 ? QJsonValue(QJsonValue::Null)
                                 : QJsonObject{{QStringLiteral("path"), CliJson::path(plan.rayrc.path)},
                                               {QStringLiteral("linkLine"), plan.rayrc.linkLine},
                                               {QStringLiteral("miLine"), plan.rayrc.miLine},
                                               {QStringLiteral("action"), plan.rayrc.key()}};
    return {{QStringLiteral("command"), QStringLiteral("install")},
            {QStringLiteral("dryRun"), !plan.applied},
            {QStringLiteral("ok"), plan.succeeds()},
            {QStringLiteral("changed"), plan.changed()},
            {QStringLiteral("receipt"), plan.receiptFailed ? QStringLiteral("receipt-failed")
                                                           : CliJson::path(Receipt::pathFor(plan.shaderDir, plan.rayrc.path))},
            {QStringLiteral("shaderDir"), CliJson::path(plan.shaderDir)},
            {QStringLiteral("type"), type},
            {QStringLiteral("typeName"), shaderType.name},
            {QStringLiteral("files"), files},
            {QStringLiteral("rayrc"), rayrc}};
}

QJsonObject CliJson::uninstall(const UninstallPlan &plan, int type, const ShaderType &shaderType)
{
    QJsonArray files;
    for (const RemoveStep &step : plan.files)
        files.append(fileEntry(step));
    const RayrcRemoval &rayrc = plan.rayrc;
    return {{QStringLiteral("command"), QStringLiteral("uninstall")},
            {QStringLiteral("dryRun"), !plan.applied},
            {QStringLiteral("ok"), plan.succeeds()},
            {QStringLiteral("shaderDir"), CliJson::path(plan.shaderDir)},
            {QStringLiteral("receipt"), plan.receipt.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                               : QJsonValue(CliJson::path(plan.receipt))},
            {QStringLiteral("receiptUpdated"), plan.receiptKept},
            {QStringLiteral("otherLines"), plan.otherLines},
            {QStringLiteral("type"), type},
            {QStringLiteral("typeName"), shaderType.name},
            {QStringLiteral("files"), files},
            {QStringLiteral("rayrc"), QJsonObject{{QStringLiteral("path"), CliJson::path(rayrc.path)},
                                                  {QStringLiteral("linkLine"), rayrc.linkLine},
                                                  {QStringLiteral("miLine"), rayrc.miLine},
                                                  {QStringLiteral("action"), rayrc.key()}}}};
}

QJsonObject CliJson::upgrade(const UpgradePlan &plan, int type, const ShaderType &shaderType)
{
    QJsonArray files;
    for (const UpgradePlan::FileStep &step : plan.files) {
        QJsonObject entry = fileEntry(step.copy);
        entry.insert(QStringLiteral("action"), step.key());
        files.append(entry);
    }
    QJsonArray lines;
    for (const UpgradePlan::LineStep &line : plan.lines)
        lines.append(QJsonObject{{QStringLiteral("entry"), line.entry},
                                 {QStringLiteral("before"), line.before},
                                 {QStringLiteral("after"), line.after}});
    return {{QStringLiteral("command"), plan.rollback ? QStringLiteral("rollback") : QStringLiteral("install")},
            {QStringLiteral("upgrade"), !plan.rollback},
            {QStringLiteral("dryRun"), !plan.applied},
            {QStringLiteral("ok"), plan.succeeds()},
            {QStringLiteral("changed"), plan.changed()},
            {QStringLiteral("outcome"), plan.key()},
            {QStringLiteral("message"), plan.reason()},
            {QStringLiteral("restartNeeded"), plan.restartNeeded},
            {QStringLiteral("shaderDir"), CliJson::path(plan.shaderDir)},
            {QStringLiteral("receipt"), CliJson::path(plan.receiptPath)},
            {QStringLiteral("type"), type},
            {QStringLiteral("typeName"), shaderType.name},
            {QStringLiteral("files"), files},
            {QStringLiteral("lines"), lines},
            {QStringLiteral("rayrc"), QJsonObject{{QStringLiteral("path"), CliJson::path(plan.rayrc.path)},
                                                  {QStringLiteral("action"), plan.rayrc.key()}}}};
}

QJsonObject CliJson::status(const QList<ReceiptStatus> &statuses, bool ok)
{
    QJsonArray shaders;
    for (const ReceiptStatus &status : statuses) {
        const Receipt &receipt = status.receipt;
        QJsonArray files;
        for (qsizetype i = 0; i < receipt.files.size(); ++i)
            files.append(QJsonObject{{QStringLiteral("extension"), receipt.files.at(i).extension},
                                     {QStringLiteral("source"), CliJson::path(receipt.files.at(i).source)},
                                     {QStringLiteral("destination"), CliJson::path(receipt.files.at(i).destination)},
                                     {QStringLiteral("state"), ReceiptStatus::key(status.files.at(i))}});
        QJsonArray lines;
        for (qsizetype i = 0; i < receipt.lines.size(); ++i)
            lines.append(QJsonObject{{QStringLiteral("entry"), receipt.lines.at(i).entry},
                                     {QStringLiteral("text"), receipt.lines.at(i).text},
                                     {QStringLiteral("state"), status.lines.at(i) ? QStringLiteral("present")
                                                                                 : QStringLiteral("missing")}});
        shaders.append(QJsonObject{{QStringLiteral("receipt"), CliJson::path(status.path)},
                                   {QStringLiteral("shaderDir"), CliJson::path(receipt.shaderDir)},
                                   {QStringLiteral("rayrc"), CliJson::path(receipt.rayrc)},
                                   {QStringLiteral("complete"), receipt.complete()},
                                   {QStringLiteral("intact"), status.intact()},
                                   {QStringLiteral("uninstalling"), receipt.uninstalling},
                                   {QStringLiteral("outdated"), status.outdated()},
                                   {QStringLiteral("otherLines"), status.otherLines},
                                   {QStringLiteral("files"), files},
                                   {QStringLiteral("lines"), lines}});
    }
    return {{QStringLiteral("command"), QStringLiteral("status")},
            {QStringLiteral("ok"), ok},
            {QStringLiteral("shaders"), shaders}};
}

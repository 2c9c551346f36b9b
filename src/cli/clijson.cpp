#include "clijson.h"

#include "config/shadertype.h"
#include "install/installplan.h"
#include "install/uninstallplan.h"

#include <QJsonArray>

namespace {
// What both commands say of a row's file.
template<typename Step>
QJsonObject fileEntry(const Step &step)
{
    return {{QStringLiteral("extension"), step.extension},
            {QStringLiteral("source"), step.source},
            {QStringLiteral("destinationDir"), step.folder},
            {QStringLiteral("destination"), step.destination},
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
    const QJsonValue rayrc = plan.applied && !plan.rayrcReached
                                 ? QJsonValue(QJsonValue::Null)
                                 : QJsonObject{{QStringLiteral("path"), plan.rayrc.path},
                                               {QStringLiteral("linkLine"), plan.rayrc.linkLine},
                                               {QStringLiteral("miLine"), plan.rayrc.miLine},
                                               {QStringLiteral("action"), plan.rayrc.key()}};
    return {{QStringLiteral("command"), QStringLiteral("install")},
            {QStringLiteral("dryRun"), !plan.applied},
            {QStringLiteral("ok"), plan.succeeds()},
            {QStringLiteral("shaderDir"), plan.shaderDir},
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
            {QStringLiteral("shaderDir"), plan.shaderDir},
            {QStringLiteral("type"), type},
            {QStringLiteral("typeName"), shaderType.name},
            {QStringLiteral("files"), files},
            {QStringLiteral("rayrc"), QJsonObject{{QStringLiteral("path"), rayrc.path},
                                                  {QStringLiteral("linkLine"), rayrc.linkLine},
                                                  {QStringLiteral("miLine"), rayrc.miLine},
                                                  {QStringLiteral("action"), rayrc.key()}}}};
}

#ifndef CLIJSON_H
#define CLIJSON_H

#include <QJsonObject>

class InstallPlan;
class ShaderType;
class UninstallPlan;
class UpgradePlan;
struct ReceiptStatus;

// The --json documents: one for a plan, whether only made (the preview) or
// also applied.
namespace CliJson {
// A path as the documents give it: absolute, in the system's own writing;
// none stays empty.
QString path(const QString &path);
QJsonObject install(const InstallPlan &plan, int type, const ShaderType &shaderType);
QJsonObject uninstall(const UninstallPlan &plan, int type, const ShaderType &shaderType);
QJsonObject upgrade(const UpgradePlan &plan, int type, const ShaderType &shaderType);
QJsonObject status(const QList<ReceiptStatus> &statuses, bool ok);
}

#endif

#include "config/shadertype.h"

#include "files/filelock.h"
#include "install/filesearch.h"
#include "install/installplan.h"
#include "install/installreporter.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcupdate.h"

#include <QTextStream>

ShaderType::ShaderType()
    : rows(5), name(QStringLiteral("Shader Mental Ray"))
{
}

void ShaderType::setRow(int row, const QString &extension, const QString &path, bool mandatory)
{
    if (row < 0 || row >= rows.size())
        return;
    rows[row].extension = extension;
    rows[row].path = path;
    rows[row].mandatory = mandatory;
}

void ShaderType::read(QTextStream &in, const QString &typeName)
{
    name = typeName;
    const int count = in.readLine().toInt();
    rows.clear();
    // The count comes from the file: trust it only as far as there are lines.
    for (int i = 0; i < count && !in.atEnd(); ++i) {
        ShaderFileRow row;
        row.read(in);
        rows.append(row);
    }
}

void ShaderType::write(QTextStream &out) const
{
    out << '[' << name << "]\n" << rows.size() << '\n';
    for (const ShaderFileRow &row : rows)
        row.write(out);
}

bool ShaderType::install(const QString &shaderDir, const QString &mrDir, const QString &link,
                         const QString &mi, InstallReporter *reporter) const
{
    InstallReporter quiet;
    return InstallPlan::make(rows, shaderDir, mrDir, link, mi).apply(reporter ? *reporter : quiet);
}

QString ShaderType::findFile(const QString &extension, const QString &directory,
                             QString &foundPath, QString &foundName)
{
    return findShaderFile(extension, directory, foundPath, foundName);
}

bool ShaderType::updateRayrc(const QString &mrDir, const QString &link, const QString &mi)
{
    const QString path = rayrcPath(mrDir);
    FileLock lock(path);
    return !path.isEmpty() && lock.lock()
           && updateRayrcFile(mrDir, link, mi).outcome == RayrcStep::Outcome::Update;
}

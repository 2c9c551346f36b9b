#include "rayrc/rayrcpath.h"

#include "files/paths.h"

QString rayrcPath(const QString &mrDir)
{
    return mrDir.isEmpty() ? QString() : joinPath(mrDir, QStringLiteral("maya.rayrc"));
}

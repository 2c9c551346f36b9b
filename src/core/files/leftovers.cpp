#include "files/leftovers.h"

#include "files/paths.h"
#include "files/platform.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const char *const kinds[] = {"copying", "removing", "new", "old"};
}

QString leftoverName(const QString &path, Leftover kind)
{
    static QAtomicInteger<quint32> counter;
    const QFileInfo info(path);
    return joinPath(info.path(), QStringLiteral(".%1.velkarinth-%2-%3-%4")
                                     .arg(info.fileName(), QLatin1String(kinds[int(kind)]))
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(++counter));
}

void sweepLeftovers(const QString &folder)
{
    if (folder.isEmpty())
        return;
    static const QRegularExpression name(
        QStringLiteral("^\\..+\\.velkarinth-(?:copying|removing|new)-(\\d+)-\\d+$"));
    const QDir dir(folder);
    for (const QString &entry : dir.entryList({QStringLiteral(".*velkarinth-*")},
                                              QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        const QString path = joinPath(folder, entry);
        const Ownership owned = ownership(path, false);
        if (pid == QCoreApplication::applicationPid() || processRunning(pid) || !owned.exists || owned.link
            || owned.folder || !owned.ownedByUser)
            continue;
        QFile::remove(path);
    }
}

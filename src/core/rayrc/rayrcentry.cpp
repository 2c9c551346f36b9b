#include "rayrc/rayrcentry.h"

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isWordCharacter(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
}

bool isRayrcEntry(const QString &line, QStringView keyword)
{
    if (line.contains(u'\n') || line.contains(u'\r'))
        return false;
    qsizetype start = 0;
    while (start < line.size() && isBlank(line.at(start)))
        ++start;
    const QStringView rest = QStringView(line).mid(start);
    if (!rest.startsWith(keyword))
        return false;
    return rest.size() == keyword.size() || !isWordCharacter(rest.at(keyword.size()));
}

QString rayrcEntryExample(QStringView keyword)
{
    return keyword == u"link" ? QStringLiteral("link \"{MAYA_LOCATION}/mentalray/lib/velvet.so\";")
                              : QStringLiteral("mi \"{MAYA_LOCATION}/mentalray/include/velvet.mi\";");
}

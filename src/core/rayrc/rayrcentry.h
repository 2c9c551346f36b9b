#ifndef RAYRCENTRY_H
#define RAYRCENTRY_H

#include <QString>

// Whether Mental Ray can read a line as an entry of maya.rayrc: blanks aside,
// it begins with the keyword ("link" or "mi") as a whole word, and it holds
// no line break.
bool isRayrcEntry(const QString &line, QStringView keyword);
// An entry of that keyword as Mental Ray takes it, shown where a line was
// refused: the same in every language.
QString rayrcEntryExample(QStringView keyword);

#endif

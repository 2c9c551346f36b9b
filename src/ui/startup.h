#ifndef STARTUP_H
#define STARTUP_H

#include <QString>

#include <memory>

class QTranslator;

// The interface stays in French when the locale's name holds "fr" anywhere,
// case-sensitively.
bool isFrenchLocale(const QString &localeName);

// For a locale that is not French: a translator loaded from velkarinth_en.qm
// in the current directory and installed on the application, whether or not
// the file was there. Null for a French locale.
std::unique_ptr<QTranslator> installTranslation(const QString &localeName);

#endif

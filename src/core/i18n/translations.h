#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

// The interface stays in French when the locale's name holds "fr" anywhere,
// case-sensitively.
bool isFrenchLocale(const QString &localeName);

// For a locale that is not French: a translator loaded from the first of the
// folders whose velkarinth_en.qm holds together (an empty folder is the
// current directory), installed on the application whether or not one was
// found. A damaged catalogue is passed over: the interface stays French.
// Null for a French locale.
std::unique_ptr<QTranslator> installTranslation(const QString &localeName,
                                                const QStringList &folders);

// Where the program looks for its catalogue: the current directory, then the
// program's own folder.
QStringList translationFolders();

// Qt's own catalogue for a locale (qtbase_fr.qm for "fr_FR", else for "fr"),
// from Qt's translations folder, installed on the application: the standard
// buttons and the folder dialog speak its language. Null when Qt has none
// for the locale, or when it does not hold together.
std::unique_ptr<QTranslator> installQtTranslation(const QString &localeName);

// Everything the interface is translated with: the program's catalogue, and
// Qt's in the language the interface ends up in, which is French when the
// program's catalogue is missing or damaged.
struct Translations
{
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};
Translations installTranslations(const QString &localeName, const QStringList &folders);

#endif

#include "startup.h"

#include <QCoreApplication>
#include <QTranslator>

bool isFrenchLocale(const QString &localeName)
{
    return localeName.indexOf(QLatin1String("fr"), 0, Qt::CaseSensitive) >= 0;
}

std::unique_ptr<QTranslator> installTranslation(const QString &localeName)
{
    if (isFrenchLocale(localeName))
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    // Without the file the interface simply stays in French.
    (void)translator->load(QStringLiteral("velkarinth_en.qm"));
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

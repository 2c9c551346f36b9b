#include "i18n/translations.h"

#include "i18n/catalogue.h"
#include "files/platform.h"
#include "files/paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcI18n, "velkarinth.i18n")

namespace {
const QString programCatalogue = QStringLiteral("velkarinth_en.qm");
// Far above any real catalogue (Qt's largest are a few hundred KiB).
constexpr qint64 maxCatalogueSize = 16 * 1024 * 1024;

// Loads a catalogue only once it is known to hold together, from the very
// bytes that were checked, and keeps them for as long as it translates.
class CheckedTranslator : public QTranslator
{
public:
    ~CheckedTranslator() override
    {
        // Before the bytes go: QTranslator's own destructor runs after them.
        if (QCoreApplication::instance())
            QCoreApplication::removeTranslator(this);
    }

    bool loadChecked(const QString &path)
    {
        // Anyone who can write the working folder can put a FIFO or a link
        // to a device there: neither is waited on nor read without end.
        QFile file;
        if (!openRegularFile(file, path))
            return false;
        const QByteArray data = file.read(maxCatalogueSize + 1);
        if (data.size() > maxCatalogueSize || !isSoundCatalogue(data)) {
            // The interface just stays French: only the log tells why.
            qCWarning(lcI18n) << "catalogue rejected:" << path;
            return false;
        }
        bytes = data;
        return load(reinterpret_cast<const uchar *>(bytes.constData()), int(bytes.size()));
    }

private:
    QByteArray bytes;
};
}

bool isFrenchLocale(const QString &localeName)
{
    return localeName.indexOf(QLatin1String("fr"), 0, Qt::CaseSensitive) >= 0;
}

std::unique_ptr<QTranslator> installTranslation(const QString &localeName,
                                                const QStringList &folders)
{
    if (isFrenchLocale(localeName))
        return nullptr;
    auto translator = std::make_unique<CheckedTranslator>();
    for (const QString &folder : folders) {
        const QString path = folder.isEmpty() ? programCatalogue : joinPath(folder, programCatalogue);
        if (translator->loadChecked(path))
            break;
    }
    // Without a catalogue the interface simply stays in French.
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

QStringList translationFolders()
{
    return {QString(), QCoreApplication::applicationDirPath()};
}

std::unique_ptr<QTranslator> installQtTranslation(const QString &localeName)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // fr_CA, then fr: the most precise catalogue Qt has.
    QString name = localeName;
    while (!name.isEmpty()) {
        auto translator = std::make_unique<CheckedTranslator>();
        const QString path = joinPath(folder, QStringLiteral("qtbase_%1.qm").arg(name));
        if (QFile::exists(path) && translator->loadChecked(path)) {
            QCoreApplication::installTranslator(translator.get());
            return translator;
        }
        const qsizetype cut = name.lastIndexOf(u'_');
        name.truncate(cut < 0 ? 0 : cut);
    }
    return nullptr;
}

Translations installTranslations(const QString &localeName, const QStringList &folders)
{
    Translations translations;
    translations.program = installTranslation(localeName, folders);
    const bool english = translations.program && !translations.program->isEmpty();
    translations.qt = installQtTranslation(english ? localeName : QStringLiteral("fr"));
    return translations;
}

// The catalogue check: a catalogue it lets through loads in QTranslator, and
// looking texts up in it reads nothing outside it.
#include "i18n/catalogue.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QList>
#include <QTranslator>
#include <QXmlStreamReader>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace {
struct Text
{
    QByteArray context;
    QByteArray source;
    QByteArray comment;
};

QList<Text> texts;

// The program's own texts, those of the seeds, and contexts no catalogue has.
void collectTexts()
{
    QFile file(QStringLiteral(VELKARINTH_TS_FILE));
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QByteArray context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText().toUtf8();
        else if (xml.name() == u"source")
            texts.append({context, xml.readElementText().toUtf8(), QByteArray()});
    }
    FUZZ_CHECK(!texts.isEmpty());
    texts.append({"ShaderTab", "pas d'action", "status"});
    texts.append({"TabDialog", "%n fichier(s)", QByteArray()});
    texts.append({"QPlatformTheme", "Cancel", QByteArray()});
    texts.append({QByteArray(), QByteArray(), QByteArray()});
}

// QTranslator is not instrumented: the catalogue ends right before a page
// that cannot be read, so that a read past its end faults.
class GuardedCopy
{
public:
    explicit GuardedCopy(const uint8_t *data, size_t size)
    {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        length = (size + page - 1) / page * page + page;
        void *map = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        FUZZ_CHECK(map != MAP_FAILED);
        base = static_cast<uint8_t *>(map);
        FUZZ_CHECK(mprotect(base + length - page, page, PROT_NONE) == 0);
        uint8_t *end = base + length - page;
        std::memcpy(end - size, data, size);
        copy = end - size;
    }
    ~GuardedCopy() { munmap(base, length); }

    const uint8_t *copy = nullptr;

private:
    uint8_t *base = nullptr;
    size_t length = 0;
};
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    collectTexts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!isSoundCatalogue(QByteArrayView(data, qsizetype(size))))
        return 0;
    const GuardedCopy guarded(data, size);
    QTranslator translator;
    FUZZ_CHECK(translator.load(guarded.copy, int(size)));
    for (const Text &text : std::as_const(texts)) {
        for (int n : {-1, 0, 1, 2, 5, 21})
            (void)translator.translate(text.context.constData(), text.source.constData(),
                                       text.comment.constData(), n);
    }
    return 0;
}

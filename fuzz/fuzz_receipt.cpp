// The receipt reader: whatever bytes a receipt holds, it is read or refused,
// never a crash or a read without end, and what it reads is what it would
// write back.
#include "fuzzsupport.h"
#include "install/receipt.h"

#include <QDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool entered = (enterScratchFolder(), QDir().mkdir(Receipt::folder()));
    FUZZ_CHECK(entered);
    const QString path = Receipt::pathFor(QStringLiteral("shader"), QStringLiteral("maya.rayrc"));
    writeFile(path.toLocal8Bit().constData(),
              QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    Receipt receipt;
    if (!Receipt::read(path, receipt))
        return 0;
    FUZZ_CHECK(qint64(size) <= Receipt::maxSize);
    const QByteArray written = receipt.toBytes();
    Receipt again;
    FUZZ_CHECK(Receipt::parse(written, again));
    FUZZ_CHECK(again.toBytes() == written);
    return 0;
}

#include "stdstream.h"

#include "files/platform.h"

StdStream::StdStream(std::FILE *stream)
    : stream(stream)
    , number(stream == stderr ? 2 : 1)
    , console(isConsole(number))
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 StdStream::writeData(const char *data, qint64 size)
{
    if (console) {
        // A character cut between two writes waits in the decoder.
        const QString text = decoder.decode(QByteArrayView(data, size));
        return writeConsole(number, text) ? size : -1;
    }
    return std::fwrite(data, 1, size_t(size), stream) == size_t(size) ? size : -1;
}

#ifndef STDSTREAM_H
#define STDSTREAM_H

#include <QIODevice>
#include <QStringDecoder>

#include <cstdio>

// Standard output or error as its reader takes text: a Windows console
// UTF-16, anything else (a pipe, a file, a terminal elsewhere) the UTF-8
// that is written to it. Whatever the ANSI code page, nothing is lost.
class StdStream : public QIODevice
{
public:
    explicit StdStream(std::FILE *stream);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    std::FILE *stream;
    int number;
    bool console;
    QStringDecoder decoder{QStringDecoder::Utf8};
};

#endif

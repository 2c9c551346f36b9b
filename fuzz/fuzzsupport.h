#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>

// Every harness works in a private temporary folder that is also the current
// directory, with the user settings redirected into it.
void enterScratchFolder();

QByteArray readFile(const char *name);
void writeFile(const char *name, const QByteArray &content);

// A file's lines as the program must see them, told apart here without its
// code: LF, CR LF or CR alone ends a line.
struct FuzzLine
{
    QByteArray text;
    QByteArray end;
    bool operator==(const FuzzLine &other) const { return text == other.text && end == other.end; }
};
QList<FuzzLine> fuzzLines(const QByteArray &content);
QByteArray joinFuzzLines(const QList<FuzzLine> &lines);

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__,       \
                         __LINE__);                                                            \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

#endif

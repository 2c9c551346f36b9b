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

// Lines as a reader sees them: split at '\n', a trailing '\r' kept, no empty
// piece after a final '\n'.
QList<QByteArray> rawLines(const QByteArray &content);

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__,       \
                         __LINE__);                                                            \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

#endif

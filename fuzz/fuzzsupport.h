#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

// Every harness works in a private temporary folder that is also the current
// directory, with the user settings redirected into it.
void enterScratchFolder();

QByteArray readFile(const char *name);
void writeFile(const char *name, const QByteArray &content);

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__,       \
                         __LINE__);                                                            \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

#endif

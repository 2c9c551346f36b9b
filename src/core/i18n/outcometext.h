#ifndef OUTCOMETEXT_H
#define OUTCOMETEXT_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The words of one outcome of a step. Each step keeps a table of these in
// the order of its Outcome enum, so that an outcome's key and sentences are
// written once, for the boxes and the command line alike.
struct OutcomeText
{
    const char *key;     // stable, for scripts; never translated
    const char *text;    // what became of it or why not, in a sentence; may be null
    const char *planned; // what the preview says; null where it says the text
};

// The text, translated in context, with each %N replaced by facts[N-1]:
// a sentence (or its translation) may use any of a step's facts, in any order.
QString outcomeText(const char *context, const char *text, const QStringList &facts);

#endif

#ifndef CATALOGUE_H
#define CATALOGUE_H

#include <QByteArrayView>

// Whether a compiled translation catalogue (.qm) holds together: every block,
// hash entry, context chain and message record stays inside the data, so that
// QTranslator can load it and look texts up without reading past it. Qt trusts
// these lengths and offsets; a damaged file crashes the first lookup.
// A catalogue that depends on other catalogues is refused: they would be
// loaded unchecked.
bool isSoundCatalogue(QByteArrayView data);

#endif

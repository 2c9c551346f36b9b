#include "i18n/outcometext.h"

QString outcomeText(const char *context, const char *text, const QStringList &facts)
{
    if (!text)
        return QString();
    const QString translated = QCoreApplication::translate(context, text);
    QString out;
    out.reserve(translated.size());
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated.at(i);
        const int n = i + 1 < translated.size() ? translated.at(i + 1).digitValue() : -1;
        if (c == QLatin1Char('%') && n >= 1 && n <= facts.size()) {
            out += facts.at(n - 1);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

#include "install/shaderfilerow.h"

#include <QTextStream>

namespace {
// Splits off the text before the first '*'; without a '*' the whole text is
// the remainder and the field is empty.
QString takeField(QString &remainder)
{
    const qsizetype star = remainder.indexOf(QLatin1Char('*'));
    if (star < 0)
        return QString();
    const QString field = remainder.left(star);
    remainder = remainder.mid(star + 1);
    return field;
}
}

void ShaderFileRow::read(QTextStream &in)
{
    QString remainder = in.readLine();
    extension = takeField(remainder);
    path = takeField(remainder);
    mandatory = remainder.contains(QLatin1Char('o'));
}

void ShaderFileRow::write(QTextStream &out) const
{
    out << extension << '*' << path << '*' << (mandatory ? 'o' : 'n') << '\n';
}

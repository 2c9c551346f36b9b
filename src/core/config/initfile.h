#ifndef INITFILE_H
#define INITFILE_H

#include "config/shadertype.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVector>

// What makes a value unfit for init.txt, where it would not read back as it
// was written.
enum class ValueProblem {
    None,
    LineBreak,      // moves every later line
    FieldSeparator, // a '*' in a row shifts its fields
    NotEncodable,   // the system encoding cannot write it
};

// A whole line of init.txt (a directory, a type name), or a field of a row.
enum class ValueKind { Line, RowField };

// bom: for a file that starts with one, and so is UTF-8.
ValueProblem storageProblem(const QString &value, ValueKind kind, bool bom = false);

// init.txt's format, bytes to values and back. Pure: no file, no setting, no
// backup; the rows are read and written by ShaderType and ShaderFileRow.
class InitFile
{
public:
    // The marker line the loader stopped at, for want of its marker or of
    // any line after it; None once it read on to the shader types.
    enum class Stop { None, MayaMarker, MrMarker };

    QString mayaPath;
    QString mrPath;
    QVector<ShaderType> shaderTypes;
    Stop stop = Stop::None;
    // With a stop: the file went on with lines the loader could not take in.
    bool unread = false;
    bool bom = false;
    // The end of the first line; empty for the platform's own.
    QByteArray lineEnd;
    // The system encoding gives back the very bytes it decoded.
    bool decodable = true;

    static InitFile parse(const QByteArray &bytes);
    // Every line ends with lineEnd; only the values, the BOM and the line end
    // are written, whatever the loader could not read.
    QByteArray serialize() const;

    // A file that starts with a UTF-8 BOM is UTF-8, read and written; any
    // other is in the system's encoding.
    static bool hasBom(QByteArrayView content);
    static QByteArray encode(const QString &text, bool bom);

    static QByteArray mayaMarker();
    static QByteArray mrMarker();
    // Line 1 of a file the directory setters may rewrite, BOM included.
    static bool isMayaMarkerLine(const QByteArray &firstLine);
    // content with text as line 2 (the Maya directory) or line 4 (Mental
    // Ray, below its marker on line 3), every other line kept byte for byte;
    // empty when the file is to be left alone: line 1 is not the marker, or
    // line 3 is something else than the Mental Ray marker.
    static QByteArray withDirectory(const QByteArray &content, const QByteArray &text, bool mentalRay);

    friend bool operator==(const InitFile &a, const InitFile &b);
};

#endif

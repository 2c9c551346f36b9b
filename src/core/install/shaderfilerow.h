#ifndef SHADERFILEROW_H
#define SHADERFILEROW_H

#include <QString>

class QTextStream;

// One file of a shader type: which extension picks it, where it is copied to
// and whether a failed copy fails the installation.
class ShaderFileRow
{
public:
    QString extension;
    QString path;
    bool mandatory = false;

    void read(QTextStream &in);
    void write(QTextStream &out) const;
};

#endif

#ifndef RAYRCPATH_H
#define RAYRCPATH_H

#include <QString>

// Mental Ray's start-up file in mrDir; empty when no directory is given,
// since joining would name the maya.rayrc at the root of the disk.
QString rayrcPath(const QString &mrDir);

#endif

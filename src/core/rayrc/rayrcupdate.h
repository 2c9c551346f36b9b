#ifndef RAYRCUPDATE_H
#define RAYRCUPDATE_H

#include "rayrc/rayrcstep.h"

#include <QString>

// Rewrites maya.rayrc in mrDir with "\t" + link and "\t" + mi, each above the
// line RayrcScan finds for it (an empty one is not written), or leaves it as
// it was. The entries end as the
// file's first line does, every other byte stays as it was, and a last line
// without a line end gets one. The file is streamed in blocks of blockSize
// bytes: the memory held is a block and the longest line, whatever the
// file's size. The step says what became of it, from the rewrite itself.
RayrcStep updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi,
                          qsizetype blockSize = 256 * 1024);

#endif

#ifndef RAYRCUPDATE_H
#define RAYRCUPDATE_H

#include <QString>

// Rewrites maya.rayrc in mrDir with "\t" + link above the first line holding
// "\tlink" and "\t" + mi above the first line holding "\tmi" (link first when
// one line holds both), or leaves it as it was and returns false. A line ends
// in LF, CR LF or CR alone; the entries end as the file's first line does,
// every other byte stays as it was, and a last line without a line end gets
// one. The file is streamed in blocks of blockSize bytes: the memory held is
// a block and the longest line, whatever the file's size.
bool updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi,
                     qsizetype blockSize = 256 * 1024);

#endif

#include "rayrc/rayrcupdate.h"

#include "files/platform.h"
#include "files/filerewrite.h"
#include "files/textfile.h"
#include "rayrc/rayrcpath.h"
#include "rayrc/rayrcscan.h"

#include <QFile>

RayrcStep updateRayrcFile(const QString &mrDir, const QString &link, const QString &mi,
                          qsizetype blockSize)
{
    RayrcStep step;
    step.path = rayrcPath(mrDir);
    if (step.path.isEmpty())
        return step;
    QFile in;
    if (!openRegularFile(in, step.path)) {
        step.outcome = RayrcStep::Outcome::Unreadable;
        return step;
    }
    FileRewrite out(step.path);
    // Read on when the file cannot be written: a file without its entries
    // says so first, as the preview does.
    bool writing = out.open();
    const bool writable = writing;

    // Only the new entries are encoded; the old lines keep their bytes.
    const QByteArray linkText = '\t' + local8Bit(link);
    const QByteArray miText = '\t' + local8Bit(mi);
    QByteArray lineEnd;
    char last = '\n';
    RayrcScan scan;
    const auto write = [&](QByteArrayView bytes) { writing = writing && out.write(bytes); };
    const LinesRead read = readWholeLines(in, blockSize, [&](const char *begin, const char *whole,
                                                        const char *stop) {
        if (lineEnd.isEmpty())
            lineEnd = firstLineEnd(QByteArrayView(begin, stop - begin));
        RayrcScan::Place places[2];
        const int found = scan.take(begin, whole, places);
        const char *written = begin;
        for (int i = 0; i < found; ++i) {
            write(QByteArrayView(written, places[i].lineStart - written));
            if (places[i].link && !link.isEmpty())
                write(linkText + lineEnd);
            if (places[i].mi && !mi.isEmpty())
                write(miText + lineEnd);
            written = places[i].lineStart;
        }
        write(QByteArrayView(written, whole - written));
        last = whole[-1];
        return true;
    });

    step.linkLine = scan.linkLine;
    step.miLine = scan.miLine;
    if (read != LinesRead::Read) {
        step.outcome = RayrcStep::unread(read);
    } else if (!scan.done()) {
        step.outcome = RayrcStep::entriesMissing(scan.linkLine, scan.miLine);
    } else if (!writable) {
        step.outcome = RayrcStep::Outcome::NotWritable;
    } else {
        if (last != '\n' && last != '\r')
            write(lineEnd);
        // Windows refuses to replace a file that is open, even by this process.
        in.close();
        step.outcome = writing && out.commit() ? RayrcStep::Outcome::Update : RayrcStep::Outcome::WriteFailed;
    }
    return step;
}

#ifndef RAYRCREMOVAL_H
#define RAYRCREMOVAL_H

#include <QString>

// Takes a shader's two entries out of maya.rayrc again: the first line that
// is exactly a tab and the link line, and the first that is exactly a tab
// and the mi line, each without its line end. Every other byte stays.
class RayrcRemoval
{
public:
    enum Outcome {
        Remove,      // at least one entry is there: removed, or to be
        NoEntries,   // neither entry is there: nothing to do
        NoDirectory, // no Mental Ray directory configured
        Unreadable,  // missing, not a regular file, or unreadable
        WriteFailed, // the rewrite failed; the file is as it was
        Busy,        // another run kept it locked: nothing was written
    };
    // Stable names of the outcomes for scripts, never translated.
    QString key() const;


    QString path;
    // 1-based line of each entry in the file as it was; 0 when not there.
    qint64 linkLine = 0;
    qint64 miLine = 0;
    Outcome outcome = NoDirectory;

    static RayrcRemoval plan(const QString &mrDir, const QString &link, const QString &mi);
    // Rewrites the file without the entries when the plan says so.
    bool apply();
    // Whether the uninstall could not take out what it should have.
    bool keepsSomething() const;

private:
    QString link;
    QString mi;
};

#endif

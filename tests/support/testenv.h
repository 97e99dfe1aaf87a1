#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Guards every test program: it refuses to run outside the isolated folders
// that run_isolated.sh makes, no power command it triggers ever reaches the
// system, and no folder or page it opens reaches a browser: the opener records
// them. (run_isolated.sh also fails a run that leaked a running child.)
class TestEnv
{
public:
    static void guard();

    static QString root();
    // The build's application folder (executable, ffmpeg and ffprobe links, fonts).
    static QString appDir();
    // A fresh empty folder under the isolated root.
    static QString makeDir(const QString& name);

    // What would have been opened with the desktop's handler, oldest first.
    static QList<QUrl> openedUrls();
    static void clearOpenedUrls();
};

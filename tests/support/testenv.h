#pragma once

#include <QString>
#include <QStringList>

// Guards every test program: it refuses to run outside the isolated folders
// that run_isolated.sh makes, records power commands instead of running them,
// and counts child processes destroyed while still running.
class TestEnv
{
public:
    static void guard();
    // The exit code of the program: a leaked child process fails the run.
    static int finish(int testResult);

    static QString root();
    // The build's application folder (executable, ffmpeg and ffprobe links, fonts).
    static QString appDir();
    // A fresh empty folder under the isolated root.
    static QString makeDir(const QString& name);

    static QList<QStringList> recordedCommands();
    static void clearRecordedCommands();
    static int destroyedProcessWarnings();
};

#pragma once

#include <QString>
#include <QStringList>

// One short, waited-for run of an external tool on the calling thread:
// both channels merged, at most a given time, then whatever it printed up to
// the first NUL byte as UTF-8 text. A run that outlives its limit is killed
// and reaped before the call returns, so no child is ever left behind.
class ToolProcess
{
public:
    static constexpr int KillWaitMs = 1000;

    // Empty when the program could not be started or printed nothing. Gives
    // up early when the calling thread is asked to stop.
    static QString runOnce(const QString& program, const QStringList& arguments, int timeoutMs);
};

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// One short, waited-for run of an external tool on the calling thread:
// both channels merged, at most a given time, then whatever it printed up to
// the first NUL byte as UTF-8 text. A run that outlives its limit is killed
// and reaped before the object goes, so no child is ever left behind.
class ToolProcess
{
    Q_DISABLE_COPY(ToolProcess)

public:
    static constexpr int KillWaitMs = 1000;

    ToolProcess();
    ~ToolProcess();

    // Empty when the program could not be started or printed nothing. Gives
    // up early when the calling thread is asked to stop.
    QString run(const QString& program, const QStringList& arguments, int timeoutMs);

    // A fresh process object per run.
    static QString runOnce(const QString& program, const QStringList& arguments, int timeoutMs);

private:
    void stop();

    QProcess m_process;
    QByteArray m_output;
    bool m_finished = false;
    bool m_failedToStart = false;
};

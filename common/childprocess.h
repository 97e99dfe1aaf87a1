#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// One external program run at a time, both channels merged: start, output,
// end, stop and reaping in one place. Every start ends in exactly one
// finished(), whether the program exits, crashes, cannot be started or is
// stopped; a start failure is reported from the event loop, never from
// inside start(), so callers may restart from their handler. No child is left
// unreaped behind the object: one that outlives its stop is handed to the
// application object, which deletes it once it has ended.
class ChildProcess : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ChildProcess)

public:
    enum Outcome { Exited, Crashed, FailedToStart, Stopped };
    Q_ENUM(Outcome)

    static constexpr int DestroyWaitMs = 3000;

    explicit ChildProcess(QObject* parent = nullptr);
    ~ChildProcess() override;

    void setWorkingDirectory(const QString& dir);
    void setProcessEnvironment(const QProcessEnvironment& env);

    // A child still running from an earlier start is ended first, and that
    // run reports nothing more.
    void start(const QString& program, const QStringList& arguments);
    bool isRunning() const;
    qint64 processId() const;
    QString program() const;
    QString errorString() const;
    // Everything printed since the last read.
    QByteArray readAll();

    // Blocks until the child has ended, at most `timeoutMs`, looking at
    // `giveUp` every 100 ms. True when no child runs any more.
    bool waitForEnd(int timeoutMs, const std::function<bool()>& giveUp = {});
    // Kills the child and waits for it at most `waitMs`; false when it
    // outlived the wait. Its finished() comes from inside this call when it
    // ends in time, else from the event loop.
    bool stop(int waitMs);

signals:
    void outputReady();
    void finished(int exitCode, ChildProcess::Outcome outcome);

private:
    void createProcess();
    void retireProcess();
    void reportEnd(quint64 run, int exitCode, Outcome outcome);

    QProcess* m_process = nullptr;
    QString m_workingDirectory;
    QProcessEnvironment m_environment; // empty: the parent's
    quint64 m_nRun = 0;       // counts starts, so that a late notice finds its own run
    bool m_bEnded = true;     // this run's finished() went out
    bool m_bStopping = false; // this run is being stopped
};

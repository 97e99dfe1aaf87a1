#include "common/childprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <utility>

namespace {

// Waiting goes in short slices so that a caller asked to give up is not held
// for the whole limit.
constexpr int WaitSliceMs = 100;
constexpr int RestartWaitMs = 1000;

} // namespace

ChildProcess::ChildProcess(QObject* parent)
    : QObject(parent)
{
    createProcess();
}

ChildProcess::~ChildProcess()
{
    QObject::disconnect(m_process, nullptr, this, nullptr);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(DestroyWaitMs);
    }
    retireProcess();
}

void ChildProcess::createProcess()
{
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ChildProcess::outputReady);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this](int exitCode, QProcess::ExitStatus status) {
            reportEnd(m_nRun, exitCode, status == QProcess::CrashExit ? Crashed : Exited);
        });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash is followed by finished()
        const quint64 run = m_nRun;
        QMetaObject::invokeMethod(
            this, [this, run] { reportEnd(run, -1, FailedToStart); }, Qt::QueuedConnection);
    });
}

// Lets go of the process object without ever destroying it while its child
// runs. Deletion is deferred: this may run inside one of its own signals.
void ChildProcess::retireProcess()
{
    QProcess* process = std::exchange(m_process, nullptr);
    QObject::disconnect(process, nullptr, this, nullptr);
    process->setParent(nullptr);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (app && process->thread() != app->thread())
        process->moveToThread(app->thread());
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), process, &QObject::deleteLater);
}

void ChildProcess::setWorkingDirectory(const QString& dir)
{
    m_workingDirectory = dir;
}

void ChildProcess::setProcessEnvironment(const QProcessEnvironment& env)
{
    m_environment = env;
}

void ChildProcess::start(const QString& program, const QStringList& arguments)
{
    if (isRunning()) {
        m_bEnded = true; // replaced: that run reports nothing more
        stop(RestartWaitMs);
    }
    ++m_nRun;
    m_bEnded = false;
    m_bStopping = false;
    m_process->setWorkingDirectory(m_workingDirectory);
    if (!m_environment.isEmpty())
        m_process->setProcessEnvironment(m_environment);
    m_process->start(program, arguments, QIODevice::ReadWrite);
}

bool ChildProcess::isRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

qint64 ChildProcess::processId() const
{
    return m_process->processId();
}

QString ChildProcess::program() const
{
    return m_process->program();
}

QString ChildProcess::errorString() const
{
    return m_process->errorString();
}

QByteArray ChildProcess::readAll()
{
    return m_process->readAll();
}

bool ChildProcess::waitForEnd(int timeoutMs, const std::function<bool()>& giveUp)
{
    QElapsedTimer clock;
    clock.start();
    while (isRunning()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || (giveUp && giveUp()))
            return false;
        m_process->waitForFinished(int(qMin<qint64>(left, WaitSliceMs)));
    }
    return true;
}

bool ChildProcess::stop(int waitMs)
{
    if (!isRunning())
        return true;
    m_bStopping = true;
    m_process->kill();
    if (m_process->waitForFinished(waitMs) || !isRunning())
        return true;
    // Hung in the kernel: nothing this run prints or reports counts any more.
    const quint64 run = m_nRun;
    retireProcess();
    createProcess();
    QMetaObject::invokeMethod(
        this, [this, run] { reportEnd(run, -1, Stopped); }, Qt::QueuedConnection);
    return false;
}

void ChildProcess::reportEnd(quint64 run, int exitCode, Outcome outcome)
{
    if (run != m_nRun || m_bEnded)
        return;
    m_bEnded = true;
    emit finished(exitCode, m_bStopping ? Stopped : outcome);
}

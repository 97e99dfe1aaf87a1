#include "probe/toolprocess.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

// Waiting goes in short slices so that a thread asked to stop is not held
// for the whole limit.
constexpr int WaitSliceMs = 100;

bool stopRequested()
{
    return QThread::currentThread()->isInterruptionRequested();
}

} // namespace

ToolProcess::ToolProcess()
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // Signals arrive synchronously from inside the waits below.
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process,
        [this] { m_output += m_process.readAllStandardOutput(); });
    QObject::connect(&m_process, &QProcess::errorOccurred, &m_process, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            m_failedToStart = true;
    });
    QObject::connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &m_process,
        [this] { m_finished = true; });
}

ToolProcess::~ToolProcess()
{
    stop();
}

QString ToolProcess::run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    m_output.clear();
    m_finished = false;
    m_failedToStart = false;

    QElapsedTimer clock;
    clock.start();
    m_process.start(program, arguments, QIODevice::ReadWrite);
    if (!m_process.waitForStarted(qMax(timeoutMs, 0)) || m_failedToStart) {
        stop();
        return QString();
    }

    while (!m_finished && m_process.state() != QProcess::NotRunning) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || stopRequested())
            break;
        m_process.waitForFinished(int(qMin<qint64>(left, WaitSliceMs)));
    }
    stop();

    m_output += m_process.readAll();
    const int nul = m_output.indexOf('\0');
    if (nul >= 0)
        m_output.truncate(nul);
    return QString::fromUtf8(m_output);
}

QString ToolProcess::runOnce(const QString& program, const QStringList& arguments, int timeoutMs)
{
    ToolProcess process;
    return process.run(program, arguments, timeoutMs);
}

void ToolProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(KillWaitMs);
}

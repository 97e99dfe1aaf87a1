#include "probe/toolprocess.h"

#include "common/childprocess.h"

#include <QThread>

QString ToolProcess::runOnce(const QString& program, const QStringList& arguments, int timeoutMs)
{
    ChildProcess child;
    child.start(program, arguments);
    child.waitForEnd(qMax(timeoutMs, 0), [] { return QThread::currentThread()->isInterruptionRequested(); });
    child.stop(KillWaitMs);

    QByteArray output = child.readAll();
    const int nul = output.indexOf('\0');
    if (nul >= 0)
        output.truncate(nul);
    return QString::fromUtf8(output);
}

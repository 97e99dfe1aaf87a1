#include "leakwatch.h"

#include <QAtomicInt>
#include <QString>
#include <QtGlobal>

namespace {

QAtomicInt g_count;
QtMessageHandler g_next = nullptr;

void handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("QProcess: Destroyed while process")))
        g_count.fetchAndAddOrdered(1);
    if (g_next)
        g_next(type, context, text);
}

} // namespace

void LeakWatch::install()
{
    const QtMessageHandler previous = qInstallMessageHandler(handler);
    if (previous != handler)
        g_next = previous;
}

int LeakWatch::destroyedWhileRunning()
{
    return g_count.loadAcquire();
}

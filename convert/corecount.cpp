#include "convert/corecount.h"

#include <QThread>

#include <atomic>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif

namespace {

std::atomic<int> g_pinned{0};

} // namespace

int CoreCount::available()
{
    if (const int pinned = g_pinned.load(); pinned > 0)
        return pinned;
#ifdef Q_OS_LINUX
    // A child inherits the mask of the thread that starts it.
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
#endif
    return qMax(1, QThread::idealThreadCount());
}

void CoreCount::pin(int cores)
{
    g_pinned.store(qMax(0, cores));
}

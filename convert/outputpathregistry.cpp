#include "convert/outputpathregistry.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_mutex;

QHash<const void*, QString>& held()
{
    static QHash<const void*, QString> h;
    return h;
}

QString key(const QString& path)
{
    return QDir::cleanPath(path);
}

} // namespace

bool OutputPathRegistry::isHeld(const QString& path)
{
    const QString k = key(path);
    QMutexLocker lock(&g_mutex);
    const QHash<const void*, QString>& h = held();
    for (auto it = h.cbegin(); it != h.cend(); ++it) {
        if (it.value() == k)
            return true;
    }
    return false;
}

void OutputPathRegistry::hold(const QString& path, const void* owner)
{
    QMutexLocker lock(&g_mutex);
    held().insert(owner, key(path));
}

void OutputPathRegistry::release(const void* owner)
{
    QMutexLocker lock(&g_mutex);
    held().remove(owner);
}

int OutputPathRegistry::heldCount()
{
    QMutexLocker lock(&g_mutex);
    return held().size();
}

#include "convert/subtitlecopies.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_mutex;

QHash<const void*, QString>& copies()
{
    static QHash<const void*, QString> h;
    return h;
}

int countUsers(const QString& copy)
{
    int n = 0;
    for (const QString& c : qAsConst(copies())) {
        if (c == copy)
            ++n;
    }
    return n;
}

// Caller holds the mutex.
void releaseLocked(const void* owner)
{
    const auto it = copies().find(owner);
    if (it == copies().end())
        return;
    const QString copy = it.value();
    copies().erase(it);
    if (countUsers(copy) == 0)
        QFile::remove(copy);
}

} // namespace

void SubtitleCopies::acquire(const QString& source, const QString& copy, const void* owner)
{
    const QString path = QDir::cleanPath(copy);
    QMutexLocker lock(&g_mutex);
    releaseLocked(owner);
    if (countUsers(path) == 0) {
        QFile::remove(path);
        QFile::copy(source, path);
    }
    copies().insert(owner, path);
}

void SubtitleCopies::release(const void* owner)
{
    QMutexLocker lock(&g_mutex);
    releaseLocked(owner);
}

int SubtitleCopies::users(const QString& copy)
{
    QMutexLocker lock(&g_mutex);
    return countUsers(QDir::cleanPath(copy));
}

#include "convert/subtitlecopies.h"

#include "convert/subtitletrim.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

void makeCopy(const QString& source, const QString& copy, qint64 from, qint64 to)
{
    QFile::remove(copy);
    if (to > from) {
        QFile in(source);
        if (in.open(QIODevice::ReadOnly)) {
            int cues = 0;
            const QByteArray kept = SubtitleTrim::cut(in.readAll(), from, to, &cues);
            // Text without a single SRT cue is not ours to rewrite: pass it on.
            if (cues > 0) {
                QFile out(copy);
                if (out.open(QIODevice::WriteOnly))
                    out.write(kept);
                return;
            }
        }
    }
    QFile::copy(source, copy);
}

} // namespace

bool SubtitleCopies::acquire(const QString& source, const QString& copy, const void* owner, qint64 from, qint64 to)
{
    const QString path = QDir::cleanPath(copy);
    QMutexLocker lock(&g_mutex);
    releaseLocked(owner);
    if (countUsers(path) == 0)
        makeCopy(source, path, from, to);
    copies().insert(owner, path);
    // A missing copy is left for ffmpeg to fail on, as a failed run.
    const QFileInfo made(path);
    return !made.exists() || made.size() > 0;
}

void SubtitleCopies::release(const void* owner)
{
    QMutexLocker lock(&g_mutex);
    releaseLocked(owner);
}

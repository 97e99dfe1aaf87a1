#include "convert/subtitlecopies.h"

#include "convert/ownerregistry.h"
#include "convert/subtitletrim.h"

#include <QFile>
#include <QSaveFile>

namespace {

OwnerRegistry& copies()
{
    static OwnerRegistry registry(Qt::CaseSensitive, [](const QString& copy) { QFile::remove(copy); });
    return registry;
}

SubtitleCopies::Result makeCopy(const QString& source, const QString& copy, qint64 from, qint64 to, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return SubtitleCopies::CannotRead;
    }
    QByteArray bytes = in.readAll();
    if (to > from) {
        int cues = 0;
        const QByteArray kept = SubtitleTrim::cut(bytes, from, to, &cues);
        // Text without a single SRT cue is not ours to rewrite: pass it on.
        if (cues > 0)
            bytes = kept;
    }
    if (bytes.isEmpty())
        return SubtitleCopies::NoCues;
    QSaveFile out(copy);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *error = out.errorString();
        return SubtitleCopies::CannotWrite;
    }
    return SubtitleCopies::Ready;
}

} // namespace

SubtitleCopies::Result SubtitleCopies::acquire(
    const QString& source, const QString& copy, const void* owner, qint64 from, qint64 to, QString* error)
{
    Result result = Ready;
    QString why;
    copies().hold(owner, copy, [&](int others) {
        if (others == 0)
            result = makeCopy(source, copy, from, to, &why);
        return result == Ready;
    });
    if (error)
        *error = why;
    return result;
}

void SubtitleCopies::release(const void* owner)
{
    copies().release(owner);
}

#include "probe/trimrange.h"

#include "probe/mediainfo.h"

qint64 TrimRange::wholeSeconds(qint64 t)
{
    return qMax<qint64>(0, t) / Second * Second;
}

qint64 TrimRange::clipLength(const MediaInfo& info, qint64 playerLength)
{
    return wholeSeconds(info.duration > 0 ? info.duration : playerLength);
}

qint64 TrimRange::boundStart(qint64 start, qint64 end)
{
    return qBound<qint64>(0, wholeSeconds(start), end - Second);
}

qint64 TrimRange::boundEnd(qint64 start, qint64 end, qint64 length)
{
    return qBound<qint64>(start + Second, wholeSeconds(end), length);
}

TrimRange::Problem TrimRange::apply(MediaInfo& info, qint64 start, qint64 end)
{
    const qint64 length = clipLength(info);
    if (!canTrim(length))
        return ClipTooShort;
    const qint64 from = wholeSeconds(start);
    // At least a second must be left to keep.
    if (from > length - Second)
        return StartsPastEnd;
    info.trimStart = from;
    info.trimEnd = boundEnd(from, end, length);
    return Fits;
}

#pragma once

#include <QtGlobal>

// Value <-> pixel mapping shared by the sliders. Both directions round to
// the nearest, so a handle put on any pixel stays there when its value is
// mapped back (while the range has more values than the track pixels), and
// an empty range (length not known yet) keeps everything at the start.
namespace EditMapping {

inline int pixelFor(qint64 value, qint64 min, qint64 max, int travel)
{
    const qint64 range = max - min;
    if (range <= 0 || travel <= 0)
        return 0;
    const __int128 v = qBound(min, value, max) - min;
    return static_cast<int>((v * travel * 2 + range) / (static_cast<__int128>(range) * 2));
}

inline qint64 valueFor(int pixel, qint64 min, qint64 max, int travel)
{
    const qint64 range = max - min;
    if (range <= 0 || travel <= 0)
        return min;
    const __int128 p = qBound(0, pixel, travel);
    return min + static_cast<qint64>((p * range * 2 + travel) / (static_cast<__int128>(travel) * 2));
}

} // namespace EditMapping

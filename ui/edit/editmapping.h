#pragma once

#include <QtGlobal>

// Value <-> pixel mapping shared by the sliders. Both directions round to
// the nearest, so a handle put on any pixel stays there when its value is
// mapped back (while the range has more values than the track pixels), and
// an empty range (length not known yet) keeps everything at the start.
// Any range a qint64 can span works: the product of a value and the track
// can exceed 64 bits and is carried in two.
namespace EditMapping {

// (a * b + c) / d rounded down; d > 0 and the quotient fits 64 bits.
inline quint64 mulAddDiv(quint64 a, quint64 b, quint64 c, quint64 d)
{
    const quint64 mask = 0xffffffffu;
    const quint64 ll = (a & mask) * (b & mask);
    const quint64 lh = (a & mask) * (b >> 32);
    const quint64 hl = (a >> 32) * (b & mask);
    const quint64 mid = (ll >> 32) + (lh & mask) + (hl & mask);
    quint64 lo = (mid << 32) | (ll & mask);
    quint64 hi = (a >> 32) * (b >> 32) + (lh >> 32) + (hl >> 32) + (mid >> 32);
    lo += c;
    if (lo < c)
        ++hi;
    quint64 quotient = 0;
    quint64 rest = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const bool carry = (rest >> 63) != 0;
        rest = (rest << 1) | ((bit >= 64 ? hi >> (bit - 64) : lo >> bit) & 1u);
        quotient <<= 1;
        if (carry || rest >= d) {
            rest -= d;
            quotient |= 1u;
        }
    }
    return quotient;
}

inline int pixelFor(qint64 value, qint64 min, qint64 max, int travel)
{
    if (max <= min || travel <= 0)
        return 0;
    // Unsigned differences: max - min may not fit a qint64.
    const quint64 range = static_cast<quint64>(max) - static_cast<quint64>(min);
    const quint64 offset = static_cast<quint64>(qBound(min, value, max)) - static_cast<quint64>(min);
    return static_cast<int>(mulAddDiv(offset, static_cast<quint64>(travel), range / 2, range));
}

inline qint64 valueFor(int pixel, qint64 min, qint64 max, int travel)
{
    if (max <= min || travel <= 0)
        return min;
    const quint64 range = static_cast<quint64>(max) - static_cast<quint64>(min);
    const quint64 along = static_cast<quint64>(qBound(0, pixel, travel));
    const quint64 t = static_cast<quint64>(travel);
    return static_cast<qint64>(static_cast<quint64>(min) + mulAddDiv(along, range, t / 2, t));
}

} // namespace EditMapping

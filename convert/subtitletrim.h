#pragma once

#include <QByteArray>

// The cues of an SRT text that fall inside a kept time range, moved to their
// times within it: a trimmed conversion starts its picture at the range's
// start, so its subtitle must start there too. Cue texts pass through as
// bytes, whatever their encoding.
class SubtitleTrim
{
public:
    // Cues ending at or before `from` and starting at or after `to` go; a cue
    // that straddles either edge keeps its part inside. Times in microseconds;
    // `to` of 0 or less keeps everything after `from`. `cueCount` receives the
    // number of cues read, so that a text that is not SRT can be told apart
    // from a range without cues; a cue whose time cannot be held is not read.
    static QByteArray cut(const QByteArray& srt, qint64 from, qint64 to, int* cueCount = nullptr);
};

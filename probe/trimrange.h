#pragma once

#include <QtGlobal>

class MediaInfo;

// The rules every trim obeys, in the trim editor and on the command line:
// cuts fall on whole seconds, the kept range lasts at least a second and ends
// within the clip, and a clip shorter than a second cannot be trimmed.
// Times are microseconds.
class TrimRange
{
public:
    static constexpr qint64 Second = 1000000;

    enum Problem { Fits, ClipTooShort, StartsPastEnd };

    static qint64 wholeSeconds(qint64 t);
    // What the cuts are measured against: the probed duration, else the
    // player's length; 0 when neither is known.
    static qint64 clipLength(const MediaInfo& info, qint64 playerLength = 0);
    static bool canTrim(qint64 length) { return length >= Second; }

    // Where a start lands that is moved on its own, the end staying put.
    static qint64 boundStart(qint64 start, qint64 end);
    // Where an end lands that is moved on its own, the start staying put.
    static qint64 boundEnd(qint64 start, qint64 end, qint64 length);

    // Sets the record's range to start..end, the end cut to the clip's end.
    // A range the clip cannot give changes nothing and says why.
    static Problem apply(MediaInfo& info, qint64 start, qint64 end);
};

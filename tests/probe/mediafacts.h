#pragma once

#include "probe/mediainfo.h"

#include <QString>
#include <QStringList>

// Helpers shared by the probe tests.
namespace MediaFacts {

// Splits a command line of plain words (no quoting) into arguments.
QStringList words(const char* text);

// The probed facts of a record on one line, so that a mismatch shows every
// field at once: "duration bitrate | hasVideo codec WxH videoBitrate |
// hasAudio codec sampleRate channels audioBitrate", an empty codec as "-".
QString describe(const MediaInfo& info);

// The facts the banner of `path` should give, worked out from ffprobe's
// report of the same file: whole seconds as ffmpeg prints them (rounded to
// hundredths, then cut), the last audio stream, the last video stream unless
// a cover picture follows a real one, and the upright size of a picture
// stored sideways.
MediaInfo expectedFromProbe(const QString& path);

// ffmpeg's output for `path` with the worker's own arguments; the thumbnail
// goes to `thumbPath` when it is not empty.
QString captureBanner(const QString& path, const QString& thumbPath);

} // namespace MediaFacts

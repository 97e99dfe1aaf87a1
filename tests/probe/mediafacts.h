#pragma once

#include "probe/mediainfo.h"

#include <QString>

// Helpers shared by the probe tests.
namespace MediaFacts {

// The probed facts of a record on one line, so that a mismatch shows every
// field at once.
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

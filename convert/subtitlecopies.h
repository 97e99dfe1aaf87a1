#pragma once

#include <QString>

// The subtitle copies that running conversions read from the temp folder.
// A copy is named after its source path, so jobs converting the same source
// share it: it is made fresh when its first user arrives and deleted when
// its last user is done, never under a run that still needs it. A trimmed
// run's copy holds only the cues of its range, moved to its start; its name
// must then tell the range apart (see CommandLineBuilder::subtitleCopyName).
class SubtitleCopies
{
public:
    // Makes or shares the copy; with `to` above `from` it holds the cues of
    // that range only. False when the copy holds nothing to show.
    static bool acquire(const QString& source, const QString& copy, const void* owner, qint64 from = 0, qint64 to = 0);
    // Deletes the owner's copy unless another owner still uses it.
    static void release(const void* owner);
};

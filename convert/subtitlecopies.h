#pragma once

#include <QString>

// The subtitle copies that running conversions read from the temp folder.
// A copy is named after its source path, so jobs converting the same source
// share it: it is made fresh when its first user arrives and deleted when
// its last user is done, never under a run that still needs it. A trimmed
// run's copy holds only the cues of its range, moved to its start; its name
// must then tell the range apart (see CommandLineBuilder::subtitleCopyName).
// Copies are written whole or not at all.
class SubtitleCopies
{
public:
    enum Result { Ready, NoCues, CannotRead, CannotWrite };

    // Makes or shares the copy; with `to` above `from` it holds the cues of
    // that range only. Only a Ready copy is held; `error` receives the
    // system's reason for the last two results.
    static Result acquire(const QString& source, const QString& copy, const void* owner, qint64 from = 0,
        qint64 to = 0, QString* error = nullptr);
    // Deletes the owner's copy unless another owner still uses it.
    static void release(const void* owner);
};

#pragma once

#include <QString>

// The subtitle copies that running conversions read from the temp folder.
// A copy is named after its source path, so jobs converting the same source
// share it: it is made fresh when its first user arrives and deleted when
// its last user is done, never under a run that still needs it.
class SubtitleCopies
{
public:
    static void acquire(const QString& source, const QString& copy, const void* owner);
    // Deletes the owner's copy unless another owner still uses it.
    static void release(const void* owner);
    static int users(const QString& copy);
};

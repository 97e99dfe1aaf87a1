#pragma once

#include <QString>

// The output files that running conversions of this process are writing.
// Two jobs started together (the same source twice, or two sources with the
// same base name) would otherwise both see the same name as free. Names are
// compared without regard to case: on the file systems of USB sticks and
// shared drives "Clip.mp4" and "clip.mp4" are one file.
class OutputPathRegistry
{
public:
    // Holds `path` for `owner`, dropping what it held before, unless another
    // owner holds it; one path per owner.
    static bool claim(const QString& path, const void* owner);
    static void release(const void* owner);
    static int heldCount();
};

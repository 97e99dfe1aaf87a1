#pragma once

#include <QString>

// The output files that running conversions of this process are writing.
// Two jobs started together (the same source twice, or two sources with the
// same base name) would otherwise both see the same name as free.
class OutputPathRegistry
{
public:
    static bool isHeld(const QString& path);
    // `owner` holds `path` until it releases it; one path per owner.
    static void hold(const QString& path, const void* owner);
    static void release(const void* owner);
    static int heldCount();
};

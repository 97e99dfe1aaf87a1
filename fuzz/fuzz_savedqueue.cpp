// The saved job list, as read at start: whatever it holds, reading it never
// fails unsafely, and a list it accepts is written back to the same list.
#include "convert/savedqueue.h"
#include "fuzzsupport.h"

// Qt 5.15's JSON parser itself leaks a few bytes on a repeated key whose first
// value is an object holding an array ({"a":{"b":[]},"a":0}); that is not
// ours to mend, so this target looks for memory errors and broken promises only.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SavedQueue read;
    if (!read.fromJson(FuzzSupport::bytes(data, size)))
        return 0;
    SavedQueue again;
    if (!again.fromJson(read.toJson()))
        FuzzSupport::fail("a list written back is refused");
    if (again.jobs != read.jobs || again.outputFormat != read.outputFormat)
        FuzzSupport::fail("a list written back reads differently");
    return 0;
}

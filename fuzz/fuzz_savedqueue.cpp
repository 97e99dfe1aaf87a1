// The saved job list, as read at start: whatever it holds, reading it never
// fails unsafely, and a list it accepts is written back to the same list.
#include "convert/savedqueue.h"
#include "fuzzsupport.h"

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

// ffprobe's JSON report, as the probe reads it.
#include "fuzzsupport.h"
#include "probe/probeinfo.h"
#include "probe/probejsonreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ProbeInfo info;
    ProbeJsonReader::read(FuzzSupport::text(data, size), &info);
    return 0;
}

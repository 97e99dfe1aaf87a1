// ffmpeg's description of an input, as the probe reads it.
#include "fuzzsupport.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::silenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MediaInfo info;
    parseFFmpegBanner(&info, FuzzSupport::text(data, size));
    if (info.duration < 0 && !FuzzSupport::text(data, size).contains(QLatin1Char('-')))
        FuzzSupport::fail("negative duration from unsigned digits");
    return 0;
}

#include "probe/mediainfo.h"

bool MediaInfo::isTrimmed() const
{
    const qint64 length = trimEnd - trimStart;
    return length > 0 && length < duration;
}

bool MediaInfo::isCropped() const
{
    return cropX != 0 || cropY != 0 || (cropWidth > 0 && cropWidth != width)
        || (cropHeight > 0 && cropHeight != height);
}

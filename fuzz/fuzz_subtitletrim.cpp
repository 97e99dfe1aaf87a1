// A user's .srt file, cut to a job's trimmed range.
#include "convert/subtitletrim.h"
#include "fuzzsupport.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The range comes from the end, so a seed of plain SRT stays SRT.
    FuzzedDataProvider input(data, size);
    const qint64 from = input.ConsumeIntegral<qint64>();
    const qint64 to = input.ConsumeIntegral<qint64>();
    const std::string rest = input.ConsumeRemainingBytesAsString();

    int cues = 0;
    const QByteArray kept = SubtitleTrim::cut(QByteArray(rest.data(), int(rest.size())), from, to, &cues);
    // What it writes reads back as itself: every cue it wrote is readable.
    int again = 0;
    const QByteArray reread = SubtitleTrim::cut(kept, 0, 0, &again);
    if (reread != kept || again > cues)
        FuzzSupport::fail("written cues",
            QString::fromLatin1(kept.constData(), kept.size()) + QLatin1String(" read back as ")
                + QString::fromLatin1(reread.constData(), reread.size()));
    return 0;
}

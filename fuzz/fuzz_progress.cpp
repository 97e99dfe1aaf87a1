// A chunk of a conversion's output, as the job reads its progress from it.
#include "convert/progressreader.h"
#include "fuzzsupport.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The numbers come from the end, so a seed of plain output stays output.
    FuzzedDataProvider input(data, size);
    const qint64 total = input.ConsumeIntegral<qint64>();
    const int current = input.ConsumeIntegralInRange(0, 9999);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString chunk = QString::fromUtf8(rest.data(), int(rest.size()));

    if (ProgressReader::readTime(chunk) < 0)
        FuzzSupport::fail("negative time", chunk);
    const int next = ProgressReader::advance(current, chunk, total);
    if (next < current || next > 9999)
        FuzzSupport::fail("progress out of range", QString::number(next));
    ProgressReader::containsErrorPhrase(chunk);
    return 0;
}

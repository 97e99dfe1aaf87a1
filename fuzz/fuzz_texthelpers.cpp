// The clock parser and the substring helpers that every reader of ffmpeg's
// output builds on.
#include "common/qcommonutils.h"
#include "fuzzsupport.h"

#include <fuzzer/FuzzedDataProvider.h>

using MyQtCustom::QCommonUtils;

namespace {

// The bracket removal walked as first designed: repeated passes over the text,
// each replacing the innermost segments it meets. Slow, but plain; it stops
// where a pass changes nothing, where the design would never return.
bool designedPass(QString& text, const QString& open, const QString& close, int from, bool& changed)
{
    bool first = true;
    for (;;) {
        const int i = text.indexOf(open, from);
        if (i < 0)
            return !first;
        const int j = text.indexOf(close, i + 1);
        if (j < 0)
            return !first;
        const int k = text.indexOf(open, i + 1);
        if (k < 0 || k > j) {
            text.replace(i, j - i + 1, QStringLiteral(" "));
            changed = true;
        }
        first = false;
        from = i + 1;
    }
}

QString designedRemoval(QString text, const QString& open, const QString& close, int from)
{
    bool changed = false;
    if (from != 0) {
        designedPass(text, open, close, from, changed);
        return text;
    }
    do {
        changed = false;
    } while (designedPass(text, open, close, 0, changed) && changed);
    return text;
}

const QString tags[] = {QStringLiteral("("), QStringLiteral(")"), QStringLiteral("["), QStringLiteral("]"),
    QStringLiteral("()"), QStringLiteral("(("), QStringLiteral("kb/s"), QStringLiteral(",")};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Choices come from the end, so a seed of plain text stays text.
    FuzzedDataProvider input(data, size);
    const QString& open = tags[input.ConsumeIntegralInRange<size_t>(0, std::size(tags) - 1)];
    const QString& close = tags[input.ConsumeIntegralInRange<size_t>(0, std::size(tags) - 1)];
    const int from = input.ConsumeIntegralInRange(0, 16);
    const qint64 bytes = input.ConsumeIntegral<qint64>();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString text = QString::fromUtf8(rest.data(), int(rest.size()));

    const long long us = QCommonUtils::StringToTime(text);
    QCommonUtils::TimetoString(us);
    QCommonUtils::GetFileSizeString(bytes);

    int pos = -1;
    const QString field = QCommonUtils::TrimSubStr(text, open, close, from, &pos);
    if (!field.isEmpty() && (pos < 0 || pos >= text.size()))
        FuzzSupport::fail("field without its close");

    QString removed = text;
    QCommonUtils::RemoveSubStr(removed, open, close, from);
    if (removed.size() > text.size())
        FuzzSupport::fail("removal grew the text");
    // With one-character brackets the one-scan removal gives what the passes
    // give; the passes are slow, so only on short texts.
    if (open.size() == 1 && close.size() == 1 && open != close && text.size() <= 512) {
        const QString expected = designedRemoval(text, open, close, from);
        if (removed != expected)
            FuzzSupport::fail("removal differs from the passes",
                QStringLiteral("%1 %2 from %3: %4 -> %5, not %6")
                    .arg(open, close, QString::number(from), text, removed, expected));
    }
    return 0;
}

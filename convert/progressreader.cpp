#include "convert/progressreader.h"

#include "common/qcommonutils.h"
#include "probe/mediainfo.h"

#include <QStringView>

const QStringList& ProgressReader::errorPhrases()
{
    static const QStringList phrases{QStringLiteral("Conversion failed"), QStringLiteral("Video encoding failed"),
        QStringLiteral("Error while opening decoder for input stream"),
        QStringLiteral("Error initializing output stream")};
    return phrases;
}

bool ProgressReader::containsErrorPhrase(const QString& text)
{
    for (const QString& phrase : errorPhrases()) {
        if (text.contains(phrase))
            return true;
    }
    return false;
}

qint64 ProgressReader::progressTotal(const MediaInfo& info)
{
    qint64 total = 0;
    if (info.duration > 0)
        total = info.duration;
    if (info.isTrimmed())
        total = (info.trimEnd - info.trimStart) + 3000000;
    return total;
}

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The clock at the start of `text`: digits ":" digits ":" digits, then a
// fraction after "." or ",", ending at a blank or at the end; else empty.
QStringView clockAt(QStringView text)
{
    int p = 0;
    for (int group = 0; group < 4; ++group) {
        const int digits = p;
        while (p < text.size() && isDigit(text.at(p)))
            ++p;
        if (p == digits)
            return {};
        if (p == text.size() || text.at(p) == QLatin1Char(' '))
            return group >= 2 ? text.left(p) : QStringView();
        const QChar separator = text.at(p);
        const bool fits = group < 2 ? separator == QLatin1Char(':')
                                    : group == 2 && (separator == QLatin1Char('.') || separator == QLatin1Char(','));
        if (!fits)
            return {};
        ++p;
    }
    return {};
}

} // namespace

qint64 ProgressReader::readTime(const QString& chunk)
{
    // Only ffmpeg's status lines count. The description before them echoes
    // the input's metadata and file name, which may say "time=" anything;
    // those lines end in a line feed (a carriage return inside a value prints
    // as a blank), while a running status line ends in a carriage return.
    // The last status line ends in a line feed, but names its size "Lsize".
    const QStringView text(chunk);
    int lineStart = 0;
    while (lineStart < text.size()) {
        int lineEnd = lineStart;
        while (lineEnd < text.size() && text.at(lineEnd) != QLatin1Char('\r') && text.at(lineEnd) != QLatin1Char('\n'))
            ++lineEnd;
        const QStringView line = text.mid(lineStart, lineEnd - lineStart);
        const QChar end = lineEnd < text.size() ? text.at(lineEnd) : QChar();
        const bool status = (line.startsWith(QLatin1String("frame=")) || line.startsWith(QLatin1String("size="))
                                || line.startsWith(QLatin1String("Lsize=")))
            && (end == QLatin1Char('\r') || (end == QLatin1Char('\n') && line.contains(QLatin1String("Lsize="))));
        const int field = status ? line.indexOf(QLatin1String(" time=")) : -1;
        if (field >= 0) {
            const QStringView clock = clockAt(line.mid(field + 6));
            if (clock.size() < 7)
                return 0;
            const qint64 us = MyQtCustom::QCommonUtils::StringToTime(clock.toString());
            return us > 0 ? us : 0;
        }
        lineStart = lineEnd + 1;
    }
    return 0;
}

int ProgressReader::advance(int current, const QString& chunk, qint64 total)
{
    if (total <= 0)
        return current;
    const qint64 us = readTime(chunk);
    if (us <= 0)
        return current;
    // Double precision: in single precision half of 100 s read as 49.99 %.
    double p = static_cast<double>(us) * 10000.0 / static_cast<double>(total);
    if (p > MaxRunningProgress)
        p = MaxRunningProgress;
    if (p > current)
        return static_cast<int>(p);
    return current;
}

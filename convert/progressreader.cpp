#include "convert/progressreader.h"

#include "common/qcommonutils.h"
#include "probe/mediainfo.h"

#include <QStringView>
#include <QtNumeric>

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

// Only ffmpeg's status lines count. The description before them echoes the
// input's metadata and file name, which may say "time=" anything; those lines
// end in a line feed (a carriage return inside a value prints as a blank),
// while a running status line ends in a carriage return. The last status line
// ends in a line feed, but names its size "Lsize". `use` returns false to stop.
template <typename Use> void forEachStatusLine(QStringView text, Use use)
{
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
        if (status && !use(line))
            return;
        lineStart = lineEnd + 1;
    }
}

} // namespace

qint64 ProgressReader::readTime(const QString& chunk)
{
    qint64 time = 0;
    forEachStatusLine(QStringView(chunk), [&time](QStringView line) {
        const int field = line.indexOf(QLatin1String(" time="));
        if (field < 0)
            return true;
        const QStringView clock = clockAt(line.mid(field + 6));
        if (clock.size() >= 7) {
            const qint64 us = MyQtCustom::QCommonUtils::StringToTime(clock.toString());
            time = us > 0 ? us : 0;
        }
        return false;
    });
    return time;
}

bool ProgressReader::readSpeed(const QString& chunk, double* speed)
{
    bool seen = false;
    double value = -1;
    forEachStatusLine(QStringView(chunk), [&seen, &value](QStringView line) {
        seen = true;
        value = -1;
        const int field = line.indexOf(QLatin1String(" speed="));
        if (field < 0)
            return true;
        // "%4.3gx": blanks before short numbers, an exponent past 999.
        QStringView rest = line.mid(field + 7).trimmed();
        const int x = rest.indexOf(QLatin1Char('x'));
        if (x <= 0)
            return true;
        bool ok = false;
        const double v = rest.left(x).toString().toDouble(&ok);
        if (ok && v > 0 && qIsFinite(v))
            value = v;
        return true;
    });
    if (seen && speed)
        *speed = value;
    return seen;
}

qint64 ProgressReader::convertLength(const MediaInfo& info)
{
    if (info.isTrimmed())
        return info.trimEnd - info.trimStart;
    return info.duration > 0 ? info.duration : 0;
}

qint64 ProgressReader::timeLeft(qint64 length, qint64 position, double speed)
{
    if (length <= 0 || !(speed > 0))
        return -1;
    const qint64 remaining = qMax<qint64>(0, length - qMax<qint64>(0, position));
    const double left = static_cast<double>(remaining) / speed;
    // Beyond what the clock text can show it is no estimate worth showing.
    constexpr double Longest = 359999.0 * 1000000.0; // 99:59:59
    return left <= Longest ? static_cast<qint64>(left) : -1;
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

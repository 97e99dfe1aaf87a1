#include "convert/progressreader.h"

#include "common/qcommonutils.h"
#include "probe/mediainfo.h"

#include <QRegularExpression>

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

qint64 ProgressReader::readTime(const QString& chunk)
{
    static const QRegularExpression clock(QStringLiteral(
        "(time\\s*=\\s*\\d+:\\d+:\\d+.\\d+)|(time\\s*=\\s*\\d+:\\d+:\\d+,\\d+)|(time\\s*=\\s*\\d+:\\d+:\\d+)"));
    const QRegularExpressionMatch match = clock.match(chunk);
    if (!match.hasMatch() || match.capturedLength() < 4)
        return 0;
    QString text = match.captured();
    text.remove(QLatin1String("time"));
    text.remove(QLatin1Char('='));
    text = text.trimmed();
    if (text.length() < 7)
        return 0;
    const qint64 us = MyQtCustom::QCommonUtils::StringToTime(text);
    return us > 0 ? us : 0;
}

int ProgressReader::advance(int current, const QString& chunk, qint64 total)
{
    if (total <= 0)
        return current;
    const qint64 us = readTime(chunk);
    if (us <= 0)
        return current;
    // Single precision for the product, as the progress figures always were.
    const float scaled = static_cast<float>(us) * 10000.0f;
    double p = static_cast<double>(scaled) / static_cast<double>(total);
    if (p > MaxRunningProgress)
        p = MaxRunningProgress;
    if (p > current)
        return static_cast<int>(p);
    return current;
}

#include "probe/ffmpegbannerparser.h"

#include "common/qcommonutils.h"
#include "probe/mediainfo.h"

#include <QDebug>
#include <QStringList>

#include <cmath>
#include <limits>

using MyQtCustom::QCommonUtils;

namespace {

int toInt(const QString& text)
{
    return text.toInt(nullptr, 10);
}

// kb/s as printed, in bits per second; absurd values stay inside an int.
int kilobitsToBits(const QString& text)
{
    const qint64 bits = qint64(toInt(text)) * 1000;
    return int(qBound<qint64>(std::numeric_limits<int>::min(), bits, std::numeric_limits<int>::max()));
}

} // namespace

void FFmpegBannerParser::parse(MediaInfo* record, const QString& text)
{
    if (!record || text.isEmpty())
        return;
    qDebug().noquote() << text;

    // A cover picture is listed as a video stream; it must not replace the
    // facts of a real video stream listed before it.
    bool haveRealVideo = false;
    // The stream whose indented lines (side data) follow set the video
    // fields, including a size, and was not yet turned upright.
    bool rotatableVideo = false;

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        QString t = line.trimmed();
        // ffmpeg's own output section; the input's path may hold the word
        // "output" anywhere, so only the section heading ends the input.
        if (t.startsWith(QLatin1String("Output #")))
            break;
        // Bracket removal takes this marker away, so look for it first.
        const bool coverPicture = t.contains(QLatin1String("(attached pic)"));
        QCommonUtils::RemoveSubStr(t, QStringLiteral("("), QStringLiteral(")"), 0);
        QCommonUtils::RemoveSubStr(t, QStringLiteral("["), QStringLiteral("]"), 0);

        if (t.startsWith(QLatin1String("Duration:"), Qt::CaseInsensitive)) {
            rotatableVideo = false;
            readDurationLine(record, t);
        } else if (t.startsWith(QLatin1String("Stream"), Qt::CaseInsensitive)) {
            rotatableVideo = false;
            if (t.indexOf(QLatin1String("Video:"), 0, Qt::CaseInsensitive) > 0) {
                if (coverPicture && haveRealVideo)
                    continue;
                rotatableVideo = readVideoLine(record, t);
                haveRealVideo = haveRealVideo || !coverPicture;
            } else if (t.indexOf(QLatin1String("Audio:"), 0, Qt::CaseInsensitive) > 0) {
                readAudioLine(record, t);
            }
        } else if (rotatableVideo && t.startsWith(QLatin1String("displaymatrix:"), Qt::CaseInsensitive)) {
            // ffmpeg turns such a picture upright before any filter sees it,
            // so crops and the preview work on the displayed size.
            record->displayRotation = displayRotation(t);
            if (record->displayRotation % 180 == 90)
                std::swap(record->width, record->height);
            rotatableVideo = false;
        }
    }
}

void FFmpegBannerParser::readDurationLine(MediaInfo* record, const QString& t)
{
    int pos = 0;
    const QString d
        = QCommonUtils::TrimSubStr(t, QStringLiteral("Duration:"), QStringLiteral(","), pos, &pos).trimmed();
    const QString b = QCommonUtils::TrimSubStr(t, QStringLiteral("bitrate:"), QStringLiteral("kb/s"), pos, &pos);
    if (d.length() >= 8)
        record->duration = QCommonUtils::StringToTime(d.left(8));
    if (!b.isEmpty())
        record->bitrate = toInt(b);
}

bool FFmpegBannerParser::readVideoLine(MediaInfo* record, const QString& t)
{
    // Codec, pixel format, size, bit rate; frame rate and time bases follow
    // and are not kept.
    const QString comma = QStringLiteral(",");
    int pos = 0;
    const QString codec = QCommonUtils::TrimSubStr(t, QStringLiteral("Video:"), comma, pos, &pos);
    QCommonUtils::TrimSubStr(t, comma, comma, pos, &pos);
    const QString size = QCommonUtils::TrimSubStr(t, comma, comma, pos, &pos).toLower();
    QString rate = QCommonUtils::TrimSubStr(t, comma, comma, pos, &pos);

    record->videoStreamText = t;
    record->videoCodec = codec;
    record->displayRotation = 0;
    bool haveSize = false;
    if (size.indexOf(QLatin1Char('x')) > 0) {
        const QStringList parts = size.split(QLatin1Char('x'));
        record->width = toInt(parts.at(0).trimmed());
        record->height = toInt(parts.at(1).trimmed());
        haveSize = true;
    }
    // Without a bit rate this field holds the frame rate and reads as 0.
    rate.remove(QLatin1String("kb/s"), Qt::CaseInsensitive);
    record->videoBitrate = kilobitsToBits(rate.trimmed());
    record->hasVideo = 1;
    return haveSize;
}

void FFmpegBannerParser::readAudioLine(MediaInfo* record, const QString& t)
{
    // Codec, sample rate, channel layout, sample format, bit rate.
    const QString comma = QStringLiteral(",");
    int pos = 0;
    const QString codec = QCommonUtils::TrimSubStr(t, QStringLiteral("Audio:"), comma, pos, &pos);
    QString rate = QCommonUtils::TrimSubStr(t, comma, comma, pos, &pos).toLower();
    rate.remove(QLatin1String("hz"));
    rate = rate.trimmed();
    const QString layout = QCommonUtils::TrimSubStr(t, comma, comma, pos, &pos);
    QCommonUtils::TrimSubStr(t, comma, comma, pos, &pos);
    const QString bitrate = QCommonUtils::TrimSubStr(t, comma, QStringLiteral("kb/s"), pos, &pos);

    record->audioStreamText = t;
    record->audioCodec = codec;
    if (!rate.isEmpty())
        record->sampleRate = toInt(rate);
    record->channels = layout.compare(QLatin1String("stereo"), Qt::CaseInsensitive) == 0 ? 2 : 1;
    if (!bitrate.isEmpty())
        record->audioBitrate = kilobitsToBits(bitrate);
    record->hasAudio = 1;
}

int FFmpegBannerParser::displayRotation(const QString& t)
{
    bool ok = false;
    const double degrees
        = QCommonUtils::TrimSubStr(t, QStringLiteral("rotation of"), QStringLiteral("degrees"), 0, nullptr)
              .toDouble(&ok);
    if (!ok || !std::isfinite(degrees))
        return 0;
    // ffmpeg prints the turn counter-clockwise.
    const long long clockwise = std::llround(std::fmod(-degrees, 360.0));
    return int((clockwise + 360) % 360);
}

void parseFFmpegBanner(MediaInfo* record, const QString& text)
{
    FFmpegBannerParser::parse(record, text);
}

#include "mediafacts.h"

#include "mediafactory.h"
#include "probe/getmediainfothread.h"
#include "probe/toolprocess.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

int kilobitsAsBits(const QJsonObject& object)
{
    const QJsonValue rate = object.value(QLatin1String("bit_rate"));
    return rate.isUndefined() ? 0 : int(rate.toString().toLongLong() / 1000 * 1000);
}

bool isQuarterTurn(const QJsonObject& stream)
{
    const QJsonArray sideData = stream.value(QLatin1String("side_data_list")).toArray();
    for (const QJsonValue& entry : sideData) {
        const QJsonValue rotation = entry.toObject().value(QLatin1String("rotation"));
        if (!rotation.isUndefined()) {
            const int turned = std::abs(rotation.toInt()) % 360;
            return turned == 90 || turned == 270;
        }
    }
    return false;
}

} // namespace

namespace MediaFacts {

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString describe(const MediaInfo& m)
{
    const auto codec = [](const QString& c) { return c.isEmpty() ? QStringLiteral("-") : c; };
    return QStringLiteral("%1 %2 | %3 %4 %5x%6 %7 | %8 %9 %10 %11 %12")
        .arg(m.duration)
        .arg(m.bitrate)
        .arg(m.hasVideo)
        .arg(codec(m.videoCodec))
        .arg(m.width)
        .arg(m.height)
        .arg(m.videoBitrate)
        .arg(m.hasAudio)
        .arg(codec(m.audioCodec))
        .arg(m.sampleRate)
        .arg(m.channels)
        .arg(m.audioBitrate);
}

MediaInfo expectedFromProbe(const QString& path)
{
    MediaInfo e;
    const QJsonObject root = MediaFactory::probe(path);
    const QJsonObject format = root.value(QLatin1String("format")).toObject();
    const QJsonValue duration = format.value(QLatin1String("duration"));
    if (!duration.isUndefined()) {
        const qint64 us = std::llround(duration.toString().toDouble() * 1e6);
        e.duration = (us + 5000) / 1000000 * 1000000;
    }
    e.bitrate = kilobitsAsBits(format) / 1000;

    bool haveRealVideo = false;
    const QJsonArray streams = root.value(QLatin1String("streams")).toArray();
    for (const QJsonValue& value : streams) {
        const QJsonObject s = value.toObject();
        const QString type = s.value(QLatin1String("codec_type")).toString();
        if (type == QLatin1String("video")) {
            const bool cover
                = s.value(QLatin1String("disposition")).toObject().value(QLatin1String("attached_pic")).toInt() == 1;
            if (cover && haveRealVideo)
                continue;
            haveRealVideo = haveRealVideo || !cover;
            e.hasVideo = 1;
            e.videoCodec = s.value(QLatin1String("codec_name")).toString();
            e.width = s.value(QLatin1String("width")).toInt();
            e.height = s.value(QLatin1String("height")).toInt();
            if (isQuarterTurn(s))
                std::swap(e.width, e.height);
            e.videoBitrate = kilobitsAsBits(s);
        } else if (type == QLatin1String("audio")) {
            e.hasAudio = 1;
            e.audioCodec = s.value(QLatin1String("codec_name")).toString();
            e.sampleRate = s.value(QLatin1String("sample_rate")).toString().toInt();
            e.channels = s.value(QLatin1String("channel_layout")).toString() == QLatin1String("stereo") ? 2 : 1;
            e.audioBitrate = kilobitsAsBits(s);
        }
    }
    return e;
}

QString captureBanner(const QString& path, const QString& thumbPath)
{
    // Generous limit: the machine may be busy, and the banner is what counts here.
    return ToolProcess::runOnce(
        MediaFactory::systemFFmpeg(), GetMediaInfoThread::bannerArguments(path, thumbPath), 30000);
}

} // namespace MediaFacts

#include "probe/getmediainfothread.h"

#include "common/pathservices.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "probe/probejsonreader.h"
#include "probe/toolprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

GetMediaInfoThread::GetMediaInfoThread(QObject* parent)
    : QThread(parent)
{
}

GetMediaInfoThread::~GetMediaInfoThread()
{
    // A running child is cut short at its next wait slice.
    requestInterruption();
    wait();
    releaseResults();
}

std::unique_ptr<MediaInfo> GetMediaInfoThread::takeMediaInfo()
{
    return std::unique_ptr<MediaInfo>(std::exchange(m_pMediaInfo, nullptr));
}

std::unique_ptr<ProbeInfo> GetMediaInfoThread::takeProbeInfo()
{
    return std::unique_ptr<ProbeInfo>(std::exchange(m_pProbeInfo, nullptr));
}

QStringList GetMediaInfoThread::bannerArguments(const QString& filePath, const QString& thumbPath)
{
    QStringList args{QStringLiteral("-i"), filePath};
    if (!thumbPath.isEmpty()) {
        args << QStringLiteral("-y") << QStringLiteral("-f") << QStringLiteral("image2") << QStringLiteral("-vf")
             << QStringLiteral("scale=-1:480") << QStringLiteral("-t") << QStringLiteral("1.520") << thumbPath;
    }
    return args;
}

QStringList GetMediaInfoThread::probeArguments(const QString& filePath)
{
    return {QStringLiteral("-v"), QStringLiteral("quiet"), QStringLiteral("-loglevel"), QStringLiteral("panic"),
        QStringLiteral("-print_format"), QStringLiteral("json"), QStringLiteral("-show_format"),
        QStringLiteral("-show_streams"), filePath};
}

QStringList GetMediaInfoThread::hwDecodeArguments(
    const QString& decoder, const QString& filePath, const QString& outPath)
{
    return {QStringLiteral("-y"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
        QStringLiteral("-hwaccel"), decoder, QStringLiteral("-i"), filePath, QStringLiteral("-to"),
        QStringLiteral("00:00:00.0001"), QStringLiteral("-dn"), QStringLiteral("-sn"), QStringLiteral("-an"),
        QStringLiteral("-f"), QStringLiteral("mp4"), outPath};
}

QStringList GetMediaInfoThread::hwDecoderNames()
{
    return {QStringLiteral("cuda"), QStringLiteral("dxva2")};
}

QString GetMediaInfoThread::hwTestPath(const QString& filePath)
{
    return PathServices::getTempFolder() + QLatin1String("/cache/") + PathServices::getMd5String(filePath)
        + QLatin1String(".mp4");
}

bool GetMediaInfoThread::hwDecodePassed(const QString& text)
{
    return !text.isEmpty() && text.contains(QLatin1String("frame="))
        && !text.contains(QLatin1String("Conversion failed")) && !text.contains(QLatin1String("Error"));
}

void GetMediaInfoThread::run()
{
    releaseResults();
    const QString ffmpeg = PathServices::getFFmpegPath();

    const QString banner = ToolProcess::runOnce(ffmpeg, bannerArguments(m_filePath, m_thumbPath), ToolTimeoutMs);
    if (!banner.isEmpty()) {
        auto info = std::make_unique<MediaInfo>();
        info->filePath = m_filePath;
        info->fileSize = QFileInfo(m_filePath).size();
        parseFFmpegBanner(info.get(), banner);
        m_pMediaInfo = info.release();
    }

    const QString ffprobe = PathServices::getFFprobePath();
    if (!isInterruptionRequested() && QFileInfo::exists(ffprobe)) {
        const QString json = ToolProcess::runOnce(ffprobe, probeArguments(m_filePath), ToolTimeoutMs);
        if (!json.isEmpty()) {
            m_pProbeInfo = new ProbeInfo;
            ProbeJsonReader::read(json, m_pProbeInfo);
        }
    }

    if (m_pMediaInfo)
        testHardwareDecoders(m_pMediaInfo);
    if (m_pMediaInfo && m_pProbeInfo)
        m_pProbeInfo->hwAccels = m_pMediaInfo->hwAccels;
}

void GetMediaInfoThread::releaseResults()
{
    delete std::exchange(m_pMediaInfo, nullptr);
    delete std::exchange(m_pProbeInfo, nullptr);
}

void GetMediaInfoThread::testHardwareDecoders(MediaInfo* info)
{
    info->hwAccels.clear();
    const QString outPath = hwTestPath(m_filePath);
    QDir().mkpath(QFileInfo(outPath).path());
    const QString ffmpeg = PathServices::getFFmpegPath();
    for (const QString& decoder : hwDecoderNames()) {
        if (isInterruptionRequested())
            break;
        const QString text
            = ToolProcess::runOnce(ffmpeg, hwDecodeArguments(decoder, m_filePath, outPath), ToolTimeoutMs);
        QFile::remove(outPath);
        if (hwDecodePassed(text))
            info->hwAccels.append(decoder);
    }
}

#include "convert/commandlinebuilder.h"

#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "probe/mediainfo.h"

#include <QFileInfo>

using MyQtCustom::QCommonUtils;

namespace {

bool sameText(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

} // namespace

CommandLineBuilder::CommandLineBuilder(const MediaInfo& info, const QString& sourcePath, const QString& format)
    : m_info(info),
      m_sourcePath(sourcePath),
      m_format(format)
{
}

void CommandLineBuilder::setSubtitle(const QString& srtPath, bool soft)
{
    m_srtPath = srtPath;
    m_bSoftSubtitle = soft;
}

void CommandLineBuilder::setEncoderAttempt(int attempt)
{
    m_nEncoderAttempt = attempt;
}

void CommandLineBuilder::setFilterChain(const QString& chain)
{
    m_filterChain = chain;
}

QStringList CommandLineBuilder::inputArgs() const
{
    const QStringList trim = trimArgs();
    QStringList args = trim;
    args << QStringLiteral("-i") << m_sourcePath;
    if (!m_info.externalAudioPath.isEmpty())
        args << trim << QStringLiteral("-i") << m_info.externalAudioPath;
    return args;
}

void CommandLineBuilder::addSubtitleArgs(QStringList& args)
{
    if (!hasSubtitle())
        return;
    const QString name = subtitleCopyName(m_srtPath);
    if (burnsSubtitle())
        appendFilter(QLatin1String("subtitles='") + name + QLatin1Char('\''));
    else
        args << QStringLiteral("-i") << name << QStringLiteral("-c:s") << subtitleCodec(m_format);
}

void CommandLineBuilder::addVideoArgs(QStringList& args)
{
    if (isMp3()) {
        args << QStringLiteral("-vn");
        return;
    }
    const bool filtered = buildVideoFilters();
    if (!filtered && m_srtPath.isEmpty() && canCopyVideo()) {
        args << QStringLiteral("-c:v") << QStringLiteral("copy");
        return;
    }
    args << QStringLiteral("-c:v") << videoEncoder(m_nEncoderAttempt, m_info.width, m_info.height)
         << QStringLiteral("-b:v") << QString::number(videoBitrate(m_info));
}

bool CommandLineBuilder::buildVideoFilters()
{
    bool added = false;
    if (m_info.isCropped()) {
        appendFilter(QStringLiteral("crop=%1:%2:%3:%4")
                         .arg(m_info.cropWidth)
                         .arg(m_info.cropHeight)
                         .arg(m_info.cropX)
                         .arg(m_info.cropY));
        added = true;
    }
    const QString rotation = rotationFilter(m_info.rotation);
    if (!rotation.isEmpty()) {
        appendFilter(rotation);
        added = true;
    }
    QString mirror;
    if (m_info.flipH == 1 && m_info.flipV == 1)
        mirror = QStringLiteral("hflip,vflip");
    else if (m_info.flipH == 1)
        mirror = QStringLiteral("hflip");
    else if (m_info.flipV == 1)
        mirror = QStringLiteral("vflip");
    if (!mirror.isEmpty()) {
        appendFilter(mirror);
        added = true;
    }
    return added;
}

void CommandLineBuilder::appendFilter(const QString& text)
{
    if (text.isEmpty())
        return;
    if (!m_filterChain.isEmpty())
        m_filterChain += QLatin1Char(',');
    m_filterChain += text;
}

void CommandLineBuilder::addAudioArgs(QStringList& args)
{
    const bool added = !m_info.externalAudioPath.isEmpty();
    const bool removed = m_info.removeOriginalAudio;
    if (removed && !added) {
        args << QStringLiteral("-an");
        return;
    }
    if (added) {
        if (!isMp3())
            args << QStringLiteral("-map") << QStringLiteral("0:v:0");
        if (removed) {
            args << QStringLiteral("-map") << QStringLiteral("1:a:0");
        } else {
            // Optional, so that a silent source simply gets the added track.
            args << QStringLiteral("-map") << QStringLiteral("0:a:0?") << QStringLiteral("-map")
                 << QStringLiteral("1:a");
        }
        if (hasSubtitle() && !burnsSubtitle())
            args << QStringLiteral("-map") << QStringLiteral("2:s");
        args << audioEncodingArgs();
        return;
    }
    if (canCopyAudio()) {
        args << QStringLiteral("-c:a") << QStringLiteral("copy");
        return;
    }
    args << audioEncodingArgs();
}

QStringList CommandLineBuilder::outputArgs(const QString& outputPath)
{
    return {QStringLiteral("-threads"), QStringLiteral("1"), QStringLiteral("-y"), outputPath};
}

QString CommandLineBuilder::outputBaseName(const QString& sourcePath)
{
    QString name = QFileInfo(sourcePath).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return name;
    const QString extension = name.mid(dot); // with its dot
    name.remove(extension, Qt::CaseSensitive);
    return name;
}

QString CommandLineBuilder::chooseOutputPath(const QString& folder, const QString& sourcePath, const QString& format,
    const std::function<bool(const QString&)>& taken)
{
    QString dir = folder;
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString base = dir + QLatin1Char('/') + outputBaseName(sourcePath);
    QString candidate = base + QLatin1Char('.') + format;
    for (qint64 n = 0; taken(candidate); ++n)
        candidate = base + QLatin1String(" (") + QString::number(n) + QLatin1String(").") + format;
    return candidate;
}

QString CommandLineBuilder::subtitleCopyName(const QString& srtPath)
{
    QString suffix = QFileInfo(srtPath).suffix();
    // The name goes into a filter text between quotes: only plain suffixes.
    for (const QChar c : qAsConst(suffix)) {
        if (!c.isLetterOrNumber() || c.unicode() > 127) {
            suffix = QStringLiteral("srt");
            break;
        }
    }
    return PathServices::getMd5String(srtPath) + QLatin1Char('.') + suffix;
}

bool CommandLineBuilder::takesSubtitle(const QString& format)
{
    return !sameText(format, "mp3");
}

QString CommandLineBuilder::subtitleCodec(const QString& format)
{
    return sameText(format, "mkv") ? QStringLiteral("srt") : QStringLiteral("mov_text");
}

QString CommandLineBuilder::videoEncoder(int attempt, int width, int height)
{
    const bool big = width > 4096 || height > 4096;
    switch (attempt) {
    case 0:
        return big ? QStringLiteral("hevc_nvenc") : QStringLiteral("h264_nvenc");
    case 1:
        return big ? QStringLiteral("hevc_amf") : QStringLiteral("h264_amf");
    case 2:
        return big ? QStringLiteral("hevc_qsv") : QStringLiteral("h264_qsv");
    case 3:
        return big ? QStringLiteral("hevc_mf") : QStringLiteral("h264_mf");
    default:
        return QStringLiteral("h264");
    }
}

qint64 CommandLineBuilder::videoBitrate(const MediaInfo& info)
{
    // Matroska and WebM sources seldom state a per-stream rate; their overall
    // rate is far closer than a flat 256 kbit/s.
    if (info.videoBitrate > 0)
        return info.videoBitrate;
    if (info.bitrate > 0)
        return static_cast<qint64>(info.bitrate) * 1000;
    return 256000;
}

QString CommandLineBuilder::rotationFilter(int degrees)
{
    switch (degrees) {
    case 90:
        return QStringLiteral("transpose=1");
    case 180:
        return QStringLiteral("transpose=2,transpose=2");
    case 270:
        return QStringLiteral("transpose=2");
    default:
        break;
    }
    if (degrees < 1 || degrees > 359)
        return QString();
    const float turns = static_cast<float>(degrees) / 180.0f;
    return QLatin1String("rotate=PI*") + QString::number(static_cast<double>(turns), 'g', 6);
}

bool CommandLineBuilder::hasSubtitle() const
{
    return !m_srtPath.isEmpty() && takesSubtitle(m_format);
}

bool CommandLineBuilder::burnsSubtitle() const
{
    return !m_bSoftSubtitle || sameText(m_format, "avi");
}

bool CommandLineBuilder::isMp3() const
{
    return sameText(m_format, "mp3");
}

bool CommandLineBuilder::canCopyVideo() const
{
    return m_format.toLower() == sourceSuffix() || m_format == QLatin1String("mkv")
        || m_info.videoCodec.toLower() == QLatin1String("h264");
}

bool CommandLineBuilder::canCopyAudio() const
{
    if (m_format == sourceSuffix() || m_format == QLatin1String("mkv"))
        return true;
    // An MP3 file cannot carry AAC: MP3 output is always encoded with LAME.
    return !isMp3() && m_info.audioCodec.toLower() == QLatin1String("aac");
}

QStringList CommandLineBuilder::trimArgs() const
{
    if (!m_info.isTrimmed())
        return {};
    return {QStringLiteral("-ss"), QCommonUtils::TimetoString(m_info.trimStart), QStringLiteral("-to"),
        QCommonUtils::TimetoString(m_info.trimEnd)};
}

QStringList CommandLineBuilder::audioEncodingArgs() const
{
    if (isMp3()) {
        return {QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-ab"), QStringLiteral("320K"),
            QStringLiteral("-ar"), QStringLiteral("48K"), QStringLiteral("-acodec"), QStringLiteral("libmp3lame")};
    }
    return {QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-ac"), QStringLiteral("2"),
        QStringLiteral("-b:a"), QStringLiteral("320K"), QStringLiteral("-ar"), QStringLiteral("48K")};
}

QString CommandLineBuilder::sourceSuffix() const
{
    return QFileInfo(m_sourcePath).suffix().toLower();
}

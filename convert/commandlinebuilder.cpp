#include "convert/commandlinebuilder.h"

#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QFileInfo>

using MyQtCustom::QCommonUtils;

namespace {

const qint64 Second = 1000000;

bool sameText(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// ffprobe's seconds ("12.040000") or a Matroska duration tag
// ("00:00:12.040000000") in microseconds; 0 when unreadable.
qint64 readSeconds(const QString& text)
{
    double seconds = 0;
    bool ok = true;
    for (const QString& field : text.trimmed().split(QLatin1Char(':'))) {
        bool fieldOk = false;
        seconds = seconds * 60 + field.toDouble(&fieldOk);
        ok = ok && fieldOk;
    }
    return ok && seconds > 0 ? static_cast<qint64>(seconds * Second + 0.5) : 0;
}

// The even-size step crops the odd last line or column away instead of
// resampling the picture; players only take 8-bit 4:2:0 H.264 everywhere.
const char* const PlayableFilter = "crop=trunc(iw/2)*2:trunc(ih/2)*2:0:0,format=yuv420p";

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

void CommandLineBuilder::setVideoLength(qint64 length)
{
    m_nVideoLength = length;
}

void CommandLineBuilder::setReorderDelay(int frames)
{
    m_nReorderDelay = frames;
}

void CommandLineBuilder::setThreads(int threads)
{
    m_nThreads = qMax(1, threads);
}

QStringList CommandLineBuilder::inputArgs() const
{
    const QStringList trim = trimArgs();
    QStringList args = trim;
    args << QStringLiteral("-i") << m_sourcePath;
    if (takesAddedAudio()) {
        args << trim;
        // A trim cuts the added track to the kept range; without one it is
        // cut where the video ends, so that a longer track cannot run on.
        if (trim.isEmpty() && m_nVideoLength > 0)
            args << QStringLiteral("-t") << QString::number(static_cast<double>(m_nVideoLength) / Second, 'f', 3);
        args << QStringLiteral("-i") << m_info.externalAudioPath;
    }
    return args;
}

void CommandLineBuilder::addSubtitleArgs(QStringList& args)
{
    // A burnt-in subtitle is drawn by the video step, on the edited picture.
    if (!hasSubtitle() || burnsSubtitle())
        return;
    args << QStringLiteral("-i") << subtitleCopyName(m_srtPath, cutStart(), cutEnd()) << QStringLiteral("-c:s")
         << subtitleCodec(m_format);
}

void CommandLineBuilder::addVideoArgs(QStringList& args)
{
    if (isMp3()) {
        args << QStringLiteral("-vn");
        return;
    }
    const bool filtered = buildVideoFilters();
    if (hasSubtitle() && burnsSubtitle()) {
        appendFilter(
            QLatin1String("subtitles='") + subtitleCopyName(m_srtPath, cutStart(), cutEnd()) + QLatin1Char('\''));
    }
    if (!filtered && m_srtPath.isEmpty() && canCopyVideo()) {
        args << QStringLiteral("-c:v") << QStringLiteral("copy");
        // AVI holds H.264 as a start-code stream, under the tag players know.
        if (isAvi() && isH264()) {
            args << QStringLiteral("-bsf:v") << QStringLiteral("h264_mp4toannexb") << QStringLiteral("-tag:v")
                 << QStringLiteral("H264");
        }
        return;
    }
    args << QStringLiteral("-c:v") << videoEncoder(m_nEncoderAttempt, m_info.width, m_info.height)
         << QStringLiteral("-b:v") << QString::number(videoBitrate(m_info));
    // AVI keeps no presentation times: players would show every picture late
    // by the encoder's reordering delay.
    if (isAvi())
        args << QStringLiteral("-bf") << QStringLiteral("0");
    appendFilter(QLatin1String(PlayableFilter));
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
    const bool added = takesAddedAudio();
    // An MP3 holds exactly one audio stream, and its row offers no audio
    // tools: removing the source's audio alone would leave nothing.
    const bool removed = m_info.removeOriginalAudio && !isMp3();
    args << streamMaps();
    if (removed && !added) {
        args << QStringLiteral("-an");
        return;
    }
    if (added) {
        args << audioEncodingArgs();
        return;
    }
    if (canCopyAudio()) {
        args << QStringLiteral("-c:a") << QStringLiteral("copy");
        return;
    }
    args << audioEncodingArgs();
}

// Explicit maps whenever a second input could supply a stream: ffmpeg's own
// choice would take any input's subtitle or audio.
QStringList CommandLineBuilder::streamMaps() const
{
    const bool added = takesAddedAudio();
    const QString map = QStringLiteral("-map");
    if (isMp3())
        return added ? QStringList{map, QStringLiteral("1:a:0")} : QStringList();
    const bool softSubtitle = hasSubtitle() && !burnsSubtitle();
    if (!added && !softSubtitle)
        return {};
    QStringList maps{map, QStringLiteral("0:v:0")};
    const bool keepsOwn = !m_info.removeOriginalAudio;
    // Optional, so that a silent source simply gets the added track.
    if (keepsOwn)
        maps << map << QStringLiteral("0:a:0?");
    if (added)
        maps << map << (keepsOwn ? QStringLiteral("1:a") : QStringLiteral("1:a:0"));
    if (softSubtitle)
        maps << map << (added ? QStringLiteral("2:s") : QStringLiteral("1:s"));
    return maps;
}

QStringList CommandLineBuilder::outputArgs(const QString& outputPath) const
{
    QStringList args;
    // The audio encoder's priming starts before 0. Shifting every stream to
    // cover it moves AVI's pictures, timed by whole frames, by up to a frame
    // more than the sound.
    if (isAvi())
        args << QStringLiteral("-avoid_negative_ts") << QStringLiteral("disabled");
    return args << QStringLiteral("-threads") << QString::number(m_nThreads) << QStringLiteral("-y") << outputPath;
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

qint64 CommandLineBuilder::cutStart() const
{
    return m_info.isTrimmed() ? qMax<qint64>(m_info.trimStart, 0) / Second * Second : 0;
}

qint64 CommandLineBuilder::cutEnd() const
{
    return m_info.isTrimmed() ? qMax<qint64>(m_info.trimEnd, 0) / Second * Second : 0;
}

QString CommandLineBuilder::subtitleCopyName(const QString& srtPath, qint64 from, qint64 to)
{
    QString suffix = QFileInfo(srtPath).suffix();
    // The name goes into a filter text between quotes: only plain suffixes.
    for (const QChar c : qAsConst(suffix)) {
        if (!c.isLetterOrNumber() || c.unicode() > 127) {
            suffix = QStringLiteral("srt");
            break;
        }
    }
    QString name = PathServices::getMd5String(srtPath);
    if (to > from)
        name += QLatin1Char('-') + QString::number(from / Second) + QLatin1Char('-') + QString::number(to / Second);
    return name + QLatin1Char('.') + suffix;
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

int CommandLineBuilder::threadsPerRun(int cores, int limit)
{
    // A limit below 1 starts nothing through the queue; a run started anyway
    // keeps to one thread.
    if (limit < 1)
        return 1;
    return qMax(1, cores / limit);
}

int CommandLineBuilder::reorderDelay(const ProbeInfo& probe)
{
    for (const ProbeStream& stream : probe.streams) {
        if (stream.codec_type != QLatin1String("video") || stream.disposition.attached_pic == QLatin1String("1"))
            continue;
        bool ok = false;
        const int frames = stream.has_b_frames.toInt(&ok);
        return ok && frames >= 0 ? frames : -1;
    }
    return -1;
}

qint64 CommandLineBuilder::videoLength(const ProbeInfo& probe)
{
    for (const ProbeStream& stream : probe.streams) {
        if (stream.codec_type != QLatin1String("video") || stream.disposition.attached_pic == QLatin1String("1"))
            continue;
        const qint64 own = readSeconds(stream.duration);
        if (own > 0)
            return own;
        const qint64 tagged = readSeconds(stream.tags.DURATION);
        return tagged > 0 ? tagged : readSeconds(probe.duration);
    }
    return 0;
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

bool CommandLineBuilder::isAvi() const
{
    return sameText(m_format, "avi");
}

bool CommandLineBuilder::isH264() const
{
    return sameText(m_info.videoCodec, "h264");
}

// An MP3 holds one audio stream: the source's own, unless the user removed
// it or there is none, and only then the added track.
bool CommandLineBuilder::takesAddedAudio() const
{
    if (m_info.externalAudioPath.isEmpty())
        return false;
    return !isMp3() || m_info.removeOriginalAudio || m_info.hasAudio == 0;
}

// A copy starts at the keyframe before the cut, for every copied stream;
// Matroska and AVI have no edit list to hide that lead-in.
bool CommandLineBuilder::copyShowsLeadIn() const
{
    return m_info.isTrimmed() && (sameText(m_format, "mkv") || sameText(m_format, "avi"));
}

bool CommandLineBuilder::canCopyVideo() const
{
    if (copyShowsLeadIn())
        return false;
    // ffmpeg stores a display rotation in MP4 and MOV only; a copy into
    // anything else would lie on its side. An encode turns the picture upright.
    if (m_info.displayRotation % 360 != 0 && !sameText(m_format, "mp4") && !sameText(m_format, "mov"))
        return false;
    // AVI keeps no presentation times, so reordered pictures would show late.
    if (isAvi() && isH264() && m_nReorderDelay != 0)
        return false;
    return m_format.toLower() == sourceSuffix() || m_format == QLatin1String("mkv") || isH264();
}

bool CommandLineBuilder::canCopyAudio() const
{
    if (copyShowsLeadIn())
        return false;
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

#include "convert/videoitemdata.h"

#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "convert/commandlinebuilder.h"
#include "convert/corecount.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/progressreader.h"
#include "convert/subtitlecopies.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWriteLocker>
#include <QtDebug>

#include <limits>
#include <utility>

using MyQtCustom::QCommonUtils;

namespace {

constexpr int ReasonLines = 3;
constexpr int LongestLine = 240;

const MediaInfo& emptyInfo()
{
    static const MediaInfo info;
    return info;
}

// Decodes the bytes up to the first NUL as UTF-8.
QString decodeOutput(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

int longestPhrase()
{
    int n = 0;
    for (const QString& phrase : ProgressReader::errorPhrases())
        n = qMax(n, phrase.length());
    return n;
}

// ffmpeg prints no severity, so an error line is told by its words.
bool isErrorLine(const QString& line)
{
    static const QRegularExpression words(
        QStringLiteral("error|fail|invalid|unknown|unrecogni[sz]ed|malformed|no such|not found|matches no|denied|"
                       "cannot|can't|could not|unable|not supported|unsupported|not divisible|no space|"
                       "does not contain|incorrect|too many|only possible"),
        QRegularExpression::CaseInsensitiveOption);
    for (const char* chatter : {"frame=", "size=", "Input #", "Output #"}) {
        if (line.startsWith(QLatin1String(chatter)))
            return false;
    }
    return words.match(line).hasMatch();
}

// "[avi @ 0x55d0c1a2b3c0] text" becomes "[avi] text": the address means nothing to the user.
QString tidyLine(QString line)
{
    static const QRegularExpression address(QStringLiteral(" @ 0x[0-9a-fA-F]+\\]"));
    line.replace(address, QStringLiteral("]"));
    if (line.length() > LongestLine)
        line = line.left(LongestLine - 1) + QChar(0x2026);
    return line;
}

// One environment shared by every job (it is implicitly shared, so a copy per
// job would cost each job its own few kilobytes once it was changed).
const QProcessEnvironment& conversionEnvironment()
{
    static QString madeFor;
    static QProcessEnvironment env;
    if (env.isEmpty() || madeFor != g_appDirPath) {
        madeFor = g_appDirPath;
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FONTCONFIG_FILE"), g_appDirPath + QLatin1String("/font/fonts.conf"));
    }
    return env;
}

} // namespace

VideoItemData::VideoItemData(QObject* parent)
    : QObject(parent),
      m_process(new ChildProcess(this))
{
    m_process->setProcessEnvironment(conversionEnvironment());
    connect(m_process, &ChildProcess::outputReady, this, &VideoItemData::ffmpegProcess_StandardOutput_slots);
    connect(m_process, &ChildProcess::finished, this, [this](int exitCode, ChildProcess::Outcome outcome) {
        m_runOutcome = outcome;
        ffmpegProcess_Finished(exitCode);
    });
}

VideoItemData::~VideoItemData()
{
    // Ends a running ffmpeg; nothing it reports reaches this job any more.
    delete m_process;
    OutputPathRegistry::release(this);
    SubtitleCopies::release(this);
    delete m_pMediaInfo;
    delete m_pProbeInfo;
}

void VideoItemData::setOutputProfile(OutputProfile* profile)
{
    m_pOutputProfile = profile;
    if (m_pMediaInfo && m_pMediaInfo->hasVideo != 0) {
        if (profile) {
            const QString format = profile->format.toLower();
            if (m_format != format) {
                m_nState = Ready;
                m_nProgress = 0;
            }
            m_format = format;
        }
    } else {
        m_format = QStringLiteral("mp3");
    }
    m_sizeText = QCommonUtils::GetFileSizeString(estimatedOutputSize());
    if (m_format == QLatin1String("avi"))
        m_bSoftSubtitle = false;
    emit updateShow(this);
}

qint64 VideoItemData::estimatedOutputSize() const
{
    if (!m_pMediaInfo)
        return 0;
    const MediaInfo& info = *m_pMediaInfo;
    const qint64 rate = CommandLineBuilder::videoBitrate(info) + 256000;
    qint64 length = info.trimEnd - info.trimStart;
    if (length <= 0 || length > info.duration)
        length = info.duration;
    if (length <= 0 || rate <= 0)
        return 0;
    // Hours of microseconds times bits per second leave 64 bits: split both
    // factors on the divisor so that no product does, and saturate.
    constexpr qint64 BitsPerByteUs = 8000000;
    constexpr qint64 Max = std::numeric_limits<qint64>::max();
    const qint64 whole = length / BitsPerByteUs;
    const qint64 part = length % BitsPerByteUs;
    const qint64 rest = part * (rate / BitsPerByteUs) + part * (rate % BitsPerByteUs) / BitsPerByteUs;
    if (whole > (Max - rest) / rate)
        return Max;
    return whole * rate + rest;
}

QString VideoItemData::failureReason() const
{
    return m_nState == Failed ? m_failureReason : QString();
}

QStringList VideoItemData::lastArguments() const
{
    return m_lastArguments;
}

void VideoItemData::startConvert()
{
    m_nProgressTotal = 0;
    const QStringList args = buildArguments();

    m_bStopped = false;
    m_nState = Converting;
    m_bErrorSeen = false;
    m_outputTail.clear();
    m_partLine.clear();
    m_errorLines.clear();
    ++m_nRun;
    if (args.isEmpty()) {
        failAtOnce();
        return;
    }
    m_lastArguments = args;
    qInfo().noquote() << logLine(args);
    emit updateShow(this);

    m_process->setWorkingDirectory(PathServices::getTempFolder());
    m_process->start(PathServices::getFFmpegPath(), args);
    m_nProgress = 0;
}

// No run was started, so no end notice will come. The job ends from the
// event loop, as after a run, so that a caller starting jobs in a loop is not
// re-entered; no other encoder would help, so the ladder is skipped.
void VideoItemData::failAtOnce()
{
    qInfo().noquote() << QLatin1String("Error: ") + m_failureReason;
    m_nState = Failed;
    m_nProgress = 0;
    m_nEncoderAttempt = 0;
    const quint64 run = m_nRun;
    QMetaObject::invokeMethod(
        this,
        [this, run] {
            if (run != m_nRun || m_nState != Failed)
                return;
            emit updateShow(this);
            emit updateFinished(this);
        },
        Qt::QueuedConnection);
}

void VideoItemData::stopConvert()
{
    {
        QWriteLocker locker(&m_lock);
        m_nState = Stopped;
        m_bStopped = true;
        // The end notice, handled as a stopped run, comes from inside this
        // call when ffmpeg dies in time, else from the event loop.
        m_process->stop(StopWaitMs);
    }
    OutputPathRegistry::release(this);
    m_nEncoderAttempt = 0;
}

void VideoItemData::ffmpegProcess_StandardOutput_slots()
{
    if (m_bStopped)
        return;
    const QString out = decodeOutput(m_process->readAll());
    if (out.isEmpty())
        return;
    qInfo().noquote() << out;

    // A phrase counts wherever it stands, also across the end of the last chunk.
    const QString joined = m_outputTail + out;
    if (ProgressReader::containsErrorPhrase(joined))
        m_bErrorSeen = true;
    m_outputTail = joined.right(longestPhrase() - 1);
    // Lines are read whole: a chunk may begin inside a line that echoes the
    // input's metadata, whose tail could pass for a status line.
    const QString lines = takeWholeLines(out);
    collectErrorLines(lines);

    m_nProgressTotal = ProgressReader::progressTotal(m_pMediaInfo ? *m_pMediaInfo : emptyInfo());
    if (m_nProgressTotal <= 0)
        return;
    m_nProgress = ProgressReader::advance(m_nProgress, lines, m_nProgressTotal);
    emit updateProgress(this);
}

QString VideoItemData::takeWholeLines(const QString& text)
{
    const QString all = m_partLine + text;
    const int end = qMax(all.lastIndexOf(QLatin1Char('\r')), all.lastIndexOf(QLatin1Char('\n'))) + 1;
    // A line without an end in sight is kept only as far as a reason would show it.
    m_partLine = all.mid(end).left(LongestLine * 4);
    return all.left(end);
}

void VideoItemData::collectErrorLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    const QStringList lines = text.split(lineEnd, Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (!isErrorLine(t))
            continue;
        m_errorLines.append(tidyLine(t));
        if (m_errorLines.size() > ReasonLines)
            m_errorLines.removeFirst();
    }
}

// A run is good when ffmpeg exited normally with status 0, printed no error
// phrase and left a non-empty output file; a bad one moves down the encoder
// ladder until the last attempt.
void VideoItemData::ffmpegProcess_Finished(int exitCode)
{
    const ChildProcess::Outcome outcome = std::exchange(m_runOutcome, ChildProcess::Exited);
    SubtitleCopies::release(this);
    if (!m_bStopped) {
        collectErrorLines(std::exchange(m_partLine, QString()));
        const QFileInfo output(m_outputPath);
        const bool good = outcome == ChildProcess::Exited && exitCode == 0 && !m_bErrorSeen && output.exists()
            && output.size() > 0;
        if (good) {
            m_sizeText = QCommonUtils::GetFileSizeString(output.size());
            m_nState = Completed;
        } else {
            const QString reason = runFailure(exitCode, outcome, output.exists() && output.size() > 0);
            if (!m_outputPath.isEmpty() && QFileInfo::exists(m_outputPath))
                QFile::remove(m_outputPath);
            OutputPathRegistry::release(this);
            // No other encoder helps an ffmpeg that cannot be started.
            if (m_nEncoderAttempt < LastEncoderAttempt && outcome != ChildProcess::FailedToStart) {
                ++m_nEncoderAttempt;
                startConvert();
                return;
            }
            m_nState = Failed;
            m_failureReason = reason;
            qInfo().noquote() << QLatin1String("Error: ") + reason;
        }
    }
    OutputPathRegistry::release(this);
    emit updateShow(this);
    emit updateFinished(this);
    m_nEncoderAttempt = 0;
}

QString VideoItemData::runFailure(int exitCode, ChildProcess::Outcome outcome, bool wroteOutput) const
{
    if (outcome == ChildProcess::FailedToStart)
        return tr("Could not start ffmpeg: %1").arg(QDir::toNativeSeparators(PathServices::getFFmpegPath()));
    if (outcome == ChildProcess::Crashed)
        return tr("ffmpeg stopped unexpectedly.");
    QStringList lines = m_errorLines;
    // ffmpeg's closing line says nothing the status does not, unless it is all there is.
    if (lines.size() > 1 && lines.last().startsWith(QLatin1String("Conversion failed")))
        lines.removeLast();
    if (!lines.isEmpty())
        return lines.join(QLatin1Char('\n'));
    if (exitCode != 0)
        return tr("ffmpeg ended with exit status %1.").arg(exitCode);
    return wroteOutput ? tr("ffmpeg reported an error.") : tr("ffmpeg wrote no output.");
}

CommandLineBuilder VideoItemData::commandLine() const
{
    CommandLineBuilder builder(m_pMediaInfo ? *m_pMediaInfo : emptyInfo(), m_sourcePath, m_format);
    builder.setSubtitle(m_srtPath, m_bSoftSubtitle);
    builder.setEncoderAttempt(m_nEncoderAttempt);
    // ffprobe knows the length to the frame; the banner only to the second.
    qint64 length = m_pProbeInfo ? CommandLineBuilder::videoLength(*m_pProbeInfo) : 0;
    if (length <= 0 && m_pMediaInfo)
        length = m_pMediaInfo->duration;
    builder.setVideoLength(length);
    builder.setReorderDelay(m_pProbeInfo ? CommandLineBuilder::reorderDelay(*m_pProbeInfo) : -1);
    // Read at every start, as the queue reads the limit for every pass.
    builder.setThreads(
        CommandLineBuilder::threadsPerRun(CoreCount::available(), RuntimeChoices::current()->m_maxConvertCount));
    return builder;
}

QString VideoItemData::outputFolderProblem() const
{
    QString folder = RuntimeChoices::current()->m_outFolder;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (folder.trimmed().isEmpty())
        return tr("No output folder is set.");
    const QFileInfo info(folder);
    // ffmpeg runs in the temp folder: a relative name would put the file there.
    if (info.isRelative() || !info.isDir())
        return tr("The output folder %1 cannot be found.").arg(QDir::toNativeSeparators(folder));
    if (!info.isWritable())
        return tr("The output folder %1 cannot be written to.").arg(QDir::toNativeSeparators(folder));
    return QString();
}

void VideoItemData::makeOutputPath()
{
    OutputPathRegistry::release(this);
    m_outputPath.clear();
    if (m_format == QLatin1String("avi"))
        m_bSoftSubtitle = false;
    m_filterChain.clear();
    if (!outputFolderProblem().isEmpty())
        return;
    // A name another running job holds counts as taken, in any letter case.
    m_outputPath = CommandLineBuilder::chooseOutputPath(RuntimeChoices::current()->m_outFolder, m_sourcePath, m_format,
        [this](const QString& path) { return QFileInfo::exists(path) || !OutputPathRegistry::claim(path, this); });
}

QStringList VideoItemData::buildArguments()
{
    m_failureReason.clear();
    makeOutputPath();
    if (m_outputPath.isEmpty()) {
        m_failureReason = outputFolderProblem();
        return {};
    }
    CommandLineBuilder builder = commandLine();
    if (!addSubtitleCopy(builder)) {
        OutputPathRegistry::release(this);
        return {};
    }
    QStringList args = builder.inputArgs();
    builder.addSubtitleArgs(args);
    builder.addVideoArgs(args);
    m_filterChain = builder.filterChain();
    if (!m_filterChain.isEmpty())
        args << QStringLiteral("-filter_complex") << m_filterChain;
    builder.addAudioArgs(args);
    return args << builder.outputArgs(m_outputPath);
}

// ffmpeg only ever sees the copy, by a plain name in its working folder; a
// trimmed run's copy holds the cues of its range at their new times.
bool VideoItemData::addSubtitleCopy(CommandLineBuilder& builder)
{
    if (m_srtPath.isEmpty() || !CommandLineBuilder::takesSubtitle(m_format))
        return true;
    const QString temp = PathServices::getTempFolder();
    const qint64 from = builder.cutStart();
    const qint64 to = builder.cutEnd();
    const QString copy = temp + QLatin1Char('/') + CommandLineBuilder::subtitleCopyName(m_srtPath, from, to);
    QString error;
    switch (SubtitleCopies::acquire(m_srtPath, copy, this, from, to, &error)) {
    case SubtitleCopies::Ready:
        return true;
    case SubtitleCopies::NoCues:
        // Nothing to show in the kept range: this run goes without subtitle.
        builder.setSubtitle(QString(), m_bSoftSubtitle);
        return true;
    case SubtitleCopies::CannotRead:
        m_failureReason
            = tr("Could not read the subtitle file %1: %2").arg(QDir::toNativeSeparators(m_srtPath), error);
        return false;
    case SubtitleCopies::CannotWrite:
        m_failureReason
            = tr("Could not write a copy of the subtitle into %1: %2").arg(QDir::toNativeSeparators(temp), error);
        return false;
    }
    return false;
}

QString VideoItemData::logLine(const QStringList& args)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    QString line = QStringLiteral(" ");
    for (QString arg : args) {
        if (!plain.match(arg).hasMatch())
            arg = QLatin1Char('\'') + arg.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
        line += arg + QLatin1Char(' ');
    }
    return line;
}

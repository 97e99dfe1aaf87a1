#include "convert/videoitemdata.h"

#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "convert/commandlinebuilder.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/progressreader.h"
#include "convert/subtitlecopies.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QWriteLocker>
#include <QtDebug>

using MyQtCustom::QCommonUtils;

namespace {

constexpr int DeleteWaitMs = 3000;

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

} // namespace

VideoItemData::VideoItemData(QObject* parent)
    : QObject(parent)
{
    createProcess();
}

VideoItemData::~VideoItemData()
{
    retireProcess(DeleteWaitMs);
    OutputPathRegistry::release(this);
    removeSubtitleCopy();
    delete m_pMediaInfo;
    delete m_pProbeInfo;
}

void VideoItemData::createProcess()
{
    m_process = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), g_appDirPath + QLatin1String("/font/fonts.conf"));
    m_process->setProcessEnvironment(env);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &VideoItemData::ffmpegProcess_StandardOutput_slots);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this](int exitCode, QProcess::ExitStatus) { ffmpegProcess_Finished(exitCode); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash is followed by the end notification
        // Deferred: the platform may report this from inside start().
        const quint64 run = m_nRun;
        QMetaObject::invokeMethod(
            this, [this, run] { startFailed(run); }, Qt::QueuedConnection);
    });
}

// Ends the process's child and lets go of the object. A child that outlives
// the wait is left to finish under the application object, so that no process
// object is ever destroyed while its child runs and nothing it reports later
// reaches this job.
void VideoItemData::retireProcess(int waitMs)
{
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        if (!process->waitForFinished(waitMs)) {
            process->setParent(QCoreApplication::instance());
            connect(
                process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), process, &QObject::deleteLater);
            return;
        }
    }
    delete process;
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
    // Hours of microseconds times bits per second can leave 64 bits.
    return static_cast<qint64>(static_cast<__int128>(length) * rate / 8000000);
}

void VideoItemData::startConvert()
{
    m_nProgressTotal = 0;
    const QStringList args = buildArguments();

    QString line = QStringLiteral(" ");
    for (const QString& arg : args)
        line += arg + QLatin1Char(' ');
    qInfo().noquote() << line;

    m_bStopped = false;
    m_nState = Converting;
    m_bErrorSeen = false;
    m_outputTail.clear();
    ++m_nRun;
    emit updateShow(this);

    if (m_process->state() != QProcess::NotRunning) {
        retireProcess(StopWaitMs);
        createProcess();
    }
    m_process->setWorkingDirectory(PathServices::getTempFolder());
    m_process->start(PathServices::getFFmpegPath(), args, QIODevice::ReadWrite);
    m_nProgress = 0;
}

void VideoItemData::stopConvert()
{
    {
        QWriteLocker locker(&m_lock);
        m_nState = Stopped;
        m_bStopped = true;
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            // The end notification arrives inside this wait and ends the run as stopped.
            if (m_process->waitForFinished(StopWaitMs)) {
                m_process->close();
            } else {
                retireProcess(StopWaitMs);
                createProcess();
                // The retired process reports nothing more: end the run as stopped here.
                const quint64 run = m_nRun;
                QMetaObject::invokeMethod(
                    this,
                    [this, run] {
                        if (run == m_nRun)
                            finishRun(false);
                    },
                    Qt::QueuedConnection);
            }
        }
    }
    OutputPathRegistry::release(this);
    m_nEncoderAttempt = 0;
}

void VideoItemData::ffmpegProcess_StandardOutput_slots()
{
    if (m_bStopped)
        return;
    const QString out = decodeOutput(m_process->readAllStandardOutput());
    const QString err = decodeOutput(m_process->readAllStandardError());
    if (!out.isEmpty())
        qInfo().noquote() << out;
    if (!err.isEmpty())
        qInfo().noquote() << QLatin1String("Error: ") + err;

    // A phrase counts wherever it stands, also across the end of the last chunk.
    if (ProgressReader::containsErrorPhrase(m_outputTail + out) || ProgressReader::containsErrorPhrase(err))
        m_bErrorSeen = true;
    const QString joined = m_outputTail + out;
    m_outputTail = joined.right(longestPhrase() - 1);

    if (out.isEmpty())
        return;
    m_nProgressTotal = ProgressReader::progressTotal(m_pMediaInfo ? *m_pMediaInfo : emptyInfo());
    if (m_nProgressTotal <= 0)
        return;
    m_nProgress = ProgressReader::advance(m_nProgress, out, m_nProgressTotal);
    emit updateProgress(this);
}

void VideoItemData::ffmpegProcess_Finished(int exitCode)
{
    finishRun(exitCode == 0 && m_process->exitStatus() == QProcess::NormalExit);
}

void VideoItemData::startFailed(quint64 run)
{
    if (run != m_nRun || m_process->state() != QProcess::NotRunning)
        return;
    qInfo().noquote() << QLatin1String("Error: ") + m_process->errorString();
    finishRun(false);
}

// A run is good when ffmpeg exited normally with status 0, printed no error
// phrase and left a non-empty output file; a bad one moves down the encoder
// ladder until the last attempt.
void VideoItemData::finishRun(bool exitedCleanly)
{
    removeSubtitleCopy();
    if (!m_bStopped) {
        const QFileInfo output(m_outputPath);
        const bool good = exitedCleanly && !m_bErrorSeen && output.exists() && output.size() > 0;
        if (good) {
            m_sizeText = QCommonUtils::GetFileSizeString(output.size());
            m_nState = Completed;
        } else {
            if (!m_outputPath.isEmpty() && QFileInfo::exists(m_outputPath))
                QFile::remove(m_outputPath);
            OutputPathRegistry::release(this);
            if (m_nEncoderAttempt < LastEncoderAttempt) {
                ++m_nEncoderAttempt;
                startConvert();
                return;
            }
            m_nState = Failed;
        }
    }
    OutputPathRegistry::release(this);
    emit updateShow(this);
    emit updateFinished(this);
    m_nEncoderAttempt = 0;
}

CommandLineBuilder VideoItemData::commandLine() const
{
    CommandLineBuilder builder(m_pMediaInfo ? *m_pMediaInfo : emptyInfo(), m_sourcePath, m_format);
    builder.setSubtitle(m_bNoCuesInRange ? QString() : m_srtPath, m_bSoftSubtitle);
    builder.setEncoderAttempt(m_nEncoderAttempt);
    builder.setFilterChain(m_filterChain);
    // ffprobe knows the length to the frame; the banner only to the second.
    qint64 length = m_pProbeInfo ? CommandLineBuilder::videoLength(*m_pProbeInfo) : 0;
    if (length <= 0 && m_pMediaInfo)
        length = m_pMediaInfo->duration;
    builder.setVideoLength(length);
    return builder;
}

void VideoItemData::makeOutputPath()
{
    OutputPathRegistry::release(this);
    m_outputPath = CommandLineBuilder::chooseOutputPath(RuntimeChoices::current()->m_outFolder, m_sourcePath, m_format,
        [](const QString& path) { return QFileInfo::exists(path) || OutputPathRegistry::isHeld(path); });
    OutputPathRegistry::hold(m_outputPath, this);
    if (m_format == QLatin1String("avi"))
        m_bSoftSubtitle = false;
    m_filterChain.clear();
}

void VideoItemData::addSubtitleArgs(QStringList& args)
{
    m_bNoCuesInRange = false;
    if (m_srtPath.isEmpty() || !CommandLineBuilder::takesSubtitle(m_format))
        return;
    CommandLineBuilder builder = commandLine();
    // ffmpeg only ever sees the copy, by a plain name in its working folder;
    // a trimmed run's copy holds the cues of its range at their new times.
    if (!SubtitleCopies::acquire(m_srtPath, subtitleCopyPath(), this, builder.cutStart(), builder.cutEnd())) {
        // Nothing to show in the kept range: this run goes without subtitle.
        SubtitleCopies::release(this);
        m_bNoCuesInRange = true;
        return;
    }
    builder.addSubtitleArgs(args);
    m_filterChain = builder.filterChain();
}

void VideoItemData::addVideoArgs(QStringList& args)
{
    CommandLineBuilder builder = commandLine();
    builder.addVideoArgs(args);
    m_filterChain = builder.filterChain();
}

bool VideoItemData::buildVideoFilters()
{
    CommandLineBuilder builder = commandLine();
    const bool added = builder.buildVideoFilters();
    m_filterChain = builder.filterChain();
    return added;
}

void VideoItemData::appendFilter(const QString& text)
{
    CommandLineBuilder builder = commandLine();
    builder.appendFilter(text);
    m_filterChain = builder.filterChain();
}

void VideoItemData::addAudioArgs(QStringList& args)
{
    CommandLineBuilder builder = commandLine();
    builder.addAudioArgs(args);
}

QStringList VideoItemData::buildArguments()
{
    makeOutputPath();
    QStringList args = commandLine().inputArgs();
    addSubtitleArgs(args);
    addVideoArgs(args);
    if (!m_filterChain.isEmpty())
        args << QStringLiteral("-filter_complex") << m_filterChain;
    addAudioArgs(args);
    args << CommandLineBuilder::outputArgs(m_outputPath);
    return args;
}

QString VideoItemData::failureReason() const
{
    return m_failureReason;
}

QStringList VideoItemData::lastArguments() const
{
    return {};
}

QString VideoItemData::subtitleCopyPath() const
{
    const CommandLineBuilder builder = commandLine();
    return PathServices::getTempFolder() + QLatin1Char('/')
        + CommandLineBuilder::subtitleCopyName(m_srtPath, builder.cutStart(), builder.cutEnd());
}

void VideoItemData::removeSubtitleCopy()
{
    SubtitleCopies::release(this);
}

#include "convert/batchconverter.h"

#include "common/pathservices.h"
#include "common/settingkeys.h"
#include "convert/convertqueue.h"
#include "convert/videoitemdata.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "probe/trimrange.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

QString oneLine(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1String("; "));
}

QString clock(qint64 us)
{
    const qint64 s = us / TrimRange::Second;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

BatchConverter::BatchConverter(const Options& options, QObject* parent)
    : QObject(parent),
      m_options(options),
      m_queue(new ConvertQueue(this))
{
    m_choices.makeCurrent();
    if (m_options.jobs > 0)
        m_choices.m_maxConvertCount = m_options.jobs;
    // The window's default: the folder remembered under "OutFolder", else the
    // documents one, created on demand.
    if (m_options.outFolder.isEmpty()) {
        m_options.outFolder = PathServices::getSettingFolder(SettingKeys::OutFolder);
        QDir().mkpath(m_options.outFolder);
    }
    m_choices.m_outFolder = m_options.outFolder;
    m_profile.format = m_options.format.toLower();

    for (const QString& path : qAsConst(m_options.files)) {
        Entry entry;
        entry.path = path;
        m_entries.append(entry);
    }
    m_queue->setJobOrder([this] { return int(m_jobs.size()); }, [this](int i) { return m_jobs.at(i); });
    connect(m_queue, &ConvertQueue::convertsignal, this, [this](bool converting) {
        if (!converting && m_bConverting)
            finish();
    });
    m_writer = [](const QString& line) {
        const QByteArray bytes = line.toLocal8Bit() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    };
}

BatchConverter::~BatchConverter()
{
    // Joins a running probe; a job's end takes its ffmpeg with it.
    delete m_probe;
    const QList<VideoItemData*> jobs = m_jobs;
    m_jobs.clear();
    qDeleteAll(jobs);
}

void BatchConverter::setLineWriter(LineWriter writer)
{
    m_writer = std::move(writer);
}

void BatchConverter::start()
{
    m_clock.start();
    // From the event loop, so that a batch that ends at once still reaches
    // whoever waits in it.
    QTimer::singleShot(0, this, &BatchConverter::probeNext);
}

void BatchConverter::stop()
{
    if (m_bStopping || m_bDone)
        return;
    m_bStopping = true;
    if (m_probe && m_probe->isRunning()) {
        // The rest follows in probeFinished(), once the worker is out.
        m_probe->requestInterruption();
        return;
    }
    for (int i = m_nNextProbe; i < m_entries.size(); ++i)
        m_entries[i].stopped = true;
    m_nNextProbe = int(m_entries.size());
    for (VideoItemData* job : qAsConst(m_jobs)) {
        if (job->m_nState == VideoItemData::Waiting)
            job->m_nState = VideoItemData::Stopped;
    }
    m_queue->stopAll();
    m_bConverting = true;
    finish();
}

int BatchConverter::exitCode() const
{
    for (const Entry& entry : m_entries) {
        if (!entry.job || entry.job->m_nState != VideoItemData::Completed)
            return 1;
    }
    return 0;
}

void BatchConverter::probeNext()
{
    while (m_nNextProbe < m_entries.size()) {
        Entry& entry = m_entries[m_nNextProbe];
        const QFileInfo file(entry.path);
        if (!file.exists())
            entry.problem = QStringLiteral("No such file.");
        else if (!file.isFile())
            entry.problem = QStringLiteral("Not a file.");
        else if (!QFileInfo(PathServices::getFFmpegPath()).isExecutable())
            entry.problem = QStringLiteral("ffmpeg was not found at %1.").arg(PathServices::getFFmpegPath());
        if (!entry.problem.isEmpty()) {
            writeLine(label(entry) + QLatin1String(": failed: ") + entry.problem);
            ++m_nNextProbe;
            continue;
        }
        if (!m_probe) {
            m_probe = new GetMediaInfoThread(this);
            connect(m_probe, &QThread::finished, this, &BatchConverter::probeFinished);
        }
        // No thumbnail: nothing shows it.
        m_probe->m_filePath = entry.path;
        m_probe->m_thumbPath.clear();
        m_probe->m_srtPath = m_options.srtPath;
        m_probe->start();
        return;
    }
    convertJobs();
}

void BatchConverter::probeFinished()
{
    if (m_bStopping) {
        m_bStopping = false;
        stop();
        return;
    }
    // finished() comes while the thread still winds down; a start before
    // it has ended would be ignored.
    m_probe->wait();
    Entry& entry = m_entries[m_nNextProbe];
    entry.problem = makeJob(entry);
    if (!entry.problem.isEmpty())
        writeLine(label(entry) + QLatin1String(": failed: ") + entry.problem);
    ++m_nNextProbe;
    probeNext();
}

QString BatchConverter::makeJob(Entry& entry)
{
    std::unique_ptr<MediaInfo> info = m_probe->takeMediaInfo();
    std::unique_ptr<ProbeInfo> probe = m_probe->takeProbeInfo();
    if (!info || (info->hasVideo == 0 && info->hasAudio == 0))
        return QStringLiteral("ffmpeg cannot read this file as video or audio.");
    if (m_options.trim) {
        switch (TrimRange::apply(*info, m_options.trimStart, m_options.trimEnd)) {
        case TrimRange::Fits:
            break;
        case TrimRange::ClipTooShort:
            return QStringLiteral("Cannot trim: the file is shorter than a second.");
        case TrimRange::StartsPastEnd:
            return QStringLiteral("Cannot trim from %1: the file lasts %2.")
                .arg(clock(m_options.trimStart), clock(TrimRange::clipLength(*info)));
        }
    }
    VideoItemData* job = ConvertQueue::makeJob(
        entry.path, info.release(), QString(), &m_profile, probe.release(), m_options.srtPath);
    entry.job = job;
    m_jobs.append(job);
    connect(job, &VideoItemData::updateShow, this, &BatchConverter::jobShown);
    connect(job, &VideoItemData::updateProgress, this, &BatchConverter::jobProgressed);
    connect(job, &VideoItemData::updateFinished, this, &BatchConverter::jobFinished);
    return QString();
}

void BatchConverter::convertJobs()
{
    m_bConverting = true;
    if (m_jobs.isEmpty()) {
        finish();
        return;
    }
    m_queue->convertAll();
}

void BatchConverter::jobShown(VideoItemData* job)
{
    Entry* entry = entryOf(job);
    if (!entry || entry->announced || job->m_nState != VideoItemData::Converting)
        return;
    entry->announced = true;
    entry->lastReport = m_clock.elapsed();
    writeLine(label(*entry) + QLatin1String(": converting to ") + job->m_format.toUpper());
}

void BatchConverter::jobProgressed(VideoItemData* job)
{
    Entry* entry = entryOf(job);
    if (!entry || m_clock.elapsed() - entry->lastReport < m_options.progressIntervalMs)
        return;
    entry->lastReport = m_clock.elapsed();
    writeLine(label(*entry) + QStringLiteral(": %1%").arg(job->m_nProgress / 100));
}

void BatchConverter::jobFinished(VideoItemData* job)
{
    if (m_bDone)
        return;
    if (Entry* entry = entryOf(job)) {
        switch (job->m_nState) {
        case VideoItemData::Completed:
            writeLine(label(*entry) + QStringLiteral(": done: %1 (%2)").arg(job->m_outputPath, job->m_sizeText));
            break;
        case VideoItemData::Failed:
            writeLine(label(*entry) + QLatin1String(": failed: ") + oneLine(job->failureReason()));
            break;
        default:
            writeLine(label(*entry) + QLatin1String(": stopped"));
            break;
        }
    }
    m_queue->startWaitingJobs();
}

void BatchConverter::finish()
{
    if (m_bDone)
        return;
    for (const VideoItemData* job : qAsConst(m_jobs)) {
        if (job->m_nState == VideoItemData::Waiting || job->m_nState == VideoItemData::Converting)
            return;
    }
    m_bDone = true;
    int converted = 0;
    for (const Entry& entry : qAsConst(m_entries)) {
        if (entry.job && entry.job->m_nState == VideoItemData::Completed)
            ++converted;
    }
    writeLine(QStringLiteral("%1 of %2 converted into %3.")
                  .arg(converted)
                  .arg(m_entries.size())
                  .arg(QDir::toNativeSeparators(m_options.outFolder)));
    for (const Entry& entry : qAsConst(m_entries)) {
        if (entry.job && entry.job->m_nState == VideoItemData::Completed)
            continue;
        if (entry.stopped || (entry.job && entry.job->m_nState != VideoItemData::Failed)) {
            writeLine(QStringLiteral("Stopped: %1").arg(entry.path));
            continue;
        }
        QString reason = entry.job ? oneLine(entry.job->failureReason()) : entry.problem;
        if (reason.isEmpty())
            reason = QStringLiteral("Conversion failed.");
        writeLine(QStringLiteral("Failed: %1: %2").arg(entry.path, reason));
    }
    emit finished(exitCode());
}

BatchConverter::Entry* BatchConverter::entryOf(const VideoItemData* job)
{
    for (Entry& entry : m_entries) {
        if (entry.job == job)
            return &entry;
    }
    return nullptr;
}

QString BatchConverter::label(const Entry& entry) const
{
    const int index = int(&entry - m_entries.constData()) + 1;
    return QStringLiteral("[%1/%2] %3").arg(index).arg(m_entries.size()).arg(QFileInfo(entry.path).fileName());
}

void BatchConverter::writeLine(const QString& line) const
{
    if (m_writer)
        m_writer(line);
}

#include "convert/convertqueue.h"

#include "common/runtimechoices.h"
#include "convert/videoitemdata.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

ConvertQueue::ConvertQueue(QObject* parent)
    : QObject(parent)
{
}

ConvertQueue::~ConvertQueue() = default;

void ConvertQueue::setJobOrder(JobCount count, JobAt at)
{
    m_count = std::move(count);
    m_at = std::move(at);
}

VideoItemData* ConvertQueue::makeJob(const QString& sourcePath, MediaInfo* mediaInfo, const QString& thumbPath,
    OutputProfile* profile, ProbeInfo* probeInfo, const QString& srtPath)
{
    if (!mediaInfo) {
        delete probeInfo;
        return nullptr;
    }
    auto* job = new VideoItemData;
    job->m_sourcePath = sourcePath;
    job->m_srtPath = srtPath;
    job->m_thumbPath = thumbPath;
    job->m_pMediaInfo = mediaInfo;
    job->m_pProbeInfo = probeInfo;
    job->setOutputProfile(profile);
    return job;
}

int ConvertQueue::jobCount() const
{
    return m_count ? m_count() : 0;
}

VideoItemData* ConvertQueue::jobAt(int index) const
{
    return m_at ? m_at(index) : nullptr;
}

int ConvertQueue::unfinishedCount() const
{
    int n = 0;
    for (int i = 0; i < jobCount(); ++i) {
        const int state = jobAt(i)->m_nState;
        if (state != VideoItemData::Converting && state != VideoItemData::Completed)
            ++n;
    }
    return n;
}

void ConvertQueue::startWaitingJobs()
{
    if (isHeld())
        return;
    const int limit = RuntimeChoices::current()->m_maxConvertCount;
    int active = 0;
    for (int i = 0; i < jobCount() && active < limit; ++i) {
        if (jobAt(i)->m_nState == VideoItemData::Converting)
            ++active;
    }
    // A lowered limit stops nothing; it only starts nothing until enough jobs end.
    if (active >= limit)
        return;
    for (int i = 0; i < jobCount() && active < limit; ++i) {
        VideoItemData* job = jobAt(i);
        if (job->m_nState == VideoItemData::Waiting) {
            job->startConvert();
            ++active;
        }
    }
    emit convertsignal(active > 0);
}

// The batch's time left: every converting job's own time left (its media
// still to convert over the mean speed of the runs, while it shows no speed
// yet) plus the waiting jobs' media length over that mean speed, spread over
// the limit of runs at once; never less than the longest running job's own
// time left. Jobs at once share the machine, and each one's speed already
// shows its share, so the work adds up and divides by the runs in parallel.
qint64 ConvertQueue::batchTimeLeft()
{
    double speedSum = 0;
    int speeds = 0;
    int running = 0;
    for (int i = 0; i < jobCount(); ++i) {
        const VideoItemData* job = jobAt(i);
        if (job->m_nState != VideoItemData::Converting)
            continue;
        ++running;
        if (job->speed() > 0) {
            speedSum += job->speed();
            ++speeds;
        }
    }
    if (running == 0)
        return -1;
    if (speeds > 0)
        m_dLastSpeed = speedSum / speeds;
    if (!(m_dLastSpeed > 0))
        return -1;

    double work = 0;
    double longest = 0;
    int jobs = 0;
    for (int i = 0; i < jobCount(); ++i) {
        const VideoItemData* job = jobAt(i);
        double left = 0;
        if (job->m_nState == VideoItemData::Converting) {
            const qint64 own = job->timeLeft();
            left = own >= 0 ? static_cast<double>(own) : static_cast<double>(job->mediaLeft()) / m_dLastSpeed;
            longest = qMax(longest, left);
        } else if (job->m_nState == VideoItemData::Waiting) {
            left = static_cast<double>(job->mediaLeft()) / m_dLastSpeed;
        } else {
            continue;
        }
        work += left;
        ++jobs;
    }
    const int parallel = qMax(1, qMin(RuntimeChoices::current()->m_maxConvertCount, jobs));
    const double total = qMax(longest, work / parallel);
    constexpr double Longest = 359999.0 * 1000000.0; // 99:59:59, as far as the clock text goes
    return total <= Longest ? static_cast<qint64>(total) : -1;
}

void ConvertQueue::convertAll()
{
    for (int i = 0; i < jobCount(); ++i) {
        VideoItemData* job = jobAt(i);
        if (job->m_nState == VideoItemData::Ready || job->m_nState == VideoItemData::Stopped)
            job->m_nState = VideoItemData::Waiting;
    }
    startWaitingJobs();
}

void ConvertQueue::setAllOutputProfile(OutputProfile* profile)
{
    for (int i = 0; i < jobCount(); ++i)
        jobAt(i)->setOutputProfile(profile);
}

void ConvertQueue::shareSubtitleMode(const VideoItemData* from)
{
    for (int i = 0; i < jobCount(); ++i) {
        VideoItemData* job = jobAt(i);
        if (job->m_nState == VideoItemData::Ready || job->m_nState == VideoItemData::Waiting)
            job->m_bSoftSubtitle = from->m_bSoftSubtitle;
    }
}

void ConvertQueue::stopAll()
{
    const Hold hold(this);
    for (int i = 0; i < jobCount(); ++i) {
        VideoItemData* job = jobAt(i);
        if (job->m_nState == VideoItemData::Converting)
            job->stopConvert();
    }
}

void ConvertQueue::removeJobs(const QList<VideoItemData*>& jobs, const Drop& drop)
{
    {
        const Hold hold(this);
        for (VideoItemData* job : jobs)
            job->stopConvert();
        drop();
        for (VideoItemData* job : jobs) {
            // Whatever the job still reports reaches nobody; it may be in the
            // middle of reporting, so it goes once control returns.
            job->disconnect();
            job->deleteLater();
        }
    }
    startWaitingJobs();
}

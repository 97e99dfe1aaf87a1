#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class MediaInfo;
class OutputProfile;
class ProbeInfo;
class VideoItemData;

// Starts waiting jobs while fewer than the allowed number convert, in list
// order. It keeps no list of its own: whoever holds the jobs (the window's
// recycling list, or a plain list without a window) hands it the one order
// through two functions, read afresh on every use. The holder connects each
// job's updateFinished to one pass; the queue connects nothing itself.
class ConvertQueue : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ConvertQueue)

public:
    using JobCount = std::function<int()>;
    using JobAt = std::function<VideoItemData*(int index)>;
    // Takes the given jobs out of the holder's order.
    using Drop = std::function<void()>;

    explicit ConvertQueue(QObject* parent = nullptr);
    ~ConvertQueue() override;

    void setJobOrder(JobCount count, JobAt at);

    // A job for a probed file; it owns both records from here on. Without a
    // media record nothing can be converted: the records are deleted and the
    // result is null.
    static VideoItemData* makeJob(const QString& sourcePath, MediaInfo* mediaInfo, const QString& thumbPath,
        OutputProfile* profile, ProbeInfo* probeInfo, const QString& srtPath);

    int jobCount() const;
    VideoItemData* jobAt(int index) const;
    // Jobs neither converting nor completed.
    int unfinishedCount() const;

    // Ready and stopped jobs wait; then a pass.
    void convertAll();
    void setAllOutputProfile(OutputProfile* profile);
    // Jobs not started yet (ready or waiting) take `from`'s subtitle mode.
    void shareSubtitleMode(const VideoItemData* from);
    // Stops every converting job; nothing starts meanwhile and no pass follows.
    void stopAll();
    // Stops the jobs, lets `drop` take them out of the order and releases
    // them; no job starts until they are gone, then one pass runs.
    void removeJobs(const QList<VideoItemData*>& jobs, const Drop& drop);

    bool isHeld() const { return m_nHolds > 0; }

    // Wall-clock microseconds until the converting and waiting jobs are all
    // done; -1 when nothing converts or no speed has been seen yet.
    qint64 batchTimeLeft();

signals:
    void convertsignal(bool converting);

public slots:
    // The scheduling pass; the limit is read afresh each time.
    void startWaitingJobs();

private:
    // While held, passes start nothing: a stop ends its process inside
    // stopConvert(), whose end notification asks for a pass.
    class Hold
    {
    public:
        explicit Hold(ConvertQueue* queue)
            : m_queue(queue)
        {
            ++m_queue->m_nHolds;
        }
        ~Hold() { --m_queue->m_nHolds; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ConvertQueue* m_queue;
    };

    JobCount m_count;
    JobAt m_at;
    int m_nHolds = 0;
    double m_dLastSpeed = -1; // the last speed seen, for runs that show none yet
};

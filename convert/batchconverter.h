#pragma once

#include "common/runtimechoices.h"
#include "convert/outputprofile.h"

#include <QElapsedTimer>
#include <QList>
#include <QVector>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ConvertQueue;
class GetMediaInfoThread;
class VideoItemData;

// Converts files without a window. Each file is probed in turn, as the
// converter page does, and becomes a job; once every file is probed the jobs
// convert through the same queue and limit as in the window. It reports a
// line when a job starts, now and then while it runs, and when it ends, then
// a summary; a file that could not become a job counts as failed.
class BatchConverter : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BatchConverter)

public:
    struct Options
    {
        QStringList files; // absolute paths
        QString format = QStringLiteral("mp4");
        QString outFolder; // empty: the window's default output folder
        int jobs = 0;      // at most this many at once; 0: the window's default
        bool trim = false;
        qint64 trimStart = 0; // microseconds
        qint64 trimEnd = 0;
        QString srtPath; // given to every job
        int progressIntervalMs = 10000;
    };
    using LineWriter = std::function<void(const QString& line)>;

    explicit BatchConverter(const Options& options, QObject* parent = nullptr);
    ~BatchConverter() override;

    // Lines go to standard output unless another writer is set.
    void setLineWriter(LineWriter writer);
    // Starts probing; finished() follows once every job has ended.
    void start();
    // Ends every conversion and probes nothing more; finished() follows.
    void stop();
    // 0 when every file was converted, else 1.
    int exitCode() const;

signals:
    void finished(int exitCode);

private:
    struct Entry
    {
        QString path;
        VideoItemData* job = nullptr;
        QString problem; // why the file did not become a job
        bool stopped = false; // not probed, or its job stopped
        bool announced = false;
        qint64 lastReport = 0;
    };

    void probeNext();
    void probeFinished();
    QString makeJob(Entry& entry);
    void convertJobs();
    void jobShown(VideoItemData* job);
    void jobProgressed(VideoItemData* job);
    void jobFinished(VideoItemData* job);
    void finish();
    Entry* entryOf(const VideoItemData* job);
    QString label(const Entry& entry) const;
    void writeLine(const QString& line) const;

    Options m_options;
    RuntimeChoices m_choices;
    OutputProfile m_profile;
    QVector<Entry> m_entries;
    QList<VideoItemData*> m_jobs; // list order, as the queue walks it
    GetMediaInfoThread* m_probe = nullptr;
    ConvertQueue* m_queue = nullptr;
    int m_nNextProbe = 0;
    bool m_bConverting = false;
    bool m_bDone = false;
    bool m_bStopping = false;
    QElapsedTimer m_clock;
    LineWriter m_writer;
};

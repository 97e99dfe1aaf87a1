#pragma once

#include <QObject>
#include <QPointer>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>

class CommandLineBuilder;
class MediaInfo;
class OutputProfile;
class ProbeInfo;
class QProcess;

// One conversion job: a source file with its records, subtitle, output format
// and state. It runs ffmpeg for the job, follows its progress, judges each run
// and retries a bad one with the next video encoder, five runs at most.
class VideoItemData : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoItemData)

public:
    enum State { Ready = -1, Waiting = 0, Converting = 1, Completed = 2, Failed = 3, Stopped = 4 };
    static constexpr int LastEncoderAttempt = 4;
    static constexpr int StopWaitMs = 400;

    explicit VideoItemData(QObject* parent = nullptr);
    ~VideoItemData() override;

    void setOutputProfile(OutputProfile* profile);
    qint64 estimatedOutputSize() const;
    void startConvert();
    void stopConvert();

    // The steps of a run's argument list, in the order buildArguments calls them.
    void makeOutputPath();
    void addSubtitleArgs(QStringList& args);
    void addVideoArgs(QStringList& args);
    bool buildVideoFilters();
    void appendFilter(const QString& text);
    void addAudioArgs(QStringList& args);
    // Chooses the output file and returns the whole list for the next run.
    QStringList buildArguments();

    // Why the last run failed, in a few words for the user; empty unless failed.
    QString failureReason() const;
    // The argument list of the last start.
    QStringList lastArguments() const;

    // Set by the list and the row; read by both.
    int m_nEncoderAttempt = 0;
    int m_nState = Ready;
    QString m_sourcePath;
    QString m_srtPath;
    QString m_thumbPath;
    bool m_bSoftSubtitle = true;
    MediaInfo* m_pMediaInfo = nullptr; // owned
    ProbeInfo* m_pProbeInfo = nullptr; // owned
    QString m_filterChain;
    OutputProfile* m_pOutputProfile = nullptr; // shared, not owned
    QString m_sizeText;
    QString m_format;
    QString m_outputPath;
    int m_nProgress = 0;
    // The row that last showed this job; only a cache, and null once the row is gone.
    QPointer<QObject> m_pItemWidget;

signals:
    void updateProgress(VideoItemData* item);
    void updateShow(VideoItemData* item);
    void updateFinished(VideoItemData* item);

public slots:
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

private:
    void createProcess();
    void retireProcess(int waitMs);
    void startFailed(quint64 run);
    void finishRun(bool exitedCleanly);
    CommandLineBuilder commandLine() const;
    QString subtitleCopyPath() const;
    void removeSubtitleCopy();

    QProcess* m_process = nullptr;
    qint64 m_nProgressTotal = -1;
    QReadWriteLock m_lock{QReadWriteLock::Recursive};
    bool m_bStopped = false;
    bool m_bErrorSeen = false;
    quint64 m_nRun = 0;            // counts starts, so that a deferred notice finds its own run
    QString m_outputTail;          // end of the previous chunk: a phrase may straddle two reads
    bool m_bNoCuesInRange = false; // this run's trim keeps none of the subtitle's cues
    QString m_failureReason;
};

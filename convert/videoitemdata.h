#pragma once

#include "common/childprocess.h"

#include <QObject>
#include <QPointer>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>

class CommandLineBuilder;
class MediaInfo;
class OutputProfile;
class ProbeInfo;

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

    // Why the job failed, in a few short lines for the user: ffmpeg's last
    // error lines or a reason of our own. Empty unless the job failed.
    QString failureReason() const;
    // The argument list of the last run started; empty before the first.
    QStringList lastArguments() const;

    // Chooses the output file; empty when the output folder is not usable.
    void makeOutputPath();
    // Chooses the output file and returns the whole list for the next run;
    // empty, with the reason kept, when the run cannot go ahead.
    QStringList buildArguments();
    // The list as one log line, arguments that a shell would split or
    // unquote put in single quotes.
    static QString logLine(const QStringList& args);

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
    CommandLineBuilder commandLine() const;
    QString outputFolderProblem() const;
    bool addSubtitleCopy(CommandLineBuilder& builder);
    void failAtOnce();
    void collectErrorLines(const QString& text);
    // The complete lines of the output so far; keeps the unfinished last one.
    QString takeWholeLines(const QString& text);
    QString runFailure(int exitCode, ChildProcess::Outcome outcome, bool wroteOutput) const;

    ChildProcess* m_process = nullptr;
    qint64 m_nProgressTotal = -1;
    QReadWriteLock m_lock{QReadWriteLock::Recursive};
    bool m_bStopped = false;
    bool m_bErrorSeen = false;
    quint64 m_nRun = 0;      // counts starts, so that a deferred end finds its own run
    QString m_outputTail;    // end of the previous chunk: a phrase may straddle two reads
    QString m_partLine;      // the output's unfinished last line
    QStringList m_errorLines; // this run's last lines that tell of an error
    ChildProcess::Outcome m_runOutcome = ChildProcess::Exited;
    QString m_failureReason;
    QStringList m_lastArguments;
};

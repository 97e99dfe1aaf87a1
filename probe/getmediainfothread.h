#pragma once

#include <QString>
#include <QStringList>
#include <QThread>

#include <memory>

class MediaInfo;
class ProbeInfo;

// Examines one file at a time on its own thread: ffmpeg's description of the
// input (and the thumbnail), ffprobe's JSON report, and a hardware decode
// test. The owner writes the inputs while the thread is not running, starts
// it, and collects the results from its finished() handler.
//
// The results belong to the worker until they are taken: a record nobody
// took is deleted by the next run and by the destructor. Whoever keeps a
// record must therefore take it (takeMediaInfo(), takeProbeInfo()); reading
// m_pMediaInfo and m_pProbeInfo only borrows them.
class GetMediaInfoThread : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY(GetMediaInfoThread)

public:
    // Limit for each child process.
    static constexpr int ToolTimeoutMs = 2000;

    explicit GetMediaInfoThread(QObject* parent = nullptr);
    ~GetMediaInfoThread() override;

    std::unique_ptr<MediaInfo> takeMediaInfo();
    std::unique_ptr<ProbeInfo> takeProbeInfo();

    // The argument lists of the child runs.
    static QStringList bannerArguments(const QString& filePath, const QString& thumbPath);
    static QStringList probeArguments(const QString& filePath);
    static QStringList hwDecodeArguments(const QString& decoder, const QString& filePath, const QString& outPath);
    static QStringList hwDecoderNames();
    // Where the decode test writes (and then removes) its output.
    static QString hwTestPath(const QString& filePath);
    static bool hwDecodePassed(const QString& text);

    // Inputs, written while the thread is not running.
    QString m_filePath;
    QString m_thumbPath;
    QString m_srtPath; // not used here; travels with the file to its job

    // Results of the last run; empty when none was made.
    MediaInfo* m_pMediaInfo = nullptr;
    ProbeInfo* m_pProbeInfo = nullptr;

protected:
    void run() override;

private:
    void releaseResults();
    void testHardwareDecoders(MediaInfo* info);
};

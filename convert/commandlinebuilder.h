#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class MediaInfo;
class ProbeInfo;

// The rules that turn one job into ffmpeg arguments: output naming, stream
// copy, encoders by attempt, video filters, subtitle and audio options. It
// reads no files and starts nothing; the job builds one per run and calls
// its steps in order, the filter chain growing between them.
class CommandLineBuilder
{
public:
    CommandLineBuilder(const MediaInfo& info, const QString& sourcePath, const QString& format);

    void setSubtitle(const QString& srtPath, bool soft);
    void setEncoderAttempt(int attempt);
    QString filterChain() const { return m_filterChain; }
    // Microseconds of the source's video; 0 when unknown.
    void setVideoLength(qint64 length);
    // Pictures the source's video decoder holds back for reordering (its
    // B-frames); -1 when unknown.
    void setReorderDelay(int frames);
    // Threads ffmpeg may give this run's encoder; see threadsPerRun().
    void setThreads(int threads);

    // "-ss"/"-to" when trimmed, the source, then the added audio file.
    QStringList inputArgs() const;
    void addSubtitleArgs(QStringList& args);
    void addVideoArgs(QStringList& args);
    bool buildVideoFilters();
    void appendFilter(const QString& text);
    void addAudioArgs(QStringList& args);
    // Everything after the audio options.
    QStringList outputArgs(const QString& outputPath) const;

    // The source's file name without any ".<extension>".
    static QString outputBaseName(const QString& sourcePath);
    // The first of "base.ext", "base (0).ext", "base (1).ext"... in `folder`
    // that `taken` does not reject.
    static QString chooseOutputPath(const QString& folder, const QString& sourcePath, const QString& format,
        const std::function<bool(const QString&)>& taken);

    // The trim as the command line cuts it, on whole seconds; both 0 when
    // the job is not trimmed.
    qint64 cutStart() const;
    qint64 cutEnd() const;

    // Name of the subtitle's copy in the working folder of ffmpeg. A trimmed
    // run's copy holds other cues, so the range is part of its name.
    static QString subtitleCopyName(const QString& srtPath, qint64 from = 0, qint64 to = 0);
    // MP3 output takes no subtitle at all.
    static bool takesSubtitle(const QString& format);
    // Matroska cannot hold "mov_text"; MP4 and MOV need it.
    static QString subtitleCodec(const QString& format);

    static QString videoEncoder(int attempt, int width, int height);
    // Bits per second for a re-encode, also the basis of the size estimate.
    static qint64 videoBitrate(const MediaInfo& info);
    static QString rotationFilter(int degrees);
    // Each of `limit` runs at once gets an equal whole share of the cores,
    // one thread at least: a lone run uses the machine, a full queue does
    // not oversubscribe it.
    static int threadsPerRun(int cores, int limit);
    // The length of the first video stream ffprobe reported, else of the
    // file; 0 without a video stream or when neither is known.
    static qint64 videoLength(const ProbeInfo& probe);
    // ffprobe's "has_b_frames" of the first video stream; -1 when unknown.
    static int reorderDelay(const ProbeInfo& probe);

private:
    bool hasSubtitle() const;
    bool burnsSubtitle() const;
    bool isMp3() const;
    bool isAvi() const;
    bool isH264() const;
    bool takesAddedAudio() const;
    bool copyShowsLeadIn() const;
    bool canCopyVideo() const;
    bool canCopyAudio() const;
    QStringList trimArgs() const;
    QStringList audioEncodingArgs() const;
    QStringList streamMaps() const;
    QString sourceSuffix() const;

    const MediaInfo& m_info;
    QString m_sourcePath;
    QString m_format;
    QString m_srtPath;
    bool m_bSoftSubtitle = true;
    int m_nEncoderAttempt = 0;
    QString m_filterChain;
    qint64 m_nVideoLength = 0;
    int m_nReorderDelay = -1;
    int m_nThreads = 1;
};

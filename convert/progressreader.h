#pragma once

#include <QString>
#include <QStringList>

class MediaInfo;

// Reads a conversion's progress and failures from ffmpeg's output. Progress
// is in hundredths of a percent.
class ProgressReader
{
public:
    static constexpr int MaxRunningProgress = 9999;

    // The phrases by which ffmpeg announces a failed run.
    static const QStringList& errorPhrases();
    static bool containsErrorPhrase(const QString& text);

    // The output time that counts as 100 %: the whole duration, or the trimmed
    // length plus 3 s, since a trim cut on whole seconds may run a little longer.
    static qint64 progressTotal(const MediaInfo& info);

    // The clock after "time=" on the first status line of one chunk
    // of output, in microseconds; 0 when the chunk holds none.
    static qint64 readTime(const QString& chunk);

    // The speed on the last status line of one chunk, as a multiple of real
    // time: false when the chunk holds no status line. A line whose speed is
    // "N/A", missing, zero or negative gives -1, unknown.
    static bool readSpeed(const QString& chunk, double* speed);

    // Microseconds of media a run converts: the trimmed part, else the whole.
    static qint64 convertLength(const MediaInfo& info);

    // Wall-clock microseconds until a run at `position` of `length` is done
    // at `speed`; -1 when either is unknown.
    static qint64 timeLeft(qint64 length, qint64 position, double speed);

    // The progress after one chunk: never below `current`, never above 9999.
    static int advance(int current, const QString& chunk, qint64 total);
};

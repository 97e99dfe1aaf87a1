#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class VideoItemData;

// The job list as it stood at its last change, kept in one JSON file beside
// the settings so that a crash or a restart does not lose it. The file names
// its format and version: anything else found under its name is not ours and
// is set aside rather than read or overwritten.
class SavedQueue
{
public:
    // What is kept of one job: the source to probe again and the user's
    // choices to put back on the new record.
    class Job
    {
    public:
        QString sourcePath;
        QString srtPath;
        bool softSubtitle = true;
        QString format;
        int state = -1;
        qint64 trimStart = 0;
        qint64 trimEnd = 0;
        int cropX = 0;
        int cropY = 0;
        int cropWidth = 0;
        int cropHeight = 0;
        int rotation = 0;
        int flipH = 0;
        int flipV = 0;
        bool removeOriginalAudio = false;
        QString externalAudioPath;

        static Job fromJob(const VideoItemData& job);
        // Puts the choices back on a job made from a new probe of the source.
        // A crop that no longer fits the picture is left out.
        void applyTo(VideoItemData* job) const;
        bool isFinished() const;
        bool operator==(const Job& other) const;
    };

    enum Status {
        NoFile,  // nothing saved yet
        Read,    // a queue of ours
        Damaged, // unreadable, cut short, not JSON or not ours
    };

    static constexpr int Version = 1;
    // Far beyond any list a person builds; a bigger file is not ours.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    // "<settings folder>/Morvayne-queue.json": beside the settings file.
    static QString defaultPath();

    QByteArray toJson() const;
    // False, with the reason, when `bytes` are not a queue of this version.
    bool fromJson(const QByteArray& bytes, QString* error = nullptr);

    Status load(const QString& path, QString* error = nullptr);
    // Atomically: a crash while writing leaves the previous file whole.
    bool save(const QString& path, QString* error = nullptr) const;
    static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);
    // Renames the file to "<path>.damaged-<time>" (with a counter when that
    // is taken) and returns the new name; empty when it could not be moved.
    static QString setAside(const QString& path);

    int unfinishedCount() const;

    QString outputFormat; // the page's format when saved
    QList<Job> jobs;
};

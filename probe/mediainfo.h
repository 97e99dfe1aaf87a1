#pragma once

#include <QString>
#include <QStringList>

// Probed facts of one source file plus the edits the user chose for it.
// Times are microseconds; bit rates as noted per field.
class MediaInfo
{
public:
    bool isTrimmed() const;
    bool isCropped() const;

    // Probed facts.
    QString filePath;
    qint64 fileSize = 0;
    qint64 duration = 0; // whole seconds, in microseconds
    int bitrate = 0;     // overall, kb/s as printed
    int hasVideo = 0;
    int width = 0;
    int height = 0;
    int videoBitrate = 0; // bits per second
    // Degrees clockwise a player turns the stored picture; width and height
    // above are already those of the turned picture.
    int displayRotation = 0;
    QString videoCodec;
    QString videoStreamText;
    int hasAudio = 0;
    int sampleRate = 0;
    int channels = 0;
    int audioBitrate = 0; // bits per second
    QString audioCodec;
    QString audioStreamText;
    QStringList hwAccels;

    // Edit parameters.
    qint64 trimStart = 0;
    qint64 trimEnd = 0; // 0: not set
    int cropX = 0;
    int cropY = 0;
    int cropWidth = 0; // 0: whole picture
    int cropHeight = 0;
    int rotation = 0; // degrees clockwise
    int flipH = 0;    // 1: mirrored left-right
    int flipV = 0;    // 1: mirrored top-bottom
    bool removeOriginalAudio = false;
    QString externalAudioPath;
};

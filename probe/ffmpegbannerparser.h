#pragma once

#include <QString>

class MediaInfo;

// Reads the description ffmpeg prints about its input ("Duration:" and
// "Stream" lines) into the probed facts of a media record. Never fails: facts
// it does not find keep their initial values.
class FFmpegBannerParser
{
public:
    static void parse(MediaInfo* record, const QString& text);

private:
    static void readDurationLine(MediaInfo* record, const QString& t);
    // True when the line carried a picture size.
    static bool readVideoLine(MediaInfo* record, const QString& t);
    static void readAudioLine(MediaInfo* record, const QString& t);
    // The clockwise display rotation of a "displaymatrix:" line, 0 to 359.
    static int displayRotation(const QString& t);
};

void parseFFmpegBanner(MediaInfo* record, const QString& text);

#pragma once

#include <QString>

// A stream's disposition flags as ffprobe reports them ("0" or "1").
class ProbeDisposition
{
public:
    QString default_; // JSON key "default"
    QString dub;
    QString original;
    QString comment;
    QString lyrics;
    QString karaoke;
    QString forced;
    QString hearing_impaired;
    QString visual_impaired;
    QString clean_effects;
    QString attached_pic;
    QString timed_thumbnails;
};

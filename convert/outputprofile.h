#pragma once

#include <QString>

// The converter page's output settings, shared by pointer with every job.
class OutputProfile
{
public:
    QString format; // "mp4", "mov", "mkv", "avi" or "mp3"
};

#pragma once

#include <QString>
#include <QStringList>

// The converter page's output settings, shared by pointer with every job.
class OutputProfile
{
public:
    QString format; // "mp4", "mov", "mkv", "avi" or "mp3"

    // Every output format, in the order the page offers them.
    static QStringList formats()
    {
        return {QStringLiteral("mp4"), QStringLiteral("mov"), QStringLiteral("mkv"), QStringLiteral("avi"),
            QStringLiteral("mp3")};
    }
};

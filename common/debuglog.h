#pragma once

#include <QString>

// The process-wide debug log: every diagnostic message goes to standard output
// and is appended to logs.log in the application's private temp folder.
class DebugLog
{
public:
    static constexpr qint64 SizeLimit = 10485760; // 10 MiB

    static void install();
    static void resetDaily(const QString& organisation, const QString& application);

    // The log file for the current names; empty when no private folder exists.
    static QString filePath();

    // What the installed handler does with one message.
    static void write(const QString& text);
    // Standard output carries every message unless switched off: the batch
    // mode keeps it for its own lines.
    static void setEcho(bool on);
};

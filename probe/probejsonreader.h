#pragma once

#include <QString>

class ProbeInfo;

// Fills a ProbeInfo from the JSON text that ffprobe prints with
// -show_format -show_streams. Unreadable text leaves the record empty.
class ProbeJsonReader
{
public:
    static void read(const QString& text, ProbeInfo* info);

    // How a JSON number (or true, false, null) is kept as text: general
    // notation with 6 significant digits.
    static QString numberText(double value);
};

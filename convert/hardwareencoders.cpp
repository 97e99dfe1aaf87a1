#include "convert/hardwareencoders.h"

#include <QSet>

namespace {

QSet<QString>& marked()
{
    static QSet<QString> set;
    return set;
}

bool g_skipping = true;

// What drivers and device layers print when the device cannot be used.
const char* const DevicePhrases[] = {"Cannot load", "No device", "no CUDA-capable device", "Device creation failed",
    "not available", "No capable devices found", "No NVENC capable devices", "unsupported device",
    "Driver does not support", "Error initializing an internal MFX session", "Failed to initialise",
    "failed to open"};

} // namespace

bool HardwareEncoders::isHardware(const QString& encoder)
{
    for (const char* suffix : {"_nvenc", "_amf", "_qsv", "_mf"}) {
        if (encoder.endsWith(QLatin1String(suffix)))
            return true;
    }
    return false;
}

bool HardwareEncoders::isUnusable(const QString& encoder)
{
    return marked().contains(encoder);
}

void HardwareEncoders::markUnusable(const QString& encoder)
{
    marked().insert(encoder);
}

QStringList HardwareEncoders::unusable()
{
    QStringList names = marked().values();
    names.sort();
    return names;
}

void HardwareEncoders::forgetAll()
{
    marked().clear();
}

void HardwareEncoders::setSkipping(bool on)
{
    g_skipping = on;
}

bool HardwareEncoders::isSkipping()
{
    return g_skipping;
}

bool HardwareEncoders::failedToInitialise(const QString& encoder, int exitCode, const QStringList& lines)
{
    if (exitCode == 0 || !isHardware(encoder))
        return false;
    // ffmpeg names the encoder it does not have, and prefixes the encoder's
    // own complaints with "[<encoder> @ 0x...]". Its closing "Error
    // initializing output stream" is no proof: it follows any complaint,
    // also one about this source's size or pictures, or about an audio or
    // subtitle stream, after which other jobs may still use the encoder.
    const QString unknown = QLatin1String("Unknown encoder '") + encoder + QLatin1Char('\'');
    const QString own = QLatin1Char('[') + encoder + QLatin1String(" @");
    for (const QString& line : lines) {
        if (line.contains(unknown))
            return true;
        if (!line.contains(own))
            continue;
        for (const char* phrase : DevicePhrases) {
            if (line.contains(QLatin1String(phrase), Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}

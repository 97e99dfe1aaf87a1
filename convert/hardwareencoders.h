#pragma once

#include <QString>
#include <QStringList>

// The hardware encoders this process has seen fail to initialise. A machine
// without the device fails the same way for every job, each failed run
// costing a start of ffmpeg, so later jobs skip those rungs of the ladder.
// Only the GUI thread uses it.
class HardwareEncoders
{
public:
    // The encoders of the ladder's hardware rungs ("h264_nvenc", "hevc_qsv"...).
    static bool isHardware(const QString& encoder);

    static bool isUnusable(const QString& encoder);
    static void markUnusable(const QString& encoder);
    static QStringList unusable();
    static void forgetAll();

    // Whether later jobs skip the marked encoders; on unless switched off,
    // which only a measurement of the ladder's cost does.
    static void setSkipping(bool on);
    static bool isSkipping();

    // Whether a run of `encoder` that exited with `exitCode` failed because
    // the encoder could not be brought up: it is missing from this ffmpeg,
    // or its device or driver is not there. `lines` are the run's output
    // lines. A failure of the input, a filter or another stream says nothing
    // about the encoder.
    static bool failedToInitialise(const QString& encoder, int exitCode, const QStringList& lines);
};

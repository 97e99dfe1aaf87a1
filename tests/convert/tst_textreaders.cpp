#include "convert/hardwareencoders.h"
#include "convert/progressreader.h"
#include "convert/subtitletrim.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"

// What the conversion engine reads from outside text: ffmpeg's running
// output and the user's subtitle files.
class TestTextReaders : public QObject
{
    Q_OBJECT

private slots:
    void progress_data();
    void progress();
    void speedAndTimeLeft_data();
    void speedAndTimeLeft();
    void encoderFailures_data();
    void encoderFailures();
    void subtitleCues_data();
    void subtitleCues();
};

namespace {

constexpr qint64 Second = 1000000;

// A running status line as ffmpeg 5 prints it.
QString status(const char* clock)
{
    return QStringLiteral("frame=  750 fps= 25 q=28.0 size=     512kB time=%1 bitrate= 139.8kbits/s speed=2.01x    \r")
        .arg(QLatin1String(clock));
}

// The description ffmpeg prints before converting, echoing the input's title.
QString banner(const char* title)
{
    return QStringLiteral("Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.mp4':\n  Metadata:\n"
                          "    title           : %1\n  Duration: 00:00:03.00, start: 0.000000, bitrate: 115 kb/s\n")
        .arg(QLatin1String(title));
}

} // namespace

void TestTextReaders::progress_data()
{
    QTest::addColumn<qlonglong>("duration");
    QTest::addColumn<qlonglong>("trimEnd"); // trimmed from 10 s when set
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expected");

    const qlonglong film = 100 * Second;
    QTest::newRow("untrimmed, half way") << film << 0LL << status("00:00:50.00") << 0 << 5000;
    // The 100 % mark of a trimmed job is its length plus 3 s: 33 s here.
    QTest::newRow("trimmed 10-40 s at 30 s") << film << 40 * Second << status("00:00:30.00") << 0 << 9090;
    QTest::newRow("trimmed, past the end") << film << 40 * Second << status("00:00:40.00") << 0 << 9999;
    QTest::newRow("never falls") << film << 40 * Second << status("00:00:30.00") << 9500 << 9500;
    // Two digits after the dot are read as milliseconds.
    QTest::newRow("audio only") << film << 0LL
                                << QStringLiteral("size=     123kB time=00:00:05.50 bitrate= 183.3kbits/s\r") << 0
                                << 505;
    QTest::newRow("last line") << film << 0LL
                               << QStringLiteral("frame=   25 fps=0.0 q=-1.0 Lsize=      42kB time=00:00:01.00 "
                                                 "bitrate= 113.9kbits/s speed=9.31x    \n")
                               << 0 << 100;
    QTest::newRow("unknown length") << 0LL << 0LL << status("00:00:50.00") << 0 << 0;

    // Text of the input's own (metadata, file name) is no progress.
    const qlonglong clip = 3 * Second;
    QTest::newRow("title is a time") << clip << 0LL << banner("time=00:00:02.90") << 0 << 0;
    QTest::newRow("title is a status line")
        << clip << 0LL << banner("frame=1 size=0kB time=00:00:02.90 bitrate=1") << 0 << 0;
    QTest::newRow("title read as a line of its own")
        << clip << 0LL << QStringLiteral("frame=1 size=0kB time=00:00:02.90 bitrate=1\n") << 0 << 0;
    QTest::newRow("file name is a time") << clip << 0LL
                                         << QStringLiteral("Input #0, mov, from '/v/time=00:00:02.90.mp4':\n") << 0
                                         << 0;
    QTest::newRow("title, then the status line")
        << clip << 0LL << banner("time=00:00:02.90") + status("00:00:01.00") << 0 << 3333;
    QTest::newRow("status line still unfinished")
        << clip << 0LL << QStringLiteral("frame=1 size=0kB time=00:00:02.90 bitr") << 0 << 0;

    // Clocks that cannot be read count as no progress at all.
    QTest::newRow("hours beyond range") << clip << 0LL << status("8888888888:5:5.00") << 0 << 0;
    QTest::newRow("digits joined across =") << clip << 0LL << status("0:0:1=99") << 0 << 0;
    QTest::newRow("negative time") << clip << 0LL << status("-00:00:00.04") << 0 << 0;
}

void TestTextReaders::progress()
{
    QFETCH(qlonglong, duration);
    QFETCH(qlonglong, trimEnd);
    QFETCH(QString, chunk);
    QFETCH(int, current);
    MediaInfo info;
    info.duration = duration;
    if (trimEnd > 0) {
        info.trimStart = 10 * Second;
        info.trimEnd = trimEnd;
    }
    QTEST(ProgressReader::advance(current, chunk, ProgressReader::progressTotal(info)), "expected");
}

// The speed of the last status line in a chunk, and what it leaves of a
// 100 s run at the chunk's time: 72 s left at 2x take 36 s.
void TestTextReaders::speedAndTimeLeft_data()
{
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<bool>("seen");
    QTest::addColumn<double>("speed");
    QTest::addColumn<qlonglong>("left"); // microseconds, -1 unknown

    const auto line = [](const char* speed) {
        return QStringLiteral("frame=  700 fps= 50 q=28.0 size=     512kB time=00:00:28.00 bitrate= 149.8kbits/s%1\r")
            .arg(QLatin1String(speed));
    };
    QTest::newRow("normal") << line(" speed=2.00x    ") << true << 2.0 << 36 * Second;
    QTest::newRow("three digits") << line(" speed=2.31x") << true << 2.31 << 31168831LL;
    QTest::newRow("blanks before a short number") << line(" speed= 0.5x") << true << 0.5 << 144 * Second;
    QTest::newRow("past a thousand, in exponent form") << line(" speed=1.44e+03x") << true << 1440.0 << 50000LL;
    QTest::newRow("N/A") << line(" speed=N/A    ") << true << -1.0 << -1LL;
    QTest::newRow("missing") << line("") << true << -1.0 << -1LL;
    QTest::newRow("zero") << line(" speed=   0x") << true << -1.0 << -1LL;
    QTest::newRow("negative") << line(" speed=-1.5x") << true << -1.0 << -1LL;
    QTest::newRow("not a number") << line(" speed=fastx") << true << -1.0 << -1LL;
    QTest::newRow("no unit") << line(" speed=2.00") << true << -1.0 << -1LL;
    QTest::newRow("the last line counts") << line(" speed=1.00x") + line(" speed=4.00x") << true << 4.0 << 18 * Second;
    QTest::newRow("a known speed, then none") << line(" speed=4.00x") + line(" speed=N/A") << true << -1.0 << -1LL;
    QTest::newRow("last line of a run")
        << QStringLiteral("frame= 2500 fps=0.0 q=-1.0 Lsize=    1024kB time=00:01:40.00 bitrate=  83.9kbits/s "
                          "speed=9.31x    \n")
        << true << 9.31 << 0LL;
    QTest::newRow("no status line") << QStringLiteral("Stream mapping:\n  Stream #0:0 -> #0:0 (h264 -> libx264)\n")
                                    << false << -1.0 << -1LL;
    QTest::newRow("title that says speed") << banner("frame=1 time=00:00:01.00 speed=9.00x") << false << -1.0 << -1LL;
    QTest::newRow("status line still unfinished") << line(" speed=2.00x").chopped(1) << false << -1.0 << -1LL;
}

void TestTextReaders::speedAndTimeLeft()
{
    QFETCH(QString, chunk);
    QFETCH(double, speed);
    double read = -7;
    QTEST(ProgressReader::readSpeed(chunk, &read), "seen");
    QFETCH(bool, seen);
    QVERIFY2(qFuzzyCompare(read, seen ? speed : -7.0), qPrintable(QString::number(read)));
    QTEST(ProgressReader::timeLeft(100 * Second, ProgressReader::readTime(chunk), read), "left");
}

// Whether a hardware run failed because its encoder cannot work here, from
// what ffmpeg 5 prints; complaints about anything else mark nothing.
void TestTextReaders::encoderFailures_data()
{
    QTest::addColumn<QString>("encoder");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("unusable");
    const QString closing = QStringLiteral(
        "Error initializing output stream 0:0 -- Error while opening encoder for output stream #0:0 - maybe "
        "incorrect parameters such as bit_rate, rate, width or height\nConversion failed!");
    const auto row = [](const char* name, const char* encoder, int exitCode, const QString& output, bool unusable) {
        QTest::newRow(name) << QString::fromLatin1(encoder) << exitCode << output << unusable;
    };
    row("no CUDA library", "h264_nvenc", 1, QStringLiteral("[h264_nvenc @ 0x5627e7946640] Cannot load libcuda.so.1\n") + closing, true);
    row("no CUDA device", "hevc_nvenc", 1,
        QStringLiteral("[hevc_nvenc @ 0x55] dl_fn->cuda_dl->cuInit(0) failed -> CUDA_ERROR_NO_DEVICE: no CUDA-capable "
                       "device is detected\n") + closing,
        true);
    row("no MFX session", "h264_qsv", 1,
        QStringLiteral("[h264_qsv @ 0x557adf1cb640] Error initializing an internal MFX session: unsupported (-3)\n")
            + closing,
        true);
    row("not in this ffmpeg", "h264_amf", 1, QStringLiteral("Unknown encoder 'h264_amf'\n"), true);
    row("another encoder missing", "h264_amf", 1, QStringLiteral("Unknown encoder 'h264_mf'\n"), false);
    row("the source's size", "h264_nvenc", 1,
        QStringLiteral("[h264_nvenc @ 0x55] Frame Dimension less than the minimum supported value.\n") + closing,
        false);
    row("only the closing lines", "h264_nvenc", 1, closing, false);
    row("the input", "h264_nvenc", 1,
        QStringLiteral("Error while opening decoder for input stream #0:0 : Invalid data found when processing "
                       "input\nConversion failed!"),
        false);
    row("a filter", "h264_qsv", 1,
        QStringLiteral("[Parsed_crop_0 @ 0x55] Invalid too big or non positive size for width '0' or height '0'\n"
                       "Error reinitializing filters!\nConversion failed!"),
        false);
    row("ffmpeg said all was well", "h264_nvenc", 0, QStringLiteral("[h264_nvenc @ 0x55] Cannot load libcuda.so.1"),
        false);
    row("software encoder", "h264", 1, QStringLiteral("[h264 @ 0x55] Cannot load libx264\n") + closing, false);
}

void TestTextReaders::encoderFailures()
{
    QFETCH(QString, encoder);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QTEST(HardwareEncoders::failedToInitialise(encoder, exitCode, output.split(QLatin1Char('\n'))), "unusable");
}

void TestTextReaders::subtitleCues_data()
{
    QTest::addColumn<QByteArray>("srt");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("cues");
    QTest::addColumn<qlonglong>("from");

    const QByteArray near = "2\n00:00:01,000 --> 00:00:02,000\nnear\n";
    const QByteArray kept = "1\n00:00:01,000 --> 00:00:02,000\nnear\n\n";
    // Hours no time can hold make the cue unreadable; it goes with its text.
    QTest::newRow("eleven-digit hour") << "1\n99999999999:00:00,000 --> 99999999999:00:01,000\nfar\n\n" + near << kept
                                       << 1 << 0LL;
    QTest::newRow("twenty-digit hour") << "1\n99999999999999999999:00:00,0 --> 00:00:01,0\nfar\n\n" + near << kept << 1 << 0LL;
    QTest::newRow("largest hour that fits")
        << QByteArray("1\n2562047788:00:00,000 --> 2562047788:00:54,5\nfar\n")
        << QByteArray("1\n2562047788:00:00,000 --> 2562047788:00:54,500\nfar\n\n") << 1 << 0LL;
    // What is written reads back the same.
    QTest::newRow("doubled carriage returns")
        << QByteArray("1\r\r\n00:00:01,0 --> 00:00:02,0\r\r\nnear\r\r\n") << kept << 1 << 0LL;
    QTest::newRow("position hints past a NUL")
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000 X1:1\0X2:2\nnear\n", 47)
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000 X1:1\0X2:2\nnear\n\n", 48) << 1 << 0LL;
    // Cut half a millisecond before the first cue ends: nothing of it is
    // left that a cue can hold.
    QTest::newRow("less than a millisecond left of a cue")
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000\nnear\n\n2\n00:00:03,000 --> 00:00:04,000\nlast\n")
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000\nlast\n\n") << 2 << 1999500LL;
}

// Whole files, kept from `from` on.
void TestTextReaders::subtitleCues()
{
    QFETCH(QByteArray, srt);
    QFETCH(qlonglong, from);
    int cues = -1;
    QTEST(SubtitleTrim::cut(srt, from, 0, &cues), "expected");
    QTEST(cues, "cues");
}

MORVAYNE_TEST_APPLESS_MAIN(TestTextReaders)
#include "tst_textreaders.moc"

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

void TestTextReaders::subtitleCues_data()
{
    QTest::addColumn<QByteArray>("srt");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("cues");

    const QByteArray near = "2\n00:00:01,000 --> 00:00:02,000\nnear\n";
    const QByteArray kept = "1\n00:00:01,000 --> 00:00:02,000\nnear\n\n";
    // Hours no time can hold make the cue unreadable; it goes with its text.
    QTest::newRow("eleven-digit hour") << "1\n99999999999:00:00,000 --> 99999999999:00:01,000\nfar\n\n" + near << kept
                                       << 1;
    QTest::newRow("twenty-digit hour") << "1\n99999999999999999999:00:00,0 --> 00:00:01,0\nfar\n\n" + near << kept << 1;
    QTest::newRow("largest hour that fits")
        << QByteArray("1\n2562047788:00:00,000 --> 2562047788:00:54,5\nfar\n")
        << QByteArray("1\n2562047788:00:00,000 --> 2562047788:00:54,500\nfar\n\n") << 1;
    // What is written reads back the same.
    QTest::newRow("doubled carriage returns")
        << QByteArray("1\r\r\n00:00:01,0 --> 00:00:02,0\r\r\nnear\r\r\n") << kept << 1;
    QTest::newRow("position hints past a NUL")
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000 X1:1\0X2:2\nnear\n", 47)
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000 X1:1\0X2:2\nnear\n\n", 48) << 1;
}

// Whole files, kept from 0 s on.
void TestTextReaders::subtitleCues()
{
    QFETCH(QByteArray, srt);
    int cues = -1;
    QTEST(SubtitleTrim::cut(srt, 0, 0, &cues), "expected");
    QTEST(cues, "cues");
}

MORVAYNE_TEST_APPLESS_MAIN(TestTextReaders)
#include "tst_textreaders.moc"

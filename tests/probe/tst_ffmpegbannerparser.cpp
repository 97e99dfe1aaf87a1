#include "mediafactory.h"
#include "mediafacts.h"
#include "morvaynetest.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"

using MediaFacts::describe;
using MediaFacts::words;

namespace {

QString parsed(const QString& text)
{
    MediaInfo info;
    parseFFmpegBanner(&info, text);
    return describe(info);
}

} // namespace

class TestFFmpegBannerParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void workedExample();
    void lineRules_data();
    void lineRules();
    void realBanners_data();
    void realBanners();

private:
    QString m_dir;
    QMap<QString, QString> m_media;
};

void TestFFmpegBannerParser::initTestCase()
{
    QVERIFY(!MediaFactory::systemFFmpeg().isEmpty());
    m_dir = TestEnv::makeDir(QStringLiteral("media"));
    const QString clip = MediaFactory::videoWithTone(m_dir + QLatin1String("/clip.mp4"), 2);
    QFile srt(m_dir + QLatin1String("/subs.srt"));
    QVERIFY(srt.open(QIODevice::WriteOnly) && srt.write("1\n00:00:00,000 --> 00:00:01,000\nHello\n") > 0);
    srt.close();

    // Output file name, then the arguments; "CLIP" and "SRT" stand for the
    // files above. Sources with "Output" in their path used to lose their facts.
    const QList<QPair<const char*, const char*>> media{
        {"hevc.mkv",
            "-f lavfi -i testsrc=size=160x120:duration=1 -pix_fmt yuv420p -c:v libx265 -x265-params "
            "log-level=error"},
        {"vp9 opus.webm",
            "-f lavfi -i testsrc=size=160x120:duration=1 -f lavfi -i sine=duration=1:sample_rate=48000 "
            "-c:v libvpx-vp9 -deadline realtime -c:a libopus"},
        {"cover.mp3",
            "-f lavfi -i sine=duration=2 -f lavfi -i testsrc=size=64x64:rate=1:duration=1 -map 0 -map 1 "
            "-c:v mjpeg -disposition:v attached_pic"},
        {"mono.wav", "-f lavfi -i sine=duration=1 -ac 1"},
        {"surround.ac3", "-f lavfi -i sine=duration=1 -af aformat=channel_layouts=5.1"},
        // Matroska keeps no per-stream bit rate; the second audio stream counts.
        {"two audio.mkv",
            "-f lavfi -i testsrc=size=160x120:duration=1 -f lavfi -i sine=duration=1 -f lavfi -i "
            "sine=duration=1:sample_rate=22050 -map 0 -map 1 -map 2 -pix_fmt yuv420p -c:a:1 libmp3lame "
            "-ac:a:1 2"},
        // No known duration, no overall bit rate.
        {"raw.h264", "-f lavfi -i testsrc=size=160x120:duration=1 -pix_fmt yuv420p"},
        {"subtitle.mkv", "-i CLIP -i SRT -map 0 -map 1 -c:v copy -c:a ac3"},
        {"cover.m4v",
            "-i CLIP -f lavfi -i testsrc=size=64x64:rate=1:duration=1 -map 0 -map 1 -c:v:0 copy -c:a copy "
            "-c:v:1 mjpeg -disposition:v:1 attached_pic -f mp4"},
        {"rotate 90.mp4", "-i CLIP -c copy -metadata:s:v:0 rotate=90"},
        {"rotate -90.mp4", "-i CLIP -c copy -metadata:s:v:0 rotate=-90"},
        {"rotate 270.mp4", "-i CLIP -c copy -metadata:s:v:0 rotate=270"},
        {"rotate 180.mp4", "-i CLIP -c copy -metadata:s:v:0 rotate=180"},
        {"Output/clip.mp4", "-i CLIP -c copy"},
        {"my_OUTPUT.mp4", "-i CLIP -c copy"},
    };
    m_media.insert(QStringLiteral("h264 aac.mp4"), clip);
    QDir().mkpath(m_dir + QLatin1String("/Output"));
    for (const auto& m : media) {
        QStringList args = words(m.second);
        args.replaceInStrings(QStringLiteral("CLIP"), clip).replaceInStrings(QStringLiteral("SRT"), srt.fileName());
        const QString path = MediaFactory::make(m_dir + QLatin1Char('/') + QLatin1String(m.first), args);
        QVERIFY2(!path.isEmpty(), m.first);
        m_media.insert(QLatin1String(m.first), path);
    }
}


void TestFFmpegBannerParser::workedExample()
{
    MediaInfo info;
    parseFFmpegBanner(&info,
        QStringLiteral("  Duration: 00:02:05.43, start: 0.000000, bitrate: 2215 kb/s\n"
                       "    Stream #0:0(und): Video: h264 (High), yuv420p(tv, bt709), 1280x720 [SAR 1:1 DAR 16:9], "
                       "2081 kb/s, 29.97 fps, 29.97 tbr, 30k tbn, 59.94 tbc (default)\n"
                       "    Stream #0:1(und): Audio: aac (LC), 44100 Hz, stereo, fltp, 128 kb/s (default)"));
    QCOMPARE(describe(info), QStringLiteral("125000000 2215 | 1 h264 1280x720 2081000 | 1 aac 44100 2 128000"));
    QCOMPARE(info.videoStreamText.simplified(),
        QStringLiteral("Stream #0:0 : Video: h264 , yuv420p , 1280x720 , 2081 kb/s, 29.97 fps, 29.97 tbr, 30k tbn, "
                       "59.94 tbc"));
    QCOMPARE(info.audioStreamText.simplified(),
        QStringLiteral("Stream #0:1 : Audio: aac , 44100 Hz, stereo, fltp, 128 kb/s"));
}

void TestFFmpegBannerParser::lineRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* text, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(expected);
    };
    const char* const none = "0 0 | 0 - 0x0 0 | 0 - 0 0 0";

    row("duration N/A", "  Duration: N/A, start: 0.000000, bitrate: 300 kb/s", "0 300 | 0 - 0x0 0 | 0 - 0 0 0");
    row("bit rate N/A", "  Duration: 00:01:23.45, start: 0.000000, bitrate: N/A", "83000000 0 | 0 - 0x0 0 | 0 - 0 0 0");
    row("duration too short", "Duration: 1:2:3, bitrate: 5 kb/s", "0 5 | 0 - 0x0 0 | 0 - 0 0 0");
    // Without the case-sensitive "Video:" the fields are read from the first comma on.
    row("stream kind in lower case", "  Stream #0:0: video: h264, yuv420p, 640x480, 25 fps, 25 tbr",
        "0 0 | 1 - 640x480 0 | 0 - 0 0 0");
    row("no video bit rate", "  Stream #0:0: Video: mpeg4 (Simple), yuv420p, 320x240 [SAR 1:1 DAR 4:3], 25 fps, 1k tbn",
        "0 0 | 1 mpeg4 320x240 0 | 0 - 0 0 0");
    row("5.1 with layout name", "  Stream #0:1(eng): Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s (default)",
        "0 0 | 0 - 0x0 0 | 1 ac3 48000 1 448000");
    row("subtitle, data and mapping lines",
        "  Stream #0:2(eng): Subtitle: subrip (default)\n  Stream #0:3: Data: bin_data (text / 0x74786574)\n"
        "Stream mapping:\n  Stream #0:0 -> #0:0 (h264 (native) -> bmp (native))",
        none);
    row("later video stream overwrites",
        "  Stream #0:0: Video: h264, yuv420p, 320x240, 500 kb/s, 25 fps\n"
        "  Stream #0:1: Video: mpeg2video (Main), yuv420p(tv, top first), 720x576 [SAR 16:15 DAR 4:3], 9000 kb/s, 25 "
        "fps",
        "0 0 | 1 mpeg2video 720x576 9000000 | 0 - 0 0 0");
    row("own output section ignored",
        "  Duration: 00:00:05.00, start: 0.000000, bitrate: 600 kb/s\n  Stream #0:0: Video: h264, yuv420p, 320x240, "
        "500 kb/s, 25 fps\nOutput #0, image2, to '/tmp/t.bmp':\n  Duration: 00:09:09.00, start: 0.0, bitrate: 9 kb/s\n"
        "  Stream #0:0: Video: bmp, bgr24, 640x480, q=2-31, 200 kb/s, 25 fps",
        "5000000 600 | 1 h264 320x240 500000 | 0 - 0 0 0");
    row("word output in the input path",
        "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/home/me/Output/my_OUTPUT.mp4':\n  Metadata:\n"
        "    title           : Output of the day\n  Duration: 00:00:05.00, start: 0.000000, bitrate: 600 kb/s\n"
        "  Stream #0:0: Video: h264, yuv420p, 320x240, 500 kb/s, 25 fps",
        "5000000 600 | 1 h264 320x240 500000 | 0 - 0 0 0");
    row("stored sideways",
        "  Stream #0:0: Video: h264, yuv420p, 1920x1080, 8000 kb/s, 30 fps\n    Side data:\n"
        "      displaymatrix: rotation of -90.00 degrees",
        "0 0 | 1 h264 1080x1920 8000000 | 0 - 0 0 0");
    row("half turn, or rotation under another stream",
        "  Stream #0:0: Video: h264, yuv420p, 1920x1080, 8000 kb/s, 30 fps\n    Side data:\n"
        "      displaymatrix: rotation of 180.00 degrees\n  Stream #0:1: Audio: aac, 48000 Hz, stereo, fltp\n"
        "    Side data:\n      displaymatrix: rotation of 90.00 degrees",
        "0 0 | 1 h264 1920x1080 8000000 | 1 aac 48000 2 0");
    row("cover after a real video",
        "  Stream #0:0: Video: h264 (High), yuv420p, 1280x720, 2000 kb/s, 30 fps (default)\n"
        "  Stream #0:2: Video: mjpeg (Baseline), yuvj420p(pc), 600x600 [SAR 1:1 DAR 1:1], 90k tbr (attached pic)\n"
        "    Side data:\n      displaymatrix: rotation of 90.00 degrees",
        "0 0 | 1 h264 1280x720 2000000 | 0 - 0 0 0");
    row("real video after a cover",
        "  Stream #0:0: Video: png, rgb24, 600x600, 90k tbr, 90k tbn (attached pic)\n"
        "  Stream #0:1: Video: h264 (High), yuv420p, 1280x720, 2000 kb/s, 30 fps (default)",
        "0 0 | 1 h264 1280x720 2000000 | 0 - 0 0 0");
}

void TestFFmpegBannerParser::lineRules()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(parsed(text), expected);
}

void TestFFmpegBannerParser::realBanners_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("withThumbnail");
    for (auto it = m_media.cbegin(); it != m_media.cend(); ++it) {
        QTest::newRow(qPrintable(it.key() + QLatin1String(", -i only"))) << it.value() << false;
        QTest::newRow(qPrintable(it.key() + QLatin1String(", with thumbnail"))) << it.value() << true;
    }
}

// The worker's own banner run: the thumbnail adds ffmpeg's output section,
// whose stream lines must not count.
void TestFFmpegBannerParser::realBanners()
{
    QFETCH(QString, path);
    QFETCH(bool, withThumbnail);
    const QString banner
        = MediaFacts::captureBanner(path, withThumbnail ? m_dir + QLatin1String("/thumb.bmp") : QString());
    QVERIFY(banner.contains(QLatin1String("Duration:")));
    QCOMPARE(parsed(banner), describe(MediaFacts::expectedFromProbe(path)));
}

MORVAYNE_TEST_CORE_MAIN(TestFFmpegBannerParser)
#include "tst_ffmpegbannerparser.moc"

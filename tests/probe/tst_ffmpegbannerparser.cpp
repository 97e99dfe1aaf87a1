#include "leakwatch.h"
#include "mediafactory.h"
#include "mediafacts.h"
#include "morvaynetest.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"

#include <QDir>

using MediaFacts::describe;

namespace {

QString lines(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* line : list)
        result << QString::fromUtf8(line);
    return result.join(QLatin1Char('\n'));
}

MediaInfo parsed(const QString& text)
{
    MediaInfo info;
    parseFFmpegBanner(&info, text);
    return info;
}

const char* const workedDuration = "  Duration: 00:02:05.43, start: 0.000000, bitrate: 2215 kb/s";
const char* const workedVideo = "    Stream #0:0(und): Video: h264 (High), yuv420p(tv, bt709), 1280x720 [SAR 1:1 DAR "
                                "16:9], 2081 kb/s, 29.97 fps, 29.97 tbr, 30k tbn, 59.94 tbc (default)";
const char* const workedAudio = "    Stream #0:1(und): Audio: aac (LC), 44100 Hz, stereo, fltp, 128 kb/s (default)";

} // namespace

class TestFFmpegBannerParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void workedExample();
    void lineRules_data();
    void lineRules();
    void realBanners_data();
    void realBanners();
    void pathContainingOutput_data();
    void pathContainingOutput();
    void sidewaysVideoIsUpright_data();
    void sidewaysVideoIsUpright();
    void coverPictureKeepsRealVideo();

private:
    QString m_dir;
    QString m_thumb;
    QMap<QString, QString> m_media;
};

void TestFFmpegBannerParser::initTestCase()
{
    LeakWatch::install();
    QVERIFY(!MediaFactory::systemFFmpeg().isEmpty());
    m_dir = TestEnv::makeDir(QStringLiteral("media"));
    m_thumb = m_dir + QLatin1String("/thumb.bmp");
    const QString v = QStringLiteral("testsrc=size=160x120:rate=25:duration=1");
    const QString cover = QStringLiteral("testsrc=size=64x64:rate=1:duration=1");
    const QString lavfi = QStringLiteral("lavfi");
    auto add = [this](const char* key, const QString& path) { m_media.insert(QLatin1String(key), path); };

    add("h264 aac mp4", MediaFactory::videoWithTone(m_dir + QLatin1String("/clip.mp4"), 2, QStringLiteral("320x240")));
    add("hevc mkv",
        MediaFactory::videoWithTone(m_dir + QLatin1String("/hevc.mkv"), 1, QStringLiteral("160x120"),
            {QStringLiteral("-c:v"), QStringLiteral("libx265"), QStringLiteral("-x265-params"),
                QStringLiteral("log-level=error"), QStringLiteral("-c:a"), QStringLiteral("aac")}));
    add("vp9 opus webm",
        MediaFactory::make(m_dir + QLatin1String("/vp9.webm"),
            {QStringLiteral("-f"), lavfi, QStringLiteral("-i"), v, QStringLiteral("-f"), lavfi, QStringLiteral("-i"),
                QStringLiteral("sine=duration=1:sample_rate=48000"), QStringLiteral("-pix_fmt"),
                QStringLiteral("yuv420p"), QStringLiteral("-c:v"), QStringLiteral("libvpx-vp9"),
                QStringLiteral("-deadline"), QStringLiteral("realtime"), QStringLiteral("-c:a"),
                QStringLiteral("libopus")}));
    add("mp3 with cover",
        MediaFactory::make(m_dir + QLatin1String("/cover.mp3"),
            {QStringLiteral("-f"), lavfi, QStringLiteral("-i"), QStringLiteral("sine=duration=2"), QStringLiteral("-f"),
                lavfi, QStringLiteral("-i"), cover, QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-map"),
                QStringLiteral("1"), QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), QStringLiteral("-c:v"),
                QStringLiteral("mjpeg"), QStringLiteral("-disposition:v"), QStringLiteral("attached_pic")}));
    add("mono wav",
        MediaFactory::tone(m_dir + QLatin1String("/mono.wav"), 1,
            {QStringLiteral("-ac"), QStringLiteral("1"), QStringLiteral("-c:a"), QStringLiteral("pcm_s16le")}));
    add("5.1 ac3",
        MediaFactory::tone(m_dir + QLatin1String("/surround.ac3"), 1,
            {QStringLiteral("-af"), QStringLiteral("aformat=channel_layouts=5.1"), QStringLiteral("-c:a"),
                QStringLiteral("ac3")}));
    // Matroska keeps no per-stream bit rate; the second audio stream is the one kept.
    add("no stream bit rate, two audio streams",
        MediaFactory::make(m_dir + QLatin1String("/multi.mkv"),
            {QStringLiteral("-f"), lavfi, QStringLiteral("-i"), v, QStringLiteral("-f"), lavfi, QStringLiteral("-i"),
                QStringLiteral("sine=duration=1"), QStringLiteral("-f"), lavfi, QStringLiteral("-i"),
                QStringLiteral("sine=duration=1:sample_rate=22050"), QStringLiteral("-map"), QStringLiteral("0"),
                QStringLiteral("-map"), QStringLiteral("1"), QStringLiteral("-map"), QStringLiteral("2"),
                QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-c:a:0"), QStringLiteral("aac"),
                QStringLiteral("-c:a:1"), QStringLiteral("libmp3lame"), QStringLiteral("-ac:a:1"),
                QStringLiteral("2")}));
    // A raw elementary stream has no known duration and no overall bit rate.
    add("duration N/A",
        MediaFactory::make(m_dir + QLatin1String("/raw.h264"),
            {QStringLiteral("-f"), lavfi, QStringLiteral("-i"), v, QStringLiteral("-pix_fmt"),
                QStringLiteral("yuv420p"), QStringLiteral("-f"), QStringLiteral("h264")}));
    QFile srt(m_dir + QLatin1String("/subs.srt"));
    QVERIFY(srt.open(QIODevice::WriteOnly));
    srt.write("1\n00:00:00,000 --> 00:00:01,000\nHello\n");
    srt.close();
    add("subtitle stream",
        MediaFactory::make(m_dir + QLatin1String("/subs.mkv"),
            {QStringLiteral("-i"), m_dir + QLatin1String("/clip.mp4"), QStringLiteral("-i"), srt.fileName(),
                QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-map"), QStringLiteral("1"),
                QStringLiteral("-c:v"), QStringLiteral("copy"), QStringLiteral("-c:a"), QStringLiteral("ac3"),
                QStringLiteral("-c:s"), QStringLiteral("srt"), QStringLiteral("-metadata:s:s:0"),
                QStringLiteral("language=deu")}));
    add("mp4 with cover",
        MediaFactory::make(m_dir + QLatin1String("/covered.mp4"),
            {QStringLiteral("-i"), m_dir + QLatin1String("/clip.mp4"), QStringLiteral("-f"), lavfi,
                QStringLiteral("-i"), cover, QStringLiteral("-map"), QStringLiteral("0:v"), QStringLiteral("-map"),
                QStringLiteral("0:a"), QStringLiteral("-map"), QStringLiteral("1:v"), QStringLiteral("-c:v:0"),
                QStringLiteral("copy"), QStringLiteral("-c:a"), QStringLiteral("copy"), QStringLiteral("-c:v:1"),
                QStringLiteral("mjpeg"), QStringLiteral("-disposition:v:1"), QStringLiteral("attached_pic")}));

    for (auto it = m_media.cbegin(); it != m_media.cend(); ++it)
        QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
}

void TestFFmpegBannerParser::cleanupTestCase()
{
    QCOMPARE(LeakWatch::destroyedWhileRunning(), 0);
}

void TestFFmpegBannerParser::workedExample()
{
    const MediaInfo info = parsed(lines({workedDuration, workedVideo, workedAudio}));
    QCOMPARE(info.duration, 125000000LL);
    QCOMPARE(info.bitrate, 2215);
    QCOMPARE(info.videoCodec, QStringLiteral("h264"));
    QCOMPARE(info.width, 1280);
    QCOMPARE(info.height, 720);
    QCOMPARE(info.videoBitrate, 2081000);
    QCOMPARE(info.hasVideo, 1);
    QCOMPARE(info.audioCodec, QStringLiteral("aac"));
    QCOMPARE(info.sampleRate, 44100);
    QCOMPARE(info.channels, 2);
    QCOMPARE(info.audioBitrate, 128000);
    QCOMPARE(info.hasAudio, 1);
    // The stream texts are kept without their bracketed parts.
    QVERIFY(!info.videoStreamText.contains(QLatin1Char('(')));
    QVERIFY(info.videoStreamText.startsWith(QLatin1String("Stream #0:0")));
    QVERIFY(info.audioStreamText.contains(QLatin1String("Audio: aac")));
}

void TestFFmpegBannerParser::lineRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    MediaInfo e;
    auto facts = [&e] {
        const QString text = describe(e);
        e = MediaInfo();
        return text;
    };

    e.bitrate = 300;
    QTest::newRow("duration N/A") << lines({"  Duration: N/A, start: 0.000000, bitrate: 300 kb/s"}) << facts();

    e.duration = 83000000;
    QTest::newRow("bit rate N/A") << lines({"  Duration: 00:01:23.45, start: 0.000000, bitrate: N/A"}) << facts();

    e.hasVideo = 1;
    e.width = 640;
    e.height = 480;
    QTest::newRow("stream kind in lower case")
        << lines({"  Stream #0:0: video: h264, yuv420p, 640x480, 25 fps, 25 tbr"}) << facts();

    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("mpeg4");
    e.width = 320;
    e.height = 240;
    QTest::newRow("no video bit rate") << lines(
        {"  Stream #0:0: Video: mpeg4 (Simple Profile), yuv420p, 320x240 [SAR 1:1 DAR 4:3], 25 fps, 25 tbr, 1k "
         "tbn"}) << facts();

    e.hasAudio = 1;
    e.audioCodec = QStringLiteral("ac3");
    e.sampleRate = 48000;
    e.channels = 1;
    e.audioBitrate = 448000;
    QTest::newRow("5.1 with layout name")
        << lines({"  Stream #0:1(eng): Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s (default)"}) << facts();

    e.duration = 10000000;
    QTest::newRow("subtitle, data and mapping lines")
        << lines({"  Duration: 00:00:10.00, start: 0.000000, bitrate: N/A",
               "  Stream #0:2(eng): Subtitle: subrip (default)", "  Stream #0:3: Data: bin_data (text / 0x74786574)",
               "Stream mapping:", "  Stream #0:0 -> #0:0 (h264 (native) -> bmp (native))"})
        << facts();

    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("mpeg2video");
    e.width = 720;
    e.height = 576;
    e.videoBitrate = 9000000;
    QTest::newRow("later video stream overwrites") << lines(
        {"  Stream #0:0: Video: h264, yuv420p, 320x240, 500 kb/s, 25 fps",
            "  Stream #0:1: Video: mpeg2video (Main), yuv420p(tv, top first), 720x576 [SAR 16:15 DAR 4:3], 9000 "
            "kb/s, 25 fps"}) << facts();

    e.duration = 5000000;
    e.bitrate = 600;
    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("h264");
    e.width = 320;
    e.height = 240;
    e.videoBitrate = 500000;
    QTest::newRow("own output section ignored") << lines({"Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/media/clip.mp4':",
        "  Duration: 00:00:05.00, start: 0.000000, bitrate: 600 kb/s",
        "  Stream #0:0: Video: h264, yuv420p, 320x240, 500 kb/s, 25 fps",
        "Output #0, image2, to '/tmp/t.bmp':", "  Duration: 00:09:09.00, start: 0.000000, bitrate: 9 kb/s",
        "  Stream #0:0: Video: bmp, bgr24, 640x480, q=2-31, 200 kb/s, 25 fps"})
                                                << facts();

    e.duration = 5000000;
    e.bitrate = 600;
    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("h264");
    e.width = 320;
    e.height = 240;
    e.videoBitrate = 500000;
    QTest::newRow("word output in the input path")
        << lines({"Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/home/me/Output/my_OUTPUT.mp4':", "  Metadata:",
               "    title           : Output of the day", "  Duration: 00:00:05.00, start: 0.000000, bitrate: 600 kb/s",
               "  Stream #0:0: Video: h264, yuv420p, 320x240, 500 kb/s, 25 fps"})
        << facts();

    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("h264");
    e.width = 1080;
    e.height = 1920;
    e.videoBitrate = 8000000;
    QTest::newRow("rotated by -90") << lines({"  Stream #0:0: Video: h264, yuv420p, 1920x1080, 8000 kb/s, 30 fps",
        "    Side data:", "      displaymatrix: rotation of -90.00 degrees"})
                                    << facts();

    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("h264");
    e.width = 1920;
    e.height = 1080;
    e.videoBitrate = 8000000;
    e.hasAudio = 1;
    e.audioCodec = QStringLiteral("aac");
    e.sampleRate = 48000;
    e.channels = 2;
    QTest::newRow("rotation of another stream or by half a turn")
        << lines({"  Stream #0:0: Video: h264, yuv420p, 1920x1080, 8000 kb/s, 30 fps", "    Side data:",
               "      displaymatrix: rotation of 180.00 degrees", "  Stream #0:1: Audio: aac, 48000 Hz, stereo, fltp",
               "    Side data:", "      displaymatrix: rotation of 90.00 degrees"})
        << facts();

    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("h264");
    e.width = 1280;
    e.height = 720;
    e.videoBitrate = 2000000;
    QTest::newRow("cover after a real video")
        << lines({"  Stream #0:0: Video: h264 (High), yuv420p, 1280x720, 2000 kb/s, 30 fps (default)",
               "  Stream #0:2: Video: mjpeg (Baseline), yuvj420p(pc), 600x600 [SAR 1:1 DAR 1:1], 90k tbr, 90k tbn "
               "(attached pic)",
               "    Side data:", "      displaymatrix: rotation of 90.00 degrees"})
        << facts();

    e.hasVideo = 1;
    e.videoCodec = QStringLiteral("h264");
    e.width = 1280;
    e.height = 720;
    e.videoBitrate = 2000000;
    QTest::newRow("real video after a cover")
        << lines({"  Stream #0:0: Video: png, rgb24, 600x600, 90k tbr, 90k tbn (attached pic)",
               "  Stream #0:1: Video: h264 (High), yuv420p, 1280x720, 2000 kb/s, 30 fps (default)"})
        << facts();
}

void TestFFmpegBannerParser::lineRules()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(parsed(text)), expected);
}

void TestFFmpegBannerParser::realBanners_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("withThumbnail");
    const QStringList keys = m_media.keys();
    for (const QString& key : keys) {
        QTest::newRow(qPrintable(key + QLatin1String(", -i only"))) << m_media.value(key) << false;
        QTest::newRow(qPrintable(key + QLatin1String(", with thumbnail"))) << m_media.value(key) << true;
    }
}

void TestFFmpegBannerParser::realBanners()
{
    QFETCH(QString, path);
    QFETCH(bool, withThumbnail);
    const QString banner = MediaFacts::captureBanner(path, withThumbnail ? m_thumb : QString());
    QVERIFY(banner.contains(QLatin1String("Duration:")));
    QCOMPARE(describe(parsed(banner)), describe(MediaFacts::expectedFromProbe(path)));
}

void TestFFmpegBannerParser::pathContainingOutput_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("folder Output") << QStringLiteral("Output") << QStringLiteral("clip.mp4");
    QTest::newRow("file my_output") << QStringLiteral("plain") << QStringLiteral("my_output.mp4");
    QTest::newRow("upper case") << QStringLiteral("OUTPUT #1") << QStringLiteral("OUTPUT.mp4");
}

void TestFFmpegBannerParser::pathContainingOutput()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    const QString dir = TestEnv::makeDir(QLatin1String("media-out/") + folder);
    const QString path = dir + QLatin1Char('/') + name;
    QVERIFY(QFile::copy(m_media.value(QStringLiteral("h264 aac mp4")), path));

    const MediaInfo info = parsed(MediaFacts::captureBanner(path, m_thumb));
    QCOMPARE(info.duration, 2000000LL);
    QCOMPARE(info.hasVideo, 1);
    QCOMPARE(describe(info), describe(MediaFacts::expectedFromProbe(path)));
}

void TestFFmpegBannerParser::sidewaysVideoIsUpright_data()
{
    QTest::addColumn<QString>("rotate");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("90") << QStringLiteral("90") << 240 << 320;
    QTest::newRow("-90") << QStringLiteral("-90") << 240 << 320;
    QTest::newRow("270") << QStringLiteral("270") << 240 << 320;
    QTest::newRow("180") << QStringLiteral("180") << 320 << 240;
}

void TestFFmpegBannerParser::sidewaysVideoIsUpright()
{
    QFETCH(QString, rotate);
    QFETCH(int, width);
    QFETCH(int, height);
    const QString path = MediaFactory::make(m_dir + QLatin1String("/rotated") + rotate + QLatin1String(".mp4"),
        {QStringLiteral("-i"), m_media.value(QStringLiteral("h264 aac mp4")), QStringLiteral("-c"),
            QStringLiteral("copy"), QStringLiteral("-metadata:s:v:0"), QLatin1String("rotate=") + rotate});
    QVERIFY(!path.isEmpty());

    const MediaInfo info = parsed(MediaFacts::captureBanner(path, m_thumb));
    QCOMPARE(info.width, width);
    QCOMPARE(info.height, height);
    QCOMPARE(describe(info), describe(MediaFacts::expectedFromProbe(path)));
}

void TestFFmpegBannerParser::coverPictureKeepsRealVideo()
{
    const QString path = m_media.value(QStringLiteral("mp4 with cover"));
    const MediaInfo info = parsed(MediaFacts::captureBanner(path, m_thumb));
    const QList<QJsonObject> video = MediaFactory::streams(path, QStringLiteral("video"));
    QCOMPARE(video.size(), 2);
    QCOMPARE(info.videoCodec, video.at(0).value(QLatin1String("codec_name")).toString());
    QCOMPARE(info.width, video.at(0).value(QLatin1String("width")).toInt());
    QCOMPARE(info.height, video.at(0).value(QLatin1String("height")).toInt());
    QCOMPARE(info.videoBitrate, video.at(0).value(QLatin1String("bit_rate")).toString().toInt() / 1000 * 1000);
    QVERIFY(info.videoBitrate > 0);

    // A file whose only picture is a cover still describes that picture.
    const MediaInfo song = parsed(MediaFacts::captureBanner(m_media.value(QStringLiteral("mp3 with cover")), m_thumb));
    QCOMPARE(song.hasVideo, 1);
    QCOMPARE(song.videoCodec, QStringLiteral("mjpeg"));
    QCOMPARE(song.width, 64);
}

MORVAYNE_TEST_CORE_MAIN(TestFFmpegBannerParser)
#include "tst_ffmpegbannerparser.moc"

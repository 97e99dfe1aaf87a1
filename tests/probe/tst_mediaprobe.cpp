#include "common/pathservices.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QImageReader>
#include <QJsonArray>

#include <atomic>
#include <cstdlib>
#include <new>

// Watched records count here when deleted: records nobody took must be released.
namespace {
std::atomic<const void*> g_watched[2];
std::atomic<int> g_released{0};
void watch(const void* a, const void* b)
{
    g_watched[0] = a;
    g_watched[1] = b;
    g_released = 0;
}
} // namespace

// Allocation and release are replaced as a pair: a replaced release must
// only ever see memory of the matching allocation.
void* operator new(std::size_t size)
{
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}

void operator delete(void* p) noexcept
{
    if (p && (p == g_watched[0] || p == g_watched[1]))
        ++g_released;
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    ::operator delete(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    ::operator delete(p);
}

namespace {

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Every probed fact on one line, so that a mismatch shows them all at once.
QString describe(const MediaInfo& m)
{
    QString s;
    QTextStream(&s) << m.duration << ' ' << m.bitrate << " | " << m.hasVideo << ' ' << m.videoCodec << ' ' << m.width
                    << 'x' << m.height << '@' << m.displayRotation << ' ' << m.videoBitrate << " | " << m.hasAudio << ' ' << m.audioCodec << ' '
                    << m.sampleRate << ' ' << m.channels << ' ' << m.audioBitrate;
    return s;
}

// What the banner should give, from ffprobe's report of the same file: whole
// seconds of ffmpeg's hundredths, the last audio stream, the last video stream
// unless a cover follows a real one, the upright size of a picture stored
// sideways and its turn clockwise (ffprobe gives it counter-clockwise).
MediaInfo expectedFrom(const QJsonObject& report)
{
    const auto bits
        = [](const QJsonValue& o) { return int(o[QLatin1String("bit_rate")].toString().toLongLong() / 1000 * 1000); };
    MediaInfo e;
    const QJsonValue format = report[QLatin1String("format")];
    e.duration = qint64(format[QLatin1String("duration")].toString().toDouble() + 0.005) * 1000000;
    e.bitrate = bits(format) / 1000;
    bool haveRealVideo = false;
    for (const QJsonValue s : report[QLatin1String("streams")].toArray()) {
        const QString type = s[QLatin1String("codec_type")].toString();
        const bool cover = s[QLatin1String("disposition")][QLatin1String("attached_pic")].toInt() == 1;
        if (type == QLatin1String("video") && !(cover && haveRealVideo)) {
            haveRealVideo = haveRealVideo || !cover;
            e.hasVideo = 1;
            e.videoCodec = s[QLatin1String("codec_name")].toString();
            e.width = s[QLatin1String("width")].toInt();
            e.height = s[QLatin1String("height")].toInt();
            e.displayRotation = (360 - s[QLatin1String("side_data_list")][0][QLatin1String("rotation")].toInt()) % 360;
            if (e.displayRotation % 180 == 90)
                std::swap(e.width, e.height);
            e.videoBitrate = bits(s);
        } else if (type == QLatin1String("audio")) {
            e.hasAudio = 1;
            e.audioCodec = s[QLatin1String("codec_name")].toString();
            e.sampleRate = s[QLatin1String("sample_rate")].toString().toInt();
            e.channels = s[QLatin1String("channel_layout")].toString() == QLatin1String("stereo") ? 2 : 1;
            e.audioBitrate = bits(s);
        }
    }
    return e;
}

// ffmpeg prints its banner on the error channel.
const QByteArray printBanner = "cat >&2 <<'BANNER'\n"
                               "  Duration: 00:00:07.00, start: 0.000000, bitrate: 900 kb/s\n"
                               "  Stream #0:0(und): Video: h264 (High), yuv420p, 640x360, 800 kb/s, 25 fps\n"
                               "BANNER\n";

// A stand-in tool logs its arguments to calls.log, one a line and "--" after
// each run, and its process id to pids.log.
void writeScript(const QString& path, const QByteArray& body)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("#!/bin/sh\nd=$(dirname \"$0\")\n{ printf '%s\\n' \"$@\"; echo --; } >> \"$d/calls.log\"\n"
            "echo $$ >> \"$d/pids.log\"\n"
        + body);
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QStringList logLines(const QString& dir, const char* name)
{
    QFile f(dir + QLatin1Char('/') + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                       : QStringList();
}

// A child not yet reaped still has its /proc entry.
bool anyAlive(const QString& dir)
{
    const QStringList pids = logLines(dir, "pids.log");
    return std::any_of(
        pids.cbegin(), pids.cend(), [](const QString& pid) { return QFile::exists(QLatin1String("/proc/") + pid); });
}

bool cacheEmpty()
{
    return QDir(PathServices::getTempFolder() + QLatin1String("/cache"))
        .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestMediaProbe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void bannerLines_data();
    void bannerLines();
    void realMedia_data();
    void realMedia();
    void standInArguments();
    void toolFaults_data();
    void toolFaults();
    void recordsReleased();

private:
    // Runs the worker on one file: the time it took once run() returned and
    // finished() came, else -1.
    qint64 probe(GetMediaInfoThread& worker, const QString& path, const QString& thumb = QString());
    // A stand-in application folder, made g_appDirPath; no ffprobe script, no ffprobe.
    QString standIn(const char* name, const QByteArray& ffmpeg, const QByteArray& ffprobe);

    QString m_dir;
    QString m_clip;
};

void TestMediaProbe::initTestCase()
{
    m_dir = TestEnv::makeDir(QStringLiteral("media"));
    m_clip = MediaFactory::videoWithTone(m_dir + QLatin1String("/h264 aac.mp4"), 2);
    QVERIFY(!m_clip.isEmpty());
}

void TestMediaProbe::init()
{
    g_appDirPath = TestEnv::appDir();
    QDir(PathServices::getTempFolder() + QLatin1String("/cache")).removeRecursively();
}

qint64 TestMediaProbe::probe(GetMediaInfoThread& worker, const QString& path, const QString& thumb)
{
    worker.m_filePath = path;
    worker.m_thumbPath = thumb;
    QSignalSpy finished(&worker, &QThread::finished);
    QElapsedTimer clock;
    clock.start();
    worker.start();
    // The spy counts on the worker thread; finished() comes before wait() returns.
    return worker.wait(30000) && finished.count() == 1 ? clock.elapsed() : -1;
}

QString TestMediaProbe::standIn(const char* name, const QByteArray& ffmpeg, const QByteArray& ffprobe)
{
    const QString dir = TestEnv::makeDir(QLatin1String("apps/") + QLatin1String(name));
    writeScript(dir + QLatin1String("/ffmpeg"), ffmpeg);
    if (!ffprobe.isEmpty())
        writeScript(dir + QLatin1String("/ffprobe"), ffprobe);
    g_appDirPath = dir;
    return dir;
}

void TestMediaProbe::bannerLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString video = QStringLiteral("  Stream #0:0: Video: h264, yuv420p, 1920x1080, 8000 kb/s, 30 fps\n");
    const QString cover = QStringLiteral("  Stream #0:1: Video: mjpeg, yuvj420p, 600x600, 90k tbr (attached pic)\n");
    const QString upright = QStringLiteral("0 0 | 1 h264 1920x1080@0 8000000 | 0  0 0 0");
    const auto row = [](const char* name, const QString& text, const QString& expected) {
        QTest::newRow(name) << text << expected;
    };
    row("worked example",
        QStringLiteral("  Duration: 00:02:05.43, start: 0.000000, bitrate: 2215 kb/s\n"
                       "    Stream #0:0(und): Video: h264 (High), yuv420p(tv, bt709), 1280x720 [SAR 1:1 DAR 16:9], "
                       "2081 kb/s, 29.97 fps, 29.97 tbr, 30k tbn, 59.94 tbc (default)\n"
                       "    Stream #0:1(und): Audio: aac (LC), 44100 Hz, stereo, fltp, 128 kb/s (default)"),
        QStringLiteral("125000000 2215 | 1 h264 1280x720@0 2081000 | 1 aac 44100 2 128000"));
    row("the word output before the facts",
        QLatin1String("Input #0, mov, from '/Output/my_OUTPUT.mp4':\n  Metadata:\n    title : Output\n") + video,
        upright);
    // Only the turn of the video stream itself counts, and only once.
    row("stored sideways",
        video
            + QLatin1String("      displaymatrix: rotation of -90.00 degrees\n"
                            "  Stream #0:1: Audio: aac, 48000 Hz, mono\n      displaymatrix: rotation of 90.00"),
        QStringLiteral("0 0 | 1 h264 1080x1920@90 8000000 | 1 aac 48000 1 0"));
    row("upside down, then a later video without a turn",
        video + QLatin1String("      displaymatrix: rotation of 180.00 degrees\n")
            + QString(video).replace(QLatin1String("#0:0"), QLatin1String("#0:1")),
        upright);
    row("turned cover after a real video",
        video + cover + QLatin1String("      displaymatrix: rotation of 90.00 degrees"), upright);
    row("real videos overwrite a cover and each other",
        cover + QLatin1String("  Stream #0:2: Video: png, rgb24, 10x10, 1 kb/s\n") + video, upright);
}

void TestMediaProbe::bannerLines()
{
    QFETCH(QString, text);
    MediaInfo info;
    parseFFmpegBanner(&info, text);
    QTEST(describe(info), "expected");
}

void TestMediaProbe::realMedia_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("h264 aac.mp4") << m_clip;
    const QList<QPair<const char*, const char*>> media{
        {"hevc.mkv",
            "-f lavfi -i testsrc=size=160x120:duration=1 -pix_fmt yuv420p -c:v libx265 -x265-params log-level=error"},
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
            "sine=duration=1:sample_rate=22050 -map 0 -map 1 -map 2 -pix_fmt yuv420p -c:a:1 libmp3lame -ac:a:1 2"},
        // Duration and bit rates N/A.
        {"raw.h264", "-f lavfi -i testsrc=size=160x120:duration=1 -pix_fmt yuv420p"},
        {"phone.mp4", "-i CLIP -c copy -metadata:s:v:0 rotate=90"},
        {"upside down.mp4", "-i CLIP -c copy -metadata:s:v:0 rotate=180"},
        {"covered.m4v",
            "-i CLIP -f lavfi -i testsrc=size=600x600:rate=1:duration=1 -map 0 -map 1 -c:v:0 copy -c:a copy "
            "-c:v:1 mjpeg -disposition:v:1 attached_pic -f mp4"},
        {"Output/my_output.mp4", "-i CLIP -c copy"},
        {"a folder 'with' \"quotes\"/clip – ünïcödé 日本 it's.mp4", "-i CLIP -c copy"},
    };
    for (const auto& [name, command] : media) {
        const QString path = m_dir + QLatin1Char('/') + QString::fromUtf8(name);
        QDir().mkpath(QFileInfo(path).path());
        const QStringList args = words(command).replaceInStrings(QStringLiteral("CLIP"), m_clip);
        QVERIFY2(!MediaFactory::make(path, args).isEmpty(), name);
        QTest::newRow(name) << path;
    }
    QFile zero(m_dir + QLatin1String("/zero.mp4")), junk(m_dir + QLatin1String("/junk.mkv"));
    QVERIFY(zero.open(QIODevice::WriteOnly) && junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(4096, 'Z')));
    QTest::newRow("zero bytes") << zero.fileName();
    QTest::newRow("not media") << junk.fileName();
    QTest::newRow("missing") << m_dir + QLatin1String("/missing.mp4");
}

// The worker on generated files, each compared with ffprobe's report of it.
void TestMediaProbe::realMedia()
{
    QFETCH(QString, path);
    const QString thumb = PathServices::getTempFolder() + QLatin1String("/thumb.bmp");
    QFile::remove(thumb);
    GetMediaInfoThread worker;
    QVERIFY(probe(worker, path, thumb) >= 0);
    // Each tool has 2 s; on a machine crowded by other builds the thumbnail
    // can run out of it, which leaves a record without a picture by design.
    for (int retry = 0; retry < 2 && worker.m_pMediaInfo && worker.m_pMediaInfo->hasVideo && !QFile::exists(thumb); ++retry) {
        qWarning("no thumbnail within the tool limit; probing again");
        QVERIFY(probe(worker, path, thumb) >= 0);
    }

    // Unreadable sources still get records, only without facts.
    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    const MediaInfo& info = *worker.m_pMediaInfo;
    const QJsonObject report = MediaFactory::probe(path);
    QCOMPARE(info.filePath, path);
    QCOMPARE(info.fileSize, QFileInfo(path).size());
    QCOMPARE(describe(info), describe(expectedFrom(report)));
    const ProbeInfo& p = *worker.m_pProbeInfo;
    const QJsonArray streams = report[QLatin1String("streams")].toArray();
    QCOMPARE(p.filename, report[QLatin1String("format")][QLatin1String("filename")].toString());
    QCOMPARE(p.streams.size(), streams.size());
    for (int i = 0; i < streams.size(); ++i)
        QCOMPARE(p.streams.at(i).codec_name, streams.at(i)[QLatin1String("codec_name")].toString());
    // No hardware decoder works here, and the test output never stays.
    QVERIFY(info.hwAccels.isEmpty() && p.hwAccels.isEmpty() && cacheEmpty());
    // The thumbnail is upright too: ffmpeg turns the picture before scaling.
    const QSize picture = QImageReader(thumb).size();
    QCOMPARE(picture.height(), info.hasVideo ? 480 : -1);
    QCOMPARE(picture.width() < picture.height(), info.width < info.height);
}

void TestMediaProbe::standInArguments()
{
    // cuda "decodes"; dxva2 prints a frame but also an error. Both leave a file.
    const QString dir = standIn("decode",
        "for a; do out=$a; done\ncase \"$*\" in\n*-hwaccel\\ cuda*) echo 'frame=    1'; : > \"$out\" ;;\n"
        "*-hwaccel*) echo 'frame=    1'; echo 'Error while decoding' >&2; : > \"$out\" ;;\n*)\n"
            + printBanner + ";;\nesac\n",
        "echo '{\" \\n STREAMS \\r\\n\": [{\"index\": 3.9, \"width\": 1920, \"duration_ts\": 1234567, "
        "\"nb_frames\": true, \"tags\": {\"language\": \"日本語\", \"duration\": \"1\"}}]}'\n");
    GetMediaInfoThread worker;
    const QString path = TestEnv::makeDir(QStringLiteral("any")) + QLatin1String("/any name.mp4");
    QVERIFY(probe(worker, path, QStringLiteral("/t/t.bmp")) >= 0);

    const QString hw = QStringLiteral("-y|-hide_banner|-loglevel|error|-hwaccel|%1|-i|%2|-to|00:00:00.0001|-dn|-sn|-an|"
                                      "-f|mp4|%3|--|");
    const QString out = PathServices::getTempFolder() + QLatin1String("/cache/") + PathServices::getMd5String(path)
        + QLatin1String(".mp4");
    QCOMPARE(QString(logLines(dir, "calls.log").join(QLatin1Char('|')) + QLatin1Char('|')),
        QString(QStringLiteral("-i|%1|-y|-f|image2|-vf|scale=-1:480|-t|1.520|/t/t.bmp|--|-v|quiet|-loglevel|panic|"
                               "-print_format|json|-show_format|-show_streams|%1|--|")
                    .arg(path)
            + hw.arg(QStringLiteral("cuda"), path, out) + hw.arg(QStringLiteral("dxva2"), path, out)));
    QVERIFY(cacheEmpty());

    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    QCOMPARE(worker.m_pMediaInfo->duration, 7000000LL);
    QCOMPARE(worker.m_pMediaInfo->hwAccels, QStringList{QStringLiteral("cuda")});
    QCOMPARE(worker.m_pProbeInfo->hwAccels, worker.m_pMediaInfo->hwAccels);
    // Padded capitalised key still read; numbers kept as %g text, index cut.
    QCOMPARE(worker.m_pProbeInfo->streams.size(), 1);
    const ProbeStream& s = worker.m_pProbeInfo->streams.at(0);
    QCOMPARE(s.index, 3);
    QCOMPARE((QStringList{s.width, s.duration_ts, s.nb_frames, s.tags.language, s.tags.DURATION}),
        words("1920 1.23457e+06 0 日本語") << QString());
}

void TestMediaProbe::toolFaults_data()
{
    QTest::addColumn<QByteArray>("ffmpeg");
    QTest::addColumn<QByteArray>("ffprobe"); // empty: missing; "no-exec": present but not executable
    QTest::addColumn<qlonglong>("duration"); // -1: no media record
    QTest::addColumn<int>("streams");        // -1: no probe record
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("leastMs");

    const QByteArray json = "echo '{\"streams\": [{\"index\": 0}, {\"index\": 1}]}'\n";
    QTest::newRow("both print nothing") << QByteArray("exit 0\n") << QByteArray("exit 0\n") << -1LL << -1 << 2 << 0;
    QTest::newRow("no banner, probe still runs") << QByteArray("exit 1\n") << json << -1LL << 2 << 2 << 0;
    QTest::newRow("invalid JSON") << printBanner << QByteArray("echo '{\"streams\": ['\n") << 7000000LL << 0 << 4 << 0;
    QTest::newRow("missing ffprobe") << printBanner << QByteArray() << 7000000LL << -1 << 3 << 0;
    QTest::newRow("ffprobe that cannot start") << printBanner << QByteArray("no-exec") << 7000000LL << -1 << 3 << 0;
    QTest::newRow("crash after the banner") << printBanner + "kill -SEGV $$\n" << json << 7000000LL << 2 << 4 << 0;
    // Output ends at the first NUL byte: the second duration is never read.
    QTest::newRow("NUL byte") << QByteArray("printf '  Duration: 00:00:05.00, bitrate: 1 kb/s'; head -c 1 /dev/zero\n"
                                            "echo '\n  Duration: 00:01:00.00, start: 0.0, bitrate: 2 kb/s'\n")
                              << json << 5000000LL << 2 << 4 << 0;
    // Each run abandoned at 2 s; what it printed by then counts.
    QTest::newRow("hung tools") << printBanner + "exec sleep 30\n"
                                << QByteArray("printf '{\"streams\": [{\"index\": 0}'\nexec sleep 30\n") << 7000000LL
                                << 0 << 4 << 8000;
}

void TestMediaProbe::toolFaults()
{
    QFETCH(QByteArray, ffmpeg);
    QFETCH(QByteArray, ffprobe);
    QFETCH(int, leastMs);
    const QString dir = standIn("faults", ffmpeg, ffprobe);
    if (ffprobe == "no-exec")
        QVERIFY(QFile::setPermissions(dir + QLatin1String("/ffprobe"), QFile::ReadOwner | QFile::WriteOwner));
    GetMediaInfoThread worker;
    const qint64 ms = probe(worker, m_clip);
    QVERIFY2(ms >= leastMs - 100 && ms < leastMs + 4000, qPrintable(QString::number(ms)));
    // Without a thumbnail path ffmpeg gets only the input.
    QCOMPARE(logLines(dir, "calls.log").mid(0, 3), (QStringList{QStringLiteral("-i"), m_clip, QStringLiteral("--")}));
    QTEST(worker.m_pMediaInfo ? worker.m_pMediaInfo->duration : -1LL, "duration");
    QTEST(worker.m_pProbeInfo ? worker.m_pProbeInfo->streams.size() : -1, "streams");
    // The decode test needs a media record.
    QTEST(logLines(dir, "pids.log").size(), "runs");
    QVERIFY(!anyAlive(dir) && cacheEmpty());
}

void TestMediaProbe::recordsReleased()
{
    auto worker = std::make_unique<GetMediaInfoThread>();
    QVERIFY(probe(*worker, m_clip) >= 0);
    QVERIFY(worker->m_pMediaInfo && worker->m_pProbeInfo);

    // A taken record belongs to the taker; the one left behind goes with the
    // next run, which returns nothing when the tools print nothing.
    const std::unique_ptr<MediaInfo> taken = worker->takeMediaInfo();
    watch(taken.get(), worker->m_pProbeInfo);
    standIn("silent", "exit 0\n", "exit 0\n");
    QVERIFY(probe(*worker, m_clip) >= 0);
    QVERIFY(!worker->m_pMediaInfo && !worker->m_pProbeInfo);
    QCOMPARE(g_released.load(), 1);
    QCOMPARE(taken->filePath, m_clip);

    // Records never taken go with the worker.
    g_appDirPath = TestEnv::appDir();
    QVERIFY(probe(*worker, m_clip) >= 0);
    watch(worker->m_pMediaInfo, worker->m_pProbeInfo);
    worker.reset();
    QCOMPARE(g_released.load(), 2);

    // The owner going away cuts a running child short and reaps it.
    const QString dir = standIn("destroy", "exec sleep 30\n", "exec sleep 30\n");
    worker = std::make_unique<GetMediaInfoThread>();
    worker->m_filePath = m_clip;
    worker->start();
    QTRY_COMPARE_WITH_TIMEOUT(logLines(dir, "pids.log").size(), 1, 5000);
    QElapsedTimer clock;
    clock.start();
    worker.reset();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(logLines(dir, "pids.log").size() == 1 && !anyAlive(dir));
}

MORVAYNE_TEST_CORE_MAIN(TestMediaProbe)
#include "tst_mediaprobe.moc"

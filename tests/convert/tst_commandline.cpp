#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "convert/commandlinebuilder.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/subtitletrim.h"
#include "convert/videoitemdata.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QFile>

namespace {

const qint64 Second = 1000000;

// The source of the worked examples: /in/a.mov, H.264 1920x1080 at 4 Mbit/s
// with AAC audio, 100 s long.
MediaInfo exampleInfo()
{
    MediaInfo m;
    m.filePath = QStringLiteral("/in/a.mov");
    m.duration = 100 * Second;
    m.bitrate = 4200;
    m.hasVideo = 1;
    m.width = 1920;
    m.height = 1080;
    m.videoBitrate = 4000000;
    m.videoCodec = QStringLiteral("h264");
    m.hasAudio = 1;
    m.sampleRate = 48000;
    m.channels = 2;
    m.audioBitrate = 192000;
    m.audioCodec = QStringLiteral("aac");
    return m;
}

// Applies the edits of one table row to a job and its record. Times in
// seconds (fractions allowed), everything else as the member holds it.
void applyEdits(VideoItemData& job, MediaInfo& m, const QVariantMap& edits)
{
    for (auto it = edits.cbegin(); it != edits.cend(); ++it) {
        const QString& k = it.key();
        const QVariant& v = it.value();
        if (k == QLatin1String("trim")) {
            const QVariantList r = v.toList();
            m.trimStart = static_cast<qint64>(r.at(0).toDouble() * Second);
            m.trimEnd = static_cast<qint64>(r.at(1).toDouble() * Second);
        } else if (k == QLatin1String("crop")) {
            const QRect r = v.toRect();
            m.cropX = r.x();
            m.cropY = r.y();
            m.cropWidth = r.width();
            m.cropHeight = r.height();
        } else if (k == QLatin1String("rotation")) {
            m.rotation = v.toInt();
        } else if (k == QLatin1String("flipH")) {
            m.flipH = v.toInt();
        } else if (k == QLatin1String("flipV")) {
            m.flipV = v.toInt();
        } else if (k == QLatin1String("audio")) {
            m.externalAudioPath = v.toString();
        } else if (k == QLatin1String("removeAudio")) {
            m.removeOriginalAudio = v.toBool();
        } else if (k == QLatin1String("videoCodec")) {
            m.videoCodec = v.toString();
        } else if (k == QLatin1String("audioCodec")) {
            m.audioCodec = v.toString();
        } else if (k == QLatin1String("videoBitrate")) {
            m.videoBitrate = v.toInt();
        } else if (k == QLatin1String("bitrate")) {
            m.bitrate = v.toInt();
        } else if (k == QLatin1String("size")) {
            m.width = v.toSize().width();
            m.height = v.toSize().height();
        } else if (k == QLatin1String("hasVideo")) {
            m.hasVideo = v.toInt();
        } else if (k == QLatin1String("srt")) {
            job.m_srtPath = v.toString();
        } else if (k == QLatin1String("soft")) {
            job.m_bSoftSubtitle = v.toBool();
        } else if (k == QLatin1String("attempt")) {
            job.m_nEncoderAttempt = v.toInt();
        } else if (k == QLatin1String("videoLength") || k == QLatin1String("videoLengthTag")) {
            // As ffprobe reports an MP4's video stream, or a Matroska one's.
            auto* probe = new ProbeInfo;
            ProbeStream video;
            video.codec_type = QStringLiteral("video");
            (k == QLatin1String("videoLength") ? video.duration : video.tags.DURATION) = v.toString();
            probe->streams.append(video);
            probe->duration = QStringLiteral("99.000000");
            job.m_pProbeInfo = probe;
        } else {
            qFatal("unknown edit %s", qPrintable(k));
        }
    }
}

QVariantList seconds(double a, double b)
{
    return {a, b};
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void argumentList_data();
    void argumentList();
    void subtitleIsCopiedUnderItsHash();
    void subtitleTrim_data();
    void subtitleTrim();
    void outputNaming();
    void baseName_data();
    void baseName();
    void sameExtensionInAnyCaseCopies();
    void runningJobsNeverShareAnOutput();
    void videoEncoder_data();
    void videoEncoder();
    void rotationFilter_data();
    void rotationFilter();
    void appendFilter();
    void estimatedSize_data();
    void estimatedSize();
    void formatChange_data();
    void formatChange();

private:
    QString m_out;
    RuntimeChoices m_choices;
};

void TestCommandLine::initTestCase()
{
    g_appDirPath = TestEnv::appDir();
    m_choices.makeCurrent();
}

void TestCommandLine::init()
{
    m_out = TestEnv::makeDir(QStringLiteral("out"));
    m_choices.m_outFolder = m_out;
}

void TestCommandLine::cleanup()
{
    QCOMPARE(OutputPathRegistry::heldCount(), 0);
}

void TestCommandLine::argumentList_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("expected");

    const QString src = QStringLiteral("/in/a.mov");
    const QString mp4 = QStringLiteral("mp4");
    const QString aacOut = QStringLiteral("-c:a aac -ac 2 -b:a 320K -ar 48K");
    const QString mp3Out = QStringLiteral("-ac 2 -ab 320K -ar 48K -acodec libmp3lame");
    const QString music = QStringLiteral("/in/music.m4a");
    const QString srt = QStringLiteral("/in/a.srt");

    // The three worked examples.
    QTest::newRow("mp4 without edits") << src << mp4 << QVariantMap()
                                       << QStringLiteral("-i /in/a.mov -c:v copy -c:a copy -threads 1 -y {out}/a.mp4");
    QTest::newRow("mp4 trimmed and rotated")
        << src << mp4 << QVariantMap{{QStringLiteral("trim"), seconds(10, 70)}, {QStringLiteral("rotation"), 90}}
        << QStringLiteral("-ss 00:00:10 -to 00:01:10 -i /in/a.mov -c:v h264_nvenc -b:v 4000000 "
                          "-filter_complex transpose=1,{play} -c:a copy -threads 1 -y {out}/a.mp4");
    QTest::newRow("mp3") << src << QStringLiteral("mp3") << QVariantMap()
                         << QStringLiteral("-i /in/a.mov -vn ") + mp3Out + QStringLiteral(" -threads 1 -y {out}/a.mp3");

    // Stream copy.
    const QVariantMap foreign{
        {QStringLiteral("videoCodec"), QStringLiteral("mpeg4")}, {QStringLiteral("audioCodec"), QStringLiteral("mp3")}};
    QTest::newRow("same extension, upper case")
        << QStringLiteral("/in/x.MOV") << QStringLiteral("mov") << foreign
        << QStringLiteral("-i /in/x.MOV -c:v copy -c:a copy -threads 1 -y {out}/x.mov");
    QTest::newRow("mkv always copies") << QStringLiteral("/in/x.avi") << QStringLiteral("mkv") << foreign
                                       << QStringLiteral("-i /in/x.avi -c:v copy -c:a copy -threads 1 -y {out}/x.mkv");
    QTest::newRow("h264 copies into avi")
        << QStringLiteral("/in/x.webm") << QStringLiteral("avi")
        << QVariantMap{{QStringLiteral("audioCodec"), QStringLiteral("opus")}}
        << QStringLiteral("-i /in/x.webm -c:v copy ") + aacOut + QStringLiteral(" -threads 1 -y {out}/x.avi");
    QTest::newRow("nothing copies") << QStringLiteral("/in/x.avi") << mp4 << foreign
                                    << QStringLiteral(
                                           "-i /in/x.avi -c:v h264_nvenc -b:v 4000000 -filter_complex {play} ")
            + aacOut + QStringLiteral(" -threads 1 -y {out}/x.mp4");
    QTest::newRow("crop of the full picture still copies")
        << src << mp4 << QVariantMap{{QStringLiteral("crop"), QRect(0, 0, 1920, 1080)}}
        << QStringLiteral("-i /in/a.mov -c:v copy -c:a copy -threads 1 -y {out}/a.mp4");

    // Filters and their order; an encode always ends in even sizes and 8-bit 4:2:0.
    QTest::newRow("crop, rotation, mirrors in order")
        << src << mp4
        << QVariantMap{{QStringLiteral("crop"), QRect(2, 0, 1918, 1080)}, {QStringLiteral("rotation"), 180},
               {QStringLiteral("flipH"), 1}, {QStringLiteral("flipV"), 1}}
        << QStringLiteral("-i /in/a.mov -c:v h264_nvenc -b:v 4000000 -filter_complex "
                          "crop=1918:1080:2:0,transpose=2,transpose=2,hflip,vflip,{play} -c:a copy -threads 1 -y "
                          "{out}/a.mp4");
    QTest::newRow("big picture, attempt 2")
        << src << mp4
        << QVariantMap{{QStringLiteral("size"), QSize(4097, 2160)}, {QStringLiteral("rotation"), 270},
               {QStringLiteral("attempt"), 2}}
        << QStringLiteral("-i /in/a.mov -c:v hevc_qsv -b:v 4000000 -filter_complex transpose=2,{play} -c:a copy "
                          "-threads 1 -y {out}/a.mp4");

    // Bit rate of a re-encode when the stream's own is unknown.
    QTest::newRow("overall rate when the stream has none")
        << QStringLiteral("/in/x.mkv") << mp4
        << QVariantMap{{QStringLiteral("videoBitrate"), 0}, {QStringLiteral("bitrate"), 5128},
               {QStringLiteral("rotation"), 90}}
        << QStringLiteral("-i /in/x.mkv -c:v h264_nvenc -b:v 5128000 -filter_complex transpose=1,{play} -c:a copy "
                          "-threads 1 -y {out}/x.mp4");

    // Trims.
    QTest::newRow("trim on whole seconds")
        << src << mp4 << QVariantMap{{QStringLiteral("trim"), seconds(10.5, 70.9)}}
        << QStringLiteral("-ss 00:00:10 -to 00:01:10 -i /in/a.mov -c:v copy -c:a copy -threads 1 -y {out}/a.mp4");
    QTest::newRow("trim also cuts the added audio")
        << src << mp4 << QVariantMap{{QStringLiteral("trim"), seconds(5, 65)}, {QStringLiteral("audio"), music}}
        << QStringLiteral("-ss 00:00:05 -to 00:01:05 -i /in/a.mov -ss 00:00:05 -to 00:01:05 -i /in/music.m4a "
                          "-c:v copy -map 0:v:0 -map 0:a:0? -map 1:a ")
            + aacOut + QStringLiteral(" -threads 1 -y {out}/a.mp4");

    // Audio.
    QTest::newRow("added audio kept beside the source's, cut at the video's end")
        << src << mp4
        << QVariantMap{{QStringLiteral("audio"), music}, {QStringLiteral("videoLength"), QStringLiteral("12.040000")}}
        << QStringLiteral("-i /in/a.mov -t 12.040 -i /in/music.m4a -c:v copy -map 0:v:0 -map 0:a:0? -map 1:a ") + aacOut
            + QStringLiteral(" -threads 1 -y {out}/a.mp4");
    QTest::newRow("added audio replaces the source's, length from a tag")
        << src << mp4
        << QVariantMap{{QStringLiteral("audio"), music}, {QStringLiteral("removeAudio"), true},
               {QStringLiteral("videoLengthTag"), QStringLiteral("00:01:02.500000000")}}
        << QStringLiteral("-i /in/a.mov -t 62.500 -i /in/music.m4a -c:v copy -map 0:v:0 -map 1:a:0 ") + aacOut
            + QStringLiteral(" -threads 1 -y {out}/a.mp4");
    QTest::newRow("source audio dropped") << src << mp4 << QVariantMap{{QStringLiteral("removeAudio"), true}}
                                          << QStringLiteral("-i /in/a.mov -c:v copy -an -threads 1 -y {out}/a.mp4");
    QTest::newRow("mp3 holds only the added audio")
        << src << QStringLiteral("mp3") << QVariantMap{{QStringLiteral("audio"), music}}
        << QStringLiteral("-i /in/a.mov -t 100.000 -i /in/music.m4a -vn -map 1:a:0 ") + mp3Out
            + QStringLiteral(" -threads 1 -y {out}/a.mp3");

    // Subtitles.
    QTest::newRow("trimmed soft subtitle in mkv is SubRip of its range")
        << src << QStringLiteral("mkv")
        << QVariantMap{{QStringLiteral("srt"), srt}, {QStringLiteral("trim"), seconds(10.5, 70.9)},
               {QStringLiteral("removeAudio"), true}}
        << QStringLiteral("-ss 00:00:10 -to 00:01:10 -i /in/a.mov -i {md5}-10-70.srt -c:s srt -c:v h264_nvenc -b:v "
                          "4000000 -filter_complex {play} -map 0:v:0 -map 1:s -an -threads 1 -y {out}/a.mkv");
    // Without an ffprobe report the added track is cut at the banner's length.
    QTest::newRow("soft subtitle with added audio")
        << src << mp4 << QVariantMap{{QStringLiteral("srt"), srt}, {QStringLiteral("audio"), music}}
        << QStringLiteral(
               "-i /in/a.mov -t 100.000 -i /in/music.m4a -i {md5}.srt -c:s mov_text -c:v h264_nvenc -b:v 4000000 "
               "-filter_complex {play} -map 0:v:0 -map 0:a:0? -map 1:a -map 2:s ")
            + aacOut + QStringLiteral(" -threads 1 -y {out}/a.mp4");
    QTest::newRow("burnt-in subtitle drawn on the edited picture")
        << src << mp4
        << QVariantMap{{QStringLiteral("srt"), srt}, {QStringLiteral("soft"), false},
               {QStringLiteral("crop"), QRect(0, 0, 960, 540)}, {QStringLiteral("flipH"), 1},
               {QStringLiteral("trim"), seconds(5, 10)}}
        << QStringLiteral("-ss 00:00:05 -to 00:00:10 -i /in/a.mov -c:v h264_nvenc -b:v 4000000 -filter_complex "
                          "crop=960:540:0:0,hflip,subtitles='{md5}-5-10.srt',{play} -c:a copy -threads 1 -y "
                          "{out}/a.mp4");
    QTest::newRow("burnt-in subtitle with added audio maps no subtitle")
        << src << mp4
        << QVariantMap{{QStringLiteral("srt"), srt}, {QStringLiteral("soft"), false}, {QStringLiteral("audio"), music},
               {QStringLiteral("removeAudio"), true}}
        << QStringLiteral("-i /in/a.mov -t 100.000 -i /in/music.m4a -c:v h264_nvenc -b:v 4000000 -filter_complex "
                          "subtitles='{md5}.srt',{play} -map 0:v:0 -map 1:a:0 ")
            + aacOut + QStringLiteral(" -threads 1 -y {out}/a.mp4");
    QTest::newRow("mp3 takes no burnt-in subtitle")
        << src << QStringLiteral("mp3") << QVariantMap{{QStringLiteral("srt"), srt}, {QStringLiteral("soft"), false}}
        << QStringLiteral("-i /in/a.mov -vn ") + mp3Out + QStringLiteral(" -threads 1 -y {out}/a.mp3");

    // Sources without video are converted to MP3 whatever the page shows.
    QTest::newRow("mp3 source into mp3 is copied")
        << QStringLiteral("/in/song.mp3") << QStringLiteral("mp3")
        << QVariantMap{{QStringLiteral("hasVideo"), 0}, {QStringLiteral("audioCodec"), QStringLiteral("mp3")}}
        << QStringLiteral("-i /in/song.mp3 -vn -c:a copy -threads 1 -y {out}/song.mp3");
}

void TestCommandLine::argumentList()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(QVariantMap, edits);
    QFETCH(QString, expected);

    VideoItemData job;
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    job.m_sourcePath = source;
    applyEdits(job, *job.m_pMediaInfo, edits);
    OutputProfile profile{format};
    job.setOutputProfile(&profile);

    const QStringList args = job.buildArguments();

    QStringList want = expected.split(QLatin1Char(' '));
    for (QString& a : want) {
        a.replace(QLatin1String("{out}"), m_out);
        a.replace(QLatin1String("{md5}"), PathServices::getMd5String(job.m_srtPath));
        a.replace(QLatin1String("{play}"), QLatin1String("crop=trunc(iw/2)*2:trunc(ih/2)*2:0:0,format=yuv420p"));
    }
    QCOMPARE(args, want);
    QCOMPARE(job.m_outputPath, want.last());
    if (job.m_format == QLatin1String("avi"))
        QVERIFY(!job.m_bSoftSubtitle);
}

void TestCommandLine::subtitleIsCopiedUnderItsHash()
{
    const QString dir = TestEnv::makeDir(QStringLiteral("subs"));
    const QString srt = dir + QStringLiteral("/My Film.SRT");
    QFile f(srt);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("1\n00:00:00,000 --> 00:00:01,000\nHi\n\n2\n00:00:12,000 --> 00:00:13,000\nLater\n");
    f.close();

    VideoItemData job;
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    job.m_sourcePath = QStringLiteral("/in/a.mov");
    job.m_srtPath = srt;
    OutputProfile profile{QStringLiteral("mp4")};
    job.setOutputProfile(&profile);

    // A stale copy of the same name is replaced; the suffix keeps its case.
    const QString name = PathServices::getMd5String(srt) + QLatin1String(".SRT");
    const QString copy = PathServices::getTempFolder() + QLatin1Char('/') + name;
    QFile stale(copy);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("stale");
    stale.close();

    const QStringList args = job.buildArguments();
    QVERIFY(args.contains(name));
    QVERIFY(!args.join(QLatin1Char(' ')).contains(dir)); // never the user's path
    QFile c(copy);
    QVERIFY(c.open(QIODevice::ReadOnly));
    QVERIFY(c.readAll().startsWith("1\n00:00:00,000"));
    c.close();

    // Trimmed jobs of the same subtitle read copies of their own range, and
    // leave the whole one alone; a range without cues goes without subtitle.
    VideoItemData trimmed;
    trimmed.m_pMediaInfo = new MediaInfo(exampleInfo());
    trimmed.m_sourcePath = QStringLiteral("/in/a.mov");
    trimmed.m_srtPath = srt;
    trimmed.setOutputProfile(&profile);
    trimmed.m_pMediaInfo->trimStart = 10 * Second;
    trimmed.m_pMediaInfo->trimEnd = 70 * Second;
    QVERIFY(trimmed.buildArguments().contains(PathServices::getMd5String(srt) + QLatin1String("-10-70.SRT")));
    QFile cut(PathServices::getTempFolder() + QLatin1Char('/') + PathServices::getMd5String(srt)
        + QLatin1String("-10-70.SRT"));
    QVERIFY(cut.open(QIODevice::ReadOnly));
    QCOMPARE(cut.readAll(), QByteArray("1\n00:00:02,000 --> 00:00:03,000\nLater\n\n"));
    QVERIFY(c.open(QIODevice::ReadOnly));
    QVERIFY(c.readAll().contains("Hi"));
    trimmed.m_pMediaInfo->trimStart = 20 * Second;
    const QStringList bare = trimmed.buildArguments();
    QCOMPARE(bare.mid(4, 4),
        QStringList(
            {QStringLiteral("-i"), QStringLiteral("/in/a.mov"), QStringLiteral("-c:v"), QStringLiteral("copy")}));
    QVERIFY(QDir(PathServices::getTempFolder()).entryList({QStringLiteral("*-20-70.SRT")}).isEmpty());

    // A suffix that could break out of the filter's quotes is not passed on.
    QCOMPARE(CommandLineBuilder::subtitleCopyName(QStringLiteral("/x/a.s'rt")),
        PathServices::getMd5String(QStringLiteral("/x/a.s'rt")) + QLatin1String(".srt"));
}

void TestCommandLine::subtitleTrim_data()
{
    QTest::addColumn<QByteArray>("srt");
    QTest::addColumn<QByteArray>("kept"); // of 10 s to 20 s
    QTest::addColumn<int>("cues");
    QTest::newRow("straddling both edges, position kept")
        << QByteArray("7\n00:00:09,000 --> 00:00:11,500 X1:10 X2:20\nacross the start\n\n"
                      "8\n00:00:19,250 --> 00:00:21,000\nacross\nthe end\n")
        << QByteArray("1\n00:00:00,000 --> 00:00:01,500 X1:10 X2:20\nacross the start\n\n"
                      "2\n00:00:09,250 --> 00:00:10,000\nacross\nthe end\n\n")
        << 2;
    QTest::newRow("outside the range, CRLF, BOM, short fraction")
        << QByteArray("\xEF\xBB\xBF"
                      "1\r\n00:00:01,0 --> 00:00:10,0\r\nbefore\r\n\r\n2\r\n"
                      "00:00:20.000 --> 00:00:21.000\r\nafter\r\n\r\n3\r\n0:0:15,5 --> 0:0:16,25\r\nin\r\n")
        << QByteArray("1\n00:00:05,500 --> 00:00:06,250\nin\n\n") << 3;
    QTest::newRow("missing blank lines")
        << QByteArray("1\n00:00:11,000 --> 00:00:12,000\none\n2\n00:00:13,000 --> 00:00:14,000\ntwo")
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000\none\n\n2\n00:00:03,000 --> 00:00:04,000\ntwo\n\n") << 2;
    QTest::newRow("not srt") << QByteArray("[Script Info]\nTitle: x\n") << QByteArray() << 0;
}

void TestCommandLine::subtitleTrim()
{
    QFETCH(QByteArray, srt);
    QFETCH(QByteArray, kept);
    QFETCH(int, cues);
    int read = -1;
    QCOMPARE(SubtitleTrim::cut(srt, 10 * Second, 20 * Second, &read), kept);
    QCOMPARE(read, cues);
}

void TestCommandLine::outputNaming()
{
    VideoItemData job;
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    job.m_sourcePath = QStringLiteral("/in/a.mov");
    OutputProfile profile{QStringLiteral("mp4")};
    job.setOutputProfile(&profile);

    const QStringList expected{QStringLiteral("a.mp4"), QStringLiteral("a (0).mp4"), QStringLiteral("a (1).mp4")};
    for (const QString& name : expected) {
        job.makeOutputPath();
        QCOMPARE(job.m_outputPath, m_out + QLatin1Char('/') + name);
        QFile f(job.m_outputPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    // A freed name is taken again; a backslash in the folder is read as "/".
    QFile::remove(m_out + QStringLiteral("/a (0).mp4"));
    m_choices.m_outFolder = m_out + QStringLiteral("\\");
    job.makeOutputPath();
    QCOMPARE(job.m_outputPath, m_out + QStringLiteral("//a (0).mp4"));
}

void TestCommandLine::baseName_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("base");
    QTest::newRow("plain") << QStringLiteral("/in/movie.mp4") << QStringLiteral("movie");
    QTest::newRow("doubled extension") << QStringLiteral("/in/clip.mp4.mp4") << QStringLiteral("clip");
    QTest::newRow("extension inside") << QStringLiteral("/in/clip.mp4x.mp4") << QStringLiteral("clipx");
    QTest::newRow("other case kept") << QStringLiteral("/in/clip.MP4.mp4") << QStringLiteral("clip.MP4");
    QTest::newRow("inner dots kept") << QStringLiteral("/in/my.holiday.mov") << QStringLiteral("my.holiday");
    QTest::newRow("no extension") << QStringLiteral("/in/clip") << QStringLiteral("clip");
    QTest::newRow("dotted folder") << QStringLiteral("/in.d/clip") << QStringLiteral("clip");
}

void TestCommandLine::baseName()
{
    QFETCH(QString, source);
    QFETCH(QString, base);
    QCOMPARE(CommandLineBuilder::outputBaseName(source), base);
}

void TestCommandLine::sameExtensionInAnyCaseCopies()
{
    QFile existing(m_out + QStringLiteral("/x.mp4"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();

    VideoItemData job;
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    job.m_pMediaInfo->videoCodec = QStringLiteral("hevc");
    job.m_pMediaInfo->audioCodec = QStringLiteral("opus");
    job.m_sourcePath = QStringLiteral("/in/x.MP4");
    OutputProfile profile{QStringLiteral("MP4")};
    job.setOutputProfile(&profile);
    QCOMPARE(job.m_format, QStringLiteral("mp4"));
    QCOMPARE(job.buildArguments(),
        QStringList({QStringLiteral("-i"), QStringLiteral("/in/x.MP4"), QStringLiteral("-c:v"), QStringLiteral("copy"),
            QStringLiteral("-c:a"), QStringLiteral("copy"), QStringLiteral("-threads"), QStringLiteral("1"),
            QStringLiteral("-y"), m_out + QStringLiteral("/x (0).mp4")}));
}

// Jobs that start together see the same free names on disk; each must still
// write a file of its own, and a name comes free again when its job is gone.
void TestCommandLine::runningJobsNeverShareAnOutput()
{
    OutputProfile profile{QStringLiteral("mp4")};
    auto makeJob = [&profile](const QString& source) {
        auto* job = new VideoItemData;
        job->m_pMediaInfo = new MediaInfo(exampleInfo());
        job->m_sourcePath = source;
        job->setOutputProfile(&profile);
        return job;
    };
    QScopedPointer<VideoItemData> first(makeJob(QStringLiteral("/in/a.mov")));
    QScopedPointer<VideoItemData> twice(makeJob(QStringLiteral("/in/a.mov")));
    QScopedPointer<VideoItemData> sameBase(makeJob(QStringLiteral("/elsewhere/a.mkv")));
    first->buildArguments();
    twice->buildArguments();
    sameBase->buildArguments();
    QCOMPARE(first->m_outputPath, m_out + QStringLiteral("/a.mp4"));
    QCOMPARE(twice->m_outputPath, m_out + QStringLiteral("/a (0).mp4"));
    QCOMPARE(sameBase->m_outputPath, m_out + QStringLiteral("/a (1).mp4"));

    // A job's own earlier choice does not push it further down.
    first->buildArguments();
    QCOMPARE(first->m_outputPath, m_out + QStringLiteral("/a.mp4"));

    first.reset();
    sameBase->buildArguments();
    QCOMPARE(sameBase->m_outputPath, m_out + QStringLiteral("/a.mp4"));
    QCOMPARE(OutputPathRegistry::heldCount(), 2);
}

void TestCommandLine::videoEncoder_data()
{
    QTest::addColumn<int>("attempt");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("encoder");
    const QStringList small{QStringLiteral("h264_nvenc"), QStringLiteral("h264_amf"), QStringLiteral("h264_qsv"),
        QStringLiteral("h264_mf"), QStringLiteral("h264")};
    const QStringList big{QStringLiteral("hevc_nvenc"), QStringLiteral("hevc_amf"), QStringLiteral("hevc_qsv"),
        QStringLiteral("hevc_mf"), QStringLiteral("h264")};
    for (int attempt = 0; attempt < 5; ++attempt) {
        QTest::addRow("4096 wide, %d", attempt) << attempt << QSize(4096, 4096) << small.at(attempt);
        QTest::addRow("4097 wide, %d", attempt) << attempt << QSize(4097, 2160) << big.at(attempt);
        QTest::addRow("4097 tall, %d", attempt) << attempt << QSize(1080, 4097) << big.at(attempt);
    }
    QTest::newRow("beyond the table") << 7 << QSize(8192, 4320) << QStringLiteral("h264");
    QTest::newRow("below the table") << -1 << QSize(320, 240) << QStringLiteral("h264");
}

void TestCommandLine::videoEncoder()
{
    QFETCH(int, attempt);
    QFETCH(QSize, size);
    QFETCH(QString, encoder);
    QCOMPARE(CommandLineBuilder::videoEncoder(attempt, size.width(), size.height()), encoder);
}

void TestCommandLine::rotationFilter_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<QString>("filter");
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("90") << 90 << QStringLiteral("transpose=1");
    QTest::newRow("180") << 180 << QStringLiteral("transpose=2,transpose=2");
    QTest::newRow("270") << 270 << QStringLiteral("transpose=2");
    QTest::newRow("45") << 45 << QStringLiteral("rotate=PI*0.25");
    QTest::newRow("30") << 30 << QStringLiteral("rotate=PI*0.166667");
    QTest::newRow("359") << 359 << QStringLiteral("rotate=PI*1.99444");
    QTest::newRow("360") << 360 << QString();
    QTest::newRow("-90") << -90 << QString();
}

void TestCommandLine::rotationFilter()
{
    QFETCH(int, degrees);
    QFETCH(QString, filter);
    QCOMPARE(CommandLineBuilder::rotationFilter(degrees), filter);
}

void TestCommandLine::appendFilter()
{
    VideoItemData job;
    job.appendFilter(QString());
    QCOMPARE(job.m_filterChain, QString());
    job.appendFilter(QStringLiteral("hflip"));
    job.appendFilter(QString());
    job.appendFilter(QStringLiteral("vflip"));
    QCOMPARE(job.m_filterChain, QStringLiteral("hflip,vflip"));

    // The video step adds to what the subtitle step left.
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    job.m_pMediaInfo->rotation = 90;
    QVERIFY(job.buildVideoFilters());
    QCOMPARE(job.m_filterChain, QStringLiteral("hflip,vflip,transpose=1"));
    job.m_pMediaInfo->rotation = 0;
    job.m_filterChain.clear();
    QVERIFY(!job.buildVideoFilters());
    QCOMPARE(job.m_filterChain, QString());
}

void TestCommandLine::estimatedSize_data()
{
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<qlonglong>("bytes");
    // (video rate + 256 000) bit/s over the length.
    QTest::newRow("whole file") << QVariantMap() << 100LL * 4256000 / 8;
    QTest::newRow("trimmed") << QVariantMap{{QStringLiteral("trim"), seconds(10, 40)}} << 30LL * 4256000 / 8;
    QTest::newRow("trim end beyond the file")
        << QVariantMap{{QStringLiteral("trim"), seconds(10, 140)}} << 100LL * 4256000 / 8;
    QTest::newRow("overall rate when the stream has none") << QVariantMap{{QStringLiteral("videoBitrate"), 0},
        {QStringLiteral("bitrate"), 5128}} << 100LL * (5128000 + 256000) / 8;
    QTest::newRow("no rate known") << QVariantMap{{QStringLiteral("videoBitrate"), 0}, {QStringLiteral("bitrate"), 0}}
                                   << 100LL * 512000 / 8;
    QTest::newRow("truncated") << QVariantMap{{QStringLiteral("trim"), seconds(0, 0.000001)}} << 4256000LL / 8000000;
}

void TestCommandLine::estimatedSize()
{
    QFETCH(QVariantMap, edits);
    QFETCH(qlonglong, bytes);
    VideoItemData job;
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    applyEdits(job, *job.m_pMediaInfo, edits);
    QCOMPARE(job.estimatedOutputSize(), bytes);
}

void TestCommandLine::formatChange_data()
{
    QTest::addColumn<int>("hasVideo");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("newFormat");
    QTest::addColumn<int>("stateAfter");
    QTest::addColumn<QString>("formatAfter");
    QTest::newRow("completed with video, other format")
        << 1 << 2 << QStringLiteral("mkv") << -1 << QStringLiteral("mkv");
    QTest::newRow("failed with video, other format") << 1 << 3 << QStringLiteral("MOV") << -1 << QStringLiteral("mov");
    QTest::newRow("completed with video, same format") << 1 << 2 << QStringLiteral("MP4") << 2 << QStringLiteral("mp4");
    QTest::newRow("audio only stays mp3") << 0 << 2 << QStringLiteral("mkv") << 2 << QStringLiteral("mp3");
}

void TestCommandLine::formatChange()
{
    QFETCH(int, hasVideo);
    QFETCH(int, state);
    QFETCH(QString, newFormat);
    QFETCH(int, stateAfter);
    QFETCH(QString, formatAfter);

    VideoItemData job;
    job.m_pMediaInfo = new MediaInfo(exampleInfo());
    job.m_pMediaInfo->hasVideo = hasVideo;
    job.m_srtPath = QStringLiteral("/in/a.srt");
    OutputProfile profile{QStringLiteral("mp4")};
    job.setOutputProfile(&profile);
    job.m_nState = state;
    job.m_nProgress = 5000;
    job.m_sizeText.clear();

    QSignalSpy shown(&job, &VideoItemData::updateShow);
    profile.format = newFormat;
    job.setOutputProfile(&profile);
    QCOMPARE(job.m_nState, stateAfter);
    QCOMPARE(job.m_nProgress, stateAfter == -1 ? 0 : 5000);
    QCOMPARE(job.m_format, formatAfter);
    QCOMPARE(job.m_sizeText, MyQtCustom::QCommonUtils::GetFileSizeString(job.estimatedOutputSize()));
    QCOMPARE(shown.count(), 1);
    QVERIFY(job.m_bSoftSubtitle);

    profile.format = QStringLiteral("avi");
    job.setOutputProfile(&profile);
    QCOMPARE(job.m_bSoftSubtitle, hasVideo == 0);
}

MORVAYNE_TEST_CORE_MAIN(TestCommandLine)
#include "tst_commandline.moc"

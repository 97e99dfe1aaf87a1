#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

namespace {

const qint64 Second = 1000000;

// The records as the probe fills them: whole seconds, overall rate in kb/s,
// stream rates in bit/s rounded down to whole kb/s; ffprobe's own report
// keeps the exact lengths.
void describe(VideoItemData* job)
{
    const QString& path = job->m_sourcePath;
    const QJsonObject all = MediaFactory::probe(path);
    const QJsonObject format = all.value(QLatin1String("format")).toObject();
    auto* m = new MediaInfo;
    auto* p = new ProbeInfo;
    m->filePath = path;
    m->fileSize = QFileInfo(path).size();
    p->duration = format.value(QLatin1String("duration")).toString();
    m->duration = static_cast<qint64>(p->duration.toDouble()) * Second;
    m->bitrate = static_cast<int>(format.value(QLatin1String("bit_rate")).toString().toLongLong() / 1000);
    const QJsonArray streams = all.value(QLatin1String("streams")).toArray();
    for (const QJsonValue& v : streams) {
        const QJsonObject s = v.toObject();
        ProbeStream ps;
        ps.codec_type = s.value(QLatin1String("codec_type")).toString();
        ps.duration = s.value(QLatin1String("duration")).toString();
        ps.tags.DURATION = s.value(QLatin1String("tags")).toObject().value(QLatin1String("DURATION")).toString();
        p->streams.append(ps);
        const int rate = static_cast<int>(s.value(QLatin1String("bit_rate")).toString().toLongLong() / 1000) * 1000;
        if (ps.codec_type == QLatin1String("video")) {
            m->hasVideo = 1;
            m->width = s.value(QLatin1String("width")).toInt();
            m->height = s.value(QLatin1String("height")).toInt();
            m->videoCodec = s.value(QLatin1String("codec_name")).toString();
            m->videoBitrate = rate;
        } else if (ps.codec_type == QLatin1String("audio")) {
            m->hasAudio = 1;
            m->sampleRate = s.value(QLatin1String("sample_rate")).toString().toInt();
            m->channels = s.value(QLatin1String("channels")).toInt() == 2 ? 2 : 1;
            m->audioCodec = s.value(QLatin1String("codec_name")).toString();
            m->audioBitrate = rate;
        }
    }
    job->m_pMediaInfo = m;
    job->m_pProbeInfo = p;
}

QJsonObject firstStream(const QString& path, const char* kind)
{
    const QList<QJsonObject> s = MediaFactory::streams(path, QLatin1String(kind));
    return s.isEmpty() ? QJsonObject() : s.first();
}

int streamCount(const QString& path, const char* kind)
{
    return MediaFactory::streams(path, QLatin1String(kind)).size();
}

void setTrim(VideoItemData* job, QPoint seconds)
{
    job->m_pMediaInfo->trimStart = seconds.x() * Second;
    job->m_pMediaInfo->trimEnd = seconds.y() * Second;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Run
{
    int runs = 0;
    QList<int> progress;
};

// Every cue at the bottom left ({\an1}), so that a picture shows where it
// was drawn. Kept from 5 s to 10 s: "Across" for 0 s to 1 s, "Inside" for
// 2.5 s to 3.5 s; "Early" and "Late" fall outside.
const char* const Cues = "1\n00:00:01,200 --> 00:00:02,200\n{\\an1}Early\n\n"
                         "2\n00:00:04,000 --> 00:00:06,000\n{\\an1}Across\n\n"
                         "3\n00:00:07,500 --> 00:00:08,500\n{\\an1}Inside\n\n"
                         "4\n00:00:10,500 --> 00:00:11,500\n{\\an1}Late\n";
const QPoint KeptRange(5, 10);

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void streamCopyCopies();
    void trims_data();
    void trims();
    void encodedPicture_data();
    void encodedPicture();
    void audioTracks_data();
    void audioTracks();
    void softSubtitles_data();
    void softSubtitles();
    void burntSubtitles_data();
    void burntSubtitles();
    void stopRunningConversion();

private:
    VideoItemData* makeJob(const QString& source, const QString& format);
    bool convert(VideoItemData* job, Run* run = nullptr);
    QStringList carriedCues(const QString& path);
    QString litQuadrants(const QString& path, double seconds);

    QString m_media;
    QString m_out;
    QString m_srt;
    QString m_cues;
    RuntimeChoices m_choices;
    OutputProfile m_profile;
};

void TestConversion::initTestCase()
{
    g_appDirPath = TestEnv::appDir();
    QVERIFY(QFileInfo(PathServices::getFFmpegPath()).isExecutable());
    m_choices.makeCurrent();

    m_media = TestEnv::makeDir(QStringLiteral("media"));
    const QString media = m_media + QLatin1Char('/');
    const auto lavfi = [](const QString& graph) {
        return QStringList{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), graph};
    };
    QVERIFY(!MediaFactory::videoWithTone(
        media + QStringLiteral("a.mp4"), 4, QStringLiteral("320x240"), {QStringLiteral("-g"), QStringLiteral("25")})
                 .isEmpty());
    QVERIFY(!MediaFactory::make(media + QStringLiteral("silent.mp4"),
        lavfi(QStringLiteral("testsrc=size=320x240:rate=25:duration=2"))
            << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p"))
                 .isEmpty());
    QVERIFY(!MediaFactory::tone(media + QStringLiteral("tone.wav"), 2, {QStringLiteral("-ar"), QStringLiteral("22050")})
                 .isEmpty());
    QVERIFY(!MediaFactory::tone(media + QStringLiteral("long.wav"), 20, {QStringLiteral("-ar"), QStringLiteral("8000")})
                 .isEmpty());
    // 12 s of black with one keyframe every 10 s and a tone; again with a
    // subtitle track of its own.
    QVERIFY(!MediaFactory::make(media + QStringLiteral("dark.mp4"),
        lavfi(QStringLiteral("color=c=black:size=320x240:rate=25:duration=12"))
            + lavfi(QStringLiteral("sine=frequency=440:duration=12"))
            + QStringList{QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
                QStringLiteral("yuv420p"), QStringLiteral("-g"), QStringLiteral("250")})
                 .isEmpty());
    QVERIFY(writeFile(media + QStringLiteral("own.srt"), "1\n00:00:00,000 --> 00:00:12,000\nOwn track\n"));
    QVERIFY(!MediaFactory::make(media + QStringLiteral("subbed.mp4"),
        {QStringLiteral("-i"), media + QStringLiteral("dark.mp4"), QStringLiteral("-i"),
            media + QStringLiteral("own.srt"), QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-map"),
            QStringLiteral("1"), QStringLiteral("-c"), QStringLiteral("copy"), QStringLiteral("-c:s"),
            QStringLiteral("mov_text")})
                 .isEmpty());
    // Sources that a plain re-encode would keep unplayable or refuse.
    QVERIFY(!MediaFactory::make(media + QStringLiteral("deep.mkv"),
        lavfi(QStringLiteral("testsrc=size=160x120:rate=25:duration=1"))
            << QStringLiteral("-c:v") << QStringLiteral("ffv1") << QStringLiteral("-pix_fmt")
            << QStringLiteral("yuv444p10le"))
                 .isEmpty());
    QVERIFY(!MediaFactory::make(media + QStringLiteral("odd.mkv"),
        lavfi(QStringLiteral("testsrc=size=161x121:rate=25:duration=1"))
            << QStringLiteral("-c:v") << QStringLiteral("ffv1") << QStringLiteral("-pix_fmt")
            << QStringLiteral("yuv420p"))
                 .isEmpty());

    const QString subs = TestEnv::makeDir(QStringLiteral("sub titles"));
    m_srt = subs + QStringLiteral("/a film.srt");
    QVERIFY(writeFile(
        m_srt, "1\n00:00:00,200 --> 00:00:01,500\nHello there\n\n2\n00:00:02,000 --> 00:00:03,000\nSecond line\n"));
    m_cues = subs + QStringLiteral("/cues.srt");
    QVERIFY(writeFile(m_cues, Cues));
}

void TestConversion::init()
{
    m_out = TestEnv::makeDir(QStringLiteral("out"));
    m_choices.m_outFolder = m_out;
}

VideoItemData* TestConversion::makeJob(const QString& source, const QString& format)
{
    auto* job = new VideoItemData;
    job->m_sourcePath = m_media + QLatin1Char('/') + source;
    describe(job);
    m_profile.format = format;
    job->setOutputProfile(&m_profile);
    return job;
}

bool TestConversion::convert(VideoItemData* job, Run* run)
{
    QObject context;
    Run local;
    Run* r = run ? run : &local;
    connect(job, &VideoItemData::updateProgress, &context,
        [r](VideoItemData* item) { r->progress.append(item->m_nProgress); });
    connect(job, &VideoItemData::updateFinished, &context,
        [r](VideoItemData* item) { r->runs = item->m_nEncoderAttempt + 1; });
    QSignalSpy finished(job, &VideoItemData::updateFinished);
    job->m_nState = 0;
    job->startConvert();
    return finished.wait(60000) && job->m_nState == 2;
}

// The first subtitle track's cues as "start-end text", times in seconds to
// a tenth, override tags dropped.
QStringList TestConversion::carriedCues(const QString& path)
{
    const QString srt = m_out + QStringLiteral("/carried.srt");
    if (MediaFactory::make(srt, {QStringLiteral("-i"), path, QStringLiteral("-map"), QStringLiteral("0:s:0")})
            .isEmpty())
        return {};
    static const QRegularExpression timing(
        QStringLiteral("(\\d+):(\\d+):(\\d+),(\\d+) --> (\\d+):(\\d+):(\\d+),(\\d+)\\n([^\\n]*)"));
    const auto seconds = [](const QRegularExpressionMatch& m, int i) {
        const double s = m.captured(i).toInt() * 3600 + m.captured(i + 1).toInt() * 60 + m.captured(i + 2).toInt()
            + m.captured(i + 3).toInt() / 1000.0;
        return QString::number(s, 'f', 1);
    };
    QStringList cues;
    const QString text = QString::fromUtf8(readFile(srt)).remove(QLatin1Char('\r'));
    for (auto it = timing.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString line = m.captured(9);
        line.remove(QRegularExpression(QStringLiteral("\\{[^}]*\\}")));
        cues << seconds(m, 1) + QLatin1Char('-') + seconds(m, 5) + QLatin1Char(' ') + line;
    }
    return cues;
}

// Which quarters of the picture at that time hold light pixels (text on
// black): any of "TL", "TR", "BL", "BR", in that order.
QString TestConversion::litQuadrants(const QString& path, double seconds)
{
    const QJsonObject v = firstStream(path, "video");
    const int w = v.value(QLatin1String("width")).toInt();
    const int h = v.value(QLatin1String("height")).toInt();
    const QString raw = m_out + QStringLiteral("/frame.gray");
    MediaFactory::make(raw,
        {QStringLiteral("-ss"), QString::number(seconds), QStringLiteral("-i"), path, QStringLiteral("-frames:v"),
            QStringLiteral("1"), QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
            QStringLiteral("gray")});
    const QByteArray pixels = readFile(raw);
    if (w <= 0 || pixels.size() != w * h)
        return QStringLiteral("no frame");
    int lit[4] = {0, 0, 0, 0};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (static_cast<unsigned char>(pixels.at(y * w + x)) > 128)
                ++lit[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)];
        }
    }
    QString found;
    const char* const names[4] = {"TL", "TR", "BL", "BR"};
    for (int i = 0; i < 4; ++i) {
        if (lit[i] > 20)
            found += QLatin1String(names[i]);
    }
    return found;
}

void TestConversion::streamCopyCopies()
{
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("a.mp4"), QStringLiteral("mov")));
    Run run;
    QVERIFY(convert(job.data(), &run));
    QCOMPARE(run.runs, 1);
    QCOMPARE(job->m_outputPath, m_out + QStringLiteral("/a.mov"));

    const QString src = job->m_sourcePath;
    const QString out = job->m_outputPath;
    for (const char* kind : {"video", "audio"}) {
        const QJsonObject a = firstStream(src, kind);
        const QJsonObject b = firstStream(out, kind);
        QCOMPARE(b.value(QLatin1String("codec_name")), a.value(QLatin1String("codec_name")));
        QCOMPARE(b.value(QLatin1String("bit_rate")), a.value(QLatin1String("bit_rate")));
        QCOMPARE(b.value(QLatin1String("nb_frames")), a.value(QLatin1String("nb_frames")));
    }
}

// 5 s to 10 s of a file with keyframes at 0 s and 10 s: a copy would start
// at 0 s, which only MP4 and MOV can hide.
void TestConversion::trims_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("runs");
    QTest::newRow("mp4 copies") << QStringLiteral("mp4") << 1;
    QTest::newRow("mkv encodes") << QStringLiteral("mkv") << 5;
    QTest::newRow("avi encodes") << QStringLiteral("avi") << 5;
}

void TestConversion::trims()
{
    QFETCH(QString, format);
    QFETCH(int, runs);
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("dark.mp4"), format));
    setTrim(job.data(), KeptRange);
    Run run;
    QVERIFY(convert(job.data(), &run));
    QCOMPARE(run.runs, runs);
    for (const char* kind : {"video", "audio"}) {
        const QJsonObject s = firstStream(job->m_outputPath, kind);
        const double start = s.value(QLatin1String("start_time")).toString().toDouble();
        QVERIFY2(start < 0.1, kind);
    }
    const double length = MediaFactory::durationSeconds(job->m_outputPath);
    QVERIFY2(length > 4.8 && length < 5.3, qPrintable(QString::number(length)));
}

// Every encode ends in even sizes and 8-bit 4:2:0; on this machine the
// hardware encoders fail and the fifth run succeeds.
void TestConversion::encodedPicture_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QRect>("crop");
    QTest::newRow("10-bit 4:4:4 source") << QStringLiteral("deep.mkv") << QStringLiteral("mp4") << QRect();
    QTest::newRow("odd-sized source") << QStringLiteral("odd.mkv") << QStringLiteral("mp4") << QRect();
    QTest::newRow("odd crop into mov") << QStringLiteral("a.mp4") << QStringLiteral("mov") << QRect(16, 8, 161, 121);
}

void TestConversion::encodedPicture()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(QRect, crop);
    QScopedPointer<VideoItemData> job(makeJob(source, format));
    job->m_pMediaInfo->cropX = crop.x();
    job->m_pMediaInfo->cropY = crop.y();
    job->m_pMediaInfo->cropWidth = crop.width();
    job->m_pMediaInfo->cropHeight = crop.height();
    Run run;
    QVERIFY(convert(job.data(), &run));
    QCOMPARE(run.runs, 5);

    const QJsonObject v = firstStream(job->m_outputPath, "video");
    QCOMPARE(v.value(QLatin1String("codec_name")).toString(), QStringLiteral("h264"));
    QCOMPARE(v.value(QLatin1String("profile")).toString(), QStringLiteral("High"));
    QCOMPARE(v.value(QLatin1String("pix_fmt")).toString(), QStringLiteral("yuv420p"));
    QCOMPARE(v.value(QLatin1String("width")).toInt(), 160);
    QCOMPARE(v.value(QLatin1String("height")).toInt(), 120);

    QVERIFY(!run.progress.isEmpty());
    for (int i = 1; i < run.progress.size(); ++i)
        QVERIFY(run.progress.at(i) >= run.progress.at(i - 1));
    QVERIFY(run.progress.last() > 0 && run.progress.last() <= 9999);
    QCOMPARE(job->m_sizeText, MyQtCustom::QCommonUtils::GetFileSizeString(QFileInfo(job->m_outputPath).size()));
}

void TestConversion::audioTracks_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("track");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QPoint>("trim");
    QTest::addColumn<int>("audioStreams");
    QTest::addColumn<double>("length");
    const QString mp3 = QStringLiteral("mp3");
    const QString mp4 = QStringLiteral("mp4");
    const QString a = QStringLiteral("a.mp4");
    const QString tone = QStringLiteral("tone.wav");
    const QString none;
    QTest::newRow("aac into mp3") << a << mp3 << none << false << QPoint() << 1 << 4.0;
    QTest::newRow("audio-only source is mp3 whatever the page shows")
        << tone << mp4 << none << false << QPoint() << 1 << 2.0;
    QTest::newRow("mp3 holds only the added track") << a << mp3 << tone << false << QPoint() << 1 << 2.0;
    QTest::newRow("mp3 ignores removing the source's audio alone") << a << mp3 << none << true << QPoint() << 1 << 4.0;
    QTest::newRow("added beside the source's") << a << mp4 << tone << false << QPoint() << 2 << 4.0;
    QTest::newRow("replacing the source's") << a << mp4 << tone << true << QPoint() << 1 << 4.0;
    QTest::newRow("under a silent source")
        << QStringLiteral("silent.mp4") << mp4 << tone << false << QPoint() << 1 << 2.0;
    QTest::newRow("20 s track under a 12 s clip")
        << QStringLiteral("dark.mp4") << mp4 << QStringLiteral("long.wav") << false << QPoint() << 2 << 12.0;
    QTest::newRow("20 s track under a 5 s cut")
        << QStringLiteral("dark.mp4") << mp4 << QStringLiteral("long.wav") << true << KeptRange << 1 << 5.0;
}

void TestConversion::audioTracks()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(QString, track);
    QFETCH(bool, remove);
    QFETCH(QPoint, trim);
    QFETCH(int, audioStreams);
    QFETCH(double, length);
    QScopedPointer<VideoItemData> job(makeJob(source, format));
    if (!track.isEmpty())
        job->m_pMediaInfo->externalAudioPath = m_media + QLatin1Char('/') + track;
    job->m_pMediaInfo->removeOriginalAudio = remove;
    setTrim(job.data(), trim);
    const bool mp3 = job->m_format == QLatin1String("mp3");
    if (mp3)
        job->m_srtPath = m_srt; // left from another format; ignored
    QVERIFY(convert(job.data()));

    const QString out = job->m_outputPath;
    QCOMPARE(QFileInfo(out).suffix(), mp3 ? QStringLiteral("mp3") : format);
    const QList<QJsonObject> audio = MediaFactory::streams(out, QStringLiteral("audio"));
    QCOMPARE(audio.size(), audioStreams);
    for (const QJsonObject& s : audio) {
        QCOMPARE(s.value(QLatin1String("codec_name")).toString(), mp3 ? QStringLiteral("mp3") : QStringLiteral("aac"));
        QCOMPARE(s.value(QLatin1String("sample_rate")).toString(), QStringLiteral("48000"));
        QCOMPARE(s.value(QLatin1String("channels")).toInt(), 2);
    }
    QCOMPARE(streamCount(out, "video"), mp3 ? 0 : 1);
    QCOMPARE(streamCount(out, "subtitle"), 0);
    const double seconds = MediaFactory::durationSeconds(out);
    QVERIFY2(qAbs(seconds - length) < 0.3, qPrintable(QString::number(seconds)));
}

void TestConversion::softSubtitles_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("cues"); // the marked cues, else the plain file
    QTest::addColumn<QPoint>("trim");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QStringList>("carried");
    const QString a = QStringLiteral("a.mp4");
    const QStringList plain{QStringLiteral("0.2-1.5 Hello there"), QStringLiteral("2.0-3.0 Second line")};
    QTest::newRow("mp4") << a << QStringLiteral("mp4") << false << QPoint() << QStringLiteral("mov_text") << plain;
    QTest::newRow("mkv") << a << QStringLiteral("mkv") << false << QPoint() << QStringLiteral("subrip") << plain;
    QTest::newRow("source's own track is left out")
        << QStringLiteral("subbed.mp4") << QStringLiteral("mp4") << true << QPoint() << QStringLiteral("mov_text")
        << QStringList{QStringLiteral("1.2-2.2 Early"), QStringLiteral("4.0-6.0 Across"),
               QStringLiteral("7.5-8.5 Inside"), QStringLiteral("10.5-11.5 Late")};
    QTest::newRow("trimmed") << QStringLiteral("dark.mp4") << QStringLiteral("mp4") << true << KeptRange
                             << QStringLiteral("mov_text")
                             << QStringList{QStringLiteral("0.0-1.0 Across"), QStringLiteral("2.5-3.5 Inside")};
}

void TestConversion::softSubtitles()
{
    QFETCH(QString, source);
    QFETCH(QString, format);
    QFETCH(bool, cues);
    QFETCH(QPoint, trim);
    QFETCH(QString, codec);
    QFETCH(QStringList, carried);
    QScopedPointer<VideoItemData> job(makeJob(source, format));
    job->m_srtPath = cues ? m_cues : m_srt;
    setTrim(job.data(), trim);
    QVERIFY(convert(job.data()));

    const QString out = job->m_outputPath;
    const QList<QJsonObject> subs = MediaFactory::streams(out, QStringLiteral("subtitle"));
    QCOMPARE(subs.size(), 1);
    QCOMPARE(subs.first().value(QLatin1String("codec_name")).toString(), codec);
    QCOMPARE(carriedCues(out), carried);
    QCOMPARE(streamCount(out, "video"), 1);
    QCOMPARE(streamCount(out, "audio"), 1);
    if (!trim.isNull())
        QVERIFY(MediaFactory::durationSeconds(out) < 5.3); // no cue placed after the end
    // The copy under the temp folder is gone once the run has ended.
    QVERIFY(QDir(PathServices::getTempFolder()).entryList({QStringLiteral("*.srt")}).isEmpty());
}

// The 5 s to 10 s cut with its cues drawn in: "Across" at 0.5 s, nothing at
// 1.5 s, "Inside" at 3 s, nothing at 4.5 s, always at the bottom left of the
// picture as it comes out, whatever the edits.
void TestConversion::burntSubtitles_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("flipH");
    QTest::addColumn<QSize>("size");
    QTest::newRow("mp4") << QStringLiteral("mp4") << 0 << 0 << QSize(320, 240);
    QTest::newRow("rotated by 90") << QStringLiteral("mp4") << 90 << 0 << QSize(240, 320);
    QTest::newRow("mirrored") << QStringLiteral("mp4") << 0 << 1 << QSize(320, 240);
    QTest::newRow("avi burns even a soft one") << QStringLiteral("avi") << 0 << 0 << QSize(320, 240);
}

void TestConversion::burntSubtitles()
{
    QFETCH(QString, format);
    QFETCH(int, rotation);
    QFETCH(int, flipH);
    QFETCH(QSize, size);
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("dark.mp4"), format));
    job->m_srtPath = m_cues;
    job->m_bSoftSubtitle = format == QLatin1String("avi");
    job->m_pMediaInfo->rotation = rotation;
    job->m_pMediaInfo->flipH = flipH;
    setTrim(job.data(), KeptRange);
    job->m_pMediaInfo->videoBitrate = 400000; // a film's rate, not a black picture's
    QVERIFY(convert(job.data()));

    const QString out = job->m_outputPath;
    QCOMPARE(streamCount(out, "subtitle"), 0);
    const QJsonObject v = firstStream(out, "video");
    QCOMPARE(QSize(v.value(QLatin1String("width")).toInt(), v.value(QLatin1String("height")).toInt()), size);
    const QStringList lit{
        litQuadrants(out, 0.5), litQuadrants(out, 1.5), litQuadrants(out, 3.0), litQuadrants(out, 4.5)};
    QCOMPARE(lit, QStringList({QStringLiteral("BL"), QString(), QStringLiteral("BL"), QString()}));
}

void TestConversion::stopRunningConversion()
{
    QVERIFY(!MediaFactory::make(m_media + QStringLiteral("/long.avi"),
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=640x480:rate=25:duration=30"), QStringLiteral("-c:v"),
            QStringLiteral("mpeg4")})
                 .isEmpty());
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("long.avi"), QStringLiteral("mp4")));
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    QObject context;
    connect(job.data(), &VideoItemData::updateProgress, &context, [&context](VideoItemData* item) {
        if (item->m_nProgress > 0)
            context.setObjectName(QStringLiteral("running"));
    });
    job->startConvert();
    QTRY_COMPARE_WITH_TIMEOUT(context.objectName(), QStringLiteral("running"), 30000);
    QTRY_VERIFY(QFileInfo(job->m_outputPath).size() > 0);
    QCOMPARE(job->m_nState, 1);
    auto* process = job->findChild<QProcess*>();
    const qint64 pid = process->processId();

    QElapsedTimer clock;
    clock.start();
    job->stopConvert();
    const qint64 took = clock.elapsed();
    qInfo("stop took %lld ms", took);
    QVERIFY(took < 2000);
    QCOMPARE(process->state(), QProcess::NotRunning);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)));
    QCOMPARE(job->m_nState, 4);
    QCOMPARE(finished.count(), 1);
    QVERIFY(QFileInfo(job->m_outputPath).size() > 0); // the partial file stays
    QTest::qWait(100);
    QCOMPARE(job->m_nState, 4);
}

MORVAYNE_TEST_CORE_MAIN(TestConversion)
#include "tst_conversion.moc"

#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "convert/commandlinebuilder.h"
#include "convert/corecount.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/progressreader.h"
#include "convert/subtitletrim.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "probe/probejsonreader.h"

#include <algorithm>
#include <sched.h>
#include <signal.h>
#include <type_traits>

namespace {

const qint64 Second = 1000000;

QString str(const char* text)
{
    return QString::fromUtf8(text);
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

int subtitleCopies()
{
    return QDir(PathServices::getTempFolder()).entryList({QStringLiteral("*.srt")}).size();
}

// The words of a text split at blanks, "@" standing for `at`.
QStringList words(const QString& text, const QString& at)
{
    QStringList list = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return list.replaceInStrings(QStringLiteral("@"), at);
}

// What ffmpeg writes into `path` from these arguments.
QByteArray make(const QString& path, const char* args, const QString& at)
{
    MediaFactory::make(path, words(str(args), at));
    return readFile(path);
}

// "<video>, <audio>, <subtitle>, <seconds> s": the video as its size, with
// codec, profile and pixel format in front unless they are the playable
// "h264 High yuv420p"; streams of a kind joined by "+", "-" for none.
QString summary(const QString& path)
{
    const QJsonObject all = MediaFactory::probe(path);
    QHash<QString, QStringList> kinds;
    for (const QJsonValue& stream : all.value(QLatin1String("streams")).toArray()) {
        const auto field = [&stream](const char* key) { return stream[QLatin1String(key)].toVariant().toString(); };
        QString look = field("codec_name");
        if (field("codec_type") == QLatin1String("video")) {
            look = QStringLiteral("%1 %2 %3 %4x%5")
                       .arg(look, field("profile"), field("pix_fmt"), field("width"), field("height"))
                       .remove(QStringLiteral("h264 High yuv420p "));
            const QJsonValue turn = stream[QLatin1String("side_data_list")][0][QLatin1String("rotation")];
            if (!turn.isUndefined())
                look += QStringLiteral(" turned %1").arg(turn.toInt());
        }
        kinds[field("codec_type")] << look;
    }
    QString text;
    for (const char* kind : {"video", "audio", "subtitle"})
        text += kinds.value(str(kind), {QStringLiteral("-")}).join(QLatin1Char('+')) + QLatin1String(", ");
    const double seconds = all[QLatin1String("format")][QLatin1String("duration")].toString().toDouble();
    return text + QStringLiteral("%1 s").arg(qRound(seconds));
}

// Every cue at the bottom left ({\an1}), so that a picture shows where it was
// drawn. Of 5 s to 10 s, "Across" is kept for 0 s to 1 s, "Inside" for 2.5 s
// to 3.5 s and "Late" for 4.5 s to 5 s; 20 s to 70 s keeps nothing.
const char* const Cues = "1\n00:00:01,200 --> 00:00:02,200\n{\\an1}Early\n\n"
                         "2\n00:00:04,000 --> 00:00:06,000\n{\\an1}Across\n\n"
                         "3\n00:00:07,500 --> 00:00:08,500\n{\\an1}Inside\n\n"
                         "4\n00:00:09,500 --> 00:00:10,500\n{\\an1}Late\n";

// The record of a made-up source: H.264 1920x1080 at 4 Mbit/s, AAC, 100 s;
// its video's length as ffprobe reports an MP4's, or as a Matroska tag.
const char* const Banner = "  Duration: 00:01:40.00, start: 0.000000, bitrate: 4200 kb/s\n"
                           "    Stream #0:0: Video: h264, yuv420p, 1920x1080, 4000 kb/s, 25 fps\n"
                           "    Stream #0:1: Audio: aac, 48000 Hz, stereo, fltp, 128 kb/s\n";
const char* const Probe
    = R"({"streams": [{"codec_type": "video", "duration": "%1", "has_b_frames": "%3", "tags": {"DURATION": "%2"}}]})";

// A stand-in for ffmpeg: the file "mode" beside it picks what it does. Every
// call goes to "calls" after its working folder and font setting; a subtitle
// input must still be there a moment after the start. It writes nothing
// outside the test's own folders.
const char* const StandIn = R"sh(#!/bin/sh
dir=$(dirname "$0")
for last; do :; done
echo "$(pwd) $FONTCONFIG_FILE $*" >> "$dir/calls"
for a; do case "$a" in *.srt) sleep 0.05; [ -f "$a" ] || exit 1 ;; esac; done
case "$last" in "$MORVAYNE_TEST_ROOT"/*) ;; *) echo "refusing to write $last"; exit 1 ;; esac
case $(cat "$dir/mode") in
exit1) printf 'data' > "$last"; printf '[mp4 @ 0x55d0c1a2b3c0] Could not find tag for codec\n'; exit 1 ;;
phrase-first) printf 'Conversion failed!\n'; sleep 0.2; printf 'data' > "$last" ;;
phrase-split) printf 'video:1kB audio:1kB\nConversion fa'; sleep 0.3; printf 'iled!\n'; printf 'data' > "$last" ;;
metadata-split) printf '    comment         : '; sleep 0.3; printf 'Lsize=1kB time=00:01:39.00 bitrate=1\n'; printf 'data' > "$last" ;;
empty) : > "$last" ;;
crash) printf 'data' > "$last"; kill -SEGV $$ ;;
hw-fails) case "$*" in *_nvenc*|*_amf*|*_qsv*|*_mf*) echo "Unknown encoder"; exit 1 ;; esac; printf 'data' > "$last" ;;
hang) printf 'partial' > "$last"; echo "frame=1 time=00:00:01.00 bitrate=1"; exec sleep 30 ;;
esac
)sh";

// Where a file shows its first bright picture (its index and time), how far
// any picture strays from its place at 25 fps, and where its beep starts,
// with the times the demuxer gives, as a player would show them.
struct FlashAndBeep
{
    int frame = -1;
    double picture = -1;
    double strayMs = 0;
    double beep = -1;
    double offsetMs() const { return (beep - picture) * 1000; }
};

QStringList probeLines(const QString& filter, const char* entries)
{
    QProcess p;
    p.start(MediaFactory::systemFFprobe(),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-f"), QStringLiteral("lavfi"),
            QStringLiteral("-i"), filter, QStringLiteral("-show_entries"), str(entries), QStringLiteral("-of"),
            QStringLiteral("csv=p=0")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

FlashAndBeep findFlashAndBeep(const QString& path)
{
    FlashAndBeep found;
    const QStringList pictures = probeLines(QStringLiteral("movie='%1',signalstats").arg(path),
        "frame=pts_time:frame_tags=lavfi.signalstats.YAVG");
    for (int i = 0; i < pictures.size(); ++i) {
        const double at = pictures.at(i).section(QLatin1Char(','), 0, 0).toDouble();
        found.strayMs = qMax(found.strayMs, qAbs(at - i * 0.04) * 1000);
        if (found.frame < 0 && pictures.at(i).section(QLatin1Char(','), 1).toDouble() > 150) {
            found.frame = i;
            found.picture = at;
        }
    }
    // Peaks of every millisecond.
    for (const QString& line : probeLines(QStringLiteral("amovie='%1',asetnsamples=n=48,astats=metadata=1:reset=1").arg(path),
             "frame=pts_time:frame_tags=lavfi.astats.Overall.Peak_level")) {
        bool ok = false;
        if (line.section(QLatin1Char(','), 1).toDouble(&ok) > -20 && ok) {
            found.beep = line.section(QLatin1Char(','), 0, 0).toDouble();
            break;
        }
    }
    return found;
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init()
    {
        g_appDirPath = TestEnv::appDir();
        m_choices.m_outFolder = m_out = TestEnv::makeDir(QStringLiteral("out"));
        // Two runs at once on two cores: one thread each, whatever the machine.
        CoreCount::pin(2);
        m_choices.m_maxConvertCount = 2;
    }
    void cleanup() { QCOMPARE(OutputPathRegistry::heldCount(), 0); }

    void argumentList_data();
    void argumentList();
    void rules();
    void threads_data();
    void threads();
    void coresOfTheProcess();

    void verdict_data();
    void verdict();
    void stopAndDelete();
    void jobsAtOnce();

    void realConversion_data();
    void realConversion();
    void aviKeepsTime();

private:
    VideoItemData* makeJob(const QString& format, const QString& edits);
    QStringList calls() const
    {
        return QString::fromUtf8(readFile(m_calls)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString m_media;
    QString m_cues;
    QString m_standIn;
    QString m_calls;
    QString m_out;
    RuntimeChoices m_choices;
    OutputProfile m_profile;
};

void TestConversion::initTestCase()
{
    m_choices.makeCurrent();
    m_standIn = TestEnv::makeDir(QStringLiteral("standin"));
    m_calls = m_standIn + QStringLiteral("/calls");
    QVERIFY(writeFile(m_standIn + QStringLiteral("/ffmpeg"), StandIn));
    QVERIFY(QFile::setPermissions(m_standIn + QStringLiteral("/ffmpeg"), QFile::ReadOwner | QFile::ExeOwner));
    m_cues = TestEnv::makeDir(QStringLiteral("sub titles")) + QStringLiteral("/cues.srt");
    QVERIFY(writeFile(m_cues, Cues));

    m_media = TestEnv::makeDir(QStringLiteral("media"));
    QVERIFY(writeFile(m_media + QStringLiteral("/own.srt"), "1\n00:00:00,000 --> 00:00:12,000\nOwn track\n"));
    // Arguments split at blanks; "@" stands for the media folder.
    const QList<QPair<const char*, const char*>> media{
        {"a.mp4", "-f lavfi -i testsrc=s=320x240:r=25:d=4 -f lavfi -i sine=d=4 -pix_fmt yuv420p"},
        {"silent.mp4", "-f lavfi -i testsrc=s=320x240:r=25:d=2 -pix_fmt yuv420p"},
        {"tone.wav", "-f lavfi -i sine=d=2"},
        {"long.wav", "-f lavfi -i sine=d=20"},
        // Black, with one keyframe every 10 s.
        {"dark.mp4", "-f lavfi -i color=c=black:s=320x240:r=25:d=12 -f lavfi -i sine=d=12 -pix_fmt yuv420p -g 250"},
        {"subbed.mp4", "-i @/dark.mp4 -i @/own.srt -map 0 -map 1 -c copy -c:s mov_text"},
        // What a plain re-encode would keep unplayable, or refuse.
        {"deep.mkv", "-f lavfi -i testsrc=s=161x121:r=25:d=1 -c:v ffv1 -pix_fmt yuv444p10le"},
        // Without B-frames, so that only the container decides about a copy.
        {"plain.mkv", "-f lavfi -i testsrc=s=320x240:r=25:d=2 -f lavfi -i sine=d=2 -pix_fmt yuv420p -bf 0 -c:a aac"},
        // Shot upright, stored lying on its side.
        {"phone.mp4", "-i @/plain.mkv -c copy -metadata:s:v:0 rotate=90"},
    };
    for (const auto& m : media)
        QVERIFY(!make(m_media + QLatin1Char('/') + str(m.first), m.second, m_media).isEmpty());
}

// A job as the list makes one from "key=value" or "key" words; "@" stands for
// the media folder. A source ("src") that exists is probed; "mode=..." runs
// the job through the stand-in ffmpeg.
VideoItemData* TestConversion::makeJob(const QString& format, const QString& edits)
{
    QHash<QString, QString> e;
    for (const QString& word : words(QLatin1String("src=/in/a.mov ") + edits, m_media))
        e.insert(word.section(QLatin1Char('='), 0, 0), word.section(QLatin1Char('='), 1));
    const auto take = [&e](const char* key) { return e.take(QLatin1String(key)); };
    if (e.contains(QStringLiteral("mode"))) { // before the job takes its font setting
        g_appDirPath = m_standIn;
        writeFile(m_standIn + QStringLiteral("/mode"), take("mode").toUtf8());
        QFile::remove(m_calls);
    }
    auto* job = new VideoItemData;
    MediaInfo* m = job->m_pMediaInfo = new MediaInfo;
    job->m_pProbeInfo = new ProbeInfo;
    job->m_sourcePath = take("src");
    const bool probed = QFileInfo::exists(job->m_sourcePath);
    FFmpegBannerParser::parse(m, probed ? MediaFactory::banner(job->m_sourcePath) : str(Banner));
    ProbeJsonReader::read(probed ? QString::fromUtf8(QJsonDocument(MediaFactory::probe(job->m_sourcePath)).toJson())
                                 : str(Probe).arg(take("vlen"), take("vtag"), take("bframes")),
        job->m_pProbeInfo);
    const auto set = [&e](const char* key, auto& field) {
        if (e.contains(QLatin1String(key)))
            field = QVariant(e.take(QLatin1String(key))).value<std::remove_reference_t<decltype(field)>>();
    };
    set("vcodec", m->videoCodec);
    set("acodec", m->audioCodec);
    set("audio", m->externalAudioPath);
    set("rot", m->rotation);
    set("hflip", m->flipH);
    set("vflip", m->flipV);
    set("video", m->hasVideo);
    set("vrate", m->videoBitrate); // bit/s
    set("rate", m->bitrate);       // overall, kb/s
    set("us", m->duration);
    const QStringList trim = take("trim").split(QLatin1Char(',')); // seconds
    m->trimStart = static_cast<qint64>(trim.value(0).toDouble() * Second);
    m->trimEnd = static_cast<qint64>(trim.value(1).toDouble() * Second);
    const QStringList crop = take("crop").split(QLatin1Char(',')); // x,y,width,height
    int* const cropFields[] = {&m->cropX, &m->cropY, &m->cropWidth, &m->cropHeight};
    for (int i = 0; i < qMin(crop.size(), 4); ++i)
        *cropFields[i] = crop.at(i).toInt();
    m->removeOriginalAudio = e.remove(QStringLiteral("remove")) > 0;
    if (e.remove(QStringLiteral("silent")) > 0)
        m->hasAudio = 0;
    if (e.remove(QStringLiteral("srt")) > 0)
        job->m_srtPath = m_cues;
    if (e.remove(QStringLiteral("burn")) > 0)
        job->m_bSoftSubtitle = false;
    if (!e.isEmpty())
        qFatal("unknown edit %s", qPrintable(e.keys().join(QLatin1Char(' '))));
    m_profile.format = format;
    job->setOutputProfile(&m_profile);
    return job;
}

void TestConversion::argumentList_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* format, const char* edits, const char* expected) {
        QTest::newRow(name) << str(format) << str(edits) << str(expected);
    };
    // The worked examples; the MP3 one with a subtitle and a removal left from another format.
    row("mp4 without edits", "mp4", "", "-i /in/a.mov -c:v copy -c:a copy a.mp4");
    row("mp4 trimmed and rotated", "mp4", "trim=10,70 rot=90",
        "-ss 00:00:10 -to 00:01:10 -i /in/a.mov {enc} -filter_complex transpose=1,{play} -c:a copy a.mp4");
    row("mp3 with edits left over", "mp3", "srt remove", "-i /in/a.mov -vn {mp3} a.mp3");

    row("same extension in other case copies", "mov", "src=/in/x.MOV vcodec=mpeg4 acodec=mp3",
        "-i /in/x.MOV -c:v copy -c:a copy x.mov");
    row("mkv always copies", "mkv", "src=/in/x.avi vcodec=mpeg4 acodec=mp3", "-i /in/x.avi -c:v copy -c:a copy x.mkv");
    row("nothing copies; overall rate", "mp4", "src=/in/x.mkv vcodec=mpeg4 acodec=mp3 vrate=0 rate=5128",
        "-i /in/x.mkv -c:v h264_nvenc -b:v 5128000 -filter_complex {play} {aac} x.mp4");
    row("full-picture crop and 360 degrees copy; every extension in the name goes", "mp4",
        "src=/in/clip.mp4x.mp4 crop=0,0,1920,1080 rot=360", "-i /in/clip.mp4x.mp4 -c:v copy -c:a copy clipx.mp4");

    // AVI keeps no presentation times: H.264 goes in without reordered pictures.
    row("h264 without B-frames copies into avi as a start-code stream", "avi", "src=/in/x.webm acodec=opus bframes=0",
        "-i /in/x.webm -c:v copy -bsf:v h264_mp4toannexb -tag:v H264 {aac} {avi} x.avi");
    row("h264 with B-frames, or not known to be without, is encoded for avi", "avi", "src=/in/x.mkv",
        "-i /in/x.mkv {enc} -bf 0 -filter_complex {play} -c:a copy {avi} x.avi");

    row("crop, rotation, mirrors in order", "mp4", "crop=2,0,1918,1080 rot=180 hflip=1 vflip=1",
        "-i /in/a.mov {enc} -filter_complex crop=1918:1080:2:0,transpose=2,transpose=2,hflip,vflip,{play} -c:a copy "
        "a.mp4");

    row("added audio beside the source's, cut at the video's end", "mp4", "audio=/in/m.m4a vlen=12.040000",
        "-i /in/a.mov -t 12.040 -i /in/m.m4a -c:v copy -map 0:v:0 -map 0:a:0? -map 1:a {aac} a.mp4");
    row("added audio replaces the source's, length from a tag", "mp4", "audio=/in/m.m4a remove vtag=00:01:02.500000000",
        "-i /in/a.mov -t 62.500 -i /in/m.m4a -c:v copy -map 0:v:0 -map 1:a:0 {aac} a.mp4");
    row("audio-only source is mp3 whatever the page shows", "mp4", "src=/in/song.mp3 video=0 acodec=mp3",
        "-i /in/song.mp3 -vn -c:a copy song.mp3");
    // An MP3 holds one audio stream: the added track only in place of the source's.
    row("mp3 of a silent source takes the added track", "mp3", "audio=/in/m.m4a silent",
        "-i /in/a.mov -t 100.000 -i /in/m.m4a -vn -map 1:a:0 {mp3} a.mp3");

    row("trimmed soft subtitle in mkv is SubRip of its range", "mkv", "srt trim=10.5,70.9 remove",
        "-ss 00:00:10 -to 00:01:10 -i /in/a.mov -i {md5}-10-70.srt -c:s srt {enc} -filter_complex {play} -map 0:v:0 "
        "-map 1:s -an a.mkv");
    row("soft subtitle with added audio", "mp4", "srt audio=/in/m.m4a",
        "-i /in/a.mov -t 100.000 -i /in/m.m4a -i {md5}.srt -c:s mov_text {enc} -filter_complex {play} -map 0:v:0 "
        "-map 0:a:0? -map 1:a -map 2:s {aac} a.mp4");
    row("burnt in after the edits; trim cuts the added audio", "mp4",
        "srt burn crop=0,0,960,540 rot=270 hflip=1 trim=5,10 audio=/in/m.m4a remove",
        "-ss 00:00:05 -to 00:00:10 -i /in/a.mov -ss 00:00:05 -to 00:00:10 -i /in/m.m4a {enc} -filter_complex "
        "crop=960:540:0:0,transpose=2,hflip,subtitles='{md5}-5-10.srt',{play} -map 0:v:0 -map 1:a:0 {aac} a.mp4");
    row("avi burns even a soft subtitle in; 45 degrees", "avi", "srt rot=45",
        "-i /in/a.mov {enc} -bf 0 -filter_complex rotate=PI*0.25,subtitles='{md5}.srt',{play} -c:a copy {avi} a.avi");
    row("no cue in the kept range, no subtitle", "mp4", "srt trim=20,70",
        "-ss 00:00:20 -to 00:01:10 -i /in/a.mov -c:v copy -c:a copy a.mp4");
}

// Expected lists end in the output's name, to which "-threads 1 -y" and the
// output folder are added: two runs at once on two cores.
void TestConversion::argumentList()
{
    QFETCH(QString, format);
    QFETCH(QString, edits);
    QFETCH(QString, expected);
    QScopedPointer<VideoItemData> job(makeJob(format, edits));
    expected.replace(QLatin1String("{enc}"), QLatin1String("-c:v h264_nvenc -b:v 4000000"))
        .replace(QLatin1String("{play}"), QLatin1String("crop=trunc(iw/2)*2:trunc(ih/2)*2:0:0,format=yuv420p"))
        .replace(QLatin1String("{aac}"), QLatin1String("-c:a aac -ac 2 -b:a 320K -ar 48K"))
        .replace(QLatin1String("{mp3}"), QLatin1String("-ac 2 -ab 320K -ar 48K -acodec libmp3lame"))
        .replace(QLatin1String("{avi}"), QLatin1String("-avoid_negative_ts disabled"))
        .replace(QLatin1String("{md5}"), PathServices::getMd5String(m_cues));
    expected.replace(QRegularExpression(QStringLiteral(" (\\S+)$")),
        QLatin1String(" -threads 1 -y ") + m_out + QLatin1String("/\\1"));
    QCOMPARE(job->buildArguments(), expected.split(QLatin1Char(' ')));
}

void TestConversion::rules()
{
    // H.264 up to 4096 a side, HEVC above, on the hardware attempts; libx264 last.
    QStringList names;
    for (int attempt = 0; attempt < 5; ++attempt) {
        for (const QSize& size : {QSize(4096, 4096), QSize(4097, 2160), QSize(1080, 4097)})
            names << CommandLineBuilder::videoEncoder(attempt, size.width(), size.height());
    }
    QCOMPARE(names.join(QLatin1Char(' ')),
        QStringLiteral("h264_nvenc hevc_nvenc hevc_nvenc h264_amf hevc_amf hevc_amf h264_qsv hevc_qsv hevc_qsv h264_mf "
                       "hevc_mf hevc_mf h264 h264 h264"));
    // A suffix that could break out of the filter's quotes is not passed on.
    QCOMPARE(CommandLineBuilder::subtitleCopyName(QStringLiteral("/x/a.s'rt")),
        QString(PathServices::getMd5String(QStringLiteral("/x/a.s'rt")) + QLatin1String(".srt")));
    // The log line can be pasted into a shell.
    QCOMPARE(VideoItemData::logLine({str("-i"), str("/in/my clip's.mp4"), str("-vf"), str("crop=2:2"), QString()}),
        str(" -i '/in/my clip'\\''s.mp4' -vf crop=2:2 '' "));

    // The size estimate in bytes is (video rate + 256 000) bit/s over the kept
    // length (30 s; the whole 100 s past the end): of 4 Mbit/s, of 5.128 Mbit/s
    // overall, of nothing known; then 100 hours at 2 Tbit/s, whose product of
    // microseconds and bits leaves 64 bits, and a length no estimate can hold.
    QStringList sizes;
    for (const char* edits : {"trim=10,40", "trim=10,140", "vrate=0 rate=5128", "vrate=0 rate=0",
             "us=360000000000 vrate=0 rate=2000000000", "us=9000000000000000000 vrate=2000000000"})
        sizes << QString::number(
            QScopedPointer<VideoItemData>(makeJob(QStringLiteral("mp4"), str(edits)))->estimatedOutputSize());
    QCOMPARE(sizes.join(QLatin1Char(' ')),
        str("15960000 53200000 67300000 6400000 90000011520000000 9223372036854775807"));

    // Progress reaches 100 % at the kept length plus 3 s (the reading itself: tst_textreaders).
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("mp4"), QStringLiteral("trim=10,40")));
    QCOMPARE(ProgressReader::progressTotal(*job->m_pMediaInfo), 33000000LL);

    // A new format resets a done job with video to ready at 0 %; audio-only stays "mp3".
    QScopedPointer<VideoItemData> song(makeJob(QStringLiteral("mp4"), QStringLiteral("video=0")));
    QStringList looks;
    m_profile.format = QStringLiteral("MKV");
    for (VideoItemData* done : {job.data(), song.data()}) {
        done->m_nState = 2;
        done->m_nProgress = 5000;
        done->setOutputProfile(&m_profile);
        looks << QStringLiteral("%1 %2 %3").arg(done->m_format).arg(done->m_nState).arg(done->m_nProgress);
    }
    QCOMPARE(looks.join(QLatin1Char('|')), QStringLiteral("mkv -1 0|mp3 2 5000"));

    // Cues as editors write them (CRLF, dots, short fractions), cut to 10 s to 20 s.
    QCOMPARE(SubtitleTrim::cut("1\r\n00:00:01,0 --> 00:00:10,0\r\nbefore\r\n\r\n2\r\n0:0:15.5 --> 0:0:16,25\r\nin\r\n",
                 10 * Second, 20 * Second),
        QByteArray("1\n00:00:05,500 --> 00:00:06,250\nin\n\n"));
}

// Each run's encoder gets its whole share of the cores for the limit read
// when the run starts, also on every retry; nothing else in the list changes.
void TestConversion::threads_data()
{
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("threads");
    const auto row = [](const char* name, int cores, int limit, const char* threads) {
        QTest::newRow(name) << cores << limit << str(threads);
    };
    row("one run on 4 cores", 4, 1, "4");
    row("two runs on 4 cores", 4, 2, "2");
    row("one run on 8 cores", 8, 1, "8");
    row("two runs on 8 cores", 8, 2, "4");
    row("three runs on 8 cores, rounded down", 8, 3, "2");
    row("as many runs as cores", 4, 4, "1");
    row("more runs than cores", 2, 3, "1");
    row("one core", 1, 1, "1");
    row("limit 0", 8, 0, "1");
}

void TestConversion::threads()
{
    QFETCH(int, cores);
    QFETCH(int, limit);
    QFETCH(QString, threads);
    QScopedPointer<VideoItemData> job(
        makeJob(QStringLiteral("mp4"), QStringLiteral("crop=2,0,1918,1080 mode=hw-fails")));
    QStringList expected = job->buildArguments();
    const int at = expected.indexOf(QStringLiteral("-threads")) + 1;
    QVERIFY(at > 0 && expected.at(at) == QLatin1String("1"));
    expected[at] = threads;

    CoreCount::pin(cores);
    m_choices.m_maxConvertCount = limit;
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QVERIFY(finished.wait(10000));
    const QStringList runs = calls();
    QCOMPARE(runs.size(), 5);
    QVERIFY2(runs.first().endsWith(QLatin1Char(' ') + expected.join(QLatin1Char(' '))), qPrintable(runs.first()));
    for (const QString& run : runs) // the retries, down the encoder ladder
        QVERIFY2(run.contains(QLatin1String(" -threads ") + threads + QLatin1String(" -y ")), qPrintable(run));
}

// Unpinned, the count is the cores this thread may run on, which the ffmpeg it
// starts inherits, not every core of the machine.
void TestConversion::coresOfTheProcess()
{
    CoreCount::pin(0);
    cpu_set_t all;
    CPU_ZERO(&all);
    QCOMPARE(sched_getaffinity(0, sizeof(all), &all), 0);
    if (CPU_COUNT(&all) < 2)
        QSKIP("this process runs on one core only");
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; CPU_COUNT(&one) == 0; ++cpu) {
        if (CPU_ISSET(cpu, &all))
            CPU_SET(cpu, &one);
    }
    m_choices.m_maxConvertCount = 1;
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("mp4"), QStringLiteral("crop=2,0,1918,1080")));
    const QStringList free = job->buildArguments();
    QCOMPARE(sched_setaffinity(0, sizeof(one), &one), 0);
    const QStringList held = job->buildArguments();
    QCOMPARE(sched_setaffinity(0, sizeof(all), &all), 0);
    QCOMPARE(free.mid(free.indexOf(QStringLiteral("-threads")), 2),
        (QStringList{QStringLiteral("-threads"), QString::number(CPU_COUNT(&all))}));
    QCOMPARE(held.mid(held.indexOf(QStringLiteral("-threads")), 2),
        (QStringList{QStringLiteral("-threads"), QStringLiteral("1")}));
}

// A run is good when ffmpeg exits with 0, leaves a non-empty file and prints
// no error phrase, whatever the file's size; a bad one goes down the ladder
// and leaves no output behind, and the failed job tells why. What no encoder
// can help with (ffmpeg that cannot start, no usable output folder, a
// subtitle that cannot be copied) ends the job without another run; the last
// two start none at all and write nothing. In the reasons "@app", "@out" and
// "@temp" stand for those folders; a "*" ends a text that only starts so.
void TestConversion::verdict_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char* name, const char* mode, int state, int runs, const char* reason) {
        QTest::newRow(name) << str(mode) << state << runs << str(reason);
    };
    row("small output is good, on the last attempt", "hw-fails", 2, 5, "");
    row("exit status 1", "exit1", 3, 5, "[mp4] Could not find tag for codec");
    row("phrase at the start of a chunk", "phrase-first", 3, 5, "Conversion failed!");
    row("phrase split across two reads", "phrase-split", 3, 5, "Conversion failed!");
    row("metadata read in two parts moves no progress", "metadata-split", 2, 1, "");
    row("empty output", "empty", 3, 5, "ffmpeg wrote no output.");
    row("crash", "crash", 3, 5, "ffmpeg stopped unexpectedly.");
    row("ffmpeg missing", "missing", 3, 0, "Could not start ffmpeg: @app/ffmpeg");
    row("ffmpeg not executable", "noexec", 3, 0, "Could not start ffmpeg: @app/ffmpeg");
    row("no output folder", "no-folder", 3, 0, "No output folder is set.");
    row("output folder gone", "gone", 3, 0, "The output folder @out/gone cannot be found.");
    row("subtitle copy cannot be written", "blocked", 3, 0, "Could not write a copy of the subtitle into @temp: *");
}

void TestConversion::verdict()
{
    QFETCH(QString, mode);
    QFETCH(int, state);
    QFETCH(int, runs);
    QFETCH(QString, reason);
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("mp4"), QLatin1String("srt mode=") + mode));
    const QString temp = PathServices::getTempFolder();
    const QString copy = temp + QLatin1Char('/') + PathServices::getMd5String(m_cues) + QLatin1String(".srt");
    if (mode == QLatin1String("missing") || mode == QLatin1String("noexec"))
        g_appDirPath = TestEnv::makeDir(mode);
    if (mode == QLatin1String("noexec"))
        QVERIFY(writeFile(g_appDirPath + QStringLiteral("/ffmpeg"), "#!/bin/sh\n"));
    if (mode == QLatin1String("no-folder"))
        m_choices.m_outFolder.clear();
    if (mode == QLatin1String("gone"))
        m_choices.m_outFolder = m_out + QStringLiteral("/gone");
    if (mode == QLatin1String("blocked")) // a folder where the copy goes; even root cannot write over it
        QVERIFY(QDir().mkpath(copy + QStringLiteral("/inside")));
    const QString app = g_appDirPath;

    const QString estimate = job->m_sizeText;
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QVERIFY(finished.wait(10000));
    QTest::qWait(50);
    QDir(copy).removeRecursively();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(job->m_nState, state);
    QCOMPARE(job->m_nEncoderAttempt, 0);
    QCOMPARE(QFileInfo::exists(job->m_outputPath), state == 2);
    QCOMPARE(job->m_sizeText, state == 2 ? QStringLiteral("4 bytes") : estimate);
    QCOMPARE(subtitleCopies(), 0);
    if (mode == QLatin1String("metadata-split"))
        QVERIFY2(job->m_nProgress == 0, "a line's tail read as a status line");
    reason.replace(QLatin1String("@app"), app).replace(QLatin1String("@out"), m_out).replace(QLatin1String("@temp"), temp);
    if (reason.endsWith(QLatin1Char('*')))
        QVERIFY2(job->failureReason().startsWith(reason.chopped(1)), qPrintable(job->failureReason()));
    else
        QCOMPARE(job->failureReason(), reason);
    // Every attempt ran in the temp folder with the application's fonts and
    // wrote to the same name again: the bad file was deleted first. The job
    // keeps the last list it ran.
    const QString start = temp + QLatin1Char(' ') + m_standIn + QLatin1String("/font/fonts.conf ");
    QCOMPARE(calls().size(), runs);
    for (const QString& call : calls())
        QVERIFY(call.startsWith(start) && call.endsWith(m_out + QStringLiteral("/a.mp4")));
    if (runs > 0)
        QVERIFY(calls().constLast().endsWith(QLatin1Char(' ') + job->lastArguments().join(QLatin1Char(' '))));
}

// Stopping ends ffmpeg within the bound and keeps the partial file; deleting
// a converting job ends its ffmpeg and leaves nothing of the job behind; a
// start failure reported later never reaches a job deleted before then.
void TestConversion::stopAndDelete()
{
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("mp4"), QStringLiteral("srt mode=hang")));
    QSignalSpy progress(job.data(), &VideoItemData::updateProgress);
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QVERIFY2(progress.wait(5000), "start: ffmpeg reports its first progress");
    auto pid = static_cast<pid_t>(job->findChild<QProcess*>()->processId());
    QElapsedTimer clock;
    clock.start();
    job->stopConvert();
    QVERIFY2(clock.elapsed() < 2000, "stop: returns within 400 ms and some slack");
    QVERIFY2(::kill(pid, 0) != 0, "stop: ffmpeg is gone");
    QVERIFY2(job->m_nState == 4, "stop: the job is stopped");
    QTest::qWait(100);
    QVERIFY2(finished.count() == 1, "stop: the killed run ends once, as stopped");
    QVERIFY2(calls().size() == 1, "stop: no retry");
    QVERIFY2(readFile(job->m_outputPath) == "partial", "stop: the partial output stays");
    QVERIFY2(job->failureReason().isEmpty(), "stop: a stopped job has no failure");

    job->startConvert();
    QVERIFY2(progress.wait(5000), "restart: ffmpeg runs again");
    QVERIFY2(QFileInfo(job->m_outputPath).fileName() == QLatin1String("a (0).mp4"), "restart: beside the partial file");
    pid = static_cast<pid_t>(job->findChild<QProcess*>()->processId());
    QVERIFY2(subtitleCopies() == 1, "restart: the subtitle copy is there");

    job->startConvert();
    QVERIFY2(progress.wait(5000), "start over a running job: ffmpeg runs again");
    QVERIFY2(::kill(pid, 0) != 0, "start over a running job: the earlier ffmpeg is gone");
    QVERIFY2(finished.count() == 1 && calls().size() == 3 && job->m_nEncoderAttempt == 0,
        "start over a running job: the earlier run is not judged");
    QVERIFY2(QFileInfo(job->m_outputPath).fileName() == QLatin1String("a (1).mp4"), "start over a running job: new name");
    pid = static_cast<pid_t>(job->findChild<QProcess*>()->processId());
    job.reset();
    QVERIFY2(::kill(pid, 0) != 0, "delete: ffmpeg is gone");
    QVERIFY2(subtitleCopies() == 0, "delete: the subtitle copy is gone");

    job.reset(makeJob(QStringLiteral("mp4"), QStringLiteral("srt mode=hw-fails")));
    QSignalSpy late(job.data(), &VideoItemData::updateFinished);
    g_appDirPath = TestEnv::makeDir(QStringLiteral("noapp"));
    job->startConvert();
    job.reset();
    QTest::qWait(100);
    QVERIFY2(late.count() == 0, "delete before a start failure is reported: nothing reaches the job");
}

// Jobs converting at once: the same source with its subtitle three times,
// and a source whose name differs only in case. Each run takes a name that
// neither a file nor another running job holds, in any letter case, as on
// the file systems of USB sticks; the one copy of the subtitle stays until
// the last run is done.
void TestConversion::jobsAtOnce()
{
    int done = 0;
    QObject owner;
    QList<VideoItemData*> jobs{makeJob(QStringLiteral("mp4"), QStringLiteral("srt mode=hw-fails"))};
    while (jobs.size() < 3)
        jobs << makeJob(QStringLiteral("mp4"), QStringLiteral("srt"));
    jobs << makeJob(QStringLiteral("mp4"), QStringLiteral("src=/in/A.mov"));
    for (VideoItemData* job : qAsConst(jobs)) {
        job->setParent(&owner);
        connect(job, &VideoItemData::updateFinished, &owner, [&done] { ++done; });
        job->startConvert();
    }
    QTRY_COMPARE_WITH_TIMEOUT(done, 4, 15000);
    QStringList ends;
    for (VideoItemData* job : qAsConst(jobs))
        ends << QFileInfo(job->m_outputPath).fileName() + QLatin1Char(' ') + QString::number(job->m_nState);
    QCOMPARE(ends.join(QLatin1Char('|')), QStringLiteral("a.mp4 2|a (0).mp4 2|a (1).mp4 2|A (2).mp4 2"));
    QCOMPARE(calls().size(), 16); // every attempt of every job found its subtitle; the copy ran once
    QCOMPARE(subtitleCopies(), 0);
}

// Generated media through the system ffmpeg; on this machine the hardware
// encoders fail and an encode succeeds on the fifth run. `check` is "copy"
// (streams as in the source), "annexb" (an AVI's H.264 as players take it),
// "cues=..." (the carried subtitle) or "lit" (the trimmed cues drawn at the
// bottom left of the picture as it comes out).
void TestConversion::realConversion_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("check");
    const auto row
        = [](const char* name, const char* format, const char* edits, const char* expected, const char* check = "") {
              QTest::newRow(name) << str(format) << str(edits) << str(expected) << str(check);
          };
    const char* const kept = "cues=00:00.0 --> 00:01.0 Across 00:02.5 --> 00:03.5 Inside 00:04.5 --> 00:05.0 Late";
    row("stream copy", "mov", "src=@/a.mp4", "320x240, aac, -, 4 s, run 1", "copy");
    row("h264 from matroska copies into avi", "avi", "src=@/plain.mkv", "320x240, aac, -, 2 s, run 1", "annexb");
    // A phone clip: MP4 and MOV keep its turn, the others get it upright.
    row("turned clip copies into mp4", "mp4", "src=@/phone.mp4", "320x240 turned 90, aac, -, 2 s, run 1");
    row("turned clip into mkv", "mkv", "src=@/phone.mp4", "240x320, aac, -, 2 s, run 5");
    row("turned clip into avi", "avi", "src=@/phone.mp4", "240x320, aac, -, 2 s, run 5");
    // 5 s to 10 s of a file with keyframes at 0 s and 10 s: a copy would
    // start at 0 s, which only MP4 and MOV can hide.
    row("trimmed mkv encodes", "mkv", "src=@/dark.mp4 trim=5,10", "320x240, aac, -, 5 s, run 5");
    row("trimmed avi encodes", "avi", "src=@/dark.mp4 trim=5,10", "320x240, aac, -, 5 s, run 5");
    // A 4:2:0 crop comes out even by itself; 4:4:4 needs the even-size step.
    row("10-bit 4:4:4 odd-sized source", "mp4", "src=@/deep.mkv", "160x120, -, -, 1 s, run 5");
    row("crop into mov", "mov", "src=@/a.mp4 crop=16,8,161,121", "160x120, aac, -, 4 s, run 5");
    row("aac into mp3, edits left over", "mp3", "src=@/a.mp4 srt remove", "-, mp3, -, 4 s, run 1");
    row("mp3 keeps the source's audio over an added track", "mp3", "src=@/a.mp4 audio=@/tone.wav",
        "-, mp3, -, 4 s, run 1");
    row("mp3 of the added track in place of the source's", "mp3", "src=@/a.mp4 audio=@/tone.wav remove",
        "-, mp3, -, 2 s, run 1");
    row("replacing the source's", "mp4", "src=@/a.mp4 audio=@/tone.wav remove", "320x240, aac, -, 4 s, run 1");
    row("under a silent source", "mp4", "src=@/silent.mp4 audio=@/tone.wav", "320x240, aac, -, 2 s, run 1");
    row("20 s track, 12 s clip", "mp4", "src=@/dark.mp4 audio=@/long.wav", "320x240, aac+aac, -, 12 s, run 1");
    row("soft, the source's own track left out", "mp4", "src=@/subbed.mp4 srt", "320x240, aac, mov_text, 12 s, run 5",
        "cues=00:01.2 --> 00:02.2 Early 00:04.0 --> 00:06.0 Across 00:07.5 --> 00:08.5 Inside "
        "00:09.5 --> 00:10.5 Late");
    row("soft, trimmed, mov", "mov", "src=@/dark.mp4 srt trim=5,10", "320x240, aac, mov_text, 5 s, run 5", kept);
    row("soft, trimmed, mkv", "mkv", "src=@/dark.mp4 srt trim=5,10", "320x240, aac, subrip, 5 s, run 5", kept);
    // At a film's rate, not a black picture's, so that the text stays sharp.
    row("burnt in after rotation", "mp4", "src=@/dark.mp4 srt burn rot=90 trim=5,10 vrate=400000",
        "240x320, aac, -, 5 s, run 5", "lit");
    row("burnt in after a mirror", "mp4", "src=@/dark.mp4 srt burn hflip=1 trim=5,10 vrate=400000",
        "320x240, aac, -, 5 s, run 5", "lit");
}

void TestConversion::realConversion()
{
    QFETCH(QString, format);
    QFETCH(QString, edits);
    QFETCH(QString, expected);
    QFETCH(QString, check);
    QScopedPointer<VideoItemData> job(makeJob(format, edits));
    QList<int> progress;
    int run = 0;
    connect(job.data(), &VideoItemData::updateProgress, this,
        [&progress](VideoItemData* item) { progress << item->m_nProgress; });
    connect(job.data(), &VideoItemData::updateFinished, this,
        [&run](VideoItemData* item) { run = item->m_nEncoderAttempt + 1; });
    job->startConvert();
    QTRY_VERIFY_WITH_TIMEOUT(run > 0, 60000);
    QVERIFY2(job->m_nState == 2, qPrintable(job->failureReason()));
    const QString out = job->m_outputPath;
    QCOMPARE(QString(summary(out) + QStringLiteral(", run %1").arg(run)), expected);
    QCOMPARE(job->m_sizeText, MyQtCustom::QCommonUtils::GetFileSizeString(QFileInfo(out).size()));
    // Progress rises on every encode; a quick copy may report none.
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()) && progress.value(progress.size() - 1) <= 9999);
    QVERIFY(run == 1 || progress.value(progress.size() - 1) > 0);
    QCOMPARE(subtitleCopies(), 0);
    if (check == QLatin1String("copy")) {
        for (const char* kind : {"video", "audio"}) {
            const QJsonObject a = MediaFactory::streams(job->m_sourcePath, str(kind)).value(0);
            const QJsonObject b = MediaFactory::streams(out, str(kind)).value(0);
            for (const char* key : {"codec_name", "bit_rate", "nb_frames"})
                QCOMPARE(b.value(QLatin1String(key)), a.value(QLatin1String(key)));
        }
    } else if (check == QLatin1String("annexb")) {
        // The tag players look for, and every picture decoded without a complaint.
        QProcess decode;
        decode.setProcessChannelMode(QProcess::MergedChannels);
        decode.start(MediaFactory::systemFFmpeg(), words(str("-v error -i @ -f null -"), out));
        QVERIFY(decode.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(decode.readAll()), QString());
        QCOMPARE(MediaFactory::streams(out, str("video")).value(0).value(QLatin1String("codec_tag_string")).toString(),
            str("H264"));
        QCOMPARE(probeLines(QStringLiteral("movie='%1'").arg(out), "frame=pts_time").size(), 50);
    } else if (check.startsWith(QLatin1String("cues="))) {
        // The first subtitle track as WebVTT on one line, to a tenth of a second.
        QString cues = QString::fromUtf8(make(out + QStringLiteral(".vtt"), "-i @ -map 0:s:0", out)).simplified();
        cues.replace(QRegularExpression(QStringLiteral("(\\.\\d)\\d\\d")), QStringLiteral("\\1"));
        QCOMPARE(cues, QLatin1String("WEBVTT ") + check.mid(5));
    } else if (check == QLatin1String("lit")) {
        // Which quarters hold text at 0.5 s, 1.5 s, 3 s and 4 s: ffmpeg keeps the
        // light pixels, widens them and averages each quarter into one byte.
        const QByteArray quarters = make(out + QStringLiteral(".gray"),
            "-i @ -vf select='eq(n,12)+eq(n,37)+eq(n,75)+eq(n,100)',format=gray,lut=c0='if(gt(val,128),255,0)',"
            "dilation,scale=2:2:flags=area -fps_mode passthrough -f rawvideo",
            out);
        QString lit;
        for (int i = 0; i < quarters.size(); ++i) {
            if (i > 0 && i % 4 == 0)
                lit += QLatin1Char('|');
            if (quarters.at(i) != 0)
                lit += QLatin1String(&"TLTRBLBR"[i % 4 * 2], 2);
        }
        QCOMPARE(lit, QStringLiteral("BL||BL|"));
    }
}

// A 25 fps clip with B-frames flashes white on frames 50 to 52 while a beep
// starts at 2.00 s. AVI keeps no presentation times: its pictures must not
// fall behind the sound by the encoder's reordering, nor by the audio
// encoder's priming, whether the copy rules encode (forced by a crop) or
// choose for themselves. The MP4 of the same source is the measure, and
// every picture keeps its place, half a frame at most.
void TestConversion::aviKeepsTime()
{
    const QString flash = m_media + QStringLiteral("/flash.mp4");
    QVERIFY(!make(flash,
        "-f lavfi -i testsrc2=s=320x240:r=25:d=6,lutyuv=y=val*0.4,drawbox=c=white:t=fill:enable='between(n,50,52)' "
        "-f lavfi -i aevalsrc='if(gte(t,2),0.8*sin(2*PI*1000*t),0)':s=48000:d=6 -pix_fmt yuv420p -c:a aac",
        m_media)
                 .isEmpty());
    QVERIFY(MediaFactory::streams(flash, str("video")).value(0).value(QLatin1String("has_b_frames")).toInt() > 0);

    const QList<QPair<const char*, const char*>> runs{
        {"mp4", "src=@/flash.mp4"}, {"avi", "src=@/flash.mp4 crop=0,0,320,238"}, {"avi", "src=@/flash.mp4"}};
    QObject owner;
    QList<VideoItemData*> jobs;
    int done = 0;
    for (const auto& r : runs) {
        jobs << makeJob(str(r.first), str(r.second));
        jobs.last()->setParent(&owner);
        connect(jobs.last(), &VideoItemData::updateFinished, &owner, [&done] { ++done; });
        jobs.last()->startConvert();
    }
    QTRY_COMPARE_WITH_TIMEOUT(done, 3, 120000);

    const FlashAndBeep mp4 = findFlashAndBeep(jobs.at(0)->m_outputPath);
    for (int i = 0; i < jobs.size(); ++i) {
        const FlashAndBeep found = findFlashAndBeep(jobs.at(i)->m_outputPath);
        const QString seen
            = QStringLiteral("%1 %2: flash on frame %3 at %4 s, beep at %5 s, %6 ms apart (mp4: %7 ms); "
                             "pictures stray up to %8 ms")
                  .arg(str(runs.at(i).first), str(runs.at(i).second))
                  .arg(found.frame)
                  .arg(found.picture, 0, 'f', 3)
                  .arg(found.beep, 0, 'f', 3)
                  .arg(found.offsetMs(), 0, 'f', 1)
                  .arg(mp4.offsetMs(), 0, 'f', 1)
                  .arg(found.strayMs, 0, 'f', 1);
        qInfo().noquote() << seen;
        QVERIFY2(jobs.at(i)->m_nState == 2, qPrintable(seen));
        QVERIFY2(found.frame == 50 && found.strayMs < 20, qPrintable(seen));
        QVERIFY2(found.beep > 0 && qAbs(found.offsetMs() - mp4.offsetMs()) < 25, qPrintable(seen));
    }
}

MORVAYNE_TEST_CORE_MAIN(TestConversion)
#include "tst_conversion.moc"

#include "common/pathservices.h"
#include "leakwatch.h"
#include "mediafactory.h"
#include "mediafacts.h"
#include "morvaynetest.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "probe/probejsonreader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QJsonArray>
#include <QSignalSpy>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

using MediaFacts::describe;

namespace {

// ffmpeg's banner as the stand-in tools print it.
// ffmpeg prints its banner on the error channel.
const char* const printBanner = "cat >&2 <<'BANNER'\n"
                                "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'x.mp4':\n"
                                "  Duration: 00:00:07.00, start: 0.000000, bitrate: 900 kb/s\n"
                                "  Stream #0:0(und): Video: h264 (High), yuv420p, 640x360, 800 kb/s, 25 fps\n"
                                "BANNER\n";

// Every stand-in appends its arguments to calls.log (one line per run, the
// arguments separated by \037) and its process id to pids.log.
const char* const logCall = "d=$(dirname \"$0\")\n"
                            "{ for a in \"$@\"; do printf '%s\\037' \"$a\"; done; printf '\\n'; } >> \"$d/calls.log\"\n"
                            "echo $$ >> \"$d/pids.log\"\n";

void writeScript(const QString& dir, const QString& name, const QByteArray& body)
{
    QFile f(dir + QLatin1Char('/') + name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("#!/bin/sh\n" + QByteArray(logCall) + body);
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::ExeOther));
}

QList<QStringList> loggedCalls(const QString& dir)
{
    QFile f(dir + QLatin1String("/calls.log"));
    QList<QStringList> calls;
    if (!f.open(QIODevice::ReadOnly))
        return calls;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        QStringList args = QString::fromUtf8(line).split(QChar(0x1f));
        args.removeLast(); // each argument ends with the separator
        calls.append(args);
    }
    return calls;
}

QList<qint64> loggedPids(const QString& dir)
{
    QFile f(dir + QLatin1String("/pids.log"));
    QList<qint64> pids;
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (!line.trimmed().isEmpty())
                pids.append(line.trimmed().toLongLong());
        }
    }
    return pids;
}

bool isAlive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

QString jsonText(const QJsonValue& value)
{
    if (value.isUndefined())
        return QString();
    return value.isString() ? value.toString() : ProbeJsonReader::numberText(value.toDouble());
}

QString cacheFolder()
{
    return PathServices::getTempFolder() + QLatin1String("/cache");
}

QStringList cacheEntries()
{
    return QDir(cacheFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

class TestGetMediaInfoThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void realFile();
    void argumentsAndDecodeTest();
    void toolFaults_data();
    void toolFaults();
    void hangingToolsAreAbandoned();
    void destroyedWhileRunning();
    void secondProbeNeverReturnsFirst();
    void sources_data();
    void sources();

private:
    // Runs the worker on one file and waits for its finished() signal.
    bool probe(GetMediaInfoThread& worker, const QString& path, const QString& thumb = QString());
    // A stand-in application folder with the given tools; an empty script
    // leaves that tool out, a script "->" links the system tool.
    QString standIn(const QString& name, const QByteArray& ffmpeg, const QByteArray& ffprobe);

    QString m_media;
    QString m_clip;
};

void TestGetMediaInfoThread::initTestCase()
{
    LeakWatch::install();
    m_media = TestEnv::makeDir(QStringLiteral("media"));
    m_clip = MediaFactory::videoWithTone(m_media + QLatin1String("/clip.mp4"), 2, QStringLiteral("320x240"));
    QVERIFY(!m_clip.isEmpty());
}

void TestGetMediaInfoThread::cleanupTestCase()
{
    QCOMPARE(LeakWatch::destroyedWhileRunning(), 0);
}

void TestGetMediaInfoThread::init()
{
    g_appDirPath = TestEnv::appDir();
    QDir(cacheFolder()).removeRecursively();
}

bool TestGetMediaInfoThread::probe(GetMediaInfoThread& worker, const QString& path, const QString& thumb)
{
    worker.m_filePath = path;
    worker.m_thumbPath = thumb;
    QSignalSpy finished(&worker, &QThread::finished);
    worker.start();
    // The spy counts on the worker thread; finished() comes before wait() returns.
    return worker.wait(30000) && finished.count() == 1;
}

QString TestGetMediaInfoThread::standIn(const QString& name, const QByteArray& ffmpeg, const QByteArray& ffprobe)
{
    const QString dir = TestEnv::makeDir(QLatin1String("apps/") + name);
    const QList<QPair<QString, QByteArray>> tools{
        {QStringLiteral("ffmpeg"), ffmpeg}, {QStringLiteral("ffprobe"), ffprobe}};
    for (const auto& tool : tools) {
        if (tool.second == "->") {
            const QString system
                = tool.first == QLatin1String("ffmpeg") ? MediaFactory::systemFFmpeg() : MediaFactory::systemFFprobe();
            QFile::link(system, dir + QLatin1Char('/') + tool.first);
        } else if (!tool.second.isEmpty()) {
            writeScript(dir, tool.first, tool.second);
        }
    }
    return dir;
}

void TestGetMediaInfoThread::realFile()
{
    GetMediaInfoThread worker;
    const QString thumb = PathServices::getTempFolder() + QLatin1String("/thumb.bmp");
    QVERIFY(probe(worker, m_clip, thumb));

    QVERIFY(worker.m_pMediaInfo);
    const MediaInfo& info = *worker.m_pMediaInfo;
    QCOMPARE(info.filePath, m_clip);
    QCOMPARE(info.fileSize, QFileInfo(m_clip).size());
    QCOMPARE(describe(info), describe(MediaFacts::expectedFromProbe(m_clip)));
    QVERIFY(info.hwAccels.isEmpty());

    QImageReader picture(thumb);
    QCOMPARE(picture.format(), QByteArray("bmp"));
    QCOMPARE(picture.size(), QSize(640, 480));

    // The detailed record matches ffprobe's report field for field.
    QVERIFY(worker.m_pProbeInfo);
    const ProbeInfo& p = *worker.m_pProbeInfo;
    const QJsonObject report = MediaFactory::probe(m_clip);
    const QJsonArray streams = report.value(QLatin1String("streams")).toArray();
    QCOMPARE(p.streams.size(), streams.size());
    for (int i = 0; i < streams.size(); ++i) {
        const QJsonObject s = streams.at(i).toObject();
        const ProbeStream& r = p.streams.at(i);
        QCOMPARE(r.index, s.value(QLatin1String("index")).toInt());
        const QList<QPair<const char*, QString>> fields{{"codec_name", r.codec_name}, {"codec_type", r.codec_type},
            {"profile", r.profile}, {"codec_tag", r.codec_tag}, {"width", r.width}, {"height", r.height},
            {"has_b_frames", r.has_b_frames}, {"level", r.level}, {"refs", r.refs}, {"r_frame_rate", r.r_frame_rate},
            {"time_base", r.time_base}, {"duration_ts", r.duration_ts}, {"duration", r.duration},
            {"bit_rate", r.bit_rate}, {"nb_frames", r.nb_frames}, {"sample_fmt", r.sample_fmt},
            {"sample_rate", r.sample_rate}, {"channels", r.channels}, {"channel_layout", r.channel_layout}};
        for (const auto& field : fields)
            QCOMPARE(field.second, jsonText(s.value(QLatin1String(field.first))));
        const QJsonObject disposition = s.value(QLatin1String("disposition")).toObject();
        QCOMPARE(r.disposition.default_, jsonText(disposition.value(QLatin1String("default"))));
        QCOMPARE(r.disposition.attached_pic, jsonText(disposition.value(QLatin1String("attached_pic"))));
        const QJsonObject tags = s.value(QLatin1String("tags")).toObject();
        QCOMPARE(r.tags.language, jsonText(tags.value(QLatin1String("language"))));
        QCOMPARE(r.tags.HANDLER_NAME, jsonText(tags.value(QLatin1String("HANDLER_NAME"))));
    }
    QCOMPARE(p.streams.at(0).width, QStringLiteral("320"));
    const QJsonObject format = report.value(QLatin1String("format")).toObject();
    QCOMPARE(p.filename, m_clip);
    QCOMPARE(p.nb_streams, QStringLiteral("2"));
    QCOMPARE(p.format_name, jsonText(format.value(QLatin1String("format_name"))));
    QCOMPARE(p.duration, jsonText(format.value(QLatin1String("duration"))));
    QCOMPARE(p.size, QString::number(QFileInfo(m_clip).size()));
    QCOMPARE(p.bit_rate, jsonText(format.value(QLatin1String("bit_rate"))));
    QCOMPARE(p.probe_score, QStringLiteral("100"));
    QVERIFY(p.hwAccels.isEmpty());

    // Neither decoder works here, and the test output does not stay behind.
    QVERIFY(QFileInfo(cacheFolder()).isDir());
    QCOMPARE(cacheEntries(), QStringList());
}

void TestGetMediaInfoThread::argumentsAndDecodeTest()
{
    // cuda "decodes"; dxva2 prints a frame but also an error. Both leave a file.
    const QByteArray ffmpeg
        = QByteArray("for a; do out=$a; done\n"
                     "case \"$*\" in\n"
                     "*-hwaccel\\ cuda*) echo 'frame=    1 fps=0.0 q=-0.0 size=0kB'; : > \"$out\" ;;\n"
                     "*-hwaccel*) echo 'frame=    1'; echo 'Error while decoding' >&2; : > \"$out\" ;;\n"
                     "*)\n")
        + printBanner + ";;\nesac\n";
    // Padded, capitalised key; numbers where ffprobe prints numbers.
    const QByteArray ffprobe = "printf '%s' '{\" \\n STREAMS \\r\\n\": [{\"index\": 0, \"width\": 1920,"
                               " \"duration_ts\": 1234567, \"r_frame_rate\": \"1/25\"}],"
                               " \"format\": {\"nb_streams\": 1}}'\n";
    const QString dir = standIn(QStringLiteral("decode"), ffmpeg, ffprobe);
    g_appDirPath = dir;

    GetMediaInfoThread worker;
    const QString path = m_media + QLatin1String("/any name.mp4");
    const QString thumb = m_media + QLatin1String("/t.bmp");
    QVERIFY(probe(worker, path, thumb));

    const QString testOut = PathServices::getTempFolder() + QLatin1String("/cache/") + PathServices::getMd5String(path)
        + QLatin1String(".mp4");
    const QStringList hw{QStringLiteral("-y"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
        QStringLiteral("error"), QStringLiteral("-hwaccel")};
    const QStringList hwTail{QStringLiteral("-i"), path, QStringLiteral("-to"), QStringLiteral("00:00:00.0001"),
        QStringLiteral("-dn"), QStringLiteral("-sn"), QStringLiteral("-an"), QStringLiteral("-f"),
        QStringLiteral("mp4"), testOut};
    const QList<QStringList> expected{
        {QStringLiteral("-i"), path, QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("image2"),
            QStringLiteral("-vf"), QStringLiteral("scale=-1:480"), QStringLiteral("-t"), QStringLiteral("1.520"),
            thumb},
        {QStringLiteral("-v"), QStringLiteral("quiet"), QStringLiteral("-loglevel"), QStringLiteral("panic"),
            QStringLiteral("-print_format"), QStringLiteral("json"), QStringLiteral("-show_format"),
            QStringLiteral("-show_streams"), path},
        hw + QStringList{QStringLiteral("cuda")} + hwTail,
        hw + QStringList{QStringLiteral("dxva2")} + hwTail,
    };
    QCOMPARE(loggedCalls(dir), expected);

    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    QCOMPARE(worker.m_pMediaInfo->duration, 7000000LL);
    QCOMPARE(worker.m_pMediaInfo->hwAccels, QStringList{QStringLiteral("cuda")});
    QCOMPARE(worker.m_pProbeInfo->hwAccels, QStringList{QStringLiteral("cuda")});
    QCOMPARE(cacheEntries(), QStringList());

    const ProbeInfo& p = *worker.m_pProbeInfo;
    QCOMPARE(p.streams.size(), 1);
    QCOMPARE(p.streams.at(0).width, QStringLiteral("1920"));
    QCOMPARE(p.streams.at(0).duration_ts, QStringLiteral("1.23457e+06"));
    QCOMPARE(p.streams.at(0).r_frame_rate, QStringLiteral("1/25"));
    QCOMPARE(p.nb_streams, QStringLiteral("1"));

    // Without a thumbnail path ffmpeg gets only the input.
    QFile::remove(dir + QLatin1String("/calls.log"));
    QVERIFY(probe(worker, path));
    QCOMPARE(loggedCalls(dir).value(0), (QStringList{QStringLiteral("-i"), path}));
}

void TestGetMediaInfoThread::toolFaults_data()
{
    QTest::addColumn<QByteArray>("ffmpeg");
    QTest::addColumn<QByteArray>("ffprobe");
    QTest::addColumn<qlonglong>("duration"); // -1: no media record
    QTest::addColumn<int>("streams");        // -1: no probe record

    const QByteArray banner = printBanner;
    const QByteArray json = "echo '{\"streams\": [{\"index\": 0}, {\"index\": 1}]}'\n";
    QTest::newRow("both print nothing") << QByteArray("exit 0\n") << QByteArray("exit 0\n") << -1LL << -1;
    QTest::newRow("no banner, probe still runs") << QByteArray("exit 1\n") << json << -1LL << 2;
    QTest::newRow("invalid JSON") << banner << QByteArray("echo 'Input #0: {\"streams\": ['\n") << 7000000LL << 0;
    QTest::newRow("missing ffprobe") << banner << QByteArray() << 7000000LL << -1;
    QTest::newRow("ffprobe that cannot start") << banner << QByteArray("no-exec") << 7000000LL << -1;
    QTest::newRow("crash after the banner") << banner + "kill -SEGV $$\n" << json << 7000000LL << 2;
    // Output ends at the first NUL byte: the second duration is never read.
    QTest::newRow("NUL byte") << QByteArray("printf '  Duration: 00:00:05.00, start: 0.0, bitrate: 1 kb/s'\n"
                                            "head -c 1 /dev/zero; echo\n"
                                            "echo '  Duration: 00:01:00.00, start: 0.0, bitrate: 2 kb/s'\n")
                              << json << 5000000LL << 2;
}

void TestGetMediaInfoThread::toolFaults()
{
    QFETCH(QByteArray, ffmpeg);
    QFETCH(QByteArray, ffprobe);
    QFETCH(qlonglong, duration);
    QFETCH(int, streams);
    const bool noExec = ffprobe == "no-exec";
    const QString dir = standIn(QStringLiteral("faults"), ffmpeg, noExec ? QByteArray("exit 0\n") : ffprobe);
    // Present, but starting it fails.
    if (noExec)
        QVERIFY(QFile::setPermissions(dir + QLatin1String("/ffprobe"), QFile::ReadOwner | QFile::WriteOwner));
    g_appDirPath = dir;

    GetMediaInfoThread worker;
    QVERIFY(probe(worker, m_clip));
    if (duration < 0) {
        QVERIFY(!worker.m_pMediaInfo);
    } else {
        QVERIFY(worker.m_pMediaInfo);
        QCOMPARE(worker.m_pMediaInfo->duration, duration);
        QCOMPARE(worker.m_pMediaInfo->filePath, m_clip);
    }
    if (streams < 0) {
        QVERIFY(!worker.m_pProbeInfo);
    } else {
        QVERIFY(worker.m_pProbeInfo);
        QCOMPARE(worker.m_pProbeInfo->streams.size(), streams);
    }
    // The decode test needs a media record.
    const int expectedRuns = (duration < 0 ? 1 : 3) + (ffprobe.isEmpty() || noExec ? 0 : 1);
    QCOMPARE(loggedCalls(dir).size(), expectedRuns);
}

void TestGetMediaInfoThread::hangingToolsAreAbandoned()
{
    const QByteArray banner = printBanner;
    const QString dir = standIn(QStringLiteral("hang"), banner + "exec sleep 30\n",
        QByteArray("printf '{\"streams\": [{\"index\": 0}'\nexec sleep 30\n"));
    g_appDirPath = dir;

    GetMediaInfoThread worker;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(probe(worker, m_clip, m_media + QLatin1String("/hang.bmp")));
    const qint64 elapsed = clock.elapsed();

    // Four runs of 2 s each; what the banner printed before the limit counts.
    QCOMPARE(loggedCalls(dir).size(), 4);
    QVERIFY2(elapsed >= 4 * GetMediaInfoThread::ToolTimeoutMs - 100, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 4 * GetMediaInfoThread::ToolTimeoutMs + 4000, qPrintable(QString::number(elapsed)));
    QVERIFY(worker.m_pMediaInfo);
    QCOMPARE(worker.m_pMediaInfo->duration, 7000000LL);
    QCOMPARE(worker.m_pMediaInfo->width, 640);
    QVERIFY(worker.m_pMediaInfo->hwAccels.isEmpty());
    QVERIFY(worker.m_pProbeInfo);
    QCOMPARE(worker.m_pProbeInfo->streams.size(), 0);

    const QList<qint64> pids = loggedPids(dir);
    QCOMPARE(pids.size(), 4);
    for (qint64 pid : pids)
        QVERIFY2(!isAlive(pid), qPrintable(QString::number(pid)));
    QCOMPARE(cacheEntries(), QStringList());
}

void TestGetMediaInfoThread::destroyedWhileRunning()
{
    const QString dir = standIn(QStringLiteral("destroy"), "exec sleep 30\n", "exec sleep 30\n");
    g_appDirPath = dir;

    auto worker = std::make_unique<GetMediaInfoThread>();
    worker->m_filePath = m_clip;
    worker->start();
    QTRY_COMPARE_WITH_TIMEOUT(loggedPids(dir).size(), 1, 5000);

    // The owner going away cuts the running child short instead of waiting
    // out its limit, and reaps it.
    QElapsedTimer clock;
    clock.start();
    worker.reset();
    QVERIFY2(clock.elapsed() < GetMediaInfoThread::ToolTimeoutMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(loggedPids(dir).size(), 1);
    QVERIFY(!isAlive(loggedPids(dir).first()));
}

void TestGetMediaInfoThread::secondProbeNeverReturnsFirst()
{
    GetMediaInfoThread worker;
    QVERIFY(probe(worker, m_clip));
    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);

    // A taken record belongs to the taker and outlives later runs.
    std::unique_ptr<MediaInfo> taken = worker.takeMediaInfo();
    QVERIFY(!worker.m_pMediaInfo);
    QVERIFY(worker.m_pProbeInfo); // left behind: the next run releases it

    g_appDirPath = standIn(QStringLiteral("silent"), "exit 0\n", "exit 0\n");
    const QString other = m_media + QLatin1String("/other.mp4");
    QVERIFY(probe(worker, other));
    QVERIFY(!worker.m_pMediaInfo);
    QVERIFY(!worker.m_pProbeInfo);
    QCOMPARE(taken->filePath, m_clip);

    g_appDirPath = TestEnv::appDir();
    QVERIFY(probe(worker, m_clip));
    QVERIFY(worker.m_pMediaInfo);
    std::unique_ptr<ProbeInfo> probeInfo = worker.takeProbeInfo();
    QVERIFY(probeInfo);
    QCOMPARE(probeInfo->filename, m_clip);
    QVERIFY(!worker.m_pProbeInfo);
}

void TestGetMediaInfoThread::sources_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("broken");
    QTest::addColumn<bool>("portrait");

    const QString dir = TestEnv::makeDir(QStringLiteral("sources"));
    QTest::newRow("missing file") << dir + QLatin1String("/missing.mp4") << true << false;

    QFile zero(dir + QLatin1String("/zero.mp4"));
    QVERIFY(zero.open(QIODevice::WriteOnly));
    zero.close();
    QTest::newRow("zero bytes") << zero.fileName() << true << false;

    QFile junk(dir + QLatin1String("/junk.mkv"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x5a'));
    junk.close();
    QTest::newRow("not media") << junk.fileName() << true << false;

    const QString odd = TestEnv::makeDir(QStringLiteral("sources/a folder 'with' \"quotes\""))
        + QStringLiteral("/clip – ünïcödé 日本 it's.mp4");
    QVERIFY(QFile::copy(m_clip, odd));
    QTest::newRow("blanks, quotes, non-ASCII") << odd << false << false;

    const QString out = TestEnv::makeDir(QStringLiteral("sources/Output")) + QStringLiteral("/my_output.mp4");
    QVERIFY(QFile::copy(m_clip, out));
    QTest::newRow("under a folder named Output") << out << false << false;

    QTest::newRow("phone video stored sideways") << MediaFactory::make(dir + QLatin1String("/phone.mp4"),
        {QStringLiteral("-i"), m_clip, QStringLiteral("-c"), QStringLiteral("copy"), QStringLiteral("-metadata:s:v:0"),
            QStringLiteral("rotate=90")}) << false
                                                 << true;

    QTest::newRow("mp4 with a cover picture") << MediaFactory::make(dir + QLatin1String("/covered.m4v"),
        {QStringLiteral("-i"), m_clip, QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=600x600:rate=1:duration=1"), QStringLiteral("-map"), QStringLiteral("0"),
            QStringLiteral("-map"), QStringLiteral("1"), QStringLiteral("-c:v:0"), QStringLiteral("copy"),
            QStringLiteral("-c:a"), QStringLiteral("copy"), QStringLiteral("-c:v:1"), QStringLiteral("mjpeg"),
            QStringLiteral("-disposition:v:1"), QStringLiteral("attached_pic"), QStringLiteral("-f"),
            QStringLiteral("mp4")}) << false << false;
}

void TestGetMediaInfoThread::sources()
{
    QFETCH(QString, path);
    QFETCH(bool, broken);
    QFETCH(bool, portrait);
    QVERIFY(!path.isEmpty());

    GetMediaInfoThread worker;
    const QString thumb = PathServices::getTempFolder() + QLatin1String("/source.bmp");
    QFile::remove(thumb);
    QVERIFY(probe(worker, path, thumb));

    // Unreadable sources still get a record, only without facts.
    QVERIFY(worker.m_pMediaInfo);
    const MediaInfo& info = *worker.m_pMediaInfo;
    QCOMPARE(info.filePath, path);
    QCOMPARE(info.fileSize, QFileInfo(path).size());
    QVERIFY(worker.m_pProbeInfo);
    QCOMPARE(cacheEntries(), QStringList());
    if (broken) {
        QCOMPARE(describe(info), describe(MediaInfo()));
        QCOMPARE(worker.m_pProbeInfo->streams.size(), 0);
        QVERIFY(!QFile::exists(thumb));
        return;
    }

    QCOMPARE(describe(info), describe(MediaFacts::expectedFromProbe(path)));
    QCOMPARE(info.duration, 2000000LL);
    QCOMPARE(info.videoCodec, QStringLiteral("h264"));
    QCOMPARE(info.width < info.height, portrait);
    QCOMPARE(worker.m_pProbeInfo->filename, path);
    // The thumbnail is upright too: ffmpeg turns the picture before scaling.
    const QSize picture = QImageReader(thumb).size();
    QCOMPARE(picture.height(), 480);
    QCOMPARE(picture.width() < picture.height(), portrait);
}

MORVAYNE_TEST_CORE_MAIN(TestGetMediaInfoThread)
#include "tst_getmediainfothread.moc"

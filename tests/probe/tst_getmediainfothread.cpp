#include "common/pathservices.h"
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

using MediaFacts::describe;
using MediaFacts::words;

namespace {

// ffmpeg prints its banner on the error channel.
const QByteArray printBanner = "cat >&2 <<'BANNER'\n"
                               "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'x.mp4':\n"
                               "  Duration: 00:00:07.00, start: 0.000000, bitrate: 900 kb/s\n"
                               "  Stream #0:0(und): Video: h264 (High), yuv420p, 640x360, 800 kb/s, 25 fps\n"
                               "BANNER\n";

// Each stand-in tool appends its arguments to calls.log (one line per run,
// each argument followed by \037) and its process id to pids.log.
void writeScript(const QString& path, const QByteArray& body)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("#!/bin/sh\nd=$(dirname \"$0\")\n"
            "{ for a in \"$@\"; do printf '%s\\037' \"$a\"; done; echo; } >> \"$d/calls.log\"\n"
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

QList<QStringList> loggedCalls(const QString& dir)
{
    QList<QStringList> calls;
    for (const QString& line : logLines(dir, "calls.log"))
        calls.append(line.split(QChar(0x1f), Qt::SkipEmptyParts));
    return calls;
}

bool anyAlive(const QString& dir)
{
    for (const QString& pid : logLines(dir, "pids.log")) {
        if (::kill(pid.toInt(), 0) == 0 || errno != ESRCH)
            return true;
    }
    return false;
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
    // Runs the worker on one file; true once run() returned and finished() came.
    bool probe(GetMediaInfoThread& worker, const QString& path, const QString& thumb = QString());
    // A stand-in application folder, which becomes g_appDirPath; an empty
    // script leaves that tool out.
    QString standIn(const char* name, const QByteArray& ffmpeg, const QByteArray& ffprobe);

    QString m_media;
    QString m_clip;
};

void TestGetMediaInfoThread::initTestCase()
{
    m_media = TestEnv::makeDir(QStringLiteral("media"));
    m_clip = MediaFactory::videoWithTone(m_media + QLatin1String("/clip.mp4"), 2);
    QVERIFY(!m_clip.isEmpty());
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

QString TestGetMediaInfoThread::standIn(const char* name, const QByteArray& ffmpeg, const QByteArray& ffprobe)
{
    const QString dir = TestEnv::makeDir(QLatin1String("apps/") + QLatin1String(name));
    writeScript(dir + QLatin1String("/ffmpeg"), ffmpeg);
    if (!ffprobe.isEmpty())
        writeScript(dir + QLatin1String("/ffprobe"), ffprobe);
    g_appDirPath = dir;
    return dir;
}

void TestGetMediaInfoThread::realFile()
{
    GetMediaInfoThread worker;
    const QString thumb = PathServices::getTempFolder() + QLatin1String("/thumb.bmp");
    QVERIFY(probe(worker, m_clip, thumb));

    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    const MediaInfo& info = *worker.m_pMediaInfo;
    QCOMPARE(info.filePath, m_clip);
    QCOMPARE(info.fileSize, QFileInfo(m_clip).size());
    QCOMPARE(describe(info), describe(MediaFacts::expectedFromProbe(m_clip)));
    QCOMPARE(QImageReader(thumb).format(), QByteArray("bmp"));
    QCOMPARE(QImageReader(thumb).size(), QSize(640, 480));

    // The detailed record holds ffprobe's report, numbers as text.
    const ProbeInfo& p = *worker.m_pProbeInfo;
    const QJsonObject report = MediaFactory::probe(m_clip);
    const QJsonArray streams = report.value(QLatin1String("streams")).toArray();
    QCOMPARE(p.streams.size(), streams.size());
    for (int i = 0; i < streams.size(); ++i) {
        const QJsonObject s = streams.at(i).toObject();
        const ProbeStream& r = p.streams.at(i);
        QCOMPARE(r.index, i);
        const QList<QPair<const char*, QString>> fields{{"codec_name", r.codec_name}, {"width", r.width},
            {"level", r.level}, {"r_frame_rate", r.r_frame_rate}, {"duration_ts", r.duration_ts},
            {"bit_rate", r.bit_rate}, {"sample_rate", r.sample_rate}, {"channels", r.channels}};
        for (const auto& field : fields)
            QCOMPARE(field.second, jsonText(s.value(QLatin1String(field.first))));
        QCOMPARE(r.disposition.default_, QStringLiteral("1"));
        QCOMPARE(r.tags.language, QStringLiteral("und"));
    }
    QCOMPARE(p.streams.at(0).width, QStringLiteral("320"));
    QCOMPARE(p.filename, m_clip);
    QCOMPARE(p.nb_streams, QStringLiteral("2"));
    QCOMPARE(p.size, QString::number(QFileInfo(m_clip).size()));
    QCOMPARE(p.bit_rate, jsonText(report.value(QLatin1String("format")).toObject().value(QLatin1String("bit_rate"))));

    // Neither decoder works here, and the test output does not stay behind.
    QVERIFY(info.hwAccels.isEmpty() && p.hwAccels.isEmpty());
    QVERIFY(QFileInfo(cacheFolder()).isDir());
    QCOMPARE(cacheEntries(), QStringList());
}

void TestGetMediaInfoThread::argumentsAndDecodeTest()
{
    // cuda "decodes"; dxva2 prints a frame but also an error. Both leave a file.
    const QString dir = standIn("decode",
        "for a; do out=$a; done\ncase \"$*\" in\n"
        "*-hwaccel\\ cuda*) echo 'frame=    1 fps=0.0 q=-0.0 size=0kB'; : > \"$out\" ;;\n"
        "*-hwaccel*) echo 'frame=    1'; echo 'Error while decoding' >&2; : > \"$out\" ;;\n*)\n"
            + printBanner + ";;\nesac\n",
        // Padded, capitalised key; numbers where ffprobe prints numbers.
        "echo '{\" \\n STREAMS \\r\\n\": [{\"index\": 0, \"width\": 1920, \"duration_ts\": 1234567}]}'\n");

    GetMediaInfoThread worker;
    const QString path = m_media + QLatin1String("/any name.mp4");
    const QString thumb = m_media + QLatin1String("/t.bmp");
    QVERIFY(probe(worker, path, thumb));

    const QString out = PathServices::getTempFolder() + QLatin1String("/cache/") + PathServices::getMd5String(path)
        + QLatin1String(".mp4");
    const QStringList hwTail
        = QStringList{QStringLiteral("-i"), path} + words("-to 00:00:00.0001 -dn -sn -an -f mp4") + QStringList{out};
    const QList<QStringList> expected{
        QStringList{QStringLiteral("-i"), path} + words("-y -f image2 -vf scale=-1:480 -t 1.520") + QStringList{thumb},
        words("-v quiet -loglevel panic -print_format json -show_format -show_streams") + QStringList{path},
        words("-y -hide_banner -loglevel error -hwaccel cuda") + hwTail,
        words("-y -hide_banner -loglevel error -hwaccel dxva2") + hwTail};
    QCOMPARE(loggedCalls(dir), expected);

    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    QCOMPARE(worker.m_pMediaInfo->duration, 7000000LL);
    QCOMPARE(worker.m_pMediaInfo->hwAccels, QStringList{QStringLiteral("cuda")});
    QCOMPARE(worker.m_pProbeInfo->hwAccels, QStringList{QStringLiteral("cuda")});
    QCOMPARE(cacheEntries(), QStringList());
    QCOMPARE(worker.m_pProbeInfo->streams.size(), 1);
    QCOMPARE(worker.m_pProbeInfo->streams.at(0).width, QStringLiteral("1920"));
    QCOMPARE(worker.m_pProbeInfo->streams.at(0).duration_ts, QStringLiteral("1.23457e+06"));

    // Without a thumbnail path ffmpeg gets only the input.
    QFile::remove(dir + QLatin1String("/calls.log"));
    QVERIFY(probe(worker, path));
    QCOMPARE(loggedCalls(dir).value(0), (QStringList{QStringLiteral("-i"), path}));
}

void TestGetMediaInfoThread::toolFaults_data()
{
    QTest::addColumn<QByteArray>("ffmpeg");
    QTest::addColumn<QByteArray>("ffprobe"); // empty: missing; "no-exec": present but not executable
    QTest::addColumn<qlonglong>("duration"); // -1: no media record
    QTest::addColumn<int>("streams");        // -1: no probe record
    QTest::addColumn<int>("runs");

    const QByteArray json = "echo '{\"streams\": [{\"index\": 0}, {\"index\": 1}]}'\n";
    QTest::newRow("both print nothing") << QByteArray("exit 0\n") << QByteArray("exit 0\n") << -1LL << -1 << 2;
    QTest::newRow("no banner, probe still runs") << QByteArray("exit 1\n") << json << -1LL << 2 << 2;
    QTest::newRow("invalid JSON") << printBanner << QByteArray("echo '{\"streams\": ['\n") << 7000000LL << 0 << 4;
    QTest::newRow("missing ffprobe") << printBanner << QByteArray() << 7000000LL << -1 << 3;
    QTest::newRow("ffprobe that cannot start") << printBanner << QByteArray("no-exec") << 7000000LL << -1 << 3;
    QTest::newRow("crash after the banner") << printBanner + "kill -SEGV $$\n" << json << 7000000LL << 2 << 4;
    // Output ends at the first NUL byte: the second duration is never read.
    QTest::newRow("NUL byte") << QByteArray("printf '  Duration: 00:00:05.00, start: 0.0, bitrate: 1 kb/s'\n"
                                            "head -c 1 /dev/zero; echo\n"
                                            "echo '  Duration: 00:01:00.00, start: 0.0, bitrate: 2 kb/s'\n")
                              << json << 5000000LL << 2 << 4;
}

void TestGetMediaInfoThread::toolFaults()
{
    QFETCH(QByteArray, ffmpeg);
    QFETCH(QByteArray, ffprobe);
    QFETCH(qlonglong, duration);
    QFETCH(int, streams);
    QFETCH(int, runs);
    const QString dir = standIn("faults", ffmpeg, ffprobe);
    if (ffprobe == "no-exec")
        QVERIFY(QFile::setPermissions(dir + QLatin1String("/ffprobe"), QFile::ReadOwner | QFile::WriteOwner));

    GetMediaInfoThread worker;
    QVERIFY(probe(worker, m_clip));
    QCOMPARE(worker.m_pMediaInfo ? worker.m_pMediaInfo->duration : -1LL, duration);
    QCOMPARE(worker.m_pProbeInfo ? worker.m_pProbeInfo->streams.size() : -1, streams);
    // The decode test needs a media record.
    QCOMPARE(loggedCalls(dir).size(), runs);
}

void TestGetMediaInfoThread::hangingToolsAreAbandoned()
{
    const QString dir
        = standIn("hang", printBanner + "exec sleep 30\n", "printf '{\"streams\": [{\"index\": 0}'\nexec sleep 30\n");
    GetMediaInfoThread worker;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(probe(worker, m_clip, m_media + QLatin1String("/hang.bmp")));
    const qint64 elapsed = clock.elapsed();

    // Four runs of 2 s each; what the banner printed before the limit counts.
    QCOMPARE(loggedCalls(dir).size(), 4);
    QVERIFY2(elapsed >= 4 * GetMediaInfoThread::ToolTimeoutMs - 100, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 4 * GetMediaInfoThread::ToolTimeoutMs + 4000, qPrintable(QString::number(elapsed)));
    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    QCOMPARE(describe(*worker.m_pMediaInfo), QStringLiteral("7000000 900 | 1 h264 640x360 800000 | 0 - 0 0 0"));
    QCOMPARE(worker.m_pProbeInfo->streams.size(), 0);
    QVERIFY(!anyAlive(dir));
    QCOMPARE(cacheEntries(), QStringList());
}

void TestGetMediaInfoThread::destroyedWhileRunning()
{
    const QString dir = standIn("destroy", "exec sleep 30\n", "exec sleep 30\n");
    auto worker = std::make_unique<GetMediaInfoThread>();
    worker->m_filePath = m_clip;
    worker->start();
    QTRY_COMPARE_WITH_TIMEOUT(logLines(dir, "pids.log").size(), 1, 5000);

    // The owner going away cuts the running child short and reaps it.
    QElapsedTimer clock;
    clock.start();
    worker.reset();
    QVERIFY2(clock.elapsed() < GetMediaInfoThread::ToolTimeoutMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(logLines(dir, "pids.log").size(), 1);
    QVERIFY(!anyAlive(dir));
}

void TestGetMediaInfoThread::secondProbeNeverReturnsFirst()
{
    GetMediaInfoThread worker;
    QVERIFY(probe(worker, m_clip));
    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);

    // A taken record belongs to the taker and outlives later runs; the one
    // left behind goes with the next run.
    const std::unique_ptr<MediaInfo> taken = worker.takeMediaInfo();
    QVERIFY(!worker.m_pMediaInfo);
    standIn("silent", "exit 0\n", "exit 0\n");
    QVERIFY(probe(worker, m_media + QLatin1String("/other.mp4")));
    QVERIFY(!worker.m_pMediaInfo);
    QVERIFY(!worker.m_pProbeInfo);
    QCOMPARE(taken->filePath, m_clip);

    g_appDirPath = TestEnv::appDir();
    QVERIFY(probe(worker, m_clip));
    const std::unique_ptr<ProbeInfo> probeInfo = worker.takeProbeInfo();
    QVERIFY(probeInfo && !worker.m_pProbeInfo);
    QCOMPARE(probeInfo->filename, m_clip);
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
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(4096, 'Z')) == 4096);
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
        QStringList{QStringLiteral("-i"), m_clip} + words("-c copy -metadata:s:v:0 rotate=90"))
                                                 << false << true;
    QTest::newRow("mp4 with a cover picture") << MediaFactory::make(dir + QLatin1String("/covered.m4v"),
        QStringList{QStringLiteral("-i"), m_clip}
            + words("-f lavfi -i testsrc=size=600x600:rate=1:duration=1 -map 0 -map 1 -c:v:0 copy -c:a copy "
                    "-c:v:1 mjpeg -disposition:v:1 attached_pic -f mp4"))
                                              << false << false;
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
    QVERIFY(worker.m_pMediaInfo && worker.m_pProbeInfo);
    const MediaInfo& info = *worker.m_pMediaInfo;
    QCOMPARE(info.filePath, path);
    QCOMPARE(info.fileSize, QFileInfo(path).size());
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
    // The thumbnail is upright as well: ffmpeg turns the picture before scaling.
    const QSize picture = QImageReader(thumb).size();
    QCOMPARE(picture.height(), 480);
    QCOMPARE(picture.width() < picture.height(), portrait);
}

MORVAYNE_TEST_CORE_MAIN(TestGetMediaInfoThread)
#include "tst_getmediainfothread.moc"

#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/subtitlecopies.h"
#include "convert/videoitemdata.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>

#include <cerrno>
#include <signal.h>

namespace {

const qint64 Second = 1000000;

// A stand-in for ffmpeg: the file "mode" beside it picks what it does. Every
// call is recorded in "calls", its working folder and font setting in "env";
// a subtitle input must still be there a moment after the start.
// clang-format off
const char* const StandIn = R"sh(#!/bin/sh
dir=$(dirname "$0")
mode=$(cat "$dir/mode" 2>/dev/null)
for last; do :; done
echo "$*" >> "$dir/calls"
printf '%s\n%s\n' "$(pwd)" "$FONTCONFIG_FILE" > "$dir/env"
for a; do
    case "$a" in
    *.srt) sleep 0.05; [ -f "$a" ] || { echo "$a: No such file or directory"; exit 1; } ;;
    esac
done
case "$mode" in
small) echo "frame=1 time=00:00:01.00 bitrate=1"; printf 'abc' > "$last"; exit 0 ;;
exit1) printf 'data' > "$last"; exit 1 ;;
phrase-first) printf 'Conversion failed!\n'; sleep 0.2; printf 'data' > "$last"; exit 0 ;;
empty) : > "$last"; exit 0 ;;
crash) printf 'data' > "$last"; kill -SEGV $$ ;;
hw-fails)
    case "$*" in
    *_nvenc*|*_amf*|*_qsv*|*_mf*) echo "Unknown encoder"; exit 1 ;;
    *) printf 'data' > "$last"; exit 0 ;;
    esac ;;
progress)
    for t in 01 03 02 05 09; do echo "frame=1 time=00:00:$t.00 bitrate=1"; sleep 0.1; done
    printf 'data' > "$last"; exit 0 ;;
hang) echo "frame=1 time=00:00:01.00 bitrate=1"; printf 'partial' > "$last"; exec sleep 30 ;;
esac
exit 3
)sh";
// clang-format on

MediaInfo* clipInfo()
{
    auto* m = new MediaInfo;
    m->duration = 10 * Second;
    m->hasVideo = 1;
    m->width = 320;
    m->height = 240;
    m->videoCodec = QStringLiteral("h264");
    m->audioCodec = QStringLiteral("aac");
    m->hasAudio = 1;
    return m;
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

bool processExists(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

class TestVideoItemData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void verdict_data();
    void verdict();
    void encoderLadder();
    void processSetup();
    void startFailureEndsTheJob_data();
    void startFailureEndsTheJob();
    void progressNeverDecreases();
    void stop();
    void stopIdleJob();
    void deleteRunningJob();
    void deleteBeforeDeferredNotice();
    void jobsStartedTogether();
    void jobsSharingASubtitle();

private:
    VideoItemData* makeJob(const QString& mode);
    QStringList calls() const;

    QString m_app;
    QString m_out;
    QString m_src;
    RuntimeChoices m_choices;
    OutputProfile m_profile{QStringLiteral("mp4")};
};

void TestVideoItemData::initTestCase()
{
    m_app = TestEnv::makeDir(QStringLiteral("standin"));
    const QString tool = m_app + QStringLiteral("/ffmpeg");
    QVERIFY(writeFile(tool, StandIn));
    QVERIFY(QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_choices.makeCurrent();
    m_src = TestEnv::makeDir(QStringLiteral("src")) + QStringLiteral("/a.mov");
    QVERIFY(writeFile(m_src, "source"));
}

void TestVideoItemData::init()
{
    g_appDirPath = m_app;
    m_out = TestEnv::makeDir(QStringLiteral("out"));
    m_choices.m_outFolder = m_out;
    QFile::remove(m_app + QStringLiteral("/calls"));
}

void TestVideoItemData::cleanup()
{
    QCOMPARE(OutputPathRegistry::heldCount(), 0);
}

VideoItemData* TestVideoItemData::makeJob(const QString& mode)
{
    writeFile(m_app + QStringLiteral("/mode"), mode.toUtf8());
    auto* job = new VideoItemData;
    job->m_sourcePath = m_src;
    job->m_pMediaInfo = clipInfo();
    job->setOutputProfile(&m_profile);
    return job;
}

QStringList TestVideoItemData::calls() const
{
    return QString::fromUtf8(readFile(m_app + QStringLiteral("/calls"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A run is good when ffmpeg exits with 0, leaves a non-empty file and prints
// no error phrase, whatever the file's size; a bad run goes down the ladder
// and leaves no output behind.
void TestVideoItemData::verdict_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("sizeText");
    QTest::newRow("small output is good") << QStringLiteral("small") << 2 << 1 << QStringLiteral("3 bytes");
    QTest::newRow("exit status 1") << QStringLiteral("exit1") << 3 << 5 << QString();
    QTest::newRow("phrase at the start of a chunk") << QStringLiteral("phrase-first") << 3 << 5 << QString();
    QTest::newRow("empty output") << QStringLiteral("empty") << 3 << 5 << QString();
    QTest::newRow("crash") << QStringLiteral("crash") << 3 << 5 << QString();
}

void TestVideoItemData::verdict()
{
    QFETCH(QString, mode);
    QFETCH(int, state);
    QFETCH(int, runs);
    QFETCH(QString, sizeText);

    QScopedPointer<VideoItemData> job(makeJob(mode));
    const QString estimate = job->m_sizeText;
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    int attemptsAtEnd = -1;
    connect(job.data(), &VideoItemData::updateFinished, this,
        [&attemptsAtEnd](VideoItemData* item) { attemptsAtEnd = item->m_nEncoderAttempt; });
    job->startConvert();
    QCOMPARE(job->m_nState, 1);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().value<VideoItemData*>(), job.data());

    QCOMPARE(job->m_nState, state);
    QCOMPARE(calls().size(), runs);
    QCOMPARE(attemptsAtEnd, runs - 1);
    QCOMPARE(job->m_nEncoderAttempt, 0);
    // Every retry wrote to the same name again: the bad file was deleted first.
    for (const QString& call : calls())
        QVERIFY(call.endsWith(m_out + QStringLiteral("/a.mp4")));
    QCOMPARE(QFileInfo::exists(job->m_outputPath), state == 2);
    QCOMPARE(job->m_sizeText, state == 2 ? sizeText : estimate);
    QTest::qWait(50);
    QCOMPARE(finished.count(), 1);
}

void TestVideoItemData::encoderLadder()
{
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("hw-fails")));
    job->m_pMediaInfo->rotation = 90;
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    QSignalSpy shown(job.data(), &VideoItemData::updateShow);
    job->startConvert();
    QVERIFY(finished.wait(10000));
    QCOMPARE(job->m_nState, 2);

    const QStringList c = calls();
    QCOMPARE(c.size(), 5);
    const QStringList encoders{QStringLiteral("h264_nvenc"), QStringLiteral("h264_amf"), QStringLiteral("h264_qsv"),
        QStringLiteral("h264_mf"), QStringLiteral("h264")};
    for (int i = 0; i < 5; ++i)
        QVERIFY2(c.at(i).contains(QStringLiteral("-c:v ") + encoders.at(i) + QLatin1Char(' ')), qPrintable(c.at(i)));

    // A stream copy is not sent down the ladder when it succeeds.
    QFile::remove(m_app + QStringLiteral("/calls"));
    job->m_pMediaInfo->rotation = 0;
    job->m_nState = 0;
    job->startConvert();
    QVERIFY(finished.wait(10000));
    QCOMPARE(calls().size(), 1);
    QVERIFY(calls().first().contains(QStringLiteral("-c:v copy")));
    QCOMPARE(job->m_outputPath, m_out + QStringLiteral("/a (0).mp4"));
}

// ffmpeg runs in the temp folder with the font configuration of the
// application folder, and its command line goes to the log.
void TestVideoItemData::processSetup()
{
    static QStringList messages;
    messages.clear();
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        messages.append(text);
        previous(type, context, text);
    });

    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("small")));
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QVERIFY(finished.wait(10000));
    qInstallMessageHandler(previous);

    const QList<QByteArray> env = readFile(m_app + QStringLiteral("/env")).split('\n');
    QCOMPARE(QString::fromUtf8(env.at(0)), PathServices::getTempFolder());
    QCOMPARE(QString::fromUtf8(env.at(1)), m_app + QStringLiteral("/font/fonts.conf"));

    const QString line = QStringLiteral(" -i ") + m_src + QStringLiteral(" -c:v copy -c:a copy -threads 1 -y ") + m_out
        + QStringLiteral("/a.mp4 ");
    QVERIFY2(messages.contains(line), qPrintable(messages.join(QLatin1Char('|'))));
    QVERIFY(messages.contains(QStringLiteral("frame=1 time=00:00:01.00 bitrate=1\n")));
}

// A tool that cannot be started ends the job as failed, so that it gives its
// conversion slot back.
void TestVideoItemData::startFailureEndsTheJob_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("not executable") << true;
}

void TestVideoItemData::startFailureEndsTheJob()
{
    QFETCH(bool, present);
    g_appDirPath = TestEnv::makeDir(QStringLiteral("noapp"));
    if (present)
        QVERIFY(writeFile(g_appDirPath + QStringLiteral("/ffmpeg"), "#!/bin/sh\nexit 0\n"));

    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("small")));
    job->m_srtPath = m_src;
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(job->m_nState, 3);
    QCOMPARE(job->m_nEncoderAttempt, 0);
    QVERIFY(!QFileInfo::exists(job->m_outputPath));
    QVERIFY(QDir(PathServices::getTempFolder()).entryList({QStringLiteral("*.mov")}).isEmpty());
}

void TestVideoItemData::progressNeverDecreases()
{
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("progress")));
    QList<int> seen;
    connect(job.data(), &VideoItemData::updateProgress, this,
        [&seen](VideoItemData* item) { seen.append(item->m_nProgress); });
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QCOMPARE(job->m_nProgress, 0);
    QVERIFY(finished.wait(10000));
    QCOMPARE(job->m_nState, 2);

    QVERIFY(!seen.isEmpty());
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY(seen.at(i) >= seen.at(i - 1));
    QVERIFY(seen.contains(1000));
    QVERIFY(seen.contains(3000));
    QVERIFY(seen.last() >= 8999 && seen.last() <= 9000);
}

void TestVideoItemData::stop()
{
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("hang")));
    QSignalSpy progress(job.data(), &VideoItemData::updateProgress);
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->startConvert();
    QVERIFY(progress.wait(5000));
    QTRY_VERIFY(QFileInfo(job->m_outputPath).size() > 0);
    auto* process = job->findChild<QProcess*>();
    QVERIFY(process);
    const qint64 pid = process->processId();
    QVERIFY(processExists(pid));

    QElapsedTimer clock;
    clock.start();
    job->stopConvert();
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(process->state(), QProcess::NotRunning);
    QVERIFY(!processExists(pid));

    QCOMPARE(job->m_nState, 4);
    QCOMPARE(job->m_nEncoderAttempt, 0);
    QCOMPARE(finished.count(), 1); // the end of the killed run, handled as stopped
    QCOMPARE(readFile(job->m_outputPath), QByteArray("partial"));
    QTest::qWait(100);
    QCOMPARE(calls().size(), 1);
    QCOMPARE(finished.count(), 1);

    // Started again, it writes beside the partial file.
    writeFile(m_app + QStringLiteral("/mode"), "small");
    job->startConvert();
    QVERIFY(finished.wait(5000));
    QCOMPARE(job->m_nState, 2);
    QCOMPARE(job->m_outputPath, m_out + QStringLiteral("/a (0).mp4"));
}

void TestVideoItemData::stopIdleJob()
{
    QScopedPointer<VideoItemData> job(makeJob(QStringLiteral("small")));
    job->m_nState = 0;
    job->m_nEncoderAttempt = 2;
    QSignalSpy finished(job.data(), &VideoItemData::updateFinished);
    job->stopConvert();
    QCOMPARE(job->m_nState, 4);
    QCOMPARE(job->m_nEncoderAttempt, 0);
    QTest::qWait(20);
    QCOMPARE(finished.count(), 0);
}

// Deleting a converting job ends its ffmpeg first and leaves nothing of the
// job behind but the partial output.
void TestVideoItemData::deleteRunningJob()
{
    auto* job = makeJob(QStringLiteral("hang"));
    job->m_srtPath = m_src;
    QSignalSpy progress(job, &VideoItemData::updateProgress);
    job->startConvert();
    QVERIFY(progress.wait(5000));
    const qint64 pid = job->findChild<QProcess*>()->processId();
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({QStringLiteral("*.mov")}).size(), 1);
    QCOMPARE(OutputPathRegistry::heldCount(), 1);

    delete job;
    QVERIFY(!processExists(pid));
    QCOMPARE(OutputPathRegistry::heldCount(), 0);
    QVERIFY(QDir(PathServices::getTempFolder()).entryList({QStringLiteral("*.mov")}).isEmpty());
    QTest::qWait(50);
}

// A start failure is reported later; a job deleted before then hears nothing.
void TestVideoItemData::deleteBeforeDeferredNotice()
{
    g_appDirPath = TestEnv::makeDir(QStringLiteral("noapp"));
    int finishedCount = 0;
    auto* job = makeJob(QStringLiteral("small"));
    connect(job, &VideoItemData::updateFinished, this, [&finishedCount] { ++finishedCount; });
    job->startConvert();
    delete job;
    QTest::qWait(100);
    QCOMPARE(finishedCount, 0);
}

// The same source converted twice at once writes two files.
void TestVideoItemData::jobsStartedTogether()
{
    QScopedPointer<VideoItemData> first(makeJob(QStringLiteral("progress")));
    QScopedPointer<VideoItemData> second(makeJob(QStringLiteral("progress")));
    QSignalSpy firstDone(first.data(), &VideoItemData::updateFinished);
    QSignalSpy secondDone(second.data(), &VideoItemData::updateFinished);
    first->startConvert();
    second->startConvert();
    QTRY_COMPARE_WITH_TIMEOUT(firstDone.count() + secondDone.count(), 2, 10000);
    QCOMPARE(first->m_nState, 2);
    QCOMPARE(second->m_nState, 2);
    QCOMPARE(first->m_outputPath, m_out + QStringLiteral("/a.mp4"));
    QCOMPARE(second->m_outputPath, m_out + QStringLiteral("/a (0).mp4"));
    QVERIFY(QFileInfo::exists(second->m_outputPath));
}

// The same source with its subtitle converted twice at once: both runs read
// one copy, which stays until the second is done.
void TestVideoItemData::jobsSharingASubtitle()
{
    const QString srt = TestEnv::makeDir(QStringLiteral("subs")) + QStringLiteral("/a.srt");
    QVERIFY(writeFile(srt, "1\n00:00:00,000 --> 00:00:01,000\nHi\n"));
    QList<VideoItemData*> jobs;
    const auto release = qScopeGuard([&jobs] { qDeleteAll(jobs); });
    for (int i = 0; i < 2; ++i) {
        jobs.append(makeJob(QStringLiteral("hw-fails")));
        jobs.last()->m_srtPath = srt;
    }
    QSignalSpy firstDone(jobs.at(0), &VideoItemData::updateFinished);
    QSignalSpy secondDone(jobs.at(1), &VideoItemData::updateFinished);
    for (VideoItemData* job : jobs)
        job->startConvert();
    const QString copy
        = PathServices::getTempFolder() + QLatin1Char('/') + PathServices::getMd5String(srt) + QStringLiteral(".srt");
    QCOMPARE(SubtitleCopies::users(copy), 2);

    QVERIFY(firstDone.wait(10000));
    if (secondDone.isEmpty()) {
        QVERIFY(QFileInfo::exists(copy));
        QVERIFY(secondDone.wait(10000));
    }
    QCOMPARE(jobs.at(0)->m_nState, 2);
    QCOMPARE(jobs.at(1)->m_nState, 2);
    QCOMPARE(calls().size(), 10); // every attempt but the hardware ones got its subtitle
    QVERIFY(!QFileInfo::exists(copy));
}

MORVAYNE_TEST_CORE_MAIN(TestVideoItemData)
#include "tst_videoitemdata.moc"

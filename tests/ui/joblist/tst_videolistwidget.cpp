#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/mytablelistwidget.h"
#include "ui/joblist/videoitemwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QLabel>
#include <QWheelEvent>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

// Running ffmpeg processes started by this test.
QList<int> ffmpegChildren()
{
    QList<int> pids;
    for (const QString& entry : QDir(str("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const int close = line.lastIndexOf(')');
        const QList<QByteArray> rest = line.mid(close + 2).split(' ');
        if (line.contains("(ffmpeg)") && rest.size() > 1 && rest.at(0) != "Z" && rest.at(1).toInt() == ::getpid())
            pids << entry.toInt();
    }
    return pids;
}

// "h264 160x120 aac 2 s": the streams of a file and its length.
QString describe(const QString& path)
{
    QStringList parts;
    for (const QJsonObject& s : MediaFactory::streams(path, str("video")))
        parts << QStringLiteral("%1 %2x%3")
                     .arg(s[str("codec_name")].toString())
                     .arg(s[str("width")].toInt())
                     .arg(s[str("height")].toInt());
    for (const QJsonObject& s : MediaFactory::streams(path, str("audio")))
        parts << s[str("codec_name")].toString();
    return parts.join(QLatin1Char(' ')) + QStringLiteral(" %1 s").arg(qRound(MediaFactory::durationSeconds(path)));
}

QLabel* label(QWidget* row, const char* name)
{
    return row->findChild<QLabel*>(QLatin1String(name));
}

} // namespace

// The job list with real ffmpeg runs: scheduling under the limit in list
// order, deletion and "Remove All" while converting, and rows that follow
// their jobs while the list scrolls. A job whose source is a named pipe keeps
// its ffmpeg waiting until the test feeds it.
class TestVideoListWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fiveJobs();
    void convertButtonAndLimit();
    void deleteConverting();
    void removeAllWhileConverting();
    void scrolling();

private:
    // A job of `source` with the record of the real file `like`.
    VideoItemData* add(const QString& source, const QString& like, const QString& srt = QString());
    QString pipe(const QString& name);
    // Lets the ffmpeg waiting on `pipe` read all of `clip`.
    void feed(const QString& pipe, const QString& clip);
    VideoItemWidget* rowOf(VideoItemData* job)
    {
        return static_cast<VideoItemWidget*>(m_list->tableList()->searchMyTableItemWidget(job));
    }
    void convert(VideoItemData* job)
    {
        QTest::mouseClick(rowOf(job)->findChild<QWidget*>(str("convertButton")), Qt::LeftButton);
    }
    QString states() const;

    RuntimeChoices m_choices;
    OutputProfile m_profile;
    QString m_media;
    QString m_clip;
    QString m_cues;
    VideoListWidget* m_list = nullptr;
    QList<QProcess*> m_feeders;
    QHash<QString, QString> m_banners;
};

void TestVideoListWidget::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    g_appDirPath = TestEnv::appDir();
    m_media = TestEnv::makeDir(str("media"));
    const char* const sizes[] = {"160x120", "176x144", "192x128", "208x160", "224x176"};
    for (int i = 0; i < 5; ++i)
        QVERIFY(
            !MediaFactory::videoWithTone(m_media + QStringLiteral("/c%1.mp4").arg(i + 1), 2, str(sizes[i])).isEmpty());
    m_clip = MediaFactory::videoWithTone(m_media + str("/clip.mkv"), 1, str("160x120"));
    // Many progress reports while it trickles in.
    QVERIFY(!MediaFactory::videoWithTone(
        m_media + str("/long.mkv"), 20, str("320x240"), {str("-b:v"), str("800k"), str("-preset"), str("ultrafast")})
                 .isEmpty());
    m_cues = m_media + str("/cues.srt");
    QFile cues(m_cues);
    QVERIFY(cues.open(QIODevice::WriteOnly) && cues.write("1\n00:00:00,000 --> 00:00:01,000\nHello\n") > 0);
}

void TestVideoListWidget::init()
{
    m_choices.m_outFolder = TestEnv::makeDir(str("out"));
    m_choices.m_maxConvertCount = 2;
    m_profile.format = str("mkv");
    m_list = new VideoListWidget;
    m_list->resize(1100, 520);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void TestVideoListWidget::cleanup()
{
    delete m_list;
    for (QProcess* feeder : qAsConst(m_feeders)) {
        feeder->kill();
        feeder->waitForFinished(3000);
    }
    qDeleteAll(m_feeders);
    m_feeders.clear();
    QTRY_VERIFY_WITH_TIMEOUT(ffmpegChildren().isEmpty(), 5000);
    QCOMPARE(OutputPathRegistry::heldCount(), 0);
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}), QStringList());
}

VideoItemData* TestVideoListWidget::add(const QString& source, const QString& like, const QString& srt)
{
    if (!m_banners.contains(like))
        m_banners.insert(like, MediaFactory::banner(like));
    auto* m = new MediaInfo;
    FFmpegBannerParser::parse(m, m_banners.value(like));
    return m_list->addVideoItem(source, m, QString(), &m_profile, new ProbeInfo, srt)
        ? m_list->jobAt(m_list->jobCount() - 1)
        : nullptr;
}

QString TestVideoListWidget::pipe(const QString& name)
{
    const QString path = m_media + QLatin1Char('/') + name;
    QFile::remove(path);
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
}

void TestVideoListWidget::feed(const QString& pipe, const QString& clip)
{
    auto* feeder = new QProcess;
    feeder->setStandardOutputFile(pipe);
    feeder->start(str("cat"), {clip});
    m_feeders << feeder;
}

QString TestVideoListWidget::states() const
{
    QStringList s;
    for (int i = 0; i < m_list->jobCount(); ++i)
        s << QString::number(m_list->jobAt(i)->m_nState);
    return s.join(QLatin1Char(' '));
}

// Limit 2: jobs 1 and 2 convert while 3 to 5 wait; each end starts the next
// waiting job in list order; the list reports converting until the last ends.
// A file without a media record is refused.
void TestVideoListWidget::fiveJobs()
{
    QVERIFY(!m_list->addVideoItem(m_media + str("/c1.mp4"), nullptr, QString(), &m_profile, new ProbeInfo, QString()));
    QVERIFY(m_list->tableList()->itemWidgets().isEmpty());
    m_profile.format = str("mov");
    QStringList steps; // "3+" when job 3 starts, "3-" when it ends, with what runs then
    for (int i = 1; i <= 5; ++i) {
        VideoItemData* job
            = add(m_media + QStringLiteral("/c%1.mp4").arg(i), m_media + QStringLiteral("/c%1.mp4").arg(i));
        connect(job, &VideoItemData::updateShow, this, [this, &steps, i](VideoItemData* j) {
            if (j->m_nState >= 1 && j->m_nState <= 3)
                steps << QStringLiteral("%1%2 [%3]").arg(i).arg(j->m_nState == 1 ? '+' : '-').arg(states());
        });
    }
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    m_list->convertAll();
    QCOMPARE(states(), str("1 1 0 0 0"));
    QCOMPARE(label(rowOf(m_list->jobAt(4)), "statusLabel")->text(), str("Waiting..."));
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 2 2 2 2"), 120000);
    // Starts in list order, each after an end, never more than two running.
    QStringList starts;
    int ends = 0;
    for (const QString& step : qAsConst(steps)) {
        ends += step.at(1) == QLatin1Char('-');
        if (step.at(1) == QLatin1Char('+')) {
            starts << step.left(1);
            QVERIFY2(starts.size() <= 2 + ends && step.section(QLatin1Char('['), 1).count(QLatin1Char('1')) <= 2,
                qPrintable(steps.join(str(", "))));
        }
    }
    QCOMPARE(starts.join(QString()), str("12345"));
    QVERIFY(converting.count() > 1);
    for (int i = 0; i < converting.count(); ++i)
        QCOMPARE(converting.at(i).at(0).toBool(), i < converting.count() - 1);
    QStringList outputs;
    for (int i = 0; i < 5; ++i)
        outputs << QFileInfo(m_list->jobAt(i)->m_outputPath).fileName() + QLatin1Char(' ')
                + describe(m_list->jobAt(i)->m_outputPath);
    QCOMPARE(outputs,
        QStringList(
            {str("c1.mov h264 160x120 aac 2 s"), str("c2.mov h264 176x144 aac 2 s"), str("c3.mov h264 192x128 aac 2 s"),
                str("c4.mov h264 208x160 aac 2 s"), str("c5.mov h264 224x176 aac 2 s")}));
}

// The convert button of job 5 while 1 and 2 run queues it behind the waiting
// jobs before it. A raised limit counts from the next pass; a lowered one
// stops nothing.
void TestVideoListWidget::convertButtonAndLimit()
{
    QList<VideoItemData*> jobs;
    for (int i = 1; i <= 4; ++i)
        jobs << add(pipe(QStringLiteral("h%1.mkv").arg(i)), m_clip);
    jobs << add(m_media + str("/c1.mp4"), m_media + str("/c1.mp4"));
    const auto step = [&](const QString& what, const QString& expected) {
        QTRY_VERIFY2_WITH_TIMEOUT(states() == expected, qPrintable(what + str(": ") + states()), 30000);
    };
    convert(jobs[0]);
    convert(jobs[1]);
    step(str("two started"), str("1 1 -1 -1 -1"));
    convert(jobs[4]);
    convert(jobs[2]);
    m_choices.m_maxConvertCount = 4;
    step(str("5 and 3 wait; a raised limit waits for a pass"), str("1 1 0 -1 0"));
    convert(jobs[3]);
    step(str("3 and 4 take the new slots before 5"), str("1 1 1 1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 4, 10000);
    m_choices.m_maxConvertCount = 1;
    m_list->convertAll();
    step(str("a lowered limit stops nothing"), str("1 1 1 1 0"));
    QCOMPARE(ffmpegChildren().size(), 4);
    QCOMPARE(m_list->unfinishedCount(), 1);
    feed(jobs[0]->m_sourcePath, m_clip);
    step(str("one end under limit 1 starts nothing"), str("2 1 1 1 0"));
    m_choices.m_maxConvertCount = 2;
    feed(jobs[1]->m_sourcePath, m_clip);
    step(str("limit 2 with two running"), str("2 2 1 1 0"));
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    feed(jobs[2]->m_sourcePath, m_clip);
    step(str("a free slot at last"), str("2 2 2 1 2"));
    feed(jobs[3]->m_sourcePath, m_clip);
    step(str("all done"), str("2 2 2 2 2"));
    QCOMPARE(converting.last().at(0).toBool(), false);
    for (VideoItemData* job : qAsConst(jobs))
        QCOMPARE(describe(job->m_outputPath), str(job == jobs[4] ? "h264 160x120 aac 2 s" : "h264 160x120 vorbis 1 s"));
}

// Deleting a converting job kills its ffmpeg, releases the job with its
// subtitle copy and output name, and the next waiting job starts. What the
// removed job still reports reaches nobody.
void TestVideoListWidget::deleteConverting()
{
    m_choices.m_maxConvertCount = 1;
    QPointer<VideoItemData> first = add(pipe(str("first.mkv")), m_clip, m_cues);
    VideoItemData* second = add(m_media + str("/c2.mp4"), m_media + str("/c2.mp4"));
    m_list->convertAll();
    QCOMPARE(states(), str("1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);
    const int pid = ffmpegChildren().first();
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}).size(), 1);

    QTest::mouseClick(rowOf(first)->findChild<QWidget*>(str("deleteButton")), Qt::LeftButton);
    QVERIFY(::kill(pid, 0) != 0);
    QCOMPARE(states(), str("1"));
    QCOMPARE(m_list->jobAt(0), second);
    QVERIFY(first);
    emit first->updateShow(first);
    emit first->updateFinished(first);
    m_list->VideoItemData_updateShow_slots(first);
    m_list->VideoItemData_updateProgress_slots(first);
    m_list->VideoItemData_updateFinished_slots(first);
    QCOMPARE(states(), str("1"));
    QVERIFY(!rowOf(first) && rowOf(second)->job() == second);
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 5000);
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}), QStringList());
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2"), 30000);
    QCOMPARE(describe(second->m_outputPath), str("h264 176x144 aac 2 s"));
}

// The running job stands between two waiting ones: stopping it for "Remove
// All" must start neither. Nothing of this process is left running, the list
// is empty, and the page hears once that nothing converts.
void TestVideoListWidget::removeAllWhileConverting()
{
    m_choices.m_maxConvertCount = 1;
    QList<QPointer<VideoItemData>> jobs;
    QStringList started;
    for (const char* name : {"a.mkv", "b.mkv", "c.mkv"}) {
        jobs << add(pipe(str(name)), m_clip, m_cues);
        connect(jobs.last(), &VideoItemData::updateShow, this, [&started, name](VideoItemData* job) {
            if (job->m_nState == 1)
                started << str(name);
        });
    }
    convert(jobs[1]);
    convert(jobs[0]);
    convert(jobs[2]);
    QCOMPARE(states(), str("0 1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);
    started.clear();

    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    rowOf(jobs[0])->removeAllAction_slots();
    QCOMPARE(started, QStringList());
    QCOMPARE(m_list->jobCount(), 0);
    QCOMPARE(converting.count(), 1);
    QCOMPARE(converting.first().at(0).toBool(), false);
    QTRY_VERIFY_WITH_TIMEOUT(ffmpegChildren().isEmpty(), 3000);
    for (const auto& job : qAsConst(jobs))
        QTRY_VERIFY_WITH_TIMEOUT(job.isNull(), 5000);
    QVERIFY(ffmpegChildren().isEmpty());
    for (MyTableItemWidget* row : m_list->tableList()->itemWidgets())
        QVERIFY(!row->isBound() && !row->isVisible());
}

// 100 jobs convert one after another while the list scrolls up and down:
// every row shown sits at its record's place and shows that job as it is
// now. Job 60 reads its source slowly through a pipe; scrolled away while it
// gains progress and back, its row shows the progress reached.
void TestVideoListWidget::scrolling()
{
    m_choices.m_maxConvertCount = 1;
    const QString folder = TestEnv::makeDir(str("many"));
    QList<VideoItemData*> jobs;
    for (int i = 1; i <= 100; ++i) {
        const QString name = folder + QStringLiteral("/s%1.mkv").arg(i, 3, 10, QLatin1Char('0'));
        QVERIFY(i == 60 ? ::mkfifo(QFile::encodeName(name).constData(), 0600) == 0 : QFile::copy(m_clip, name));
        jobs << add(name, i == 60 ? m_media + str("/long.mkv") : m_clip);
    }
    VideoItemData* slow = jobs[59];
    MyTableListWidget* table = m_list->tableList();

    QStringList faults;
    const auto check = [&](const QString& when) {
        for (MyTableItemWidget* item : table->itemWidgets()) {
            auto* row = static_cast<VideoItemWidget*>(item);
            VideoItemData* job = row->job();
            if (!job || !row->isVisible())
                continue;
            const int state = job->m_nState;
            const QLabel* percent = label(row, "percentLabel");
            const QStringList wrong = QStringList()
                << (job != table->privateDataAt(row->m_nRowIndex) ? str("record") : QString())
                << (row->mapTo(table, QPoint()).y()
                               != table->viewport()->y() + table->canvas()->y() + row->m_nRowIndex * 100
                           ? str("place")
                           : QString())
                << (label(row, "fileNameLabel")->text() != QFileInfo(job->m_sourcePath).completeBaseName()
                           ? str("title")
                           : QString())
                << (percent->isVisibleTo(row) != (state == 1)
                               || (state == 1 && percent->text() != VideoItemWidget::progressText(job->m_nProgress))
                           ? str("progress")
                           : QString())
                << (label(row, "statusLabel")->isVisibleTo(row) != (state == 0 || state == 1) ? str("status")
                                                                                              : QString())
                << (label(row, "resultLabel")->isVisibleTo(row) != (state == 2) ? str("result") : QString());
            if (!wrong.join(QString()).isEmpty() && faults.size() < 20)
                faults << QStringLiteral("%1: job %2: %3")
                              .arg(when)
                              .arg(row->m_nRowIndex + 1)
                              .arg(wrong.join(str(" ")).simplified());
        }
    };
    // Rows are checked as a person sees them: once the list has handled a
    // job's news (a pass refreshes the rows after its starts).
    bool checkDue = false;
    const auto checkSoon = [&] {
        if (!std::exchange(checkDue, true))
            QTimer::singleShot(0, this, [&] {
                checkDue = false;
                check(str("news"));
            });
    };
    for (VideoItemData* job : qAsConst(jobs)) {
        connect(job, &VideoItemData::updateShow, this, checkSoon);
        connect(job, &VideoItemData::updateProgress, this, checkSoon);
    }
    const auto wheel = [&](int pixels) {
        QWheelEvent event(QPointF(200, 200), table->mapToGlobal(QPoint(200, 200)), QPoint(), QPoint(0, pixels * 5),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(table, &event);
        check(QStringLiteral("wheel %1").arg(pixels));
    };
    const auto scrollTo = [&](int index) {
        for (int delta = 1, i = 0; delta != 0 && i < 50; ++i) {
            delta = -table->canvas()->y() - index * 100;
            wheel(qBound(-600, delta, 600));
        }
    };

    // Up and down through the list while the first 59 jobs convert.
    QTimer scroller;
    int tick = 0;
    connect(&scroller, &QTimer::timeout, this, [&] { wheel((tick++ / 8) % 2 == 0 ? -600 : 600); });
    scroller.start(40);
    m_list->convertAll();
    QTRY_COMPARE_WITH_TIMEOUT(slow->m_nState, 1, 300000);
    scroller.stop();
    QCOMPARE(QStringLiteral("%1 %2").arg(jobs[58]->m_nState).arg(jobs[60]->m_nState), str("2 0"));

    auto* feeder = new QProcess;
    m_feeders << feeder;
    feeder->setStandardOutputFile(slow->m_sourcePath);
    feeder->start(str("cat"), QStringList());
    QFile source(m_media + str("/long.mkv"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QTimer drip;
    connect(&drip, &QTimer::timeout, this, [&] { feeder->write(source.read(8192)); });
    const auto progressWhile = [&](bool inView) {
        const int before = slow->m_nProgress;
        drip.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(slow->m_nProgress > before, 60000);
        drip.stop();
        QCOMPARE(bool(table->searchMyTableItemWidget(slow)), inView);
    };
    scrollTo(57);
    progressWhile(true);
    scrollTo(0);
    progressWhile(false);
    scrollTo(57);
    const QRect track = label(rowOf(slow), "progressTrack")->geometry();
    QCOMPARE(label(rowOf(slow), "percentLabel")->text(), VideoItemWidget::progressText(slow->m_nProgress));
    QCOMPARE(label(rowOf(slow), "progressFill")->width(), slow->m_nProgress * track.width() / 10000);
    QVERIFY(source.bytesAvailable() > 0);

    feeder->write(source.readAll());
    feeder->closeWriteChannel();
    scroller.start(40);
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 ").repeated(100).trimmed(), 300000);
    scroller.stop();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QCOMPARE(describe(slow->m_outputPath), str("h264 320x240 vorbis 20 s"));
}

MORVAYNE_TEST_MAIN(TestVideoListWidget)
#include "tst_videolistwidget.moc"

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
#include <QRadioButton>
#include <QWheelEvent>

#include <signal.h>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

// ffmpeg processes whose parent is this test, zombies aside.
QList<int> ffmpegChildren()
{
    QList<int> pids;
    const QByteArray self = QByteArray::number(::getpid());
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int open = line.indexOf('('), close = line.lastIndexOf(')');
        const QList<QByteArray> rest = line.mid(close + 2).split(' ');
        if (open > 0 && rest.size() > 1 && line.mid(open + 1, close - open - 1) == "ffmpeg" && rest.at(0) != "Z"
            && rest.at(1) == self)
            pids << entry.toInt();
    }
    return pids;
}

// "h264 160x120 aac 2 s": the streams of a file and its length.
QString describe(const QString& path)
{
    QStringList parts;
    for (const QJsonObject& s : MediaFactory::streams(path, str("video")))
        parts << s.value(QLatin1String("codec_name")).toString()
                + QStringLiteral(" %1x%2").arg(s.value(QLatin1String("width")).toInt()).arg(
                    s.value(QLatin1String("height")).toInt());
    for (const QJsonObject& s : MediaFactory::streams(path, str("audio")))
        parts << s.value(QLatin1String("codec_name")).toString();
    return parts.join(QLatin1Char(' ')) + QStringLiteral(" %1 s").arg(qRound(MediaFactory::durationSeconds(path)));
}

template<typename T>
T* child(QWidget* row, const char* name)
{
    T* w = row->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

} // namespace

// The job list with real ffmpeg runs: scheduling in list order under the
// limit, deletion and "Remove All" while converting, the shared subtitle
// mode, and rows that follow their jobs while the list scrolls. A job whose
// source is a named pipe keeps its ffmpeg waiting until the test feeds it.
class TestVideoListWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusesFileWithoutRecord();
    void fiveJobs();
    void convertButtonAndLimit();
    void deleteConverting();
    void removeAllWhileConverting();
    void burnInForJobsNotStarted();
    void scrolling();

private:
    // A job of `source`, described by the record of `like`.
    VideoItemData* add(const QString& source, const QString& like, const QString& srt = QString());
    QString pipe(const QString& name);
    // Lets a waiting ffmpeg read `clip` through its pipe to the end.
    void feed(const QString& pipe, const QString& clip);
    VideoItemWidget* rowOf(VideoItemData* job)
    {
        return static_cast<VideoItemWidget*>(m_list->tableList()->searchMyTableItemWidget(job));
    }
    void click(VideoItemData* job, const char* button);
    QString states() const;

    RuntimeChoices m_choices;
    OutputProfile m_profile;
    QString m_media;
    QString m_cues;
    VideoListWidget* m_list = nullptr;
    QList<QProcess*> m_feeders;
    QHash<QString, QString> m_banners; // by file
};

void TestVideoListWidget::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    g_appDirPath = TestEnv::appDir();
    m_media = TestEnv::makeDir(QStringLiteral("media"));
    const char* const sizes[] = {"160x120", "176x144", "192x128", "208x160", "224x176"};
    for (int i = 0; i < 5; ++i)
        QVERIFY(!MediaFactory::videoWithTone(m_media + QStringLiteral("/c%1.mp4").arg(i + 1), 2, str(sizes[i])).isEmpty());
    QVERIFY(!MediaFactory::videoWithTone(m_media + QStringLiteral("/clip.mkv"), 1, str("160x120")).isEmpty());
    // Enough to report progress many times while it trickles in.
    QVERIFY(!MediaFactory::make(m_media + QStringLiteral("/long.mkv"),
        {str("-f"), str("lavfi"), str("-i"), str("testsrc2=s=320x240:r=25:d=20"), str("-f"), str("lavfi"), str("-i"),
            str("sine=d=20"), str("-pix_fmt"), str("yuv420p"), str("-b:v"), str("800k"), str("-preset"), str("ultrafast")})
                 .isEmpty());
    m_cues = m_media + QStringLiteral("/cues.srt");
    QFile cues(m_cues);
    QVERIFY(cues.open(QIODevice::WriteOnly));
    cues.write("1\n00:00:00,000 --> 00:00:01,000\nHello\n");
}

void TestVideoListWidget::init()
{
    m_choices.m_outFolder = TestEnv::makeDir(QStringLiteral("out"));
    m_choices.m_maxConvertCount = 2;
    m_profile.format = QStringLiteral("mkv");
    m_list = new VideoListWidget;
    m_list->resize(1100, 520);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void TestVideoListWidget::cleanup()
{
    delete m_list;
    m_list = nullptr;
    for (QProcess* feeder : qAsConst(m_feeders)) {
        feeder->kill();
        feeder->waitForFinished(3000);
        delete feeder;
    }
    m_feeders.clear();
    QTRY_VERIFY_WITH_TIMEOUT(ffmpegChildren().isEmpty(), 5000);
    QCOMPARE(OutputPathRegistry::heldCount(), 0);
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}), QStringList());
}

VideoItemData* TestVideoListWidget::add(const QString& source, const QString& like, const QString& srt)
{
    auto it = m_banners.find(like);
    if (it == m_banners.end())
        it = m_banners.insert(like, MediaFactory::banner(like));
    auto* m = new MediaInfo;
    FFmpegBannerParser::parse(m, *it);
    m->filePath = source;
    if (!m_list->addVideoItem(source, m, QString(), &m_profile, new ProbeInfo, srt))
        return nullptr;
    return m_list->jobAt(m_list->jobCount() - 1);
}

QString TestVideoListWidget::pipe(const QString& name)
{
    const QString path = m_media + QLatin1Char('/') + name;
    QFile::remove(path);
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        qFatal("mkfifo failed");
    return path;
}

void TestVideoListWidget::feed(const QString& pipe, const QString& clip)
{
    auto* feeder = new QProcess;
    feeder->setStandardOutputFile(pipe);
    feeder->start(str("cat"), {clip});
    m_feeders << feeder;
}

void TestVideoListWidget::click(VideoItemData* job, const char* button)
{
    VideoItemWidget* row = rowOf(job);
    QVERIFY(row && row->isVisible());
    QTest::mouseClick(child<QWidget>(row, button), Qt::LeftButton);
}

QString TestVideoListWidget::states() const
{
    QStringList s;
    for (int i = 0; i < m_list->jobCount(); ++i)
        s << QString::number(m_list->jobAt(i)->m_nState);
    return s.join(QLatin1Char(' '));
}

void TestVideoListWidget::refusesFileWithoutRecord()
{
    QVERIFY(!m_list->addVideoItem(m_media + str("/c1.mp4"), nullptr, QString(), &m_profile, new ProbeInfo, QString()));
    QCOMPARE(m_list->jobCount(), 0);
    QVERIFY(m_list->tableList()->itemWidgets().isEmpty());
}

// Limit 2: jobs 1 and 2 convert while 3 to 5 wait; each end starts the next
// waiting job in list order; the list reports converting until the last ends.
void TestVideoListWidget::fiveJobs()
{
    m_profile.format = QStringLiteral("mov");
    for (int i = 1; i <= 5; ++i)
        QVERIFY(add(m_media + QStringLiteral("/c%1.mp4").arg(i), m_media + QStringLiteral("/c%1.mp4").arg(i)));
    QStringList steps, faults;
    for (int i = 0; i < 5; ++i) {
        connect(m_list->jobAt(i), &VideoItemData::updateShow, this, [&, i](VideoItemData* job) {
            const QString step = QStringLiteral("%1 %2").arg(job->m_nState == 1 ? str("start") : str("end")).arg(i + 1);
            if (job->m_nState != 1 && job->m_nState != 2 && job->m_nState != 3)
                return;
            if (steps.contains(step))
                return;
            steps << step;
            const QString now = states();
            if (now.count(QLatin1Char('1')) > 2 || (job->m_nState == 1 && now.left(2 * i).contains(QLatin1Char('0'))))
                faults << step + QStringLiteral(": ") + now;
        });
    }
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    m_list->convertAll();
    QCOMPARE(states(), str("1 1 0 0 0"));
    for (int i = 2; i < 5; ++i)
        QCOMPARE(child<QLabel>(rowOf(m_list->jobAt(i)), "statusLabel")->text(), str("Waiting..."));
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 2 2 2 2"), 120000);
    QCOMPARE(faults, QStringList());
    // Job k (k >= 3) starts only after k - 2 jobs have ended.
    for (int k = 3; k <= 5; ++k) {
        const int at = steps.indexOf(QStringLiteral("start %1").arg(k));
        QVERIFY2(steps.mid(0, at).join(QLatin1Char(',')).count(str("end")) >= k - 2, qPrintable(steps.join(str(", "))));
    }
    QStringList starts = steps.filter(str("start"));
    QCOMPARE(starts, QStringList({str("start 1"), str("start 2"), str("start 3"), str("start 4"), str("start 5")}));
    QVERIFY(converting.count() >= 4);
    for (int i = 0; i < converting.count(); ++i)
        QCOMPARE(converting.at(i).at(0).toBool(), i < converting.count() - 1);

    const char* const expected[] = {"h264 160x120 aac 2 s", "h264 176x144 aac 2 s", "h264 192x128 aac 2 s",
        "h264 208x160 aac 2 s", "h264 224x176 aac 2 s"};
    for (int i = 0; i < 5; ++i) {
        const QString out = m_list->jobAt(i)->m_outputPath;
        QCOMPARE(QFileInfo(out).fileName(), QStringLiteral("c%1.mov").arg(i + 1));
        QCOMPARE(describe(out), str(expected[i]));
    }
}

// The convert button of job 5 while 1 and 2 run queues it behind the waiting
// jobs before it. A raised limit counts from the next pass; a lowered one
// stops nothing.
void TestVideoListWidget::convertButtonAndLimit()
{
    QList<VideoItemData*> jobs;
    const QString clip = m_media + str("/clip.mkv");
    for (int i = 1; i <= 4; ++i)
        jobs << add(pipe(QStringLiteral("h%1.mkv").arg(i)), clip);
    jobs << add(m_media + str("/c1.mp4"), m_media + str("/c1.mp4"));

    click(jobs[0], "convertButton");
    click(jobs[1], "convertButton");
    QCOMPARE(states(), str("1 1 -1 -1 -1"));
    click(jobs[4], "convertButton");
    click(jobs[2], "convertButton");
    QCOMPARE(states(), str("1 1 0 -1 0"));
    m_choices.m_maxConvertCount = 4;
    QCOMPARE(states(), str("1 1 0 -1 0"));
    click(jobs[3], "convertButton");
    QCOMPARE(states(), str("1 1 1 1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 4, 10000);

    m_choices.m_maxConvertCount = 1;
    m_list->convertAll();
    QCOMPARE(states(), str("1 1 1 1 0"));
    QCOMPARE(ffmpegChildren().size(), 4);
    QCOMPARE(m_list->unfinishedCount(), 1);

    feed(jobs[0]->m_sourcePath, clip);
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 1 1 1 0"), 30000);
    m_choices.m_maxConvertCount = 2;
    feed(jobs[1]->m_sourcePath, clip);
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 2 1 1 0"), 30000);
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    feed(jobs[2]->m_sourcePath, clip);
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 2 2 1 2"), 30000);
    feed(jobs[3]->m_sourcePath, clip);
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2 2 2 2 2"), 30000);
    QCOMPARE(converting.last().at(0).toBool(), false);
    QCOMPARE(m_list->unfinishedCount(), 0);
    for (VideoItemData* job : qAsConst(jobs))
        QCOMPARE(describe(job->m_outputPath), job == jobs[4] ? str("h264 160x120 aac 2 s") : str("h264 160x120 vorbis 1 s"));
}

// Deleting a converting job kills its ffmpeg, releases the job with its
// subtitle copy and output name, and the next waiting job starts. What the
// removed job still reports reaches nobody.
void TestVideoListWidget::deleteConverting()
{
    m_choices.m_maxConvertCount = 1;
    VideoItemData* first = add(pipe(str("first.mkv")), m_media + str("/clip.mkv"), m_cues);
    VideoItemData* second = add(m_media + str("/c2.mp4"), m_media + str("/c2.mp4"));
    m_list->convertAll();
    QCOMPARE(states(), str("1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);
    const int pid = ffmpegChildren().first();
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}).size(), 1);

    QPointer<VideoItemData> removed(first);
    click(first, "deleteButton");
    QVERIFY(::kill(pid, 0) != 0);
    QCOMPARE(m_list->jobCount(), 1);
    QCOMPARE(m_list->jobAt(0), second);
    QCOMPARE(second->m_nState, 1);

    // Late news from the removed job, from itself and as the list would get it.
    QVERIFY(removed);
    emit removed->updateShow(removed);
    emit removed->updateFinished(removed);
    m_list->VideoItemData_updateShow_slots(removed);
    m_list->VideoItemData_updateProgress_slots(removed);
    m_list->VideoItemData_updateFinished_slots(removed);
    QCOMPARE(states(), str("1"));
    QCOMPARE(rowOf(second)->job(), second);
    QVERIFY(!rowOf(removed));

    QTRY_VERIFY_WITH_TIMEOUT(removed.isNull(), 5000);
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}), QStringList());
    QTRY_COMPARE_WITH_TIMEOUT(states(), str("2"), 30000);
    QCOMPARE(describe(second->m_outputPath), str("h264 176x144 aac 2 s"));
}

// The job that runs stands after a waiting one and before another: stopping
// it for "Remove All" must not start either. Nothing of this process is left
// running, the list is empty, and the page hears once that nothing converts.
void TestVideoListWidget::removeAllWhileConverting()
{
    m_choices.m_maxConvertCount = 1;
    QList<QPointer<VideoItemData>> jobs;
    for (const char* name : {"a.mkv", "b.mkv", "c.mkv"})
        jobs << add(pipe(str(name)), m_media + str("/clip.mkv"), m_cues);
    click(jobs[1], "convertButton");
    click(jobs[0], "convertButton");
    click(jobs[2], "convertButton");
    QCOMPARE(states(), str("0 1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);

    QStringList started;
    for (int i = 0; i < 3; ++i) {
        connect(jobs[i], &VideoItemData::updateShow, this, [&started, i](VideoItemData* job) {
            if (job->m_nState == 1)
                started << QString::number(i);
        });
    }
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    rowOf(jobs[0])->removeAllAction_slots();
    QCOMPARE(started, QStringList());
    QCOMPARE(m_list->jobCount(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(ffmpegChildren().isEmpty(), 3000);
    QCOMPARE(converting.count(), 1);
    QCOMPARE(converting.first().at(0).toBool(), false);
    for (const auto& job : qAsConst(jobs))
        QTRY_VERIFY_WITH_TIMEOUT(job.isNull(), 5000);
    QTest::qWait(200);
    QVERIFY(ffmpegChildren().isEmpty());
    for (MyTableItemWidget* row : m_list->tableList()->itemWidgets())
        QVERIFY(!row->isBound() && !row->isVisible());
}

// Choosing Burn-In on one row applies to every job that has not started.
void TestVideoListWidget::burnInForJobsNotStarted()
{
    QList<VideoItemData*> jobs;
    for (int state : {-1, 0, 1, 2, 3, 4, -1}) {
        VideoItemData* job = add(QStringLiteral("/nowhere/%1.mp4").arg(jobs.size()), m_media + str("/c1.mp4"), m_cues);
        job->m_nState = state;
        jobs << job;
    }
    m_list->retranslate();
    QTest::mouseClick(child<QRadioButton>(rowOf(jobs[0]), "burninButton"), Qt::LeftButton);
    QStringList soft;
    for (VideoItemData* job : qAsConst(jobs))
        soft << QStringLiteral("%1:%2").arg(job->m_nState).arg(job->m_bSoftSubtitle ? str("soft") : str("burn"));
    QCOMPARE(soft.join(QLatin1Char(' ')), str("-1:burn 0:burn 1:soft 2:soft 3:soft 4:soft -1:burn"));
    QVERIFY(child<QRadioButton>(rowOf(jobs[6]), "burninButton")->isChecked());
    QVERIFY(child<QRadioButton>(rowOf(jobs[2]), "softcodeButton")->isChecked());
}

// 100 jobs convert one after another while the list scrolls up and down:
// every row shown belongs to its record and shows that job as it is now. Job
// 60 reads its source slowly through a pipe; scrolled away while it gains
// progress and back again, its row shows the progress it has reached.
void TestVideoListWidget::scrolling()
{
    m_choices.m_maxConvertCount = 1;
    const QString clip = m_media + str("/clip.mkv");
    const QString folder = TestEnv::makeDir(str("many"));
    QList<VideoItemData*> jobs;
    for (int i = 1; i <= 100; ++i) {
        const QString name = folder + QStringLiteral("/s%1.mkv").arg(i, 3, 10, QLatin1Char('0'));
        if (i == 60) {
            QVERIFY(::mkfifo(QFile::encodeName(name).constData(), 0600) == 0);
            jobs << add(name, m_media + str("/long.mkv"));
        } else {
            QVERIFY(QFile::copy(clip, name));
            jobs << add(name, clip);
        }
    }
    VideoItemData* slow = jobs[59];
    const int rowHeight = 100;
    MyTableListWidget* table = m_list->tableList();

    QStringList faults;
    const auto check = [&](const QString& when) {
        for (MyTableItemWidget* item : table->itemWidgets()) {
            auto* row = static_cast<VideoItemWidget*>(item);
            VideoItemData* job = row->job();
            if (!job || !row->isVisible())
                continue;
            QStringList wrong;
            if (job != table->privateDataAt(row->m_nRowIndex))
                wrong << str("record");
            // Where a person sees it: the canvas scrolls, the row moves with it.
            if (row->mapTo(table, QPoint()).y() != table->viewport()->y() + table->canvas()->y() + row->m_nRowIndex * rowHeight)
                wrong << str("place");
            if (child<QLabel>(row, "fileNameLabel")->text() != QFileInfo(job->m_sourcePath).completeBaseName())
                wrong << str("title");
            const bool converting = job->m_nState == 1;
            if (child<QLabel>(row, "percentLabel")->isVisibleTo(row) != converting
                || (converting && child<QLabel>(row, "percentLabel")->text() != VideoItemWidget::progressText(job->m_nProgress)))
                wrong << str("progress");
            if (child<QLabel>(row, "statusLabel")->isVisibleTo(row) != (job->m_nState == 0 || converting))
                wrong << str("status");
            if (child<QLabel>(row, "resultLabel")->isVisibleTo(row) != (job->m_nState == 2))
                wrong << str("result");
            if (!wrong.isEmpty() && faults.size() < 20)
                faults << QStringLiteral("%1: row of job %2: %3").arg(when).arg(row->m_nRowIndex + 1).arg(wrong.join(str(",")));
        }
    };
    // Rows are checked as a person sees them: once the list has finished
    // handling a job's news (a pass refreshes the rows after its starts).
    bool checkDue = false;
    const auto checkSoon = [&](const QString& when) {
        if (std::exchange(checkDue, true))
            return;
        QTimer::singleShot(0, this, [&, when] {
            checkDue = false;
            check(when);
        });
    };
    for (VideoItemData* job : qAsConst(jobs)) {
        connect(job, &VideoItemData::updateShow, this, [&] { checkSoon(str("show")); });
        connect(job, &VideoItemData::updateProgress, this, [&] { checkSoon(str("progress")); });
    }
    const auto wheel = [&](int pixels) {
        QWheelEvent event(QPointF(200, 200), table->mapToGlobal(QPoint(200, 200)), QPoint(), QPoint(0, pixels * 5),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(table, &event);
        check(QStringLiteral("wheel %1").arg(pixels));
    };
    const auto scrollTo = [&](int index) {
        for (int i = 0; i < 100; ++i) {
            const int delta = -table->canvas()->y() - index * rowHeight;
            if (delta == 0 || (index * rowHeight > table->canvas()->height() - table->viewport()->height() && i > 20))
                break;
            wheel(qBound(-600, delta, 600));
        }
    };
    // Within view: bound, shown and inside the viewport.
    const auto inView = [&](VideoItemData* job) {
        MyTableItemWidget* row = table->searchMyTableItemWidget(job);
        return row && row->isVisible() && row->y() + table->canvas()->y() >= 0
            && row->y() + table->canvas()->y() + rowHeight <= table->viewport()->height();
    };

    // Up and down through the whole list while the first 59 jobs convert.
    QTimer scroller;
    int tick = 0;
    connect(&scroller, &QTimer::timeout, this, [&] { wheel((tick++ / 8) % 2 == 0 ? -600 : 600); });
    scroller.start(40);
    m_list->convertAll();
    QTRY_COMPARE_WITH_TIMEOUT(slow->m_nState, 1, 240000);
    scroller.stop();
    QCOMPARE(jobs[58]->m_nState, 2);
    QCOMPARE(jobs[60]->m_nState, 0);

    auto* feeder = new QProcess;
    m_feeders << feeder;
    feeder->setStandardOutputFile(slow->m_sourcePath);
    feeder->start(str("cat"), QStringList());
    QFile source(m_media + str("/long.mkv"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QTimer drip;
    connect(&drip, &QTimer::timeout, this, [&] { feeder->write(source.read(8192)); });

    scrollTo(57);
    QVERIFY(inView(slow));
    drip.start(50);
    QTRY_VERIFY_WITH_TIMEOUT(slow->m_nProgress > 0, 60000);
    drip.stop();
    QCOMPARE(child<QLabel>(rowOf(slow), "percentLabel")->text(), VideoItemWidget::progressText(slow->m_nProgress));

    scrollTo(0);
    QVERIFY(!table->searchMyTableItemWidget(slow));
    const int before = slow->m_nProgress;
    drip.start(50);
    QTRY_VERIFY_WITH_TIMEOUT(slow->m_nProgress > before, 60000);
    drip.stop();
    QVERIFY(!table->searchMyTableItemWidget(slow));
    scrollTo(57);
    QVERIFY(inView(slow));
    VideoItemWidget* row = rowOf(slow);
    QCOMPARE(child<QLabel>(row, "percentLabel")->text(), VideoItemWidget::progressText(slow->m_nProgress));
    const QRect track = child<QLabel>(row, "progressTrack")->geometry();
    QCOMPARE(child<QLabel>(row, "progressFill")->width(), slow->m_nProgress * track.width() / 10000);
    QVERIFY(source.bytesAvailable() > 0);

    feeder->write(source.readAll());
    feeder->closeWriteChannel();
    scroller.start(40);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->unfinishedCount(), 0, 240000);
    QTRY_VERIFY_WITH_TIMEOUT(jobs.last()->m_nState == 2, 30000);
    scroller.stop();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QCOMPARE(describe(slow->m_outputPath), str("h264 320x240 vorbis 20 s"));
}

MORVAYNE_TEST_MAIN(TestVideoListWidget)
#include "tst_videolistwidget.moc"

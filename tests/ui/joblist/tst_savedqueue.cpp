#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/savedqueue.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"
#include "toolkit/labelbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/toolkitresources.h"
#include "toolkit/windowutils.h"
#include "ui/joblist/mytablelistwidget.h"
#include "ui/joblist/queuesaver.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videoitemwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QCryptographicHash>
#include <QDateTime>
#include <QProcess>
#include <QRadioButton>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The saved list as the next start would read it; empty when it is not ours.
SavedQueue savedList()
{
    SavedQueue saved;
    saved.load(SavedQueue::defaultPath());
    return saved;
}

// One job's kept choices in one line, so that a mismatch names them all.
QString describe(const SavedQueue::Job& j)
{
    return QStringLiteral("%1 state %2 %3 trim %4-%5 crop %6,%7 %8x%9 turn %10 flip %11%12 srt %13 %14 audio %15%16")
        .arg(QFileInfo(j.sourcePath).fileName())
        .arg(j.state)
        .arg(j.format)
        .arg(j.trimStart / 1000000)
        .arg(j.trimEnd / 1000000)
        .arg(j.cropX)
        .arg(j.cropY)
        .arg(j.cropWidth)
        .arg(j.cropHeight)
        .arg(j.rotation)
        .arg(j.flipH)
        .arg(j.flipV)
        .arg(QFileInfo(j.srtPath).fileName(), j.softSubtitle ? str("soft") : str("burnt"))
        .arg(j.removeOriginalAudio ? str("-own ") : QString(), QFileInfo(j.externalAudioPath).fileName());
}

QStringList describeJobs(const QList<SavedQueue::Job>& jobs)
{
    QStringList lines;
    for (const SavedQueue::Job& j : jobs)
        lines << describe(j);
    return lines;
}

QStringList describeList(VideoListWidget* list)
{
    QList<SavedQueue::Job> jobs;
    for (int i = 0; i < list->jobCount(); ++i)
        jobs << SavedQueue::Job::fromJob(*list->jobAt(i));
    return describeJobs(jobs);
}

QStringList setAsideFiles()
{
    const QFileInfo file(SavedQueue::defaultPath());
    return QDir(file.absolutePath()).entryList({file.fileName() + str(".damaged-*")}, QDir::Files, QDir::Name);
}

} // namespace

class TestSavedQueue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void unreadableFileSetAside_data();
    void unreadableFileSetAside();
    void changesAreSaved();
    void restoreAndDecline();
    void saveFailureIsReported();
    void killedWhileConverting();
    void restorePictures();

private:
    void preparePage(VideoConverterWidget& page);
    bool addAndWait(VideoConverterWidget& page, const QStringList& paths);

    RuntimeChoices m_choices;
    QWidget m_window;
    QString m_media;
    QString m_long;  // 10 s
    QString m_clipB; // 2 s
    QString m_clipC; // 2 s
    QString m_cues;
    QStringList m_questions;
    int m_answer = 1;
    QStringList m_warnings;
};

void TestSavedQueue::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    m_window.setGeometry(0, 0, 1140, 672);
    MyQtCustom::WindowUtils::RegisterMainWindow(&m_window, str("Quillfen"), str("Morvayne"), str("1.0"));
    m_media = TestEnv::makeDir(str("media"));
    const QStringList fast{str("-preset"), str("ultrafast")};
    m_long = MediaFactory::videoWithTone(m_media + str("/long.mp4"), 10, str("320x240"), fast);
    m_clipB = MediaFactory::videoWithTone(m_media + str("/b.mp4"), 2, str("320x240"), fast);
    m_clipC = MediaFactory::videoWithTone(m_media + str("/c.mp4"), 2, str("320x240"), fast);
    QVERIFY(!m_long.isEmpty() && !m_clipB.isEmpty() && !m_clipC.isEmpty());
    m_cues = m_media + str("/cues.srt");
    writeFile(m_cues, "1\n00:00:00,000 --> 00:00:01,500\nHello\n");
    VideoConverterWidget::setWarner([this](const QString&, const QString& text, const QString&) { m_warnings << text; });
    VideoConverterWidget::setAsker([this](const QString&, const QString& text, const QString&, const QString&) {
        m_questions << text;
        return m_answer;
    });
}

void TestSavedQueue::init()
{
    g_appDirPath = TestEnv::appDir();
    m_choices.m_outFolder = TestEnv::makeDir(str("out"));
    m_choices.m_maxConvertCount = 2;
    m_choices.m_autoAddSrt = false;
    m_choices.m_finishAction = RuntimeChoices::FinishNone;
    m_choices.m_skinType = 0;
    QSettings(SettingKeys::Organisation, SettingKeys::Application).clear();
    QFile::remove(SavedQueue::defaultPath());
    m_questions.clear();
    m_warnings.clear();
    m_answer = 1;
}

void TestSavedQueue::cleanup()
{
    VideoItemWidget::setFileChooser({});
}

void TestSavedQueue::preparePage(VideoConverterWidget& page)
{
    page.resize(1140, 672);
    page.layoutChildren();
    page.applySkin();
    page.retranslate();
}

bool TestSavedQueue::addAndWait(VideoConverterWidget& page, const QStringList& paths)
{
    QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
    page.addFiles(paths);
    return !page.isProbing() || done.wait(60000);
}

// Whatever sits under the list's name and is not a list of ours is moved
// aside, never read in part, never deleted or written over, and the page
// starts empty without asking anything.
void TestSavedQueue::unreadableFileSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = "{\"format\":\"morvayne-queue\",\"version\":1,\"outputFormat\":\"mp4\",\"jobs\":["
                            "{\"source\":\"/nowhere/a.mp4\",\"state\":1}]}";
    QTest::newRow("cut short") << good.left(good.size() / 2);
    static const char zipStart[] = "PK\x03\x04\x00\xff garbage";
    QTest::newRow("not JSON") << QByteArray(zipStart, sizeof zipStart - 1);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another program's JSON") << QByteArray("{\"jobs\":[{\"source\":\"/nowhere/a.mp4\"}]}");
    QTest::newRow("a later version") << QByteArray(good).replace("\"version\":1", "\"version\":2");
    QTest::newRow("a job's state is text") << QByteArray(good).replace("\"state\":1", "\"state\":\"1\"");
    QTest::newRow("a half turn and a bit") << QByteArray(good).replace("\"state\":1", "\"rotation\":100");
    QTest::newRow("a negative trim") << QByteArray(good).replace("\"state\":1", "\"trimStart\":-5");
}

void TestSavedQueue::unreadableFileSetAside()
{
    QFETCH(QByteArray, bytes);
    // Files set aside by earlier rows, within the same second, must survive.
    QHash<QString, QByteArray> earlier;
    const QString folder = QFileInfo(SavedQueue::defaultPath()).absolutePath();
    for (const QString& name : setAsideFiles())
        earlier.insert(name, readAll(folder + QLatin1Char('/') + name));
    QDir().mkpath(folder);
    writeFile(SavedQueue::defaultPath(), bytes);

    VideoConverterWidget page;
    preparePage(page);
    page.offerSavedQueue();
    QVERIFY(m_questions.isEmpty());
    QCOMPARE(page.videoList()->jobCount(), 0);
    QCOMPARE(page.pendingCount(), 0);
    QVERIFY(!QFileInfo::exists(SavedQueue::defaultPath()));

    const QStringList now = setAsideFiles();
    QCOMPARE(now.size(), earlier.size() + 1);
    for (const QString& name : now) {
        const QByteArray held = readAll(folder + QLatin1Char('/') + name);
        if (earlier.contains(name))
            QVERIFY2(held == earlier.value(name), qPrintable(name + str(" was written over")));
        else
            QCOMPARE(held, bytes);
    }
    // The page goes on saving its own list.
    QVERIFY(page.queueSaver()->saveNow());
    QCOMPARE(savedList().jobs.size(), 0);
    QCOMPARE(SavedQueue().load(SavedQueue::defaultPath()), SavedQueue::Read);
}

// Each change a person makes reaches the file within a moment; a burst of
// changes is one write.
void TestSavedQueue::changesAreSaved()
{
    VideoConverterWidget page;
    preparePage(page);
    page.offerSavedQueue();
    QSignalSpy writes(page.queueSaver(), &QueueSaver::saved);
    VideoListWidget* list = page.videoList();
    const auto rowOf = [list](int index) {
        return static_cast<VideoItemWidget*>(list->tableList()->searchMyTableItemWidget(list->jobAt(index)));
    };
    const auto fileSays = [](const QStringList& jobs) {
        QStringList seen = describeJobs(savedList().jobs);
        return seen == jobs ? QString() : seen.join(str(" / "));
    };
    const QString b = str("b.mp4 state -1 mp4 trim 0-0 crop 0,0 0x0 turn 0 flip 00 srt  soft audio ");
    const QString c = str("c.mp4 state -1 mp4 trim 0-0 crop 0,0 0x0 turn 0 flip 00 srt  soft audio ");

    struct Step
    {
        const char* name;
        std::function<void()> act;
        QStringList expected;
    };
    const QList<Step> steps{
        {"two files added", [&] { QVERIFY(addAndWait(page, {m_clipB, m_clipC})); }, {b, c}},
        {"an editor closed on a trim",
            [&] {
                list->jobAt(0)->m_pMediaInfo->trimStart = 1000000;
                list->jobAt(0)->m_pMediaInfo->trimEnd = 2000000;
                rowOf(0)->updateSizeEstimate();
            },
            {QString(b).replace(str("trim 0-0"), str("trim 1-2")), c}},
        {"an editor closed on a crop, turn and mirror, own audio dropped for another",
            [&] {
                MediaInfo* m = list->jobAt(1)->m_pMediaInfo;
                m->cropX = 4;
                m->cropY = 2;
                m->cropWidth = 100;
                m->cropHeight = 80;
                m->rotation = 270;
                m->flipV = 1;
                m->removeOriginalAudio = true;
                m->externalAudioPath = m_media + str("/tone.wav");
                rowOf(1)->updateSizeEstimate();
            },
            {QString(b).replace(str("trim 0-0"), str("trim 1-2")),
                QString(c)
                    .replace(str("crop 0,0 0x0 turn 0 flip 00"), str("crop 4,2 100x80 turn 270 flip 01"))
                    .replace(str("audio "), str("audio -own tone.wav"))}},
        {"a subtitle chosen",
            [&] {
                VideoItemWidget::setFileChooser(
                    [this](QWidget*, const QString&, const QString&, const QString&) { return m_cues; });
                rowOf(0)->srt_addButton_slots();
            },
            {QString(b).replace(str("trim 0-0"), str("trim 1-2")).replace(str("srt  soft"), str("srt cues.srt soft")),
                QString(c)
                    .replace(str("crop 0,0 0x0 turn 0 flip 00"), str("crop 4,2 100x80 turn 270 flip 01"))
                    .replace(str("audio "), str("audio -own tone.wav"))}},
        {"burn-in chosen",
            [&] { rowOf(0)->findChild<QRadioButton*>(str("burninButton"))->click(); },
            {QString(b).replace(str("trim 0-0"), str("trim 1-2")).replace(str("srt  soft"), str("srt cues.srt burnt")),
                QString(c)
                    .replace(str("crop 0,0 0x0 turn 0 flip 00"), str("crop 4,2 100x80 turn 270 flip 01"))
                    .replace(str("audio "), str("audio -own tone.wav"))
                    .replace(str("soft"), str("burnt"))}},
        {"MKV chosen for all",
            [&] {
                writes.clear();
                auto* box = page.findChild<QComboBox*>(str("formatBox"));
                box->setCurrentIndex(2);
                emit box->activated(2);
            },
            {QString(b)
                    .replace(str("trim 0-0"), str("trim 1-2"))
                    .replace(str("srt  soft"), str("srt cues.srt burnt"))
                    .replace(str("mp4 trim"), str("mkv trim")),
                QString(c)
                    .replace(str("crop 0,0 0x0 turn 0 flip 00"), str("crop 4,2 100x80 turn 270 flip 01"))
                    .replace(str("audio "), str("audio -own tone.wav"))
                    .replace(str("soft"), str("burnt"))
                    .replace(str("mp4 trim"), str("mkv trim"))}},
        {"the subtitle taken away, then the first job deleted",
            [&] {
                QCOMPARE(writes.count(), 1); // the format reached every job, and the file once
                rowOf(0)->srt_delButton_slots();
                rowOf(0)->ctr_deleteButton_slots();
            },
            {QString(c)
                    .replace(str("crop 0,0 0x0 turn 0 flip 00"), str("crop 4,2 100x80 turn 270 flip 01"))
                    .replace(str("audio "), str("audio -own tone.wav"))
                    .replace(str("soft"), str("burnt"))
                    .replace(str("mp4 trim"), str("mkv trim"))}},
    };
    for (const Step& step : steps) {
        step.act();
        if (QTest::currentTestFailed())
            QFAIL(step.name);
        QTRY_VERIFY2_WITH_TIMEOUT(fileSays(step.expected).isEmpty(),
            qPrintable(QStringLiteral("%1: the file holds %2").arg(str(step.name), fileSays(step.expected))), 5000);
    }
    QCOMPARE(savedList().outputFormat, str("mkv"));
}

// Restoring brings back the unfinished jobs with their choices, names the
// ones whose source has gone, and leaves finished ones out; declining empties
// the list.
void TestSavedQueue::restoreAndDecline()
{
    SavedQueue saved;
    saved.outputFormat = str("mov");
    SavedQueue::Job job;
    job.format = str("mov");
    job.sourcePath = m_clipB;
    job.state = VideoItemData::Completed;
    saved.jobs << job; // finished: not offered
    job.sourcePath = m_media + str("/gone.mp4");
    job.state = VideoItemData::Failed;
    saved.jobs << job;
    job.sourcePath = m_clipC;
    job.state = VideoItemData::Stopped;
    job.trimStart = 0;
    job.trimEnd = 1000000;
    job.cropWidth = 4000; // no longer fits the picture: left out
    job.cropHeight = 100;
    job.srtPath = m_cues;
    job.softSubtitle = false;
    saved.jobs << job;
    QVERIFY(saved.save(SavedQueue::defaultPath()));

    {
        VideoConverterWidget page;
        preparePage(page);
        QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
        page.offerSavedQueue();
        QCOMPARE(m_questions,
            QStringList{str("2 jobs were left unfinished when the program last ended. Restore them to the list?")});
        // Until it is back, a job still waiting for its probe stays in the file.
        QCOMPARE(page.pendingRestoreCount(), 1);
        QCOMPARE(describeJobs(page.savedQueueSnapshot().jobs),
            QStringList{str("c.mp4 state 4 mov trim 0-1 crop 0,0 4000x100 turn 0 flip 00 srt cues.srt burnt audio ")});
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 60000);
        QCOMPARE(describeList(page.videoList()),
            QStringList{str("c.mp4 state -1 mov trim 0-1 crop 0,0 0x0 turn 0 flip 00 srt cues.srt burnt audio ")});
        QCOMPARE(page.currentFormat(), str("mov"));
        QCOMPARE(m_warnings.size(), 1);
        QVERIFY2(m_warnings[0].endsWith(QLatin1Char('\n') + QDir::toNativeSeparators(m_media + str("/gone.mp4"))),
            qPrintable(m_warnings[0]));
        QTRY_COMPARE(describeJobs(savedList().jobs), describeList(page.videoList()));
    }

    m_questions.clear();
    m_answer = 0; // the box closed without a button
    VideoConverterWidget page;
    preparePage(page);
    page.offerSavedQueue();
    QCOMPARE(m_questions.size(), 1);
    QCOMPARE(page.pendingCount(), 0);
    QCOMPARE(page.videoList()->jobCount(), 0);
    QCOMPARE(savedList().jobs.size(), 0);
    QCOMPARE(SavedQueue().load(SavedQueue::defaultPath()), SavedQueue::Read);
}

// A list that cannot be written is a warning, once per run, not a silent
// loss; the next change tries again.
void TestSavedQueue::saveFailureIsReported()
{
    VideoConverterWidget page;
    preparePage(page);
    page.offerSavedQueue();
    // The settings folder is taken by a file: nothing can be made in it.
    const QString folder = QFileInfo(SavedQueue::defaultPath()).absolutePath();
    QVERIFY(QDir(folder).removeRecursively());
    writeFile(folder, "in the way");
    QSignalSpy failed(page.queueSaver(), &QueueSaver::saveFailed);
    QVERIFY(!page.queueSaver()->saveNow());
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY2(m_warnings[0].startsWith(str("The list of jobs could not be saved to ")), qPrintable(m_warnings[0]));
    QVERIFY(!page.queueSaver()->saveNow());
    QCOMPARE(failed.count(), 2);
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY(QFile::remove(folder));
    QVERIFY(page.queueSaver()->saveNow());
    QCOMPARE(SavedQueue().load(SavedQueue::defaultPath()), SavedQueue::Read);
}

// The program is killed while the first of three edited jobs converts. The
// next start restores the three, ready and edited as before; converting them
// writes new files beside the partial one, which stays as it was.
void TestSavedQueue::killedWhileConverting()
{
    // An application folder whose ffmpeg reads conversion inputs at their own
    // pace, so that the kill surely comes while the first job converts.
    const QString out = m_choices.m_outFolder;
    const QString slow = TestEnv::makeDir(str("slowapp"));
    const QFileInfoList appFiles = QDir(TestEnv::appDir()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QFileInfo& f : appFiles) {
        if (f.fileName() != str("ffmpeg"))
            QVERIFY(QFile::link(f.absoluteFilePath(), slow + QLatin1Char('/') + f.fileName()));
    }
    const QString pidFile = slow + str("/ffmpeg.pid");
    writeFile(slow + str("/ffmpeg"),
        QStringLiteral("#!/bin/sh\nfor last; do :; done\ncase \"$last\" in\n'%1'/*) echo $$ > '%2'; exec '%3' -re \"$@\";;\n"
                       "esac\nexec '%3' \"$@\"\n")
            .arg(out, pidFile, MediaFactory::systemFFmpeg())
            .toUtf8());
    QVERIFY(QFile::setPermissions(slow + str("/ffmpeg"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QCoreApplication::applicationDirPath() + str("/queuehelper"),
        {slow, out, m_long, m_clipB, m_clipC, m_cues});
    QVERIFY(helper.waitForStarted(10000));
    QByteArray said;
    QElapsedTimer clock;
    clock.start();
    while (!said.contains('\n') && helper.state() == QProcess::Running && clock.elapsed() < 120000)
        if (helper.waitForReadyRead(1000))
            said += helper.readAllStandardOutput();
    ::kill(pid_t(helper.processId()), SIGKILL);
    QVERIFY(helper.waitForFinished(10000));
    QVERIFY2(said.startsWith("PARTIAL "), said.constData());
    // The orphaned ffmpeg goes too, as after a power cut; the partial file
    // is whatever it had written.
    bool ok = false;
    const pid_t ffmpeg = pid_t(readAll(pidFile).trimmed().toInt(&ok));
    QVERIFY(ok && ffmpeg > 1);
    ::kill(ffmpeg, SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(
        ::kill(ffmpeg, 0) != 0 || readAll(str("/proc/%1/stat").arg(ffmpeg)).contains(") Z"), 10000);

    const QString partial = QString::fromLocal8Bit(said.mid(8).trimmed());
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{QFileInfo(partial).fileName()});
    const QByteArray partialBytes = readAll(partial);
    const QDateTime partialTime = QFileInfo(partial).lastModified();
    QVERIFY(!partialBytes.isEmpty());

    VideoConverterWidget page;
    preparePage(page);
    QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
    page.offerSavedQueue();
    QCOMPARE(m_questions,
        QStringList{str("3 jobs were left unfinished when the program last ended. Restore them to the list?")});
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 60000);
    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    VideoListWidget* list = page.videoList();
    QCOMPARE(describeList(list),
        (QStringList{str("long.mp4 state -1 mp4 trim 1-7 crop 0,0 0x0 turn 0 flip 00 srt  soft audio "),
            str("b.mp4 state -1 mp4 trim 0-0 crop 16,8 128x96 turn 90 flip 10 srt  soft audio "),
            str("c.mp4 state -1 mp4 trim 0-0 crop 0,0 0x0 turn 0 flip 00 srt cues.srt burnt audio ")}));

    page.convertAllButton_slots();
    const auto ended = [list] {
        for (int i = 0; i < list->jobCount(); ++i) {
            const int s = list->jobAt(i)->m_nState;
            if (s != VideoItemData::Completed && s != VideoItemData::Failed)
                return false;
        }
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(ended(), 180000);
    QStringList outputs;
    for (int i = 0; i < list->jobCount(); ++i) {
        const VideoItemData* job = list->jobAt(i);
        QVERIFY2(job->m_nState == VideoItemData::Completed, qPrintable(job->failureReason()));
        QVERIFY(job->m_outputPath != partial);
        outputs << job->m_outputPath;
    }
    QVERIFY(qAbs(MediaFactory::durationSeconds(outputs[0]) - 6.0) < 0.5);
    const QList<QJsonObject> turned = MediaFactory::streams(outputs[1], str("video"));
    QCOMPARE(turned.size(), 1);
    QCOMPARE(QStringLiteral("%1x%2").arg(turned[0].value(str("width")).toInt()).arg(turned[0].value(str("height")).toInt()),
        str("96x128"));
    QCOMPARE(MediaFactory::streams(outputs[2], str("video")).size(), 1);
    QCOMPARE(MediaFactory::streams(outputs[2], str("subtitle")).size(), 0); // burnt into the picture

    QCOMPARE(QDir(out).entryList(QDir::Files).size(), 4);
    QCOMPARE(QFileInfo(partial).lastModified(), partialTime);
    QVERIFY(readAll(partial) == partialBytes);
}

// The question as a person sees it, over the page in both skins; answered
// with "Discard".
void TestSavedQueue::restorePictures()
{
    const QString folder = QString::fromLocal8Bit(qgetenv("MORVAYNE_SCREENSHOT_DIR"));
    VideoConverterWidget::setAsker({});
    for (int skin : {0, 1}) {
        SavedQueue saved;
        SavedQueue::Job job;
        for (const char* name : {"/holiday.mp4", "/concert.mkv", "/interview.mov"}) {
            job.sourcePath = m_media + str(name);
            saved.jobs << job;
        }
        QVERIFY(saved.save(SavedQueue::defaultPath()));
        m_choices.m_skinType = skin;
        VideoConverterWidget page;
        preparePage(page);
        page.show();
        // The page behind the box, as it stands when the question comes.
        QImage shot(page.size(), QImage::Format_RGB32);
        shot.fill(QColor(skin ? 0x202124 : 0xffffff)); // the window's background
        page.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        QString seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<MyQMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll.stop();
            seen = box->textLabel()->text() + QLatin1Char('|') + box->okButton()->text() + QLatin1Char('|')
                + box->cancelButton()->text();
            // The toolkit's box keeps its own light palette in both skins; it is
            // shown over the page as the user meets it.
            if (!folder.isEmpty()) {
                QPainter painter(&shot);
                painter.drawPixmap((shot.width() - box->width()) / 2, (shot.height() - box->height()) / 2, box->grab());
                painter.end();
                shot.save(folder + (skin ? str("/queue-restore-dark.png") : str("/queue-restore-light.png")));
            }
            QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
            if (box->isVisible())
                box->close();
        });
        poll.start(10);
        page.offerSavedQueue();
        QCOMPARE(seen,
            str("3 jobs were left unfinished when the program last ended. Restore them to the list?|Restore|Discard"));
        QCOMPARE(savedList().jobs.size(), 0);
    }
    VideoConverterWidget::setAsker([this](const QString&, const QString& text, const QString&, const QString&) {
        m_questions << text;
        return m_answer;
    });
}

MORVAYNE_TEST_MAIN(TestSavedQueue)
#include "tst_savedqueue.moc"

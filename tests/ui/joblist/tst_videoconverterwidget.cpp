#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "toolkit/mytempbutton2.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videoitemwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QSettings>
#include <QFileSystemModel>

#include <fnmatch.h>

using MyQtCustom::MyTempButton2;
using MyQtCustom::QCommonUtils;

namespace {

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

QSettings settings()
{
    return QSettings(SettingKeys::Organisation, SettingKeys::Application);
}

template <typename T = QWidget> T* child(QWidget* page, const char* name)
{
    T* w = page->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList sourcesOf(VideoListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->jobCount(); ++i)
        names << QFileInfo(list->jobAt(i)->m_sourcePath).fileName();
    return names;
}

// What a person sees of the locked controls: header add, format, folder, convert all.
QString enabledControls(QWidget* page)
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(child<MyTempButton2>(page, "addButton")->isMyEnabled())
        .arg(child<QComboBox>(page, "formatBox")->isEnabled())
        .arg(child<MyTempButton2>(page, "selectOutputButton")->isMyEnabled())
        .arg(child<MyTempButton2>(page, "convertAllButton")->isMyEnabled())
        .arg(child<MyTempButton2>(page, "emptyAddButton")->isMyEnabled());
}

} // namespace

class TestVideoConverterWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void addingFiles_data();
    void addingFiles();
    void openFileDialog();
    void probeOrder();
    void unreadableFiles();
    void missingFFmpeg();
    void mediaFilter_data();
    void mediaFilter();
    void convertAllAndFinish();
    void formatChoice();
    void outputFolder();

private:
    // Adds the files and waits until every one was probed.
    void addAndWait(VideoConverterWidget& page, const QStringList& paths);

    RuntimeChoices m_choices;
    QString m_media;
    QString m_clip;      // 1 s, 160x120, with sound
    QString m_longClip;  // 3 s
    QString m_tone;      // 1 s of sound only
    QStringList m_warnings;
    QStringList m_commands;
};

void TestVideoConverterWidget::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    m_media = TestEnv::makeDir(str("media"));
    m_clip = MediaFactory::videoWithTone(m_media + str("/clip.mp4"), 1, str("160x120"));
    m_longClip = MediaFactory::videoWithTone(m_media + str("/long.mp4"), 3, str("160x120"));
    m_tone = MediaFactory::tone(m_media + str("/tone.mp3"), 1);
    QVERIFY(!m_clip.isEmpty() && !m_longClip.isEmpty() && !m_tone.isEmpty());
    VideoConverterWidget::setWarner([this](const QString& title, const QString& text, const QString& ok) {
        m_warnings << title + QLatin1Char('|') + text + QLatin1Char('|') + ok;
    });
    QCommonUtils::setCommandRunner([this](const QString& program, const QStringList& arguments) {
        m_commands << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    });
}

void TestVideoConverterWidget::init()
{
    settings().clear();
    g_appDirPath = TestEnv::appDir();
    m_choices.m_outFolder = TestEnv::makeDir(str("out"));
    m_choices.m_autoAddSrt = true;
    m_choices.m_finishAction = RuntimeChoices::FinishNone;
    m_choices.m_maxConvertCount = 2;
    m_warnings.clear();
    m_commands.clear();
}

void TestVideoConverterWidget::cleanup()
{
    VideoConverterWidget::setFilesChooser({});
    VideoConverterWidget::setFolderChooser({});
}

void TestVideoConverterWidget::addAndWait(VideoConverterWidget& page, const QStringList& paths)
{
    QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
    page.addFiles(paths);
    if (page.isProbing())
        QVERIFY(done.wait(60000));
}

void TestVideoConverterWidget::addingFiles_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("srtBytes"); // beside every file; 0: none
    QTest::addColumn<bool>("autoSrt");
    QTest::addColumn<QString>("listed"); // name:subtitle of every job
    QTest::newRow("any case of suffix, other files dropped")
        << QStringList{str("Movie.MP4"), str("Song.MP3"), str("notes.txt")} << 0 << true << "Movie.MP4: Song.MP3:";
    QTest::newRow("11-byte subtitle is taken, also after an inner dot")
        << QStringList{str("a.b.mp4")} << 11 << true << "a.b.mp4:a.b.srt";
    QTest::newRow("10-byte subtitle is not") << QStringList{str("a.b.mp4")} << 10 << true << "a.b.mp4:";
    QTest::newRow("automatic subtitles off") << QStringList{str("film.mkv")} << 40 << false << "film.mkv:";
    QTest::newRow("same file twice is two jobs")
        << QStringList{str("twice.mov"), str("twice.mov")} << 0 << true << "twice.mov: twice.mov:";
}

void TestVideoConverterWidget::addingFiles()
{
    QFETCH(QStringList, names);
    QFETCH(int, srtBytes);
    QFETCH(bool, autoSrt);
    QFETCH(QString, listed);
    m_choices.m_autoAddSrt = autoSrt;
    const QString dir = TestEnv::makeDir(str("adding"));
    QStringList paths;
    for (const QString& name : names) {
        const QString path = dir + QLatin1Char('/') + name;
        paths << path;
        if (QFileInfo::exists(path))
            continue;
        QVERIFY(QFile::copy(name.endsWith(str("MP3")) ? m_tone : m_clip, path));
        if (srtBytes > 0)
            writeFile(dir + QLatin1Char('/') + name.left(name.lastIndexOf(QLatin1Char('.'))) + str(".srt"),
                QByteArray(srtBytes, 'x'));
    }
    VideoConverterWidget page;
    page.resize(1140, 672);
    QVERIFY(child(&page, "emptyPanel")->isVisibleTo(&page));
    QVERIFY(!child(&page, "pageBottomBar")->isVisibleTo(&page));
    addAndWait(page, paths);
    QStringList jobs;
    for (int i = 0; i < page.videoList()->jobCount(); ++i) {
        const VideoItemData* job = page.videoList()->jobAt(i);
        jobs << QFileInfo(job->m_sourcePath).fileName() + QLatin1Char(':') + QFileInfo(job->m_srtPath).fileName();
    }
    QCOMPARE(jobs.join(QLatin1Char(' ')), listed);
    QVERIFY(m_warnings.isEmpty());
    // With jobs the list and the bottom bar replace the empty panel.
    QVERIFY(!child(&page, "emptyPanel")->isVisibleTo(&page));
    QVERIFY(child(&page, "pageBottomBar")->isVisibleTo(&page));
    QVERIFY(child(&page, "formatBox")->isVisibleTo(&page));
}

// Both add buttons ask with the dialog's title, folder and filter; the folder
// of the first choice is remembered with its separator.
void TestVideoConverterWidget::openFileDialog()
{
    QStringList asked;
    QStringList answer;
    VideoConverterWidget::setFilesChooser(
        [&](QWidget*, const QString& caption, const QString& folder, const QString& filter) {
            asked << caption + QLatin1Char('|') + folder + QLatin1Char('|') + filter.left(23);
            return answer;
        });
    VideoConverterWidget page;
    page.resize(1140, 672);
    QTest::mouseClick(child(&page, "addButton"), Qt::LeftButton); // cancelled
    QVERIFY(!settings().contains(SettingKeys::AddVideoPath));
    answer = QStringList{m_clip, m_tone};
    QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
    QTest::mouseClick(child(&page, "emptyAddButton"), Qt::LeftButton);
    QVERIFY(done.wait(60000));
    QCOMPARE(settings().value(SettingKeys::AddVideoPath).toString(), m_media + QLatin1Char('/'));
    answer.clear();
    QTest::mouseClick(child(&page, "addButton"), Qt::LeftButton);
    const QString documents = QDir::homePath() + str("/Documents/Quillfen/Morvayne");
    QCOMPARE(asked,
        QStringList({str("Open File|") + documents + str("|Media (*.[mM][pP]4 *.[m"),
            str("Open File|") + documents + str("|Media (*.[mM][pP]4 *.[m"),
            str("Open File|") + m_media + str("/|Media (*.[mM][pP]4 *.[m")}));
    QCOMPARE(sourcesOf(page.videoList()), QStringList({str("clip.mp4"), str("tone.mp3")}));
}

// Files added while a probe runs wait their turn, in the order chosen; one
// added after the worker's run ended but before its end was handled too.
void TestVideoConverterWidget::probeOrder()
{
    VideoConverterWidget page;
    page.addFiles({m_longClip});
    QVERIFY(page.isProbing());
    auto* worker = page.findChild<GetMediaInfoThread*>();
    QVERIFY(worker);
    page.addFiles({m_tone, m_clip});
    page.addFiles({m_longClip});
    QCOMPARE(page.pendingCount(), 3);
    // The run is over; its finished handler has not run yet.
    QVERIFY(worker->wait(60000));
    page.addFiles({m_clip});
    QCOMPARE(page.pendingCount(), 4);
    QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
    QVERIFY(done.wait(60000));
    QCOMPARE(sourcesOf(page.videoList()),
        QStringList({str("long.mp4"), str("tone.mp3"), str("clip.mp4"), str("long.mp4"), str("clip.mp4")}));
    // Every job has the record of its own file.
    QStringList durations;
    for (int i = 0; i < page.videoList()->jobCount(); ++i)
        durations << QCommonUtils::TimetoString(page.videoList()->jobAt(i)->m_pMediaInfo->duration);
    QCOMPARE(durations.join(QLatin1Char(' ')), str("00:00:03 00:00:01 00:00:01 00:00:03 00:00:01"));
}

// Files that look like media but cannot be read are not listed; once the
// pending files are done one warning names them all.
void TestVideoConverterWidget::unreadableFiles()
{
    const QString dir = TestEnv::makeDir(str("unreadable"));
    writeFile(dir + str("/broken.mp4"), QByteArray());
    QFile whole(m_longClip);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    writeFile(dir + str("/cut.mkv"), whole.read(200));
    writeFile(dir + str("/words.mp3"), QByteArray("this is no sound at all\n").repeated(20));
    VideoConverterWidget page;
    addAndWait(page, {dir + str("/broken.mp4"), m_clip, dir + str("/cut.mkv"), dir + str("/words.mp3")});
    QCOMPARE(sourcesOf(page.videoList()), QStringList{str("clip.mp4")});
    QCOMPARE(m_warnings,
        QStringList{str("Warning|These files could not be read and were not added:\n") + dir
            + str("/broken.mp4\n") + dir + str("/cut.mkv\n") + dir + str("/words.mp3|OK")});
    // Reported once: a good file later brings no second warning.
    addAndWait(page, {m_clip});
    QCOMPARE(m_warnings.size(), 1);
}

// Without ffmpeg nothing is listed and the warning comes once per process.
void TestVideoConverterWidget::missingFFmpeg()
{
    g_appDirPath = TestEnv::makeDir(str("noffmpeg"));
    VideoConverterWidget page;
    page.addFiles({m_clip, m_tone});
    page.addFiles({m_clip});
    QVERIFY(!page.isProbing());
    QCOMPARE(page.pendingCount(), 0);
    QCOMPARE(page.videoList()->jobCount(), 0);
    QCOMPARE(m_warnings,
        QStringList{str("Warning|Lost the ffmpeg file, Please download and reinstall the application|OK")});
    VideoConverterWidget another;
    another.addFiles({m_clip});
    QCOMPARE(m_warnings.size(), 1);
}

void TestVideoConverterWidget::mediaFilter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("offered");
    QTest::newRow("camera MOV") << "IMG_0001.MOV" << true;
    QTest::newRow("action camera MP4") << "GX010001.MP4" << true;
    QTest::newRow("mixed case") << "Holiday.Mp4" << true;
    QTest::newRow("lower case") << "song.mp3" << true;
    QTest::newRow("WEBM") << "screen.WEBM" << true;
    QTest::newRow("M2TS") << "00001.M2TS" << true;
    QTest::newRow("text") << "notes.txt" << false;
    QTest::newRow("suffix inside the name") << "mp4.notes" << false;
}

// The "Open File" filter offers media files whatever the case of their
// suffix: in Qt's own dialog, and under the desktop dialog's case-sensitive
// pattern matching.
void TestVideoConverterWidget::mediaFilter()
{
    QFETCH(QString, name);
    QFETCH(bool, offered);
    const QString filter = VideoConverterWidget::mediaFilter();
    const QStringList patterns = filter.mid(7, filter.size() - 8).split(QLatin1Char(' '));
    bool matched = false;
    for (const QString& pattern : patterns)
        matched = matched || ::fnmatch(pattern.toUtf8().constData(), name.toUtf8().constData(), 0) == 0;
    QCOMPARE(matched, offered);

    // Qt's own dialog, as the program shows it where there is no desktop
    // dialog: beside a file it surely offers, the file is shown or hidden.
    const QString dir = TestEnv::makeDir(str("filter"));
    writeFile(dir + str("/reference.mp4"), QByteArray("x"));
    writeFile(dir + QLatin1Char('/') + name, QByteArray("x"));
    QFileDialog dialog(nullptr, str("Open File"), dir, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    auto* model = dialog.findChild<QFileSystemModel*>();
    QVERIFY(model);
    QTRY_VERIFY_WITH_TIMEOUT(model->rowCount(model->index(dir)) > 0, 10000);
    QTest::qWait(200);
    QCOMPARE(model->rowCount(model->index(dir)), offered ? 2 : 1);

    QVERIFY(filter.startsWith(str("Media (*.[mM][pP]4 *.[mM][pP][eE][gG] *.[mM][pP][gG] *.[aA][sS][fF] ")));
    QVERIFY(filter.endsWith(str(" *.[wW][mM][aA] *.[wW][eE][bB][mM])")));
    QCOMPARE(filter.count(str("*.")), 39);
}

// Convert All converts every job into the output folder. The page is locked
// meanwhile, and the finishing action runs once, after the last conversion;
// never after a deletion or a Convert All that converts nothing.
void TestVideoConverterWidget::convertAllAndFinish()
{
    m_choices.m_finishAction = RuntimeChoices::FinishShutdown;
    m_choices.m_maxConvertCount = 1;
    VideoConverterWidget page;
    page.resize(1140, 672);
    page.show();
    addAndWait(page, {m_clip, m_tone, m_longClip});
    QCOMPARE(enabledControls(&page), str("1 1 1 1 1"));
    QTest::mouseClick(child(&page, "convertAllButton"), Qt::LeftButton);
    QCOMPARE(enabledControls(&page), str("0 0 0 0 1"));
    QVERIFY(page.isLocked());
    // A locked page starts nothing more and asks for no files.
    int asked = 0;
    VideoConverterWidget::setFilesChooser([&asked](QWidget*, const QString&, const QString&, const QString&) {
        ++asked;
        return QStringList();
    });
    page.convertAllButton_slots();
    QTest::mouseClick(child(&page, "addButton"), Qt::LeftButton);
    QCOMPARE(asked, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!page.isLocked(), 120000);
    QCOMPARE(enabledControls(&page), str("1 1 1 1 1"));
    QCOMPARE(m_commands, QStringList{str("shutdown -h now")});

    QStringList outputs = QDir(m_choices.m_outFolder).entryList(QDir::Files);
    outputs.sort();
    QCOMPARE(outputs, QStringList({str("clip.mp4"), str("long.mp4"), str("tone.mp3")}));
    QCOMPARE(qRound(MediaFactory::durationSeconds(m_choices.m_outFolder + str("/long.mp4"))), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(page.videoList()->jobAt(i)->m_nState, int(VideoItemData::Completed));

    // Nothing left to convert; a deletion. Both pass through the lock.
    page.convertAllButton_slots();
    VideoItemWidget* row = nullptr;
    for (auto* r : page.videoList()->findChildren<VideoItemWidget*>())
        row = r->job() == page.videoList()->jobAt(0) ? r : row;
    QVERIFY(row);
    row->ctr_deleteButton_slots();
    QCOMPARE(page.videoList()->jobCount(), 2);
    QVERIFY(!page.isLocked());
    QCOMPARE(m_commands.size(), 1);

    // Opening the output folder goes through the desktop's handler.
    TestEnv::clearOpenedUrls();
    QTest::mouseClick(child(&page, "openOutputButton"), Qt::LeftButton);
    QCOMPARE(TestEnv::openedUrls(), QList<QUrl>{QUrl::fromLocalFile(m_choices.m_outFolder)});
}

// The chosen format is stored, restored by the next page, and resets jobs
// whose target changed; a file without pictures stays audio.
void TestVideoConverterWidget::formatChoice()
{
    {
        VideoConverterWidget page;
        page.retranslate();
        addAndWait(page, {m_clip, m_tone});
        VideoItemData* video = page.videoList()->jobAt(0);
        video->m_nState = VideoItemData::Completed;
        video->m_nProgress = 10000;
        auto* box = child<QComboBox>(&page, "formatBox");
        QCOMPARE(box->currentText(), str("MP4"));
        box->setCurrentIndex(4);
        emit box->activated(4);
        QCOMPARE(page.currentFormat(), str("mp3"));
        QCOMPARE(page.outputProfile()->format, str("mp3"));
        QCOMPARE(video->m_format, str("mp3"));
        QCOMPARE(video->m_nState, int(VideoItemData::Ready));
        QCOMPARE(video->m_nProgress, 0);
        QCOMPARE(settings().value(SettingKeys::VideoConvertFormat).toString(), str("mp3"));
        box->setCurrentIndex(2);
        emit box->activated(2);
        QCOMPARE(video->m_format, str("mkv"));
        QCOMPARE(page.videoList()->jobAt(1)->m_format, str("mp3"));
        box->setCurrentIndex(4);
        emit box->activated(4);
    }
    VideoConverterWidget again;
    again.retranslate();
    QCOMPARE(child<QComboBox>(&again, "formatBox")->currentText(), str("MP3"));
    QCOMPARE(again.outputProfile()->format, str("mp3"));

    settings().setValue(SettingKeys::VideoConvertFormat, str("webm"));
    again.retranslate();
    QCOMPARE(child<QComboBox>(&again, "formatBox")->currentIndex(), 0);
    QCOMPARE(again.outputProfile()->format, str("mp4"));
}

// The folder chooser takes a folder only where a file can be made, and
// never touches what the folder holds.
void TestVideoConverterWidget::outputFolder()
{
    QString answer;
    QStringList asked;
    VideoConverterWidget::setFolderChooser([&](QWidget*, const QString& caption, const QString& folder) {
        asked << caption + QLatin1Char('|') + folder;
        return answer;
    });
    VideoConverterWidget page;
    page.resize(1140, 672);
    page.retranslate();
    addAndWait(page, {m_clip});
    const QString before = m_choices.m_outFolder;
    auto* label = child<QLabel>(&page, "outputPathLabel");

    // Unwritable even for root, then cancelled: nothing changes, nothing is said.
    for (const QString& refused : {str("/proc"), QString()}) {
        answer = refused;
        page.selectOutputButton_slots();
        QCOMPARE(m_choices.m_outFolder, before);
        QVERIFY(!settings().contains(SettingKeys::ConvertOutFolder));
    }
    QVERIFY(m_warnings.isEmpty());

    // A writable folder that holds a file named like the program's language
    // list, chosen while the program has no such list of its own.
    g_appDirPath = TestEnv::makeDir(str("bareapp"));
    const QString chosen = TestEnv::makeDir(str("chosen"));
    const QByteArray kept("EN=English\nthe user's own file\n");
    writeFile(chosen + str("/Lang_config"), kept);
    answer = chosen;
    page.selectOutputButton_slots();
    QCOMPARE(m_choices.m_outFolder, chosen);
    QCOMPARE(settings().value(SettingKeys::ConvertOutFolder).toString(), chosen);
    QCOMPARE(label->toolTip(), chosen);
    QFile file(chosen + str("/Lang_config"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kept);
    QCOMPARE(QDir(chosen).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{str("Lang_config")});
    QCOMPARE(page.videoList()->jobAt(0)->m_nState, int(VideoItemData::Ready));

    // The next choice starts where the last one ended.
    answer.clear();
    page.selectOutputButton_slots();
    const QString documents = QDir::homePath() + str("/Documents/Quillfen/Morvayne");
    QCOMPARE(asked,
        QStringList({str("Open Directory|") + documents, str("Open Directory|") + documents,
            str("Open Directory|") + documents, str("Open Directory|") + chosen}));
}

MORVAYNE_TEST_MAIN(TestVideoConverterWidget)
#include "tst_videoconverterwidget.moc"

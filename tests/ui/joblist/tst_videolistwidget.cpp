#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/outputpathregistry.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/jobeditorhost.h"
#include "ui/joblist/mytablelistwidget.h"
#include "ui/joblist/videoitemwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QRadioButton>
#include <QSettings>
#include <QWheelEvent>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using MyQtCustom::BgIconButton;

namespace {

const qint64 Second = 1000000;

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

template <typename T = QLabel> T* child(QWidget* row, const char* name)
{
    T* w = row->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

// The controls a person sees, by name.
QString shown(QWidget* row)
{
    QStringList names;
    for (const char* name : {"deleteButton", "convertButton", "openButton", "loadingLabel", "statusLabel",
             "progressTrack", "percentLabel", "resultLabel", "cutButton", "cropButton", "audioButton", "srtLabel",
             "srtAddButton", "srtDelButton", "burninButton", "softcodeButton", "targetResolution"}) {
        if (child<QWidget>(row, name)->isVisibleTo(row))
            names << QString::fromLatin1(name).remove(str("Button")).remove(str("Label"));
    }
    return names.join(QLatin1Char(' '));
}

// How far the most opaque ink of a picture stands from a background, in luma.
double contrast(const QPixmap& pixmap, const QColor& ground)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QRgb ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink = qAlpha(image.pixel(x, y)) > qAlpha(ink) ? image.pixel(x, y) : ink;
    const auto luma = [](QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); };
    return qAbs(luma(ink) - luma(ground.rgb()));
}

// Running ffmpeg processes started by this test.
QList<int> ffmpegChildren()
{
    QList<int> pids;
    for (const QString& entry : QDir(str("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
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

// Records what the rows ask of the main window.
class Host : public JobEditorHost
{
public:
    void openTrimEditor(MediaInfo* m, VideoItemWidget* row) override { add("trim", m, row); }
    void openCropEditor(MediaInfo* m, VideoItemWidget* row) override { add("crop", m, row); }
    void openAudioEditor(MediaInfo* m, VideoItemWidget* row) override { add("audio", m, row); }
    void add(const char* editor, MediaInfo* m, VideoItemWidget* row)
    {
        calls << str(editor) + (row->job()->m_pMediaInfo == m ? str(" own") : str(" other"));
    }
    QStringList calls;
};

} // namespace

// The job list and its rows, as the converter page shows them. The rows:
// controls of each state, facts, progress, subtitle choices and where their
// buttons lead. The list, with real ffmpeg runs: scheduling under the limit
// in list order, removal while converting, and rows that follow their jobs
// while the list scrolls. A job whose source is a named pipe keeps its
// ffmpeg waiting until the test feeds it.
class TestVideoListWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void states_data();
    void states();
    void progressAndFacts();
    void subtitle();
    void buttons();
    void pictures();

    void fiveJobs();
    void convertButtonAndLimit();
    void removal();
    void scrolling();

private:
    // A job for a made-up 100 s source of 1920x1080 H.264 at 4 Mbit/s, 50 MiB.
    VideoItemData* add(const QString& name, const QString& format = str("mp4"), int state = -1);
    // A job of `source` with the record of the real file `like`.
    VideoItemData* addReal(const QString& source, const QString& like, const QString& srt = QString());
    VideoItemData* take(MediaInfo* m, const QString& source, const QString& srt);
    QString pipe(const QString& name);
    QProcess* feed(const QString& pipe, const QString& clip = QString());
    VideoItemWidget* rowOf(VideoItemData* job)
    {
        return static_cast<VideoItemWidget*>(m_list->tableList()->searchMyTableItemWidget(job));
    }
    VideoItemWidget* refreshed(VideoItemData* job)
    {
        m_list->retranslate(); // refreshes every row
        return rowOf(job);
    }
    void click(VideoItemData* job, const char* button)
    {
        QTest::mouseClick(child<QWidget>(rowOf(job), button), Qt::LeftButton);
    }
    QString menu(VideoItemWidget* row);
    QString stateText() const;

    RuntimeChoices m_choices;
    OutputProfile m_profile;
    QString m_media, m_clip, m_cues, m_thumb;
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
    m_thumb = MediaFactory::make(m_media + str("/t.bmp"),
        {str("-f"), str("lavfi"), str("-i"), str("testsrc2=s=320x180:d=1"), str("-frames:v"), str("1")});
    m_cues = m_media + str("/cues.srt");
    QFile cues(m_cues);
    QVERIFY(cues.open(QIODevice::WriteOnly) && cues.write("1\n00:00:00,000 --> 00:00:01,000\nHello\n") > 0);
}

void TestVideoListWidget::init()
{
    m_choices.m_outFolder = TestEnv::makeDir(str("out"));
    m_choices.m_maxConvertCount = 2;
    m_choices.m_skinType = 0;
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
    qDeleteAll(std::exchange(m_feeders, {}));
    QTRY_VERIFY_WITH_TIMEOUT(ffmpegChildren().isEmpty(), 5000);
    QCOMPARE(OutputPathRegistry::heldCount(), 0);
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}), QStringList());
}

VideoItemData* TestVideoListWidget::add(const QString& name, const QString& format, int state)
{
    auto* m = new MediaInfo;
    m->fileSize = 52428800;
    m->duration = 100 * Second;
    m->hasVideo = 1;
    m->width = 1920;
    m->height = 1080;
    m->videoBitrate = 4000000;
    m_profile.format = format;
    VideoItemData* job = take(m, str("/media/") + name, QString());
    job->m_thumbPath = m_thumb;
    job->m_nState = state;
    return job;
}

VideoItemData* TestVideoListWidget::addReal(const QString& source, const QString& like, const QString& srt)
{
    if (!m_banners.contains(like))
        m_banners.insert(like, MediaFactory::banner(like));
    auto* m = new MediaInfo;
    FFmpegBannerParser::parse(m, m_banners.value(like));
    return take(m, source, srt);
}

VideoItemData* TestVideoListWidget::take(MediaInfo* m, const QString& source, const QString& srt)
{
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

// Writes `clip` into the pipe, or without a clip whatever the test writes.
QProcess* TestVideoListWidget::feed(const QString& pipe, const QString& clip)
{
    auto* feeder = new QProcess;
    feeder->setStandardOutputFile(pipe);
    feeder->start(str("cat"), clip.isEmpty() ? QStringList() : QStringList{clip});
    m_feeders << feeder;
    return feeder;
}

// The context menu's visible entries; one that only informs in brackets.
QString TestVideoListWidget::menu(VideoItemWidget* row)
{
    QStringList entries;
    QTimer::singleShot(0, this, [&entries] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : popup ? popup->actions() : QList<QAction*>()) {
            if (action->isVisible())
                entries << (action->isEnabled() ? action->text()
                                                : QLatin1Char('[') + action->text() + QLatin1Char(']'));
        }
        if (popup)
            popup->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), row->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(row, &event);
    return entries.join(QLatin1Char(','));
}

QString TestVideoListWidget::stateText() const
{
    QStringList s;
    for (int i = 0; i < m_list->jobCount(); ++i)
        s << QString::number(m_list->jobAt(i)->m_nState);
    return s.join(QLatin1Char(' '));
}

void TestVideoListWidget::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("subtitle");
    QTest::addColumn<QString>("controls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("menu");
    const auto row = [](const char* name, int state, const char* format, bool subtitle, const char* controls,
                         const char* text = "", const char* menu = "Remove,Remove All") {
        QTest::newRow(name) << state << str(format) << subtitle << str(controls) << str(text) << str(menu);
    };
    row("ready", -1, "mp4", false, "delete convert cut crop audio srt srtAdd burnin softcode targetResolution");
    row("ready, subtitle", -1, "mkv", true,
        "delete convert cut crop audio srt srtDel burnin softcode targetResolution");
    row("ready avi burns in", -1, "avi", true, "delete convert cut crop audio srt srtDel burnin targetResolution");
    row("ready mp3", -1, "mp3", true, "delete convert");
    row("waiting", 0, "mp4", true, "delete status targetResolution", "Waiting...");
    row("converting", 1, "mp4", false, "delete loading status progressTrack percent targetResolution", "Converting...");
    row("converting mp3", 1, "mp3", false, "delete loading status progressTrack percent", "Converting...");
    row("completed", 2, "mov", false, "delete open result targetResolution", "Conversion completed",
        "Open,Remove,Remove All");
    row("failed", 3, "mp4", false, "delete result targetResolution", "Conversion failed", "[why],Remove,Remove All");
    row("stopped", 4, "mp4", true, "delete convert targetResolution");
    row("unknown", 7, "mp4", false, "targetResolution");
}

// Each state shows its controls and nothing more; an AVI job's soft subtitle
// becomes burnt in; a failed job tells why where the failure shows.
void TestVideoListWidget::states()
{
    QFETCH(int, state);
    QFETCH(QString, format);
    QFETCH(bool, subtitle);
    QFETCH(QString, text);
    VideoItemData* job = add(str("clip.mov"), format, state);
    if (subtitle)
        job->m_srtPath = str("/media/clip.srt");
    VideoItemWidget* row = refreshed(job);
    QTEST(shown(row), "controls");
    if (!text.isEmpty())
        QCOMPARE(child(row, state >= 2 ? "resultLabel" : "statusLabel")->text(), text);
    QCOMPARE(child(row, "loadingLabel")->movie()->state() == QMovie::Running, state == 1);
    const bool avi = format == QLatin1String("avi");
    QCOMPARE(child<QRadioButton>(row, "burninButton")->isEnabled(), subtitle);
    QCOMPARE(child<QRadioButton>(row, "burninButton")->isChecked(), subtitle && avi);
    QCOMPARE(child<QRadioButton>(row, "softcodeButton")->isChecked(), subtitle && !avi);
    QCOMPARE(job->m_bSoftSubtitle, !avi);
    QCOMPARE(child(row, "srtLabel")->toolTip(), subtitle ? str("/media/clip.srt") : str("Add subtitle"));
    const QString why = job->failureReason().isEmpty() ? str("Conversion failed") : job->failureReason();
    QCOMPARE(child(row, "resultLabel")->toolTip(), state == 3 ? why : QString());
    QFETCH(QString, menu);
    QCOMPARE(this->menu(row), menu.replace(str("why"), why));
}

// Progress: "0" below one hundredth, else two decimals; on a 100 pixel track
// a fill narrower than a pixel is not drawn. Facts: trims shorten the target,
// crops resize it; an editor's close re-estimates the size; MP3 shows no
// resolution; a tool shows checked while its edit is in effect.
void TestVideoListWidget::progressAndFacts()
{
    VideoItemData* job = add(str("clip.mp4"), str("mp4"), 1);
    QStringList seen;
    for (int p : {0, 1, 5, 100, 4567, 9999, 10000}) {
        job->m_nProgress = p;
        VideoItemWidget* row = refreshed(job);
        const QLabel* fill = child(row, "progressFill");
        QCOMPARE(fill->geometry().topLeft(), child(row, "progressTrack")->geometry().topLeft());
        seen << child(row, "percentLabel")->text() + QLatin1Char('/')
                + QString::number(fill->isVisibleTo(row) ? fill->width() : 0);
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), str("0%/0 00.01%/0 00.05%/0 01.00%/1 45.67%/45 99.99%/99 100.00%/100"));

    const auto facts = [this](VideoItemData* job) -> QString {
        VideoItemWidget* row = refreshed(job);
        QStringList texts{child(row, "fileNameLabel")->text()};
        for (const char* fact : {"sourceFormat", "sourceDuration", "sourceSize", "sourceResolution", "targetFormat",
                 "targetDuration", "targetSize", "targetResolution"})
            texts << (child(row, fact)->isVisibleTo(row) ? child(row, fact)->text() : str("-"));
        for (const char* tool : {"cutButton", "cropButton", "audioButton"})
            texts << QString::number(child<BgIconButton>(row, tool)->isChecked());
        return texts.join(QLatin1Char(' '));
    };
    VideoItemData* plain = add(str("holiday.2024.mov"));
    QCOMPARE(facts(plain), str("holiday.2024 MOV 00:01:40 50.00 M 1920X1080 MP4 00:01:40 50.74 M 1920X1080 0 0 0"));
    VideoItemData* edited = add(str("b.mkv"));
    MediaInfo& m = *edited->m_pMediaInfo;
    m.trimStart = 10 * Second;
    m.trimEnd = 40 * Second;
    m.cropX = 320;
    m.cropWidth = 1280;
    m.cropHeight = 720;
    rowOf(edited)->updateSizeEstimate(); // 30 s at 4.256 Mbit/s
    QCOMPARE(facts(edited), str("b MKV 00:01:40 50.00 M 1920X1080 MP4 00:00:30 15.22 M 1280X720 1 1 0"));
    m_profile.format = str("mp3");
    m_list->setAllOutputProfile(&m_profile);
    QCOMPARE(facts(edited), str("b MKV 00:01:40 50.00 M 1920X1080 MP3 00:00:30 15.22 M - 1 1 0"));
}

// The subtitle dialog starts in the remembered folder and remembers the one
// chosen; cancelling changes nothing. Burn-In acts only with a subtitle, and
// then for every job not started yet.
void TestVideoListWidget::subtitle()
{
    QStringList asked;
    QString answer;
    VideoItemWidget::setFileChooser([&](QWidget*, const QString& title, const QString& folder, const QString& filter) {
        asked << title + QLatin1Char('|') + folder + QLatin1Char('|') + filter;
        return answer;
    });
    const auto restore = qScopeGuard([] { VideoItemWidget::setFileChooser({}); });
    const QString folder = TestEnv::makeDir(str("subs"));
    QList<VideoItemData*> jobs;
    for (int state : {-1, 0, 1, 2, 3, 4, -1})
        jobs << add(QStringLiteral("%1.mp4").arg(jobs.size()), str("mp4"), state);
    VideoItemWidget* row = refreshed(jobs[0]);
    QSignalSpy changed(row, &VideoItemWidget::srtStatusChange);
    QTest::mouseClick(child<QRadioButton>(row, "burninButton"), Qt::LeftButton);
    QTest::mouseClick(child(row, "srtLabel"), Qt::LeftButton); // cancelled
    QVERIFY(changed.isEmpty() && jobs[0]->m_srtPath.isEmpty());
    answer = folder + str("/film.srt");
    row->srt_addButton_slots();
    row->srt_addButton_slots();
    QCOMPARE(jobs[0]->m_srtPath, answer);
    QCOMPARE(QSettings(SettingKeys::Organisation, SettingKeys::Application).value(SettingKeys::AddSubtitlePath),
        QVariant(folder + QLatin1Char('/')));
    const QString documents = QDir::homePath() + str("/Documents/Quillfen/Morvayne|subtitle (*.[sS][rR][tT])");
    QCOMPARE(asked,
        QStringList({str("Open File|") + documents, str("Open File|") + documents,
            str("Open File|") + folder + str("/|subtitle (*.[sS][rR][tT])")}));

    QTest::mouseClick(child<QRadioButton>(row, "burninButton"), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QStringList soft;
    for (VideoItemData* job : qAsConst(jobs))
        soft << QStringLiteral("%1:%2").arg(job->m_nState).arg(job->m_bSoftSubtitle);
    QCOMPARE(soft.join(QLatin1Char(' ')), str("-1:0 0:0 1:1 2:1 3:1 4:1 -1:0"));
    QVERIFY(!child<QRadioButton>(row, "softcodeButton")->isChecked());
    QTest::mouseClick(child<BgIconButton>(row, "srtDelButton"), Qt::LeftButton);
    QVERIFY(jobs[0]->m_srtPath.isEmpty() && jobs[0]->m_bSoftSubtitle);
    QCOMPARE(shown(row), str("delete convert cut crop audio srt srtAdd burnin softcode targetResolution"));
}

// The editing tools reach the main window only for a ready job; "Open" shows
// the output's folder through the platform's opener.
void TestVideoListWidget::buttons()
{
    VideoItemData* job = add(str("a.mp4"));
    VideoItemWidget* row = refreshed(job);
    row->cutvButton_slots(); // no main window yet: nothing happens
    Host host;
    host.makeCurrent();
    for (const char* tool : {"cutButton", "cropButton", "audioButton"})
        click(job, tool);
    job->m_nState = 0;
    row->cropvButton_slots();
    QCOMPARE(host.calls, QStringList({str("trim own"), str("crop own"), str("audio own")}));

    TestEnv::clearOpenedUrls();
    job->m_nState = 2;
    row->ctr_openButton_slots(); // no output yet
    job->m_outputPath = str("/srv/out put/a (0).mp4");
    QTest::mouseClick(child<QWidget>(refreshed(job), "openButton"), Qt::LeftButton);
    row->openAction_slots();
    QCOMPARE(TestEnv::openedUrls(), QList<QUrl>({QUrl(str("file:///srv/out put")), QUrl(str("file:///srv/out put"))}));
}

// A job in every state, in both skins: nothing overlaps, leaves its row or
// cuts its text. The editing tools: hover stands out more than the normal
// look and the disabled look least; a checked tool is plainly visible. With
// MORVAYNE_SCREENSHOT_DIR set the lists are saved as pictures to look at.
void TestVideoListWidget::pictures()
{
    const QList<std::tuple<const char*, const char*, int>> jobs{{"Ready to go.mp4", "mp4", -1},
        {"Waiting in line.mov", "mp4", 0}, {"Converting now.mkv", "mp4", 1}, {"Finished holiday film.mp4", "mp4", 2},
        {"Broken upload.avi", "mp4", 3}, {"Stopped halfway.mp4", "mp4", 4}, {"With subtitle.mp4", "mkv", -1},
        {"Song of the evening.mp3", "mp3", -1}, {"Trimmed and cropped.mov", "mov", -1}};
    for (int skin : {0, 1}) {
        m_choices.m_skinType = skin;
        m_list->applySkin();
        m_list->resize(1100, jobs.size() * 100 + 2);
        for (const auto& [name, format, state] : jobs) {
            VideoItemData* job = add(str(name), str(format), state);
            job->m_nProgress = 4567;
            if (job->m_format == QLatin1String("mp3"))
                job->m_thumbPath.clear(); // a song has no picture: the placeholder shows
            if (job->m_sourcePath.contains(QLatin1String("subtitle")))
                job->m_srtPath = str("/home/user/Videos/subtitles/With subtitle.en.srt");
            if (job->m_sourcePath.contains(QLatin1String("Trimmed"))) {
                job->m_pMediaInfo->trimStart = 12 * Second;
                job->m_pMediaInfo->trimEnd = 72 * Second;
                job->m_pMediaInfo->cropWidth = 1280;
                job->m_pMediaInfo->cropHeight = 720;
                job->setOutputProfile(&m_profile); // the estimate an editor's close leaves
            }
        }
        for (int i = 0; i < m_list->jobCount(); ++i) {
            VideoItemWidget* row = refreshed(m_list->jobAt(i));
            // The thumbnail or the placeholder fills its label once, untiled.
            const QLabel* thumb = child(row, "thumbLabel");
            QCOMPARE(thumb->palette().window().texture().size(), thumb->size());
            QList<QWidget*> visible;
            for (QWidget* w : row->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisibleTo(row) && w->objectName() != QLatin1String("progressFill"))
                    visible << w;
            for (QWidget* w : qAsConst(visible)) {
                const QString where = QStringLiteral("skin %1, row %2, %3 ").arg(skin).arg(i).arg(w->objectName());
                QVERIFY2(row->rect().contains(w->geometry()), qPrintable(where + str("leaves the row")));
                for (QWidget* other : qAsConst(visible))
                    QVERIFY2(other == w || !w->geometry().intersects(other->geometry()),
                        qPrintable(where + str("overlaps ") + other->objectName()));
                const auto* label = qobject_cast<QLabel*>(w);
                const int needed
                    = label ? label->fontMetrics().horizontalAdvance(label->text()) : w->sizeHint().width();
                QVERIFY2(needed <= w->width(), qPrintable(where + str("cuts its text")));
            }
        }
        const QString renderDir = QString::fromLocal8Bit(qgetenv("MORVAYNE_SCREENSHOT_DIR"));
        if (!renderDir.isEmpty())
            QVERIFY(QDir().mkpath(renderDir)
                && m_list->grab().save(renderDir + (skin == 1 ? str("/joblist-dark.png") : str("/joblist-light.png"))));

        auto* tool = child<BgIconButton>(rowOf(m_list->jobAt(0)), "cutButton");
        const auto look = [&] {
            return contrast(tool->iconLabel()->pixmap(Qt::ReturnByValue), skin ? QColor(0x202124) : QColor(0xffffff));
        };
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        const double normal = look();
        QApplication::sendEvent(tool, &enter);
        const double hover = look();
        QApplication::sendEvent(tool, &leave);
        tool->setChecked(true);
        const double checked = look();
        tool->setEnabled(false);
        const double disabled = look();
        tool->setEnabled(true);
        QVERIFY2(hover > normal && normal > disabled && checked > disabled && checked >= 60,
            qPrintable(QStringLiteral("skin %1: normal %2 hover %3 disabled %4 checked %5")
                           .arg(skin)
                           .arg(normal)
                           .arg(hover)
                           .arg(disabled)
                           .arg(checked)));
        m_list->ItemWidgetRemoveAllItem_slots();
    }
}

// Limit 2: jobs 1 and 2 convert while 3 to 5 wait; each end starts the next
// waiting job in list order; the list reports converting until the last ends.
// A file without a media record is refused.
void TestVideoListWidget::fiveJobs()
{
    QVERIFY(!m_list->addVideoItem(m_clip, nullptr, QString(), &m_profile, new ProbeInfo, QString()));
    QVERIFY(m_list->tableList()->itemWidgets().isEmpty());
    m_profile.format = str("mov");
    QStringList steps; // "3+ [states]" when job 3 starts, "3-" when it ends
    for (int i = 1; i <= 5; ++i) {
        const QString source = m_media + QStringLiteral("/c%1.mp4").arg(i);
        connect(addReal(source, source), &VideoItemData::updateShow, this, [this, &steps, i](VideoItemData* j) {
            if (j->m_nState >= 1 && j->m_nState <= 3)
                steps << QStringLiteral("%1%2 [%3]").arg(i).arg(j->m_nState == 1 ? '+' : '-').arg(stateText());
        });
    }
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    m_list->convertAll();
    QCOMPARE(stateText(), str("1 1 0 0 0"));
    QCOMPARE(child(rowOf(m_list->jobAt(4)), "statusLabel")->text(), str("Waiting..."));
    QTRY_COMPARE_WITH_TIMEOUT(stateText(), str("2 2 2 2 2"), 120000);
    QString starts;
    int ends = 0;
    for (const QString& step : qAsConst(steps)) {
        ends += step.at(1) == QLatin1Char('-');
        if (step.at(1) == QLatin1Char('+'))
            starts += step.at(0);
        QVERIFY2(starts.size() <= 2 + ends && step.section(QLatin1Char('['), 1).count(QLatin1Char('1')) <= 2,
            qPrintable(steps.join(str(", "))));
    }
    QCOMPARE(starts, str("12345"));
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
        jobs << addReal(pipe(QStringLiteral("h%1.mkv").arg(i)), m_clip);
    jobs << addReal(m_media + str("/c1.mp4"), m_media + str("/c1.mp4"));
    const auto step = [&](const char* what, const char* expected) {
        QTRY_VERIFY2_WITH_TIMEOUT(stateText() == str(expected), qPrintable(str(what) + str(": ") + stateText()), 30000);
    };
    click(jobs[0], "convertButton");
    click(jobs[1], "convertButton");
    step("two started", "1 1 -1 -1 -1");
    click(jobs[4], "convertButton");
    click(jobs[2], "convertButton");
    m_choices.m_maxConvertCount = 4;
    step("5 and 3 wait; a raised limit waits for a pass", "1 1 0 -1 0");
    click(jobs[3], "convertButton");
    step("3 and 4 take the new slots before 5", "1 1 1 1 0");
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 4, 10000);
    m_choices.m_maxConvertCount = 1;
    m_list->convertAll();
    step("a lowered limit stops nothing", "1 1 1 1 0");
    QCOMPARE(QStringLiteral("%1 %2").arg(ffmpegChildren().size()).arg(m_list->unfinishedCount()), str("4 1"));
    feed(jobs[0]->m_sourcePath, m_clip);
    step("one end under limit 1 starts nothing", "2 1 1 1 0");
    m_choices.m_maxConvertCount = 2;
    feed(jobs[1]->m_sourcePath, m_clip);
    step("limit 2 with two running", "2 2 1 1 0");
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    feed(jobs[2]->m_sourcePath, m_clip);
    step("a free slot at last", "2 2 2 1 2");
    feed(jobs[3]->m_sourcePath, m_clip);
    step("all done", "2 2 2 2 2");
    QCOMPARE(converting.last().at(0).toBool(), false);
    QCOMPARE(describe(jobs[2]->m_outputPath), str("h264 160x120 vorbis 1 s"));
}

// Deleting the converting job kills its ffmpeg, releases the job with its
// subtitle copy and output name, and the first waiting job starts; what the
// removed job still reports reaches nobody. "Stop all" and "Remove All" then
// stop the running job, which stands between a finished and a waiting one,
// without starting another: nothing of this process is left running and the
// page hears once that nothing converts.
void TestVideoListWidget::removal()
{
    m_choices.m_maxConvertCount = 1;
    QList<QPointer<VideoItemData>> jobs;
    for (const char* name : {"a.mkv", "b.mkv", "c.mkv"})
        jobs << addReal(pipe(str(name)), m_clip, name[0] == 'b' ? m_cues : QString());
    click(jobs[1], "convertButton");
    click(jobs[0], "convertButton");
    click(jobs[2], "convertButton");
    QCOMPARE(stateText(), str("0 1 0"));
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);
    const int pid = ffmpegChildren().first();
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}).size(), 1);

    click(jobs[1], "deleteButton");
    QVERIFY(::kill(pid, 0) != 0);
    QCOMPARE(stateText(), str("1 0"));
    QVERIFY(jobs[1]);
    emit jobs[1]->updateFinished(jobs[1]);
    m_list->VideoItemData_updateShow_slots(jobs[1]);
    m_list->VideoItemData_updateProgress_slots(jobs[1]);
    m_list->VideoItemData_updateFinished_slots(jobs[1]);
    QVERIFY(stateText() == str("1 0") && !rowOf(jobs[1]) && rowOf(jobs[0])->job() == jobs[0]);
    QTRY_VERIFY_WITH_TIMEOUT(jobs[1].isNull(), 5000);
    QCOMPARE(QDir(PathServices::getTempFolder()).entryList({str("*.srt")}), QStringList());
    feed(jobs[0]->m_sourcePath, m_clip);
    QTRY_COMPARE_WITH_TIMEOUT(stateText(), str("2 1"), 30000);
    QCOMPARE(describe(jobs[0]->m_outputPath), str("h264 160x120 vorbis 1 s"));

    jobs << addReal(pipe(str("d.mkv")), m_clip);
    click(jobs[3], "convertButton");
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);
    // Stopping all starts nothing either; the waiting job keeps waiting.
    m_list->stopAll();
    QCOMPARE(stateText(), str("2 4 0"));
    QVERIFY(ffmpegChildren().isEmpty());
    click(jobs[2], "convertButton");
    QTRY_COMPARE_WITH_TIMEOUT(ffmpegChildren().size(), 1, 10000);
    QStringList started;
    connect(jobs[3], &VideoItemData::updateShow, this,
        [&started](VideoItemData* job) { started << QString::number(job->m_nState); });
    QSignalSpy converting(m_list, &VideoListWidget::convertsignal);
    rowOf(jobs[0])->removeAllAction_slots();
    QVERIFY(!started.contains(str("1")));
    QCOMPARE(m_list->jobCount(), 0);
    QCOMPARE(converting.count(), 1);
    QCOMPARE(converting.first().at(0).toBool(), false);
    QTRY_VERIFY_WITH_TIMEOUT(ffmpegChildren().isEmpty(), 3000);
    for (const auto& job : qAsConst(jobs))
        QTRY_VERIFY_WITH_TIMEOUT(job.isNull(), 5000);
    for (MyTableItemWidget* row : m_list->tableList()->itemWidgets())
        QVERIFY(!row->isBound() && !row->isVisible());
}

// 100 jobs convert one after another while the list scrolls up and down:
// every row in view shows its job as it is now, at the job's place. Job 60
// reads its source slowly through a pipe; scrolled away while it gains
// progress and back, its row shows the progress reached.
void TestVideoListWidget::scrolling()
{
    m_choices.m_maxConvertCount = 1;
    const QString folder = TestEnv::makeDir(str("many"));
    QList<VideoItemData*> jobs;
    for (int i = 1; i <= 100; ++i) {
        const QString name = folder + QStringLiteral("/s%1.mkv").arg(i, 3, 10, QLatin1Char('0'));
        QVERIFY(i == 60 ? ::mkfifo(QFile::encodeName(name).constData(), 0600) == 0 : QFile::copy(m_clip, name));
        jobs << addReal(name, i == 60 ? m_media + str("/long.mkv") : m_clip);
    }
    VideoItemData* slow = jobs[59];
    MyTableListWidget* table = m_list->tableList();

    QStringList faults;
    const auto check = [&](const QString& when) {
        for (MyTableItemWidget* item : table->itemWidgets()) {
            auto* row = static_cast<VideoItemWidget*>(item);
            VideoItemData* job = row->job();
            if (!job || !row->isVisible() || faults.size() >= 20)
                continue;
            const auto text = [row](const char* name) {
                return child(row, name)->isVisibleTo(row) ? child(row, name)->text() : QString();
            };
            const int y = row->mapTo(table, QPoint()).y() - table->viewport()->y() - table->canvas()->y();
            const QString seen = QStringList{QString::number(y), text("fileNameLabel"), text("statusLabel"),
                text("percentLabel"), text("resultLabel")}
                                     .join(QLatin1Char('|'));
            const int s = job->m_nState;
            const QString want
                = QStringList{QString::number(jobs.indexOf(job) * 100), QFileInfo(job->m_sourcePath).completeBaseName(),
                    str(s == 0       ? "Waiting..."
                            : s == 1 ? "Converting..."
                                     : ""),
                    s == 1 ? VideoItemWidget::progressText(job->m_nProgress) : QString(),
                    str(s == 2 ? "Conversion completed" : "")}
                      .join(QLatin1Char('|'));
            if (seen != want)
                faults << when + str(": ") + seen + str(" instead of ") + want;
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
        for (int delta = 1, i = 0; delta != 0 && i < 50; ++i)
            wheel(qBound(-600, delta = -table->canvas()->y() - index * 100, 600));
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

    QProcess* feeder = feed(slow->m_sourcePath);
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
    const QRect track = child(rowOf(slow), "progressTrack")->geometry();
    QCOMPARE(child(rowOf(slow), "percentLabel")->text(), VideoItemWidget::progressText(slow->m_nProgress));
    QCOMPARE(child(rowOf(slow), "progressFill")->width(), slow->m_nProgress * track.width() / 10000);
    QVERIFY(source.bytesAvailable() > 0);

    feeder->write(source.readAll());
    feeder->closeWriteChannel();
    scroller.start(40);
    QTRY_COMPARE_WITH_TIMEOUT(stateText(), str("2 ").repeated(100).trimmed(), 300000);
    scroller.stop();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QCOMPARE(describe(slow->m_outputPath), str("h264 320x240 vorbis 20 s"));
}

MORVAYNE_TEST_MAIN(TestVideoListWidget)
#include "tst_videolistwidget.moc"

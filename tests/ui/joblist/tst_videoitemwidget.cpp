#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"
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

using MyQtCustom::BgIconButton;

namespace {

const qint64 Second = 1000000;

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

// Records what the rows ask of the main window.
class Host : public JobEditorHost
{
public:
    void openTrimEditor(MediaInfo* m, VideoItemWidget* row) override { add("trim", m, row); }
    void openCropEditor(MediaInfo* m, VideoItemWidget* row) override { add("crop", m, row); }
    void openAudioEditor(MediaInfo* m, VideoItemWidget* row) override { add("audio", m, row); }
    QStringList calls;

private:
    void add(const char* editor, MediaInfo* m, VideoItemWidget* row)
    {
        calls << str(editor) + (row->job()->m_pMediaInfo == m ? str(" own") : str(" other"));
    }
};

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
            names << QString::fromLatin1(name).remove(QStringLiteral("Button")).remove(QStringLiteral("Label"));
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

} // namespace

// The job row as the converter page's list shows it: the controls of each
// state, facts, progress, subtitle choices and where its buttons lead.
class TestVideoItemWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { delete m_list; }

    void states_data();
    void states();
    void progress();
    void facts();
    void subtitle();
    void buttons();
    void toolLooks();
    void pictures();

private:
    VideoItemData* add(const QString& name, const QString& format = QStringLiteral("mp4"), int state = -1);
    VideoItemWidget* rowOf(VideoItemData* job)
    {
        m_list->retranslate(); // refreshes every row
        return static_cast<VideoItemWidget*>(m_list->tableList()->searchMyTableItemWidget(job));
    }
    QString menu(VideoItemWidget* row);

    RuntimeChoices m_choices;
    OutputProfile m_profile;
    QString m_thumb;
    VideoListWidget* m_list = nullptr;
};

void TestVideoItemWidget::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    g_appDirPath = TestEnv::appDir();
    m_thumb = TestEnv::makeDir(str("thumb")) + str("/t.bmp");
    QVERIFY(!MediaFactory::make(
        m_thumb, {str("-f"), str("lavfi"), str("-i"), str("testsrc2=s=320x180:d=1"), str("-frames:v"), str("1")})
                 .isEmpty());
}

void TestVideoItemWidget::init()
{
    m_choices.m_skinType = 0;
    m_choices.m_outFolder = TestEnv::makeDir(str("out"));
    m_list = new VideoListWidget;
    m_list->resize(1100, 520);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

// A job for a made-up 100 s source of 1920x1080 H.264 at 4 Mbit/s, 50 MiB.
VideoItemData* TestVideoItemWidget::add(const QString& name, const QString& format, int state)
{
    auto* m = new MediaInfo;
    m->fileSize = 52428800;
    m->duration = 100 * Second;
    m->hasVideo = 1;
    m->width = 1920;
    m->height = 1080;
    m->videoBitrate = 4000000;
    m_profile.format = format;
    if (!m_list->addVideoItem(str("/media/") + name, m, m_thumb, &m_profile, nullptr, QString()))
        return nullptr;
    VideoItemData* job = m_list->jobAt(m_list->jobCount() - 1);
    job->m_nState = state;
    return job;
}

// The context menu's visible entries; an entry that only informs in brackets.
QString TestVideoItemWidget::menu(VideoItemWidget* row)
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

void TestVideoItemWidget::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("subtitle");
    QTest::addColumn<QString>("controls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("menu");
    const auto row = [](const char* name, int state, const char* format, bool subtitle, const char* controls,
                         const char* text, const char* menu = "Remove,Remove All") {
        QTest::newRow(name) << state << str(format) << subtitle << str(controls) << str(text) << str(menu);
    };
    const char* const ready = "delete convert cut crop audio srt srtAdd burnin softcode targetResolution";
    row("ready", -1, "mp4", false, ready, "");
    row("ready, subtitle", -1, "mkv", true, "delete convert cut crop audio srt srtDel burnin softcode targetResolution",
        "");
    row("ready avi, subtitle burnt in", -1, "avi", true,
        "delete convert cut crop audio srt srtDel burnin targetResolution", "");
    row("ready mp3", -1, "mp3", true, "delete convert", "");
    row("waiting", 0, "mp4", true, "delete status targetResolution", "Waiting...");
    row("converting", 1, "mp4", false, "delete loading status progressTrack percent targetResolution", "Converting...");
    row("converting mp3", 1, "mp3", false, "delete loading status progressTrack percent", "Converting...");
    row("completed", 2, "mov", false, "delete open result targetResolution", "Conversion completed",
        "Open,Remove,Remove All");
    row("failed", 3, "mp4", false, "delete result targetResolution", "Conversion failed", "[why],Remove,Remove All");
    row("stopped", 4, "mp4", true, "delete convert targetResolution", "");
    row("unknown", 7, "mp4", false, "targetResolution", "");
}

// Each state shows its controls and nothing more; an AVI job's soft subtitle
// becomes burnt in; a failed job tells why where the failure shows.
void TestVideoItemWidget::states()
{
    QFETCH(int, state);
    QFETCH(QString, format);
    QFETCH(bool, subtitle);
    QFETCH(QString, controls);
    QFETCH(QString, text);
    QFETCH(QString, menu);
    VideoItemData* job = add(str("clip.mov"), format, state);
    if (subtitle)
        job->m_srtPath = str("/media/clip.srt");
    VideoItemWidget* row = rowOf(job);
    QCOMPARE(shown(row), controls);
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
    QCOMPARE(this->menu(row), menu.replace(str("why"), why));
}

// "0" below one hundredth, else percent with two decimals; on a 100 pixel
// track a fill narrower than a pixel is not drawn.
void TestVideoItemWidget::progress()
{
    VideoItemData* job = add(str("clip.mp4"), str("mp4"), 1);
    QStringList seen;
    for (int p : {0, 1, 5, 100, 4567, 9999, 10000}) {
        job->m_nProgress = p;
        VideoItemWidget* row = rowOf(job);
        const QLabel* fill = child(row, "progressFill");
        QCOMPARE(fill->geometry().topLeft(), child(row, "progressTrack")->geometry().topLeft());
        seen << child(row, "percentLabel")->text() + QLatin1Char('/')
                + QString::number(fill->isVisibleTo(row) ? fill->width() : 0);
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), str("0%/0 00.01%/0 00.05%/0 01.00%/1 45.67%/45 99.99%/99 100.00%/100"));
    QCOMPARE(child(rowOf(job), "progressTrack")->width(), 100);
}

// Trims shorten the target, crops resize it (a trim end of 0 is the whole
// file); closing an editor re-estimates the size; MP3 has no resolution.
void TestVideoItemWidget::facts()
{
    const auto facts = [this](VideoItemData* job) -> QString {
        VideoItemWidget* row = rowOf(job);
        QStringList texts{child(row, "fileNameLabel")->text()};
        for (const char* side : {"source", "target"})
            for (const char* kind : {"Format", "Duration", "Size", "Resolution"})
                texts << child(row, qPrintable(str(side) + str(kind)))->text();
        return texts.join(QLatin1Char(' '));
    };
    VideoItemData* plain = add(str("holiday.2024.mov"));
    QCOMPARE(facts(plain), str("holiday.2024 MOV 00:01:40 50.00 M 1920X1080 MP4 00:01:40 50.74 M 1920X1080"));

    VideoItemData* edited = add(str("b.mkv"));
    MediaInfo* m = edited->m_pMediaInfo;
    m->trimStart = 10 * Second;
    m->trimEnd = 40 * Second;
    m->cropX = 320;
    m->cropWidth = 1280;
    m->cropHeight = 720;
    rowOf(edited)->updateSizeEstimate(); // 30 s at 4.256 Mbit/s
    QCOMPARE(facts(edited), str("b MKV 00:01:40 50.00 M 1920X1080 MP4 00:00:30 15.22 M 1280X720"));
    // A tool shows checked while its edit is in effect.
    QStringList checked;
    for (VideoItemData* job : {plain, edited})
        for (const char* tool : {"cutButton", "cropButton", "audioButton"})
            checked << QString::number(child<BgIconButton>(rowOf(job), tool)->isChecked());
    QCOMPARE(checked.join(QString()), str("000110"));

    m_profile.format = str("mp3");
    m_list->setAllOutputProfile(&m_profile);
    QCOMPARE(facts(edited), str("b MKV 00:01:40 50.00 M 1920X1080 MP3 00:00:30 15.22 M 1280X720"));
    QVERIFY(!child(rowOf(edited), "targetResolution")->isVisibleTo(rowOf(edited)));
}

// The subtitle dialog starts in the remembered folder and remembers the one
// chosen; cancelling changes nothing. Burn-In acts only with a subtitle, and
// then for every job not started yet.
void TestVideoItemWidget::subtitle()
{
    QStringList asked;
    QString answer;
    VideoItemWidget::setFileChooser([&](QWidget*, const QString& title, const QString& folder, const QString& filter) {
        asked << title + QLatin1Char('|') + folder + QLatin1Char('|') + filter;
        return answer;
    });
    const auto restore = qScopeGuard([] { VideoItemWidget::setFileChooser({}); });
    const QString folder = TestEnv::makeDir(str("subs"));

    VideoItemData* job = add(str("a.mp4"));
    QList<VideoItemData*> others;
    for (int state : {0, 1, 2, 3, 4, -1})
        others << add(QStringLiteral("%1.mp4").arg(others.size()), str("mp4"), state);
    VideoItemWidget* row = rowOf(job);
    QSignalSpy changed(row, &VideoItemWidget::srtStatusChange);
    QTest::mouseClick(child<QRadioButton>(row, "burninButton"), Qt::LeftButton);
    QTest::mouseClick(child(row, "srtLabel"), Qt::LeftButton); // cancelled
    QVERIFY(changed.isEmpty() && job->m_srtPath.isEmpty());
    answer = folder + str("/film.srt");
    row->srt_addButton_slots();
    QCOMPARE(job->m_srtPath, answer);
    QCOMPARE(QSettings(SettingKeys::Organisation, SettingKeys::Application).value(SettingKeys::AddSubtitlePath),
        QVariant(folder + QLatin1Char('/')));
    row->srt_addButton_slots();
    const QString documents = QDir::homePath() + str("/Documents/Quillfen/Morvayne|subtitle (*.srt)");
    QCOMPARE(asked,
        QStringList({str("Open File|") + documents, str("Open File|") + documents,
            str("Open File|") + folder + str("/|subtitle (*.srt)")}));

    QTest::mouseClick(child<QRadioButton>(row, "burninButton"), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QStringList soft;
    for (VideoItemData* j : QList<VideoItemData*>{job} + others)
        soft << QStringLiteral("%1:%2").arg(j->m_nState).arg(j->m_bSoftSubtitle);
    QCOMPARE(soft.join(QLatin1Char(' ')), str("-1:0 0:0 1:1 2:1 3:1 4:1 -1:0"));
    QVERIFY(!child<QRadioButton>(rowOf(job), "softcodeButton")->isChecked());

    QTest::mouseClick(child<BgIconButton>(rowOf(job), "srtDelButton"), Qt::LeftButton);
    QVERIFY(job->m_srtPath.isEmpty() && job->m_bSoftSubtitle);
    QCOMPARE(shown(rowOf(job)), str("delete convert cut crop audio srt srtAdd burnin softcode targetResolution"));
}

// The editing tools reach the main window only for a ready job; "Open" shows
// the output's folder through the platform's opener; the convert button
// hands the job to the list.
void TestVideoItemWidget::buttons()
{
    VideoItemData* job = add(str("a.mp4"));
    VideoItemWidget* row = rowOf(job);
    row->cutvButton_slots(); // no main window yet: nothing happens
    Host host;
    host.makeCurrent();
    for (const char* tool : {"cutButton", "cropButton", "audioButton"})
        QTest::mouseClick(child<QWidget>(row, tool), Qt::LeftButton);
    job->m_nState = 0;
    row->cropvButton_slots();
    QCOMPARE(host.calls, QStringList({str("trim own"), str("crop own"), str("audio own")}));

    TestEnv::clearOpenedUrls();
    job->m_nState = 2;
    row->ctr_openButton_slots(); // no output yet
    job->m_outputPath = str("/srv/out put/a (0).mp4");
    QTest::mouseClick(child<QWidget>(rowOf(job), "openButton"), Qt::LeftButton);
    row->openAction_slots();
    QCOMPARE(TestEnv::openedUrls(), QList<QUrl>({QUrl(str("file:///srv/out put")), QUrl(str("file:///srv/out put"))}));

    job->m_nState = -1;
    QSignalSpy convert(rowOf(job), &VideoItemWidget::updateConvert);
    QTest::mouseClick(child<QWidget>(row, "convertButton"), Qt::LeftButton);
    QCOMPARE(convert.count(), 1);
    QCOMPARE(job->m_nState, 1); // waiting, then started by the list
    QCOMPARE(shown(row), str("delete loading status progressTrack percent targetResolution"));
}

// On either skin hover stands out more than the normal look and the
// disabled look least; a checked tool is plainly visible.
void TestVideoItemWidget::toolLooks()
{
    for (int skin : {0, 1}) {
        m_choices.m_skinType = skin;
        m_list->applySkin();
        auto* tool = child<BgIconButton>(rowOf(add(str("a.mp4"))), "cutButton");
        const QColor ground = skin == 1 ? QColor(0x20, 0x21, 0x24) : QColor(0xff, 0xff, 0xff);
        const auto look = [&] { return contrast(tool->iconLabel()->pixmap(Qt::ReturnByValue), ground); };
        const double normal = look();
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(tool, &enter);
        const double hover = look();
        QApplication::sendEvent(tool, &leave);
        tool->setChecked(true);
        const double checked = look();
        tool->setEnabled(false);
        const double disabled = look();
        const QString what = QStringLiteral("skin %1: normal %2 hover %3 disabled %4 checked %5")
                                 .arg(skin)
                                 .arg(normal)
                                 .arg(hover)
                                 .arg(disabled)
                                 .arg(checked);
        QVERIFY2(hover > normal && normal > disabled && checked > disabled && checked >= 60, qPrintable(what));
        tool->setEnabled(true);
        m_list->ItemWidgetRemoveAllItem_slots();
    }
}

// A job in every state, in both skins: nothing overlaps, leaves its row or
// cuts its text. With MORVAYNE_RENDER_DIR set the lists are saved to look at.
void TestVideoItemWidget::pictures()
{
    const QString renderDir = QString::fromLocal8Bit(qgetenv("MORVAYNE_RENDER_DIR"));
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
            if (job->m_sourcePath.contains(QLatin1String("subtitle")))
                job->m_srtPath = str("/home/user/Videos/subtitles/With subtitle.en.srt");
            if (job->m_sourcePath.contains(QLatin1String("Trimmed"))) {
                job->m_pMediaInfo->trimStart = 12 * Second;
                job->m_pMediaInfo->trimEnd = 72 * Second;
                job->m_pMediaInfo->cropWidth = 1280;
                job->m_pMediaInfo->cropHeight = 720;
            }
        }
        for (int i = 0; i < m_list->jobCount(); ++i) {
            VideoItemWidget* row = rowOf(m_list->jobAt(i));
            QList<QWidget*> visible;
            for (QWidget* w : row->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisibleTo(row) && w->objectName() != QLatin1String("progressFill"))
                    visible << w;
            for (QWidget* w : qAsConst(visible)) {
                const QString where = QStringLiteral("skin %1, %2, %3: ").arg(skin).arg(i).arg(w->objectName());
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
        if (!renderDir.isEmpty())
            QVERIFY(QDir().mkpath(renderDir)
                && m_list->grab().save(renderDir + (skin == 1 ? str("/joblist-dark.png") : str("/joblist-light.png"))));
        m_list->ItemWidgetRemoveAllItem_slots();
    }
}

MORVAYNE_TEST_MAIN(TestVideoItemWidget)
#include "tst_videoitemwidget.moc"

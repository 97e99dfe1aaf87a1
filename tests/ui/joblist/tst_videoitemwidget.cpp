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

#include <algorithm>

using MyQtCustom::BgIconButton;

namespace {

const qint64 Second = 1000000;

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

// A record as the probe makes one: 100 s of 1920x1080 H.264 at 4 Mbit/s.
MediaInfo* record(const QString& path)
{
    auto* m = new MediaInfo;
    m->filePath = path;
    m->fileSize = 52428800;
    m->duration = 100 * Second;
    m->hasVideo = 1;
    m->width = 1920;
    m->height = 1080;
    m->videoBitrate = 4000000;
    m->videoCodec = QStringLiteral("h264");
    m->hasAudio = 1;
    m->audioCodec = QStringLiteral("aac");
    return m;
}

// Records what the rows ask of the main window.
class Host : public JobEditorHost
{
public:
    void openTrimEditor(MediaInfo* m, VideoItemWidget* row) override { calls << call("trim", m, row); }
    void openCropEditor(MediaInfo* m, VideoItemWidget* row) override { calls << call("crop", m, row); }
    void openAudioEditor(MediaInfo* m, VideoItemWidget* row) override { calls << call("audio", m, row); }
    QStringList calls;

private:
    static QString call(const char* editor, MediaInfo* m, VideoItemWidget* row)
    {
        return QStringLiteral("%1 %2").arg(str(editor), row->job()->m_pMediaInfo == m ? str("own") : str("other"));
    }
};

template<typename T>
T* child(QWidget* row, const char* name)
{
    T* w = row->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

QLabel* label(QWidget* row, const char* name)
{
    return child<QLabel>(row, name);
}

// The colour of the most opaque pixel of a picture.
QColor inkOf(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QRgb best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > qAlpha(best))
                best = image.pixel(x, y);
    return QColor::fromRgb(best);
}

double luma(const QColor& c)
{
    return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue();
}

// Controls a person can see, by name, in one text.
const char* const Controls[] = {"deleteButton", "convertButton", "openButton", "loadingLabel", "statusLabel",
    "progressTrack", "percentLabel", "resultIcon", "resultLabel", "cutButton", "cropButton", "audioButton", "srtLabel",
    "srtAddButton", "srtDelButton", "burninButton", "softcodeButton", "targetResolution"};

QString shown(QWidget* row)
{
    QStringList names;
    for (const char* name : Controls) {
        if (row->findChild<QWidget*>(QLatin1String(name))->isVisibleTo(row))
            names << QString::fromLatin1(name).remove(QStringLiteral("Button")).remove(QStringLiteral("Label"));
    }
    return names.join(QLatin1Char(' '));
}

} // namespace

// The job row: what each state shows, the facts, progress, subtitle choices,
// the context menu, and where its buttons lead. Rows are shown in a list as
// the converter page shows them.
class TestVideoItemWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void states_data();
    void states();
    void progress_data();
    void progress();
    void facts();
    void contextMenu();
    void subtitle();
    void buttons();
    void toolColours();
    void pictures();

private:
    VideoItemData* add(const QString& name, const QString& format = QStringLiteral("mp4"));
    VideoItemWidget* rowOf(VideoItemData* job)
    {
        return static_cast<VideoItemWidget*>(m_list->tableList()->searchMyTableItemWidget(job));
    }
    void refresh() { m_list->retranslate(); }
    QStringList menuEntries(VideoItemWidget* row);

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
    m_thumb = TestEnv::makeDir(QStringLiteral("thumb")) + QStringLiteral("/t.bmp");
    QVERIFY(!MediaFactory::make(m_thumb,
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc2=s=320x180:d=1"), QStringLiteral("-frames:v"), QStringLiteral("1")})
                 .isEmpty());
}

void TestVideoItemWidget::init()
{
    m_choices.m_skinType = 0;
    m_choices.m_outFolder = TestEnv::makeDir(QStringLiteral("out"));
    m_profile.format = QStringLiteral("mp4");
    m_list = new VideoListWidget;
    m_list->resize(1100, 520);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void TestVideoItemWidget::cleanup()
{
    delete m_list;
    m_list = nullptr;
}

VideoItemData* TestVideoItemWidget::add(const QString& name, const QString& format)
{
    m_profile.format = format;
    const QString path = QStringLiteral("/media/") + name;
    if (!m_list->addVideoItem(path, record(path), m_thumb, &m_profile, nullptr, QString()))
        return nullptr;
    return m_list->jobAt(m_list->jobCount() - 1);
}

void TestVideoItemWidget::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("subtitle");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");
    const auto row = [](const char* name, int state, const char* format, bool subtitle, const char* expected,
                         const char* status = "") {
        QTest::newRow(name) << state << str(format) << subtitle << str(expected) << str(status);
    };
    row("ready", -1, "mp4", false, "delete convert cut crop audio srt srtAdd burnin softcode targetResolution");
    row("ready with subtitle", -1, "mkv", true, "delete convert cut crop audio srt srtDel burnin softcode "
                                                 "targetResolution");
    row("ready avi with subtitle", -1, "avi", true, "delete convert cut crop audio srt srtDel burnin "
                                                     "targetResolution");
    row("ready mp3", -1, "mp3", true, "delete convert");
    row("waiting", 0, "mp4", true, "delete status targetResolution", "Waiting...");
    row("converting", 1, "mp4", false, "delete loading status progressTrack percent targetResolution",
        "Converting...");
    row("converting mp3", 1, "mp3", false, "delete loading status progressTrack percent", "Converting...");
    row("completed", 2, "mov", false, "delete open resultIcon result targetResolution", "Conversion completed");
    row("failed", 3, "mp4", false, "delete resultIcon result targetResolution", "Conversion failed");
    row("stopped", 4, "mp4", true, "delete convert targetResolution");
    row("unknown", 7, "mp4", false, "targetResolution");
}

// Each state shows its own controls and nothing else; a soft subtitle of an
// AVI job becomes burnt in.
void TestVideoItemWidget::states()
{
    QFETCH(int, state);
    QFETCH(QString, format);
    QFETCH(bool, subtitle);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    VideoItemData* job = add(QStringLiteral("clip.mov"), format);
    job->m_nState = state;
    if (subtitle)
        job->m_srtPath = QStringLiteral("/media/clip.srt");
    refresh();
    VideoItemWidget* row = rowOf(job);
    QVERIFY(row && row->isVisible());
    QCOMPARE(shown(row), expected);
    const QLabel* text = state == 2 || state == 3 ? label(row, "resultLabel") : label(row, "statusLabel");
    if (!status.isEmpty())
        QCOMPARE(text->text(), status);
    QCOMPARE(label(row, "loadingLabel")->movie()->state() == QMovie::Running, state == 1);

    auto* burnin = child<QRadioButton>(row, "burninButton");
    auto* softcode = child<QRadioButton>(row, "softcodeButton");
    QCOMPARE(burnin->isEnabled(), subtitle);
    QCOMPARE(burnin->isChecked(), subtitle && format == QLatin1String("avi"));
    QCOMPARE(softcode->isChecked(), subtitle && format != QLatin1String("avi"));
    QCOMPARE(job->m_bSoftSubtitle, format != QLatin1String("avi"));
    QCOMPARE(label(row, "srtLabel")->toolTip(), subtitle ? str("/media/clip.srt") : str("Add subtitle"));
    if (state == 3) // the reason shows where the failure does
        QCOMPARE(label(row, "resultLabel")->toolTip(),
            job->failureReason().isEmpty() ? str("Conversion failed") : job->failureReason());
}

void TestVideoItemWidget::progress_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fill");
    // On a track of 100 pixels a fill narrower than one pixel is not drawn.
    QTest::newRow("none") << 0 << str("0%") << 0;
    QTest::newRow("one hundredth") << 1 << str("00.01%") << 0;
    QTest::newRow("five hundredths") << 5 << str("00.05%") << 0;
    QTest::newRow("a hundredth of the track") << 100 << str("01.00%") << 1;
    QTest::newRow("between") << 4567 << str("45.67%") << 45;
    QTest::newRow("almost") << 9999 << str("99.99%") << 99;
    QTest::newRow("done") << 10000 << str("100.00%") << 100;
}

void TestVideoItemWidget::progress()
{
    QFETCH(int, progress);
    QFETCH(QString, text);
    QFETCH(int, fill);
    VideoItemData* job = add(QStringLiteral("clip.mp4"));
    job->m_nState = 1;
    job->m_nProgress = progress;
    refresh();
    VideoItemWidget* row = rowOf(job);
    QCOMPARE(label(row, "percentLabel")->text(), text);
    const QRect track = label(row, "progressTrack")->geometry();
    QCOMPARE(track.width(), 100);
    const QLabel* bar = label(row, "progressFill");
    QCOMPARE(bar->isVisibleTo(row) ? bar->width() : 0, fill);
    if (fill > 0)
        QCOMPARE(bar->geometry(), QRect(track.topLeft(), QSize(fill, track.height())));
}

// Source and target facts: trims shorten the target, crops resize it; a
// trim end of 0 means the whole file. Editors close with a new estimate.
void TestVideoItemWidget::facts()
{
    const auto facts = [this](VideoItemData* job) -> QString {
        refresh();
        VideoItemWidget* row = rowOf(job);
        QStringList texts;
        for (const char* side : {"source", "target"}) {
            for (const char* kind : {"Format", "Duration", "Size", "Resolution"})
                texts << label(row, qPrintable(str(side) + str(kind)))->text();
        }
        return texts.join(QLatin1Char(' ')) + QLatin1String(" | ") + label(row, "fileNameLabel")->text();
    };
    VideoItemData* plain = add(QStringLiteral("holiday.2024.mov"));
    QCOMPARE(facts(plain), str("MOV 00:01:40 50.00 M 1920X1080 MP4 00:01:40 50.74 M 1920X1080 | holiday.2024"));

    VideoItemData* edited = add(QStringLiteral("b.mkv"));
    MediaInfo* m = edited->m_pMediaInfo;
    m->trimStart = 10 * Second;
    m->trimEnd = 40 * Second;
    m->cropX = 320;
    m->cropWidth = 1280;
    m->cropHeight = 720;
    rowOf(edited)->updateSizeEstimate();
    // 30 s at 4.256 Mbit/s.
    QCOMPARE(facts(edited), str("MKV 00:01:40 50.00 M 1920X1080 MP4 00:00:30 15.22 M 1280X720 | b"));
    QVERIFY(child<BgIconButton>(rowOf(edited), "cutButton")->isChecked());
    QVERIFY(child<BgIconButton>(rowOf(edited), "cropButton")->isChecked());
    QVERIFY(!child<BgIconButton>(rowOf(edited), "audioButton")->isChecked());
    QVERIFY(!child<BgIconButton>(rowOf(plain), "cutButton")->isChecked());

    m_profile.format = QStringLiteral("mp3");
    m_list->setAllOutputProfile(&m_profile);
    QCOMPARE(facts(edited), str("MKV 00:01:40 50.00 M 1920X1080 MP3 00:00:30 15.22 M 1280X720 | b"));
    QVERIFY(!label(rowOf(edited), "targetResolution")->isVisibleTo(rowOf(edited)));
}

QStringList TestVideoItemWidget::menuEntries(VideoItemWidget* row)
{
    QStringList entries;
    QTimer::singleShot(0, this, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions()) {
            if (action->isVisible())
                entries << action->text() + (action->isEnabled() ? QString() : str(" (info)"));
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), row->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(row, &event);
    return entries;
}

// "Open" only for a completed job; a failed one names its reason first.
void TestVideoItemWidget::contextMenu()
{
    VideoItemData* job = add(QStringLiteral("a.mp4"));
    QStringList seen;
    for (int state : {-1, 0, 1, 2, 3, 4}) {
        job->m_nState = state;
        refresh();
        seen << QString::number(state) + QLatin1Char(':') + menuEntries(rowOf(job)).join(QLatin1Char(','));
    }
    const QString reason = job->failureReason().isEmpty() ? str("Conversion failed") : job->failureReason();
    QCOMPARE(seen,
        QStringList({str("-1:Remove,Remove All"), str("0:Remove,Remove All"), str("1:Remove,Remove All"),
            str("2:Open,Remove,Remove All"), str("3:") + reason + str(" (info),Remove,Remove All"),
            str("4:Remove,Remove All")}));

    // Remove and Remove All reach the list: the job stopped first, then gone.
    QSignalSpy removeAll(rowOf(job), &VideoItemWidget::signal_removeAllAction);
    rowOf(job)->removeAllAction_slots();
    QCOMPARE(removeAll.count(), 1);
    QCOMPARE(m_list->jobCount(), 0);
}

// The subtitle file comes from a dialog that starts in the remembered folder
// and remembers the chosen one; cancelling changes nothing. Burn-In and
// Softcode act only while there is a subtitle.
void TestVideoItemWidget::subtitle()
{
    QStringList asked;
    QString answer;
    VideoItemWidget::setFileChooser(
        [&asked, &answer](QWidget*, const QString& caption, const QString& folder, const QString& filter) {
            asked << caption + QLatin1Char('|') + folder + QLatin1Char('|') + filter;
            return answer;
        });
    const auto restore = qScopeGuard([] { VideoItemWidget::setFileChooser({}); });
    const QString folder = TestEnv::makeDir(QStringLiteral("subs"));

    VideoItemData* job = add(QStringLiteral("a.mp4"));
    VideoItemWidget* row = rowOf(job);
    QSignalSpy changed(row, &VideoItemWidget::srtStatusChange);
    QTest::mouseClick(child<QRadioButton>(row, "burninButton"), Qt::LeftButton);
    QCOMPARE(changed.count(), 0);
    QVERIFY(job->m_bSoftSubtitle);

    QTest::mouseClick(label(row, "srtLabel"), Qt::LeftButton); // cancelled
    QCOMPARE(job->m_srtPath, QString());
    answer = folder + QStringLiteral("/film.srt");
    row->srt_addButton_slots();
    QCOMPARE(job->m_srtPath, answer);
    QCOMPARE(QSettings(SettingKeys::Organisation, SettingKeys::Application).value(SettingKeys::AddSubtitlePath).toString(), folder + QLatin1Char('/'));
    row->srt_addButton_slots();
    const QString documents = QDir::homePath() + QStringLiteral("/Documents/Quillfen/Morvayne");
    QCOMPARE(asked,
        QStringList({str("Open File|") + documents + str("|subtitle (*.srt)"),
            str("Open File|") + documents + str("|subtitle (*.srt)"),
            str("Open File|") + folder + str("/|subtitle (*.srt)")}));
    QVERIFY(child<QRadioButton>(row, "softcodeButton")->isChecked());

    QTest::mouseClick(child<QRadioButton>(row, "burninButton"), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!job->m_bSoftSubtitle);
    QVERIFY(child<QRadioButton>(row, "burninButton")->isChecked());
    QVERIFY(!child<QRadioButton>(row, "softcodeButton")->isChecked());

    QTest::mouseClick(child<BgIconButton>(row, "srtDelButton"), Qt::LeftButton);
    QCOMPARE(job->m_srtPath, QString());
    QVERIFY(job->m_bSoftSubtitle);
    QCOMPARE(shown(row), str("delete convert cut crop audio srt srtAdd burnin softcode targetResolution"));
}

// The editing tools reach the main window only for a ready job; the open
// button shows the output's folder through the platform's opener.
void TestVideoItemWidget::buttons()
{
    VideoItemData* job = add(QStringLiteral("a.mp4"));
    VideoItemWidget* row = rowOf(job);
    row->cutvButton_slots(); // no main window yet: nothing happens
    Host host;
    host.makeCurrent();
    for (const char* tool : {"cutButton", "cropButton", "audioButton"})
        QTest::mouseClick(child<BgIconButton>(row, tool), Qt::LeftButton);
    job->m_nState = 0;
    row->cropvButton_slots();
    QCOMPARE(host.calls, QStringList({str("trim own"), str("crop own"), str("audio own")}));

    TestEnv::clearOpenedUrls();
    job->m_nState = 2;
    row->ctr_openButton_slots(); // no output yet
    job->m_outputPath = QStringLiteral("/srv/out put/a (0).mp4");
    refresh();
    QTest::mouseClick(child<QWidget>(row, "openButton"), Qt::LeftButton);
    row->openAction_slots();
    QCOMPARE(TestEnv::openedUrls(),
        QList<QUrl>({QUrl(str("file:///srv/out put")), QUrl(str("file:///srv/out put"))}));

    job->m_nState = -1;
    refresh();
    QSignalSpy convert(row, &VideoItemWidget::updateConvert);
    QTest::mouseClick(child<QWidget>(row, "convertButton"), Qt::LeftButton);
    QCOMPARE(convert.count(), 1);
    QCOMPARE(job->m_nState, 1); // waiting, then started by the list
    QCOMPARE(shown(row), str("delete loading status progressTrack percent targetResolution"));
}

// On either skin hover stands out more than the normal look, the disabled
// look least of all, and a checked tool is plainly visible.
void TestVideoItemWidget::toolColours()
{
    for (int skin : {0, 1}) {
        m_choices.m_skinType = skin;
        m_list->applySkin();
        VideoItemData* job = add(QStringLiteral("a.mp4"));
        auto* tool = child<BgIconButton>(rowOf(job), "cutButton");
        const QColor ground = skin == 1 ? QColor(0x20, 0x21, 0x24) : QColor(0xff, 0xff, 0xff);
        const auto contrast = [&]() { return qAbs(luma(inkOf(tool->iconLabel()->pixmap(Qt::ReturnByValue))) - luma(ground)); };
        const double normal = contrast();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(tool, &enter);
        const double hover = contrast();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(tool, &leave);
        tool->setChecked(true);
        const double checked = contrast();
        const QColor checkedInk = inkOf(tool->iconLabel()->pixmap(Qt::ReturnByValue));
        tool->setChecked(false);
        tool->setEnabled(false);
        const double disabled = contrast();
        const QString what = QStringLiteral("skin %1: normal %2 hover %3 disabled %4 checked %5")
                                 .arg(skin)
                                 .arg(normal)
                                 .arg(hover)
                                 .arg(disabled)
                                 .arg(checked);
        QVERIFY2(hover > normal && normal > disabled && checked > disabled, qPrintable(what));
        QVERIFY2(checked >= 60 || checkedInk.saturation() > 128, qPrintable(what));
        tool->setEnabled(true);
        m_list->ItemWidgetRemoveAllItem_slots();
    }
}

// A list with a job in every state, in both skins: nothing overlaps, nothing
// leaves its row and every text fits its label. With MORVAYNE_RENDER_DIR set
// the lists are also saved as pictures to look at.
void TestVideoItemWidget::pictures()
{
    const QString renderDir = QString::fromLocal8Bit(qgetenv("MORVAYNE_RENDER_DIR"));
    for (int skin : {0, 1}) {
        m_choices.m_skinType = skin;
        m_list->applySkin();
        m_list->resize(1100, 9 * 100 + 2);
        struct Job
        {
            const char* name;
            const char* format;
            int state;
            const char* edits;
        };
        const Job jobs[] = {{"Ready to go.mp4", "mp4", -1, ""},
            {"Waiting in line.mov", "mp4", 0, ""}, {"Converting now.mkv", "mp4", 1, ""},
            {"Finished holiday film.mp4", "mp4", 2, ""}, {"Broken upload.avi", "mp4", 3, ""},
            {"Stopped halfway.mp4", "mp4", 4, ""}, {"With subtitle.mp4", "mkv", -1, "srt"},
            {"Song of the evening.mp3", "mp3", -1, "audio"}, {"Trimmed and cropped.mov", "mov", -1, "trim crop"}};
        for (const Job& j : jobs) {
            VideoItemData* job = add(str(j.name), str(j.format));
            job->m_nState = j.state;
            job->m_nProgress = 4567;
            job->m_outputPath = QStringLiteral("/out/x.mp4");
            if (j.state == 2)
                job->m_sizeText = QStringLiteral("48.20 M");
            const QString edits = str(j.edits);
            if (edits.contains(QLatin1String("srt")))
                job->m_srtPath = QStringLiteral("/home/user/Videos/subtitles/With subtitle.en.srt");
            if (edits.contains(QLatin1String("audio")))
                job->m_pMediaInfo->hasVideo = 0;
            if (edits.contains(QLatin1String("trim"))) {
                job->m_pMediaInfo->trimStart = 12 * Second;
                job->m_pMediaInfo->trimEnd = 72 * Second;
                job->m_pMediaInfo->cropWidth = 1280;
                job->m_pMediaInfo->cropHeight = 720;
            }
            job->setOutputProfile(&m_profile);
            job->m_nState = j.state; // the format's reset undone
        }
        refresh();
        for (int i = 0; i < m_list->jobCount(); ++i) {
            VideoItemWidget* row = rowOf(m_list->jobAt(i));
            QVERIFY(row);
            QList<QWidget*> visible;
            for (QWidget* w : row->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (w->isVisibleTo(row) && w->objectName() != QLatin1String("progressFill"))
                    visible << w;
            }
            for (QWidget* w : qAsConst(visible)) {
                const QString where = QStringLiteral("skin %1, %2, %3").arg(skin).arg(str(jobs[i].name), w->objectName());
                QVERIFY2(row->rect().contains(w->geometry()), qPrintable(where + str(" leaves the row")));
                for (QWidget* other : qAsConst(visible)) {
                    QVERIFY2(other == w || !w->geometry().intersects(other->geometry()),
                        qPrintable(where + str(" overlaps ") + other->objectName()));
                }
                if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
                    QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(),
                        qPrintable(where + str(" cuts its text ") + l->text()));
                }
                if (auto* r = qobject_cast<QRadioButton*>(w))
                    QVERIFY2(r->sizeHint().width() <= r->width(), qPrintable(where + str(" cuts its text")));
            }
        }
        if (!renderDir.isEmpty()) {
            QDir().mkpath(renderDir);
            QVERIFY(m_list->grab().save(renderDir + QStringLiteral("/joblist-%1.png").arg(str(skin == 1 ? "dark" : "light"))));
        }
        m_list->ItemWidgetRemoveAllItem_slots();
    }
}

MORVAYNE_TEST_MAIN(TestVideoItemWidget)
#include "tst_videoitemwidget.moc"

// Drags use real mouse events; under the offscreen platform QTest only
// delivers moves with a button held when it tracks the mouse itself.
#define QTEST_QPA_MOUSE_HANDLING

#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/toolkitresources.h"
#include "ui/edit/cqtvideorenderwidget.h"
#include "ui/edit/mytimeshowedit.h"
#include "ui/edit/mytrimslider.h"
#include "ui/edit/myvalueshowedit.h"
#include "ui/edit/videoeditaudiowidget.h"
#include "ui/edit/videoeditcropwidget.h"
#include "ui/edit/videoedittrimwidget.h"
#include "ui/edit/vlcplayer.h"

#include <QCheckBox>
#include <QLineEdit>

#include <memory>

namespace {

const qint64 Second = 1000000;

// Stands in for the main window: each editor is made once, on first use,
// over the whole client area, and reused for every job.
class EditorHost : public QWidget
{
public:
    EditorHost() { resize(1140, 672); }

    template <class Editor> Editor* editor(Editor*& slot)
    {
        if (!slot) {
            slot = new Editor(this);
            slot->hide();
            QObject::connect(slot, &VideoEditBase::editorClosed, this, [this](QWidget* row) { closedRows.append(row); });
        }
        return slot;
    }
    VideoEditTrimWidget* trim() { return editor(m_trim); }
    VideoEditCropWidget* crop() { return editor(m_crop); }
    VideoEditAudioWidget* audio() { return editor(m_audio); }

    bool open(VideoEditBase* e, VideoItemData* job, QWidget* row)
    {
        if (!VideoEditBase::canEdit(job->m_nState, job->m_pMediaInfo))
            return false;
        e->setGeometry(rect());
        e->layoutChildren();
        e->applySkin();
        e->retranslate();
        e->loadMedia(job->m_pMediaInfo, row);
        e->show();
        e->raise();
        return true;
    }

    QList<QWidget*> closedRows;

private:
    VideoEditTrimWidget* m_trim = nullptr;
    VideoEditCropWidget* m_crop = nullptr;
    VideoEditAudioWidget* m_audio = nullptr;
};

QImage firstFrame(const QString& media, const QString& png)
{
    MediaFactory::make(png, {QStringLiteral("-i"), media, QStringLiteral("-frames:v"), QStringLiteral("1")});
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// Mean difference of two pictures per colour channel, both brought to 32 x 32.
double difference(const QImage& a, const QImage& b)
{
    const QImage x = a.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int j = 0; j < 32; ++j) {
        for (int i = 0; i < 32; ++i) {
            const QRgb p = x.pixel(i, j);
            const QRgb q = y.pixel(i, j);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (32 * 32 * 3);
}

// Moves a trim handle so that the pointer, holding it by its middle, ends at x.
void dragHandle(MyTrimSlider* slider, bool end, int x)
{
    QWidget* handle = slider->childAt(end ? slider->endMarker() + 7 : slider->startMarker() - 7, 16);
    QVERIFY(handle);
    const QPoint from = handle->geometry().center();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, handle->rect().center());
    QTest::mouseMove(slider, (from + QPoint(x, 16)) / 2);
    QTest::mouseMove(slider, QPoint(x, 16));
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 16));
}

void dragOn(QWidget* w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to);
}

// Types each blank-separated word into its box and confirms it with Enter.
void typeInto(const QList<MyValueShowEdit*>& boxes, const QString& words)
{
    const QStringList values = words.split(QLatin1Char(' '));
    for (int i = 0; i < boxes.size(); ++i) {
        boxes.at(i)->lineEdit()->selectAll();
        QTest::keyClicks(boxes.at(i)->lineEdit(), values.value(i));
        QTest::keyClick(boxes.at(i)->lineEdit(), Qt::Key_Return);
    }
}

void clickButton(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

} // namespace

class TestEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void untouchedTrimLeavesTheJobWhole();
    void endHandleDraggedToFiveSeconds();
    void timeBoxesKeepAValidRange_data();
    void timeBoxesKeepAValidRange();
    void cropIsTheOutputSize_data();
    void cropIsTheOutputSize();
    void previewInsideTheBoxIsTheOutput_data();
    void previewInsideTheBoxIsTheOutput();
    void addedTrackReplacesTheOriginal();
    void hiddenEditorIgnoresAnotherPreviewsEnd();
    void stoppingThenDestroyingEditorsIsClean();

private:
    std::unique_ptr<VideoItemData> makeJob(const QString& path);
    QString convert(VideoItemData* job);
    bool waitForControls(VideoEditBase* editor);

    RuntimeChoices m_choices;
    OutputProfile m_profile;
    std::unique_ptr<EditorHost> m_host;
    QString m_media;
    QString m_out;
    QString m_tenSeconds;
    QString m_fraction;
    QString m_still;
    QString m_short;
    int m_jobs = 0;
};

void TestEditors::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    g_appDirPath = TestEnv::appDir();
    VLCPlayer::instance()->setAudioEnabled(false);
    m_media = TestEnv::makeDir(QStringLiteral("media"));
    m_tenSeconds = MediaFactory::videoWithTone(m_media + QStringLiteral("/ten.mp4"), 10);
    // 9.96 s: the banner's whole seconds (9) are shorter than the track.
    m_fraction = MediaFactory::make(m_media + QStringLiteral("/fraction.mp4"),
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=320x240:rate=25:duration=9.96"), QStringLiteral("-pix_fmt"),
            QStringLiteral("yuv420p")});
    // One picture held for 3 s: whatever moment the preview shows, it is this one.
    m_still = MediaFactory::make(m_media + QStringLiteral("/still.mp4"),
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=640x360:rate=25:duration=0.04,tpad=stop_mode=clone:stop_duration=3"),
            QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")});
    m_short = MediaFactory::videoWithTone(m_media + QStringLiteral("/short.mp4"), 2, QStringLiteral("160x120"));
    QVERIFY(!m_tenSeconds.isEmpty() && !m_fraction.isEmpty() && !m_still.isEmpty() && !m_short.isEmpty());
    m_profile.format = QStringLiteral("mp4");
    m_host = std::make_unique<EditorHost>();
    m_host->show();
}

void TestEditors::init()
{
    m_choices.m_outFolder = m_out = TestEnv::makeDir(QStringLiteral("out%1").arg(++m_jobs));
}

std::unique_ptr<VideoItemData> TestEditors::makeJob(const QString& path)
{
    GetMediaInfoThread worker;
    worker.m_filePath = path;
    worker.m_thumbPath = m_media + QStringLiteral("/thumb%1.jpg").arg(++m_jobs);
    worker.start();
    worker.wait();
    auto job = std::make_unique<VideoItemData>();
    job->m_sourcePath = path;
    job->m_pMediaInfo = worker.takeMediaInfo().release();
    job->m_pProbeInfo = worker.takeProbeInfo().release();
    job->setOutputProfile(&m_profile);
    return job;
}

QString TestEditors::convert(VideoItemData* job)
{
    QSignalSpy finished(job, &VideoItemData::updateFinished);
    job->startConvert();
    if (!finished.wait(180000) || job->m_nState != VideoItemData::Completed)
        return QString();
    return job->m_outputPath;
}

bool TestEditors::waitForControls(VideoEditBase* editor)
{
    QElapsedTimer t;
    t.start();
    while (!editor->isControlsLoaded() && t.elapsed() < 20000)
        QTest::qWait(20);
    return editor->isControlsLoaded();
}

void TestEditors::untouchedTrimLeavesTheJobWhole()
{
    auto job = makeJob(m_fraction);
    QCOMPARE(job->m_pMediaInfo->duration, 9 * Second);
    QWidget row;
    VideoEditTrimWidget* trim = m_host->trim();
    QVERIFY(m_host->open(trim, job.get(), &row));
    QVERIFY(waitForControls(trim));
    QVERIFY(VLCPlayer::instance()->getLength() > 9 * Second);
    // The handle sits at the end of the track, which means no end cut.
    QCOMPARE(trim->trimSliderWidget()->endMarker(),
        trim->trimSliderWidget()->grooveLeft() + trim->trimSliderWidget()->grooveWidth());
    m_host->closedRows.clear();
    trim->closeButton_slots();
    QVERIFY(!trim->isVisible());
    QVERIFY(!VLCPlayer::instance()->hasPlayer());
    QCOMPARE(m_host->closedRows, QList<QWidget*>{&row});
    // Whole seconds: the end of the track is the record's whole length.
    QCOMPARE(job->m_pMediaInfo->trimStart, 0);
    QCOMPARE(job->m_pMediaInfo->trimEnd, 9 * Second);
    QVERIFY(!job->m_pMediaInfo->isTrimmed());

    const QString out = convert(job.get());
    QVERIFY(!out.isEmpty());
    QVERIFY2(MediaFactory::durationSeconds(out) > 9.9, qPrintable(QString::number(MediaFactory::durationSeconds(out))));
}

void TestEditors::endHandleDraggedToFiveSeconds()
{
    auto job = makeJob(m_tenSeconds);
    QWidget row;
    VideoEditTrimWidget* trim = m_host->trim();
    QVERIFY(m_host->open(trim, job.get(), &row));
    QVERIFY(waitForControls(trim));
    MyTrimSlider* slider = trim->trimSliderWidget();
    dragHandle(slider, true, slider->markerFor(5 * Second) + 7);
    QCOMPARE(job->m_pMediaInfo->trimStart, 0);
    QCOMPARE(job->m_pMediaInfo->trimEnd, 5 * Second);
    QCOMPARE(trim->endEdit()->text(), QStringLiteral("00:00:05"));
    trim->closeButton_slots();
    QCOMPARE(job->m_pMediaInfo->trimEnd, 5 * Second);

    const QString out = convert(job.get());
    QVERIFY(!out.isEmpty());
    const double seconds = MediaFactory::durationSeconds(out);
    // Streams are copied: the cut lands on whole packets.
    QVERIFY2(seconds > 4.9 && seconds < 5.25, qPrintable(QString::number(seconds)));
    const double d = difference(firstFrame(out, m_out + QStringLiteral("/out.png")),
        firstFrame(m_tenSeconds, m_out + QStringLiteral("/source.png")));
    QVERIFY2(d < 4, qPrintable(QString::number(d)));
}

void TestEditors::timeBoxesKeepAValidRange_data()
{
    // Arrow presses on a 10 s clip: S / s start up / down, E / e end up / down.
    QTest::addColumn<QString>("presses");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::newRow("start down at 0") << QStringLiteral("s") << 0ll << 10 * Second;
    QTest::newRow("end up at the length") << QStringLiteral("E") << 0ll << 10 * Second;
    QTest::newRow("end down past the start") << QStringLiteral("SSSeeeeeeeeee") << 3 * Second << 4 * Second;
    QTest::newRow("start up past the end") << QStringLiteral("eeeeeSSSSSSSSS") << 4 * Second << 5 * Second;
    QTest::newRow("one second, the shortest range") << QStringLiteral("SSSSeeeeee") << 4 * Second << 5 * Second;
    QTest::newRow("end down to the first second") << QStringLiteral("eeeeeeeeeeeeee") << 0ll << 1 * Second;
}

void TestEditors::timeBoxesKeepAValidRange()
{
    QFETCH(QString, presses);
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    auto job = makeJob(m_tenSeconds);
    QWidget row;
    VideoEditTrimWidget* trim = m_host->trim();
    QVERIFY(m_host->open(trim, job.get(), &row));
    QVERIFY(waitForControls(trim));
    const MediaInfo& r = *job->m_pMediaInfo;
    for (int i = 0; i < presses.size(); ++i) {
        const QChar c = presses.at(i);
        MyTimeShowEdit* box = c.toLower() == QLatin1Char('s') ? trim->startEdit() : trim->endEdit();
        if (c.isUpper())
            box->uptimeButton_slots();
        else
            box->downtimeButton_slots();
        const QString step = QStringLiteral("press %1 (%2): %3..%4").arg(i).arg(c).arg(r.trimStart).arg(r.trimEnd);
        QVERIFY2(r.trimStart >= 0 && r.trimStart <= r.trimEnd - Second && r.trimEnd <= 10 * Second, qPrintable(step));
        QVERIFY2(r.trimStart % Second == 0 && r.trimEnd % Second == 0, qPrintable(step));
    }
    QCOMPARE(r.trimStart, start);
    QCOMPARE(r.trimEnd, end);
    // The boxes show what is stored; seeking never writes the record.
    QCOMPARE(trim->startEdit()->value(), start);
    QCOMPARE(trim->endEdit()->value(), end);
    trim->harryUpButton_slots();
    QTest::qWait(600);
    QCOMPARE(r.trimStart, start);
    QCOMPARE(r.trimEnd, end);
    trim->closeButton_slots();

    const QString out = convert(job.get());
    QVERIFY(!out.isEmpty());
    const double seconds = MediaFactory::durationSeconds(out);
    const double expected = static_cast<double>(end - start) / Second;
    QVERIFY2(seconds > expected - 0.1 && seconds < expected + 0.25, qPrintable(QStringLiteral("%1 s, expected %2").arg(seconds).arg(expected)));
}

void TestEditors::cropIsTheOutputSize_data()
{
    // "drag" pulls the box's right edge to the middle; otherwise the typed
    // width, height, x and y.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QRect>("stored");
    QTest::newRow("left half") << QStringLiteral("drag") << QRect(0, 0, 320, 360);
    // Even, and inside the picture: y goes no further than 360 - 200.
    QTest::newRow("odd typed values") << QStringLiteral("301 201 33 1000") << QRect(32, 160, 300, 200);
}

void TestEditors::cropIsTheOutputSize()
{
    QFETCH(QString, action);
    QFETCH(QRect, stored);
    auto job = makeJob(m_still);
    QWidget row;
    VideoEditCropWidget* crop = m_host->crop();
    CQtVideoRenderWidget* surface = crop->renderWidget();
    const int framesBefore = surface->frameCount();
    QVERIFY(m_host->open(crop, job.get(), &row));
    const MediaInfo& r = *job->m_pMediaInfo;
    // Opening shows the box round the whole picture.
    QCOMPARE(QRect(r.cropX, r.cropY, r.cropWidth, r.cropHeight), QRect(0, 0, 640, 360));
    if (action == QLatin1String("drag")) {
        QTRY_VERIFY_WITH_TIMEOUT(surface->frameCount() > framesBefore, 20000);
        const QRect box = surface->cropRectSurface();
        // The box's right edge is the surface's last column.
        const QPoint edge(box.x() + box.width() - 2, box.y() + box.height() / 2);
        QTest::mouseMove(surface, edge);
        dragOn(surface, edge, QPoint(box.x() + box.width() / 2, edge.y()));
    } else {
        typeInto({crop->widthEdit(), crop->heightEdit(), crop->xEdit(), crop->yEdit()}, action);
        // An arrow at the limit keeps the rectangle inside.
        crop->yEdit()->uptimeButton_slots();
    }
    QCOMPARE(QRect(r.cropX, r.cropY, r.cropWidth, r.cropHeight), stored);
    QCOMPARE(QRect(crop->xEdit()->value(), crop->yEdit()->value(), crop->widthEdit()->value(), crop->heightEdit()->value()),
        stored);
    crop->closeButton_slots();

    const QString out = convert(job.get());
    QVERIFY(!out.isEmpty());
    const QJsonObject video = MediaFactory::streams(out, QStringLiteral("video")).value(0);
    QCOMPARE(QSize(video.value(QLatin1String("width")).toInt(), video.value(QLatin1String("height")).toInt()),
        stored.size());
}

void TestEditors::previewInsideTheBoxIsTheOutput_data()
{
    // Presses of the picture buttons; the box goes on the top-left quadrant
    // of the source, typed into the boxes.
    QTest::addColumn<QString>("presses");
    QTest::addColumn<int>("rotation");
    QTest::newRow("mirror") << QStringLiteral("x") << 0;
    QTest::newRow("90") << QStringLiteral("R") << 90;
    QTest::newRow("90 + mirror") << QStringLiteral("Rx") << 90;
    QTest::newRow("270 + vertical mirror") << QStringLiteral("Ly") << 270;
    QTest::newRow("180") << QStringLiteral("RR") << 180;
}

void TestEditors::previewInsideTheBoxIsTheOutput()
{
    QFETCH(QString, presses);
    QFETCH(int, rotation);
    auto job = makeJob(m_still);
    QWidget row;
    VideoEditCropWidget* crop = m_host->crop();
    const int framesBefore = crop->renderWidget()->frameCount();
    QVERIFY(m_host->open(crop, job.get(), &row));
    for (const QChar c : presses) {
        clickButton(c == QLatin1Char('x')   ? static_cast<QWidget*>(crop->flipX())
                : c == QLatin1Char('y')     ? static_cast<QWidget*>(crop->flipY())
                : c == QLatin1Char('R')     ? static_cast<QWidget*>(crop->rotateX())
                                            : static_cast<QWidget*>(crop->rotateY()));
    }
    QCOMPARE(job->m_pMediaInfo->rotation, rotation);
    typeInto({crop->widthEdit(), crop->heightEdit(), crop->xEdit(), crop->yEdit()}, QStringLiteral("320 180 0 0"));
    const MediaInfo& r = *job->m_pMediaInfo;
    QCOMPARE(QRect(r.cropX, r.cropY, r.cropWidth, r.cropHeight), QRect(0, 0, 320, 180));

    CQtVideoRenderWidget* surface = crop->renderWidget();
    QTRY_VERIFY_WITH_TIMEOUT(surface->frameCount() > framesBefore + 2, 20000);
    QTest::qWait(100);
    const QImage shot = surface->grab().toImage();
    crop->closeButton_slots();
    // Inside the box, clear of its outline and of the centre cross.
    const QRect box = surface->cropRectSurface();
    const int inset = 12;
    const QImage preview = shot.copy(box.adjusted(inset, inset, -inset, -inset));

    const QString out = convert(job.get());
    QVERIFY(!out.isEmpty());
    const QImage output = firstFrame(out, m_out + QStringLiteral("/out.png"));
    const QSize turned = rotation % 180 ? QSize(180, 320) : QSize(320, 180);
    QCOMPARE(output.size(), turned);
    const double fx = static_cast<double>(output.width()) / box.width();
    const double fy = static_cast<double>(output.height()) / box.height();
    const QRect inner = QRect(0, 0, output.width(), output.height())
                            .adjusted(qRound(inset * fx), qRound(inset * fy), -qRound(inset * fx), -qRound(inset * fy));
    const double same = difference(preview, output.copy(inner));
    const double mirrored = difference(preview, output.mirrored(true, false).copy(inner));
    QVERIFY2(same < 12 && mirrored > 2 * same,
        qPrintable(QStringLiteral("difference %1, against the mirrored output %2").arg(same).arg(mirrored)));
}

void TestEditors::addedTrackReplacesTheOriginal()
{
    const QString track = MediaFactory::tone(m_media + QStringLiteral("/added track.m4a"), 1);
    QVERIFY(!track.isEmpty());
    QStringList asked;
    VideoEditAudioWidget::setFileChooser(
        [&](QWidget*, const QString& title, const QString& folder, const QString& filter) {
            asked << title << folder << filter;
            return asked.size() > 3 ? track : QString(); // the first choice is cancelled
        });
    auto job = makeJob(m_short);
    QWidget row;
    VideoEditAudioWidget* audio = m_host->audio();
    QVERIFY(m_host->open(audio, job.get(), &row));
    audio->selectButton_slots();
    QVERIFY(job->m_pMediaInfo->externalAudioPath.isEmpty());
    QVERIFY(PathServices::getSettingFolder(SettingKeys::AddAudioPath) != m_media + QLatin1Char('/'));
    audio->selectButton_slots();
    QCOMPARE(asked.value(0), QStringLiteral("Add Audio File"));
    QCOMPARE(job->m_pMediaInfo->externalAudioPath, track);
    QCOMPARE(audio->pathText(), track);
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::AddAudioPath), m_media + QLatin1Char('/'));
    clickButton(audio->removeOriginalBox());
    QVERIFY(job->m_pMediaInfo->removeOriginalAudio);
    audio->closeButton_slots();
    VideoEditAudioWidget::setFileChooser(nullptr);

    const QString out = convert(job.get());
    QVERIFY(!out.isEmpty());
    const QList<QJsonObject> sound = MediaFactory::streams(out, QStringLiteral("audio"));
    QCOMPARE(sound.size(), 1);
    const double audioSeconds = sound.first().value(QLatin1String("duration")).toString().toDouble();
    const double videoSeconds
        = MediaFactory::streams(out, QStringLiteral("video")).value(0).value(QLatin1String("duration")).toString().toDouble();
    QVERIFY2(audioSeconds > 0.5 && audioSeconds <= videoSeconds + 0.05,
        qPrintable(QStringLiteral("audio %1 s, video %2 s").arg(audioSeconds).arg(videoSeconds)));
}

void TestEditors::hiddenEditorIgnoresAnotherPreviewsEnd()
{
    auto x = makeJob(m_tenSeconds);
    auto y = makeJob(m_short);
    QWidget rowX;
    QWidget rowY;
    VideoEditTrimWidget* trim = m_host->trim();
    QVERIFY(m_host->open(trim, x.get(), &rowX));
    QVERIFY(waitForControls(trim));
    dragHandle(trim->trimSliderWidget(), false, trim->trimSliderWidget()->markerFor(2 * Second) - 7);
    dragHandle(trim->trimSliderWidget(), true, trim->trimSliderWidget()->markerFor(6 * Second) + 7);
    trim->closeButton_slots();
    const MediaInfo before = *x->m_pMediaInfo;
    QCOMPARE(before.trimStart, 2 * Second);
    QCOMPARE(before.trimEnd, 6 * Second);

    VideoEditAudioWidget* audio = m_host->audio();
    QVERIFY(m_host->open(audio, y.get(), &rowY));
    QSignalSpy ended(VLCPlayer::instance(), &VLCPlayer::playend_signal);
    QVERIFY(ended.wait(20000));
    QTest::qWait(1500);
    // The audio editor restarted its own preview; the hidden trim editor did nothing.
    QVERIFY(VLCPlayer::instance()->currentContext() == audio);
    QCOMPARE(audio->mediaInfo(), y->m_pMediaInfo);
    QVERIFY(!trim->isVisible());
    QVERIFY(!trim->isPreviewing());
    QVERIFY(audio->isPreviewing());
    QCOMPARE(x->m_pMediaInfo->trimStart, before.trimStart);
    QCOMPARE(x->m_pMediaInfo->trimEnd, before.trimEnd);
    QCOMPARE(y->m_pMediaInfo->trimEnd, 0);
    audio->closeButton_slots();
    QCOMPARE(m_host->closedRows.last(), &rowY);
}

void TestEditors::stoppingThenDestroyingEditorsIsClean()
{
    auto job = makeJob(m_short);
    QWidget row;
    const int framesBefore = m_host->crop()->renderWidget()->frameCount();
    QVERIFY(m_host->open(m_host->crop(), job.get(), &row));
    QTRY_VERIFY_WITH_TIMEOUT(m_host->crop()->renderWidget()->frameCount() > framesBefore, 20000);
    // What the main window does on quit: one stop, then its children go.
    VLCPlayer::instance()->stop();
    VLCPlayer::instance()->stop();
    m_host.reset();

    // An editor destroyed while its preview still runs stops it first.
    auto host = std::make_unique<EditorHost>();
    host->show();
    QVERIFY(host->open(host->trim(), job.get(), &row));
    QTRY_VERIFY_WITH_TIMEOUT(host->trim()->renderWidget()->frameCount() > 0, 20000);
    host.reset();
    QVERIFY(!VLCPlayer::instance()->hasPlayer());

    // A picture too flat to show still gets a preview of at least 2 x 2,
    // and the window does not hang on it.
    MediaInfo flat = *job->m_pMediaInfo;
    flat.width = 5000;
    flat.height = 1;
    EditorHost third;
    third.show();
    QElapsedTimer t;
    t.start();
    third.trim()->setGeometry(third.rect());
    third.trim()->layoutChildren();
    third.trim()->loadMedia(&flat, nullptr);
    QVERIFY(VLCPlayer::instance()->hasPlayer());
    QCOMPARE(QSize(VLCPlayer::instance()->frameWidth(), VLCPlayer::instance()->frameHeight()), QSize(760, 2));
    third.trim()->closeButton_slots();
    QVERIFY(t.elapsed() < 5000);

    // A job that has started or has no record opens nothing.
    EditorHost other;
    job->m_nState = VideoItemData::Waiting;
    QVERIFY(!other.open(other.trim(), job.get(), &row));

    m_host = std::make_unique<EditorHost>();
    m_host->show();
}

MORVAYNE_TEST_MAIN(TestEditors)
#include "tst_editors.moc"

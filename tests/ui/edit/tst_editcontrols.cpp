// Drags use real mouse events; under the offscreen platform QTest only
// delivers moves with a button held when it tracks the mouse itself.
#define QTEST_QPA_MOUSE_HANDLING

#include "morvaynetest.h"
#include "probe/mediainfo.h"
#include "toolkit/toolkitresources.h"
#include "ui/edit/cqtvideorenderwidget.h"
#include "ui/edit/editmapping.h"
#include "ui/edit/myslider2.h"
#include "ui/edit/mytimeshowedit.h"
#include "ui/edit/mytrimslider.h"
#include "ui/edit/myvalueshowedit.h"
#include "ui/edit/videoeditbase.h"

#include <QLineEdit>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <limits>
#include <thread>

namespace {

const qint64 Second = 1000000;

void drag(QWidget* w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to);
}

// A frame of four quadrants (red, lime / blue, white) in libvlc's layout.
QByteArray quadrantFrame(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, QColor(255, 0, 0));
    p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(0, 255, 0));
    p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(0, 0, 255));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(255, 255, 255));
    p.end();
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), w * h * 4);
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TestEditControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sliderValuesAndPixels();
    void stepBoxesAtTheirLimits();
    void trimMarkersAndTimesAreInverses();
    void trimHandlesDraggedKeepAValidRange();
    void trimSliderWithEmptyRange();
    void surfaceFramesFromAnotherThread();
    void cropBoxMarksWhatTheOutputKeeps_data();
    void cropBoxMarksWhatTheOutputKeeps();
    void everyZoneDragStaysInsideThePicture_data();
    void everyZoneDragStaysInsideThePicture();
    void editorsOpenOnlyForReadyJobsWithARecord();
};

void TestEditControls::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
}

void TestEditControls::sliderValuesAndPixels()
{
    QWidget host;
    host.resize(300, 40);
    MySlider2 slider(&host);
    slider.setGeometry(10, 10, 210, 20); // 200 pixels of travel
    host.show();

    slider.setRange(0, 100);
    slider.setValue(150);
    QCOMPARE(slider.value(), 100);
    QCOMPARE(slider.handlePixel(), 200);

    // A range far finer than the track: every pixel keeps its value.
    slider.setRange(0, 9996000);
    for (int px = 0; px <= 200; ++px) {
        slider.setPositionPixel(px);
        const qint64 v = slider.value();
        slider.setValue(v);
        QVERIFY2(slider.handlePixel() == px, qPrintable(QStringLiteral("pixel %1 came back at %2").arg(px).arg(slider.handlePixel())));
    }
    // Ranges whose value-times-track products pass 64 bits map as exactly.
    const struct
    {
        qint64 min, max;
        int travel;
        qint64 midValue; // the value of the middle pixel
    } wide[] = {{0, 10 * 3600 * Second, 200, 5 * 3600 * Second},
        {0, std::numeric_limits<qint64>::max() - 1, 200, std::numeric_limits<qint64>::max() / 2},
        {std::numeric_limits<qint64>::min() + 2, std::numeric_limits<qint64>::max(), 4000, 1}};
    for (const auto& row : wide) {
        const QString name = QStringLiteral("range %1..%2").arg(row.min).arg(row.max);
        QVERIFY2(EditMapping::pixelFor(row.max, row.min, row.max, row.travel) == row.travel, qPrintable(name));
        QVERIFY2(EditMapping::pixelFor(row.min, row.min, row.max, row.travel) == 0, qPrintable(name));
        QVERIFY2(EditMapping::valueFor(row.travel, row.min, row.max, row.travel) == row.max, qPrintable(name));
        QVERIFY2(EditMapping::valueFor(0, row.min, row.max, row.travel) == row.min, qPrintable(name));
        QVERIFY2(EditMapping::valueFor(row.travel / 2, row.min, row.max, row.travel) == row.midValue, qPrintable(name));
        for (int px = 0; px <= row.travel; px += row.travel / 40) {
            const qint64 v = EditMapping::valueFor(px, row.min, row.max, row.travel);
            QVERIFY2(EditMapping::pixelFor(v, row.min, row.max, row.travel) == px,
                qPrintable(name + QStringLiteral(": pixel %1").arg(px)));
        }
    }

    // Length still unknown: no division, the handle rests at the left.
    slider.setRange(0, 0);
    slider.setValue(5 * Second);
    slider.setPositionPixel(120);
    QCOMPARE(slider.value(), 0);
    QCOMPARE(slider.handlePixel(), 0);

    // A click on the groove jumps there on release.
    slider.setRange(0, 200);
    QSignalSpy changed(&slider, &MySlider2::CurrentValueChanged);
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(105, 10));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(slider.value(), 100);
}

void TestEditControls::stepBoxesAtTheirLimits()
{
    MyValueShowEdit number;
    number.setRange(0, 299);
    number.setValue(299);
    QSignalSpy numberChanged(&number, &MyValueShowEdit::CurrentValueChanged);
    number.uptimeButton_slots();
    QCOMPARE(number.value(), 299);
    QCOMPARE(numberChanged.count(), 1); // told even when clamped
    number.setValue(0);
    number.downtimeButton_slots();
    QCOMPARE(number.value(), 0);
    QCOMPARE(numberChanged.count(), 2);


    MyTimeShowEdit time;
    time.setValue(0);
    QSignalSpy timeChanged(&time, &MyTimeShowEdit::CurrentValueChanged);
    time.downtimeButton_slots();
    QCOMPARE(time.value(), -1000000); // the owner clamps
    QCOMPARE(timeChanged.count(), 1);
    time.uptimeButton_slots();
    time.uptimeButton_slots();
    QCOMPARE(time.text(), QStringLiteral("00:00:01"));
}

void TestEditControls::trimMarkersAndTimesAreInverses()
{
    QWidget host;
    host.resize(820, 40);
    MyTrimSlider slider(&host);
    slider.setGeometry(0, 0, 790, 30); // groove of 760 pixels from x 15
    slider.m_nTrimStep = Second;
    QCOMPARE(slider.grooveLeft(), 15);
    QCOMPARE(slider.grooveWidth(), 760);
    slider.setRange(0, 10 * Second);

    for (int m = 15; m <= 775; ++m)
        QVERIFY2(slider.markerFor(slider.timeAt(m)) == m, qPrintable(QString::number(m)));
    for (qint64 s = 0; s <= 10; ++s) {
        QCOMPARE(slider.markerFor(s * Second), 15 + static_cast<int>(76 * s));
        QCOMPARE(slider.timeAt(15 + static_cast<int>(76 * s)), s * Second);
    }
    // The far right is the length, never beyond it.
    QCOMPARE(slider.timeAt(775), 10 * Second);
    QCOMPARE(slider.timeAt(790), 10 * Second);
}

void TestEditControls::trimHandlesDraggedKeepAValidRange()
{
    QWidget host;
    host.resize(820, 40);
    MyTrimSlider slider(&host);
    slider.setGeometry(0, 0, 790, 30);
    slider.m_nTrimStep = Second;
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    slider.setRange(0, 10 * Second);
    slider.setTrimRange(0, 10 * Second);
    QSignalSpy trimmed(&slider, &MyTrimSlider::trimValueChanged);
    QSignalSpy position(&slider, &MyTrimSlider::CurrentValueChanged);

    // Handles follow the pointer by their middle: the end handle's marker is
    // 7 pixels left of the pointer, the start handle's 7 right of it.
    QWidget* endHandle = slider.childAt(slider.endMarker() + 7, 16);
    QWidget* startHandle = slider.childAt(slider.startMarker() - 7, 16);
    QVERIFY(endHandle && startHandle && endHandle != startHandle);
    const struct
    {
        const char* step;
        bool end;
        int pointer;
        qint64 stored;
    } script[] = {
        {"end to 5 s", true, 15 + 380 + 7, 5 * Second},
        {"end a little past 5 s rounds to 5 s", true, 15 + 380 + 30 + 7, 5 * Second},
        {"end past the right edge is the length", true, 815, 10 * Second},
        {"start to 3 s", false, 15 + 228 - 7, 3 * Second},
        {"end dragged onto the start stops a second after it", true, 0, 4 * Second},
        {"start dragged past the end stops a second before it", false, 790, 3 * Second},
        {"start back to the left edge", false, -40, 0},
    };
    for (const auto& row : script) {
        QWidget* handle = row.end ? endHandle : startHandle;
        // Pointer positions in the slider's frame: the handle moves under it.
        const QPoint grab = handle->geometry().center();
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, handle->rect().center());
        const QPoint target(row.pointer, 16);
        QTest::mouseMove(&slider, (grab + target) / 2);
        QTest::mouseMove(&slider, target);
        QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, target);
        const qint64 stored = row.end ? slider.m_nTrimEnd : slider.m_nTrimStart;
        QVERIFY2(stored == row.stored, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(row.step)).arg(stored)));
        // Drawn where it is stored, and the drawn place maps back to it.
        const int marker = row.end ? slider.endMarker() : slider.startMarker();
        QVERIFY2(marker == slider.markerFor(stored), row.step);
        QVERIFY2(slider.timeAt(marker) == stored, row.step);
        QVERIFY2(slider.m_nTrimStart <= slider.m_nTrimEnd - Second, row.step);
        QVERIFY2(slider.m_nValue == stored, row.step); // the preview goes to the moved handle
    }
    QVERIFY(trimmed.count() > 7);
    QVERIFY(position.count() > 0);
}

void TestEditControls::trimSliderWithEmptyRange()
{
    QWidget host;
    host.resize(820, 40);
    MyTrimSlider slider(&host);
    slider.setGeometry(0, 0, 790, 30);
    slider.m_nTrimStep = Second;
    host.show();
    slider.setRange(0, 0);
    slider.setValue(3 * Second);
    slider.setTrimRange(2 * Second, 9 * Second);
    slider.setLeftPixel(400);
    slider.setRightPixel(100);
    slider.setPositionPixel(300, true);
    QCOMPARE(slider.m_nValue, 0);
    QCOMPARE(slider.m_nTrimStart, 0);
    QCOMPARE(slider.m_nTrimEnd, 0);
    QCOMPARE(slider.startMarker(), 15);
    QCOMPARE(slider.endMarker(), 15);
}

void TestEditControls::surfaceFramesFromAnotherThread()
{
    QWidget parent;
    parent.resize(640, 360);
    CQtVideoRenderWidget surface(&parent);
    surface.setGeometry(0, 0, 640, 360);
    parent.show();
    QSignalSpy resized(&surface, &CQtVideoRenderWidget::resize_signal);

    const QByteArray big = quadrantFrame(640, 360);
    const QByteArray small = quadrantFrame(321, 181);
    std::atomic<bool> stop{false};
    std::atomic<int> sent{0};
    std::thread video([&] {
        // Sizes alternate as when an editor restarts the preview at another size.
        while (!stop) {
            const bool b = (sent / 5) % 2 == 0;
            const QByteArray& f = b ? big : small;
            surface.setFrame(reinterpret_cast<const unsigned char*>(f.constData()), b ? 640 : 321, b ? 360 : 181);
            surface.setFrame(nullptr, 0, 10); // ignored
            ++sent;
        }
    });
    QElapsedTimer t;
    t.start();
    int grabs = 0;
    while (t.elapsed() < 1500 || grabs < 20) {
        QVERIFY(!surface.grab().isNull());
        QCoreApplication::processEvents();
        ++grabs;
    }
    stop = true;
    video.join();
    QVERIFY(sent > 20);
    QCoreApplication::processEvents();
    QVERIFY(resized.count() >= 1);

    // One more frame of the same size is no resize; a new size is one.
    const QSize now = surface.frameSize();
    resized.clear();
    surface.setFrame(nullptr, now.width(), now.height());
    QCOMPARE(resized.count(), 0);
    surface.setFrame(nullptr, 64, 48);
    QCOMPARE(resized.count(), 1);
    QCOMPARE(surface.frameSize(), QSize(64, 48));
    surface.setFrame(nullptr, 64, 0);
    QCOMPARE(surface.frameSize(), QSize(64, 48));
}

void TestEditControls::cropBoxMarksWhatTheOutputKeeps_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("flipH");
    QTest::addColumn<int>("flipV");
    QTest::newRow("plain") << 0 << 0 << 0;
    QTest::newRow("mirror") << 0 << 1 << 0;
    QTest::newRow("90") << 90 << 0 << 0;
    QTest::newRow("90 + mirror") << 90 << 1 << 0;
    QTest::newRow("270 + vertical mirror") << 270 << 0 << 1;
    QTest::newRow("180") << 180 << 0 << 0;
    QTest::newRow("both mirrors") << 0 << 1 << 1;
}

// The box on each quadrant of the source must enclose that quadrant's colour
// wherever the turn and the mirrors put it: the output is the cropped source,
// turned and mirrored, so a one-colour quadrant comes out in that colour.
void TestEditControls::cropBoxMarksWhatTheOutputKeeps()
{
    QFETCH(int, rotation);
    QFETCH(int, flipH);
    QFETCH(int, flipV);
    MediaInfo record;
    record.width = 1280;
    record.height = 720;
    record.rotation = rotation;
    record.flipH = flipH;
    record.flipV = flipV;

    QWidget parent;
    parent.resize(640, 360);
    CQtVideoRenderWidget surface(&parent);
    surface.setGeometry(0, 0, 640, 360);
    surface.setSourceSize(1280, 720);
    surface.setCropEnabled(true);
    surface.setEditParams(&record);
    const QByteArray frame = quadrantFrame(640, 360);
    surface.setFrame(reinterpret_cast<const unsigned char*>(frame.constData()), 640, 360);
    parent.show();
    QCoreApplication::processEvents();

    // A quarter-turned picture is scaled to fit, not cut.
    const QRectF picture = surface.pictureRect();
    QVERIFY2(QRectF(surface.rect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(picture), "picture leaves the surface");
    QVERIFY(qMax(picture.width() / 640, picture.height() / 360) > 0.99);

    const struct
    {
        QRect source;
        QRgb colour;
    } quadrants[] = {{{0, 0, 640, 360}, qRgb(255, 0, 0)}, {{640, 0, 640, 360}, qRgb(0, 255, 0)},
        {{0, 360, 640, 360}, qRgb(0, 0, 255)}, {{640, 360, 640, 360}, qRgb(255, 255, 255)}};
    for (const auto& q : quadrants) {
        surface.setCropRect(q.source.x(), q.source.y(), q.source.width(), q.source.height());
        const QImage shot = surface.grab().toImage();
        const QRect box = surface.cropRectSurface();
        // Well inside the box, away from its outline and the centre cross.
        for (const QPoint& p : {box.center() + QPoint(-box.width() / 4, -box.height() / 4),
                 box.center() + QPoint(box.width() / 4, box.height() / 4)}) {
            const QRgb seen = shot.pixel(p);
            QVERIFY2(qAbs(qRed(seen) - qRed(q.colour)) < 8 && qAbs(qGreen(seen) - qGreen(q.colour)) < 8
                    && qAbs(qBlue(seen) - qBlue(q.colour)) < 8,
                qPrintable(QStringLiteral("box %1 for source %2 shows #%3")
                               .arg(rectText(box), rectText(q.source))
                               .arg(seen & 0xffffff, 6, 16, QLatin1Char('0'))));
        }
    }
}

void TestEditControls::everyZoneDragStaysInsideThePicture_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("flipH");
    QTest::newRow("plain") << 0 << 0;
    QTest::newRow("90 + mirror") << 90 << 1;
    QTest::newRow("270") << 270 << 0;
}

void TestEditControls::everyZoneDragStaysInsideThePicture()
{
    QFETCH(int, rotation);
    QFETCH(int, flipH);
    MediaInfo record;
    record.rotation = rotation;
    record.flipH = flipH;
    // Room around the surface, so that drags past its edges stay in the window.
    QWidget window;
    window.resize(1000, 700);
    QWidget parent(&window);
    parent.setGeometry(180, 170, 640, 360);
    CQtVideoRenderWidget surface(&parent);
    surface.setGeometry(0, 0, 640, 360);
    surface.setSourceSize(1280, 720);
    surface.setCropEnabled(true);
    surface.setEditParams(&record);
    surface.setFrame(nullptr, 640, 360);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy cropped(&surface, &CQtVideoRenderWidget::crop_changed_signal);
    QSignalSpy turned(&surface, &CQtVideoRenderWidget::rotagechanged_signal);
    const QRect inside(0, 0, 1280, 720);
    const QRectF picture = surface.pictureRect().adjusted(-0.5, -0.5, 0.5, 0.5);

    const QPoint far[] = {{-150, -150}, {800, 300}, {-150, 300}, {800, -150}};
    for (int zone = CQtVideoRenderWidget::TOPLEFT_CURSOR; zone <= CQtVideoRenderWidget::HAND_CURSOR; ++zone) {
        for (const QPoint& to : far) {
            surface.setCropRect(400, 200, 480, 320);
            const QRect box = surface.cropRectSurface();
            const int x = box.x();
            const int y = box.y();
            const int w = box.width();
            const int h = box.height();
            const QPoint grab[] = {{}, {x, y}, {x + w / 2, y}, {x + w, y}, {x, y + h / 2}, {x, y + h},
                {x + w / 2, y + h}, {x + w, y + h}, {x + w, y + h / 2}, {x + 12, y + 12}};
            const QString step = QStringLiteral("zone %1 to %2,%3").arg(zone).arg(to.x()).arg(to.y());
            QTest::mouseMove(&surface, grab[zone]);
            QVERIFY2(surface.cursorZone() == zone, qPrintable(step + QStringLiteral(": hovered ") + QString::number(surface.cursorZone())));
            cropped.clear();
            drag(&surface, grab[zone], to);
            QVERIFY2(!cropped.isEmpty(), qPrintable(step));
            const QRect source = surface.cropRectSource();
            QVERIFY2(inside.contains(source) && source.width() >= 1 && source.height() >= 1,
                qPrintable(step + QStringLiteral(": ") + rectText(source)));
            QVERIFY2(picture.contains(QRectF(surface.cropRectSurface())),
                qPrintable(step + QStringLiteral(": box ") + rectText(surface.cropRectSurface())));
        }
    }
    QCOMPARE(turned.count(), 0);

    // The centre square turns, it never crops.
    surface.setCropRect(0, 0, 1280, 720);
    const QPoint centre(320, 180);
    QTest::mouseMove(&surface, centre + QPoint(3, 3));
    QCOMPARE(surface.cursorZone(), int(CQtVideoRenderWidget::Rotate_CURSOR));
    cropped.clear();
    drag(&surface, centre + QPoint(3, 3), centre + QPoint(100, 0));
    QVERIFY(!turned.isEmpty());
    QCOMPARE(turned.last().at(0).toInt(), 270);
    QCOMPARE(cropped.count(), 0);
}

void TestEditControls::editorsOpenOnlyForReadyJobsWithARecord()
{
    MediaInfo record;
    const struct
    {
        int state;
        const MediaInfo* record;
        bool open;
    } rows[] = {{-1, &record, true}, {-1, nullptr, false}, {0, &record, false}, {1, &record, false},
        {2, &record, false}, {3, &record, false}, {4, &record, false}};
    for (const auto& row : rows)
        QVERIFY2(VideoEditBase::canEdit(row.state, row.record) == row.open, qPrintable(QString::number(row.state)));
}

MORVAYNE_TEST_MAIN(TestEditControls)
#include "tst_editcontrols.moc"

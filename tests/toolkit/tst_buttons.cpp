// Mouse input goes through the window system layer, so enter and leave come
// from real pointer moves, as on screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "morvaynetest.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/bgicontextbutton.h"
#include "toolkit/labelbutton.h"
#include "toolkit/mylabel.h"
#include "toolkit/mylinkpushbutton.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/mypushbutton2.h"
#include "toolkit/mytempbutton1.h"
#include "toolkit/mytempbutton2.h"
#include "toolkit/mytempbutton5.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"

#include <QApplication>
#include <QPainter>

using namespace MyQtCustom;

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void spriteLooks_data();
    void spriteLooks();
    void realSheetLooks_data();
    void realSheetLooks();
    void signalOrder();
    void ownFlagBlocksEverything();
    void releaseAnywhereClicks();
    void rectangleChangeWaitsForStateChange();
    void geometryRescales();
    void solidColoursWithoutPicture();
    void picturesFromPaths();
    void arrangements_data();
    void arrangements();
    void arrangementSixForwardsClick();
    void textStyleFollowsEnabled();
    void pushButton2IsAPushButton();

    void bgIconCheckedReturnsAfterLeave();
    void bgIconDisabledAndRotate();
    void bgIconTextButton();
    void labelButtonSheets();
    void tempButton2Sheets_data();
    void tempButton2Sheets();
    void tempButton1Colours();
    void tempButton5Cells();
    void linkTexts();
    void labelClick();

private:
    QPoint inHost(QWidget* w, QPoint local = QPoint()) const;
    void moveTo(QWidget* w, QPoint local = QPoint());
    void moveAway();
    void press(QWidget* w);
    void release(QWidget* w, QPoint local = QPoint());

    QWidget* m_host = nullptr;
};

namespace {

constexpr int kCell = 20;

// Four cells of distinct patterns, stacked with a gap of one pixel, so a
// wrong cell or a cell cut one pixel off shows in the pixels.
QPixmap testSheet()
{
    QImage sheet(kCell, 4 * (kCell + 1), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::black);
    const QColor colours[4] = {QColor(200, 30, 30), QColor(30, 200, 30), QColor(30, 30, 200), QColor(128, 128, 128)};
    QPainter p(&sheet);
    for (int i = 0; i < 4; ++i) {
        const QRect cell(0, i * (kCell + 1), kCell, kCell);
        p.fillRect(cell, colours[i]);
        p.fillRect(cell.adjusted(i + 2, 3, -(kCell - 6 - i), -3), Qt::white);
        p.fillRect(QRect(cell.topLeft(), QSize(2, 2)), Qt::yellow);
    }
    return QPixmap::fromImage(sheet);
}

QRect testCell(int i)
{
    return QRect(0, i * (kCell + 1), kCell, kCell);
}

void useSheet(MyPushButton* button, const QPixmap& sheet, const SpriteCells::StateCells& cells)
{
    button->bgPixmap = sheet;
    button->useBgPixmap = true;
    button->SetnormalPicRect(cells.normal.x(), cells.normal.y(), cells.normal.width(), cells.normal.height());
    button->SethighlightPicRect(
        cells.highlight.x(), cells.highlight.y(), cells.highlight.width(), cells.highlight.height());
    button->SetclickPicRect(cells.click.x(), cells.click.y(), cells.click.width(), cells.click.height());
    button->SetdisablePicRect(cells.disable.x(), cells.disable.y(), cells.disable.width(), cells.disable.height());
    button->SetPicAlignFlags(3);
}

SpriteCells::StateCells testCells()
{
    return {testCell(0), testCell(1), testCell(2), testCell(3)};
}

QImage grabbed(QWidget* w)
{
    QCoreApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage expected(const QPixmap& sheet, const QRect& cell, const QSize& size)
{
    return sheet.copy(cell)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Largest difference of any channel of any pixel; -1 when the sizes differ.
int difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = qMax(worst,
                qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                    qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q)))));
        }
    }
    return worst;
}

// What the pointer sees: the window's pixels under the widget, compared with
// the cell scaled to the widget and laid over the window's background.
bool shows(QWidget* w, const QPixmap& sheet, const QRect& cell)
{
    QWidget* window = w->window();
    QCoreApplication::processEvents();
    const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
    const QImage actual = window->grab(area).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage wanted(w->size(), QImage::Format_ARGB32_Premultiplied);
    wanted.fill(window->palette().color(QPalette::Window));
    QPainter(&wanted).drawImage(0, 0, expected(sheet, cell, w->size()));
    const int diff = difference(actual, wanted);
    if (diff != 0)
        qWarning("look differs from cell (%d,%d %dx%d) by %d", cell.x(), cell.y(), cell.width(), cell.height(), diff);
    return diff == 0;
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

QColor centreColour(QWidget* w)
{
    const QImage image = grabbed(w);
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

void TestButtons::initTestCase()
{
    ToolkitResources::init();
}

void TestButtons::init()
{
    m_host = new QWidget;
    m_host->setGeometry(0, 0, 400, 300);
    QPalette pal = m_host->palette();
    pal.setColor(QPalette::Window, QColor(0xf0, 0xe0, 0xd0));
    m_host->setPalette(pal);
    m_host->setAutoFillBackground(true);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    // The pointer rests in the far corner, away from where new children first
    // appear (a child shown under the cursor counts as entered). Two moves:
    // the first one into a new window may land where the pointer already was
    // and then counts as no move at all.
    QCursor::setPos(m_host->mapToGlobal(QPoint(390, 290)));
    QTest::mouseMove(m_host, QPoint(385, 285));
    moveAway();
}

void TestButtons::cleanup()
{
    delete m_host;
    m_host = nullptr;
}

QPoint TestButtons::inHost(QWidget* w, QPoint local) const
{
    if (local.isNull())
        local = w->rect().center();
    return w->mapTo(m_host, local);
}

void TestButtons::moveTo(QWidget* w, QPoint local)
{
    QTest::mouseMove(m_host, inHost(w, local));
}

void TestButtons::moveAway()
{
    QTest::mouseMove(m_host, QPoint(390, 290));
}

void TestButtons::press(QWidget* w)
{
    QTest::mousePress(m_host, Qt::LeftButton, {}, inHost(w));
}

void TestButtons::release(QWidget* w, QPoint local)
{
    QTest::mouseRelease(m_host, Qt::LeftButton, {}, inHost(w, local));
}

void TestButtons::spriteLooks_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<int>("cell");
    QTest::newRow("at rest") << "" << 0;
    QTest::newRow("hovered") << "enter" << 1;
    QTest::newRow("pressed") << "enter press" << 2;
    QTest::newRow("released over it") << "enter press release" << 0;
    QTest::newRow("hovered again after a click") << "enter press release leave enter" << 1;
    QTest::newRow("left") << "enter leave" << 0;
    QTest::newRow("disabled") << "disable" << 3;
    QTest::newRow("disabled while hovered") << "enter disable" << 3;
    QTest::newRow("enabled again") << "disable enable" << 0;
    QTest::newRow("driven by another widget") << "other-enter" << 1;
    QTest::newRow("left by another widget") << "other-enter other-leave" << 0;
}

void TestButtons::spriteLooks()
{
    QFETCH(QString, actions);
    QFETCH(int, cell);
    const QPixmap sheet = testSheet();
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, kCell, kCell);
    button->show();
    useSheet(button, sheet, testCells());

    for (const QString& action : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (action == QLatin1String("enter"))
            moveTo(button);
        else if (action == QLatin1String("leave"))
            moveAway();
        else if (action == QLatin1String("press"))
            press(button);
        else if (action == QLatin1String("release"))
            release(button);
        else if (action == QLatin1String("disable"))
            button->setEnabled(false);
        else if (action == QLatin1String("enable"))
            button->setEnabled(true);
        else if (action == QLatin1String("other-enter"))
            button->OtherMouseEnter();
        else if (action == QLatin1String("other-leave"))
            button->OtherMouseLeave();
    }
    QVERIFY(shows(button, sheet, testCell(cell)));
}

void TestButtons::realSheetLooks_data()
{
    using namespace SpriteCells;
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QRect>("normal");
    QTest::addColumn<QRect>("highlight");
    QTest::addColumn<QRect>("click");
    QTest::addColumn<QRect>("disable");
    QTest::addColumn<QSize>("size");
    auto row = [](const char* name, const QString& sheet, const StateCells& c, QSize size) {
        QTest::newRow(name) << sheet << c.normal << c.highlight << c.click << c.disable << size;
    };
    row("title menu", WidePublicSheet, TitleMenu, QSize(16, 16));
    row("step back, dark", PlayButtonsSheet, playCells(HarryDownColumn, Dark), QSize(30, 30));
    row("turn right, light", PlayButtonsSheet, playCells(RotateXColumn, Light), QSize(30, 30));
    row("slider handle", VcPublicSheet, SliderHandle, QSize(10, 10));
    row("trim end handle", VcPublicSheet, TrimEndHandle, QSize(15, 15));
    row("up arrow", VcPublicSheet, SpinUpArrow, QSize(10, 8));
    row("down arrow", VcPublicSheet, SpinDownArrow, QSize(10, 8));
    row("row delete, light", PublicSheet, publicCells(RowDeleteColumn, Light), QSize(24, 24));
}

void TestButtons::realSheetLooks()
{
    QFETCH(QString, sheet);
    QFETCH(QRect, normal);
    QFETCH(QRect, highlight);
    QFETCH(QRect, click);
    QFETCH(QRect, disable);
    QFETCH(QSize, size);
    const QPixmap picture(sheet);
    QVERIFY(!picture.isNull());
    auto* button = new MyPushButton(m_host);
    button->show();
    button->setGeometry(120, 80, size.width(), size.height());
    useSheet(button, picture, {normal, highlight, click, disable});

    QVERIFY(shows(button, picture, normal));
    moveTo(button);
    QVERIFY(shows(button, picture, highlight));
    press(button);
    QVERIFY(shows(button, picture, click));
    release(button);
    QVERIFY(shows(button, picture, normal));
    button->setEnabled(false);
    QVERIFY(shows(button, picture, disable));
}

void TestButtons::signalOrder()
{
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, 40, 40);
    button->show();
    useSheet(button, testSheet(), testCells());
    QStringList seen;
    connect(button, &MyPushButton::enterButton, this, [&seen] { seen << QStringLiteral("enter"); });
    connect(button, &MyPushButton::Pressclicked, this, [&seen] { seen << QStringLiteral("press"); });
    connect(button, &MyPushButton::clicked, this, [&seen] { seen << QStringLiteral("clicked"); });
    connect(button, &MyPushButton::leaveButton, this, [&seen] { seen << QStringLiteral("leave"); });

    moveTo(button);
    press(button);
    release(button);
    moveAway();
    QCOMPARE(seen, words("enter press clicked leave"));
}

void TestButtons::ownFlagBlocksEverything()
{
    const QPixmap sheet = testSheet();
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, kCell, kCell);
    button->show();
    useSheet(button, sheet, testCells());
    button->setEnabled(false);
    QVERIFY(!button->isEnabled());
    // The framework's flag alone comes back on; the button's own flag still rules.
    static_cast<QWidget*>(button)->setEnabled(true);
    QVERIFY(button->isEnabled());
    QVERIFY(!button->isMyEnabled());

    int emitted = 0;
    for (auto signal :
        {&MyPushButton::clicked, &MyPushButton::Pressclicked, &MyPushButton::enterButton, &MyPushButton::leaveButton})
        connect(button, signal, this, [&emitted] { ++emitted; });

    moveTo(button);
    QVERIFY(shows(button, sheet, testCell(3)));
    press(button);
    QVERIFY(shows(button, sheet, testCell(3)));
    release(button);
    button->OtherMouseEnter();
    button->OtherMouseLeave();
    moveAway();
    QVERIFY(shows(button, sheet, testCell(3)));
    QCOMPARE(emitted, 0);

    button->setEnabled(true);
    QVERIFY(shows(button, sheet, testCell(0)));
    moveTo(button);
    QCOMPARE(emitted, 1);
}

void TestButtons::releaseAnywhereClicks()
{
    const QPixmap sheet = testSheet();
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, kCell, kCell);
    button->show();
    useSheet(button, sheet, testCells());
    QSignalSpy clicked(button, &MyPushButton::clicked);
    QSignalSpy left(button, &MyPushButton::leaveButton);

    moveTo(button);
    press(button);
    // Drag far outside, then let go there.
    QTest::mouseMove(m_host, QPoint(350, 250));
    QTest::mouseRelease(m_host, Qt::LeftButton, {}, QPoint(350, 250));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(shows(button, sheet, testCell(0)));
    moveAway();
    QVERIFY(left.count() >= 1);
}

void TestButtons::rectangleChangeWaitsForStateChange()
{
    const QPixmap sheet = testSheet();
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, kCell, kCell);
    button->show();
    useSheet(button, sheet, testCells());

    const QRect moved = testCell(2);
    button->SetnormalPicRect(moved.x(), moved.y(), moved.width(), moved.height());
    QVERIFY(shows(button, sheet, testCell(0)));
    moveTo(button);
    moveAway();
    QVERIFY(shows(button, sheet, moved));

    const QRect again = testCell(3);
    button->SetnormalPicRect(again.x(), again.y(), again.width(), again.height());
    QVERIFY(shows(button, sheet, moved));
    button->SetPicAlignFlags(3);
    QVERIFY(shows(button, sheet, again));
}

void TestButtons::geometryRescales()
{
    const QPixmap sheet(SpriteCells::PlayButtonsSheet);
    const SpriteCells::StateCells cells = SpriteCells::playCells(SpriteCells::PlayButtonColumn, SpriteCells::Light);
    auto* button = new MyPushButton(m_host);
    button->show();
    button->setGeometry(50, 50, 30, 30);
    useSheet(button, sheet, cells);
    QVERIFY(shows(button, sheet, cells.normal));

    for (const QSize size : {QSize(76, 76), QSize(20, 40), QSize(30, 30)}) {
        button->setGeometry(50, 50, size.width(), size.height());
        QCOMPARE(button->size(), size);
        QVERIFY(shows(button, sheet, cells.normal));
    }
    moveTo(button);
    button->setGeometry(40, 40, 50, 50);
    // Re-arranging shows the resting look again.
    QVERIFY(shows(button, sheet, cells.normal));
}

void TestButtons::solidColoursWithoutPicture()
{
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, 30, 30);
    button->show();
    button->SetDefaultColor(qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(100, 110, 120));
    button->SetPicAlignFlags(3);
    QCOMPARE(centreColour(button), QColor(10, 20, 30));
    moveTo(button);
    QCOMPARE(centreColour(button), QColor(40, 50, 60));
    press(button);
    QCOMPARE(centreColour(button), QColor(70, 80, 90));
    release(button);
    QCOMPARE(centreColour(button), QColor(10, 20, 30));
    button->setEnabled(false);
    QCOMPARE(centreColour(button), QColor(100, 110, 120));
}

void TestButtons::picturesFromPaths()
{
    const QString dir = TestEnv::makeDir(QStringLiteral("pictures"));
    const QPixmap sheet = testSheet();
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        paths << dir + QStringLiteral("/state%1.png").arg(i);
        QVERIFY(sheet.copy(testCell(i)).save(paths.last()));
    }
    auto* button = new MyPushButton(m_host);
    button->setGeometry(100, 100, kCell, kCell);
    button->show();
    button->SetPicture(paths[0], paths[1], paths[2], paths[3]);
    const QRect whole(0, 0, kCell, kCell);
    QVERIFY(shows(button, QPixmap(paths[0]), whole));
    moveTo(button);
    QVERIFY(shows(button, QPixmap(paths[1]), whole));
    press(button);
    QVERIFY(shows(button, QPixmap(paths[2]), whole));
    release(button);
    button->setEnabled(false);
    QVERIFY(shows(button, QPixmap(paths[3]), whole));
}

void TestButtons::arrangements_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("hasIcon");
    QTest::addColumn<QRect>("iconRect");
    QTest::addColumn<QRect>("textRect");
    QTest::addColumn<bool>("buttonFills");
    QTest::newRow("0") << 0 << false << QRect() << QRect() << false;
    QTest::newRow("2") << 2 << true << QRect(60, 0, 20, 40) << QRect(0, 0, 60, 40) << false;
    QTest::newRow("3") << 3 << false << QRect() << QRect() << true;
    QTest::newRow("4") << 4 << false << QRect() << QRect() << true;
    QTest::newRow("5") << 5 << true << QRect(0, 0, 80, 20) << QRect(0, 20, 80, 20) << false;
    QTest::newRow("7") << 7 << true << QRect(2, 4, 16, 16) << QRect(20, 4, 50, 16) << false;
}

void TestButtons::arrangements()
{
    QFETCH(int, flags);
    QFETCH(bool, hasIcon);
    QFETCH(QRect, iconRect);
    QFETCH(QRect, textRect);
    QFETCH(bool, buttonFills);
    const QPixmap sheet = testSheet();
    auto* button = new MyPushButton(m_host);
    button->show();
    button->setGeometry(20, 20, 80, 40);
    button->setText(QStringLiteral("Go"));
    button->SetImageRect(2, 4, 16, 16);
    button->SetTextRect(20, 4, 50, 16);
    useSheet(button, sheet, testCells());
    button->SetPicAlignFlags(flags);

    QCOMPARE(button->iconLabel() != nullptr, hasIcon);
    QCOMPARE(button->autoFillBackground(), buttonFills);
    if (hasIcon) {
        QCOMPARE(button->iconLabel()->geometry(), iconRect);
        QCOMPARE(button->textLabel()->geometry(), textRect);
        QCOMPARE(button->textLabel()->text(), QStringLiteral("Go"));
        QVERIFY(shows(button->iconLabel(), sheet, testCell(0)));
        moveTo(button);
        QVERIFY(shows(button->iconLabel(), sheet, testCell(1)));
    } else {
        QVERIFY(!button->textLabel());
    }
    // Arrangement 3 always drops the children again.
    button->SetPicAlignFlags(3);
    QVERIFY(!button->iconLabel());
    QVERIFY(!button->textLabel());
}

void TestButtons::arrangementSixForwardsClick()
{
    auto* button = new MyPushButton(m_host);
    button->show();
    button->setGeometry(20, 20, 80, 30);
    button->setText(QStringLiteral("Link"));
    button->SetPicAlignFlags(6);
    QVERIFY(!button->iconLabel());
    QVERIFY(qobject_cast<MyLabel*>(button->textLabel()));
    QCOMPARE(button->textLabel()->text(), QStringLiteral("Link"));
    QSignalSpy clicked(button, &MyPushButton::clicked);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 1);
    button->setEnabled(false);
    static_cast<QWidget*>(button)->setEnabled(true);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 1);
}

void TestButtons::textStyleFollowsEnabled()
{
    auto* button = new MyPushButton(m_host);
    button->show();
    button->setGeometry(20, 20, 80, 30);
    button->setText(QStringLiteral("Text"));
    button->SetPicAlignFlags(2);
    const QString on = QStringLiteral("QLabel{color:#111111;}");
    const QString off = QStringLiteral("QLabel{color:#999999;}");
    button->setTextStyleSheets(on, off);
    button->setEnabled(false);
    QCOMPARE(button->textLabel()->styleSheet(), off);
    button->setEnabled(true);
    QCOMPARE(button->textLabel()->styleSheet(), on);
}

void TestButtons::pushButton2IsAPushButton()
{
    const QPixmap sheet = testSheet();
    auto* button = new MyPushButton2(m_host);
    button->setGeometry(100, 100, kCell, kCell);
    button->show();
    useSheet(button, sheet, testCells());
    QSignalSpy clicked(button, &MyPushButton::clicked);
    moveTo(button);
    QVERIFY(shows(button, sheet, testCell(1)));
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 1);
}

namespace {

QPixmap solid(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return pixmap;
}

QColor iconColour(BgIconButton* button)
{
    return button->iconLabel()->pixmap(Qt::ReturnByValue).toImage().pixelColor(8, 8);
}

} // namespace

void TestButtons::bgIconCheckedReturnsAfterLeave()
{
    auto* button = new BgIconButton(m_host);
    button->setGeometry(100, 100, 30, 30);
    button->show();
    const QString normal = QStringLiteral("QLabel{background:#101010;}");
    const QString hover = QStringLiteral("QLabel{background:#202020;}");
    const QString disabled = QStringLiteral("QLabel{background:#303030;}");
    const QString checked = QStringLiteral("QLabel{background:#404040;}");
    button->setBgStyeSheet(normal, hover, disabled, checked);
    button->setIconPixmap(solid(Qt::red), solid(Qt::green), solid(Qt::gray), solid(Qt::blue));
    QCOMPARE(button->backgroundLabel()->styleSheet(), normal);
    QCOMPARE(iconColour(button), QColor(Qt::red));

    button->setChecked(true);
    QCOMPARE(button->backgroundLabel()->styleSheet(), checked);
    QCOMPARE(iconColour(button), QColor(Qt::blue));

    QStringList seen;
    connect(button, &BgIconButton::mouseEnter, this, [&seen] { seen << QStringLiteral("enter"); });
    connect(button, &BgIconButton::Pressclicked, this, [&seen] { seen << QStringLiteral("press"); });
    connect(button, qOverload<>(&BgIconButton::clicked), this, [&seen] { seen << QStringLiteral("clicked"); });
    connect(button, qOverload<BgIconButton*>(&BgIconButton::clicked), this,
        [&seen, button](BgIconButton* b) { seen << (b == button ? QStringLiteral("clicked(this)") : QString()); });
    connect(button, &BgIconButton::mouseLeave, this, [&seen] { seen << QStringLiteral("leave"); });

    moveTo(button);
    QCOMPARE(button->backgroundLabel()->styleSheet(), hover);
    QCOMPARE(iconColour(button), QColor(Qt::green));
    press(button);
    QCOMPARE(button->backgroundLabel()->styleSheet(), hover);
    release(button);
    QCOMPARE(button->backgroundLabel()->styleSheet(), checked);
    moveTo(button, QPoint(2, 2));
    moveAway();
    QCOMPARE(button->backgroundLabel()->styleSheet(), checked);
    QCOMPARE(iconColour(button), QColor(Qt::blue));
    QCOMPARE(seen, words("enter press clicked clicked(this) leave"));

    // Without checked pictures the checked look keeps the normal ones.
    button->setBgStyeSheet(normal, hover, disabled, QString());
    button->setIconPixmap(solid(Qt::red), solid(Qt::green), solid(Qt::gray), QPixmap());
    QCOMPARE(button->backgroundLabel()->styleSheet(), normal);
    QCOMPARE(iconColour(button), QColor(Qt::red));
    button->setChecked(false);
    QCOMPARE(iconColour(button), QColor(Qt::red));
}

void TestButtons::bgIconDisabledAndRotate()
{
    auto* button = new BgIconButton(m_host);
    button->setGeometry(100, 100, 30, 30);
    button->show();
    QPixmap arrow(16, 8);
    arrow.fill(Qt::red);
    button->setBgStyeSheet(QStringLiteral("QLabel{background:#101010;}"), QString(),
        QStringLiteral("QLabel{background:#303030;}"), QString());
    button->setIconPixmap(arrow, arrow, arrow, arrow);

    // An empty hover sheet leaves the current sheet in place.
    moveTo(button);
    QCOMPARE(button->backgroundLabel()->styleSheet(), QStringLiteral("QLabel{background:#101010;}"));
    moveAway();

    button->setIconRotate(90);
    QCOMPARE(button->iconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(8, 16));
    // Turning again starts from the picture as given.
    button->setIconRotate(90);
    QCOMPARE(button->iconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(8, 16));
    button->setChecked(true);
    QCOMPARE(button->iconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(16, 8));
    button->setChecked(false);

    QSignalSpy clicked(button, qOverload<>(&BgIconButton::clicked));
    button->setEnabled(false);
    QCOMPARE(button->backgroundLabel()->styleSheet(), QStringLiteral("QLabel{background:#303030;}"));
    static_cast<QWidget*>(button)->setEnabled(true);
    moveTo(button);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(button->backgroundLabel()->styleSheet(), QStringLiteral("QLabel{background:#303030;}"));

    // A picture larger than the button is shrunk into it.
    button->setIconPixmap(QPixmap(60, 60), QPixmap(), QPixmap(), QPixmap());
    button->setEnabled(true);
    QCOMPARE(button->iconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(30, 30));
}

void TestButtons::bgIconTextButton()
{
    auto* button = new BgIconTextButton(m_host);
    button->setGeometry(50, 50, 120, 30);
    button->show();
    button->setIconGeometry(4, 4, 22, 22);
    button->setTextGeometry(30, 0, 90, 30);
    button->setText(QStringLiteral("Add"));
    const QString textNormal = QStringLiteral("QLabel{color:#111111;}");
    const QString textHover = QStringLiteral("QLabel{color:#222222;}");
    const QString textChecked = QStringLiteral("QLabel{color:#444444;}");
    button->setTextStyeSheet(textNormal, textHover, QStringLiteral("QLabel{color:#333333;}"), textChecked);
    button->setIconPixmap(solid(Qt::red), solid(Qt::green), solid(Qt::gray), solid(Qt::blue));
    QCOMPARE(button->textLabel()->geometry(), QRect(30, 0, 90, 30));
    QCOMPARE(button->iconLabel()->geometry(), QRect(4, 4, 22, 22));
    QCOMPARE(button->textLabel()->styleSheet(), textNormal);

    QSignalSpy clickedThis(button, qOverload<BgIconTextButton*>(&BgIconTextButton::clicked));
    moveTo(button);
    QCOMPARE(button->textLabel()->styleSheet(), textHover);
    button->setChecked(true);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clickedThis.count(), 1);
    QCOMPARE(clickedThis.first().first().value<BgIconTextButton*>(), button);
    moveAway();
    QCOMPARE(button->textLabel()->styleSheet(), textChecked);
}

void TestButtons::labelButtonSheets()
{
    auto* button = new LabelButton(m_host);
    button->setGeometry(50, 50, 100, 30);
    button->show();
    const QString normal = QStringLiteral("QLabel{color:#000001;}");
    const QString hover = QStringLiteral("QLabel{color:#000002;}");
    const QString disabled = QStringLiteral("QLabel{color:#000003;}");
    const QString checked = QStringLiteral("QLabel{border:1px solid #000004;}");
    button->setLabelStyleSheet(normal, hover, disabled, checked);
    QCOMPARE(button->styleSheet(), normal);

    QSignalSpy clicked(button, qOverload<>(&LabelButton::clicked));
    QSignalSpy clickedThis(button, qOverload<LabelButton*>(&LabelButton::clicked));
    QSignalSpy entered(button, &LabelButton::mouseEnter);
    moveTo(button);
    QCOMPARE(button->styleSheet(), hover);
    QCOMPARE(entered.count(), 1);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clickedThis.count(), 0);

    button->setChecked(true);
    QCOMPARE(button->styleSheet(), QString(normal + checked));
    moveAway();
    QCOMPARE(button->styleSheet(), QString(normal + checked));
    button->setEnabled(false);
    QCOMPARE(button->styleSheet(), disabled);
}

void TestButtons::tempButton2Sheets_data()
{
    QTest::addColumn<QString>("hover");
    QTest::addColumn<QString>("whileHovered");
    QTest::newRow("with hover sheet") << "QLabel{color:#222222;}"
                                      << "QLabel{color:#222222;}";
    QTest::newRow("empty hover sheet keeps normal") << ""
                                                    << "QLabel{color:#111111;}";
}

void TestButtons::tempButton2Sheets()
{
    QFETCH(QString, hover);
    QFETCH(QString, whileHovered);
    const QString normal = QStringLiteral("QLabel{color:#111111;}");
    const QString disabled = QStringLiteral("QLabel{color:#333333;}");
    auto* button = new MyTempButton2(m_host);
    button->setGeometry(50, 50, 100, 30);
    button->show();
    button->setStyleSheets(normal, hover, disabled);
    QCOMPARE(button->frameShape(), QFrame::Box);

    QStringList seen;
    connect(button, &MyTempButton2::Pressclicked, this, [&seen] { seen << QStringLiteral("press"); });
    connect(button, qOverload<>(&MyTempButton2::clicked), this, [&seen] { seen << QStringLiteral("clicked"); });
    connect(button, qOverload<MyTempButton2*>(&MyTempButton2::clicked), this,
        [&seen](MyTempButton2*) { seen << QStringLiteral("clicked(this)"); });

    moveTo(button);
    QCOMPARE(button->styleSheet(), whileHovered);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(seen, words("press clicked clicked(this)"));
    moveAway();
    QCOMPARE(button->styleSheet(), normal);

    button->setEnabled(false);
    QCOMPARE(button->styleSheet(), disabled);
    static_cast<QWidget*>(button)->setEnabled(true);
    moveTo(button);
    QCOMPARE(button->styleSheet(), disabled);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(seen.size(), 3);
}

void TestButtons::tempButton1Colours()
{
    auto* button = new MyTempButton1(m_host);
    button->setGeometry(50, 50, 40, 20);
    button->show();
    button->setColor(QStringLiteral("#102030"), QStringLiteral("#405060"), QStringLiteral("#708090"));
    QCOMPARE(centreColour(button), QColor(0x10, 0x20, 0x30));
    QSignalSpy clicked(button, &MyTempButton1::clicked);
    moveTo(button);
    QCOMPARE(centreColour(button), QColor(0x40, 0x50, 0x60));
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 1);
    moveAway();
    QCOMPARE(centreColour(button), QColor(0x10, 0x20, 0x30));
    button->setEnabled(false);
    QCOMPARE(centreColour(button), QColor(0x70, 0x80, 0x90));
    static_cast<QWidget*>(button)->setEnabled(true);
    moveTo(button);
    QCOMPARE(centreColour(button), QColor(0x70, 0x80, 0x90));
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(button));
    QCOMPARE(clicked.count(), 1);
}

void TestButtons::tempButton5Cells()
{
    const QPixmap sheet = testSheet();
    auto* button = new MyTempButton5(m_host);
    button->setGeometry(50, 50, kCell, kCell);
    button->show();
    button->bgPixmap = sheet;
    for (int i = 0; i < 4; ++i) {
        const QRect c = testCell(i);
        void (MyTempButton5::*setters[4])(int, int, int, int) = {&MyTempButton5::SetnormalPicRect,
            &MyTempButton5::SethighlightPicRect, &MyTempButton5::SetclickPicRect, &MyTempButton5::SetdisablePicRect};
        (button->*setters[i])(c.x(), c.y(), c.width(), c.height());
    }
    button->setEnabled(true);
    button->setMyText(QStringLiteral("5"));
    QCOMPARE(button->textLabel()->text(), QStringLiteral("5"));
    button->textLabel()->hide(); // compare the picture alone
    QVERIFY(shows(button, sheet, testCell(0)));
    moveTo(button);
    QVERIFY(shows(button, sheet, testCell(1)));
    press(button);
    QVERIFY(shows(button, sheet, testCell(2)));
    QSignalSpy clicked(button, &MyTempButton1::clicked);
    release(button);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(shows(button, sheet, testCell(0)));
    button->setEnabled(false);
    QVERIFY(shows(button, sheet, testCell(3)));
}

void TestButtons::linkTexts()
{
    auto* link = new MyLinkPushButton(m_host);
    link->setGeometry(50, 50, 100, 20);
    link->show();
    link->setLinkText(QStringLiteral("open"), QStringLiteral("<u>open</u>"), QStringLiteral("<b>open</b>"));
    QCOMPARE(link->text(), QStringLiteral("open"));
    QSignalSpy clicked(link, &MyLinkPushButton::clicked);
    moveTo(link);
    QCOMPARE(link->text(), QStringLiteral("<u>open</u>"));
    press(link);
    QCOMPARE(link->text(), QStringLiteral("<b>open</b>"));
    release(link);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(link->text(), QStringLiteral("<b>open</b>"));
    moveAway();
    QCOMPARE(link->text(), QStringLiteral("open"));
}

void TestButtons::labelClick()
{
    auto* label = new MyLabel(m_host);
    label->setGeometry(50, 50, 100, 20);
    label->show();
    QSignalSpy clicked(label, &MyLabel::clicked);
    QTest::mouseClick(m_host, Qt::LeftButton, {}, inHost(label));
    QCOMPARE(clicked.count(), 1);
}

MORVAYNE_TEST_MAIN(TestButtons)
#include "tst_buttons.moc"

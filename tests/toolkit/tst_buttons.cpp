// Mouse input goes through the window system layer, so enter and leave come
// from real pointer moves, as on screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "morvaynetest.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/bgicontextbutton.h"
#include "toolkit/labelbutton.h"
#include "toolkit/mylinkpushbutton.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/mytempbutton1.h"
#include "toolkit/mytempbutton2.h"
#include "toolkit/toolkitresources.h"

#include <QPainter>

#include <functional>

using namespace MyQtCustom;

namespace {

constexpr int kCell = 20;
const QPoint kAway(390, 290);

// Looks are named n(ormal), h(over), p(ressed), d(isabled) and c(hecked).
QString sheetOf(char look)
{
    return QStringLiteral("QLabel{color:#0000%1;}").arg(int(look), 2, 16);
}

QColor colourOf(char look)
{
    return QColor(look, 100, 200);
}

QPixmap solid(char look, QSize size = QSize(16, 16))
{
    QPixmap pixmap(size);
    pixmap.fill(colourOf(look));
    return pixmap;
}

// Four cells of distinct patterns, stacked with a gap of one pixel, so a
// wrong cell or a cell cut one pixel off shows in the pixels.
QRect testCell(char look)
{
    return QRect(0, QByteArrayLiteral("nhpd").indexOf(look) * (kCell + 1), kCell, kCell);
}

QPixmap testSheet()
{
    QImage sheet(kCell, 4 * (kCell + 1), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::black);
    QPainter p(&sheet);
    for (int i = 0; i < 4; ++i) {
        const QRect cell = testCell("nhpd"[i]);
        p.fillRect(cell, QColor::fromHsv(i * 90, 200, 200));
        p.fillRect(cell.adjusted(i + 2, 3, -(kCell - 6 - i), -3), Qt::white);
        p.fillRect(QRect(cell.topLeft(), QSize(2, 2)), Qt::yellow);
    }
    return QPixmap::fromImage(sheet);
}

// What the pointer sees: the window's pixels under the widget, against the
// picture scaled to the widget and laid over the window's background.
bool shows(QWidget* w, const QPixmap& picture)
{
    QWidget* window = w->window();
    QCoreApplication::processEvents();
    const QImage actual = window->grab(QRect(w->mapTo(window, QPoint()), w->size()))
                              .toImage()
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage wanted(w->size(), QImage::Format_ARGB32_Premultiplied);
    wanted.fill(window->palette().color(QPalette::Window));
    QPainter(&wanted).drawPixmap(0, 0, picture.scaled(w->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return !w->size().isEmpty() && actual == wanted;
}

// What a script needs of a button: "off" and "on" go to the button's own
// setEnabled, which the framework's does not reach, `more` takes the other
// actions of its own, and `shows` tells whether it shows a look.
using Act = std::function<void(const QString&)>;
struct Kit
{
    QWidget* button;
    Act act;
    std::function<bool(char)> shows;
};

template <class Button>
Kit kit(Button* b, const QRect& geometry, const std::function<bool(char)>& shows, const Act& more = {})
{
    b->setGeometry(geometry.x(), geometry.y(), geometry.width(), geometry.height());
    const Act act = [b, more](const QString& action) {
        if (action == QLatin1String("off") || action == QLatin1String("on"))
            b->setEnabled(action == QLatin1String("on"));
        else if (more)
            more(action);
        else
            QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
    };
    return {b, act, shows};
}

} // namespace

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ToolkitResources::init(); }
    void init();
    void cleanup();
    void script_data();
    void script();
    void iconPictures();

public slots:
    // Notes every signal of the button under test, in order of emission.
    void noteSignal()
    {
        const QMetaMethod signal = sender()->metaObject()->method(senderSignalIndex());
        m_seen << QString::fromLatin1(signal.name() + (signal.parameterCount() ? "(button)" : ""));
    }

private:
    Kit make(const QString& kind);
    QPoint centre(QWidget* w) const { return w->mapTo(m_host, w->rect().center()); }

    QWidget* m_host = nullptr;
    QStringList m_seen;
};

void TestButtons::init()
{
    m_host = new QWidget;
    m_host->setGeometry(0, 0, 400, 300);
    m_host->setAutoFillBackground(true);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    // The pointer rests in the far corner, where no button appears. Two moves:
    // the first into a new window may count as no move at all.
    QCursor::setPos(m_host->mapToGlobal(kAway));
    QTest::mouseMove(m_host, kAway - QPoint(5, 5));
    QTest::mouseMove(m_host, kAway);
    m_seen.clear();
}

void TestButtons::cleanup()
{
    delete m_host;
    m_host = nullptr;
}

Kit TestButtons::make(const QString& kind)
{
    const auto is = [&kind](const char* name) { return kind == QLatin1String(name); };
    const auto checks = [](auto* b) { return [b](const QString& a) { b->setChecked(a == QLatin1String("check")); }; };
    const QRect wide(50, 50, 100, 30);
    if (kind.startsWith(QLatin1String("MyPushButton"))) {
        auto* b = new MyPushButton(m_host);
        const QPixmap sheet = testSheet();
        const auto showsCell = [b, sheet](char look) { return shows(b, sheet.copy(testCell(look))); };
        Kit k = kit(b, QRect(100, 100, kCell, kCell), showsCell, [b](const QString& action) {
            if (action == QLatin1String("other-enter"))
                b->OtherMouseEnter();
            else if (action == QLatin1String("other-leave"))
                b->OtherMouseLeave();
            else if (action == QLatin1String("new-cell")) // the pressed cell for the normal look
                b->SetnormalPicRect(0, testCell('p').y(), kCell, kCell);
            else if (action == QLatin1String("align"))
                b->SetPicAlignFlags(3);
            else if (action.startsWith(QLatin1String("size"))) // "size40x20"
                b->setGeometry(QRect(b->pos(),
                    QSize(action.mid(4).section(QLatin1Char('x'), 0, 0).toInt(),
                        action.section(QLatin1Char('x'), 1).toInt())));
        });
        if (is("MyPushButton, solid colours")) {
            b->SetDefaultColor(colourOf('n').rgb(), colourOf('h').rgb(), colourOf('p').rgb(), colourOf('d').rgb());
            b->SetPicAlignFlags(3);
            k.shows = [b](char look) { return shows(b, solid(look)); };
        } else if (is("MyPushButton, text in arrangement 6")) {
            b->setGeometry(100, 100, 80, 30);
            b->setText(QStringLiteral("Link"));
            b->setTextStyleSheets(sheetOf('n'), sheetOf('d'));
            b->SetPicAlignFlags(6);
            k.shows = [b](char look) { return b->textLabel()->styleSheet() == sheetOf(look); };
        } else { // a sprite sheet, as every picture button of the application
            b->bgPixmap = sheet;
            b->useBgPixmap = true;
            b->SetnormalPicRect(0, testCell('n').y(), kCell, kCell);
            b->SethighlightPicRect(0, testCell('h').y(), kCell, kCell);
            b->SetclickPicRect(0, testCell('p').y(), kCell, kCell);
            b->SetdisablePicRect(0, testCell('d').y(), kCell, kCell);
            b->SetPicAlignFlags(3);
        }
        return k;
    }
    if (kind.startsWith(QLatin1String("BgIconButton"))) {
        auto* b = new BgIconButton(m_host);
        const bool checkedLook = !is("BgIconButton without a checked look");
        b->setBgStyeSheet(sheetOf('n'), sheetOf('h'), sheetOf('d'), checkedLook ? sheetOf('c') : QString());
        b->setIconPixmap(solid('n'), solid('h'), solid('d'), checkedLook ? solid('c') : QPixmap());
        return kit(
            b, QRect(100, 100, 30, 30),
            [b](char look) {
                return b->backgroundLabel()->styleSheet() == sheetOf(look)
                    && b->iconLabel()->pixmap(Qt::ReturnByValue).toImage() == solid(look).toImage();
            },
            checks(b));
    }
    if (is("BgIconTextButton")) {
        auto* b = new BgIconTextButton(m_host);
        b->setTextStyeSheet(sheetOf('n'), sheetOf('h'), sheetOf('d'), sheetOf('c'));
        return kit(
            b, wide, [b](char look) { return b->textLabel()->styleSheet() == sheetOf(look); }, checks(b));
    }
    if (is("LabelButton")) {
        auto* b = new LabelButton(m_host);
        b->setLabelStyleSheet(sheetOf('n'), sheetOf('h'), sheetOf('d'), sheetOf('c'));
        // The checked sheet follows the normal one.
        return kit(
            b, wide,
            [b](char look) { return b->styleSheet() == (look == 'c' ? sheetOf('n') + sheetOf('c') : sheetOf(look)); },
            checks(b));
    }
    if (kind.startsWith(QLatin1String("MyTempButton2"))) {
        auto* b = new MyTempButton2(m_host);
        b->setStyleSheets(sheetOf('n'), is("MyTempButton2") ? sheetOf('h') : QString(), sheetOf('d'));
        return kit(b, wide, [b](char look) { return b->styleSheet() == sheetOf(look); });
    }
    if (is("MyTempButton1")) {
        auto* b = new MyTempButton1(m_host);
        b->setColor(colourOf('n').name(), colourOf('h').name(), colourOf('d').name());
        return kit(b, wide, [b](char look) { return shows(b, solid(look)); });
    }
    auto* b = new MyLinkPushButton(m_host);
    b->setLinkText(QStringLiteral("n"), QStringLiteral("h"), QStringLiteral("p"));
    return kit(b, wide, [b](char look) { return b->text() == QLatin1Char(look); });
}

void TestButtons::script_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("emitted");
    const auto add = [](const char* kind, const char* name, const char* script, const char* emitted) {
        QTest::addRow("%s: %s", kind, name) << kind << script << emitted;
    };
    const char* const push = "MyPushButton";
    const char* const allLooks = "=n enter =h press =p release =n leave =n enter =h leave off =d on =n";
    const char* const allSignals = "enterButton Pressclicked clicked leaveButton enterButton leaveButton";
    add(push, "each look in turn", allLooks, allSignals);
    add("MyPushButton, solid colours", "each look in turn", allLooks, allSignals);
    add(push, "disabled while hovered", "enter off =d", "enterButton");
    add(push, "own flag blocks the mouse",
        "off qt-on enter =d press =d release other-enter other-leave leave =d on =n enter =h", "enterButton");
    add(push, "driven by another widget", "other-enter =h other-leave =n", "enterButton leaveButton");
    add(push, "released far outside", "enter press away =n", "enterButton Pressclicked clicked leaveButton");
    add(push, "a new cell shows after a state change", "new-cell =n enter leave =p", "enterButton leaveButton");
    add(push, "or after re-arranging", "new-cell =n align =p", "");
    add(push, "setGeometry rescales", "size76x76 =n size20x40 =n enter =h size50x50 =n", "enterButton");
    add("MyPushButton, text in arrangement 6", "text label clicks, sheets follow the flag",
        "press release off =d qt-on press release on =n", "enterButton clicked");
    const char* const bgSignals = "mouseEnter Pressclicked clicked clicked(button) mouseLeave";
    add("BgIconButton", "each look, then own flag off",
        "=n enter =h press =h release =n leave =n off =d qt-on enter press release =d", bgSignals);
    add("BgIconButton", "checked look returns after leave", "check =c enter =h press =h release =c leave =c",
        bgSignals);
    add("BgIconButton without a checked look", "checked keeps normal", "check =n enter leave =n",
        "mouseEnter mouseLeave");
    add("BgIconTextButton", "checked text after leave", "=n enter =h check press release leave =c", bgSignals);
    add("LabelButton", "checked sheet follows normal", "=n enter =h press release check =c leave =c off =d",
        "mouseEnter Pressclicked clicked mouseLeave");
    add("MyTempButton2", "each look, then own flag off",
        "=n enter =h press release leave =n off =d qt-on enter =d press release =d",
        "Pressclicked clicked clicked(button)");
    add("MyTempButton2 without a hover sheet", "keeps normal while hovered", "enter =n", "");
    add("MyTempButton1", "each colour, then own flag off",
        "=n enter =h press release leave =n off =d qt-on enter =d press release", "clicked");
    add("MyLinkPushButton", "texts", "=n enter =h press =p release =p leave =n", "clicked");
}

// Runs a script of pointer actions and button calls; "=x" checks the look x.
void TestButtons::script()
{
    QFETCH(QString, kind);
    QFETCH(QString, script);
    QFETCH(QString, emitted);
    const Kit k = make(kind);
    k.button->show();
    const QMetaObject* type = k.button->metaObject();
    for (int i = QWidget::staticMetaObject.methodCount(); i < type->methodCount(); ++i) {
        if (type->method(i).methodType() == QMetaMethod::Signal)
            QMetaObject::connect(k.button, i, this, metaObject()->indexOfSlot("noteSignal()"));
    }
    for (const QString& action : script.split(QLatin1Char(' '))) {
        if (action.startsWith(QLatin1Char('=')))
            QVERIFY2(k.shows(action.at(1).toLatin1()), qPrintable(QStringLiteral("look ") + action));
        else if (action == QLatin1String("enter"))
            QTest::mouseMove(m_host, centre(k.button));
        else if (action == QLatin1String("leave"))
            QTest::mouseMove(m_host, kAway);
        else if (action == QLatin1String("press"))
            QTest::mousePress(m_host, Qt::LeftButton, {}, centre(k.button));
        else if (action == QLatin1String("release"))
            QTest::mouseRelease(m_host, Qt::LeftButton, {}, centre(k.button));
        else if (action == QLatin1String("away")) { // drag far outside and let go there
            QTest::mouseMove(m_host, kAway);
            QTest::mouseRelease(m_host, Qt::LeftButton, {}, kAway);
        } else if (action == QLatin1String("qt-on")) // the framework's flag alone
            k.button->QWidget::setEnabled(true);
        else
            k.act(action);
    }
    QCOMPARE(m_seen.join(QLatin1Char(' ')), emitted);
}

void TestButtons::iconPictures()
{
    auto* button = new BgIconButton(m_host);
    button->setGeometry(100, 100, 30, 30);
    button->show();
    const QPixmap arrow = solid('n', QSize(16, 8));
    button->setIconPixmap(arrow, arrow, arrow, arrow);
    const auto shown = [button] { return button->iconLabel()->pixmap(Qt::ReturnByValue).size(); };
    button->setIconRotate(90);
    QCOMPARE(shown(), QSize(8, 16));
    button->setIconRotate(90); // turns the picture as given, not the turned one
    QCOMPARE(shown(), QSize(8, 16));
    button->setChecked(true); // the checked picture is not turned
    QCOMPARE(shown(), QSize(16, 8));
    button->setIconPixmap(QPixmap(60, 60), QPixmap(), QPixmap(), QPixmap());
    button->setChecked(false);
    QCOMPARE(shown(), QSize(30, 30)); // shrunk into the button
}

MORVAYNE_TEST_MAIN(TestButtons)
#include "tst_buttons.moc"

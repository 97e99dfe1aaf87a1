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
#include "toolkit/mytempbutton5.h"
#include "toolkit/toolkitresources.h"

#include <QPainter>

#include <functional>

using namespace MyQtCustom;

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ToolkitResources::init(); }
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
    // Looks are named n(ormal), h(over), p(ressed), d(isabled) and c(hecked).
    static QString sheetOf(char look) { return QStringLiteral("QLabel{color:#0000%1;}").arg(int(look), 2, 16); }
    static QColor colourOf(char look) { return QColor(look, 100, 200); }
    static QPixmap solid(char look, QSize size = {16, 16})
    {
        QPixmap pixmap(size);
        pixmap.fill(colourOf(look));
        return pixmap;
    }
    // Four cells stacked with a black row between them, no two pixels alike,
    // so a wrong cell or a cell cut one pixel off shows in the pixels.
    static QRect cellOf(char look) { return QRect(0, QByteArray("nhpd").indexOf(look) * (kCell + 1), kCell, kCell); }
    static QPixmap testSheet();
    // What the pointer sees: the window's pixels under the widget, against the
    // picture scaled to the widget and laid over the window's background.
    static bool shows(QWidget* w, const QPixmap& picture);
    void make(const QString& kind);
    template <class Button> Button* place(Button* b)
    {
        b->setGeometry(50, 50, 100, 30); // a picture button's own setGeometry lays out its picture
        m_button = b;
        return b;
    }
    // Calls `f` with the button as the first of the types that it is; the
    // buttons' own setEnabled and setChecked are not the framework's.
    template <class... Buttons, class F> void as(F f)
    {
        (void)(... || (qobject_cast<Buttons*>(m_button) && (f(qobject_cast<Buttons*>(m_button)), true)));
    }
    QPoint centre() const { return m_button->mapTo(m_host, m_button->rect().center()); }

    static constexpr int kCell = 20;
    const QPoint kAway{390, 290}; // where no button appears
    QWidget* m_host = nullptr;
    QWidget* m_button = nullptr;
    std::function<bool(char)> m_shows; // whether the button shows a look
    QStringList m_seen;
};

QPixmap TestButtons::testSheet()
{
    QImage sheet(kCell, 4 * (kCell + 1), QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < kCell; ++x)
            sheet.setPixel(x, y, y % (kCell + 1) == kCell ? 0 : qRgb(x * 12, y * 3, (x + y) % 2 * 255));
    return QPixmap::fromImage(sheet);
}

bool TestButtons::shows(QWidget* w, const QPixmap& picture)
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

// Builds the button of a row's kind with a sheet, picture or text per look.
void TestButtons::make(const QString& kind)
{
    const auto is = [&kind](const char* name) { return kind.startsWith(QLatin1String(name)); };
    const bool without = kind.endsWith(QLatin1String("without")); // a checked look, or a hover sheet
    if (is("MyPushButton")) {
        auto* b = place(new MyPushButton(m_host));
        if (kind.endsWith(QLatin1Char('6'))) {
            b->setText(QStringLiteral("Link"));
            b->setTextStyleSheets(sheetOf('n'), sheetOf('d'));
            m_shows = [b](char look) { return b->textLabel()->styleSheet() == sheetOf(look); };
        } else { // a sprite sheet, as every picture button of the application
            b->bgPixmap = testSheet();
            b->useBgPixmap = true;
            b->SetnormalPicRect(0, cellOf('n').y(), kCell, kCell);
            b->SethighlightPicRect(0, cellOf('h').y(), kCell, kCell);
            b->SetclickPicRect(0, cellOf('p').y(), kCell, kCell);
            b->SetdisablePicRect(0, cellOf('d').y(), kCell, kCell);
            m_shows = [b](char look) { return shows(b, b->bgPixmap.copy(cellOf(look))); };
        }
        b->SetPicAlignFlags(kind.endsWith(QLatin1Char('6')) ? 6 : 3);
    } else if (is("BgIconButton")) {
        auto* b = place(new BgIconButton(m_host));
        b->setBgStyeSheet(sheetOf('n'), sheetOf('h'), sheetOf('d'), without ? QString() : sheetOf('c'));
        b->setIconPixmap(solid('n'), solid('h'), solid('d'), without ? QPixmap() : solid('c'));
        m_shows = [b](char look) {
            return b->backgroundLabel()->styleSheet() == sheetOf(look)
                && b->iconLabel()->pixmap(Qt::ReturnByValue).toImage() == solid(look).toImage();
        };
    } else if (is("BgIconTextButton")) {
        auto* b = place(new BgIconTextButton(m_host));
        b->setTextStyeSheet(sheetOf('n'), sheetOf('h'), sheetOf('d'), sheetOf('c'));
        m_shows = [b](char look) { return b->textLabel()->styleSheet() == sheetOf(look); };
    } else if (is("LabelButton")) { // the checked sheet follows the normal one
        auto* b = place(new LabelButton(m_host));
        b->setLabelStyleSheet(sheetOf('n'), sheetOf('h'), sheetOf('d'), sheetOf('c'));
        m_shows
            = [b](char look) { return b->styleSheet() == (look == 'c' ? sheetOf('n') + sheetOf('c') : sheetOf(look)); };
    } else if (is("MyTempButton2")) {
        auto* b = place(new MyTempButton2(m_host));
        b->setStyleSheets(sheetOf('n'), without ? QString() : sheetOf('h'), sheetOf('d'));
        m_shows = [b](char look) { return b->styleSheet() == sheetOf(look); };
    } else if (is("MyTempButton5")) { // a picture button on the coloured one
        auto* b = place(new MyTempButton5(m_host));
        b->bgPixmap = testSheet();
        b->SetnormalPicRect(0, cellOf('n').y(), kCell, kCell);
        b->SethighlightPicRect(0, cellOf('h').y(), kCell, kCell);
        b->SetclickPicRect(0, cellOf('p').y(), kCell, kCell);
        b->SetdisablePicRect(0, cellOf('d').y(), kCell, kCell);
        b->setEnabled(true);
        m_shows = [b](char look) { return shows(b, b->bgPixmap.copy(cellOf(look))); };
    } else if (is("MyTempButton1")) {
        auto* b = place(new MyTempButton1(m_host));
        b->setColor(colourOf('n').name(), colourOf('h').name(), colourOf('d').name());
        m_shows = [b](char look) { return shows(b, solid(look)); };
    } else {
        auto* b = place(new MyLinkPushButton(m_host));
        b->setLinkText(QStringLiteral("n"), QStringLiteral("h"), QStringLiteral("p"));
        m_shows = [b](char look) { return b->text() == QLatin1Char(look); };
    }
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
    add(push, "each look in turn", "=n enter =h press =p release =n leave =n enter =h leave off =d on =n",
        "enterButton Pressclicked clicked leaveButton enterButton leaveButton");
    add(push, "own flag blocks the mouse",
        "off qt-on enter =d press =d release other-enter other-leave leave =d on =n enter =h", "enterButton");
    add(push, "driven by another widget", "other-enter =h other-leave =n", "enterButton leaveButton");
    add(push, "released far outside", "enter press leave drop =n", "enterButton Pressclicked clicked leaveButton");
    add(push, "a new normal cell (the pressed one) shows after re-arranging", "new-cell =n align =p", "");
    add(push, "setGeometry rescales", "square =n tall =n enter =h", "enterButton");
    add("MyPushButton, arrangement 6", "text label clicks, sheets follow the flag",
        "press release off =d qt-on press release on =n", "enterButton clicked");
    const char* const bgSignals = "mouseEnter Pressclicked clicked clicked(button) mouseLeave";
    add("BgIconButton", "each look, then own flag off",
        "=n enter =h press =h release =n leave =n off =d qt-on enter press release =d", bgSignals);
    add("BgIconButton", "checked after leave", "check =c enter =h press =h release =c leave =c", bgSignals);
    add("BgIconButton without", "a checked look is normal", "check =n enter leave =n", "mouseEnter mouseLeave");
    add("BgIconTextButton", "checked text after leave", "=n enter =h check press release leave =c", bgSignals);
    add("LabelButton", "checked sheet follows normal", "check =c enter =h leave =c", "mouseEnter mouseLeave");
    add("MyTempButton2", "own flag", "=n enter =h press release leave =n off =d qt-on enter =d press release =d",
        "Pressclicked clicked clicked(button)");
    add("MyTempButton2 without", "a hover sheet keeps normal", "enter =n", "");
    add("MyTempButton1", "colours", "=n enter =h leave =n off =d", "");
    add("MyTempButton5", "each cell, then own flag off",
        "=n enter =h press =p release =n leave =n off =d qt-on enter press release =d", "clicked");
    add("MyLinkPushButton", "texts", "=n enter =h press =p release =p leave =n", "clicked");
}

// Runs a script of pointer actions and button calls; "=x" checks the look x.
void TestButtons::script()
{
    QFETCH(QString, kind);
    QFETCH(QString, script);
    QFETCH(QString, emitted);
    QWidget host;
    m_host = &host;
    host.setGeometry(0, 0, 400, 300);
    host.setAutoFillBackground(true);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    // The pointer rests far away. Two moves: the first into a new window may
    // count as no move at all.
    QCursor::setPos(host.mapToGlobal(kAway));
    QTest::mouseMove(&host, kAway - QPoint(5, 5));
    QTest::mouseMove(&host, kAway);
    m_seen.clear();
    make(kind);
    m_button->show();
    const QMetaObject* type = m_button->metaObject();
    for (int i = QWidget::staticMetaObject.methodCount(); i < type->methodCount(); ++i) {
        if (type->method(i).methodType() == QMetaMethod::Signal)
            QMetaObject::connect(m_button, i, this, metaObject()->indexOfSlot("noteSignal()"));
    }
    auto* push = qobject_cast<MyPushButton*>(m_button);
    const auto own = [&](bool on) {
        as<MyPushButton, BgIconButton, MyTempButton2, MyTempButton1>([on](auto* b) { b->setEnabled(on); });
    };
    const QHash<QString, std::function<void()>> actions = {
        {QStringLiteral("enter"), [&] { QTest::mouseMove(m_host, centre()); }},
        {QStringLiteral("leave"), [&] { QTest::mouseMove(m_host, kAway); }},
        {QStringLiteral("press"), [&] { QTest::mousePress(m_host, Qt::LeftButton, {}, centre()); }},
        {QStringLiteral("release"), [&] { QTest::mouseRelease(m_host, Qt::LeftButton, {}, centre()); }},
        {QStringLiteral("drop"), [&] { QTest::mouseRelease(m_host, Qt::LeftButton, {}, kAway); }}, // far away
        {QStringLiteral("qt-on"), [&] { m_button->QWidget::setEnabled(true); }}, // the framework's flag alone
        {QStringLiteral("off"), [&] { own(false); }},
        {QStringLiteral("on"), [&] { own(true); }},
        {QStringLiteral("check"), [&] { as<BgIconButton, LabelButton>([](auto* b) { b->setChecked(true); }); }},
        {QStringLiteral("other-enter"), [&] { push->OtherMouseEnter(); }},
        {QStringLiteral("other-leave"), [&] { push->OtherMouseLeave(); }},
        {QStringLiteral("new-cell"), [&] { push->SetnormalPicRect(0, cellOf('p').y(), kCell, kCell); }},
        {QStringLiteral("align"), [&] { push->SetPicAlignFlags(3); }},
        {QStringLiteral("square"), [&] { push->setGeometry(QRect(push->pos(), QSize(76, 76))); }},
        {QStringLiteral("tall"), [&] { push->setGeometry(QRect(push->pos(), QSize(20, 40))); }},
    };
    const QStringList steps = script.split(QLatin1Char(' '));
    for (int i = 0; i < steps.size(); ++i) {
        const QString& action = steps.at(i);
        const QString where = QStringLiteral("step %1 (%2): ").arg(i + 1).arg(action);
        if (action.startsWith(QLatin1Char('=')))
            QVERIFY2(m_shows(action.at(1).toLatin1()), qPrintable(where + QStringLiteral("another look shows")));
        else if (actions.contains(action))
            actions.value(action)();
        else
            QFAIL(qPrintable(where + QStringLiteral("unknown action")));
    }
    QCOMPARE(m_seen.join(QLatin1Char(' ')), emitted);
}

void TestButtons::iconPictures()
{
    BgIconButton button;
    button.resize(100, 30);
    const QPixmap arrow = solid('n', QSize(16, 8));
    button.setIconPixmap(arrow, arrow, arrow, arrow);
    const auto shown = [&button] { return button.iconLabel()->pixmap(Qt::ReturnByValue).size(); };
    button.setIconRotate(90);
    button.setIconRotate(90); // turns the picture as given, not the turned one
    QCOMPARE(shown(), QSize(8, 16));
    button.setChecked(true); // the checked picture is not turned
    QCOMPARE(shown(), QSize(16, 8));
    button.setIconPixmap(QPixmap(60, 60), QPixmap(), QPixmap(), QPixmap());
    button.setChecked(false);
    QCOMPARE(shown(), QSize(30, 30)); // shrunk into the button
}

MORVAYNE_TEST_MAIN(TestButtons)
#include "tst_buttons.moc"

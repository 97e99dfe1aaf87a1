#include "morvaynetest.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/labelbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"
#include "toolkit/windowutils.h"

#include <QLabel>
#include <QUrl>

using MyQtCustom::LabelButton;

class TestMyQMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void box_data();
    void box();

private:
    QWidget m_main;
};

void TestMyQMessageBox::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_main.setGeometry(100, 80, 1140, 672);
    MyQtCustom::WindowUtils::RegisterMainWindow(
        &m_main, QStringLiteral("Quillfen"), QStringLiteral("Morvayne"), QStringLiteral("5.9.71"));
}

void TestMyQMessageBox::box_data()
{
    QTest::addColumn<bool>("information");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<int>("iconType");
    QTest::addColumn<int>("extra");   // height beyond the text's own
    QTest::addColumn<QString>("way"); // the button of the result, Escape or closing the window
    QTest::addColumn<int>("result");
    const auto add = [](const char* name, bool info, const char* title, const char* ok, const char* cancel, int icon,
                         int extra, const char* way, int result) {
        QTest::addRow("%s: %s", info ? "information" : "warning", name)
            << info << QString::fromLatin1(title) << QString::fromLatin1(ok) << QString::fromLatin1(cancel) << icon
            << extra << QString::fromLatin1(way) << result;
    };
    for (bool info : {false, true}) {
        add("close button", info, "Question", "OK", "Cancel", 5, 180, "button", 0);
        add("OK", info, "Question", "OK", "Cancel", 5, 180, "button", 1);
        add("Cancel", info, "Question", "OK", "Cancel", 5, 180, "button", 2);
        add("Escape", info, "Question", "OK", "Cancel", 5, 180, "escape", 0);
        add("window closed", info, "Question", "OK", "Cancel", 5, 180, "window", 0);
    }
    add("OK alone, icon 0", false, "Warning", "OK", "", 0, 180, "button", 1);
    add("no title, long Cancel alone, icon 1", false, "", "", "Download and reinstall now", 1, 132, "button", 2);
    add("no buttons, icon -1", false, "Note", "", "", -1, 156, "button", 0);
    add("nothing but text, icon 2", true, "", "", "", 2, 108, "button", 0);
}

// Runs the static function; once its modal loop shows the box, checks the
// layout and closes the box the row's way.
void TestMyQMessageBox::box()
{
    QFETCH(bool, information);
    QFETCH(QString, title);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    QFETCH(int, iconType);
    QFETCH(int, extra);
    QFETCH(QString, way);
    QFETCH(int, result);
    // Links go through the replaceable opener, which the test guard replaces
    // with a recorder, so no browser ever starts here.
    TestEnv::clearOpenedUrls();
    const auto check = [&](MyQMessageBox* box) {
        QCOMPARE(box->width(), 480);
        QCOMPARE(box->geometry().center(), m_main.geometry().center());
        QLabel* label = box->textLabel();
        QVERIFY2(label->height() > 2 * QFontMetrics(label->font()).height(), "the long text wraps");
        QCOMPARE(box->height(), label->height() + extra);
        emit label->linkActivated(QStringLiteral("https://example.invalid/help"));
        QCOMPARE(bool(box->titleLabel() && box->titleLabel()->isVisible()), !title.isEmpty());

        const QString icons[]
            = {SpriteCells::LoginOk1Picture, SpriteCells::LoginOk2Picture, SpriteCells::LoginNo1Picture};
        const bool hasIcon = iconType >= 0 && iconType <= 2;
        QCOMPARE(bool(box->iconLabel() && box->iconLabel()->isVisible()), hasIcon);
        QCOMPARE(label->x(), hasIcon ? 90 : 30);
        // Beside the icon as without one, the text keeps 30 pixels clear of the right edge.
        QCOMPARE(label->geometry().right() + 1, 480 - 30);
        if (hasIcon) {
            const QRect icon = box->iconLabel()->geometry();
            QCOMPARE(icon, QRect(30, icon.y(), 48, 48));
            QVERIFY(qAbs(icon.center().y() - label->geometry().center().y()) <= 1);
            QCOMPARE(box->iconLabel()->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32),
                QImage(icons[iconType]).convertToFormat(QImage::Format_ARGB32));
        }

        QCOMPARE(box->okButton() != nullptr, !ok.isEmpty());
        QCOMPARE(box->cancelButton() != nullptr, !cancel.isEmpty());
        const bool both = box->okButton() && box->cancelButton();
        for (LabelButton* b : {box->okButton(), box->cancelButton()}) {
            if (!b)
                continue;
            QFont font = b->font();
            font.setPixelSize(14);
            const int wide = qMax(120, QFontMetrics(font).horizontalAdvance(b->text()) + 32);
            QVERIFY(b->y() > label->geometry().bottom());
            QCOMPARE(b->geometry(), QRect(both ? b->x() : 240 - wide / 2, box->height() - 54, wide, 32));
        }
        if (both)
            QVERIFY(box->okButton()->geometry().right() + 1 == 240 - 20 && box->cancelButton()->x() == 240 + 20);
        // information takes its buttons from the palette, warning has its own red one.
        if (box->okButton() && information)
            QCOMPARE(box->okButton()->styleSheet(),
                SkinHelper::GetInstance()->GetNormalButtonQSS(0, 14, 16, 0, true, true, true, true));
        else if (box->okButton())
            QVERIFY(box->okButton()->styleSheet().contains(QLatin1String("background-color:#ff0000")));
    };
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<MyQMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll.stop();
        check(box);
        const QList<QWidget*> buttons = {box->closeButton(), box->okButton(), box->cancelButton()};
        if (way == QLatin1String("escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else if (way == QLatin1String("button"))
            QTest::mouseClick(buttons.at(result), Qt::LeftButton);
        if (box->isVisible()) // the window closed, or a check failed: never leave the loop hanging
            box->close();
    });
    poll.start(10);
    const QString text = QStringLiteral("Lost the ffmpeg file, please <a href=\"https://example.invalid/help\">"
                                        "download</a> and reinstall the application. ");
    QCOMPARE(information ? MyQMessageBox::information(title, text.repeated(3), ok, cancel, iconType)
                         : MyQMessageBox::warning(title, text.repeated(3), ok, cancel, iconType),
        result);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(TestEnv::openedUrls(), QList<QUrl>{QUrl(QStringLiteral("https://example.invalid/help"))});
}

MORVAYNE_TEST_MAIN(TestMyQMessageBox)
#include "tst_myqmessagebox.moc"

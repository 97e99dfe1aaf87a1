#include "common/qcommonutils.h"
#include "morvaynetest.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/labelbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"

#include <QLabel>
#include <QUrl>

#include <functional>

using MyQtCustom::LabelButton;
using MyQtCustom::QCommonUtils;

class TestMyQMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void closing_data();
    void closing();
    void layout_data();
    void layout();
    void links();

private:
    QWidget m_main;
};

namespace {

// Runs a static box function; once its modal loop shows the box, hands the
// box to `act`, which inspects it and closes it.
int runModal(const std::function<int()>& call, const std::function<void(MyQMessageBox*)>& act)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll, &act] {
        auto* box = qobject_cast<MyQMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible()) {
            poll.stop();
            act(box);
            // A failed check returns early; never leave the loop hanging.
            if (box->isVisible())
                box->close();
        }
    });
    poll.start(10);
    return call();
}

} // namespace

void TestMyQMessageBox::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_main.setGeometry(100, 80, 1140, 672);
    QCommonUtils::RegisterMainWindow(
        &m_main, QStringLiteral("Quillfen"), QStringLiteral("Morvayne"), QStringLiteral("5.9.71"));
}

void TestMyQMessageBox::closing_data()
{
    QTest::addColumn<bool>("information");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");
    for (bool info : {false, true}) {
        const char* kind = info ? "information" : "warning";
        QTest::addRow("%s, close button", kind) << info << QStringLiteral("close") << 0;
        QTest::addRow("%s, OK", kind) << info << QStringLiteral("ok") << 1;
        QTest::addRow("%s, Cancel", kind) << info << QStringLiteral("cancel") << 2;
        QTest::addRow("%s, Escape", kind) << info << QStringLiteral("escape") << 0;
        QTest::addRow("%s, window closed", kind) << info << QStringLiteral("window") << 0;
    }
}

void TestMyQMessageBox::closing()
{
    QFETCH(bool, information);
    QFETCH(QString, way);
    QFETCH(int, result);
    const auto call = [information] {
        const QString title = QStringLiteral("Question"), text = QStringLiteral("Go on?");
        return information ? MyQMessageBox::information(title, text, QStringLiteral("OK"), QStringLiteral("Cancel"), 5)
                           : MyQMessageBox::warning(title, text, QStringLiteral("OK"), QStringLiteral("Cancel"), 5);
    };
    const int got = runModal(call, [&](MyQMessageBox* box) {
        // information takes its buttons from the palette, warning has its own red one.
        const SkinHelper* skin = SkinHelper::GetInstance();
        if (information)
            QCOMPARE(box->okButton()->styleSheet(), skin->GetNormalButtonQSS(0, 14, 16, 0, true, true, true, true));
        else
            QVERIFY(box->okButton()->styleSheet().contains(QLatin1String("background-color:#ff0000")));
        if (way == QLatin1String("close"))
            QTest::mouseClick(box->closeButton(), Qt::LeftButton);
        else if (way == QLatin1String("ok"))
            QTest::mouseClick(box->okButton(), Qt::LeftButton);
        else if (way == QLatin1String("cancel"))
            QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
        else if (way == QLatin1String("escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });
    QCOMPARE(got, result);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMyQMessageBox::layout_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<int>("iconType");
    QTest::addColumn<int>("extra"); // height beyond the text's own
    const auto add = [](const char* name, const char* title, const char* ok, const char* cancel, int icon, int extra) {
        QTest::newRow(name) << QString::fromLatin1(title) << QString::fromLatin1(ok) << QString::fromLatin1(cancel)
                            << icon << extra;
    };
    add("title and two buttons", "Warning", "OK", "Cancel", 5, 180);
    add("title and OK, icon 0", "Warning", "OK", "", 0, 180);
    add("no title, long Cancel, icon 1", "", "", "Download and reinstall now", 1, 132);
    add("no title, icon 2", "", "OK", "", 2, 132);
    add("no buttons, icon -1", "Note", "", "", -1, 156);
    add("nothing but text", "", "", "", 5, 108);
}

void TestMyQMessageBox::layout()
{
    QFETCH(QString, title);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    QFETCH(int, iconType);
    QFETCH(int, extra);
    const QString text = QStringLiteral("Lost the ffmpeg file, please download and reinstall the application. ");
    runModal([&] { return MyQMessageBox::warning(title, text.repeated(3), ok, cancel, iconType); },
        [&](MyQMessageBox* box) {
            QCOMPARE(box->width(), 480);
            // Centred over the main window.
            QCOMPARE(box->geometry().center(), m_main.geometry().center());
            QLabel* label = box->textLabel();
            QVERIFY2(label->height() > 2 * QFontMetrics(label->font()).height(), "the long text wraps");
            QCOMPARE(box->height(), label->height() + extra);
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
                QCOMPARE(icon.topLeft().x(), 30);
                QCOMPARE(icon.size(), QSize(48, 48));
                QVERIFY(qAbs(icon.center().y() - label->geometry().center().y()) <= 1);
                QCOMPARE(box->iconLabel()->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32),
                    QImage(icons[iconType]).convertToFormat(QImage::Format_ARGB32));
            }

            QCOMPARE(box->okButton() != nullptr, !ok.isEmpty());
            QCOMPARE(box->cancelButton() != nullptr, !cancel.isEmpty());
            for (LabelButton* b : {box->okButton(), box->cancelButton()}) {
                if (!b)
                    continue;
                QCOMPARE(b->y(), box->height() - 54);
                QVERIFY(b->y() > label->geometry().bottom());
                QFont font = b->font();
                font.setPixelSize(14);
                QCOMPARE(b->size(), QSize(qMax(120, QFontMetrics(font).horizontalAdvance(b->text()) + 32), 32));
                if (!(box->okButton() && box->cancelButton()))
                    QCOMPARE(b->x() + b->width() / 2, 240);
            }
            if (box->okButton() && box->cancelButton()) {
                QCOMPARE(box->okButton()->geometry().right() + 1, 240 - 20);
                QCOMPARE(box->cancelButton()->x(), 240 + 20);
            }
            QTest::mouseClick(box->closeButton(), Qt::LeftButton);
        });
}

void TestMyQMessageBox::links()
{
    // Links go through a replaceable opener, so no browser ever starts here.
    QList<QUrl> opened;
    MyQMessageBox::setUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return false; // nobody handles it: ignored
    });
    MyQMessageBox box(480, 252, nullptr);
    box.setText(QStringLiteral("See <a href=\"https://example.invalid/help\">help</a>."));
    emit box.textLabel()->linkActivated(QStringLiteral("https://example.invalid/help"));
    MyQMessageBox::setUrlOpener({});
    QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.invalid/help"))});
}

MORVAYNE_TEST_MAIN(TestMyQMessageBox)
#include "tst_myqmessagebox.moc"

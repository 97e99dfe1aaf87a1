#include "common/interfacescale.h"
#include "common/qcommonutils.h"
#include "morvaynetest.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/labelbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/skinhelper.h"
#include "toolkit/toolkitresources.h"

#include <QApplication>
#include <QLabel>
#include <QMovie>
#include <QTimer>
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
    void iconTypes_data();
    void iconTypes();
    void paletteButtons();
    void longButtonText();
    void centredOnMainWindow();
    void links();
    void waitAnimationStopsOnClose();
    void panelAndTitle();
};

namespace {

// Runs a static box function; once its modal loop shows the box, hands the
// box to `act`, which inspects it and closes it.
int runModal(const std::function<int()>& call, const std::function<void(MyQMessageBox*)>& act)
{
    bool acted = false;
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [&acted, &act, poll] {
        auto* box = qobject_cast<MyQMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            QTimer::singleShot(10, *poll);
            return;
        }
        acted = true;
        act(box);
    };
    QTimer::singleShot(0, *poll);
    // Never hang the run: a box nobody closed goes after a while.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(10000);
    const int result = call();
    *poll = [] {};
    if (!acted)
        qWarning("the box never showed");
    return result;
}

void clickLabel(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

} // namespace

void TestMyQMessageBox::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    QCommonUtils::InitName(QStringLiteral("Quillfen"), QStringLiteral("Morvayne"));
}

void TestMyQMessageBox::closing_data()
{
    QTest::addColumn<bool>("information");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");
    for (bool info : {false, true}) {
        const char* kind = info ? "information" : "warning";
        QTest::addRow("%s, close button", kind) << info << "close" << 0;
        QTest::addRow("%s, OK", kind) << info << "ok" << 1;
        QTest::addRow("%s, Cancel", kind) << info << "cancel" << 2;
        QTest::addRow("%s, Escape", kind) << info << "escape" << 0;
        QTest::addRow("%s, window closed", kind) << info << "window" << 0;
    }
}

void TestMyQMessageBox::closing()
{
    QFETCH(bool, information);
    QFETCH(QString, way);
    QFETCH(int, result);
    const auto call = [information] {
        const QString title = QStringLiteral("Question");
        const QString text = QStringLiteral("Go on?");
        const QString ok = QStringLiteral("OK");
        const QString cancel = QStringLiteral("Cancel");
        return information ? MyQMessageBox::information(title, text, ok, cancel, 5)
                           : MyQMessageBox::warning(title, text, ok, cancel, 5);
    };
    const int got = runModal(call, [way](MyQMessageBox* box) {
        if (way == QLatin1String("close"))
            clickLabel(box->closeButton());
        else if (way == QLatin1String("ok"))
            clickLabel(box->okButton());
        else if (way == QLatin1String("cancel"))
            clickLabel(box->cancelButton());
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
    QTest::addColumn<int>("extra"); // height beyond the text's own
    QTest::newRow("title and two buttons") << "Warning"
                                           << "OK"
                                           << "Cancel" << 180;
    QTest::newRow("title and OK") << "Warning"
                                  << "OK"
                                  << "" << 180;
    QTest::newRow("only Cancel") << ""
                                 << ""
                                 << "Cancel" << 132;
    QTest::newRow("no title") << ""
                              << "OK"
                              << "" << 132;
    QTest::newRow("no buttons") << "Note"
                                << ""
                                << "" << 156;
    QTest::newRow("nothing but text") << ""
                                      << ""
                                      << "" << 108;
}

void TestMyQMessageBox::layout()
{
    QFETCH(QString, title);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    QFETCH(int, extra);
    const QString text
        = QStringLiteral("Lost the ffmpeg file, Please download and reinstall the application. ").repeated(3);
    runModal([&] { return MyQMessageBox::warning(title, text, ok, cancel, 5); },
        [&](MyQMessageBox* box) {
            QCOMPARE(box->width(), 480);
            QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
            QLabel* label = box->textLabel();
            QVERIFY(label->wordWrap());
            QCOMPARE(label->geometry().x(), 30);
            QCOMPARE(label->width(), 420);
            QVERIFY2(label->height() > QFontMetrics(label->font()).height(), "the long text wraps");
            QCOMPARE(box->height(), label->height() + extra);
            QCOMPARE(bool(box->titleLabel() && box->titleLabel()->isVisible()), !title.isEmpty());
            QCOMPARE(box->okButton() != nullptr, !ok.isEmpty());
            QCOMPARE(box->cancelButton() != nullptr, !cancel.isEmpty());
            const int centre = box->width() / 2;
            const int buttonTop = box->height() - 54;
            if (box->okButton() && box->cancelButton()) {
                QCOMPARE(box->okButton()->geometry().right() + 1, centre - 20);
                QCOMPARE(box->cancelButton()->x(), centre + 20);
            }
            for (LabelButton* b : {box->okButton(), box->cancelButton()}) {
                if (!b)
                    continue;
                QCOMPARE(b->y(), buttonTop);
                QCOMPARE(b->size(), QSize(120, 32));
                if (!(box->okButton() && box->cancelButton()))
                    QCOMPARE(b->x() + b->width() / 2, centre);
                // The buttons sit below the text.
                QVERIFY(b->y() > label->geometry().bottom());
            }
            QCOMPARE(box->closeButton()->geometry(), QRect(480 - 35, 12, 24, 24));
            clickLabel(box->closeButton());
        });
}

void TestMyQMessageBox::iconTypes_data()
{
    QTest::addColumn<int>("iconType");
    QTest::addColumn<QString>("picture");
    QTest::newRow("0") << 0 << ":/images/login/ok1.png";
    QTest::newRow("1") << 1 << ":/images/login/ok2.png";
    QTest::newRow("2") << 2 << ":/images/login/no1.png";
    QTest::newRow("5 shows none") << 5 << "";
    QTest::newRow("-1 shows none") << -1 << "";
}

void TestMyQMessageBox::iconTypes()
{
    QFETCH(int, iconType);
    QFETCH(QString, picture);
    runModal(
        [iconType] {
            return MyQMessageBox::information(
                QString(), QStringLiteral("Done."), QStringLiteral("OK"), QString(), iconType);
        },
        [&](MyQMessageBox* box) {
            const bool hasIcon = box->iconLabel() && box->iconLabel()->isVisible();
            QCOMPARE(hasIcon, !picture.isEmpty());
            if (hasIcon) {
                QCOMPARE(box->iconLabel()->geometry().topLeft().x(), 30);
                QCOMPARE(box->iconLabel()->size(), QSize(48, 48));
                QCOMPARE(box->iconLabel()->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32),
                    QImage(picture).convertToFormat(QImage::Format_ARGB32));
                QCOMPARE(box->textLabel()->x(), 90);
                QVERIFY(box->textLabel()->alignment() & Qt::AlignLeft);
                // Beside the icon the text keeps clear of the right edge.
                QVERIFY(box->textLabel()->geometry().right() < box->width() - 20);
            } else {
                QCOMPARE(box->textLabel()->x(), 30);
                QVERIFY(box->textLabel()->alignment() & Qt::AlignHCenter);
            }
            clickLabel(box->okButton());
        });
}

void TestMyQMessageBox::paletteButtons()
{
    const SkinHelper* skin = SkinHelper::GetInstance();
    runModal(
        [] {
            return MyQMessageBox::information(
                QStringLiteral("T"), QStringLiteral("Text"), QStringLiteral("Yes"), QStringLiteral("No"), QPixmap());
        },
        [skin](MyQMessageBox* box) {
            QCOMPARE(box->okButton()->styleSheet(), skin->GetNormalButtonQSS(0, 14, 16, 0, true, true, true, true));
            QCOMPARE(box->cancelButton()->styleSheet(), skin->GetNormalButtonQSS(1, 14, 16, 0, true, true, true, true));
            QCOMPARE(box->okButton()->text(), QStringLiteral("Yes"));
            clickLabel(box->cancelButton());
        });
    runModal(
        [] {
            return MyQMessageBox::warning(
                QStringLiteral("T"), QStringLiteral("Text"), QStringLiteral("Yes"), QStringLiteral("No"), QPixmap());
        },
        [](MyQMessageBox* box) {
            QVERIFY(box->okButton()->styleSheet().contains(QLatin1String("background-color:#ff0000")));
            QVERIFY(box->cancelButton()->styleSheet().contains(QLatin1String("color:#838588")));
            clickLabel(box->cancelButton());
        });
}

void TestMyQMessageBox::longButtonText()
{
    MyQMessageBox box(480, 252, nullptr);
    box.setText(QStringLiteral("Text"));
    const QString longText = QStringLiteral("Download and reinstall now");
    box.setButtons(QStringLiteral("OK"), longText);
    QFont font = box.cancelButton()->font();
    font.setPixelSize(14);
    QCOMPARE(box.cancelButton()->width(), QFontMetrics(font).horizontalAdvance(longText) + 32);
    QCOMPARE(box.okButton()->width(), 120);
    QCOMPARE(box.okButton()->geometry().right() + 1, 240 - 20);
    QCOMPARE(box.cancelButton()->x(), 240 + 20);
}

void TestMyQMessageBox::centredOnMainWindow()
{
    QWidget main;
    main.setGeometry(100, 80, 1140, 672);
    QCommonUtils::RegisterMainWindow(
        &main, QStringLiteral("Quillfen"), QStringLiteral("Morvayne"), QStringLiteral("5.9.71"));
    runModal(
        [] { return MyQMessageBox::warning(QString(), QStringLiteral("Centre"), QStringLiteral("OK"), QString()); },
        [&main](MyQMessageBox* box) {
            QCOMPARE(box->pos(),
                QPoint(main.x() + (main.width() - box->width()) / 2, main.y() + (main.height() - box->height()) / 2));
            clickLabel(box->okButton());
        });
    QCommonUtils::RegisterMainWindow(nullptr, QStringLiteral("Quillfen"), QStringLiteral("Morvayne"), QString());
}

void TestMyQMessageBox::links()
{
    QList<QUrl> opened;
    MyQMessageBox::setUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return false; // nobody handles it: ignored
    });
    MyQMessageBox box(480, 252, nullptr);
    box.setText(QStringLiteral("See <a href=\"https://example.invalid/help\">help</a>."));
    emit box.textLabel()->linkActivated(QStringLiteral("https://example.invalid/help"));
    QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.invalid/help"))});
    QVERIFY(!box.isVisible());
    MyQMessageBox::setUrlOpener({});
}

void TestMyQMessageBox::waitAnimationStopsOnClose()
{
    MyQMessageBox box(480, 252, nullptr);
    box.setWaitText(QStringLiteral("Please wait"));
    box.show();
    QMovie* movie = box.iconLabel()->movie();
    QVERIFY(movie);
    QVERIFY(movie->isValid());
    QCOMPARE(movie->state(), QMovie::Running);
    box.OKButton_slots();
    QCOMPARE(box.resultCode(), 1);
    QVERIFY(!box.isVisible());
    QCOMPARE(movie->state(), QMovie::NotRunning);
}

void TestMyQMessageBox::panelAndTitle()
{
    MyQMessageBox box(480, 252, nullptr);
    QCOMPARE(box.windowTitle(), QStringLiteral("Quillfen Morvayne"));
    QVERIFY(!box.windowIcon().isNull());
    QVERIFY(box.testAttribute(Qt::WA_TranslucentBackground));
    box.setTitle(QStringLiteral("Title"));
    QCOMPARE(box.titleLabel()->styleSheet(), QStringLiteral("QLabel{font-size:14px;color:#333333;}"));
    box.setText(QStringLiteral("Body"), QPixmap(), QStringLiteral("QLabel{color:#123456;}"));
    QCOMPARE(box.textLabel()->styleSheet(), QStringLiteral("QLabel{color:#123456;}"));
    const QList<QWidget*> children = box.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    bool panelFound = false;
    for (QWidget* child : children)
        panelFound |= child->styleSheet()
            == QStringLiteral("QWidget{border: 1px solid #cccccc; border-radius: 6px;background-color:#ffffff;}");
    QVERIFY(panelFound);
    // The close button's cells: hover differs from normal.
    QVERIFY(!box.closeButton()->iconLabel()->pixmap(Qt::ReturnByValue).isNull());
}

MORVAYNE_TEST_MAIN(TestMyQMessageBox)
#include "tst_myqmessagebox.moc"

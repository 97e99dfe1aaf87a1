#include "morvaynetest.h"
#include "toolkit/skinhelper.h"

class TestSkinHelper : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void color_data();
    void color();
    void buttonColor_data();
    void buttonColor();
    void skins_data();
    void skins();
    void buttonSheets_data();
    void buttonSheets();
    void commonSheetKinds_data();
    void commonSheetKinds();
    void scrollBar_data();
    void scrollBar();
    void changeColor_data();
    void changeColor();
    void addedButtonType();
};

namespace {

SkinHelper* skin()
{
    return SkinHelper::GetInstance();
}

QString borders(const QString& colour)
{
    return QStringLiteral("border-left:1px solid %1;border-top:1px solid %1;border-right:1px solid %1;"
                          "border-bottom:1px solid %1;")
        .arg(colour);
}

} // namespace

void TestSkinHelper::init()
{
    skin()->InitColor(0);
}

void TestSkinHelper::cleanupTestCase()
{
    skin()->InitColor(0);
}

void TestSkinHelper::color_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("colour");
    QTest::newRow("as stored") << "line_color"
                               << "#cccccc";
    QTest::newRow("upper case") << "LINE_COLOR"
                                << "#cccccc";
    QTest::newRow("alias") << "linecolor"
                           << "#cccccc";
    QTest::newRow("dash") << "line-color"
                          << "#cccccc";
    QTest::newRow("mixed case dash") << "Line-Color_Select"
                                     << "#888888";
    QTest::newRow("menu alias") << "menubgcolorselect"
                                << "#3573de";
    QTest::newRow("no separator key") << "leftbgcolor"
                                      << "#ffffff";
    QTest::newRow("missing") << "no_such_colour"
                             << "";
    QTest::newRow("empty key") << ""
                               << "";
    QTest::newRow("only in skin 4") << "line_color_trackitem_select"
                                    << "";
}

void TestSkinHelper::color()
{
    QFETCH(QString, key);
    QFETCH(QString, colour);
    QCOMPARE(skin()->GetColor(key), colour);
}

void TestSkinHelper::buttonColor_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("colour");
    QTest::newRow("primary normal") << 0 << 0 << "#3573de";
    QTest::newRow("primary light") << 0 << 1 << "#2559b2";
    QTest::newRow("primary disabled") << 0 << 2 << "#aec2e5";
    QTest::newRow("secondary disabled") << 1 << 2 << "#ffffff";
    QTest::newRow("type 2 normal") << 2 << 0 << "#cc1c24";
    QTest::newRow("type 6 light") << 6 << 1 << "#5273b8";
    QTest::newRow("unknown state is normal") << 6 << 9 << "#3e5b99";
    QTest::newRow("negative state is normal") << 3 << -1 << "#248c1e";
    QTest::newRow("type past the end") << 7 << 0 << "";
    QTest::newRow("negative type") << -1 << 0 << "";
}

void TestSkinHelper::buttonColor()
{
    QFETCH(int, type);
    QFETCH(int, state);
    QFETCH(QString, colour);
    QCOMPARE(skin()->GetButtonColor(type, state), colour);
}

void TestSkinHelper::skins_data()
{
    QTest::addColumn<int>("skinType");
    QTest::addColumn<QString>("rightbg");
    QTest::addColumn<QString>("primary");
    QTest::addColumn<QString>("trackSelect");
    QTest::newRow("0") << 0 << "#3573de"
                       << "#3573de"
                       << "";
    QTest::newRow("1") << 1 << "#00a2ea"
                       << "#0294d5"
                       << "";
    QTest::newRow("2") << 2 << "#4c4f53"
                       << "#db3229"
                       << "";
    QTest::newRow("3") << 3 << "#54585c"
                       << "#3db557"
                       << "";
    QTest::newRow("4") << 4 << "#1f212a"
                       << "#6e43a5"
                       << "#ff0000";
    QTest::newRow("7 falls back to 0") << 7 << "#3573de"
                                       << "#3573de"
                                       << "";
    QTest::newRow("negative falls back to 0") << -3 << "#3573de"
                                              << "#3573de"
                                              << "";
}

void TestSkinHelper::skins()
{
    QFETCH(int, skinType);
    QFETCH(QString, rightbg);
    QFETCH(QString, primary);
    QFETCH(QString, trackSelect);
    // Start from the dark skin so that nothing of it may linger.
    skin()->InitColor(4);
    skin()->InitColor(skinType);
    QCOMPARE(skin()->skinType(), skinType);
    QCOMPARE(skin()->GetColor(QStringLiteral("rightbgcolor")), rightbg);
    QCOMPARE(skin()->GetButtonColor(0, 0), primary);
    QCOMPARE(skin()->GetColor(QStringLiteral("linecolortrackitemselect")), trackSelect);
    // Types 0 and 1 from the skin plus the five shared types, every time.
    QCOMPARE(skin()->buttonTypeCount(), 7);
    QCOMPARE(skin()->GetButtonColor(5, 2), QStringLiteral("#f2a69c"));
}

void TestSkinHelper::buttonSheets_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("expected");
    const SkinHelper* s = skin();
    QTest::newRow("normal primary") << s->GetNormalButtonQSS(0)
                                    << QStringLiteral("QLabel{font-size:14px;color:#ffffff;background-color:#3573de;")
            + borders(QStringLiteral("#3573de")) + QLatin1String("}");
    QTest::newRow("light secondary") << s->GetLightButtonQSS(1)
                                     << QStringLiteral("QLabel{font-size:14px;color:#222222;background-color:#ffffff;")
            + borders(QStringLiteral("#2559b2")) + QLatin1String("}");
    QTest::newRow("disabled type 3") << s->GetDisableButtonQSS(3)
                                     << QStringLiteral("QLabel{font-size:14px;color:#ffffff;background-color:#a3cfa1;")
            + borders(QStringLiteral("#a3cfa1")) + QLatin1String("}");
    QTest::newRow("message box ok")
        << s->GetNormalButtonQSS(0, 14, 16, 0, true, true, true, true)
        << QStringLiteral("QLabel{font-size:14px;border-radius:16px;color:#ffffff;background-color:#3573de;")
            + borders(QStringLiteral("#3573de")) + QLatin1String("}");
    QTest::newRow("weight and some sides")
        << s->GetLightButtonQSS(0, 12, 0, 600, true, false, false, true)
        << QStringLiteral("QLabel{font-size:12px;font-weight:600;color:#ffffff;background-color:#2559b2;"
                          "border-left:1px solid #2559b2;border-top: none;border-right: none;"
                          "border-bottom:1px solid #2559b2;}");
    QTest::newRow("no font size, no borders")
        << s->GetDisableButtonQSS(1, 0, 4, 0, false, false, false, false)
        << QStringLiteral("QLabel{border-radius:4px;color:#cccccc;background-color:#ffffff;"
                          "border-left: none;border-top: none;border-right: none;border-bottom: none;}");
}

void TestSkinHelper::buttonSheets()
{
    QFETCH(QString, sheet);
    QFETCH(QString, expected);
    QCOMPARE(sheet, expected);
}

void TestSkinHelper::commonSheetKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("label") << 1 << "QLabel{color:";
    QTest::newRow("widget") << 0 << "QWidget{color:";
    QTest::newRow("bare") << 5 << "color:";
}

void TestSkinHelper::commonSheetKinds()
{
    QFETCH(int, kind);
    QFETCH(QString, prefix);
    const QString sheet = skin()->getCommonSheet(kind, 2, 0, 0, 0, 1, 2, false, true, false, false);
    QVERIFY2(sheet.startsWith(prefix), qPrintable(sheet));
    QVERIFY(sheet.contains(QStringLiteral("border-top:2px solid #ee2833;")));
    QVERIFY(sheet.endsWith(QLatin1Char('}')));
}

void TestSkinHelper::scrollBar_data()
{
    QTest::addColumn<QString>("orientation");
    QTest::addColumn<QString>("handle");
    QTest::addColumn<QString>("expected");
    QTest::newRow("list default")
        << "vertical"
        << ""
        << "QScrollBar:vertical{border:0px;background:transparent;width:10px;margin-top:0px; "
           "margin-bottom:0px;margin-left:0px;margin-right:0px;}"
           "QScrollBar::handle:vertical {background: #3573de; min-height: 50px;border-radius:5px;}"
           "QScrollBar::add-line:vertical {border: 0px;background:transparent;height: 0px;subcontrol-position: "
           "bottom;subcontrol-origin: margin;}"
           "QScrollBar::sub-line:vertical {border: 0px;background:transparent;height: 0px;subcontrol-position: "
           "top;subcontrol-origin: margin;}"
           "QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical {border: 0px;width: 0px;height: "
           "0px;background: transparent;}"
           "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {background: transparent;}";
    QTest::newRow("horizontal with colour")
        << "horizontal"
        << "#123456"
        << "QScrollBar:horizontal{border:0px;background:transparent;height:10px;margin-top:0px; "
           "margin-bottom:0px;margin-left:0px;margin-right:0px;}"
           "QScrollBar::handle:horizontal {background: #123456; min-height: 50px;border-radius:5px;}"
           "QScrollBar::add-line:horizontal {border: 0px;background:transparent;height: 0px;subcontrol-position: "
           "bottom;subcontrol-origin: margin;}"
           "QScrollBar::sub-line:horizontal {border: 0px;background:transparent;height: 0px;subcontrol-position: "
           "top;subcontrol-origin: margin;}"
           "QScrollBar::up-arrow:horizontal, QScrollBar::down-arrow:horizontal {border: 0px;width: 0px;height: "
           "0px;background: transparent;}"
           "QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal {background: transparent;}";
}

void TestSkinHelper::scrollBar()
{
    QFETCH(QString, orientation);
    QFETCH(QString, handle);
    QFETCH(QString, expected);
    QCOMPARE(skin()->GetQScrollBarQSS(orientation, handle, 10), expected);
}

void TestSkinHelper::changeColor_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("expected");
    QTest::newRow("red to green") << "#ff0000" << 120 << "#00ff00";
    QTest::newRow("green to blue") << "#00ff00" << 120 << "#0000ff";
    QTest::newRow("clamped at the top") << "#0000ff" << 300 << "#ff0000";
    QTest::newRow("clamped at the bottom") << "#00ff00" << -500 << "#ff0000";
    QTest::newRow("named colour") << "red" << 240 << "#0000ff";
    QTest::newRow("zero padded") << "#0a0b0c" << 0 << "#0a0b0c";
    QTest::newRow("no shift keeps the text") << "Red " << 0 << "Red ";
    QTest::newRow("none") << "none" << 30 << "none";
    QTest::newRow("none with blanks") << " none " << 30 << " none ";
    QTest::newRow("grey has no hue") << "#808080" << 90 << "#808080";
    QTest::newRow("not a colour") << "bogus" << 45 << "bogus";
}

void TestSkinHelper::changeColor()
{
    QFETCH(QString, colour);
    QFETCH(int, shift);
    QFETCH(QString, expected);
    QCOMPARE(SkinHelper::getChangeColor(colour, shift), expected);
}

void TestSkinHelper::addedButtonType()
{
    SkinHelper* s = skin();
    s->setButtonbgColor(QStringLiteral("#010101"), QStringLiteral("#020202"), QStringLiteral("#030303"));
    s->setButtontxtColor(QStringLiteral("#111111"), QStringLiteral("#121212"), QStringLiteral("#131313"));
    s->setButtonborderColor(QStringLiteral("#212121"), QStringLiteral("#222222"), QStringLiteral("#232323"));
    QCOMPARE(s->GetButtonColor(7, 1), QStringLiteral("#020202"));
    QCOMPARE(s->getCommonSheet(1, 7, 0, 0, 0, 2, 1, true, false, false, false),
        QStringLiteral("QLabel{color:#131313;background-color:#030303;border-left:1px solid #232323;"
                       "border-top: none;border-right: none;border-bottom: none;}"));

    s->cleanColor();
    QCOMPARE(s->GetColor(QStringLiteral("line_color")), QString());
    QCOMPARE(s->GetButtonColor(0, 0), QString());
    QCOMPARE(s->buttonTypeCount(), 0);
}

MORVAYNE_TEST_GUI_MAIN(TestSkinHelper)
#include "tst_skinhelper.moc"

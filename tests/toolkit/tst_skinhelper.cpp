#include "morvaynetest.h"
#include "toolkit/skinhelper.h"

class TestSkinHelper : public QObject
{
    Q_OBJECT

private slots:
    void colour_data();
    void colour();
    void results_data();
    void results();

private:
    static SkinHelper* skin() { return SkinHelper::GetInstance(); }
};

void TestSkinHelper::colour_data()
{
    QTest::addColumn<int>("skinType");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("colour");
    const auto row = [](const char* name, int skinType, const char* key, const char* colour) {
        QTest::newRow(name) << skinType << QString::fromLatin1(key) << QString::fromLatin1(colour);
    };
    row("as stored", 0, "line_color", "#cccccc");
    row("upper case", 0, "LINE_COLOR", "#cccccc");
    row("alias", 0, "linecolor", "#cccccc");
    row("dash", 0, "line-color", "#cccccc");
    row("mixed case and both separators", 0, "Line-Color_Select", "#888888");
    row("missing", 0, "no_such_colour", "");
    row("empty key", 0, "", "");
    row("dark skin's own key", 4, "linecolortrackitemselect", "#ff0000");
    row("dark skin's key does not linger", 0, "line_color_trackitem_select", "");
    row("skin 1", 1, "rightbgcolor", "#00a2ea");
    row("7 loads skin 0", 7, "rightbgcolor", "#3573de");
    row("negative loads skin 0", -3, "rightbgcolor", "#3573de");
}

void TestSkinHelper::colour()
{
    QFETCH(int, skinType);
    QFETCH(QString, key);
    QFETCH(QString, colour);
    // From the dark skin, which has a key of its own, so nothing of it may stay.
    skin()->InitColor(4);
    skin()->InitColor(skinType);
    QCOMPARE(skin()->GetColor(key), colour);
    // The skin's two button types plus the five shared ones, not added to the old ones.
    QCOMPARE(skin()->GetButtonColor(6, 0), QStringLiteral("#3e5b99"));
    QCOMPARE(skin()->GetButtonColor(7, 0), QString());
}

// Texts built from skin 0, against what they must be.
void TestSkinHelper::results_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");
    const auto add = [](const char* name, const QString& result, const char* expected) {
        QTest::newRow(name) << result << QString::fromLatin1(expected);
    };
    SkinHelper* s = skin();
    s->InitColor(0);
    add("button: primary light", s->GetButtonColor(0, 1), "#2559b2");
    add("button: type 6 light", s->GetButtonColor(6, 1), "#5273b8");
    add("button: unknown state is normal", s->GetButtonColor(6, 9), "#3e5b99");
    add("button: type past the end", s->GetButtonColor(7, 0), "");
    add("button: negative type", s->GetButtonColor(-1, 0), "");
    add("sheet: normal primary", s->GetNormalButtonQSS(0),
        "QLabel{font-size:14px;color:#ffffff;background-color:#3573de;border-left:1px solid #3573de;"
        "border-top:1px solid #3573de;border-right:1px solid #3573de;border-bottom:1px solid #3573de;}");
    add("sheet: weight and some sides", s->GetLightButtonQSS(0, 12, 0, 600, true, false, false, true),
        "QLabel{font-size:12px;font-weight:600;color:#ffffff;background-color:#2559b2;"
        "border-left:1px solid #2559b2;border-top: none;border-right: none;border-bottom:1px solid #2559b2;}");
    add("sheet: radius, no font size, no borders", s->GetDisableButtonQSS(1, 0, 4, 0, false, false, false, false),
        "QLabel{border-radius:4px;color:#cccccc;background-color:#ffffff;"
        "border-left: none;border-top: none;border-right: none;border-bottom: none;}");
    add("sheet: widget, wide border", s->getCommonSheet(0, 2, 0, 0, 0, 1, 2, false, true, false, false),
        "QWidget{color:#ffffff;background-color:#ee2833;"
        "border-left: none;border-top:2px solid #ee2833;border-right: none;border-bottom: none;}");
    add("sheet: no selector", s->getCommonSheet(5, 2, 0, 0, 0, 0, 1, false, false, false, false),
        "color:#ffffff;background-color:#cc1c24;"
        "border-left: none;border-top: none;border-right: none;border-bottom: none;}");
    const char* const vertical
        = "QScrollBar:vertical{border:0px;background:transparent;width:10px;margin-top:0px; margin-bottom:0px;"
          "margin-left:0px;margin-right:0px;}"
          "QScrollBar::handle:vertical {background: #3573de; min-height: 50px;border-radius:5px;}"
          "QScrollBar::add-line:vertical {border: 0px;background:transparent;height: 0px;subcontrol-position: "
          "bottom;subcontrol-origin: margin;}"
          "QScrollBar::sub-line:vertical {border: 0px;background:transparent;height: 0px;subcontrol-position: "
          "top;subcontrol-origin: margin;}"
          "QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical {border: 0px;width: 0px;height: "
          "0px;background: transparent;}"
          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {background: transparent;}";
    add("scroll bar: the list's", s->GetQScrollBarQSS(QStringLiteral("vertical"), QString(), 10), vertical);
    add("scroll bar: horizontal, own handle colour",
        s->GetQScrollBarQSS(QStringLiteral("horizontal"), QStringLiteral("#123456"), 10)
            .replace(QLatin1String("horizontal"), QLatin1String("vertical"))
            .replace(QLatin1String("height:10px"), QLatin1String("width:10px"))
            .replace(QLatin1String("#123456"), QLatin1String("#3573de")),
        vertical);
    const auto hue
        = [](const char* colour, int shift) { return SkinHelper::getChangeColor(QLatin1String(colour), shift); };
    add("hue: red to green", hue("#ff0000", 120), "#00ff00");
    add("hue: clamped at the top", hue("#0000ff", 300), "#ff0000");
    add("hue: clamped at the bottom", hue("#00ff00", -500), "#ff0000");
    add("hue: named colour", hue("red", 240), "#0000ff");
    add("hue: digits zero padded", hue("#000a00", 120), "#00000a");
    add("hue: no shift keeps the text", hue("Red ", 0), "Red ");
    add("hue: none with blanks", hue(" none ", 30), " none ");
    add("hue: grey has no hue", hue("#808080", 90), "#808080");
    add("hue: not a colour", hue("bogus", 45), "bogus");
}

void TestSkinHelper::results()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

MORVAYNE_TEST_GUI_MAIN(TestSkinHelper)
#include "tst_skinhelper.moc"

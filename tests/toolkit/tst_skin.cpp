#include "morvaynetest.h"
#include "toolkit/iconhelper.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

using MyQtCustom::IconHelper;
using namespace SpriteCells;

// The skin: the palette, the pictures the toolkit embeds (drawn by
// tools/artgen; tools/artreview renders them for a person to look at) and the
// glyphs of its icon font.
class TestSkin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void palette_data();
    void palette();
    void singles_data();
    void singles();
    void cells_data();
    void cells();
    void iconFont();
};

namespace {

const QColor kLight(0xff, 0xff, 0xff), kDark(0x20, 0x21, 0x24), kTitleBar(0x17, 0x17, 0x1a);
enum Ground { OnLight, OnDark, OnBoth, Unchecked };

// How far the most distinct pixel stands out from the background, in luma.
double contrast(const QImage& picture, const QColor& background)
{
    QImage shown(picture.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(background);
    QPainter(&shown).drawImage(0, 0, picture);
    const auto luma = [](QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); };
    double best = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            best = qMax(best, qAbs(luma(shown.pixel(x, y)) - luma(background.rgb())));
    return best;
}

// The bounding box of every pixel that is not fully transparent.
QRect ink(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The system may carry the icon font too: hide every installed font so that
// only what the helper registers is known. Runs before the application starts.
const bool g_noSystemFonts = [] {
    const QByteArray dir = qgetenv("TMPDIR");
    QFile file(QString::fromLocal8Bit(dir) + QLatin1String("/no-fonts.conf"));
    if (dir.isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\"?><fontconfig><cachedir>" + dir + "/fontcache</cachedir></fontconfig>");
    qputenv("FONTCONFIG_FILE", file.fileName().toLocal8Bit());
    return true;
}();

} // namespace

Q_DECLARE_METATYPE(SpriteCells::StateCells)

void TestSkin::initTestCase()
{
    QVERIFY(g_noSystemFonts);
    MyQtCustom::ToolkitResources::init();
}

// Palette colours and texts built from them, against what they must be.
void TestSkin::palette_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");
    const auto add = [](const char* name, const QString& result, const char* expected) {
        QTest::newRow(name) << result << QString::fromLatin1(expected);
    };
    SkinHelper* s = SkinHelper::GetInstance();
    // From the dark skin, which has a key of its own, so nothing of it may stay.
    const auto colour = [s](int skinType, const char* key) {
        s->InitColor(4);
        s->InitColor(skinType);
        return s->GetColor(QLatin1String(key));
    };
    add("colour: as stored", colour(0, "line_color"), "#cccccc");
    add("colour: upper case", colour(0, "LINE_COLOR"), "#cccccc");
    add("colour: alias", colour(0, "linecolor"), "#cccccc");
    add("colour: dash", colour(0, "line-color"), "#cccccc");
    add("colour: mixed case and both separators", colour(0, "Line-Color_Select"), "#888888");
    add("colour: missing", colour(0, "no_such_colour"), "");
    add("colour: dark skin's own key", colour(4, "linecolortrackitemselect"), "#ff0000");
    add("colour: dark skin's key does not linger", colour(0, "line_color_trackitem_select"), "");
    add("colour: 7 loads skin 0", colour(7, "rightbgcolor"), "#3573de");
    add("colour: negative loads skin 0", colour(-3, "rightbgcolor"), "#3573de");
    add("button: type 6 light", s->GetButtonColor(6, 1), "#5273b8");
    add("button: unknown state is normal", s->GetButtonColor(6, 9), "#3e5b99");
    // After every reload the skin's two types and the five shared ones, not added to the old ones.
    add("button: type past the end", s->GetButtonColor(7, 0), "");
    add("button: negative type", s->GetButtonColor(-1, 0), "");
    add("sheet: normal primary", s->GetNormalButtonQSS(0),
        "QLabel{font-size:14px;color:#ffffff;background-color:#3573de;border-left:1px solid #3573de;"
        "border-top:1px solid #3573de;border-right:1px solid #3573de;border-bottom:1px solid #3573de;}");
    add("sheet: weight, radius and some sides", s->GetLightButtonQSS(0, 12, 4, 600, true, false, false, true),
        "QLabel{font-size:12px;font-weight:600;border-radius:4px;color:#ffffff;background-color:#2559b2;"
        "border-left:1px solid #2559b2;border-top: none;border-right: none;border-bottom:1px solid #2559b2;}");
    add("sheet: disabled, no font size", s->GetDisableButtonQSS(1, 0, 0, 0, false, false, false, false),
        "QLabel{color:#cccccc;background-color:#ffffff;"
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
    add("hue: digits zero padded", hue("#000a00", 120), "#00000a");
    add("hue: no shift keeps the text", hue("Red ", 0), "Red ");
    add("hue: none with blanks", hue(" none ", 30), " none ");
    add("hue: grey has no hue", hue("#808080", 90), "#808080");
    add("hue: not a colour", hue("bogus", 45), "bogus");
}

void TestSkin::palette()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

void TestSkin::singles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("frames");
    for (const QString& path :
        {ArrowPicture, ItemArrowPicture, ProgramPicture, LoginOk1Picture, LoginOk2Picture, LoginNo1Picture})
        QTest::newRow(qPrintable(path)) << path << 1;
    QTest::newRow("small wait") << LoadingSmallMovie << 8;
    QTest::newRow("login wait") << LoadingMovie << 8;
}

// Pictures of their own, shown on either skin; the waiting animations loop
// over frames that differ.
void TestSkin::singles()
{
    QFETCH(QString, path);
    QFETCH(int, frames);
    QImageReader reader(path);
    QCOMPARE(reader.imageCount(), frames);
    QCOMPARE(reader.loopCount(), frames > 1 ? -1 : 0);
    QList<QImage> seen;
    for (int i = 0; i < frames; ++i) {
        const QImage frame = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(!frame.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(qAlpha(frame.pixel(0, 0)), 0);
        QVERIFY(contrast(frame, kLight) >= 60 && contrast(frame, kDark) >= 60);
        QVERIFY(!seen.contains(frame));
        seen << frame;
    }
}

void TestSkin::cells_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<StateCells>("cells");
    QTest::addColumn<int>("ground");
    const auto add = [](const QString& name, const QString& path, const StateCells& cells, Ground ground) {
        QTest::newRow(qPrintable(name)) << path << cells << int(ground);
    };
    for (const StateCells& cells : {TitleClose, TitleMaximise, TitleMinimise, TitleMenu}) // one set for both skins
        add(QStringLiteral("title bar %1").arg(cells.normal.x()), WidePublicSheet, cells, OnBoth);
    for (int x : {VolumeColumn, HarryUpColumn, PauseButtonColumn, PlayButtonColumn, HarryDownColumn, FlipYColumn,
             FlipXColumn, RotateYColumn, RotateXColumn}) {
        add(QStringLiteral("play %1, light").arg(x), PlayButtonsSheet, playCells(x, Light), OnLight);
        add(QStringLiteral("play %1, dark").arg(x), PlayButtonsSheet, playCells(x, Dark), OnDark);
    }
    for (int x = 0; x < PublicSize.width(); x += PublicCell) {
        add(QStringLiteral("public %1, light").arg(x), PublicSheet, publicCells(x, Light), OnLight);
        add(QStringLiteral("public %1, dark").arg(x), PublicSheet, publicCells(x, Dark), OnDark);
    }
    for (const StateCells& cells : {SliderHandle, TrimStartHandle, TrimEndHandle, SpinUpArrow, SpinDownArrow})
        add(QStringLiteral("vcpublic %1").arg(cells.normal.y()), VcPublicSheet, cells, Unchecked);
    add(QStringLiteral("login close"), LoginClosePicture,
        {LoginCloseNormal, LoginCloseHover, LoginCloseDisabled, LoginCloseChecked}, Unchecked);
}

// Every state cell lies in its sheet, shows something, differs from the
// other states and reads on the skin it is drawn for.
void TestSkin::cells()
{
    QFETCH(QString, path);
    QFETCH(StateCells, cells);
    QFETCH(int, ground);
    const QImage sheet = QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect rects[4] = {cells.normal, cells.highlight, cells.click, cells.disable};
    QImage looks[4];
    for (int i = 0; i < 4; ++i) {
        QVERIFY(sheet.rect().contains(rects[i]));
        looks[i] = sheet.copy(rects[i]);
        QVERIFY2(!ink(looks[i]).isEmpty(), "every cell shows something");
        for (int j = 0; j < i; ++j)
            QVERIFY2(looks[i] != looks[j], qPrintable(QStringLiteral("states %1 and %2 look alike").arg(j).arg(i)));
    }
    // The pressed up and down arrows share two rows, which stay empty.
    if (path == VcPublicSheet)
        QVERIFY(ink(sheet.copy(SpinUpArrow.click & SpinDownArrow.click)).isEmpty());
    if (ground == OnBoth) {
        for (const QImage& look : looks)
            for (const QColor& background : {kLight, kDark, kTitleBar})
                QVERIFY(contrast(look, background) >= 40);
    } else if (ground != Unchecked) {
        const QColor own = ground == OnLight ? kLight : kDark, other = ground == OnLight ? kDark : kLight;
        QVERIFY(contrast(looks[0], own) >= 60);
        QVERIFY2(contrast(looks[0], own) > contrast(looks[0], other), "reads better on its own skin");
        QVERIFY(contrast(looks[1], own) >= 40 && contrast(looks[2], own) >= 40);
        // Disabled looks are faint on purpose, but still there.
        QVERIFY(contrast(looks[3], own) >= 25 && contrast(looks[3], own) < contrast(looks[0], own));
    }
}

void TestSkin::iconFont()
{
    const QString family = QStringLiteral("FontAwesome");
    const auto registered = [&family] { return QFontDatabase().families().count(family); };
    QCOMPARE(registered(), 0);
    const QColor blue(0x30, 0x90, 0xe0);
    const QImage first
        = IconHelper::getPixmap(1, blue, 0xF0C4, 14, 30, 30).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(registered(), 1);
    // The glyph at the asked size, centred, in the asked colour.
    const QRect box = ink(first);
    QVERIFY(box.height() <= 16 && box.width() >= 7 && (box.center() - QPoint(15, 15)).manhattanLength() <= 3);
    const auto* pixels = reinterpret_cast<const QRgb*>(first.constBits());
    const auto byAlpha = [](QRgb a, QRgb b) { return qAlpha(a) < qAlpha(b); };
    QCOMPARE(QColor(*std::max_element(pixels, pixels + 900, byAlpha)), blue);
    // Type 1 and any type without a font of its own draw from the same font,
    // which is added only once.
    for (int type : {1, 7, -1}) {
        QScopedPointer<IconHelper> helper(IconHelper::getIconHelper(type));
        QCOMPARE(helper->iconFont().family(), family);
        QCOMPARE(helper->getPixmap1(blue, 0xF0C4, 14, 30, 30).toImage().convertToFormat(QImage::Format_ARGB32), first);
    }
    QCOMPARE(registered(), 1);
    // No file ships for the other types: a default font, still a picture of the asked size.
    for (int type : {0, 2, 3}) {
        QScopedPointer<IconHelper> helper(IconHelper::getIconHelper(type));
        QVERIFY(helper->iconFont().family() != family);
        QCOMPARE(helper->getPixmap1(Qt::black, 0x41, 12, 16, 16).size(), QSize(16, 16));
    }
    for (const QSize size : {QSize(0, 30), QSize(30, 0)})
        QVERIFY(IconHelper::getPixmap(1, Qt::black, 0xF0C4, 14, size.width(), size.height()).isNull());
}

MORVAYNE_TEST_GUI_MAIN(TestSkin)
#include "tst_skin.moc"

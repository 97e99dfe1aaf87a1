#include "morvaynetest.h"
#include "toolkit/iconhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QPainter>

using MyQtCustom::IconHelper;
using namespace SpriteCells;

// The pictures the toolkit embeds (drawn by tools/artgen; tools/artreview
// renders them for a person to look at) and the glyphs of its icon font.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void singles_data();
    void singles();
    void cells_data();
    void cells();
    void movies_data();
    void movies();
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

QImage load(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
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

void TestPictures::initTestCase()
{
    QVERIFY(g_noSystemFonts);
    MyQtCustom::ToolkitResources::init();
}

void TestPictures::singles_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& path :
        {ArrowPicture, ItemArrowPicture, ProgramPicture, LoginOk1Picture, LoginOk2Picture, LoginNo1Picture})
        QTest::newRow(qPrintable(path)) << path;
}

// Pictures of their own, shown on either skin.
void TestPictures::singles()
{
    QFETCH(QString, path);
    const QImage image = load(path);
    QVERIFY(!image.isNull());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QVERIFY(contrast(image, kLight) >= 60 && contrast(image, kDark) >= 60);
}

void TestPictures::cells_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<StateCells>("cells");
    QTest::addColumn<int>("ground");
    const auto add = [](const QString& name, const QString& path, const StateCells& cells, Ground ground) {
        QTest::newRow(qPrintable(name)) << path << cells << int(ground);
    };
    // The title bar has one set of cells for both skins.
    add(QStringLiteral("title close"), WidePublicSheet, TitleClose, OnBoth);
    add(QStringLiteral("title maximise"), WidePublicSheet, TitleMaximise, OnBoth);
    add(QStringLiteral("title minimise"), WidePublicSheet, TitleMinimise, OnBoth);
    add(QStringLiteral("title menu"), WidePublicSheet, TitleMenu, OnBoth);
    for (int x : {VolumeColumn, HarryUpColumn, PauseButtonColumn, PlayButtonColumn, HarryDownColumn, FlipYColumn,
             FlipXColumn, RotateYColumn, RotateXColumn}) {
        add(QStringLiteral("play %1, light").arg(x), PlayButtonsSheet, playCells(x, Light), OnLight);
        add(QStringLiteral("play %1, dark").arg(x), PlayButtonsSheet, playCells(x, Dark), OnDark);
    }
    for (int x = 0; x < PublicSize.width(); x += PublicCell) {
        add(QStringLiteral("public %1, light").arg(x), PublicSheet, publicCells(x, Light), OnLight);
        add(QStringLiteral("public %1, dark").arg(x), PublicSheet, publicCells(x, Dark), OnDark);
    }
    add(QStringLiteral("slider handle"), VcPublicSheet, SliderHandle, Unchecked);
    add(QStringLiteral("trim start"), VcPublicSheet, TrimStartHandle, Unchecked);
    add(QStringLiteral("trim end"), VcPublicSheet, TrimEndHandle, Unchecked);
    add(QStringLiteral("spin up"), VcPublicSheet, SpinUpArrow, Unchecked);
    add(QStringLiteral("spin down"), VcPublicSheet, SpinDownArrow, Unchecked);
    add(QStringLiteral("login close"), LoginClosePicture,
        {LoginCloseNormal, LoginCloseHover, LoginCloseDisabled, LoginCloseChecked}, Unchecked);
}

// Every state cell lies in its sheet, shows something, differs from the
// other states and reads on the skin it is drawn for.
void TestPictures::cells()
{
    QFETCH(QString, path);
    QFETCH(StateCells, cells);
    QFETCH(int, ground);
    const QImage sheet = load(path);
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

void TestPictures::movies_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("small") << LoadingSmallMovie << QSize(32, 32);
    QTest::newRow("login") << LoadingMovie << QSize(48, 48);
}

void TestPictures::movies()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(path);
    QCOMPARE(reader.loopCount(), -1);
    QCOMPARE(reader.imageCount(), 8);
    QList<QImage> frames;
    for (int i = 0; i < 8; ++i) {
        const QImage frame = reader.read();
        QVERIFY2(!frame.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(frame.size(), size);
        QCOMPARE(qAlpha(frame.pixel(0, 0)), 0);
        QVERIFY(contrast(frame, kLight) >= 60 && contrast(frame, kDark) >= 60);
        QVERIFY(!frames.contains(frame));
        frames << frame;
    }
}

void TestPictures::iconFont()
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
    QVERIFY(box.height() <= 16 && box.width() >= 7);
    QVERIFY(qAbs(box.center().x() - 15) <= 2 && qAbs(box.center().y() - 15) <= 2);
    int covered = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (qAlpha(first.pixel(x, y)) > 128 && ++covered) {
                const QRgb c = first.pixel(x, y);
                QVERIFY(qAbs(qRed(c) - 0x30) + qAbs(qGreen(c) - 0x90) + qAbs(qBlue(c) - 0xe0) <= 6);
            }
    QVERIFY(covered > 10);
    // Type 1 and any type without a font of its own draw from the same font,
    // which is added only once.
    for (int type : {1, 7, -1}) {
        QScopedPointer<IconHelper> helper(IconHelper::getIconHelper(type));
        QCOMPARE(helper->iconFont().family(), family);
        QCOMPARE(helper->iconFont().hintingPreference(), QFont::PreferNoHinting);
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

MORVAYNE_TEST_GUI_MAIN(TestPictures)
#include "tst_pictures.moc"

#include "morvaynetest.h"
#include "toolkit/iconhelper.h"
#include "toolkit/toolkitresources.h"

#include <QFontDatabase>
#include <QGuiApplication>

using MyQtCustom::IconHelper;

class TestIconHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fontRegisteredOnce();
    void glyph_data();
    void glyph();
    void sameAsFontAwesome_data();
    void sameAsFontAwesome();
    void emptySizes_data();
    void emptySizes();
    void missingFontFile();
};

namespace {

QString kFamily()
{
    return QStringLiteral("FontAwesome");
}

int familyCount()
{
    return QFontDatabase().families().count(kFamily());
}

// Bounding box of the pixels that are not fully transparent.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The system may carry the same font; hide every installed font so that only
// what the helper registers is known. Runs before the application starts.
const bool g_noSystemFonts = [] {
    const QByteArray dir = qgetenv("TMPDIR");
    if (dir.isEmpty())
        return false;
    const QString conf = QString::fromLocal8Bit(dir) + QLatin1String("/no-fonts.conf");
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\"?><fontconfig><cachedir>" + dir + "/fontcache</cachedir></fontconfig>");
    file.close();
    qputenv("FONTCONFIG_FILE", conf.toLocal8Bit());
    return true;
}();

} // namespace

void TestIconHelper::initTestCase()
{
    QVERIFY(g_noSystemFonts);
    MyQtCustom::ToolkitResources::init();
    QVERIFY(QFile::exists(QStringLiteral(":/font/awesome-webfont.ttf")));
}

void TestIconHelper::fontRegisteredOnce()
{
    QCOMPARE(familyCount(), 0);
    const QPixmap first = IconHelper::getPixmap(1, Qt::black, 0xF0C4, 14, 30, 30, 132);
    QCOMPARE(familyCount(), 1);
    IconHelper helper(QStringLiteral(":/font/awesome-webfont.ttf"), kFamily());
    QCOMPARE(helper.iconFont().family(), kFamily());
    QCOMPARE(helper.iconFont().hintingPreference(), QFont::PreferNoHinting);
    const QPixmap second = IconHelper::getPixmap(1, Qt::black, 0xF0C4, 14, 30, 30, 132);
    QCOMPARE(familyCount(), 1);
    QCOMPARE(first.toImage(), second.toImage());
}

void TestIconHelper::glyph_data()
{
    QTest::addColumn<int>("glyph");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("trim") << 0xF0C4 << QColor(0x88, 0x88, 0x88) << 14;
    QTest::newRow("crop") << 0xF125 << QColor(0x55, 0x55, 0x55) << 14;
    QTest::newRow("audio") << 0xF001 << QColor(0xee, 0xee, 0xee) << 14;
    QTest::newRow("delete subtitle") << 0xF014 << QColor(0x33, 0x33, 0x33) << 11;
}

void TestIconHelper::glyph()
{
    QFETCH(int, glyph);
    QFETCH(QColor, colour);
    QFETCH(int, pixelSize);
    const QImage image = IconHelper::getPixmap(1, colour, glyph, pixelSize, 30, 30, Qt::AlignCenter)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(30, 30));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const QRect ink = inkBox(image);
    QVERIFY2(!ink.isEmpty(), "the glyph is drawn");
    // Drawn from the icon font at the asked size, centred both ways.
    QVERIFY(ink.height() <= pixelSize + 2);
    QVERIFY(ink.width() >= pixelSize / 2);
    QVERIFY(qAbs(ink.center().x() - 15) <= 2);
    QVERIFY(qAbs(ink.center().y() - 15) <= 2);
    // The most covered pixel carries the colour.
    QRgb strongest = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (qAlpha(image.pixel(x, y)) > qAlpha(strongest))
                strongest = image.pixel(x, y);
    QVERIFY(qAlpha(strongest) > 200);
    QVERIFY(qAbs(qRed(strongest) - colour.red()) <= 2);
    QVERIFY(qAbs(qGreen(strongest) - colour.green()) <= 2);
    QVERIFY(qAbs(qBlue(strongest) - colour.blue()) <= 2);
}

void TestIconHelper::sameAsFontAwesome_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("7") << 7;
    QTest::newRow("-1") << -1;
    QTest::newRow("100") << 100;
}

void TestIconHelper::sameAsFontAwesome()
{
    QFETCH(int, type);
    const QImage awesome = IconHelper::getPixmap(1, Qt::red, 0xF125, 20, 24, 24, 132).toImage();
    QCOMPARE(IconHelper::getPixmap(type, Qt::red, 0xF125, 20, 24, 24, 132).toImage(), awesome);
    QScopedPointer<IconHelper> helper(IconHelper::getIconHelper(type));
    QCOMPARE(helper->iconFont().family(), kFamily());
}

void TestIconHelper::emptySizes_data()
{
    QTest::addColumn<uint>("width");
    QTest::addColumn<uint>("height");
    QTest::addColumn<uint>("pixelSize");
    QTest::newRow("no width") << 0u << 30u << 14u;
    QTest::newRow("no height") << 30u << 0u << 14u;
    QTest::newRow("nothing") << 0u << 0u << 0u;
}

void TestIconHelper::emptySizes()
{
    QFETCH(uint, width);
    QFETCH(uint, height);
    QFETCH(uint, pixelSize);
    QVERIFY(IconHelper::getPixmap(1, Qt::black, 0xF0C4, pixelSize, width, height, 132).isNull());
}

void TestIconHelper::missingFontFile()
{
    // No file ships for the other font types: the helper keeps a default font
    // and still hands back a picture of the asked size.
    for (int type : {0, 2, 3}) {
        QScopedPointer<IconHelper> helper(IconHelper::getIconHelper(type));
        QVERIFY(helper->iconFont().family() != kFamily());
        QCOMPARE(helper->getPixmap1(Qt::black, 0x41, 12, 16, 16).size(), QSize(16, 16));
    }
    QVERIFY(!QFontDatabase().families().contains(QStringLiteral("iconfont")));
}

MORVAYNE_TEST_GUI_MAIN(TestIconHelper)
#include "tst_iconhelper.moc"

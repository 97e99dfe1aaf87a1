#include "morvaynetest.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"
#include "tools/artgen/artwork.h"
#include "tools/artgen/gifwriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QRandomGenerator>

using namespace SpriteCells;

// Checks every picture the application cuts from the embedded sheets
// (tools/artreview renders them for a person to look at).
class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void embeddedMatchesGenerator_data();
    void embeddedMatchesGenerator();
    void stateCells_data();
    void stateCells();
    void skinRows_data();
    void skinRows();
    void spinArrows();
    void placeholder();
    void loginClose();
    void singlePictures_data();
    void singlePictures();
    void loadingMovies_data();
    void loadingMovies();
    void gifRoundTrip_data();
    void gifRoundTrip();
};

namespace {

const QColor kLightBackground(0xff, 0xff, 0xff);
const QColor kDarkBackground(0x20, 0x21, 0x24);

QImage over(const QImage& picture, const QColor& background)
{
    QImage out(picture.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(background);
    QPainter(&out).drawImage(0, 0, picture);
    return out;
}

double luma(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// How far the most distinct pixel of the picture stands out from the background.
double contrast(const QImage& picture, const QColor& background)
{
    const QImage shown = over(picture, background);
    const double base = luma(background.rgb());
    double best = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            best = qMax(best, qAbs(luma(shown.pixel(x, y)) - base));
    return best;
}

bool hasInk(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) > 0)
                return true;
    return false;
}

QImage sheet(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

void TestArtwork::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    SkinHelper::GetInstance()->InitColor(0);
}

void TestArtwork::embeddedMatchesGenerator_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QImage>("drawn");
    QTest::addColumn<QSize>("size");
    QTest::newRow("public") << PublicSheet << Artwork::publicSheet() << PublicSize;
    QTest::newRow("vcpublic") << VcPublicSheet << Artwork::vcPublicSheet() << VcPublicSize;
    QTest::newRow("widepublic") << WidePublicSheet << Artwork::widePublicSheet() << WidePublicSize;
    QTest::newRow("play buttons") << PlayButtonsSheet << Artwork::playButtonsSheet() << PlayButtonsSize;
    QTest::newRow("login close") << LoginClosePicture << Artwork::loginClose() << LoginCloseSize;
    QTest::newRow("arrow") << ArrowPicture << Artwork::arrow() << QSize(48, 24);
    QTest::newRow("item arrow") << ItemArrowPicture << Artwork::itemArrow() << QSize(16, 16);
    QTest::newRow("program") << ProgramPicture << Artwork::program() << QSize(256, 256);
    QTest::newRow("ok1") << LoginOk1Picture << Artwork::loginOk1() << QSize(48, 48);
    QTest::newRow("ok2") << LoginOk2Picture << Artwork::loginOk2() << QSize(48, 48);
    QTest::newRow("no1") << LoginNo1Picture << Artwork::loginNo1() << QSize(48, 48);
}

void TestArtwork::embeddedMatchesGenerator()
{
    QFETCH(QString, path);
    QFETCH(QImage, drawn);
    QFETCH(QSize, size);
    const QImage embedded(path);
    QVERIFY2(!embedded.isNull(), qPrintable(path));
    QCOMPARE(embedded.size(), size);
    QCOMPARE(embedded.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32));
}

void TestArtwork::stateCells_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QRect>("normal");
    QTest::addColumn<QRect>("highlight");
    QTest::addColumn<QRect>("click");
    QTest::addColumn<QRect>("disable");
    auto add = [](const QString& name, const QString& path, const StateCells& c) {
        QTest::newRow(qPrintable(name)) << path << c.normal << c.highlight << c.click << c.disable;
    };
    add(QStringLiteral("title close"), WidePublicSheet, TitleClose);
    add(QStringLiteral("title maximise"), WidePublicSheet, TitleMaximise);
    add(QStringLiteral("title minimise"), WidePublicSheet, TitleMinimise);
    add(QStringLiteral("title menu"), WidePublicSheet, TitleMenu);
    const struct
    {
        const char* name;
        int column;
    } play[] = {{"volume", VolumeColumn}, {"step forward", HarryUpColumn}, {"resume", PauseButtonColumn},
        {"pause", PlayButtonColumn}, {"step back", HarryDownColumn}, {"flip y", FlipYColumn}, {"flip x", FlipXColumn},
        {"turn left", RotateYColumn}, {"turn right", RotateXColumn}};
    for (const auto& p : play) {
        add(QStringLiteral("%1, light").arg(QLatin1String(p.name)), PlayButtonsSheet, playCells(p.column, Light));
        add(QStringLiteral("%1, dark").arg(QLatin1String(p.name)), PlayButtonsSheet, playCells(p.column, Dark));
    }
    add(QStringLiteral("slider handle"), VcPublicSheet, SliderHandle);
    add(QStringLiteral("trim start"), VcPublicSheet, TrimStartHandle);
    add(QStringLiteral("trim end"), VcPublicSheet, TrimEndHandle);
    add(QStringLiteral("spin up"), VcPublicSheet, SpinUpArrow);
    add(QStringLiteral("spin down"), VcPublicSheet, SpinDownArrow);
    const struct
    {
        const char* name;
        int column;
    } small[] = {{"row delete", RowDeleteColumn}, {"row convert", RowConvertColumn}, {"row open", RowOpenColumn},
        {"close", CloseColumn}, {"small delete", SmallDeleteColumn}, {"open folder", OpenFolderColumn},
        {"volume icon", VolumeIconColumn}, {"success", SuccessColumn}, {"failure", FailureColumn}};
    for (const auto& p : small) {
        add(QStringLiteral("%1, light").arg(QLatin1String(p.name)), PublicSheet, publicCells(p.column, Light));
        add(QStringLiteral("%1, dark").arg(QLatin1String(p.name)), PublicSheet, publicCells(p.column, Dark));
    }
}

void TestArtwork::stateCells()
{
    QFETCH(QString, path);
    QFETCH(QRect, normal);
    QFETCH(QRect, highlight);
    QFETCH(QRect, click);
    QFETCH(QRect, disable);
    const QImage image = sheet(path);
    const QRect cells[4] = {normal, highlight, click, disable};
    QImage looks[4];
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(image.rect().contains(cells[i]), "the cell lies inside its sheet");
        looks[i] = image.copy(cells[i]);
        QVERIFY2(hasInk(looks[i]), "every cell shows something");
    }
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            QVERIFY2(looks[i] != looks[j], qPrintable(QStringLiteral("states %1 and %2 look alike").arg(i).arg(j)));
}

void TestArtwork::skinRows_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QRect>("light");
    QTest::addColumn<QRect>("dark");
    QTest::addColumn<int>("minimum");        // contrast each row needs on its own skin
    QTest::addColumn<bool>("ownSkinBetter"); // and reads better there than on the other
    QTest::addColumn<QList<QRect>>("shared");
    QTest::addColumn<QRect>("lightFaint"); // disabled looks: dimmer than the normal ones
    QTest::addColumn<QRect>("darkFaint");
    const int playColumns[] = {VolumeColumn, HarryUpColumn, PauseButtonColumn, PlayButtonColumn, HarryDownColumn,
        FlipYColumn, FlipXColumn, RotateYColumn, RotateXColumn};
    for (int column : playColumns) {
        const StateCells light = playCells(column, Light);
        QTest::addRow("play column %d", column)
            << PlayButtonsSheet << light.normal << playCells(column, Dark).normal << 60 << true
            << QList<QRect>{light.highlight, light.click, light.disable} << QRect() << QRect();
    }
    for (int column = 0; column < PublicSize.width(); column += PublicCell) {
        const StateCells light = publicCells(column, Light);
        const StateCells dark = publicCells(column, Dark);
        QTest::addRow("public column %d normal", column) << PublicSheet << light.normal << dark.normal << 60 << true
                                                         << QList<QRect>{} << light.disable << dark.disable;
        QTest::addRow("public column %d hover", column)
            << PublicSheet << light.highlight << dark.highlight << 60 << false << QList<QRect>{} << QRect() << QRect();
        QTest::addRow("public column %d pressed", column)
            << PublicSheet << light.click << dark.click << 60 << false << QList<QRect>{} << QRect() << QRect();
        // Disabled looks are faint on purpose.
        QTest::addRow("public column %d disabled", column)
            << PublicSheet << light.disable << dark.disable << 25 << false << QList<QRect>{} << QRect() << QRect();
    }
    // The title bar has one set of cells for both skins.
    for (const StateCells& c : {TitleClose, TitleMaximise, TitleMinimise, TitleMenu})
        QTest::addRow("title x %d", c.normal.x())
            << WidePublicSheet << QRect() << QRect() << 0 << false
            << QList<QRect>{c.normal, c.highlight, c.click, c.disable} << QRect() << QRect();
}

void TestArtwork::skinRows()
{
    QFETCH(QString, path);
    QFETCH(QRect, light);
    QFETCH(QRect, dark);
    QFETCH(int, minimum);
    QFETCH(bool, ownSkinBetter);
    QFETCH(QList<QRect>, shared);
    QFETCH(QRect, lightFaint);
    QFETCH(QRect, darkFaint);
    const QImage image = sheet(path);
    if (!lightFaint.isNull()) {
        QVERIFY(contrast(image.copy(lightFaint), kLightBackground) < contrast(image.copy(light), kLightBackground));
        QVERIFY(contrast(image.copy(darkFaint), kDarkBackground) < contrast(image.copy(dark), kDarkBackground));
    }
    if (!light.isNull()) {
        const QImage lightLook = image.copy(light);
        const QImage darkLook = image.copy(dark);
        QVERIFY(lightLook != darkLook);
        QVERIFY2(contrast(lightLook, kLightBackground) >= minimum, "light row on the light skin");
        QVERIFY2(contrast(darkLook, kDarkBackground) >= minimum, "dark row on the dark skin");
        if (ownSkinBetter) {
            QVERIFY(contrast(lightLook, kLightBackground) > contrast(lightLook, kDarkBackground));
            QVERIFY(contrast(darkLook, kDarkBackground) > contrast(darkLook, kLightBackground));
        }
    }
    for (const QRect& cell : shared) {
        const QImage look = image.copy(cell);
        QVERIFY2(contrast(look, kLightBackground) >= 40, "shared look on the light skin");
        QVERIFY2(contrast(look, kDarkBackground) >= 40, "shared look on the dark skin");
        QVERIFY2(contrast(look, QColor(0x17, 0x17, 0x1a)) >= 40, "shared look on the dark title bar");
    }
}

void TestArtwork::spinArrows()
{
    const QImage image = sheet(VcPublicSheet);
    const QRect ups[4] = {SpinUpArrow.normal, SpinUpArrow.highlight, SpinUpArrow.click, SpinUpArrow.disable};
    const QRect downs[4] = {SpinDownArrow.normal, SpinDownArrow.highlight, SpinDownArrow.click, SpinDownArrow.disable};
    auto inkRows = [&image](const QRect& cell) {
        QList<int> widths;
        for (int y = 0; y < cell.height(); ++y) {
            int width = 0;
            for (int x = 0; x < cell.width(); ++x)
                width += qAlpha(image.pixel(cell.x() + x, cell.y() + y)) > 0;
            widths << width;
        }
        return widths;
    };
    for (int i = 0; i < 4; ++i) {
        const QList<int> up = inkRows(ups[i]);
        const QList<int> down = inkRows(downs[i]);
        // Rows 0, 1, 6 and 7 stay empty: the pressed up and down cells share
        // two rows, which must look the same from either side.
        for (int row : {0, 1, 6, 7}) {
            QCOMPARE(up[row], 0);
            QCOMPARE(down[row], 0);
        }
        // Pointing up: narrow on top; pointing down: narrow at the bottom.
        QVERIFY(up[2] < up[5]);
        QVERIFY(down[2] > down[5]);
    }
    QVERIFY(SpinUpArrow.click.intersects(SpinDownArrow.click));
}

void TestArtwork::placeholder()
{
    const QImage card = sheet(WidePublicSheet).copy(ThumbnailPlaceholder);
    QCOMPARE(card.size(), QSize(242, 138));
    QSet<QRgb> colours;
    for (int y = 0; y < card.height(); ++y) {
        for (int x = 0; x < card.width(); ++x) {
            QCOMPARE(qAlpha(card.pixel(x, y)), 255);
            colours << card.pixel(x, y);
        }
    }
    QVERIFY(colours.size() > 10);
    // Nothing of the neighbouring cells bleeds into the card's frame.
    const QImage whole = sheet(WidePublicSheet);
    QCOMPARE(qAlpha(whole.pixel(1158, 10)), 0);
}

void TestArtwork::loginClose()
{
    const QImage image = sheet(LoginClosePicture);
    const QRect cells[4] = {LoginCloseNormal, LoginCloseHover, LoginCloseDisabled, LoginCloseChecked};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(cells[i], QRect(48 * i, 0, 48, 48));
        QVERIFY(contrast(image.copy(cells[i]), kLightBackground) >= 25);
        for (int j = 0; j < i; ++j)
            QVERIFY(image.copy(cells[i]) != image.copy(cells[j]));
    }
}

void TestArtwork::singlePictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("opaqueCorner");
    QTest::newRow("arrow") << ArrowPicture << false;
    QTest::newRow("item arrow") << ItemArrowPicture << false;
    QTest::newRow("program") << ProgramPicture << false;
    QTest::newRow("ok1") << LoginOk1Picture << false;
    QTest::newRow("ok2") << LoginOk2Picture << false;
    QTest::newRow("no1") << LoginNo1Picture << false;
}

void TestArtwork::singlePictures()
{
    QFETCH(QString, path);
    QFETCH(bool, opaqueCorner);
    const QImage image = sheet(path);
    QVERIFY(!image.isNull());
    QCOMPARE(qAlpha(image.pixel(0, 0)) == 255, opaqueCorner);
    QVERIFY(contrast(image, kLightBackground) >= 60);
    QVERIFY(contrast(image, kDarkBackground) >= 60);
    const QImage ok1 = sheet(LoginOk1Picture), ok2 = sheet(LoginOk2Picture), no1 = sheet(LoginNo1Picture);
    QVERIFY(ok1 != ok2 && ok2 != no1 && ok1 != no1);
}

void TestArtwork::loadingMovies_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("small") << LoadingSmallMovie << QSize(32, 32);
    QTest::newRow("login") << LoadingMovie << QSize(48, 48);
}

void TestArtwork::loadingMovies()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(path);
    QVERIFY(reader.canRead());
    QCOMPARE(reader.format(), QByteArray("gif"));
    QVERIFY(reader.supportsAnimation());
    QCOMPARE(reader.loopCount(), -1);
    QCOMPARE(reader.imageCount(), 8);
    QList<QImage> frames;
    for (int i = 0; i < 8; ++i) {
        const QImage frame = reader.read();
        QVERIFY2(!frame.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(frame.size(), size);
        QCOMPARE(qAlpha(frame.pixel(0, 0)), 0);
        QVERIFY(contrast(frame, kLightBackground) >= 60);
        QVERIFY(contrast(frame, kDarkBackground) >= 60);
        QCOMPARE(reader.nextImageDelay(), 90);
        for (const QImage& earlier : qAsConst(frames))
            QVERIFY(frame != earlier);
        frames << frame;
    }
    QMovie movie(path);
    QVERIFY(movie.isValid());
    QCOMPARE(movie.frameCount(), 8);
}

void TestArtwork::gifRoundTrip_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colours");
    // The large noisy picture fills the code table several times over.
    QTest::newRow("tiny") << QSize(1, 1) << 1;
    QTest::newRow("two colours") << QSize(40, 30) << 2;
    QTest::newRow("noise, 200 colours") << QSize(160, 120) << 200;
    QTest::newRow("odd size, 255 colours") << QSize(97, 31) << 255;
}

void TestArtwork::gifRoundTrip()
{
    QFETCH(QSize, size);
    QFETCH(int, colours);
    QRandomGenerator random(1234);
    QVector<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette << qRgb(i, (i * 37) % 256, 255 - i);
    QVector<QImage> frames;
    for (int f = 0; f < 3; ++f) {
        QImage frame(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                frame.setPixel(x, y, (x + y) % 7 == 0 ? qRgba(0, 0, 0, 0) : palette[random.bounded(colours)]);
        frames << frame;
    }
    QByteArray data = GifWriter::encode(frames, 5);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    for (const QImage& frame : qAsConst(frames)) {
        const QImage back = reader.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!back.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(back.size(), frame.size());
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                // Transparent is transparent, whatever colour the reader gives it.
                if (back.pixel(x, y) != frame.pixel(x, y) && (qAlpha(back.pixel(x, y)) || qAlpha(frame.pixel(x, y))))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(back.pixel(x, y), 8, 16)
                                         .arg(frame.pixel(x, y), 8, 16)));
    }
}

MORVAYNE_TEST_GUI_MAIN(TestArtwork)
#include "tst_artwork.moc"

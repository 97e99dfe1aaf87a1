#include "morvaynetest.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/iconhelper.h"
#include "toolkit/labelbutton.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/mytempbutton2.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"
#include "tools/artgen/artwork.h"
#include "tools/artgen/gifwriter.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QRandomGenerator>

#include <functional>

using namespace SpriteCells;

// Checks every picture the application cuts from the embedded sheets, and,
// when MORVAYNE_ART_DIR names a folder, saves renderings of the sheets and of
// a page of buttons in both skins there for a person to look at.
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
    void renderForReview();
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

QString artDir()
{
    return QString::fromLocal8Bit(qgetenv("MORVAYNE_ART_DIR"));
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

namespace {

// A page of every picture button in its four looks, plus the other widgets
// of the toolkit, painted as the given skin shows them.
class ButtonPage : public QWidget
{
public:
    explicit ButtonPage(int skin)
        : m_skin(skin)
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, skin == Dark ? kDarkBackground : kLightBackground);
        setPalette(pal);
        setAutoFillBackground(true);
        const QColor ink = skin == Dark ? QColor(0xe8, 0xe8, 0xe8) : QColor(0x33, 0x33, 0x33);
        m_textSheet = QStringLiteral("QLabel{color:%1;font-size:12px;}").arg(ink.name());

        const QPixmap wide(WidePublicSheet), play(PlayButtonsSheet), vc(VcPublicSheet), pub(PublicSheet);
        const int s = skin;
        addRow(QStringLiteral("title bar (16)"), wide, {TitleClose, TitleMaximise, TitleMinimise, TitleMenu}, 16);
        addRow(QStringLiteral("playback (30)"), play,
            {playCells(HarryDownColumn, s), playCells(PlayButtonColumn, s), playCells(PauseButtonColumn, s),
                playCells(HarryUpColumn, s), playCells(VolumeColumn, s)},
            30);
        addRow(QStringLiteral("crop (30)"), play,
            {playCells(FlipYColumn, s), playCells(FlipXColumn, s), playCells(RotateXColumn, s),
                playCells(RotateYColumn, s)},
            30);
        addRow(QStringLiteral("playback (76)"), play,
            {playCells(HarryDownColumn, s), playCells(PlayButtonColumn, s), playCells(RotateXColumn, s)}, 76);
        addRow(QStringLiteral("handles (10, 15)"), vc, {SliderHandle}, 10);
        addRow(QString(), vc, {TrimStartHandle, TrimEndHandle}, 15, true);
        addRow(QStringLiteral("arrows (10x8)"), vc, {SpinUpArrow, SpinDownArrow}, 0);
        addRow(QStringLiteral("row buttons (24)"), pub,
            {publicCells(RowDeleteColumn, s), publicCells(RowConvertColumn, s), publicCells(RowOpenColumn, s),
                publicCells(CloseColumn, s), publicCells(SmallDeleteColumn, s), publicCells(OpenFolderColumn, s),
                publicCells(VolumeIconColumn, s), publicCells(SuccessColumn, s), publicCells(FailureColumn, s)},
            24);
        addToolRow();
        addTextButtons();
        addPictures();
        resize(1420, m_y + 20);
    }

private:
    QLabel* caption(const QString& text, int x, int y, int w = 150)
    {
        auto* label = new QLabel(text, this);
        label->setStyleSheet(m_textSheet);
        label->setGeometry(x, y, w, 20);
        return label;
    }

    // One button per cell set and state; width 0 means the cell's own size.
    void addRow(
        const QString& title, const QPixmap& sheet, const QList<StateCells>& sets, int side, bool sameLine = false)
    {
        if (sameLine)
            m_y -= m_rowHeight;
        if (!title.isEmpty())
            caption(title, 10, m_y);
        int x = sameLine ? m_x : 160;
        int tallest = 0;
        for (const StateCells& cells : sets) {
            const QSize size = side > 0 ? QSize(side, side) : cells.normal.size();
            for (int state = 0; state < 4; ++state) {
                auto* button = new MyQtCustom::MyPushButton(this);
                button->setGeometry(x, m_y, size.width(), size.height());
                button->bgPixmap = sheet;
                button->useBgPixmap = true;
                const QRect c = cells.normal, h = cells.highlight, k = cells.click, d = cells.disable;
                button->SetnormalPicRect(c.x(), c.y(), c.width(), c.height());
                button->SethighlightPicRect(h.x(), h.y(), h.width(), h.height());
                button->SetclickPicRect(k.x(), k.y(), k.width(), k.height());
                button->SetdisablePicRect(d.x(), d.y(), d.width(), d.height());
                button->SetPicAlignFlags(3);
                setState(button, state);
                x += size.width() + 6;
            }
            x += 18;
            tallest = qMax(tallest, size.height());
        }
        m_x = x;
        m_rowHeight = qMax(tallest, 20) + 14;
        m_y += m_rowHeight;
    }

    static void setState(MyQtCustom::MyPushButton* button, int state)
    {
        if (state == 1) {
            button->OtherMouseEnter();
        } else if (state == 2) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(button, &press);
        } else if (state == 3) {
            button->setEnabled(false);
        }
    }

    void addToolRow()
    {
        caption(QStringLiteral("row tools (30)"), 10, m_y);
        const bool dark = m_skin == Dark;
        const int glyphs[] = {0xF0C4, 0xF125, 0xF001};
        int x = 160;
        for (int glyph : glyphs) {
            for (int state = 0; state < 4; ++state) {
                auto* button = new MyQtCustom::BgIconButton(this);
                button->setGeometry(x, m_y, 30, 30);
                auto px = [glyph](const char* colour) {
                    return MyQtCustom::IconHelper::getPixmap(1, QColor(QLatin1String(colour)), glyph, 14, 30, 30, 132);
                };
                button->setIconPixmap(px("#888888"), px("#555555"), px("#eeeeee"), px("#eeeeee"));
                if (state == 1) {
                    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
                    QApplication::sendEvent(button, &enter);
                } else if (state == 2) {
                    button->setEnabled(false);
                } else if (state == 3) {
                    button->setChecked(true);
                }
                x += 36;
            }
            x += 18;
        }
        const QColor del = dark ? QColor(0xe8, 0xe8, 0xe8) : QColor(0x33, 0x33, 0x33);
        auto* remove = new MyQtCustom::BgIconButton(this);
        remove->setGeometry(x, m_y, 30, 30);
        const QPixmap bin = MyQtCustom::IconHelper::getPixmap(1, del, 0xF014, 11, 30, 30, 132);
        remove->setIconPixmap(bin, bin, bin, bin);
        m_y += 44;
    }

    void addTextButtons()
    {
        caption(QStringLiteral("text buttons"), 10, m_y);
        const SkinHelper* skin = SkinHelper::GetInstance();
        int x = 160;
        for (int type = 0; type < 7; ++type) {
            for (int state = 0; state < 3; ++state) {
                auto* button = new MyQtCustom::MyTempButton2(this);
                button->setGeometry(x, m_y, 70, 30);
                button->setAlignment(Qt::AlignCenter);
                button->setText(QStringLiteral("Type %1").arg(type));
                button->setStyleSheets(skin->GetNormalButtonQSS(type, 13, 15, 0, true, true, true, true),
                    skin->GetLightButtonQSS(type, 13, 15, 0, true, true, true, true),
                    skin->GetDisableButtonQSS(type, 13, 15, 0, true, true, true, true));
                if (state == 1)
                    button->setStyleSheet(button->m_hoverSheet);
                else if (state == 2)
                    button->setEnabled(false);
                x += 74;
            }
            x += 10;
            if (type == 3) {
                x = 160;
                m_y += 38;
            }
        }
        m_y += 44;
    }

    void addPictures()
    {
        caption(QStringLiteral("pictures"), 10, m_y);
        int x = 160;
        auto place = [this, &x](const QPixmap& pixmap, QSize size) {
            auto* label = new QLabel(this);
            label->setGeometry(x, m_y, size.width(), size.height());
            QPalette pal = label->palette();
            pal.setBrush(
                QPalette::Window, QBrush(pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
            label->setPalette(pal);
            label->setAutoFillBackground(true);
            x += size.width() + 16;
        };
        place(QPixmap(WidePublicSheet).copy(ThumbnailPlaceholder), QSize(105, 64));
        place(QPixmap(ArrowPicture), QSize(48, 24));
        place(QPixmap(ItemArrowPicture), QSize(16, 16));
        place(QPixmap(ProgramPicture), QSize(64, 64));
        place(QPixmap(LoginOk1Picture), QSize(48, 48));
        place(QPixmap(LoginOk2Picture), QSize(48, 48));
        place(QPixmap(LoginNo1Picture), QSize(48, 48));
        QImageReader small(LoadingSmallMovie);
        for (int i = 0; i < 4; ++i) {
            place(QPixmap::fromImage(small.read()), QSize(24, 24));
            small.read();
        }
        m_y += 80;
    }

    int m_skin;
    QString m_textSheet;
    int m_x = 0;
    int m_y = 12;
    int m_rowHeight = 0;
};

// The sheet laid over the skin's background and enlarged, so cells can be judged.
QImage reviewSheet(const QString& path, const QColor& background, int zoom)
{
    const QImage shown = over(sheet(path), background);
    return shown.scaled(shown.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

void TestArtwork::renderForReview()
{
    const QString dir = artDir();
    if (dir.isEmpty())
        QSKIP("set MORVAYNE_ART_DIR to a folder to receive the renderings");
    QVERIFY(QDir().mkpath(dir));
    const struct
    {
        const char* name;
        QString path;
        int zoom;
    } sheets[] = {{"widepublic", WidePublicSheet, 1}, {"public-control-play-buttons", PlayButtonsSheet, 1},
        {"public", PublicSheet, 2}, {"login-close", LoginClosePicture, 2}};
    for (const auto& s : sheets) {
        for (int skin : {Light, Dark}) {
            const QString file
                = QStringLiteral("%1/sheet-%2-%3.png")
                      .arg(dir, QLatin1String(s.name), skin == Dark ? QLatin1String("dark") : QLatin1String("light"));
            QVERIFY(reviewSheet(s.path, skin == Dark ? kDarkBackground : kLightBackground, s.zoom).save(file));
        }
    }
    // vcpublic is mostly empty: show the three strips, enlarged.
    for (int skin : {Light, Dark}) {
        const QImage vc = over(sheet(VcPublicSheet), skin == Dark ? kDarkBackground : kLightBackground);
        QImage strips(QSize(120, 120), QImage::Format_ARGB32_Premultiplied);
        strips.fill(skin == Dark ? kDarkBackground : kLightBackground);
        QPainter p(&strips);
        p.drawImage(0, 0, vc.copy(269, 287, 35, 71));
        p.drawImage(45, 0, vc.copy(343, 288, 12, 53));
        p.drawImage(70, 0, vc.copy(100, 797, 20, 110));
        p.end();
        QVERIFY(strips.scaled(strips.size() * 6, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                    .save(QStringLiteral("%1/sheet-vcpublic-strips-%2.png")
                              .arg(dir, skin == Dark ? QLatin1String("dark") : QLatin1String("light"))));
    }
    for (int skin : {Light, Dark}) {
        ButtonPage page(skin);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.grab().save(QStringLiteral("%1/buttons-%2.png")
                                     .arg(dir, skin == Dark ? QLatin1String("dark") : QLatin1String("light"))));
    }
    MyQMessageBox box(480, 252, nullptr);
    box.setTitle(QStringLiteral("Warning"));
    box.setText(QStringLiteral("Lost the ffmpeg file, Please download and reinstall the application"),
        QPixmap(LoginNo1Picture));
    box.setButtons(QStringLiteral("OK"), QStringLiteral("Cancel"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QImage shot(box.size(), QImage::Format_ARGB32_Premultiplied);
    shot.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, box.grab());
    painter.end();
    QVERIFY(shot.save(dir + QLatin1String("/messagebox.png")));
}

MORVAYNE_TEST_MAIN(TestArtwork)
#include "tst_artwork.moc"

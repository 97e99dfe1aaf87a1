// Saves renderings of every sprite sheet, of a page of buttons in both skins
// and of a message box into the folder given as the only argument, for a
// person to look at. Built with the project, run by hand:
//
//   build/tools/morvayne_artreview /tmp/art

#include "toolkit/bgiconbutton.h"
#include "toolkit/iconhelper.h"
#include "toolkit/labelbutton.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/mytempbutton2.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/toolkitresources.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

using namespace SpriteCells;

#define CHECK(expr)                                                                                                    \
    do {                                                                                                               \
        if (!(expr))                                                                                                   \
            return failed(QStringLiteral(#expr));                                                                      \
    } while (false)

namespace {

const QColor kLightBackground(0xff, 0xff, 0xff);
const QColor kDarkBackground(0x20, 0x21, 0x24);

bool failed(const QString& what)
{
    std::fprintf(stderr, "artreview: failed: %s\n", qPrintable(what));
    return false;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

QImage sheet(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage over(const QImage& picture, const QColor& background)
{
    QImage out(picture.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(background);
    QPainter(&out).drawImage(0, 0, picture);
    return out;
}

} // namespace

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

bool render(const QString& dir)
{
    if (!QDir().mkpath(dir))
        return failed(dir);
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
            CHECK(reviewSheet(s.path, skin == Dark ? kDarkBackground : kLightBackground, s.zoom).save(file));
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
        CHECK(strips.scaled(strips.size() * 6, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                  .save(QStringLiteral("%1/sheet-vcpublic-strips-%2.png")
                            .arg(dir, skin == Dark ? QLatin1String("dark") : QLatin1String("light"))));
    }
    for (int skin : {Light, Dark}) {
        ButtonPage page(skin);
        page.show();
        settle();
        CHECK(page.grab().save(QStringLiteral("%1/buttons-%2.png")
                                   .arg(dir, skin == Dark ? QLatin1String("dark") : QLatin1String("light"))));
    }
    MyQMessageBox box(480, 252, nullptr);
    box.setTitle(QStringLiteral("Warning"));
    box.setText(QStringLiteral("Lost the ffmpeg file, Please download and reinstall the application"),
        QPixmap(LoginNo1Picture));
    box.setButtons(QStringLiteral("OK"), QStringLiteral("Cancel"));
    box.show();
    settle();
    QImage shot(box.size(), QImage::Format_ARGB32_Premultiplied);
    shot.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, box.grab());
    painter.end();
    CHECK(shot.save(dir + QLatin1String("/messagebox.png")));
    return true;
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvayne_artreview <output folder>\n");
        return 2;
    }
    MyQtCustom::ToolkitResources::init();
    SkinHelper::GetInstance()->InitColor(0);
    return render(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}

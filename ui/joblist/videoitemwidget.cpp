#include "ui/joblist/videoitemwidget.h"

#include "common/interfacescale.h"
#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "probe/mediainfo.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/iconhelper.h"
#include "toolkit/labelbutton.h"
#include "toolkit/mylabel.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/spritecells.h"
#include "ui/joblist/jobeditorhost.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QUrl>

using MyQtCustom::BgIconButton;
using MyQtCustom::IconHelper;
using MyQtCustom::LabelButton;
using MyQtCustom::MyLabel;
using MyQtCustom::MyPushButton;
using MyQtCustom::QCommonUtils;

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

QString openFileDialog(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

VideoItemWidget::FileChooser& fileChooser()
{
    static VideoItemWidget::FileChooser chooser = openFileDialog;
    return chooser;
}

// Colours of one skin. The editing tools keep the light skin's grey pair and
// get a checked colour that stands out from both backgrounds; on the dark
// skin hover brightens and disabled nearly vanishes into the background.
struct Palette
{
    const char* background;
    const char* line;
    const char* text;
    const char* secondText;
    const char* track;
    const char* toolNormal;
    const char* toolHover;
    const char* toolDisabled;
    const char* toolChecked;
    const char* toolHoverBackground;
    const char* srtDelete;
    const char* menuBackground;
    const char* menuBorder;
    const char* menuText;
    const char* menuSelected;
    const char* menuSelectedText;
};

const Palette LightPalette{"#ffffff", "#e9eaeb", "#333333", "#666666", "#cccccc", "#888888", "#555555", "#eeeeee",
    "#01a4e5", "#f0f1f2", "#333333", "#ffffff", "#e9eaeb", "#333333", "#00a1e9", "#ffffff"};
const Palette DarkPalette{"#202124", "#393b3e", "#e8e8e8", "#aeb2b8", "#393b3e", "#888888", "#e8e8e8", "#45474a",
    "#01a4e5", "#2e3033", "#e8e8e8", "#2e3033", "#040405", "#ffffff", "#3f4042", "#ffffff"};

const char* const FillColour = "#01a4e5";
const char* const LinkColour = "#01a4e5";

// Glyphs of the icon font.
constexpr int TrimGlyph = 0xF0C4;
constexpr int CropGlyph = 0xF125;
constexpr int AudioGlyph = 0xF001;
constexpr int SrtDeleteGlyph = 0xF014;
constexpr int FactGlyphs[4] = {0xF1C8, 0xF017, 0xF0A0, 0xF065}; // file, clock, disk, expand

QPixmap glyph(int code, const char* colour, int pixelSize, int side)
{
    return IconHelper::getPixmap(IconHelper::FontAwesome, QColor(QLatin1String(colour)), code,
        static_cast<unsigned>(pixelSize), static_cast<unsigned>(side), static_cast<unsigned>(side));
}

QString labelSheet(const char* colour, int fontSize, const char* extra = "")
{
    return QStringLiteral("QLabel{color:%1;font-size:%2px;background:transparent;border:none;%3}")
        .arg(QLatin1String(colour))
        .arg(fontSize)
        .arg(QLatin1String(extra));
}

void setCells(MyPushButton* button, const QPixmap& sheet, const SpriteCells::StateCells& cells)
{
    button->setSpriteCells(sheet, cells);
}

void setBackgroundPicture(QLabel* label, const QPixmap& picture)
{
    QPalette pal = label->palette();
    pal.setBrush(QPalette::Window, QBrush(picture));
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

// A picture button redraws its picture on every placing; rows are laid out
// on every refresh, mostly to the same place.
void place(MyPushButton* button, const QRect& rect)
{
    if (button->geometry() != rect)
        button->setGeometry(rect);
}

// An icon button restyles itself on every change of look; a refresh mostly
// leaves the look as it was.
void check(BgIconButton* button, bool checked)
{
    if (button->isChecked() != checked)
        button->setChecked(checked);
}

void enable(BgIconButton* button, bool enabled)
{
    if (button->isMyEnabled() != enabled)
        button->setEnabled(enabled);
}

QString resolutionText(int width, int height)
{
    return QString::number(width) + QLatin1Char('X') + QString::number(height);
}

} // namespace

void VideoItemWidget::setFileChooser(FileChooser chooser)
{
    fileChooser() = chooser ? std::move(chooser) : FileChooser(openFileDialog);
}

VideoItemWidget::VideoItemWidget(QWidget* parent)
    : MyTableItemWidget(parent)
{
    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    m_pFileNameLabel = label("fileNameLabel");
    m_pThumbLabel = label("thumbLabel");
    buildFacts(m_source, QStringLiteral("source"));
    buildFacts(m_target, QStringLiteral("target"));
    m_pArrowLabel = label("arrowLabel");
    m_pArrowLabel->setScaledContents(true);
    m_pArrowLabel->setPixmap(QPixmap(SpriteCells::ArrowPicture));

    const auto tool = [this](const char* name, void (VideoItemWidget::*slot)()) {
        auto* b = new BgIconButton(this);
        b->setObjectName(QLatin1String(name));
        connect(b, qOverload<>(&BgIconButton::clicked), this, slot);
        return b;
    };
    m_pCutButton = tool("cutButton", &VideoItemWidget::cutvButton_slots);
    m_pCropButton = tool("cropButton", &VideoItemWidget::cropvButton_slots);
    m_pAudioButton = tool("audioButton", &VideoItemWidget::audiovButton_slots);

    m_pSrtLabel = new MyLabel(this);
    m_pSrtLabel->setObjectName(QStringLiteral("srtLabel"));
    connect(m_pSrtLabel, &MyLabel::clicked, this, &VideoItemWidget::srt_addButton_slots);
    m_pSrtAddButton = new LabelButton(this);
    m_pSrtAddButton->setObjectName(QStringLiteral("srtAddButton"));
    m_pSrtAddButton->setAlignment(Qt::AlignCenter);
    connect(m_pSrtAddButton, qOverload<>(&LabelButton::clicked), this, &VideoItemWidget::srt_addButton_slots);
    m_pSrtDelButton = tool("srtDelButton", &VideoItemWidget::srt_delButton_slots);
    // Checked states are the job's; the row sets both buttons itself.
    m_pBurninButton = new QRadioButton(this);
    m_pBurninButton->setObjectName(QStringLiteral("burninButton"));
    m_pBurninButton->setAutoExclusive(false);
    connect(m_pBurninButton, &QRadioButton::clicked, this, &VideoItemWidget::srt_BurninButton_slots);
    m_pSoftcodeButton = new QRadioButton(this);
    m_pSoftcodeButton->setObjectName(QStringLiteral("softcodeButton"));
    m_pSoftcodeButton->setAutoExclusive(false);
    connect(m_pSoftcodeButton, &QRadioButton::clicked, this, &VideoItemWidget::srt_softcodeButton_slots);

    const auto button = [this](const char* name, void (VideoItemWidget::*slot)()) {
        auto* b = new MyPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setCursor(Qt::PointingHandCursor);
        connect(b, &MyPushButton::clicked, this, slot);
        return b;
    };
    m_pDeleteButton = button("deleteButton", &VideoItemWidget::ctr_deleteButton_slots);
    m_pConvertButton = button("convertButton", &VideoItemWidget::ctr_convertButton_slots);
    m_pOpenButton = button("openButton", &VideoItemWidget::ctr_openButton_slots);
    m_pLoadingLabel = label("loadingLabel");
    m_pLoadingMovie = new QMovie(SpriteCells::LoadingSmallMovie, QByteArray(), this);
    m_pLoadingLabel->setMovie(m_pLoadingMovie);
    m_pStatusLabel = label("statusLabel");

    m_pProgressTrack = label("progressTrack");
    m_pProgressFill = label("progressFill");
    m_pPercentLabel = label("percentLabel");
    m_pSpeedLabel = label("speedLabel");
    m_pTimeLeftLabel = label("timeLeftLabel");
    m_pResultIcon = label("resultIcon");
    m_pResultIcon->setScaledContents(true);
    m_pResultLabel = label("resultLabel");

    m_pMenu = new QMenu(this);
    m_pReasonAction = m_pMenu->addAction(QString());
    m_pReasonAction->setEnabled(false);
    m_pOpenAction = m_pMenu->addAction(QString(), this, &VideoItemWidget::openAction_slots);
    m_pRemoveAction = m_pMenu->addAction(QString(), this, &VideoItemWidget::removeAction_slots);
    m_pRemoveAllAction = m_pMenu->addAction(QString(), this, &VideoItemWidget::removeAllAction_slots);

    for (QWidget* w : {static_cast<QWidget*>(m_pProgressTrack), static_cast<QWidget*>(m_pProgressFill),
             static_cast<QWidget*>(m_pPercentLabel), static_cast<QWidget*>(m_pResultIcon),
             static_cast<QWidget*>(m_pResultLabel), static_cast<QWidget*>(m_pLoadingLabel),
             static_cast<QWidget*>(m_pStatusLabel), static_cast<QWidget*>(m_pOpenButton),
             static_cast<QWidget*>(m_pSpeedLabel), static_cast<QWidget*>(m_pTimeLeftLabel)})
        w->hide();

    resize(px(1080), px(100));
    FlushStyle();
    LayoutItem();
    LoadData();
}

VideoItemWidget::~VideoItemWidget() = default;

void VideoItemWidget::buildFacts(Facts& facts, const QString& name)
{
    facts.heading = new QLabel(this);
    facts.heading->setObjectName(name + QLatin1String("Heading"));
    facts.heading->setAlignment(Qt::AlignCenter);
    static const char* const kinds[4] = {"Format", "Duration", "Size", "Resolution"};
    for (int i = 0; i < 4; ++i) {
        facts.icons[i] = new QLabel(this);
        facts.icons[i]->setObjectName(name + QLatin1String(kinds[i]) + QLatin1String("Icon"));
        facts.values[i] = new QLabel(this);
        facts.values[i]->setObjectName(name + QLatin1String(kinds[i]));
        facts.values[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

VideoItemData* VideoItemWidget::job() const
{
    return static_cast<VideoItemData*>(m_pPrivateData);
}

bool VideoItemWidget::isDark() const
{
    return RuntimeChoices::current()->m_skinType == 1;
}

// ---- layout ------------------------------------------------------------------

void VideoItemWidget::layoutFacts(Facts& facts, int x)
{
    const int blockWidth = px(220);
    const int half = blockWidth / 2;
    facts.heading->setGeometry(x, px(30), blockWidth, px(16));
    for (int i = 0; i < 4; ++i) {
        const int fx = x + (i % 2) * half;
        const int fy = px(50) + (i / 2) * px(22);
        facts.icons[i]->setGeometry(fx, fy, px(16), px(16));
        facts.values[i]->setGeometry(fx + px(20), fy - px(1), half - px(22), px(18));
    }
}

void VideoItemWidget::LayoutItem()
{
    const int w = width();
    const int h = height();
    m_pThumbLabel->setGeometry(px(20), (h - px(64)) / 2, px(105), px(64));
    m_pFileNameLabel->setGeometry(px(140), px(6), px(490), px(22));
    layoutFacts(m_source, px(140));
    m_pArrowLabel->setGeometry(px(368), px(58), px(26), px(13));
    layoutFacts(m_target, px(402));

    for (int i = 0; i < 3; ++i) {
        BgIconButton* b = i == 0 ? m_pCutButton : i == 1 ? m_pCropButton : m_pAudioButton;
        b->setGeometry(px(640) + i * px(36), px(10), px(30), px(30));
    }
    m_pSrtLabel->setGeometry(px(642), px(46), px(150), px(20));
    m_pSrtAddButton->setGeometry(px(796), px(46), px(26), px(20));
    m_pSrtDelButton->setGeometry(px(794), px(41), px(30), px(30));
    m_pBurninButton->setGeometry(px(640), px(72), px(84), px(22));
    m_pSoftcodeButton->setGeometry(px(728), px(72), px(94), px(22));

    // Controls from the right edge: delete, then convert or open (or the
    // loading picture), then the status, progress or result area.
    const int right = w - px(20);
    const int side = px(28);
    const int buttonY = (h - side) / 2;
    place(m_pDeleteButton, QRect(right - side, buttonY, side, side));
    const int secondX = right - 2 * side - px(12);
    place(m_pConvertButton, QRect(secondX, buttonY, side, side));
    place(m_pOpenButton, QRect(secondX, buttonY, side, side));
    m_pLoadingLabel->setGeometry(secondX + (side - px(18)) / 2, (h - px(18)) / 2, px(18), px(18));
    m_pLoadingMovie->setScaledSize(m_pLoadingLabel->size());

    const int areaRight = secondX - px(10);
    const int areaWidth = px(170);
    const bool converting = job() && job()->m_nState == VideoItemData::Converting;
    m_pStatusLabel->setGeometry(areaRight - areaWidth, converting ? px(26) : (h - px(20)) / 2, areaWidth, px(20));
    m_pProgressTrack->setGeometry(areaRight - px(160), px(57), px(100), px(6));
    m_pPercentLabel->setGeometry(areaRight - px(56), px(50), px(56), px(20));
    // Speed and time left stand on the progress line, left of the bar, where
    // the ready state's subtitle controls are; a converting job has none.
    m_pTimeLeftLabel->setGeometry(areaRight - px(160) - px(10) - px(62), px(50), px(62), px(20));
    m_pSpeedLabel->setGeometry(m_pTimeLeftLabel->x() - px(8) - px(48), px(50), px(48), px(20));
    placeResult();
    showProgress();
}

// The result text ends where the status would; its icon sits just before it.
void VideoItemWidget::placeResult()
{
    const int side = px(28);
    const int areaRight = width() - px(20) - 2 * side - px(12) - px(10);
    const int textWidth
        = qMin(px(220), m_pResultLabel->fontMetrics().horizontalAdvance(m_pResultLabel->text()) + px(4));
    const int y = (height() - px(20)) / 2;
    m_pResultLabel->setGeometry(areaRight - textWidth, y, textWidth, px(20));
    m_pResultIcon->setGeometry(areaRight - textWidth - px(24), y, px(20), px(20));
}

// ---- skin --------------------------------------------------------------------

void VideoItemWidget::FlushStyle()
{
    const Palette& c = isDark() ? DarkPalette : LightPalette;
    const int small = px(12);
    m_pFileNameLabel->setStyleSheet(labelSheet(c.text, px(14)));
    for (Facts* facts : {&m_source, &m_target}) {
        facts->heading->setStyleSheet(labelSheet(c.text, small, "font-weight:bold;"));
        for (int i = 0; i < 4; ++i) {
            facts->values[i]->setStyleSheet(labelSheet(c.secondText, small));
            facts->icons[i]->setPixmap(glyph(FactGlyphs[i], c.secondText, px(12), px(16)));
        }
    }

    const QString toolBackground = QStringLiteral("QLabel{background:transparent;border:none;}");
    const QString toolHoverBackground = QStringLiteral("QLabel{background:%1;border:none;border-radius:%2px;}")
                                            .arg(QLatin1String(c.toolHoverBackground))
                                            .arg(px(4));
    for (auto [button, code] : {std::pair<BgIconButton*, int>(m_pCutButton, TrimGlyph), {m_pCropButton, CropGlyph},
             {m_pAudioButton, AudioGlyph}}) {
        const int side = px(30);
        button->setBgStyeSheet(toolBackground, toolHoverBackground, toolBackground, toolBackground);
        button->setIconPixmap(glyph(code, c.toolNormal, px(14), side), glyph(code, c.toolHover, px(14), side),
            glyph(code, c.toolDisabled, px(14), side), glyph(code, c.toolChecked, px(14), side));
    }
    const QPixmap srtDelete = glyph(SrtDeleteGlyph, c.srtDelete, px(11), px(30));
    m_pSrtDelButton->setBgStyeSheet(toolBackground, toolBackground, toolBackground, toolBackground);
    m_pSrtDelButton->setIconPixmap(srtDelete, srtDelete, srtDelete, srtDelete);

    m_pSrtLabel->setStyleSheet(labelSheet(LinkColour, small));
    const QString browse = QStringLiteral("QLabel{color:%1;font-size:%2px;background:transparent;border:1px solid "
                                          "%3;border-radius:3px;}");
    m_pSrtAddButton->setLabelStyleSheet(browse.arg(QLatin1String(c.text)).arg(small).arg(QLatin1String(c.line)),
        browse.arg(QLatin1String(LinkColour)).arg(small).arg(QLatin1String(LinkColour)),
        browse.arg(QLatin1String(c.toolDisabled)).arg(small).arg(QLatin1String(c.line)), QString());
    const QString radio
        = QStringLiteral("QRadioButton{color:%1;font-size:%2px;background:transparent;spacing:5px;}"
                         "QRadioButton:disabled{color:%3;}"
                         "QRadioButton::indicator{width:10px;height:10px;border-radius:6px;border:1px solid %4;"
                         "background:%5;}"
                         "QRadioButton::indicator:checked{border:1px solid %6;background:qradialgradient(cx:0.5,"
                         "cy:0.5,radius:0.5,fx:0.5,fy:0.5,stop:0 %6,stop:0.55 %6,stop:0.6 %5,stop:1 %5);}"
                         "QRadioButton::indicator:disabled{border:1px solid %7;}");
    for (QRadioButton* r : {m_pBurninButton, m_pSoftcodeButton})
        r->setStyleSheet(radio.arg(QLatin1String(c.text))
                             .arg(small)
                             .arg(QLatin1String(c.secondText), QLatin1String(c.secondText), QLatin1String(c.background),
                                 QLatin1String(LinkColour), QLatin1String(c.line)));

    const QPixmap sheet(SpriteCells::PublicSheet);
    const int skin = isDark() ? SpriteCells::Dark : SpriteCells::Light;
    setCells(m_pDeleteButton, sheet, SpriteCells::publicCells(SpriteCells::RowDeleteColumn, skin));
    setCells(m_pConvertButton, sheet, SpriteCells::publicCells(SpriteCells::RowConvertColumn, skin));
    setCells(m_pOpenButton, sheet, SpriteCells::publicCells(SpriteCells::RowOpenColumn, skin));

    m_pStatusLabel->setStyleSheet(labelSheet(c.text, small));
    m_pPercentLabel->setStyleSheet(labelSheet(c.text, small));
    m_pSpeedLabel->setStyleSheet(labelSheet(c.secondText, small));
    m_pTimeLeftLabel->setStyleSheet(labelSheet(c.secondText, small));
    m_pProgressTrack->setStyleSheet(
        QStringLiteral("QLabel{background:%1;border:none;border-radius:%2px;}").arg(QLatin1String(c.track)).arg(px(3)));
    m_pProgressFill->setStyleSheet(QStringLiteral("QLabel{background:%1;border:none;border-radius:%2px;}")
                                       .arg(QLatin1String(FillColour))
                                       .arg(px(3)));
    m_pResultLabel->setStyleSheet(labelSheet(c.text, small));

    m_pMenu->setStyleSheet(
        QStringLiteral("QMenu{background-color:%1;border:1px solid %2;padding:6px 0px;}"
                       "QMenu::item{color:%3;min-width:96px;min-height:26px;font-size:12px;padding-left:6px;"
                       "padding-right:12px;}"
                       "QMenu::item:selected{background-color:%4;color:%5;}"
                       "QMenu::item:disabled{color:%6;}")
            .arg(QLatin1String(c.menuBackground), QLatin1String(c.menuBorder), QLatin1String(c.menuText),
                QLatin1String(c.menuSelected), QLatin1String(c.menuSelectedText), QLatin1String(c.secondText)));

    // A new skin may bring a new placeholder look; draw the thumbnail again.
    m_bThumbShown = false;
    showThumbnail();
    update();
}

void VideoItemWidget::paintEvent(QPaintEvent* event)
{
    MyTableItemWidget::paintEvent(event);
    QPainter p(this);
    p.setPen(QColor(QLatin1String(isDark() ? DarkPalette.line : LightPalette.line)));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

// ---- showing the job ---------------------------------------------------------

void VideoItemWidget::showThumbnail()
{
    VideoItemData* item = job();
    const QString path = item ? item->m_thumbPath : QString();
    if (m_bThumbShown && path == m_shownThumbPath && m_pThumbLabel->size() == m_shownThumbSize)
        return;
    QPixmap picture;
    if (!path.isEmpty() && QFileInfo::exists(path))
        picture.load(path);
    if (picture.isNull())
        picture = QPixmap(SpriteCells::WidePublicSheet).copy(SpriteCells::ThumbnailPlaceholder);
    setBackgroundPicture(
        m_pThumbLabel, picture.scaled(m_pThumbLabel->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_shownThumbPath = path;
    m_shownThumbSize = m_pThumbLabel->size();
    m_bThumbShown = true;
}

void VideoItemWidget::setTargetResolutionVisible(bool visible)
{
    m_target.icons[ResolutionFact]->setVisible(visible);
    m_target.values[ResolutionFact]->setVisible(visible);
}

void VideoItemWidget::showStatus()
{
    for (QWidget* w : {static_cast<QWidget*>(m_pProgressTrack), static_cast<QWidget*>(m_pProgressFill),
             static_cast<QWidget*>(m_pPercentLabel), static_cast<QWidget*>(m_pResultIcon),
             static_cast<QWidget*>(m_pResultLabel), static_cast<QWidget*>(m_pDeleteButton),
             static_cast<QWidget*>(m_pConvertButton), static_cast<QWidget*>(m_pOpenButton),
             static_cast<QWidget*>(m_pLoadingLabel), static_cast<QWidget*>(m_pStatusLabel),
             static_cast<QWidget*>(m_pSrtLabel), static_cast<QWidget*>(m_pSrtAddButton),
             static_cast<QWidget*>(m_pSrtDelButton), static_cast<QWidget*>(m_pBurninButton),
             static_cast<QWidget*>(m_pSoftcodeButton), static_cast<QWidget*>(m_pCutButton),
             static_cast<QWidget*>(m_pCropButton), static_cast<QWidget*>(m_pAudioButton),
             static_cast<QWidget*>(m_pSpeedLabel), static_cast<QWidget*>(m_pTimeLeftLabel)})
        w->hide();
    m_pLoadingMovie->stop();
    m_pArrowLabel->show();
    m_pResultLabel->setToolTip(QString());
    m_pResultIcon->setToolTip(QString());

    VideoItemData* item = job();
    if (!item)
        return;
    showThumbnail();

    const bool avi = item->m_format == QLatin1String("avi");
    if (item->m_srtPath.isEmpty()) {
        m_pSrtLabel->setText(tr("Add subtitle"));
        m_pSrtLabel->setToolTip(tr("Add subtitle"));
        m_pBurninButton->setChecked(false);
        m_pSoftcodeButton->setChecked(false);
        m_pBurninButton->setEnabled(false);
        m_pSoftcodeButton->setEnabled(false);
    } else {
        // AVI cannot carry a subtitle track: it is always burnt in.
        if (avi)
            item->m_bSoftSubtitle = false;
        m_pBurninButton->setChecked(!item->m_bSoftSubtitle);
        m_pSoftcodeButton->setChecked(item->m_bSoftSubtitle);
        setElidedText(m_pSrtLabel, item->m_srtPath, Qt::ElideMiddle);
        m_pSrtLabel->setToolTip(item->m_srtPath);
        enable(m_pSrtDelButton, false);
        m_pBurninButton->setEnabled(true);
        m_pSoftcodeButton->setEnabled(true);
    }
    // The browse and delete buttons belong to the subtitle area: outside the
    // ready state they stay hidden with it, so a started job keeps its subtitle.
    const bool softcodeHidden = avi;
    const bool mp3 = item->m_format == QLatin1String("mp3");
    setTargetResolutionVisible(!mp3);

    const auto showSubtitleAndTools = [this, softcodeHidden] {
        for (QWidget* w : {static_cast<QWidget*>(m_pSrtLabel), static_cast<QWidget*>(m_pBurninButton),
                 static_cast<QWidget*>(m_pCutButton), static_cast<QWidget*>(m_pCropButton),
                 static_cast<QWidget*>(m_pAudioButton)})
            w->show();
        m_pSoftcodeButton->setVisible(!softcodeHidden);
        const bool hasSubtitle = !job()->m_srtPath.isEmpty();
        m_pSrtDelButton->setVisible(hasSubtitle);
        m_pSrtAddButton->setVisible(!hasSubtitle);
    };

    switch (item->m_nState) {
    case VideoItemData::Ready:
        m_pDeleteButton->show();
        m_pConvertButton->show();
        enable(m_pSrtDelButton, true);
        if (!mp3)
            showSubtitleAndTools();
        break;
    case VideoItemData::Waiting:
        m_pDeleteButton->show();
        m_pStatusLabel->setText(tr("Waiting..."));
        m_pStatusLabel->show();
        break;
    case VideoItemData::Converting:
        m_pDeleteButton->show();
        m_pLoadingLabel->show();
        m_pLoadingMovie->start();
        m_pStatusLabel->setText(tr("Converting..."));
        m_pStatusLabel->show();
        m_pProgressTrack->show();
        m_pPercentLabel->show();
        break;
    case VideoItemData::Completed:
        m_pDeleteButton->show();
        m_pOpenButton->show();
        m_pResultLabel->setText(tr("Conversion completed"));
        m_pResultIcon->setPixmap(QPixmap(SpriteCells::PublicSheet)
                                     .copy(SpriteCells::publicCells(
                                         SpriteCells::SuccessColumn, isDark() ? SpriteCells::Dark : SpriteCells::Light)
                                               .normal));
        m_pResultLabel->show();
        m_pResultIcon->show();
        break;
    case VideoItemData::Failed: {
        m_pDeleteButton->show();
        m_pResultLabel->setText(tr("Conversion failed"));
        m_pResultIcon->setPixmap(QPixmap(SpriteCells::PublicSheet)
                                     .copy(SpriteCells::publicCells(
                                         SpriteCells::FailureColumn, isDark() ? SpriteCells::Dark : SpriteCells::Light)
                                               .normal));
        // The reason is at hand where the failure shows, not only in the log.
        const QString why = failureText();
        m_pResultLabel->setToolTip(why);
        m_pResultIcon->setToolTip(why);
        m_pResultLabel->show();
        m_pResultIcon->show();
        break;
    }
    case VideoItemData::Stopped:
        m_pDeleteButton->show();
        m_pConvertButton->show();
        break;
    default:
        break;
    }
    placeResult();
}

QString VideoItemWidget::failureText() const
{
    VideoItemData* item = job();
    const QString reason = item ? item->failureReason() : QString();
    return reason.isEmpty() ? tr("Conversion failed") : reason;
}

void VideoItemWidget::showProgress()
{
    VideoItemData* item = job();
    if (!item)
        return;
    const int p = item->m_nProgress;
    m_pPercentLabel->setText(progressText(p));
    const QRect track = m_pProgressTrack->geometry();
    const qint64 scaled = static_cast<qint64>(p) * track.width();
    const int fill = scaled > 9999 ? static_cast<int>(qMin<qint64>(scaled / 10000, track.width())) : 0;
    m_pProgressFill->setGeometry(track.x(), track.y(), fill, track.height());
    m_pProgressFill->setVisible(m_pProgressTrack->isVisibleTo(this) && fill > 0);

    // Both only while converting, and only once ffmpeg has told its speed.
    const double speed = item->speed();
    const qint64 left = item->timeLeft();
    m_pSpeedLabel->setText(speed > 0 ? speedText(speed) : QString());
    m_pSpeedLabel->setVisible(speed > 0);
    m_pTimeLeftLabel->setText(left >= 0 ? QCommonUtils::TimetoString(left) : QString());
    m_pTimeLeftLabel->setVisible(left >= 0);
}

QString VideoItemWidget::speedText(double speed)
{
    return tr("%1x").arg(speed, 0, 'f', 1);
}

QString VideoItemWidget::progressText(int progress)
{
    if (progress < 1)
        return QStringLiteral("0%");
    return QString::asprintf("%02d.%02d", progress / 100, progress % 100) + QLatin1Char('%');
}

void VideoItemWidget::setElidedText(QLabel* label, const QString& text, Qt::TextElideMode mode)
{
    label->setText(label->fontMetrics().elidedText(text, mode, label->width()));
}

void VideoItemWidget::LoadData()
{
    m_source.heading->setText(tr("Source"));
    m_target.heading->setText(tr("Target"));
    m_pSrtAddButton->setText(tr("..."));
    m_pBurninButton->setText(tr("Burn-In"));
    m_pSoftcodeButton->setText(tr("Softcode"));
    m_pOpenAction->setText(tr("Open"));
    m_pRemoveAction->setText(tr("Remove"));
    m_pRemoveAllAction->setText(tr("Remove All"));
    m_pStatusLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pPercentLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pSpeedLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pTimeLeftLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pSpeedLabel->setToolTip(tr("Encoding speed, in multiples of playback"));
    m_pTimeLeftLabel->setToolTip(tr("Time left"));
    m_pResultLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pFileNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pSrtLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    VideoItemData* item = job();
    if (!item)
        return;
    const QFileInfo source(item->m_sourcePath);
    setElidedText(m_pFileNameLabel, source.completeBaseName(), Qt::ElideMiddle);
    m_pFileNameLabel->setToolTip(item->m_sourcePath);

    // Without a record the facts have no source; they stay empty.
    const MediaInfo* m = item->m_pMediaInfo;
    const QString empty;
    m_source.values[FormatFact]->setText(source.suffix().toUpper());
    m_source.values[DurationFact]->setText(m ? QCommonUtils::TimetoString(m->duration) : empty);
    m_source.values[SizeFact]->setText(m ? QCommonUtils::GetFileSizeString(m->fileSize) : empty);
    m_source.values[ResolutionFact]->setText(m ? resolutionText(m->width, m->height) : empty);

    m_target.values[FormatFact]->setText(item->m_format.toUpper());
    if (m) {
        m_target.values[ResolutionFact]->setText(
            m->cropWidth >= 1 ? resolutionText(m->cropWidth, m->cropHeight) : resolutionText(m->width, m->height));
        m_target.values[DurationFact]->setText(
            QCommonUtils::TimetoString(m->trimEnd >= 1 ? m->trimEnd - m->trimStart : m->duration));
    } else {
        m_target.values[ResolutionFact]->setText(empty);
        m_target.values[DurationFact]->setText(empty);
    }
    m_target.values[SizeFact]->setText(item->m_sizeText);

    // A tool whose edit is in effect shows checked.
    check(m_pCutButton, m && m->isTrimmed());
    check(m_pCropButton, m && (m->isCropped() || m->rotation % 360 != 0 || m->flipH == 1 || m->flipV == 1));
    check(m_pAudioButton, m && (m->removeOriginalAudio || !m->externalAudioPath.isEmpty()));

    showThumbnail();
}

void VideoItemWidget::updateSizeEstimate()
{
    VideoItemData* item = job();
    if (!item)
        return;
    item->m_sizeText = QCommonUtils::GetFileSizeString(item->estimatedOutputSize());
    LoadData();
    emit jobEdited(this);
}

// ---- actions -----------------------------------------------------------------

VideoItemData* VideoItemWidget::editableJob() const
{
    VideoItemData* item = job();
    return item && item->m_nState == VideoItemData::Ready && item->m_pMediaInfo ? item : nullptr;
}

void VideoItemWidget::cutvButton_slots()
{
    if (VideoItemData* item = editableJob()) {
        if (JobEditorHost* host = JobEditorHost::current())
            host->openTrimEditor(item->m_pMediaInfo, this);
    }
}

void VideoItemWidget::cropvButton_slots()
{
    if (VideoItemData* item = editableJob()) {
        if (JobEditorHost* host = JobEditorHost::current())
            host->openCropEditor(item->m_pMediaInfo, this);
    }
}

void VideoItemWidget::audiovButton_slots()
{
    if (VideoItemData* item = editableJob()) {
        if (JobEditorHost* host = JobEditorHost::current())
            host->openAudioEditor(item->m_pMediaInfo, this);
    }
}

void VideoItemWidget::stopJobAndDelete()
{
    VideoItemData* item = job();
    if (!item)
        return;
    item->stopConvert();
    emit deleteitem(this);
}

void VideoItemWidget::ctr_deleteButton_slots()
{
    stopJobAndDelete();
}

void VideoItemWidget::removeAction_slots()
{
    stopJobAndDelete();
}

void VideoItemWidget::removeAllAction_slots()
{
    emit signal_removeAllAction();
}

void VideoItemWidget::ctr_convertButton_slots()
{
    VideoItemData* item = job();
    if (!item)
        return;
    item->m_nState = VideoItemData::Waiting;
    showStatus();
    emit updateConvert(this);
}

void VideoItemWidget::openOutputFolder()
{
    VideoItemData* item = job();
    if (!item || item->m_outputPath.isEmpty())
        return;
    const QString folder = QFileInfo(item->m_outputPath).absolutePath();
    if (!folder.isEmpty())
        QCommonUtils::openUrl(QUrl::fromLocalFile(folder));
}

void VideoItemWidget::ctr_openButton_slots()
{
    openOutputFolder();
}

void VideoItemWidget::openAction_slots()
{
    openOutputFolder();
}

void VideoItemWidget::srt_addButton_slots()
{
    // Subtitles are chosen before a job starts, like every other edit.
    QPointer<VideoItemData> item = job();
    if (!item || item->m_nState != VideoItemData::Ready)
        return;
    const QString start = PathServices::getSettingFolder(SettingKeys::AddSubtitlePath);
    const QString chosen = fileChooser()(
        this, tr("Open File"), start, PathServices::anyCaseFilter(tr("subtitle"), {QStringLiteral("*.srt")}));
    if (chosen.isEmpty())
        return;
    PathServices::setSettingValue(SettingKeys::AddSubtitlePath, chosen.left(chosen.lastIndexOf(QLatin1Char('/')) + 1));
    // The dialog ran its own event loop: the job may be gone or shown elsewhere.
    if (!item || item != job())
        return;
    item->m_srtPath = chosen;
    showStatus();
    emit jobEdited(this);
}

void VideoItemWidget::srt_delButton_slots()
{
    VideoItemData* item = job();
    if (!item)
        return;
    item->m_srtPath.clear();
    item->m_bSoftSubtitle = true;
    m_pBurninButton->setChecked(false);
    m_pSoftcodeButton->setChecked(false);
    showStatus();
    emit jobEdited(this);
}

void VideoItemWidget::srt_BurninButton_slots()
{
    VideoItemData* item = job();
    if (!item || item->m_srtPath.isEmpty())
        return;
    if (m_pBurninButton->isChecked())
        item->m_bSoftSubtitle = false;
    emit srtStatusChange(this);
    showStatus();
}

void VideoItemWidget::srt_softcodeButton_slots()
{
    VideoItemData* item = job();
    if (!item || item->m_srtPath.isEmpty())
        return;
    if (m_pSoftcodeButton->isChecked())
        item->m_bSoftSubtitle = true;
    emit srtStatusChange(this);
    showStatus();
}

void VideoItemWidget::contextMenuEvent(QContextMenuEvent* event)
{
    VideoItemData* item = job();
    if (!item)
        return;
    m_pOpenAction->setVisible(item->m_nState == VideoItemData::Completed);
    const bool failed = item->m_nState == VideoItemData::Failed;
    m_pReasonAction->setVisible(failed);
    m_pReasonAction->setText(failed ? failureText() : QString());
    m_pMenu->exec(event->globalPos());
}

#include "ui/edit/videoeditbase.h"

#include "common/interfacescale.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "probe/mediainfo.h"
#include "toolkit/mypushbutton.h"
#include "ui/edit/cqtvideorenderwidget.h"
#include "ui/edit/myslider2.h"
#include "ui/edit/vlcplayer.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QtDebug>

using MyQtCustom::MyPushButton;
using MyQtCustom::QCommonUtils;

namespace {

constexpr qint64 Second = 1000000;
constexpr qint64 StepTime = 5 * Second;
constexpr int TickMs = 500;
constexpr int PanelWidth = 800;
constexpr int PanelHeight = 640;

int px(int units)
{
    return InterfaceScale::px(units);
}

} // namespace

bool VideoEditBase::canEdit(int jobState, const MediaInfo* record)
{
    return jobState == -1 && record != nullptr;
}

VideoEditBase::VideoEditBase(QWidget* parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    qDebug("%s 1", metaObject()->className());
    m_pPlayer = VLCPlayer::instance();
    qDebug("%s 2", metaObject()->className());

    m_panel = new QWidget(this);
    m_panelBack = new QWidget(m_panel);
    m_titleBack = new QLabel(m_panel);
    m_titleLabel = new QLabel(m_panel);
    m_fileNameLabel = new QLabel(m_panel);
    m_fileNameLabel->setTextFormat(Qt::PlainText);
    closeButton = new MyPushButton(m_panel);
    m_separator = new QLabel(m_panel);
    m_previewArea = new QWidget(m_panel);
    m_previewArea->setAutoFillBackground(true);
    QPalette black = m_previewArea->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_previewArea->setPalette(black);
    m_pictureContainer = new QWidget(m_previewArea);
    renderwidget = new CQtVideoRenderWidget(m_pictureContainer);
    m_controlBar = new QWidget(m_panel);
    m_timeLabel = new QLabel(m_controlBar);
    harryDownButton = new MyPushButton(m_controlBar);
    playButton = new MyPushButton(m_controlBar);
    pauseButton = new MyPushButton(m_controlBar);
    harryUpButton = new MyPushButton(m_controlBar);
    m_volumeIcon = new QLabel(m_controlBar);
    audioSlider = new MySlider2(m_controlBar);
    audioSlider->setRange(0, 100);

    connect(closeButton, &MyPushButton::clicked, this, &VideoEditBase::closeButton_slots);
    connect(harryDownButton, &MyPushButton::clicked, this, &VideoEditBase::harryDownButton_slots);
    connect(harryUpButton, &MyPushButton::clicked, this, &VideoEditBase::harryUpButton_slots);
    connect(playButton, &MyPushButton::clicked, this, &VideoEditBase::playButton_slots);
    connect(pauseButton, &MyPushButton::clicked, this, &VideoEditBase::pauseButton_slots);
    // The end is reported on libvlc's event thread; restarting must happen here.
    connect(m_pPlayer, &VLCPlayer::playend_signal, this, &VideoEditBase::playend_slots, Qt::QueuedConnection);
    connect(m_timer, &QTimer::timeout, this, &VideoEditBase::m_timer_slots);
    connect(audioSlider, &MySlider2::CurrentValueChanged, this, &VideoEditBase::audioSlider_CurrentValueChanged_slots);
}

VideoEditBase::~VideoEditBase()
{
    // Frames must stop before the surface they are copied into goes.
    if (m_pPlayer->currentContext() == this)
        m_pPlayer->stop();
}

MySlider2* VideoEditBase::makeRenderSlider()
{
    renderSlider = new MySlider2(m_panel);
    connect(renderSlider, &MySlider2::CurrentValueChanged, this, &VideoEditBase::renderSlider_CurrentValueChanged_slots);
    return renderSlider;
}

int VideoEditBase::skin() const
{
    return RuntimeChoices::current()->m_skinType == 1 ? 1 : 0;
}

void VideoEditBase::setSprite(MyPushButton* button, const QString& sheet, const SpriteCells::StateCells& c)
{
    button->setSpriteCells(QPixmap(sheet), c);
}

void VideoEditBase::layoutChildren()
{
    const int w = px(PanelWidth);
    const int h = px(PanelHeight);
    m_panel->setGeometry(qMax(0, (width() - w) / 2), qMax(0, (height() - h) / 2), w, h);
    m_panelBack->setGeometry(0, 0, w, h);
    m_panelBack->lower();
    m_titleBack->setGeometry(1, 1, w - 2, px(35));
    m_titleLabel->setGeometry(px(20), 0, px(120), px(36));
    m_fileNameLabel->setGeometry(px(140), 0, w - px(190), px(36));
    closeButton->setGeometry(w - px(28), px(8), px(20), px(20));
    m_separator->setGeometry(0, px(36), w, 1);
    m_previewArea->setGeometry(px(20), px(46), w - px(40), px(360));

    m_controlBar->setGeometry(px(20), h - px(80), w - px(40), px(30));
    m_timeLabel->setGeometry(px(110), px(5), px(170), px(20));
    int x = px(110) + px(170) + px(40);
    harryDownButton->setGeometry(x, 0, px(30), px(30));
    x += px(30) + px(20);
    playButton->setGeometry(x, 0, px(30), px(30));
    pauseButton->setGeometry(x, 0, px(30), px(30));
    x += px(30) + px(20);
    harryUpButton->setGeometry(x, 0, px(30), px(30));
    x += px(30) + px(40);
    m_volumeIcon->setGeometry(x, 0, px(30), px(30));
    x += px(30) + px(5);
    audioSlider->setGeometry(x, px(5), px(80), px(20));
    if (renderSlider)
        renderSlider->setGeometry(px(20), h - px(130), w - px(40), px(20));
    layoutEditControls(w, h);
}

QString VideoEditBase::textSheet(int skin, int fontSize) const
{
    return QStringLiteral("QLabel{font-size:%1px;color:%2;background:transparent;border:none;}")
        .arg(fontSize)
        .arg(skin == 1 ? QStringLiteral("#b9c8d3") : QStringLiteral("#333333"));
}

QString VideoEditBase::textButtonSheet(int skin, bool hover) const
{
    if (skin == 1)
        return QStringLiteral(
            "QLabel{font-size:13px;color:#b9c8d3;background-color:%1;border:1px solid #61707c;border-radius:3px;}")
            .arg(hover ? QStringLiteral("#3a4048") : QStringLiteral("#2e3033"));
    return QStringLiteral(
        "QLabel{font-size:13px;color:#333333;background-color:%1;border:1px solid #cccccc;border-radius:3px;}")
        .arg(hover ? QStringLiteral("#eef3f8") : QStringLiteral("#ffffff"));
}

void VideoEditBase::applySkin()
{
    const int s = skin();
    m_panelBack->setStyleSheet(s == 1
            ? QStringLiteral("QWidget{border: 1px solid #040405; background-color:#2e3033;border-radius: 0px;}")
            : QStringLiteral("QWidget{border: 1px solid #cccccc; background-color:#ffffff;border-radius: 0px;}"));
    m_titleBack->setStyleSheet(QStringLiteral("QLabel{background-color:%1;border:none;}")
                                   .arg(s == 1 ? QStringLiteral("#26282b") : QStringLiteral("#f3f5f7")));
    m_separator->setStyleSheet(QStringLiteral("QLabel{background-color:%1;border:none;}")
                                   .arg(s == 1 ? QStringLiteral("#393b3e") : QStringLiteral("#cccccc")));
    m_titleLabel->setStyleSheet(textSheet(s, 16) + QStringLiteral("QLabel{font-weight:bold;}"));
    m_fileNameLabel->setStyleSheet(QStringLiteral("QLabel{font-size:13px;color:%1;background:transparent;border:none;}")
                                       .arg(s == 1 ? QStringLiteral("#8a97a3") : QStringLiteral("#777777")));
    m_timeLabel->setStyleSheet(textSheet(s, 13));

    setSprite(closeButton, SpriteCells::PublicSheet, SpriteCells::publicCells(SpriteCells::CloseColumn, s));
    setSprite(harryDownButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::HarryDownColumn, s));
    setSprite(playButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::PlayButtonColumn, s));
    setSprite(pauseButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::PauseButtonColumn, s));
    setSprite(harryUpButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::HarryUpColumn, s));
    const QPixmap sheet(SpriteCells::PlayButtonsSheet);
    m_volumeIcon->setPixmap(sheet.copy(SpriteCells::playCells(SpriteCells::VolumeColumn, s).normal)
                                .scaled(m_volumeIcon->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    audioSlider->applySkin(s);
    if (renderSlider)
        renderSlider->applySkin(s);
    showPlaying();
    skinEditControls(s);
    update();
}

void VideoEditBase::retranslate()
{
    m_titleLabel->setText(titleText());
    if (!m_bInited)
        m_timeLabel->setText(QStringLiteral("00:00:00 | 00:00:00"));
    retranslateEditControls();
}

bool VideoEditBase::isPreviewing() const
{
    return m_timer->isActive();
}

QString VideoEditBase::timeText() const
{
    return m_timeLabel->text();
}

QSize VideoEditBase::fittedPictureSize() const
{
    const int aw = m_previewArea->width();
    const int ah = m_previewArea->height();
    int w = aw;
    int h = ah;
    if (m_pMediaInfo && m_pMediaInfo->width > 0 && m_pMediaInfo->height > 0) {
        const float vw = m_pMediaInfo->width;
        const float vh = m_pMediaInfo->height;
        const float scale = qMin(qMin(aw / vw, ah / vh), 1.0f); // never enlarged
        w = qMin(aw, static_cast<int>(vw * scale));
        h = qMin(static_cast<int>(vh * scale), ah);
    }
    // libvlc at 0 x 0 delivers nothing and cannot be stopped.
    return QSize(qMax(2, w), qMax(2, h));
}

void VideoEditBase::loadMedia(MediaInfo* record, QWidget* row)
{
    m_pMediaInfo = record;
    m_pRow = row;
    m_bInited = false;
    if (!record)
        return;
    const QSize picture = fittedPictureSize();
    m_pictureContainer->setGeometry((m_previewArea->width() - picture.width()) / 2,
        (m_previewArea->height() - picture.height()) / 2, picture.width(), picture.height());
    renderwidget->setGeometry(0, 0, picture.width(), picture.height());
    renderwidget->show();
    renderwidget->raise();

    m_pPlayer->setVideoCallback(frameForwarder, this, picture.width(), picture.height());
    renderwidget->setSourceSize(picture.width(), picture.height());
    renderwidget->setEditParams(nullptr);
    renderwidget->fitToParent();
    renderwidget->setCropEnabled(false);
    prepareSurface();
    m_pPlayer->setMediaPath(record->filePath);
    m_pPlayer->start();

    m_fileNameLabel->setText(QFileInfo(record->filePath).fileName());
    loadRecordControls();
    audioSlider->setRange(0, 100);
    audioSlider->setValue(80);
    m_pPlayer->setVolume(80);
    showPlaying();
    m_timer->start(TickMs);
}

void VideoEditBase::frameForwarder(void* context, const unsigned char* frame, int width, int height)
{
    static_cast<VideoEditBase*>(context)->renderwidget->setFrame(frame, width, height);
}

void VideoEditBase::closeButton_slots()
{
    if (m_pPlayer->currentContext() == this)
        m_pPlayer->stop();
    m_timer->stop();
    hide();
    emit editorClosed(m_pRow);
}

void VideoEditBase::showPlaying()
{
    playButton->show();
    pauseButton->hide();
}

void VideoEditBase::seekAndPlay(qint64 t)
{
    m_pPlayer->setTime(t);
    m_pPlayer->resume();
    showPlaying();
}

void VideoEditBase::harryDownButton_slots()
{
    const qint64 p = positionValue();
    const qint64 t = p <= StepTime ? 0 : p - StepTime;
    m_pPlayer->setTime(t);
    showPosition(t);
    showPlaying();
}

void VideoEditBase::harryUpButton_slots()
{
    const qint64 p = positionValue();
    const qint64 t = qMax<qint64>(0, qMin(p + StepTime, m_pPlayer->getLength() - Second));
    m_pPlayer->setTime(t);
    showPosition(t);
    showPlaying();
}

void VideoEditBase::playButton_slots()
{
    m_pPlayer->pause();
    pauseButton->show();
    playButton->hide();
}

void VideoEditBase::pauseButton_slots()
{
    m_pPlayer->resume();
    showPlaying();
}

void VideoEditBase::playend_slots()
{
    // The signal reaches every editor, queued and maybe late: only the one
    // showing the preview that ended restarts it.
    if (!isVisible() || m_pPlayer->currentContext() != this || !m_pPlayer->isEndReached())
        return;
    loadMedia(m_pMediaInfo, m_pRow);
}

void VideoEditBase::m_timer_slots()
{
    const qint64 t = m_pPlayer->getTime();
    const qint64 length = m_pPlayer->getLength();
    if (length > 0 && !m_bInited) {
        m_bInited = true;
        lengthKnown(length);
    }
    showPosition(t);
    m_timeLabel->setText(QCommonUtils::TimetoString(t) + QLatin1String(" | ") + QCommonUtils::TimetoString(length));
}

void VideoEditBase::audioSlider_CurrentValueChanged_slots()
{
    m_pPlayer->setVolume(static_cast<int>(audioSlider->value()));
}

void VideoEditBase::renderSlider_CurrentValueChanged_slots()
{
    if (renderSlider)
        seekAndPlay(renderSlider->value());
}

void VideoEditBase::lengthKnown(qint64 length)
{
    if (renderSlider) {
        renderSlider->setRange(0, length);
        renderSlider->setValue(0);
    }
}

qint64 VideoEditBase::positionValue() const
{
    return renderSlider ? renderSlider->value() : 0;
}

void VideoEditBase::showPosition(qint64 t)
{
    if (renderSlider)
        renderSlider->setValue(t);
}

void VideoEditBase::paintEvent(QPaintEvent*)
{
    // The page stays visible, dimmed, around the panel.
    QPainter(this).fillRect(rect(), QColor(0, 0, 0, 110));
}

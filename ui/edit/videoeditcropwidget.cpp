#include "ui/edit/videoeditcropwidget.h"

#include "common/interfacescale.h"
#include "probe/mediainfo.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/mytempbutton2.h"
#include "ui/edit/cqtvideorenderwidget.h"
#include "ui/edit/myslider2.h"
#include "ui/edit/myvalueshowedit.h"

#include <QLabel>

using MyQtCustom::MyPushButton;
using MyQtCustom::MyTempButton2;

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

// One side of the rectangle: position and length within `full` pixels.
void normalizeSide(int& pos, int& len, int full, bool snapToFull)
{
    if (full <= 0) {
        pos = 0;
        len = 0;
        return;
    }
    if (len < 1) {
        pos = 0;
        len = full;
        return;
    }
    pos = qBound(0, pos, full - 1);
    len = qBound(1, len, full - pos);
    if ((snapToFull && len >= full - 2) || (pos == 0 && len >= full - 1)) {
        pos = 0;
        len = full;
        return;
    }
    pos &= ~1;
    len = qMax(2, len & ~1);
    if (pos + len > full)
        pos = qMax(0, (full - len) & ~1);
}

} // namespace

QRect VideoEditCropWidget::normalizedCrop(const QRect& crop, int width, int height, bool snapToFull)
{
    int x = crop.x();
    int y = crop.y();
    int w = crop.width();
    int h = crop.height();
    normalizeSide(x, w, width, snapToFull);
    normalizeSide(y, h, height, snapToFull);
    return QRect(x, y, w, h);
}

VideoEditCropWidget::VideoEditCropWidget(QWidget* parent)
    : VideoEditBase(parent)
    , flipYButton(new MyPushButton(m_panel))
    , flipXButton(new MyPushButton(m_panel))
    , rotateXButton(new MyPushButton(m_panel))
    , rotateYButton(new MyPushButton(m_panel))
    , m_xLabel(new QLabel(m_panel))
    , posXShowEdit(new MyValueShowEdit(m_panel))
    , m_yLabel(new QLabel(m_panel))
    , posYShowEdit(new MyValueShowEdit(m_panel))
    , m_widthLabel(new QLabel(m_panel))
    , widthShowEdit(new MyValueShowEdit(m_panel))
    , m_heightLabel(new QLabel(m_panel))
    , heightShowEdit(new MyValueShowEdit(m_panel))
    , resetButton(new MyTempButton2(m_panel))
{
    makeRenderSlider();
    resetButton->setAlignment(Qt::AlignCenter);
    for (QLabel* l : {m_xLabel, m_yLabel, m_widthLabel, m_heightLabel})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (MyValueShowEdit* e : {posXShowEdit, posYShowEdit, widthShowEdit, heightShowEdit})
        e->m_nStep = 2; // the rectangle's values are even

    connect(resetButton, QOverload<>::of(&MyTempButton2::clicked), this, &VideoEditCropWidget::resetButton_slots);
    connect(flipYButton, &MyPushButton::clicked, this, &VideoEditCropWidget::flipYButton_slots);
    connect(flipXButton, &MyPushButton::clicked, this, &VideoEditCropWidget::flipXButton_slots);
    connect(rotateXButton, &MyPushButton::clicked, this, &VideoEditCropWidget::rotateXButton_slots);
    connect(rotateYButton, &MyPushButton::clicked, this, &VideoEditCropWidget::rotateYButton_slots);
    connect(posXShowEdit, &MyValueShowEdit::CurrentValueChanged, this,
        &VideoEditCropWidget::posXShowEdit_ValueChanged_slots);
    connect(posYShowEdit, &MyValueShowEdit::CurrentValueChanged, this,
        &VideoEditCropWidget::posYShowEdit_ValueChanged_slots);
    connect(widthShowEdit, &MyValueShowEdit::CurrentValueChanged, this,
        &VideoEditCropWidget::widthShowEdit_ValueChanged_slots);
    connect(heightShowEdit, &MyValueShowEdit::CurrentValueChanged, this,
        &VideoEditCropWidget::heightShowEdit_ValueChanged_slots);
    connect(renderwidget, &CQtVideoRenderWidget::crop_changed_signal, this,
        &VideoEditCropWidget::renderwidget_CropChanged_slots);
    connect(renderwidget, &CQtVideoRenderWidget::doubleclicked, this,
        &VideoEditCropWidget::renderwidget_doubleclicked_slots);
}

QString VideoEditCropWidget::titleText() const
{
    return tr("Crop");
}

void VideoEditCropWidget::layoutEditControls(int, int)
{
    const int y = px(46) + px(360) + px(22);
    int x = px(20);
    for (MyPushButton* b : {flipYButton, flipXButton, rotateXButton, rotateYButton}) {
        b->setGeometry(x, y, px(30), px(30));
        x += px(30) + px(10);
    }
    const int boxY = y + px(4);
    const int h = px(23);
    x += px(10);
    const struct
    {
        QLabel* label;
        int labelWidth;
        MyValueShowEdit* box;
    } fields[] = {{m_xLabel, 20, posXShowEdit}, {m_yLabel, 20, posYShowEdit}, {m_widthLabel, 50, widthShowEdit},
        {m_heightLabel, 55, heightShowEdit}};
    for (const auto& f : fields) {
        f.label->setGeometry(x, boxY, px(f.labelWidth), h);
        x += px(f.labelWidth) + px(5);
        f.box->setGeometry(x, boxY, px(70), h);
        x += px(70) + px(12);
    }
    resetButton->setGeometry(x, boxY, px(60), h);
}

void VideoEditCropWidget::skinEditControls(int skin)
{
    setSprite(flipYButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::FlipYColumn, skin));
    setSprite(flipXButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::FlipXColumn, skin));
    setSprite(rotateXButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::RotateXColumn, skin));
    setSprite(rotateYButton, SpriteCells::PlayButtonsSheet, SpriteCells::playCells(SpriteCells::RotateYColumn, skin));
    for (QLabel* l : {m_xLabel, m_yLabel, m_widthLabel, m_heightLabel})
        l->setStyleSheet(textSheet(skin, 13));
    for (MyValueShowEdit* e : {posXShowEdit, posYShowEdit, widthShowEdit, heightShowEdit})
        e->applySkin(skin);
    resetButton->setStyleSheets(textButtonSheet(skin, false), textButtonSheet(skin, true), textButtonSheet(skin, false));
}

void VideoEditCropWidget::retranslateEditControls()
{
    m_xLabel->setText(tr("X:"));
    m_yLabel->setText(tr("Y:"));
    m_widthLabel->setText(tr("Width:"));
    m_heightLabel->setText(tr("Height:"));
    resetButton->setText(tr("Reset"));
    flipYButton->setToolTip(tr("Flip Vertical"));
    flipXButton->setToolTip(tr("Flip Horizontal"));
    rotateXButton->setToolTip(tr("Rotate Right"));
    rotateYButton->setToolTip(tr("Rotate Left"));
}

bool VideoEditCropWidget::hasPicture() const
{
    return m_pMediaInfo && m_pMediaInfo->width > 0 && m_pMediaInfo->height > 0;
}

void VideoEditCropWidget::prepareSurface()
{
    // The box works in the source's own pixels, as the record does.
    if (hasPicture())
        renderwidget->setSourceSize(m_pMediaInfo->width, m_pMediaInfo->height);
    renderwidget->setCropEnabled(hasPicture());
    renderwidget->setEditParams(m_pMediaInfo);
    // A black frame of the preview's size, so the box shows before the first picture.
    renderwidget->setFrame(nullptr, m_pictureContainer->width(), m_pictureContainer->height());
}

void VideoEditCropWidget::loadRecordControls()
{
    syncCropControls();
}

void VideoEditCropWidget::storeCrop(const QRect& crop)
{
    m_pMediaInfo->cropX = crop.x();
    m_pMediaInfo->cropY = crop.y();
    m_pMediaInfo->cropWidth = crop.width();
    m_pMediaInfo->cropHeight = crop.height();
}

void VideoEditCropWidget::showBoxes()
{
    const MediaInfo& r = *m_pMediaInfo;
    posXShowEdit->setRange(0, r.width - r.cropWidth);
    posXShowEdit->setValue(r.cropX);
    posYShowEdit->setRange(0, r.height - r.cropHeight);
    posYShowEdit->setValue(r.cropY);
    widthShowEdit->setRange(qMin(2, r.width), r.width - r.cropX);
    widthShowEdit->setValue(r.cropWidth);
    heightShowEdit->setRange(qMin(2, r.height), r.height - r.cropY);
    heightShowEdit->setValue(r.cropHeight);
}

void VideoEditCropWidget::syncCropControls()
{
    if (!hasPicture())
        return;
    MediaInfo& r = *m_pMediaInfo;
    storeCrop(normalizedCrop(QRect(r.cropX, r.cropY, r.cropWidth, r.cropHeight), r.width, r.height, false));
    renderwidget->setCropRect(r.cropX, r.cropY, r.cropWidth, r.cropHeight);
    showBoxes();
}

void VideoEditCropWidget::posXShowEdit_ValueChanged_slots()
{
    if (!hasPicture())
        return;
    // X moves the rectangle; its width stays.
    m_pMediaInfo->cropX = static_cast<int>(qBound<qint64>(0, posXShowEdit->value(), m_pMediaInfo->width - m_pMediaInfo->cropWidth));
    syncCropControls();
}

void VideoEditCropWidget::posYShowEdit_ValueChanged_slots()
{
    if (!hasPicture())
        return;
    m_pMediaInfo->cropY = static_cast<int>(qBound<qint64>(0, posYShowEdit->value(), m_pMediaInfo->height - m_pMediaInfo->cropHeight));
    syncCropControls();
}

void VideoEditCropWidget::widthShowEdit_ValueChanged_slots()
{
    if (!hasPicture())
        return;
    m_pMediaInfo->cropWidth = static_cast<int>(qBound<qint64>(1, widthShowEdit->value(), m_pMediaInfo->width - m_pMediaInfo->cropX));
    syncCropControls();
}

void VideoEditCropWidget::heightShowEdit_ValueChanged_slots()
{
    if (!hasPicture())
        return;
    m_pMediaInfo->cropHeight = static_cast<int>(qBound<qint64>(1, heightShowEdit->value(), m_pMediaInfo->height - m_pMediaInfo->cropY));
    syncCropControls();
}

void VideoEditCropWidget::renderwidget_CropChanged_slots(int x, int y, int width, int height)
{
    if (!hasPicture())
        return;
    const MediaInfo& r = *m_pMediaInfo;
    storeCrop(normalizedCrop(QRect(x, y, width, height), r.width, r.height, true));
    // The box shows exactly what was stored.
    renderwidget->setCropRect(r.cropX, r.cropY, r.cropWidth, r.cropHeight);
    showBoxes();
}

void VideoEditCropWidget::resetButton_slots()
{
    if (!m_pMediaInfo)
        return;
    MediaInfo& r = *m_pMediaInfo;
    r.cropX = 0;
    r.cropY = 0;
    r.cropWidth = r.width;
    r.cropHeight = r.height;
    r.rotation = 0;
    r.flipH = 0;
    r.flipV = 0;
    pictureChanged();
}

void VideoEditCropWidget::renderwidget_doubleclicked_slots()
{
    resetButton_slots();
}

void VideoEditCropWidget::pictureChanged()
{
    syncCropControls();
    renderwidget->update();
}

void VideoEditCropWidget::rotateXButton_slots()
{
    if (!m_pMediaInfo)
        return;
    const int q = m_pMediaInfo->rotation / 90 * 90;
    m_pMediaInfo->rotation = q < 270 ? q + 90 : 0;
    pictureChanged();
}

void VideoEditCropWidget::rotateYButton_slots()
{
    if (!m_pMediaInfo)
        return;
    const int q = m_pMediaInfo->rotation / 90 * 90;
    m_pMediaInfo->rotation = q < 90 ? 270 : q - 90;
    pictureChanged();
}

void VideoEditCropWidget::flipXButton_slots()
{
    if (!m_pMediaInfo)
        return;
    m_pMediaInfo->flipH = m_pMediaInfo->flipH == 1 ? 0 : 1;
    pictureChanged();
}

void VideoEditCropWidget::flipYButton_slots()
{
    if (!m_pMediaInfo)
        return;
    m_pMediaInfo->flipV = m_pMediaInfo->flipV == 1 ? 0 : 1;
    pictureChanged();
}

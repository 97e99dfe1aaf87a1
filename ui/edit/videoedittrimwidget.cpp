#include "ui/edit/videoedittrimwidget.h"

#include "common/interfacescale.h"
#include "probe/mediainfo.h"
#include "probe/trimrange.h"
#include "toolkit/mytempbutton2.h"
#include "ui/edit/mytimeshowedit.h"
#include "ui/edit/mytrimslider.h"
#include "ui/edit/vlcplayer.h"

#include <QLabel>

using MyQtCustom::MyTempButton2;

namespace {

constexpr qint64 Second = TrimRange::Second;

int px(int units)
{
    return InterfaceScale::px(units);
}

qint64 wholeSeconds(qint64 t)
{
    return TrimRange::wholeSeconds(t);
}

} // namespace

VideoEditTrimWidget::VideoEditTrimWidget(QWidget* parent)
    : VideoEditBase(parent)
    , m_startLabel(new QLabel(m_panel))
    , startTimeEdit(new MyTimeShowEdit(m_panel))
    , m_endLabel(new QLabel(m_panel))
    , endTimeEdit(new MyTimeShowEdit(m_panel))
    , resetButton(new MyTempButton2(m_panel))
    , trimSlider(new MyTrimSlider(m_panel))
{
    m_startLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_endLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resetButton->setAlignment(Qt::AlignCenter);
    // The conversion cuts on whole seconds.
    trimSlider->m_nTrimStep = Second;
    connect(resetButton, QOverload<>::of(&MyTempButton2::clicked), this, &VideoEditTrimWidget::resetButton_slots);
    connect(trimSlider, &MyTrimSlider::CurrentValueChanged, this,
        &VideoEditTrimWidget::trimSlider_CurrentValueChanged_slots);
    connect(trimSlider, &MyTrimSlider::trimValueChanged, this, &VideoEditTrimWidget::trimSlider_TrimValueChanged_slots);
    connect(startTimeEdit, &MyTimeShowEdit::CurrentValueChanged, this,
        &VideoEditTrimWidget::startTimeEdit_ValueChanged_slots);
    connect(endTimeEdit, &MyTimeShowEdit::CurrentValueChanged, this,
        &VideoEditTrimWidget::endTimeEdit_ValueChanged_slots);
}

QString VideoEditTrimWidget::titleText() const
{
    return tr("Trim");
}

void VideoEditTrimWidget::layoutEditControls(int panelWidth, int panelHeight)
{
    const int y = px(46) + px(360) + px(40);
    const int h = px(23);
    int x = px(150);
    m_startLabel->setGeometry(x, y, px(80), h);
    x += px(80) + px(5);
    startTimeEdit->setGeometry(x, y, px(100), h);
    x += px(100) + px(20);
    m_endLabel->setGeometry(x, y, px(80), h);
    x += px(80) + px(5);
    endTimeEdit->setGeometry(x, y, px(100), h);
    x += px(100) + px(20);
    resetButton->setGeometry(x, y, px(60), h);
    trimSlider->setGeometry(px(20), panelHeight - px(130), panelWidth - px(40), px(30));
}

void VideoEditTrimWidget::skinEditControls(int skin)
{
    m_startLabel->setStyleSheet(textSheet(skin, 13));
    m_endLabel->setStyleSheet(textSheet(skin, 13));
    startTimeEdit->applySkin(skin);
    endTimeEdit->applySkin(skin);
    resetButton->setStyleSheets(textButtonSheet(skin, false), textButtonSheet(skin, true), textButtonSheet(skin, false));
}

void VideoEditTrimWidget::retranslateEditControls()
{
    m_startLabel->setText(tr("Start Time:"));
    m_endLabel->setText(tr("End Time:"));
    resetButton->setText(tr("Reset"));
}

void VideoEditTrimWidget::loadRecordControls()
{
    // Nothing of the previous job stays until this one's length is known.
    m_nTrimLength = 0;
    trimSlider->setRange(0, 0);
    trimSlider->setValue(0);
    trimSlider->setTrimRange(0, 0);
    startTimeEdit->setValue(wholeSeconds(m_pMediaInfo->trimStart));
    endTimeEdit->setValue(wholeSeconds(m_pMediaInfo->trimEnd));
}

void VideoEditTrimWidget::lengthKnown(qint64 length)
{
    m_nTrimLength = TrimRange::clipLength(*m_pMediaInfo, length);
    trimSlider->setRange(0, m_nTrimLength);
    trimSlider->setValue(0);
    // No end set means the end of the track; whatever else the record
    // holds is cut to what the conversion would use.
    const qint64 end = m_pMediaInfo->trimEnd > 0 ? wholeSeconds(m_pMediaInfo->trimEnd) : m_nTrimLength;
    trimSlider->setTrimRange(wholeSeconds(m_pMediaInfo->trimStart), end);
    commitRange();
}

qint64 VideoEditTrimWidget::positionValue() const
{
    return trimSlider->m_nValue;
}

void VideoEditTrimWidget::showPosition(qint64 t)
{
    trimSlider->setValue(t);
}

void VideoEditTrimWidget::showRange()
{
    const qint64 s = trimSlider->m_nTrimStart;
    const qint64 e = trimSlider->m_nTrimEnd;
    startTimeEdit->setRange(0, qMax<qint64>(0, e - Second));
    endTimeEdit->setRange(qMin(s + Second, m_nTrimLength), m_nTrimLength);
    startTimeEdit->setValue(s);
    endTimeEdit->setValue(e);
}

void VideoEditTrimWidget::commitRange()
{
    // A clip shorter than one second cannot be trimmed.
    if (m_pMediaInfo && TrimRange::canTrim(m_nTrimLength)) {
        m_pMediaInfo->trimStart = trimSlider->m_nTrimStart;
        m_pMediaInfo->trimEnd = trimSlider->m_nTrimEnd;
    }
    showRange();
}

void VideoEditTrimWidget::trimSlider_TrimValueChanged_slots()
{
    commitRange();
}

void VideoEditTrimWidget::trimSlider_CurrentValueChanged_slots()
{
    seekAndPlay(trimSlider->m_nValue);
}

void VideoEditTrimWidget::seekNear(qint64 t)
{
    // Seeking moves the preview only; the record keeps the range.
    seekAndPlay(qMax<qint64>(0, qMin(t, m_pPlayer->getLength() - Second)));
}

void VideoEditTrimWidget::startTimeEdit_ValueChanged_slots()
{
    if (!m_bInited) {
        startTimeEdit->setValue(m_pMediaInfo ? wholeSeconds(m_pMediaInfo->trimStart) : 0);
        return;
    }
    const qint64 v = TrimRange::boundStart(startTimeEdit->m_nValue, trimSlider->m_nTrimEnd);
    trimSlider->setTrimStart(v);
    commitRange();
    seekNear(trimSlider->m_nTrimStart);
}

void VideoEditTrimWidget::endTimeEdit_ValueChanged_slots()
{
    if (!m_bInited) {
        endTimeEdit->setValue(m_pMediaInfo ? wholeSeconds(m_pMediaInfo->trimEnd) : 0);
        return;
    }
    const qint64 v = TrimRange::boundEnd(trimSlider->m_nTrimStart, endTimeEdit->m_nValue, m_nTrimLength);
    trimSlider->setTrimEnd(v);
    commitRange();
    seekNear(trimSlider->m_nTrimEnd);
}

void VideoEditTrimWidget::resetButton_slots()
{
    if (m_pMediaInfo) {
        // Without a known length there is nothing to measure against: no cut.
        m_pMediaInfo->trimStart = 0;
        m_pMediaInfo->trimEnd = m_bInited ? m_nTrimLength : 0;
    }
    trimSlider->setTrimRange(0, m_nTrimLength);
    showRange();
}

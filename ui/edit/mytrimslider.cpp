#include "ui/edit/mytrimslider.h"

#include "common/interfacescale.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/spritecells.h"
#include "ui/edit/editmapping.h"

#include <QLabel>
#include <QMouseEvent>

using MyQtCustom::MyPushButton;

namespace {

int inset()
{
    return InterfaceScale::px(15);
}

int trimHandle()
{
    return InterfaceScale::px(15);
}

int positionHandle()
{
    return InterfaceScale::px(10);
}

MyPushButton* spriteButton(QWidget* parent, const SpriteCells::StateCells& c)
{
    auto* b = new MyPushButton(parent);
    b->setSpriteCells(QPixmap(SpriteCells::VcPublicSheet), c);
    return b;
}

QLabel* bar(QWidget* parent, const char* colour)
{
    auto* l = new QLabel(parent);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->setStyleSheet(QStringLiteral("background-color:%1;").arg(QLatin1String(colour)));
    return l;
}

} // namespace

MyTrimSlider::MyTrimSlider(QWidget* parent)
    : QWidget(parent)
    , m_grooveLabel(bar(this, "rgb(173,173,57)"))
    , m_playedLabel(bar(this, "rgb(76,192,75)"))
    , m_leftCutLabel(bar(this, "rgb(84,108,126)"))
    , m_rightCutLabel(bar(this, "rgb(84,108,126)"))
{
    // Made after the bars so that they lie above them.
    m_moveButton = spriteButton(this, SpriteCells::SliderHandle);
    m_leftButton = spriteButton(this, SpriteCells::TrimStartHandle);
    m_rightButton = spriteButton(this, SpriteCells::TrimEndHandle);
    connect(m_moveButton, &MyPushButton::Pressclicked, this, &MyTrimSlider::moveButton_Press_slots);
    connect(m_leftButton, &MyPushButton::Pressclicked, this, &MyTrimSlider::leftButton_Press_slots);
    connect(m_rightButton, &MyPushButton::Pressclicked, this, &MyTrimSlider::rightButton_Press_slots);
    connect(m_moveButton, &MyPushButton::clicked, this, &MyTrimSlider::moveButton_slots);
    connect(m_leftButton, &MyPushButton::clicked, this, &MyTrimSlider::leftButton_slots);
    connect(m_rightButton, &MyPushButton::clicked, this, &MyTrimSlider::rightButton_slots);
}

void MyTrimSlider::setGeometry(int x, int y, int width, int height)
{
    QWidget::setGeometry(x, y, width, height);
    const int g = inset();
    const int grooveY = InterfaceScale::px(4);
    const int grooveH = InterfaceScale::px(3);
    m_grooveLabel->setGeometry(g, grooveY, grooveWidth(), grooveH);
    m_playedLabel->setGeometry(g, grooveY, 0, grooveH);
    m_leftCutLabel->setGeometry(g, grooveY, 0, grooveH);
    m_rightCutLabel->setGeometry(g, grooveY, 0, grooveH);
    m_moveButton->setGeometry(g, 0, positionHandle(), positionHandle());
    m_leftButton->setGeometry(0, InterfaceScale::px(9), trimHandle(), trimHandle());
    m_rightButton->setGeometry(width - g, InterfaceScale::px(9), trimHandle(), trimHandle());
    setValue(m_nValue);
    placeTrimHandles();
}

int MyTrimSlider::grooveLeft() const
{
    return inset();
}

int MyTrimSlider::grooveWidth() const
{
    return qMax(0, width() - 2 * inset());
}

int MyTrimSlider::markerFor(qint64 t) const
{
    return grooveLeft() + EditMapping::pixelFor(t, m_nMin, m_nMax, grooveWidth());
}

qint64 MyTrimSlider::timeAt(int marker) const
{
    return EditMapping::valueFor(marker - grooveLeft(), m_nMin, m_nMax, grooveWidth());
}

int MyTrimSlider::startMarker() const
{
    return m_leftButton->x() + trimHandle();
}

int MyTrimSlider::endMarker() const
{
    return m_rightButton->x();
}

int MyTrimSlider::positionMarker() const
{
    return m_moveButton->x() + positionHandle() / 2;
}

qint64 MyTrimSlider::snapped(qint64 t) const
{
    if (m_nTrimStep <= 1)
        return t;
    const qint64 offset = t - m_nMin;
    const qint64 steps = offset >= 0 ? (offset + m_nTrimStep / 2) / m_nTrimStep : 0;
    return m_nMin + steps * m_nTrimStep;
}

void MyTrimSlider::setRange(qint64 min, qint64 max)
{
    m_nMin = min;
    m_nMax = qMax(min, max);
    setValue(m_nValue);
    setTrimRange(m_nTrimStart, m_nTrimEnd);
}

void MyTrimSlider::placePosition(int marker)
{
    m_moveButton->move(marker - positionHandle() / 2, 0);
    m_playedLabel->resize(marker - grooveLeft(), m_playedLabel->height());
}

void MyTrimSlider::placeTrimHandles()
{
    const int start = markerFor(m_nTrimStart);
    const int end = markerFor(m_nTrimEnd);
    m_leftButton->move(start - trimHandle(), m_leftButton->y());
    m_rightButton->move(end, m_rightButton->y());
    m_leftCutLabel->resize(start - grooveLeft(), m_leftCutLabel->height());
    m_rightCutLabel->setGeometry(end, m_rightCutLabel->y(), grooveLeft() + grooveWidth() - end, m_rightCutLabel->height());
}

void MyTrimSlider::setValue(qint64 t)
{
    m_nValue = qBound(m_nMin, t, m_nMax);
    placePosition(markerFor(m_nValue));
}

void MyTrimSlider::setPositionPixel(int px, bool update)
{
    const int marker = m_nMax > m_nMin ? qBound(grooveLeft(), px, grooveLeft() + grooveWidth()) : grooveLeft();
    placePosition(marker);
    if (update)
        m_nValue = timeAt(marker);
}

void MyTrimSlider::setLeftPixel(int px)
{
    const qint64 latest = m_nTrimEnd - m_nTrimStep;
    const qint64 t = latest < m_nMin ? m_nMin : qBound(m_nMin, snapped(timeAt(px)), latest);
    m_nTrimStart = t;
    placeTrimHandles();
    setValue(t);
    emit trimValueChanged();
}

void MyTrimSlider::setRightPixel(int px)
{
    const qint64 earliest = m_nTrimStart + m_nTrimStep;
    const qint64 t = earliest > m_nMax ? m_nMax : qBound(earliest, snapped(timeAt(px)), m_nMax);
    m_nTrimEnd = t;
    placeTrimHandles();
    setValue(t);
    emit trimValueChanged();
}

void MyTrimSlider::setTrimStart(qint64 t)
{
    const qint64 latest = qMax(m_nMin, m_nTrimEnd - m_nTrimStep);
    m_nTrimStart = qBound(m_nMin, t, latest);
    placeTrimHandles();
}

void MyTrimSlider::setTrimEnd(qint64 t)
{
    const qint64 earliest = qMin(m_nMax, m_nTrimStart + m_nTrimStep);
    m_nTrimEnd = qBound(earliest, t, m_nMax);
    placeTrimHandles();
}

void MyTrimSlider::setTrimRange(qint64 start, qint64 end)
{
    qint64 e = qBound(m_nMin, end, m_nMax);
    qint64 s = qBound(m_nMin, start, m_nMax);
    if (m_nMax - m_nMin >= m_nTrimStep) {
        e = qMax(e, m_nMin + m_nTrimStep);
        s = qMin(s, e - m_nTrimStep);
    } else {
        s = m_nMin;
        e = m_nMax;
    }
    m_nTrimStart = s;
    m_nTrimEnd = e;
    placeTrimHandles();
}

void MyTrimSlider::moveButton_Press_slots()
{
    m_bMovePressed = true;
    m_nPressValue = m_nValue;
    emit trimPresssed();
}

void MyTrimSlider::leftButton_Press_slots()
{
    m_bLeftPressed = true;
    m_nPressValue = m_nValue;
    emit trimPresssed();
}

void MyTrimSlider::rightButton_Press_slots()
{
    m_bRightPressed = true;
    m_nPressValue = m_nValue;
    emit trimPresssed();
}

void MyTrimSlider::moveButton_slots()
{
    m_bMovePressed = false;
    if (m_nValue != m_nPressValue)
        emit CurrentValueChanged();
}

void MyTrimSlider::leftButton_slots()
{
    m_bLeftPressed = false;
    if (m_nValue != m_nPressValue)
        emit CurrentValueChanged();
}

void MyTrimSlider::rightButton_slots()
{
    m_bRightPressed = false;
    if (m_nValue != m_nPressValue)
        emit CurrentValueChanged();
}

void MyTrimSlider::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->localPos().y() <= m_moveButton->geometry().bottom() + 1) {
        m_bBarPressed = true;
        m_nPressValue = m_nValue;
        event->accept();
    }
}

void MyTrimSlider::mouseMoveEvent(QMouseEvent* event)
{
    // A drag is not a click on the bar.
    m_bBarPressed = false;
    const int x = qRound(event->localPos().x());
    // A handle follows the pointer by its middle.
    if (m_bMovePressed)
        setPositionPixel(x, true);
    else if (m_bLeftPressed)
        setLeftPixel(x + trimHandle() / 2);
    else if (m_bRightPressed)
        setRightPixel(x - trimHandle() / 2);
}

void MyTrimSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    emit trimReleased();
    if (m_bBarPressed) {
        m_bBarPressed = false;
        setPositionPixel(qRound(event->localPos().x()), true);
        m_bMovePressed = false;
        if (m_nValue != m_nPressValue)
            emit CurrentValueChanged();
    }
}

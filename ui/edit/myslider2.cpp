#include "ui/edit/myslider2.h"

#include "common/interfacescale.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/spritecells.h"
#include "ui/edit/editmapping.h"

#include <QLabel>
#include <QMouseEvent>

using MyQtCustom::MyPushButton;

namespace {

constexpr int HandleSize = 10;

} // namespace

MySlider2::MySlider2(QWidget* parent)
    : QWidget(parent)
    , m_grooveLabel(new QLabel(this))
    , m_filledLabel(new QLabel(this))
    , m_handleButton(new MyPushButton(this))
{
    m_grooveLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_filledLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_grooveLabel->setStyleSheet(QStringLiteral("background-color:#546c7e;"));
    m_filledLabel->setStyleSheet(QStringLiteral("background-color:rgb(76,192,75);"));
    m_handleButton->setSpriteCells(QPixmap(SpriteCells::VcPublicSheet), SpriteCells::SliderHandle);
    m_handleButton->setAutoFillBackground(true);
    connect(m_handleButton, &MyPushButton::Pressclicked, this, &MySlider2::moveButton_Press_slots);
    connect(m_handleButton, &MyPushButton::clicked, this, &MySlider2::moveButton_slots);
}

void MySlider2::setGeometry(int x, int y, int width, int height)
{
    QWidget::setGeometry(x, y, width, height);
    const int grooveHeight = InterfaceScale::px(3);
    const int handle = InterfaceScale::px(HandleSize);
    m_grooveLabel->setGeometry(0, (height - grooveHeight) / 2, width, grooveHeight);
    m_filledLabel->setGeometry(0, (height - grooveHeight) / 2, 0, grooveHeight);
    m_handleButton->setGeometry(0, (height - handle) / 2, handle, handle);
    setValue(m_nValue);
}

void MySlider2::applySkin(int)
{
    // Both skins share the slider's colours and sprites.
    m_handleButton->SetPicAlignFlags(3);
}

int MySlider2::travel() const
{
    return qMax(0, width() - InterfaceScale::px(HandleSize));
}

int MySlider2::handlePixel() const
{
    return m_handleButton->x();
}

void MySlider2::placeHandle(int x)
{
    m_handleButton->move(x, m_handleButton->y());
    m_filledLabel->resize(x, m_filledLabel->height());
}

void MySlider2::setRange(qint64 min, qint64 max)
{
    m_nMin = min;
    m_nMax = qMax(min, max);
    setValue(m_nValue);
}

void MySlider2::setValue(qint64 value)
{
    m_nValue = qBound(m_nMin, value, qMax(m_nMin, m_nMax));
    placeHandle(EditMapping::pixelFor(m_nValue, m_nMin, m_nMax, travel()));
}

void MySlider2::setPositionPixel(int px)
{
    // With an empty range every value is the start.
    const int x = m_nMax > m_nMin ? qBound(0, px, travel()) : 0;
    placeHandle(x);
    m_nValue = EditMapping::valueFor(x, m_nMin, m_nMax, travel());
}

void MySlider2::mousePressEvent(QMouseEvent* event)
{
    m_bPressed = true;
    emit ClickPresssed();
    event->accept();
}

void MySlider2::mouseMoveEvent(QMouseEvent* event)
{
    // Moves of a drag that began on the handle arrive here too.
    if (m_bPressed)
        setPositionPixel(qRound(event->localPos().x()) - InterfaceScale::px(HandleSize) / 2);
}

void MySlider2::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    setPositionPixel(qRound(event->localPos().x()) - InterfaceScale::px(HandleSize) / 2);
    m_bPressed = false;
    emit CurrentValueChanged();
}

void MySlider2::moveButton_Press_slots()
{
    m_bPressed = true;
    emit ClickPresssed();
}

void MySlider2::moveButton_slots()
{
    m_bPressed = false;
    emit CurrentValueChanged();
}

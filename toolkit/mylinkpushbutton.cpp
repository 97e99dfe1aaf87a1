#include "toolkit/mylinkpushbutton.h"

namespace MyQtCustom {

MyLinkPushButton::MyLinkPushButton(QWidget* parent)
    : StateButton<QLabel>(parent)
{
}

void MyLinkPushButton::setLinkText(const QString& normal, const QString& hover, const QString& pressed)
{
    m_normalText = normal;
    m_hoverText = hover;
    m_pressedText = pressed;
    setText(m_normalText);
}

void MyLinkPushButton::mouseEntered()
{
    setText(m_hoverText);
}

void MyLinkPushButton::mouseLeft()
{
    setText(m_normalText);
}

void MyLinkPushButton::mousePressed()
{
    setText(m_pressedText);
}

void MyLinkPushButton::mouseReleased()
{
    emit clicked();
}

} // namespace MyQtCustom

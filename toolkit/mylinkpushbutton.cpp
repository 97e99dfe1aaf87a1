#include "toolkit/mylinkpushbutton.h"

#include <QMouseEvent>

namespace MyQtCustom {

MyLinkPushButton::MyLinkPushButton(QWidget* parent)
    : QLabel(parent)
{
}

void MyLinkPushButton::setLinkText(const QString& normal, const QString& hover, const QString& pressed)
{
    m_normalText = normal;
    m_hoverText = hover;
    m_pressedText = pressed;
    setText(m_normalText);
}

void MyLinkPushButton::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    setText(m_hoverText);
}

void MyLinkPushButton::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    setText(m_normalText);
}

void MyLinkPushButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    setText(m_pressedText);
}

void MyLinkPushButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit clicked();
}

} // namespace MyQtCustom

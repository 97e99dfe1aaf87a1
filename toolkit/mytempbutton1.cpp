#include "toolkit/mytempbutton1.h"

#include <QMouseEvent>

namespace MyQtCustom {

MyTempButton1::MyTempButton1(QWidget* parent)
    : QLabel(parent)
{
}

void MyTempButton1::paintColor(const QString& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(colour));
    setPalette(pal);
    setAutoFillBackground(true);
}

void MyTempButton1::showLook(Look look)
{
    switch (look) {
    case Normal:
        if (!m_normalColor.isEmpty())
            paintColor(m_normalColor);
        break;
    case Hover:
        if (!m_hoverColor.isEmpty())
            paintColor(m_hoverColor);
        break;
    case Disabled:
        if (!m_disabledColor.isEmpty())
            paintColor(m_disabledColor);
        break;
    case Pressed:
        break;
    }
}

void MyTempButton1::setColor(const QString& normal, const QString& hover, const QString& disabled)
{
    m_normalColor = normal;
    m_hoverColor = hover;
    m_disabledColor = disabled;
    if (!m_normalColor.isEmpty())
        paintColor(m_normalColor);
}

void MyTempButton1::setEnabled(bool enabled)
{
    QLabel::setEnabled(enabled);
    m_bEnabled = enabled;
    showLook(enabled ? Normal : Disabled);
}

void MyTempButton1::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    if (m_bEnabled)
        showLook(Hover);
}

void MyTempButton1::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (m_bEnabled)
        showLook(Normal);
}

void MyTempButton1::mousePressEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    showLook(Pressed);
}

void MyTempButton1::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

} // namespace MyQtCustom

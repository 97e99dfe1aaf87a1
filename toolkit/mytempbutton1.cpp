#include "toolkit/mytempbutton1.h"

namespace MyQtCustom {

MyTempButton1::MyTempButton1(QWidget* parent)
    : StateButton<QLabel>(parent)
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
    setBothEnabled(enabled);
    showLook(enabled ? Normal : Disabled);
}

void MyTempButton1::mouseEntered()
{
    showLook(Hover);
}

void MyTempButton1::mouseLeft()
{
    showLook(Normal);
}

void MyTempButton1::mousePressed()
{
    showLook(Pressed);
}

void MyTempButton1::mouseReleased()
{
    emit clicked();
}

} // namespace MyQtCustom

#include "toolkit/mytempbutton2.h"

namespace MyQtCustom {

MyTempButton2::MyTempButton2(QWidget* parent)
    : StateButton<QLabel>(parent)
{
    setFrameShape(QFrame::Box);
}

void MyTempButton2::setStyleSheets(const QString& normal, const QString& hover, const QString& disabled)
{
    m_normalSheet = normal;
    m_hoverSheet = hover;
    m_disabledSheet = disabled;
    setStyleSheet(m_bEnabled ? m_normalSheet : m_disabledSheet);
}

void MyTempButton2::setEnabled(bool enabled)
{
    setBothEnabled(enabled);
    setStyleSheet(enabled ? m_normalSheet : m_disabledSheet);
}

void MyTempButton2::mouseEntered()
{
    if (!m_hoverSheet.isEmpty())
        setStyleSheet(m_hoverSheet);
}

void MyTempButton2::mouseLeft()
{
    if (!m_normalSheet.isEmpty())
        setStyleSheet(m_normalSheet);
}

void MyTempButton2::mousePressed()
{
    emit Pressclicked();
}

void MyTempButton2::mouseReleased()
{
    emit clicked();
    emit clicked(this);
}

} // namespace MyQtCustom

#include "toolkit/mytempbutton2.h"

#include <QMouseEvent>

namespace MyQtCustom {

MyTempButton2::MyTempButton2(QWidget* parent)
    : QLabel(parent)
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
    QLabel::setEnabled(enabled);
    m_bEnabled = enabled;
    setStyleSheet(enabled ? m_normalSheet : m_disabledSheet);
}

void MyTempButton2::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    if (m_bEnabled && !m_hoverSheet.isEmpty())
        setStyleSheet(m_hoverSheet);
}

void MyTempButton2::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (m_bEnabled && !m_normalSheet.isEmpty())
        setStyleSheet(m_normalSheet);
}

void MyTempButton2::mousePressEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    emit Pressclicked();
}

void MyTempButton2::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    emit clicked();
    emit clicked(this);
}

} // namespace MyQtCustom

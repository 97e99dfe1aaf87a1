#include "toolkit/labelbutton.h"

#include <QMouseEvent>

namespace MyQtCustom {

LabelButton::LabelButton(QWidget* parent)
    : QLabel(parent)
{
}

void LabelButton::setLabelStyleSheet(
    const QString& normal, const QString& hover, const QString& disabled, const QString& checked)
{
    m_normalSheet = normal;
    m_hoverSheet = hover;
    m_disabledSheet = disabled;
    m_checkedSheet = checked;
    showRest();
}

// The look when the mouse is neither over nor pressing the button.
void LabelButton::showRest()
{
    if (!m_bEnabled)
        setStyleSheet(m_disabledSheet);
    else if (m_bChecked)
        setStyleSheet(m_normalSheet + m_checkedSheet);
    else
        setStyleSheet(m_normalSheet);
}

void LabelButton::setEnabled(bool enabled)
{
    QLabel::setEnabled(enabled);
    m_bEnabled = enabled;
    showRest();
}

void LabelButton::setChecked(bool checked)
{
    m_bChecked = checked;
    showRest();
}

void LabelButton::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    if (!m_bEnabled)
        return;
    setStyleSheet(m_hoverSheet);
    emit mouseEnter();
}

void LabelButton::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (!m_bEnabled)
        return;
    showRest();
    emit mouseLeave();
}

void LabelButton::mousePressEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    setStyleSheet(m_hoverSheet);
    emit Pressclicked();
}

void LabelButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    showRest();
    emit clicked();
}

} // namespace MyQtCustom

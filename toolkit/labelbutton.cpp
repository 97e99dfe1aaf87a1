#include "toolkit/labelbutton.h"

namespace MyQtCustom {

LabelButton::LabelButton(QWidget* parent)
    : StateButton<QLabel>(parent)
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
    setBothEnabled(enabled);
    showRest();
}

void LabelButton::setChecked(bool checked)
{
    m_bChecked = checked;
    showRest();
}

void LabelButton::mouseEntered()
{
    setStyleSheet(m_hoverSheet);
    emit mouseEnter();
}

void LabelButton::mouseLeft()
{
    showRest();
    emit mouseLeave();
}

void LabelButton::mousePressed()
{
    setStyleSheet(m_hoverSheet);
    emit Pressclicked();
}

void LabelButton::mouseReleased()
{
    showRest();
    emit clicked();
}

} // namespace MyQtCustom

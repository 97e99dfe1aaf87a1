#pragma once

#include <QMouseEvent>

namespace MyQtCustom {

// The mouse handling the toolkit's buttons share. A button keeps its own
// enabled flag beside the framework's; while that flag is off the mouse goes
// to the base widget as if the button were a plain label. While it is on,
// press and release are taken (so the release comes back to this button,
// wherever the pointer is by then) and each event reaches one hook, where the
// button shows its look and emits its signals.
template <class Base> class StateButton : public Base
{
public:
    using Base::Base;

    bool isMyEnabled() const { return m_bEnabled; }

protected:
    // Called only while the own flag is on.
    virtual void mouseEntered() { }
    virtual void mouseLeft() { }
    virtual void mousePressed() { }
    virtual void mouseReleased() { }

    // Both flags; the button then shows its resting or disabled look itself.
    void setBothEnabled(bool enabled)
    {
        Base::setEnabled(enabled);
        m_bEnabled = enabled;
    }

    // A null event stands for another widget driving the hover look.
    void enterEvent(QEvent* event) override
    {
        if (event)
            Base::enterEvent(event);
        if (m_bEnabled)
            mouseEntered();
    }
    void leaveEvent(QEvent* event) override
    {
        if (event)
            Base::leaveEvent(event);
        if (m_bEnabled)
            mouseLeft();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (!m_bEnabled) {
            Base::mousePressEvent(event);
            return;
        }
        event->accept();
        mousePressed();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!m_bEnabled) {
            Base::mouseReleaseEvent(event);
            return;
        }
        event->accept();
        mouseReleased();
    }

    bool m_bEnabled = true;
};

} // namespace MyQtCustom

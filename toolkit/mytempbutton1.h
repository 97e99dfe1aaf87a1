#pragma once

#include "toolkit/statebutton.h"

#include <QLabel>

namespace MyQtCustom {

// A plain coloured button: the label's window colour follows the state.
class MyTempButton1 : public StateButton<QLabel>
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTempButton1)

public:
    explicit MyTempButton1(QWidget* parent = nullptr);

    void setColor(const QString& normal, const QString& hover, const QString& disabled);
    void setEnabled(bool enabled);

signals:
    void clicked();

protected:
    enum Look { Normal, Hover, Pressed, Disabled };

    void mouseEntered() override;
    void mouseLeft() override;
    void mousePressed() override;
    void mouseReleased() override;

    // Pressing and releasing change nothing here; picture buttons built on
    // this class show their own cells.
    virtual void showLook(Look look);

private:
    void paintColor(const QString& colour);

    QString m_normalColor;
    QString m_hoverColor;
    QString m_disabledColor;
};

} // namespace MyQtCustom

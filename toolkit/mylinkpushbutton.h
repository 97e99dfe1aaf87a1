#pragma once

#include "toolkit/statebutton.h"

#include <QLabel>

namespace MyQtCustom {

// A text link: one text at rest, another while hovered, a third while pressed.
class MyLinkPushButton : public StateButton<QLabel>
{
    Q_OBJECT
    Q_DISABLE_COPY(MyLinkPushButton)

public:
    explicit MyLinkPushButton(QWidget* parent = nullptr);

    void setLinkText(const QString& normal, const QString& hover, const QString& pressed);

signals:
    void clicked();

protected:
    void mouseEntered() override;
    void mouseLeft() override;
    void mousePressed() override;
    void mouseReleased() override;

private:
    QString m_normalText;
    QString m_hoverText;
    QString m_pressedText;
};

} // namespace MyQtCustom

#pragma once

#include "toolkit/statebutton.h"

#include <QLabel>

namespace MyQtCustom {

// A text button styled entirely by style sheets: one for rest, one while
// hovered, one while disabled.
class MyTempButton2 : public StateButton<QLabel>
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTempButton2)

public:
    explicit MyTempButton2(QWidget* parent = nullptr);

    // Stores the three sheets and shows the one of the current state.
    void setStyleSheets(const QString& normal, const QString& hover, const QString& disabled);
    void setEnabled(bool enabled);

    QString m_normalSheet;
    QString m_hoverSheet;
    QString m_disabledSheet;

signals:
    void clicked();
    void clicked(MyTempButton2* button);
    void Pressclicked();

protected:
    void mouseEntered() override;
    void mouseLeft() override;
    void mousePressed() override;
    void mouseReleased() override;
};

} // namespace MyQtCustom

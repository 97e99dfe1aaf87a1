#pragma once

#include "toolkit/statebutton.h"

#include <QLabel>

namespace MyQtCustom {

// A text button drawn by style sheets on the label itself: normal, hover,
// disabled, and a checked sheet laid over the normal one.
class LabelButton : public StateButton<QLabel>
{
    Q_OBJECT
    Q_DISABLE_COPY(LabelButton)

public:
    explicit LabelButton(QWidget* parent = nullptr);

    void setLabelStyleSheet(
        const QString& normal, const QString& hover, const QString& disabled, const QString& checked);
    void setEnabled(bool enabled);
    void setChecked(bool checked);
    bool isChecked() const { return m_bChecked; }

signals:
    void Pressclicked();
    void clicked();
    void clicked(LabelButton* button);
    void mouseEnter();
    void mouseLeave();

protected:
    void mouseEntered() override;
    void mouseLeft() override;
    void mousePressed() override;
    void mouseReleased() override;

private:
    void showRest();

    QString m_normalSheet;
    QString m_hoverSheet;
    QString m_disabledSheet;
    QString m_checkedSheet;
    bool m_bChecked = false;
};

} // namespace MyQtCustom

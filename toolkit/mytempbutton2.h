#pragma once

#include <QLabel>

namespace MyQtCustom {

// A text button styled entirely by style sheets: one for rest, one while
// hovered, one while disabled.
class MyTempButton2 : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTempButton2)

public:
    explicit MyTempButton2(QWidget* parent = nullptr);

    // Stores the three sheets and shows the one of the current state.
    void setStyleSheets(const QString& normal, const QString& hover, const QString& disabled);
    void setEnabled(bool enabled);
    bool isMyEnabled() const { return m_bEnabled; }

    QString m_normalSheet;
    QString m_hoverSheet;
    QString m_disabledSheet;

signals:
    void clicked();
    void clicked(MyTempButton2* button);
    void Pressclicked();

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_bEnabled = true;
};

} // namespace MyQtCustom

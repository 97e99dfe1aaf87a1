#pragma once

#include <QLabel>

namespace MyQtCustom {

// A text link: one text at rest, another while hovered, a third while pressed.
class MyLinkPushButton : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(MyLinkPushButton)

public:
    explicit MyLinkPushButton(QWidget* parent = nullptr);

    void setLinkText(const QString& normal, const QString& hover, const QString& pressed);

signals:
    void clicked();

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_normalText;
    QString m_hoverText;
    QString m_pressedText;
};

} // namespace MyQtCustom

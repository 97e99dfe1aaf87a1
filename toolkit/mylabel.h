#pragma once

#include <QLabel>

namespace MyQtCustom {

// A label that reports a click (press and release on it).
class MyLabel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(MyLabel)

public:
    explicit MyLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace MyQtCustom

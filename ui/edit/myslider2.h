#pragma once

#include <QWidget>

class QLabel;
namespace MyQtCustom {
class MyPushButton;
}

// A one-handle slider for the playback position and the volume, drawn from
// labels and a sprite button. The handle's left edge travels over the
// width less the handle; value and pixel map onto each other exactly.
class MySlider2 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MySlider2)

public:
    explicit MySlider2(QWidget* parent = nullptr);

    void setGeometry(int x, int y, int width, int height);
    void setRange(qint64 min, qint64 max);
    // Clamps into the range; emits nothing.
    void setValue(qint64 value);
    // Handle's left edge at px (clamped); sets the value; emits nothing.
    void setPositionPixel(int px);
    qint64 value() const { return m_nValue; }
    // Where the handle's left edge is.
    int handlePixel() const;
    void applySkin(int skin);

    qint64 m_nValue = 0;
    qint64 m_nMin = 0;
    qint64 m_nMax = 0;
    bool m_bPressed = false;

signals:
    void CurrentValueChanged();
    void ClickPresssed();

public slots:
    void moveButton_Press_slots();
    void moveButton_slots();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int travel() const;
    void placeHandle(int x);

    QLabel* m_grooveLabel = nullptr;
    QLabel* m_filledLabel = nullptr;
    MyQtCustom::MyPushButton* m_handleButton = nullptr;
};

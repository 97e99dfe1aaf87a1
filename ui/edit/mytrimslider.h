#pragma once

#include <QWidget>

class QLabel;
namespace MyQtCustom {
class MyPushButton;
}

// The trim editor's slider: a start handle, an end handle and a position
// handle over one track. Times map onto a marker on the groove (15 pixels
// in from either side); the start handle sits left of its marker, the end
// handle right of its own, the position handle centred on it. Pixel to time
// and time to pixel are inverses, and the trim times are whole steps with
// start <= end - step, so the two handles never cross or meet.
class MyTrimSlider : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTrimSlider)

public:
    explicit MyTrimSlider(QWidget* parent = nullptr);

    void setGeometry(int x, int y, int width, int height);
    void setRange(qint64 min, qint64 max);
    // Position from time; emits nothing.
    void setValue(qint64 t);
    // Position handle centred on the marker px (clamped to the groove).
    void setPositionPixel(int px, bool update);
    // Trim handles dragged so that their marker is at px: store the nearest
    // allowed time, move the position there, emit trimValueChanged().
    void setLeftPixel(int px);
    void setRightPixel(int px);
    // Set from a time box or the record; clamped, emit nothing.
    void setTrimStart(qint64 t);
    void setTrimEnd(qint64 t);
    void setTrimRange(qint64 start, qint64 end);

    // The marker of a time, and the time under a marker (not snapped).
    int markerFor(qint64 t) const;
    qint64 timeAt(int marker) const;
    // Where the handles mark now.
    int startMarker() const;
    int endMarker() const;
    int positionMarker() const;
    int grooveLeft() const;
    int grooveWidth() const;

    qint64 m_nValue = 0;
    qint64 m_nTrimStart = 0;
    qint64 m_nTrimEnd = 0;
    qint64 m_nMin = 0;
    qint64 m_nMax = 0;
    qint64 m_nPressValue = 0;
    bool m_bMovePressed = false;
    bool m_bLeftPressed = false;
    bool m_bRightPressed = false;
    bool m_bBarPressed = false;
    // Trim times are whole multiples of this, and at least this far apart.
    qint64 m_nTrimStep = 1;

signals:
    void trimValueChanged();
    void CurrentValueChanged();
    void trimPresssed();
    void trimReleased();

public slots:
    void moveButton_Press_slots();
    void leftButton_Press_slots();
    void rightButton_Press_slots();
    void moveButton_slots();
    void leftButton_slots();
    void rightButton_slots();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    qint64 snapped(qint64 t) const;
    void placePosition(int marker);
    void placeTrimHandles();

    QLabel* m_grooveLabel = nullptr;
    QLabel* m_playedLabel = nullptr;
    MyQtCustom::MyPushButton* m_moveButton = nullptr;
    QLabel* m_leftCutLabel = nullptr;
    QLabel* m_rightCutLabel = nullptr;
    MyQtCustom::MyPushButton* m_leftButton = nullptr;
    MyQtCustom::MyPushButton* m_rightButton = nullptr;
};

#pragma once

#include <QPoint>
#include <QRect>
#include <QReadWriteLock>
#include <QTransform>
#include <QWidget>

#include <atomic>

class MediaInfo;

// The surface every editor shows the preview on. It keeps a copy of the
// latest frame (written on libvlc's video thread, painted on the GUI thread)
// and, in the crop editor, shows the picture turned and mirrored as the
// conversion will and draws the crop box over it.
//
// The crop box is kept in source pixels. The picture is drawn the way the
// conversion makes the output (rotation first, then the mirrors), scaled to
// fit; the box is drawn and hit-tested through the same transform, so it
// marks exactly the part of the picture the output keeps.
class CQtVideoRenderWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CQtVideoRenderWidget)

public:
    enum CursorZone {
        NO_CURSOR = 0,
        TOPLEFT_CURSOR = 1,
        TOP_CURSOR = 2,
        TOPRIGHT_CURSOR = 3,
        LEFT_CURSOR = 4,
        BOTTOMLEFT_CURSOR = 5,
        BOTTOM_CURSOR = 6,
        BOTTOMRIGHT_CURSOR = 7,
        RIGHT_CURSOR = 8,
        HAND_CURSOR = 9,
        Rotate_CURSOR = 10,
    };

    explicit CQtVideoRenderWidget(QWidget* parent);
    ~CQtVideoRenderWidget() override;

    // Any thread. A size below 1 x 1 is ignored; without data the frame is black.
    void setFrame(const unsigned char* data, int width, int height);
    void setSourceSize(int width, int height);
    void fitToParent();
    void setCropRect(int x, int y, int width, int height);
    void setCropEnabled(bool enabled);
    void setEditParams(const MediaInfo* record);

    QRect cropRectSource() const { return m_rcCropSource; }
    // The box as drawn, in widget pixels: it covers x .. x + width - 1.
    QRect cropRectSurface() const;
    // Where the picture lies in widget pixels.
    QRectF pictureRect() const;
    // Source pixels to widget pixels, as painted now.
    QTransform sourceToSurface() const;
    QSize frameSize() const;
    int cursorZone() const { return m_Cursortype; }
    // Pictures stored so far (black frames not counted).
    int frameCount() const { return m_nFrames; }

signals:
    void crop_changed_signal(int x, int y, int width, int height);
    void resize_signal();
    void rotagechanged_signal(int degrees);
    void doubleclicked();

public slots:
    void resize_thisslots();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Frame pixels to widget pixels.
    QTransform frameToSurface(int frameWidth, int frameHeight) const;
    QTransform sourceToSurface(int frameWidth, int frameHeight) const;
    // The zone under the pointer (also made current), or NO_CURSOR.
    int hoverTest(const QPoint& p);
    void applyDrag(const QPoint& p);
    void rotateDrag(const QPoint& p);
    void requestRepaint();

    bool m_bPressed = false;
    int m_nFrameWidth = 1;
    int m_nFrameHeight = 1;
    unsigned char* m_pFrame = nullptr;
    int m_nSurfaceWidth = 1;
    int m_nSurfaceHeight = 1;
    QWidget* m_pParentWidget = nullptr;
    int m_nSourceWidth = 1;
    int m_nSourceHeight = 1;
    mutable QReadWriteLock m_frameLock;
    bool m_bCropEnabled = false;
    QRect m_rcCropSurface;
    QRect m_rcCropSource;
    int m_Cursortype = NO_CURSOR;
    QPoint m_ptLast;
    bool m_bDragging = false;
    bool m_bMoved = false;
    const MediaInfo* m_pEditParams = nullptr;

    // The box when the button went down: moves are measured from there, so
    // that slow drags add up even where the stored box snaps.
    QRect m_rcPressBox;
    std::atomic<bool> m_bRepaintPending{false};
    std::atomic<int> m_nFrames{0};
};

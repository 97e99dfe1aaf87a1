#include "ui/edit/cqtvideorenderwidget.h"

#include "probe/mediainfo.h"

#include <QMouseEvent>
#include <QPainter>
#include <QReadLocker>
#include <QWriteLocker>
#include <QtDebug>
#include <QtMath>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int NearPixels = 6;
constexpr int MinBoxSide = 12;

bool near(int a, int b)
{
    return std::abs(a - b) <= NearPixels;
}

QRect roundedRect(const QRectF& r)
{
    const int left = qRound(r.left());
    const int top = qRound(r.top());
    return QRect(left, top, qMax(1, qRound(r.right()) - left), qMax(1, qRound(r.bottom()) - top));
}

// Degrees clockwise, in 0..359.
int normalisedRotation(int degrees)
{
    return ((degrees % 360) + 360) % 360;
}

} // namespace

CQtVideoRenderWidget::CQtVideoRenderWidget(QWidget* parent)
    : QWidget(parent)
    , m_pParentWidget(parent)
{
    setMouseTracking(true);
    // Queued: frames of a new size arrive on libvlc's thread, and geometry
    // may only change on the GUI thread.
    connect(this, &CQtVideoRenderWidget::resize_signal, this, &CQtVideoRenderWidget::resize_thisslots,
        Qt::QueuedConnection);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    show();
    raise();
}

CQtVideoRenderWidget::~CQtVideoRenderWidget()
{
    QWriteLocker lock(&m_frameLock);
    std::free(m_pFrame);
    m_pFrame = nullptr;
}

void CQtVideoRenderWidget::setFrame(const unsigned char* data, int width, int height)
{
    if (width < 1 || height < 1)
        return;
    bool resized = false;
    {
        QWriteLocker lock(&m_frameLock);
        const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
        if (!m_pFrame || width != m_nFrameWidth || height != m_nFrameHeight) {
            std::free(m_pFrame);
            m_pFrame = static_cast<unsigned char*>(std::calloc(bytes, 1));
            m_nFrameWidth = width;
            m_nFrameHeight = height;
            resized = true;
        }
        if (data) {
            std::memcpy(m_pFrame, data, bytes);
            ++m_nFrames;
        } else {
            std::memset(m_pFrame, 0, bytes);
        }
    }
    if (resized)
        emit resize_signal();
    requestRepaint();
}

void CQtVideoRenderWidget::requestRepaint()
{
    // One pending repaint is enough, however many frames arrive meanwhile.
    if (m_bRepaintPending.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bRepaintPending = false;
            update();
        },
        Qt::QueuedConnection);
}

QSize CQtVideoRenderWidget::frameSize() const
{
    QReadLocker lock(&m_frameLock);
    return QSize(m_nFrameWidth, m_nFrameHeight);
}

void CQtVideoRenderWidget::setSourceSize(int width, int height)
{
    m_nSourceWidth = qMax(1, width);
    m_nSourceHeight = qMax(1, height);
}

void CQtVideoRenderWidget::resize_thisslots()
{
    fitToParent();
}

void CQtVideoRenderWidget::fitToParent()
{
    if (!m_pParentWidget)
        return;
    const int pw = m_pParentWidget->width();
    const int ph = m_pParentWidget->height();
    const QSize frame = frameSize();
    const qint64 fw = qMax(1, frame.width());
    const qint64 fh = qMax(1, frame.height());
    int w = pw;
    int h = ph;
    if (fw * ph <= fh * pw)
        w = static_cast<int>(fw * ph / fh);
    else
        h = static_cast<int>(fh * pw / fw);
    setGeometry((pw - w) / 2, (ph - h) / 2, w, h);
    m_nSurfaceWidth = w;
    m_nSurfaceHeight = h;
    update();
}

void CQtVideoRenderWidget::setCropRect(int x, int y, int width, int height)
{
    m_rcCropSource = QRect(x, y, width, height);
    update();
}

void CQtVideoRenderWidget::setCropEnabled(bool enabled)
{
    m_bCropEnabled = enabled;
    if (!enabled)
        setCursor(Qt::ArrowCursor);
    update();
}

void CQtVideoRenderWidget::setEditParams(const MediaInfo* record)
{
    m_pEditParams = record;
    update();
}

QTransform CQtVideoRenderWidget::frameToSurface(int frameWidth, int frameHeight) const
{
    const double sw = width();
    const double sh = height();
    const double fw = qMax(1, frameWidth);
    const double fh = qMax(1, frameHeight);
    QTransform t;
    if (!m_bCropEnabled || !m_pEditParams) {
        t.scale(sw / fw, sh / fh);
        return t;
    }
    // The conversion turns the cropped picture, then mirrors the turned one.
    const int q = normalisedRotation(m_pEditParams->rotation);
    const bool turned = q == 90 || q == 270;
    double k = 1.0;
    if (q % 90 == 0)
        k = turned ? qMin(sw / fh, sh / fw) : qMin(sw / fw, sh / fh);
    else
        k = qMin(sw / fw, sh / fh); // a free angle keeps the picture's size, as ffmpeg's rotate does
    t.translate(sw / 2, sh / 2);
    t.scale(m_pEditParams->flipH == 1 ? -k : k, m_pEditParams->flipV == 1 ? -k : k);
    t.rotate(q);
    t.translate(-fw / 2, -fh / 2);
    return t;
}

QTransform CQtVideoRenderWidget::sourceToSurface(int frameWidth, int frameHeight) const
{
    return QTransform::fromScale(static_cast<double>(qMax(1, frameWidth)) / m_nSourceWidth,
               static_cast<double>(qMax(1, frameHeight)) / m_nSourceHeight)
        * frameToSurface(frameWidth, frameHeight);
}

QTransform CQtVideoRenderWidget::sourceToSurface() const
{
    const QSize frame = frameSize();
    return sourceToSurface(frame.width(), frame.height());
}

QRectF CQtVideoRenderWidget::pictureRect() const
{
    const QSize frame = frameSize();
    return frameToSurface(frame.width(), frame.height()).mapRect(QRectF(0, 0, frame.width(), frame.height()));
}

QRect CQtVideoRenderWidget::cropRectSurface() const
{
    QRect source = m_rcCropSource;
    if (source.width() < 1 || source.height() < 1)
        source = QRect(0, 0, m_nSourceWidth, m_nSourceHeight);
    return roundedRect(sourceToSurface().mapRect(QRectF(source)));
}

void CQtVideoRenderWidget::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    {
        QReadLocker lock(&m_frameLock);
        if (m_pFrame) {
            const QImage image(m_pFrame, m_nFrameWidth, m_nFrameHeight, m_nFrameWidth * 4, QImage::Format_RGB32);
            const QTransform t = frameToSurface(m_nFrameWidth, m_nFrameHeight);
            p.save();
            p.setTransform(t);
            if (t.type() > QTransform::TxTranslate)
                p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(0, 0, image);
            p.restore();
        }
    }

    if (m_bCropEnabled) {
        const QRect box = cropRectSurface();
        const int x = box.x();
        const int y = box.y();
        const int r = box.x() + box.width() - 1; // last column inside the box
        const int b = box.y() + box.height() - 1;
        const int cxBox = x + box.width() / 2;
        const int cyBox = y + box.height() / 2;
        p.setPen(QPen(QColor(46, 105, 56), 1));
        p.drawLine(x, y, r, y);
        p.drawLine(x, b, r, b);
        p.drawLine(x, y, x, b);
        p.drawLine(r, y, r, b);
        p.setPen(QPen(QColor(56, 196, 79), 2));
        p.drawLine(x + 1, y + 1, x + 1, y + 6);
        p.drawLine(x + 1, y + 1, x + 6, y + 1);
        p.drawLine(x + 1, b - 1, x + 1, b - 6);
        p.drawLine(x + 1, b - 1, x + 6, b - 1);
        p.drawLine(r - 1, y + 1, r - 1, y + 6);
        p.drawLine(r - 1, y + 1, r - 6, y + 1);
        p.drawLine(r - 1, b - 1, r - 1, b - 6);
        p.drawLine(r - 1, b - 1, r - 6, b - 1);
        p.drawLine(x + 1, cyBox - 5, x + 1, cyBox + 5);
        p.drawLine(r - 1, cyBox - 5, r - 1, cyBox + 5);
        p.drawLine(cxBox - 5, y + 1, cxBox + 5, y + 1);
        p.drawLine(cxBox - 5, b - 1, cxBox + 5, b - 1);
        const int cx = width() / 2;
        const int cy = height() / 2;
        p.setPen(QPen(QColor(46, 105, 56), 2));
        p.drawLine(cx - 7, cy, cx + 7, cy);
        p.drawLine(cx, cy - 7, cx, cy + 7);
    }
    QWidget::paintEvent(event);
}

int CQtVideoRenderWidget::hoverTest(const QPoint& pt)
{
    setCursor(Qt::ArrowCursor);
    const QRect box = cropRectSurface();
    const int x = box.x();
    const int y = box.y();
    const int w = box.width();
    const int h = box.height();
    const int px = pt.x();
    const int py = pt.y();
    int zone = NO_CURSOR;
    if (near(px, x)) {
        zone = near(py, y) ? TOPLEFT_CURSOR : near(py, y + h / 2) ? LEFT_CURSOR : near(py, y + h) ? BOTTOMLEFT_CURSOR : 0;
    } else if (near(px, x + w)) {
        zone = near(py, y) ? TOPRIGHT_CURSOR : near(py, y + h / 2) ? RIGHT_CURSOR : near(py, y + h) ? BOTTOMRIGHT_CURSOR : 0;
    } else if (near(px, x + w / 2) && (near(py, y) || near(py, y + h))) {
        zone = near(py, y) ? TOP_CURSOR : BOTTOM_CURSOR;
    } else if (px > x + 7 && px < x + w - 7 && py > y + 7 && py < y + h - 7) {
        const int cx = width() / 2;
        const int cy = height() / 2;
        if (px >= cx - 21 && px <= cx + 21 && py >= cy - 21 && py <= cy + 21) {
            zone = Rotate_CURSOR;
            qDebug("m_Cursortype = Rotate_CURSOR");
        } else {
            zone = HAND_CURSOR;
            qDebug("m_Cursortype = HAND_CURSOR");
        }
        m_ptLast = pt;
    }
    if (zone == NO_CURSOR)
        return NO_CURSOR;
    m_Cursortype = zone;
    static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeFDiagCursor, Qt::SizeVerCursor,
        Qt::SizeBDiagCursor, Qt::SizeHorCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor,
        Qt::SizeHorCursor, Qt::OpenHandCursor, Qt::CrossCursor};
    setCursor(shapes[zone]);
    return zone;
}

void CQtVideoRenderWidget::applyDrag(const QPoint& pt)
{
    const QRectF picture = pictureRect();
    const int minX = qCeil(picture.left() - 0.01);
    const int minY = qCeil(picture.top() - 0.01);
    const int maxX = qFloor(picture.right() + 0.01);
    const int maxY = qFloor(picture.bottom() + 0.01);
    // The box never leaves the picture, so neither does the pointer that drags it.
    const int px = qBound(minX, pt.x(), maxX);
    const int py = qBound(minY, pt.y(), maxY);

    const QRect start = m_rcPressBox;
    int left = start.x();
    int top = start.y();
    int right = start.x() + start.width();
    int bottom = start.y() + start.height();
    const int zone = m_Cursortype;
    const bool moveLeft = zone == TOPLEFT_CURSOR || zone == LEFT_CURSOR || zone == BOTTOMLEFT_CURSOR;
    const bool moveRight = zone == TOPRIGHT_CURSOR || zone == RIGHT_CURSOR || zone == BOTTOMRIGHT_CURSOR;
    const bool moveTop = zone == TOPLEFT_CURSOR || zone == TOP_CURSOR || zone == TOPRIGHT_CURSOR;
    const bool moveBottom = zone == BOTTOMLEFT_CURSOR || zone == BOTTOM_CURSOR || zone == BOTTOMRIGHT_CURSOR;
    if (zone == HAND_CURSOR) {
        const int w = right - left;
        const int h = bottom - top;
        left = qBound(minX, left + pt.x() - m_ptLast.x(), qMax(minX, maxX - w));
        top = qBound(minY, top + pt.y() - m_ptLast.y(), qMax(minY, maxY - h));
        right = qMin(maxX, left + w);
        bottom = qMin(maxY, top + h);
    }
    if (moveLeft)
        left = qMax(minX, qMin(px, right - MinBoxSide));
    if (moveRight)
        right = qMin(maxX, qMax(px, left + MinBoxSide));
    if (moveTop)
        top = qMax(minY, qMin(py, bottom - MinBoxSide));
    if (moveBottom)
        bottom = qMin(maxY, qMax(py, top + MinBoxSide));

    m_bMoved = true;
    const QRectF source = sourceToSurface().inverted().mapRect(QRectF(left, top, right - left, bottom - top));
    const int sx = qBound(0, qRound(source.left()), m_nSourceWidth - 1);
    const int sy = qBound(0, qRound(source.top()), m_nSourceHeight - 1);
    const int sr = qBound(sx + 1, qRound(source.right()), m_nSourceWidth);
    const int sb = qBound(sy + 1, qRound(source.bottom()), m_nSourceHeight);
    m_rcCropSource = QRect(sx, sy, sr - sx, sb - sy);
    m_rcCropSurface = cropRectSurface();
    emit crop_changed_signal(sx, sy, sr - sx, sb - sy);
}

void CQtVideoRenderWidget::rotateDrag(const QPoint& pt)
{
    const float cx = width() / 2;
    const float cy = height() / 2;
    const float px = pt.x();
    const float py = pt.y();
    const float dx = px - cx;
    const float dy = py - cy;
    const float pi = 3.1415927f;
    float a = 0;
    if (dx >= 0 && dy <= 0)
        a = std::atan(dx / (cy - py)) * 180 / pi;
    else if (dx <= 0 && dy >= 0)
        a = std::atan((cx - px) / dy) * 180 / pi + 180;
    else if (dx <= 0 && dy <= 0)
        a = std::atan((cy - py) / (cx - px)) * 180 / pi + 270;
    else
        a = std::atan(dy / dx) * 180 / pi + 90;
    emit rotagechanged_signal(360 - static_cast<int>(a));
}

void CQtVideoRenderWidget::mousePressEvent(QMouseEvent* event)
{
    m_bMoved = false;
    m_bPressed = true;
    if (!m_bCropEnabled) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_bDragging = true;
    // A press away from every zone drags nothing.
    m_Cursortype = hoverTest(event->pos());
    m_ptLast = event->pos();
    m_rcPressBox = cropRectSurface();
    event->accept();
}

void CQtVideoRenderWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bCropEnabled) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pt = event->pos();
    if (m_bDragging && m_Cursortype >= TOPLEFT_CURSOR && m_Cursortype <= HAND_CURSOR)
        applyDrag(pt);
    else if (m_bDragging && m_Cursortype == Rotate_CURSOR)
        rotateDrag(pt);
    if (!m_bPressed)
        hoverTest(pt);
    update();
}

void CQtVideoRenderWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_bDragging = false;
    m_bPressed = false;
    // A click without a drag belongs to the parent.
    if (!m_bMoved)
        QWidget::mouseReleaseEvent(event);
    else
        event->accept();
}

void CQtVideoRenderWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    emit doubleclicked();
}

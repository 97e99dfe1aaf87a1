#include "tools/artgen/artwork.h"

#include "toolkit/spritecells.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

using namespace SpriteCells;

enum class Glyph {
    Cross,
    Maximise,
    Minimise,
    Menu,
    Play,
    Pause,
    StepBack,
    StepForward,
    FlipVertical,
    FlipHorizontal,
    RotateRight,
    RotateLeft,
    Volume,
    Trash,
    ConvertPlay,
    Folder,
    OpenFolder,
    CrossCircle,
    Tick,
    Exclamation,
    Info,
};

enum class Backdrop { None, Circle, Rounded };

// One look of a button cell: what lies behind the glyph and the glyph colour.
struct Look
{
    QColor glyph;
    QColor fill = Qt::transparent;
    QColor ring = Qt::transparent;
    qreal glyphScale = 1.0;
};

QImage blank(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPointF at(const QRectF& b, qreal x, qreal y)
{
    return QPointF(b.left() + x * b.width(), b.top() + y * b.height());
}

QPolygonF polygon(const QRectF& b, std::initializer_list<QPointF> unitPoints)
{
    QPolygonF poly;
    for (const QPointF& p : unitPoints)
        poly << at(b, p.x(), p.y());
    return poly;
}

QPen strokePen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A picture (a filled card) under an arrow that turns a quarter over it,
// its large head on the side the picture turns to. Drawn for the right turn
// and mirrored for the left one, so the two differ by the head's side.
void drawTurnArrow(QPainter& p, const QRectF& b, const QColor& c, bool clockwise)
{
    p.save();
    if (!clockwise) {
        p.translate(b.center().x() * 2, 0);
        p.scale(-1, 1);
    }
    const qreal s = b.width();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(at(b, 0.08, 0.5), at(b, 0.56, 0.94)), 0.06 * s, 0.06 * s);

    // Quarter arc from above the card's middle round to its right side.
    const QPointF centre = at(b, 0.32, 0.72);
    const qreal r = 0.52 * s;
    const QRectF circle(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    QPainterPath arc;
    arc.arcMoveTo(circle, 100);
    arc.arcTo(circle, 100, -78);
    p.setPen(QPen(c, 0.12 * s, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);

    const qreal end = qDegreesToRadians(22.0);
    const QPointF point(centre.x() + r * qCos(end), centre.y() - r * qSin(end));
    const QPointF dir(qSin(end), qCos(end)); // clockwise travel
    const QPointF normal(-dir.y(), dir.x());
    const qreal len = 0.3 * s;
    p.setPen(strokePen(c, 0.03 * s));
    p.setBrush(c);
    p.drawPolygon(QPolygonF() << point + dir * len << point + normal * len * 0.62 << point - normal * len * 0.62);
    p.restore();
}

void drawGlyph(QPainter& p, Glyph glyph, const QRectF& b, const QColor& c)
{
    const qreal s = b.width();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case Glyph::Cross:
        p.setPen(strokePen(c, 0.13 * s));
        p.drawLine(at(b, 0.22, 0.22), at(b, 0.78, 0.78));
        p.drawLine(at(b, 0.78, 0.22), at(b, 0.22, 0.78));
        break;
    case Glyph::Maximise:
        p.setPen(strokePen(c, 0.1 * s));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(at(b, 0.22, 0.24), at(b, 0.78, 0.78)));
        p.drawLine(at(b, 0.22, 0.3), at(b, 0.78, 0.3));
        break;
    case Glyph::Minimise:
        p.setPen(strokePen(c, 0.12 * s));
        p.drawLine(at(b, 0.22, 0.7), at(b, 0.78, 0.7));
        break;
    case Glyph::Menu:
        p.setPen(strokePen(c, 0.1 * s));
        for (qreal y : {0.28, 0.5, 0.72})
            p.drawLine(at(b, 0.2, y), at(b, 0.8, y));
        break;
    case Glyph::Play:
        p.setPen(strokePen(c, 0.06 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.32, 0.2}, {0.32, 0.8}, {0.82, 0.5}}));
        break;
    case Glyph::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(at(b, 0.26, 0.2), at(b, 0.42, 0.8)), 0.03 * s, 0.03 * s);
        p.drawRoundedRect(QRectF(at(b, 0.58, 0.2), at(b, 0.74, 0.8)), 0.03 * s, 0.03 * s);
        break;
    case Glyph::StepForward:
        p.setPen(strokePen(c, 0.05 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.14, 0.24}, {0.14, 0.76}, {0.48, 0.5}}));
        p.drawPolygon(polygon(b, {{0.48, 0.24}, {0.48, 0.76}, {0.82, 0.5}}));
        p.drawRect(QRectF(at(b, 0.82, 0.24), at(b, 0.88, 0.76)));
        break;
    case Glyph::StepBack:
        p.setPen(strokePen(c, 0.05 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.86, 0.24}, {0.86, 0.76}, {0.52, 0.5}}));
        p.drawPolygon(polygon(b, {{0.52, 0.24}, {0.52, 0.76}, {0.18, 0.5}}));
        p.drawRect(QRectF(at(b, 0.12, 0.24), at(b, 0.18, 0.76)));
        break;
    case Glyph::FlipVertical:
        // A solid half and its hollow mirror image across the axis.
        p.setPen(strokePen(c, 0.07 * s));
        p.drawLine(at(b, 0.02, 0.5), at(b, 0.98, 0.5));
        p.setPen(strokePen(c, 0.05 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.5, 0.06}, {0.14, 0.38}, {0.86, 0.38}}));
        p.setPen(strokePen(c, 0.09 * s));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(polygon(b, {{0.18, 0.64}, {0.82, 0.64}, {0.5, 0.92}}));
        break;
    case Glyph::FlipHorizontal:
        p.setPen(strokePen(c, 0.07 * s));
        p.drawLine(at(b, 0.5, 0.02), at(b, 0.5, 0.98));
        p.setPen(strokePen(c, 0.05 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.06, 0.5}, {0.38, 0.14}, {0.38, 0.86}}));
        p.setPen(strokePen(c, 0.09 * s));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(polygon(b, {{0.64, 0.18}, {0.64, 0.82}, {0.92, 0.5}}));
        break;
    case Glyph::RotateRight:
        drawTurnArrow(p, b, c, true);
        break;
    case Glyph::RotateLeft:
        drawTurnArrow(p, b, c, false);
        break;
    case Glyph::Volume: {
        p.setPen(strokePen(c, 0.04 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.12, 0.38}, {0.3, 0.38}, {0.5, 0.18}, {0.5, 0.82}, {0.3, 0.62}, {0.12, 0.62}}));
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(c, 0.07 * s));
        const QPointF centre = at(b, 0.5, 0.5);
        for (qreal r : {0.16, 0.3}) {
            const qreal rr = r * s;
            p.drawArc(QRectF(centre.x() - rr, centre.y() - rr, 2 * rr, 2 * rr), -45 * 16, 90 * 16);
        }
        break;
    }
    case Glyph::Trash:
        p.setPen(strokePen(c, 0.08 * s));
        p.setBrush(Qt::NoBrush);
        p.drawLine(at(b, 0.18, 0.26), at(b, 0.82, 0.26));
        p.drawPolyline(polygon(b, {{0.4, 0.26}, {0.42, 0.14}, {0.58, 0.14}, {0.6, 0.26}}));
        p.drawPolygon(polygon(b, {{0.27, 0.34}, {0.73, 0.34}, {0.68, 0.86}, {0.32, 0.86}}));
        p.drawLine(at(b, 0.44, 0.46), at(b, 0.44, 0.74));
        p.drawLine(at(b, 0.56, 0.46), at(b, 0.56, 0.74));
        break;
    case Glyph::ConvertPlay:
        p.setPen(strokePen(c, 0.08 * s));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(at(b, 0.12, 0.12), at(b, 0.88, 0.88)));
        p.setPen(strokePen(c, 0.04 * s));
        p.setBrush(c);
        p.drawPolygon(polygon(b, {{0.42, 0.32}, {0.42, 0.68}, {0.7, 0.5}}));
        break;
    case Glyph::Folder:
    case Glyph::OpenFolder:
        p.setPen(strokePen(c, 0.08 * s));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(polygon(b, {{0.12, 0.24}, {0.4, 0.24}, {0.47, 0.33}, {0.88, 0.33}, {0.88, 0.8}, {0.12, 0.8}}));
        if (glyph == Glyph::Folder) {
            p.drawLine(at(b, 0.12, 0.42), at(b, 0.88, 0.42));
        } else {
            p.drawLine(at(b, 0.38, 0.7), at(b, 0.64, 0.46));
            p.drawPolyline(polygon(b, {{0.48, 0.45}, {0.65, 0.45}, {0.65, 0.62}}));
        }
        break;
    case Glyph::CrossCircle:
        p.setPen(strokePen(c, 0.09 * s));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(at(b, 0.12, 0.12), at(b, 0.88, 0.88)));
        p.drawLine(at(b, 0.36, 0.36), at(b, 0.64, 0.64));
        p.drawLine(at(b, 0.64, 0.36), at(b, 0.36, 0.64));
        break;
    case Glyph::Tick:
        p.setPen(strokePen(c, 0.13 * s));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(polygon(b, {{0.2, 0.52}, {0.42, 0.74}, {0.82, 0.3}}));
        break;
    case Glyph::Exclamation:
        p.setPen(strokePen(c, 0.14 * s));
        p.drawLine(at(b, 0.5, 0.2), at(b, 0.5, 0.58));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(at(b, 0.5, 0.79), 0.08 * s, 0.08 * s);
        break;
    case Glyph::Info:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(at(b, 0.5, 0.24), 0.08 * s, 0.08 * s);
        p.setPen(strokePen(c, 0.14 * s));
        p.drawLine(at(b, 0.5, 0.44), at(b, 0.5, 0.8));
        break;
    }
    p.restore();
}

// A button look in one cell: a backdrop inset from the cell, the glyph in
// the middle of it.
void drawCell(QPainter& p, const QRect& cell, Glyph glyph, const Look& look, Backdrop backdrop, qreal glyphFraction)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(cell);
    const qreal inset = cell.width() * 0.08;
    const QRectF back = QRectF(cell).adjusted(inset, inset, -inset, -inset);
    const qreal ringWidth = qMax<qreal>(1.0, cell.width() * 0.035);
    if (backdrop != Backdrop::None && (look.fill.alpha() > 0 || look.ring.alpha() > 0)) {
        p.setBrush(look.fill.alpha() > 0 ? QBrush(look.fill) : QBrush(Qt::NoBrush));
        p.setPen(look.ring.alpha() > 0 ? QPen(look.ring, ringWidth) : QPen(Qt::NoPen));
        const QRectF shape = back.adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2);
        if (backdrop == Backdrop::Circle)
            p.drawEllipse(shape);
        else
            p.drawRoundedRect(shape, cell.width() * 0.18, cell.width() * 0.18);
    }
    const qreal side = cell.width() * glyphFraction * look.glyphScale;
    const QRectF box(QPointF(cell.center()) + QPointF(0.5, 0.5) - QPointF(side / 2, side / 2), QSizeF(side, side));
    drawGlyph(p, glyph, box, look.glyph);
    p.restore();
}

void drawStates(
    QPainter& p, const StateCells& cells, Glyph glyph, const Look looks[4], Backdrop backdrop, qreal glyphFraction)
{
    drawCell(p, cells.normal, glyph, looks[0], backdrop, glyphFraction);
    drawCell(p, cells.highlight, glyph, looks[1], backdrop, glyphFraction);
    drawCell(p, cells.click, glyph, looks[2], backdrop, glyphFraction);
    drawCell(p, cells.disable, glyph, looks[3], backdrop, glyphFraction);
}

QColor rgba(int r, int g, int b, int a)
{
    return QColor(r, g, b, a);
}

const QColor kAccent(0x01, 0xa4, 0xe5);
const QColor kAccentDark(0x01, 0x77, 0xa8);

QImage loadingFrame(int size, int frame, int count)
{
    QImage image = blank(QSize(size, size));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    const qreal orbit = size * 0.34;
    const qreal dot = size * 0.1;
    const QColor head = kAccent;
    const QColor tail(0x8a, 0x94, 0x9e);
    for (int i = 0; i < count; ++i) {
        // The brightest dot walks clockwise one place per frame.
        const int age = (frame - i + count) % count;
        const qreal t = static_cast<qreal>(age) / (count - 1);
        const QColor c = QColor::fromRgbF(head.redF() + (tail.redF() - head.redF()) * t,
            head.greenF() + (tail.greenF() - head.greenF()) * t, head.blueF() + (tail.blueF() - head.blueF()) * t);
        const qreal angle = 2 * M_PI * i / count - M_PI / 2;
        const QPointF pos = centre + QPointF(qCos(angle), qSin(angle)) * orbit;
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const qreal r = dot * (1.0 - 0.45 * t);
        p.drawEllipse(pos, r, r);
    }
    return image;
}

} // namespace

QImage Artwork::playButtonsSheet()
{
    QImage image = blank(PlayButtonsSize);
    QPainter p(&image);
    const struct
    {
        int column;
        Glyph glyph;
    } buttons[] = {
        {VolumeColumn, Glyph::Volume},
        {HarryUpColumn, Glyph::StepForward},
        {PauseButtonColumn, Glyph::Play},
        {PlayButtonColumn, Glyph::Pause},
        {HarryDownColumn, Glyph::StepBack},
        {FlipYColumn, Glyph::FlipVertical},
        {FlipXColumn, Glyph::FlipHorizontal},
        {RotateYColumn, Glyph::RotateLeft},
        {RotateXColumn, Glyph::RotateRight},
    };
    // Light normal, highlight, pressed, disabled; the dark row has its own normal look.
    const Look lightLooks[4] = {
        {QColor(0x4a, 0x4f, 0x57), Qt::transparent, QColor(0xc3, 0xc8, 0xcf)},
        {Qt::white, kAccent, kAccent},
        {QColor(0xe6, 0xf6, 0xfd), kAccentDark, kAccentDark, 0.88},
        {rgba(150, 155, 162, 120), Qt::transparent, rgba(150, 155, 162, 90)},
    };
    const Look darkNormal{QColor(0xd5, 0xd8, 0xdd), Qt::transparent, QColor(0x5c, 0x61, 0x69)};
    for (const auto& button : buttons) {
        // The picture tools are shown at 30 pixels: their glyphs fill more of the cell.
        const bool pictureTool = button.column >= FlipYColumn;
        const qreal fraction = pictureTool ? 0.56 : 0.42;
        drawStates(p, playCells(button.column, Light), button.glyph, lightLooks, Backdrop::Circle, fraction);
        drawCell(p, playCells(button.column, Dark).normal, button.glyph, darkNormal, Backdrop::Circle, fraction);
    }
    return image;
}

QImage Artwork::widePublicSheet()
{
    QImage image = blank(WidePublicSize);
    QPainter p(&image);
    const Look blue[4] = {
        {QColor(0x8b, 0x90, 0x98)},
        {kAccent, rgba(1, 164, 229, 46)},
        {Qt::white, kAccent},
        {rgba(139, 144, 152, 125)},
    };
    const Look red[4] = {
        {QColor(0x8b, 0x90, 0x98)},
        {QColor(0xe5, 0x48, 0x4d), rgba(229, 72, 77, 46)},
        {Qt::white, QColor(0xe5, 0x48, 0x4d)},
        {rgba(139, 144, 152, 125)},
    };
    drawStates(p, TitleClose, Glyph::Cross, red, Backdrop::Rounded, 0.42);
    drawStates(p, TitleMaximise, Glyph::Maximise, blue, Backdrop::Rounded, 0.46);
    drawStates(p, TitleMinimise, Glyph::Minimise, blue, Backdrop::Rounded, 0.46);
    drawStates(p, TitleMenu, Glyph::Menu, blue, Backdrop::Rounded, 0.5);

    // Thumbnail placeholder: a neutral card with a film frame, readable on
    // either skin.
    const QRectF card(ThumbnailPlaceholder);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(card.topLeft(), card.bottomLeft());
    shade.setColorAt(0, QColor(0x93, 0x9a, 0xa3));
    shade.setColorAt(1, QColor(0x6a, 0x71, 0x7a));
    p.fillRect(card, shade);
    const QRectF film(card.center() - QPointF(52, 34), QSizeF(104, 68));
    p.setPen(QPen(QColor(255, 255, 255, 210), 3));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(film, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    for (int i = 0; i < 6; ++i) {
        const qreal x = film.left() + 10 + i * 16;
        p.drawRoundedRect(QRectF(x, film.top() + 6, 8, 6), 1.5, 1.5);
        p.drawRoundedRect(QRectF(x, film.bottom() - 12, 8, 6), 1.5, 1.5);
    }
    p.setBrush(QColor(255, 255, 255, 230));
    const QPointF c = film.center();
    p.drawPolygon(QPolygonF() << c + QPointF(-10, -14) << c + QPointF(-10, 14) << c + QPointF(16, 0));
    return image;
}

QImage Artwork::publicSheet()
{
    QImage image = blank(PublicSize);
    QPainter p(&image);
    const struct
    {
        int column;
        Glyph glyph;
        QColor lightNormal;
        QColor darkNormal;
    } buttons[] = {
        {RowDeleteColumn, Glyph::Trash, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {RowConvertColumn, Glyph::ConvertPlay, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {RowOpenColumn, Glyph::Folder, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {CloseColumn, Glyph::Cross, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {SmallDeleteColumn, Glyph::CrossCircle, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {OpenFolderColumn, Glyph::OpenFolder, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {VolumeIconColumn, Glyph::Volume, QColor(0x5f, 0x64, 0x6c), QColor(0xb9, 0xbd, 0xc4)},
        {SuccessColumn, Glyph::Tick, QColor(0x2a, 0xb3, 0x40), QColor(0x4c, 0xd0, 0x62)},
        {FailureColumn, Glyph::Exclamation, QColor(0xd9, 0x3a, 0x3f), QColor(0xf0, 0x6a, 0x6e)},
    };
    for (const auto& b : buttons) {
        const Look light[4] = {
            {b.lightNormal},
            {kAccent, QColor(0xe3, 0xf5, 0xfc)},
            {Qt::white, QColor(0x01, 0x86, 0xbd)},
            {QColor(0xc5, 0xc9, 0xce)},
        };
        const Look dark[4] = {
            {b.darkNormal},
            {QColor(0x4c, 0xc3, 0xf2), QColor(0x26, 0x36, 0x42)},
            {Qt::white, QColor(0x0a, 0x8f, 0xc7)},
            {QColor(0x4e, 0x52, 0x59)},
        };
        drawStates(p, publicCells(b.column, Light), b.glyph, light, Backdrop::Circle, 0.56);
        drawStates(p, publicCells(b.column, Dark), b.glyph, dark, Backdrop::Circle, 0.56);
    }
    return image;
}

QImage Artwork::vcPublicSheet()
{
    QImage image = blank(VcPublicSize);
    QPainter p(&image);

    // Round handle: a ring at rest, filled while hovered or pressed.
    const struct
    {
        QRect cell;
        QColor fill;
        QColor ring;
        QColor dot;
    } knobs[] = {
        {SliderHandle.normal, Qt::white, kAccent, Qt::transparent},
        {SliderHandle.highlight, kAccent, kAccent, Qt::white},
        {SliderHandle.click, kAccentDark, kAccentDark, QColor(0xcf, 0xee, 0xfb)},
        {SliderHandle.disable, QColor(0xe2, 0xe5, 0xe9), QColor(0xa9, 0xaf, 0xb6), Qt::transparent},
    };
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& k : knobs) {
        const QRectF r = QRectF(k.cell).adjusted(1.5, 1.5, -1.5, -1.5);
        p.setPen(QPen(k.ring, 2));
        p.setBrush(k.fill);
        p.drawEllipse(r);
        if (k.dot.alpha() > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(k.dot);
            p.drawEllipse(QRectF(k.cell).center(), 1.6, 1.6);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    // Trim handles: a bracket opening towards the kept range, drawn pixel
    // exact because they are shown at their own size.
    const struct
    {
        QColor fill;
        QColor edge;
    } trimLooks[4] = {
        {QColor(0x4c, 0xc0, 0x4b), QColor(0x2b, 0x7a, 0x2a)},
        {QColor(0x7a, 0xde, 0x79), QColor(0x2b, 0x7a, 0x2a)},
        {QColor(0x2e, 0x8f, 0x2d), QColor(0x1b, 0x52, 0x1a)},
        {QColor(0xb4, 0xbc, 0xb6), QColor(0x84, 0x8b, 0x86)},
    };
    auto bracket = [&p](const QRect& cell, bool opensRight, const QColor& fill, const QColor& edge) {
        const int bar = opensRight ? cell.left() + 2 : cell.right() - 6;
        const int footLeft = opensRight ? cell.left() + 2 : cell.left() + 2;
        QPainterPath shape;
        shape.addRect(bar, cell.top() + 1, 5, 13);
        shape.addRect(footLeft, cell.top() + 1, 11, 4);
        shape.addRect(footLeft, cell.top() + 10, 11, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(edge);
        p.drawPath(shape.simplified());
        QPainterPath inner;
        inner.addRect(bar + 1, cell.top() + 2, 3, 11);
        inner.addRect(footLeft + 1, cell.top() + 2, 9, 2);
        inner.addRect(footLeft + 1, cell.top() + 11, 9, 2);
        p.setBrush(fill);
        p.drawPath(inner.simplified());
    };
    const QRect startCells[4]
        = {TrimStartHandle.normal, TrimStartHandle.highlight, TrimStartHandle.click, TrimStartHandle.disable};
    const QRect endCells[4]
        = {TrimEndHandle.normal, TrimEndHandle.highlight, TrimEndHandle.click, TrimEndHandle.disable};
    for (int i = 0; i < 4; ++i) {
        bracket(startCells[i], true, trimLooks[i].fill, trimLooks[i].edge);
        bracket(endCells[i], false, trimLooks[i].fill, trimLooks[i].edge);
    }

    // Spin arrows, 10 x 8, pixel exact. Each keeps its glyph in rows 2..5 so
    // the two rows shared by the pressed up and down cells stay empty.
    const QColor arrowLooks[4] = {QColor(0x7f, 0x8a, 0x95), kAccent, kAccentDark, rgba(127, 138, 149, 90)};
    const QRect upCells[4] = {SpinUpArrow.normal, SpinUpArrow.highlight, SpinUpArrow.click, SpinUpArrow.disable};
    const QRect downCells[4]
        = {SpinDownArrow.normal, SpinDownArrow.highlight, SpinDownArrow.click, SpinDownArrow.disable};
    for (int i = 0; i < 4; ++i) {
        for (int row = 0; row < 4; ++row) {
            const int upHalf = row + 1;   // 1..4 pixels either side of the middle
            const int downHalf = 4 - row; // 4..1
            p.fillRect(QRect(upCells[i].left() + 5 - upHalf, upCells[i].top() + 2 + row, 2 * upHalf, 1), arrowLooks[i]);
            p.fillRect(QRect(downCells[i].left() + 5 - downHalf, downCells[i].top() + 2 + row, 2 * downHalf, 1),
                arrowLooks[i]);
        }
    }
    return image;
}

QImage Artwork::arrow()
{
    QImage image = blank(QSize(48, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c(0x9a, 0xa2, 0xac);
    p.setPen(strokePen(c, 3));
    p.drawLine(QPointF(4, 12), QPointF(34, 12));
    p.setPen(strokePen(c, 1.5));
    p.setBrush(c);
    p.drawPolygon(QPolygonF() << QPointF(31, 5) << QPointF(44, 12) << QPointF(31, 19));
    return image;
}

QImage Artwork::itemArrow()
{
    QImage image = blank(QSize(16, 16));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(strokePen(kAccent, 1.2));
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF() << QPointF(5, 3.5) << QPointF(12, 8) << QPointF(5, 12.5));
    return image;
}

void Artwork::drawProgram(QPainter& p, qreal size)
{
    // Drawn on a grid of 256 and scaled, so every size and the SVG agree;
    // below 32 pixels the strokes thicken so that the ring stays a ring.
    const bool small = size < 32;
    const qreal line = small ? 30 : 16;
    const qreal headScale = small ? 1.35 : 1.0;
    p.save();
    p.scale(size / 256.0, size / 256.0);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 256, 256);
    sky.setColorAt(0, QColor(0x1f, 0xbf, 0xf5));
    sky.setColorAt(1, QColor(0x35, 0x57, 0xd6));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    const qreal margin = small ? 0 : 8;
    p.drawRoundedRect(QRectF(margin, margin, 256 - 2 * margin, 256 - 2 * margin), 56, 56);

    // Two arrows chasing each other round a play sign: a file turned into another.
    const QRectF ring = small ? QRectF(46, 46, 164, 164) : QRectF(56, 56, 144, 144);
    const QColor white(255, 255, 255);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(white, line));
    QPainterPath arcs;
    arcs.arcMoveTo(ring, 100);
    arcs.arcTo(ring, 100, 140);
    arcs.arcMoveTo(ring, 280);
    arcs.arcTo(ring, 280, 140);
    p.drawPath(arcs);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    auto head = [&p, &ring, headScale](qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        const QPointF c = ring.center();
        const qreal r = ring.width() / 2;
        const QPointF tip(c.x() + r * qCos(a), c.y() - r * qSin(a));
        const QPointF dir(qSin(a), qCos(a)); // clockwise travel
        const QPointF normal(-dir.y(), dir.x());
        p.drawPolygon(QPolygonF() << tip + dir * 26 * headScale << tip + normal * 22 * headScale
                                  << tip - normal * 22 * headScale);
    };
    head(100);
    head(280);
    if (small)
        p.drawPolygon(QPolygonF() << QPointF(102, 82) << QPointF(102, 174) << QPointF(178, 128));
    else
        p.drawPolygon(QPolygonF() << QPointF(108, 92) << QPointF(108, 164) << QPointF(168, 128));
    p.restore();
}

QImage Artwork::program(int size)
{
    QImage image = blank(QSize(size, size));
    QPainter p(&image);
    drawProgram(p, size);
    return image;
}

QImage Artwork::loginClose()
{
    QImage image = blank(LoginCloseSize);
    QPainter p(&image);
    const QColor red(0xe5, 0x48, 0x4d);
    drawCell(p, LoginCloseNormal, Glyph::Cross, {QColor(0xa0, 0xa6, 0xad)}, Backdrop::Circle, 0.42);
    drawCell(p, LoginCloseHover, Glyph::Cross, {red, QColor(0xfd, 0xe7, 0xe8)}, Backdrop::Circle, 0.42);
    drawCell(p, LoginCloseDisabled, Glyph::Cross, {QColor(0xdf, 0xe2, 0xe6)}, Backdrop::Circle, 0.42);
    drawCell(p, LoginCloseChecked, Glyph::Cross, {Qt::white, red}, Backdrop::Circle, 0.42);
    return image;
}

namespace {

QImage badge(const QColor& colour, Glyph glyph)
{
    QImage image = blank(QSize(48, 48));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    drawGlyph(p, glyph, QRectF(10, 10, 28, 28), Qt::white);
    return image;
}

} // namespace

QImage Artwork::loginOk1()
{
    return badge(QColor(0x2a, 0xb3, 0x40), Glyph::Tick);
}

QImage Artwork::loginOk2()
{
    return badge(kAccent, Glyph::Info);
}

QImage Artwork::loginNo1()
{
    return badge(QColor(0xe5, 0x48, 0x4d), Glyph::Cross);
}

QVector<QImage> Artwork::loadingFrames(int size)
{
    const int count = 8;
    QVector<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.append(loadingFrame(size, i, count));
    return frames;
}

#pragma once

#include <QImage>

class QPainter;
#include <QVector>

// Draws every picture the application embeds. All drawing is our own: shapes
// painted with QPainter into the rectangles listed in toolkit/spritecells.h.
class Artwork
{
public:
    static QImage publicSheet();
    static QImage vcPublicSheet();
    static QImage widePublicSheet();
    static QImage playButtonsSheet();
    static QImage arrow();
    static QImage itemArrow();
    // The program icon, also the window's.
    static QImage program(int size = 256);
    static void drawProgram(QPainter& p, qreal size);
    static QImage loginClose();
    static QImage loginOk1();
    static QImage loginOk2();
    static QImage loginNo1();
    // Frames of the spinning "busy" picture of the given size.
    static QVector<QImage> loadingFrames(int size);
};

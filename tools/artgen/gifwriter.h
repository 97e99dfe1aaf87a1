#pragma once

#include <QImage>
#include <QString>
#include <QVector>

// Writes an endlessly looping animated GIF. Pixels less than half opaque
// become transparent; the others keep their colour (reduced to a 6x6x6 cube
// only when a picture holds more than 255 colours).
class GifWriter
{
public:
    static bool write(const QString& path, const QVector<QImage>& frames, int delayCentiseconds);
    static QByteArray encode(const QVector<QImage>& frames, int delayCentiseconds);
};

#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPixmap>

namespace MyQtCustom {

// Draws glyphs of an icon font as pixmaps of a given colour and size.
class IconHelper : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(IconHelper)

public:
    enum ImageFontType { AlibabaIcon = 0, FontAwesome = 1, FontAwesomeRegular = 2, WeatherIcon = 3 };

    IconHelper(const QString& fontFile, const QString& family, QObject* parent = nullptr);

    // The caller owns the helper.
    static IconHelper* getIconHelper(int type);
    static QPixmap getPixmap(int type, const QColor& colour, int glyph, unsigned pixelSize, unsigned width,
        unsigned height, int flags = Qt::AlignCenter);

    QPixmap getPixmap1(const QColor& colour, int glyph, unsigned pixelSize, unsigned width, unsigned height,
        int flags = Qt::AlignCenter);

    QFont iconFont() const { return m_iconFont; }

private:
    QFont m_iconFont;
};

} // namespace MyQtCustom

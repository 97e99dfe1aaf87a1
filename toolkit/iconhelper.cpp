#include "toolkit/iconhelper.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QtDebug>

namespace MyQtCustom {

IconHelper::IconHelper(const QString& fontFile, const QString& family, QObject* parent)
    : QObject(parent)
{
    QFontDatabase database;
    // An application font stays registered for the process; load the file once.
    if (!database.families().contains(family) && QFile::exists(fontFile)) {
        const int id = QFontDatabase::addApplicationFont(fontFile);
        if (QFontDatabase::applicationFontFamilies(id).isEmpty())
            qDebug().noquote() << QStringLiteral("load %1 error").arg(family);
        database = QFontDatabase();
    }
    if (database.families().contains(family)) {
        m_iconFont = QFont(family);
        m_iconFont.setHintingPreference(QFont::PreferNoHinting);
    }
}

IconHelper* IconHelper::getIconHelper(int type)
{
    switch (type) {
    case AlibabaIcon:
        return new IconHelper(QStringLiteral(":/font/alibaba-icon.ttf"), QStringLiteral("iconfont"));
    case FontAwesomeRegular:
        return new IconHelper(
            QStringLiteral(":/font/awesome-regular-400.ttf"), QStringLiteral("Font Awesome 6 Pro Regular"));
    case WeatherIcon:
        return new IconHelper(QStringLiteral(":/font/weather-icon.ttf"), QStringLiteral("pe-icon-set-weather"));
    default:
        return new IconHelper(QStringLiteral(":/font/awesome-webfont.ttf"), QStringLiteral("FontAwesome"));
    }
}

QPixmap IconHelper::getPixmap(
    int type, const QColor& colour, int glyph, unsigned pixelSize, unsigned width, unsigned height, int flags)
{
    IconHelper* helper = getIconHelper(type);
    const QPixmap pixmap = helper->getPixmap1(colour, glyph, pixelSize, width, height, flags);
    helper->deleteLater();
    return pixmap;
}

QPixmap IconHelper::getPixmap1(
    const QColor& colour, int glyph, unsigned pixelSize, unsigned width, unsigned height, int flags)
{
    QPixmap pixmap(static_cast<int>(width), static_cast<int>(height));
    if (pixmap.isNull())
        return pixmap;
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(colour);
    QFont font = m_iconFont;
    if (pixelSize > 0)
        font.setPixelSize(static_cast<int>(pixelSize));
    painter.setFont(font);
    const char32_t codePoint = static_cast<char32_t>(glyph);
    painter.drawText(pixmap.rect(), flags, QString::fromUcs4(&codePoint, 1));
    return pixmap;
}

} // namespace MyQtCustom

#include "screenshots.h"

#include "app/topwidget.h"
#include "app/vcmanagerwidget.h"

#include <QMenu>
#include <QPainter>

namespace Screenshots {

void save(const QImage& image, const QString& name)
{
    const QString out = qEnvironmentVariable("MORVAYNE_SCREENSHOT_DIR");
    if (!out.isEmpty())
        image.save(out + QLatin1Char('/') + name + QLatin1String(".png"));
}

// The offscreen screen is smaller than the window, so the menus are moved.
QImage windowWithMenu(VCManagerWidget& w)
{
    QMenu* menu = w.topWidget()->mainMenu();
    QMenu* languages = w.topWidget()->languageMenu();
    menu->popup(w.topWidget()->menuPosition());
    menu->move(w.topWidget()->menuPosition());
    menu->setActiveAction(languages->menuAction());
    const QRect item = menu->actionGeometry(languages->menuAction());
    languages->popup(QPoint());
    languages->move(menu->geometry().topRight() + QPoint(1, item.top()));
    const QPoint origin = w.geometry().topLeft();
    QRect canvas(QPoint(0, 0), w.size());
    canvas |= menu->geometry().translated(-origin);
    canvas |= languages->geometry().translated(-origin);
    QImage image(canvas.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.translate(-canvas.topLeft());
    p.drawPixmap(0, 0, w.grab());
    p.drawPixmap(menu->geometry().topLeft() - origin, menu->grab());
    p.drawPixmap(languages->geometry().topLeft() - origin, languages->grab());
    p.end();
    languages->hide();
    menu->hide();
    return image;
}

} // namespace Screenshots

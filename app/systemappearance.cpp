#include "app/systemappearance.h"

#include <QGuiApplication>
#include <QPalette>

bool SystemAppearance::isDark()
{
    const QByteArray forced = qgetenv("MORVAYNE_APPEARANCE").trimmed().toLower();
    if (forced == "dark")
        return true;
    if (forced == "light")
        return false;
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

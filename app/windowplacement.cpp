#include "app/windowplacement.h"

#include <QtGlobal>

#include <cstdlib>

QPoint WindowPlacement::initialPosition(const QSize& screen, const QSize& window)
{
    const int x = std::abs(screen.width() - window.width()) / 2;
    const int y = std::abs(screen.height() - window.height()) / 2;
    return QPoint(qMin(x, 300), qMin(y, 300));
}

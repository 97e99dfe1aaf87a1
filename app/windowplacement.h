#pragma once

#include <QPoint>
#include <QSize>

// Where the main window first appears: centred on its screen, but never more
// than 300 pixels from the screen's top-left corner.
class WindowPlacement
{
public:
    static QPoint initialPosition(const QSize& screen, const QSize& window);
};

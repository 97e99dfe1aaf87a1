#pragma once

#include <QImage>
#include <QString>

class VCManagerWidget;

// Pictures of the application for a person to look at. They are written
// only when MORVAYNE_SCREENSHOT_DIR names a folder.
namespace Screenshots {

void save(const QImage& image, const QString& name);

// The window with its main menu and the language submenu open, where a
// screen large enough for the window would show them.
QImage windowWithMenu(VCManagerWidget& window);

} // namespace Screenshots

#pragma once

#include <QString>

class QWidget;

namespace MyQtCustom {

// The window operations of the common helpers. They live here, not in common,
// so that the layers below the widgets never link the widget library.
class WindowUtils
{
public:
    WindowUtils() = delete;

    // The main window announces itself: it becomes the reference of
    // moveDialogToCenter, and the names and the language code are fixed.
    static void RegisterMainWindow(
        QWidget* window, const QString& organisation, const QString& application, const QString& version);
    static QWidget* mainWindow();
    // Centres w on the main window, or on the primary screen before there is
    // one; never moves it above or left of the origin.
    static void moveDialogToCenter(QWidget* w);
};

} // namespace MyQtCustom

#include "toolkit/windowutils.h"

#include "common/qcommonutils.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace MyQtCustom {

namespace {

QPointer<QWidget>& registeredMainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void WindowUtils::RegisterMainWindow(
    QWidget* window, const QString& organisation, const QString& application, const QString& version)
{
    registeredMainWindow() = window;
    QCommonUtils::InitName(organisation, application);
    QCommonUtils::setVersionText(version);
    QCommonUtils::autoCheckSystemLanguage();
}

QWidget* WindowUtils::mainWindow()
{
    return registeredMainWindow().data();
}

void WindowUtils::moveDialogToCenter(QWidget* w)
{
    if (!w)
        return;
    QRect ref;
    if (QWidget* main = mainWindow()) {
        ref = main->geometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        ref = QRect(QPoint(0, 0), screen->geometry().size());
    }
    const int x = qMax(0, ref.x() + (ref.width() - w->width()) / 2);
    const int y = qMax(0, ref.y() + (ref.height() - w->height()) / 2);
    w->move(x, y);
}

} // namespace MyQtCustom

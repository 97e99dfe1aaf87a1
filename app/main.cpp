#include "app/vcmanagerwidget.h"
#include "app/windowplacement.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "toolkit/toolkitresources.h"
#include "ui/edit/vlcplayer.h"
#include "ui/joblist/videoconverterwidget.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

using MyQtCustom::QCommonUtils;

int main(int argc, char* argv[])
{
    auto* app = new QApplication(argc, argv);
    g_appDirPath = QCoreApplication::applicationDirPath();
    // Before anything that could load a plug-in.
    QCommonUtils::CheckApplicationRunningPath(*app);
    QCommonUtils::InitName(SettingKeys::Organisation, SettingKeys::Application);
    MyQtCustom::ToolkitResources::init();
    QCommonUtils::MyInstallMessageHandler();
    QCommonUtils::ResetDebugLogs(SettingKeys::Organisation, SettingKeys::Application);
    // Once, before any thread starts: a changed environment races with child processes.
    VLCPlayer::preparePluginPath(g_appDirPath);
    if (QCommonUtils::CheckCurrentProgramisRunning()) {
        delete app;
        return 0;
    }
    QCommonUtils::SetLocaleLangUTF8();
    VCManagerWidget::loadApplicationFonts(g_appDirPath);

    auto* window = new VCManagerWidget;
    QSize screenSize(1920, 1080);
    if (QScreen* screen = window->screen())
        screenSize = screen->geometry().size();
    window->move(WindowPlacement::initialPosition(screenSize, window->size()));

    window->show();
    // From the event loop, so that the window is on screen behind the question.
    QTimer::singleShot(0, window->converterPage(), &VideoConverterWidget::offerSavedQueue);
    const int code = app->exec();
    delete window;
    delete app;
    return code;
}

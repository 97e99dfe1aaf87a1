#include "app/commandline.h"
#include "app/filehandoff.h"
#include "app/singleinstance.h"
#include "app/terminationsignals.h"
#include "app/vcmanagerwidget.h"
#include "app/windowplacement.h"
#include "common/debuglog.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "convert/batchconverter.h"
#include "toolkit/toolkitresources.h"
#include "ui/edit/vlcplayer.h"
#include "ui/joblist/videoconverterwidget.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using MyQtCustom::QCommonUtils;

namespace {

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(const QString& error)
{
    print(stderr, QStringLiteral("morvayne: %1\nTry 'morvayne --help' for more information.\n").arg(error));
    return 2;
}

// Converts without a window: no GUI application, so no display is needed.
int runBatch(int argc, char* argv[], const BatchConverter::Options& options)
{
    QCoreApplication app(argc, argv);
    g_appDirPath = QCoreApplication::applicationDirPath();
    QCommonUtils::CheckApplicationRunningPath(app);
    QCommonUtils::InitName(SettingKeys::Organisation, SettingKeys::Application);
    // Standard output is for the progress lines; everything else goes to the log.
    DebugLog::setEcho(false);
    QCommonUtils::MyInstallMessageHandler();
    QCommonUtils::ResetDebugLogs(SettingKeys::Organisation, SettingKeys::Application);
    QCommonUtils::SetLocaleLangUTF8();

    BatchConverter batch(options);
    QObject::connect(&batch, &BatchConverter::finished, &app, &QCoreApplication::exit);
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &batch, &BatchConverter::stop);
    batch.start();
    return app.exec();
}

int runWithoutWindow(int argc, char* argv[], const CommandLine& cl)
{
    switch (cl.mode) {
    case CommandLine::Help:
        print(stdout, CommandLine::helpText());
        return 0;
    case CommandLine::Version:
        print(stdout, CommandLine::versionLine() + QLatin1Char('\n'));
        return 0;
    case CommandLine::Convert:
        return runBatch(argc, argv, cl.batch);
    case CommandLine::Window:
    case CommandLine::Error:
        break;
    }
    return usageError(cl.error);
}

} // namespace

int main(int argc, char* argv[])
{
    // Command-line modes are decided before any application object exists.
    const QStringList arguments = CommandLine::argumentsOf(argc, argv);
    if (CommandLine::needsNoWindow(arguments))
        return runWithoutWindow(argc, argv, CommandLine::parse(arguments));

    auto* app = new QApplication(argc, argv);
    // Lets the desktop match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillfen.Morvayne"));
    // What is left once Qt has taken its own options.
    const CommandLine cl = CommandLine::parse(QCoreApplication::arguments().mid(1));
    if (cl.mode != CommandLine::Window) {
        delete app;
        return usageError(cl.error);
    }
    g_appDirPath = QCoreApplication::applicationDirPath();
    // Before anything that could load a plug-in.
    QCommonUtils::CheckApplicationRunningPath(*app);
    QCommonUtils::InitName(SettingKeys::Organisation, SettingKeys::Application);
    MyQtCustom::ToolkitResources::init();
    QCommonUtils::MyInstallMessageHandler();
    QCommonUtils::ResetDebugLogs(SettingKeys::Organisation, SettingKeys::Application);
    // Once, before any thread starts: a changed environment races with child processes.
    VLCPlayer::preparePluginPath(g_appDirPath);

    auto* instance = new SingleInstance;
    const SingleInstance::Claim claim = instance->claim(cl.files);
    if (claim != SingleInstance::Primary) {
        if (claim == SingleInstance::Unanswered)
            print(stderr, QStringLiteral("morvayne: Morvayne is running but does not answer.\n"));
        delete instance;
        delete app;
        return claim == SingleInstance::HandedOff ? 0 : 1;
    }
    QCommonUtils::SetLocaleLangUTF8();
    VCManagerWidget::loadApplicationFonts(g_appDirPath);

    auto* window = new VCManagerWidget;
    QSize screenSize(1920, 1080);
    if (QScreen* screen = window->screen())
        screenSize = screen->geometry().size();
    window->move(WindowPlacement::initialPosition(screenSize, window->size()));

    // Later starts hand their files over here; this start's own join the
    // list once the window is up.
    auto* handoff = new FileHandoff(window, instance);
    window->show();
    handoff->addFiles(cl.files);
    // From the event loop, so that the window is on screen behind the question.
    QTimer::singleShot(0, window->converterPage(), &VideoConverterWidget::offerSavedQueue);
    const int code = app->exec();
    delete handoff;
    delete instance;
    delete window;
    delete app;
    return code;
}

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QApplication;
class QUrl;
class QWidget;

namespace MyQtCustom {

// Stateless helpers shared by every layer: time and size texts, the clock
// parser for ffmpeg's output, banner substring helpers, the debug log and
// the end-of-batch power actions. Times are signed microseconds.
class QCommonUtils : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(QCommonUtils)

public:
    explicit QCommonUtils(QObject* parent = nullptr);

    static int Timetohour(long long t);
    static int Timetominute(long long t);
    static int Timetosecond(long long t);
    static QString TimetoString(long long t);
    static long long StringToTime(const QString& text);

    static QString GetFileSizeString(long long bytes);

    static QString TrimSubStr(const QString& text, const QString& open, const QString& close, int from, int* closePos);
    static void RemoveSubStr(QString& text, const QString& open, const QString& close, int from);

    // Power actions go through a replaceable runner so that nothing but the
    // shipped program ever starts the real system command.
    using CommandRunner = std::function<void(const QString& program, const QStringList& arguments)>;
    static void setCommandRunner(CommandRunner runner);
    static void shutdownComputer();
    static void restartComputer();

    // Web pages open through a replaceable opener, so tests never start a browser.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void setUrlOpener(UrlOpener opener);
    static bool openUrl(const QUrl& url);

    static bool CheckCurrentProgramisRunning();
    static void SetLocaleLangUTF8();
    static void CheckApplicationRunningPath(QApplication& app);

    static void InitName(const QString& organisation, const QString& application);
    static QString organisationName();
    static QString applicationName();
    static QString versionText();

    // The main window announces itself: it becomes the reference of
    // moveDialogToCenter, and the names and the language code are fixed.
    static void RegisterMainWindow(
        QWidget* window, const QString& organisation, const QString& application, const QString& version);
    static QWidget* mainWindow();
    static void moveDialogToCenter(QWidget* w);

    static QString autoCheckSystemLanguage();
    static QString languageCode();
    static void setLanguageCode(const QString& code);

    static void MyInstallMessageHandler();
    static void ResetDebugLogs(const QString& organisation, const QString& application);
};

} // namespace MyQtCustom

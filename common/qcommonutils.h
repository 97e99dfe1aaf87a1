#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QCoreApplication;
class QUrl;

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

    // Folders and web pages open through a replaceable opener, the desktop's
    // default handler unless replaced; tests record instead of opening.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    static void setUrlOpener(UrlOpener opener); // an empty one restores the default
    static bool openUrl(const QUrl& url);

    static bool CheckCurrentProgramisRunning();
    static void SetLocaleLangUTF8();
    // Plug-ins come only from the application folder and from Qt's own.
    static void CheckApplicationRunningPath(QCoreApplication& app);

    static void InitName(const QString& organisation, const QString& application);
    static QString organisationName();
    static QString applicationName();
    static QString versionText();
    // Registering the main window (toolkit's WindowUtils) sets it.
    static void setVersionText(const QString& version);

    static QString autoCheckSystemLanguage();
    static QString languageCode();
    static void setLanguageCode(const QString& code);

    static void MyInstallMessageHandler();
    static void ResetDebugLogs(const QString& organisation, const QString& application);
};

} // namespace MyQtCustom

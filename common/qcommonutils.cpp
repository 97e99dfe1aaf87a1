#include "common/qcommonutils.h"

#include "common/debuglog.h"
#include "common/settingkeys.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTextCodec>
#include <QWidget>

#include <mutex>

namespace MyQtCustom {

namespace {

struct ProcessNames
{
    QString organisation;
    QString application;
    QString version;
    QString languageCode;
    QPointer<QWidget> mainWindow;
};

ProcessNames& names()
{
    static ProcessNames n;
    return n;
}

std::mutex& runnerMutex()
{
    static std::mutex m;
    return m;
}

// The shipped behaviour: start the command and let the machine go down.
void startDetachedChild(const QString& program, const QStringList& arguments)
{
    auto* process = new QProcess; // never released: the computer is going down
    process->start(program, arguments, QIODevice::ReadWrite);
}

QCommonUtils::CommandRunner& commandRunner()
{
    static QCommonUtils::CommandRunner runner = startDetachedChild;
    return runner;
}

void runCommand(const QString& program, const QStringList& arguments)
{
    QCommonUtils::CommandRunner runner;
    {
        std::lock_guard<std::mutex> lock(runnerMutex());
        runner = commandRunner();
    }
    if (runner)
        runner(program, arguments);
}

QCommonUtils::UrlOpener& urlOpener()
{
    static QCommonUtils::UrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

long long fieldValue(const QString& field)
{
    bool ok = false;
    const long long v = field.toLongLong(&ok, 10);
    return ok ? v : 0;
}

// One forward walk: every innermost segment met from `from` on becomes a blank.
// Returns false when the first search finds no complete segment.
bool removeForward(QString& text, const QString& open, const QString& close, int from)
{
    bool first = true;
    for (;;) {
        const int i = text.indexOf(open, from);
        if (i < 0)
            return !first;
        const int j = text.indexOf(close, i + 1);
        if (j < 0)
            return !first;
        const int k = text.indexOf(open, i + 1);
        if (k < 0 || k > j)
            text.replace(i, j - i + 1, QStringLiteral(" "));
        first = false;
        from = i + 1;
    }
}

} // namespace

QCommonUtils::QCommonUtils(QObject* parent)
    : QObject(parent)
{
}

int QCommonUtils::Timetohour(long long t)
{
    return static_cast<int>((t / 3600000000LL) % 60);
}

int QCommonUtils::Timetominute(long long t)
{
    return static_cast<int>((t / 60000000LL) % 60);
}

int QCommonUtils::Timetosecond(long long t)
{
    return static_cast<int>((t / 1000000LL) % 60);
}

QString QCommonUtils::TimetoString(long long t)
{
    return QString::asprintf("%02d%c%02d%c%02d", Timetohour(t), ':', Timetominute(t), ':', Timetosecond(t));
}

long long QCommonUtils::StringToTime(const QString& text)
{
    QString s = text.trimmed();
    s.remove(QLatin1Char(' '));

    QString clock = s;
    long long milliseconds = 0;
    const QStringList byComma = s.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (byComma.size() == 2) {
        clock = byComma.at(0);
        milliseconds = fieldValue(byComma.at(1));
    } else if (byComma.size() == 1) {
        const QStringList byDot = s.split(QLatin1Char('.'), Qt::KeepEmptyParts);
        if (byDot.size() == 2) {
            clock = byDot.at(0);
            milliseconds = fieldValue(byDot.at(1));
        }
    }

    long long hours = 0;
    long long minutes = 0;
    long long seconds = 0;
    const QStringList fields = clock.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    if (fields.size() == 2) {
        minutes = fieldValue(fields.at(0));
        seconds = fieldValue(fields.at(1));
    } else if (fields.size() == 3) {
        hours = fieldValue(fields.at(0));
        minutes = fieldValue(fields.at(1));
        seconds = fieldValue(fields.at(2));
    }
    return ((hours * 3600 + minutes * 60 + seconds) * 1000 + milliseconds) * 1000;
}

QString QCommonUtils::GetFileSizeString(long long n)
{
    if (n >= 1073741824LL)
        return QString::asprintf("%.02f G", static_cast<double>(n / 1048576LL) / 1024.0);
    if (n >= 1048576LL)
        return QString::asprintf("%.02f M", static_cast<double>(n / 1024LL) / 1024.0);
    if (n < 1024)
        return QString::asprintf("%lld bytes", n);
    return QString::asprintf("%.02f KB", static_cast<double>(n) / 1024.0);
}

QString QCommonUtils::TrimSubStr(
    const QString& text, const QString& open, const QString& close, int from, int* closePos)
{
    const int i = text.indexOf(open, from);
    if (i < 0)
        return QString();
    const int j = text.indexOf(close, i + 1);
    if (j < 0)
        return QString();
    if (closePos)
        *closePos = j;
    const int start = i + open.length();
    if (j <= start)
        return QString();
    return text.mid(start, j - start).trimmed();
}

void QCommonUtils::RemoveSubStr(QString& text, const QString& open, const QString& close, int from)
{
    if (open.isEmpty() || close.isEmpty() || open == close)
        return;
    // From the start of the text the walk repeats until no complete segment is
    // left, so nested segments go innermost first, then their parents.
    while (removeForward(text, open, close, from) && from == 0) { }
}

void QCommonUtils::setCommandRunner(CommandRunner runner)
{
    std::lock_guard<std::mutex> lock(runnerMutex());
    commandRunner() = std::move(runner);
}

void QCommonUtils::shutdownComputer()
{
    runCommand(QStringLiteral("shutdown"), {QStringLiteral("-h"), QStringLiteral("now")});
}

void QCommonUtils::restartComputer()
{
    runCommand(QStringLiteral("shutdown"), {QStringLiteral("-r"), QStringLiteral("now")});
}

void QCommonUtils::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

bool QCommonUtils::openUrl(const QUrl& url)
{
    return urlOpener() ? urlOpener()(url) : false;
}

bool QCommonUtils::CheckCurrentProgramisRunning()
{
    return false;
}

void QCommonUtils::SetLocaleLangUTF8()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void QCommonUtils::CheckApplicationRunningPath(QApplication& app)
{
    for (const QString& path : app.libraryPaths())
        app.removeLibraryPath(path);

    QDir dir(QCoreApplication::applicationDirPath());
    const QString d = dir.absolutePath();
    for (const char* sub :
        {"", "/plugins", "/resources", "/platforms", "/plugins/imageformats", "/plugins/sqldrivers", "/plugins/bearer"})
        app.addLibraryPath(d + QLatin1String(sub));

    dir.cdUp();
    dir.cdUp();
    app.addLibraryPath(dir.absolutePath() + QLatin1String("/PlugIns"));
    app.addLibraryPath(dir.absolutePath() + QLatin1String("/plugins"));
    dir.cdUp();
    app.addLibraryPath(dir.absolutePath() + QLatin1String("/Frameworks"));

    // The framework's own plug-ins (image formats, input methods) are not
    // bundled beside the executable here; they stay in the system folder.
    app.addLibraryPath(QLibraryInfo::location(QLibraryInfo::PluginsPath));
}

void QCommonUtils::InitName(const QString& organisation, const QString& application)
{
    names().organisation = organisation;
    names().application = application;
}

QString QCommonUtils::organisationName()
{
    return names().organisation;
}

QString QCommonUtils::applicationName()
{
    return names().application;
}

QString QCommonUtils::versionText()
{
    return names().version;
}

void QCommonUtils::RegisterMainWindow(
    QWidget* window, const QString& organisation, const QString& application, const QString& version)
{
    names().mainWindow = window;
    InitName(organisation, application);
    names().version = version;
    autoCheckSystemLanguage();
}

QWidget* QCommonUtils::mainWindow()
{
    return names().mainWindow.data();
}

void QCommonUtils::moveDialogToCenter(QWidget* w)
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

QString QCommonUtils::autoCheckSystemLanguage()
{
    QString code = QSettings(organisationName(), applicationName()).value(SettingKeys::Lang).toString();
    if (code.isEmpty()) {
        switch (QLocale::system().language()) {
        case QLocale::Chinese:
            code = QStringLiteral("ZH");
            break;
        case QLocale::French:
            code = QStringLiteral("FR");
            break;
        case QLocale::German:
            code = QStringLiteral("DE");
            break;
        case QLocale::Russian:
            code = QStringLiteral("RU");
            break;
        case QLocale::Spanish:
            code = QStringLiteral("ES");
            break;
        default:
            code = QStringLiteral("EN");
            break;
        }
    }
    names().languageCode = code;
    return code;
}

QString QCommonUtils::languageCode()
{
    return names().languageCode;
}

void QCommonUtils::setLanguageCode(const QString& code)
{
    names().languageCode = code;
}

void QCommonUtils::MyInstallMessageHandler()
{
    DebugLog::install();
}

void QCommonUtils::ResetDebugLogs(const QString& organisation, const QString& application)
{
    InitName(organisation, application);
    DebugLog::resetDaily(organisation, application);
}

} // namespace MyQtCustom

#include "common/qcommonutils.h"

#include "common/debuglog.h"
#include "common/settingkeys.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QStringView>
#include <QTextCodec>
#include <QUrl>
#include <QVector>

#include <mutex>

namespace MyQtCustom {

namespace {

struct ProcessNames
{
    QString organisation;
    QString application;
    QString version;
    QString languageCode;
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

bool desktopOpen(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

QCommonUtils::UrlOpener& urlOpener()
{
    static QCommonUtils::UrlOpener opener = desktopOpen;
    return opener;
}

long long fieldValue(const QString& field)
{
    bool ok = false;
    const long long v = field.toLongLong(&ok, 10);
    return ok ? v : 0;
}

// result = a * factor + add; false when that leaves the range of long long.
bool mulAdd(long long a, long long factor, long long add, long long& result)
{
    long long product = 0;
    return !__builtin_mul_overflow(a, factor, &product) && !__builtin_add_overflow(product, add, &result);
}

bool tagAt(const QString& text, int pos, const QString& tag)
{
    return QStringView(text).mid(pos, tag.size()) == QStringView(tag);
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
    // Outside text may carry any number of digits: a clock beyond the range
    // of the result is as unreadable as letters.
    long long us = 0;
    if (!mulAdd(hours, 60, minutes, us) || !mulAdd(us, 60, seconds, us) || !mulAdd(us, 1000, milliseconds, us)
        || !mulAdd(us, 1000, 0, us))
        return 0;
    return us;
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
    const bool untilNoneLeft = from == 0;
    const int n = text.size();
    if (from < 0)
        from = qMax(0, n + from); // as indexOf reads a negative start
    if (from >= n)
        return;

    // One scan. A segment runs from an open tag to the first character of the
    // next close tag with no other open tag in between; where both tags start
    // at one place the open tag counts. From the start of the text, removing
    // a segment may complete the one around it, so the open tags still
    // waiting are kept on a stack; from elsewhere only the segments complete
    // in the text as given go.
    QString out;
    out.reserve(n);
    out.append(QStringView(text).left(from));
    QVector<int> waiting;
    for (int p = from; p < n; ++p) {
        if (tagAt(text, p, open)) {
            if (!untilNoneLeft)
                waiting.clear();
            waiting.append(out.size());
            out.append(text.at(p));
        } else if (!waiting.isEmpty() && tagAt(text, p, close)) {
            out.truncate(waiting.takeLast());
            out.append(QLatin1Char(' '));
        } else {
            out.append(text.at(p));
        }
    }
    text = out;
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
    std::lock_guard<std::mutex> lock(runnerMutex());
    urlOpener() = opener ? std::move(opener) : UrlOpener(desktopOpen);
}

bool QCommonUtils::openUrl(const QUrl& url)
{
    UrlOpener opener;
    {
        std::lock_guard<std::mutex> lock(runnerMutex());
        opener = urlOpener();
    }
    return opener(url);
}

bool QCommonUtils::CheckCurrentProgramisRunning()
{
    return false;
}

void QCommonUtils::SetLocaleLangUTF8()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void QCommonUtils::CheckApplicationRunningPath(QCoreApplication& app)
{
    for (const QString& path : app.libraryPaths())
        app.removeLibraryPath(path);
    // Only folders that come with the installation: nothing above the
    // application folder, which may sit in a shared writable place like /tmp.
    // Each path goes in front, so the application folder is searched first.
    app.addLibraryPath(QLibraryInfo::location(QLibraryInfo::PluginsPath));
    app.addLibraryPath(QCoreApplication::applicationDirPath());
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

void QCommonUtils::setVersionText(const QString& version)
{
    names().version = version;
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

#include "common/debuglog.h"

#include "common/privatedir.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"

#include <QDate>
#include <QDebug>
#include <QFile>
#include <QSettings>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex& writeLock()
{
    static std::mutex m;
    return m;
}

thread_local bool t_inHandler = false;
std::atomic<bool> s_echo{true};

int openForAppend(const QByteArray& path)
{
    constexpr int flags = O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.constData(), flags, 0600);
    if (fd < 0 && errno == ELOOP) {
        // A link in place of the log: drop the link itself, never its target.
        ::unlink(path.constData());
        fd = ::open(path.constData(), flags | O_EXCL, 0600);
    }
    if (fd < 0)
        return -1;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_nlink != 1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void appendBytes(const QByteArray& path, const QByteArray& bytes)
{
    std::lock_guard<std::mutex> lock(writeLock());
    const int fd = openForAppend(path);
    if (fd < 0)
        return;
    const char* p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        p += n;
        left -= n;
    }
    ::close(fd);
}

void messageHandler(QtMsgType, const QMessageLogContext&, const QString& text)
{
    DebugLog::write(text);
}

} // namespace

void DebugLog::setEcho(bool on)
{
    s_echo.store(on);
}

void DebugLog::install()
{
    qInstallMessageHandler(messageHandler);
}

QString DebugLog::filePath()
{
    const QString folder = PrivateDir::appTempRoot(
        MyQtCustom::QCommonUtils::organisationName(), MyQtCustom::QCommonUtils::applicationName());
    return folder.isEmpty() ? QString() : folder + QLatin1String("/logs.log");
}

void DebugLog::write(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (t_inHandler) {
        // A message raised while logging (settings, file system) must not recurse.
        std::fprintf(stderr, "%s\n", utf8.constData());
        return;
    }
    t_inHandler = true;

    const QByteArray path = QFile::encodeName(filePath());
    if (!path.isEmpty()) {
        struct stat st = {};
        if (::lstat(path.constData(), &st) == 0 && st.st_size >= SizeLimit)
            ::unlink(path.constData());
    }

    if (s_echo.load()) {
        // One call per line keeps lines from different threads whole.
        const QByteArray line = utf8 + '\n';
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
        std::fflush(stdout);
    }

    if (!path.isEmpty())
        appendBytes(path, utf8 + "\r\n");
    t_inHandler = false;
}

void DebugLog::resetDaily(const QString& organisation, const QString& application)
{
    const QString format = QStringLiteral("MM-dd-yyyy");
    QSettings settings(organisation, application);
    const QDate stored = QDate::fromString(settings.value(SettingKeys::ResetDebugLogs).toString(), format);
    const QDate today = QDate::currentDate();
    if (stored != today) {
        settings.setValue(SettingKeys::ResetDebugLogs, today.toString(format));
        const QByteArray path = QFile::encodeName(filePath());
        if (!path.isEmpty())
            ::unlink(path.constData());
    }

    qDebug().noquote() << QStringLiteral("\n\n\n\n\n") + QString(93, QLatin1Char('-')) + QLatin1Char('\n');
    qDebug().noquote() << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ddd"));
    qDebug().noquote() << QString(45, QLatin1Char('-')) + QLatin1String("Logs start") + QString(45, QLatin1Char('-'))
            + QLatin1Char('\n');
}

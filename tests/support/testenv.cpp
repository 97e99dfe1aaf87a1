#include "testenv.h"

#include "common/qcommonutils.h"

#include <QDir>
#include <QMutex>

#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

[[noreturn]] void refuse(const char* why)
{
    std::fprintf(stderr, "refusing to run outside the isolated test folders: %s\n", why);
    std::exit(2);
}

QMutex g_openedMutex;
QList<QUrl> g_opened;

} // namespace

void TestEnv::guard()
{
    const QByteArray root = qgetenv("MORVAYNE_TEST_ROOT");
    if (root.isEmpty())
        refuse("MORVAYNE_TEST_ROOT is not set (run through ctest)");
    for (const char* var : {"HOME", "XDG_CONFIG_HOME", "TMPDIR"}) {
        if (!qgetenv(var).startsWith(root))
            refuse(var);
    }
    if (const passwd* pw = ::getpwuid(::getuid())) {
        if (qgetenv("HOME") == QByteArray(pw->pw_dir))
            refuse("HOME is the real home folder");
    }

    MyQtCustom::QCommonUtils::setCommandRunner([](const QString& program, const QStringList& arguments) {
        std::fprintf(
            stderr, "not run in a test: %s %s\n", qPrintable(program), qPrintable(arguments.join(QLatin1Char(' '))));
    });
    MyQtCustom::QCommonUtils::setUrlOpener([](const QUrl& url) {
        QMutexLocker lock(&g_openedMutex);
        g_opened.append(url);
        return true;
    });
}

QList<QUrl> TestEnv::openedUrls()
{
    QMutexLocker lock(&g_openedMutex);
    return g_opened;
}

void TestEnv::clearOpenedUrls()
{
    QMutexLocker lock(&g_openedMutex);
    g_opened.clear();
}

QString TestEnv::root()
{
    return QString::fromLocal8Bit(qgetenv("MORVAYNE_TEST_ROOT"));
}

QString TestEnv::appDir()
{
    return QStringLiteral(MORVAYNE_APP_DIR);
}

QString TestEnv::makeDir(const QString& name)
{
    const QString path = root() + QLatin1String("/work/") + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

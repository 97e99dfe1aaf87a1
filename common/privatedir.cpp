#include "common/privatedir.h"

#include "common/settingkeys.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool PrivateDir::ensure(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;

    // Opening without following links pins the folder we check to the folder
    // we were given; a planted link fails here.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st = {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & 077) != 0)
        ok = ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
}

QString PrivateDir::ensureChain(const QString& base, const QStringList& components)
{
    QString path = base;
    for (const QString& component : components) {
        if (component.isEmpty() || component.contains(QLatin1Char('/')) || component == QLatin1String("..")
            || component == QLatin1String("."))
            return QString();
        path += QLatin1Char('/') + component;
        if (!ensure(path))
            return QString();
    }
    return path;
}

QString PrivateDir::appTempRoot(const QString& organisation, const QString& application)
{
    if (organisation.isEmpty() || application.isEmpty())
        return QString();
    const QStringList components{organisation, application};

    const QString systemTemp = QDir::tempPath();
    if (QFileInfo(systemTemp).isDir()) {
        const QString root = ensureChain(systemTemp, components);
        if (!root.isEmpty())
            return root;
    }

    // Folders the user chose or owns: create what is missing on the way.
    const QString chosen = QSettings(organisation, application).value(SettingKeys::TempFolder).toString();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    for (const QString& base : {chosen, cache}) {
        if (base.isEmpty() || !QDir().mkpath(base))
            continue;
        const QString root = ensureChain(QDir::cleanPath(base), components);
        if (!root.isEmpty())
            return root;
    }
    return QString();
}

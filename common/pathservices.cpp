#include "common/pathservices.h"

#include "common/privatedir.h"
#include "common/settingkeys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>

QString g_appDirPath;

QString PathServices::getFFmpegPath()
{
    return g_appDirPath + QLatin1String("/ffmpeg");
}

QString PathServices::getFFprobePath()
{
    return g_appDirPath + QLatin1String("/ffprobe");
}

QString PathServices::getTempFolder()
{
    const QString root = PrivateDir::appTempRoot(SettingKeys::Organisation, SettingKeys::Application);
    if (root.isEmpty()) {
        // Nothing usable: callers still get a path of this user's own.
        return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
            + QLatin1String("/Quillfen/Morvayne/temp");
    }
    const QString folder = root + QLatin1String("/temp");
    PrivateDir::ensure(folder);
    return folder;
}

QString PathServices::getSettingFolder(const QString& key)
{
    const QString stored = QSettings(SettingKeys::Organisation, SettingKeys::Application).value(key).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;

    const QString home = QDir::homePath();
    QString folder;
    if (QFileInfo(home + QLatin1String("/Documents")).isDir()) {
        folder = home + QLatin1String("/Documents/");
    } else if (QFileInfo(home + QLatin1String("/My Documents")).isDir()) {
        folder = home + QLatin1String("/My Documents/");
    } else {
        QDir(home).mkdir(QStringLiteral("Documents"));
        folder = home + QLatin1String("/Documents/");
    }
    folder += QLatin1String("Quillfen");
    QDir().mkdir(folder);
    folder += QLatin1String("/Morvayne");
    QDir().mkdir(folder);
    return folder;
}

void PathServices::setSettingValue(const QString& key, const QString& text)
{
    QSettings(SettingKeys::Organisation, SettingKeys::Application).setValue(key, text);
}

QString PathServices::getMd5String(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

namespace {

// Every pattern is "*" and a suffix, so covering the whole path means
// ending with the suffix, folders and all.
bool matchesAny(const QString& path, const QStringList& patterns)
{
    const QString lower = path.toLower();
    for (const QString& pattern : patterns) {
        if (lower.endsWith(pattern.mid(1)))
            return true;
    }
    return false;
}

} // namespace

int PathServices::isVideoFile(const QString& path)
{
    static const QStringList patterns{QStringLiteral("*.3g2"), QStringLiteral("*.3gp"), QStringLiteral("*.asf"),
        QStringLiteral("*.avi"), QStringLiteral("*.dv"), QStringLiteral("*.flv"), QStringLiteral("*.m2ts"),
        QStringLiteral("*.m4v"), QStringLiteral("*.mkv"), QStringLiteral("*.mod"), QStringLiteral("*.mov"),
        QStringLiteral("*.mp4"), QStringLiteral("*.mpeg"), QStringLiteral("*.mpg"), QStringLiteral("*.mts"),
        QStringLiteral("*.ra"), QStringLiteral("*.rm"), QStringLiteral("*.rmvb"), QStringLiteral("*.td"),
        QStringLiteral("*.tod"), QStringLiteral("*.trp"), QStringLiteral("*.ts"), QStringLiteral("*.vob"),
        QStringLiteral("*.wmv"), QStringLiteral("*.webm")};
    return matchesAny(path, patterns) ? 1 : -1;
}

int PathServices::isAudioFile(const QString& path)
{
    static const QStringList patterns{QStringLiteral("*.aac"), QStringLiteral("*.ac3"), QStringLiteral("*.aiff"),
        QStringLiteral("*.amr"), QStringLiteral("*.ape"), QStringLiteral("*.flac"), QStringLiteral("*.iff"),
        QStringLiteral("*.m4a"), QStringLiteral("*.mka"), QStringLiteral("*.mp2"), QStringLiteral("*.mp3"),
        QStringLiteral("*.ogg"), QStringLiteral("*.ra"), QStringLiteral("*.wav"), QStringLiteral("*.wma")};
    return matchesAny(path, patterns) ? 1 : -1;
}

QString PathServices::anyCaseFilter(const QString& name, const QStringList& patterns)
{
    QStringList out;
    for (const QString& pattern : patterns) {
        QString any;
        for (const QChar c : pattern) {
            if (c.isLetter() && c.toLower() != c.toUpper())
                any += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
            else
                any += c;
        }
        if (!out.contains(any))
            out << any;
    }
    return name + QLatin1String(" (") + out.join(QLatin1Char(' ')) + QLatin1Char(')');
}

void PathServices::loadApplicationFonts(const QString& folder)
{
    int regularId = -1;
    for (const char* name : {"/font/Lato-Bold_0.ttf", "/font/Lato-Light_0.ttf", "/font/Lato-Regular_0.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(folder + QLatin1String(name));
        if (id >= 0 && QLatin1String(name) == QLatin1String("/font/Lato-Regular_0.ttf"))
            regularId = id;
    }
    if (regularId < 0)
        return;
    const QStringList families = QFontDatabase::applicationFontFamilies(regularId);
    if (families.isEmpty())
        return;
    QGuiApplication::setFont(QFont(families.first(), 10));
}

void PathServices::applyChineseFont(const QString& languageCode)
{
    // The Windows family first, then what Debian ships (fonts-noto-cjk,
    // fonts-wqy-microhei); Japanese prefers the Japanese glyph forms.
    if (languageCode == QLatin1String("JA")) {
        applyFontFamily({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Micro Hei")});
    } else {
        applyFontFamily({QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Micro Hei")});
    }
}

bool PathServices::applyFontFamily(const QStringList& candidates)
{
    const QStringList families = QFontDatabase().families(QFontDatabase::Any);
    for (const QString& wanted : candidates) {
        for (const QString& family : families) {
            if (family.compare(wanted, Qt::CaseInsensitive) == 0) {
                QGuiApplication::setFont(QFont(family));
                return true;
            }
        }
    }
    return false;
}

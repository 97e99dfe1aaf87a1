#include "common/pathservices.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSettings>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString home()
{
    return QDir::homePath();
}

mode_t modeOf(const QString& path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// Points the system temp folder elsewhere for one scope.
class TempDirOverride
{
public:
    explicit TempDirOverride(const QByteArray& value)
        : m_saved(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", value);
    }
    ~TempDirOverride() { qputenv("TMPDIR", m_saved); }

private:
    QByteArray m_saved;
};

} // namespace

class TestPathServices : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void toolPaths();
    void md5();
    void settingFolder();
    void settingFolderCreatesDocuments();
    void tempFolderIsPrivate();
    void tempFolderFallsBack();
    void tempFolderRefusesForeignFolders();
    void fonts();
};

void TestPathServices::init()
{
    QDir(home()).removeRecursively();
    QDir().mkpath(home());
    const QString org = QDir::tempPath() + QLatin1String("/Quillfen");
    if (QFileInfo(org).isSymLink())
        QFile::remove(org);
    QDir(org).removeRecursively();
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)).removeRecursively();
    QSettings(SettingKeys::Organisation, SettingKeys::Application).clear();
}

void TestPathServices::toolPaths()
{
    g_appDirPath = QStringLiteral("/opt/app");
    QCOMPARE(PathServices::getFFmpegPath(), QStringLiteral("/opt/app/ffmpeg"));
    QCOMPARE(PathServices::getFFprobePath(), QStringLiteral("/opt/app/ffprobe"));
}

void TestPathServices::md5()
{
    QCOMPARE(PathServices::getMd5String(QStringLiteral("abc")), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    QCOMPARE(PathServices::getMd5String(QString()), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    // UTF-8 bytes, and nothing after a NUL character.
    QCOMPARE(PathServices::getMd5String(QString::fromUtf8("\xc3\xa9")),
        QString::fromLatin1(QCryptographicHash::hash("\xc3\xa9", QCryptographicHash::Md5).toHex()));
    QCOMPARE(PathServices::getMd5String(QStringLiteral("abc") + QChar(0) + QStringLiteral("def")),
        PathServices::getMd5String(QStringLiteral("abc")));
}

void TestPathServices::settingFolder()
{
    const QString documents = home() + QLatin1String("/Documents");
    QVERIFY(QDir().mkpath(documents));
    const QString fallback = documents + QLatin1String("/Quillfen/Morvayne");

    // Nothing stored: the default folder, created on demand and not stored.
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::OutFolder), fallback);
    QVERIFY(QFileInfo(fallback).isDir());
    QVERIFY(!QSettings(SettingKeys::Organisation, SettingKeys::Application).contains(SettingKeys::OutFolder));

    // A remembered folder that exists is returned unchanged.
    const QString chosen = TestEnv::makeDir(QStringLiteral("chosen"));
    PathServices::setSettingValue(SettingKeys::AddVideoPath, chosen + QLatin1Char('/'));
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::AddVideoPath), chosen + QLatin1Char('/'));

    // Deleted since: the default folder, and the stored value stays.
    QVERIFY(QDir(chosen).removeRecursively());
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::AddVideoPath), fallback);
    QCOMPARE(QSettings(SettingKeys::Organisation, SettingKeys::Application).value(SettingKeys::AddVideoPath).toString(),
        chosen + QLatin1Char('/'));
}

void TestPathServices::settingFolderCreatesDocuments()
{
    // "My Documents" serves when there is no "Documents".
    QVERIFY(QDir().mkpath(home() + QLatin1String("/My Documents")));
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::OutFolder),
        home() + QLatin1String("/My Documents/Quillfen/Morvayne"));

    // Neither: "Documents" is made.
    QVERIFY(QDir(home() + QLatin1String("/My Documents")).removeRecursively());
    QCOMPARE(
        PathServices::getSettingFolder(SettingKeys::OutFolder), home() + QLatin1String("/Documents/Quillfen/Morvayne"));
    QVERIFY(QFileInfo(home() + QLatin1String("/Documents/Quillfen/Morvayne")).isDir());
}

void TestPathServices::tempFolderIsPrivate()
{
    const QString expected = QDir::tempPath() + QLatin1String("/Quillfen/Morvayne/temp");
    QCOMPARE(PathServices::getTempFolder(), expected);
    for (const QString& path : QStringList{QDir::tempPath() + QLatin1String("/Quillfen"),
             QDir::tempPath() + QLatin1String("/Quillfen/Morvayne"), expected}) {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(modeOf(path), mode_t(0700));
    }

    // An own folder left open by someone is closed again.
    QVERIFY(::chmod(QFile::encodeName(expected).constData(), 0777) == 0);
    QCOMPARE(PathServices::getTempFolder(), expected);
    QCOMPARE(modeOf(expected), mode_t(0700));
}

void TestPathServices::tempFolderFallsBack()
{
    // A system temp folder that is a plain file cannot hold folders.
    const QString blocker = TestEnv::makeDir(QStringLiteral("blocked")) + QLatin1String("/not-a-folder");
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    TempDirOverride tmp(QFile::encodeName(blocker));

    // Without a "TempFolder" setting, a folder in the user's cache.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QCOMPARE(PathServices::getTempFolder(), cache + QLatin1String("/Quillfen/Morvayne/temp"));

    // With it, the folder it names.
    const QString chosen = TestEnv::makeDir(QStringLiteral("chosen-temp"));
    PathServices::setSettingValue(SettingKeys::TempFolder, chosen);
    QCOMPARE(PathServices::getTempFolder(), chosen + QLatin1String("/Quillfen/Morvayne/temp"));
    QVERIFY(QFileInfo(chosen + QLatin1String("/Quillfen/Morvayne/temp")).isDir());
}

void TestPathServices::tempFolderRefusesForeignFolders()
{
    const QString chosen = TestEnv::makeDir(QStringLiteral("chosen-temp"));
    PathServices::setSettingValue(SettingKeys::TempFolder, chosen);
    const QString fallback = chosen + QLatin1String("/Quillfen/Morvayne/temp");

    // A link planted where the application folder belongs is not followed.
    const QString elsewhere = TestEnv::makeDir(QStringLiteral("elsewhere"));
    const QString org = QDir::tempPath() + QLatin1String("/Quillfen");
    QVERIFY(QFile::link(elsewhere, org));
    QCOMPARE(PathServices::getTempFolder(), fallback);
    QVERIFY(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QVERIFY(QFile::remove(org));

    // The same one level down.
    QVERIFY(QDir().mkpath(org));
    QVERIFY(QFile::link(elsewhere, org + QLatin1String("/Morvayne")));
    QCOMPARE(PathServices::getTempFolder(), fallback);
    QVERIFY(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QVERIFY(QDir(org).removeRecursively());

    // A folder that belongs to another user.
    if (::geteuid() != 0)
        QSKIP("changing a folder's owner needs root");
    QVERIFY(QDir().mkpath(org + QLatin1String("/Morvayne/temp")));
    QVERIFY(::chown(QFile::encodeName(org + QLatin1String("/Morvayne")).constData(), 65534, 65534) == 0);
    QCOMPARE(PathServices::getTempFolder(), fallback);
}

void TestPathServices::fonts()
{
    const QFont before = QGuiApplication::font();
    PathServices::loadApplicationFonts(TestEnv::root() + QLatin1String("/no-such-folder"));
    QCOMPARE(QGuiApplication::font(), before);

    PathServices::loadApplicationFonts(TestEnv::appDir());
    QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Lato"));
    QCOMPARE(QGuiApplication::font().pointSize(), 10);
    QVERIFY(QFontDatabase().families().contains(QStringLiteral("Lato")));

    // No such family on this machine: the application font stays.
    if (!QFontDatabase().families().contains(QStringLiteral("Microsoft YaHei"), Qt::CaseInsensitive)) {
        PathServices::applyChineseFont();
        QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Lato"));
    }
}

MORVAYNE_TEST_GUI_MAIN(TestPathServices)
#include "tst_pathservices.moc"

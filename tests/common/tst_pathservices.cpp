#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSettings>

#include <sys/stat.h>
#include <unistd.h>

using MyQtCustom::QCommonUtils;

namespace {

QString home()
{
    return QDir::homePath();
}

QString cacheRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1String("/Quillfen/Morvayne");
}

mode_t modeOf(const QString& path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

bool isEmptyDir(const QString& path)
{
    return QDir(path).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).isEmpty();
}

} // namespace

class TestPathServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void toolPathsAndMd5();
    void settingFolder();
    void tempFolderIsPrivate();
    void foreignFoldersAreNotUsed_data();
    void foreignFoldersAreNotUsed();
    void fonts();

private:
    QByteArray m_tmpdir;
};

void TestPathServices::initTestCase()
{
    m_tmpdir = qgetenv("TMPDIR");
    QCommonUtils::InitName(SettingKeys::Organisation, SettingKeys::Application);
    qInstallMessageHandler(nullptr);
    QCommonUtils::MyInstallMessageHandler();
}

void TestPathServices::init()
{
    qputenv("TMPDIR", m_tmpdir);
    for (const QString& dir : QStringList{home(), QDir::tempPath() + QLatin1String("/Quillfen"), cacheRoot()}) {
        if (QFileInfo(dir).isSymLink())
            QFile::remove(dir);
        QDir(dir).removeRecursively();
    }
    QDir().mkpath(home());
    QSettings(SettingKeys::Organisation, SettingKeys::Application).clear();
}

void TestPathServices::toolPathsAndMd5()
{
    g_appDirPath = QStringLiteral("/opt/app");
    QCOMPARE(PathServices::getFFmpegPath(), QStringLiteral("/opt/app/ffmpeg"));
    QCOMPARE(PathServices::getFFprobePath(), QStringLiteral("/opt/app/ffprobe"));
    QCOMPARE(PathServices::getMd5String(QStringLiteral("abc")), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    // UTF-8 bytes, and nothing after a NUL character.
    QCOMPARE(PathServices::getMd5String(QString::fromUtf8("\xc3\xa9")),
        QString::fromLatin1(QCryptographicHash::hash("\xc3\xa9", QCryptographicHash::Md5).toHex()));
    QCOMPARE(PathServices::getMd5String(QStringLiteral("abc") + QChar(0) + QStringLiteral("def")),
        PathServices::getMd5String(QStringLiteral("abc")));
}

void TestPathServices::settingFolder()
{
    // A home without "Documents" gets one; "My Documents" serves when it is the only one.
    const QString fallback = home() + QLatin1String("/Documents/Quillfen/Morvayne");
    QVERIFY(QDir().mkpath(home() + QLatin1String("/My Documents")));
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::OutFolder),
        home() + QLatin1String("/My Documents/Quillfen/Morvayne"));
    QVERIFY(QDir(home() + QLatin1String("/My Documents")).removeRecursively());
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::OutFolder), fallback);
    QVERIFY(QFileInfo(fallback).isDir());
    QVERIFY(!QSettings(SettingKeys::Organisation, SettingKeys::Application).contains(SettingKeys::OutFolder));

    // A remembered folder is used while it exists; once deleted, the default
    // is returned and the stored value stays.
    const QString chosen = TestEnv::makeDir(QStringLiteral("chosen")) + QLatin1Char('/');
    PathServices::setSettingValue(SettingKeys::AddVideoPath, chosen);
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::AddVideoPath), chosen);
    QVERIFY(QDir(chosen).removeRecursively());
    QCOMPARE(PathServices::getSettingFolder(SettingKeys::AddVideoPath), fallback);
    QCOMPARE(QSettings(SettingKeys::Organisation, SettingKeys::Application).value(SettingKeys::AddVideoPath),
        QVariant(chosen));
}

void TestPathServices::tempFolderIsPrivate()
{
    const QString root = QDir::tempPath() + QLatin1String("/Quillfen");
    QCOMPARE(PathServices::getTempFolder(), root + QLatin1String("/Morvayne/temp"));
    qDebug("into the log");
    QVERIFY(QFile::exists(root + QLatin1String("/Morvayne/logs.log")));
    for (const char* sub : {"", "/Morvayne", "/Morvayne/temp"})
        QCOMPARE(modeOf(root + QLatin1String(sub)), mode_t(0700));

    // An own folder left open is closed again.
    QVERIFY(::chmod(QFile::encodeName(root).constData(), 0777) == 0);
    PathServices::getTempFolder();
    QCOMPARE(modeOf(root), mode_t(0700));
}

void TestPathServices::foreignFoldersAreNotUsed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("withSetting");
    QTest::newRow("system temp is a file, no setting") << QStringLiteral("file") << false;
    QTest::newRow("system temp is a file, setting") << QStringLiteral("file") << true;
    QTest::newRow("link at the organisation folder") << QStringLiteral("link org") << false;
    QTest::newRow("link at the application folder") << QStringLiteral("link app") << true;
    QTest::newRow("folder of another user") << QStringLiteral("owner") << true;
}

// Temp folder and log share one private root; whatever is wrong with the
// system temp folder, both move to the "TempFolder" setting or the user's cache.
void TestPathServices::foreignFoldersAreNotUsed()
{
    QFETCH(QString, kind);
    QFETCH(bool, withSetting);
    const QString org = QDir::tempPath() + QLatin1String("/Quillfen");
    const QString elsewhere = TestEnv::makeDir(QStringLiteral("elsewhere"));
    const QString chosen = TestEnv::makeDir(QStringLiteral("chosen-temp"));
    if (withSetting)
        PathServices::setSettingValue(SettingKeys::TempFolder, chosen);

    if (kind == QLatin1String("file")) {
        const QString blocker = elsewhere + QLatin1String("/not-a-folder");
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        qputenv("TMPDIR", QFile::encodeName(blocker));
    } else if (kind == QLatin1String("link org")) {
        QVERIFY(QFile::link(elsewhere, org));
    } else if (kind == QLatin1String("link app")) {
        QVERIFY(QDir().mkpath(org) && QFile::link(elsewhere, org + QLatin1String("/Morvayne")));
    } else {
        if (::geteuid() != 0)
            QSKIP("changing a folder's owner needs root");
        QVERIFY(QDir().mkpath(org + QLatin1String("/Morvayne/temp")));
        QVERIFY(::chown(QFile::encodeName(org + QLatin1String("/Morvayne")).constData(), 65534, 65534) == 0);
    }

    const QString root = withSetting ? chosen + QLatin1String("/Quillfen/Morvayne") : cacheRoot();
    QCOMPARE(PathServices::getTempFolder(), root + QLatin1String("/temp"));
    qDebug("not into a foreign folder");
    QCOMPARE(QFileInfo(root + QLatin1String("/logs.log")).size(), qint64(sizeof("not into a foreign folder\r\n") - 1));
    if (kind != QLatin1String("file"))
        QVERIFY(isEmptyDir(elsewhere));
    QCOMPARE(modeOf(root), mode_t(0700));
}

void TestPathServices::fonts()
{
    const QFont before = QGuiApplication::font();
    PathServices::loadApplicationFonts(TestEnv::root() + QLatin1String("/no-such-folder"));
    QCOMPARE(QGuiApplication::font(), before);

    PathServices::loadApplicationFonts(TestEnv::appDir());
    QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Lato"));
    QCOMPARE(QGuiApplication::font().pointSize(), 10);

    // No such family on this machine: the application font stays.
    QVERIFY(!PathServices::applyFontFamily({QStringLiteral("No Such Family"), QStringLiteral("Nor This")}));
    QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Lato"));

    // Japanese takes the Japanese forms of the CJK font the set-up installs.
    PathServices::applyChineseFont(QStringLiteral("JA"));
    QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Noto Sans CJK JP"));
}

MORVAYNE_TEST_GUI_MAIN(TestPathServices)
#include "tst_pathservices.moc"

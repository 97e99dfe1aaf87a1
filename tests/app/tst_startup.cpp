#include "morvaynetest.h"

#include <QDir>
#include <QLibraryInfo>
#include <QProcess>

// The real program from the build's application folder: everything it needs
// lies beside it, and it starts up to its event loop with the log header written.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void applicationFolder();
    void startsAndLogs();
    void pluginPathsStayInTheApplicationFolder();
};

void TestStartup::applicationFolder()
{
    const QDir app(TestEnv::appDir());
    for (const char* name : {"Morvayne", "ffmpeg", "ffprobe"})
        QVERIFY2(QFileInfo(app.filePath(QLatin1String(name))).isExecutable(), name);
    for (const char* name : {"font/Lato-Bold_0.ttf", "font/Lato-Light_0.ttf", "font/Lato-Regular_0.ttf",
             "font/fonts.conf", "Lang/Lang_config", "Lang/Lang_EN.qm", "Lang/Lang_ZH.qm"})
        QVERIFY2(QFileInfo(app.filePath(QLatin1String(name))).isFile(), name);
    QVERIFY(!QDir(app.filePath(QStringLiteral("plugins"))).isEmpty());

    QProcess ffmpeg;
    ffmpeg.start(app.filePath(QStringLiteral("ffmpeg")), {QStringLiteral("-version")});
    QVERIFY(ffmpeg.waitForFinished(10000) && ffmpeg.readAllStandardOutput().startsWith("ffmpeg version"));
}

void TestStartup::startsAndLogs()
{
    QProcess program;
    program.start(QDir(TestEnv::appDir()).filePath(QStringLiteral("Morvayne")), QStringList());
    QVERIFY(program.waitForStarted(10000));
    const auto log = [] {
        QFile f(QDir::tempPath() + QLatin1String("/Quillfen/Morvayne/logs.log"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(log().contains("Logs start"), 15000);
    QTest::qWait(500);
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(QFileInfo(QDir::homePath() + QLatin1String("/Documents/Quillfen/Morvayne")).isDir());
    program.kill();
    QVERIFY(program.waitForFinished(5000));
}

// A build in <shared>/x/bin: the folders above the application folder belong
// to whoever can write there, so no plug-in may come from them, even when
// they hold the folders another platform's bundles use.
void TestStartup::pluginPathsStayInTheApplicationFolder()
{
    const QString shared = TestEnv::makeDir(QStringLiteral("shared"));
    const QString appDir = shared + QLatin1String("/x/bin");
    for (const char* planted : {"/plugins/platforms", "/PlugIns/platforms", "/../Frameworks/platforms"})
        QVERIFY(QDir().mkpath(shared + QLatin1String(planted)));
    QVERIFY(QDir().mkpath(appDir));
    const QString probe = appDir + QLatin1String("/probe");
    QVERIFY(QFile::copy(QStringLiteral(PLUGIN_PATH_PROBE), probe));

    QProcess run;
    run.start(probe, QStringList());
    QVERIFY(run.waitForFinished(20000));
    QCOMPARE(run.exitCode(), 0);
    const QStringList paths
        = QString::fromLocal8Bit(run.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected
        = {QDir(appDir).canonicalPath(), QDir(QLibraryInfo::location(QLibraryInfo::PluginsPath)).canonicalPath()};
    QCOMPARE(paths, expected);
}

MORVAYNE_TEST_CORE_MAIN(TestStartup)
#include "tst_startup.moc"

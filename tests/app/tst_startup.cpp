#include "morvaynetest.h"

#include <QDir>
#include <QProcess>

// The real program from the build's application folder: everything it needs
// lies beside it, and it starts up to its event loop with the log header written.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void applicationFolder();
    void startsAndLogs();
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

MORVAYNE_TEST_CORE_MAIN(TestStartup)
#include "tst_startup.moc"

#include "morvaynetest.h"

#include <QDir>
#include <QFile>
#include <QProcess>

// Starts the real program from the build's application folder and checks
// that it comes up: log header written, window shown, no early exit.
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
    QVERIFY(QFileInfo(app.filePath(QStringLiteral("plugins"))).isDir());
    QVERIFY(!QDir(app.filePath(QStringLiteral("plugins")))
                 .entryList({QStringLiteral("*.so")}, QDir::Files, QDir::NoSort)
                 .isEmpty()
        || !QDir(app.filePath(QStringLiteral("plugins"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    // ffmpeg beside the program is a working ffmpeg.
    QProcess p;
    p.start(app.filePath(QStringLiteral("ffmpeg")), {QStringLiteral("-version")});
    QVERIFY(p.waitForFinished(10000));
    QVERIFY(p.readAllStandardOutput().startsWith("ffmpeg version"));
}

void TestStartup::startsAndLogs()
{
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QDir(TestEnv::appDir()).filePath(QStringLiteral("Morvayne")), QStringList());
    QVERIFY(program.waitForStarted(10000));

    const QString log = QDir::tempPath() + QLatin1String("/Quillfen/Morvayne/logs.log");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(log), 15000);
    QFile f(log);
    QTRY_VERIFY_WITH_TIMEOUT(
        (f.open(QIODevice::ReadOnly) && f.readAll().contains("Logs start")) || (f.close(), false), 15000);
    // Still running: start-up went through to the event loop.
    QTest::qWait(500);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
    QVERIFY(QFileInfo(QDir::homePath() + QLatin1String("/Documents/Quillfen/Morvayne")).isDir());
}

MORVAYNE_TEST_CORE_MAIN(TestStartup)
#include "tst_startup.moc"

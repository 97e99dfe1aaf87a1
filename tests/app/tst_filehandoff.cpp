#include "app/filehandoff.h"
#include "app/singleinstance.h"
#include "app/vcmanagerwidget.h"
#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QApplication>
#include <QProcess>
#include <QSettings>

// Files reaching the running window from outside: a second start of the real
// program hands them over and they join the list as if chosen in "Open File".
class TestFileHandoff : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void secondStartAddsToRunningWindow_data();
    void secondStartAddsToRunningWindow();
    void lockedPageKeepsFilesUntilUnlocked();

private:
    QString m_media;
    QString m_clip;
    QString m_tone;
};

namespace {

QStringList sources(VideoListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->jobCount(); ++i)
        out << list->jobAt(i)->m_sourcePath;
    return out;
}

// Starts the real program from `dir` and waits in the event loop, so that
// the instance in this test can answer it. Its exit code, or -1.
int secondStart(const QString& dir, const QStringList& args)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QDir(TestEnv::appDir()).filePath(QStringLiteral("Morvayne")), args);
    if (!p.waitForStarted(10000))
        return -1;
    QSignalSpy done(&p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    if (!done.wait(60000)) {
        p.kill();
        p.waitForFinished(5000);
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

void TestFileHandoff::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_media = TestEnv::makeDir(QStringLiteral("media"));
    m_clip = MediaFactory::videoWithTone(m_media + QStringLiteral("/clip one.mp4"), 2, QStringLiteral("160x120"));
    m_tone = MediaFactory::tone(m_media + QStringLiteral("/tone.wav"), 2);
    QVERIFY(!m_clip.isEmpty());
    QVERIFY(!m_tone.isEmpty());
    QFile notes(m_media + QStringLiteral("/notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
}

void TestFileHandoff::init()
{
    QSettings(SettingKeys::Organisation, SettingKeys::Application).clear();
    g_appDirPath = TestEnv::appDir();
}

void TestFileHandoff::secondStartAddsToRunningWindow_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("listed"); // names in the media folder
    QTest::newRow("a clip, by a relative path") << QStringList{QStringLiteral("clip one.mp4")}
                                                << QStringList{QStringLiteral("clip one.mp4")};
    QTest::newRow("a sound and a text file: only media are added")
        << QStringList{QStringLiteral("notes.txt"), QStringLiteral("tone.wav")} << QStringList{QStringLiteral("tone.wav")};
    QTest::newRow("no files: the window only comes to the front") << QStringList() << QStringList();
}

void TestFileHandoff::secondStartAddsToRunningWindow()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, listed);

    VCManagerWidget window;
    SingleInstance instance;
    QCOMPARE(instance.claim({}), SingleInstance::Primary);
    FileHandoff handoff(&window, &instance);
    window.show();
    window.showMinimized();
    VideoConverterWidget* page = window.converterPage();
    QSignalSpy probed(page, &VideoConverterWidget::probingFinished);

    QCOMPARE(secondStart(m_media, args), 0);
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());
    if (!listed.isEmpty())
        QVERIFY(probed.count() > 0 || probed.wait(60000));
    QStringList expected;
    for (const QString& name : listed)
        expected << m_media + QLatin1Char('/') + name;
    QCOMPARE(sources(page->videoList()), expected);
}

// "Open File" cannot be reached while conversions run; handed-over files
// wait, stay out of the running batch, and join the list once it has ended.
void TestFileHandoff::lockedPageKeepsFilesUntilUnlocked()
{
    VCManagerWidget window;
    FileHandoff handoff(&window);
    window.show();
    VideoConverterWidget* page = window.converterPage();
    VideoListWidget* list = page->videoList();

    QSignalSpy probed(page, &VideoConverterWidget::probingFinished);
    handoff.addFiles({m_clip});
    QVERIFY(probed.wait(60000));
    QCOMPARE(sources(list), QStringList{m_clip});

    page->convertAllButton_slots();
    QVERIFY(page->isLocked());
    handoff.addFiles({m_tone});
    QCOMPARE(handoff.waitingFiles(), QStringList{m_tone});
    QVERIFY(!page->isProbing());
    QCOMPARE(list->jobCount(), 1);

    probed.clear();
    QTRY_VERIFY_WITH_TIMEOUT(!page->isLocked(), 120000);
    QVERIFY(probed.count() > 0 || probed.wait(60000));
    QCOMPARE(sources(list), QStringList({m_clip, m_tone}));
    QCOMPARE(list->jobAt(0)->m_nState, int(VideoItemData::Completed));
    QCOMPARE(list->jobAt(1)->m_nState, int(VideoItemData::Ready));
    QVERIFY(handoff.waitingFiles().isEmpty());
}

MORVAYNE_TEST_MAIN(TestFileHandoff)
#include "tst_filehandoff.moc"

#include "app/singleinstance.h"
#include "morvaynetest.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A second start of the real program hands its files to the instance that
// runs, here one in this test with a stand-in receiver, and ends.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondStartHandsOver_data();
    void secondStartHandsOver();
    void staleSocketDoesNotBlock();
    void silentInstanceFailsTheStart();
    void strangeRequestsAreDropped_data();
    void strangeRequestsAreDropped();

private:
    struct Start
    {
        int code = -1;
        QString errors;
    };
    Start secondStart(const QStringList& args, int timeoutMs = 60000);
    QString m_dir;
};

namespace {

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromUtf8(item);
    return out;
}

} // namespace

void TestSingleInstance::initTestCase()
{
    m_dir = TestEnv::makeDir(QStringLiteral("instance"));
    QVERIFY(SingleInstance::defaultServerName().startsWith(TestEnv::root()));
}

TestSingleInstance::Start TestSingleInstance::secondStart(const QStringList& args, int timeoutMs)
{
    QProcess p;
    p.setWorkingDirectory(m_dir);
    p.start(QDir(TestEnv::appDir()).filePath(QStringLiteral("Morvayne")), args);
    Start s;
    if (!p.waitForStarted(10000))
        return s;
    QSignalSpy done(&p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    // Waiting in the event loop lets the instance of this test answer.
    if (!done.wait(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return s;
    }
    s.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.errors = QString::fromLocal8Bit(p.readAllStandardError());
    return s;
}

void TestSingleInstance::secondStartHandsOver_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("received"); // "@" stands for the working folder
    QTest::newRow("a file, relative") << list({"clip.mp4"}) << list({"@/clip.mp4"});
    QTest::newRow("blanks and a file URL")
        << list({"My Clip.MOV", "file:///media/Song%20One.mp3"}) << list({"@/My Clip.MOV", "/media/Song One.mp3"});
    QTest::newRow("no files: the window comes to front") << QStringList() << QStringList();
}

void TestSingleInstance::secondStartHandsOver()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, received);
    received.replaceInStrings(QStringLiteral("@"), m_dir);

    SingleInstance running;
    QCOMPARE(running.claim({}), SingleInstance::Primary);
    QVERIFY(running.isListening());
    QSignalSpy spy(&running, &SingleInstance::filesReceived);

    const Start s = secondStart(args);
    QVERIFY2(s.code == 0, qPrintable(s.errors));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), received);
}

// An instance that crashed left its socket behind: the next start runs.
void TestSingleInstance::staleSocketDoesNotBlock()
{
    const QByteArray path = QFile::encodeName(SingleInstance::defaultServerName());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(QFile::decodeName(path)));

    SingleInstance running;
    QCOMPARE(running.claim({}), SingleInstance::Primary);
    QVERIFY(running.isListening());
    QSignalSpy spy(&running, &SingleInstance::filesReceived);
    const Start s = secondStart(list({"clip.mp4"}));
    QVERIFY2(s.code == 0, qPrintable(s.errors));
    QCOMPARE(spy.count(), 1);
}

// Something listens but never takes the files: the start says so and fails
// rather than opening a second window.
void TestSingleInstance::silentInstanceFailsTheStart()
{
    QLocalServer silent;
    QVERIFY(silent.listen(SingleInstance::defaultServerName()));
    const Start s = secondStart(list({"clip.mp4"}));
    QCOMPARE(s.code, 1);
    QVERIFY2(s.errors.contains(QLatin1String("does not answer")), qPrintable(s.errors));
}

void TestSingleInstance::strangeRequestsAreDropped_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("not ours") << QByteArray("GET / HTTP/1.0\r\n\r\n");
    QByteArray huge;
    QDataStream out(&huge, QIODevice::WriteOnly);
    out << quint32(0x4d525931) << quint32(0xffffffff) << QStringLiteral("a");
    QTest::newRow("a count far beyond what is sent") << huge;
}

// A peer on the socket that is not a start of ours gets nothing done and
// costs the running window nothing.
void TestSingleInstance::strangeRequestsAreDropped()
{
    QFETCH(QByteArray, request);
    SingleInstance running;
    QCOMPARE(running.claim({}), SingleInstance::Primary);
    QSignalSpy spy(&running, &SingleInstance::filesReceived);

    QLocalSocket peer;
    peer.connectToServer(SingleInstance::defaultServerName());
    QVERIFY(peer.waitForConnected(5000));
    peer.write(request);
    peer.flush();
    QTRY_COMPARE_WITH_TIMEOUT(peer.state(), QLocalSocket::UnconnectedState, 15000);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(peer.readAll(), QByteArray());
}

MORVAYNE_TEST_GUI_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

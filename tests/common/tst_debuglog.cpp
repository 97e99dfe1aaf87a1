#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"

#include <QDir>
#include <QSettings>
#include <QThread>

using MyQtCustom::QCommonUtils;

namespace {

const QByteArray kHeaderStart = QByteArray("\n\n\n\n\n") + QByteArray(93, '-') + "\n\r\n";
const QByteArray kHeaderEnd = QByteArray(45, '-') + "Logs start" + QByteArray(45, '-') + "\n\r\n";

QString logFile()
{
    return QDir::tempPath() + QLatin1String("/Quillfen/Morvayne/logs.log");
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

void startWithResetDate(const QString& stored)
{
    QSettings(SettingKeys::Organisation, SettingKeys::Application).setValue(SettingKeys::ResetDebugLogs, stored);
    QCommonUtils::ResetDebugLogs(SettingKeys::Organisation, SettingKeys::Application);
}

} // namespace

class TestDebugLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void dailyReset();
    void sizeLimit_data();
    void sizeLimit();
    void concurrentWritersKeepLinesWhole();
    void plantedLinkIsNeverWrittenThrough();
};

void TestDebugLog::initTestCase()
{
    QCommonUtils::InitName(SettingKeys::Organisation, SettingKeys::Application);
    qInstallMessageHandler(nullptr);
    QCommonUtils::MyInstallMessageHandler();
}

void TestDebugLog::init()
{
    QDir(QDir::tempPath() + QLatin1String("/Quillfen")).removeRecursively();
    QSettings(SettingKeys::Organisation, SettingKeys::Application).clear();
}

void TestDebugLog::dailyReset()
{
    const QString format = QStringLiteral("MM-dd-yyyy");
    qDebug("a message from an earlier day");

    // The first start of a day begins a fresh file with the header.
    startWithResetDate(QDate::currentDate().addDays(-1).toString(format));
    QByteArray content = readAll(logFile());
    QVERIFY(content.startsWith(kHeaderStart) && content.endsWith(kHeaderEnd));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\S+\\r\\n"))
                .match(QString::fromUtf8(content.mid(kHeaderStart.size())))
                .hasMatch());
    QCOMPARE(QSettings(SettingKeys::Organisation, SettingKeys::Application).value(SettingKeys::ResetDebugLogs),
        QVariant(QDate::currentDate().toString(format)));
    QCOMPARE(QFileInfo(logFile()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
        QFileDevice::Permissions());

    // A second start on the same day appends.
    qDebug("between two starts");
    QCommonUtils::ResetDebugLogs(SettingKeys::Organisation, SettingKeys::Application);
    content = readAll(logFile());
    QCOMPARE(content.count(kHeaderEnd), 2);
    QVERIFY(content.contains("between two starts\r\n"));

    // A date stored in another form cannot be read: reset.
    startWithResetDate(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QCOMPARE(readAll(logFile()).count(kHeaderEnd), 1);
}

void TestDebugLog::sizeLimit_data()
{
    QTest::addColumn<qint64>("existing");
    QTest::newRow("exactly 10 MiB is replaced") << qint64(10485760);
    QTest::newRow("one byte less is appended to") << qint64(10485759);
}

void TestDebugLog::sizeLimit()
{
    QFETCH(qint64, existing);
    qDebug("create the folder");
    writeFile(logFile(), QByteArray(static_cast<int>(existing), 'x'));
    qDebug("next message");
    const QByteArray expected = existing == 10485760 ? QByteArray("next message\r\n")
                                                     : QByteArray(static_cast<int>(existing), 'x') + "next message\r\n";
    QVERIFY(readAll(logFile()) == expected);
}

void TestDebugLog::concurrentWritersKeepLinesWhole()
{
    constexpr int threads = 8;
    constexpr int perThread = 400;
    const QByteArray padding(200, '.');
    QList<QThread*> workers;
    for (int t = 0; t < threads; ++t) {
        workers.append(QThread::create([t, &padding] {
            for (int i = 0; i < perThread; ++i)
                qDebug("thread %d message %d %s", t, i, padding.constData());
        }));
        workers.last()->start();
    }
    for (QThread* w : workers) {
        QVERIFY(w->wait(60000));
        delete w;
    }

    QSet<QByteArray> seen;
    for (const QByteArray& line : readAll(logFile()).split('\n')) {
        if (line.isEmpty())
            continue;
        QVERIFY2(line.startsWith("thread ") && line.endsWith(padding + '\r'), line.constData());
        seen.insert(line);
    }
    QCOMPARE(seen.size(), threads * perThread);
}

void TestDebugLog::plantedLinkIsNeverWrittenThrough()
{
    qDebug("create the folder");
    const QString victim = TestEnv::makeDir(QStringLiteral("victim")) + QLatin1String("/precious.txt");
    writeFile(victim, "precious\n");

    // Neither a message nor the daily reset goes through a link in place of the log.
    for (int round = 0; round < 2; ++round) {
        QFile::remove(logFile());
        QVERIFY(QFile::link(victim, logFile()));
        if (round == 0)
            qDebug("after the link was planted");
        else
            startWithResetDate(QString());
        QCOMPARE(readAll(victim), QByteArray("precious\n"));
        QVERIFY(!QFileInfo(logFile()).isSymLink());
        QVERIFY(readAll(logFile()).endsWith(round == 0 ? QByteArray("after the link was planted\r\n") : kHeaderEnd));
    }
}

MORVAYNE_TEST_CORE_MAIN(TestDebugLog)
#include "tst_debuglog.moc"

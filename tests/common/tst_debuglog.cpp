#include "common/debuglog.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

using MyQtCustom::QCommonUtils;

namespace {

const QString kOrg = QStringLiteral("Quillfen");
const QString kApp = QStringLiteral("Morvayne");

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

QString logFolder()
{
    return QDir::tempPath() + QLatin1String("/Quillfen/Morvayne");
}

QString logFile()
{
    return logFolder() + QLatin1String("/logs.log");
}

void storeResetDate(const QString& text)
{
    QSettings(kOrg, kApp).setValue(SettingKeys::ResetDebugLogs, text);
}

const QByteArray kHeaderStart = QByteArray("\n\n\n\n\n") + QByteArray(93, '-') + "\n\r\n";
const QByteArray kHeaderEnd = QByteArray(45, '-') + "Logs start" + QByteArray(45, '-') + "\n\r\n";

} // namespace

class TestDebugLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void dailyReset();
    void sizeLimit_data();
    void sizeLimit();
    void concurrentWritersKeepLinesWhole();
    void plantedLinkIsNeverWrittenThrough();
    void foreignFoldersAreNotUsed();

private:
    QtMessageHandler m_previous = nullptr;
};

void TestDebugLog::initTestCase()
{
    QCommonUtils::InitName(kOrg, kApp);
    m_previous = qInstallMessageHandler(nullptr);
    QCommonUtils::MyInstallMessageHandler();
}

void TestDebugLog::cleanupTestCase()
{
    qInstallMessageHandler(m_previous);
}

void TestDebugLog::init()
{
    const QString org = QDir::tempPath() + QLatin1String("/Quillfen");
    if (QFileInfo(org).isSymLink())
        QFile::remove(org);
    QDir(org).removeRecursively();
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)).removeRecursively();
    QSettings(kOrg, kApp).clear();
}

void TestDebugLog::dailyReset()
{
    const QString today = QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
    qDebug("a message from an earlier day");
    QVERIFY(QFile::exists(logFile()));

    // First start of the day: the old file goes, the header starts a new one.
    storeResetDate(QDate::currentDate().addDays(-1).toString(QStringLiteral("MM-dd-yyyy")));
    QCommonUtils::ResetDebugLogs(kOrg, kApp);
    QByteArray content = readAll(logFile());
    QVERIFY2(content.startsWith(kHeaderStart), content.constData());
    QVERIFY(content.endsWith(kHeaderEnd));
    QVERIFY(!content.contains("earlier day"));
    const QList<QByteArray> lines = content.mid(kHeaderStart.size()).split('\n');
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\S+\\r$"))
                .match(QString::fromUtf8(lines.at(0)))
                .hasMatch());
    QCOMPARE(QSettings(kOrg, kApp).value(SettingKeys::ResetDebugLogs).toString(), today);
    QCOMPARE(QFileInfo(logFile()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
        QFileDevice::Permissions());

    // Second start on the same day: appended.
    qDebug("between two starts");
    QCommonUtils::ResetDebugLogs(kOrg, kApp);
    content = readAll(logFile());
    QCOMPARE(content.count(kHeaderEnd), 2);
    QVERIFY(content.contains("between two starts\r\n"));

    // A date stored in another form cannot be read and resets the log.
    storeResetDate(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QCommonUtils::ResetDebugLogs(kOrg, kApp);
    content = readAll(logFile());
    QCOMPARE(content.count(kHeaderEnd), 1);
    QCOMPARE(QSettings(kOrg, kApp).value(SettingKeys::ResetDebugLogs).toString(), today);
}

void TestDebugLog::sizeLimit_data()
{
    QTest::addColumn<qint64>("existing");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("exactly 10 MiB is replaced") << DebugLog::SizeLimit << true;
    QTest::newRow("one byte less is appended to") << DebugLog::SizeLimit - 1 << false;
}

void TestDebugLog::sizeLimit()
{
    QFETCH(qint64, existing);
    QFETCH(bool, replaced);
    qDebug("create the folder");
    writeFile(logFile(), QByteArray(static_cast<int>(existing), 'x'));
    qDebug("next message");
    if (replaced) {
        QCOMPARE(readAll(logFile()), QByteArray("next message\r\n"));
    } else {
        QCOMPARE(QFileInfo(logFile()).size(), existing + qint64(sizeof("next message\r\n") - 1));
        QVERIFY(readAll(logFile()).endsWith("xnext message\r\n"));
    }
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
    }
    for (QThread* w : workers)
        w->start();
    for (QThread* w : workers) {
        QVERIFY(w->wait(60000));
        delete w;
    }

    const QList<QByteArray> lines = readAll(logFile()).split('\n');
    QSet<QByteArray> seen;
    for (const QByteArray& line : lines) {
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
    QFile::remove(logFile());
    QVERIFY(QFile::link(victim, logFile()));

    qDebug("after the link was planted");
    QCOMPARE(readAll(victim), QByteArray("precious\n"));
    QVERIFY(!QFileInfo(logFile()).isSymLink());
    QCOMPARE(readAll(logFile()), QByteArray("after the link was planted\r\n"));

    // The daily reset removes a planted link, never the file it points to.
    QFile::remove(logFile());
    QVERIFY(QFile::link(victim, logFile()));
    storeResetDate(QString());
    QCommonUtils::ResetDebugLogs(kOrg, kApp);
    QCOMPARE(readAll(victim), QByteArray("precious\n"));
    QVERIFY(readAll(logFile()).endsWith(kHeaderEnd));
}

void TestDebugLog::foreignFoldersAreNotUsed()
{
    const QString cacheLog = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QLatin1String("/Quillfen/Morvayne/logs.log");

    // Someone linked the organisation folder to a folder of their choice.
    const QString elsewhere = TestEnv::makeDir(QStringLiteral("elsewhere"));
    QVERIFY(QFile::link(elsewhere, QDir::tempPath() + QLatin1String("/Quillfen")));
    qDebug("not into the linked folder");
    QVERIFY(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QCOMPARE(readAll(cacheLog), QByteArray("not into the linked folder\r\n"));
    QFile::remove(QDir::tempPath() + QLatin1String("/Quillfen"));

    // A folder of another user.
    if (::geteuid() != 0)
        QSKIP("changing a folder's owner needs root");
    QVERIFY(QDir().mkpath(logFolder()));
    QVERIFY(::chown(QFile::encodeName(QDir::tempPath() + QLatin1String("/Quillfen")).constData(), 65534, 65534) == 0);
    qDebug("not into the foreign folder");
    QVERIFY(!QFile::exists(logFile()));
    QVERIFY(readAll(cacheLog).endsWith("not into the foreign folder\r\n"));
}

MORVAYNE_TEST_CORE_MAIN(TestDebugLog)
#include "tst_debuglog.moc"

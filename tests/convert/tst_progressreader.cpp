#include "convert/progressreader.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"

namespace {

const qint64 Second = 1000000;

} // namespace

class TestProgressReader : public QObject
{
    Q_OBJECT

private slots:
    void readTime_data();
    void readTime();
    void progressTotal_data();
    void progressTotal();
    void advance_data();
    void advance();
    void trimmedRunStaysBelowTheEnd();
    void errorPhrases_data();
    void errorPhrases();
};

void TestProgressReader::readTime_data()
{
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<qlonglong>("us");
    QTest::newRow("progress line") << QStringLiteral(
        "frame=  250 fps=0.0 q=-1.0 size=  1024kB time=00:00:10.00 bitrate= 838.9kbits/s speed=20x")
                                   << 10 * Second;
    QTest::newRow("hundredths read as milliseconds") << QStringLiteral("time=00:00:05.50") << 5050000LL;
    QTest::newRow("blanks around =") << QStringLiteral("size=1kB time = 00:01:02.25 bitrate=") << 62025000LL;
    QTest::newRow("comma") << QStringLiteral("time=00:00:03,500") << 3500000LL;
    QTest::newRow("whole seconds") << QStringLiteral("time=01:00:00 ") << 3600 * Second;
    QTest::newRow("first of two") << QStringLiteral("time=00:00:01.00 bitrate=1\rframe=2 time=00:00:02.00") << Second;
    QTest::newRow("N/A") << QStringLiteral("size=N/A time=N/A bitrate=N/A") << 0LL;
    QTest::newRow("negative") << QStringLiteral("time=-00:00:00.04") << 0LL;
    QTest::newRow("zero") << QStringLiteral("time=00:00:00.00") << 0LL;
    QTest::newRow("short clock") << QStringLiteral("time=0:0:5") << 0LL;
}

void TestProgressReader::readTime()
{
    QFETCH(QString, chunk);
    QFETCH(qlonglong, us);
    QCOMPARE(ProgressReader::readTime(chunk), us);
}

void TestProgressReader::progressTotal_data()
{
    QTest::addColumn<qlonglong>("duration");
    QTest::addColumn<qlonglong>("trimStart");
    QTest::addColumn<qlonglong>("trimEnd");
    QTest::addColumn<qlonglong>("total");
    QTest::newRow("whole file") << 100 * Second << 0LL << 0LL << 100 * Second;
    QTest::newRow("trimmed, 3 s allowance") << 100 * Second << 10 * Second << 40 * Second << 33 * Second;
    QTest::newRow("trim covering the file") << 100 * Second << 0LL << 100 * Second << 100 * Second;
    QTest::newRow("unknown duration") << 0LL << 10 * Second << 40 * Second << 0LL;
}

void TestProgressReader::progressTotal()
{
    QFETCH(qlonglong, duration);
    QFETCH(qlonglong, trimStart);
    QFETCH(qlonglong, trimEnd);
    QFETCH(qlonglong, total);
    MediaInfo m;
    m.duration = duration;
    m.trimStart = trimStart;
    m.trimEnd = trimEnd;
    QCOMPARE(ProgressReader::progressTotal(m), total);
}

void TestProgressReader::advance_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<qlonglong>("total");
    QTest::addColumn<int>("progress");
    QTest::newRow("trimmed example: 30 s of 10-40 s") << 0 << QStringLiteral("time=00:00:30.00") << 33 * Second << 9090;
    // The product is taken in single precision: 5e10 becomes 49999998976.
    QTest::newRow("half, single precision") << 0 << QStringLiteral("time=00:00:05.00") << 10 * Second << 4999;
    QTest::newRow("never decreases") << 7000 << QStringLiteral("time=00:00:05.00") << 10 * Second << 7000;
    QTest::newRow("capped below the end") << 0 << QStringLiteral("time=00:00:10.00") << 10 * Second << 9999;
    QTest::newRow("beyond the end") << 0 << QStringLiteral("time=00:00:12.00") << 10 * Second << 9999;
    QTest::newRow("no clock") << 1234 << QStringLiteral("Press [q] to stop") << 10 * Second << 1234;
    QTest::newRow("no total") << 0 << QStringLiteral("time=00:00:05.00") << 0LL << 0;
    QTest::newRow("truncated, not rounded") << 0 << QStringLiteral("time=00:00:01.00") << 3 * Second << 3333;
}

void TestProgressReader::advance()
{
    QFETCH(int, current);
    QFETCH(QString, chunk);
    QFETCH(qlonglong, total);
    QFETCH(int, progress);
    QCOMPARE(ProgressReader::advance(current, chunk, total), progress);
}

// A trimmed run shows no more than about 91 % until the job has ended.
void TestProgressReader::trimmedRunStaysBelowTheEnd()
{
    MediaInfo m;
    m.duration = 100 * Second;
    m.trimStart = 10 * Second;
    m.trimEnd = 40 * Second;
    const qint64 total = ProgressReader::progressTotal(m);
    int p = 0;
    for (int s = 0; s <= 30; ++s) {
        const int next
            = ProgressReader::advance(p, QStringLiteral("time=00:00:%1.00").arg(s, 2, 10, QLatin1Char('0')), total);
        QVERIFY(next >= p);
        p = next;
    }
    QCOMPARE(p, 9090);
}

void TestProgressReader::errorPhrases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("error");
    QTest::newRow("mid chunk") << QStringLiteral("[aac @ 0x1] Too many bits\nConversion failed!\n") << true;
    QTest::newRow("chunk start") << QStringLiteral("Conversion failed!\n") << true;
    QTest::newRow("video encoding") << QStringLiteral("Video encoding failed") << true;
    QTest::newRow("decoder") << QStringLiteral("x Error while opening decoder for input stream #0:0") << true;
    QTest::newRow("output stream") << QStringLiteral("Error initializing output stream 0:2 -- ") << true;
    QTest::newRow("other case") << QStringLiteral("conversion failed") << false;
    QTest::newRow("progress") << QStringLiteral("frame=1 time=00:00:01.00") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestProgressReader::errorPhrases()
{
    QFETCH(QString, text);
    QFETCH(bool, error);
    QCOMPARE(ProgressReader::containsErrorPhrase(text), error);
}

MORVAYNE_TEST_APPLESS_MAIN(TestProgressReader)
#include "tst_progressreader.moc"

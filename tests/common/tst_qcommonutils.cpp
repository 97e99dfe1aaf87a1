#include "common/qcommonutils.h"
#include "morvaynetest.h"

#include <QSettings>

using MyQtCustom::QCommonUtils;

class TestQCommonUtils : public QObject
{
    Q_OBJECT

private slots:
    void timeToString_data();
    void timeToString();
    void stringToTime_data();
    void stringToTime();
    void fileSizeString_data();
    void fileSizeString();
    void trimSubStr();
    void removeSubStr_data();
    void removeSubStr();
    void removeSubStrDeepNesting();
    void powerActionsGoThroughTheRunner();
    void languageCode();
};

void TestQCommonUtils::timeToString_data()
{
    QTest::addColumn<qlonglong>("us");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0LL << QStringLiteral("00:00:00");
    QTest::newRow("1h2m3s") << 3723000000LL << QStringLiteral("01:02:03");
    QTest::newRow("fraction dropped") << 70900000LL << QStringLiteral("00:01:10");
    QTest::newRow("hours wrap at 60") << 61LL * 3600 * 1000000 << QStringLiteral("01:00:00");
    QTest::newRow("negative second") << -1000000LL << QStringLiteral("00:00:-1");
}

void TestQCommonUtils::timeToString()
{
    QFETCH(qlonglong, us);
    QFETCH(QString, text);
    QCOMPARE(QCommonUtils::TimetoString(us), text);
}

void TestQCommonUtils::stringToTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("us");
    // The digits after the separator are read as whole milliseconds.
    QTest::newRow("blanks around, dot") << QStringLiteral("  00:01:02.50 ") << 62050000LL;
    QTest::newRow("comma milliseconds") << QStringLiteral("00:00:01,500") << 1500000LL;
    QTest::newRow("one digit after dot") << QStringLiteral("00:00:01.5") << 1005000LL;
    QTest::newRow("minutes and seconds") << QStringLiteral("02:03") << 123000000LL;
    QTest::newRow("blanks inside") << QStringLiteral("01 : 00 : 00") << 3600000000LL;
    QTest::newRow("one field") << QStringLiteral("5") << 0LL;
    QTest::newRow("four fields") << QStringLiteral("1:2:3:4") << 0LL;
    QTest::newRow("letters") << QStringLiteral("a:b:c") << 0LL;
    QTest::newRow("two commas") << QStringLiteral("00:00:01,5,6") << 0LL;
    QTest::newRow("two dots") << QStringLiteral("00:00:01.5.6") << 0LL;
    // Beyond about 2.56 billion hours no count of microseconds can hold it.
    QTest::newRow("largest that fits") << QStringLiteral("2562047788:0:54.775") << 9223372036854775000LL;
    QTest::newRow("one millisecond more") << QStringLiteral("2562047788:0:54.776") << 0LL;
    QTest::newRow("ten-digit hours") << QStringLiteral("8888888888:5:5") << 0LL;
    QTest::newRow("nineteen-digit seconds") << QStringLiteral("0:0:9223372036854775807") << 0LL;
    QTest::newRow("nineteen-digit milliseconds") << QStringLiteral("0:0:0.9223372036854775807") << 0LL;
    QTest::newRow("below the most negative") << QStringLiteral("-2562047789:0:0") << 0LL;
}

void TestQCommonUtils::stringToTime()
{
    QFETCH(QString, text);
    QFETCH(qlonglong, us);
    QCOMPARE(QCommonUtils::StringToTime(text), us);
}

void TestQCommonUtils::fileSizeString_data()
{
    QTest::addColumn<qlonglong>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("1023") << 1023LL << QStringLiteral("1023 bytes");
    QTest::newRow("1024") << 1024LL << QStringLiteral("1.00 KB");
    QTest::newRow("1 MiB") << 1048576LL << QStringLiteral("1.00 M");
    QTest::newRow("1 MiB - 1") << 1048575LL << QStringLiteral("1024.00 KB");
    QTest::newRow("1 GiB") << 1073741824LL << QStringLiteral("1.00 G");
    QTest::newRow("1.5 GiB") << 1610612736LL << QStringLiteral("1.50 G");
}

void TestQCommonUtils::fileSizeString()
{
    QFETCH(qlonglong, bytes);
    QFETCH(QString, text);
    QCOMPARE(QCommonUtils::GetFileSizeString(bytes), text);
}

void TestQCommonUtils::trimSubStr()
{
    int pos = -7;
    QCOMPARE(QCommonUtils::TrimSubStr(
                 QStringLiteral("bitrate: 128 kb/s"), QStringLiteral("bitrate:"), QStringLiteral("kb/s"), 0, &pos),
        QStringLiteral("128"));
    QCOMPARE(pos, 13);

    // Missing open or close: empty, and the position is left alone.
    pos = 5;
    QVERIFY(QCommonUtils::TrimSubStr(
        QStringLiteral("bitrate: 128"), QStringLiteral("bitrate:"), QStringLiteral("kb/s"), 0, &pos)
                .isEmpty());
    QCOMPARE(pos, 5);
    QVERIFY(
        QCommonUtils::TrimSubStr(QStringLiteral("a, b"), QStringLiteral("x"), QStringLiteral(","), 0, &pos).isEmpty());
    QCOMPARE(pos, 5);

    // A null position pointer is allowed.
    QCOMPARE(QCommonUtils::TrimSubStr(QStringLiteral("[x]"), QStringLiteral("["), QStringLiteral("]"), 0, nullptr),
        QStringLiteral("x"));
}

void TestQCommonUtils::removeSubStr_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nested") << QStringLiteral("a (b (c) d) e") << QStringLiteral("(") << QStringLiteral(")") << 0
                            << QStringLiteral("a   e");
    QTest::newRow("unclosed") << QStringLiteral("a (b c") << QStringLiteral("(") << QStringLiteral(")") << 0
                              << QStringLiteral("a (b c");
    QTest::newRow("from skips earlier") << QStringLiteral("(a) (b)") << QStringLiteral("(") << QStringLiteral(")") << 1
                                        << QStringLiteral("(a)  ");
    QTest::newRow("deeply nested") << QStringLiteral("x((((y))))z") << QStringLiteral("(") << QStringLiteral(")") << 0
                                   << QStringLiteral("x z");
    QTest::newRow("side by side, one left open")
        << QStringLiteral("(a)(b) (c") << QStringLiteral("(") << QStringLiteral(")") << 0 << QStringLiteral("   (c");
    QTest::newRow("open left outside a pair")
        << QStringLiteral("[a [b] c") << QStringLiteral("[") << QStringLiteral("]") << 0 << QStringLiteral("[a   c");
    QTest::newRow("stray close") << QStringLiteral("a) (b)") << QStringLiteral("(") << QStringLiteral(")") << 0
                                 << QStringLiteral("a)  ");
    // From elsewhere only segments complete in the text as given go.
    QTest::newRow("from inside, one pass")
        << QStringLiteral("(a) ((b))") << QStringLiteral("(") << QStringLiteral(")") << 1 << QStringLiteral("(a) ( )");
    // Where a close begins with the open tag, the open tag counts.
    QTest::newRow("close tag that opens")
        << QStringLiteral("a (() b") << QStringLiteral("(") << QStringLiteral("()") << 0 << QStringLiteral("a (() b");
    QTest::newRow("longer close tag keeps its rest")
        << QStringLiteral("x <a/> y") << QStringLiteral("<") << QStringLiteral("/>") << 0 << QStringLiteral("x  > y");
}

void TestQCommonUtils::removeSubStr()
{
    QFETCH(QString, text);
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(int, from);
    QFETCH(QString, expected);
    QCommonUtils::RemoveSubStr(text, open, close, from);
    QCOMPARE(text, expected);
}

void TestQCommonUtils::removeSubStrDeepNesting()
{
    // Ten thousand levels once took a quarter of a minute; this is eight
    // times that in steps, so anything slower than a scan shows.
    const int depth = 20000;
    QString text = QStringLiteral("a ") + QString(depth, QLatin1Char('(')) + QStringLiteral("x")
        + QString(depth, QLatin1Char(')')) + QStringLiteral(" b");
    QElapsedTimer clock;
    clock.start();
    QCommonUtils::RemoveSubStr(text, QStringLiteral("("), QStringLiteral(")"), 0);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(text, QStringLiteral("a   b"));
}

void TestQCommonUtils::powerActionsGoThroughTheRunner()
{
    // A runner of this test's own records the commands; the real one never runs.
    QList<QStringList> commands;
    QCommonUtils::setCommandRunner(
        [&commands](const QString& program, const QStringList& args) { commands << (QStringList{program} + args); });
    QCommonUtils::shutdownComputer();
    QCommonUtils::restartComputer();
    QCommonUtils::setCommandRunner([](const QString&, const QStringList&) {});
    QCOMPARE(commands.size(), 2);
    QCOMPARE(commands.at(0), (QStringList{QStringLiteral("shutdown"), QStringLiteral("-h"), QStringLiteral("now")}));
    QCOMPARE(commands.at(1), (QStringList{QStringLiteral("shutdown"), QStringLiteral("-r"), QStringLiteral("now")}));
}

void TestQCommonUtils::languageCode()
{
    QCommonUtils::InitName(QStringLiteral("Quillfen"), QStringLiteral("Morvayne"));
    QSettings settings(QStringLiteral("Quillfen"), QStringLiteral("Morvayne"));

    // A stored code wins over the system language.
    settings.setValue(QStringLiteral("Lang"), QStringLiteral("FR"));
    settings.sync();
    QCOMPARE(QCommonUtils::autoCheckSystemLanguage(), QStringLiteral("FR"));
    QCOMPARE(QCommonUtils::languageCode(), QStringLiteral("FR"));
}

MORVAYNE_TEST_APPLESS_MAIN(TestQCommonUtils)
#include "tst_qcommonutils.moc"

#include "morvaynetest.h"
#include "probe/mediainfo.h"

class TestMediaInfo : public QObject
{
    Q_OBJECT

private slots:
    void isTrimmed_data();
    void isTrimmed();
    void isCropped_data();
    void isCropped();
};

void TestMediaInfo::isTrimmed_data()
{
    QTest::addColumn<qlonglong>("duration");
    QTest::addColumn<qlonglong>("start");
    QTest::addColumn<qlonglong>("end");
    QTest::addColumn<bool>("trimmed");
    const qlonglong d = 60000000;
    QTest::newRow("not set") << d << 0LL << 0LL << false;
    QTest::newRow("whole file") << d << 0LL << d << false;
    QTest::newRow("one second off the end") << d << 0LL << d - 1000000 << true;
    QTest::newRow("shifted, full length") << d << 1000000LL << d + 1000000 << false;
    QTest::newRow("reversed range") << d << 9000000LL << 5000000LL << false;
    QTest::newRow("unknown duration") << 0LL << 0LL << 5000000LL << false;
}

void TestMediaInfo::isTrimmed()
{
    QFETCH(qlonglong, duration);
    QFETCH(qlonglong, start);
    QFETCH(qlonglong, end);
    QFETCH(bool, trimmed);
    MediaInfo info;
    info.duration = duration;
    info.trimStart = start;
    info.trimEnd = end;
    QCOMPARE(info.isTrimmed(), trimmed);
}

void TestMediaInfo::isCropped_data()
{
    QTest::addColumn<QRect>("crop");
    QTest::addColumn<bool>("cropped");
    // The picture is 640 x 480.
    QTest::newRow("nothing set") << QRect(0, 0, 0, 0) << false;
    QTest::newRow("full picture") << QRect(0, 0, 640, 480) << false;
    QTest::newRow("full size, moved right") << QRect(2, 0, 640, 480) << true;
    QTest::newRow("moved down only") << QRect(0, 2, 0, 0) << true;
    QTest::newRow("lower") << QRect(0, 0, 640, 240) << true;
    QTest::newRow("negative size") << QRect(0, 0, -5, -5) << false;
}

void TestMediaInfo::isCropped()
{
    QFETCH(QRect, crop);
    QFETCH(bool, cropped);
    MediaInfo info;
    info.width = 640;
    info.height = 480;
    info.cropX = crop.x();
    info.cropY = crop.y();
    info.cropWidth = crop.width();
    info.cropHeight = crop.height();
    QCOMPARE(info.isCropped(), cropped);
}

MORVAYNE_TEST_APPLESS_MAIN(TestMediaInfo)
#include "tst_mediainfo.moc"

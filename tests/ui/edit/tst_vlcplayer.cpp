#include "mediafactory.h"
#include "morvaynetest.h"
#include "ui/edit/vlcplayer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMutex>
#include <QThread>

#include <atomic>

namespace {

// What libvlc's video thread handed over, copied inside the call.
struct Frames
{
    QMutex mutex;
    QImage last;
    std::atomic<int> count{0};
    std::atomic<int> badSize{0};
    int expectW = 0;
    int expectH = 0;

    void reset(int w, int h)
    {
        QMutexLocker lock(&mutex);
        last = QImage();
        count = 0;
        badSize = 0;
        expectW = w;
        expectH = h;
    }
    QImage image()
    {
        QMutexLocker lock(&mutex);
        return last;
    }
};

void collect(void* context, const unsigned char* frame, int width, int height)
{
    auto* f = static_cast<Frames*>(context);
    QMutexLocker lock(&f->mutex);
    if (width != f->expectW || height != f->expectH)
        ++f->badSize;
    // Rows of exactly width x 4 bytes: copied as one block and read back by rows.
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        memcpy(image.scanLine(y), frame + static_cast<size_t>(y) * width * 4, static_cast<size_t>(width) * 4);
    f->last = image;
    ++f->count;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24;
}

QString colourText(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xffffff, 6, 16, QLatin1Char('0'));
}

} // namespace

class TestVLCPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void framesArriveAtTheAskedSize_data();
    void framesArriveAtTheAskedSize();
    void sizeTakesEffectOnlyAtStartAndNoFrameFollowsStop();
    void endSignalComesOnceFromLibvlcsThread();
    void startAndStopReturnPromptly();
    void pluginPathOnlyWhenNotLibvlcsOwn();

private:
    bool startAndWait(const QString& path, int w, int h, int frames = 3);

    VLCPlayer* m_player = nullptr;
    Frames m_frames;
    QString m_quad;
    QString m_phone;
    QString m_short;
    QElapsedTimer m_clock;
};

void TestVLCPlayer::initTestCase()
{
    m_clock.start();
    const QString dir = TestEnv::makeDir(QStringLiteral("player"));
    // Four quadrants: red, lime / blue, white.
    const QString quad = QStringLiteral(
        "color=red:size=160x120:rate=25:duration=%1[a];color=lime:size=160x120:rate=25:duration=%1[b];"
        "color=blue:size=160x120:rate=25:duration=%1[c];color=white:size=160x120:rate=25:duration=%1[d];"
        "[a][b]hstack[t];[c][d]hstack[u];[t][u]vstack");
    m_quad = MediaFactory::make(dir + QStringLiteral("/quad.mp4"),
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), quad.arg(4), QStringLiteral("-pix_fmt"),
            QStringLiteral("yuv420p")});
    QVERIFY(!m_quad.isEmpty());
    m_short = MediaFactory::make(dir + QStringLiteral("/short.mp4"),
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), quad.arg(1.5), QStringLiteral("-pix_fmt"),
            QStringLiteral("yuv420p")});
    QVERIFY(!m_short.isEmpty());
    // A phone's clip: stored lying on its side, shown turned a quarter.
    m_phone = MediaFactory::make(dir + QStringLiteral("/phone.mp4"),
        {QStringLiteral("-i"), m_quad, QStringLiteral("-c"), QStringLiteral("copy"), QStringLiteral("-metadata:s:v:0"),
            QStringLiteral("rotate=90")});
    QVERIFY(!m_phone.isEmpty());

    m_player = VLCPlayer::instance();
    QCOMPARE(VLCPlayer::instance(), m_player);
    m_player->setAudioEnabled(false);
}

void TestVLCPlayer::cleanup()
{
    m_player->stop();
    qInfo("elapsed %lld ms", m_clock.elapsed());
}

bool TestVLCPlayer::startAndWait(const QString& path, int w, int h, int frames)
{
    m_frames.reset(w, h);
    m_player->setVideoCallback(collect, &m_frames, w, h);
    m_player->setMediaPath(path);
    m_player->start();
    QElapsedTimer t;
    t.start();
    while (m_frames.count < frames && t.elapsed() < 20000)
        QTest::qWait(10);
    return m_frames.count >= frames;
}

void TestVLCPlayer::framesArriveAtTheAskedSize_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    // Expected colours at the middle of each quadrant: top left, top right,
    // bottom left, bottom right; none for a picture too small to have quadrants.
    QTest::addColumn<QList<QRgb>>("quadrants");
    const QList<QRgb> upright{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    QTest::newRow("760x428") << QStringLiteral("quad") << 760 << 428 << upright;
    QTest::newRow("759x427, odd rows") << QStringLiteral("quad") << 759 << 427 << upright;
    QTest::newRow("1x1") << QStringLiteral("quad") << 1 << 1 << QList<QRgb>();
    // Turned a quarter clockwise for showing: the left column comes to the top.
    QTest::newRow("phone clip arrives upright")
        << QStringLiteral("phone") << 240 << 320
        << QList<QRgb>{qRgb(0, 255, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255)};
}

void TestVLCPlayer::framesArriveAtTheAskedSize()
{
    QFETCH(QString, clip);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QList<QRgb>, quadrants);
    QVERIFY(startAndWait(clip == QLatin1String("phone") ? m_phone : m_quad, w, h, 5));
    QCOMPARE(m_frames.badSize.load(), 0);
    QCOMPARE(m_player->frameWidth(), w);
    QCOMPARE(m_player->frameHeight(), h);
    QVERIFY2(m_player->frameGuardIntact(), "libvlc wrote past the end of the frame");
    const QImage image = m_frames.image();
    QCOMPARE(image.size(), QSize(w, h));
    const QPoint at[] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int i = 0; i < quadrants.size(); ++i) {
        const QRgb seen = image.pixel(at[i]);
        QVERIFY2(near(seen, quadrants.at(i)),
            qPrintable(QStringLiteral("quadrant %1: %2, expected %3")
                           .arg(i)
                           .arg(colourText(seen), colourText(quadrants.at(i)))));
    }
}

void TestVLCPlayer::sizeTakesEffectOnlyAtStartAndNoFrameFollowsStop()
{
    QVERIFY(startAndWait(m_quad, 320, 240));
    // The running decoder keeps its buffer: frames still come at the old size.
    Frames other;
    other.reset(640, 480);
    m_player->setVideoCallback(collect, &other, 640, 480);
    const int before = m_frames.count;
    QTRY_VERIFY_WITH_TIMEOUT(m_frames.count > before + 3, 10000);
    QCOMPARE(m_frames.badSize.load(), 0);
    QCOMPARE(other.count.load(), 0);
    QCOMPARE(m_player->frameWidth(), 320);

    m_player->start();
    QTRY_VERIFY_WITH_TIMEOUT(other.count > 2, 20000);
    QVERIFY(m_player->currentContext() == &other);
    QVERIFY(m_player->frameGuardIntact());
    // `other` lives on this stack frame: no frame may reach it after stop().
    m_player->stop();
    const int stopped = other.count;
    QTest::qWait(300);
    QCOMPARE(other.count.load(), stopped);
    QCOMPARE(other.badSize.load(), 0);
    QVERIFY(m_player->currentContext() == nullptr);
}

void TestVLCPlayer::endSignalComesOnceFromLibvlcsThread()
{
    QThread* emittedOn = nullptr;
    QThread* handledOn = nullptr;
    int handled = 0;
    QObject context;
    connect(m_player, &VLCPlayer::playend_signal, &context, [&] { emittedOn = QThread::currentThread(); },
        Qt::DirectConnection);
    connect(m_player, &VLCPlayer::playend_signal, &context,
        [&] {
            handledOn = QThread::currentThread();
            ++handled;
        },
        Qt::QueuedConnection);

    QVERIFY(startAndWait(m_short, 64, 48, 1));
    QVERIFY(!m_player->isEndReached());
    QTRY_COMPARE_WITH_TIMEOUT(handled, 1, 20000);
    QVERIFY(m_player->isEndReached());
    QTest::qWait(500);
    QCOMPARE(handled, 1);
    QVERIFY(emittedOn != nullptr && emittedOn != QThread::currentThread());
    QCOMPARE(handledOn, QThread::currentThread());
    // The player stays loaded until stopped; then no end is current.
    QVERIFY(m_player->hasPlayer());
    m_player->stop();
    QVERIFY(!m_player->isEndReached());
}

void TestVLCPlayer::startAndStopReturnPromptly()
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 20; ++i) {
        m_frames.reset(96, 64);
        m_player->setVideoCallback(collect, &m_frames, 96, 64);
        m_player->setMediaPath(m_quad);
        m_player->start();
        if (i % 2)
            QTest::qWait(5);
        m_player->stop();
        QVERIFY(!m_player->hasPlayer());
    }
    qInfo("20 start/stop cycles: %lld ms", t.elapsed());
    QVERIFY2(t.elapsed() < 15000, "start/stop cycles are slow");

    // Nothing to play: no player, and everything is a no-op with its default.
    const struct
    {
        const char* name;
        QString path;
        int w;
        int h;
    } idle[] = {{"empty path", QString(), 64, 48}, {"0x0", m_quad, 0, 0}, {"0 high", m_quad, 64, 0}};
    for (const auto& row : idle) {
        t.restart();
        m_player->setVideoCallback(collect, &m_frames, row.w, row.h);
        m_player->setMediaPath(row.path);
        m_player->start();
        m_player->setTime(5999999);
        m_player->pause();
        m_player->setVolume(10);
        QVERIFY2(!m_player->hasPlayer() && !m_player->currentContext(), row.name);
        QVERIFY2(m_player->getLength() == 0 && m_player->getTime() == 0 && m_player->getVolume() == 80, row.name);
        m_player->stop();
        QVERIFY2(t.elapsed() < 3000, row.name);
    }
}

void TestVLCPlayer::pluginPathOnlyWhenNotLibvlcsOwn()
{
    const QByteArray before = qgetenv("VLC_PLUGIN_PATH");
    const QString own = TestEnv::makeDir(QStringLiteral("linked"));
    QVERIFY(QFile::link(VLCPlayer::libvlcPluginFolder(), own + QStringLiteral("/plugins")));
    const QString copied = TestEnv::makeDir(QStringLiteral("bundled"));
    QVERIFY(QDir().mkpath(copied + QStringLiteral("/plugins")));
    const QString bare = TestEnv::makeDir(QStringLiteral("bare"));

    const struct
    {
        const char* name;
        QString appDir;
        bool set;
    } rows[] = {{"the build's folder links libvlc's own", TestEnv::appDir(), false},
        {"a link to libvlc's own", own, false}, {"a folder of its own", copied, true}, {"no plug-in folder", bare, false}};
    for (const auto& row : rows) {
        qunsetenv("VLC_PLUGIN_PATH");
        QVERIFY2(VLCPlayer::preparePluginPath(row.appDir) == row.set, row.name);
        const QString value = QString::fromUtf8(qgetenv("VLC_PLUGIN_PATH"));
        QVERIFY2(value == (row.set ? row.appDir + QStringLiteral("/plugins") : QString()), row.name);
    }
    if (before.isNull())
        qunsetenv("VLC_PLUGIN_PATH");
    else
        qputenv("VLC_PLUGIN_PATH", before);
}

MORVAYNE_TEST_MAIN(TestVLCPlayer)
#include "tst_vlcplayer.moc"

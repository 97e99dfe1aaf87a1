#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QDragEnterEvent>
#include <QMimeData>

namespace {

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

// Files and folders dropped on the page, sent as the real drag-and-drop events.
class TestDropFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void dropped_data();
    void dropped();
    void pictures();

private:
    // Enter, move and drop (or leave) at the centre; what the page made of each.
    QString drag(VideoConverterWidget& page, const QMimeData& mime, bool drop);
    QStringList listed(VideoConverterWidget& page);

    RuntimeChoices m_choices;
    QString m_folder;
    QString m_tone;
};

void TestDropFiles::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_choices.makeCurrent();
    m_choices.m_autoAddSrt = true;
    g_appDirPath = TestEnv::appDir();
    VideoConverterWidget::setWarner([](const QString&, const QString& text, const QString&) {
        QFAIL(qPrintable(text));
    });
    // A folder as a camera or a download leaves it: media in any case of
    // suffix, other files, and a folder of older clips that stays out.
    m_folder = TestEnv::makeDir(str("drop/Holiday"));
    const QString clip = MediaFactory::videoWithTone(m_folder + str("/a-beach.mp4"), 1, str("160x120"));
    QVERIFY(!clip.isEmpty());
    QVERIFY(QFile::copy(clip, m_folder + str("/B-harbour.MOV")));
    QVERIFY(QFile::copy(clip, m_folder + str("/c-castle.mkv")));
    QDir().mkpath(m_folder + str("/older"));
    QVERIFY(QFile::copy(clip, m_folder + str("/older/a-old.mp4")));
    QFile notes(m_folder + str("/notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not a clip\n") > 0);
    notes.close();
    m_tone = MediaFactory::tone(TestEnv::makeDir(str("drop/music")) + str("/song.mp3"), 1);
    QVERIFY(!m_tone.isEmpty());
}

void TestDropFiles::init()
{
    m_choices.m_skinType = 0;
}

QString TestDropFiles::drag(VideoConverterWidget& page, const QMimeData& mime, bool drop)
{
    const QPoint at = page.rect().center();
    QStringList seen;
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &enter);
    seen << QStringLiteral("enter %1 %2").arg(enter.isAccepted()).arg(page.isDropHighlighted());
    QDragMoveEvent move(at + QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &move);
    seen << QStringLiteral("move %1 %2").arg(move.isAccepted()).arg(page.isDropHighlighted());
    if (drop) {
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&page, &dropped);
        seen << QStringLiteral("drop %1 %2").arg(dropped.isAccepted()).arg(page.isDropHighlighted());
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(&page, &leave);
        seen << QStringLiteral("leave %1").arg(page.isDropHighlighted());
    }
    return seen.join(str(", "));
}

QStringList TestDropFiles::listed(VideoConverterWidget& page)
{
    QSignalSpy done(&page, &VideoConverterWidget::probingFinished);
    if (page.isProbing() && !done.wait(60000))
        return {str("probing never ended")};
    QStringList names;
    for (int i = 0; i < page.videoList()->jobCount(); ++i)
        names << QDir(TestEnv::root() + str("/work/drop")).relativeFilePath(page.videoList()->jobAt(i)->m_sourcePath);
    return names;
}

void TestDropFiles::dropped_data()
{
    QTest::addColumn<QStringList>("urls"); // "local:" + a path under the drop folder, or a URL as it is
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("drop");        // or leave
    QTest::addColumn<QString>("events");
    QTest::addColumn<QStringList>("jobs");
    const QStringList holiday{str("Holiday/a-beach.mp4"), str("Holiday/B-harbour.MOV"), str("Holiday/c-castle.mkv")};
    QTest::newRow("a folder: its own media files by name, nothing from below")
        << QStringList{str("local:Holiday")} << false << true << "enter 1 1, move 1 1, drop 1 0" << holiday;
    QTest::newRow("a file and a folder, in the order dropped")
        << QStringList{str("local:music/song.mp3"), str("local:Holiday")} << false << true
        << "enter 1 1, move 1 1, drop 1 0" << QStringList{str("music/song.mp3")} + holiday;
    QTest::newRow("a text file is welcome but adds nothing")
        << QStringList{str("local:Holiday/notes.txt")} << false << true << "enter 1 1, move 1 1, drop 1 0"
        << QStringList{};
    QTest::newRow("leaving takes the frame away")
        << QStringList{str("local:Holiday")} << false << false << "enter 1 1, move 1 1, leave 0" << QStringList{};
    QTest::newRow("web addresses are refused")
        << QStringList{str("https://example.invalid/clip.mp4")} << false << true << "enter 0 0, move 0 0, drop 0 0"
        << QStringList{};
    QTest::newRow("refused while converting")
        << QStringList{str("local:Holiday")} << true << true << "enter 0 0, move 0 0, drop 0 0" << QStringList{};
}

void TestDropFiles::dropped()
{
    QFETCH(QStringList, urls);
    QFETCH(bool, locked);
    QFETCH(bool, drop);
    QFETCH(QString, events);
    QFETCH(QStringList, jobs);
    QList<QUrl> list;
    for (const QString& u : urls)
        list << (u.startsWith(str("local:")) ? QUrl::fromLocalFile(TestEnv::root() + str("/work/drop/") + u.mid(6))
                                             : QUrl(u));
    QMimeData mime;
    mime.setUrls(list);
    VideoConverterWidget page;
    page.resize(1140, 672);
    page.layoutChildren();
    if (locked)
        page.convertsignal_slots(true);
    QCOMPARE(drag(page, mime, drop), events);
    QCOMPARE(listed(page), jobs);
}

// The page with a drag over it, in both skins, empty and with jobs.
void TestDropFiles::pictures()
{
    const QString folder = QString::fromLocal8Bit(qgetenv("MORVAYNE_SCREENSHOT_DIR"));
    for (int skin : {0, 1}) {
        m_choices.m_skinType = skin;
        VideoConverterWidget page;
        page.resize(1140, 672);
        page.layoutChildren();
        page.applySkin();
        page.retranslate();
        page.show();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(m_folder)});
        if (skin == 1) {
            drag(page, mime, true);
            QCOMPARE(listed(page).size(), 3);
        }
        QDragEnterEvent enter(page.rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&page, &enter);
        QVERIFY(page.isDropHighlighted());
        if (!folder.isEmpty()) {
            QImage shot(page.size(), QImage::Format_RGB32);
            shot.fill(QColor(skin ? 0x202124 : 0xffffff)); // the window's background
            page.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
            QVERIFY(shot.save(folder + (skin ? str("/drop-dark.png") : str("/drop-light.png"))));
        }
        QDragLeaveEvent leave;
        QApplication::sendEvent(&page, &leave);
        QVERIFY(!page.isDropHighlighted());
    }
}

MORVAYNE_TEST_MAIN(TestDropFiles)
#include "tst_dropfiles.moc"

#include "app/preferenceswidget.h"
#include "app/topwidget.h"
#include "app/vcmanagerwidget.h"
#include "app/windowplacement.h"
#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"
#include "screenshots.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/toolkitresources.h"
#include "toolkit/windowutils.h"
#include "toolkit/bgiconbutton.h"
#include "ui/edit/videoeditaudiowidget.h"
#include "ui/edit/videoeditcropwidget.h"
#include "ui/edit/videoedittrimwidget.h"
#include "ui/edit/cqtvideorenderwidget.h"
#include "ui/edit/vlcplayer.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videoitemwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void placement_data();
    void placement();
    void construction();
    void skin_data();
    void skin();
    void dialogCentring_data();
    void dialogCentring();
    void dragging_data();
    void dragging();
    void mainMenu();
    void preferencesTwice();
    void pageSkin_data();
    void pageSkin();
    void editors_data();
    void editors();
    void editorsOnlyForReadyJobs();

private:
    QString m_clip;
};

namespace {

QSettings settings()
{
    return QSettings(SettingKeys::Organisation, SettingKeys::Application);
}

// Adds the file to the window's page and waits for its job; the row showing it.
VideoItemWidget* addJob(VCManagerWidget& w, const QString& path)
{
    VideoConverterWidget* page = w.converterPage();
    QSignalSpy done(page, &VideoConverterWidget::probingFinished);
    page->addFiles({path});
    if (!done.wait(60000))
        return nullptr;
    VideoItemData* job = page->videoList()->jobAt(page->videoList()->jobCount() - 1);
    for (auto* row : page->findChildren<VideoItemWidget*>()) {
        if (job && row->job() == job)
            return row;
    }
    return nullptr;
}

QString factText(VideoItemWidget* row, const char* name)
{
    auto* label = row->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("no %1").arg(QLatin1String(name));
}

} // namespace

void TestMainWindow::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    VLCPlayer::instance()->setAudioEnabled(false);
    const QString media = TestEnv::makeDir(QStringLiteral("media"));
    m_clip = MediaFactory::videoWithTone(media + QStringLiteral("/clip.mp4"), 3, QStringLiteral("320x240"));
    QVERIFY(!m_clip.isEmpty());
}

void TestMainWindow::init()
{
    settings().clear();
    qunsetenv("MORVAYNE_APPEARANCE");
    g_appDirPath = TestEnv::appDir();
}

void TestMainWindow::placement_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << QPoint(300, 204);
    QTest::newRow("1280x800") << QSize(1280, 800) << QPoint(70, 64);
    QTest::newRow("narrower than the window") << QSize(1000, 600) << QPoint(70, 36);
    QTest::newRow("very large") << QSize(5120, 2880) << QPoint(300, 300);
}

void TestMainWindow::placement()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, position);
    QCOMPARE(WindowPlacement::initialPosition(screen, QSize(1140, 672)), position);
}

void TestMainWindow::construction()
{
    VCManagerWidget w;
    QCOMPARE(RuntimeChoices::current(), static_cast<RuntimeChoices*>(&w));
    QCOMPARE(MyQtCustom::WindowUtils::mainWindow(), &w);
    QCOMPARE(w.size(), QSize(1140, 672));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillfen Morvayne"));
    QVERIFY(!w.windowIcon().isNull());

    // Every start begins with the run's default choices; the output folder exists.
    QVERIFY(w.m_maxConvertCount == 2 && w.m_finishAction == 0 && w.m_autoAddSrt && w.m_enableGPU);
    QVERIFY(!w.m_isMaximized);
    QCOMPARE(w.m_outFolder, QDir::homePath() + QLatin1String("/Documents/Quillfen/Morvayne"));
    QVERIFY(QFileInfo(w.m_outFolder).isDir());

    // The title bar lies over the page and shows the version and the menu
    // button; its window buttons stay hidden behind the native frame.
    TopWidget* top = w.topWidget();
    QVERIFY(w.children().indexOf(top) > w.children().indexOf(w.converterPage()));
    QCOMPARE(top->geometry(), QRect(890, 1, 248, 71));
    int shown = 0;
    for (auto* b : top->findChildren<MyQtCustom::MyPushButton*>())
        shown += b->isHidden() ? 0 : 1;
    QCOMPARE(shown, 1);
    QStringList labels;
    for (auto* label : top->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Ver: 5.9.71")));

    // Without a global menu bar on the desktop the "&Help" bar is not shown
    // inside the window.
    QMenuBar* bar = top->platformMenuBar();
    QCOMPARE(bar->actions().size(), 1);
    QCOMPARE(bar->actions().first()->text(), QStringLiteral("&Help"));
    QCOMPARE(bar->actions().first()->menu()->actions(), top->mainMenu()->actions().mid(0, 4));
    QCOMPARE(bar->isHidden(), !bar->isNativeMenuBar());
}

void TestMainWindow::skin_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("appearance");
    QTest::addColumn<int>("skin");
    QTest::newRow("absent, light desktop") << QString() << QByteArray("light") << 0;
    QTest::newRow("absent, dark desktop") << QString() << QByteArray("dark") << 1;
    QTest::newRow("light") << QStringLiteral("0") << QByteArray("dark") << 0;
    QTest::newRow("dark") << QStringLiteral("1") << QByteArray("light") << 1;
    QTest::newRow("7 is automatic, dark desktop") << QStringLiteral("7") << QByteArray("dark") << 1;
    QTest::newRow("7 is automatic, light desktop") << QStringLiteral("7") << QByteArray("light") << 0;
    QTest::newRow("unreadable is light") << QStringLiteral("dark") << QByteArray("dark") << 0;
}

// The skin shows on the rendered window, its title bar and its menu.
void TestMainWindow::skin()
{
    QFETCH(QString, stored);
    QFETCH(QByteArray, appearance);
    QFETCH(int, skin);
    if (!stored.isNull())
        settings().setValue(SettingKeys::SkinType, stored);
    qputenv("MORVAYNE_APPEARANCE", appearance);
    VCManagerWidget w;
    QCOMPARE(w.m_skinType, skin);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage image = w.grab().toImage();
    QCOMPARE(QColor(image.pixel(570, 336)).name(), skin ? QStringLiteral("#202124") : QStringLiteral("#ffffff"));
    QCOMPARE(QColor(image.pixel(0, 336)).name(), QStringLiteral("#ababab"));
    QCOMPARE(QColor(image.pixel(900, 10)).name(), skin ? QStringLiteral("#17171a") : QStringLiteral("#ffffff"));

    // Menu: background and item text; the selected item's colours.
    QMenu* menu = w.topWidget()->mainMenu();
    menu->popup(QPoint(0, 0));
    menu->setActiveAction(menu->actions().at(1));
    const QImage shown = menu->grab().toImage();
    const QRect plain = menu->actionGeometry(menu->actions().at(0));
    const QRect selected = menu->actionGeometry(menu->actions().at(1));
    menu->hide();
    QVERIFY(plain.height() >= 26 && plain.width() >= 96);
    QCOMPARE(QColor(shown.pixel(plain.right() - 2, plain.center().y())).name(),
        skin ? QStringLiteral("#2e3033") : QStringLiteral("#ffffff"));
    QCOMPARE(QColor(shown.pixel(selected.right() - 2, selected.center().y())).name(),
        skin ? QStringLiteral("#3f4042") : QStringLiteral("#00a1e9"));
    QCOMPARE(QColor(shown.pixel(0, shown.height() / 2)).name(),
        skin ? QStringLiteral("#040405") : QStringLiteral("#e9eaeb"));
    // The darkest or lightest pixel of the first item is its text colour.
    QColor ink = skin ? Qt::black : Qt::white;
    for (int x = plain.left(); x < plain.right(); ++x) {
        const QColor c = shown.pixelColor(x, plain.center().y());
        if (skin ? c.lightness() > ink.lightness() : c.lightness() < ink.lightness())
            ink = c;
    }
    QCOMPARE(ink.name(), skin ? QStringLiteral("#ffffff") : QStringLiteral("#333333"));

    Screenshots::save(image, QStringLiteral("mainwindow-%1").arg(QString::fromLatin1(QTest::currentDataTag())));
    if (stored.isNull())
        Screenshots::save(Screenshots::windowWithMenu(w), QStringLiteral("mainwindow-menu-%1").arg(QLatin1String(skin ? "dark" : "light")));
}

void TestMainWindow::dialogCentring_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("position");
    const QRect full(0, 0, 1920, 1080);
    QTest::newRow("on the window") << QRect(300, 204, 1140, 672) << full << QPoint(669, 377);
    QTest::newRow("negative position counts as 0") << QRect(-300, -40, 1140, 672) << full << QPoint(369, 173);
    QTest::newRow("window of no size") << QRect(100, 50, 0, 0) << full << QPoint(469, 223);
    QTest::newRow("past the right edge") << QRect(1500, 100, 1140, 672) << full << QPoint(759, 273);
    QTest::newRow("past the bottom edge") << QRect(100, 900, 1140, 672) << full << QPoint(469, 377);
    QTest::newRow("second screen") << QRect(3300, 100, 1140, 672) << QRect(1920, 0, 1920, 1080)
                                   << QPoint(2679, 273);
}

// Preferences are centred on the main window, but kept on its screen.
void TestMainWindow::dialogCentring()
{
    QFETCH(QRect, window);
    QFETCH(QRect, screen);
    QFETCH(QPoint, position);
    QCOMPARE(VCManagerWidget::centeredPosition(window, QSize(402, 326), screen), position);

    // The real window on its real screen; the toolkit's centring knows only the window.
    VCManagerWidget w;
    w.move(100, 50);
    QWidget d;
    d.resize(400, 200);
    w.centerDialog(&d);
    QCOMPARE(d.pos(), VCManagerWidget::centeredPosition(w.geometry(), d.size(), w.screen()->geometry()));
    d.resize(480, 252);
    MyQtCustom::WindowUtils::moveDialogToCenter(&d);
    QCOMPARE(d.pos(), QPoint(100 + (1140 - 480) / 2, 50 + (672 - 252) / 2));
}

void TestMainWindow::dragging_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<bool>("moves");
    QTest::newRow("on the page header") << QPointF(400.3, 30) << true;
    QTest::newRow("on the title bar") << QPointF(1000, 40.2) << true;
    QTest::newRow("rounded onto the strip's last row") << QPointF(400, 72.4) << true;
    QTest::newRow("rounded below the strip") << QPointF(400, 72.6) << false;
    QTest::newRow("on the page") << QPointF(400, 300) << false;
}

void TestMainWindow::dragging()
{
    QFETCH(QPointF, press);
    QFETCH(bool, moves);
    VCManagerWidget w;
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.geometry().topLeft();
    const auto send = [&w](QEvent::Type type, QPointF local, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, w.mapToGlobal(local.toPoint()), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
    };
    // Positions are rounded: the press counts where it lies nearest.
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(qRound(press.x()), qRound(press.y())) + QPointF(25.2, -9.6), Qt::LeftButton);
    const QPoint moved = moves ? QPoint(25, -10) : QPoint();
    QCOMPARE(w.geometry().topLeft(), start + moved);
    QCOMPARE(w.size(), QSize(1140, 672));
    // The pointer back where it was pressed, relative to the moved window: no shift.
    send(QEvent::MouseMove, QPointF(qRound(press.x()), qRound(press.y())), Qt::LeftButton);
    QCOMPARE(w.geometry().topLeft(), start + moved);
    send(QEvent::MouseButtonRelease, press, Qt::NoButton);
    send(QEvent::MouseMove, press + QPointF(50, 50), Qt::NoButton);
    QCOMPARE(w.geometry().topLeft(), start + moved);
}

// The menu button opens the main menu: four actions, a separator, languages.
void TestMainWindow::mainMenu()
{
    VCManagerWidget w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList seen;
    QTimer::singleShot(0, &w, [&seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            seen << (a->isSeparator() ? QStringLiteral("|") : a->text());
        menu->close();
    });
    MyQtCustom::MyPushButton* button = nullptr;
    for (auto* b : w.topWidget()->findChildren<MyQtCustom::MyPushButton*>()) {
        if (!b->isHidden())
            button = b;
    }
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(seen.join(QLatin1Char(',')), QStringLiteral("Help,Support,Homepage,Preferences,|,Language"));
}

// Each opening makes a dialog of its own, centred on the window, and
// deletes it once closed.
void TestMainWindow::preferencesTwice()
{
    VCManagerWidget w;
    w.move(-200, -100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QList<QPointer<PreferencesWidget>> dialogs;
    QList<QPoint> positions;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &w, [&] {
            auto* dialog = qobject_cast<PreferencesWidget*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialogs << dialog;
            positions << dialog->pos();
            QTest::mouseClick(dialog->findChild<MyQtCustom::MyPushButton*>(), Qt::LeftButton);
        });
        w.topWidget()->mainMenu()->actions().at(3)->trigger();
        QCOMPARE(dialogs.size(), i + 1);
        QTRY_VERIFY(dialogs.last().isNull());
    }
    QCOMPARE(positions, (QList<QPoint>{QPoint(369, 173), QPoint(369, 173)}));
}

void TestMainWindow::pageSkin_data()
{
    QTest::addColumn<int>("skin");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("list");
    QTest::newRow("light") << 0 << "#ffffff"
                           << "#e9eaeb"
                           << "#ffffff";
    QTest::newRow("dark") << 1 << "#17171a"
                          << "#393b3e"
                          << "#202124";
}

// The page's bars and the list take the skin's colours, before and after
// the first job.
void TestMainWindow::pageSkin()
{
    QFETCH(int, skin);
    QFETCH(QString, bar);
    QFETCH(QString, line);
    QFETCH(QString, list);
    settings().setValue(SettingKeys::SkinType, QString::number(skin));
    VCManagerWidget w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QImage image = w.grab().toImage();
    const auto at = [&image](int x, int y) { return QColor(image.pixel(x, y)).name(); };
    QCOMPARE(at(600, 10), bar);       // header, beside the title
    QCOMPARE(at(10, 200), line);      // the empty panel's frame
    QCOMPARE(at(300, 640), skin ? QStringLiteral("#202124") : QStringLiteral("#ffffff")); // no bottom bar yet
    Screenshots::save(image, QStringLiteral("page-empty-%1").arg(QLatin1String(QTest::currentDataTag())));

    QVERIFY(addJob(w, m_clip));
    QVERIFY(addJob(w, m_clip));
    image = w.grab().toImage();
    QCOMPARE(at(600, 10), bar);
    QCOMPARE(at(700, 640), bar); // bottom bar between its controls
    QCOMPARE(at(700, 611), line); // and the line above it
    QCOMPARE(at(570, 500), list); // the list below its rows
    Screenshots::save(image, QStringLiteral("page-list-%1").arg(QLatin1String(QTest::currentDataTag())));
    Screenshots::save(Screenshots::windowWithMenu(w), QStringLiteral("page-menu-%1").arg(QLatin1String(QTest::currentDataTag())));
}

void TestMainWindow::editors_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("fact"); // the target fact the edit changes
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("trim") << "cutButton"
                          << "targetDuration"
                          << "00:00:03"
                          << "00:00:01";
    QTest::newRow("crop") << "cropButton"
                          << "targetResolution"
                          << "320X240"
                          << "160X120";
    QTest::newRow("audio") << "audioButton"
                           << "targetFormat"
                           << "MP4"
                           << "MP4";
}

// A ready row's tool opens its editor over the whole window for that job;
// what is set there shows in the row once the editor closes.
void TestMainWindow::editors()
{
    QFETCH(QString, tool);
    QFETCH(QString, fact);
    QFETCH(QString, before);
    QFETCH(QString, after);
    VCManagerWidget w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    VideoItemWidget* other = addJob(w, m_clip);
    VideoItemWidget* row = addJob(w, m_clip);
    QVERIFY(row && other && row != other);
    VideoItemData* job = row->job();
    const QString sizeBefore = factText(row, "targetSize");
    QCOMPARE(factText(row, qPrintable(fact)), before);

    auto* button = row->findChild<MyQtCustom::BgIconButton*>(tool);
    QVERIFY(button && button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    VideoEditBase* editor = tool == QLatin1String("cutButton") ? static_cast<VideoEditBase*>(w.trimEditor())
        : tool == QLatin1String("cropButton")                  ? static_cast<VideoEditBase*>(w.cropEditor())
                                                               : static_cast<VideoEditBase*>(w.audioEditor());
    QVERIFY(editor);
    const int opened = (w.trimEditor() ? 1 : 0) + (w.cropEditor() ? 1 : 0) + (w.audioEditor() ? 1 : 0);
    QCOMPARE(opened, 1);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->geometry(), w.rect());
    QCOMPARE(editor->mediaInfo(), job->m_pMediaInfo);
    QCOMPARE(editor->row(), static_cast<QWidget*>(row));
    QTRY_VERIFY_WITH_TIMEOUT(editor->isPreviewing() && editor->renderWidget()->frameCount() > 0, 20000);
    Screenshots::save(w.grab().toImage(), QStringLiteral("editor-%1").arg(QLatin1String(QTest::currentDataTag())));

    // The edit as the editor writes it: into the record at once.
    MediaInfo* m = job->m_pMediaInfo;
    if (tool == QLatin1String("cutButton")) {
        m->trimStart = 1000000;
        m->trimEnd = 2000000;
    } else if (tool == QLatin1String("cropButton")) {
        m->cropWidth = 160;
        m->cropHeight = 120;
    } else {
        m->removeOriginalAudio = true;
    }
    QCOMPARE(factText(row, qPrintable(fact)), before);
    editor->closeButton_slots();
    QVERIFY(!editor->isVisible());
    QCOMPARE(factText(row, qPrintable(fact)), after);
    QVERIFY(button->isChecked());
    if (tool == QLatin1String("cutButton"))
        QVERIFY2(factText(row, "targetSize") != sizeBefore, qPrintable(sizeBefore));
    // The other job kept its own facts.
    QCOMPARE(factText(other, qPrintable(fact)), before);
}

// Waiting, converting, finished and failed jobs open no editor.
void TestMainWindow::editorsOnlyForReadyJobs()
{
    VCManagerWidget w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    VideoItemWidget* row = addJob(w, m_clip);
    QVERIFY(row);
    for (int state : {VideoItemData::Waiting, VideoItemData::Converting, VideoItemData::Completed,
             VideoItemData::Failed, VideoItemData::Stopped}) {
        row->job()->m_nState = state;
        row->cutvButton_slots();
        row->cropvButton_slots();
        row->audiovButton_slots();
        w.openTrimEditor(row->job()->m_pMediaInfo, row);
        QVERIFY2(!w.trimEditor() && !w.cropEditor() && !w.audioEditor(), qPrintable(QString::number(state)));
    }
    // Nor a record the row does not show.
    row->job()->m_nState = VideoItemData::Ready;
    MediaInfo stranger;
    w.openCropEditor(&stranger, row);
    w.openAudioEditor(row->job()->m_pMediaInfo, nullptr);
    QVERIFY(!w.cropEditor() && !w.audioEditor());
}

MORVAYNE_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

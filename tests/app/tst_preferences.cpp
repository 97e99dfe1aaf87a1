#include "app/preferenceswidget.h"
#include "app/vcmanagerwidget.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"
#include "screenshots.h"
#include "toolkit/toolkitresources.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void shows_data();
    void shows();
    void changes();
    void automaticSkin_data();
    void automaticSkin();
    void dragging();
};

namespace {

QSettings settings()
{
    return QSettings(SettingKeys::Organisation, SettingKeys::Application);
}

// Picks an item with the keyboard, one step at a time, as a user would. The
// skin box shows "Auto" as what it resolved to, so the walk ends once the
// target was picked, wherever the box then stands.
void choose(QComboBox* box, const QString& text)
{
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    QSignalSpy picked(box, QOverload<int>::of(&QComboBox::activated));
    for (int step = 0; box->currentIndex() != target; ++step) {
        QVERIFY2(step < box->count(), qPrintable(text));
        QTest::keyClick(box, target > box->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        if (!picked.isEmpty() && picked.last().at(0).toInt() == target)
            return;
    }
}

// What the dialog shows, in control order.
QString shown(const PreferencesWidget& d)
{
    QStringList out;
    for (QCheckBox* b : {d.autoCheckUpdateBox(), d.enableGPUCheckBox(), d.autoaddSRTCheckBox()})
        out << (b->isChecked() ? QStringLiteral("on") : QStringLiteral("off"));
    for (QComboBox* b : {d.uiskinTypeComboBox(), d.countVCComboBox(), d.finishtodoComboBox()})
        out << b->currentText();
    return out.join(QLatin1Char(' '));
}

QString colourAt(QWidget* w, QPoint p)
{
    return QColor(w->grab().toImage().pixel(p)).name();
}

} // namespace

void TestPreferences::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    g_appDirPath = TestEnv::appDir();
}

void TestPreferences::init()
{
    settings().clear();
    qputenv("MORVAYNE_APPEARANCE", "light");
}

void TestPreferences::shows_data()
{
    QTest::addColumn<bool>("gpu");
    QTest::addColumn<bool>("srt");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("finish");
    QTest::addColumn<int>("skin");
    QTest::addColumn<QString>("shows");
    QTest::newRow("defaults") << true << true << 2 << 0 << 0 << "on on on Light 2 None";
    QTest::newRow("all changed") << false << false << 3 << 2 << 1 << "on off off Dark 3 Shutdown";
    QTest::newRow("one, restart") << true << false << 1 << 1 << 0 << "on on off Light 1 Restart";
}

// The dialog keeps nothing of its own: it shows the window's choices, and
// the update check is always on.
void TestPreferences::shows()
{
    QFETCH(bool, gpu);
    QFETCH(bool, srt);
    QFETCH(int, count);
    QFETCH(int, finish);
    QFETCH(int, skin);
    QFETCH(QString, shows);
    settings().setValue(SettingKeys::SkinType, QString::number(skin));
    VCManagerWidget w;
    w.m_enableGPU = gpu;
    w.m_autoAddSrt = srt;
    w.m_maxConvertCount = count;
    w.m_finishAction = finish;
    PreferencesWidget d;
    QCOMPARE(shown(d), shows);
}

// Each change reaches the window at once; a new dialog shows it again.
void TestPreferences::changes()
{
    VCManagerWidget w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint page(570, 336);
    const QPoint panel(201, 316);
    {
        PreferencesWidget d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Screenshots::save(d.grab().toImage(), QStringLiteral("preferences-light"));
        QCOMPARE(colourAt(&d, panel), QStringLiteral("#ffffff"));

        choose(d.countVCComboBox(), QStringLiteral("3"));
        QCOMPARE(w.m_maxConvertCount, 3);
        choose(d.finishtodoComboBox(), QStringLiteral("Shutdown"));
        QCOMPARE(w.m_finishAction, 2);
        for (QCheckBox* b : d.findChildren<QCheckBox*>())
            b->click();
        QVERIFY(!w.m_enableGPU && !w.m_autoAddSrt);

        choose(d.uiskinTypeComboBox(), QStringLiteral("Dark"));
        QCOMPARE(settings().value(SettingKeys::SkinType).toString(), QStringLiteral("1"));
        QCOMPARE(w.m_skinType, 1);
        QCOMPARE(colourAt(&w, page), QStringLiteral("#202124"));
        QCOMPARE(colourAt(&d, panel), QStringLiteral("#2e3033"));
        // Refilling the boxes for the new skin keeps what was chosen.
        QCOMPARE(shown(d), QStringLiteral("on off off Dark 3 Shutdown"));
        Screenshots::save(d.grab().toImage(), QStringLiteral("preferences-dark"));
    }
    PreferencesWidget again;
    QCOMPARE(shown(again), QStringLiteral("on off off Dark 3 Shutdown"));

    // Changing one's mind before the batch ends leaves the machine running.
    choose(again.finishtodoComboBox(), QStringLiteral("None"));
    choose(again.countVCComboBox(), QStringLiteral("1"));
    choose(again.uiskinTypeComboBox(), QStringLiteral("Light"));
    QVERIFY(w.m_finishAction == 0 && w.m_maxConvertCount == 1 && w.m_skinType == 0);
    QCOMPARE(settings().value(SettingKeys::SkinType).toString(), QStringLiteral("0"));
    QCOMPARE(colourAt(&w, page), QStringLiteral("#ffffff"));
}

void TestPreferences::automaticSkin_data()
{
    QTest::addColumn<QByteArray>("appearance");
    QTest::addColumn<QString>("shows");
    QTest::addColumn<QString>("window");
    QTest::newRow("light desktop") << QByteArray("light") << QStringLiteral("Light") << QStringLiteral("#ffffff");
    QTest::newRow("dark desktop") << QByteArray("dark") << QStringLiteral("Dark") << QStringLiteral("#202124");
}

// "Auto" is stored as such and shown as what the desktop resolved it to.
void TestPreferences::automaticSkin()
{
    QFETCH(QByteArray, appearance);
    QFETCH(QString, shows);
    QFETCH(QString, window);
    settings().setValue(SettingKeys::SkinType, appearance == "dark" ? QStringLiteral("0") : QStringLiteral("1"));
    VCManagerWidget w;
    PreferencesWidget d;
    qputenv("MORVAYNE_APPEARANCE", appearance);
    choose(d.uiskinTypeComboBox(), QStringLiteral("Auto"));
    QCOMPARE(settings().value(SettingKeys::SkinType).toString(), QStringLiteral("-1"));
    QCOMPARE(d.uiskinTypeComboBox()->currentText(), shows);
    QCOMPARE(colourAt(&w, QPoint(570, 336)), window);
}

// The frameless dialog moves with a press anywhere on itself.
void TestPreferences::dragging()
{
    VCManagerWidget w;
    PreferencesWidget d;
    d.move(200, 150);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    const auto send = [&d](QEvent::Type type, QPointF local, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, d.mapToGlobal(local.toPoint()), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&d, &e);
    };
    send(QEvent::MouseButtonPress, QPointF(300.4, 290.6), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(280.2, 301), Qt::LeftButton);
    QCOMPARE(d.geometry(), QRect(180, 160, 402, 326));
    send(QEvent::MouseButtonRelease, QPointF(280, 301), Qt::NoButton);
    send(QEvent::MouseMove, QPointF(100, 100), Qt::NoButton);
    QCOMPARE(d.geometry(), QRect(180, 160, 402, 326));
}

MORVAYNE_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"

#include "app/vcmanagerwidget.h"
#include "app/windowplacement.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"
#include "toolkit/windowutils.h"

#include <QApplication>
#include <QSettings>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void placement_data();
    void placement();
    void construction();
    void skin_data();
    void skin();
    void dialogCentring();
};

void TestMainWindow::init()
{
    QSettings(SettingKeys::Organisation, SettingKeys::Application).clear();
    qunsetenv("MORVAYNE_APPEARANCE");
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

    // Every start begins with the run's default choices; the output folder exists.
    QVERIFY(w.m_maxConvertCount == 2 && w.m_finishAction == 0 && w.m_autoAddSrt && w.m_enableGPU);
    QCOMPARE(w.m_outFolder, QDir::homePath() + QLatin1String("/Documents/Quillfen/Morvayne"));
    QVERIFY(QFileInfo(w.m_outFolder).isDir());
}

void TestMainWindow::skin_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("appearance");
    QTest::addColumn<int>("skin");
    QTest::newRow("absent, light desktop") << QString() << QByteArray("light") << 0;
    QTest::newRow("absent, dark desktop") << QString() << QByteArray("dark") << 1;
    QTest::newRow("dark") << QStringLiteral("1") << QByteArray("light") << 1;
    QTest::newRow("7 is automatic") << QStringLiteral("7") << QByteArray("dark") << 1;
    QTest::newRow("unreadable is light") << QStringLiteral("dark") << QByteArray("dark") << 0;
}

// The skin shows on the window itself; the pictures can be kept for a look.
void TestMainWindow::skin()
{
    QFETCH(QString, stored);
    QFETCH(QByteArray, appearance);
    QFETCH(int, skin);
    if (!stored.isNull())
        QSettings(SettingKeys::Organisation, SettingKeys::Application).setValue(SettingKeys::SkinType, stored);
    qputenv("MORVAYNE_APPEARANCE", appearance);
    VCManagerWidget w;
    QCOMPARE(w.m_skinType, skin);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage image = w.grab().toImage();
    QCOMPARE(QColor(image.pixel(570, 336)).name(), skin ? QStringLiteral("#202124") : QStringLiteral("#ffffff"));
    const QString out = qEnvironmentVariable("MORVAYNE_SCREENSHOT_DIR");
    if (!out.isEmpty())
        image.save(out + QStringLiteral("/mainwindow-%1.png").arg(QString::fromLatin1(QTest::currentDataTag())));
}

void TestMainWindow::dialogCentring()
{
    VCManagerWidget w;
    w.move(100, 50);
    QWidget dialog;
    dialog.resize(480, 252);
    MyQtCustom::WindowUtils::moveDialogToCenter(&dialog);
    QCOMPARE(dialog.pos(), QPoint(100 + (1140 - 480) / 2, 50 + (672 - 252) / 2));

    // A dialog larger than the window is kept on screen.
    dialog.resize(2000, 1000);
    MyQtCustom::WindowUtils::moveDialogToCenter(&dialog);
    QCOMPARE(dialog.pos(), QPoint(0, 0));
}

MORVAYNE_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

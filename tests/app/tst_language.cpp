#include "app/preferenceswidget.h"
#include "app/topwidget.h"
#include "app/vcmanagerwidget.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "morvaynetest.h"
#include "screenshots.h"
#include "toolkit/toolkitresources.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>
#include <QTranslator>
#include <QUrl>
#include <QXmlStreamReader>

using MyQtCustom::QCommonUtils;

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void languageMenu_data();
    void languageMenu();
    void startLanguage_data();
    void startLanguage();
    void switching_data();
    void switching();
    void glyphs_data();
    void glyphs();
    void preferencesFit();
    void webActions_data();
    void webActions();
    void translationFiles();

private:
    QList<QUrl> m_opened;
};

namespace {

QSettings settings()
{
    return QSettings(SettingKeys::Organisation, SettingKeys::Application);
}

// An application folder of the test's own: the built translations and fonts,
// with the given language list (none when config is null).
QString makeAppDir(const QString& name, const QByteArray& config)
{
    const QString dir = TestEnv::makeDir(name);
    QDir(dir).mkpath(QStringLiteral("Lang"));
    QFile::link(TestEnv::appDir() + QLatin1String("/font"), dir + QLatin1String("/font"));
    const QDir built(TestEnv::appDir() + QLatin1String("/Lang"));
    for (const QString& file : built.entryList({QStringLiteral("*.qm")}, QDir::Files))
        QFile::copy(built.filePath(file), dir + QLatin1String("/Lang/") + file);
    if (!config.isNull()) {
        QFile f(dir + QLatin1String("/Lang/Lang_config"));
        if (!f.open(QIODevice::WriteOnly) || f.write(config) != config.size())
            qFatal("cannot write the language list");
    }
    return dir;
}

QStringList texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return out;
}

QImage glyphImage(const QFont& font, const QString& text)
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

// Every CJK character of the text is drawn by the widget's own font as a
// real glyph: present in the font, with ink, and unlike the missing-glyph box.
void verifyGlyphs(QWidget* widget, const QString& text)
{
    const QFont font = widget->font();
    const QFontMetrics metrics(font);
    const QImage missing = glyphImage(font, QString::fromUcs4(U"\U0010FFFD"));
    int cjk = 0;
    for (const QChar ch : text) {
        if (ch.unicode() < 0x2E80)
            continue;
        ++cjk;
        const QString what = QStringLiteral("'%1' of \"%2\" in %3").arg(ch).arg(text, QFontInfo(font).family());
        QVERIFY2(metrics.inFont(ch), qPrintable(what + QLatin1String(": not in the font")));
        const QImage drawn = glyphImage(font, ch);
        QVERIFY2(hasInk(drawn) && drawn != missing, qPrintable(what + QLatin1String(": no real glyph")));
    }
    QVERIFY2(cjk > 0, qPrintable(QStringLiteral("no CJK text in \"%1\"").arg(text)));
}

} // namespace

void TestLanguage::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    QCommonUtils::setUrlOpener([this](const QUrl& url) {
        m_opened << url;
        return true;
    });
}

void TestLanguage::init()
{
    settings().clear();
    g_appDirPath = TestEnv::appDir();
    m_opened.clear();
}

void TestLanguage::languageMenu_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("shipped list") << QByteArray()
                                  << QStringList{QStringLiteral("English"), QStringLiteral("简体中文"),
                                         QStringLiteral("Deutsch"), QStringLiteral("Français"),
                                         QStringLiteral("Español"), QStringLiteral("日本語")}
                                  << QStringList{QStringLiteral("EN"), QStringLiteral("ZH"), QStringLiteral("DE"),
                                         QStringLiteral("FR"), QStringLiteral("ES"), QStringLiteral("JA")};
    QTest::newRow("no list") << QByteArray("absent") << QStringList{QStringLiteral("English")}
                             << QStringList{QStringLiteral("EN")};
    QTest::newRow("third line empty") << QByteArray("EN=English\nZH=中文\n\nDE=Deutsch\n")
                                      << QStringList{QStringLiteral("English"), QStringLiteral("中文")}
                                      << QStringList{QStringLiteral("EN"), QStringLiteral("ZH")};
    QTest::newRow("blank line, trimmed lines, CR LF, mark")
        << QByteArray("\xEF\xBB\xBF" "EN=English\r\n   \r\n  FR=Français  \r\n")
        << QStringList{QStringLiteral("English"), QStringLiteral("Français")}
        << QStringList{QStringLiteral("EN"), QStringLiteral("FR")};
    QTest::newRow("second equals sign, empty name")
        << QByteArray("EN=English=US\nDE=\nno sign here\nES=Español")
        << QStringList{QStringLiteral("English"), QString(), QStringLiteral("Español")}
        << QStringList{QStringLiteral("EN"), QStringLiteral("DE"), QStringLiteral("ES")};
}

void TestLanguage::languageMenu()
{
    QFETCH(QByteArray, config);
    QFETCH(QStringList, names);
    QFETCH(QStringList, codes);
    if (!config.isEmpty())
        g_appDirPath = makeAppDir(QStringLiteral("menu"), config == "absent" ? QByteArray() : config);
    VCManagerWidget w;
    QCOMPARE(w.topWidget()->languageNames(), names);
    QCOMPARE(w.topWidget()->languageCodes(), codes);
    QCOMPARE(texts(w.topWidget()->languageMenu()->actions()), names);
}

void TestLanguage::startLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("help");
    QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << QStringLiteral("ZH") << QStringLiteral("ZH_CN")
                           << QStringLiteral("帮助");
    QTest::newRow("de") << QStringLiteral("de") << QStringLiteral("DE") << QStringLiteral("DE")
                        << QStringLiteral("Hilfe");
    QTest::newRow("JA, Japan") << QStringLiteral("JA, Japan") << QStringLiteral("JA") << QStringLiteral("JA, Japan")
                               << QStringLiteral("ヘルプ");
    QTest::newRow("no translation file") << QStringLiteral("xy-Test") << QStringLiteral("EN")
                                         << QStringLiteral("EN-Test") << QStringLiteral("Help");
    QTest::newRow("too short") << QStringLiteral("z") << QStringLiteral("EN") << QStringLiteral("EN")
                               << QStringLiteral("Help");
}

void TestLanguage::startLanguage()
{
    QFETCH(QString, stored);
    QFETCH(QString, code);
    QFETCH(QString, language);
    QFETCH(QString, help);
    if (stored.length() < 2 && QLocale::system().language() == QLocale::Chinese)
        QSKIP("a Chinese system starts in Chinese");
    settings().setValue(SettingKeys::Language, stored);
    VCManagerWidget w;
    QCOMPARE(QCommonUtils::languageCode(), code);
    QCOMPARE(settings().value(SettingKeys::Language).toString(), language);
    QCOMPARE(settings().value(SettingKeys::Lang).toString(), code);
    QCOMPARE(w.topWidget()->mainMenu()->actions().at(0)->text(), help);
}

void TestLanguage::switching_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QString>("cancel"); // the framework's own text
    QTest::addColumn<QString>("font");
    const QString lato = QStringLiteral("Lato");
    QTest::newRow("Chinese") << QString() << QStringLiteral("简体中文") << QStringLiteral("ZH") << QStringLiteral("ZH")
                             << QStringList{QStringLiteral("帮助"), QStringLiteral("技术支持"),
                                    QStringLiteral("官方网站"), QStringLiteral("偏好设置"), QStringLiteral("|"),
                                    QStringLiteral("语言")}
                             << QStringLiteral("取消") << QStringLiteral("Noto Sans CJK SC");
    QTest::newRow("German, keeping the region") << QStringLiteral("ZH_CN") << QStringLiteral("Deutsch")
                                                << QStringLiteral("DE") << QStringLiteral("DE_CN")
                                                << QStringList{QStringLiteral("Hilfe"), QStringLiteral("Support"),
                                                       QStringLiteral("Website"), QStringLiteral("Einstellungen"),
                                                       QStringLiteral("|"), QStringLiteral("Sprache")}
                                                << QStringLiteral("Abbrechen") << lato;
    QTest::newRow("French") << QStringLiteral("JA") << QStringLiteral("Français") << QStringLiteral("FR")
                            << QStringLiteral("FR")
                            << QStringList{QStringLiteral("Aide"), QStringLiteral("Assistance"),
                                   QStringLiteral("Site web"), QStringLiteral("Préférences"), QStringLiteral("|"),
                                   QStringLiteral("Langue")}
                            << QStringLiteral("Annuler") << lato;
    QTest::newRow("Spanish") << QStringLiteral("EN") << QStringLiteral("Español") << QStringLiteral("ES")
                             << QStringLiteral("ES")
                             << QStringList{QStringLiteral("Ayuda"), QStringLiteral("Soporte técnico"),
                                    QStringLiteral("Sitio web"), QStringLiteral("Preferencias"), QStringLiteral("|"),
                                    QStringLiteral("Idioma")}
                             << QStringLiteral("Cancelar") << lato;
    QTest::newRow("Japanese") << QStringLiteral("ZH") << QStringLiteral("日本語") << QStringLiteral("JA")
                              << QStringLiteral("JA")
                              << QStringList{QStringLiteral("ヘルプ"), QStringLiteral("サポート"),
                                     QStringLiteral("ホームページ"), QStringLiteral("環境設定"), QStringLiteral("|"),
                                     QStringLiteral("言語")}
                              << QStringLiteral("キャンセル") << QStringLiteral("Noto Sans CJK JP");
    const QStringList english{QStringLiteral("Help"), QStringLiteral("Support"), QStringLiteral("Homepage"),
        QStringLiteral("Preferences"), QStringLiteral("|"), QStringLiteral("Language")};
    QTest::newRow("listed without a file") << QStringLiteral("DE") << QStringLiteral("Nowhere")
                                           << QStringLiteral("EN") << QStringLiteral("EN") << english
                                           << QStringLiteral("Cancel") << lato;
    QTest::newRow("an unlisted name takes the first") << QStringLiteral("ZH") << QStringLiteral("Klingon")
                                                      << QStringLiteral("EN") << QStringLiteral("EN") << english
                                                      << QStringLiteral("Cancel") << lato;
}

// A language chosen from the menu while the window shows another one.
void TestLanguage::switching()
{
    QFETCH(QString, stored);
    QFETCH(QString, choice);
    QFETCH(QString, code);
    QFETCH(QString, language);
    QFETCH(QStringList, menu);
    QFETCH(QString, cancel);
    QFETCH(QString, font);
    QFile shipped(TestEnv::appDir() + QLatin1String("/Lang/Lang_config"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    g_appDirPath = makeAppDir(QStringLiteral("switch"), shipped.readAll() + "XY=Nowhere\n");
    if (!stored.isNull())
        settings().setValue(SettingKeys::Language, stored);
    VCManagerWidget w;
    TopWidget* top = w.topWidget();

    QAction* action = nullptr;
    for (QAction* a : top->languageMenu()->actions()) {
        if (a->text() == choice)
            action = a;
    }
    if (action) {
        action->trigger();
    } else {
        QAction unlisted(choice);
        top->slots_all_language_Action(&unlisted);
    }

    QCOMPARE(QCommonUtils::languageCode(), code);
    QCOMPARE(settings().value(SettingKeys::Language).toString(), language);
    QCOMPARE(settings().value(SettingKeys::Lang).toString(), code);
    QCOMPARE(texts(top->mainMenu()->actions()), menu);
    QCOMPARE(top->platformMenuBar()->actions().at(0)->menu()->actions().at(0)->text(), menu.at(0));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    // Widgets that existed before the switch follow the new font too.
    QCOMPARE(QFontInfo(top->mainMenu()->font()).family(), font);
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillfen Morvayne"));
}

void TestLanguage::glyphs_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("Chinese") << QStringLiteral("ZH");
    QTest::newRow("Japanese") << QStringLiteral("JA");
}

// Chinese and Japanese windows draw real glyphs, never empty boxes.
void TestLanguage::glyphs()
{
    QFETCH(QString, code);
    for (int skin : {0, 1}) {
        settings().setValue(SettingKeys::Language, code);
        settings().setValue(SettingKeys::SkinType, QString::number(skin));
        VCManagerWidget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QMenu* menu = w.topWidget()->mainMenu();
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator())
                verifyGlyphs(menu, a->text());
        }
        PreferencesWidget dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                verifyGlyphs(label, label->text());
        }
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            verifyGlyphs(box, box->text());

        const QString name = code.toLower() + (skin ? QLatin1String("-dark") : QLatin1String("-light"));
        Screenshots::save(Screenshots::windowWithMenu(w), QLatin1String("language-menu-") + name);
        Screenshots::save(dialog.grab().toImage(), QLatin1String("language-preferences-") + name);
    }
}

// Translations lengthen the texts; the dialog still shows every one whole,
// inside its frame.
void TestLanguage::preferencesFit()
{
    VCManagerWidget w;
    for (const QString& code : w.topWidget()->languageCodes()) {
        w.topWidget()->switchLanguage(code);
        PreferencesWidget dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect inside = dialog.rect().adjusted(10, 10, -10, -10);
        for (QWidget* child : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->width() >= dialog.width() - 2)
                continue; // the panel, the title and the line under it
            const QString what = code + QLatin1Char(' ') + QLatin1String(child->metaObject()->className());
            QVERIFY2(inside.contains(child->geometry()), qPrintable(what));
            if (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child) || qobject_cast<QComboBox*>(child))
                QVERIFY2(child->width() >= child->sizeHint().width(), qPrintable(what));
        }
        Screenshots::save(dialog.grab().toImage(), QLatin1String("language-preferences-") + code.toLower());
    }
}

void TestLanguage::webActions_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("url");
    const QString support = QStringLiteral("https://www.quillfen.com/support/?from=prod");
    const QString supportZh = QStringLiteral("https://www.quillfen.com/zh/support/?from=prod");
    const QString home = QStringLiteral("https://www.quillfen.com/morvayne/?from=prod");
    const QString homeZh = QStringLiteral("https://www.quillfen.com/zh/morvayne/?from=prod");
    QTest::newRow("EN Help") << QStringLiteral("EN") << 0 << support;
    QTest::newRow("EN Support") << QStringLiteral("EN") << 1 << support;
    QTest::newRow("EN Homepage") << QStringLiteral("EN") << 2 << home;
    QTest::newRow("ZH Help") << QStringLiteral("ZH") << 0 << supportZh;
    QTest::newRow("ZH Support") << QStringLiteral("ZH") << 1 << supportZh;
    QTest::newRow("ZH Homepage") << QStringLiteral("ZH") << 2 << homeZh;
    QTest::newRow("JA Support") << QStringLiteral("JA") << 1 << support;
    QTest::newRow("DE Homepage") << QStringLiteral("DE") << 2 << home;
}

// The pages open through the opener seam, addressed by the language group.
void TestLanguage::webActions()
{
    QFETCH(QString, code);
    QFETCH(int, action);
    QFETCH(QString, url);
    settings().setValue(SettingKeys::Language, code);
    VCManagerWidget w;
    w.topWidget()->mainMenu()->actions().at(action)->trigger();
    QCOMPARE(m_opened, QList<QUrl>{QUrl(url)});
}

// Every translation file is complete, keeps placeholders and accelerators,
// and covers the same texts as the English one; every listed language ships
// its program texts, and every language but English the framework's.
void TestLanguage::translationFiles()
{
    using Messages = QMap<QString, QString>; // "context|source" -> translation
    const auto read = [](const QString& path, Messages* out) -> QString {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot open");
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString key = context + QLatin1Char('|') + source;
                if (!xml.attributes().value(QLatin1String("type")).isEmpty())
                    return key + QLatin1String(": marked ") + xml.attributes().value(QLatin1String("type"));
                const QString text = xml.readElementText();
                if (text.trimmed().isEmpty())
                    return key + QLatin1String(": empty");
                out->insert(key, text);
            }
        }
        return xml.hasError() ? xml.errorString() : QString();
    };
    const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    const QRegularExpression accelerator(QStringLiteral("&[^&\\s]"));
    const auto matches = [](const QRegularExpression& re, const QString& text) {
        QStringList found;
        for (auto it = re.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        found.sort();
        return found;
    };

    const QString folder = QFINDTESTDATA("../../translations");
    QVERIFY(!folder.isEmpty());
    Messages english;
    QCOMPARE(read(folder + QLatin1String("/Lang_EN.ts"), &english), QString());
    QVERIFY(english.size() >= 19);

    QFile config(folder + QLatin1String("/Lang_config"));
    QVERIFY(config.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList codes;
    for (const QByteArray& line : config.readAll().split('\n')) {
        if (!line.isEmpty())
            codes << QString::fromUtf8(line.left(line.indexOf('=')));
    }
    QCOMPARE(codes.join(QLatin1Char(',')), QStringLiteral("EN,ZH,DE,FR,ES,JA"));
    for (const QString& code : codes) {
        Messages messages;
        const QString error = read(folder + QLatin1String("/Lang_") + code + QLatin1String(".ts"), &messages);
        QVERIFY2(error.isEmpty(), qPrintable(code + QLatin1String(": ") + error));
        QCOMPARE(messages.keys(), english.keys());
        for (auto it = messages.cbegin(); it != messages.cend(); ++it) {
            const QString source = it.key().mid(it.key().indexOf(QLatin1Char('|')) + 1);
            const QString where = code + QLatin1String(" ") + it.key() + QLatin1String(" -> ") + it.value();
            QVERIFY2(matches(placeholder, source) == matches(placeholder, it.value()), qPrintable(where));
            QVERIFY2(matches(accelerator, source).size() == matches(accelerator, it.value()).size(),
                qPrintable(where));
        }
        const QString lang = TestEnv::appDir() + QLatin1String("/Lang/");
        QVERIFY2(QFileInfo(lang + QLatin1String("Lang_") + code + QLatin1String(".qm")).isFile(), qPrintable(code));
        if (code != QLatin1String("EN")) {
            QTranslator framework;
            QVERIFY2(framework.load(lang + QLatin1String("Qt_") + code + QLatin1String(".qm")), qPrintable(code));
        }
    }
}

MORVAYNE_TEST_MAIN(TestLanguage)
#include "tst_language.moc"

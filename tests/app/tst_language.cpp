#include "app/preferenceswidget.h"
#include "app/topwidget.h"
#include "app/vcmanagerwidget.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "morvaynetest.h"
#include "screenshots.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videoitemwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
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
    void pageAndRows_data();
    void pageAndRows();

private:
    QList<QUrl> m_opened;
    QString m_clip;
};

namespace {

QSettings settings()
{
    return QSettings(SettingKeys::Organisation, SettingKeys::Application);
}

// An application folder of the test's own: the built translations and fonts,
// with the given language list (none when it is null).
QString makeAppDir(const QByteArray& config)
{
    const QString dir = TestEnv::makeDir(QStringLiteral("app"));
    QDir(dir).mkpath(QStringLiteral("Lang"));
    QFile::link(TestEnv::appDir() + QLatin1String("/font"), dir + QLatin1String("/font"));
    const QDir built(TestEnv::appDir() + QLatin1String("/Lang"));
    for (const QString& file : built.entryList({QStringLiteral("*.qm")}, QDir::Files))
        QFile::copy(built.filePath(file), dir + QLatin1String("/Lang/") + file);
    QFile f(dir + QLatin1String("/Lang/Lang_config"));
    if (!config.isNull() && (!f.open(QIODevice::WriteOnly) || f.write(config) != config.size()))
        qFatal("cannot write the language list");
    return dir;
}

QString texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return out.join(QLatin1Char(','));
}

QImage glyphImage(const QFont& font, const QString& text)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

// Every CJK character of the text is drawn by the widget's own font as a
// real glyph: present in the font, with ink, and unlike the missing-glyph box.
void verifyGlyphs(QWidget* widget, const QString& text)
{
    const QFont font = widget->font();
    const QImage missing = glyphImage(font, QString::fromUcs4(U"\U0010FFFD"));
    const QImage blank = glyphImage(font, QString());
    int cjk = 0;
    for (const QChar ch : text) {
        if (ch.unicode() < 0x2E80)
            continue;
        ++cjk;
        const QImage drawn = glyphImage(font, ch);
        const QString what = QStringLiteral("'%1' of \"%2\" in %3").arg(ch).arg(text, QFontInfo(font).family());
        QVERIFY2(QFontMetrics(font).inFont(ch) && drawn != blank && drawn != missing, qPrintable(what));
    }
    QVERIFY2(cjk > 0, qPrintable(text));
}

// The window's page with one job; the row showing it.
VideoItemWidget* withJob(VCManagerWidget& w, const QString& clip)
{
    VideoConverterWidget* page = w.converterPage();
    QSignalSpy done(page, &VideoConverterWidget::probingFinished);
    page->addFiles({clip});
    if (!done.wait(60000) || page->videoList()->jobCount() != 1)
        return nullptr;
    for (auto* row : page->findChildren<VideoItemWidget*>()) {
        if (row->job())
            return row;
    }
    return nullptr;
}

QString named(QWidget* parent, const char* name)
{
    auto* label = parent->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("no %1").arg(QLatin1String(name));
}

} // namespace

void TestLanguage::initTestCase()
{
    MyQtCustom::ToolkitResources::init();
    m_clip = MediaFactory::videoWithTone(
        TestEnv::makeDir(QStringLiteral("media")) + QStringLiteral("/clip.mp4"), 1, QStringLiteral("160x120"));
    QVERIFY(!m_clip.isEmpty());
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
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("codes");
    QTest::newRow("shipped list") << QByteArray() << "English,简体中文,Deutsch,Français,Español,日本語"
                                  << "EN,ZH,DE,FR,ES,JA";
    QTest::newRow("no list") << QByteArray("absent") << "English"
                             << "EN";
    QTest::newRow("third line empty") << QByteArray("EN=English\nZH=中文\n\nDE=Deutsch\n") << "English,中文"
                                      << "EN,ZH";
    QTest::newRow("blank line, trimmed lines, CR LF, byte order mark")
        << QByteArray("\xEF\xBB\xBF"
                      "EN=English\r\n   \r\n  FR=Français  \r\n")
        << "English,Français"
        << "EN,FR";
    QTest::newRow("second equals sign, empty name, no sign")
        << QByteArray("EN=English=US\nDE=\nno sign here\nES=Español") << "English,,Español"
        << "EN,DE,ES";
}

void TestLanguage::languageMenu()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, names);
    QFETCH(QString, codes);
    if (!config.isEmpty())
        g_appDirPath = makeAppDir(config == "absent" ? QByteArray() : config);
    VCManagerWidget w;
    QCOMPARE(w.topWidget()->languageNames().join(QLatin1Char(',')), names);
    QCOMPARE(w.topWidget()->languageCodes().join(QLatin1Char(',')), codes);
    QCOMPARE(texts(w.topWidget()->languageMenu()->actions()), names);
}

void TestLanguage::startLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("language"); // stored afterwards
    QTest::addColumn<QString>("help");
    QTest::newRow("zh_CN") << "zh_CN" << "ZH" << "ZH_CN" << "帮助";
    QTest::newRow("de") << "de" << "DE" << "DE" << "Hilfe";
    QTest::newRow("JA, Japan") << "JA, Japan" << "JA" << "JA, Japan" << "ヘルプ";
    QTest::newRow("no translation file") << "xy-Test" << "EN" << "EN-Test" << "Help";
    QTest::newRow("too short") << "z" << "EN" << "EN" << "Help";
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
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("cancel"); // one of the framework's own texts
    QTest::addColumn<QString>("font");
    const char* english = "Help,Support,Homepage,Preferences,|,Language";
    QTest::newRow("Chinese") << "" << "简体中文" << "ZH" << "ZH" << "帮助,技术支持,官方网站,偏好设置,|,语言" << "取消"
                             << "Noto Sans CJK SC";
    QTest::newRow("German keeps the rest") << "ZH_CN" << "Deutsch" << "DE" << "DE_CN"
                                           << "Hilfe,Support,Website,Einstellungen,|,Sprache" << "Abbrechen"
                                           << "Lato";
    QTest::newRow("French") << "JA" << "Français" << "FR" << "FR" << "Aide,Assistance,Site web,Préférences,|,Langue"
                            << "Annuler"
                            << "Lato";
    QTest::newRow("Spanish") << "EN" << "Español" << "ES" << "ES"
                             << "Ayuda,Soporte técnico,Sitio web,Preferencias,|,Idioma" << "Cancelar"
                             << "Lato";
    QTest::newRow("Japanese") << "ZH" << "日本語" << "JA" << "JA" << "ヘルプ,サポート,ホームページ,環境設定,|,言語"
                              << "キャンセル"
                              << "Noto Sans CJK JP";
    QTest::newRow("listed without a file") << "DE" << "Nowhere" << "EN" << "EN" << english << "Cancel"
                                           << "Lato";
    QTest::newRow("unlisted name takes the first") << "ZH" << "Klingon" << "EN" << "EN" << english << "Cancel"
                                                   << "Lato";
}

// A language chosen from the menu while the window shows another one.
void TestLanguage::switching()
{
    QFETCH(QString, stored);
    QFETCH(QString, choice);
    QFETCH(QString, code);
    QFETCH(QString, language);
    QFETCH(QString, menu);
    QFETCH(QString, cancel);
    QFETCH(QString, font);
    QFile shipped(TestEnv::appDir() + QLatin1String("/Lang/Lang_config"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    g_appDirPath = makeAppDir(shipped.readAll() + "XY=Nowhere\n");
    if (!stored.isEmpty())
        settings().setValue(SettingKeys::Language, stored);
    VCManagerWidget w;
    TopWidget* top = w.topWidget();
    QAction unlisted(choice);
    QAction* action = &unlisted;
    for (QAction* a : top->languageMenu()->actions()) {
        if (a->text() == choice)
            action = a;
    }
    if (action == &unlisted)
        top->slots_all_language_Action(action);
    else
        action->trigger();

    QCOMPARE(QCommonUtils::languageCode(), code);
    QCOMPARE(settings().value(SettingKeys::Language).toString(), language);
    QCOMPARE(settings().value(SettingKeys::Lang).toString(), code);
    QCOMPARE(texts(top->mainMenu()->actions()), menu);
    QCOMPARE(top->platformMenuBar()->actions().at(0)->menu()->actions().at(0)->text(), menu.section(QLatin1Char(','), 0, 0));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    // Widgets that existed before the switch follow the new font too.
    QCOMPARE(QFontInfo(top->mainMenu()->font()).family(), font);
}

void TestLanguage::glyphs_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("Chinese") << "ZH";
    QTest::newRow("Japanese") << "JA";
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
        const QString name = code.toLower() + (skin ? QLatin1String("-dark") : QLatin1String("-light"));
        Screenshots::save(w.grab().toImage(), QLatin1String("language-page-empty-") + name);
        QVERIFY(withJob(w, m_clip));
        // Page and row: every text that holds CJK characters.
        static const QRegularExpression cjk(QStringLiteral("[\\x{2E80}-\\x{FFEF}]"));
        int checked = 0;
        for (QLabel* label : w.converterPage()->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(&w) || !label->text().contains(cjk))
                continue;
            verifyGlyphs(label, label->text());
            ++checked;
        }
        QVERIFY2(checked >= 8, qPrintable(QString::number(checked)));
        Screenshots::save(w.grab().toImage(), QLatin1String("language-page-list-") + name);
        PreferencesWidget dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                verifyGlyphs(label, label->text());
        }
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            verifyGlyphs(box, box->text());

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
    QTest::addColumn<QString>("opened"); // by Help, Support and Homepage
    QTest::newRow("EN") << "EN"
                        << "https://www.quillfen.com/support/?from=prod https://www.quillfen.com/support/?from=prod "
                           "https://www.quillfen.com/morvayne/?from=prod";
    QTest::newRow("ZH") << "ZH"
                        << "https://www.quillfen.com/zh/support/?from=prod "
                           "https://www.quillfen.com/zh/support/?from=prod "
                           "https://www.quillfen.com/zh/morvayne/?from=prod";
    QTest::newRow("JA") << "JA"
                        << "https://www.quillfen.com/support/?from=prod https://www.quillfen.com/support/?from=prod "
                           "https://www.quillfen.com/morvayne/?from=prod";
}

// The pages open through the opener seam, addressed by the language group.
void TestLanguage::webActions()
{
    QFETCH(QString, code);
    QFETCH(QString, opened);
    settings().setValue(SettingKeys::Language, code);
    VCManagerWidget w;
    for (int i = 0; i < 3; ++i)
        w.topWidget()->mainMenu()->actions().at(i)->trigger();
    QStringList urls;
    for (const QUrl& url : qAsConst(m_opened))
        urls << url.toString();
    QCOMPARE(urls.join(QLatin1Char(' ')), opened);
}

// Every translation file is complete, keeps placeholders and accelerators,
// and covers the same texts as the English one; every listed language ships
// its program texts, and every language but English the framework's.
void TestLanguage::translationFiles()
{
    const auto read = [](const QString& path, QMap<QString, QString>* out) -> QString {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot open");
        QXmlStreamReader xml(&file);
        QString key;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                key = xml.readElementText() + QLatin1Char('|');
            } else if (xml.name() == QLatin1String("source")) {
                key = key.left(key.indexOf(QLatin1Char('|')) + 1) + xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                if (!xml.attributes().value(QLatin1String("type")).isEmpty())
                    return key + QLatin1String(": not finished");
                const QString text = xml.readElementText();
                if (text.trimmed().isEmpty())
                    return key + QLatin1String(": empty");
                out->insert(key, text);
            }
        }
        return xml.errorString();
    };
    // Placeholders by number; accelerators only by count, as their letter may change.
    const auto marks = [](const QString& text) {
        static const QRegularExpression re(QStringLiteral("%\\d+|&[^&\\s]"));
        QStringList found;
        for (auto it = re.globalMatch(text); it.hasNext();) {
            const QString mark = it.next().captured();
            found << (mark.startsWith(QLatin1Char('&')) ? QStringLiteral("&") : mark);
        }
        found.sort();
        return found;
    };

    const QString folder = QFINDTESTDATA("../../translations");
    QMap<QString, QString> english;
    QCOMPARE(read(folder + QLatin1String("/Lang_EN.ts"), &english), QString());
    QVERIFY(english.size() >= 19);
    QFile config(folder + QLatin1String("/Lang_config"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    QStringList codes;
    for (const QByteArray& line : config.readAll().split('\n')) {
        if (!line.isEmpty())
            codes << QString::fromUtf8(line.left(line.indexOf('=')));
    }
    QCOMPARE(codes.join(QLatin1Char(',')), QStringLiteral("EN,ZH,DE,FR,ES,JA"));
    for (const QString& code : codes) {
        QMap<QString, QString> messages;
        const QString error = read(folder + QLatin1String("/Lang_") + code + QLatin1String(".ts"), &messages);
        QVERIFY2(error.isEmpty(), qPrintable(code + QLatin1String(": ") + error));
        QCOMPARE(messages.keys(), english.keys());
        for (auto it = messages.cbegin(); it != messages.cend(); ++it) {
            const QString source = it.key().section(QLatin1Char('|'), 1);
            QVERIFY2(marks(source) == marks(it.value()), qPrintable(code + QLatin1Char(' ') + it.value()));
        }
        const QString lang = TestEnv::appDir() + QLatin1String("/Lang/");
        QVERIFY2(QFileInfo::exists(lang + QLatin1String("Lang_") + code + QLatin1String(".qm")), qPrintable(code));
        QTranslator framework;
        QVERIFY2(code == QLatin1String("EN") || framework.load(lang + QLatin1String("Qt_") + code + QLatin1String(".qm")),
            qPrintable(code));
    }
}

void TestLanguage::pageAndRows_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("page"); // add, title, folder, format, convert all, format item
    QTest::addColumn<QString>("row");  // source, target, burn-in, softcode, subtitle
    QTest::newRow("Chinese") << "简体中文"
                             << "+ 添加视频|视频格式转换器|输出文件夹：|输出格式：|全部转换|MP4"
                             << "源文件|目标|硬字幕|软字幕|添加字幕";
    QTest::newRow("German") << "Deutsch"
                            << "+ Video hinzufügen|Videoformat-Konverter|Zielordner:|Ausgabeformat:|Alle "
                               "konvertieren|MP4"
                            << "Quelle|Ziel|Einbrennen|Als Spur|Untertitel hinzufügen";
    QTest::newRow("back to English") << "English"
                                     << "+ Add Video|Video Format Converter|Output Folder:|Output Format:|Convert "
                                        "All|MP4"
                                     << "Source|Target|Burn-In|Softcode|Add subtitle";
}

// A language chosen from the menu reaches the page and the rows that show jobs.
void TestLanguage::pageAndRows()
{
    settings().setValue(SettingKeys::Language, QStringLiteral("JA"));
    QFETCH(QString, choice);
    QFETCH(QString, page);
    QFETCH(QString, row);
    VCManagerWidget w;
    w.show();
    VideoItemWidget* shown = withJob(w, m_clip);
    QVERIFY(shown);
    for (QAction* a : w.topWidget()->languageMenu()->actions()) {
        if (a->text() == choice)
            a->trigger();
    }
    VideoConverterWidget* p = w.converterPage();
    QStringList pageTexts;
    for (const char* name : {"addButton", "titleLabel", "outputFolderLabel", "outputFormatLabel", "convertAllButton"})
        pageTexts << named(p, name);
    pageTexts << p->findChild<QComboBox*>()->currentText();
    QCOMPARE(pageTexts.join(QLatin1Char('|')), page);
    const QStringList rowTexts{named(shown, "sourceHeading"), named(shown, "targetHeading"),
        shown->findChild<QAbstractButton*>(QStringLiteral("burninButton"))->text(),
        shown->findChild<QAbstractButton*>(QStringLiteral("softcodeButton"))->text(), named(shown, "srtLabel")};
    QCOMPARE(rowTexts.join(QLatin1Char('|')), row);
    Screenshots::save(w.grab().toImage(), QLatin1String("language-page-") + QLatin1String(QTest::currentDataTag()));
}

MORVAYNE_TEST_MAIN(TestLanguage)
#include "tst_language.moc"

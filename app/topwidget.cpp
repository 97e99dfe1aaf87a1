#include "app/topwidget.h"

#include "app/preferenceswidget.h"
#include "app/vcmanagerwidget.h"
#include "common/interfacescale.h"
#include "common/qcommonutils.h"
#include "common/settingkeys.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/spritecells.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

using MyQtCustom::MyPushButton;
using MyQtCustom::QCommonUtils;

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

QString pxText(int units)
{
    return QString::number(InterfaceScale::px(units)) + QLatin1String("px");
}

// Created once per process and reused by every switch. Never freed: they
// stay installed in the application until it ends.
struct Translators
{
    QTranslator framework;
    QTranslator custom;
    QTranslator program;
};

Translators& translators()
{
    static auto* t = new Translators;
    return *t;
}

// Chinese and Japanese need a font with CJK glyphs; the other languages
// keep the Latin application font.
bool needsCjkFont(const QString& code)
{
    return code == QLatin1String("ZH") || code == QLatin1String("JA");
}

void setCells(MyPushButton* button, const SpriteCells::StateCells& cells)
{
    button->setSpriteCells(VCManagerWidget::widePublicPixmap(), cells);
}

} // namespace

TopWidget::TopWidget(QWidget* parent)
    : QWidget(parent)
{
    m_background = new QWidget(this);
    m_closeButton = new MyPushButton(this);
    m_maxButton = new MyPushButton(this);
    m_minButton = new MyPushButton(this);
    m_menuButton = new MyPushButton(this);
    m_versionLabel = new QLabel(this);
    m_versionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_mainMenu = new QMenu(this);
    m_helpAction = new QAction(this);
    m_supportAction = new QAction(this);
    m_homepageAction = new QAction(this);
    m_settingAction = new QAction(this);
    m_mainMenu->addAction(m_helpAction);
    m_mainMenu->addAction(m_supportAction);
    m_mainMenu->addAction(m_homepageAction);
    m_mainMenu->addAction(m_settingAction);
    m_mainMenu->addSeparator();
    m_languageMenu = m_mainMenu->addMenu(QString());

    // The desktop's global menu bar, where there is one. Without it the bar
    // would sit over the page inside the window; the title-bar menu offers
    // the same actions, so it stays hidden then.
    m_menuBar = new QMenuBar(this);
    m_helpMenu = m_menuBar->addMenu(QString());
    m_helpMenu->addAction(m_helpAction);
    m_helpMenu->addAction(m_supportAction);
    m_helpMenu->addAction(m_homepageAction);
    m_helpMenu->addAction(m_settingAction);
    if (!m_menuBar->isNativeMenuBar())
        m_menuBar->hide();

    connect(m_closeButton, &MyPushButton::clicked, this, &TopWidget::closeButton_slots);
    connect(m_minButton, &MyPushButton::clicked, this, &TopWidget::minButton_slots);
    connect(m_maxButton, &MyPushButton::clicked, this, &TopWidget::maxButton_slots);
    connect(m_menuButton, &MyPushButton::clicked, this, &TopWidget::menuButton_slots);
    connect(m_helpAction, &QAction::triggered, this, &TopWidget::slots_helpAction);
    connect(m_supportAction, &QAction::triggered, this, &TopWidget::slots_supportAction);
    connect(m_homepageAction, &QAction::triggered, this, &TopWidget::slots_homepageAction);
    connect(m_settingAction, &QAction::triggered, this, &TopWidget::slots_settingAction);
    connect(m_languageMenu, &QMenu::triggered, this, &TopWidget::slots_all_language_Action);
}

TopWidget::~TopWidget() = default;

void TopWidget::layoutChildren()
{
    const int w = width();
    const int h = height();
    m_background->setGeometry(rect());

    const int button = px(16);
    const int top = (h - button) / 2;
    MyPushButton* windowButtons[3] = {m_closeButton, m_maxButton, m_minButton};
    for (int i = 0; i < 3; ++i) {
        windowButtons[i]->setGeometry(w - px(30) * (i + 1), top, button, button);
        windowButtons[i]->hide();
    }
    m_menuButton->setGeometry(w - px(40), top, button, button);
    m_versionLabel->setGeometry(m_menuButton->x() - px(20) - px(120), (h - px(30)) / 2, px(120), px(30));
}

void TopWidget::applySkin(int skinType)
{
    m_background->setStyleSheet(skinType == 1 ? QStringLiteral("QWidget{background-color:#17171a;border:none;}")
                                              : QStringLiteral("QWidget{background-color:#ffffff;border:none;}"));
    setCells(m_closeButton, SpriteCells::TitleClose);
    setCells(m_maxButton, SpriteCells::TitleMaximise);
    setCells(m_minButton, SpriteCells::TitleMinimise);
    setCells(m_menuButton, SpriteCells::TitleMenu);
    const QString menuSheet = menuStyle(skinType);
    m_mainMenu->setStyleSheet(menuSheet);
    m_helpMenu->setStyleSheet(menuSheet);

    if (!m_bLanguageMenuBuilt) {
        m_bLanguageMenuBuilt = true;
        buildLanguageMenu();
        applyStartLanguage();
    }
}

QString TopWidget::menuStyle(int skinType)
{
    const bool dark = skinType == 1;
    const QString background = dark ? QStringLiteral("#2e3033") : QStringLiteral("#FFFFFF");
    const QString border = dark ? QStringLiteral("#040405") : QStringLiteral("#e9eaeb");
    const QString text = dark ? QStringLiteral("#ffffff") : QStringLiteral("#333333");
    const QString selected = dark ? QStringLiteral("#3f4042") : QStringLiteral("#00a1e9");
    return QLatin1String("QMenu{background-color:") + background + QLatin1String(";border:1px solid ") + border
        + QLatin1String(";padding-top:") + pxText(6) + QLatin1String(";padding-bottom:") + pxText(6)
        + QLatin1String(";}QMenu::item{min-width:") + pxText(96) + QLatin1String(";min-height:") + pxText(26)
        + QLatin1String(";font-size:") + pxText(12) + QLatin1String(";padding-left:") + pxText(6)
        + QLatin1String(";padding-right:") + pxText(24) + QLatin1String(";color:") + text
        + QLatin1String(";background-color:transparent;}QMenu::item:selected{background-color:") + selected
        + QLatin1String(";color:#ffffff;}QMenu::separator{height:1px;background-color:#e5e5e5;margin:")
        + pxText(5) + QLatin1String(";}");
}

void TopWidget::retranslate()
{
    m_versionLabel->setText(QLatin1String("Ver: ") + VCManagerWidget::versionText());
    m_versionLabel->setStyleSheet(
        QLatin1String("QLabel{font-size:") + pxText(11) + QLatin1String(";color:#999999;background:transparent;}"));
    m_helpAction->setText(tr("Help"));
    m_supportAction->setText(tr("Support"));
    m_homepageAction->setText(tr("Homepage"));
    m_settingAction->setText(tr("Preferences"));
    m_languageMenu->setTitle(tr("Language"));
    m_helpMenu->setTitle(tr("&Help"));
    m_mainMenu->hide();
}

void TopWidget::buildLanguageMenu()
{
    m_languageNames.clear();
    m_languageCodes.clear();
    m_languageMenu->clear();

    QFile file(g_appDirPath + QLatin1String("/Lang/Lang_config"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_languageNames << QStringLiteral("English");
        m_languageCodes << QStringLiteral("EN");
    } else {
        QTextStream in(&file);
        in.setCodec("UTF-8");
        while (!in.atEnd()) {
            const QString raw = in.readLine(512);
            if (raw.isEmpty())
                break;
            const QStringList parts = raw.trimmed().split(QLatin1Char('='));
            if (parts.size() < 2)
                continue; // not a language line; keeps both lists in step
            m_languageCodes << parts.at(0);
            m_languageNames << parts.at(1);
        }
    }
    for (const QString& name : qAsConst(m_languageNames))
        m_languageMenu->addAction(name);
}

void TopWidget::applyStartLanguage()
{
    QString stored = QSettings(SettingKeys::Organisation, SettingKeys::Application)
                         .value(SettingKeys::Language)
                         .toString();
    if (stored.length() < 2)
        stored = QLocale::system().language() == QLocale::Chinese ? QStringLiteral("ZH") : QStringLiteral("EN");
    switchLanguage(stored.left(2).toUpper());
}

void TopWidget::switchLanguage(const QString& code)
{
    QString c = code.toUpper();
    const QString lang = g_appDirPath + QLatin1String("/Lang/");
    if (!QFileInfo::exists(lang + QLatin1String("Lang_") + c + QLatin1String(".qm")))
        c = QStringLiteral("EN");

    {
        QSettings settings(SettingKeys::Organisation, SettingKeys::Application);
        QString language = settings.value(SettingKeys::Language).toString();
        language = language.isEmpty() ? c : language.replace(0, 2, c);
        settings.setValue(SettingKeys::Language, language);
    }

    if (needsCjkFont(c))
        PathServices::applyChineseFont(c);
    else
        PathServices::loadApplicationFonts(g_appDirPath);
    // The font services only set the default for new widgets; hand it to
    // the ones that exist already.
    QApplication::setFont(QGuiApplication::font());

    // Installed last is searched first: the program's own texts, then the
    // custom overrides, then the framework's.
    Translators& t = translators();
    QTranslator* ordered[3] = {&t.framework, &t.custom, &t.program};
    const QString files[3] = {lang + QLatin1String("Qt_") + c + QLatin1String(".qm"),
        lang + QLatin1String("Lang_Custom_") + c + QLatin1String(".qm"),
        lang + QLatin1String("Lang_") + c + QLatin1String(".qm")};
    for (QTranslator* translator : ordered)
        QCoreApplication::removeTranslator(translator);
    for (int i = 0; i < 3; ++i) {
        // A failed load leaves the translator empty.
        ordered[i]->load(files[i]);
        QCoreApplication::installTranslator(ordered[i]);
    }

    m_mainMenu->hide();
    QCommonUtils::setLanguageCode(c);
    QSettings(SettingKeys::Organisation, SettingKeys::Application).setValue(SettingKeys::Lang, c);

    if (VCManagerWidget* main = VCManagerWidget::instance())
        main->retranslate();
    else
        retranslate();
}

QPoint TopWidget::menuPosition() const
{
    const QWidget* main = window();
    return QPoint(main->geometry().x() + x() + m_menuButton->x(),
        main->geometry().y() + m_menuButton->y() + m_menuButton->height());
}

QUrl TopWidget::supportUrl(const QString& languageCode)
{
    return QUrl(languageCode == QLatin1String("ZH") ? QStringLiteral("https://www.quillfen.com/zh/support/?from=prod")
                                                    : QStringLiteral("https://www.quillfen.com/support/?from=prod"));
}

QUrl TopWidget::homepageUrl(const QString& languageCode)
{
    return QUrl(languageCode == QLatin1String("ZH")
            ? QStringLiteral("https://www.quillfen.com/zh/morvayne/?from=prod")
            : QStringLiteral("https://www.quillfen.com/morvayne/?from=prod"));
}

void TopWidget::closeButton_slots()
{
    window()->close();
}

void TopWidget::minButton_slots()
{
    window()->showMinimized();
}

void TopWidget::maxButton_slots()
{
    VCManagerWidget* main = VCManagerWidget::instance();
    if (!main)
        return;
    main->m_isMaximized = !main->m_isMaximized;
    if (main->m_isMaximized) {
        main->showMaximized();
        main->setWindowState(Qt::WindowMaximized);
    } else {
        main->showNormal();
        main->setWindowState(Qt::WindowNoState);
    }
    QTimer::singleShot(50, main, &VCManagerWidget::reLoadandLayout_slots);
}

void TopWidget::menuButton_slots()
{
    m_mainMenu->exec(menuPosition());
}

void TopWidget::slots_helpAction()
{
    QCommonUtils::openUrl(supportUrl(QCommonUtils::languageCode()));
}

void TopWidget::slots_supportAction()
{
    QCommonUtils::openUrl(supportUrl(QCommonUtils::languageCode()));
}

void TopWidget::slots_homepageAction()
{
    QCommonUtils::openUrl(homepageUrl(QCommonUtils::languageCode()));
}

void TopWidget::slots_settingAction()
{
    auto* dialog = new PreferencesWidget;
    if (VCManagerWidget* main = VCManagerWidget::instance())
        main->centerDialog(dialog);
    dialog->exec();
    dialog->deleteLater();
}

void TopWidget::slots_all_language_Action(QAction* action)
{
    if (!action)
        return;
    const int index = m_languageNames.indexOf(action->text());
    if (index >= 0)
        switchLanguage(m_languageCodes.at(index));
    else
        switchLanguage(m_languageCodes.value(0, QStringLiteral("EN")));
}

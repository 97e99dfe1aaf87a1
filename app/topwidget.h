#pragma once

#include <QStringList>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QUrl;

namespace MyQtCustom {
class MyPushButton;
}

// The overlay in the window's top right corner: the version text, the main
// menu and the language switch. The native frame supplies the window
// buttons, so the title bar keeps its own ones hidden.
class TopWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TopWidget)

public:
    explicit TopWidget(QWidget* parent = nullptr);
    ~TopWidget() override;

    void layoutChildren();
    // The first call also builds the language menu and applies the start language.
    void applySkin(int skinType);
    void retranslate();

    // Falls back to "EN" when the code has no program translation file.
    void switchLanguage(const QString& code);

    QStringList languageNames() const { return m_languageNames; }
    QStringList languageCodes() const { return m_languageCodes; }
    QMenu* mainMenu() const { return m_mainMenu; }
    QMenu* languageMenu() const { return m_languageMenu; }
    QMenuBar* platformMenuBar() const { return m_menuBar; }
    // Where the main menu opens, in global coordinates: under the menu button.
    QPoint menuPosition() const;

    // One address per language group: Chinese, and everything else.
    static QUrl supportUrl(const QString& languageCode);
    static QUrl homepageUrl(const QString& languageCode);

public slots:
    void closeButton_slots();
    void minButton_slots();
    void maxButton_slots();
    void menuButton_slots();
    void slots_helpAction();
    void slots_supportAction();
    void slots_homepageAction();
    void slots_settingAction();
    void slots_all_language_Action(QAction* action);

private:
    void buildLanguageMenu();
    void applyStartLanguage();
    static QString menuStyle(int skinType);

    QWidget* m_background = nullptr;
    MyQtCustom::MyPushButton* m_closeButton = nullptr;
    MyQtCustom::MyPushButton* m_maxButton = nullptr;
    MyQtCustom::MyPushButton* m_minButton = nullptr;
    MyQtCustom::MyPushButton* m_menuButton = nullptr;
    QLabel* m_versionLabel = nullptr;

    QMenu* m_mainMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_helpAction = nullptr;
    QAction* m_supportAction = nullptr;
    QAction* m_homepageAction = nullptr;
    QAction* m_settingAction = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_helpMenu = nullptr;

    QStringList m_languageNames;
    QStringList m_languageCodes;
    bool m_bLanguageMenuBuilt = false;
};

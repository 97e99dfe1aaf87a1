#include "app/vcmanagerwidget.h"

#include "app/systemappearance.h"
#include "common/interfacescale.h"
#include "common/settingkeys.h"
#include "toolkit/windowutils.h"

#include <QDir>
#include <QSettings>

namespace {

VCManagerWidget* s_instance = nullptr;

} // namespace

VCManagerWidget::VCManagerWidget(QWidget* parent)
    : QWidget(parent)
{
    s_instance = this;
    makeCurrent();
    InterfaceScale::setFactor(1.0f);
    setFixedSize(InterfaceScale::px(WindowWidth), InterfaceScale::px(WindowHeight));

    MyQtCustom::WindowUtils::RegisterMainWindow(
        this, SettingKeys::Organisation, SettingKeys::Application, versionText());

    m_background = new QWidget(this);

    m_outFolder = getSettingFolder(SettingKeys::OutFolder);
    QDir().mkpath(m_outFolder);

    loadSkin(false);
    layoutChildren();
    applySkin();
    retranslate();
}

VCManagerWidget::~VCManagerWidget()
{
    if (s_instance == this)
        s_instance = nullptr;
}

VCManagerWidget* VCManagerWidget::instance()
{
    return s_instance;
}

QString VCManagerWidget::versionText()
{
    return QStringLiteral("5.9.71");
}

void VCManagerWidget::loadSkin(bool apply)
{
    const QString stored = QSettings(SettingKeys::Organisation, SettingKeys::Application)
                               .value(SettingKeys::SkinType, QStringLiteral("-1"))
                               .toString();
    const int value = stored.toInt(); // unparsable text reads as 0, the light skin
    if (value == 0 || value == 1)
        m_skinType = value;
    else
        m_skinType = SystemAppearance::isDark() ? 1 : 0;
    if (apply) {
        applySkin();
        retranslate();
    }
}

void VCManagerWidget::layoutChildren()
{
    m_background->setGeometry(rect());
}

void VCManagerWidget::applySkin()
{
    m_background->setStyleSheet(m_skinType == 1
            ? QStringLiteral("QWidget{border: 1px solid #ababab;border-radius: 0px; "
                             "background-color:#202124;}")
            : QStringLiteral("QWidget{border: 1px solid #ababab;border-radius: 0px; "
                             "background-color:#ffffff;}"));
}

void VCManagerWidget::retranslate()
{
    setWindowTitle(SettingKeys::Organisation + QLatin1Char(' ') + SettingKeys::Application);
}

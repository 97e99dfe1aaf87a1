#include "toolkit/bgicontextbutton.h"

#include <QLabel>

namespace MyQtCustom {

BgIconTextButton::BgIconTextButton(QWidget* parent)
    : BgIconButton(parent),
      m_textLabel(new QLabel(this))
{
    setIconFollowsSize(false);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_textLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BgIconTextButton::setTextStyeSheet(
    const QString& normal, const QString& hover, const QString& disabled, const QString& checked)
{
    m_textSheets[Normal] = normal;
    m_textSheets[Hover] = hover;
    m_textSheets[Disabled] = disabled;
    m_textSheets[Checked] = checked;
    showRest();
}

void BgIconTextButton::setIconGeometry(int x, int y, int w, int h)
{
    m_iconLabel->setGeometry(x, y, w, h);
}

void BgIconTextButton::setTextGeometry(int x, int y, int w, int h)
{
    m_textLabel->setGeometry(x, y, w, h);
}

void BgIconTextButton::setText(const QString& text)
{
    m_textLabel->setText(text);
}

QString BgIconTextButton::text() const
{
    return m_textLabel->text();
}

void BgIconTextButton::showLook(Look look)
{
    BgIconButton::showLook(look);
    const QString& sheet = m_textSheets[(look == Checked && m_textSheets[Checked].isEmpty()) ? Normal : look];
    if (!sheet.isEmpty())
        m_textLabel->setStyleSheet(sheet);
}

void BgIconTextButton::emitClicked()
{
    emit clicked();
    emit clicked(this);
}

} // namespace MyQtCustom

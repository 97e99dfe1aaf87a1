#include "toolkit/bgicontextbutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTransform>

namespace MyQtCustom {

BgIconTextButton::BgIconTextButton(QWidget* parent)
    : QWidget(parent),
      m_bgLabel(new QLabel(this)),
      m_iconLabel(new QLabel(this)),
      m_textLabel(new QLabel(this))
{
    m_iconLabel->setAlignment(Qt::AlignCenter);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* child : {m_bgLabel, m_iconLabel, m_textLabel})
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BgIconTextButton::setBgStyeSheet(
    const QString& normal, const QString& hover, const QString& disabled, const QString& checked)
{
    m_sheets[Normal] = normal;
    m_sheets[Hover] = hover;
    m_sheets[Disabled] = disabled;
    m_sheets[Checked] = checked;
    showRest();
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

void BgIconTextButton::setIconPixmap(
    const QPixmap& normal, const QPixmap& hover, const QPixmap& disabled, const QPixmap& checked)
{
    m_sourcePixmaps[Normal] = m_pixmaps[Normal] = normal;
    m_sourcePixmaps[Hover] = m_pixmaps[Hover] = hover;
    m_sourcePixmaps[Disabled] = m_pixmaps[Disabled] = disabled;
    m_sourcePixmaps[Checked] = m_pixmaps[Checked] = checked;
    showRest();
}

void BgIconTextButton::setIconRotate(qreal degrees)
{
    QTransform turn;
    turn.rotate(degrees);
    for (Look look : {Normal, Hover, Disabled}) {
        const QPixmap& source = m_sourcePixmaps[look];
        m_pixmaps[look] = source.isNull() ? source : source.transformed(turn, Qt::SmoothTransformation);
    }
    if (m_look == Checked)
        showRest();
    else
        showLook(m_look);
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
    m_look = look;
    // With the checked look, a part without its own checked style keeps the normal one.
    auto pick = [look](const auto& values, auto isEmpty) {
        return (look == Checked && isEmpty(values[Checked])) ? values[Normal] : values[look];
    };
    const QString sheet = pick(m_sheets, [](const QString& s) { return s.isEmpty(); });
    const QString textSheet = pick(m_textSheets, [](const QString& s) { return s.isEmpty(); });
    const QPixmap pixmap = pick(m_pixmaps, [](const QPixmap& p) { return p.isNull(); });
    if (!sheet.isEmpty())
        m_bgLabel->setStyleSheet(sheet);
    if (!textSheet.isEmpty())
        m_textLabel->setStyleSheet(textSheet);
    m_iconLabel->setPixmap(pixmap);
}

void BgIconTextButton::showRest()
{
    if (!m_bEnabled)
        showLook(Disabled);
    else
        showLook(m_bChecked ? Checked : Normal);
}

void BgIconTextButton::setEnabled(bool enabled)
{
    QWidget::setEnabled(enabled);
    m_bEnabled = enabled;
    showRest();
}

void BgIconTextButton::setChecked(bool checked)
{
    m_bChecked = checked;
    showRest();
}

void BgIconTextButton::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (!m_bEnabled)
        return;
    showLook(Hover);
    emit mouseEnter();
}

void BgIconTextButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_bEnabled)
        return;
    showRest();
    emit mouseLeave();
}

void BgIconTextButton::mousePressEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    showLook(Hover);
    emit Pressclicked();
}

void BgIconTextButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    showRest();
    emit clicked();
    emit clicked(this);
}

void BgIconTextButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_bgLabel->setGeometry(rect());
}

} // namespace MyQtCustom

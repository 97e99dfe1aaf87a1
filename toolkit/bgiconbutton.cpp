#include "toolkit/bgiconbutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTransform>

namespace MyQtCustom {

namespace {

// Pictures larger than the button are shrunk to fit; smaller ones stay sharp.
QPixmap fitted(const QPixmap& pixmap, const QSize& size)
{
    if (pixmap.isNull() || size.isEmpty())
        return pixmap;
    if (pixmap.width() <= size.width() && pixmap.height() <= size.height())
        return pixmap;
    return pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

BgIconButton::BgIconButton(QWidget* parent)
    : QWidget(parent),
      m_bgLabel(new QLabel(this)),
      m_iconLabel(new QLabel(this))
{
    m_iconLabel->setAlignment(Qt::AlignCenter);
    for (QLabel* child : {m_bgLabel, m_iconLabel})
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BgIconButton::setBgStyeSheet(
    const QString& normal, const QString& hover, const QString& disabled, const QString& checked)
{
    m_sheets[Normal] = normal;
    m_sheets[Hover] = hover;
    m_sheets[Disabled] = disabled;
    m_sheets[Checked] = checked;
    showRest();
}

void BgIconButton::setIconPixmap(
    const QPixmap& normal, const QPixmap& hover, const QPixmap& disabled, const QPixmap& checked)
{
    m_sourcePixmaps[Normal] = m_pixmaps[Normal] = normal;
    m_sourcePixmaps[Hover] = m_pixmaps[Hover] = hover;
    m_sourcePixmaps[Disabled] = m_pixmaps[Disabled] = disabled;
    m_sourcePixmaps[Checked] = m_pixmaps[Checked] = checked;
    showRest();
}

void BgIconButton::setIconRotate(qreal degrees)
{
    // Always turned from the pictures as given, so repeated calls do not add up.
    QTransform turn;
    turn.rotate(degrees);
    for (Look look : {Normal, Hover, Disabled}) {
        const QPixmap& source = m_sourcePixmaps[look];
        m_pixmaps[look] = source.isNull() ? source : source.transformed(turn, Qt::SmoothTransformation);
    }
    showLook(m_look);
}

void BgIconButton::showPixmap(const QPixmap& pixmap)
{
    m_iconLabel->setPixmap(fitted(pixmap, size()));
}

void BgIconButton::showLook(Look look)
{
    m_look = look;
    if (!m_sheets[look].isEmpty())
        m_bgLabel->setStyleSheet(m_sheets[look]);
    showPixmap(lookPixmap(look));
}

void BgIconButton::showRest()
{
    if (!m_bEnabled) {
        showLook(Disabled);
        return;
    }
    if (!m_bChecked) {
        showLook(Normal);
        return;
    }
    m_look = Checked;
    const QString& sheet = m_sheets[m_sheets[Checked].isEmpty() ? Normal : Checked];
    if (!sheet.isEmpty())
        m_bgLabel->setStyleSheet(sheet);
    showPixmap(lookPixmap(Checked));
}

// A checked look without its own picture keeps the normal one.
const QPixmap& BgIconButton::lookPixmap(Look look) const
{
    if (look == Checked && m_pixmaps[Checked].isNull())
        return m_pixmaps[Normal];
    return m_pixmaps[look];
}

void BgIconButton::setEnabled(bool enabled)
{
    QWidget::setEnabled(enabled);
    m_bEnabled = enabled;
    showRest();
}

void BgIconButton::setChecked(bool checked)
{
    m_bChecked = checked;
    showRest();
}

void BgIconButton::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (!m_bEnabled)
        return;
    showLook(Hover);
    emit mouseEnter();
}

void BgIconButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_bEnabled)
        return;
    showRest();
    emit mouseLeave();
}

void BgIconButton::mousePressEvent(QMouseEvent* event)
{
    if (!m_bEnabled) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    showLook(Hover);
    emit Pressclicked();
}

void BgIconButton::mouseReleaseEvent(QMouseEvent* event)
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

void BgIconButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_bgLabel->setGeometry(rect());
    m_iconLabel->setGeometry(rect());
    showPixmap(lookPixmap(m_look));
}

} // namespace MyQtCustom

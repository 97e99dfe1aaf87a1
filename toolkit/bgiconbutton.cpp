#include "toolkit/bgiconbutton.h"

#include <QLabel>
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
    : StateButton<QWidget>(parent),
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

void BgIconButton::showLook(Look look)
{
    m_look = look;
    const Look sheetLook = (look == Checked && m_sheets[Checked].isEmpty()) ? Normal : look;
    if (!m_sheets[sheetLook].isEmpty())
        m_bgLabel->setStyleSheet(m_sheets[sheetLook]);
    const QPixmap& pixmap = m_pixmaps[(look == Checked && m_pixmaps[Checked].isNull()) ? Normal : look];
    m_iconLabel->setPixmap(m_bIconFollowsSize ? fitted(pixmap, size()) : pixmap);
}

void BgIconButton::showRest()
{
    showLook(!m_bEnabled ? Disabled : m_bChecked ? Checked : Normal);
}

void BgIconButton::setEnabled(bool enabled)
{
    setBothEnabled(enabled);
    showRest();
}

void BgIconButton::setChecked(bool checked)
{
    m_bChecked = checked;
    showRest();
}

void BgIconButton::mouseEntered()
{
    showLook(Hover);
    emit mouseEnter();
}

void BgIconButton::mouseLeft()
{
    showRest();
    emit mouseLeave();
}

void BgIconButton::mousePressed()
{
    showLook(Hover);
    emit Pressclicked();
}

void BgIconButton::mouseReleased()
{
    showRest();
    emitClicked();
}

void BgIconButton::emitClicked()
{
    emit clicked();
    emit clicked(this);
}

void BgIconButton::resizeEvent(QResizeEvent* event)
{
    StateButton<QWidget>::resizeEvent(event);
    m_bgLabel->setGeometry(rect());
    if (m_bIconFollowsSize) {
        m_iconLabel->setGeometry(rect());
        showLook(m_look);
    }
}

} // namespace MyQtCustom

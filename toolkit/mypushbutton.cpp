#include "toolkit/mypushbutton.h"

#include "toolkit/mylabel.h"

namespace MyQtCustom {

namespace {

void setWindowBrush(QWidget* target, const QBrush& brush)
{
    QPalette pal = target->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setBrush(group, QPalette::Window, brush);
    target->setPalette(pal);
    target->setAutoFillBackground(true);
}

} // namespace

MyPushButton::MyPushButton(QWidget* parent)
    : StateButton<QLabel>(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    QLabel::setAlignment(Qt::AlignCenter);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(174, 174, 174));
    setPalette(pal);
}

MyPushButton::~MyPushButton() = default;

void MyPushButton::SetPicture(
    const QString& normal, const QString& highlight, const QString& click, const QString& disable)
{
    const QString paths[4] = {normal, highlight, click, disable};
    useBgPixmap = false;
    for (int i = 0; i < 4; ++i) {
        m_picPath[i] = paths[i];
        if (!paths[i].isEmpty()) {
            const QPixmap picture(paths[i]);
            m_picRect[i] = QRect(0, 0, picture.width(), picture.height());
        }
    }
    SetPicAlignFlags(m_nAlignFlags);
}

void MyPushButton::setSpriteCells(const QPixmap& sheet, const SpriteCells::StateCells& cells)
{
    bgPixmap = sheet;
    useBgPixmap = true;
    m_picRect[Normal] = cells.normal;
    m_picRect[Highlight] = cells.highlight;
    m_picRect[Click] = cells.click;
    m_picRect[Disable] = cells.disable;
    SetPicAlignFlags(3);
}

void MyPushButton::SetnormalPicRect(int x, int y, int w, int h)
{
    m_picRect[Normal] = QRect(x, y, w, h);
}

void MyPushButton::SethighlightPicRect(int x, int y, int w, int h)
{
    m_picRect[Highlight] = QRect(x, y, w, h);
}

void MyPushButton::SetclickPicRect(int x, int y, int w, int h)
{
    m_picRect[Click] = QRect(x, y, w, h);
}

void MyPushButton::SetdisablePicRect(int x, int y, int w, int h)
{
    m_picRect[Disable] = QRect(x, y, w, h);
}

void MyPushButton::SetDefaultColor(QRgb normal, QRgb highlight, QRgb click, QRgb disable)
{
    m_defaultColor[Normal] = normal;
    m_defaultColor[Highlight] = highlight;
    m_defaultColor[Click] = click;
    m_defaultColor[Disable] = disable;
}

void MyPushButton::dropChildren()
{
    delete m_iconLabel;
    m_iconLabel = nullptr;
    delete m_textLabel;
    m_textLabel = nullptr;
    delete m_spareLabel;
    m_spareLabel = nullptr;
}

void MyPushButton::ensureIconLabel()
{
    if (!m_iconLabel) {
        m_iconLabel = new QLabel(this);
        m_iconLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_iconLabel->show();
}

void MyPushButton::ensureTextLabel()
{
    if (!m_textLabel) {
        m_textLabel = new QLabel(this);
        m_textLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    applyTextLabel();
    m_textLabel->show();
}

void MyPushButton::applyTextLabel()
{
    if (!m_textLabel)
        return;
    m_textLabel->setText(m_text);
    m_textLabel->setAlignment(m_textAlignment);
    if (m_bTextFontSet)
        m_textLabel->setFont(m_textFont);
    const QString& stateSheet = m_bEnabled ? m_enabledTextSheet : m_disabledTextSheet;
    if (!stateSheet.isEmpty())
        m_textLabel->setStyleSheet(stateSheet);
    else if (!m_textSheet.isEmpty())
        m_textLabel->setStyleSheet(m_textSheet);
}

void MyPushButton::SetPicAlignFlags(int flags)
{
    m_nAlignFlags = flags;
    const int w = width();
    const int h = height();
    switch (flags) {
    case 1:
    case 7:
        ensureIconLabel();
        ensureTextLabel();
        if (flags == 1 && !m_spareLabel) {
            m_spareLabel = new QLabel(this);
            m_spareLabel->hide();
        }
        if (m_imageRect.isValid())
            m_iconLabel->setGeometry(m_imageRect);
        if (m_textRect.isValid())
            m_textLabel->setGeometry(m_textRect);
        break;
    case 2:
        ensureIconLabel();
        ensureTextLabel();
        m_iconLabel->setGeometry(w - w / 4, 0, w / 4, h);
        m_textLabel->setGeometry(0, 0, w - w / 4, h);
        break;
    case 5:
        ensureIconLabel();
        ensureTextLabel();
        m_iconLabel->setGeometry(0, 0, w, h - 20);
        m_textLabel->setGeometry(0, h - 20, w, 20);
        m_textAlignment = Qt::AlignHCenter | Qt::AlignTop;
        m_textLabel->setAlignment(m_textAlignment);
        break;
    case 6: {
        delete m_iconLabel;
        m_iconLabel = nullptr;
        delete m_spareLabel;
        m_spareLabel = nullptr;
        if (!m_textLabel || !qobject_cast<MyLabel*>(m_textLabel)) {
            delete m_textLabel;
            auto* label = new MyLabel(this);
            // The label takes the press and release itself; its click is the button's.
            connect(label, &MyLabel::clicked, this, [this] {
                if (!m_bEnabled)
                    return;
                showState(Normal);
                emit clicked();
            });
            m_textLabel = label;
        }
        m_textLabel->setGeometry(0, 0, w, h);
        applyTextLabel();
        m_textLabel->show();
        break;
    }
    default: // 0, 3, 4 and anything else: the picture on the button itself
        dropChildren();
        break;
    }
    showState(m_bEnabled ? Normal : Disable);
}

void MyPushButton::showState(State state)
{
    QWidget* target = m_iconLabel ? static_cast<QWidget*>(m_iconLabel) : this;
    if (!useBgPixmap && m_picPath[Highlight].isEmpty()) {
        setWindowBrush(this, QColor::fromRgba(m_defaultColor[state]));
    } else {
        const QPixmap source = useBgPixmap ? bgPixmap : QPixmap(m_picPath[state]);
        QPixmap part = source.copy(m_picRect[state]);
        if (!part.isNull() && !target->size().isEmpty())
            part = part.scaled(target->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        setWindowBrush(target, QBrush(part));
        if (target == m_iconLabel)
            setAutoFillBackground(false);
    }
    if (m_nAlignFlags == 0)
        setAutoFillBackground(false);
    update();
}

void MyPushButton::setGeometry(int x, int y, int w, int h)
{
    QLabel::setGeometry(x, y, w, h);
    SetPicAlignFlags(m_nAlignFlags);
}

void MyPushButton::setGeometry(const QRect& rect)
{
    setGeometry(rect.x(), rect.y(), rect.width(), rect.height());
}

void MyPushButton::setEnabled(bool enabled)
{
    setBothEnabled(enabled);
    applyTextLabel();
    showState(enabled ? Normal : Disable);
}

void MyPushButton::setText(const QString& text)
{
    m_text = text;
    applyTextLabel();
}

void MyPushButton::setTextAlignment(Qt::Alignment alignment)
{
    m_textAlignment = alignment;
    applyTextLabel();
}

void MyPushButton::setTextFont(const QFont& font)
{
    m_textFont = font;
    m_bTextFontSet = true;
    applyTextLabel();
}

void MyPushButton::SetMyFont(const QString& styleSheet)
{
    m_textSheet = styleSheet;
    if (m_textLabel)
        m_textLabel->setStyleSheet(styleSheet);
}

void MyPushButton::setTextStyleSheets(const QString& enabledSheet, const QString& disabledSheet)
{
    m_enabledTextSheet = enabledSheet;
    m_disabledTextSheet = disabledSheet;
    applyTextLabel();
}

void MyPushButton::SetTextRect(int x, int y, int w, int h)
{
    m_textRect = QRect(x, y, w, h);
    if (m_textLabel)
        m_textLabel->setGeometry(m_textRect);
}

void MyPushButton::SetImageRect(int x, int y, int w, int h)
{
    m_imageRect = QRect(x, y, w, h);
    if (m_iconLabel) {
        m_iconLabel->setGeometry(m_imageRect);
        showState(m_bEnabled ? Normal : Disable);
    }
}

void MyPushButton::OtherMouseEnter()
{
    enterEvent(nullptr);
}

void MyPushButton::OtherMouseLeave()
{
    leaveEvent(nullptr);
}

void MyPushButton::mouseEntered()
{
    showState(Highlight);
    emit enterButton();
}

void MyPushButton::mouseLeft()
{
    showState(Normal);
    emit leaveButton();
}

void MyPushButton::mousePressed()
{
    showState(Click);
    emit Pressclicked();
}

void MyPushButton::mouseReleased()
{
    showState(Normal);
    emit clicked();
}

} // namespace MyQtCustom

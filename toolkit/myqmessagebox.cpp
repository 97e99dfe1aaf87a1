#include "toolkit/myqmessagebox.h"

#include "common/interfacescale.h"
#include "common/qcommonutils.h"
#include "toolkit/bgiconbutton.h"
#include "toolkit/labelbutton.h"
#include "toolkit/skinhelper.h"
#include "toolkit/spritecells.h"
#include "toolkit/windowutils.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMovie>
#include <QUrl>

using MyQtCustom::BgIconButton;
using MyQtCustom::LabelButton;
using MyQtCustom::QCommonUtils;
using MyQtCustom::WindowUtils;

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

QString builtInButtonSheet(const QString& border, const QString& text, const QString& background)
{
    return QStringLiteral("QLabel{border: 1px solid ") + border + QStringLiteral("; font-size:")
        + QString::number(px(14)) + QStringLiteral("px;color:") + text + QStringLiteral(";  background-color:")
        + background + QStringLiteral(";border-radius:") + QString::number(px(16)) + QStringLiteral("px;}");
}

LabelButton* makeButton(QWidget* parent, const QString& text, const QString& normal, const QString& hover)
{
    auto* button = new LabelButton(parent);
    button->setAlignment(Qt::AlignCenter);
    button->setText(text);
    button->setLabelStyleSheet(normal, hover, QString(), QString());
    QFont font = button->font();
    font.setPixelSize(px(14));
    const int textWidth = QFontMetrics(font).horizontalAdvance(text);
    const int width = qMax(px(80), qMax(px(120), textWidth + px(32)));
    button->resize(width, px(32));
    button->show();
    return button;
}

} // namespace

MyQMessageBox::MyQMessageBox(int width, int height, QWidget* parent)
    : QDialog(parent),
      m_panel(new QWidget(this)),
      m_closeButton(new BgIconButton(this))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(width, height);

    SkinHelper* skin = SkinHelper::GetInstance();
    m_panel->setStyleSheet(QStringLiteral("QWidget{border: 1px solid ") + skin->GetColor(QStringLiteral("line_color"))
        + QStringLiteral("; border-radius: 6px;background-color:") + skin->GetColor(QStringLiteral("bgcolor_main"))
        + QStringLiteral(";}"));

    const QPixmap close(SpriteCells::LoginClosePicture);
    m_closeButton->setIconPixmap(close.copy(SpriteCells::LoginCloseNormal), close.copy(SpriteCells::LoginCloseHover),
        close.copy(SpriteCells::LoginCloseDisabled), close.copy(SpriteCells::LoginCloseChecked));
    connect(m_closeButton, qOverload<>(&BgIconButton::clicked), this, &MyQMessageBox::closeButton_slots);

    const QPixmap icon(SpriteCells::ProgramPicture);
    if (!icon.isNull())
        setWindowIcon(QIcon(icon));
    const QString organisation = QCommonUtils::organisationName();
    const QString application = QCommonUtils::applicationName();
    if (!organisation.isEmpty() || !application.isEmpty())
        setWindowTitle(organisation + QLatin1Char(' ') + application);

    relayout();
}

MyQMessageBox::~MyQMessageBox() = default;

QString MyQMessageBox::buttonSheet(const QString& border, const QString& text, const QString& background)
{
    return builtInButtonSheet(border, text, background);
}

void MyQMessageBox::setPanelColours(const QString& border, const QString& background)
{
    m_panel->setStyleSheet(QStringLiteral("QWidget{border: 1px solid ") + border
        + QStringLiteral("; border-radius: 6px;background-color:") + background + QStringLiteral(";}"));
}

void MyQMessageBox::setTitle(const QString& title, const QString& styleSheet)
{
    if (!m_titleLabel) {
        m_titleLabel = new QLabel(this);
        m_titleLabel->setAlignment(Qt::AlignCenter);
    }
    m_titleLabel->setText(title);
    m_titleLabel->setStyleSheet(styleSheet.isEmpty()
            ? QStringLiteral("QLabel{font-size:") + QString::number(px(14)) + QStringLiteral("px;color:#333333;}")
            : styleSheet);
    m_titleLabel->show();
    m_bHasTitle = true;
    relayout();
}

void MyQMessageBox::hideTitle()
{
    if (m_titleLabel)
        m_titleLabel->hide();
    m_bHasTitle = false;
    relayout();
}

void MyQMessageBox::setText(const QString& text, const QPixmap& icon, const QString& styleSheet)
{
    if (!m_textLabel) {
        m_textLabel = new QLabel(this);
        m_textLabel->setWordWrap(true);
        m_textLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        m_textLabel->setOpenExternalLinks(false);
        connect(m_textLabel, &QLabel::linkActivated, this, &MyQMessageBox::OpenUrl_slots);
    }
    m_textLabel->setText(text);
    m_textLabel->setStyleSheet(styleSheet.isEmpty()
            ? QStringLiteral("QLabel{font-size:") + QString::number(px(14)) + QStringLiteral("px;color:#666666;}")
            : styleSheet);
    m_textLabel->show();

    if (!icon.isNull()) {
        if (!m_iconLabel) {
            m_iconLabel = new QLabel(this);
            m_iconLabel->setScaledContents(true);
        }
        m_iconLabel->setPixmap(icon);
        m_iconLabel->show();
    } else if (m_iconLabel) {
        m_iconLabel->hide();
    }
    relayout();
}

void MyQMessageBox::setWaitText(const QString& text, const QString& styleSheet)
{
    if (!m_waitMovie)
        m_waitMovie = new QMovie(SpriteCells::LoadingMovie, QByteArray(), this);
    m_waitMovie->jumpToFrame(0);
    setText(text, m_waitMovie->currentPixmap(), styleSheet);
    if (m_iconLabel) {
        m_iconLabel->setMovie(m_waitMovie);
        m_waitMovie->start();
    }
}

void MyQMessageBox::setButtons(const QString& okText, const QString& cancelText, const QString& okStyle,
    const QString& okHoverStyle, const QString& cancelStyle, const QString& cancelHoverStyle)
{
    delete m_okButton;
    m_okButton = nullptr;
    delete m_cancelButton;
    m_cancelButton = nullptr;

    if (!okText.isEmpty()) {
        m_okButton = makeButton(this, okText,
            okStyle.isEmpty()
                ? builtInButtonSheet(QStringLiteral("#ff0000"), QStringLiteral("#ffffff"), QStringLiteral("#ff0000"))
                : okStyle,
            okHoverStyle.isEmpty()
                ? builtInButtonSheet(QStringLiteral("#d91e1f"), QStringLiteral("#ffffff"), QStringLiteral("#d91e1f"))
                : okHoverStyle);
        connect(m_okButton, qOverload<>(&LabelButton::clicked), this, &MyQMessageBox::OKButton_slots);
    }
    if (!cancelText.isEmpty()) {
        m_cancelButton = makeButton(this, cancelText,
            cancelStyle.isEmpty()
                ? builtInButtonSheet(QStringLiteral("#838588"), QStringLiteral("#838588"), QStringLiteral("#ffffff"))
                : cancelStyle,
            cancelHoverStyle.isEmpty()
                ? builtInButtonSheet(QStringLiteral("#72767d"), QStringLiteral("#ffffff"), QStringLiteral("#72767d"))
                : cancelHoverStyle);
        connect(m_cancelButton, qOverload<>(&LabelButton::clicked), this, &MyQMessageBox::CancelButton_slots);
    }
    relayout();
}

// Places every part for the current contents. The height follows the text,
// so it is worked out again whenever the title, text or buttons change.
void MyQMessageBox::relayout()
{
    const int w = width();
    const bool hasButtons = m_okButton || m_cancelButton;

    if (m_textLabel) {
        const bool hasIcon = m_iconLabel && m_iconLabel->isVisibleTo(this);
        // Beside an icon the text keeps the same right margin as without one.
        const int textWidth = hasIcon ? w - px(120) : w - px(60);
        m_textLabel->ensurePolished();
        int textHeight = m_textLabel->heightForWidth(textWidth);
        if (textHeight < 0)
            textHeight = m_textLabel->sizeHint().height();
        const int top = px(48) + (m_bHasTitle ? px(48) : 0);
        if (hasIcon) {
            m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_textLabel->setGeometry(px(90), top, textWidth, textHeight);
            m_iconLabel->setGeometry(px(30), top + textHeight / 2 - px(24), px(48), px(48));
        } else {
            m_textLabel->setAlignment(Qt::AlignCenter);
            m_textLabel->setGeometry(px(30), top, textWidth, textHeight);
        }
        int height = textHeight + 2 * px(60) + px(12);
        if (m_bHasTitle)
            height += px(48);
        if (!hasButtons)
            height -= px(24);
        resize(w, height);
    }

    const int h = height();
    m_panel->setGeometry(rect());
    m_closeButton->setGeometry(w - px(35), px(12), px(24), px(24));
    m_closeButton->raise();
    if (m_titleLabel)
        m_titleLabel->setGeometry(px(48), px(12), w - px(96), px(36));

    const int buttonTop = h - px(54);
    const int centre = w / 2;
    if (m_okButton && m_cancelButton) {
        m_okButton->move(centre - px(20) - m_okButton->width(), buttonTop);
        m_cancelButton->move(centre + px(20), buttonTop);
    } else if (m_okButton) {
        m_okButton->move(centre - m_okButton->width() / 2, buttonTop);
    } else if (m_cancelButton) {
        m_cancelButton->move(centre - m_cancelButton->width() / 2, buttonTop);
    }
}

void MyQMessageBox::finish(int result)
{
    m_nResult = result;
    if (m_waitMovie)
        m_waitMovie->stop();
    close();
}

void MyQMessageBox::closeButton_slots()
{
    finish(0);
}

void MyQMessageBox::OKButton_slots()
{
    finish(1);
}

void MyQMessageBox::CancelButton_slots()
{
    finish(2);
}

void MyQMessageBox::OpenUrl_slots(const QString& link)
{
    // A link that no handler accepts is simply ignored.
    QCommonUtils::openUrl(QUrl(link));
}

void MyQMessageBox::hideEvent(QHideEvent* event)
{
    if (m_waitMovie)
        m_waitMovie->stop();
    QDialog::hideEvent(event);
}

QPixmap MyQMessageBox::iconForType(int iconType)
{
    switch (iconType) {
    case 0:
        return QPixmap(SpriteCells::LoginOk1Picture);
    case 1:
        return QPixmap(SpriteCells::LoginOk2Picture);
    case 2:
        return QPixmap(SpriteCells::LoginNo1Picture);
    default:
        return QPixmap();
    }
}

int MyQMessageBox::run(const QString& title, const QString& text, const QString& okText, const QString& cancelText,
    const QPixmap& icon, bool paletteButtons)
{
    MyQMessageBox box(px(480), px(252), nullptr);
    if (title.isEmpty())
        box.hideTitle();
    else
        box.setTitle(title, QString());
    box.setText(text, icon, QString());
    if (!okText.isEmpty() || !cancelText.isEmpty()) {
        if (paletteButtons) {
            const SkinHelper* skin = SkinHelper::GetInstance();
            const int font = px(14);
            const int radius = px(16);
            box.setButtons(okText, cancelText, skin->GetNormalButtonQSS(0, font, radius, 0, true, true, true, true),
                skin->GetLightButtonQSS(0, font, radius, 0, true, true, true, true),
                skin->GetNormalButtonQSS(1, font, radius, 0, true, true, true, true),
                skin->GetLightButtonQSS(1, font, radius, 0, true, true, true, true));
        } else {
            box.setButtons(okText, cancelText);
        }
    }
    WindowUtils::moveDialogToCenter(&box);
    box.exec();
    return box.m_nResult;
}

int MyQMessageBox::warning(
    const QString& title, const QString& text, const QString& okText, const QString& cancelText, const QPixmap& icon)
{
    return run(title, text, okText, cancelText, icon, false);
}

int MyQMessageBox::warning(
    const QString& title, const QString& text, const QString& okText, const QString& cancelText, int iconType)
{
    return run(title, text, okText, cancelText, iconForType(iconType), false);
}

int MyQMessageBox::information(
    const QString& title, const QString& text, const QString& okText, const QString& cancelText, const QPixmap& icon)
{
    return run(title, text, okText, cancelText, icon, true);
}

int MyQMessageBox::information(
    const QString& title, const QString& text, const QString& okText, const QString& cancelText, int iconType)
{
    return run(title, text, okText, cancelText, iconForType(iconType), true);
}

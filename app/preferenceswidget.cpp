#include "app/preferenceswidget.h"

#include "app/vcmanagerwidget.h"
#include "common/interfacescale.h"
#include "common/settingkeys.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/spritecells.h"
#include "ui/joblist/nofocusframedelegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>

using MyQtCustom::MyPushButton;

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

QString pxText(int units)
{
    return QString::number(InterfaceScale::px(units)) + QLatin1String("px");
}

RuntimeChoices* choices()
{
    if (VCManagerWidget* main = VCManagerWidget::instance())
        return main;
    return RuntimeChoices::current();
}

QComboBox* makeBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    box->setItemDelegate(new NoFocusFrameDelegate(box));
    box->setIconSize(QSize(px(16), px(16)));
    return box;
}

void refill(QComboBox* box, const QStringList& items, int current)
{
    const QIcon icon(SpriteCells::ItemArrowPicture);
    box->clear();
    for (const QString& item : items)
        box->addItem(icon, item);
    box->setCurrentIndex(current);
}

} // namespace

PreferencesWidget::PreferencesWidget(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(px(DialogWidth), px(DialogHeight));

    m_background = new QWidget(this);
    m_titleLabel = new QLabel(this);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_titleLine = new QWidget(this);
    m_closeButton = new MyPushButton(this);
    m_autoCheckUpdateBox = new QCheckBox(this);
    m_enableGPUCheckBox = new QCheckBox(this);
    m_autoaddSRTCheckBox = new QCheckBox(this);
    m_uiskinTypeLabel = new QLabel(this);
    m_uiskinTypeComboBox = makeBox(this);
    m_countVCLabel = new QLabel(this);
    m_countVCComboBox = makeBox(this);
    m_finishtodoLabel = new QLabel(this);
    m_finishtodoComboBox = makeBox(this);

    connect(m_closeButton, &MyPushButton::clicked, this, &PreferencesWidget::closeButton_slots);
    connect(m_autoCheckUpdateBox, &QCheckBox::stateChanged, this, &PreferencesWidget::autoCheckUpdateBox_slots);
    connect(m_enableGPUCheckBox, &QCheckBox::stateChanged, this, &PreferencesWidget::enableGPUCheckBox_slots);
    connect(m_autoaddSRTCheckBox, &QCheckBox::stateChanged, this, &PreferencesWidget::autoaddSRTCheckBox_slots);
    connect(m_countVCComboBox, QOverload<int>::of(&QComboBox::activated), this,
        &PreferencesWidget::countVCComboBox_slots);
    connect(m_uiskinTypeComboBox, QOverload<int>::of(&QComboBox::activated), this,
        &PreferencesWidget::uiskinTypeComboBox_slots);
    connect(m_finishtodoComboBox, QOverload<int>::of(&QComboBox::activated), this,
        &PreferencesWidget::finishtodoComboBox_slots);

    layoutChildren();
    applySkin();
    retranslate();
}

PreferencesWidget::~PreferencesWidget() = default;

void PreferencesWidget::layoutChildren()
{
    const int w = width();
    const int titleHeight = px(49);
    m_background->setGeometry(rect());
    m_titleLabel->setGeometry(0, 0, w, titleHeight);
    m_titleLine->setGeometry(1, titleHeight, w - 2, 1);
    m_closeButton->setGeometry(w - px(35), (titleHeight - px(20)) / 2, px(20), px(20));

    const int left = px(30);
    int y = titleHeight + px(30);
    for (QCheckBox* box : {m_autoCheckUpdateBox, m_enableGPUCheckBox, m_autoaddSRTCheckBox}) {
        box->setGeometry(left, y, qMin(box->sizeHint().width(), w - 2 * left), px(16));
        y += px(16) + px(12);
    }

    // Label and box pairs; each label as wide as its text.
    y += px(12);
    const int rowHeight = px(26);
    const int boxWidths[2] = {px(110), px(70)};
    QLabel* labels[3] = {m_uiskinTypeLabel, m_countVCLabel, m_finishtodoLabel};
    QComboBox* boxes[3] = {m_uiskinTypeComboBox, m_countVCComboBox, m_finishtodoComboBox};
    for (int i = 0; i < 3; ++i) {
        const int labelWidth = labels[i]->sizeHint().width();
        labels[i]->setGeometry(left, y, labelWidth, rowHeight);
        const int boxX = left + labelWidth + px(10);
        // Never narrower than the longest item, which translations lengthen.
        int boxWidth = qMax(i < 2 ? boxWidths[i] : 0, boxes[i]->sizeHint().width());
        if (i == 2) {
            // Ends where the box above it ends.
            const QRect above = boxes[1]->geometry();
            boxWidth = qMax(boxWidth, above.x() + above.width() - boxX);
        }
        boxes[i]->setGeometry(boxX, y, qMin(boxWidth, w - left - boxX), rowHeight);
        y += rowHeight + px(12);
    }
}

void PreferencesWidget::applySkin()
{
    const bool dark = choices()->m_skinType == 1;
    m_background->setStyleSheet(dark
            ? QStringLiteral("QWidget{border: 1px solid #040405; background-color:#2e3033;border-radius: 0px;}")
            : QStringLiteral("QWidget{border: 1px solid #cccccc; background-color:#ffffff;border-radius: 0px;}"));
    m_titleLine->setStyleSheet(dark ? QStringLiteral("QWidget{background-color:#393b3e;}")
                                    : QStringLiteral("QWidget{background-color:#cccccc;}"));

    const QString text = dark ? QStringLiteral("#e8e8e8") : QStringLiteral("#5b5b5b");
    m_titleLabel->setStyleSheet(QLatin1String("QLabel{font-size:") + pxText(16) + QLatin1String(";color:")
        + (dark ? QStringLiteral("#ffffff") : QStringLiteral("#333333")) + QLatin1String(";background:transparent;}"));
    QFont titleFont = m_titleLabel->font();
    titleFont.setWeight(60); // semi-bold
    m_titleLabel->setFont(titleFont);

    // The base style draws the indicator from the palette: its field from
    // Base, its outline from a darkened Window, its tick from Text.
    const QString checkSheet = QLatin1String("QCheckBox{font-size:") + pxText(12) + QLatin1String(";color:") + text
        + QLatin1String(";spacing:") + pxText(8) + QLatin1String(";}");
    for (QCheckBox* box : {m_autoCheckUpdateBox, m_enableGPUCheckBox, m_autoaddSRTCheckBox}) {
        // After the sheet: a new sheet restores the palette it first saw.
        box->setStyleSheet(checkSheet);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, dark ? QColor(0x20, 0x21, 0x24) : QColor(Qt::white));
        pal.setColor(QPalette::Window, dark ? QColor(0xa4, 0xa8, 0xae) : QColor(0xd6, 0xd6, 0xd6));
        box->setPalette(pal);
    }
    const QString labelSheet = QLatin1String("QLabel{font-size:") + pxText(12) + QLatin1String(";color:") + text
        + QLatin1String(";background:transparent;}");
    for (QLabel* label : {m_uiskinTypeLabel, m_countVCLabel, m_finishtodoLabel})
        label->setStyleSheet(labelSheet);

    const QString border = dark ? QStringLiteral("#393b3e") : QStringLiteral("#cccccc");
    const QString field = dark ? QStringLiteral("#202124") : QStringLiteral("#ffffff");
    const QString fieldText = dark ? QStringLiteral("#e8e8e8") : QStringLiteral("#333333");
    const QString boxSheet = QLatin1String("QComboBox{border:1px solid ") + border
        + QLatin1String(";border-radius:2px;background-color:") + field + QLatin1String(";color:") + fieldText
        + QLatin1String(";font-size:") + pxText(12) + QLatin1String(";padding-left:") + pxText(4)
        + QLatin1String(";}QComboBox QAbstractItemView{border:1px solid ") + border
        + QLatin1String(";background-color:") + field + QLatin1String(";color:") + fieldText
        + QLatin1String(";selection-background-color:#00a1e9;selection-color:#ffffff;outline:0px;}");
    for (QComboBox* box : {m_uiskinTypeComboBox, m_countVCComboBox, m_finishtodoComboBox})
        box->setStyleSheet(boxSheet);

    const SpriteCells::StateCells cells
        = SpriteCells::publicCells(SpriteCells::CloseColumn, dark ? SpriteCells::Dark : SpriteCells::Light);
    m_closeButton->setSpriteCells(VCManagerWidget::publicPixmap(), cells);
}

void PreferencesWidget::retranslate()
{
    const RuntimeChoices* c = choices();
    m_titleLabel->setText(tr("General Settings"));
    m_autoCheckUpdateBox->setText(tr("Automatically check for updates"));
    m_enableGPUCheckBox->setText(tr("Enable GPU decoded/encoded"));
    m_autoaddSRTCheckBox->setText(tr("Auto add the SRT file."));
    m_uiskinTypeLabel->setText(tr("UI Color:"));
    m_countVCLabel->setText(tr("Maximum number of active convert:"));
    m_finishtodoLabel->setText(tr("All the finished:"));

    m_autoCheckUpdateBox->setChecked(true);
    m_enableGPUCheckBox->setChecked(c->m_enableGPU);
    m_autoaddSRTCheckBox->setChecked(c->m_autoAddSrt);
    refill(m_uiskinTypeComboBox, {tr("Auto"), tr("Light"), tr("Dark")}, c->m_skinType == 1 ? 2 : 1);
    refill(m_countVCComboBox, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
        qBound(0, c->m_maxConvertCount - 1, 2));
    refill(m_finishtodoComboBox, {tr("None"), tr("Restart"), tr("Shutdown")}, qBound(0, c->m_finishAction, 2));

    // Labels take the width of their new texts.
    layoutChildren();
}

void PreferencesWidget::closeButton_slots()
{
    hide();
}

void PreferencesWidget::autoCheckUpdateBox_slots()
{
}

void PreferencesWidget::enableGPUCheckBox_slots()
{
    choices()->m_enableGPU = m_enableGPUCheckBox->isChecked();
}

void PreferencesWidget::autoaddSRTCheckBox_slots()
{
    choices()->m_autoAddSrt = m_autoaddSRTCheckBox->isChecked();
}

void PreferencesWidget::countVCComboBox_slots()
{
    choices()->m_maxConvertCount = m_countVCComboBox->currentIndex() + 1;
}

void PreferencesWidget::uiskinTypeComboBox_slots()
{
    static const int stored[3] = {-1, 0, 1};
    const int index = m_uiskinTypeComboBox->currentIndex();
    if (index < 0 || index > 2)
        return;
    QSettings(SettingKeys::Organisation, SettingKeys::Application)
        .setValue(SettingKeys::SkinType, QString::number(stored[index]));
    if (VCManagerWidget* main = VCManagerWidget::instance())
        main->loadSkin(true);
    applySkin();
    retranslate();
}

void PreferencesWidget::finishtodoComboBox_slots()
{
    choices()->m_finishAction = m_finishtodoComboBox->currentIndex();
}

void PreferencesWidget::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    m_bDragging = true;
    m_pressPos = QPoint(qRound(event->localPos().x()), qRound(event->localPos().y()));
}

void PreferencesWidget::mouseMoveEvent(QMouseEvent* event)
{
    QDialog::mouseMoveEvent(event);
    if (!m_bDragging)
        return;
    const QPoint now(qRound(event->localPos().x()), qRound(event->localPos().y()));
    setGeometry(geometry().translated(now - m_pressPos));
}

void PreferencesWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QDialog::mouseReleaseEvent(event);
    m_bDragging = false;
}

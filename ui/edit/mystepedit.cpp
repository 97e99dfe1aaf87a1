#include "ui/edit/mystepedit.h"

#include "common/interfacescale.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/spritecells.h"

#include <QLabel>

using MyQtCustom::MyPushButton;

namespace {

void cutArrow(MyPushButton* button, const SpriteCells::StateCells& c)
{
    button->setSpriteCells(QPixmap(SpriteCells::VcPublicSheet), c);
}

} // namespace

MyStepEdit::MyStepEdit(QWidget* valueWidget, QWidget* parent)
    : QWidget(parent)
    , m_frameLabel(new QLabel(this))
    , m_valueWidget(valueWidget)
    , m_upButton(new MyPushButton(this))
    , m_downButton(new MyPushButton(this))
{
    m_valueWidget->setParent(this);
    m_valueWidget->raise();
    cutArrow(m_upButton, SpriteCells::SpinUpArrow);
    cutArrow(m_downButton, SpriteCells::SpinDownArrow);
    connect(m_upButton, &MyPushButton::clicked, this, &MyStepEdit::uptimeButton_slots);
    connect(m_downButton, &MyPushButton::clicked, this, &MyStepEdit::downtimeButton_slots);
}

void MyStepEdit::setGeometry(int x, int y, int width, int height)
{
    QWidget::setGeometry(x, y, width, height);
    m_frameLabel->setGeometry(0, 0, width, height);
    m_valueWidget->setGeometry(InterfaceScale::px(2), 0, width - InterfaceScale::px(17), height);
    const int arrowX = width - InterfaceScale::px(15);
    const int arrowW = InterfaceScale::px(10);
    const int arrowH = InterfaceScale::px(8);
    // Centred pair; 3 and 12 from the top in the box's usual 23-pixel height.
    const int top = qMax(0, (height - 2 * arrowH - 1) / 2);
    m_upButton->setGeometry(arrowX, top, arrowW, arrowH);
    m_downButton->setGeometry(arrowX, top + arrowH + 1, arrowW, arrowH);
}

void MyStepEdit::setRange(qint64 min, qint64 max)
{
    m_nMin = min;
    m_nMax = max;
}

void MyStepEdit::applySkin(int skin)
{
    m_frameLabel->setStyleSheet(frameSheet(skin));
    m_valueWidget->setStyleSheet(valueSheet(skin));
    m_upButton->SetPicAlignFlags(3);
    m_downButton->SetPicAlignFlags(3);
}

void MyStepEdit::uptimeButton_slots()
{
    setValue(m_nValue + m_nStep);
    emit CurrentValueChanged();
}

void MyStepEdit::downtimeButton_slots()
{
    setValue(m_nValue - m_nStep);
    emit CurrentValueChanged();
}

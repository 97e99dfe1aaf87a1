#include "ui/edit/mytimeshowedit.h"

#include "common/qcommonutils.h"

#include <QLabel>

using MyQtCustom::QCommonUtils;

MyTimeShowEdit::MyTimeShowEdit(QWidget* parent)
    : MyStepEdit(new QLabel, parent)
    , m_valueLabel(static_cast<QLabel*>(m_valueWidget))
{
    m_nStep = 1000000;
    m_valueLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setValue(0);
}

void MyTimeShowEdit::setValue(qint64 t)
{
    m_nValue = t;
    m_valueLabel->setText(QCommonUtils::TimetoString(t));
}

QString MyTimeShowEdit::text() const
{
    return m_valueLabel->text();
}

QString MyTimeShowEdit::frameSheet(int) const
{
    return QStringLiteral("QLabel{border:1px solid #61707c;background:transparent;}");
}

QString MyTimeShowEdit::valueSheet(int skin) const
{
    return QStringLiteral("QLabel{font-size:13px;color:%1;background:transparent;border:none;}")
        .arg(skin == 1 ? QStringLiteral("#b9c8d3") : QStringLiteral("#333333"));
}

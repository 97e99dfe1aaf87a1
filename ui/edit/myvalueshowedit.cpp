#include "ui/edit/myvalueshowedit.h"

#include <QLineEdit>

MyValueShowEdit::MyValueShowEdit(QWidget* parent)
    : MyStepEdit(new QLineEdit, parent)
    , m_lineEdit(static_cast<QLineEdit*>(m_valueWidget))
{
    m_lineEdit->setFrame(false);
    m_lineEdit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_lineEdit, &QLineEdit::editingFinished, this, &MyValueShowEdit::typed);
    setValue(0);
}

void MyValueShowEdit::setValue(qint64 value)
{
    m_nValue = qBound(m_nMin, value, qMax(m_nMin, m_nMax));
    m_lineEdit->setText(QString::number(m_nValue));
    m_lineEdit->setModified(false);
}

void MyValueShowEdit::typed()
{
    // Leaving the box unchanged is not an edit.
    if (!m_lineEdit->isModified())
        return;
    bool ok = false;
    const qint64 v = m_lineEdit->text().trimmed().toLongLong(&ok);
    setValue(ok ? v : m_nValue);
    emit CurrentValueChanged();
}

QString MyValueShowEdit::frameSheet(int skin) const
{
    return QStringLiteral("QLabel{border:1px solid %1;background:transparent;}")
        .arg(skin == 1 ? QStringLiteral("#61707c") : QStringLiteral("#cccccc"));
}

QString MyValueShowEdit::valueSheet(int skin) const
{
    return QStringLiteral("QLineEdit{font-size:13px;color:%1;background:transparent;border:none;}")
        .arg(skin == 1 ? QStringLiteral("#b9c8d3") : QStringLiteral("#444444"));
}

#pragma once

#include "ui/edit/mystepedit.h"

class QLineEdit;

// An integer box for the crop rectangle: arrows, or a typed number confirmed
// with Enter or by leaving the box. The value always lies in the range.
class MyValueShowEdit : public MyStepEdit
{
    Q_OBJECT
    Q_DISABLE_COPY(MyValueShowEdit)

public:
    explicit MyValueShowEdit(QWidget* parent = nullptr);

    void setValue(qint64 value) override;
    QLineEdit* lineEdit() const { return m_lineEdit; }

protected:
    QString valueSheet(int skin) const override;
    QString frameSheet(int skin) const override;

private:
    void typed();

    QLineEdit* m_lineEdit = nullptr;
};

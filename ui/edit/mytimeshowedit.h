#pragma once

#include "ui/edit/mystepedit.h"

class QLabel;

// A time box for the trim start and end: hours, minutes and seconds, with
// arrows of one second. It keeps what it is given; the owner enforces limits.
class MyTimeShowEdit : public MyStepEdit
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTimeShowEdit)

public:
    explicit MyTimeShowEdit(QWidget* parent = nullptr);

    void setValue(qint64 t) override;
    QString text() const;

protected:
    QString valueSheet(int skin) const override;
    QString frameSheet(int skin) const override;

private:
    QLabel* m_valueLabel = nullptr;
};

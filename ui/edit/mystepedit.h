#pragma once

#include <QWidget>

class QLabel;
namespace MyQtCustom {
class MyPushButton;
}

// What the number box and the time box share: a framed value with an up and
// a down arrow beside it. The arrows add or take one step, show the result
// and emit CurrentValueChanged(), also when clamping kept the value.
class MyStepEdit : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyStepEdit)

public:
    void setGeometry(int x, int y, int width, int height);
    void setRange(qint64 min, qint64 max);
    virtual void setValue(qint64 value) = 0;
    qint64 value() const { return m_nValue; }
    void applySkin(int skin);

    qint64 m_nValue = 0;
    qint64 m_nMin = 0;
    qint64 m_nMax = 0;
    // What one arrow press adds or takes.
    qint64 m_nStep = 1;

signals:
    void CurrentValueChanged();

public slots:
    void uptimeButton_slots();
    void downtimeButton_slots();

protected:
    explicit MyStepEdit(QWidget* valueWidget, QWidget* parent);
    virtual QString valueSheet(int skin) const = 0;
    virtual QString frameSheet(int skin) const = 0;

    QLabel* m_frameLabel = nullptr;
    QWidget* m_valueWidget = nullptr;
    MyQtCustom::MyPushButton* m_upButton = nullptr;
    MyQtCustom::MyPushButton* m_downButton = nullptr;
};

#pragma once

#include "toolkit/mypushbutton.h"

namespace MyQtCustom {

// A picture button of its own type, so that style sheets and lookups can
// tell it apart; it behaves exactly like MyPushButton.
class MyPushButton2 : public MyPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPushButton2)

public:
    explicit MyPushButton2(QWidget* parent = nullptr);
};

} // namespace MyQtCustom

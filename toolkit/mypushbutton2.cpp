#include "toolkit/mypushbutton2.h"

namespace MyQtCustom {

MyPushButton2::MyPushButton2(QWidget* parent)
    : MyPushButton(parent)
{
}

} // namespace MyQtCustom

#include "toolkit/mylabel.h"

#include <QMouseEvent>

namespace MyQtCustom {

MyLabel::MyLabel(QWidget* parent)
    : QLabel(parent)
{
}

void MyLabel::mousePressEvent(QMouseEvent* event)
{
    // Taking the press makes this label receive the matching release.
    event->accept();
}

void MyLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit clicked();
}

} // namespace MyQtCustom

#include "toolkit/mytempbutton5.h"

namespace MyQtCustom {

MyTempButton5::MyTempButton5(QWidget* parent)
    : MyTempButton1(parent),
      m_textLabel(new QLabel(this))
{
    m_textLabel->setAlignment(Qt::AlignCenter);
    m_textLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MyTempButton5::SetnormalPicRect(int x, int y, int w, int h)
{
    m_picRect[0] = QRect(x, y, w, h);
}

void MyTempButton5::SethighlightPicRect(int x, int y, int w, int h)
{
    m_picRect[1] = QRect(x, y, w, h);
}

void MyTempButton5::SetclickPicRect(int x, int y, int w, int h)
{
    m_picRect[2] = QRect(x, y, w, h);
}

void MyTempButton5::SetdisablePicRect(int x, int y, int w, int h)
{
    m_picRect[3] = QRect(x, y, w, h);
}

void MyTempButton5::setMyText(const QString& text)
{
    m_textLabel->setText(text);
}

void MyTempButton5::showLook(Look look)
{
    m_look = look;
    int cell = 0;
    switch (look) {
    case Normal:
        cell = 0;
        break;
    case Hover:
        cell = 1;
        break;
    case Pressed:
        cell = 2;
        break;
    case Disabled:
        cell = 3;
        break;
    }
    QPixmap part = bgPixmap.copy(m_picRect[cell]);
    if (!part.isNull() && !size().isEmpty())
        part = part.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPalette pal = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setBrush(group, QPalette::Window, QBrush(part));
    setPalette(pal);
    setAutoFillBackground(true);
}

void MyTempButton5::mouseReleased()
{
    showLook(Normal);
    MyTempButton1::mouseReleased();
}

void MyTempButton5::resizeEvent(QResizeEvent* event)
{
    MyTempButton1::resizeEvent(event);
    m_textLabel->setGeometry(rect());
    showLook(m_look);
}

} // namespace MyQtCustom

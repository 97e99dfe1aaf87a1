#pragma once

#include "toolkit/mytempbutton1.h"

#include <QPixmap>

namespace MyQtCustom {

// A picture button with a text on top: each look is a cell of bgPixmap.
class MyTempButton5 : public MyTempButton1
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTempButton5)

public:
    explicit MyTempButton5(QWidget* parent = nullptr);

    void SetnormalPicRect(int x, int y, int w, int h);
    void SethighlightPicRect(int x, int y, int w, int h);
    void SetclickPicRect(int x, int y, int w, int h);
    void SetdisablePicRect(int x, int y, int w, int h);
    void setMyText(const QString& text);
    QLabel* textLabel() const { return m_textLabel; }

    QPixmap bgPixmap;

protected:
    void showLook(Look look) override;
    void mouseReleased() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect m_picRect[4]; // normal, highlight, click, disable
    QLabel* m_textLabel = nullptr;
    Look m_look = Normal;
};

} // namespace MyQtCustom

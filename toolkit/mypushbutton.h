#pragma once

#include "toolkit/spritecells.h"
#include "toolkit/statebutton.h"

#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QRgb>

namespace MyQtCustom {

// A picture button drawn by the toolkit itself: each look (normal, highlight
// while hovered, click while pressed, disable) is a rectangle cut from a
// picture, scaled to the button. It keeps its own enabled flag beside the
// framework's and ignores the mouse while that flag is off.
class MyPushButton : public StateButton<QLabel>
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPushButton)

public:
    explicit MyPushButton(QWidget* parent = nullptr);
    ~MyPushButton() override;

    void SetPicture(const QString& normal, const QString& highlight, const QString& click, const QString& disable);
    void SetnormalPicRect(int x, int y, int w, int h);
    void SethighlightPicRect(int x, int y, int w, int h);
    void SetclickPicRect(int x, int y, int w, int h);
    void SetdisablePicRect(int x, int y, int w, int h);
    void SetDefaultColor(QRgb normal, QRgb highlight, QRgb click, QRgb disable);
    void SetPicAlignFlags(int flags);
    // The four looks cut from one sprite sheet, centred.
    void setSpriteCells(const QPixmap& sheet, const SpriteCells::StateCells& cells);

    void setGeometry(int x, int y, int w, int h);
    void setGeometry(const QRect& rect);
    void setEnabled(bool enabled);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextAlignment(Qt::Alignment alignment);
    void setTextFont(const QFont& font);
    void SetMyFont(const QString& styleSheet);
    void setTextStyleSheets(const QString& enabledSheet, const QString& disabledSheet);
    void SetTextRect(int x, int y, int w, int h);
    void SetImageRect(int x, int y, int w, int h);

    void OtherMouseEnter();
    void OtherMouseLeave();

    QLabel* iconLabel() const { return m_iconLabel; }
    QLabel* textLabel() const { return m_textLabel; }

    // The sprite sheet given directly by the owner; used for every look while
    // useBgPixmap is true.
    QPixmap bgPixmap;
    bool useBgPixmap = false;

signals:
    void clicked();
    void Pressclicked();
    void enterButton();
    void leaveButton();

protected:
    enum State { Normal, Highlight, Click, Disable };

    void mouseEntered() override;
    void mouseLeft() override;
    void mousePressed() override;
    void mouseReleased() override;

    void showState(State state);

private:
    void dropChildren();
    void ensureIconLabel();
    void ensureTextLabel();
    void applyTextLabel();

    QString m_picPath[4];
    QRect m_picRect[4];
    QRgb m_defaultColor[4] = {qRgb(128, 128, 128), qRgb(211, 211, 211), qRgb(64, 64, 64), qRgb(128, 128, 128)};
    int m_nAlignFlags = 3;

    QLabel* m_iconLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    QLabel* m_spareLabel = nullptr;
    QString m_text;
    Qt::Alignment m_textAlignment = Qt::AlignCenter;
    QFont m_textFont;
    bool m_bTextFontSet = false;
    QString m_textSheet;
    QString m_enabledTextSheet;
    QString m_disabledTextSheet;
    QRect m_textRect;
    QRect m_imageRect;
};

} // namespace MyQtCustom

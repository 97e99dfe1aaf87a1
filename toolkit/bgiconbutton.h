#pragma once

#include "toolkit/statebutton.h"

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace MyQtCustom {

// A button made of a style-sheet background and an icon picture on top, each
// with a normal, hover, disabled and checked look.
class BgIconButton : public StateButton<QWidget>
{
    Q_OBJECT
    Q_DISABLE_COPY(BgIconButton)

public:
    explicit BgIconButton(QWidget* parent = nullptr);

    void setBgStyeSheet(const QString& normal, const QString& hover, const QString& disabled, const QString& checked);
    void setIconPixmap(const QPixmap& normal, const QPixmap& hover, const QPixmap& disabled, const QPixmap& checked);
    // Turns the normal, hover and disabled pictures (not the checked one).
    void setIconRotate(qreal degrees);
    void setEnabled(bool enabled);
    void setChecked(bool checked);
    bool isChecked() const { return m_bChecked; }

    QLabel* backgroundLabel() const { return m_bgLabel; }
    QLabel* iconLabel() const { return m_iconLabel; }

signals:
    void Pressclicked();
    void clicked();
    void clicked(BgIconButton* button);
    void mouseEnter();
    void mouseLeave();

protected:
    enum Look { Normal, Hover, Disabled, Checked };

    void mouseEntered() override;
    void mouseLeft() override;
    void mousePressed() override;
    void mouseReleased() override;
    void resizeEvent(QResizeEvent* event) override;

    // Shows one look; a checked look falls back to the normal style and
    // picture where it has none of its own.
    virtual void showLook(Look look);
    virtual void emitClicked();
    void showRest();
    // The icon covers the whole button and shrinks its picture to fit, unless
    // a subclass places it itself.
    void setIconFollowsSize(bool follows) { m_bIconFollowsSize = follows; }

    QLabel* m_bgLabel = nullptr;
    QLabel* m_iconLabel = nullptr;

private:
    QString m_sheets[4];
    QPixmap m_sourcePixmaps[4];
    QPixmap m_pixmaps[4];
    bool m_bChecked = false;
    bool m_bIconFollowsSize = true;
    Look m_look = Normal;
};

} // namespace MyQtCustom

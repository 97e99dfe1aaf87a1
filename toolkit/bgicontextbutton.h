#pragma once

#include "toolkit/bgiconbutton.h"

namespace MyQtCustom {

// A style-sheet background with an icon and a text placed by the owner; each
// of the three has a normal, hover, disabled and checked look.
class BgIconTextButton : public BgIconButton
{
    Q_OBJECT
    Q_DISABLE_COPY(BgIconTextButton)

public:
    explicit BgIconTextButton(QWidget* parent = nullptr);

    void setTextStyeSheet(const QString& normal, const QString& hover, const QString& disabled, const QString& checked);
    void setIconGeometry(int x, int y, int w, int h);
    void setTextGeometry(int x, int y, int w, int h);
    void setText(const QString& text);
    QString text() const;

    QLabel* textLabel() const { return m_textLabel; }

    using BgIconButton::clicked;

signals:
    void clicked(BgIconTextButton* button);

protected:
    void showLook(Look look) override;
    void emitClicked() override;

private:
    QLabel* m_textLabel = nullptr;
    QString m_textSheets[4];
};

} // namespace MyQtCustom

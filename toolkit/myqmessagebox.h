#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QMovie;
class QWidget;

namespace MyQtCustom {
class BgIconButton;
class LabelButton;
} // namespace MyQtCustom

// The toolkit's own modal message box: a frameless rounded panel with an
// optional title, a message with an optional icon, and up to two buttons.
// The static functions return 0 (closed without a button), 1 (OK) or 2 (Cancel).
class MyQMessageBox : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(MyQMessageBox)

public:
    MyQMessageBox(int width, int height, QWidget* parent = nullptr);
    ~MyQMessageBox() override;

    void setTitle(const QString& title, const QString& styleSheet = QString());
    void setText(const QString& text, const QPixmap& icon = QPixmap(), const QString& styleSheet = QString());
    void setButtons(const QString& okText, const QString& cancelText, const QString& okStyle = QString(),
        const QString& okHoverStyle = QString(), const QString& cancelStyle = QString(),
        const QString& cancelHoverStyle = QString());
    void setWaitText(const QString& text, const QString& styleSheet = QString());
    void hideTitle();
    // The panel's border and background, for a box that follows a skin
    // other than the palette's.
    void setPanelColours(const QString& border, const QString& background);
    // The style of the box's own rounded buttons in other colours.
    static QString buttonSheet(const QString& border, const QString& text, const QString& background);


    static int warning(const QString& title, const QString& text, const QString& okText, const QString& cancelText,
        const QPixmap& icon = QPixmap());
    static int warning(
        const QString& title, const QString& text, const QString& okText, const QString& cancelText, int iconType);
    static int information(const QString& title, const QString& text, const QString& okText, const QString& cancelText,
        const QPixmap& icon = QPixmap());
    static int information(
        const QString& title, const QString& text, const QString& okText, const QString& cancelText, int iconType);

    QLabel* titleLabel() const { return m_titleLabel; }
    QLabel* textLabel() const { return m_textLabel; }
    QLabel* iconLabel() const { return m_iconLabel; }
    MyQtCustom::LabelButton* okButton() const { return m_okButton; }
    MyQtCustom::LabelButton* cancelButton() const { return m_cancelButton; }
    MyQtCustom::BgIconButton* closeButton() const { return m_closeButton; }

public slots:
    void closeButton_slots();
    void OKButton_slots();
    void CancelButton_slots();
    void OpenUrl_slots(const QString& link);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    static int run(const QString& title, const QString& text, const QString& okText, const QString& cancelText,
        const QPixmap& icon, bool paletteButtons);
    static QPixmap iconForType(int iconType);

    void finish(int result);
    void relayout();

    int m_nResult = 0;
    bool m_bHasTitle = false;
    QWidget* m_panel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_waitLabel = nullptr;
    QMovie* m_waitMovie = nullptr;
    MyQtCustom::LabelButton* m_okButton = nullptr;
    MyQtCustom::LabelButton* m_cancelButton = nullptr;
    MyQtCustom::BgIconButton* m_closeButton = nullptr;
};

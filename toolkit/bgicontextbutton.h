#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace MyQtCustom {

// A style-sheet background with an icon and a text placed by the owner; each
// of the three has a normal, hover, disabled and checked look.
class BgIconTextButton : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(BgIconTextButton)

public:
    explicit BgIconTextButton(QWidget* parent = nullptr);

    void setBgStyeSheet(const QString& normal, const QString& hover, const QString& disabled, const QString& checked);
    void setTextStyeSheet(const QString& normal, const QString& hover, const QString& disabled, const QString& checked);
    void setIconPixmap(const QPixmap& normal, const QPixmap& hover, const QPixmap& disabled, const QPixmap& checked);
    void setIconRotate(qreal degrees);
    void setIconGeometry(int x, int y, int w, int h);
    void setTextGeometry(int x, int y, int w, int h);
    void setText(const QString& text);
    QString text() const;
    void setEnabled(bool enabled);
    bool isMyEnabled() const { return m_bEnabled; }
    void setChecked(bool checked);
    bool isChecked() const { return m_bChecked; }

    QLabel* iconLabel() const { return m_iconLabel; }
    QLabel* textLabel() const { return m_textLabel; }

signals:
    void Pressclicked();
    void clicked();
    void clicked(BgIconTextButton* button);
    void mouseEnter();
    void mouseLeave();

protected:
    enum Look { Normal, Hover, Disabled, Checked };

    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showLook(Look look);
    void showRest();

    QLabel* m_bgLabel = nullptr;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    QString m_sheets[4];
    QString m_textSheets[4];
    QPixmap m_sourcePixmaps[4];
    QPixmap m_pixmaps[4];
    bool m_bEnabled = true;
    bool m_bChecked = false;
    Look m_look = Normal;
};

} // namespace MyQtCustom

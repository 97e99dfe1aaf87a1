#pragma once

#include "common/pathservices.h"
#include "common/runtimechoices.h"

#include <QPoint>
#include <QWidget>

class QPixmap;
class TopWidget;

// The single top-level window. It carries the path services and the choices
// of the current run, so other parts reach them through instance().
class VCManagerWidget : public QWidget, public PathServices, public RuntimeChoices
{
    Q_OBJECT
    Q_DISABLE_COPY(VCManagerWidget)

public:
    static constexpr int WindowWidth = 1140;
    static constexpr int WindowHeight = 672;

    explicit VCManagerWidget(QWidget* parent = nullptr);
    ~VCManagerWidget() override;

    static VCManagerWidget* instance();
    static QString versionText();

    // The sprite sheets every picture button cuts from, loaded once per process.
    static const QPixmap& publicPixmap();
    static const QPixmap& vcPublicPixmap();
    static const QPixmap& widePublicPixmap();

    void loadSkin(bool apply);
    void layoutChildren();
    void applySkin();
    void retranslate();

    // Centres a dialog on this window; one that would leave the window's
    // screen is centred on that screen instead.
    void centerDialog(QWidget* dialog) const;
    static QPoint centeredPosition(const QRect& window, const QSize& dialog, const QRect& screen);

    TopWidget* topWidget() const { return m_topWidget; }
    QWidget* converterPage() const { return m_converterPage; }

public slots:
    void reLoadandLayout_slots();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* m_background = nullptr;
    // Stands where the converter page goes; the title bar comes after it so
    // that it lies on top.
    QWidget* m_converterPage = nullptr;
    TopWidget* m_topWidget = nullptr;

    bool m_bDragging = false;
    QPoint m_pressPos;
};

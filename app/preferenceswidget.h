#pragma once

#include <QDialog>
#include <QPoint>

class QCheckBox;
class QComboBox;
class QLabel;

namespace MyQtCustom {
class MyPushButton;
}

// "General Settings": edits the main window's choices for this run and the
// skin. Every change takes effect at once; only the skin is stored.
class PreferencesWidget : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(PreferencesWidget)

public:
    static constexpr int DialogWidth = 402;
    static constexpr int DialogHeight = 326;

    explicit PreferencesWidget(QWidget* parent = nullptr);
    ~PreferencesWidget() override;

    void layoutChildren();
    void applySkin();
    // Texts and values: the boxes are refilled and reselected from the main window.
    void retranslate();

    QCheckBox* autoCheckUpdateBox() const { return m_autoCheckUpdateBox; }
    QCheckBox* enableGPUCheckBox() const { return m_enableGPUCheckBox; }
    QCheckBox* autoaddSRTCheckBox() const { return m_autoaddSRTCheckBox; }
    QComboBox* uiskinTypeComboBox() const { return m_uiskinTypeComboBox; }
    QComboBox* countVCComboBox() const { return m_countVCComboBox; }
    QComboBox* finishtodoComboBox() const { return m_finishtodoComboBox; }

public slots:
    void closeButton_slots();
    void autoCheckUpdateBox_slots();
    void enableGPUCheckBox_slots();
    void autoaddSRTCheckBox_slots();
    void countVCComboBox_slots();
    void uiskinTypeComboBox_slots();
    void finishtodoComboBox_slots();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* m_background = nullptr;
    QLabel* m_titleLabel = nullptr;
    QWidget* m_titleLine = nullptr;
    MyQtCustom::MyPushButton* m_closeButton = nullptr;
    QCheckBox* m_autoCheckUpdateBox = nullptr;
    QCheckBox* m_enableGPUCheckBox = nullptr;
    QCheckBox* m_autoaddSRTCheckBox = nullptr;
    QLabel* m_uiskinTypeLabel = nullptr;
    QComboBox* m_uiskinTypeComboBox = nullptr;
    QLabel* m_countVCLabel = nullptr;
    QComboBox* m_countVCComboBox = nullptr;
    QLabel* m_finishtodoLabel = nullptr;
    QComboBox* m_finishtodoComboBox = nullptr;

    bool m_bDragging = false;
    QPoint m_pressPos;
};

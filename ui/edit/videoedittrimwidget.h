#pragma once

#include "ui/edit/videoeditbase.h"

class MyTimeShowEdit;
class MyTrimSlider;
namespace MyQtCustom {
class MyTempButton2;
}

// Chooses the part of a job's source that is converted. The record always
// holds whole seconds with 0 <= trimStart <= trimEnd - 1 s and trimEnd at
// most the length; an end at the end of the track is no end cut. Seeking
// the preview never writes the record.
class VideoEditTrimWidget : public VideoEditBase
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoEditTrimWidget)

public:
    explicit VideoEditTrimWidget(QWidget* parent = nullptr);

    MyTrimSlider* trimSliderWidget() const { return trimSlider; }
    MyTimeShowEdit* startEdit() const { return startTimeEdit; }
    MyTimeShowEdit* endEdit() const { return endTimeEdit; }
    MyQtCustom::MyTempButton2* reset() const { return resetButton; }
    // The length trims are measured against: the record's whole seconds,
    // else the player's, cut to whole seconds.
    qint64 trimLength() const { return m_nTrimLength; }

public slots:
    void resetButton_slots();
    void trimSlider_CurrentValueChanged_slots();
    void trimSlider_TrimValueChanged_slots();
    void startTimeEdit_ValueChanged_slots();
    void endTimeEdit_ValueChanged_slots();

protected:
    QString titleText() const override;
    void layoutEditControls(int panelWidth, int panelHeight) override;
    void skinEditControls(int skin) override;
    void retranslateEditControls() override;
    void loadRecordControls() override;
    void lengthKnown(qint64 length) override;
    qint64 positionValue() const override;
    void showPosition(qint64 t) override;

private:
    void commitRange();
    void showRange();
    void seekNear(qint64 t);

    QLabel* m_startLabel = nullptr;
    MyTimeShowEdit* startTimeEdit = nullptr;
    QLabel* m_endLabel = nullptr;
    MyTimeShowEdit* endTimeEdit = nullptr;
    MyQtCustom::MyTempButton2* resetButton = nullptr;
    MyTrimSlider* trimSlider = nullptr;
    qint64 m_nTrimLength = 0;
};

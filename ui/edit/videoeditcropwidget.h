#pragma once

#include "ui/edit/videoeditbase.h"

#include <QRect>

class MyValueShowEdit;
namespace MyQtCustom {
class MyTempButton2;
}

// Chooses the kept rectangle, a quarter-turn rotation and the two mirrors of
// one job. The rectangle always lies inside the picture with even x, y,
// width and height (ffmpeg rounds odd values on 4:2:0 sources), or is the
// whole picture.
class VideoEditCropWidget : public VideoEditBase
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoEditCropWidget)

public:
    explicit VideoEditCropWidget(QWidget* parent = nullptr);

    // The rectangle the record may hold for a picture of width x height.
    // `snapToFull` (drags) takes a side within 2 pixels of the whole as the
    // whole; a width or height below 1 is the whole.
    static QRect normalizedCrop(const QRect& crop, int width, int height, bool snapToFull);

    MyValueShowEdit* xEdit() const { return posXShowEdit; }
    MyValueShowEdit* yEdit() const { return posYShowEdit; }
    MyValueShowEdit* widthEdit() const { return widthShowEdit; }
    MyValueShowEdit* heightEdit() const { return heightShowEdit; }
    MyQtCustom::MyPushButton* flipY() const { return flipYButton; }
    MyQtCustom::MyPushButton* flipX() const { return flipXButton; }
    MyQtCustom::MyPushButton* rotateX() const { return rotateXButton; }
    MyQtCustom::MyPushButton* rotateY() const { return rotateYButton; }
    MyQtCustom::MyTempButton2* reset() const { return resetButton; }

    void syncCropControls();

public slots:
    void resetButton_slots();
    void flipYButton_slots();
    void flipXButton_slots();
    void rotateXButton_slots();
    void rotateYButton_slots();
    void posXShowEdit_ValueChanged_slots();
    void posYShowEdit_ValueChanged_slots();
    void widthShowEdit_ValueChanged_slots();
    void heightShowEdit_ValueChanged_slots();
    void renderwidget_CropChanged_slots(int x, int y, int width, int height);
    void renderwidget_doubleclicked_slots();

protected:
    QString titleText() const override;
    void layoutEditControls(int panelWidth, int panelHeight) override;
    void skinEditControls(int skin) override;
    void retranslateEditControls() override;
    void prepareSurface() override;
    void loadRecordControls() override;

private:
    bool hasPicture() const;
    void storeCrop(const QRect& crop);
    void showBoxes();
    void pictureChanged();

    MyQtCustom::MyPushButton* flipYButton = nullptr;
    MyQtCustom::MyPushButton* flipXButton = nullptr;
    MyQtCustom::MyPushButton* rotateXButton = nullptr;
    MyQtCustom::MyPushButton* rotateYButton = nullptr;
    QLabel* m_xLabel = nullptr;
    MyValueShowEdit* posXShowEdit = nullptr;
    QLabel* m_yLabel = nullptr;
    MyValueShowEdit* posYShowEdit = nullptr;
    QLabel* m_widthLabel = nullptr;
    MyValueShowEdit* widthShowEdit = nullptr;
    QLabel* m_heightLabel = nullptr;
    MyValueShowEdit* heightShowEdit = nullptr;
    MyQtCustom::MyTempButton2* resetButton = nullptr;
};

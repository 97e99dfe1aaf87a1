#pragma once

#include "ui/edit/videoeditbase.h"

#include <functional>

class QCheckBox;
namespace MyQtCustom {
class MyTempButton2;
}

// Adds an external audio track to one job and chooses whether the source's
// own audio is dropped. The preview plays the source only.
class VideoEditAudioWidget : public VideoEditBase
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoEditAudioWidget)

public:
    // Asks for one file: (parent, title, start folder, filter) -> path, empty
    // when cancelled. Tests replace it; by default the platform's dialog.
    using FileChooser = std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;
    static void setFileChooser(FileChooser chooser);

    explicit VideoEditAudioWidget(QWidget* parent = nullptr);

    QString pathText() const;
    QCheckBox* removeOriginalBox() const { return removeOriginalAudioCheckBox; }
    MyQtCustom::MyPushButton* deleteAudio() const { return deleteButton; }
    MyQtCustom::MyTempButton2* select() const { return selectButton; }

public slots:
    void selectButton_slots();
    void removeOriginalAudioCheckBox_slots();
    void deleteButton_slots();

protected:
    QString titleText() const override;
    void layoutEditControls(int panelWidth, int panelHeight) override;
    void skinEditControls(int skin) override;
    void retranslateEditControls() override;
    void loadRecordControls() override;

private:
    QLabel* m_captionLabel = nullptr;
    QLabel* m_pathFrame = nullptr;
    QLabel* m_pathLabel = nullptr;
    MyQtCustom::MyPushButton* deleteButton = nullptr;
    MyQtCustom::MyTempButton2* selectButton = nullptr;
    QCheckBox* removeOriginalAudioCheckBox = nullptr;
};

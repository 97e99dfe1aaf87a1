#pragma once

#include "ui/joblist/mytableitemwidget.h"

#include <QSize>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMovie;
class QRadioButton;
class VideoItemData;

namespace MyQtCustom {
class BgIconButton;
class LabelButton;
class MyLabel;
class MyPushButton;
} // namespace MyQtCustom

// One row of the job list. The list rebinds a small pool of rows to whichever
// jobs are in view, so a row owns nothing of its job: every refresh reads the
// job and its record afresh. It edits the job's state and subtitle directly
// and reports everything else through its signals.
class VideoItemWidget : public MyTableItemWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoItemWidget)

public:
    // Shows the single-file open dialog; tests put a stand-in in its place.
    using FileChooser
        = std::function<QString(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)>;
    static void setFileChooser(FileChooser chooser); // an empty one restores the dialog

    explicit VideoItemWidget(QWidget* parent = nullptr);
    ~VideoItemWidget() override;

    // The bound job, or null.
    VideoItemData* job() const;

    void LayoutItem() override;
    void FlushStyle() override;
    void LoadData() override;

    void showStatus();
    void showProgress();
    void updateSizeEstimate();

    // "45.67%" for 4567 hundredths of a percent.
    static QString progressText(int progress);
    // "2.3x" for a speed of 2.31 times real time.
    static QString speedText(double speed);

signals:
    void deleteitem(VideoItemWidget* row);
    void signal_removeAllAction();
    void updateConvert(VideoItemWidget* row);
    void srtStatusChange(VideoItemWidget* row);
    // The job's edits or subtitle changed (an editor closed, a subtitle
    // added or taken away).
    void jobEdited(VideoItemWidget* row);

public slots:
    void cutvButton_slots();
    void cropvButton_slots();
    void audiovButton_slots();
    void ctr_deleteButton_slots();
    void ctr_convertButton_slots();
    void ctr_openButton_slots();
    void srt_addButton_slots();
    void srt_delButton_slots();
    void srt_BurninButton_slots();
    void srt_softcodeButton_slots();
    void openAction_slots();
    void removeAction_slots();
    void removeAllAction_slots();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A heading and four icon + value pairs: format, duration, size, resolution.
    struct Facts
    {
        QLabel* heading = nullptr;
        QLabel* icons[4] = {};
        QLabel* values[4] = {};
    };
    enum Fact { FormatFact, DurationFact, SizeFact, ResolutionFact };

    void buildFacts(Facts& facts, const QString& name);
    void layoutFacts(Facts& facts, int x);
    void setTargetResolutionVisible(bool visible);
    void showThumbnail();
    void placeResult();
    void setElidedText(QLabel* label, const QString& text, Qt::TextElideMode mode);
    void stopJobAndDelete();
    void openOutputFolder();
    // The editors may only change a job that has not started.
    VideoItemData* editableJob() const;
    QString failureText() const;
    bool isDark() const;

    QLabel* m_pFileNameLabel = nullptr;
    QLabel* m_pThumbLabel = nullptr;
    Facts m_source;
    Facts m_target;
    QLabel* m_pArrowLabel = nullptr;

    MyQtCustom::BgIconButton* m_pCutButton = nullptr;
    MyQtCustom::BgIconButton* m_pCropButton = nullptr;
    MyQtCustom::BgIconButton* m_pAudioButton = nullptr;

    MyQtCustom::MyLabel* m_pSrtLabel = nullptr;
    MyQtCustom::LabelButton* m_pSrtAddButton = nullptr;
    MyQtCustom::BgIconButton* m_pSrtDelButton = nullptr;
    QRadioButton* m_pBurninButton = nullptr;
    QRadioButton* m_pSoftcodeButton = nullptr;

    MyQtCustom::MyPushButton* m_pDeleteButton = nullptr;
    MyQtCustom::MyPushButton* m_pConvertButton = nullptr;
    MyQtCustom::MyPushButton* m_pOpenButton = nullptr;
    QLabel* m_pLoadingLabel = nullptr;
    QMovie* m_pLoadingMovie = nullptr;
    QLabel* m_pStatusLabel = nullptr;

    QLabel* m_pProgressTrack = nullptr;
    QLabel* m_pProgressFill = nullptr;
    QLabel* m_pPercentLabel = nullptr;
    QLabel* m_pSpeedLabel = nullptr;
    QLabel* m_pTimeLeftLabel = nullptr;

    QLabel* m_pResultIcon = nullptr;
    QLabel* m_pResultLabel = nullptr;

    QMenu* m_pMenu = nullptr;
    QAction* m_pReasonAction = nullptr;
    QAction* m_pOpenAction = nullptr;
    QAction* m_pRemoveAction = nullptr;
    QAction* m_pRemoveAllAction = nullptr;

    // The picture the thumbnail shows and at what size, so that a refresh
    // does not read it again.
    QString m_shownThumbPath;
    QSize m_shownThumbSize;
    bool m_bThumbShown = false;
};

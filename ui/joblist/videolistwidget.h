#pragma once

#include <QWidget>

class ConvertQueue;
class MediaInfo;
class MyTableItemWidget;
class MyTableListWidget;
class OutputProfile;
class ProbeInfo;
class VideoItemData;
class VideoItemWidget;

// The converter page's job list. It owns the jobs, held in the order they
// were added as the recycling list's records (the only list of them), shows
// them through a pool of rows, and schedules them through its queue, which
// reads that same order.
class VideoListWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoListWidget)

public:
    static constexpr int RowCount = 20;

    explicit VideoListWidget(QWidget* parent = nullptr);
    ~VideoListWidget() override;

    // Makes a job of a probed file; the job owns both records. A file without
    // a media record cannot be converted: it is refused (false) and the
    // records are deleted.
    bool addVideoItem(const QString& sourcePath, MediaInfo* mediaInfo, const QString& thumbPath, OutputProfile* profile,
        ProbeInfo* probeInfo, const QString& srtPath);
    void setAllOutputProfile(OutputProfile* profile);
    void convertAll();
    int unfinishedCount() const;
    int jobCount() const;
    void stopAll();

    // Layout, skin and texts, in this order.
    void layoutChildren();
    void applySkin();
    void retranslate();

    VideoItemData* jobAt(int index) const;
    MyTableListWidget* tableList() const { return m_pTableList; }
    ConvertQueue* queue() const { return m_pQueue; }

signals:
    void convertsignal(bool converting);
    // A job reported progress or ended: the batch's time left may have changed.
    void progressChanged();
    // A job came or went, or its state, edits, subtitle or format changed:
    // what the saved job list keeps. Progress alone does not count.
    void jobsChanged();

public slots:
    void ItemWidget_updateConvert_slots(VideoItemWidget* row);
    void ItemWidget_deleteitem_slots(VideoItemWidget* row);
    void ItemWidget_srtStatusChange_slots(VideoItemWidget* row);
    void ItemWidgetRemoveAllItem_slots();
    void myTableListWidget_loadDataSingal(MyTableItemWidget* row);
    void VideoItemData_updateProgress_slots(VideoItemData* job);
    void VideoItemData_updateShow_slots(VideoItemData* job);
    void VideoItemData_updateFinished_slots(VideoItemData* job);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void makeRows();
    // The row showing `job`, or null when it is out of view.
    VideoItemWidget* rowOf(VideoItemData* job);
    void refreshRow(VideoItemWidget* row);
    void refreshAllRows();
    QList<VideoItemData*> jobs() const;

    QWidget* m_pBackground = nullptr;
    MyTableListWidget* m_pTableList = nullptr;
    ConvertQueue* m_pQueue = nullptr;
    bool m_bRowsCreated = false;
};

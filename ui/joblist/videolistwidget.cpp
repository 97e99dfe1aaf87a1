#include "ui/joblist/videolistwidget.h"

#include "common/interfacescale.h"
#include "common/runtimechoices.h"
#include "convert/convertqueue.h"
#include "convert/videoitemdata.h"
#include "ui/joblist/mytablelistwidget.h"
#include "ui/joblist/videoitemwidget.h"

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

} // namespace

VideoListWidget::VideoListWidget(QWidget* parent)
    : QWidget(parent),
      m_pBackground(new QWidget(this)),
      m_pTableList(new MyTableListWidget(this)),
      m_pQueue(new ConvertQueue(this))
{
    m_pTableList->setItemHeight(px(100));
    m_pQueue->setJobOrder([this] { return m_pTableList->privateDataCount(); },
        [this](int index) { return static_cast<VideoItemData*>(m_pTableList->privateDataAt(index)); });
    connect(m_pQueue, &ConvertQueue::convertsignal, this, &VideoListWidget::convertsignal);
    connect(m_pTableList, &MyTableListWidget::loadDataSingal, this, &VideoListWidget::myTableListWidget_loadDataSingal);
    layoutChildren();
    applySkin();
    retranslate();
}

VideoListWidget::~VideoListWidget()
{
    // The jobs go with the list; each ends its own ffmpeg.
    const QList<VideoItemData*> all = jobs();
    m_pTableList->clear();
    for (VideoItemData* job : all) {
        job->disconnect(this);
        delete job;
    }
}

QList<VideoItemData*> VideoListWidget::jobs() const
{
    QList<VideoItemData*> all;
    for (int i = 0; i < m_pQueue->jobCount(); ++i)
        all << m_pQueue->jobAt(i);
    return all;
}

VideoItemData* VideoListWidget::jobAt(int index) const
{
    return index >= 0 && index < jobCount() ? m_pQueue->jobAt(index) : nullptr;
}

int VideoListWidget::jobCount() const
{
    return m_pQueue->jobCount();
}

int VideoListWidget::unfinishedCount() const
{
    return m_pQueue->unfinishedCount();
}

// ---- jobs in and out -----------------------------------------------------------

bool VideoListWidget::addVideoItem(const QString& sourcePath, MediaInfo* mediaInfo, const QString& thumbPath,
    OutputProfile* profile, ProbeInfo* probeInfo, const QString& srtPath)
{
    if (!mediaInfo) {
        ConvertQueue::makeJob(sourcePath, mediaInfo, thumbPath, profile, probeInfo, srtPath);
        return false;
    }
    if (!m_bRowsCreated)
        makeRows();
    VideoItemData* job = ConvertQueue::makeJob(sourcePath, mediaInfo, thumbPath, profile, probeInfo, srtPath);
    connect(job, &VideoItemData::updateProgress, this, &VideoListWidget::VideoItemData_updateProgress_slots);
    connect(job, &VideoItemData::updateShow, this, &VideoListWidget::VideoItemData_updateShow_slots);
    connect(job, &VideoItemData::updateFinished, this, &VideoListWidget::VideoItemData_updateFinished_slots);
    m_pTableList->addPrivateData(job);
    emit jobsChanged();
    return true;
}

void VideoListWidget::makeRows()
{
    // Rows live on the list's canvas, so that they move when it scrolls.
    QWidget* canvas = m_pTableList->canvas();
    const int rowHeight = px(100);
    for (int i = 0; i < RowCount; ++i) {
        auto* row = new VideoItemWidget(canvas);
        row->setGeometry(px(10), -rowHeight, m_pTableList->width() - px(20), rowHeight);
        row->LayoutItem();
        row->LoadData();
        connect(row, &VideoItemWidget::updateConvert, this, &VideoListWidget::ItemWidget_updateConvert_slots);
        connect(row, &VideoItemWidget::deleteitem, this, &VideoListWidget::ItemWidget_deleteitem_slots);
        connect(row, &VideoItemWidget::signal_removeAllAction, this, &VideoListWidget::ItemWidgetRemoveAllItem_slots);
        connect(row, &VideoItemWidget::srtStatusChange, this, &VideoListWidget::ItemWidget_srtStatusChange_slots);
        connect(row, &VideoItemWidget::jobEdited, this, &VideoListWidget::jobsChanged);
        m_pTableList->addMyTableItemWidget(row);
    }
    m_pTableList->flushTableItems();
    m_bRowsCreated = true;
}

void VideoListWidget::ItemWidget_deleteitem_slots(VideoItemWidget* row)
{
    VideoItemData* job = row ? row->job() : nullptr;
    if (!job)
        return;
    emit convertsignal(true);
    m_pQueue->removeJobs({job}, [this, job] { m_pTableList->deletePrivateData(job); });
    emit jobsChanged();
}

void VideoListWidget::ItemWidgetRemoveAllItem_slots()
{
    m_pQueue->removeJobs(jobs(), [this] {
        m_pTableList->clear();
        refreshAllRows();
    });
    emit jobsChanged();
}

// ---- scheduling ----------------------------------------------------------------

void VideoListWidget::convertAll()
{
    m_pQueue->convertAll();
    refreshAllRows();
    emit jobsChanged();
}

void VideoListWidget::stopAll()
{
    m_pQueue->stopAll();
}

void VideoListWidget::setAllOutputProfile(OutputProfile* profile)
{
    m_pQueue->setAllOutputProfile(profile);
    refreshAllRows();
    emit jobsChanged();
}

void VideoListWidget::ItemWidget_updateConvert_slots(VideoItemWidget*)
{
    m_pQueue->startWaitingJobs();
    emit jobsChanged();
}

void VideoListWidget::ItemWidget_srtStatusChange_slots(VideoItemWidget* row)
{
    if (VideoItemData* job = row ? row->job() : nullptr) {
        m_pQueue->shareSubtitleMode(job);
        refreshAllRows();
        emit jobsChanged();
    }
}

void VideoListWidget::VideoItemData_updateFinished_slots(VideoItemData*)
{
    m_pQueue->startWaitingJobs();
    emit progressChanged();
}

// ---- rows ----------------------------------------------------------------------

VideoItemWidget* VideoListWidget::rowOf(VideoItemData* job)
{
    // The cached row is checked before use: it may show another job by now.
    auto* row = qobject_cast<VideoItemWidget*>(job->m_pItemWidget.data());
    if (row && row->job() == job)
        return row;
    row = static_cast<VideoItemWidget*>(m_pTableList->searchMyTableItemWidget(job));
    if (row)
        job->m_pItemWidget = row;
    return row;
}

void VideoListWidget::refreshRow(VideoItemWidget* row)
{
    row->showStatus();
    row->LayoutItem();
    row->LoadData();
    row->showProgress();
}

void VideoListWidget::refreshAllRows()
{
    for (MyTableItemWidget* item : m_pTableList->itemWidgets()) {
        auto* row = static_cast<VideoItemWidget*>(item);
        if (row->job())
            refreshRow(row);
    }
}

void VideoListWidget::myTableListWidget_loadDataSingal(MyTableItemWidget* item)
{
    auto* row = static_cast<VideoItemWidget*>(item);
    if (VideoItemData* job = row->job()) {
        job->m_pItemWidget = row;
        refreshRow(row);
    }
}

void VideoListWidget::VideoItemData_updateProgress_slots(VideoItemData* job)
{
    if (VideoItemWidget* row = rowOf(job))
        row->showProgress();
    emit progressChanged();
}

void VideoListWidget::VideoItemData_updateShow_slots(VideoItemData* job)
{
    if (VideoItemWidget* row = rowOf(job))
        refreshRow(row);
    // Sent on every change of state: a start, an end, a new format.
    emit jobsChanged();
}

// ---- layout, skin, texts -------------------------------------------------------

void VideoListWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void VideoListWidget::layoutChildren()
{
    m_pBackground->setGeometry(rect());
    m_pTableList->setGeometry(rect().adjusted(1, 1, -1, -1));
    const int rowWidth = m_pTableList->width() - px(20);
    for (MyTableItemWidget* row : m_pTableList->itemWidgets()) {
        row->setGeometry(px(10), row->y(), rowWidth, row->height());
        row->LayoutItem();
    }
    m_pTableList->flushTableItems();
}

void VideoListWidget::applySkin()
{
    const bool dark = RuntimeChoices::current()->m_skinType == 1;
    m_pBackground->setStyleSheet(dark ? QStringLiteral("QWidget{border: 1px solid #393b3e; border-radius: 2px;}")
                                      : QStringLiteral("QWidget{border: 1px solid #d8d7d6; border-radius: 2px;}"));
    m_pTableList->setBackgroundColor(dark ? QColor(0x20, 0x21, 0x24) : QColor(0xff, 0xff, 0xff));
    for (MyTableItemWidget* row : m_pTableList->itemWidgets())
        row->FlushStyle();
}

void VideoListWidget::retranslate()
{
    refreshAllRows();
    m_pTableList->FlushText();
}

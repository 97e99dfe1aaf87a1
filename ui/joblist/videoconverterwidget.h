#pragma once

#include "convert/outputprofile.h"
#include "convert/savedqueue.h"
#include "ui/joblist/finishcountdown.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

class GetMediaInfoThread;
class QComboBox;
class QLabel;
class QMimeData;
class QueueSaver;
class VideoListWidget;

namespace MyQtCustom {
class MyPushButton;
class MyTempButton2;
} // namespace MyQtCustom

// The main window's one page: adds files, probes them one at a time, hands
// each to the job list, and holds the output format and folder every job
// shares. It locks its controls while conversions run and carries out the
// finishing action once a batch has ended.
class VideoConverterWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoConverterWidget)

public:
    // The dialogs and the warning box, replaceable so that tests answer them.
    using FilesChooser = std::function<QStringList(
        QWidget* parent, const QString& caption, const QString& folder, const QString& filter)>;
    using FolderChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& folder)>;
    using Warner = std::function<void(const QString& title, const QString& text, const QString& okText)>;
    // A question with two buttons; returns 1 for the first, 2 for the
    // second, 0 when the box was closed otherwise.
    using Asker = std::function<int(
        const QString& title, const QString& text, const QString& okText, const QString& cancelText)>;
    // An empty one restores the default.
    static void setFilesChooser(FilesChooser chooser);
    static void setFolderChooser(FolderChooser chooser);
    static void setWarner(Warner warner);
    static void setAsker(Asker asker);

    explicit VideoConverterWidget(QWidget* parent = nullptr);
    ~VideoConverterWidget() override;

    // Queues the media files among `paths` for probing, in order; the others
    // are dropped. Each file becomes a job of its own once probed.
    void addFiles(const QStringList& paths);

    // Once, after the window shows: offers to restore the jobs the last
    // session left unfinished, or sets aside a saved list it cannot read.
    // From then on the list is saved after every change that matters.
    void offerSavedQueue();
    QueueSaver* queueSaver() const { return m_pQueueSaver; }
    // The jobs as the saved list keeps them, with restored ones still
    // waiting for their probe.
    SavedQueue savedQueueSnapshot() const;

    // The files a drop of `urls` adds: files as they are, and the media files
    // directly inside a folder (not in its subfolders), by name.
    static QStringList droppedFiles(const QList<QUrl>& urls);
    static bool hasLocalFiles(const QMimeData* mime);
    bool isDropHighlighted() const;

    // Layout, skin and texts, in this order; the texts step also restores
    // the stored output format.
    void layoutChildren();
    void applySkin();
    void retranslate();

    // The "Open File" filter: every media suffix, matched in any case.
    static QString mediaFilter();
    // Whether a file can be made in `folder`; tried with a new file of a
    // unique name that is removed again, so nothing there is touched.
    static bool isWritableFolder(const QString& folder);

    VideoListWidget* videoList() const { return m_pVideoList; }
    OutputProfile* outputProfile() { return &m_outputProfile; }
    QString currentFormat() const { return m_currentFormat; }
    bool isProbing() const { return m_bProbing; }
    int pendingCount() const { return m_pendingFiles.size(); }
    bool isLocked() const { return m_bLocked; }
    // Seconds the finishing action waits for a cancel; 60 unless a test
    // shortens it.
    void setFinishCountdownSeconds(int seconds) { m_nCountdownSeconds = seconds; }
    // The countdown before a restart or shutdown while it shows, else null.
    FinishCountdown* finishCountdown() const { return m_pCountdown; }
    // Files of the saved list waiting for their probe.
    int pendingRestoreCount() const;

signals:
    // After every probed file was handed to the list (or refused).
    void probingFinished();

public slots:
    void addfileButton_slots();
    void selectOutputButton_slots();
    void openOutputButton_slots();
    void convertAllButton_slots();
    void formatComoBox_slots();
    void convertsignal_slots(bool converting);
    void getVideoInfoThread_Finished();
    void updateBatchTimeLeft();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void restoreSavedQueue(const SavedQueue& saved);
    void setFormat(const QString& format);
    void showDropTarget(bool shown);
    void startGetMediaInfo(const QString& path, const QString& thumbnail, const QString& subtitle);
    void probeNextPending();
    void updateEmptyView();
    void restoreFormat();
    void showOutputFolder();
    void reportUnreadFiles();
    bool isDark() const;
    void startFinishCountdown(int action);

    VideoListWidget* m_pVideoList = nullptr;
    OutputProfile m_outputProfile;
    QString m_currentFormat = QStringLiteral("mp4");
    QStringList m_pendingFiles;
    QStringList m_pendingSubtitles;
    // Beside each pending file: what the saved list kept of it, if it comes from there.
    QList<std::optional<SavedQueue::Job>> m_pendingRestores;
    std::optional<SavedQueue::Job> m_probingRestore;
    QStringList m_unrestoredFiles;
    QueueSaver* m_pQueueSaver = nullptr;
    bool m_bQueueOffered = false;
    bool m_bSaveWarned = false;
    GetMediaInfoThread* m_pWorker = nullptr;
    // Set while a file is on the worker, cleared only at the end of the
    // finished handler: a file added in between waits for that handler.
    bool m_bProbing = false;
    QString m_probingSubtitle;
    QStringList m_unreadFiles;
    bool m_bLocked = false;
    // A conversion really ran since the page was last unlocked.
    bool m_bConversionRan = false;
    int m_nCountdownSeconds = 60;
    QPointer<FinishCountdown> m_pCountdown;

    QWidget* m_pHeader = nullptr;
    MyQtCustom::MyTempButton2* m_pAddButton = nullptr;
    QLabel* m_pOrganisationLabel = nullptr;
    QLabel* m_pTitleLabel = nullptr;

    QWidget* m_pDropTarget = nullptr;
    QLabel* m_pDropLabel = nullptr;

    QWidget* m_pEmptyPanel = nullptr;
    QLabel* m_pEmptyIcon = nullptr;
    QLabel* m_pEmptyLabel = nullptr;
    MyQtCustom::MyTempButton2* m_pEmptyAddButton = nullptr;

    QWidget* m_pBottomBar = nullptr;
    QLabel* m_pOutputFolderLabel = nullptr;
    QLabel* m_pOutputPathLabel = nullptr;
    MyQtCustom::MyTempButton2* m_pSelectOutputButton = nullptr;
    MyQtCustom::MyPushButton* m_pOpenOutputButton = nullptr;
    QLabel* m_pOutputFormatLabel = nullptr;
    QComboBox* m_pFormatBox = nullptr;
    MyQtCustom::MyTempButton2* m_pConvertAllButton = nullptr;
    QLabel* m_pBatchTimeLeftLabel = nullptr;
};

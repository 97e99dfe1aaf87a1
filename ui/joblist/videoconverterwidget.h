#pragma once

#include "convert/outputprofile.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class GetMediaInfoThread;
class QComboBox;
class QLabel;
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
    // An empty one restores the default.
    static void setFilesChooser(FilesChooser chooser);
    static void setFolderChooser(FolderChooser chooser);
    static void setWarner(Warner warner);

    explicit VideoConverterWidget(QWidget* parent = nullptr);
    ~VideoConverterWidget() override;

    // Queues the media files among `paths` for probing, in order; the others
    // are dropped. Each file becomes a job of its own once probed.
    void addFiles(const QStringList& paths);

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

private:
    void startGetMediaInfo(const QString& path, const QString& thumbnail, const QString& subtitle);
    void probeNextPending();
    void updateEmptyView();
    void restoreFormat();
    void showOutputFolder();
    void reportUnreadFiles();
    bool isDark() const;

    VideoListWidget* m_pVideoList = nullptr;
    OutputProfile m_outputProfile;
    QString m_currentFormat = QStringLiteral("mp4");
    QStringList m_pendingFiles;
    QStringList m_pendingSubtitles;
    GetMediaInfoThread* m_pWorker = nullptr;
    // Set while a file is on the worker, cleared only at the end of the
    // finished handler: a file added in between waits for that handler.
    bool m_bProbing = false;
    QString m_probingSubtitle;
    QStringList m_unreadFiles;
    bool m_bLocked = false;
    // A conversion really ran since the page was last unlocked.
    bool m_bConversionRan = false;

    QWidget* m_pHeader = nullptr;
    MyQtCustom::MyTempButton2* m_pAddButton = nullptr;
    QLabel* m_pOrganisationLabel = nullptr;
    QLabel* m_pTitleLabel = nullptr;

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
};

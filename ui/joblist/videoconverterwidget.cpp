#include "ui/joblist/videoconverterwidget.h"

#include "common/interfacescale.h"
#include "common/pathservices.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"
#include "common/settingkeys.h"
#include "convert/convertqueue.h"
#include "convert/videoitemdata.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "toolkit/iconhelper.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/myqmessagebox.h"
#include "toolkit/mytempbutton2.h"
#include "toolkit/spritecells.h"
#include "toolkit/windowutils.h"
#include "ui/joblist/finishcountdown.h"
#include "ui/joblist/nofocusframedelegate.h"
#include "ui/joblist/queuesaver.h"
#include "ui/joblist/videolistwidget.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrl>
#include <QtDebug>

#include <memory>
#include <utility>

using MyQtCustom::IconHelper;
using MyQtCustom::MyPushButton;
using MyQtCustom::MyTempButton2;
using MyQtCustom::QCommonUtils;

namespace {

// Shown at most once per process.
bool s_ffmpegWarned = false;

int px(int units)
{
    return InterfaceScale::px(units);
}

QString pxText(int units)
{
    return QString::number(px(units)) + QLatin1String("px");
}

const char* const Formats[5] = {"mp4", "mov", "mkv", "avi", "mp3"};

QStringList openFilesDialog(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    // The patterns are long and bracketed; the filter's name says enough.
    return QFileDialog::getOpenFileNames(
        parent, caption, folder, filter, nullptr, QFileDialog::HideNameFilterDetails);
}

QString openFolderDialog(QWidget* parent, const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(
        parent, caption, folder, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

void themedWarning(const QString& title, const QString& text, const QString& okText)
{
    MyQMessageBox::warning(title, text, okText, QString());
}

VideoConverterWidget::FilesChooser& filesChooser()
{
    static VideoConverterWidget::FilesChooser c = openFilesDialog;
    return c;
}

VideoConverterWidget::FolderChooser& folderChooser()
{
    static VideoConverterWidget::FolderChooser c = openFolderDialog;
    return c;
}

VideoConverterWidget::Warner& warner()
{
    static VideoConverterWidget::Warner w = themedWarning;
    return w;
}

int themedQuestion(const QString& title, const QString& text, const QString& okText, const QString& cancelText)
{
    return MyQMessageBox::information(title, text, okText, cancelText);
}

VideoConverterWidget::Asker& asker()
{
    static VideoConverterWidget::Asker a = themedQuestion;
    return a;
}

bool isMediaFile(const QString& path)
{
    return PathServices::isVideoFile(path) == 1 || PathServices::isAudioFile(path) == 1;
}

// Both skins: the bars take the title bar's colours, the centre shows the
// window's own background.
struct Palette
{
    const char* bar;
    const char* line;
    const char* text;
    const char* secondText;
    const char* field;
    const char* accentDisabled;
};

const Palette LightPalette{"#ffffff", "#e9eaeb", "#333333", "#888888", "#ffffff", "#a6dcf3"};
const Palette DarkPalette{"#17171a", "#393b3e", "#e8e8e8", "#8a8d93", "#202124", "#23506a"};

// The bottom bar has a line above it. The header has none: the title bar
// lies over its right end and would cut a line short.
QString barSheet(const Palette& c, const char* name, bool lineAbove)
{
    return QStringLiteral("QWidget#%1{background-color:%2;border:none;%3}")
        .arg(QLatin1String(name), QLatin1String(c.bar),
            lineAbove ? QStringLiteral("border-top:1px solid %1;").arg(QLatin1String(c.line)) : QString());
}

QString labelSheet(const char* colour, int fontSize, const char* extra = "")
{
    return QStringLiteral("QLabel{color:%1;font-size:%2;background:transparent;border:none;%3}")
        .arg(QLatin1String(colour), pxText(fontSize), QLatin1String(extra));
}

// Filled blue buttons with white text; `radius` rounds their corners.
void styleAccentButton(MyTempButton2* button, const Palette& c, int fontSize)
{
    const QString sheet = QStringLiteral(
        "QLabel{color:#ffffff;background-color:%1;border:none;border-radius:%2;font-size:%3;}");
    button->setStyleSheets(sheet.arg(QLatin1String("#01a4e5"), pxText(3), pxText(fontSize)),
        sheet.arg(QLatin1String("#1ab4f2"), pxText(3), pxText(fontSize)),
        sheet.arg(QLatin1String(c.accentDisabled), pxText(3), pxText(fontSize)));
}

void styleFrameButton(MyTempButton2* button, const Palette& c)
{
    const QString sheet = QStringLiteral(
        "QLabel{color:%1;background-color:%2;border:1px solid %3;border-radius:%4;font-size:%5;}");
    button->setStyleSheets(sheet.arg(QLatin1String(c.text), QLatin1String(c.field), QLatin1String(c.line),
                               pxText(2), pxText(12)),
        sheet.arg(QLatin1String(c.text), QLatin1String(c.field), QLatin1String("#01a4e5"), pxText(2), pxText(12)),
        sheet.arg(QLatin1String(c.secondText), QLatin1String(c.field), QLatin1String(c.line), pxText(2),
            pxText(12)));
}

} // namespace

void VideoConverterWidget::setFilesChooser(FilesChooser chooser)
{
    filesChooser() = chooser ? std::move(chooser) : FilesChooser(openFilesDialog);
}

void VideoConverterWidget::setFolderChooser(FolderChooser chooser)
{
    folderChooser() = chooser ? std::move(chooser) : FolderChooser(openFolderDialog);
}

void VideoConverterWidget::setWarner(Warner w)
{
    warner() = w ? std::move(w) : Warner(themedWarning);
}

void VideoConverterWidget::setAsker(Asker a)
{
    asker() = a ? std::move(a) : Asker(themedQuestion);
}

VideoConverterWidget::VideoConverterWidget(QWidget* parent)
    : QWidget(parent)
{
    m_outputProfile.format = m_currentFormat;

    m_pHeader = new QWidget(this);
    m_pHeader->setObjectName(QStringLiteral("pageHeader"));
    m_pHeader->setAttribute(Qt::WA_StyledBackground);
    m_pAddButton = new MyTempButton2(m_pHeader);
    m_pAddButton->setObjectName(QStringLiteral("addButton"));
    m_pOrganisationLabel = new QLabel(m_pHeader);
    m_pTitleLabel = new QLabel(m_pHeader);
    m_pTitleLabel->setObjectName(QStringLiteral("titleLabel"));

    m_pVideoList = new VideoListWidget(this);
    m_pEmptyPanel = new QWidget(this);
    m_pEmptyPanel->setObjectName(QStringLiteral("emptyPanel"));
    m_pEmptyPanel->setAttribute(Qt::WA_StyledBackground);
    m_pEmptyIcon = new QLabel(m_pEmptyPanel);
    m_pEmptyIcon->setAlignment(Qt::AlignCenter);
    m_pEmptyLabel = new QLabel(m_pEmptyPanel);
    m_pEmptyLabel->setAlignment(Qt::AlignCenter);
    m_pEmptyAddButton = new MyTempButton2(m_pEmptyPanel);
    m_pEmptyAddButton->setObjectName(QStringLiteral("emptyAddButton"));

    m_pBottomBar = new QWidget(this);
    m_pBottomBar->setObjectName(QStringLiteral("pageBottomBar"));
    m_pBottomBar->setAttribute(Qt::WA_StyledBackground);
    m_pOutputFolderLabel = new QLabel(m_pBottomBar);
    m_pOutputFolderLabel->setObjectName(QStringLiteral("outputFolderLabel"));
    m_pOutputPathLabel = new QLabel(m_pBottomBar);
    m_pOutputPathLabel->setObjectName(QStringLiteral("outputPathLabel"));
    m_pOutputPathLabel->setTextFormat(Qt::PlainText);
    m_pSelectOutputButton = new MyTempButton2(m_pBottomBar);
    m_pSelectOutputButton->setObjectName(QStringLiteral("selectOutputButton"));
    m_pOpenOutputButton = new MyPushButton(m_pBottomBar);
    m_pOpenOutputButton->setObjectName(QStringLiteral("openOutputButton"));
    m_pOpenOutputButton->setCursor(Qt::PointingHandCursor);
    m_pOutputFormatLabel = new QLabel(m_pBottomBar);
    m_pOutputFormatLabel->setObjectName(QStringLiteral("outputFormatLabel"));
    m_pFormatBox = new QComboBox(m_pBottomBar);
    m_pFormatBox->setObjectName(QStringLiteral("formatBox"));
    m_pFormatBox->setEditable(false);
    m_pFormatBox->setItemDelegate(new NoFocusFrameDelegate(m_pFormatBox));
    m_pConvertAllButton = new MyTempButton2(m_pBottomBar);
    m_pConvertAllButton->setObjectName(QStringLiteral("convertAllButton"));
    m_pBatchTimeLeftLabel = new QLabel(m_pBottomBar);
    m_pBatchTimeLeftLabel->setObjectName(QStringLiteral("batchTimeLeftLabel"));
    m_pBatchTimeLeftLabel->hide();

    // Over the list while a drag of files is over the page; the text sits on
    // a plate of its own so that the rows beneath do not run through it.
    m_pDropTarget = new QWidget(this);
    m_pDropTarget->setObjectName(QStringLiteral("dropTarget"));
    m_pDropTarget->setAttribute(Qt::WA_StyledBackground);
    m_pDropTarget->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pDropTarget->hide();
    m_pDropLabel = new QLabel(m_pDropTarget);
    m_pDropLabel->setObjectName(QStringLiteral("dropLabel"));
    m_pDropLabel->setAlignment(Qt::AlignCenter);
    setAcceptDrops(true);

    m_pQueueSaver = new QueueSaver([this] { return savedQueueSnapshot(); }, SavedQueue::defaultPath(), this);
    connect(m_pQueueSaver, &QueueSaver::saveFailed, this, [this](const QString& error) {
        // Once per run: the next change tries again, the user has heard.
        if (std::exchange(m_bSaveWarned, true))
            return;
        warner()(tr("Warning"),
            tr("The list of jobs could not be saved to %1: %2")
                .arg(QDir::toNativeSeparators(m_pQueueSaver->path()), error),
            tr("OK"));
    });
    connect(m_pVideoList, &VideoListWidget::jobsChanged, m_pQueueSaver, &QueueSaver::schedule);

    for (MyTempButton2* b : {m_pAddButton, m_pEmptyAddButton, m_pSelectOutputButton, m_pConvertAllButton}) {
        b->setAlignment(Qt::AlignCenter);
        b->setFrameShape(QFrame::NoFrame);
        b->setCursor(Qt::PointingHandCursor);
    }

    connect(m_pAddButton, qOverload<>(&MyTempButton2::clicked), this, &VideoConverterWidget::addfileButton_slots);
    connect(m_pEmptyAddButton, qOverload<>(&MyTempButton2::clicked), this,
        &VideoConverterWidget::addfileButton_slots);
    connect(m_pSelectOutputButton, qOverload<>(&MyTempButton2::clicked), this,
        &VideoConverterWidget::selectOutputButton_slots);
    connect(m_pOpenOutputButton, &MyPushButton::clicked, this, &VideoConverterWidget::openOutputButton_slots);
    connect(m_pConvertAllButton, qOverload<>(&MyTempButton2::clicked), this,
        &VideoConverterWidget::convertAllButton_slots);
    connect(m_pFormatBox, qOverload<int>(&QComboBox::activated), this, &VideoConverterWidget::formatComoBox_slots);
    connect(m_pVideoList, &VideoListWidget::convertsignal, this, &VideoConverterWidget::convertsignal_slots);
    connect(m_pVideoList, &VideoListWidget::progressChanged, this, &VideoConverterWidget::updateBatchTimeLeft);

    updateEmptyView();
}

VideoConverterWidget::~VideoConverterWidget()
{
    // The last changes, while the jobs are still there to be read; a failure
    // now is only logged, no box comes up while the window goes.
    m_pQueueSaver->disconnect(this);
    if (m_pQueueSaver->isPending())
        m_pQueueSaver->saveNow();
    // The worker's thread is joined before the list its results would reach.
    delete m_pWorker;
    m_pWorker = nullptr;
}

bool VideoConverterWidget::isDark() const
{
    return RuntimeChoices::current()->m_skinType == 1;
}

// ---- adding files ----------------------------------------------------------------

QString VideoConverterWidget::mediaFilter()
{
    static const QStringList patterns{QStringLiteral("*.mp4"), QStringLiteral("*.mpeg"), QStringLiteral("*.mpg"),
        QStringLiteral("*.asf"), QStringLiteral("*.avi"), QStringLiteral("*.dv"), QStringLiteral("*.flv"),
        QStringLiteral("*.m2ts"), QStringLiteral("*.m4v"), QStringLiteral("*.mkv"), QStringLiteral("*.mod"),
        QStringLiteral("*.mov"), QStringLiteral("*.mts"), QStringLiteral("*.ra"), QStringLiteral("*.3g2"),
        QStringLiteral("*.3gp"), QStringLiteral("*.rm"), QStringLiteral("*.rmvb"), QStringLiteral("*.td"),
        QStringLiteral("*.tod"), QStringLiteral("*.trp"), QStringLiteral("*.ts"), QStringLiteral("*.vob"),
        QStringLiteral("*.wmv"), QStringLiteral("*.aac"), QStringLiteral("*.ac3"), QStringLiteral("*.aiff"),
        QStringLiteral("*.amr"), QStringLiteral("*.ape"), QStringLiteral("*.flac"), QStringLiteral("*.iff"),
        QStringLiteral("*.m4a"), QStringLiteral("*.mka"), QStringLiteral("*.mp2"), QStringLiteral("*.mp3"),
        QStringLiteral("*.ogg"), QStringLiteral("*.wav"), QStringLiteral("*.wma"), QStringLiteral("*.webm")};
    return PathServices::anyCaseFilter(QStringLiteral("Media"), patterns);
}

void VideoConverterWidget::addfileButton_slots()
{
    const QString start = PathServices::getSettingFolder(SettingKeys::AddVideoPath);
    const QStringList chosen = filesChooser()(this, tr("Open File"), start, mediaFilter());
    if (chosen.isEmpty())
        return;
    const QString first = QDir::fromNativeSeparators(chosen.first());
    PathServices::setSettingValue(SettingKeys::AddVideoPath, first.left(first.lastIndexOf(QLatin1Char('/')) + 1));
    addFiles(chosen);
}

void VideoConverterWidget::addFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (PathServices::isVideoFile(path) != 1 && PathServices::isAudioFile(path) != 1)
            continue;
        QString subtitle;
        if (RuntimeChoices::current()->m_autoAddSrt) {
            const QFileInfo info(path);
            const QString name = info.fileName();
            const int dot = name.lastIndexOf(QLatin1Char('.'));
            const QString candidate = info.path() + QLatin1Char('/') + name.left(dot) + QLatin1String(".srt");
            const QFileInfo srt(candidate);
            // Anything shorter cannot hold a single cue.
            if (srt.isFile() && srt.size() >= 11)
                subtitle = candidate;
        }
        m_pendingFiles << path;
        m_pendingSubtitles << subtitle;
        m_pendingRestores << std::nullopt;
    }
    if (!m_bProbing)
        probeNextPending();
}

// Takes pending files off the lists until one is on the worker or none is left.
void VideoConverterWidget::probeNextPending()
{
    while (!m_bProbing && !m_pendingFiles.isEmpty()) {
        const QString path = m_pendingFiles.takeFirst();
        const QString subtitle = m_pendingSubtitles.takeFirst();
        m_probingRestore = m_pendingRestores.takeFirst();
        startGetMediaInfo(path, QString(), subtitle);
        // Without ffmpeg a saved job cannot come back; it is named, not lost unseen.
        if (!m_bProbing && m_probingRestore)
            m_unrestoredFiles << QDir::toNativeSeparators(path);
    }
    if (!m_bProbing) {
        reportUnreadFiles();
        emit probingFinished();
    }
    updateEmptyView();
}

void VideoConverterWidget::startGetMediaInfo(const QString& path, const QString& thumbnail, const QString& subtitle)
{
    if (PathServices::isVideoFile(path) != 1 && PathServices::isAudioFile(path) != 1)
        return;
    if (!QFileInfo::exists(PathServices::getFFmpegPath())) {
        if (!s_ffmpegWarned) {
            s_ffmpegWarned = true;
            warner()(tr("Warning"), tr("Lost the ffmpeg file, Please download and reinstall the application"),
                tr("OK"));
        }
        return;
    }
    QString thumbPath = thumbnail;
    if (thumbPath.isEmpty() || !QFileInfo::exists(thumbPath)) {
        const QString folder = PathServices::getTempFolder() + QLatin1String("/thumb");
        QDir().mkpath(folder);
        thumbPath = folder + QLatin1Char('/') + PathServices::getMd5String(path) + QLatin1String(".bmp");
    }
    if (!m_pWorker) {
        m_pWorker = new GetMediaInfoThread(this);
        connect(m_pWorker, &QThread::finished, this, &VideoConverterWidget::getVideoInfoThread_Finished);
    }
    m_pWorker->m_filePath = path;
    m_pWorker->m_thumbPath = thumbPath;
    m_pWorker->m_srtPath = subtitle;
    m_probingSubtitle = subtitle;
    m_bProbing = true;
    m_pWorker->start();
    updateEmptyView();
}

void VideoConverterWidget::getVideoInfoThread_Finished()
{
    if (!m_pWorker || !m_bProbing)
        return;
    // finished() comes while the thread is still winding down; a new start
    // before it has ended would be ignored.
    m_pWorker->wait();
    const QString path = m_pWorker->m_filePath;
    std::unique_ptr<MediaInfo> media = m_pWorker->takeMediaInfo();
    // ffmpeg describes even a file it cannot read; without a single stream
    // there is nothing to convert.
    if (media && media->hasVideo != 1 && media->hasAudio != 1)
        media.reset();
    ProbeInfo* probe = m_pWorker->takeProbeInfo().release();
    // The list owns the records from here on, also those it refuses.
    const bool added = m_pVideoList->addVideoItem(
        path, media.release(), m_pWorker->m_thumbPath, &m_outputProfile, probe, m_probingSubtitle);
    const std::optional<SavedQueue::Job> restore = std::exchange(m_probingRestore, std::nullopt);
    if (added && restore)
        restore->applyTo(m_pVideoList->jobAt(m_pVideoList->jobCount() - 1));
    else if (!added)
        (restore ? m_unrestoredFiles : m_unreadFiles) << QDir::toNativeSeparators(path);
    m_bProbing = false;
    probeNextPending();
}

void VideoConverterWidget::reportUnreadFiles()
{
    if (!m_unrestoredFiles.isEmpty()) {
        const QStringList names = std::exchange(m_unrestoredFiles, {});
        warner()(tr("Warning"),
            tr("These files of the last session no longer exist or could not be read, and were not restored:")
                + QLatin1Char('\n') + names.join(QLatin1Char('\n')),
            tr("OK"));
    }
    if (m_unreadFiles.isEmpty())
        return;
    const QStringList names = std::exchange(m_unreadFiles, {});
    warner()(tr("Warning"), tr("These files could not be read and were not added:") + QLatin1Char('\n')
            + names.join(QLatin1Char('\n')),
        tr("OK"));
}

// ---- the saved job list ----------------------------------------------------------------

SavedQueue VideoConverterWidget::savedQueueSnapshot() const
{
    SavedQueue queue;
    queue.outputFormat = m_currentFormat;
    for (int i = 0; i < m_pVideoList->jobCount(); ++i)
        queue.jobs << SavedQueue::Job::fromJob(*m_pVideoList->jobAt(i));
    // A crash during the restore must not lose the jobs not back yet.
    if (m_probingRestore)
        queue.jobs << *m_probingRestore;
    for (const std::optional<SavedQueue::Job>& job : m_pendingRestores) {
        if (job)
            queue.jobs << *job;
    }
    return queue;
}

int VideoConverterWidget::pendingRestoreCount() const
{
    int n = m_probingRestore ? 1 : 0;
    for (const std::optional<SavedQueue::Job>& job : m_pendingRestores)
        n += job ? 1 : 0;
    return n;
}

void VideoConverterWidget::offerSavedQueue()
{
    if (std::exchange(m_bQueueOffered, true))
        return;
    const QString path = m_pQueueSaver->path();
    SavedQueue saved;
    QString error;
    switch (saved.load(path, &error)) {
    case SavedQueue::NoFile:
        break;
    case SavedQueue::Damaged: {
        const QString aside = SavedQueue::setAside(path);
        qWarning().noquote() << QStringLiteral("The saved job list %1 could not be read (%2); %3")
                                    .arg(path, error,
                                        aside.isEmpty() ? QStringLiteral("it could not be moved and is kept as it is")
                                                        : QStringLiteral("moved to ") + aside);
        // Rather no saving this run than writing over what could not be moved.
        if (aside.isEmpty())
            return;
        break;
    }
    case SavedQueue::Read:
        if (saved.unfinishedCount() > 0) {
            const int answer = asker()(tr("Restore Jobs"),
                tr("%1 jobs were left unfinished when the program last ended. Restore them to the list?")
                    .arg(saved.unfinishedCount()),
                tr("Restore"), tr("Discard"));
            m_pQueueSaver->setEnabled(true);
            if (answer == 1)
                restoreSavedQueue(saved);
            else
                m_pQueueSaver->saveNow();
            return;
        }
        break;
    }
    m_pQueueSaver->setEnabled(true);
}

void VideoConverterWidget::restoreSavedQueue(const SavedQueue& saved)
{
    if (!saved.outputFormat.isEmpty() && saved.outputFormat != m_currentFormat)
        setFormat(saved.outputFormat);
    for (const SavedQueue::Job& job : saved.jobs) {
        if (job.isFinished())
            continue;
        // Jobs come back ready; one that was converting starts over under a
        // new output name, since its partial file holds the old one.
        if (!isMediaFile(job.sourcePath) || !QFileInfo(job.sourcePath).isFile()) {
            m_unrestoredFiles << QDir::toNativeSeparators(job.sourcePath);
            continue;
        }
        m_pendingFiles << job.sourcePath;
        m_pendingSubtitles << job.srtPath;
        m_pendingRestores << job;
    }
    m_pQueueSaver->schedule();
    if (!m_bProbing)
        probeNextPending();
}

// ---- output format and folder ------------------------------------------------------

void VideoConverterWidget::formatComoBox_slots()
{
    const int index = m_pFormatBox->currentIndex();
    m_currentFormat = QLatin1String(index >= 0 && index < 5 ? Formats[index] : Formats[0]);
    m_outputProfile.format = m_currentFormat;
    m_pVideoList->setAllOutputProfile(&m_outputProfile);
    PathServices::setSettingValue(SettingKeys::VideoConvertFormat, m_currentFormat);
}

// As if chosen in the box.
void VideoConverterWidget::setFormat(const QString& format)
{
    for (int i = 0; i < 5; ++i) {
        if (format != QLatin1String(Formats[i]))
            continue;
        if (i < m_pFormatBox->count())
            m_pFormatBox->setCurrentIndex(i);
        m_currentFormat = format;
        m_outputProfile.format = m_currentFormat;
        m_pVideoList->setAllOutputProfile(&m_outputProfile);
        PathServices::setSettingValue(SettingKeys::VideoConvertFormat, m_currentFormat);
    }
}

// ---- drag and drop -----------------------------------------------------------------------

bool VideoConverterWidget::hasLocalFiles(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return false;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            return true;
    }
    return false;
}

QStringList VideoConverterWidget::droppedFiles(const QList<QUrl>& urls)
{
    QStringList files;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const QFileInfo info(path);
        if (!info.isDir()) {
            files << path;
            continue;
        }
        // One level only: a dropped folder of folders (a whole disk) would
        // otherwise queue thousands of files by surprise.
        const QFileInfoList entries
            = QDir(path).entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& entry : entries) {
            if (isMediaFile(entry.fileName()))
                files << entry.filePath();
        }
    }
    return files;
}

bool VideoConverterWidget::isDropHighlighted() const
{
    return m_pDropTarget->isVisibleTo(this);
}

void VideoConverterWidget::showDropTarget(bool shown)
{
    m_pDropTarget->setVisible(shown);
    if (shown)
        m_pDropTarget->raise();
}

// Refused while converting, as the header's "+ Add Video" is.
void VideoConverterWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_bLocked || !hasLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    showDropTarget(true);
}

void VideoConverterWidget::dragMoveEvent(QDragMoveEvent* event)
{
    const bool welcome = !m_bLocked && hasLocalFiles(event->mimeData());
    if (welcome)
        event->acceptProposedAction();
    else
        event->ignore();
    showDropTarget(welcome);
}

void VideoConverterWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    showDropTarget(false);
    event->accept();
}

void VideoConverterWidget::dropEvent(QDropEvent* event)
{
    showDropTarget(false);
    if (m_bLocked || !hasLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    addFiles(droppedFiles(event->mimeData()->urls()));
}

void VideoConverterWidget::restoreFormat()
{
    const QString texts[5] = {tr("MP4"), tr("MOV"), tr("MKV"), tr("AVI"), tr("MP3")};
    const QIcon icon(SpriteCells::ItemArrowPicture);
    m_pFormatBox->clear();
    for (const QString& text : texts)
        m_pFormatBox->addItem(icon, text);

    const QString stored = QSettings(SettingKeys::Organisation, SettingKeys::Application)
                               .value(SettingKeys::VideoConvertFormat, QStringLiteral("mp4"))
                               .toString();
    int index = 0;
    for (int i = 0; i < 5; ++i) {
        if (stored == QLatin1String(Formats[i]))
            index = i;
    }
    m_pFormatBox->setCurrentIndex(index);
    m_currentFormat = QLatin1String(Formats[index]);
    m_outputProfile.format = m_currentFormat;
}

void VideoConverterWidget::selectOutputButton_slots()
{
    if (m_bLocked)
        return;
    const QString start = PathServices::getSettingFolder(SettingKeys::ConvertOutFolder);
    QString chosen = folderChooser()(this, tr("Open Directory"), start);
    if (chosen.isEmpty())
        return;
    chosen.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!isWritableFolder(chosen))
        return;
    RuntimeChoices::current()->m_outFolder = chosen;
    PathServices::setSettingValue(SettingKeys::ConvertOutFolder, chosen);
    showOutputFolder();
    m_pVideoList->setAllOutputProfile(&m_outputProfile);
}

bool VideoConverterWidget::isWritableFolder(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QLatin1String("/.morvayne-write-test-XXXXXX"));
    probe.setAutoRemove(true);
    return probe.open() && QFileInfo::exists(probe.fileName());
}

void VideoConverterWidget::openOutputButton_slots()
{
    const QString folder = RuntimeChoices::current()->m_outFolder;
    if (!folder.isEmpty())
        QCommonUtils::openUrl(QUrl::fromLocalFile(QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/'))));
}

void VideoConverterWidget::showOutputFolder()
{
    const QString folder = QDir::toNativeSeparators(RuntimeChoices::current()->m_outFolder);
    m_pOutputPathLabel->setText(m_pOutputPathLabel->fontMetrics().elidedText(
        folder, Qt::ElideMiddle, qMax(0, m_pOutputPathLabel->width() - px(8))));
    m_pOutputPathLabel->setToolTip(folder);
}

// ---- converting ----------------------------------------------------------------------

void VideoConverterWidget::convertAllButton_slots()
{
    if (m_bLocked)
        return;
    m_pVideoList->convertAll();
}

void VideoConverterWidget::convertsignal_slots(bool converting)
{
    for (int i = 0; converting && i < m_pVideoList->jobCount(); ++i) {
        if (m_pVideoList->jobAt(i)->m_nState == VideoItemData::Converting)
            m_bConversionRan = true;
    }
    m_pAddButton->setEnabled(!converting);
    m_pSelectOutputButton->setEnabled(!converting);
    m_pConvertAllButton->setEnabled(!converting);
    m_pFormatBox->setEnabled(!converting);

    // Every pass that leaves nothing converting says false, also after a
    // deletion or an empty "Convert All": only the end of a batch that
    // really converted something finishes.
    const bool batchEnded = m_bLocked && !converting && m_bConversionRan;
    m_bLocked = converting;
    if (!converting)
        m_bConversionRan = false;
    if (batchEnded) {
        const int action = RuntimeChoices::current()->m_finishAction;
        if (action == RuntimeChoices::FinishRestart || action == RuntimeChoices::FinishShutdown)
            startFinishCountdown(action);
    }
    updateEmptyView();
    updateBatchTimeLeft();
}

// The box is not run in a loop of its own: this is reached from a job's end
// notice, which must return. It belongs to the page, so a page that goes
// takes the countdown with it before it can run anything.
void VideoConverterWidget::startFinishCountdown(int action)
{
    if (m_pCountdown && m_pCountdown->isVisible())
        return;
    auto* box = new FinishCountdown(action, m_nCountdownSeconds, isDark(), this);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QDialog::finished, box, &QObject::deleteLater);
    m_pCountdown = box;
    MyQtCustom::WindowUtils::moveDialogToCenter(box);
    box->show();
}

void VideoConverterWidget::updateBatchTimeLeft()
{
    const qint64 left = m_bLocked ? m_pVideoList->queue()->batchTimeLeft() : -1;
    if (left >= 0)
        m_pBatchTimeLeftLabel->setText(tr("Time left: %1").arg(QCommonUtils::TimetoString(left)));
    m_pBatchTimeLeftLabel->setVisible(left >= 0);
}

// ---- layout, skin, texts ---------------------------------------------------------------

void VideoConverterWidget::updateEmptyView()
{
    const bool any = m_pVideoList->jobCount() > 0;
    m_pEmptyPanel->setVisible(!any);
    m_pVideoList->setVisible(any);
    m_pBottomBar->setVisible(any);
    m_pOutputFormatLabel->setVisible(any);
    m_pFormatBox->setVisible(any);
}

void VideoConverterWidget::layoutChildren()
{
    const int w = width();
    const int h = height();
    const int headerHeight = px(72);
    const int barHeight = px(59);
    const int barTop = h - px(2) - barHeight;

    m_pHeader->setGeometry(0, 0, w, headerHeight);
    m_pAddButton->setGeometry(px(10), px(32), px(140), px(30));
    // The title stays clear of the title bar's corner on the right.
    m_pOrganisationLabel->setGeometry(px(170), px(14), px(300), px(18));
    m_pTitleLabel->setGeometry(px(170), px(32), px(400), px(30));

    const QRect centre(px(10), headerHeight + px(8), w - px(20), barTop - headerHeight - px(16));
    m_pVideoList->setGeometry(centre);
    m_pEmptyPanel->setGeometry(centre);
    m_pDropTarget->setGeometry(centre);
    m_pDropLabel->ensurePolished(); // measured in the sheet's font while still hidden
    const int plateWidth = m_pDropLabel->fontMetrics().horizontalAdvance(m_pDropLabel->text()) + px(64);
    m_pDropLabel->setGeometry((centre.width() - plateWidth) / 2, (centre.height() - px(52)) / 2, plateWidth, px(52));
    const int cw = centre.width();
    const int ch = centre.height();
    m_pEmptyIcon->setGeometry(0, ch / 2 - px(110), cw, px(90));
    m_pEmptyLabel->setGeometry(0, ch / 2 - px(14), cw, px(24));
    m_pEmptyAddButton->setGeometry((cw - px(180)) / 2, ch / 2 + px(26), px(180), px(40));

    m_pBottomBar->setGeometry(0, barTop, w, barHeight);
    const int rowY = (barHeight - px(24)) / 2;
    const int folderLabelWidth
        = qMin(px(150), m_pOutputFolderLabel->fontMetrics().horizontalAdvance(m_pOutputFolderLabel->text()) + px(6));
    m_pOutputFolderLabel->setGeometry(px(20), rowY, folderLabelWidth, px(24));
    const int pathX = px(20) + folderLabelWidth + px(6);
    // The path gives up some width to the batch's time left beside it.
    m_pOutputPathLabel->setGeometry(pathX, rowY, px(290), px(24));
    m_pSelectOutputButton->setGeometry(pathX + px(296), rowY, px(32), px(24));
    m_pOpenOutputButton->setGeometry(pathX + px(336), rowY, px(24), px(24));

    m_pConvertAllButton->setGeometry(w - px(170), (barHeight - px(40)) / 2, px(150), px(40));
    const int boxX = w - px(170) - px(30) - px(110);
    m_pFormatBox->setGeometry(boxX, rowY, px(110), px(24));
    const int formatLabelWidth
        = qMin(px(160), m_pOutputFormatLabel->fontMetrics().horizontalAdvance(m_pOutputFormatLabel->text()) + px(6));
    m_pOutputFormatLabel->setGeometry(boxX - px(8) - formatLabelWidth, rowY, formatLabelWidth, px(24));
    const int leftX = m_pOpenOutputButton->geometry().right() + px(16);
    m_pBatchTimeLeftLabel->setGeometry(leftX, rowY, m_pOutputFormatLabel->x() - px(12) - leftX, px(24));
    showOutputFolder();
}

void VideoConverterWidget::applySkin()
{
    const Palette& c = isDark() ? DarkPalette : LightPalette;
    m_pHeader->setStyleSheet(barSheet(c, "pageHeader", false));
    m_pBottomBar->setStyleSheet(barSheet(c, "pageBottomBar", true));
    m_pEmptyPanel->setStyleSheet(QStringLiteral("QWidget#emptyPanel{background:transparent;border:1px solid %1;"
                                                "border-radius:%2;}")
                                     .arg(QLatin1String(c.line), pxText(2)));
    m_pOrganisationLabel->setStyleSheet(labelSheet(c.secondText, 12));
    m_pTitleLabel->setStyleSheet(labelSheet(c.text, 18, "font-weight:bold;"));
    m_pEmptyLabel->setStyleSheet(labelSheet(c.secondText, 14));
    // The accent frame reads on both backgrounds; the fill only tints them.
    m_pDropTarget->setStyleSheet(
        QStringLiteral("QWidget#dropTarget{background-color:%1;border:2px dashed #01a4e5;border-radius:%2;}"
                       "QLabel#dropLabel{color:#ffffff;font-size:%3;font-weight:bold;background-color:#01a4e5;"
                       "border:none;border-radius:%4;}")
            .arg(QLatin1String(isDark() ? "rgba(1,164,229,40)" : "rgba(1,164,229,24)"), pxText(4), pxText(16),
                pxText(26)));
    m_pEmptyIcon->setPixmap(IconHelper::getPixmap(IconHelper::FontAwesome, QColor(QLatin1String(c.line)), 0xF008,
        static_cast<unsigned>(px(72)), static_cast<unsigned>(px(90)), static_cast<unsigned>(px(90))));
    m_pOutputFolderLabel->setStyleSheet(labelSheet(c.text, 12));
    m_pOutputFormatLabel->setStyleSheet(labelSheet(c.text, 12));
    m_pBatchTimeLeftLabel->setStyleSheet(labelSheet(c.text, 12));
    m_pOutputPathLabel->setStyleSheet(
        QStringLiteral("QLabel{color:%1;font-size:%2;background-color:%3;border:1px solid %4;border-radius:%5;"
                       "padding-left:%6;}")
            .arg(QLatin1String(c.secondText), pxText(12), QLatin1String(c.field), QLatin1String(c.line), pxText(2),
                pxText(4)));

    styleAccentButton(m_pAddButton, c, 13);
    styleAccentButton(m_pEmptyAddButton, c, 14);
    styleAccentButton(m_pConvertAllButton, c, 15);
    styleFrameButton(m_pSelectOutputButton, c);
    // The sheets above show the enabled look; a locked page keeps its own.
    m_pAddButton->setEnabled(!m_bLocked);
    m_pConvertAllButton->setEnabled(!m_bLocked);
    m_pSelectOutputButton->setEnabled(!m_bLocked);

    const SpriteCells::StateCells cells
        = SpriteCells::publicCells(SpriteCells::OpenFolderColumn, isDark() ? SpriteCells::Dark : SpriteCells::Light);
    m_pOpenOutputButton->setSpriteCells(QPixmap(SpriteCells::PublicSheet), cells);

    m_pFormatBox->setStyleSheet(
        QStringLiteral("QComboBox{border:1px solid %1;border-radius:2px;background-color:%2;color:%3;font-size:%4;"
                       "padding-left:%5;}QComboBox QAbstractItemView{border:1px solid %1;background-color:%2;"
                       "color:%3;selection-background-color:#00a1e9;selection-color:#ffffff;outline:0px;}")
            .arg(QLatin1String(c.line), QLatin1String(c.field), QLatin1String(c.text), pxText(12), pxText(4)));
    m_pVideoList->applySkin();
}

void VideoConverterWidget::retranslate()
{
    m_pAddButton->setText(tr("+ Add Video"));
    m_pEmptyAddButton->setText(tr("+ Add Video"));
    m_pOrganisationLabel->setText(SettingKeys::Organisation);
    m_pTitleLabel->setText(tr("Video Format Converter"));
    m_pEmptyLabel->setText(tr("Click the button below to add videos."));
    m_pDropLabel->setText(tr("Drop files to add them"));
    m_pOutputFolderLabel->setText(tr("Output Folder:"));
    m_pSelectOutputButton->setText(tr("..."));
    m_pSelectOutputButton->setToolTip(tr("Choose the output folder"));
    m_pOpenOutputButton->setToolTip(tr("Open the output folder"));
    m_pOutputFormatLabel->setText(tr("Output Format:"));
    m_pConvertAllButton->setText(tr("Convert All"));
    m_pBatchTimeLeftLabel->setToolTip(tr("Time until every waiting and converting job is done"));
    updateBatchTimeLeft();
    // Translated labels differ in length.
    layoutChildren();

    restoreFormat();
    m_pVideoList->retranslate();
    updateEmptyView();
}

#pragma once

#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "ui/joblist/jobeditorhost.h"

#include <QPoint>
#include <QWidget>

class QPixmap;
class TopWidget;
class VideoConverterWidget;
class VideoEditAudioWidget;
class VideoEditBase;
class VideoEditCropWidget;
class VideoEditTrimWidget;

// The single top-level window. It carries the path services and the choices
// of the current run, so other parts reach them through instance(), and it
// opens the editors over its page for the job rows.
class VCManagerWidget : public QWidget, public PathServices, public RuntimeChoices, public JobEditorHost
{
    Q_OBJECT
    Q_DISABLE_COPY(VCManagerWidget)

public:
    static constexpr int WindowWidth = 1140;
    static constexpr int WindowHeight = 672;

    explicit VCManagerWidget(QWidget* parent = nullptr);
    ~VCManagerWidget() override;

    static VCManagerWidget* instance();
    static QString versionText();

    // The sprite sheets every picture button cuts from, loaded once per process.
    static const QPixmap& publicPixmap();
    static const QPixmap& vcPublicPixmap();
    static const QPixmap& widePublicPixmap();

    void loadSkin(bool apply);
    void layoutChildren();
    void applySkin();
    void retranslate();

    // Centres a dialog on this window; one that would leave the window's
    // screen is centred on that screen instead.
    void centerDialog(QWidget* dialog) const;
    static QPoint centeredPosition(const QRect& window, const QSize& dialog, const QRect& screen);

    void openTrimEditor(MediaInfo* record, VideoItemWidget* row) override;
    void openCropEditor(MediaInfo* record, VideoItemWidget* row) override;
    void openAudioEditor(MediaInfo* record, VideoItemWidget* row) override;

    TopWidget* topWidget() const { return m_topWidget; }
    VideoConverterWidget* converterPage() const { return m_converterPage; }
    // Null until first opened.
    VideoEditTrimWidget* trimEditor() const { return m_trimEditor; }
    VideoEditCropWidget* cropEditor() const { return m_cropEditor; }
    VideoEditAudioWidget* audioEditor() const { return m_audioEditor; }

public slots:
    void reLoadandLayout_slots();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <class Editor> Editor* editor(Editor*& slot);
    void openEditor(VideoEditBase* editor, MediaInfo* record, VideoItemWidget* row);
    void editorClosed_slots(VideoEditBase* editor, QWidget* row);

    QWidget* m_background = nullptr;
    // The title bar comes after the page so that it lies on top.
    VideoConverterWidget* m_converterPage = nullptr;
    TopWidget* m_topWidget = nullptr;
    VideoEditTrimWidget* m_trimEditor = nullptr;
    VideoEditCropWidget* m_cropEditor = nullptr;
    VideoEditAudioWidget* m_audioEditor = nullptr;

    bool m_bDragging = false;
    QPoint m_pressPos;
};

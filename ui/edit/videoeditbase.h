#pragma once

#include "toolkit/spritecells.h"

#include <QPointer>
#include <QWidget>

class CQtVideoRenderWidget;
class MediaInfo;
class MySlider2;
class QLabel;
class QTimer;
class VLCPlayer;
namespace MyQtCustom {
class MyPushButton;
}

// The frame all three editors share: a panel over the main window with a
// title row, the preview, a control bar (time, step back, play / pause,
// step forward, volume) and the playback behaviour behind it. The host
// creates each editor once and reuses it: layoutChildren(), applySkin(),
// retranslate(), then loadMedia() with the job's record and the row that
// asked. Every change goes into the record at once; closing keeps it.
class VideoEditBase : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(VideoEditBase)

public:
    // An editor opens only for a job that has not started and has a record.
    static bool canEdit(int jobState, const MediaInfo* record);

    ~VideoEditBase() override;

    void layoutChildren();
    void applySkin();
    void retranslate();
    // Opens or restarts the preview of `record`.
    void loadMedia(MediaInfo* record, QWidget* row);

    MediaInfo* mediaInfo() const { return m_pMediaInfo; }
    QWidget* row() const { return m_pRow; }
    CQtVideoRenderWidget* renderWidget() const { return renderwidget; }
    QWidget* pictureContainer() const { return m_pictureContainer; }
    QString timeText() const;
    bool isControlsLoaded() const { return m_bInited; }
    // Between loadMedia() and closing: the preview is followed by the timer.
    bool isPreviewing() const;

signals:
    // After close has stopped the preview and hidden the editor; the host
    // lets the row refresh its target facts and size estimate.
    void editorClosed(QWidget* row);

public slots:
    void closeButton_slots();
    void harryDownButton_slots();
    void harryUpButton_slots();
    void playButton_slots();
    void pauseButton_slots();
    void playend_slots();
    void m_timer_slots();
    void audioSlider_CurrentValueChanged_slots();
    void renderSlider_CurrentValueChanged_slots();

protected:
    explicit VideoEditBase(QWidget* parent);

    virtual QString titleText() const = 0;
    // The editor's own row of controls, inside the panel.
    virtual void layoutEditControls(int panelWidth, int panelHeight) = 0;
    virtual void skinEditControls(int skin) = 0;
    virtual void retranslateEditControls() = 0;
    // Before the player starts: how the surface shows this editor's work.
    virtual void prepareSurface() {}
    // After the player started: the record's values into the controls.
    virtual void loadRecordControls() {}
    // The first tick that knows the length L.
    virtual void lengthKnown(qint64 length);
    virtual qint64 positionValue() const;
    virtual void showPosition(qint64 t);

    void seekAndPlay(qint64 t);
    void showPlaying();
    // The record's picture size fitted into the preview area, at least 2 x 2.
    QSize fittedPictureSize() const;
    MySlider2* makeRenderSlider();
    QString textSheet(int skin, int fontSize) const;
    QString textButtonSheet(int skin, bool hover) const;
    int skin() const;

    static void setSprite(MyQtCustom::MyPushButton* button, const QString& sheet, const SpriteCells::StateCells& cells);
    static void frameForwarder(void* context, const unsigned char* frame, int width, int height);

    MediaInfo* m_pMediaInfo = nullptr;
    VLCPlayer* m_pPlayer = nullptr;
    QTimer* m_timer = nullptr;
    bool m_bInited = false;
    QPointer<QWidget> m_pRow;

    QWidget* m_panel = nullptr;
    QWidget* m_panelBack = nullptr;
    QLabel* m_titleBack = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_fileNameLabel = nullptr;
    MyQtCustom::MyPushButton* closeButton = nullptr;
    QLabel* m_separator = nullptr;
    QWidget* m_previewArea = nullptr;
    QWidget* m_pictureContainer = nullptr;
    CQtVideoRenderWidget* renderwidget = nullptr;
    QWidget* m_controlBar = nullptr;
    QLabel* m_timeLabel = nullptr;
    MyQtCustom::MyPushButton* harryDownButton = nullptr;
    MyQtCustom::MyPushButton* playButton = nullptr;
    MyQtCustom::MyPushButton* pauseButton = nullptr;
    MyQtCustom::MyPushButton* harryUpButton = nullptr;
    QLabel* m_volumeIcon = nullptr;
    MySlider2* audioSlider = nullptr;
    MySlider2* renderSlider = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

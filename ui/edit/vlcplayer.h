#pragma once

#include <QObject>
#include <QString>

#include <atomic>

struct libvlc_event_t;
struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;

// Called on libvlc's video thread once per displayed picture: the context
// given with it, the frame (width x height pixels of 4 bytes, blue in the
// lowest byte, rows of exactly width x 4 bytes, top row first) and its size.
// The frame is valid only during the call.
using VideoFrameCallback = void (*)(void* context, const unsigned char* frame, int width, int height);

// The one preview player: a libvlc instance kept for the whole run, and one
// media and media player per started file, decoding into a frame buffer of
// our own that is handed to the current editor's callback.
//
// Only the GUI thread calls the operations. libvlc calls the video callbacks
// on its video thread and the event handler on its event thread, so
// playend_signal() is emitted off the GUI thread: connect to it queued.
class VLCPlayer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(VLCPlayer)

public:
    static VLCPlayer* instance();

    // Start-up step, once, before any thread starts: points libvlc at the
    // application's "plugins" folder unless that folder is libvlc's own,
    // which libvlc searches anyway (naming it again loads every module
    // twice). Returns whether the variable was set.
    static bool preparePluginPath(const QString& appDirPath);
    // libvlc's own plug-in folder, as the build found it.
    static QString libvlcPluginFolder();

    void setMediaPath(const QString& path);
    // Takes effect at the next start(): the running decoder keeps the
    // buffer, size and callback it was started with.
    void setVideoCallback(VideoFrameCallback callback, void* context, int width, int height);
    void start();
    bool initVlcData();
    void freeVlc(bool releaseInstance);
    // Safe at any time, also with nothing playing.
    void stop();

    void setTime(qint64 t);
    qint64 getTime() const;
    qint64 getLength() const;
    void pause();
    void resume();
    void setVolume(int volume);
    int getVolume() const;
    void toggleMute();
    bool isMute() const;
    void nextChapter();
    void previousChapter();

    // The context of the preview that is loaded now; null without one.
    void* currentContext() const;
    // libvlc reported the end of the media that is loaded now.
    bool isEndReached() const;
    bool hasPlayer() const { return m_pMediaPlayer != nullptr; }
    // Size of the frames the loaded preview delivers.
    int frameWidth() const { return m_nWidth; }
    int frameHeight() const { return m_nHeight; }
    // False when anything was written past the end of the frame buffer.
    bool frameGuardIntact() const;

    // For tests: an instance without audio output opens no sound device.
    // Applies from the next start().
    void setAudioEnabled(bool enabled);

signals:
    void playend_signal();

private:
    explicit VLCPlayer(QObject* parent = nullptr);
    ~VLCPlayer() override;

    static void releaseInstance();
    static void* lockCallback(void* opaque, void** planes);
    static void unlockCallback(void* opaque, void* picture, void* const* planes);
    static void displayCallback(void* opaque, void* picture);
    static void eventCallback(const libvlc_event_t* event, void* opaque);
    void freeFrameBuffer();

    unsigned char* m_pFrameBuffer = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    libvlc_instance_t* m_pInstance = nullptr;
    libvlc_media_player_t* m_pMediaPlayer = nullptr;
    libvlc_media_t* m_pMedia = nullptr;
    QString m_strPath;
    void* m_pCallbackContext = nullptr;
    VideoFrameCallback m_pfnVideoCallback = nullptr;

    // What setVideoCallback asked for, taken over by the next start.
    void* m_pNextContext = nullptr;
    VideoFrameCallback m_pfnNextCallback = nullptr;
    int m_nNextWidth = 0;
    int m_nNextHeight = 0;

    bool m_bAudioEnabled = true;
    bool m_bInstanceHasAudio = true;
    // The media player whose end libvlc reported (written on its event thread).
    std::atomic<libvlc_media_player_t*> m_pEndedPlayer{nullptr};
};

#include "ui/edit/vlcplayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

#include <vlc/vlc.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Bytes after the frame that nobody may write; checked by frameGuardIntact().
constexpr size_t GuardBytes = 4096;
constexpr unsigned char GuardByte = 0xA5;

VLCPlayer* s_player = nullptr;

} // namespace

void VLCPlayer::releaseInstance()
{
    delete s_player;
    s_player = nullptr;
}

VLCPlayer* VLCPlayer::instance()
{
    if (!s_player) {
        s_player = new VLCPlayer;
        // libvlc is released while the application object still exists.
        qAddPostRoutine(releaseInstance);
    }
    return s_player;
}

QString VLCPlayer::libvlcPluginFolder()
{
    return QStringLiteral(MORVAYNE_LIBVLC_PLUGINS_DIR);
}

bool VLCPlayer::preparePluginPath(const QString& appDirPath)
{
    const QString plugins = appDirPath + QLatin1String("/plugins");
    const QFileInfo own(libvlcPluginFolder());
    const QFileInfo ours(plugins);
    if (!ours.isDir() || (own.isDir() && ours.canonicalFilePath() == own.canonicalFilePath()))
        return false;
    const QByteArray value = QDir::cleanPath(plugins).toUtf8();
    qputenv("VLC_PLUGIN_PATH", value);
    qInfo("set VLC_PLUGIN_PATH=%s", value.constData());
    return true;
}

VLCPlayer::VLCPlayer(QObject* parent)
    : QObject(parent)
{
}

VLCPlayer::~VLCPlayer()
{
    stop();
    freeVlc(false);
    freeVlc(true);
    freeFrameBuffer();
}

void VLCPlayer::setMediaPath(const QString& path)
{
    m_strPath = path;
}

void VLCPlayer::setVideoCallback(VideoFrameCallback callback, void* context, int width, int height)
{
    m_pfnNextCallback = callback;
    m_pNextContext = context;
    m_nNextWidth = width;
    m_nNextHeight = height;
}

void VLCPlayer::setAudioEnabled(bool enabled)
{
    m_bAudioEnabled = enabled;
}

void VLCPlayer::start()
{
    qDebug("VLCPlayer::start...............................start");
    freeVlc(false);
    if (initVlcData() && m_pMediaPlayer)
        libvlc_media_player_play(m_pMediaPlayer);
    qDebug("VLCPlayer::start...............................end");
}

bool VLCPlayer::initVlcData()
{
    qDebug("VLCPlayer::initVlcData...............................start");
    // The old player is gone (start frees it first), so nothing reads the
    // buffer, size or callback any more: the new ones can take over.
    m_pfnVideoCallback = m_pfnNextCallback;
    m_pCallbackContext = m_pNextContext;

    if (m_pInstance && m_bInstanceHasAudio != m_bAudioEnabled)
        freeVlc(true);
    qDebug("VLCPlayer::initVlcData...............................1");
    if (!m_pInstance) {
        // The preview must show the picture the conversion sees: no title
        // drawn over it.
        std::vector<const char*> args{"--no-video-title-show"};
        if (!m_bAudioEnabled) {
            args.push_back("--no-audio");
            args.push_back("--aout=adummy");
        }
        m_pInstance = libvlc_new(static_cast<int>(args.size()), args.data());
        m_bInstanceHasAudio = m_bAudioEnabled;
    }
    qDebug("VLCPlayer::initVlcData...............................2");
    if (!m_pInstance) {
        qWarning("libvlc_new failed....");
        freeVlc(false);
        return false;
    }
    if (m_strPath.isEmpty())
        return false;
    // libvlc at 0 x 0 delivers nothing and its stop may never return.
    if (m_nNextWidth < 1 || m_nNextHeight < 1) {
        qWarning("VLCPlayer: no preview for a frame size of %d x %d", m_nNextWidth, m_nNextHeight);
        return false;
    }

    const QByteArray path = m_strPath.toUtf8();
    qDebug("libvlc_media_new_path: %s", path.constData());
    m_pMedia = libvlc_media_new_path(m_pInstance, path.constData());
    if (!m_pMedia) {
        qWarning("libvlc_media_new_path failed....");
        return false;
    }
    qDebug("libvlc_media_new_path success....");
    m_pMediaPlayer = libvlc_media_player_new_from_media(m_pMedia);
    if (!m_pMediaPlayer) {
        qWarning("libvlc_media_player_new_from_media failed....");
        freeVlc(false);
        return false;
    }
    libvlc_video_set_mouse_input(m_pMediaPlayer, 0);
    libvlc_video_set_key_input(m_pMediaPlayer, 0);

    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_pMediaPlayer);
    for (libvlc_event_type_t type : {libvlc_MediaPlayerTimeChanged, libvlc_MediaPlayerEndReached,
             libvlc_MediaPlayerStopped, libvlc_MediaPlayerPlaying, libvlc_MediaPlayerPaused,
             libvlc_MediaPlayerPositionChanged, libvlc_MediaPlayerLengthChanged, libvlc_MediaPlayerMediaChanged})
        libvlc_event_attach(events, type, eventCallback, this);

    // The size reported with every frame is the size this buffer was made with.
    freeFrameBuffer();
    m_nWidth = m_nNextWidth;
    m_nHeight = m_nNextHeight;
    const size_t bytes = static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight) * 4;
    m_pFrameBuffer = static_cast<unsigned char*>(std::calloc(bytes + GuardBytes, 1));
    std::memset(m_pFrameBuffer + bytes, GuardByte, GuardBytes);
    libvlc_video_set_callbacks(m_pMediaPlayer, lockCallback, unlockCallback, displayCallback, this);
    libvlc_video_set_format(m_pMediaPlayer, "RV32", static_cast<unsigned>(m_nWidth), static_cast<unsigned>(m_nHeight),
        static_cast<unsigned>(m_nWidth) * 4);
    qDebug("VLCPlayer::initVlcData...............................end");
    return true;
}

void VLCPlayer::freeVlc(bool releaseInstance)
{
    qDebug("VLCPlayer::freeVlc...............................start");
    if (m_pMedia) {
        libvlc_media_release(m_pMedia);
        m_pMedia = nullptr;
    }
    if (m_pMediaPlayer) {
        // Returns once libvlc's threads no longer call back.
        libvlc_media_player_stop(m_pMediaPlayer);
        libvlc_media_player_release(m_pMediaPlayer);
        m_pMediaPlayer = nullptr;
    }
    m_pEndedPlayer = nullptr;
    if (releaseInstance && m_pInstance) {
        libvlc_release(m_pInstance);
        m_pInstance = nullptr;
    }
    qDebug("VLCPlayer::freeVlc...............................end");
}

void VLCPlayer::freeFrameBuffer()
{
    std::free(m_pFrameBuffer);
    m_pFrameBuffer = nullptr;
    m_nWidth = 0;
    m_nHeight = 0;
}

void VLCPlayer::stop()
{
    if (m_pMediaPlayer) {
        libvlc_media_player_stop(m_pMediaPlayer);
        freeVlc(false);
    }
}

void VLCPlayer::setTime(qint64 t)
{
    if (m_pMediaPlayer)
        libvlc_media_player_set_time(m_pMediaPlayer, t / 1000);
}

qint64 VLCPlayer::getTime() const
{
    return m_pMediaPlayer ? libvlc_media_player_get_time(m_pMediaPlayer) * 1000 : 0;
}

qint64 VLCPlayer::getLength() const
{
    return m_pMediaPlayer ? libvlc_media_player_get_length(m_pMediaPlayer) * 1000 : 0;
}

void VLCPlayer::pause()
{
    if (m_pMediaPlayer)
        libvlc_media_player_set_pause(m_pMediaPlayer, 1);
}

void VLCPlayer::resume()
{
    if (m_pMediaPlayer)
        libvlc_media_player_set_pause(m_pMediaPlayer, 0);
}

void VLCPlayer::setVolume(int volume)
{
    if (m_pMediaPlayer)
        libvlc_audio_set_volume(m_pMediaPlayer, volume);
}

int VLCPlayer::getVolume() const
{
    return m_pMediaPlayer ? libvlc_audio_get_volume(m_pMediaPlayer) : 80;
}

void VLCPlayer::toggleMute()
{
    if (m_pMediaPlayer)
        libvlc_audio_toggle_mute(m_pMediaPlayer);
}

bool VLCPlayer::isMute() const
{
    return m_pMediaPlayer && libvlc_audio_get_mute(m_pMediaPlayer) != 0;
}

void VLCPlayer::nextChapter()
{
    if (m_pMediaPlayer)
        libvlc_media_player_next_chapter(m_pMediaPlayer);
}

void VLCPlayer::previousChapter()
{
    if (m_pMediaPlayer)
        libvlc_media_player_previous_chapter(m_pMediaPlayer);
}

void* VLCPlayer::currentContext() const
{
    return m_pMediaPlayer ? m_pCallbackContext : nullptr;
}

bool VLCPlayer::isEndReached() const
{
    return m_pMediaPlayer && m_pEndedPlayer.load() == m_pMediaPlayer;
}

bool VLCPlayer::frameGuardIntact() const
{
    if (!m_pFrameBuffer)
        return true;
    const unsigned char* guard = m_pFrameBuffer + static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight) * 4;
    for (size_t i = 0; i < GuardBytes; ++i) {
        if (guard[i] != GuardByte)
            return false;
    }
    return true;
}

void* VLCPlayer::lockCallback(void* opaque, void** planes)
{
    auto* self = static_cast<VLCPlayer*>(opaque);
    planes[0] = self->m_pFrameBuffer;
    return self->m_pFrameBuffer;
}

void VLCPlayer::unlockCallback(void*, void*, void* const*)
{
}

void VLCPlayer::displayCallback(void* opaque, void*)
{
    auto* self = static_cast<VLCPlayer*>(opaque);
    if (self->m_pfnVideoCallback)
        self->m_pfnVideoCallback(self->m_pCallbackContext, self->m_pFrameBuffer, self->m_nWidth, self->m_nHeight);
}

void VLCPlayer::eventCallback(const libvlc_event_t* event, void* opaque)
{
    if (event->type != libvlc_MediaPlayerEndReached)
        return;
    auto* self = static_cast<VLCPlayer*>(opaque);
    // Only a flag and a signal here: libvlc must not be called back from its
    // own event thread (stopping from here deadlocks).
    self->m_pEndedPlayer = static_cast<libvlc_media_player_t*>(event->p_obj);
    emit self->playend_signal();
}

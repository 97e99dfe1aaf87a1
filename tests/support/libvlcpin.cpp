// Sanitizer builds only: one libvlc instance lives as long as the test
// program, so libvlc never unloads its plug-ins. What a plug-in keeps for its
// lifetime then stays reachable instead of being reported at exit as a leak
// from a nameless, unloaded module, which would force leak checking off.
#include <QCoreApplication>

#include <vlc/vlc.h>

namespace {

libvlc_instance_t* g_pinned = nullptr;

void pinLibvlc()
{
    const char* const args[] = {"--no-audio", "--aout=adummy"};
    g_pinned = libvlc_new(2, args);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(pinLibvlc)

// Sanitizer builds only: one libvlc instance lives as long as the test
// program, so libvlc never unloads its plug-ins. Leaks inside a plug-in then
// carry the plug-in's name, which the leak suppressions can match; from an
// unloaded plug-in they carry no name at all and would hide among our own.
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

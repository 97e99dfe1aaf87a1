#include "ui/joblist/jobeditorhost.h"

namespace {

JobEditorHost* g_current = nullptr; // GUI thread only

} // namespace

JobEditorHost::JobEditorHost() = default;

JobEditorHost::~JobEditorHost()
{
    if (g_current == this)
        g_current = nullptr;
}

JobEditorHost* JobEditorHost::current()
{
    return g_current;
}

void JobEditorHost::makeCurrent()
{
    g_current = this;
}

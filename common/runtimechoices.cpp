#include "common/runtimechoices.h"

#include <atomic>

namespace {

std::atomic<RuntimeChoices*> g_current{nullptr};

} // namespace

RuntimeChoices::RuntimeChoices() = default;

RuntimeChoices::~RuntimeChoices()
{
    RuntimeChoices* self = this;
    g_current.compare_exchange_strong(self, nullptr);
}

RuntimeChoices* RuntimeChoices::current()
{
    if (RuntimeChoices* c = g_current.load())
        return c;
    static RuntimeChoices fallback;
    return &fallback;
}

void RuntimeChoices::makeCurrent()
{
    g_current.store(this);
}

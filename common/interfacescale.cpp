#include "common/interfacescale.h"

#include <atomic>

namespace {

std::atomic<float> g_factor{1.0f};

} // namespace

float InterfaceScale::factor()
{
    return g_factor.load();
}

void InterfaceScale::setFactor(float factor)
{
    g_factor.store(factor);
}

int InterfaceScale::px(int units)
{
    return static_cast<int>(static_cast<float>(units) * g_factor.load());
}

int InterfaceScale::px(double units)
{
    return static_cast<int>(units * static_cast<double>(g_factor.load()));
}

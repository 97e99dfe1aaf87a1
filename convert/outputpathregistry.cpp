#include "convert/outputpathregistry.h"

#include "convert/ownerregistry.h"

namespace {

OwnerRegistry& paths()
{
    static OwnerRegistry registry(Qt::CaseInsensitive);
    return registry;
}

} // namespace

bool OutputPathRegistry::claim(const QString& path, const void* owner)
{
    return paths().hold(owner, path, [](int others) { return others == 0; });
}

void OutputPathRegistry::release(const void* owner)
{
    paths().release(owner);
}

int OutputPathRegistry::heldCount()
{
    return paths().size();
}

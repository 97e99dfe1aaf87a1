#pragma once

namespace MyQtCustom {

// The toolkit's pictures and fonts are compiled into this static library;
// they must be registered explicitly before the first use.
class ToolkitResources
{
public:
    static void init();
};

} // namespace MyQtCustom

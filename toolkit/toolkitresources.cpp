#include "toolkit/toolkitresources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initCustomImages()
{
    Q_INIT_RESOURCE(CustomImages);
}

void MyQtCustom::ToolkitResources::init()
{
    initCustomImages();
}

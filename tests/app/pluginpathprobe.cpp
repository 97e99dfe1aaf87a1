// Prints the plug-in search paths that start-up leaves, one per line; the
// start-up test runs a copy of it from a folder of its choosing.
#include "common/qcommonutils.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    MyQtCustom::QCommonUtils::CheckApplicationRunningPath(app);
    for (const QString& path : QCoreApplication::libraryPaths())
        std::printf("%s\n", qPrintable(path));
    return 0;
}

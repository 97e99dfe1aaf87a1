#pragma once

#include "convert/batchconverter.h"

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line. Without --convert it
// opens the window with the given files; with it, it converts them without
// one. Usage errors name the argument at fault.
class CommandLine
{
public:
    enum Mode { Window, Convert, Help, Version, Error };

    // The arguments after the program name, as the system passed them.
    static QStringList argumentsOf(int argc, char* argv[]);
    // Whether the arguments ask for a mode that needs no window (or are a
    // misuse of one): such a run is decided before any application object
    // exists, so that it never needs a display.
    static bool needsNoWindow(const QStringList& args);
    // The window's arguments come after Qt took its own (-platform, -style...).
    static CommandLine parse(const QStringList& args);

    static QString helpText();
    static QString versionLine();

    Mode mode = Window;
    QString error;
    // Files to add (window) or convert: absolute paths, file: URLs resolved.
    QStringList files;
    BatchConverter::Options batch;
};

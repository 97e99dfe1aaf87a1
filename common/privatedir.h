#pragma once

#include <QString>
#include <QStringList>

// Folders for temporary files and the debug log. The system temp folder is
// shared by every user of the machine, so each folder we make there must be a
// real folder (never a link), owned by us and closed to everyone else.
class PrivateDir
{
public:
    // Creates `path` (mode 0700) when absent. True when it is a folder of this
    // user that nobody else can enter; an own folder that is too open is closed.
    static bool ensure(const QString& path);

    // ensure() on base/c1, base/c1/c2, ... in turn; the full path, or an empty
    // text when one of them is not ours.
    static QString ensureChain(const QString& base, const QStringList& components);

    // The folder temp/<organisation>/<application>: under the system temp
    // folder when that is usable, else under the "TempFolder" setting, else
    // under the user's cache folder. Empty when none of them can be used.
    static QString appTempRoot(const QString& organisation, const QString& application);
};

#pragma once

#include <QString>
#include <QStringList>

// The folder that holds the executable, without a trailing separator. Set once
// at start-up; tests point it at a folder of their own.
extern QString g_appDirPath;

// Where the application's own files, temporary files and default output go,
// and the settings operations most keys pass through. Callable from any
// thread; the main window inherits these so they keep their familiar names.
class PathServices
{
public:
    static QString getFFmpegPath();
    static QString getFFprobePath();
    static QString getTempFolder();
    static QString getSettingFolder(const QString& key);
    static void setSettingValue(const QString& key, const QString& text);
    static QString getMd5String(const QString& text);

    // 1 when the name has one of the known video (audio) suffixes, in any
    // case; -1 otherwise.
    static int isVideoFile(const QString& path);
    static int isAudioFile(const QString& path);
    // A file dialog's filter "name (patterns)" whose patterns match a suffix
    // in any case: "*.mp4" becomes "*.[mM][pP]4". Desktop dialogs compare
    // patterns case-sensitively, and camera files are often named "*.MP4".
    static QString anyCaseFilter(const QString& name, const QStringList& patterns);

    static void loadApplicationFonts(const QString& folder);
    // The first installed family of the language's CJK fonts becomes the
    // application font; with none installed the font stays as it was.
    static void applyChineseFont(const QString& languageCode = QStringLiteral("ZH"));
    static bool applyFontFamily(const QStringList& candidates);
};

#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Small media files made by the system ffmpeg for tests, and ffprobe's view
// of any file. Everything runs synchronously and fails the caller's check
// by returning an empty path or object.
class MediaFactory
{
public:
    static QString systemFFmpeg();
    static QString systemFFprobe();

    // ffmpeg -y -hide_banner -loglevel error <args> <path>; the path on success.
    static QString make(const QString& path, const QStringList& args, int timeoutMs = 60000);

    // testsrc video (yuv420p H.264 unless overridden by `extra`) with a sine tone.
    static QString videoWithTone(const QString& path, int seconds, const QString& size = QStringLiteral("320x240"),
        const QStringList& extra = {});
    static QString tone(const QString& path, int seconds, const QStringList& extra = {});

    // ffprobe -show_format -show_streams as JSON.
    static QJsonObject probe(const QString& path);
    // The streams of one kind ("video", "audio", "subtitle") in file order.
    static QList<QJsonObject> streams(const QString& path, const QString& kind);
    static double durationSeconds(const QString& path);

    // The output of a plain `ffmpeg -i <path>` run: the text the banner parser reads.
    static QString banner(const QString& path);
};

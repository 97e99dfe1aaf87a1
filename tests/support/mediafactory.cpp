#include "mediafactory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace {

QByteArray runTool(const QString& program, const QStringList& args, int timeoutMs, int* exitCode = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        if (exitCode)
            *exitCode = -1;
        return QByteArray();
    }
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAll();
}

} // namespace

QString MediaFactory::systemFFmpeg()
{
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

QString MediaFactory::systemFFprobe()
{
    return QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
}

QString MediaFactory::make(const QString& path, const QStringList& args, int timeoutMs)
{
    int code = 0;
    const QByteArray out = runTool(systemFFmpeg(),
        QStringList{
            QStringLiteral("-y"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error")}
            + args + QStringList{path},
        timeoutMs, &code);
    if (code != 0) {
        qWarning("MediaFactory: ffmpeg failed for %s: %s", qPrintable(path), out.constData());
        return QString();
    }
    return path;
}

QString MediaFactory::videoWithTone(const QString& path, int seconds, const QString& size, const QStringList& extra)
{
    const QString d = QString::number(seconds);
    QStringList args{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("testsrc=size=%1:rate=25:duration=%2").arg(size, d), QStringLiteral("-f"),
        QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(d)};
    if (!extra.contains(QLatin1String("-pix_fmt")))
        args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
    args << extra;
    return make(path, args);
}

QString MediaFactory::tone(const QString& path, int seconds, const QStringList& extra)
{
    return make(path,
        QStringList{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds)}
            + extra);
}

QJsonObject MediaFactory::probe(const QString& path)
{
    const QByteArray out = runTool(systemFFprobe(),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-print_format"), QStringLiteral("json"),
            QStringLiteral("-show_format"), QStringLiteral("-show_streams"), path},
        30000);
    return QJsonDocument::fromJson(out).object();
}

QList<QJsonObject> MediaFactory::streams(const QString& path, const QString& kind)
{
    QList<QJsonObject> result;
    const QJsonArray all = probe(path).value(QLatin1String("streams")).toArray();
    for (const QJsonValue& v : all) {
        if (v.toObject().value(QLatin1String("codec_type")).toString() == kind)
            result.append(v.toObject());
    }
    return result;
}

double MediaFactory::durationSeconds(const QString& path)
{
    return probe(path).value(QLatin1String("format")).toObject().value(QLatin1String("duration")).toString().toDouble();
}

QString MediaFactory::banner(const QString& path)
{
    return QString::fromUtf8(runTool(systemFFmpeg(), {QStringLiteral("-i"), path}, 30000));
}

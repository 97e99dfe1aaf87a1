// Probing through the worker against running the same four child processes
// directly, one file after another, with the same arguments and limits.
//
//   bench_probe [files] [rounds]
//
// Everything runs inside a fresh temporary folder (HOME, settings and TMPDIR
// are pointed there), so the machine's own temp folder, log and settings
// stay untouched.

#include "common/pathservices.h"
#include "probe/getmediainfothread.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The banner goes to the debug log in the application; here it would only
// flood the console.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool makeMedia(const QString& path, int seconds, const QString& size)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString d = QString::number(seconds);
    p.start(QStandardPaths::findExecutable(QStringLiteral("ffmpeg")),
        {QStringLiteral("-y"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=%1:rate=25:duration=%2").arg(size, d), QStringLiteral("-f"),
            QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("sine=duration=%1").arg(d),
            QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), path});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The baseline: what the worker runs, started and waited for in the plainest way.
QByteArray runDirect(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(GetMediaInfoThread::ToolTimeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
    }
    return p.readAll();
}

qint64 probeDirect(const QString& file, const QString& thumb)
{
    const QString ffmpeg = PathServices::getFFmpegPath();
    QElapsedTimer clock;
    clock.start();
    runDirect(ffmpeg, GetMediaInfoThread::bannerArguments(file, thumb));
    runDirect(PathServices::getFFprobePath(), GetMediaInfoThread::probeArguments(file));
    const QString out = GetMediaInfoThread::hwTestPath(file);
    QDir().mkpath(QFileInfo(out).path());
    for (const QString& decoder : GetMediaInfoThread::hwDecoderNames()) {
        runDirect(ffmpeg, GetMediaInfoThread::hwDecodeArguments(decoder, file, out));
        QFile::remove(out);
    }
    return clock.elapsed();
}

// One worker for every file, as the converter page keeps it.
qint64 probeWorker(GetMediaInfoThread& worker, const QString& file, const QString& thumb, int* failures)
{
    QElapsedTimer clock;
    clock.start();
    worker.m_filePath = file;
    worker.m_thumbPath = thumb;
    worker.start();
    worker.wait();
    const qint64 elapsed = clock.elapsed();
    const std::unique_ptr<MediaInfo> info = worker.takeMediaInfo();
    if (!info || info->duration <= 0 || !worker.takeProbeInfo())
        ++*failures;
    return elapsed;
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 1;
    for (const char* sub : {"home", "config", "tmp", "media"})
        QDir().mkpath(scratch.filePath(QLatin1String(sub)));
    qputenv("HOME", QFile::encodeName(scratch.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
    qputenv("TMPDIR", QFile::encodeName(scratch.filePath(QStringLiteral("tmp"))));

    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quietHandler);
    const int fileCount = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 8;
    const int rounds = argc > 2 ? qMax(1, QByteArray(argv[2]).toInt()) : 3;
    g_appDirPath = QStringLiteral(MORVAYNE_APP_DIR);

    QStringList files;
    const QStringList sizes{QStringLiteral("320x240"), QStringLiteral("640x360")};
    for (int i = 0; i < fileCount; ++i) {
        const QString ext = i % 2 ? QStringLiteral(".mkv") : QStringLiteral(".mp4");
        const QString path = scratch.filePath(QStringLiteral("media/clip%1").arg(i) + ext);
        if (!makeMedia(path, 2 + i % 3, sizes.at(i % 2))) {
            std::fprintf(stderr, "could not make %s\n", qPrintable(path));
            return 1;
        }
        files << path;
    }
    const QString thumb = scratch.filePath(QStringLiteral("tmp/thumb.bmp"));

    // Warm the caches once; then each file goes through both sides in turn,
    // in alternating order, so that load from elsewhere hits both alike.
    int failures = 0;
    for (const QString& file : files)
        probeDirect(file, thumb);
    GetMediaInfoThread probe;
    qint64 worker = 0;
    qint64 direct = 0;
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < files.size(); ++i) {
            if ((r + i) % 2 == 0) {
                worker += probeWorker(probe, files.at(i), thumb, &failures);
                direct += probeDirect(files.at(i), thumb);
            } else {
                direct += probeDirect(files.at(i), thumb);
                worker += probeWorker(probe, files.at(i), thumb, &failures);
            }
        }
    }

    const double probes = double(fileCount) * rounds;
    std::printf("probe: %d files x %d rounds\n", fileCount, rounds);
    std::printf("  worker  %8.1f ms per file\n", worker / probes);
    std::printf("  direct  %8.1f ms per file (four child processes, same arguments)\n", direct / probes);
    std::printf("  ratio worker/direct: %.3f (target <= 1.10)\n", direct > 0 ? double(worker) / double(direct) : 0.0);
    if (failures)
        std::printf("  %d probe(s) gave no duration or no detailed record\n", failures);
    return failures ? 1 : 0;
}

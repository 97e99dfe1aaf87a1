// Conversion benchmark: the same ffmpeg argument list run through a job and
// run directly with QProcess, side by side, and the cost of the failed
// hardware-encoder attempts that every encoded job makes on a machine
// without those encoders.
#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "probe/mediainfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const qint64 Second = 1000000;

void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0.0 : v.at(v.size() / 2);
}

MediaInfo* sourceInfo(const QString& path, int seconds)
{
    auto* m = new MediaInfo;
    m->filePath = path;
    m->duration = seconds * Second;
    m->hasVideo = 1;
    m->width = 640;
    m->height = 480;
    m->videoCodec = QStringLiteral("h264");
    m->videoBitrate = 1000000;
    m->hasAudio = 1;
    m->audioCodec = QStringLiteral("aac");
    return m;
}

// One job run to its verdict; milliseconds.
double runJob(VideoItemData& job, int attempt)
{
    QEventLoop loop;
    QObject::connect(&job, &VideoItemData::updateFinished, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    job.m_nEncoderAttempt = attempt;
    job.startConvert();
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    if (job.m_nState != 2)
        std::fprintf(stderr, "job run failed\n");
    QFile::remove(job.m_outputPath);
    return ms;
}

// The same list through a bare QProcess, set up as the job sets up its own.
double runDirect(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), g_appDirPath + QLatin1String("/font/fonts.conf"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(PathServices::getTempFolder());
    QObject::connect(&p, &QProcess::readyReadStandardOutput, &p, [&p] { p.readAllStandardOutput(); });
    QEventLoop loop;
    QObject::connect(&p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    p.start(PathServices::getFFmpegPath(), args);
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    if (p.exitCode() != 0)
        std::fprintf(stderr, "direct run failed\n");
    QFile::remove(args.last());
    return ms;
}

void compare(const char* name, VideoItemData& job, int rounds)
{
    job.m_nEncoderAttempt = 4;
    QStringList args = job.buildArguments();
    QFile::remove(job.m_outputPath);
    args.last() = QFileInfo(job.m_outputPath).absolutePath() + QStringLiteral("/direct.mp4");

    runJob(job, 4); // warm the caches
    runDirect(args);
    QList<double> viaJob, direct;
    // Alternating which side goes first keeps order effects out of the ratio.
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            viaJob.append(runJob(job, 4));
            direct.append(runDirect(args));
        } else {
            direct.append(runDirect(args));
            viaJob.append(runJob(job, 4));
        }
    }
    const double j = median(viaJob);
    const double d = median(direct);
    // Neighbouring runs share the machine's state, so their ratio is steadier
    // than the ratio of the two medians.
    QList<double> pairs;
    for (int i = 0; i < rounds; ++i)
        pairs.append(viaJob.at(i) / direct.at(i));
    std::printf("%-28s job %8.1f ms   direct %8.1f ms   ratio %.3f, paired %.3f (target <= 1.02)\n", name, j, d, j / d,
        median(pairs));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    g_appDirPath = QStringLiteral(MORVAYNE_APP_DIR);
    const int rounds = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    QTemporaryDir dir;
    RuntimeChoices choices;
    choices.makeCurrent();
    choices.m_outFolder = dir.path() + QStringLiteral("/out");
    QDir().mkpath(choices.m_outFolder);

    const int seconds = 10;
    const QString src = dir.path() + QStringLiteral("/source.mp4");
    if (MediaFactory::videoWithTone(src, seconds, QStringLiteral("640x480")).isEmpty()) {
        std::fprintf(stderr, "could not make the source\n");
        return 1;
    }
    OutputProfile profile{QStringLiteral("mp4")};

    VideoItemData encode;
    encode.m_sourcePath = src;
    encode.m_pMediaInfo = sourceInfo(src, seconds);
    encode.m_pMediaInfo->cropWidth = 320;
    encode.m_pMediaInfo->cropHeight = 240;
    encode.setOutputProfile(&profile);

    VideoItemData copy;
    copy.m_sourcePath = src;
    copy.m_pMediaInfo = sourceInfo(src, seconds);
    copy.setOutputProfile(&profile);

    std::printf("source: %d s of 640x480 H.264 + AAC, median of %d rounds each\n", seconds, rounds);
    compare("encode (crop, libx264)", encode, rounds);
    compare("stream copy", copy, rounds);

    // The full ladder against the last attempt alone.
    QList<double> ladder, last;
    for (int i = 0; i < rounds; ++i) {
        ladder.append(runJob(encode, 0));
        last.append(runJob(encode, 4));
    }
    const double l = median(ladder);
    const double s = median(last);
    std::printf(
        "%-28s from attempt 0 %8.1f ms   attempt 4 only %8.1f ms   ratio %.3f\n", "encoder ladder", l, s, l / s);
    std::printf("failed attempts cost %.1f ms per encoded job (%.1f ms per attempt)\n", l - s, (l - s) / 4);
    return 0;
}

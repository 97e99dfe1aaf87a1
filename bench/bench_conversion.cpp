// Conversion benchmark: the same ffmpeg argument list run through a job and
// run directly with QProcess, side by side; the cost of the failed
// hardware-encoder attempts that every encoded job makes on a machine
// without those encoders; and how well jobs use the machine's cores against
// plain single-threaded ffmpeg runs.
//
//   bench_conversion [rounds] [parts]
//
// parts: "overhead", "machine" or some of "one,two,four,bare,threads" (the
// parts of the machine-use table); everything by default.
#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/commandlinebuilder.h"
#include "convert/corecount.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>

#include <sys/resource.h>
#include <unistd.h>

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

// Processor time of every child reaped so far; milliseconds.
double childCpuMs()
{
    rusage use{};
    getrusage(RUSAGE_CHILDREN, &use);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(use.ru_utime) + ms(use.ru_stime);
}

// The lists through bare QProcesses started at once, set up as the job sets
// up its own; milliseconds until the last has ended.
double runDirect(const QList<QStringList>& lists)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), g_appDirPath + QLatin1String("/font/fonts.conf"));
    std::vector<std::unique_ptr<QProcess>> processes;
    QEventLoop loop;
    int running = 0;
    QElapsedTimer t;
    t.start();
    for (const QStringList& args : lists) {
        processes.push_back(std::make_unique<QProcess>());
        QProcess* p = processes.back().get();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->setWorkingDirectory(PathServices::getTempFolder());
        QObject::connect(p, &QProcess::readyReadStandardOutput, p, [p] { p->readAllStandardOutput(); });
        const auto ended = [&] {
            if (--running == 0)
                loop.quit();
        };
        QObject::connect(p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, ended);
        QObject::connect(p, &QProcess::errorOccurred, &loop, [ended](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                ended();
        });
        ++running;
        p->start(PathServices::getFFmpegPath(), args);
    }
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    for (const auto& p : processes) {
        if (p->exitCode() != 0)
            std::fprintf(stderr, "direct run failed\n");
        QFile::remove(p->arguments().last());
    }
    return ms;
}

double runDirect(const QStringList& args)
{
    return runDirect(QList<QStringList>{args});
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

double loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().split(' ').value(0).toDouble() : -1;
}

// Processor time the whole machine spent busy; milliseconds.
double machineBusyMs()
{
    QFile f(QStringLiteral("/proc/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    // cpu user nice system idle iowait irq softirq steal
    const QList<QByteArray> fields = f.readLine().simplified().split(' ');
    double ticks = 0;
    for (int i : {1, 2, 3, 6, 7, 8})
        ticks += fields.value(i).toDouble();
    return ticks * 1000.0 / sysconf(_SC_CLK_TCK);
}

double ownCpuMs()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(use.ru_utime) + ms(use.ru_stime) + childCpuMs();
}

// How many cores other work kept busy while a section ran, on average: the
// figures are only as good as the machine was quiet.
class OtherLoad
{
public:
    OtherLoad() { m_clock.start(); }
    double cores() const
    {
        const double others = (machineBusyMs() - m_busy) - (ownCpuMs() - m_own);
        return qMax(0.0, others) / qMax<qint64>(1, m_clock.elapsed());
    }

private:
    QElapsedTimer m_clock;
    double m_busy = machineBusyMs();
    double m_own = ownCpuMs();
};

// A job as the list makes one from a probe of `path`, cropped by 8 pixels on
// each side so that it is encoded, on the last attempt (libx264).
std::unique_ptr<VideoItemData> encodeJob(const QString& path, OutputProfile* profile)
{
    auto job = std::make_unique<VideoItemData>();
    job->m_sourcePath = path;
    job->m_pMediaInfo = new MediaInfo;
    FFmpegBannerParser::parse(job->m_pMediaInfo, MediaFactory::banner(path));
    MediaInfo* m = job->m_pMediaInfo;
    m->cropX = 8;
    m->cropY = 8;
    m->cropWidth = m->width - 16;
    m->cropHeight = m->height - 16;
    job->setOutputProfile(profile);
    return job;
}

// Jobs started in list order while fewer than `limit` convert, as the
// queue's scheduling pass starts them; milliseconds until the last has ended.
double runBatch(const QList<VideoItemData*>& jobs, int limit)
{
    RuntimeChoices::current()->m_maxConvertCount = limit;
    QEventLoop loop;
    int next = 0;
    int active = 0;
    const auto fill = [&] {
        while (active < limit && next < jobs.size()) {
            VideoItemData* job = jobs.at(next++);
            job->m_nEncoderAttempt = 4;
            ++active;
            job->startConvert();
        }
        if (active == 0)
            loop.quit();
    };
    QList<QMetaObject::Connection> links;
    for (VideoItemData* job : jobs) {
        links << QObject::connect(job, &VideoItemData::updateFinished, &loop, [&](VideoItemData*) {
            --active;
            fill();
        });
    }
    QElapsedTimer t;
    t.start();
    fill();
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    for (const QMetaObject::Connection& link : qAsConst(links))
        QObject::disconnect(link);
    for (VideoItemData* job : jobs) {
        if (job->m_nState != 2)
            std::fprintf(stderr, "job run failed\n");
        QFile::remove(job->m_outputPath);
    }
    return ms;
}

QStringList withThreads(QStringList args, const QString& threads, const QString& output)
{
    args[args.indexOf(QStringLiteral("-threads")) + 1] = threads;
    args.last() = output;
    return args;
}

// The same run with the picture handed to no encoder: demuxing, decoding,
// filters and the audio copy, the part that encoder threads cannot shorten.
QStringList withoutEncoder(QStringList args)
{
    const int codec = args.indexOf(QStringLiteral("-c:v"));
    args[codec + 1] = QStringLiteral("wrapped_avframe");
    const int rate = args.indexOf(QStringLiteral("-b:v"));
    args.erase(args.begin() + rate, args.begin() + rate + 2);
    args.last() = QStringLiteral("-");
    args.insert(args.size() - 1, QStringLiteral("-f"));
    args.insert(args.size() - 1, QStringLiteral("null"));
    return args;
}

struct Timed
{
    QList<double> wall;
    QList<double> cpu;
    void add(const std::function<double()>& run)
    {
        const double before = childCpuMs();
        wall << run();
        cpu << childCpuMs() - before;
    }
};

// Neighbouring runs share the machine's state, so their ratio is steadier
// than the ratio of two medians.
double pairedRatio(const QList<double>& a, const QList<double>& b)
{
    QList<double> pairs;
    for (int i = 0; i < qMin(a.size(), b.size()); ++i)
        pairs << a.at(i) / b.at(i);
    return median(pairs);
}

// Processor time of each thread of a running process, by thread id; milliseconds.
QHash<QString, double> threadCpuMs(qint64 pid)
{
    QHash<QString, double> work;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks + QLatin1Char('/') + tid + QStringLiteral("/stat"));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        // utime and stime follow the name in brackets as the 12th and 13th fields.
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        work.insert(tid, (fields.value(11).toDouble() + fields.value(12).toDouble()) * 1000.0 / sysconf(_SC_CLK_TCK));
    }
    return work;
}

// One run with its threads' work sampled every 20 ms, busiest first: the
// busiest thread's work is a floor that no number of cores can go below.
QList<double> threadWork(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(PathServices::getTempFolder());
    QObject::connect(&p, &QProcess::readyReadStandardOutput, &p, [&p] { p.readAllStandardOutput(); });
    QHash<QString, double> last;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, &p, [&] {
        const QHash<QString, double> now = threadCpuMs(p.processId());
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            last[it.key()] = it.value();
    });
    QEventLoop loop;
    QObject::connect(&p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
    p.start(PathServices::getFFmpegPath(), args);
    if (!p.waitForStarted())
        return {};
    sample.start(20);
    loop.exec();
    QFile::remove(args.last());
    QList<double> work = last.values();
    std::sort(work.begin(), work.end(), std::greater<double>());
    return work;
}

// One 1280x720 re-encode as the user's only job, two as a full queue at the
// default limit, and a batch of four at each limit, against plain ffmpeg
// with one encoder thread. Each side is warmed once; rounds alternate which
// side goes first.
void machineUse(const QString& dir, int rounds, const QStringList& parts)
{
    const int seconds = 10;
    const QString src = dir + QStringLiteral("/machine.mp4");
    if (MediaFactory::make(src,
            {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("testsrc2=s=1280x720:r=25:d=%1").arg(seconds), QStringLiteral("-f"),
                QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("sine=d=%1").arg(seconds),
                QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")})
            .isEmpty()) {
        std::fprintf(stderr, "could not make the 1280x720 source\n");
        return;
    }
    OutputProfile profile{QStringLiteral("mp4")};
    std::vector<std::unique_ptr<VideoItemData>> owned;
    QList<VideoItemData*> jobs;
    for (int i = 0; i < 4; ++i) {
        owned.push_back(encodeJob(src, &profile));
        jobs << owned.back().get();
    }
    const QString out = RuntimeChoices::current()->m_outFolder;
    const int cores = CoreCount::available();
    const auto threadsAt = [cores](int limit) { return CommandLineBuilder::threadsPerRun(cores, limit); };

    RuntimeChoices::current()->m_maxConvertCount = 1;
    jobs.at(0)->m_nEncoderAttempt = 4;
    const QStringList base = jobs.at(0)->buildArguments();
    const QStringList single = withThreads(base, QStringLiteral("1"), out + QStringLiteral("/direct-1.mp4"));
    const QStringList second = withThreads(base, QStringLiteral("1"), out + QStringLiteral("/direct-2.mp4"));

    std::printf("\nmachine use: %d s of 1280x720 testsrc2 H.264 + AAC, cropped so that libx264 encodes it\n"
                "cores this process may use: %d (Qt's count: %d); median of %d rounds; load average %.2f\n",
        seconds, cores, QThread::idealThreadCount(), rounds, loadAverage());

    const auto wanted = [&parts](const char* part) {
        return parts.contains(QLatin1String("machine")) || parts.contains(QLatin1String(part));
    };

    // One job alone.
    if (wanted("one")) {
        OtherLoad load1;
        runBatch({jobs.at(0)}, 1);
        runDirect(single);
        Timed job1, direct1;
        for (int i = 0; i < rounds; ++i) {
            const auto viaJob = [&] { job1.add([&] { return runBatch({jobs.at(0)}, 1); }); };
            const auto direct = [&] { direct1.add([&] { return runDirect(single); }); };
            if (i % 2 == 0) {
                viaJob();
                direct();
            } else {
                direct();
                viaJob();
            }
        }
        std::printf(
            "one job, limit 1 (-threads %d)      job %8.0f ms, cpu %6.0f ms   plain -threads 1 %8.0f ms, cpu %6.0f ms"
            "   faster by %.2f, paired %.2f (target >= 1.25); others used %.2f cores\n",
            threadsAt(1), median(job1.wall), median(job1.cpu), median(direct1.wall), median(direct1.cpu),
            median(direct1.wall) / median(job1.wall), pairedRatio(direct1.wall, job1.wall), load1.cores());
    }

    // Two jobs at once, as a full queue at the default limit.
    if (wanted("two")) {
        const QList<VideoItemData*> two = jobs.mid(0, 2);
        OtherLoad load2;
        runBatch(two, 2);
        QList<double> jobs2, direct2;
        for (int i = 0; i < rounds; ++i) {
            if (i % 2 == 0) {
                jobs2 << runBatch(two, 2);
                direct2 << runDirect({single, second});
            } else {
                direct2 << runDirect({single, second});
                jobs2 << runBatch(two, 2);
            }
        }
        std::printf("two jobs, limit 2 (-threads %d)     jobs %7.0f ms   two plain -threads 1 at once %8.0f ms"
                    "   ratio %.3f, paired %.3f (target <= 1.02); others used %.2f cores\n",
            threadsAt(2), median(jobs2), median(direct2), median(jobs2) / median(direct2), pairedRatio(jobs2, direct2),
            load2.cores());
    }

    // Four jobs at each limit, the order of the limits turned every round.
    if (wanted("four")) {
        QList<double> batch[3];
        OtherLoad load4;
        for (int i = 0; i < rounds; ++i) {
            for (int k = 0; k < 3; ++k) {
                const int limit = i % 2 == 0 ? k + 1 : 3 - k;
                batch[limit - 1] << runBatch(jobs, limit);
            }
        }
        for (int limit = 1; limit <= 3; ++limit) {
            std::printf("four jobs, limit %d (-threads %d)    batch %7.0f ms   against limit 2: %.3f\n", limit,
                threadsAt(limit), median(batch[limit - 1]), median(batch[limit - 1]) / median(batch[1]));
        }
        std::printf("(others used %.2f cores during the batches)\n", load4.cores());
    }

    // What encoder threads cannot shorten.
    if (wanted("bare")) {
        const QStringList bare = withoutEncoder(single);
        runDirect(bare);
        Timed pipeline;
        for (int i = 0; i < rounds; ++i)
            pipeline.add([&] { return runDirect(bare); });
        std::printf("the same run without an encoder     %8.0f ms, cpu %6.0f ms (demux, decode, filters, audio copy)\n",
            median(pipeline.wall), median(pipeline.cpu));
    }

    // The work of one run by thread, at the thread counts that one job gets
    // on 1, 4 and 8 cores. With enough cores a run takes about as long as the
    // larger of its busiest thread and its whole work shared out; the gain
    // over one encoder thread is inferred from that, not measured.
    if (wanted("threads")) {
        std::printf("one run's threads (%d rounds; busiest thread, next two, whole work):\n", rounds);
        double alone = 0;
        for (int threads : {1, 2, 4, 8}) {
            const QStringList args
                = withThreads(single, QString::number(threads), out + QStringLiteral("/threads.mp4"));
            QList<double> busiest, next, second, whole;
            for (int i = 0; i < rounds; ++i) {
                const QList<double> work = threadWork(args);
                busiest << work.value(0);
                next << work.value(1);
                second << work.value(2);
                whole << std::accumulate(work.cbegin(), work.cend(), 0.0);
            }
            const double floor = median(busiest);
            const double all = median(whole);
            if (threads == 1)
                alone = floor; // one encoder thread: the run waits for it, given cores for the decoder
            std::printf("  -threads %d   busiest %6.0f ms   next %6.0f, %6.0f ms   whole %6.0f ms", threads, floor,
                median(next), median(second), all);
            if (threads > 1) {
                std::printf("   on %d cores at best %6.0f ms, %.2f times one encoder thread", threads,
                    qMax(floor, all / threads), alone / qMax(floor, all / threads));
            }
            std::printf("\n");
        }
    }
    std::printf("load average afterwards %.2f\n", loadAverage());
}

// A job against the same list run directly, for an encode and a stream
// copy, and the full encoder ladder against its last attempt alone.
void overhead(const QString& dir, int rounds)
{
    const int seconds = 10;
    const QString src = dir + QStringLiteral("/source.mp4");
    if (MediaFactory::videoWithTone(src, seconds, QStringLiteral("640x480")).isEmpty()) {
        std::fprintf(stderr, "could not make the source\n");
        return;
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
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    g_appDirPath = QStringLiteral(MORVAYNE_APP_DIR);
    const int rounds = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const QStringList parts = QString::fromLocal8Bit(argc > 2 ? argv[2] : "overhead,machine").split(QLatin1Char(','));

    QTemporaryDir dir;
    RuntimeChoices choices;
    choices.makeCurrent();
    choices.m_outFolder = dir.path() + QStringLiteral("/out");
    QDir().mkpath(choices.m_outFolder);

    if (parts.contains(QLatin1String("overhead")))
        overhead(dir.path(), rounds);
    if (!(parts.size() == 1 && parts.contains(QLatin1String("overhead"))))
        machineUse(dir.path(), rounds, parts);
    return 0;
}

// Job list benchmark: 20 clips converted through the list with "Convert All"
// at limits 1 and 2, against the same argument lists run by a bare QProcess
// pool with the same concurrency, side by side; and the list's memory per
// job at 10,000 jobs with their records (no thumbnails).
//
//   bench/bin/bench_joblist [rounds] [time|memory]
#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/outputprofile.h"
#include "convert/videoitemdata.h"
#include "mediafactory.h"
#include "probe/ffmpegbannerparser.h"
#include "probe/mediainfo.h"
#include "probe/probeinfo.h"
#include "probe/probejsonreader.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/videolistwidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>

namespace {

constexpr int ClipCount = 20;

void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0.0 : v.at(v.size() / 2);
}

double childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double ownCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Source
{
    QString path;
    QString banner;
    QString probeJson;
};

MediaInfo* recordOf(const Source& s)
{
    auto* m = new MediaInfo;
    m->filePath = s.path;
    m->fileSize = QFileInfo(s.path).size();
    FFmpegBannerParser::parse(m, s.banner);
    return m;
}

ProbeInfo* probeOf(const Source& s)
{
    auto* p = new ProbeInfo;
    ProbeJsonReader::read(s.probeJson, p);
    return p;
}

void clearFolder(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
}

struct Run
{
    double wallMs = 0;
    double ownCpuMs = 0;      // this process: the list or the pool
    double childrenCpuMs = 0; // the ffmpeg runs
};

template <typename F> Run measure(F&& f)
{
    const double own = ownCpuMs();
    const double children = childrenCpuMs();
    Run r;
    r.wallMs = f();
    r.ownCpuMs = ownCpuMs() - own;
    r.childrenCpuMs = childrenCpuMs() - children;
    return r;
}

// The list converting every clip, from "Convert All" to the last end.
Run runList(const QList<Source>& sources, OutputProfile& profile, int limit)
{
    RuntimeChoices::current()->m_maxConvertCount = limit;
    VideoListWidget list;
    list.resize(1100, 500);
    for (const Source& s : sources)
        list.addVideoItem(s.path, recordOf(s), QString(), &profile, probeOf(s), QString());
    QEventLoop loop;
    QObject::connect(&list, &VideoListWidget::convertsignal, &loop, [&loop](bool converting) {
        if (!converting)
            loop.quit();
    });
    const Run run = measure([&] {
        QElapsedTimer t;
        t.start();
        list.convertAll();
        loop.exec();
        return t.nsecsElapsed() / 1e6;
    });
    for (int i = 0; i < list.jobCount(); ++i) {
        if (list.jobAt(i)->m_nState != VideoItemData::Completed)
            std::fprintf(stderr, "a list job failed\n");
    }
    return run;
}

// The same argument lists through a pool of `limit` bare processes, each
// set up as a job sets up its own.
Run runPool(const QList<QStringList>& lists, int limit)
{
    QEventLoop loop;
    int next = 0;
    int running = 0;
    QList<QProcess*> processes;
    std::function<void()> startNext = [&] {
        while (running < limit && next < lists.size()) {
            auto* p = new QProcess;
            processes << p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("FONTCONFIG_FILE"), g_appDirPath + QLatin1String("/font/fonts.conf"));
            p->setProcessEnvironment(env);
            p->setProcessChannelMode(QProcess::MergedChannels);
            p->setWorkingDirectory(PathServices::getTempFolder());
            QObject::connect(p, &QProcess::readyReadStandardOutput, p, [p] { p->readAllStandardOutput(); });
            QObject::connect(p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                [&, p](int code, QProcess::ExitStatus) {
                    if (code != 0)
                        std::fprintf(stderr, "a direct run failed\n");
                    --running;
                    if (running == 0 && next == lists.size())
                        loop.quit();
                    else
                        startNext();
                });
            p->start(PathServices::getFFmpegPath(), lists.at(next++), QIODevice::ReadWrite);
            ++running;
        }
    };
    const Run run = measure([&] {
        QElapsedTimer t;
        t.start();
        startNext();
        loop.exec();
        return t.nsecsElapsed() / 1e6;
    });
    qDeleteAll(processes);
    return run;
}

void compare(int limit, const QList<Source>& sources, const QList<QStringList>& lists, OutputProfile& profile,
    const QString& listOut, const QString& poolOut, int rounds)
{
    QList<double> viaList, direct, pairs, listCpu, poolCpu, listChildren, poolChildren;
    const auto list = [&] { return runList(sources, profile, limit); };
    const auto pool = [&] { return runPool(lists, limit); };
    pool(); // warm the caches
    clearFolder(poolOut);
    // Alternating which side goes first keeps order effects out of the ratio.
    for (int i = 0; i < rounds; ++i) {
        Run l, d;
        if (i % 2 == 0) {
            l = list();
            d = pool();
        } else {
            d = pool();
            l = list();
        }
        clearFolder(listOut);
        clearFolder(poolOut);
        viaList << l.wallMs;
        direct << d.wallMs;
        pairs << l.wallMs / d.wallMs;
        listCpu << l.ownCpuMs;
        poolCpu << d.ownCpuMs;
        listChildren << l.childrenCpuMs;
        poolChildren << d.childrenCpuMs;
    }
    std::printf("limit %d: list %8.1f ms   pool %8.1f ms   ratio %.3f, paired %.3f (target <= 1.02)\n", limit,
        median(viaList), median(direct), median(viaList) / median(direct), median(pairs));
    std::printf("         own cpu: list %.1f ms, pool %.1f ms; ffmpeg cpu: list %.1f ms, pool %.1f ms\n",
        median(listCpu), median(poolCpu), median(listChildren), median(poolChildren));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    MyQtCustom::ToolkitResources::init();
    g_appDirPath = QStringLiteral(MORVAYNE_APP_DIR);
    const int rounds = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    QTemporaryDir dir;
    RuntimeChoices choices;
    choices.makeCurrent();
    const QString listOut = dir.path() + QStringLiteral("/list");
    const QString poolOut = dir.path() + QStringLiteral("/pool");
    QDir().mkpath(listOut);
    QDir().mkpath(poolOut);

    // Many small packets, so that each copy takes a while without an encode.
    const QString clip = dir.path() + QStringLiteral("/clip.mp4");
    if (MediaFactory::videoWithTone(
            clip, 300, QStringLiteral("160x120"), {QStringLiteral("-preset"), QStringLiteral("ultrafast")})
            .isEmpty()) {
        std::fprintf(stderr, "could not make the clip\n");
        return 1;
    }
    const QString banner = MediaFactory::banner(clip);
    const QString probeJson = QString::fromUtf8(QJsonDocument(MediaFactory::probe(clip)).toJson());
    QList<Source> sources;
    for (int i = 0; i < ClipCount; ++i) {
        const QString path = dir.path() + QStringLiteral("/clip%1.mp4").arg(i + 1, 2, 10, QLatin1Char('0'));
        QFile::copy(clip, path);
        sources << Source{path, banner, probeJson};
    }

    OutputProfile profile{QStringLiteral("mkv")};
    // The pool runs exactly what the jobs run, into its own folder.
    QList<QStringList> lists;
    choices.m_outFolder = poolOut;
    for (const Source& s : sources) {
        VideoItemData twin;
        twin.m_sourcePath = s.path;
        twin.m_pMediaInfo = recordOf(s);
        twin.setOutputProfile(&profile);
        lists << twin.buildArguments();
    }
    choices.m_outFolder = listOut;

    std::printf("%d clips of 300 s 160x120 H.264 + AAC copied into MKV; median of %d rounds\n", ClipCount, rounds);
    for (int limit : {1, 2}) {
        if (only != QLatin1String("memory"))
            compare(limit, sources, lists, profile, listOut, poolOut, rounds);
    }
    if (only == QLatin1String("time"))
        return 0;

    // Memory: 10,000 jobs with both records, as the probe hands them over.
    const int jobs = 10000;
    const size_t before = heapInUse();
    {
        VideoListWidget list;
        list.resize(1100, 500);
        for (int i = 0; i < jobs; ++i)
            list.addVideoItem(sources.at(i % ClipCount).path, recordOf(sources.at(i % ClipCount)), QString(), &profile,
                probeOf(sources.at(i % ClipCount)), QString());
        const size_t after = heapInUse();
        std::printf("memory: %.2f KiB per job at %d jobs with records (target <= 16 KiB)\n",
            (static_cast<double>(after) - static_cast<double>(before)) / jobs / 1024.0, jobs);
    }
    return 0;
}

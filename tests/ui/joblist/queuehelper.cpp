// A converter page that is killed in the middle of its work: it adds three
// clips, edits them (a trim, a crop with a turn and a mirror, a burnt-in
// subtitle), converts them one at a time, and prints "PARTIAL <output>" once
// the first conversion has written part of its output and the saved job list
// on disk says that job converts. Then it waits to be killed.
// usage: queuehelper <app folder> <output folder> <long clip> <clip> <clip> <subtitle>
#include "common/pathservices.h"
#include "common/runtimechoices.h"
#include "convert/savedqueue.h"
#include "convert/videoitemdata.h"
#include "probe/mediainfo.h"
#include "testenv.h"
#include "toolkit/toolkitresources.h"
#include "ui/joblist/queuesaver.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    TestEnv::guard();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::fprintf(stderr, "usage: queuehelper <app folder> <output folder> <long clip> <clip> <clip> <subtitle>\n");
        return 2;
    }
    MyQtCustom::ToolkitResources::init();
    g_appDirPath = args[1];
    RuntimeChoices choices;
    choices.makeCurrent();
    choices.m_outFolder = args[2];
    choices.m_maxConvertCount = 1;
    choices.m_autoAddSrt = false;

    VideoConverterWidget page;
    page.resize(1140, 672);
    page.layoutChildren();
    page.applySkin();
    page.retranslate();
    page.offerSavedQueue();

    VideoListWidget* list = page.videoList();
    QObject::connect(&page, &VideoConverterWidget::probingFinished, &page, [&] {
        if (list->jobCount() != 3) {
            std::fprintf(stderr, "ERROR: %d jobs instead of 3\n", list->jobCount());
            QCoreApplication::exit(3);
            return;
        }
        MediaInfo* trimmed = list->jobAt(0)->m_pMediaInfo;
        trimmed->trimStart = 1000000;
        trimmed->trimEnd = 7000000;
        MediaInfo* cropped = list->jobAt(1)->m_pMediaInfo;
        cropped->cropX = 16;
        cropped->cropY = 8;
        cropped->cropWidth = 128;
        cropped->cropHeight = 96;
        cropped->rotation = 90;
        cropped->flipH = 1;
        VideoItemData* titled = list->jobAt(2);
        titled->m_srtPath = args[6];
        titled->m_bSoftSubtitle = false;
        page.convertAllButton_slots();
    });

    auto* poll = new QTimer(&page);
    QObject::connect(poll, &QTimer::timeout, &page, [&] {
        const VideoItemData* first = list->jobAt(0);
        if (!first || first->m_nState != VideoItemData::Converting || first->m_nProgress <= 0
            || QFileInfo(first->m_outputPath).size() <= 0 || page.queueSaver()->isPending())
            return;
        SavedQueue saved;
        if (saved.load(SavedQueue::defaultPath()) != SavedQueue::Read || saved.jobs.size() != 3
            || saved.jobs[0].state != VideoItemData::Converting)
            return;
        poll->stop();
        std::printf("PARTIAL %s\n", qPrintable(first->m_outputPath));
        std::fflush(stdout);
    });
    poll->start(50);

    page.addFiles(args.mid(3, 3));
    return app.exec();
}

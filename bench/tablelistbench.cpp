// Recycling list against a QListWidget holding one row widget per item.
// Prints medians and the ratios to compare; not run by CI.
//
//   bench_tablelist            (runs under the offscreen platform)

#include "ui/joblist/mytableitemwidget.h"
#include "ui/joblist/mytablelistwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

constexpr int kRowHeight = 100;
constexpr int kPool = 20;
constexpr QSize kListSize(1140, 541); // the converter page's list area

// A row of about the weight of the job row: a thumbnail and a few texts.
class BenchRow : public MyTableItemWidget
{
public:
    explicit BenchRow(QWidget* parent)
        : MyTableItemWidget(parent)
    {
        resize(kListSize.width() - 10, kRowHeight);
        m_thumb = new QLabel(this);
        m_thumb->setGeometry(20, 18, 105, 64);
        m_thumb->setAutoFillBackground(true);
        for (int i = 0; i < 6; ++i) {
            auto* label = new QLabel(this);
            label->setGeometry(150 + (i % 3) * 200, 20 + (i / 3) * 30, 180, 24);
            m_texts.push_back(label);
        }
    }
    void show(int record)
    {
        for (size_t i = 0; i < m_texts.size(); ++i)
            m_texts[i]->setText(QStringLiteral("record %1 field %2").arg(record).arg(i));
    }
    void LoadData() override
    {
        if (m_pPrivateData)
            show(*static_cast<int*>(m_pPrivateData));
    }

private:
    QLabel* m_thumb = nullptr;
    std::vector<QLabel*> m_texts;
};

// Heap bytes in use; unlike the resident size it does not depend on what
// earlier runs freed.
long heapBytes()
{
    return static_cast<long>(mallinfo2().uordblks);
}

double median(std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0.0 : samples[samples.size() / 2] / 1000.0; // microseconds
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void sendWheel(QWidget* target, int angle)
{
    const QPointF pos(200, 200);
    QWheelEvent event(pos, target->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// One wheel notch and the repaint it causes; goes down, then back up, so
// that short lists never sit at their end.
std::vector<qint64> wheelSteps(QWidget* target, int steps)
{
    std::vector<qint64> samples;
    QElapsedTimer timer;
    for (int i = 0; i < steps; ++i) {
        const int angle = (i / 100) % 2 == 0 ? -120 : 120;
        timer.start();
        sendWheel(target, angle);
        QCoreApplication::processEvents();
        samples.push_back(timer.nsecsElapsed());
    }
    return samples;
}

struct ListFigures
{
    double wheel = 0;
    double layout = 0; // full layout of a bound pool
    double rebind = 0; // full layout that binds and fills all 20 rows
    long fixed = 0;    // the list with its rows, before any record
    long memory = 0;   // added by the records
};

ListFigures measureRecyclingList(int count)
{
    std::vector<int> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        records[static_cast<size_t>(i)] = i;

    const long empty = heapBytes();
    auto list = std::make_unique<MyTableListWidget>();
    list->setItemHeight(kRowHeight);
    list->resize(kListSize);
    for (int i = 0; i < kPool; ++i)
        list->addMyTableItemWidget(new BenchRow(list->canvas()));
    QObject::connect(list.get(), &MyTableListWidget::loadDataSingal, list.get(), [](MyTableItemWidget* w) {
        if (w->m_pPrivateData)
            w->LoadData();
    });
    list->show();
    settle();

    ListFigures figures;
    const long before = heapBytes();
    figures.fixed = before - empty;
    for (int& record : records)
        list->addPrivateData(&record);
    figures.memory = heapBytes() - before;
    settle();

    std::vector<qint64> layouts;
    QElapsedTimer timer;
    for (int i = 0; i < 200; ++i) {
        timer.start();
        list->updateLayout();
        layouts.push_back(timer.nsecsElapsed());
    }
    figures.layout = median(layouts);
    std::vector<qint64> rebinds;
    for (int i = 0; i < 200; ++i) {
        const int row = (i * 7919) % qMax(1, count - kPool);
        timer.start();
        list->updateGotoLayout(row);
        rebinds.push_back(timer.nsecsElapsed());
    }
    figures.rebind = median(rebinds);
    list->updateGotoLayout(0);
    wheelSteps(list.get(), 50); // warm up
    figures.wheel = median(wheelSteps(list.get(), 400));
    return figures;
}

ListFigures measureListWidget(int count)
{
    const long before = heapBytes();
    auto list = std::make_unique<QListWidget>();
    list->resize(kListSize);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Filled while hidden: placing every row widget on each insert would
    // take minutes and is not what is measured here.
    for (int i = 0; i < count; ++i) {
        auto* item = new QListWidgetItem(list.get());
        item->setSizeHint(QSize(kListSize.width() - 20, kRowHeight));
        auto* row = new BenchRow(nullptr);
        row->show(i);
        list->setItemWidget(item, row);
    }
    list->show();
    settle();
    ListFigures figures;
    figures.memory = heapBytes() - before;
    // 120 degrees move three lines of 20 pixels here; the recycling list moves 24.
    list->verticalScrollBar()->setSingleStep(8);
    wheelSteps(list->viewport(), 10);
    figures.wheel = median(wheelSteps(list->viewport(), 60));
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::printf("Recycling list (20 rows of %d px, %dx%d)\n", kRowHeight, kListSize.width(), kListSize.height());
    std::printf(
        "%10s %16s %16s %16s %14s\n", "records", "wheel step (us)", "layout (us)", "rebind all (us)", "records (KiB)");
    const int counts[] = {100, 10000, 100000};
    ListFigures ours[3];
    for (int i = 0; i < 3; ++i) {
        ours[i] = measureRecyclingList(counts[i]);
        std::printf("%10d %16.1f %16.1f %16.1f %14.1f\n", counts[i], ours[i].wheel, ours[i].layout, ours[i].rebind,
            ours[i].memory / 1024.0);
    }
    std::printf("  the list with its 20 rows: %.1f KiB whatever the record count\n", ours[0].fixed / 1024.0);

    std::printf("\nQListWidget with a row widget per item\n");
    const ListFigures theirs = measureListWidget(10000);
    std::printf("%10d %16.1f %16s %16s %14.1f\n", 10000, theirs.wheel, "-", "-", theirs.memory / 1024.0);

    std::printf("\nRatios\n");
    std::printf(
        "  wheel step, 100,000 / 100 records:          %8.2f  (target <= 1.5)\n", ours[2].wheel / ours[0].wheel);
    std::printf("  full layout, 100,000 / 100 records:         %8.2f\n", ours[2].layout / ours[0].layout);
    std::printf("  rebinding layout, 100,000 / 100 records:    %8.2f\n", ours[2].rebind / ours[0].rebind);
    std::printf("  QListWidget / recycling wheel step, 10,000: %8.1f  (target >= 100)\n", theirs.wheel / ours[1].wheel);
    std::printf("  QListWidget 10,000 / recycling 100,000:     %8.1f\n", theirs.wheel / ours[2].wheel);
    std::printf("  memory per extra record (bytes):            %8.1f  (one pointer: %zu)\n",
        double(ours[2].memory - ours[0].memory) / (counts[2] - counts[0]), sizeof(void*));
    std::printf("  memory, QListWidget 10,000 / recycling list and records 10,000: %.1f\n",
        double(theirs.memory) / double(ours[1].fixed + ours[1].memory));
    return 0;
}

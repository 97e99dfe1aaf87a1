#include "morvaynetest.h"
#include "ui/joblist/mytableitemwidget.h"
#include "ui/joblist/mytablelistwidget.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <vector>

namespace {

constexpr int kRowHeight = 100;
constexpr int kPool = 20;
constexpr int kView = 600; // the list is two pixels taller

// A row that remembers what it was last filled with, as the page's rows do.
class Row : public MyTableItemWidget
{
public:
    using MyTableItemWidget::MyTableItemWidget;
    void LoadData() override { m_loaded = m_pPrivateData; }
    void ResetItem(bool) override { m_loaded = nullptr; }
    void* m_loaded = nullptr;
};

} // namespace

// 20 rows of 100 pixels over any number of records.
class TestMyTableListWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void script_data();
    void script();
    void lockedStepIsDropped();
    void clearPrependAndSearch();

private:
    void fill(int count);
    void wheelBy(int angle);
    void checkView();
    int top() const { return -m_list->canvas()->y(); }
    MyTableItemWidget* first() const { return m_list->itemWidgets().first(); }

    MyTableListWidget* m_list = nullptr;
    std::vector<int> m_records;
    int m_bound = 0; // announced bindings
};

void TestMyTableListWidget::init()
{
    m_list = new MyTableListWidget;
    m_list->setItemHeight(kRowHeight);
    m_list->resize(401, kView + 2);
    for (int i = 0; i < kPool; ++i) {
        auto* row = new Row(m_list->canvas());
        row->resize(390, kRowHeight);
        m_list->addMyTableItemWidget(row);
    }
    m_bound = 0;
    connect(m_list, &MyTableListWidget::loadDataSingal, this, [this](MyTableItemWidget* w) {
        ++m_bound;
        if (w->m_pPrivateData)
            w->LoadData();
    });
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void TestMyTableListWidget::cleanup()
{
    delete m_list;
    m_records.clear();
}

void TestMyTableListWidget::fill(int count)
{
    m_records.resize(static_cast<size_t>(count));
    for (int& record : m_records)
        m_list->addPrivateData(&record);
}

void TestMyTableListWidget::wheelBy(int angle)
{
    QWheelEvent event(QPointF(100, 100), m_list->mapToGlobal(QPoint(100, 100)), QPoint(), QPoint(0, angle),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_list, &event);
    QVERIFY(event.isAccepted());
}

void TestMyTableListWidget::checkView()
{
    const int count = m_list->privateDataCount();
    QCOMPARE(m_list->canvas()->height(), qMax(count * kRowHeight, kView));
    // The bar shows only when the records fill more than two views.
    QCOMPARE(m_list->verticalScrollBar()->isVisible(), count * kRowHeight > 2 * kView);
    QVERIFY(top() >= 0 && top() <= qMax(0, count * kRowHeight - kView));
    // Each row is bound to the record of its index, or unbound (-1, null);
    // the bound ones follow each other in pool order.
    int previous = -1;
    for (MyTableItemWidget* w : m_list->itemWidgets()) {
        QCOMPARE(w->m_pPrivateData, m_list->privateDataAt(w->m_nRowIndex));
        QVERIFY(!w->isBound() || previous < 0 || w->m_nRowIndex == previous + 1);
        previous = w->isBound() ? w->m_nRowIndex : previous;
    }
    // Every record in view is shown by its row, in its place, filled with it.
    for (int r = top() / kRowHeight; r <= qMin(count - 1, (top() + kView - 1) / kRowHeight); ++r) {
        auto* w = static_cast<Row*>(m_list->searchMyTableItemWidget(m_list->privateDataAt(r)));
        QVERIFY2(w && w->isVisible() && w->y() == r * kRowHeight && w->m_loaded == w->m_pPrivateData,
            qPrintable(QStringLiteral("record %1 is in view but not shown").arg(r)));
    }
}

void TestMyTableListWidget::script_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("script");
    const auto add = [](const char* name, int count, const char* script) {
        QTest::newRow(name) << count << QString::fromLatin1(script);
    };
    add("none", 0, "");
    add("5", 5, "");
    add("12 fill exactly two views", 12, "");
    add("13", 13, "");
    add("30, a track click moves only the bar", 30, "track =0");
    add("30, wheel both ways", 30, "w-120x7 =168 bar=168 w120x7 =0 bar=0 first=0");
    add("30, wheel to the end and back", 30, "w-120x150 =2400 w120x150 =0 bar=0 first=0");
    add("30, wheel deltas", 30, "w-120x20 =480 w-240 =528 w-8 =536 w16 =520 w-17 =523 w19 =520 w0 =520");
    add("9 scroll without a bar", 9, "w-120x50 =300 w120x50 =0 bar=0");
    add("6 fill the view", 6, "w-120x3 =0");
    add("100,000, wheel both ways", 100000, "w-120x400 =9600 w120x400 =0 bar=0 first=0");
    add("30, handle a little", 30, "h150 =150 h75 =75 h1234 =1234");
    add("100,000, handle one row", 100000, "h100 =100 h50 =50");
    add("100,000, handle far down", 100000, "h5000000 =5000000 h2500000 =2500000");
    add("100,000, handle to the end and top", 100000, "hend =9999400 h0 =0 first=0");
    // A deleted record unbinds its row and those after it; when none or
    // the first was bound to it, the view restarts at the first record.
    add("delete the first, at the top", 30, "d0 first=0");
    add("delete one bound in the middle", 30, "d3 first=0");
    add("delete one bound, scrolled", 30, "w-120x40 first=7 d12 first=7");
    add("delete the last bound", 30, "d19 first=0");
    add("delete one not bound, below", 30, "d25 first=0");
    add("delete one not bound, above", 30, "w-120x100 d0 first=0 =0");
    add("delete one not in the list", 30, "w-120x60 d-1 first=0 =0");
}

// Lays the records out, then runs a script: wA[xN] wheel steps of angle A,
// hV drags the handle to V (or the end) and lets go, dR deletes record R
// (-1: one not in the list), "track" clicks the track; =T checks the top
// of the view, bar=V the bar's value, first=R the first row's record.
void TestMyTableListWidget::script()
{
    QFETCH(int, count);
    QFETCH(QString, script);
    fill(count); // each record is laid out as it comes
    QScrollBar* bar = m_list->verticalScrollBar();
    const int bound = m_bound;
    m_list->flushTableItems();
    QCOMPARE(m_bound, bound); // rows already bound keep their binding
    QCOMPARE(m_list->viewport()->geometry(), QRect(0, 1, 400, kView));
    QCOMPARE(bar->geometry(), QRect(390, 0, 10, kView));
    QCOMPARE(bar->maximum(), qMax(count * kRowHeight, kView) - kView);
    QCOMPARE(bar->pageStep(), kView);
    for (int k = 0; k < kPool; ++k)
        QCOMPARE(m_list->itemWidgets().at(k)->m_nRowIndex, k < count ? k : -1);
    checkView();

    for (const QString& action : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int value = action.mid(action.indexOf(QLatin1Char('=')) + 1).toInt();
        if (action.startsWith(QLatin1Char('w'))) {
            const int times = action.contains(QLatin1Char('x')) ? action.section(QLatin1Char('x'), 1).toInt() : 1;
            for (int i = 0; i < times; ++i) {
                wheelBy(action.mid(1).section(QLatin1Char('x'), 0, 0).toInt());
                checkView();
            }
        } else if (action.startsWith(QLatin1Char('h'))) {
            const int before = m_bound, y = top();
            bar->setSliderDown(true);
            bar->setValue(action == QLatin1String("hend") ? bar->maximum() : action.mid(1).toInt());
            QVERIFY(m_bound == before && top() == y); // nothing moves while dragging
            bar->setSliderDown(false);
            QVERIFY(m_bound - before <= kPool); // filled once, not for every row passed
        } else if (action.startsWith(QLatin1Char('d'))) {
            int stranger = 0;
            const int record = action.mid(1).toInt();
            void* gone = record < 0 ? &stranger : &m_records[static_cast<size_t>(record)];
            m_list->deletePrivateData(gone);
            QCOMPARE(m_list->privateDataCount(), count - (record < 0 ? 0 : 1));
            QVERIFY(!m_list->searchMyTableItemWidget(gone));
            for (int i = 0; i < m_list->privateDataCount(); ++i)
                QVERIFY(m_list->privateDataAt(i) != gone);
            for (MyTableItemWidget* w : m_list->itemWidgets())
                QVERIFY(w->m_pPrivateData != gone && static_cast<Row*>(w)->m_loaded != gone);
        } else if (action == QLatin1String("track")) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        } else if (action.startsWith(QLatin1String("first="))) {
            QCOMPARE(first()->m_nRowIndex, value);
        } else if (action.startsWith(QLatin1String("bar="))) {
            QCOMPARE(bar->value(), value);
        } else if (action.startsWith(QLatin1Char('='))) {
            QCOMPARE(top(), value);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
        }
        checkView();
    }
}

void TestMyTableListWidget::lockedStepIsDropped()
{
    fill(30);
    int inside = 0;
    // A handler runs while the list holds its lock; a wheel step arriving
    // then is lost, not queued or deadlocked.
    auto connection = connect(m_list, &MyTableListWidget::loadDataSingal, this, [&] {
        ++inside;
        const int y = m_list->canvas()->y();
        wheelBy(-120);
        m_list->updateMoveLayout(-500, true);
        QCOMPARE(m_list->canvas()->y(), y);
    });
    const int bound = m_bound;
    m_list->updateGotoLayout(3);
    disconnect(connection);
    QVERIFY(inside > 0);
    QCOMPARE(m_bound - bound, inside); // nothing bound by the dropped steps
    QCOMPARE(top(), 300);
    checkView();
    wheelBy(-120); // the lock is free again
    QCOMPARE(top(), 324);
}

void TestMyTableListWidget::clearPrependAndSearch()
{
    fill(30);
    QCOMPARE(m_list->searchMyTableItemWidget(&m_records[2]), m_list->itemWidgets().at(2));
    QVERIFY(!m_list->searchMyTableItemWidget(&m_records[25])); // in the list, not bound
    m_list->clear();
    QCOMPARE(m_list->privateDataCount(), 0);
    QVERIFY(!m_list->verticalScrollBar()->isVisible());
    for (MyTableItemWidget* w : m_list->itemWidgets())
        QVERIFY(!w->isBound() && !w->isVisible() && !static_cast<Row*>(w)->m_loaded);
    // Unbound rows hold null too; they are no record's rows.
    QVERIFY(!m_list->searchMyTableItemWidget(nullptr));
    const int bound = m_bound;
    m_list->FlushText(); // offers the unbound rows again
    QCOMPARE(m_bound - bound, kPool);
    // Usable again; a record put in front is shown first.
    fill(3);
    int front = -1;
    m_list->prependPrivateData(&front);
    m_list->updateGotoLayout(0);
    QCOMPARE(first()->m_pPrivateData, static_cast<void*>(&front));
    checkView();

    m_list->setBackgroundColor(QColor(0x20, 0x21, 0x24));
    QCOMPARE(m_list->grab().toImage().pixelColor(200, 500), QColor(0x20, 0x21, 0x24));
}

MORVAYNE_TEST_MAIN(TestMyTableListWidget)
#include "tst_mytablelistwidget.moc"

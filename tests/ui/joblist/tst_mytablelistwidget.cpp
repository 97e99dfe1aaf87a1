#include "morvaynetest.h"
#include "ui/joblist/mytableitemwidget.h"
#include "ui/joblist/mytablelistwidget.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <vector>

namespace {

constexpr int kRowHeight = 100, kPool = 20, kView = 600; // the list is two pixels taller

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
    void script_data();
    void script();

private:
    void fill(int count)
    {
        m_records.resize(static_cast<size_t>(count));
        for (int& record : m_records)
            m_list->addPrivateData(&record);
    }
    void wheelBy(int angle)
    {
        QWheelEvent event(QPointF(100, 100), m_list->mapToGlobal(QPoint(100, 100)), QPoint(), QPoint(0, angle),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_list, &event);
        QVERIFY(event.isAccepted());
    }
    void checkView();
    int top() const { return -m_list->canvas()->y(); }

    MyTableListWidget* m_list = nullptr;
    std::vector<int> m_records;
    int m_bound = 0; // announced bindings
};

void TestMyTableListWidget::checkView()
{
    const int count = m_list->privateDataCount();
    QCOMPARE(m_list->canvas()->height(), qMax(count * kRowHeight, kView));
    QCOMPARE(m_list->verticalScrollBar()->maximum(), qMax(count * kRowHeight, kView) - kView);
    // The bar shows only when the records fill more than two views.
    QCOMPARE(m_list->verticalScrollBar()->isVisible(), count * kRowHeight > 2 * kView);
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
    add("30, wheel to the end and back", 30, "w-120x150 =2400 w120x150 =0 first=0");
    add("30, wheel deltas", 30, "w-120x20 =480 w-240 =528 w-8 =536 w16 =520 w-17 =523 w19 =520 w0 =520");
    add("9 scroll without a bar", 9, "w-120x50 =300 w120x50 =0");
    add("6 fill the view", 6, "w-120x3 =0");
    add("100,000, wheel both ways", 100000, "w-120x400 =9600 w120x400 =0 first=0");
    add("100,000, handle", 100000, "h150 =150 h50 =50 h5000000 =5000000 h2500000 =2500000 hend =9999400 h0 =0 first=0");
    add("30, a step while the list is busy is dropped", 30, "lock =300 w-120 =324");
    // A deleted record unbinds its row and those after it; when none or
    // the first was bound to it, the view restarts at the first record.
    add("delete one bound", 30, "d3 first=0 d0 first=0");
    add("delete one bound, scrolled", 30, "w-120x40 first=7 d12 first=7");
    add("delete one not bound, above", 30, "w-120x100 d0 first=0 =0");
    add("delete one not in the list", 30, "w-120x60 d-1 first=0 =0");
    add("clear", 30, "w-120x60 clear =0");
}

// Lays the records out, then runs a script: wA[xN] wheel steps of angle A,
// hV drags the handle to V (or the end) and lets go, dR deletes record R
// (-1: one not in the list), "track" clicks the track, "lock" goes to row 3
// while each binding tries to scroll, "clear" empties the list and puts in
// four records; =T checks the top of the view, first=R the first row's record.
void TestMyTableListWidget::script()
{
    QFETCH(int, count);
    QFETCH(QString, script);
    MyTableListWidget list;
    m_list = &list;
    list.setItemHeight(kRowHeight);
    list.resize(401, kView + 2);
    for (int i = 0; i < kPool; ++i) {
        auto* row = new Row(list.canvas());
        row->resize(390, kRowHeight);
        list.addMyTableItemWidget(row);
    }
    m_bound = 0;
    connect(&list, &MyTableListWidget::loadDataSingal, this, [this](MyTableItemWidget* w) {
        ++m_bound;
        w->LoadData();
    });
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    fill(count); // each record is laid out as it comes
    QScrollBar* bar = m_list->verticalScrollBar();
    const int bound = m_bound;
    m_list->flushTableItems();
    QCOMPARE(m_bound, bound); // rows already bound keep their binding
    QCOMPARE(m_list->viewport()->geometry(), QRect(0, 1, 400, kView));
    QCOMPARE(bar->geometry(), QRect(390, 0, 10, kView));
    for (int k = 0; k < kPool; ++k)
        QCOMPARE(m_list->itemWidgets().at(k)->m_nRowIndex, k < count ? k : -1);
    checkView();

    for (const QString& action : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int arg = action.mid(1).section(QLatin1Char('x'), 0, 0).toInt();
        const int before = m_bound, y = top(), records = m_list->privateDataCount();
        if (action.startsWith(QLatin1Char('w'))) {
            for (int i = qMax(1, action.section(QLatin1Char('x'), 1).toInt()); i > 0; --i) {
                wheelBy(arg);
                QCOMPARE(bar->value(), top()); // at the very top too
                checkView();
            }
        } else if (action.startsWith(QLatin1Char('h'))) {
            bar->setSliderDown(true);
            bar->setValue(action == QLatin1String("hend") ? bar->maximum() : arg);
            QVERIFY(m_bound == before && top() == y); // nothing moves while dragging
            bar->setSliderDown(false);
            QVERIFY(m_bound - before <= kPool); // filled once, not for every row passed
        } else if (action.startsWith(QLatin1Char('d'))) {
            int stranger = 0;
            void* gone = arg < 0 ? &stranger : &m_records[static_cast<size_t>(arg)];
            m_list->deletePrivateData(gone);
            QCOMPARE(m_list->privateDataCount(), records - (arg < 0 ? 0 : 1));
            for (MyTableItemWidget* w : m_list->itemWidgets())
                QVERIFY(w->m_pPrivateData != gone && static_cast<Row*>(w)->m_loaded != gone);
        } else if (action == QLatin1String("track")) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        } else if (action == QLatin1String("lock")) {
            // A step arriving while the list holds its lock is lost, not queued or deadlocked.
            int inside = 0;
            const auto busy = connect(m_list, &MyTableListWidget::loadDataSingal, this, [&] {
                const int at = top();
                wheelBy(-120);
                m_list->updateMoveLayout(-500, true);
                QVERIFY(top() == at && ++inside);
            });
            m_list->updateGotoLayout(3);
            disconnect(busy);
            QVERIFY(inside > 0 && m_bound - before == inside); // nothing bound by the dropped steps
        } else if (action == QLatin1String("clear")) {
            QVERIFY(!m_list->searchMyTableItemWidget(&m_records[0])); // in the list, not bound
            m_list->clear();
            QVERIFY(!m_list->privateDataCount() && !bar->isVisible());
            for (MyTableItemWidget* w : m_list->itemWidgets())
                QVERIFY(!w->isBound() && !w->isVisible() && !static_cast<Row*>(w)->m_loaded);
            QVERIFY(!m_list->searchMyTableItemWidget(nullptr)); // unbound rows are no record's rows
            // Usable again; a record put in front shows first.
            fill(3);
            m_list->prependPrivateData(&count);
            m_list->updateGotoLayout(0);
            QCOMPARE(m_list->itemWidgets().first()->m_pPrivateData, static_cast<void*>(&count));
        } else {
            QCOMPARE(action.startsWith(QLatin1String("first=")) ? m_list->itemWidgets().first()->m_nRowIndex : top(),
                action.section(QLatin1Char('='), 1).toInt());
        }
        checkView();
    }
}

MORVAYNE_TEST_MAIN(TestMyTableListWidget)
#include "tst_mytablelistwidget.moc"

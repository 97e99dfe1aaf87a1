#include "morvaynetest.h"
#include "toolkit/skinhelper.h"
#include "ui/joblist/mytableitemwidget.h"
#include "ui/joblist/mytablelistwidget.h"
#include "ui/joblist/nofocusframedelegate.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QWheelEvent>

#include <memory>
#include <vector>

class TestMyTableListWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void wheelBothWays_data();
    void wheelBothWays();
    void wheelDeltas_data();
    void wheelDeltas();
    void wheelEndAndBack();
    void shortListScrollsWithoutBar();
    void handleRelease_data();
    void handleRelease();
    void handleReleaseEndAndTop();
    void trackClickDoesNotMoveRows();
    void lockedStepIsDropped();
    void deleteRecords_data();
    void deleteRecords();
    void deleteUnknownRestartsAtTop();
    void clear();
    void prependAndGoto();
    void flushTextAndSearch();
    void background();
    void delegateDropsFocusFrame();

private:
    void fill(int count);
    void wheel(int angleDelta, int times = 1);
    void release(int value);
    void checkView();

    MyTableListWidget* m_list = nullptr;
    std::vector<int> m_records;
    QList<MyTableItemWidget*> m_emitted;
    int m_resets = 0;
};

namespace {

constexpr int kRowHeight = 100;
constexpr int kPool = 20;
constexpr int kViewHeight = 600; // the list is two pixels taller

// A row that remembers what it was last filled with, as the page's rows do.
class Row : public MyTableItemWidget
{
public:
    explicit Row(QWidget* parent, int* resets)
        : MyTableItemWidget(parent),
          m_resets(resets)
    {
        resize(390, kRowHeight);
    }
    void LoadData() override { m_loaded = m_pPrivateData; }
    void ResetItem(bool keep) override
    {
        QVERIFY(!keep);
        m_loaded = nullptr;
        ++*m_resets;
    }
    void* m_loaded = nullptr;
    int* m_resets;
};

Row* row(MyTableItemWidget* w)
{
    return static_cast<Row*>(w);
}

} // namespace

void TestMyTableListWidget::init()
{
    m_list = new MyTableListWidget;
    m_list->setItemHeight(kRowHeight);
    m_list->resize(401, kViewHeight + 2);
    for (int i = 0; i < kPool; ++i)
        m_list->addMyTableItemWidget(new Row(m_list->canvas(), &m_resets));
    m_emitted.clear();
    m_resets = 0;
    connect(m_list, &MyTableListWidget::loadDataSingal, this, [this](MyTableItemWidget* w) {
        m_emitted << w;
        if (w->m_pPrivateData)
            w->LoadData();
    });
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void TestMyTableListWidget::cleanup()
{
    delete m_list;
    m_list = nullptr;
    m_records.clear();
}

void TestMyTableListWidget::fill(int count)
{
    m_records.assign(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        m_records[static_cast<size_t>(i)] = i;
        m_list->addPrivateData(&m_records[static_cast<size_t>(i)]);
    }
}

void TestMyTableListWidget::wheel(int angleDelta, int times)
{
    for (int i = 0; i < times; ++i) {
        const QPointF pos(100, 100);
        QWheelEvent event(pos, m_list->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_list, &event);
        QVERIFY(event.isAccepted());
    }
}

// Drag the handle to value and let go.
void TestMyTableListWidget::release(int value)
{
    QScrollBar* bar = m_list->verticalScrollBar();
    QVERIFY(bar->isVisible());
    bar->setSliderDown(true);
    bar->setValue(value);
    bar->setSliderDown(false);
}

// What is in view is bound to the right records, placed where they belong
// and filled with their own record.
void TestMyTableListWidget::checkView()
{
    const int count = m_list->privateDataCount();
    const int top = -m_list->canvas()->y();
    QCOMPARE(m_list->canvas()->height(), qMax(count * kRowHeight, kViewHeight));
    QVERIFY(top >= 0);
    QVERIFY(top <= qMax(0, count * kRowHeight - kViewHeight));

    QSet<int> shown;
    int previous = -1;
    for (MyTableItemWidget* w : m_list->itemWidgets()) {
        if (!w->m_pPrivateData) {
            QCOMPARE(w->m_nRowIndex, -1);
            continue;
        }
        QVERIFY(w->m_nRowIndex >= 0 && w->m_nRowIndex < count);
        QCOMPARE(w->m_pPrivateData, m_list->privateDataAt(w->m_nRowIndex));
        QCOMPARE(w->y(), w->m_nRowIndex * kRowHeight);
        QVERIFY(w->isVisible());
        if (previous >= 0)
            QCOMPARE(w->m_nRowIndex, previous + 1);
        previous = w->m_nRowIndex;
        if (w->y() + kRowHeight > top && w->y() < top + kViewHeight) {
            QCOMPARE(row(w)->m_loaded, w->m_pPrivateData);
            shown << w->m_nRowIndex;
        }
    }
    const int firstInView = top / kRowHeight;
    const int lastInView = qMin(count - 1, (top + kViewHeight - 1) / kRowHeight);
    for (int r = firstInView; r <= lastInView; ++r)
        QVERIFY2(shown.contains(r), qPrintable(QStringLiteral("record %1 is in view but not shown").arg(r)));
}

void TestMyTableListWidget::layout_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("barShown");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("5") << 5 << false;
    QTest::newRow("12 fill exactly two views") << 12 << false;
    QTest::newRow("13") << 13 << true;
    QTest::newRow("30") << 30 << true;
    QTest::newRow("100,000") << 100000 << true;
}

void TestMyTableListWidget::layout()
{
    QFETCH(int, count);
    QFETCH(bool, barShown);
    // Rows are added one by one; bind them all in one pass afterwards too.
    fill(count);
    m_emitted.clear();
    m_list->flushTableItems();
    QVERIFY(m_emitted.isEmpty()); // rows already bound keep their binding

    QCOMPARE(m_list->viewport()->geometry(), QRect(0, 1, 400, kViewHeight));
    QCOMPARE(m_list->verticalScrollBar()->geometry(), QRect(390, 0, 10, kViewHeight));
    QCOMPARE(m_list->canvas()->geometry(), QRect(0, 0, 401, qMax(count * kRowHeight, kViewHeight)));
    QCOMPARE(m_list->verticalScrollBar()->isVisible(), barShown);
    QCOMPARE(m_list->verticalScrollBar()->maximum(), qMax(count * kRowHeight, kViewHeight) - kViewHeight);
    QCOMPARE(m_list->verticalScrollBar()->pageStep(), kViewHeight);

    const QList<MyTableItemWidget*> pool = m_list->itemWidgets();
    for (int k = 0; k < kPool; ++k) {
        if (k < count) {
            QCOMPARE(pool[k]->m_nRowIndex, k);
            QCOMPARE(pool[k]->m_pPrivateData, static_cast<void*>(&m_records[static_cast<size_t>(k)]));
        } else {
            QVERIFY(!pool[k]->isBound());
            QVERIFY(!pool[k]->isVisible());
        }
    }
    checkView();
}

void TestMyTableListWidget::wheelBothWays_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("notches");
    QTest::newRow("30, a few notches") << 30 << 7;
    QTest::newRow("30, beyond the end") << 30 << 150;
    QTest::newRow("100,000, many notches") << 100000 << 400;
}

void TestMyTableListWidget::wheelBothWays()
{
    QFETCH(int, count);
    QFETCH(int, notches);
    fill(count);
    for (int i = 0; i < notches; ++i) {
        wheel(-120);
        checkView();
    }
    const int expectedTop = qMin(notches * 24, count * kRowHeight - kViewHeight);
    QCOMPARE(-m_list->canvas()->y(), expectedTop);
    QCOMPARE(m_list->verticalScrollBar()->value(), expectedTop);
    for (int i = 0; i < notches; ++i) {
        wheel(120);
        checkView();
    }
    QCOMPARE(m_list->canvas()->y(), 0);
    QCOMPARE(m_list->itemWidgets().first()->m_nRowIndex, 0);
    QCOMPARE(m_list->itemWidgets().first()->m_pPrivateData, static_cast<void*>(&m_records[0]));
    // The bar follows the rows all the way back to the top.
    QCOMPARE(m_list->verticalScrollBar()->value(), 0);
}

void TestMyTableListWidget::wheelDeltas_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("moved");
    QTest::newRow("one notch down") << -120 << -24;
    QTest::newRow("one notch up") << 120 << 24;
    QTest::newRow("two notches") << -240 << -48;
    QTest::newRow("fine 8") << -8 << -8;
    QTest::newRow("fine 16") << 16 << 16;
    QTest::newRow("17 is divided") << -17 << -3;
    QTest::newRow("-19 toward zero") << 19 << 3;
    QTest::newRow("horizontal only") << 0 << 0;
}

void TestMyTableListWidget::wheelDeltas()
{
    QFETCH(int, angle);
    QFETCH(int, moved);
    fill(30);
    wheel(-120, 20); // somewhere in the middle
    const int before = m_list->canvas()->y();
    wheel(angle);
    QCOMPARE(m_list->canvas()->y() - before, moved);
    checkView();
}

void TestMyTableListWidget::wheelEndAndBack()
{
    fill(30);
    wheel(-120, 200);
    QCOMPARE(m_list->canvas()->y(), kViewHeight - 30 * kRowHeight);
    MyTableItemWidget* last = m_list->itemWidgets().last();
    QCOMPARE(last->m_nRowIndex, 29);
    QCOMPARE(row(last)->m_loaded, static_cast<void*>(&m_records[29]));
    // Once the last record is bound the pool stops moving.
    const QList<MyTableItemWidget*> pool = m_list->itemWidgets();
    wheel(-120, 5);
    QCOMPARE(m_list->itemWidgets(), pool);
    checkView();
}

void TestMyTableListWidget::shortListScrollsWithoutBar()
{
    fill(9); // more than one view, less than two
    QVERIFY(!m_list->verticalScrollBar()->isVisible());
    wheel(-120, 50);
    QCOMPARE(m_list->canvas()->y(), kViewHeight - 9 * kRowHeight);
    QVERIFY(!m_list->verticalScrollBar()->isVisible());
    checkView();

    cleanup();
    init();
    fill(6); // exactly one view: nothing to scroll
    wheel(-120, 3);
    QCOMPARE(m_list->canvas()->y(), 0);
}

void TestMyTableListWidget::handleRelease_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("value");
    QTest::newRow("30, a little") << 30 << 150;
    QTest::newRow("30, middle") << 30 << 1234;
    QTest::newRow("100,000, far down") << 100000 << 5000000;
    QTest::newRow("100,000, one row") << 100000 << 100;
}

void TestMyTableListWidget::handleRelease()
{
    QFETCH(int, count);
    QFETCH(int, value);
    fill(count);
    m_emitted.clear();
    release(value);
    QCOMPARE(-m_list->canvas()->y(), value);
    // Rows are filled once, on release, not for every row passed on the way.
    QVERIFY(m_emitted.size() <= kPool);
    checkView();
    // And back up a little.
    release(value / 2);
    QCOMPARE(-m_list->canvas()->y(), value / 2);
    checkView();
}

void TestMyTableListWidget::handleReleaseEndAndTop()
{
    fill(100000);
    QScrollBar* bar = m_list->verticalScrollBar();
    release(bar->maximum());
    QCOMPARE(m_list->canvas()->y(), kViewHeight - 100000 * kRowHeight);
    MyTableItemWidget* last = m_list->itemWidgets().last();
    QCOMPARE(last->m_nRowIndex, 99999);
    QCOMPARE(row(last)->m_loaded, static_cast<void*>(&m_records[99999]));
    checkView();

    release(0);
    QCOMPARE(m_list->canvas()->y(), 0);
    MyTableItemWidget* first = m_list->itemWidgets().first();
    QCOMPARE(first->m_nRowIndex, 0);
    QCOMPARE(row(first)->m_loaded, static_cast<void*>(&m_records[0]));
    checkView();
}

void TestMyTableListWidget::trackClickDoesNotMoveRows()
{
    fill(30);
    QScrollBar* bar = m_list->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(bar->value(), kViewHeight);
    QCOMPARE(m_list->canvas()->y(), 0);
    checkView();
}

void TestMyTableListWidget::lockedStepIsDropped()
{
    fill(30);
    wheel(-120, 10);
    const int before = m_list->canvas()->y();
    int inside = 0;
    // A handler runs while the list holds its lock; a wheel step arriving
    // then must be lost, not queued or deadlocked.
    auto connection = connect(m_list, &MyTableListWidget::loadDataSingal, this, [&] {
        ++inside;
        const int y = m_list->canvas()->y();
        wheel(-120);
        m_list->updateMoveLayout(-500, true);
        QCOMPARE(m_list->canvas()->y(), y);
    });
    m_emitted.clear();
    m_list->updateGotoLayout(3);
    disconnect(connection);
    QVERIFY(inside > 0);
    QCOMPARE(m_emitted.size(), inside); // nothing bound by the dropped steps
    QCOMPARE(m_list->canvas()->y(), -300);
    QVERIFY(before != -300);
    checkView();
    // The lock is free again afterwards.
    wheel(-120);
    QCOMPARE(m_list->canvas()->y(), -324);
}

void TestMyTableListWidget::deleteRecords_data()
{
    QTest::addColumn<int>("scrollNotches");
    QTest::addColumn<int>("record");
    QTest::addColumn<bool>("restartsAtTop");
    QTest::newRow("first row, at the top") << 0 << 0 << true;
    QTest::newRow("bound in the middle") << 0 << 3 << false;
    QTest::newRow("bound, scrolled") << 40 << 12 << false;
    QTest::newRow("last bound") << 0 << 19 << false;
    QTest::newRow("not bound, below") << 0 << 25 << true;
    QTest::newRow("not bound, above") << 100 << 0 << true;
}

void TestMyTableListWidget::deleteRecords()
{
    QFETCH(int, scrollNotches);
    QFETCH(int, record);
    QFETCH(bool, restartsAtTop);
    fill(30);
    wheel(-120, scrollNotches);
    void* gone = &m_records[static_cast<size_t>(record)];
    const int firstBefore = m_list->itemWidgets().first()->m_nRowIndex;
    m_list->deletePrivateData(gone);
    QCOMPARE(m_list->privateDataCount(), 29);
    for (int i = 0; i < m_list->privateDataCount(); ++i)
        QVERIFY(m_list->privateDataAt(i) != gone);
    QVERIFY(!m_list->searchMyTableItemWidget(gone));
    for (MyTableItemWidget* w : m_list->itemWidgets())
        QVERIFY(w->m_pPrivateData != gone && row(w)->m_loaded != gone);
    QCOMPARE(m_list->itemWidgets().first()->m_nRowIndex, restartsAtTop ? 0 : firstBefore);
    checkView();
}

void TestMyTableListWidget::deleteUnknownRestartsAtTop()
{
    fill(30);
    wheel(-120, 60);
    int stranger = 0;
    m_list->deletePrivateData(&stranger);
    QCOMPARE(m_list->privateDataCount(), 30);
    QCOMPARE(m_list->itemWidgets().first()->m_nRowIndex, 0);
    QCOMPARE(m_list->canvas()->y(), 0);
    checkView();
}

void TestMyTableListWidget::clear()
{
    fill(30);
    wheel(-120, 30);
    m_list->clear();
    QCOMPARE(m_list->privateDataCount(), 0);
    QCOMPARE(m_resets, kPool);
    QVERIFY(!m_list->verticalScrollBar()->isVisible());
    for (MyTableItemWidget* w : m_list->itemWidgets()) {
        QVERIFY(!w->isBound());
        QVERIFY(!w->isVisible());
    }
    // The list is usable again.
    m_records.clear();
    fill(3);
    QCOMPARE(m_list->itemWidgets().first()->m_nRowIndex, 0);
    checkView();
}

void TestMyTableListWidget::prependAndGoto()
{
    fill(30);
    static int front = -1;
    m_list->prependPrivateData(&front);
    QCOMPARE(m_list->privateDataCount(), 31);
    QCOMPARE(m_list->privateDataAt(0), static_cast<void*>(&front));

    m_list->updateGotoLayout(10);
    QCOMPARE(m_list->itemWidgets().first()->m_nRowIndex, 10);
    QCOMPARE(m_list->itemWidgets().first()->m_pPrivateData, m_list->privateDataAt(10));
    QCOMPARE(m_list->canvas()->y(), -1000);
    checkView();
}

void TestMyTableListWidget::flushTextAndSearch()
{
    fill(5);
    m_emitted.clear();
    m_list->FlushText();
    // Only the unbound rows are offered again.
    QCOMPARE(m_emitted.size(), kPool - 5);
    for (MyTableItemWidget* w : qAsConst(m_emitted))
        QVERIFY(!w->isBound());

    QCOMPARE(m_list->searchMyTableItemWidget(&m_records[2]), m_list->itemWidgets().at(2));
    QVERIFY(!m_list->searchMyTableItemWidget(nullptr));

    cleanup();
    init();
    fill(100);
    QVERIFY(!m_list->searchMyTableItemWidget(&m_records[50])); // in the list, not bound
}

void TestMyTableListWidget::background()
{
    SkinHelper::GetInstance()->InitColor(0);
    m_list->flushTableItems();
    m_list->setBackgroundColor(QColor(0x20, 0x21, 0x24));
    QVERIFY(m_list->canvas()->autoFillBackground());
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        QCOMPARE(m_list->canvas()->palette().color(g, QPalette::Window), QColor(0x20, 0x21, 0x24));
    QCOMPARE(m_list->verticalScrollBar()->styleSheet(),
        SkinHelper::GetInstance()->GetQScrollBarQSS(QStringLiteral("vertical"), QString(), 10));
    const QImage shot = m_list->grab().toImage();
    QCOMPARE(shot.pixelColor(200, 300), QColor(0x20, 0x21, 0x24));
}

namespace {

class StateRecorder : public QProxyStyle
{
public:
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override
    {
        if (element == CE_ItemViewItem)
            states << option->state;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable QList<QStyle::State> states;
};

} // namespace

void TestMyTableListWidget::delegateDropsFocusFrame()
{
    QWidget owner;
    auto* style = new StateRecorder;
    owner.setStyle(style);
    NoFocusFrameDelegate delegate;
    QStyleOptionViewItem option;
    option.widget = &owner;
    option.rect = QRect(0, 0, 100, 20);
    option.state = QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_Enabled;
    QImage image(100, 20, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    delegate.paint(&painter, option, QModelIndex());
    QCOMPARE(style->states.size(), 1);
    QVERIFY(!(style->states.first() & QStyle::State_HasFocus));
    QVERIFY(style->states.first() & QStyle::State_Selected);
    QVERIFY(option.state & QStyle::State_HasFocus); // the caller's option is untouched
    owner.setStyle(nullptr);
    delete style;
}

MORVAYNE_TEST_MAIN(TestMyTableListWidget)
#include "tst_mytablelistwidget.moc"

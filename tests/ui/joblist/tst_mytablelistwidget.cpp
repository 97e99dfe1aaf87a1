#include "morvaynetest.h"
#include "ui/joblist/mytableitemwidget.h"
#include "ui/joblist/mytablelistwidget.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <deque>

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

protected:
    // Pictures of the list show which record each row was filled with.
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("row %1").arg(m_nRowIndex));
    }
};

QString mismatch(const char* what, int actual, int expected)
{
    return QStringLiteral("%1 is %2, expected %3").arg(QLatin1String(what)).arg(actual).arg(expected);
}

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
        for (int i = 0; i < count; ++i) {
            m_records.push_back(0);
            m_list->addPrivateData(&m_records.back());
        }
    }
    bool wheel(QWidget* target, int angle)
    {
        QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, angle), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    }
    QString act(const QString& action);
    QString checkView() const;
    int top() const { return -m_list->canvas()->y(); }

    MyTableListWidget* m_list = nullptr;
    std::deque<int> m_records; // records keep their address while more are added
    int m_bound = 0;           // announced bindings
};

// What the user must see: the bar equals the view and shows whenever the
// records do not fit; every record in view is shown by its row, in its
// place, filled with it. Returns the first thing that is wrong.
QString TestMyTableListWidget::checkView() const
{
    const QScrollBar* bar = m_list->verticalScrollBar();
    const int view = m_list->viewport()->height();
    const int count = m_list->privateDataCount();
    const int total = qMax(count * kRowHeight, view);
    if (m_list->canvas()->height() != total)
        return mismatch("the canvas height", m_list->canvas()->height(), total);
    if (top() < 0 || top() > total - view)
        return mismatch("the view's top", top(), qBound(0, top(), total - view));
    if (bar->maximum() != total - view || bar->pageStep() != view)
        return mismatch("the bar's maximum", bar->maximum(), total - view);
    if (bar->value() != top())
        return mismatch("the bar's value", bar->value(), top());
    if (bar->isVisible() != (count * kRowHeight > view))
        return QStringLiteral("the bar is %1 with %2 records")
            .arg(QLatin1String(bar->isVisible() ? "shown" : "hidden"))
            .arg(count);
    // Each row is bound to the record of its index, or unbound (-1, null);
    // the bound ones follow each other in pool order.
    int previous = -1;
    for (MyTableItemWidget* w : m_list->itemWidgets()) {
        if (w->m_pPrivateData != m_list->privateDataAt(w->m_nRowIndex))
            return QStringLiteral("the row bound as record %1 holds another record").arg(w->m_nRowIndex);
        if (w->isBound() && previous >= 0 && w->m_nRowIndex != previous + 1)
            return QStringLiteral("the row after record %1 is bound to record %2").arg(previous).arg(w->m_nRowIndex);
        previous = w->isBound() ? w->m_nRowIndex : previous;
    }
    for (int r = top() / kRowHeight; r <= qMin(count - 1, (top() + view - 1) / kRowHeight); ++r) {
        auto* w = static_cast<Row*>(m_list->searchMyTableItemWidget(m_list->privateDataAt(r)));
        if (!w || !w->isVisible() || w->y() != r * kRowHeight || w->m_loaded != w->m_pPrivateData)
            return QStringLiteral("record %1 is in view but not shown").arg(r);
    }
    return QString();
}

void TestMyTableListWidget::script_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("script");
    const auto add = [](const char* name, int count, const QString& script) { QTest::newRow(name) << count << script; };
    const auto s = [](const char* script) { return QString::fromLatin1(script); };
    add("none", 0, QString());
    add("5", 5, QString());
    add("6 fill the view: no bar", 6, s("w-120x3 =0"));
    add("7 overflow by a row: a bar", 7, s("w-120x10 =100"));
    add("9", 9, s("w-120x50 =300 w120x50 =0"));
    add("12 fill exactly two views", 12, QString());
    add("30, wheel to the end and back", 30, s("w-120x150 =2400 w120x150 =0 first=0"));
    add("30, wheel deltas", 30, s("w-120x20 =480 w-240 =528 w-8 =536 w16 =520 w-17 =523 w19 =520 w0 =520"));
    add("30, the wheel over the bar moves as over the rows", 30, s("W-120x5 =120 W120 =96"));
    add("30, track clicks move the view a page", 30, s("track =600 track =1200 w-120 =1224 track =1824"));
    add("100,000, wheel both ways", 100000, s("w-120x400 =9600 w120x400 =0 first=0"));
    add("100,000, handle", 100000,
        s("h150 =150 h50 =50 h5000000 =5000000 h2500000 =2500000 hend =9999400 w120 =9999376 h0 =0 first=0"));
    add("30, a step while the list is busy is dropped", 30, s("lock =300 w-120 =324"));
    // Deleting keeps the view where it was, clamped to the records left.
    add("delete one bound", 30, s("d3 first=0 =0 d0 first=0 =0"));
    add("delete one bound, scrolled", 30, s("w-120x40 first=7 d12 first=7 =960"));
    add("delete one above the view", 30, s("w-120x40 d3 =960 w-120x100 d0 =2200"));
    add("delete one not in the list", 30, s("w-120x60 d-1 =1440"));
    add("at the end of 30, delete the last", 30, s("w-120x150 =2400 d29 =2300"));
    QString downTo11 = s("w-120x150");
    for (int r = 29; r >= 11; --r)
        downTo11 += QStringLiteral(" d%1").arg(r);
    add("at the end of 30, delete down to 11", 30, downTo11 + s(" =500 w120x5 =380"));
    add("a record put in front", 5, s("p =0 p =0"));
    add("a record put in front, scrolled", 30, s("w-120x40 p =960"));
    add("adds keep the view", 30, s("w-120x40 a5 =960 w-120x150 =2900 a5 =2900 w-120x50 =3400"));
    add("resizes keep the view, clamped", 30, s("w-120x150 r900 =2100 r300 =2100 r1400 =1600 r600 =1600"));
    add("a resize past the records hides the bar", 13, s("w-120x50 =700 r1400 =0 r600 =0"));
    add("clear", 30, s("w-120x60 clear =0"));
}

// Runs one action of a script; returns what went wrong, or nothing.
// wA[xN] wheel steps of angle A over the rows, WA[xN] over the bar; hV drags
// the handle to V (or the end) and lets go; "track" clicks the track below
// the handle; dR deletes record R (-1: one not in the list); aN appends N
// records; p puts one in front; rH resizes the list to a view of H pixels;
// "lock" goes to row 3 while each binding tries to scroll; "clear" empties
// the list and puts in four records; =T checks the top of the view, first=R
// the first row's record.
QString TestMyTableListWidget::act(const QString& action)
{
    QScrollBar* bar = m_list->verticalScrollBar();
    const int arg = action.mid(1).section(QLatin1Char('x'), 0, 0).toInt();
    const int before = m_bound, records = m_list->privateDataCount();
    const QChar kind = action.at(0);
    if (kind == QLatin1Char('w') || kind == QLatin1Char('W')) {
        QWidget* target = kind == QLatin1Char('w') ? static_cast<QWidget*>(m_list) : bar;
        for (int i = qMax(1, action.section(QLatin1Char('x'), 1).toInt()); i > 0; --i) {
            if (!wheel(target, arg))
                return QStringLiteral("the wheel event was not taken");
            const QString problem = checkView();
            if (!problem.isEmpty())
                return problem;
        }
    } else if (kind == QLatin1Char('h')) {
        const int to = action == QLatin1String("hend") ? bar->maximum() : arg;
        bar->setSliderDown(true);
        bar->setSliderPosition(to);
        if (top() != to)
            return mismatch("while dragging, the view's top", top(), to);
        if (m_bound - before > kPool)
            return mismatch("rows filled for one move", m_bound - before, kPool);
        bar->setSliderDown(false);
    } else if (action == QLatin1String("track")) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
    } else if (kind == QLatin1Char('d')) {
        int stranger = 0;
        void* gone = arg < 0 ? &stranger : &m_records[static_cast<size_t>(arg)];
        m_list->deletePrivateData(gone);
        if (m_list->privateDataCount() != records - (arg < 0 ? 0 : 1))
            return mismatch("the record count", m_list->privateDataCount(), records - (arg < 0 ? 0 : 1));
        for (MyTableItemWidget* w : m_list->itemWidgets()) {
            if (w->m_pPrivateData == gone || (w->isVisible() && static_cast<Row*>(w)->m_loaded == gone))
                return QStringLiteral("a row still shows the deleted record");
        }
    } else if (kind == QLatin1Char('a')) {
        fill(arg);
    } else if (action == QLatin1String("p")) {
        m_records.push_front(0); // shifts the indices of dR; scripts use p after them
        m_list->prependPrivateData(&m_records.front());
    } else if (kind == QLatin1Char('r')) {
        m_list->resize(m_list->width(), arg + 2); // the list reacts by itself
    } else if (action == QLatin1String("lock")) {
        // A step arriving while the list holds its lock is lost, not queued or deadlocked.
        int inside = 0;
        bool moved = false;
        const auto busy = connect(m_list, &MyTableListWidget::loadDataSingal, this, [&] {
            const int at = top();
            wheel(m_list, -120);
            m_list->updateMoveLayout(-500, true);
            moved = moved || top() != at;
            ++inside;
        });
        m_list->updateGotoLayout(3);
        disconnect(busy);
        if (moved || inside == 0 || m_bound - before != inside)
            return QStringLiteral("a step during a layout moved the view or bound rows");
    } else if (action == QLatin1String("clear")) {
        if (m_list->searchMyTableItemWidget(&m_records[0]))
            return QStringLiteral("record 0 is out of view but has a row");
        m_list->clear();
        if (m_list->privateDataCount() || bar->isVisible() || top() != 0)
            return QStringLiteral("records, the bar or the scrolled view are left after clearing");
        for (MyTableItemWidget* w : m_list->itemWidgets()) {
            if (w->isBound() || w->isVisible() || static_cast<Row*>(w)->m_loaded)
                return QStringLiteral("a row is left bound, shown or filled after clearing");
        }
        if (m_list->searchMyTableItemWidget(nullptr))
            return QStringLiteral("unbound rows count as the rows of a null record");
        // Usable again; a record put in front shows first.
        fill(3);
        int front = 0;
        m_list->prependPrivateData(&front);
        m_list->updateGotoLayout(0);
        if (m_list->itemWidgets().first()->m_pPrivateData != &front)
            return QStringLiteral("the record put in front is not shown first");
        m_list->deletePrivateData(&front); // the list must not keep a pointer to this frame
    } else {
        const bool first = action.startsWith(QLatin1String("first="));
        const int expected = action.section(QLatin1Char('='), 1).toInt();
        const int actual = first ? m_list->itemWidgets().first()->m_nRowIndex : top();
        if (actual != expected)
            return mismatch(first ? "the first row's record" : "the view's top", actual, expected);
    }
    return QString();
}

void TestMyTableListWidget::script()
{
    QFETCH(int, count);
    QFETCH(QString, script);
    MyTableListWidget list;
    m_list = &list;
    m_records.clear();
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
    const int bound = m_bound;
    list.flushTableItems();
    QCOMPARE(m_bound, bound); // rows already bound keep their binding
    QCOMPARE(list.viewport()->geometry(), QRect(0, 1, 400, kView));
    QCOMPARE(list.verticalScrollBar()->geometry(), QRect(390, 0, 10, kView));
    for (int k = 0; k < kPool; ++k)
        QCOMPARE(list.itemWidgets().at(k)->m_nRowIndex, k < count ? k : -1);
    const QString filled = checkView();
    QVERIFY2(filled.isEmpty(), qPrintable(QStringLiteral("after filling: ") + filled));

    const QStringList actions = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < actions.size(); ++i) {
        QString problem = act(actions.at(i));
        if (problem.isEmpty())
            problem = checkView();
        QVERIFY2(
            problem.isEmpty(), qPrintable(QStringLiteral("step %1 (%2): %3").arg(i + 1).arg(actions.at(i), problem)));
    }
    const QString out = qEnvironmentVariable("MORVAYNE_SCREENSHOT_DIR");
    if (!out.isEmpty())
        list.grab().save(out + QStringLiteral("/list-%1.png").arg(QString::fromLatin1(QTest::currentDataTag())));
}

MORVAYNE_TEST_MAIN(TestMyTableListWidget)
#include "tst_mytablelistwidget.moc"

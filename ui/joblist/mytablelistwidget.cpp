#include "ui/joblist/mytablelistwidget.h"

#include "common/interfacescale.h"
#include "toolkit/skinhelper.h"
#include "ui/joblist/mytableitemwidget.h"

#include <QScopeGuard>
#include <QScrollBar>
#include <QVarLengthArray>
#include <QWheelEvent>

#include <algorithm>

namespace {

void setSolidWindow(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setBrush(group, QPalette::Window, QBrush(colour, Qt::SolidPattern));
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

QString scrollBarSheet()
{
    return SkinHelper::GetInstance()->GetQScrollBarQSS(QStringLiteral("vertical"), QString(), 10);
}

void unbind(MyTableItemWidget* item)
{
    item->m_nRowIndex = -1;
    item->m_pPrivateData = nullptr;
}

} // namespace

MyTableListWidget::MyTableListWidget(QWidget* parent)
    : QWidget(parent),
      m_viewport(new QWidget(this)),
      m_canvas(new QWidget(m_viewport)),
      m_scrollBar(new QScrollBar(Qt::Vertical, m_viewport))
{
    setPalette(palette());
    setSolidWindow(m_canvas, Qt::white);

    m_scrollBar->setPageStep(1);
    m_scrollBar->setRange(0, 1);
    m_scrollBar->setValue(0);
    m_scrollBar->hide();
    m_scrollBar->setStyleSheet(scrollBarSheet());
    // The wheel over the bar scrolls as over the rows, not by the bar's own step.
    m_scrollBar->installEventFilter(this);

    connect(m_scrollBar, &QScrollBar::sliderReleased, this, &MyTableListWidget::scrollBar_verticalReleased);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &MyTableListWidget::scrollBar_actionTriggered);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &MyTableListWidget::scrollBar_valueChange);
}

MyTableListWidget::~MyTableListWidget() = default;

void MyTableListWidget::addMyTableItemWidget(MyTableItemWidget* item)
{
    unbind(item);
    m_itemWidgets.append(item);
}

void MyTableListWidget::setBackgroundColor(const QColor& colour)
{
    setSolidWindow(m_canvas, colour);
    m_scrollBar->setStyleSheet(scrollBarSheet());
}

int MyTableListWidget::viewTop() const
{
    return -m_canvas->y();
}

// Viewport and scroll bar for the list's current size.
void MyTableListWidget::placeFrame()
{
    m_viewport->setGeometry(0, 1, width() - 1, height() - 2);
    const int barWidth = InterfaceScale::px(10);
    m_scrollBar->setGeometry(m_viewport->width() - barWidth, 0, barWidth, m_viewport->height());
    m_scrollBar->raise();
}

// The bar mirrors the view; its own signals stay quiet so that this is not
// taken for the user moving it.
void MyTableListWidget::showScrollBar(int total, int top)
{
    const int viewHeight = m_viewport->height();
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setRange(0, qMax(0, total - viewHeight));
    m_scrollBar->setPageStep(viewHeight);
    m_scrollBar->setValue(top);
    m_scrollBar->setVisible(total > viewHeight);
}

void MyTableListWidget::Layout()
{
    QWriteLocker locker(&m_lock);
    layoutAt(viewTop());
}

void MyTableListWidget::updateLayout(int)
{
    QWriteLocker locker(&m_lock);
    layoutAt(viewTop());
}

void MyTableListWidget::layoutAt(int top)
{
    placeFrame();
    const int h = qMax(1, m_nItemHeight);
    const int count = m_privateDatas.size();
    const int viewHeight = m_viewport->height();
    const int total = qMax(count * h, viewHeight);
    top = qBound(0, top, total - viewHeight);
    m_canvas->setGeometry(0, -top, width(), total);
    showScrollBar(total, top);
    if (m_itemWidgets.isEmpty())
        return;

    // The pool keeps its rows while they cover the view; otherwise it starts
    // three rows above the view, as scrolling leaves it.
    const int poolSize = m_itemWidgets.size();
    const int firstVisible = top / h;
    const int lastVisible = qMin(count, (top + viewHeight + h - 1) / h) - 1;
    int first = qMax(0, m_itemWidgets.first()->m_nRowIndex);
    if (first > firstVisible || first + poolSize <= lastVisible)
        first = qBound(0, firstVisible - 3, qMax(0, count - poolSize));

    // Pool position k shows row first + k. Rows still bound to their record
    // keep it (and are not filled again); the others take the free places.
    const auto keeps = [&](const MyTableItemWidget* item, int k) {
        const int row = first + k;
        return item->isBound() && item->m_nRowIndex == row && row < count
            && m_privateDatas.at(row) == item->m_pPrivateData;
    };
    bool inPlace = true;
    for (int k = 0; k < poolSize && inPlace; ++k)
        inPlace = keeps(m_itemWidgets.at(k), k) || (!m_itemWidgets.at(k)->isBound() && first + k >= count);
    if (!inPlace) {
        QVarLengthArray<MyTableItemWidget*, 32> placed(poolSize);
        std::fill(placed.begin(), placed.end(), nullptr);
        QVarLengthArray<MyTableItemWidget*, 32> spare;
        for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
            const int k = item->m_nRowIndex - first;
            if (k >= 0 && k < poolSize && !placed[k] && keeps(item, k))
                placed[k] = item;
            else
                spare.append(item);
        }
        int next = 0;
        for (int k = 0; k < poolSize; ++k) {
            if (!placed[k]) {
                placed[k] = spare[next++];
                unbind(placed[k]);
            }
            m_itemWidgets[k] = placed[k];
        }
    }

    for (int k = 0; k < poolSize; ++k) {
        MyTableItemWidget* item = m_itemWidgets.at(k);
        const int row = first + k;
        if (row >= count) {
            unbind(item);
            item->hide();
            continue;
        }
        item->move(item->x(), row * h);
        item->show();
        if (!item->isBound()) {
            item->m_nRowIndex = row;
            item->m_pPrivateData = m_privateDatas.at(row);
            emit loadDataSingal(item);
        }
    }
}

void MyTableListWidget::updateGotoLayout(int row)
{
    QWriteLocker locker(&m_lock);
    for (MyTableItemWidget* item : qAsConst(m_itemWidgets))
        unbind(item);
    if (!m_itemWidgets.isEmpty())
        m_itemWidgets.first()->m_nRowIndex = row;
    layoutAt(row * m_nItemHeight);
}

void MyTableListWidget::updateMoveLayout(int delta, bool emitLoad)
{
    // A step that would have to wait for another operation is dropped.
    if (!m_lock.tryLockForWrite())
        return;
    const auto unlock = qScopeGuard([this] { m_lock.unlock(); });

    const int count = m_privateDatas.size();
    const int h = qMax(1, m_nItemHeight);
    const int total = count * h;
    const int viewHeight = m_viewport->height();
    if (total <= viewHeight || m_itemWidgets.isEmpty())
        return;

    const int newY = qBound(viewHeight - total, m_canvas->y() + delta, 0);
    m_canvas->setGeometry(0, newY, width(), total);
    showScrollBar(total, -newY);

    const int poolSize = m_itemWidgets.size();
    const int steps = qAbs(delta) / h;
    for (int i = 0; i <= steps && delta != 0; ++i) {
        MyTableItemWidget* first = m_itemWidgets.first();
        if (delta < 0) {
            // The pool already reaches the last record, or enough rows wait above the view.
            if (first->m_nRowIndex + poolSize >= count || -newY - first->y() <= 3 * h)
                break;
            m_itemWidgets.removeFirst();
            m_itemWidgets.append(first);
            first->move(first->x(), first->y() + poolSize * h);
            first->m_nRowIndex = qMin(first->m_nRowIndex + poolSize, count - 1);
            first->m_pPrivateData = m_privateDatas.at(first->m_nRowIndex);
            first->show();
            if (emitLoad)
                emit loadDataSingal(first);
        } else {
            MyTableItemWidget* last = m_itemWidgets.last();
            if (first->m_nRowIndex < 1 || (last->m_nRowIndex != -1 && last->m_nRowIndex < poolSize)
                || -newY - first->y() >= 3 * h)
                break;
            m_itemWidgets.removeLast();
            m_itemWidgets.prepend(last);
            last->move(last->x(), first->y() - h);
            last->m_nRowIndex = qMax(first->m_nRowIndex - 1, 0);
            last->m_pPrivateData = m_privateDatas.at(last->m_nRowIndex);
            last->show();
            if (emitLoad)
                emit loadDataSingal(last);
        }
    }
}

void MyTableListWidget::wheelEvent(QWheelEvent* event)
{
    int delta = event->angleDelta().y();
    // Notches of 120 move 24 pixels; fine-grained deltas are used as they come.
    if (qAbs(delta) >= 17)
        delta /= 5;
    updateMoveLayout(delta, true);
    event->accept();
}

void MyTableListWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A resize from inside an operation (a handler of loadDataSingal) waits
    // for the caller's next layout rather than for the lock.
    if (!m_lock.tryLockForWrite())
        return;
    const auto unlock = qScopeGuard([this] { m_lock.unlock(); });
    layoutAt(viewTop());
}

bool MyTableListWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollBar && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Moves the view to where the user put the bar. Large jumps rebind the pool
// around the new place instead of recycling through every row in between.
void MyTableListWidget::scrollTo(int top)
{
    if (!m_lock.tryLockForWrite())
        return;
    const auto unlock = qScopeGuard([this] { m_lock.unlock(); });
    if (top != viewTop())
        layoutAt(top);
}

void MyTableListWidget::scrollBar_verticalReleased()
{
    // Catches up with a move dropped while the list was busy.
    scrollTo(m_scrollBar->value());
}

void MyTableListWidget::scrollBar_actionTriggered(int)
{
    // A track click or a key changes the value; the view follows that change.
}

void MyTableListWidget::scrollBar_valueChange(int value)
{
    scrollTo(value);
}

void MyTableListWidget::addPrivateData(void* data)
{
    {
        QWriteLocker locker(&m_lock);
        m_privateDatas.append(data);
    }
    updateLayout();
}

void MyTableListWidget::prependPrivateData(void* data)
{
    {
        QWriteLocker locker(&m_lock);
        m_privateDatas.prepend(data);
    }
    updateLayout();
}

void MyTableListWidget::deletePrivateData(void* data)
{
    {
        QWriteLocker locker(&m_lock);
        int from = 0;
        for (int i = 0; i < m_itemWidgets.size(); ++i) {
            if (m_itemWidgets.at(i)->m_pPrivateData == data) {
                from = i;
                break;
            }
        }
        m_privateDatas.removeOne(data);
        for (int i = from; i < m_itemWidgets.size(); ++i) {
            unbind(m_itemWidgets.at(i));
            m_itemWidgets.at(i)->hide();
        }
    }
    updateLayout();
}

void MyTableListWidget::clear()
{
    QWriteLocker locker(&m_lock);
    m_privateDatas.clear();
    for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
        item->hide();
        unbind(item);
        item->ResetItem(false);
    }
    // Records added later start at the top.
    layoutAt(0);
}

void MyTableListWidget::flushTableItems()
{
    updateLayout();
}

void MyTableListWidget::FlushText()
{
    QWriteLocker locker(&m_lock);
    for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
        if (!item->isBound())
            emit loadDataSingal(item);
    }
}

MyTableItemWidget* MyTableListWidget::searchMyTableItemWidget(void* data)
{
    // Unbound rows hold null too; they are not the rows of any record.
    if (!data)
        return nullptr;
    QWriteLocker locker(&m_lock);
    for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
        if (item->m_pPrivateData == data)
            return item;
    }
    return nullptr;
}

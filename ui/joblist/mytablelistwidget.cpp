#include "ui/joblist/mytablelistwidget.h"

#include "common/interfacescale.h"
#include "toolkit/skinhelper.h"
#include "ui/joblist/mytableitemwidget.h"

#include <QScrollBar>
#include <QWheelEvent>

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

// Viewport and scroll bar for the list's current size.
void MyTableListWidget::placeFrame()
{
    m_viewport->setGeometry(0, 1, width() - 1, height() - 2);
    const int barWidth = InterfaceScale::px(10);
    m_scrollBar->setGeometry(m_viewport->width() - barWidth, 0, barWidth, m_viewport->height());
    m_scrollBar->raise();
}

void MyTableListWidget::Layout()
{
    QWriteLocker locker(&m_lock);
    placeFrame();
}

void MyTableListWidget::updateScrollBar(int total)
{
    const int viewHeight = m_viewport->height();
    m_scrollBar->setRange(0, total - viewHeight);
    m_scrollBar->setPageStep(viewHeight);
    // Shown only when the records fill more than two views.
    m_scrollBar->setVisible(total > 2 * viewHeight);
}

void MyTableListWidget::updateLayout(int)
{
    QWriteLocker locker(&m_lock);
    placeFrame();
    if (m_itemWidgets.isEmpty())
        return;

    const int first = qMax(0, m_itemWidgets.first()->m_nRowIndex);
    const int top = first * m_nItemHeight;
    const int viewHeight = m_viewport->height();
    const int count = m_privateDatas.size();
    const int total = qMax(count * m_nItemHeight, viewHeight);

    m_canvas->setGeometry(0, -top, width(), total);
    updateScrollBar(total);
    m_scrollBar->setValue(top);

    for (int k = 0; k < m_itemWidgets.size(); ++k) {
        const int row = first + k;
        if (row >= count)
            break;
        MyTableItemWidget* item = m_itemWidgets.at(k);
        item->move(item->x(), top + k * m_nItemHeight);
        item->show();
        if (!item->isBound()) {
            item->m_nRowIndex = row;
            item->m_pPrivateData = m_privateDatas.at(row);
            item->show();
            emit loadDataSingal(item);
        }
    }
    for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
        if (!item->isBound())
            item->hide();
    }
}

void MyTableListWidget::updateGotoLayout(int row)
{
    {
        QWriteLocker locker(&m_lock);
        for (MyTableItemWidget* item : qAsConst(m_itemWidgets))
            unbind(item);
        if (!m_itemWidgets.isEmpty())
            m_itemWidgets.first()->m_nRowIndex = row;
    }
    updateLayout();
}

void MyTableListWidget::updateMoveLayout(int delta, bool emitLoad)
{
    // A step that would have to wait for another operation is dropped.
    if (!m_lock.tryLockForWrite())
        return;

    const int count = m_privateDatas.size();
    const int h = m_nItemHeight;
    const int total = count * h;
    const int viewHeight = m_viewport->height();
    if (total <= viewHeight || m_itemWidgets.isEmpty()) {
        m_lock.unlock();
        return;
    }

    const int newY = qBound(viewHeight - total, m_canvas->y() + delta, 0);
    m_canvas->setGeometry(0, newY, width(), total);
    m_scrollBar->setRange(0, total - viewHeight);
    m_scrollBar->setPageStep(viewHeight);
    // Also at the very top, so that the bar never stays behind the content.
    if (m_scrollBar->value() != -newY)
        m_scrollBar->setValue(-newY);
    m_scrollBar->setVisible(total > 2 * viewHeight);

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
    m_lock.unlock();
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

void MyTableListWidget::scrollBar_verticalReleased()
{
    if (!m_scrollBar->isVisible())
        return;
    const int value = m_scrollBar->value();
    const int max = m_scrollBar->maximum();
    const int y = m_canvas->y();
    if (y + value != 0) {
        updateMoveLayout(-(y + value), false);
        // At the end, let the pool catch up with the last records.
        if (value >= max)
            updateMoveLayout(-(m_itemWidgets.size() * m_nItemHeight), false);
    }
    for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
        if (item->isBound() && item->isVisible())
            emit loadDataSingal(item);
    }
}

void MyTableListWidget::scrollBar_actionTriggered(int)
{
    // Clicking the track only moves the bar; rows follow on release.
}

void MyTableListWidget::scrollBar_valueChange(int)
{
    // Dragging moves the rows only when the handle is released.
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
    const int value = m_scrollBar->value();
    updateLayout();
    m_scrollBar->setValue(value);
}

void MyTableListWidget::clear()
{
    {
        QWriteLocker locker(&m_lock);
        m_privateDatas.clear();
        for (MyTableItemWidget* item : qAsConst(m_itemWidgets)) {
            item->hide();
            unbind(item);
            item->ResetItem(false);
        }
    }
    m_scrollBar->hide();
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

#pragma once

#include <QList>
#include <QReadWriteLock>
#include <QWidget>

class MyTableItemWidget;
class QScrollBar;

// Shows any number of records through a small fixed pool of row widgets. The
// caller owns the records (opaque pointers) and the rows, which it creates as
// children of canvas() and adds once. While scrolling, rows that leave the
// view move to the other end of the pool and are bound to the records coming
// into view; every binding is announced with loadDataSingal.
//
// The view stays where it is (clamped to the records) across adds, deletes
// and resizes, and the scroll bar, shown whenever the records do not fit,
// always equals it: moving the bar moves the view.
class MyTableListWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTableListWidget)

public:
    explicit MyTableListWidget(QWidget* parent = nullptr);
    ~MyTableListWidget() override;

    void addMyTableItemWidget(MyTableItemWidget* item);
    void setBackgroundColor(const QColor& colour);
    // The list also lays itself out when resized; both are the full layout.
    void Layout();

    void addPrivateData(void* data);
    void prependPrivateData(void* data);
    void deletePrivateData(void* data);
    void clear();
    void flushTableItems();
    void FlushText();
    MyTableItemWidget* searchMyTableItemWidget(void* data);

    void setItemHeight(int height) { m_nItemHeight = height; }
    int itemHeight() const { return m_nItemHeight; }
    QWidget* canvas() const { return m_canvas; }
    QWidget* viewport() const { return m_viewport; }
    QScrollBar* verticalScrollBar() const { return m_scrollBar; }
    // The pool in display order, top first.
    QList<MyTableItemWidget*> itemWidgets() const { return m_itemWidgets; }
    int privateDataCount() const { return m_privateDatas.size(); }
    void* privateDataAt(int index) const { return m_privateDatas.value(index); }

signals:
    void loadDataSingal(MyTableItemWidget* item);

public slots:
    void updateLayout(int unused = 0);
    void updateGotoLayout(int row);
    void updateMoveLayout(int delta, bool emitLoad);

protected slots:
    void scrollBar_verticalReleased();
    void scrollBar_actionTriggered(int action);
    void scrollBar_valueChange(int value);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int viewTop() const;
    void placeFrame();
    void showScrollBar(int total, int top);
    // The full layout with the lock held: the view's top at `top` (clamped
    // to the records), the pool bound to the rows around it.
    void layoutAt(int top);
    void scrollTo(int top);

    QList<MyTableItemWidget*> m_itemWidgets;
    QWidget* m_viewport = nullptr;
    QWidget* m_canvas = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    int m_nItemHeight = 100;
    QList<void*> m_privateDatas;
    QReadWriteLock m_lock;
};

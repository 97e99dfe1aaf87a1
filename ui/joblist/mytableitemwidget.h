#pragma once

#include <QWidget>

// Base of the rows shown by MyTableListWidget. The list binds a row to one
// record at a time and writes both fields itself; a row never changes them.
class MyTableItemWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyTableItemWidget)

public:
    explicit MyTableItemWidget(QWidget* parent = nullptr);

    bool isBound() const { return m_pPrivateData != nullptr; }

    // Index of the bound record in the list's records; -1 when unbound.
    int m_nRowIndex = -1;
    // The bound record; null when unbound.
    void* m_pPrivateData = nullptr;

public slots:
    // Drop what the row shows (the list calls it from clear()).
    virtual void ResetItem(bool keepData);
    // Place the children for the current row size.
    virtual void LayoutItem();
    // Re-apply the style sheets after a skin change.
    virtual void FlushStyle();
    // Fill the row from its bound record.
    virtual void LoadData();
};

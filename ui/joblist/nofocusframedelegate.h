#pragma once

#include <QStyledItemDelegate>

// Item delegate for combo boxes: paints items without the focus frame.
class NoFocusFrameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY(NoFocusFrameDelegate)

public:
    explicit NoFocusFrameDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

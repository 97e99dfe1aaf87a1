#include "ui/joblist/nofocusframedelegate.h"

NoFocusFrameDelegate::NoFocusFrameDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void NoFocusFrameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
}

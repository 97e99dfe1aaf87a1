#include "ui/joblist/mytableitemwidget.h"

MyTableItemWidget::MyTableItemWidget(QWidget* parent)
    : QWidget(parent)
{
}

void MyTableItemWidget::ResetItem(bool)
{
}

void MyTableItemWidget::LayoutItem()
{
}

void MyTableItemWidget::FlushStyle()
{
}

void MyTableItemWidget::LoadData()
{
}

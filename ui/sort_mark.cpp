#include "ui/sort_mark.h"

#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTreeWidget>

#include "ui/image_library.h"
#include "ui/window_context.h"

namespace orlin {

SortMarkHeader::SortMarkHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    // What a tree view's own header has.
    setSectionsMovable(true);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// The style would draw the icon left of the caption: paintSection draws it instead.
void SortMarkHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->icon = QIcon();
}

void SortMarkHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    const QIcon mark =
        model()->headerData(logicalIndex, orientation(), Qt::DecorationRole).value<QIcon>();
    if (mark.isNull() || !rect.isValid()) return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    const QRect label = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this);
    const int textWidth = option.fontMetrics.horizontalAdvance(option.text);
    int textLeft = label.left();
    if (option.textAlignment & Qt::AlignHCenter)
        textLeft = label.left() + (label.width() - textWidth) / 2;
    else if (option.textAlignment & Qt::AlignRight)
        textLeft = label.right() + 1 - textWidth;
    const QSize size(16, 16);
    const QRect place(QPoint(textLeft + textWidth + 4, rect.top() + (rect.height() - 16) / 2),
                      size);
    painter->save();
    painter->setClipRect(rect.adjusted(0, 0, -1, 0));
    mark.paint(painter, place);
    painter->restore();
}

void SortByColumn(QTreeWidget* list, WindowContext& context, int column) {
    SharedSortState& sort = context.sortState();
    sort.descending = !sort.descending;
    sort.column = column;
    list->sortItems(column, sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    const QIcon arrow = context.images().small(sort.descending ? SmallIcon::SortDescending
                                                               : SmallIcon::SortAscending);
    for (int c = 0; c < list->columnCount(); ++c)
        list->headerItem()->setIcon(c, c == column ? arrow : QIcon());
}

void ClearSortMark(QTreeWidget* list) {
    for (int c = 0; c < list->columnCount(); ++c) list->headerItem()->setIcon(c, QIcon());
}

}  // namespace orlin

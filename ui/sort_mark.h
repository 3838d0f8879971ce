#pragma once
// The sort mark of the three lists (phonebook, messages, datebook): a click on a column header
// flips the direction the lists share, sorts by that column and marks its header with the
// small arrow, painted right of the caption.

#include <QHeaderView>

class QTreeWidget;
class WindowContext;

namespace orlin {

// A horizontal header that paints a section's icon (the sort mark) right of its caption, where
// the style would put it left of it. It is movable and left-aligned, as a tree view's own
// header is.
class SortMarkHeader : public QHeaderView {
public:
    explicit SortMarkHeader(QWidget* parent);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

// A header click: the shared direction flips, the column is remembered, the rows sort and the
// clicked column alone shows the mark (descending or ascending).
void SortByColumn(QTreeWidget* list, WindowContext& context, int column);

// No column shows the mark (the rows stand in the phone's order).
void ClearSortMark(QTreeWidget* list);

}  // namespace orlin

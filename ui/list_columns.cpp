#include "ui/list_columns.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

namespace orlin {

namespace {

constexpr int kIconRoom = 16 + 6;      // the icon and the gap after it
constexpr int kSortMarkRoom = 16 + 6;  // the sort arrow right of a caption
constexpr int kCellPadding = 12;       // the item's margins and the grid line

}  // namespace

int FittedColumnWidth(const QTreeWidget* list, int column, const ColumnFit& fit) {
    if (fit.width <= 1) return fit.width;
    const QHeaderView* header = list->header();
    const int headerMargin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString caption = list->headerItem()->text(column);
    const int captionWidth =
        QFontMetrics(header->font()).horizontalAdvance(caption) + 2 * headerMargin + kSortMarkRoom;
    QFont bold = list->font();
    bold.setBold(true);
    const int contentWidth = fit.widest.isEmpty()
                                 ? 0
                                 : QFontMetrics(bold).horizontalAdvance(fit.widest) + kCellPadding +
                                       (fit.icon ? kIconRoom : 0);
    return std::max({fit.width, captionWidth, contentWidth});
}

void FitColumns(QTreeWidget* list, const std::vector<ColumnFit>& fits) {
    for (size_t i = 0; i < fits.size(); ++i) {
        const int column = static_cast<int>(i);
        list->setColumnWidth(column, FittedColumnWidth(list, column, fits[i]));
    }
    list->header()->setStretchLastSection(true);
}

}  // namespace orlin

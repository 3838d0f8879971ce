#pragma once
// Column widths of the window's lists. The widths the lists were laid out with suit a small
// font; in the font the program uses a caption or a typical cell can be wider than that, and
// then it ends in "..." (a time cut off, "Длительность" shown as "ительнос"). Each column gets
// the widest of its laid-out width, its caption with room for the sort mark, and its typical
// widest content; a hidden column (width 1) stays hidden.

#include <QString>
#include <vector>

class QTreeWidget;

namespace orlin {

struct ColumnFit {
    int width = 0;      // the laid-out width; 1 keeps the column hidden
    QString widest;     // the typical widest content of a cell, empty for none
    bool icon = false;  // the cells show a 16 x 16 icon before their text
};

// The width a column needs for its caption, its widest content (in the list's font made bold,
// so that bold rows fit too) and, when asked, an icon.
int FittedColumnWidth(const QTreeWidget* list, int column, const ColumnFit& fit);

// Sets the widths of the list's first fits.size() columns. The last column also takes what
// is left of the list's width when the list grows.
void FitColumns(QTreeWidget* list, const std::vector<ColumnFit>& fits);

}  // namespace orlin

// Sizes taken from the font's metrics and the content: a status panel or a
// grid column is never narrower than its text, and never smaller than the
// size the window was designed with.
#pragma once

#include <QString>

#include <vector>

class QLabel;
class QTableWidget;

namespace umlo {

// The width that shows text whole in the label's font, at least minimum.
int FittedLabelWidth(const QLabel& label, const QString& text, int minimum);

// Every column as wide as its widest cell or header, at least its minimum
// (minimums[c]; columns past the list keep their contents' width).
void FitColumns(QTableWidget& table, const std::vector<int>& minimums);

// Rows tall enough for a line of the grid's font, at least minimum; returns
// the height given.
int FitRowHeight(QTableWidget& table, int minimum);

// The outer width that shows all columns side by side beside the vertical
// scroll bar.
int WidthForColumns(const QTableWidget& table);

} // namespace umlo

#include "app/fitted_sizes.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace umlo {
namespace {

// Room around a text so that it does not touch the panel's or cell's edges.
constexpr int kTextPadding = 8;

} // namespace

int FittedLabelWidth(const QLabel& label, const QString& text, int minimum) {
    const QMargins m = label.contentsMargins();
    const int needed = label.fontMetrics().horizontalAdvance(text) + m.left() + m.right() +
                       2 * label.margin() + kTextPadding;
    return std::max(minimum, needed);
}

void FitColumns(QTableWidget& table, const std::vector<int>& minimums) {
    const QFontMetrics cells = table.fontMetrics();
    const QFontMetrics header = table.horizontalHeader()->fontMetrics();
    const QStyle& style = *table.style();
    const int cellMargins =
        2 * (style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1) + kTextPadding;
    const int headerMargins =
        2 * style.pixelMetric(QStyle::PM_HeaderMargin, nullptr, table.horizontalHeader()) +
        kTextPadding;
    for (int c = 0; c < table.columnCount(); ++c) {
        int width = c < static_cast<int>(minimums.size()) ? minimums[static_cast<size_t>(c)] : 0;
        if (!table.horizontalHeader()->isHidden()) {
            if (const QTableWidgetItem* item = table.horizontalHeaderItem(c)) {
                width = std::max(width, header.horizontalAdvance(item->text()) + headerMargins);
            }
        }
        for (int r = 0; r < table.rowCount(); ++r) {
            if (const QTableWidgetItem* item = table.item(r, c)) {
                width = std::max(width, cells.horizontalAdvance(item->text()) + cellMargins);
            }
        }
        table.setColumnWidth(c, width);
    }
}

int FitRowHeight(QTableWidget& table, int minimum) {
    const int height = std::max(minimum, table.fontMetrics().height() + kTextPadding / 2);
    QHeaderView& rows = *table.verticalHeader();
    rows.setMinimumSectionSize(height);
    rows.setDefaultSectionSize(height);
    for (int r = 0; r < table.rowCount(); ++r) {
        table.setRowHeight(r, height);
    }
    return height;
}

int WidthForColumns(const QTableWidget& table) {
    int width = 2 * table.frameWidth();
    for (int c = 0; c < table.columnCount(); ++c) {
        width += table.columnWidth(c);
    }
    if (table.verticalHeader()->isVisible()) {
        width += table.verticalHeader()->width();
    }
    if (table.verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        width += table.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &table);
    }
    return width;
}

} // namespace umlo

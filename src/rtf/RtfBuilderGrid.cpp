// SPDX-License-Identifier: MIT
// Rows whose cells do not match the table's columns one to one. RTF gives each cell by its
// right edge (\cellx); a cell that covers several columns of other rows is simply wider (Word
// writes merged cells so). The table's columns are the edges of the row with the most cells;
// a later row with a definition has each cell placed at the column its left edge names, and
// spanning the columns up to its right edge, so the span lands on the cell that is wide.
// Rows without a definition of their own (nested rows, whose definitions follow their cells)
// fill the columns in order.
#include "RtfBuilder.h"

#include <QTextDocumentFragment>
#include <QTextTable>
#include <algorithm>
#include <cstdlib>

namespace rtf {
namespace {

constexpr int kEdgeSlack = 10; // twips: writers round the same edge differently from row to row

// The column whose right edge is `right`, or -1.
int columnEndingAt(const std::vector<int>& edges, int right)
{
    const auto it = std::lower_bound(edges.begin(), edges.end(), right - kEdgeSlack);
    return it != edges.end() && std::abs(*it - right) <= kEdgeSlack ? int(it - edges.begin()) : -1;
}

} // namespace

const std::vector<int>& DocBuilder::rowColumns(TableCtx& t, const RowDef& def)
{
    if (t.mapRow == t.row)
        return t.rowCols;
    t.mapRow = t.row;
    t.rowCols.clear();
    if (!def.fresh || def.cells.empty() || t.gridEdges.empty() || int(t.gridEdges.size()) != t.table->columns())
        return t.rowCols;
    std::vector<int> cols{0};
    for (const CellDef& c : def.cells) {
        const int end = columnEndingAt(t.gridEdges, c.right);
        if (end < cols.back())
            return t.rowCols; // an edge between columns, or out of order: fill in order
        cols.push_back(end + 1);
    }
    t.rowCols = std::move(cols);
    return t.rowCols;
}

int DocBuilder::nextColumn(TableCtx& t)
{
    ++t.cellIndex;
    const std::vector<int>& cols = rowColumns(t, rowDef(int(m_tables.size())));
    return t.cellIndex + 1 < int(cols.size()) ? cols[size_t(t.cellIndex)] : t.col + 1;
}

int DocBuilder::usedColumns(TableCtx& t, const RowDef& def)
{
    const std::vector<int>& cols = rowColumns(t, def);
    return t.cellIndex + 1 < int(cols.size()) ? cols[size_t(t.cellIndex) + 1] : t.col + 1;
}

void DocBuilder::regrid(TableCtx& t, int row)
{
    if (size_t(row) >= t.rowEdges.size() || t.rowEdges[size_t(row)].empty())
        return;
    QTextTable* table = t.table;
    std::vector<int> cols{0};
    for (int right : t.rowEdges[size_t(row)]) {
        const int end = columnEndingAt(t.gridEdges, right);
        if (end < cols.back())
            return; // an edge between columns: left as it was filled
        cols.push_back(end + 1);
    }
    const int k = int(cols.size()) - 1;
    // The row as it is: its cells, by their first column, none spanning rows.
    std::vector<int> anchors;
    for (int c = 0; c < table->columns();) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.row() != row || cell.rowSpan() != 1)
            return;
        anchors.push_back(c);
        c += std::max(1, cell.columnSpan());
    }
    bool inOrder = k > 0 && int(anchors.size()) >= k, moves = false;
    for (int i = 0; inOrder && i < k; ++i) {
        inOrder = anchors[size_t(i)] == i;
        moves = moves || cols[size_t(i)] != i;
    }
    if (!inOrder || !moves)
        return; // not filled one cell per column, or only its last cell is wider (spanShortRows)
    for (int c : anchors) {
        if (table->cellAt(row, c).columnSpan() > 1)
            table->splitCell(row, c, 1, 1);
    }
    // From the right, so each cell's new place is empty when it gets there.
    for (int i = k - 1; i >= 0; --i) {
        if (cols[size_t(i)] != i)
            moveCellContent(table, row, i, cols[size_t(i)]);
    }
    for (int i = 0; i < k; ++i) {
        if (cols[size_t(i) + 1] - cols[size_t(i)] > 1)
            mergeCells(table, row, cols[size_t(i)], 1, cols[size_t(i) + 1] - cols[size_t(i)]);
    }
    t.rowCells[size_t(row)] = cols.back();
}

// Moves a cell's paragraphs, and its own format (borders, shading), to an empty cell of the row.
void DocBuilder::moveCellContent(QTextTable* table, int row, int from, int to)
{
    auto paragraphs = [](const QTextTableCell& cell) {
        int n = 0;
        for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it)
            n += it.currentBlock().isValid() ? 1 : 0;
        return n;
    };
    QTextTableCell source = table->cellAt(row, from);
    const QTextCharFormat look = source.format();
    const int count = paragraphs(source);
    QTextCursor sel = source.firstCursorPosition();
    sel.setPosition(source.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    const QTextBlockFormat firstBlock = sel.blockFormat();
    const QTextDocumentFragment content = sel.selection();
    sel.removeSelectedText();
    sel.setBlockFormat(QTextBlockFormat());
    source.setFormat(QTextTableCellFormat());
    QTextTableCell target = table->cellAt(row, to);
    QTextCursor into = target.firstCursorPosition();
    into.setBlockFormat(firstBlock);
    into.insertFragment(content);
    target = table->cellAt(row, to);
    if (paragraphs(target) > count) {
        // Qt puts a list item that starts the content after an empty paragraph of its own:
        // the first paragraph takes the second's format (and list) and then its text.
        QTextCursor first = target.firstCursorPosition();
        const QTextBlock second = first.block().next();
        if (first.block().length() <= 1 && second.isValid()) {
            first.setBlockFormat(second.blockFormat());
            first.setPosition(second.position(), QTextCursor::KeepAnchor);
            first.removeSelectedText();
        }
    }
    target = table->cellAt(row, to);
    target.setFormat(look);
}

void DocBuilder::applyRowDef(TableCtx& t, const RowDef& def)
{
    const int cols = t.table->columns();
    const std::vector<int> mapped = rowColumns(t, def); // as filled, before the grid changes
    const bool isMapped = !mapped.empty();
    // The mapping was made when the row's first cell ended: cells defined later have none.
    const int n = std::min(int(def.cells.size()), isMapped ? int(mapped.size()) - 1 : cols);
    auto columnOf = [&](int i) { return isMapped ? mapped[size_t(i)] : i; };
    t.cellIndex = 0;

    // The first row gives the table its borders and padding; the row with the most cells,
    // one per column, gives the columns their widths (a merged cell is not a column's width).
    const bool widths = n > 0 && !isMapped && (t.row == 0 || (n == cols && n > t.gridCells));
    if (widths) {
        QTextTableFormat tf = t.table->format();
        if (t.row == 0) {
            tf.setBorder(def.showsGrid() ? 1 : 0);
            tf.setCellPadding((def.gap >= 0 ? std::min(def.gap, 1440) : 108) / kTwipsPerPixel);
        }
        QList<QTextLength> lengths;
        std::vector<int> edges;
        int left = def.left;
        for (int i = 0; i < cols; ++i) {
            if (i < n) {
                const int w = std::clamp(def.cells[size_t(i)].right - left, 1, kMaxTwips);
                lengths.append(QTextLength(QTextLength::FixedLength, w / kTwipsPerPixel));
                left = def.cells[size_t(i)].right;
                edges.push_back(left);
            } else {
                lengths.append(QTextLength());
            }
        }
        tf.setColumnWidthConstraints(lengths);
        t.table->setFormat(tf);
        if (n == cols && std::is_sorted(edges.begin(), edges.end())) {
            t.gridEdges = std::move(edges);
            t.gridCells = n;
            // Rows before this finer one filled the columns in order: each of their cells
            // goes to the columns its edges name now.
            for (int r = 0; r < t.row; ++r)
                regrid(t, r);
        }
    }
    // Cells wider than a column span the columns they cover.
    if (isMapped) {
        for (int i = 0; i < n; ++i) {
            if (mapped[size_t(i) + 1] - mapped[size_t(i)] > 1)
                mergeCells(t.table, t.row, mapped[size_t(i)], 1, mapped[size_t(i) + 1] - mapped[size_t(i)]);
        }
    }
    // Horizontal merges first, so a vertical merge takes the merged cell whole.
    for (int i = 0; i < n; ++i) {
        if (def.cells[size_t(i)].hmerge != 1)
            continue;
        int span = 1;
        while (i + span < n && def.cells[size_t(i + span)].hmerge == 2)
            ++span;
        const int last = isMapped ? mapped[size_t(i + span)] : i + span;
        if (last - columnOf(i) > 1)
            mergeCells(t.table, t.row, columnOf(i), 1, last - columnOf(i));
    }
    // Borders and shading of their own, once the merges have made the cells what they are.
    if (!def.plainCellBorders() || std::any_of(def.cells.begin(), def.cells.end(), [](const CellDef& c) { return c.hasShading(); })) {
        const bool sides = !def.plainCellBorders();
        for (int i = 0; i < n; ++i) {
            const QTextTableCell cell = t.table->cellAt(t.row, columnOf(i));
            if (cell.isValid() && cell.row() == t.row && cell.column() == columnOf(i))
                applyCellLook(cell, def.cells[size_t(i)], sides);
        }
    }
    std::vector<uint8_t> vmerge(size_t(cols), 0);
    for (int i = 0; i < n; ++i) {
        if (columnOf(i) < cols)
            vmerge[size_t(columnOf(i))] = def.cells[size_t(i)].vmerge;
    }
    for (int i = 0; i < cols; ++i) {
        int& start = t.vmergeStart[size_t(i)];
        if (vmerge[size_t(i)] == 1) {
            start = t.row;
        } else if (vmerge[size_t(i)] == 2 && start >= 0) {
            const QTextTableCell anchor = t.table->cellAt(start, i);
            if (anchor.column() == i && anchor.row() == start) // the start is a cell of its own
                mergeCells(t.table, start, i, t.row - start + 1, anchor.columnSpan());
        } else {
            start = -1;
        }
    }
}

} // namespace rtf

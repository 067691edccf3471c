// SPDX-License-Identifier: MIT
// Tables: RTF gives a table row by row, each paragraph of a cell marked \intbl (\itapN when
// nested), each cell closed by \cell (\nestcell) and each row by \row (\nestrow). The cell
// definitions (\cellx, merges, borders) come before the row at the top level and after it,
// in {\*\nesttableprops ...}, for nested rows, so a table grows as its cells arrive.
#include "RtfBuilder.h"
#include "RtfStructure.h"

#include <QTextTable>
#include <algorithm>

namespace rtf {
namespace {

constexpr double kDefaultGapTwips = 108.0; // what RichEdit and Word write as \trgaph

QTextTableFormat tableFormat(const RowDef& def)
{
    QTextTableFormat tf;
    tf.setCellSpacing(0);
    tf.setCellPadding((def.gap >= 0 ? std::min(def.gap, 1440) : kDefaultGapTwips) / kTwipsPerPixel);
    tf.setBorder(def.showsGrid() ? 1 : 0);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderCollapse(true);
    return tf;
}

} // namespace

size_t DocBuilder::shownDepth(const ParaProps& para) const
{
    if (!para.inTable)
        return 0;
    if (overBudget()) // the rest of the document as plain paragraphs
        return 0;
    return size_t(std::min(std::clamp(para.itap, 1, kMaxTableDepth), kMaxShownTableDepth));
}

void DocBuilder::flattenedEnd(const ParaProps& para, const QTextCharFormat& mark)
{
    applyBlock(para, mark);
    m_pendingBreak = true;
    m_blockTouched = false;
}

void DocBuilder::openTable(int level)
{
    // Definitions left from an earlier row (always so for a nested row, whose definitions
    // follow its cells) say nothing about this table: it then starts narrow and grows.
    const RowDef& def = rowDef(level);
    const int cols = def.fresh ? std::clamp(int(def.cells.size()), 1, 64) : 1;
    m_pendingBreak = false; // the table follows the paragraph that was just closed
    TableCtx t;
    t.table = m_c.insertTable(1, cols, tableFormat(def.fresh ? def : RowDef()));
    m_cellsBuilt += cols;
    t.vmergeStart.assign(size_t(cols), -1);
    m_tables.push_back(t);
    moveToCell(m_tables.back());
}

void DocBuilder::closeInnermost()
{
    QTextTable* table = m_tables.back().table;
    m_tables.pop_back();
    m_c.setPosition(table->lastPosition());
    m_c.movePosition(QTextCursor::NextBlock);
    m_pendingBreak = false; // a paragraph mark inside the last cell opens nothing after the table
}

void DocBuilder::moveToCell(TableCtx& t)
{
    m_c = t.table->cellAt(t.row, t.col).firstCursorPosition();
}

void DocBuilder::syncInnermost()
{
    TableCtx& t = m_tables.back();
    if (t.rowEnded) {
        t.table->appendRows(1);
        m_cellsBuilt += t.table->columns();
        ++t.row;
        t.col = 0;
        t.rowEnded = false;
        t.cellPending = false;
        moveToCell(t);
        m_pendingBreak = false;
    } else if (t.cellPending) {
        t.col = nextColumn(t);
        if (t.col >= t.table->columns()) {
            if (t.col >= 64) { // a row that never ends: its last cell takes a paragraph per cell
                t.col = t.table->columns() - 1;
                t.cellPending = false;
                m_pendingBreak = true;
                return;
            }
            appendColumn(t.table);
            m_cellsBuilt += t.table->rows();
            t.vmergeStart.resize(size_t(t.table->columns()), -1);
            spanShortRows(t);
        }
        t.cellPending = false;
        moveToCell(t);
        m_pendingBreak = false;
    }
}

void DocBuilder::endCell(const ParaProps& para, const QTextCharFormat& mark, int level)
{
    ParaProps inCell = para;
    inCell.inTable = true;
    inCell.itap = std::clamp(level, 1, kMaxTableDepth);
    open(inCell);
    if (int(m_tables.size()) < inCell.itap) { // a level shown flattened
        flattenedEnd(inCell, mark);
        return;
    }
    applyBlock(inCell, mark);
    m_tables.back().cellPending = true;
    m_pendingBreak = false;
    m_blockTouched = false;
}

void DocBuilder::endRow(int level)
{
    level = std::clamp(level, 1, kMaxTableDepth);
    m_markStart = m_markEnd = -1; // rows may move cells: positions before are stale
    while (int(m_tables.size()) > level)
        closeInnermost();
    if (int(m_tables.size()) < level || m_tables.back().rowEnded)
        return; // \row without cells: nothing to end
    TableCtx& t = m_tables.back();
    const RowDef& def = rowDef(level);
    const int used = usedColumns(t, def);
    t.rowCells.push_back(used);
    const int right = def.cells.empty() ? -1 : def.cells[size_t(std::min<int>(used, int(def.cells.size())) - 1)].right;
    t.rowRight.push_back(right);
    std::vector<int> edges;
    if (def.fresh && std::none_of(def.cells.begin(), def.cells.end(), [](const CellDef& c) { return c.vmerge != 0; })) {
        for (const CellDef& c : def.cells)
            edges.push_back(c.right);
    }
    t.rowEdges.push_back(std::move(edges));
    t.maxRight = std::max(t.maxRight, right);
    applyRowDef(t, def);
    spanShortRows(t);
    rowDef(level).fresh = false;
    t.rowEnded = true;
    t.cellPending = false;
    m_pendingBreak = false;
    m_blockTouched = false;
}

// QTextTable::appendColumns misplaces cells that span several rows (Qt 6.4): such tables
// are unmerged for the new column and merged again.
void DocBuilder::appendColumn(QTextTable* table)
{
    struct Span {
        int row, col, rows, cols;
    };
    std::vector<Span> spans;
    bool tall = false;
    for (int r = 0; r < table->rows(); ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() == r && cell.column() == c && (cell.rowSpan() > 1 || cell.columnSpan() > 1)) {
                spans.push_back({r, c, cell.rowSpan(), cell.columnSpan()});
                tall = tall || cell.rowSpan() > 1;
            }
        }
    }
    if (!tall) {
        table->appendColumns(1);
        return;
    }
    for (const Span& s : spans)
        table->splitCell(s.row, s.col, 1, 1);
    table->appendColumns(1);
    for (const Span& s : spans)
        mergeCells(table, s.row, s.col, s.rows, s.cols);
}

// QTextTable::mergeCells resets the paragraph formats, list membership included, of the first
// cell and of other cells in the rows it touches: they are put back (a list that lost its only
// paragraph meanwhile is made again). The character format of a cell's first paragraph is the
// cell's own format (its spans), so that one is left to the merge.
void DocBuilder::mergeCells(QTextTable* table, int row, int col, int rows, int cols)
{
    // QTextTable accepts a region that leaves the table or cuts through a merged cell, and
    // then corrupts its grid: damaged merge flags must not get that far.
    if (rows < 1 || cols < 1 || row < 0 || col < 0 || row + rows > table->rows() || col + cols > table->columns())
        return;
    for (int r = row; r < row + rows; ++r) {
        for (int c = col; c < col + cols; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() < row || cell.column() < col || cell.row() + cell.rowSpan() > row + rows
                || cell.column() + cell.columnSpan() > col + cols)
                return;
        }
    }
    struct Saved {
        int row, col; // the cell, by its first row and column
        QTextBlockFormat block;
        QPointer<QTextList> list;
        QTextListFormat listFormat;
        bool inList;
        size_t slot;     // index in m_lists, or m_lists.size() for a list not made here
        const void* key; // the list as it was, only to tell lists apart after it is gone
    };
    auto covered = [&](int r, int c) { return r >= row && r < row + rows && c >= col && c < col + cols && (r != row || c != col); };
    auto paragraphs = [&](const QTextTableCell& cell, auto&& visit) {
        for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
            if (it.currentBlock().isValid())
                visit(it.currentBlock());
        }
    };
    std::vector<Saved> saved;
    for (int r = row; r < row + rows; ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() != r || cell.column() != c || covered(r, c))
                continue;
            paragraphs(cell, [&](const QTextBlock& b) {
                QTextList* list = b.textList();
                const size_t slot = size_t(std::find(m_lists.begin(), m_lists.end(), list) - m_lists.begin());
                saved.push_back({r, c, b.blockFormat(), list, list ? list->format() : QTextListFormat(), list != nullptr,
                                 slot, list});
            });
        }
    }
    table->mergeCells(row, col, rows, cols);
    auto s = saved.begin();
    while (s != saved.end()) {
        const int r = s->row, c = s->col;
        paragraphs(table->cellAt(r, c), [&](const QTextBlock& b) {
            if (s == saved.end() || s->row != r || s->col != c)
                return; // paragraphs moved in from covered cells
            QTextCursor cursor(b);
            QTextBlockFormat f = s->block;
            if (!s->inList) {
                if (f != b.blockFormat())
                    cursor.setBlockFormat(f);
            } else if (s->list) {
                f.setObjectIndex(s->list->objectIndex());
                if (f != b.blockFormat())
                    cursor.setBlockFormat(f);
            } else { // the list went with its only paragraph
                f.clearProperty(QTextFormat::ObjectIndex);
                cursor.setBlockFormat(f);
                QTextList* again = cursor.createList(s->listFormat);
                if (s->slot < m_lists.size())
                    m_lists[s->slot] = again;
                for (Saved& later : saved) // later paragraphs of the same list join the new one
                    if (later.key == s->key && !later.list)
                        later.list = again;
            }
            ++s;
        });
        while (s != saved.end() && s->row == r && s->col == c)
            ++s; // paragraphs the merge removed
    }
}

// RTF gives the width of one line of a border: 10 twips (half a point) when a writer leaves
// it out, twice that for \brdrth.
void DocBuilder::applyCellLook(QTextTableCell cell, const CellDef& def, bool sides)
{
    QTextTableCellFormat f = cell.format().toTableCellFormat();
    if (sides) {
        QString kept;
        for (int i = 0; i < 4; ++i) {
            const BorderSide& s = def.sides[i];
            const bool shown = s.style > 0;
            const int tw = shown ? (s.width > 0 ? s.width : 10) * (s.thick ? 2 : 1) : 0;
            f.setProperty(QTextFormat::TableCellTopBorder + i, shown ? borderDisplayWidth(tw, s.style) : 0.0);
            f.setProperty(QTextFormat::TableCellTopBorderStyle + i,
                          shown ? int(s.style) : int(QTextFrameFormat::BorderStyle_None));
            if (shown && s.color)
                f.setProperty(QTextFormat::TableCellTopBorderBrush + i, QBrush(QColor::fromRgb(s.color)));
            else
                f.clearProperty(QTextFormat::TableCellTopBorderBrush + i);
            kept += (i ? QStringLiteral(" ") : QString()) + QString::number(tw);
        }
        f.setProperty(kCellBorderTwipsProperty, kept);
    }
    if (def.hasShading()) {
        // The pattern colour over the background by the shading's share, channel by channel.
        const QColor back = def.shadeBack ? QColor::fromRgb(def.shadeBack) : QColor(Qt::white);
        const QColor fore = def.shadeFore ? QColor::fromRgb(def.shadeFore) : QColor(Qt::black);
        const int p = def.shading;
        auto mix = [p](int b, int f) { return (b * (10000 - p) + f * p + 5000) / 10000; };
        f.setBackground(QColor(mix(back.red(), fore.red()), mix(back.green(), fore.green()), mix(back.blue(), fore.blue())));
    }
    cell.setFormat(f);
}

double borderDisplayWidth(int twips, int style)
{
    const double one = twips / kTwipsPerPixel;
    return std::max(1.0, style == QTextFrameFormat::BorderStyle_Double ? 3 * one : one);
}

// A row with fewer cells than the table whose last cell reaches the table's right edge (as
// writers give a cell spanning a wider row below it) has that cell span the missing columns.
void DocBuilder::spanShortRows(TableCtx& t)
{
    const int cols = t.table->columns();
    // Rows already settled stay so while the table's width does not change: checking only
    // the new ones keeps a long table linear.
    const size_t from = cols == t.spannedCols && t.maxRight == t.spannedMaxRight ? t.spannedRows : 0;
    t.spannedRows = t.rowCells.size();
    t.spannedCols = cols;
    t.spannedMaxRight = t.maxRight;
    for (size_t r = from; r < t.rowCells.size(); ++r) {
        const int used = t.rowCells[r];
        if (used >= cols || used < 1)
            continue;
        if (t.rowRight[r] >= 0 && t.rowRight[r] < t.maxRight - 20)
            continue; // a row that really is shorter
        const QTextTableCell last = t.table->cellAt(int(r), used - 1);
        if (last.row() == int(r) && last.column() == used - 1 && last.rowSpan() == 1)
            mergeCells(t.table, int(r), used - 1, 1, cols - used + 1);
    }
}

} // namespace rtf

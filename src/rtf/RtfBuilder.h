// SPDX-License-Identifier: MIT
// Puts what the RTF reader finds into a QTextDocument through one QTextCursor: format runs,
// paragraphs with their formats, list membership, tables and images.
//
// A paragraph mark does not open the next paragraph at once: the break is kept pending until
// more content arrives, so the final \par of a stream closes the last paragraph instead of
// leaving an empty one (as RichEdit reads it), and a table that follows a paragraph is placed
// after it. Tables are filled row by row as the cells arrive, growing columns as needed;
// merges and column widths are applied when a row ends.
//
// The work a document can cause is bounded: Qt's layout time grows steeply with each level of
// table nesting, with the number of cells, and with the text inside nested tables (laid out
// once per level around it). Tables nested deeper than kMaxShownTableDepth are shown flattened
// into the cell of the deepest level kept. Once kMaxTableCells cells have been built or
// kMaxNestedTableChars characters have gone into nested tables, every table is closed and the
// rest of the document is read as plain paragraphs. A flattened cell becomes a paragraph of
// its own, so every piece of text is kept, in order.
#pragma once
#include "RtfProps.h"

#include <QImage>
#include <QPointer>
#include <QTextBlock>
#include <QTextList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextBlockFormat>
#include <map>
#include <vector>

class QTextTable;
class QTextTableCell;

namespace rtf {

constexpr int kMaxShownTableDepth = 4;
constexpr int kMaxTableCells = 4000;
constexpr qsizetype kMaxNestedTableChars = 20000;

class DocBuilder {
public:
    // wholeDocument: the cursor sits in the empty document that the RTF replaces.
    DocBuilder(QTextCursor& cursor, bool wholeDocument);

    void insertText(const QString& text, const QTextCharFormat& format, const ParaProps& para);
    // A picture: data holds its bytes (a PNG or JPEG file, or data Qt cannot read, then with
    // `shown`, the image to show instead, and `words`, what describes the data); width and
    // height in pixels, 0 for the image's own size; the goal sizes and scales RTF gave.
    struct Picture {
        QByteArray data;
        QString extension;
        QImage shown;
        QString words;
        double width = 0, height = 0;
        int goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    };
    void insertPicture(const Picture& picture, const ParaProps& para);
    // A header or footer group, whole: kept with the document (kKeptGroupsProperty).
    void keepGroup(const QByteArray& group);
    // A footnote reference mark (its number) and then the footnote's group, whole: kept on the
    // mark just inserted (see kFootnoteProperty). False when no mark was inserted right before:
    // the caller inserts one first.
    void insertFootnoteMark(const QString& number, const QTextCharFormat& format, const ParaProps& para);
    bool attachFootnote(const QByteArray& group);
    // The index of a font in the document's kKeptFontsProperty, added when new; -1 when full.
    int keptFont(const QString& family, int charset);
    // The number of a colour in the document's kKeptColorsProperty (from 1), added when new;
    // 0, the automatic colour, when full.
    int keptColour(const QColor& colour);
    // The bullet or number text (\pntext, \listtext) that precedes a paragraph: shown only when
    // the paragraph turns out not to be a list item, so a list marker appears once.
    void setListText(const QString& text, const QTextCharFormat& format);
    void endParagraph(const ParaProps& para, const QTextCharFormat& mark);
    void endCell(const ParaProps& para, const QTextCharFormat& mark, int level);
    void endRow(int level);
    void finish(const ParaProps& para, const QTextCharFormat& mark);

    // Row definitions (\trowd ... \cellx) of table nesting level 1..kMaxTableDepth.
    RowDef& rowDef(int level);

private:
    struct TableCtx {
        QTextTable* table = nullptr;
        // The columns' right edges (twips), from the row with the most cells that set them,
        // and the cells of the row being filled mapped onto them (see RtfBuilderGrid.cpp).
        std::vector<int> gridEdges;
        int gridCells = 0;
        int cellIndex = 0;         // cells of this row ended so far
        int mapRow = -1;           // the row rowCols belongs to
        std::vector<int> rowCols;  // first column of each cell, then the column after the last
        int row = 0;
        int col = 0;
        bool cellPending = false; // \cell seen: the next content goes to the next cell
        bool rowEnded = false;    // \row seen: the next content starts a new row
        std::vector<int> vmergeStart;
        std::vector<int> rowCells; // cells each ended row used
        std::vector<int> rowRight; // right edge (\cellx) of each ended row's last cell, -1 unknown
        // Each ended row's cell edges, when it had a definition of its own and no cell spanning
        // rows: a finer row later moves its cells to the columns they cover (regrid).
        std::vector<std::vector<int>> rowEdges;
        int maxRight = -1;
        size_t spannedRows = 0;    // rows before this one spanShortRows has settled
        int spannedCols = 0;       // at this column count
        int spannedMaxRight = -1;  // and this right edge
    };
    struct ListKey {
        int style;
        int level;
        bool operator<(const ListKey& o) const { return style != o.style ? style < o.style : level < o.level; }
    };

    void open(const ParaProps& para);
    void applyBlock(const ParaProps& para, const QTextCharFormat& mark);
    QTextList* findList(const ParaProps& para, int& level);
    void openTable(int level);
    void closeInnermost();
    void syncInnermost();
    void moveToCell(TableCtx& t);
    void applyRowDef(TableCtx& t, const RowDef& def);
    const std::vector<int>& rowColumns(TableCtx& t, const RowDef& def);
    int nextColumn(TableCtx& t);
    int usedColumns(TableCtx& t, const RowDef& def);
    void spanShortRows(TableCtx& t);
    void regrid(TableCtx& t, int row);
    void moveCellContent(QTextTable* table, int row, int from, int to);
    void mergeCells(QTextTable* table, int row, int col, int rows, int cols);
    // A cell's own borders (when `sides`: all four, a side not given has none) and shading.
    void applyCellLook(QTextTableCell cell, const CellDef& def, bool sides);
    void appendColumn(QTextTable* table);
    // The table nesting a paragraph is shown at, after the depth and cell limits.
    size_t shownDepth(const ParaProps& para) const;
    bool overBudget() const { return m_cellsBuilt >= kMaxTableCells || m_nestedChars >= kMaxNestedTableChars; }
    // A cell or row end that builds no structure: the content goes on in the same cell.
    void flattenedEnd(const ParaProps& para, const QTextCharFormat& mark);
    QTextList* listAt(size_t i) const { return i < m_lists.size() ? m_lists[i].data() : nullptr; }

    QTextCursor& m_c;
    bool m_whole;
    QTextBlock m_startBlock;
    bool m_startBlockWasEmpty = true;
    bool m_startAtBlockEnd = true;
    QTextBlockFormat m_newBlockFormat;
    bool m_pendingBreak = false;
    bool m_blockTouched = false;

    int m_markStart = -1, m_markEnd = -1; // the footnote mark just inserted, waiting for its footnote

    QString m_listText;
    QTextCharFormat m_listTextFormat;
    bool m_listTextPending = false;

    std::vector<TableCtx> m_tables;
    int m_cellsBuilt = 0;
    qsizetype m_nestedChars = 0; // text inserted inside a table inside a table
    std::vector<RowDef> m_rowDefs;

    // Every list made here; the maps below hold indexes into it, so that a list QTextDocument
    // deleted (it lost its last paragraph) and that was made again is found again everywhere.
    std::vector<QPointer<QTextList>> m_lists;
    std::map<std::pair<int, int>, size_t> m_lsLists; // (\ls, \ilvl) -> list
    std::map<int, size_t> m_pnChain;                  // level -> list still running
    std::vector<std::pair<ListKey, size_t>> m_pnLists;

public:
    // Empty paragraphs in a row beyond kMaxEmptyRun become line breaks at the end of the last
    // one kept: the same text and height, without a QTextBlock each (a block costs about
    // 140 bytes and 5 microseconds, so millions of them would take gigabytes and minutes).
    static constexpr int kMaxEmptyRun = 1000;
    long long foldedEmptyParagraphs() const { return m_folded; }

private:
    void flushFolded();
    int m_emptyRun = 0;          // empty paragraphs ended in a row, at most kMaxEmptyRun
    long long m_foldPending = 0; // folded paragraph marks not yet in the document
    long long m_folded = 0;
    ParaProps m_emptyPara;
    QTextCharFormat m_emptyMark;
};

} // namespace rtf

// SPDX-License-Identifier: MIT
// The paragraphs and tables of a QTextDocument frame or table cell, in order, as the writer
// and the plain-text export see them.
#pragma once
#include <QTextBlock>
#include <QTextFrame>
#include <vector>

class QTextTable;

namespace rtf {

struct FrameItem {
    QTextBlock block;           // valid for a paragraph
    QTextTable* table = nullptr; // set for a table
};

// QTextDocument keeps an empty paragraph before a table that starts a frame or cell, and one
// after a table that ends a frame or cell; they are structure, not text (unless they are
// list items). The first is always
// left out, the last when dropEmptyLast is set: the writer keeps it in a cell, where it
// carries the cell's end mark. Frames other than tables are flattened into their content.
std::vector<FrameItem> frameItems(QTextFrame::iterator it, bool dropEmptyLast);

} // namespace rtf

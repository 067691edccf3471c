// SPDX-License-Identifier: MIT
// RTF documents that push the reader and the editor: tables nested many levels deep, tables
// with tens of thousands of cells, and tens of megabytes of Chinese text in one paragraph or
// in many, written as RichEdit writes them (GBK \'hh escapes).
#pragma once
#include <QByteArray>

// Tables nested `depth` levels deep holding about `cells` cells in all: every level is a
// table of rows of four cells whose first cell holds the next level.
QByteArray NestedTablesRtf(int depth, int cells);
// One table of rows × columns cells, each holding a short text.
QByteArray WideTableRtf(int rows, int columns);
// At least `bytes` bytes of text with a bold word now and then, in `paragraphs` paragraphs
// (1: everything in one paragraph).
QByteArray TextRtf(qint64 bytes, int paragraphs);

// SPDX-License-Identifier: MIT
#include "Rtf.h"
#include "RtfStructure.h"

#include <QTextDocument>
#include <QTextTable>

namespace rtf {
namespace {

void flatten(QTextFrame::iterator it, std::vector<FrameItem>& items)
{
    for (; !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(frame))
                items.push_back({QTextBlock(), table});
            else
                flatten(frame->begin(), items);
        } else if (it.currentBlock().isValid()) {
            items.push_back({it.currentBlock(), nullptr});
        }
    }
}

// An empty paragraph that only QTextDocument's structure put there: a list item is real.
bool isStructural(const FrameItem& item)
{
    return !item.table && item.block.length() <= 1 && !item.block.textList();
}

void appendItems(const std::vector<FrameItem>& items, QString& out);

void appendBlock(const QTextBlock& block, QString& out)
{
    const QString text = block.text();
    const QChar* s = text.constData();
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c != 0x2028 && c != 0xFFFC && c != 0x00AD) // optional hyphens are no text either
            continue;
        out.append(s + from, i - from);
        if (c == 0x2028)
            out.append(u"\r\n");
        from = i + 1;
    }
    out.append(s + from, n - from);
}

void appendTable(QTextTable* table, QString& out)
{
    for (int r = 0; r < table->rows(); ++r) {
        if (r > 0)
            out.append(u"\r\n");
        bool firstCell = true;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue; // covered by a merged cell
            if (!firstCell)
                out.append(u'\t');
            firstCell = false;
            appendItems(frameItems(cell.begin(), true), out);
        }
    }
}

void appendItems(const std::vector<FrameItem>& items, QString& out)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out.append(u"\r\n");
        if (items[i].table)
            appendTable(items[i].table, out);
        else
            appendBlock(items[i].block, out);
    }
}

} // namespace

std::vector<FrameItem> frameItems(QTextFrame::iterator it, bool dropEmptyLast)
{
    std::vector<FrameItem> items;
    flatten(it, items);
    if (items.size() >= 2 && isStructural(items[0]) && items[1].table)
        items.erase(items.begin());
    if (dropEmptyLast && items.size() >= 2 && isStructural(items.back()) && items[items.size() - 2].table)
        items.pop_back();
    return items;
}

} // namespace rtf

QString DocumentPlainText(const QTextDocument& doc)
{
    QString out;
    out.reserve(doc.characterCount() + doc.blockCount());
    rtf::appendItems(rtf::frameItems(doc.rootFrame()->begin(), true), out);
    return out;
}

// SPDX-License-Identifier: MIT
// Writes a QTextDocument as 7-bit RTF in the dialect Windows RichEdit writes and reads:
// font and colour tables, character formats as differences from the previous run, paragraph
// formats restated after \pard only when they change, bullets and numbering both in the
// \pntext + \pn form RichEdit reads and as a list table (\ls, \ilvl) for Word's readers, tables with \trowd ... \cell ... \row (nested ones Word's way), PNG and JPEG
// pictures as hexadecimal \pict data.
#pragma once
#include "RtfStructure.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

class QTextDocument;
class QTextFragment;
class QTextList;
class QTextTable;
class QTextCharFormat;
class QTextImageFormat;
class QTextTableCellFormat;

namespace rtf {

// The RTF being written, grown geometrically (QByteArray on its own grows to exactly the size
// asked for once past a reservation, which makes appending quadratic) and written through a
// pointer: per-append QByteArray calls cost more than the writing itself.
class OutBuffer {
public:
    char* room(size_t n)
    {
        if (m_size + n > size_t(m_data.size()))
            m_data.resize(qsizetype(std::max(size_t(m_data.size()) * 2, m_size + n)));
        char* at = m_data.data() + m_size;
        m_size += n;
        return at;
    }
    OutBuffer& append(const char* s, size_t n)
    {
        std::memcpy(room(n), s, n);
        return *this;
    }
    OutBuffer& append(const char* s) { return append(s, std::strlen(s)); }
    OutBuffer& append(const QByteArray& b) { return append(b.constData(), size_t(b.size())); }
    OutBuffer& append(char c)
    {
        *room(1) = c;
        return *this;
    }
    void reserve(size_t n)
    {
        if (n > size_t(m_data.size()))
            m_data.resize(qsizetype(n));
    }
    void clear() { m_size = 0; }
    QByteArray take()
    {
        m_data.resize(qsizetype(m_size));
        m_size = 0;
        return std::move(m_data);
    }

private:
    QByteArray m_data; // its size is the capacity; m_size bytes are written
    size_t m_size = 0;
};

class Writer {
public:
    explicit Writer(const QTextDocument& doc);
    QByteArray write();

private:
    struct CharState {
        int font = -1;
        int halfPoints = -1;
        int fg = 0;
        int bg = 0;
        uint8_t flags = 0;
        bool operator==(const CharState&) const = default;
    };
    struct Font {
        QString family;
        int charset;
    };

    // structure
    size_t collect(const std::vector<FrameItem>& items);
    void writeItems(const std::vector<FrameItem>& items, int level);
    void writeBlock(const QTextBlock& block, int level, bool endsCell);
    void writeListText(QTextList* list, int item);
    void writeParagraphFormat(const QTextBlock& block, int level, QTextList* list, bool listStart, int item);
    void writeTable(QTextTable* table, int level);
    QByteArray rowDefinition(QTextTable* table, int row, const QList<int>& edges, int gap, bool border);
    static bool hasOwnBorders(const QTextTableCellFormat& f);
    QByteArray cellBorders(const QTextTableCellFormat& f);
    void collectCellColors(const QTextTableCellFormat& f);
    void writeImage(const QTextCharFormat& format);
    void writePictureSize(const QTextImageFormat& img, double w, double h);
    void writeHex(const QByteArray& data);

    // characters
    CharState charState(const QTextCharFormat& f, QStringView text);
    void setCharState(const CharState& s);
    void writeText(QStringView text);
    void word(const char* w);
    void word(const char* w, int n);
    void literal(char c);

    // tables of the header
    int fontIndex(const QString& family, int charset);
    int colorIndex(const QColor& c);
    void writeHeader();
    // A kept group (header, footer, footnote) as written: 7-bit, its fonts and colours
    // renumbered into this writer's tables (see kKeptFontsProperty, kKeptColorsProperty).
    void writeKeptGroup(const QString& group);
    void collectKept();
    void writeListTable();
    int listIndex(QTextList* list);

    const QTextDocument& m_doc;
    QString m_defaultFamily;
    double m_defaultPoints = 12;
    QFont m_defaultFont;
    OutBuffer m_out;
    bool m_needSpace = false; // the last thing written was a control word
    CharState m_cur;
    int m_uc = 1;
    QByteArray m_lastPara = "\\invalid"; // forces \pard before the first paragraph
    // The list still running at each level, as the reader will see it: a paragraph outside any
    // list ends them all, a list paragraph ends the deeper ones. An item of another list than
    // the one running at its level names its number (\pnstart).
    std::map<int, QTextList*> m_running;
    // Every list of the document in the order met; list k is \lsk+1 of the list table.
    std::vector<QTextList*> m_lists;
    std::map<const QTextList*, int> m_listIndex;
    // Items of each list written so far: QTextList::itemNumber searches the whole list.
    std::map<const QTextList*, int> m_itemsWritten;
    std::vector<Font> m_fonts;
    QList<QColor> m_colors;
    int m_symbolFont = -1;
    // The background of the cell being written: text on the same colour is not highlighted
    // (Qt hands a cell's format, shading included, to the text typed into it).
    QColor m_cellBack;
    std::vector<int> m_keptFonts; // this writer's index of each of the document's kept fonts
    std::vector<int> m_keptColours; // the same for kept colours (the first is kept colour 1)
    std::vector<int8_t> m_footnoteFormats; // by character format index: -1 unknown, 1 a footnote mark or anchor
};

} // namespace rtf

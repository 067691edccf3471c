// SPDX-License-Identifier: MIT
// Header, font and colour tables, character formats and text. Paragraphs, lists, tables and
// pictures are in RtfWriterBlocks.cpp.
#include "RtfWriter.h"

#include "Rtf.h"
#include "RtfCodePage.h"
#include "RtfFallback.h"
#include "RtfStructure.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <algorithm>

namespace rtf {
namespace {

const char kHexDigits[] = "0123456789abcdef";

char* putInt(char* p, int v)
{
    char tmp[12];
    int n = 0;
    unsigned u = v < 0 ? 0u - unsigned(v) : unsigned(v);
    do {
        tmp[n++] = char('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0)
        *p++ = '-';
    while (n)
        *p++ = tmp[--n];
    return p;
}

bool isSafe(char16_t c)
{
    return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
}

bool needsDelimiter(char16_t c)
{
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == ' ' || c == '-';
}

// A font name as the font table can hold it and the reader gives it back: no terminator,
// no control characters, no blanks around.
QString cleanFamily(QString family)
{
    family.removeIf([](QChar c) { return c == u';' || c.unicode() < 0x20 || c.unicode() == 0x7F; });
    return family.trimmed();
}

bool hasNonAscii(QStringView s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 0x80; });
}

} // namespace

Writer::Writer(const QTextDocument& doc) : m_doc(doc)
{
    m_defaultFont = doc.defaultFont();
    m_defaultFamily = cleanFamily(m_defaultFont.family());
    if (m_defaultFamily.isEmpty()) // no application font to go by: the report's own default
        m_defaultFamily = QStringLiteral("宋体");
    if (m_defaultFont.pointSizeF() > 0)
        m_defaultPoints = m_defaultFont.pointSizeF();
    else if (m_defaultFont.pixelSize() > 0)
        m_defaultPoints = m_defaultFont.pixelSize() * 0.75;
}

QByteArray Writer::write()
{
    const std::vector<FrameItem> items = frameItems(m_doc.rootFrame()->begin(), true);
    // The font and colour tables come first, so one pass collects them (and the size to
    // reserve) before anything is written. \deff0 is the first font the text uses.
    const size_t estimate = collect(items);
    if (m_fonts.empty())
        fontIndex(m_defaultFamily, hasNonAscii(m_defaultFamily) ? 134 : 0);
    collectKept();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const size_t fonts = m_fonts.size();
        const qsizetype colors = m_colors.size();
        const size_t lists = m_lists.size();
        m_out.clear();
        m_out.reserve(estimate + 64 * fonts + 32 * size_t(colors) + 256);
        writeHeader();
        m_cur = CharState();
        m_uc = 1;
        m_needSpace = false;
        m_lastPara = "\\invalid";
        m_running.clear();
        m_itemsWritten.clear();
        writeItems(items, 0);
        m_out.append("}\r\n");
        if (m_fonts.size() == fonts && m_colors.size() == colors && m_lists.size() == lists)
            break; // else the body met a font the collecting pass missed: write again
    }
    return m_out.take();
}

// Registers every font and colour the body will use; returns about how long the body gets.
size_t Writer::collect(const std::vector<FrameItem>& items)
{
    size_t size = 0;
    for (const FrameItem& item : items) {
        if (item.table) {
            for (int r = 0; r < item.table->rows(); ++r) {
                size += 200 + 60 * size_t(item.table->columns());
                for (int c = 0; c < item.table->columns(); ++c) {
                    const QTextTableCell cell = item.table->cellAt(r, c);
                    if (cell.row() == r && cell.column() == c) {
                        collectCellColors(cell.format().toTableCellFormat());
                        size += collect(frameItems(cell.begin(), false));
                    }
                }
            }
            continue;
        }
        size += 64;
        if (QTextList* list = item.block.textList()) {
            listIndex(list);
            const auto style = list->format().style();
            if (style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
                || style == QTextListFormat::ListSquare) {
                if (m_symbolFont < 0)
                    m_symbolFont = fontIndex(QStringLiteral("Symbol"), 2);
            }
            size += 120;
        }
        bool empty = true;
        for (QTextBlock::iterator it = item.block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            empty = false;
            const QTextCharFormat f = frag.charFormat();
            const QString text = frag.text();
            if (f.isImageFormat()) {
                size += 4096;
                continue;
            }
            charState(f, text);
            size += 48;
            for (QChar ch : text)
                size += ch.unicode() < 0x80 ? 1 : 16;
        }
        if (empty)
            charState(item.block.charFormat(), QStringView());
    }
    return size;
}

void Writer::word(const char* w)
{
    m_out.append('\\').append(w);
    m_needSpace = true;
}

void Writer::word(const char* w, int n)
{
    char buf[16];
    m_out.append('\\').append(w).append(buf, size_t(putInt(buf, n) - buf));
    m_needSpace = true;
}

void Writer::literal(char c)
{
    if (m_needSpace && needsDelimiter(char16_t(uint8_t(c))))
        m_out.append(' ');
    m_out.append(c);
    m_needSpace = false;
}

void Writer::writeText(QStringView text)
{
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = s[i];
        if (isSafe(c)) {
            if (m_needSpace && needsDelimiter(c))
                m_out.append(' ');
            qsizetype j = i;
            while (j < n && isSafe(s[j]))
                ++j;
            char* o = m_out.room(size_t(j - i));
            for (; i < j; ++i)
                *o++ = char(s[i]);
            m_needSpace = false;
            continue;
        }
        ++i;
        switch (c) {
        case u'\\': case u'{': case u'}':
            m_out.append('\\').append(char(c));
            m_needSpace = false;
            break;
        case u'\t': word("tab"); break;
        case 0x2028: word("line"); break;
        case 0x00A0: m_out.append("\\~"); m_needSpace = false; break;
        case 0x00AD: m_out.append("\\-"); m_needSpace = false; break;
        default: {
            if (c < 0x20 || c == 0xFFFC)
                break;
            const Fallback fb = gbkFallback(c);
            if (fb.size != m_uc) {
                word("uc", fb.size);
                m_uc = fb.size;
            }
            char buf[32];
            char* p = buf;
            *p++ = '\\';
            *p++ = 'u';
            p = putInt(p, c < 0x8000 ? int(c) : int(c) - 0x10000);
            if (fb.bytes[0] < 0x80) {
                *p++ = char(fb.bytes[0]); // '?': no delimiter needed after the number
            } else {
                for (int k = 0; k < fb.size; ++k) {
                    *p++ = '\\';
                    *p++ = '\'';
                    *p++ = kHexDigits[fb.bytes[k] >> 4];
                    *p++ = kHexDigits[fb.bytes[k] & 15];
                }
            }
            m_out.append(buf, size_t(p - buf));
            m_needSpace = false;
            break;
        }
        }
    }
}

Writer::CharState Writer::charState(const QTextCharFormat& f, QStringView text)
{
    CharState s;
    QString family;
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        family = families.first();
    else if (f.hasProperty(QTextFormat::FontFamily) && !f.stringProperty(QTextFormat::FontFamily).isEmpty())
        family = f.stringProperty(QTextFormat::FontFamily);
    else
        family = m_defaultFamily;
    family = cleanFamily(family);
    if (family.isEmpty())
        family = m_defaultFamily;
    s.font = fontIndex(family, hasNonAscii(text) || hasNonAscii(family) ? 134 : 0);

    const double points = f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0
                              ? f.fontPointSize() : m_defaultPoints;
    s.halfPoints = std::clamp(int(points * 2 + 0.5), 2, 3276);

    const bool bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold
                                                              : m_defaultFont.bold();
    const bool italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : m_defaultFont.italic();
    const bool underline = f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline)
                               ? f.fontUnderline() : m_defaultFont.underline();
    const bool strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : m_defaultFont.strikeOut();
    s.flags = uint8_t((bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0) | (strike ? 8 : 0));
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        s.flags |= 32;
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        s.flags |= 64;

    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        s.fg = colorIndex(f.foreground().color());
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush
        && !(m_cellBack.isValid() && f.background().color() == m_cellBack))
        s.bg = colorIndex(f.background().color());
    return s;
}

void Writer::setCharState(const CharState& s)
{
    if (s == m_cur)
        return;
    if (s.font != m_cur.font)
        word("f", s.font);
    if (s.halfPoints != m_cur.halfPoints)
        word("fs", s.halfPoints);
    if (s.fg != m_cur.fg)
        word("cf", s.fg);
    if (s.bg != m_cur.bg)
        word("highlight", s.bg);
    const uint8_t changed = s.flags ^ m_cur.flags;
    if (changed & 1)
        (s.flags & 1) ? word("b") : word("b", 0);
    if (changed & 2)
        (s.flags & 2) ? word("i") : word("i", 0);
    if (changed & 4)
        (s.flags & 4) ? word("ul") : word("ulnone");
    if (changed & 8)
        (s.flags & 8) ? word("strike") : word("strike", 0);
    if (changed & (32 | 64))
        (s.flags & 32) ? word("super") : (s.flags & 64) ? word("sub") : word("nosupersub");
    m_cur = s;
}

int Writer::fontIndex(const QString& family, int charset)
{
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].charset == charset && m_fonts[i].family == family)
            return int(i);
    }
    m_fonts.push_back({family, charset});
    return int(m_fonts.size() - 1);
}

int Writer::colorIndex(const QColor& c)
{
    const QColor rgb = c.toRgb();
    for (qsizetype i = 0; i < m_colors.size(); ++i) {
        if (m_colors[i].rgb() == rgb.rgb())
            return int(i + 1);
    }
    m_colors.append(rgb);
    return int(m_colors.size());
}

void Writer::writeHeader()
{
    m_out.append("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl");
    char buf[16];
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        m_out.append("{\\f").append(buf, size_t(putInt(buf, int(i)) - buf));
        m_out.append("\\fnil\\fcharset").append(buf, size_t(putInt(buf, m_fonts[i].charset) - buf)).append(' ');
        // A reader decodes the name in the font's own code page: GBK bytes only where that is
        // GBK, \uN elsewhere (GBK bytes in a Big5 font's name read back as broken characters).
        const bool gbkName = CodePage::forCharset(m_fonts[i].charset, 936) == 936;
        for (QChar ch : m_fonts[i].family) {
            const char16_t c = ch.unicode();
            if (c == '\\' || c == '{' || c == '}') {
                m_out.append('\\').append(char(c));
            } else if (c >= 0x20 && c < 0x7F) {
                m_out.append(char(c));
            } else if (c >= 0x80) {
                const Fallback fb = gbkFallback(c);
                if (!gbkName || fb.bytes[0] < 0x80) { // not in GBK: \uN with '?' for code-page readers
                    m_out.append("\\u").append(buf, size_t(putInt(buf, c < 0x8000 ? int(c) : int(c) - 0x10000) - buf));
                    m_out.append('?');
                    continue;
                }
                for (int k = 0; k < fb.size; ++k)
                    m_out.append("\\'").append(kHexDigits[fb.bytes[k] >> 4]).append(kHexDigits[fb.bytes[k] & 15]);
            }
        }
        m_out.append(";}");
    }
    m_out.append("}\r\n{\\colortbl ;");
    for (const QColor& c : m_colors) {
        m_out.append("\\red").append(buf, size_t(putInt(buf, c.red()) - buf));
        m_out.append("\\green").append(buf, size_t(putInt(buf, c.green()) - buf));
        m_out.append("\\blue").append(buf, size_t(putInt(buf, c.blue()) - buf)).append(';');
    }
    m_out.append("}\r\n");
    writeListTable();
    m_out.append("\\viewkind4\\uc1");
    // Headers and footers as they came, with their fonts and colours in these tables.
    for (const QString& group : m_doc.property(kKeptGroupsProperty).toStringList()) {
        if (!group.startsWith(u'{') || !group.endsWith(u'}'))
            continue;
        writeKeptGroup(group);
        m_out.append("\r\n");
    }
}

void Writer::collectKept()
{
    m_keptColours.clear();
    for (const QString& entry : m_doc.property(kKeptColorsProperty).toStringList()) {
        const QColor c = QColor::fromString(entry);
        m_keptColours.push_back(c.isValid() ? colorIndex(c) : 0);
    }
    m_keptFonts.clear();
    for (const QString& entry : m_doc.property(kKeptFontsProperty).toStringList()) {
        const qsizetype semicolon = entry.indexOf(u';');
        const QString family = cleanFamily(entry.mid(semicolon + 1));
        m_keptFonts.push_back(semicolon > 0 && !family.isEmpty() ? fontIndex(family, entry.left(semicolon).toInt()) : -1);
    }
}

void Writer::writeKeptGroup(const QString& group)
{
    // Kept groups are stored as 7-bit text; anything else in the property is made safe the
    // same way (a character beyond Latin-1 counts as a control byte and goes).
    QByteArray bytes;
    bytes.reserve(group.size());
    for (QChar ch : group)
        bytes.append(ch.unicode() <= 0xFF ? char(ch.unicode()) : '\0');
    const QByteArray text = sevenBitGroup(bytes);
    if (m_keptFonts.empty() && m_keptColours.empty()) {
        m_out.append(text);
        return;
    }
    const auto font = [this](int n) { return n >= 0 && size_t(n) < m_keptFonts.size() ? m_keptFonts[size_t(n)] : -1; };
    const auto colour = [this](int n) {
        return n > 0 && size_t(n) <= m_keptColours.size() ? m_keptColours[size_t(n) - 1] : 0;
    };
    m_out.append(renumberKept(text, m_keptFonts.empty() ? std::function<int(int)>() : font,
                              m_keptColours.empty() ? std::function<int(int)>() : colour));
}

} // namespace rtf

QByteArray DocumentToRtf(const QTextDocument& doc)
{
    return rtf::Writer(doc).write();
}

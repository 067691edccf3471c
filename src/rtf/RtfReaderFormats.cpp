// SPDX-License-Identifier: MIT
// Paragraph events, character formats and the font table.
#include "RtfReader.h"

#include "RtfCodePage.h"
#include "RtfStructure.h"

#include <QFont>
#include <algorithm>

namespace rtf {
namespace {

// The \fcharset that names a code page: what a font without one used, written explicitly.
int charsetOf(int codePage)
{
    switch (codePage) {
    case -1: return 2;
    case 936: return 134;
    case 950: return 136;
    case 932: return 128;
    case 949: return 129;
    case 1250: return 238;
    case 1251: return 204;
    case 1253: return 161;
    case 1254: return 162;
    case 1255: return 177;
    case 1256: return 178;
    case 1257: return 186;
    case 1258: return 163;
    case 874: return 222;
    case 437: return 255;
    case 10000: return 77;
    default: return 0;
    }
}

} // namespace

void Reader::paragraphEnd()
{
    flushRun();
    m_inRowDef = false;
    m_out.endParagraph(para(), format(m_st.chr));
    m_st.para.pnFresh = false;
}

void Reader::cellEnd(int level)
{
    flushRun();
    m_inRowDef = false;
    m_out.endCell(para(), format(m_st.chr), level);
    m_st.para.pnFresh = false;
}

void Reader::rowEnd(int level)
{
    flushRun();
    m_inRowDef = false;
    m_out.endRow(level);
}

ParaProps Reader::para() const
{
    ParaProps p = m_st.para;
    if (p.ls > 0) { // RichEdit writes no list table: an unknown list is a bullet list
        p.lsStyle = ListStyle::Bullet;
        const auto o = m_overrides.find(p.ls);
        const auto d = m_listDefs.find(o == m_overrides.end() ? 0 : o->second);
        if (d != m_listDefs.end() && !d->second.empty()) {
            const ListLevelDef& level = d->second[std::min(size_t(p.ilvl), d->second.size() - 1)];
            p.lsStyle = level.style;
            p.lsStart = level.start;
            p.lsPrefix = level.prefix;
            p.lsSuffix = level.suffix;
        }
    }
    return p;
}

const QTextCharFormat& Reader::format(const CharProps& c)
{
    for (auto it = m_formats.rbegin(); it != m_formats.rend(); ++it) {
        if (it->first == c)
            return it->second;
    }
    QTextCharFormat f;
    const auto font = m_fonts.find(c.font);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        f.setFontFamilies(QStringList{font->second.name});
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight((c.flags & Bold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.flags & Italic);
    f.setFontUnderline(c.flags & Underline);
    f.setFontStrikeOut(c.flags & Strike);
    if (c.flags & Superscript)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.flags & Subscript)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (c.fg < m_colors.size() && m_colors.at(c.fg).isValid())
        f.setForeground(m_colors.at(c.fg));
    if (c.bg > 0 && c.bg < m_colors.size() && m_colors.at(c.bg).isValid())
        f.setBackground(m_colors.at(c.bg));
    if (c.link > 0 && c.link <= m_links.size()) {
        f.setAnchor(true);
        f.setAnchorHref(m_links.at(c.link - 1));
    }
    if (m_formats.size() >= 64)
        m_formats.clear();
    m_formats.emplace_back(c, f);
    return m_formats.back().second;
}

void Reader::setDocCodePage(int cp)
{
    m_docCp = cp;
    const CodePage* page = CodePage::get(cp);
    if (!page->available() && !m_diag.unavailableCodePages.contains(cp))
        m_diag.unavailableCodePages.append(cp);
    m_st.cp = codePageForFont(m_st.chr.font);
}

const CodePage* Reader::codePageForFont(int font) const
{
    const auto it = m_fonts.find(font);
    if (it != m_fonts.end() && it->second.cp)
        return it->second.cp;
    return CodePage::get(m_docCp);
}

const CodePage* Reader::fontEntryCodePage() const
{
    if (m_fontCpg > 0)
        return CodePage::get(m_fontCpg);
    const int cp = CodePage::forCharset(m_fontCharset, m_docCp);
    return CodePage::get(cp < 0 ? 1252 : cp); // symbol fonts have plain ASCII names
}

void Reader::finishFontEntry()
{
    if (!m_fontOpen)
        return;
    m_fontOpen = false;
    flushAux(fontEntryCodePage());
    FontEntry entry;
    entry.name = m_aux.trimmed();
    m_aux.clear();
    int cp = m_fontCpg > 0 ? m_fontCpg : CodePage::forCharset(m_fontCharset, m_docCp);
    if (cp < 0)
        entry.cp = entry.name.compare(u"Symbol", Qt::CaseInsensitive) == 0 ? CodePage::symbol()
                                                                            : CodePage::get(1252);
    else
        entry.cp = CodePage::get(cp);
    if (!entry.cp->available() && !m_diag.unavailableCodePages.contains(cp))
        m_diag.unavailableCodePages.append(cp);
    entry.charset = m_fontCharset >= 0 ? m_fontCharset : charsetOf(entry.cp == CodePage::symbol() ? -1 : entry.cp->number());
    m_fonts[m_fontNum] = entry;
    m_formats.clear();
}

QByteArray Reader::keptGroup(QByteArrayView group)
{
    const auto font = [this](int n) {
        const auto it = m_fonts.find(n);
        return it == m_fonts.end() || it->second.name.isEmpty() ? -1 : m_out.keptFont(it->second.name, it->second.charset);
    };
    // 0, an automatic entry and a number past the table all give the automatic colour, as in
    // the body.
    const auto colour = [this](int n) {
        return n > 0 && n < m_colors.size() && m_colors.at(n).isValid() ? m_out.keptColour(m_colors.at(n)) : 0;
    };
    return renumberKept(group, font, colour);
}

} // namespace rtf

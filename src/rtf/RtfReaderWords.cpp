// SPDX-License-Identifier: MIT
// What each control word does to the reader's state and the document.
#include "RtfReader.h"

#include "RtfCodePage.h"

#include <QBuffer>
#include <QFont>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

namespace rtf {
namespace {

constexpr int kMaxTwips = 31680;

ListStyle styleForNfc(int nfc)
{
    switch (nfc) {
    case 1: return ListStyle::UpperRoman;
    case 2: return ListStyle::LowerRoman;
    case 3: return ListStyle::UpperAlpha;
    case 4: return ListStyle::LowerAlpha;
    case 23: return ListStyle::Bullet;
    case 255: return ListStyle::None;
    default: return ListStyle::Decimal;
    }
}

bool isDestinationWord(Kw kw)
{
    switch (kw) {
    case Kw::FontTable: case Kw::ColorTable: case Kw::SkipDest: case Kw::ListTable:
    case Kw::ListOverrideTable: case Kw::List: case Kw::ListLevel: case Kw::ListOverride:
    case Kw::ListText: case Kw::Pn: case Kw::PnTxtA: case Kw::PnTxtB: case Kw::Pict:
    case Kw::NestTableProps: case Kw::TextDest:
        return true;
    default:
        return false;
    }
}

} // namespace

void Reader::word(KwInfo info, bool hasParam, int param)
{
    const Kw kw = info.kw;
    if (m_st.starred) {
        m_st.starred = false;
        if (!isDestinationWord(kw)) { // an ignorable destination this reader does not know
            skipGroup();
            return;
        }
    }
    const int twips = std::clamp(param, -kMaxTwips, kMaxTwips);
    CharProps& chr = m_st.chr;
    ParaProps& para = m_st.para;
    auto flag = [&](uint8_t bit, bool on) {
        chr.flags = on ? uint8_t(chr.flags | bit) : uint8_t(chr.flags & ~bit);
    };
    const bool on = !hasParam || param != 0;
    if (m_st.dest == Dest::ListText && !m_auxBytes.empty() && (kw == Kw::F || kw == Kw::Plain))
        flushAux(m_st.cp); // bytes so far belong to the font before the change

    switch (kw) {
    case Kw::Unknown: break;
    case Kw::Ansi: if (!m_docCpExplicit) setDocCodePage(1252); break;
    case Kw::Mac: if (!m_docCpExplicit) setDocCodePage(10000); break;
    case Kw::Pc: if (!m_docCpExplicit) setDocCodePage(437); break;
    case Kw::Pca: if (!m_docCpExplicit) setDocCodePage(850); break;
    case Kw::AnsiCpg:
        if (hasParam && param > 0) {
            m_docCpExplicit = true;
            setDocCodePage(param);
        }
        break;
    case Kw::Deff:
        m_deff = param;
        chr.font = param;
        m_st.cp = codePageForFont(param);
        break;

    case Kw::FontTable: setDest(Dest::FontTable); m_fontOpen = false; break;
    case Kw::ColorTable:
        setDest(Dest::ColorTable);
        m_colors.clear();
        m_red = m_green = m_blue = 0;
        m_colorSet = false;
        break;
    case Kw::SkipDest: case Kw::PnTxtA: case Kw::PnTxtB: skipGroup(); break;
    case Kw::ListTable: setDest(Dest::ListTable); break;
    case Kw::ListOverrideTable: setDest(Dest::ListOverrides); break;
    case Kw::ListText:
        setDest(Dest::ListText);
        m_aux.clear();
        m_auxBytes.clear();
        break;
    case Kw::Pn:
        setDest(Dest::Pn);
        para.pnStyle = ListStyle::None;
        para.pnLevel = 0;
        para.pnStart = 0;
        para.pnCont = false;
        break;
    case Kw::Pict: setDest(Dest::Pict); m_pict = Picture(); break;
    case Kw::NestTableProps: m_st.nestProps = true; break;
    case Kw::TextDest: break;

    case Kw::F:
        if (m_st.dest == Dest::FontTable) {
            finishFontEntry();
            m_fontOpen = true;
            m_fontNum = param;
            m_fontCharset = -1;
            m_fontCpg = 0;
            m_aux.clear();
            m_auxBytes.clear();
        } else {
            chr.font = param;
            m_st.cp = codePageForFont(param);
        }
        break;
    case Kw::FCharset: if (m_st.dest == Dest::FontTable) m_fontCharset = param; break;
    case Kw::Cpg: if (m_st.dest == Dest::FontTable) m_fontCpg = param; break;
    case Kw::Red: m_red = std::clamp(param, 0, 255); m_colorSet = true; break;
    case Kw::Green: m_green = std::clamp(param, 0, 255); m_colorSet = true; break;
    case Kw::Blue: m_blue = std::clamp(param, 0, 255); m_colorSet = true; break;

    case Kw::Plain:
        chr = CharProps();
        chr.font = m_deff;
        m_st.cp = codePageForFont(m_deff);
        break;
    case Kw::Fs: chr.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24; break;
    case Kw::Cf: chr.fg = std::clamp(param, 0, 65535); break;
    case Kw::Cb: case Kw::Highlight: chr.bg = std::clamp(param, 0, 65535); break;
    case Kw::B: flag(Bold, on); break;
    case Kw::I: flag(Italic, on); break;
    case Kw::Ul: flag(Underline, on); break;
    case Kw::UlNone: flag(Underline, false); break;
    case Kw::Strike: flag(Strike, on); break;
    case Kw::V: flag(Hidden, on); break;
    case Kw::Super: flag(Subscript, false); flag(Superscript, on); break;
    case Kw::Sub: flag(Superscript, false); flag(Subscript, on); break;
    case Kw::NoSuperSub: flag(Superscript | Subscript, false); break;
    case Kw::CharClass: m_st.dbch = info.ch == 1; break;
    case Kw::Af: if (m_st.dbch) chr.dbFont = param; break;
    case Kw::Afs: if (m_st.dbch) chr.dbHalfPoints = hasParam && param > 0 ? std::min(param, 3276) : 0; break;
    case Kw::Ab: case Kw::Ai:
        if (m_st.dbch) {
            const uint8_t bit = kw == Kw::Ab ? Bold : Italic;
            chr.dbMask |= bit;
            chr.dbFlags = on ? uint8_t(chr.dbFlags | bit) : uint8_t(chr.dbFlags & ~bit);
        }
        break;
    case Kw::Uc: m_st.uc = uint8_t(std::clamp(hasParam ? param : 1, 0, 16)); break;
    case Kw::U:
        if (hasParam) {
            const int v = param < 0 ? param + 65536 : param;
            if (const char16_t c = sanitizeChar(v >= 0 && v <= 0xFFFF ? char16_t(v) : char16_t(0xFFFD)))
                character(c);
            m_skip = m_st.uc;
        }
        break;

    case Kw::Pard: para = ParaProps(); break;
    case Kw::Par: case Kw::Sect: if (m_st.dest == Dest::Text) paragraphEnd(); break;
    case Kw::Line: character(0x2028); break;
    case Kw::Tab: character(u'\t'); break;
    case Kw::Ql: para.align = 0; break;
    case Kw::Qc: para.align = 1; break;
    case Kw::Qr: para.align = 2; break;
    case Kw::Qj: para.align = 3; break;
    case Kw::Li: para.li = twips; break;
    case Kw::Ri: para.ri = twips; break;
    case Kw::Fi: para.fi = twips; break;
    case Kw::Sb: para.sb = twips; break;
    case Kw::Sa: para.sa = twips; break;
    case Kw::Sl: para.sl = twips; break;
    case Kw::SlMult: para.slMult = on; break;

    case Kw::Intbl: para.inTable = true; break;
    case Kw::Itap:
        para.itap = std::clamp(param, 0, kMaxTableDepth);
        if (param <= 0)
            para.inTable = false;
        else if (param >= 2)
            para.inTable = true;
        break;
    case Kw::Cell: case Kw::NestCell: case Kw::Row: case Kw::NestRow: case Kw::Trowd:
    case Kw::Cellx: case Kw::Clmgf: case Kw::Clmrg: case Kw::Clvmgf: case Kw::Clvmrg:
    case Kw::BorderOn: case Kw::BorderOff: case Kw::Trgaph: case Kw::Trleft:
        tableWord(kw, param);
        break;

    case Kw::PnLvlBlt: case Kw::PnLvlBody: case Kw::PnLvlCont: case Kw::PnLvl: case Kw::PnDec:
    case Kw::PnUcLtr: case Kw::PnLcLtr: case Kw::PnUcRm: case Kw::PnLcRm: case Kw::PnStart:
    case Kw::Ls: case Kw::Ilvl: case Kw::ListId: case Kw::LevelNfc: case Kw::List:
    case Kw::ListLevel: case Kw::ListOverride:
        listWord(kw, hasParam, param);
        break;

    case Kw::PngBlip: case Kw::JpegBlip: case Kw::OtherPict: case Kw::PicW: case Kw::PicH:
    case Kw::PicWGoal: case Kw::PicHGoal: case Kw::PicScaleX: case Kw::PicScaleY: case Kw::Bin:
        pictureWord(kw, param);
        break;

    case Kw::Char: character(info.ch); break;
    }
}

void Reader::tableWord(Kw kw, int param)
{
    const int nested = std::max(2, m_st.para.itap);
    RowDef& def = m_out.rowDef(m_st.nestProps ? nested : 1);
    switch (kw) {
    case Kw::Cell: if (m_st.dest == Dest::Text) cellEnd(1); break;
    case Kw::NestCell: if (m_st.dest == Dest::Text) cellEnd(nested); break;
    case Kw::Row: if (m_st.dest == Dest::Text) rowEnd(1); break;
    case Kw::NestRow: if (m_st.dest == Dest::Text) rowEnd(nested); break;
    case Kw::Trowd:
        def.reset();
        def.fresh = true;
        m_inRowDef = true;
        break;
    case Kw::Cellx:
        if (def.cells.size() < 64) {
            CellDef cell = def.pending;
            // Right edges add up: only each cell's width is bounded (when the row is applied).
            cell.right = std::clamp(param, -64 * kMaxTwips, 64 * kMaxTwips);
            def.cells.push_back(cell);
        }
        def.pending = CellDef();
        break;
    case Kw::Clmgf: def.pending.hmerge = 1; break;
    case Kw::Clmrg: def.pending.hmerge = 2; break;
    case Kw::Clvmgf: def.pending.vmerge = 1; break;
    case Kw::Clvmrg: def.pending.vmerge = 2; break;
    case Kw::BorderOn: if (m_inRowDef) def.border = true; break;
    case Kw::Trgaph: def.gap = std::clamp(param, 0, 1440); break;
    case Kw::Trleft: def.left = std::clamp(param, -kMaxTwips, kMaxTwips); break;
    default: break;
    }
}

void Reader::listWord(Kw kw, bool hasParam, int param)
{
    ParaProps& p = m_st.para;
    const bool inPn = m_st.dest == Dest::Pn;
    auto pnStyle = [&](ListStyle s) {
        if (!inPn)
            return;
        p.pnStyle = s;
        p.pnLevel = std::max(p.pnLevel, 1);
    };
    switch (kw) {
    case Kw::PnLvlBlt: pnStyle(ListStyle::Bullet); break;
    case Kw::PnLvlBody:
        if (inPn && p.pnStyle == ListStyle::None)
            pnStyle(ListStyle::Decimal);
        break;
    case Kw::PnLvl:
        if (inPn) {
            p.pnLevel = std::clamp(param, 1, 9);
            if (p.pnStyle == ListStyle::None)
                p.pnStyle = ListStyle::Decimal;
        }
        break;
    case Kw::PnLvlCont:
        if (inPn) {
            p.pnCont = true;
            p.pnLevel = std::max(p.pnLevel, 1);
        }
        break;
    case Kw::PnDec: pnStyle(ListStyle::Decimal); break;
    case Kw::PnUcLtr: pnStyle(ListStyle::UpperAlpha); break;
    case Kw::PnLcLtr: pnStyle(ListStyle::LowerAlpha); break;
    case Kw::PnUcRm: pnStyle(ListStyle::UpperRoman); break;
    case Kw::PnLcRm: pnStyle(ListStyle::LowerRoman); break;
    case Kw::PnStart: if (inPn) p.pnStart = std::clamp(param, 0, 32767); break;
    case Kw::Ls:
        if (m_st.dest == Dest::ListOverrides)
            m_overrideLs = param;
        else
            p.ls = std::max(0, param);
        break;
    case Kw::Ilvl: p.ilvl = std::clamp(param, 0, 8); break;
    case Kw::ListId:
        if (m_st.dest == Dest::ListTable)
            m_listId = param;
        else if (m_st.dest == Dest::ListOverrides)
            m_overrideListId = param;
        break;
    case Kw::List:
        if (m_st.dest == Dest::ListTable) {
            m_st.listGroup = true;
            m_listLevels.clear();
            m_listId = 0;
        }
        break;
    case Kw::ListLevel:
        if (m_st.dest == Dest::ListTable && m_listLevels.size() < 9)
            m_listLevels.push_back(ListStyle::Decimal);
        break;
    case Kw::LevelNfc:
        if (m_st.dest == Dest::ListTable && !m_listLevels.empty() && hasParam)
            m_listLevels.back() = styleForNfc(param);
        break;
    case Kw::ListOverride:
        if (m_st.dest == Dest::ListOverrides) {
            m_st.overrideGroup = true;
            m_overrideLs = m_overrideListId = 0;
        }
        break;
    default: break;
    }
}

void Reader::pictureWord(Kw kw, int param)
{
    if (kw == Kw::Bin) {
        binary(param);
        return;
    }
    if (m_st.dest != Dest::Pict)
        return;
    const int v = std::clamp(param, 0, 1 << 20);
    switch (kw) {
    case Kw::PngBlip: m_pict.kind = Picture::Png; break;
    case Kw::JpegBlip: m_pict.kind = Picture::Jpeg; break;
    case Kw::OtherPict: // metafiles and device-dependent bitmaps: skip the data unread
        ++m_diag.skippedPictures;
        m_pict = Picture();
        m_pict.nibble = -2; // marks the picture as already reported
        skipGroup();
        break;
    case Kw::PicW: m_pict.picw = v; break;
    case Kw::PicH: m_pict.pich = v; break;
    case Kw::PicWGoal: m_pict.goalw = v; break;
    case Kw::PicHGoal: m_pict.goalh = v; break;
    case Kw::PicScaleX: m_pict.scalex = std::clamp(param, 1, 1000); break;
    case Kw::PicScaleY: m_pict.scaley = std::clamp(param, 1, 1000); break;
    default: break;
    }
}

void Reader::finishPicture()
{
    Picture pict = std::move(m_pict);
    m_pict = Picture();
    if (pict.nibble == -2)
        return;
    const QByteArray& d = pict.data;
    const bool png = d.startsWith("\x89PNG\r\n\x1a\n");
    const bool jpeg = d.startsWith("\xFF\xD8\xFF");
    if (pict.kind == Picture::Unknown && !png && !jpeg) {
        ++m_diag.skippedPictures;
        return;
    }
    // The header must give a size: data that no image reader can open stays out.
    QBuffer buffer(const_cast<QByteArray*>(&d));
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer, png ? "png" : "jpeg").size();
    if (!(png || jpeg) || !size.isValid() || size.isEmpty()) {
        ++m_diag.badPictures;
        return;
    }
    if (m_st.dest != Dest::Text || hidden())
        return;
    // Goal sizes are twips; \picw/\pich of a bitmap are pixels. A picture shown at its own
    // size keeps no explicit size, so the editor's image handling applies.
    auto shown = [](int goal, int natural, int scale) {
        if (goal > 0 && !(scale == 100 && std::abs(goal - natural * 15) <= 15))
            return goal / 15.0 * scale / 100.0;
        return scale != 100 && natural > 0 ? natural * scale / 100.0 : 0.0;
    };
    const double w = shown(pict.goalw, pict.picw, pict.scalex);
    const double h = shown(pict.goalh, pict.pich, pict.scaley);
    flushRun();
    m_out.insertImage(d, png, w, h, para());
}

void Reader::endDestination(State& popped)
{
    if (popped.listGroup)
        m_listDefs[m_listId] = m_listLevels;
    if (popped.overrideGroup)
        m_overrides[m_overrideLs] = m_overrideListId;
    if (popped.dest == m_st.dest && !popped.destOwner) {
        if (popped.dest == Dest::FontTable)
            finishFontEntry(); // {\f1 ... name} without the ';'
        return;
    }
    switch (popped.dest) {
    case Dest::FontTable:
        finishFontEntry();
        m_st.cp = codePageForFont(m_st.chr.font);
        break;
    case Dest::ListText:
        if (popped.destOwner) {
            flushAux(popped.cp);
            flushRun();
            m_out.setListText(m_aux, format(popped.chr));
            m_aux.clear();
        }
        break;
    case Dest::Pn:
        if (popped.destOwner) {
            m_st.para.pnStyle = popped.para.pnStyle;
            m_st.para.pnLevel = popped.para.pnLevel;
            m_st.para.pnStart = popped.para.pnStart;
            m_st.para.pnCont = popped.para.pnCont;
            m_st.para.pnFresh = true;
        }
        break;
    case Dest::Pict:
        if (popped.destOwner)
            finishPicture();
        break;
    default:
        break;
    }
}

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
        if (d != m_listDefs.end() && !d->second.empty())
            p.lsStyle = d->second[std::min(size_t(p.ilvl), d->second.size() - 1)];
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
    m_fonts[m_fontNum] = entry;
    m_formats.clear();
}

} // namespace rtf

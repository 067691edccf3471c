// SPDX-License-Identifier: MIT
// What each control word does to the reader's state and the document.
#include "RtfReader.h"

#include "RtfCodePage.h"

#include <algorithm>

namespace rtf {
namespace {

bool isDestinationWord(Kw kw)
{
    switch (kw) {
    case Kw::FontTable: case Kw::ColorTable: case Kw::SkipDest: case Kw::ListTable:
    case Kw::ListOverrideTable: case Kw::List: case Kw::ListLevel: case Kw::ListOverride:
    case Kw::ListText: case Kw::Pn: case Kw::PnTxtA: case Kw::PnTxtB: case Kw::LevelText: case Kw::Pict:
    case Kw::NestTableProps: case Kw::TextDest: case Kw::FldInst: case Kw::Shape: case Kw::KeptGroup:
    case Kw::Footnote:
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
    if (m_st.dest == Dest::ListText && !m_auxBytes.empty() && (kw == Kw::F || kw == Kw::Plain))
        flushAux(m_st.cp); // bytes so far belong to the font before the change

    if (headerWord(kw, hasParam, param) || destinationWord(info) || fontAndColorWord(kw, param)
        || characterWord(info, hasParam, param) || paragraphWord(kw, hasParam, param))
        return;
    switch (kw) {
    case Kw::Cell: case Kw::NestCell: case Kw::Row: case Kw::NestRow: case Kw::Trowd:
    case Kw::Cellx: case Kw::Clmgf: case Kw::Clmrg: case Kw::Clvmgf: case Kw::Clvmrg:
    case Kw::BorderOn: case Kw::BorderOff: case Kw::Trgaph: case Kw::Trleft:
    case Kw::BorderOf: case Kw::Brdrw: case Kw::Brdrcf: case Kw::Clcbpat: case Kw::Clcfpat: case Kw::Clshdng:
        tableWord(info, param);
        break;

    case Kw::PnLvlBlt: case Kw::PnLvlBody: case Kw::PnLvlCont: case Kw::PnLvl: case Kw::PnDec:
    case Kw::PnUcLtr: case Kw::PnLcLtr: case Kw::PnUcRm: case Kw::PnLcRm: case Kw::PnStart:
    case Kw::Ls: case Kw::Ilvl: case Kw::ListId: case Kw::LevelNfc: case Kw::LevelStartAt: case Kw::List:
    case Kw::ListLevel: case Kw::ListOverride:
        listWord(kw, hasParam, param);
        break;

    case Kw::PngBlip: case Kw::JpegBlip: case Kw::OtherPict: case Kw::PictExtra: case Kw::PicW: case Kw::PicH:
    case Kw::PicWGoal: case Kw::PicHGoal: case Kw::PicScaleX: case Kw::PicScaleY: case Kw::Bin:
        pictureWord(info, hasParam, param);
        break;

    case Kw::Char: character(info.ch); break;
    default: break; // Kw::Unknown
    }
}

// The document's character set and default font.
bool Reader::headerWord(Kw kw, bool hasParam, int param)
{
    switch (kw) {
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
        m_st.chr.font = param;
        m_st.cp = codePageForFont(param);
        break;
    default: return false;
    }
    return true;
}

// Words that open a destination, or skip or keep a group whole.
bool Reader::destinationWord(KwInfo info)
{
    const Kw kw = info.kw;
    switch (kw) {
    case Kw::FontTable: setDest(Dest::FontTable); m_fontOpen = false; break;
    case Kw::ColorTable:
        setDest(Dest::ColorTable);
        m_colors.clear();
        m_red = m_green = m_blue = 0;
        m_colorSet = false;
        break;
    case Kw::SkipDest: skipGroup(); break;
    case Kw::PnTxtA: case Kw::PnTxtB:
        if (m_st.dest != Dest::Pn) {
            skipGroup();
            break;
        }
        setDest(Dest::PnText);
        m_st.pnAfter = kw == Kw::PnTxtA;
        m_aux.clear();
        m_auxBytes.clear();
        break;
    case Kw::LevelText:
        if (m_st.dest != Dest::ListTable || m_listLevels.empty()) {
            skipGroup();
            break;
        }
        setDest(Dest::LevelText);
        m_aux.clear();
        m_auxBytes.clear();
        break;
    case Kw::ListTable: setDest(Dest::ListTable); break;
    case Kw::ListOverrideTable: setDest(Dest::ListOverrides); break;
    case Kw::ListText: case Kw::FldInst:
        setDest(kw == Kw::ListText ? Dest::ListText : Dest::FldInst);
        m_aux.clear();
        m_auxBytes.clear();
        break;
    case Kw::Pn: {
        ParaProps& para = m_st.para;
        setDest(Dest::Pn);
        para.pnStyle = ListStyle::None;
        para.pnLevel = 0;
        para.pnStart = 0;
        para.pnPrefix = para.pnSuffix = Affix();
        para.pnCont = false;
        break;
    }
    case Kw::Pict: setDest(Dest::Pict); m_pict = Picture(); break;
    case Kw::NestTableProps: m_st.nestProps = true; break;
    case Kw::TextDest: break;
    case Kw::Shape: shapeWord(info.ch); break;
    case Kw::KeptGroup: keptGroupWord(info.ch); break;
    case Kw::Footnote: footnoteWord(); break;
    case Kw::Chftn:
        if (m_st.dest == Dest::Text && !hidden()) {
            flushRun();
            m_out.insertFootnoteMark(QString::number(++m_footnotes), format(m_st.chr), this->para());
        }
        break;
    default: return false;
    }
    return true;
}

// Headers and footers are not shown: their RTF is kept whole, to be written back.
void Reader::keptGroupWord(int which)
{
    static const char* const names[] = {"header", "headerl", "headerr", "headerf",
                                        "footer", "footerl", "footerr", "footerf"};
    const char* from = m_p;
    const size_t depth = m_stack.size();
    const bool kept = m_overflow == 0;
    skipGroup();
    // Only a group that ends, and without binary data (its length would not survive).
    if (kept && m_stack.size() < depth && size_t(which) < std::size(names)
        && !QByteArrayView(from, m_p - from).contains("\\bin"))
        m_out.keepGroup(QByteArray("{\\") + names[which] + ' ' + keptGroup(QByteArrayView(from, m_p - from)));
}

// Not shown: the group is kept whole on its mark, to be written back. One without a mark
// gets one (office suites number such a footnote too).
void Reader::footnoteWord()
{
    if (m_st.dest != Dest::Text || hidden() || m_overflow > 0) {
        skipGroup();
        return;
    }
    flushRun();
    const char* from = m_p;
    const size_t depth = m_stack.size();
    skipGroup();
    if (m_stack.size() >= depth || QByteArrayView(from, m_p - from).contains("\\bin"))
        return; // cut off, or binary data whose length would not survive
    const QByteArray group = QByteArray("{\\*\\footnote ") + keptGroup(QByteArrayView(from, m_p - from));
    if (!m_out.attachFootnote(group)) {
        m_out.insertFootnoteMark(QString::number(++m_footnotes), format(m_st.chr), this->para());
        m_out.attachFootnote(group);
    }
}

// Entries of the font and colour tables; \f elsewhere chooses the font.
bool Reader::fontAndColorWord(Kw kw, int param)
{
    switch (kw) {
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
            m_st.chr.font = param;
            m_st.cp = codePageForFont(param);
        }
        break;
    case Kw::FCharset: if (m_st.dest == Dest::FontTable) m_fontCharset = param; break;
    case Kw::Cpg: if (m_st.dest == Dest::FontTable) m_fontCpg = param; break;
    case Kw::Red: m_red = std::clamp(param, 0, 255); m_colorSet = true; break;
    case Kw::Green: m_green = std::clamp(param, 0, 255); m_colorSet = true; break;
    case Kw::Blue: m_blue = std::clamp(param, 0, 255); m_colorSet = true; break;
    default: return false;
    }
    return true;
}

// Character formatting, and \u.
bool Reader::characterWord(KwInfo info, bool hasParam, int param)
{
    CharProps& chr = m_st.chr;
    const bool on = !hasParam || param != 0;
    auto flag = [&](uint8_t bit, bool set) {
        chr.flags = set ? uint8_t(chr.flags | bit) : uint8_t(chr.flags & ~bit);
    };
    switch (info.kw) {
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
            const uint8_t bit = info.kw == Kw::Ab ? Bold : Italic;
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
    default: return false;
    }
    return true;
}

// Paragraph formatting and breaks, and whether the paragraph sits in a table.
bool Reader::paragraphWord(Kw kw, bool hasParam, int param)
{
    ParaProps& para = m_st.para;
    const int twips = std::clamp(param, -kMaxTwips, kMaxTwips);
    switch (kw) {
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
    case Kw::SlMult: para.slMult = !hasParam || param != 0; break;
    case Kw::Intbl: para.inTable = true; break;
    case Kw::Itap:
        para.itap = std::clamp(param, 0, kMaxTableDepth);
        if (param <= 0)
            para.inTable = false;
        else if (param >= 2)
            para.inTable = true;
        break;
    default: return false;
    }
    return true;
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
            m_st.para.pnPrefix = popped.para.pnPrefix;
            m_st.para.pnSuffix = popped.para.pnSuffix;
            m_st.para.pnCont = popped.para.pnCont;
            m_st.para.pnFresh = true;
        }
        break;
    case Dest::PnText:
        if (popped.destOwner) {
            flushAux(popped.cp, false);
            Affix a;
            a.given = true;
            for (QChar ch : std::as_const(m_aux)) {
                if (a.size < 3 && ch.unicode() >= 0x20)
                    a.c[a.size++] = ch.unicode();
            }
            (popped.pnAfter ? m_st.para.pnSuffix : m_st.para.pnPrefix) = a;
            m_aux.clear();
        }
        break;
    case Dest::FldInst:
        if (popped.destOwner) {
            flushAux(popped.cp, false);
            finishFieldInstruction();
        }
        break;
    case Dest::LevelText:
        if (popped.destOwner) {
            flushAux(popped.cp, false);
            finishLevelText();
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

} // namespace rtf

// SPDX-License-Identifier: MIT
#include "RtfKeywords.h"

#include <array>
#include <cstring>

namespace rtf {
namespace {

struct Entry {
    const char* word;
    Kw kw;
    char16_t ch;
};

const Entry kEntries[] = {
    {"ansi", Kw::Ansi, 0}, {"mac", Kw::Mac, 0}, {"pc", Kw::Pc, 0}, {"pca", Kw::Pca, 0},
    {"ansicpg", Kw::AnsiCpg, 0}, {"deff", Kw::Deff, 0},

    {"fonttbl", Kw::FontTable, 0}, {"colortbl", Kw::ColorTable, 0},
    {"listtable", Kw::ListTable, 0}, {"listoverridetable", Kw::ListOverrideTable, 0},
    {"list", Kw::List, 0}, {"listlevel", Kw::ListLevel, 0}, {"listoverride", Kw::ListOverride, 0},
    {"listtext", Kw::ListText, 0}, {"pntext", Kw::ListText, 0}, {"pn", Kw::Pn, 0},
    {"pntxta", Kw::PnTxtA, 0}, {"pntxtb", Kw::PnTxtB, 0}, {"pict", Kw::Pict, 0},
    {"nesttableprops", Kw::NestTableProps, 0},
    {"field", Kw::TextDest, 0}, {"fldrslt", Kw::TextDest, 0}, {"shppict", Kw::Shape, 1},
    {"shprslt", Kw::Shape, 2}, {"shp", Kw::Shape, 3}, {"shpinst", Kw::Shape, 4}, {"sp", Kw::Shape, 5},
    {"sv", Kw::Shape, 6}, {"object", Kw::TextDest, 0}, {"result", Kw::TextDest, 0},

    // Destinations whose content is not document text.
    {"info", Kw::SkipDest, 0}, {"stylesheet", Kw::SkipDest, 0}, {"header", Kw::KeptGroup, 0},
    {"headerl", Kw::KeptGroup, 1}, {"headerr", Kw::KeptGroup, 2}, {"headerf", Kw::KeptGroup, 3},
    {"footer", Kw::KeptGroup, 4}, {"footerl", Kw::KeptGroup, 5}, {"footerr", Kw::KeptGroup, 6},
    {"footerf", Kw::KeptGroup, 7}, {"footnote", Kw::Footnote, 0}, {"chftn", Kw::Chftn, 0}, {"annotation", Kw::SkipDest, 0},
    {"atnid", Kw::SkipDest, 0}, {"atnauthor", Kw::SkipDest, 0}, {"filetbl", Kw::SkipDest, 0},
    {"revtbl", Kw::SkipDest, 0}, {"rsidtbl", Kw::SkipDest, 0}, {"xmlnstbl", Kw::SkipDest, 0},
    {"pgdsctbl", Kw::SkipDest, 0}, {"nonesttables", Kw::SkipDest, 0},
    {"nonshppict", Kw::Shape, 0}, {"fldinst", Kw::FldInst, 0}, {"txe", Kw::SkipDest, 0},
    {"xe", Kw::SkipDest, 0}, {"tc", Kw::SkipDest, 0}, {"template", Kw::SkipDest, 0},
    {"comment", Kw::SkipDest, 0}, {"private", Kw::SkipDest, 0}, {"leveltext", Kw::LevelText, 0},
    {"levelnumbers", Kw::SkipDest, 0}, {"objdata", Kw::SkipDest, 0},
    {"objclass", Kw::SkipDest, 0}, {"themedata", Kw::SkipDest, 0},
    {"colorschememapping", Kw::SkipDest, 0}, {"datastore", Kw::SkipDest, 0},
    {"latentstyles", Kw::SkipDest, 0}, {"generator", Kw::SkipDest, 0},
    {"bkmkstart", Kw::SkipDest, 0}, {"bkmkend", Kw::SkipDest, 0}, {"fchars", Kw::SkipDest, 0},
    {"lchars", Kw::SkipDest, 0}, {"pnseclvl", Kw::SkipDest, 0}, {"listpicture", Kw::SkipDest, 0},
    {"docvar", Kw::SkipDest, 0}, {"ftnsep", Kw::SkipDest, 0}, {"ftnsepc", Kw::SkipDest, 0},
    {"ftncn", Kw::SkipDest, 0}, {"aftnsep", Kw::SkipDest, 0}, {"aftnsepc", Kw::SkipDest, 0},
    {"aftncn", Kw::SkipDest, 0}, {"keywords", Kw::SkipDest, 0}, {"doccomm", Kw::SkipDest, 0},
    {"title", Kw::SkipDest, 0}, {"subject", Kw::SkipDest, 0}, {"author", Kw::SkipDest, 0},
    {"operator", Kw::SkipDest, 0}, {"company", Kw::SkipDest, 0}, {"userprops", Kw::SkipDest, 0},
    {"background", Kw::SkipDest, 0}, {"falt", Kw::SkipDest, 0}, {"panose", Kw::SkipDest, 0},
    {"protusertbl", Kw::SkipDest, 0}, {"mmathPr", Kw::SkipDest, 0},

    {"f", Kw::F, 0}, {"fcharset", Kw::FCharset, 0}, {"cpg", Kw::Cpg, 0},
    {"red", Kw::Red, 0}, {"green", Kw::Green, 0}, {"blue", Kw::Blue, 0},

    {"plain", Kw::Plain, 0}, {"fs", Kw::Fs, 0}, {"cf", Kw::Cf, 0}, {"cb", Kw::Cb, 0},
    {"chcbpat", Kw::Cb, 0}, {"highlight", Kw::Highlight, 0}, {"b", Kw::B, 0}, {"i", Kw::I, 0},
    {"ul", Kw::Ul, 0}, {"uld", Kw::Ul, 0}, {"uldash", Kw::Ul, 0}, {"uldashd", Kw::Ul, 0},
    {"uldashdd", Kw::Ul, 0}, {"uldb", Kw::Ul, 0}, {"ulhwave", Kw::Ul, 0}, {"ulldash", Kw::Ul, 0},
    {"ulth", Kw::Ul, 0}, {"ulthd", Kw::Ul, 0}, {"ulthdash", Kw::Ul, 0}, {"ulthdashd", Kw::Ul, 0},
    {"ulthdashdd", Kw::Ul, 0}, {"ulthldash", Kw::Ul, 0}, {"ululdbwave", Kw::Ul, 0},
    {"ulw", Kw::Ul, 0}, {"ulwave", Kw::Ul, 0}, {"ulnone", Kw::UlNone, 0},
    {"strike", Kw::Strike, 0}, {"striked", Kw::Strike, 0}, {"v", Kw::V, 0},
    {"super", Kw::Super, 0}, {"sub", Kw::Sub, 0}, {"nosupersub", Kw::NoSuperSub, 0},
    {"uc", Kw::Uc, 0}, {"u", Kw::U, 0},
    {"loch", Kw::CharClass, 0}, {"hich", Kw::CharClass, 0}, {"dbch", Kw::CharClass, 1},
    {"rtlch", Kw::CharClass, 0}, {"ltrch", Kw::CharClass, 0}, {"af", Kw::Af, 0}, {"afs", Kw::Afs, 0},
    {"ab", Kw::Ab, 0}, {"ai", Kw::Ai, 0},

    {"pard", Kw::Pard, 0}, {"par", Kw::Par, 0}, {"sect", Kw::Sect, 0}, {"line", Kw::Line, 0},
    {"tab", Kw::Tab, 0}, {"ql", Kw::Ql, 0}, {"qr", Kw::Qr, 0}, {"qc", Kw::Qc, 0},
    {"qj", Kw::Qj, 0}, {"qd", Kw::Qj, 0}, {"li", Kw::Li, 0}, {"lin", Kw::Li, 0},
    {"ri", Kw::Ri, 0}, {"rin", Kw::Ri, 0}, {"fi", Kw::Fi, 0}, {"sb", Kw::Sb, 0},
    {"sa", Kw::Sa, 0}, {"sl", Kw::Sl, 0}, {"slmult", Kw::SlMult, 0},

    {"intbl", Kw::Intbl, 0}, {"itap", Kw::Itap, 0}, {"cell", Kw::Cell, 0},
    {"nestcell", Kw::NestCell, 0}, {"row", Kw::Row, 0}, {"nestrow", Kw::NestRow, 0},
    {"trowd", Kw::Trowd, 0}, {"cellx", Kw::Cellx, 0}, {"clmgf", Kw::Clmgf, 0},
    {"clmrg", Kw::Clmrg, 0}, {"clvmgf", Kw::Clvmgf, 0}, {"clvmrg", Kw::Clvmrg, 0},
    // Border styles as the nearest of Qt's: 1 dotted, 2 dashed, 3 solid, 4 double, 5 dot-dash,
    // 6 dot-dot-dash, 7 groove, 8 ridge, 9 inset, 10 outset.
    {"brdrs", Kw::BorderOn, 3}, {"brdrth", Kw::BorderOn, 0x103}, {"brdrdb", Kw::BorderOn, 4},
    {"brdrsh", Kw::BorderOn, 3}, {"brdrdot", Kw::BorderOn, 1}, {"brdrdash", Kw::BorderOn, 2},
    {"brdrhair", Kw::BorderOn, 3}, {"brdrdashsm", Kw::BorderOn, 2}, {"brdrdashd", Kw::BorderOn, 5},
    {"brdrdashdd", Kw::BorderOn, 6}, {"brdrdashdotstr", Kw::BorderOn, 5}, {"brdrtriple", Kw::BorderOn, 4},
    {"brdrtnthsg", Kw::BorderOn, 4}, {"brdrthtnsg", Kw::BorderOn, 4}, {"brdrtnthtnsg", Kw::BorderOn, 4},
    {"brdrtnthmg", Kw::BorderOn, 4}, {"brdrthtnmg", Kw::BorderOn, 4}, {"brdrtnthtnmg", Kw::BorderOn, 4},
    {"brdrtnthlg", Kw::BorderOn, 4}, {"brdrthtnlg", Kw::BorderOn, 4}, {"brdrtnthtnlg", Kw::BorderOn, 4},
    {"brdrwavy", Kw::BorderOn, 3}, {"brdrwavydb", Kw::BorderOn, 4}, {"brdremboss", Kw::BorderOn, 8},
    {"brdrengrave", Kw::BorderOn, 7}, {"brdroutset", Kw::BorderOn, 10}, {"brdrinset", Kw::BorderOn, 9},
    {"brdrframe", Kw::BorderOn, 3}, {"brdrnone", Kw::BorderOff, 0}, {"brdrnil", Kw::BorderOff, 0},
    {"brdrtbl", Kw::BorderOff, 0}, {"brdrw", Kw::Brdrw, 0}, {"brdrcf", Kw::Brdrcf, 0},
    {"clbrdrt", Kw::BorderOf, 0}, {"clbrdrb", Kw::BorderOf, 1}, {"clbrdrl", Kw::BorderOf, 2},
    {"clbrdrr", Kw::BorderOf, 3}, {"trbrdrt", Kw::BorderOf, 4}, {"trbrdrb", Kw::BorderOf, 4},
    {"trbrdrl", Kw::BorderOf, 4}, {"trbrdrr", Kw::BorderOf, 4}, {"trbrdrh", Kw::BorderOf, 4},
    {"trbrdrv", Kw::BorderOf, 4}, {"brdrt", Kw::BorderOf, 5}, {"brdrb", Kw::BorderOf, 5},
    {"brdrl", Kw::BorderOf, 5}, {"brdrr", Kw::BorderOf, 5}, {"brdrbtw", Kw::BorderOf, 5},
    {"brdrbar", Kw::BorderOf, 5}, {"box", Kw::BorderOf, 5}, {"chbrdr", Kw::BorderOf, 5},
    {"cldglu", Kw::BorderOf, 5}, {"cldgll", Kw::BorderOf, 5},
    {"clcbpat", Kw::Clcbpat, 0}, {"clcbpatraw", Kw::Clcbpat, 0}, {"clcfpat", Kw::Clcfpat, 0},
    {"clcfpatraw", Kw::Clcfpat, 0}, {"clshdng", Kw::Clshdng, 0}, {"clshdngraw", Kw::Clshdng, 0},
    {"trgaph", Kw::Trgaph, 0}, {"trleft", Kw::Trleft, 0},

    {"pnlvlblt", Kw::PnLvlBlt, 0}, {"pnlvlbody", Kw::PnLvlBody, 0}, {"pnlvlcont", Kw::PnLvlCont, 0},
    {"pnlvl", Kw::PnLvl, 0}, {"pndec", Kw::PnDec, 0}, {"pnucltr", Kw::PnUcLtr, 0},
    {"pnlcltr", Kw::PnLcLtr, 0}, {"pnucrm", Kw::PnUcRm, 0}, {"pnlcrm", Kw::PnLcRm, 0},
    {"pnstart", Kw::PnStart, 0}, {"ls", Kw::Ls, 0}, {"ilvl", Kw::Ilvl, 0},
    {"listid", Kw::ListId, 0}, {"levelnfc", Kw::LevelNfc, 0}, {"levelnfcn", Kw::LevelNfc, 0},
    {"levelstartat", Kw::LevelStartAt, 0},

    {"pngblip", Kw::PngBlip, 0}, {"jpegblip", Kw::JpegBlip, 0}, {"wmetafile", Kw::OtherPict, 3},
    {"emfblip", Kw::OtherPict, 4}, {"dibitmap", Kw::OtherPict, 5}, {"wbitmap", Kw::OtherPict, 6},
    {"macpict", Kw::OtherPict, 7}, {"pmmetafile", Kw::OtherPict, 8},
    {"picbmp", Kw::PictExtra, 0}, {"picbpp", Kw::PictExtra, 1}, {"wbmbitspixel", Kw::PictExtra, 2},
    {"wbmplanes", Kw::PictExtra, 3}, {"wbmwidthbytes", Kw::PictExtra, 4}, {"picw", Kw::PicW, 0},
    {"pich", Kw::PicH, 0}, {"picwgoal", Kw::PicWGoal, 0}, {"pichgoal", Kw::PicHGoal, 0},
    {"picscalex", Kw::PicScaleX, 0}, {"picscaley", Kw::PicScaleY, 0}, {"bin", Kw::Bin, 0},

    {"emdash", Kw::Char, 0x2014}, {"endash", Kw::Char, 0x2013}, {"bullet", Kw::Char, 0x2022},
    {"lquote", Kw::Char, 0x2018}, {"rquote", Kw::Char, 0x2019}, {"ldblquote", Kw::Char, 0x201C},
    {"rdblquote", Kw::Char, 0x201D}, {"emspace", Kw::Char, 0x2003}, {"enspace", Kw::Char, 0x2002},
    {"qmspace", Kw::Char, 0x2005}, {"zwj", Kw::Char, 0x200D}, {"zwnj", Kw::Char, 0x200C},
    {"ltrmark", Kw::Char, 0x200E}, {"rtlmark", Kw::Char, 0x200F}, {"zwbo", Kw::Char, 0x200B},
    {"zwnbo", Kw::Char, 0x2060},
};

constexpr size_t kSlots = 1024; // power of two, well above twice the number of entries

uint32_t hashWord(std::string_view w)
{
    uint32_t h = 2166136261u;
    for (char c : w)
        h = (h ^ uint8_t(c)) * 16777619u;
    return h;
}

struct Table {
    std::array<const Entry*, kSlots> slots{};
    Table()
    {
        for (const Entry& e : kEntries) {
            size_t i = hashWord(e.word) & (kSlots - 1);
            while (slots[i])
                i = (i + 1) & (kSlots - 1);
            slots[i] = &e;
        }
    }
};

} // namespace

KwInfo lookupKeyword(std::string_view word)
{
    static const Table table;
    size_t i = hashWord(word) & (kSlots - 1);
    while (const Entry* e = table.slots[i]) {
        if (word.size() == std::strlen(e->word) && std::memcmp(word.data(), e->word, word.size()) == 0)
            return {e->kw, e->ch};
        i = (i + 1) & (kSlots - 1);
    }
    return {};
}

} // namespace rtf

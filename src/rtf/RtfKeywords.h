// SPDX-License-Identifier: MIT
// The RTF control words the reader acts on. Everything else is an unknown word: ignored, or
// (after \*) the start of a destination that is skipped whole.
#pragma once
#include <cstdint>
#include <string_view>

namespace rtf {

enum class Kw : uint8_t {
    Unknown,
    // header
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff,
    // destinations
    FontTable, ColorTable, SkipDest, ListTable, ListOverrideTable, List, ListLevel, ListOverride,
    ListText, Pn, PnTxtA, PnTxtB, LevelText, Pict, NestTableProps, FldInst,
    // shapes and the two forms Word writes a picture in; ch: 0 \nonshppict, 1 \shppict,
    // 2 \shprslt, 3 \shp, 4 \shpinst, 5 \sp, 6 \sv
    Shape,
    // headers and footers, kept whole (ch: which of them); footnotes and their marks
    KeptGroup, Footnote, Chftn,
    // destinations whose text is document text: known so that \* does not skip them
    TextDest,
    // font and colour tables
    F, FCharset, Cpg, Red, Green, Blue,
    // character formatting
    Plain, Fs, Cf, Cb, Highlight, B, I, Ul, UlNone, Strike, V, Super, Sub, NoSuperSub, Uc, U,
    CharClass, Af, Afs, Ab, Ai,
    // paragraphs
    Pard, Par, Sect, Line, Tab, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa, Sl, SlMult,
    // tables
    Intbl, Itap, Cell, NestCell, Row, NestRow, Trowd, Cellx, Clmgf, Clmrg, Clvmgf, Clvmrg,
    BorderOn, BorderOff, Trgaph, Trleft,
    // what the border words that follow describe (ch: a CellSide; 4 the row; 5 anything else)
    BorderOf, Brdrw, Brdrcf, Clcbpat, Clcfpat, Clshdng,
    // lists, old (\pn) and new (\ls) forms
    PnLvlBlt, PnLvlBody, PnLvlCont, PnLvl, PnDec, PnUcLtr, PnLcLtr, PnUcRm, PnLcRm, PnStart,
    Ls, Ilvl, ListId, LevelNfc, LevelStartAt,
    // pictures
    PngBlip, JpegBlip, OtherPict, PictExtra, PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY, Bin,
    // a character (the table gives it)
    Char,
};

struct KwInfo {
    Kw kw = Kw::Unknown;
    char16_t ch = 0; // for Kw::Char; for Kw::CharClass 1 = \dbch, 0 = any other; the kind of
                     // Kw::OtherPict and the word of Kw::PictExtra; for Kw::BorderOn the
                     // QTextFrameFormat::BorderStyle, plus 0x100 for a double-width line
};

KwInfo lookupKeyword(std::string_view word);

} // namespace rtf

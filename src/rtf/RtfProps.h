// SPDX-License-Identifier: MIT
// The character, paragraph and table-row state that RTF control words set while reading.
// Units are RTF's: twips for lengths, half-points for font sizes, table indexes for fonts
// and colours.
#pragma once
#include <cstdint>
#include <vector>

namespace rtf {

enum CharFlag : uint8_t {
    Bold = 1,
    Italic = 2,
    Underline = 4,
    Strike = 8,
    Hidden = 16,
    Superscript = 32,
    Subscript = 64,
};

struct CharProps {
    int font = -1;       // \f number, -1 when the document names none
    int halfPoints = 24; // \fs
    int fg = 0;          // \cf index, 0 = automatic
    int bg = 0;          // \highlight / \cb index, 0 = none
    uint8_t flags = 0;   // CharFlag bits
    int link = 0;        // 1 + index of the hyperlink target the text belongs to, 0 for none
    // Associated properties given under \dbch (\af, \afs, \ab, \ai): how LibreOffice and
    // Word format double-byte (CJK) text apart from the rest of a run.
    int dbFont = -1;
    int dbHalfPoints = 0;
    uint8_t dbMask = 0;  // which CharFlag bits dbFlags overrides
    uint8_t dbFlags = 0;
    bool operator==(const CharProps&) const = default;
    bool hasDoubleByteFormat() const { return dbFont >= 0 || dbHalfPoints > 0 || dbMask; }
    // The properties double-byte characters of this run get.
    CharProps doubleByte() const
    {
        CharProps p = *this;
        if (dbFont >= 0)
            p.font = dbFont;
        if (dbHalfPoints > 0)
            p.halfPoints = dbHalfPoints;
        p.flags = uint8_t((flags & ~dbMask) | (dbFlags & dbMask));
        p.dbFont = -1;
        p.dbHalfPoints = 0;
        p.dbMask = p.dbFlags = 0;
        return p;
    }
};

enum class ListStyle : uint8_t { None, Bullet, Decimal, UpperAlpha, LowerAlpha, UpperRoman, LowerRoman };

// Text before or after a list number ("(", ")", "."): up to three characters are kept.
struct Affix {
    char16_t c[3] = {};
    uint8_t size = 0;
    bool given = false;
    bool operator==(const Affix&) const = default;
};

// How one level of a list-table list numbers its items.
struct ListLevelDef {
    ListStyle style = ListStyle::Decimal;
    int start = 1;
    Affix prefix, suffix;
};

struct ParaProps {
    uint8_t align = 0; // 0 left, 1 centre, 2 right, 3 justified
    bool inTable = false;
    int itap = 1;      // table nesting level of a paragraph in a table
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0, sl = 0;
    bool slMult = false;
    // Old-style numbering from {\*\pn ...}: level 0 means none.
    ListStyle pnStyle = ListStyle::None;
    int pnLevel = 0;
    int pnStart = 0;      // \pnstart, 0 when not given
    Affix pnPrefix, pnSuffix; // {\pntxtb ...}, {\pntxta ...}
    bool pnCont = false;
    bool pnFresh = false; // a {\*\pn} group was given for this paragraph, not inherited
    // List-table numbering: \ls index (0 = none), \ilvl, and the style the list table gives.
    int ls = 0;
    int ilvl = 0;
    ListStyle lsStyle = ListStyle::None;
    int lsStart = 1;
    Affix lsPrefix, lsSuffix;

    bool operator==(const ParaProps&) const = default;
    bool isListItem() const { return ls > 0 ? lsStyle != ListStyle::None : pnLevel > 0 && !pnCont; }
};

// One side of a cell's border (\clbrdrt ... \brdrs\brdrwN\brdrcfN). Colours are resolved
// from the colour table when read: 0 is automatic, else 0xFFrrggbb.
struct BorderSide {
    int8_t style = -1;  // QTextFrameFormat::BorderStyle, -1 when the side was not given
    bool thick = false; // \brdrth: twice the width
    int width = 0;      // \brdrw, twips; 0 when not given
    uint32_t color = 0; // \brdrcf
    bool operator==(const BorderSide&) const = default;
};

enum CellSide : uint8_t { SideTop, SideBottom, SideLeft, SideRight }; // Qt's order of the sides

struct CellDef {
    int right = 0;      // \cellx
    uint8_t hmerge = 0; // 1 = \clmgf (first), 2 = \clmrg (merged into the previous)
    uint8_t vmerge = 0; // 1 = \clvmgf, 2 = \clvmrg
    BorderSide sides[4];
    // Shading: the background and pattern colours (0 automatic, else 0xFFrrggbb) and how much
    // of the pattern colour is mixed in, in hundredths of a percent.
    uint32_t shadeBack = 0, shadeFore = 0;
    int shading = 0;
    bool hasSides() const
    {
        return sides[0].style >= 0 || sides[1].style >= 0 || sides[2].style >= 0 || sides[3].style >= 0;
    }
    bool hasShading() const { return shadeBack != 0 || shading > 0; }
};

struct RowDef {
    std::vector<CellDef> cells;
    CellDef pending; // merge flags seen before the next \cellx
    int left = 0;    // \trleft
    int gap = -1;    // \trgaph, -1 when not given
    bool border = false;
    bool fresh = false; // given (\trowd) for the row now being read, not left from an earlier row
    void reset() { *this = RowDef(); }
    // Every cell with the same thin, single, automatic-colour border on all four sides, or no
    // cell with borders of its own: the table's own border shows them (a grid, or nothing).
    bool plainCellBorders() const
    {
        bool any = false;
        for (const CellDef& c : cells)
            any = any || c.hasSides();
        if (!any)
            return true;
        for (const CellDef& c : cells) {
            for (const BorderSide& s : c.sides) {
                if (s.style != 3 /* solid */ || s.thick || s.color != 0 || s.width > 20)
                    return false;
            }
        }
        return true;
    }
    bool showsGrid() const { return border && plainCellBorders(); }
};

constexpr int kMaxTableDepth = 16;
constexpr double kTwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch
constexpr int kMaxTwips = 31680;        // 22 inches: a longer length is garbage

} // namespace rtf

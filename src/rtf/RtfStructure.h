// SPDX-License-Identifier: MIT
// The paragraphs and tables of a QTextDocument frame or table cell, in order, as the writer
// and the plain-text export see them.
#pragma once
#include <QTextBlock>
#include <QTextFrame>
#include <functional>
#include <vector>

class QImage;
class QTextListFormat;
class QTextTable;

namespace rtf {

struct FrameItem {
    QTextBlock block;           // valid for a paragraph
    QTextTable* table = nullptr; // set for a table
};

// QTextDocument keeps an empty paragraph before a table that starts a frame or cell, and one
// after a table that ends a frame or cell; they are structure, not text (unless they are
// list items). The first is always
// left out, the last when dropEmptyLast is set: the writer keeps it in a cell, where it
// carries the cell's end mark. Frames other than tables are flattened into their content.
std::vector<FrameItem> frameItems(QTextFrame::iterator it, bool dropEmptyLast);

// The number of a list's first item. Qt 6.4 has no such property and numbers every list
// from 1, so the reader keeps a start number other than 1 under the property id later Qt
// versions give it (QTextListFormat::start), and the writer and listItemLabel honour it.
constexpr int kListStartProperty = 0x3004;
int listStart(const QTextListFormat& format);
// The marker a list item shows, as RTF readers print it: "7)", "(iv)", or U+2022 for a
// bullet. Empty for a paragraph that is no list item.
QString listItemLabel(const QTextBlock& block);
// The same for the item with index `item` (0 for the first) of a list of that format.
QString listItemLabel(const QTextListFormat& format, int item);
// The number n in a list style: 7, g, G, vii, VII.
QString listNumberText(int style, int n);

// Pictures Qt cannot draw (metafiles, device-dependent bitmaps) and pictures of any kind keep
// what RTF said of them on their QTextImageFormat: kPictureWords holds the control words that
// describe the data ("\wmetafile8\picw2540\pich1270", empty for PNG and JPEG), and then the
// resource named by the format is what is shown while "<name>#data" holds the original bytes.
// kPictureGoal holds "goalw goalh width height": the \picwgoal and \pichgoal read (twips)
// and the size in pixels they gave, so an unchanged picture is written with its own goals.
// Headers and footers (\\header, \\footerf, ...) are not shown; each group is kept whole, as
// 7-bit RTF text, in a QStringList held by the QTextDocument's dynamic property of this
// name, and written back after the document's tables. Pasting adds the pasted document's.
constexpr const char* kKeptGroupsProperty = "wrRtfHeadersFooters";
// Fonts named inside kept groups (headers, footers, footnotes): their \fN and \afN words are
// indexes into this QStringList dynamic property of the QTextDocument, "charset;family" each,
// and the writer puts those fonts into its own font table and renumbers the words, so the
// text of a kept group keeps its font and code page whatever fonts the document uses.
constexpr const char* kKeptFontsProperty = "wrRtfKeptFonts";
// Colours named inside kept groups: their colour words (\cfN, \cbN, \highlightN, \chcbpatN,
// \clcbpatN, \brdrcfN ...) count into this QStringList dynamic property of the QTextDocument
// ("#rrggbb" each) from 1, 0 staying the automatic colour; the writer puts those colours into
// its own colour table and renumbers the words.
constexpr const char* kKeptColorsProperty = "wrRtfKeptColors";
// Calls font(N) for every \fN and \afN control word of an RTF group, and colour(N) for every
// colour word (not inside \'hh or escaped backslashes), and puts the number it returns in its
// place; a negative number drops the word (and its delimiting blank). An empty function leaves
// those words as they are.
QByteArray renumberKept(QByteArrayView group, const std::function<int(int)>& font,
                        const std::function<int(int)>& colour);
// A kept group as 7-bit RTF with the same group structure: bytes from 0x80 become \'hh, other
// control bytes (but CR, LF, tab) are dropped, together with a backslash before them, and a
// \' without two hex digits goes. Clean 7-bit RTF comes back unchanged.
QByteArray sevenBitGroup(QByteArrayView raw);
// Footnotes: the reference mark (\chftn) is text, the footnote's number as a superscript, whose
// character format has that number under kFootnoteMarkProperty and, under kFootnoteProperty, the whole
// footnote group as 7-bit RTF ("{\*\footnote ...}"), written back right after the mark
// (which then goes as \chftn, so other readers number it). A footnote without a \chftn before
// it gets a mark all the same, as office suites number it. Footnote text is not shown.
constexpr int kFootnoteProperty = 0x100000 + 0x304;
constexpr int kFootnoteMarkProperty = 0x100000 + 0x305;
constexpr int kPictureWordsProperty = 0x100000 + 0x301;
constexpr int kPictureGoalProperty = 0x100000 + 0x302;
// Cell borders read from RTF are Qt's cell border properties (width, style, brush per side)
// and cell backgrounds. Qt's width is what is drawn: never under a pixel, so a hairline shows,
// and for a double line both lines and the gap (RTF gives one line's width). The twips each
// side was read with are kept under kCellBorderTwipsProperty ("top bottom left right"), so a
// side whose width nobody changed is written as it came.
constexpr int kCellBorderTwipsProperty = 0x100000 + 0x303;
double borderDisplayWidth(int twips, int style);

// A device-independent bitmap (\dibitmap data: header, colours, pixels) as an image.
QImage dibImage(const QByteArray& dib);
// A box of the size given (pixels, bounded) with a short label such as "WMF": what is shown
// of a picture Qt cannot draw. Needs no QGuiApplication (the label is drawn dot by dot).
QImage pictureBox(int width, int height, const char* label);

} // namespace rtf

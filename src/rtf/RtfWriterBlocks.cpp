// SPDX-License-Identifier: MIT
// Paragraphs, bullets and numbering, tables and pictures.
#include "RtfWriter.h"

#include "RtfProps.h"
#include "RtfStructure.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>

namespace rtf {
namespace {

constexpr int kDefaultTableTwips = 8640; // six inches, what RichEdit gives a new table

int twips(double pixels)
{
    return int(std::clamp(pixels * kTwipsPerPixel, -double(kMaxTwips), double(kMaxTwips)) + (pixels >= 0 ? 0.5 : -0.5));
}

bool isBullet(QTextListFormat::Style s)
{
    return s == QTextListFormat::ListDisc || s == QTextListFormat::ListCircle || s == QTextListFormat::ListSquare;
}

const char* numberingWord(QTextListFormat::Style s)
{
    switch (s) {
    case QTextListFormat::ListUpperAlpha: return "pnucltr";
    case QTextListFormat::ListLowerAlpha: return "pnlcltr";
    case QTextListFormat::ListUpperRoman: return "pnucrm";
    case QTextListFormat::ListLowerRoman: return "pnlcrm";
    default: return "pndec";
    }
}

void appendInt(QByteArray& out, const char* word, int v)
{
    out.append('\\').append(word).append(QByteArray::number(v));
}

// Text of a list marker or its prefix and suffix: 7-bit, each other character as \uN?.
QByteArray affixText(const QString& text)
{
    QByteArray out;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}' || c == u';')
            out.append("\\'").append(QByteArray::number(int(c), 16));
        else if (c >= 0x20 && c < 0x7F)
            out.append(char(c));
        else if (c >= 0x80)
            out.append("\\u").append(QByteArray::number(c < 0x8000 ? int(c) : int(c) - 0x10000)).append('?');
    }
    return out;
}

// A hyperlink target inside the quotes of a field instruction: RTF's own characters escaped,
// a quote as %22 (it would end the argument), other characters as \uN?.
QByteArray fieldTarget(const QString& href)
{
    QByteArray out;
    for (QChar ch : href) {
        const char16_t c = ch.unicode();
        if (c == u'"')
            out.append("%22");
        else if (c == u'\\') // doubled for the field, each escaped for RTF
            out.append("\\\\\\\\");
        else if (c == u'{' || c == u'}')
            out.append('\\').append(char(c));
        else if (c >= 0x20 && c < 0x7F)
            out.append(char(c));
        else if (c >= 0x80)
            out.append("\\u").append(QByteArray::number(c < 0x8000 ? int(c) : int(c) - 0x10000)).append('?');
    }
    return out;
}

int levelNfc(QTextListFormat::Style s)
{
    switch (s) {
    case QTextListFormat::ListUpperRoman: return 1;
    case QTextListFormat::ListLowerRoman: return 2;
    case QTextListFormat::ListUpperAlpha: return 3;
    case QTextListFormat::ListLowerAlpha: return 4;
    case QTextListFormat::ListDecimal: return 0;
    default: return 23;
    }
}

const char* borderStyleWord(int style)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_Dotted: return "\\brdrdot";
    case QTextFrameFormat::BorderStyle_Dashed: return "\\brdrdash";
    case QTextFrameFormat::BorderStyle_Double: return "\\brdrdb";
    case QTextFrameFormat::BorderStyle_DotDash: return "\\brdrdashd";
    case QTextFrameFormat::BorderStyle_DotDotDash: return "\\brdrdashdd";
    case QTextFrameFormat::BorderStyle_Groove: return "\\brdrengrave";
    case QTextFrameFormat::BorderStyle_Ridge: return "\\brdremboss";
    case QTextFrameFormat::BorderStyle_Inset: return "\\brdrinset";
    case QTextFrameFormat::BorderStyle_Outset: return "\\brdroutset";
    default: return "\\brdrs";
    }
}

} // namespace

void Writer::writeItems(const std::vector<FrameItem>& items, int level)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].table)
            writeTable(items[i].table, level + 1);
        else
            writeBlock(items[i].block, level, level > 0 && i + 1 == items.size());
    }
    if (level > 0 && (items.empty() || items.back().table)) { // a cell must end in a paragraph
        m_out.append("\\pard\\intbl");
        if (level > 1)
            word("itap", level);
        word(level > 1 ? "nestcell" : "cell");
        m_lastPara = "\\invalid";
        m_running.clear(); // a plain paragraph ends every list
    }
}

void Writer::writeBlock(const QTextBlock& block, int level, bool endsCell)
{
    QTextList* list = block.textList();
    bool listStart = false;
    if (!list) {
        m_running.clear();
    } else {
        const int depth = std::max(1, list->format().indent());
        m_running.erase(m_running.upper_bound(depth), m_running.end());
        listStart = m_running[depth] != list;
        m_running[depth] = list;
    }
    const int item = list ? m_itemsWritten[list]++ : 0;
    writeParagraphFormat(block, level, list, listStart, item);
    if (list)
        writeListText(list, item);

    bool empty = true;
    QString link; // the target of the hyperlink field being written, empty outside one
    CharState outside;
    int outsideUc = 1;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        if (!frag.isValid())
            continue;
        const QTextCharFormat f = frag.charFormat();
        const QString text = frag.text();
        empty = false;
        const QString href = f.isAnchor() ? f.anchorHref() : QString();
        if (href != link) {
            if (!link.isEmpty()) { // the field's groups end: the state before it holds again
                m_out.append("}}}");
                m_cur = outside;
                m_uc = outsideUc;
                m_needSpace = false;
            }
            if (!href.isEmpty()) {
                outside = m_cur;
                outsideUc = m_uc;
                // A bookmark goes by the \\l switch, as Word writes it.
                const qsizetype hash = href.indexOf(u'#');
                m_out.append("{\\field{\\*\\fldinst{HYPERLINK");
                if (hash != 0)
                    m_out.append(" \"").append(fieldTarget(href.left(hash))).append('"');
                if (hash >= 0)
                    m_out.append(" \\\\l \"").append(fieldTarget(href.mid(hash + 1))).append('"');
                m_out.append("}}{\\fldrslt{");
                m_needSpace = false;
            }
            link = href;
        }
        if (f.isImageFormat()) {
            for (qsizetype i = 0; i < text.size(); ++i)
                writeImage(f);
            continue;
        }
        setCharState(charState(f, text));
        // Most formats carry no footnote: asked once per format, not per run.
        const size_t formatIndex = size_t(std::max(0, frag.charFormatIndex()));
        if (formatIndex >= m_footnoteFormats.size())
            m_footnoteFormats.resize(formatIndex + 1, -1);
        int8_t& known = m_footnoteFormats[formatIndex];
        if (known < 0)
            known = f.hasProperty(kFootnoteMarkProperty) || f.hasProperty(kFootnoteProperty) ? 1 : 0;
        if (!known) {
            writeText(text);
            continue;
        }
        // A footnote's number goes as \chftn, so other readers number it, and the footnote
        // right after it; text typed on the mark's format after the number is text.
        const QString mark = f.stringProperty(kFootnoteMarkProperty);
        const QString note = f.stringProperty(kFootnoteProperty);
        const bool isMark = !mark.isEmpty() && text.startsWith(mark);
        if (isMark)
            word("chftn");
        else
            writeText(text);
        if (note.startsWith(u'{') && note.endsWith(u'}')) {
            writeKeptGroup(note);
            m_needSpace = false;
        }
        if (isMark)
            writeText(QStringView(text).sliced(mark.size()));
    }
    if (!link.isEmpty()) {
        m_out.append("}}}");
        m_cur = outside;
        m_uc = outsideUc;
        m_needSpace = false;
    }
    if (empty) // the paragraph mark's format gives an empty line its height
        setCharState(charState(block.charFormat(), QStringView()));
    word(endsCell ? (level > 1 ? "nestcell" : "cell") : "par");
    m_out.append("\r\n");
    m_needSpace = false;
}

void Writer::writeParagraphFormat(const QTextBlock& block, int level, QTextList* list, bool listStart, int item)
{
    const QTextBlockFormat bf = block.blockFormat();
    QByteArray w;
    if (level > 0) {
        w.append("\\intbl");
        if (level > 1)
            appendInt(w, "itap", level);
    }
    const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        w.append("\\qc");
    else if (a & (Qt::AlignRight | Qt::AlignTrailing))
        w.append("\\qr");
    else if (a & Qt::AlignJustify)
        w.append("\\qj");

    double left = bf.leftMargin() + bf.indent() * m_doc.indentWidth();
    const int listLevel = list ? std::max(1, list->format().indent()) : 0;
    left += listLevel * m_doc.indentWidth();
    const int li = twips(left);
    const int fi = list ? -std::min(360, li) : twips(bf.textIndent());
    if (fi)
        appendInt(w, "fi", fi);
    if (li)
        appendInt(w, "li", li);
    if (const int ri = twips(bf.rightMargin()))
        appendInt(w, "ri", ri);
    if (const int sb = twips(bf.topMargin()))
        appendInt(w, "sb", sb);
    if (const int sa = twips(bf.bottomMargin()))
        appendInt(w, "sa", sa);
    switch (bf.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (bf.lineHeight() > 0 && bf.lineHeight() != 100) {
            appendInt(w, "sl", int(bf.lineHeight() * 240 / 100 + 0.5));
            w.append("\\slmult1");
        }
        break;
    case QTextBlockFormat::FixedHeight:
        appendInt(w, "sl", -twips(bf.lineHeight()));
        w.append("\\slmult0");
        break;
    case QTextBlockFormat::MinimumHeight:
        appendInt(w, "sl", twips(bf.lineHeight()));
        w.append("\\slmult0");
        break;
    default:
        break;
    }
    QByteArray start;
    if (list) {
        // The \pn group for RichEdit, with one level word: \pnlvlblt for bullets, \pnlvlbody
        // for a number at the first level, \pnlvlN below it. \pard forgets it, so it goes
        // with every restatement.
        const QTextListFormat lf = list->format();
        if (isBullet(lf.style())) {
            if (m_symbolFont < 0) // collect() normally found it
                m_symbolFont = fontIndex(QStringLiteral("Symbol"), 2);
            w.append("{\\*\\pn\\pnlvlblt");
            appendInt(w, "pnf", m_symbolFont);
            w.append("\\pnindent0{\\pntxtb\\'b7}}");
        } else {
            w.append("{\\*\\pn");
            if (listLevel > 1)
                appendInt(w, "pnlvl", listLevel);
            else
                w.append("\\pnlvlbody");
            w.append("\\pnf0\\pnindent0\\").append(numberingWord(lf.style()));
            if (!lf.numberPrefix().isEmpty())
                w.append("{\\pntxtb ").append(affixText(lf.numberPrefix())).append('}');
            w.append("{\\pntxta ")
                .append(affixText(lf.hasProperty(QTextFormat::ListNumberSuffix) ? lf.numberSuffix() : QStringLiteral(".")))
                .append("}}");
        }
        // Word's readers take the list from the list table; the \pn group must come first,
        // or they let it replace the list.
        appendInt(w, "ls", listIndex(list) + 1);
        appendInt(w, "ilvl", listLevel - 1);
        // The first item of a run names its number, so a list that resumes after other
        // paragraphs continues and two adjacent lists stay apart.
        if (listStart)
            appendInt(start, "pnstart", rtf::listStart(lf) + item);
    }
    // Every paragraph of a nested cell states its nesting again: readers that follow Word
    // refuse a nested row whose paragraphs rely on the state an earlier row left.
    if (w == m_lastPara && !listStart && level <= 1)
        return;
    m_lastPara = w;
    if (!start.isEmpty())
        w.insert(w.indexOf("\\pnindent0"), start);
    m_out.append("\\pard").append(w);
    m_needSpace = w.isEmpty() || !w.endsWith('}');
}

int Writer::listIndex(QTextList* list)
{
    const auto it = m_listIndex.find(list);
    if (it != m_listIndex.end())
        return it->second;
    m_lists.push_back(list);
    return m_listIndex[list] = int(m_lists.size() - 1);
}

// Each list of the document is a list of its own in the table, so that no reader joins or
// splits lists; its levels down to its own all look alike (its paragraphs use only that one).
void Writer::writeListTable()
{
    if (m_lists.empty())
        return;
    m_out.append("{\\*\\listtable");
    for (size_t k = 0; k < m_lists.size(); ++k) {
        const QTextListFormat lf = m_lists[k]->format();
        const int depth = std::clamp(lf.indent(), 1, 9);
        const int nfc = levelNfc(lf.style());
        QByteArray d = "{\\list\\listtemplateid" + QByteArray::number(int(k) + 1);
        if (depth == 1)
            d.append("\\listsimple");
        for (int level = 0; level < depth; ++level) {
            d.append("{\\listlevel");
            appendInt(d, "levelnfc", nfc);
            appendInt(d, "levelnfcn", nfc);
            d.append("\\leveljc0\\leveljcn0\\levelfollow0");
            appendInt(d, "levelstartat", listStart(lf));
            if (nfc == 23) {
                d.append("{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}");
            } else {
                const QString prefix = lf.numberPrefix();
                const QString suffix = lf.hasProperty(QTextFormat::ListNumberSuffix) ? lf.numberSuffix() : QStringLiteral(".");
                auto hexByte = [](int v) { return QByteArray("\\'") + QByteArray::number(v, 16).rightJustified(2, '0'); };
                d.append("{\\leveltext").append(hexByte(int(std::min<qsizetype>(prefix.size() + 1 + suffix.size(), 255))));
                d.append(affixText(prefix)).append(hexByte(level)).append(affixText(suffix)).append(";}");
                d.append("{\\levelnumbers").append(hexByte(int(std::min<qsizetype>(prefix.size() + 1, 255)))).append(";}");
            }
            appendInt(d, "fi", -360);
            appendInt(d, "li", 360 * (level + 1));
            d.append('}');
        }
        appendInt(d, "listid", int(k) + 1);
        m_out.append(d).append("}\r\n");
    }
    m_out.append("}{\\*\\listoverridetable");
    for (size_t k = 0; k < m_lists.size(); ++k) {
        QByteArray d = "{\\listoverride";
        appendInt(d, "listid", int(k) + 1);
        d.append("\\listoverridecount0");
        appendInt(d, "ls", int(k) + 1);
        m_out.append(d).append('}');
    }
    m_out.append("}\r\n");
}

void Writer::writeListText(QTextList* list, int item)
{
    const QTextListFormat lf = list->format();
    if (isBullet(lf.style())) {
        if (m_symbolFont < 0)
            m_symbolFont = fontIndex(QStringLiteral("Symbol"), 2);
        m_out.append("{\\pntext\\f").append(QByteArray::number(m_symbolFont)).append("\\'b7\\tab}");
    } else {
        m_out.append("{\\pntext\\f0 ").append(affixText(listItemLabel(lf, item))).append("\\tab}");
    }
    m_needSpace = false;
}

void Writer::writeTable(QTextTable* table, int level)
{
    const QTextTableFormat tf = table->format();
    const int cols = table->columns();
    const QList<QTextLength> constraints = tf.columnWidthConstraints();
    QList<int> edges;
    int edge = 0;
    for (int c = 0; c < cols; ++c) {
        int w = kDefaultTableTwips / std::max(1, cols);
        if (c < constraints.size() && constraints[c].type() == QTextLength::FixedLength)
            w = std::max(1, twips(constraints[c].rawValue()));
        else if (c < constraints.size() && constraints[c].type() == QTextLength::PercentageLength)
            w = std::max(1, int(constraints[c].rawValue() * kDefaultTableTwips / 100));
        edge += w;
        edges.append(edge);
    }
    const int gap = std::max(0, twips(tf.cellPadding()));
    const bool border = tf.border() > 0;
    for (int r = 0; r < table->rows(); ++r) {
        const QByteArray def = rowDefinition(table, r, edges, gap, border);
        if (level == 1) {
            m_out.append(def);
            m_needSpace = true;
            m_lastPara = "\\invalid"; // each row's first paragraph says it is in the table
        }
        for (int c = 0; c < cols; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() == r && cell.column() == c) {
                const QColor outside = m_cellBack;
                const QTextCharFormat look = cell.format();
                m_cellBack = look.hasProperty(QTextFormat::BackgroundBrush) && look.background().style() != Qt::NoBrush
                                 ? look.background().color() : QColor();
                writeItems(frameItems(cell.begin(), false), level);
                m_cellBack = outside;
                continue;
            }
            m_out.append("\\pard\\intbl"); // covered by a merged cell: an empty cell
            if (level > 1)
                word("itap", level);
            word(level > 1 ? "nestcell" : "cell");
            m_lastPara = "\\invalid";
            m_running.clear();
        }
        if (level == 1) {
            word("row");
        } else {
            m_out.append("\\pard\\intbl");
            word("itap", level);
            m_out.append("{\\*\\nesttableprops").append(def);
            m_out.append("\\nestrow}{\\nonesttables\\par}");
            m_needSpace = false;
        }
        m_out.append("\r\n");
        m_needSpace = false;
    }
    m_lastPara = "\\invalid"; // whatever follows restates its paragraph format
}

QByteArray Writer::rowDefinition(QTextTable* table, int row, const QList<int>& edges, int gap, bool border)
{
    QByteArray d = "\\trowd";
    appendInt(d, "trgaph", gap);
    d.append("\\trleft0");
    if (border)
        d.append("\\trbrdrl\\brdrs\\brdrw10\\trbrdrt\\brdrs\\brdrw10\\trbrdrr\\brdrs\\brdrw10\\trbrdrb\\brdrs\\brdrw10");
    for (int c = 0; c < edges.size(); ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.rowSpan() > 1)
            d.append(cell.row() == row ? "\\clvmgf" : "\\clvmrg");
        if (cell.columnSpan() > 1)
            d.append(cell.column() == c ? "\\clmgf" : "\\clmrg");
        const QTextTableCellFormat look = cell.format().toTableCellFormat();
        if (hasOwnBorders(look))
            d.append(cellBorders(look));
        else if (border)
            d.append("\\clbrdrl\\brdrw10\\brdrs\\clbrdrt\\brdrw10\\brdrs\\clbrdrr\\brdrw10\\brdrs\\clbrdrb\\brdrw10\\brdrs");
        if (look.hasProperty(QTextFormat::BackgroundBrush) && look.background().style() != Qt::NoBrush)
            appendInt(d, "clcbpat", colorIndex(look.background().color()));
        appendInt(d, "cellx", edges[c]);
    }
    return d;
}

bool Writer::hasOwnBorders(const QTextTableCellFormat& f)
{
    for (int side = 0; side < 4; ++side) {
        if (f.hasProperty(QTextFormat::TableCellTopBorderStyle + side))
            return true;
    }
    return false;
}

void Writer::collectCellColors(const QTextTableCellFormat& f)
{
    if (hasOwnBorders(f))
        cellBorders(f);
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
        colorIndex(f.background().color());
}

// A cell's own sides in the order RTF writers give them; a side without a line is left out.
QByteArray Writer::cellBorders(const QTextTableCellFormat& f)
{
    static const struct { int side; const char* word; } order[] = {
        {0, "\\clbrdrt"}, {2, "\\clbrdrl"}, {1, "\\clbrdrb"}, {3, "\\clbrdrr"}};
    const QStringList kept = f.stringProperty(kCellBorderTwipsProperty).split(u' ');
    QByteArray d;
    for (const auto& o : order) {
        const int style = f.intProperty(QTextFormat::TableCellTopBorderStyle + o.side);
        const double width = f.doubleProperty(QTextFormat::TableCellTopBorder + o.side);
        if (style <= QTextFrameFormat::BorderStyle_None || width <= 0)
            continue;
        // The width read while the side still shows it, else the one Qt draws (a double
        // line's width holds both lines and the gap).
        int tw = kept.size() == 4 ? kept[o.side].toInt() : 0;
        if (tw <= 0 || borderDisplayWidth(tw, style) != width)
            tw = twips(style == QTextFrameFormat::BorderStyle_Double ? width / 3 : width);
        d.append(o.word).append(borderStyleWord(style));
        appendInt(d, "brdrw", std::clamp(tw, 1, 1440));
        const QBrush brush = f.brushProperty(QTextFormat::TableCellTopBorderBrush + o.side);
        if (f.hasProperty(QTextFormat::TableCellTopBorderBrush + o.side) && brush.style() != Qt::NoBrush)
            appendInt(d, "brdrcf", colorIndex(brush.color()));
    }
    return d;
}

// The goal sizes and scales the picture was read with while it keeps the size they gave,
// else goals for the size it has now.
void Writer::writePictureSize(const QTextImageFormat& img, double w, double h)
{
    const QStringList goal = img.stringProperty(kPictureGoalProperty).split(u' ');
    if (goal.size() == 6 && goal[4].toDouble() == (img.width() > 0 ? img.width() : 0)
        && goal[5].toDouble() == (img.height() > 0 ? img.height() : 0)) {
        // A goal the picture came without stays out: the reader gives it the same size again.
        const int goalw = goal[0].toInt(), goalh = goal[1].toInt(), sx = goal[2].toInt(), sy = goal[3].toInt();
        if (goalw > 0)
            word("picwgoal", goalw);
        if (goalh > 0)
            word("pichgoal", goalh);
        if (sx != 100)
            word("picscalex", sx);
        if (sy != 100)
            word("picscaley", sy);
        return;
    }
    word("picwgoal", twips(w));
    word("pichgoal", twips(h));
}

void Writer::writeHex(const QByteArray& data)
{
    m_out.append("\r\n");
    static const char hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < data.size(); i += 64) {
        const qsizetype n = std::min<qsizetype>(64, data.size() - i);
        char* o = m_out.room(size_t(n) * 2 + 2);
        for (qsizetype k = 0; k < n; ++k) {
            const uint8_t b = uint8_t(data[i + k]);
            *o++ = hex[b >> 4];
            *o++ = hex[b & 15];
        }
        *o++ = '\r';
        *o++ = '\n';
    }
    m_out.append('}');
    m_needSpace = false;
}

void Writer::writeImage(const QTextCharFormat& format)
{
    const QTextImageFormat img = format.toImageFormat();
    // A picture Qt cannot draw goes back as it came, with the words that describe it.
    const QString words = img.stringProperty(kPictureWordsProperty);
    if (!words.isEmpty()) {
        const QVariant raw = m_doc.resource(QTextDocument::ImageResource, QUrl(img.name() + QStringLiteral("#data")));
        if (raw.typeId() != QMetaType::QByteArray || raw.toByteArray().isEmpty() || !words.startsWith(u'\\'))
            return;
        m_out.append("{\\pict").append(words.toLatin1());
        writePictureSize(img, std::max(0.0, img.width()), std::max(0.0, img.height()));
        writeHex(raw.toByteArray());
        return;
    }
    const QVariant res = m_doc.resource(QTextDocument::ImageResource, QUrl(img.name()));
    QByteArray data;
    QImage image;
    if (res.typeId() == QMetaType::QByteArray)
        data = res.toByteArray();
    else if (res.typeId() == QMetaType::QImage)
        image = res.value<QImage>();
    else if (res.typeId() == QMetaType::QPixmap)
        image = res.value<QPixmap>().toImage();
    const bool jpeg = data.startsWith("\xFF\xD8\xFF");
    if (!data.startsWith("\x89PNG\r\n\x1a\n") && !jpeg) {
        if (image.isNull() && !data.isEmpty())
            image.loadFromData(data);
        if (image.isNull())
            return; // nothing RichEdit could show
        data.clear();
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        image.save(&buf, "PNG");
    }
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    const QSize natural = QImageReader(&in).size();
    if (!natural.isValid() || natural.isEmpty())
        return; // damaged data: nothing RichEdit could show
    double w = img.width() > 0 ? img.width() : 0;
    double h = img.height() > 0 ? img.height() : 0;
    if (w <= 0 && h <= 0) {
        w = natural.width();
        h = natural.height();
    } else if (w <= 0) { // one side given: Qt keeps the aspect ratio
        w = natural.width() * h / natural.height();
    } else if (h <= 0) {
        h = natural.height() * w / natural.width();
    }
    m_out.append(jpeg ? "{\\pict\\jpegblip" : "{\\pict\\pngblip");
    word("picw", natural.width());
    word("pich", natural.height());
    writePictureSize(img, w, h);
    writeHex(data);
}

} // namespace rtf

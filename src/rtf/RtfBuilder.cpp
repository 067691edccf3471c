// SPDX-License-Identifier: MIT
#include "RtfBuilder.h"

#include "RtfStructure.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>
#include <algorithm>

namespace rtf {
namespace {


double px(int twips)
{
    return std::clamp(twips, -kMaxTwips, kMaxTwips) / kTwipsPerPixel;
}

QTextListFormat::Style qtStyle(ListStyle s)
{
    switch (s) {
    case ListStyle::Decimal: return QTextListFormat::ListDecimal;
    case ListStyle::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case ListStyle::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case ListStyle::UpperRoman: return QTextListFormat::ListUpperRoman;
    case ListStyle::LowerRoman: return QTextListFormat::ListLowerRoman;
    default: return QTextListFormat::ListDisc;
    }
}

QString affixText(const Affix& a)
{
    return QString(reinterpret_cast<const QChar*>(a.c), a.size);
}

// The number, prefix and suffix the list of a paragraph shows.
void setNumbering(QTextListFormat& lf, const ParaProps& para)
{
    const bool ls = para.ls > 0;
    if ((ls ? para.lsStyle : para.pnStyle) == ListStyle::Bullet)
        return;
    const Affix& prefix = ls ? para.lsPrefix : para.pnPrefix;
    const Affix& suffix = ls ? para.lsSuffix : para.pnSuffix;
    if (prefix.given && prefix.size > 0)
        lf.setNumberPrefix(affixText(prefix));
    if (suffix.given)
        lf.setNumberSuffix(affixText(suffix));
    const int start = ls ? para.lsStart : (para.pnStart > 0 ? para.pnStart : 1);
    if (start != 1)
        lf.setProperty(kListStartProperty, start);
}

// The suffix a \pn paragraph asks for differs from the one its running list shows.
bool otherSuffix(const QTextList* list, const ParaProps& para)
{
    if (!para.pnSuffix.given)
        return false;
    const QTextListFormat f = list->format();
    return (f.hasProperty(QTextFormat::ListNumberSuffix) ? f.numberSuffix() : QStringLiteral("."))
           != affixText(para.pnSuffix);
}

} // namespace

DocBuilder::DocBuilder(QTextCursor& cursor, bool wholeDocument)
    : m_c(cursor), m_whole(wholeDocument), m_rowDefs(kMaxTableDepth)
{
    m_startBlock = m_c.block();
    m_startBlockWasEmpty = m_startBlock.length() <= 1;
    m_startAtBlockEnd = m_c.atBlockEnd();
    if (m_whole) { // the document's whole content is replaced, its headers and footers too
        m_c.document()->setProperty(kKeptGroupsProperty, QVariant());
        m_c.document()->setProperty(kKeptFontsProperty, QVariant());
        m_c.document()->setProperty(kKeptColorsProperty, QVariant());
    }
    if (!m_whole) {
        m_newBlockFormat = m_c.blockFormat();
        m_newBlockFormat.clearProperty(QTextFormat::ObjectIndex);
    }
}

RowDef& DocBuilder::rowDef(int level)
{
    return m_rowDefs[std::clamp(level, 1, kMaxTableDepth) - 1];
}

void DocBuilder::open(const ParaProps& para)
{
    flushFolded();
    const size_t want = shownDepth(para);
    while (m_tables.size() > want)
        closeInnermost();
    if (!m_tables.empty())
        syncInnermost();
    while (m_tables.size() < want)
        openTable(int(m_tables.size()) + 1);
    if (m_pendingBreak) {
        m_c.insertBlock(m_newBlockFormat, QTextCharFormat());
        m_pendingBreak = false;
    }
    if (m_listTextPending) {
        m_listTextPending = false;
        if (!para.isListItem() && !m_listText.isEmpty())
            m_c.insertText(m_listText, m_listTextFormat);
    }
    m_blockTouched = true;
}

void DocBuilder::insertText(const QString& text, const QTextCharFormat& format, const ParaProps& para)
{
    open(para);
    if (m_tables.size() > 1)
        m_nestedChars += text.size();
    m_c.insertText(text, format);
    m_markStart = m_markEnd = -1;
}

namespace {

// The control words whose number is an index into the colour table.
bool isColourWord(QByteArrayView word)
{
    static constexpr const char* words[] = {"cf", "cb", "highlight", "chcbpat", "chcfpat", "cbpat", "cfpat",
                                            "clcbpat", "clcfpat", "clcbpatraw", "clcfpatraw", "brdrcf",
                                            "trcbpat", "trcfpat", "ulc", "pncf", "tscellcbpat", "tscellcfpat"};
    for (const char* w : words) {
        if (word == w)
            return true;
    }
    return false;
}

} // namespace

QByteArray renumberKept(QByteArrayView g, const std::function<int(int)>& font, const std::function<int(int)>& colour)
{
    QByteArray out;
    out.reserve(g.size());
    qsizetype i = 0;
    while (i < g.size()) {
        const char c = g[i];
        if (c != '\\' || i + 1 >= g.size()) {
            out.append(c);
            ++i;
            continue;
        }
        const char n = g[i + 1];
        if (!((n | 0x20) >= 'a' && (n | 0x20) <= 'z')) { // a symbol: \\, \{, \'hh ...
            const qsizetype len = n == '\'' ? 4 : 2;
            out.append(g.sliced(i, std::min(len, g.size() - i)));
            i += len;
            continue;
        }
        qsizetype j = i + 1;
        while (j < g.size() && (g[j] | 0x20) >= 'a' && (g[j] | 0x20) <= 'z')
            ++j;
        const QByteArrayView word = g.sliced(i + 1, j - i - 1);
        qsizetype k = j;
        if (k < g.size() && g[k] == '-')
            ++k;
        while (k < g.size() && g[k] >= '0' && g[k] <= '9')
            ++k;
        const std::function<int(int)>* map = nullptr;
        if (font && (word == "f" || word == "af"))
            map = &font;
        else if (colour && isColourWord(word))
            map = &colour;
        if (map && k > j && g[j] != '-' && k - j < 9) {
            const int mapped = (*map)(g.sliced(j, k - j).toInt());
            if (mapped >= 0) {
                out.append('\\').append(word).append(QByteArray::number(mapped));
            } else if (k < g.size() && g[k] == ' ') {
                ++k; // the dropped word's delimiter
            }
        } else {
            out.append(g.sliced(i, k - i));
        }
        i = k;
    }
    return out;
}

int DocBuilder::keptFont(const QString& family, int charset)
{
    QTextDocument* doc = m_c.document();
    QStringList fonts = doc->property(kKeptFontsProperty).toStringList();
    const QString entry = QString::number(charset) + u';' + family;
    qsizetype at = fonts.indexOf(entry);
    if (at < 0) {
        if (fonts.size() >= 256)
            return -1;
        fonts.append(entry);
        doc->setProperty(kKeptFontsProperty, fonts);
        at = fonts.size() - 1;
    }
    return int(at);
}

int DocBuilder::keptColour(const QColor& colour)
{
    QTextDocument* doc = m_c.document();
    QStringList colours = doc->property(kKeptColorsProperty).toStringList();
    const QString entry = colour.name();
    qsizetype at = colours.indexOf(entry);
    if (at < 0) {
        if (colours.size() >= 1024) // a bound for hostile input; the automatic colour then
            return 0;
        colours.append(entry);
        doc->setProperty(kKeptColorsProperty, colours);
        at = colours.size() - 1;
    }
    return int(at) + 1;
}

// A group kept whole, 7-bit as the writer writes it, so a second write gives the same bytes.
QByteArray sevenBitGroup(QByteArrayView raw)
{
    static const char hex[] = "0123456789abcdef";
    const auto plain = [](uchar b) { return (b >= 0x20 && b < 0x7F) || b == '\r' || b == '\n' || b == '\t'; };
    const auto isHex = [](uchar b) { return (b >= '0' && b <= '9') || ((b | 0x20) >= 'a' && (b | 0x20) <= 'f'); };
    QByteArray out;
    out.reserve(raw.size());
    const qsizetype n = raw.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar b = uchar(raw[i]);
        if (b == '\\') {
            const uchar next = i + 1 < n ? uchar(raw[i + 1]) : 0;
            if (next == '\'') {
                // \'hh stays only whole: a broken one would make a reader complain.
                const bool whole = i + 3 < n && isHex(uchar(raw[i + 2])) && isHex(uchar(raw[i + 3]));
                if (whole)
                    out.append(raw.sliced(i, 4));
                i += whole ? 4 : 2;
                continue;
            }
            // A backslash goes with the byte after it: were that byte dropped, the backslash
            // would escape the next one instead (a "\{" that unbalances the group).
            if (plain(next))
                out.append('\\').append(char(next));
            i += 2;
            continue;
        }
        if (plain(b))
            out.append(char(b));
        else if (b >= 0x80)
            out.append("\\'").append(hex[b >> 4]).append(hex[b & 15]);
        ++i;
    }
    return out;
}

static QString sevenBit(const QByteArray& group)
{
    return QString::fromLatin1(sevenBitGroup(group));
}

void DocBuilder::insertFootnoteMark(const QString& number, const QTextCharFormat& format, const ParaProps& para)
{
    QTextCharFormat f = format;
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    f.setProperty(kFootnoteMarkProperty, number);
    insertText(number, f, para);
    m_markEnd = m_c.position();
    m_markStart = m_markEnd - int(number.size());
}

bool DocBuilder::attachFootnote(const QByteArray& group)
{
    if (m_markEnd < 0 || m_markEnd != m_c.position())
        return false;
    QTextCursor anchor(m_c.document());
    anchor.setPosition(m_markStart);
    anchor.setPosition(m_markEnd, QTextCursor::KeepAnchor);
    m_markStart = m_markEnd = -1;
    QTextCharFormat f;
    f.setProperty(kFootnoteProperty, sevenBit(group));
    anchor.mergeCharFormat(f);
    return true;
}

void DocBuilder::keepGroup(const QByteArray& group)
{
    QTextDocument* doc = m_c.document();
    QStringList groups = doc->property(kKeptGroupsProperty).toStringList();
    const QString text = sevenBit(group);
    if (!groups.contains(text) && groups.size() < 16) {
        groups.append(text);
        doc->setProperty(kKeptGroupsProperty, groups);
    }
}

void DocBuilder::insertPicture(const Picture& p, const ParaProps& para)
{
    open(para);
    // The name depends on the bytes only, so the same picture pasted twice is stored once.
    // A box shown for the picture has the picture's size, so that goes into the name too.
    const QString name = QStringLiteral("rtfimage:%1-%2%3.%4")
                             .arg(qHash(p.data, 0), 16, 16, QChar(u'0'))
                             .arg(p.data.size())
                             .arg(p.shown.isNull() ? QString() : QStringLiteral("-%1x%2").arg(p.shown.width()).arg(p.shown.height()))
                             .arg(p.extension);
    QTextDocument* doc = m_c.document();
    if (p.shown.isNull()) {
        doc->addResource(QTextDocument::ImageResource, QUrl(name), p.data);
    } else {
        doc->addResource(QTextDocument::ImageResource, QUrl(name), p.shown);
        doc->addResource(QTextDocument::ImageResource, QUrl(name + QStringLiteral("#data")), p.data);
    }
    QTextImageFormat f;
    f.setName(name);
    if (p.width > 0)
        f.setWidth(p.width);
    if (p.height > 0)
        f.setHeight(p.height);
    if (!p.words.isEmpty())
        f.setProperty(kPictureWordsProperty, p.words);
    f.setProperty(kPictureGoalProperty, QStringLiteral("%1 %2 %3 %4 %5 %6")
                                                .arg(p.goalw).arg(p.goalh).arg(p.scalex).arg(p.scaley)
                                                .arg(p.width, 0, 'g', 17).arg(p.height, 0, 'g', 17));
    m_c.insertImage(f);
}

void DocBuilder::setListText(const QString& text, const QTextCharFormat& format)
{
    m_listText = text;
    m_listTextFormat = format;
    m_listTextPending = true;
}

void DocBuilder::endParagraph(const ParaProps& para, const QTextCharFormat& mark)
{
    // An empty paragraph after an empty one: nothing came since the last paragraph mark.
    if (m_pendingBreak && !m_blockTouched && !m_listTextPending && m_tables.empty() && !para.inTable
        && !para.isListItem()) {
        if (m_emptyRun >= kMaxEmptyRun && para == m_emptyPara && mark == m_emptyMark) {
            ++m_foldPending;
            return;
        }
        if (m_emptyRun++ == 0 || !(para == m_emptyPara && mark == m_emptyMark)) {
            m_emptyRun = 1;
            m_emptyPara = para;
            m_emptyMark = mark;
        }
    } else {
        m_emptyRun = 0;
    }
    open(para);
    applyBlock(para, mark);
    m_pendingBreak = true;
    m_blockTouched = false;
}

void DocBuilder::flushFolded()
{
    if (m_foldPending == 0)
        return;
    // The cursor is still in the last empty paragraph kept: its break is pending.
    m_c.insertText(QString(qsizetype(m_foldPending), QChar::LineSeparator), m_emptyMark);
    m_folded += m_foldPending;
    m_foldPending = 0;
    m_emptyRun = 0;
}

void DocBuilder::finish(const ParaProps& para, const QTextCharFormat& mark)
{
    flushFolded();
    if (m_listTextPending)
        open(para);
    if (!m_pendingBreak && m_blockTouched)
        applyBlock(para, mark);
    while (!m_tables.empty())
        closeInnermost();
    // A paste that ends with a paragraph mark in the middle of a paragraph splits it.
    if (m_pendingBreak && !m_whole && !m_startAtBlockEnd)
        m_c.insertBlock(m_newBlockFormat, QTextCharFormat());
    m_pendingBreak = false;
}

void DocBuilder::applyBlock(const ParaProps& para, const QTextCharFormat& mark)
{
    // A paste keeps the format of the paragraph it lands in, unless that one was empty.
    if (!m_whole && m_c.block() == m_startBlock && !m_startBlockWasEmpty)
        return;
    int level = 0;
    QTextList* list = findList(para, level);

    QTextBlockFormat bf;
    switch (para.align) {
    case 1: bf.setAlignment(Qt::AlignHCenter); break;
    case 2: bf.setAlignment(Qt::AlignRight); break;
    case 3: bf.setAlignment(Qt::AlignJustify); break;
    default: break;
    }
    double left = px(para.li);
    double indent = px(para.fi);
    if (level > 0) { // the list's own indent and marker replace RTF's hanging indent
        left -= level * m_c.document()->indentWidth();
        indent = 0;
    }
    left = std::max(0.0, left);
    if (left > 0)
        bf.setLeftMargin(left);
    if (para.ri > 0)
        bf.setRightMargin(px(para.ri));
    if (indent != 0)
        bf.setTextIndent(indent);
    if (para.sb > 0)
        bf.setTopMargin(px(para.sb));
    if (para.sa > 0)
        bf.setBottomMargin(px(para.sa));
    if (para.sl != 0) {
        const int sl = std::clamp(para.sl, -kMaxTwips, kMaxTwips);
        if (para.slMult && sl > 0)
            bf.setLineHeight(sl * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (sl > 0)
            bf.setLineHeight(px(sl), QTextBlockFormat::MinimumHeight);
        else
            bf.setLineHeight(px(-sl), QTextBlockFormat::FixedHeight);
    }
    if (list)
        bf.setObjectIndex(list->objectIndex()); // joins the list in the same step
    // Most paragraphs keep the format they were created with: setting it again costs more
    // than the comparison.
    if (m_c.blockFormat() != bf)
        m_c.setBlockFormat(bf);
    // The paragraph mark's format only shows in an empty paragraph (its height, what typing
    // there gives).
    if (m_c.block().length() <= 1) {
        // The first paragraph of a table cell carries the cell's format (spans) there.
        const QTextCharFormat old = m_c.block().charFormat();
        if (old.isTableCellFormat() || old.objectIndex() >= 0) {
            QTextCharFormat merged = old;
            merged.merge(mark);
            m_c.setBlockCharFormat(merged);
        } else {
            m_c.setBlockCharFormat(mark);
        }
    }

    if (!list && level > 0) {
        QTextListFormat lf;
        lf.setStyle(qtStyle(para.ls > 0 ? para.lsStyle : para.pnStyle));
        lf.setIndent(level);
        setNumbering(lf, para);
        list = m_c.createList(lf);
        m_lists.push_back(list);
        if (para.ls > 0)
            m_lsLists[{para.ls, para.ilvl}] = m_lists.size() - 1;
        else
            m_pnLists.push_back({{int(para.pnStyle), level}, m_lists.size() - 1});
    }
    if (list && para.ls <= 0) {
        const auto it = std::find(m_lists.begin(), m_lists.end(), list);
        m_pnChain[level] = size_t(it - m_lists.begin());
    }
}

// The list a paragraph belongs to, nullptr with level > 0 when a new one is to be made, or
// nullptr with level 0 when it is no list item.
QTextList* DocBuilder::findList(const ParaProps& para, int& level)
{
    level = 0;
    if (!para.isListItem()) {
        if (!para.pnCont) // a plain paragraph ends old-style numbering
            m_pnChain.clear();
        return nullptr;
    }
    if (para.ls > 0) {
        level = std::clamp(para.ilvl, 0, 8) + 1;
        auto it = m_lsLists.find({para.ls, para.ilvl});
        return it == m_lsLists.end() ? nullptr : listAt(it->second);
    }
    level = std::clamp(para.pnLevel, 1, 9);
    m_pnChain.erase(m_pnChain.upper_bound(level), m_pnChain.end()); // deeper levels restart
    auto it = m_pnChain.find(level);
    QTextList* running = it != m_pnChain.end() ? listAt(it->second) : nullptr;
    if (running && (running->format().style() != qtStyle(para.pnStyle) || otherSuffix(running, para)))
        running = nullptr;
    if (running && !(para.pnFresh && para.pnStart > 0))
        return running;
    // A fresh \pn naming its number: an earlier list resuming with that number (a list
    // other than the one running first, since naming the number says the list changed),
    // else the running one if the number fits it, else a new list.
    if (para.pnFresh && para.pnStart > 1) {
        for (auto r = m_pnLists.rbegin(); r != m_pnLists.rend(); ++r) {
            QTextList* earlier = listAt(r->second);
            if (earlier && earlier != running && r->first.style == int(para.pnStyle)
                && r->first.level == level && listStart(earlier->format()) + earlier->count() == para.pnStart)
                return earlier;
        }
    }
    if (running && listStart(running->format()) + running->count() == para.pnStart)
        return running;
    return nullptr;
}

} // namespace rtf

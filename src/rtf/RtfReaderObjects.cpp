// SPDX-License-Identifier: MIT
// Tables, lists and pictures: the control words that build document structure.
#include "RtfReader.h"

#include "RtfCodePage.h"
#include "RtfStructure.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

namespace rtf {
namespace {

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

} // namespace

void Reader::tableWord(KwInfo info, int param)
{
    const Kw kw = info.kw;
    const int nested = std::max(2, m_st.para.itap);
    RowDef& def = m_out.rowDef(m_st.nestProps ? nested : 1);
    BorderSide* side = m_borderOf >= 0 && m_borderOf < 4 ? &def.pending.sides[m_borderOf] : nullptr;
    switch (kw) {
    case Kw::Cell: if (m_st.dest == Dest::Text) cellEnd(1); break;
    case Kw::NestCell: if (m_st.dest == Dest::Text) cellEnd(nested); break;
    case Kw::Row: if (m_st.dest == Dest::Text) rowEnd(1); break;
    case Kw::NestRow: if (m_st.dest == Dest::Text) rowEnd(nested); break;
    case Kw::Trowd:
        def.reset();
        def.fresh = true;
        m_inRowDef = true;
        m_borderOf = -1;
        break;
    case Kw::Cellx:
        if (def.cells.size() < 64) {
            CellDef cell = def.pending;
            // Right edges add up: only each cell's width is bounded (when the row is applied).
            cell.right = std::clamp(param, -64 * kMaxTwips, 64 * kMaxTwips);
            def.cells.push_back(cell);
        }
        def.pending = CellDef();
        m_borderOf = -1;
        break;
    case Kw::Clmgf: def.pending.hmerge = 1; break;
    case Kw::Clmrg: def.pending.hmerge = 2; break;
    case Kw::Clvmgf: def.pending.vmerge = 1; break;
    case Kw::Clvmrg: def.pending.vmerge = 2; break;
    case Kw::BorderOf: m_borderOf = info.ch; break;
    case Kw::BorderOn:
        if (m_inRowDef && m_borderOf < 5) // a paragraph's border is none of the table's
            def.border = true;
        if (side) {
            side->style = int8_t(info.ch & 0xFF);
            side->thick = info.ch & 0x100;
        }
        break;
    case Kw::BorderOff:
        if (side) {
            side->style = 0;
            side->thick = false;
        }
        break;
    case Kw::Brdrw: if (side) side->width = std::clamp(param, 0, 1440); break;
    case Kw::Brdrcf: if (side) side->color = colorAt(param); break;
    case Kw::Clcbpat: def.pending.shadeBack = colorAt(param); break;
    case Kw::Clcfpat: def.pending.shadeFore = colorAt(param); break;
    case Kw::Clshdng: def.pending.shading = std::clamp(param, 0, 10000); break;
    case Kw::Trgaph: def.gap = std::clamp(param, 0, 1440); break;
    case Kw::Trleft: def.left = std::clamp(param, -kMaxTwips, kMaxTwips); break;
    default: break;
    }
}

uint32_t Reader::colorAt(int index) const
{
    if (index < 0 || index >= m_colors.size() || !m_colors.at(index).isValid())
        return 0;
    return m_colors.at(index).rgb() | 0xFF000000u;
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
            m_listLevels.push_back(ListLevelDef());
        break;
    case Kw::LevelNfc:
        if (m_st.dest == Dest::ListTable && !m_listLevels.empty() && hasParam)
            m_listLevels.back().style = styleForNfc(param);
        break;
    case Kw::LevelStartAt:
        if (m_st.dest == Dest::ListTable && !m_listLevels.empty())
            m_listLevels.back().start = std::clamp(param, 0, 32767);
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

// {\leveltext} holds its length as the first character, then the text with the level numbers
// as characters 0 to 8: what comes before the first number and after the last one are the
// level's prefix and suffix.
void Reader::finishLevelText()
{
    const QString text = m_aux;
    m_aux.clear();
    if (text.isEmpty() || m_listLevels.empty())
        return;
    const qsizetype length = std::min<qsizetype>(text.at(0).unicode(), text.size() - 1);
    const QStringView body = QStringView(text).mid(1, length);
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body.at(i).unicode() < 9) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return; // a bullet: no number to put anything around
    auto affix = [](QStringView s) {
        Affix a;
        a.given = true;
        for (QChar ch : s) {
            if (a.size < 3 && ch.unicode() >= 0x20)
                a.c[a.size++] = ch.unicode();
        }
        return a;
    };
    m_listLevels.back().prefix = affix(body.first(first));
    m_listLevels.back().suffix = affix(body.sliced(last + 1));
}

// A field's instruction: HYPERLINK "target" [\\l "bookmark"] [other switches] makes the
// field's result text a link (in the field's group, so it ends with the field).
void Reader::finishFieldInstruction()
{
    const QString instruction = m_aux.trimmed();
    m_aux.clear();
    if (!instruction.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return;
    QString target, bookmark;
    bool nextIsBookmark = false;
    for (qsizetype i = 9; i < instruction.size();) {
        const QChar c = instruction.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        QString arg;
        if (c == u'"') {
            const qsizetype end = instruction.indexOf(u'"', i + 1);
            arg = instruction.mid(i + 1, end < 0 ? -1 : end - i - 1);
            arg.replace(QLatin1String("\\\\"), QLatin1String("\\")); // a field doubles its backslashes
            i = end < 0 ? instruction.size() : end + 1;
        } else {
            qsizetype end = i;
            while (end < instruction.size() && !instruction.at(end).isSpace())
                ++end;
            arg = instruction.mid(i, end - i);
            i = end;
            if (arg.startsWith(u'\\')) { // a switch: \l names a bookmark, the others are looks
                nextIsBookmark = arg.compare(QLatin1String("\\l"), Qt::CaseInsensitive) == 0;
                continue;
            }
        }
        if (nextIsBookmark)
            bookmark = arg;
        else if (target.isEmpty())
            target = arg;
        nextIsBookmark = false;
    }
    if (!bookmark.isEmpty())
        target += u'#' + bookmark;
    if (target.isEmpty() || m_links.size() >= 65535)
        return;
    m_links.append(target);
    m_st.chr.link = int(m_links.size());
}

// Word writes a picture twice, {\*\shppict{\pict png}}{\nonshppict{\pict wmf}}, and a
// floating picture as a shape whose property "pib" holds the picture, with a result
// ({\shprslt}) for readers without shapes. Each picture is shown once: the metafile when it is
// the only form, the shape's own picture rather than its result.
void Reader::shapeWord(int which)
{
    switch (which) {
    case 0: // \nonshppict
        if (m_pictureAlternative)
            skipGroup();
        m_pictureAlternative = false;
        break;
    case 1: m_pictureAlternative = true; break;     // \shppict
    case 2:                                        // \shprslt
        if (m_shapeHasPicture)
            skipGroup();
        m_shapeHasPicture = false;
        break;
    case 3: m_shapeHasPicture = false; break; // \shp
    case 5:                                   // \sp: its name and value are no document text
        if (m_st.dest == Dest::Text) {
            setDest(Dest::ShapeProp);
            m_aux.clear();
            m_auxBytes.clear();
        }
        break;
    case 6: // \sv: the value of the property named so far
        if (m_st.dest == Dest::ShapeProp) {
            flushAux(m_st.cp, false);
            m_st.shapePicture = m_aux.trimmed() == QLatin1String("pib");
            m_aux.clear();
        }
        break;
    default: break; // \shpinst: read, its text boxes are text
    }
}

void Reader::pictureWord(KwInfo info, bool hasParam, int param)
{
    const Kw kw = info.kw;
    if (kw == Kw::Bin) {
        binary(param);
        return;
    }
    if (m_st.dest != Dest::Pict)
        return;
    static const char* const kindWords[] = {"", "", "", "wmetafile", "emfblip", "dibitmap", "wbitmap", "macpict", "pmmetafile"};
    static const char* const extraWords[] = {"picbmp", "picbpp", "wbmbitspixel", "wbmplanes", "wbmwidthbytes"};
    auto keep = [&](QByteArray& to, const char* word) {
        to.append('\\').append(word);
        if (hasParam)
            to.append(QByteArray::number(param));
    };
    const int v = std::clamp(param, 0, 1 << 20);
    switch (kw) {
    case Kw::PngBlip: m_pict.kind = Picture::Png; break;
    case Kw::JpegBlip: m_pict.kind = Picture::Jpeg; break;
    case Kw::OtherPict: // metafiles and bitmaps Qt cannot read: kept with the words saying what they are
        if (info.ch >= Picture::Wmf && info.ch <= Picture::PmMeta) {
            m_pict.kind = Picture::Kind(info.ch);
            m_pict.kindWord.clear();
            keep(m_pict.kindWord, kindWords[info.ch]);
        }
        break;
    case Kw::PictExtra:
        if (info.ch < std::size(extraWords))
            keep(m_pict.words, extraWords[info.ch]);
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
    const QByteArray& d = pict.data;
    const bool png = d.startsWith("\x89PNG\r\n\x1a\n");
    const bool jpeg = d.startsWith("\xFF\xD8\xFF");
    if (pict.kind == Picture::Unknown && !png && !jpeg) {
        ++m_diag.skippedPictures;
        return;
    }
    DocBuilder::Picture out;
    out.data = d;
    out.goalw = pict.goalw;
    out.goalh = pict.goalh;
    out.scalex = pict.scalex;
    out.scaley = pict.scaley;
    // Goal sizes are twips; \picw/\pich of a bitmap are pixels, of a metafile hundredths of
    // a millimetre.
    auto shown = [](int goal, int natural, int scale) {
        if (goal > 0 && !(scale == 100 && std::abs(goal - natural * 15) <= 15))
            return goal / 15.0 * scale / 100.0;
        return scale != 100 && natural > 0 ? natural * scale / 100.0 : 0.0;
    };
    if (pict.kind <= Picture::Jpeg) {
        if (!png && !jpeg) {
            ++m_diag.badPictures;
            return;
        }
        // The header must give a size: data that no image reader can open stays out.
        QBuffer buffer(const_cast<QByteArray*>(&d));
        buffer.open(QIODevice::ReadOnly);
        const QSize size = QImageReader(&buffer, png ? "png" : "jpeg").size();
        if (!size.isValid() || size.isEmpty()) {
            ++m_diag.badPictures;
            return;
        }
        // A picture shown at its own size keeps no explicit size, so the editor's image
        // handling applies.
        out.extension = png ? QStringLiteral("png") : QStringLiteral("jpg");
        out.width = shown(pict.goalw, pict.picw, pict.scalex);
        out.height = shown(pict.goalh, pict.pich, pict.scaley);
    } else {
        if (d.isEmpty()) {
            ++m_diag.badPictures;
            return;
        }
        static const char* const extensions[] = {"", "", "", "wmf", "emf", "bmp", "bmp", "pict", "met"};
        static const char* const labels[] = {"", "", "", "WMF", "EMF", "BMP", "BMP", "PICT", "PMF"};
        const bool bitmap = pict.kind == Picture::Dib || pict.kind == Picture::WBitmap;
        const double naturalW = bitmap ? pict.picw : pict.picw * 96.0 / 2540;
        const double naturalH = bitmap ? pict.pich : pict.pich * 96.0 / 2540;
        out.extension = QLatin1String(extensions[pict.kind]);
        out.words = QString::fromLatin1(pict.kindWord + pict.words) + QStringLiteral("\\picw%1\\pich%2").arg(pict.picw).arg(pict.pich);
        // Qt shows no picture of its own here: the size is always given.
        out.width = pict.goalw > 0 ? pict.goalw / 15.0 * pict.scalex / 100.0 : naturalW * pict.scalex / 100.0;
        out.height = pict.goalh > 0 ? pict.goalh / 15.0 * pict.scaley / 100.0 : naturalH * pict.scaley / 100.0;
        if (out.width <= 0 || out.height <= 0)
            out.width = out.height = 64; // no size anywhere: a box the label fits in
        if (pict.kind == Picture::Dib)
            out.shown = dibImage(d);
        if (out.shown.isNull())
            out.shown = pictureBox(int(out.width + 0.5), int(out.height + 0.5), labels[pict.kind]);
    }
    if (!(m_st.dest == Dest::Text || m_st.shapePicture) || hidden())
        return;
    if (m_st.shapePicture)
        m_shapeHasPicture = true;
    flushRun();
    m_out.insertPicture(out, para());
}

} // namespace rtf

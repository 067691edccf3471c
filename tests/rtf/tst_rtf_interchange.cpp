// SPDX-License-Identifier: MIT
// What other readers need from the RTF we write, and what a document carries that must
// survive a round trip: one small document per case that lost something before.
#include "RtfTestUtil.h"
#include "rtf/Rtf.h"
#include "rtf/RtfStructure.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QRegularExpression>
#include <QTextImageFormat>
#include <QUrl>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace {

QByteArray rewritten(const QByteArray& rtf, QTextDocument& back)
{
    QTextDocument first;
    if (!RtfToDocument(rtf, first))
        return QByteArray();
    const QByteArray written = DocumentToRtf(first);
    RtfToDocument(written, back);
    return written;
}

QStringList markers(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.textList())
            out << rtf::listItemLabel(b) + u' ' + b.text();
    }
    return out;
}

} // namespace

class TstRtfInterchange : public QObject {
    Q_OBJECT

private slots:
    // Readers that follow Word refuse a nested row whose paragraphs rely on the nesting an
    // earlier row left: every paragraph of a nested cell, and the row end, state it.
    void nestedRowsStateTheirNesting()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextTable* outer = c.insertTable(1, 2);
        c = outer->cellAt(0, 0).firstCursorPosition();
        c.insertText(QStringLiteral("outer"));
        QTextTable* inner = c.insertTable(2, 2);
        for (int r = 0; r < 2; ++r) {
            for (int col = 0; col < 2; ++col) {
                QTextCursor cell = inner->cellAt(r, col).firstCursorPosition();
                cell.insertText(QStringLiteral("in%1%2").arg(r).arg(col));
                if (col == 1) {
                    cell.insertBlock();
                    cell.insertText(QStringLiteral("second paragraph"));
                }
            }
        }
        const QByteArray rtf = DocumentToRtf(doc);
        // Each paragraph that ends in a nested cell or row: from its \pard to the mark.
        int checked = 0;
        qsizetype from = 0;
        static const QRegularExpression mark(QStringLiteral(R"(\\(nestcell|nestrow|par)\b)"));
        for (auto m = mark.globalMatch(QString::fromLatin1(rtf)); m.hasNext();) {
            const auto hit = m.next();
            const QByteArray para = rtf.mid(from, hit.capturedStart() - from);
            from = hit.capturedEnd();
            if (!para.contains("\\itap2") && hit.captured(1) == u"par")
                continue; // a paragraph of the outer cell or after the table
            const qsizetype pard = para.lastIndexOf("\\pard");
            QVERIFY2(pard >= 0 && para.mid(pard).startsWith("\\pard\\intbl\\itap2"), para.constData());
            ++checked;
        }
        QCOMPARE(checked, 4 + 2 + 2); // cell ends, first paragraphs of two-paragraph cells, row ends
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
    }

    // One level word per \pn group (\pnlvlbody and \pnlvlN together flatten a nested list
    // in other readers), and the level in the list table's terms.
    void listLevelsOneWordEach()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        const QTextListFormat::Style styles[] = {QTextListFormat::ListDecimal, QTextListFormat::ListLowerAlpha,
                                                 QTextListFormat::ListDisc};
        for (int level = 1; level <= 3; ++level) {
            if (level > 1)
                c.insertBlock();
            QTextListFormat lf;
            lf.setStyle(styles[level - 1]);
            lf.setIndent(level);
            c.createList(lf);
            c.insertText(QStringLiteral("level %1").arg(level));
        }
        const QByteArray rtf = DocumentToRtf(doc);
        static const QRegularExpression group(QStringLiteral(R"(\{\\\*\\pn\\.*?\}\})"));
        static const QRegularExpression levelWord(QStringLiteral(R"(\\pnlvl(blt|body|\d+))"));
        int groups = 0;
        for (auto m = group.globalMatch(QString::fromLatin1(rtf)); m.hasNext(); ++groups) {
            const QString g = m.next().captured();
            QCOMPARE(g.count(levelWord), 1);
        }
        QCOMPARE(groups, 3);
        QVERIFY2(rtf.contains("\\pnlvl2") && rtf.contains("\\ilvl1") && rtf.contains("\\ilvl2"), rtf.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
    }

    // 7., 8. became 1., 2. and ")" became ".".
    void listStartAndSuffixKept_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("pn") << QByteArray(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\pard{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart7\\pndec"
            "{\\pntxta )}}{\\pntext 7)\\tab}seven\\par{\\pntext 8)\\tab}eight\\par}");
        QTest::newRow("list table") << QByteArray(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat7"
            "{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}}\\listid5}}{\\*\\listoverridetable{\\listoverride"
            "\\listid5\\ls1}}\\f0\\pard\\ls1{\\listtext 7)\\tab}seven\\par{\\listtext 8)\\tab}eight\\par}");
    }
    void listStartAndSuffixKept()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument first;
        QVERIFY(RtfToDocument(rtf, first));
        const QStringList expected{QStringLiteral("7) seven"), QStringLiteral("8) eight")};
        QCOMPARE(markers(first), expected);
        QTextDocument back;
        const QByteArray written = rewritten(rtf, back);
        QVERIFY2(written.contains("\\pnstart7") && written.contains("{\\pntxta )}") && written.contains("\\levelstartat7"),
                 written.constData());
        QVERIFY2(written.contains("{\\pntext\\f0 7)\\tab}") && written.contains("{\\pntext\\f0 8)\\tab}eight"),
                 written.constData());
        QCOMPARE(markers(back), expected);
        QCOMPARE(DocumentToRtf(back), written);
    }

    // HTML from Qt 6.4 numbered every list from 1: each start goes on its own list's <ol>
    // (levels start at 7, 1 and 3), and a list before it keeps none.
    void listStartInHtml()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtftest::readData(QStringLiteral("list_levels_start_suffix.rtf")), doc));
        const QString html = DocumentToHtml(doc);
        const qsizetype seven = html.indexOf(QLatin1String("<ol start=\"7\"")), three = html.indexOf(QLatin1String("<ol start=\"3\""));
        QVERIFY2(seven >= 0 && three > seven, qPrintable(html));
        QCOMPARE(html.count(QLatin1String("start=")), 2);
        QCOMPARE(html.count(QLatin1String("<ol")), doc.toHtml().count(QLatin1String("<ol")));

        QTextDocument mixed;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1\\ansi\\pard{\\*\\pn\\pnlvlblt{\\pntxtb x}}{\\pntext x\\tab}dot\\par\\pard\\par"
                                         "\\pard{\\*\\pn\\pnlvlbody\\pnstart3\\pndec}{\\pntext 3.\\tab}three\\par}"),
                              mixed));
        const QString h = DocumentToHtml(mixed);
        const qsizetype ul = h.indexOf(QLatin1String("<ul")), ol = h.indexOf(QLatin1String("<ol start=\"3\""));
        QVERIFY2(ul >= 0 && ol > ul, qPrintable(h));
    }

    // Hyperlinks were dropped, in the editor and in rewritten RTF.
    void hyperlinksKept()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("see "));
        QTextCharFormat link;
        link.setAnchor(true);
        link.setAnchorHref(QStringLiteral("https://example.invalid/report?id=\"7\"#part2"));
        link.setFontUnderline(true);
        c.insertText(QStringLiteral("the report"), link);
        link.setAnchorHref(QStringLiteral("#top"));
        c.insertText(QStringLiteral(" top"), link);
        c.insertText(QStringLiteral(" end"), QTextCharFormat());
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY2(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \"https://example.invalid/report?id=%227%22\" \\\\l \"part2\"}}"
                              "{\\fldrslt{"),
                 rtf.constData());
        QVERIFY2(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \\\\l \"top\"}}{\\fldrslt{"), rtf.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QStringList targets;
        for (QTextBlock::iterator it = back.begin().begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            targets << (f.isAnchor() ? f.anchorHref() : QString()) + u'=' + it.fragment().text();
        }
        QCOMPARE(targets, (QStringList{QStringLiteral("=see "),
                                       QStringLiteral("https://example.invalid/report?id=%227%22#part2=the report"),
                                       QStringLiteral("#top= top"), QStringLiteral("= end")}));
        QCOMPARE(DocumentPlainText(back), QStringLiteral("see the report top end"));
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    // WMF, EMF and DIB pictures were dropped (most pictures pasted on Windows are such).
    void picturesQtCannotReadKept()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtftest::readData(QStringLiteral("picture_wmf.rtf")), doc));
        QTextDocument dibDoc;
        QVERIFY(RtfToDocument(rtftest::readData(QStringLiteral("picture_dib.rtf")), dibDoc));
        auto images = [](const QTextDocument& d) {
            QList<QTextImageFormat> out;
            for (QTextBlock::iterator it = d.begin().begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().isImageFormat())
                    out << it.fragment().charFormat().toImageFormat();
            }
            return out;
        };
        const QList<QTextImageFormat> wmf = images(doc);
        QCOMPARE(wmf.size(), 2);
        const QImage box = doc.resource(QTextDocument::ImageResource, QUrl(wmf[0].name())).value<QImage>();
        QCOMPARE(box.size(), QSize(96, 48)); // shown as a box of its size
        const QByteArray bytes = doc.resource(QTextDocument::ImageResource, QUrl(wmf[0].name() + QStringLiteral("#data"))).toByteArray();
        QVERIFY(bytes.startsWith(QByteArray::fromHex("010009000003")));
        const QList<QTextImageFormat> dib = images(dibDoc);
        QCOMPARE(dib.size(), 1);
        const QImage drawn = dibDoc.resource(QTextDocument::ImageResource, QUrl(dib[0].name())).value<QImage>();
        QCOMPARE(drawn.size(), QSize(2, 2));
        QCOMPARE(drawn.pixel(0, 0), qRgb(0, 0, 255)); // rows come bottom-up
        QCOMPARE(drawn.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(drawn.pixel(1, 1), qRgb(255, 0, 0));

        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\r\n010009000003"),
                 written.constData());
        QVERIFY2(written.contains("{\\pict\\wmetafile8\\picw100\\pich100\r\n"), written.constData());
        QVERIFY2(DocumentToRtf(dibDoc).contains("{\\pict\\dibitmap0\\picw2\\pich2\\picwgoal600\\pichgoal450\r\n28000000"),
                 DocumentToRtf(dibDoc).constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
        QCOMPARE(DocumentToRtf(back), written);
    }

    // \picwgoal and \pichgoal drifted by a few twips on a second write.
    void pictureGoalsStable()
    {
        const QByteArray png = QByteArray::fromHex(
            "89504e470d0a1a0a0000000d49484452000000020000000208020000"
            "00fdd49a730000001649444154789c63f8cfc0f01f0819181800000f"
            "e003fdc4b6d7fa0000000049454e44ae426082");
        QTextDocument doc;
        QVERIFY(RtfToDocument("{\\rtf1 a{\\pict\\pngblip\\picw2\\pich2\\picwgoal41\\pichgoal37 " + png.toHex() + "}b"
                              "{\\pict\\pngblip\\picw2\\pich2\\picwgoal1001\\pichgoal999\\picscalex50 " + png.toHex() + "}\\par}",
                              doc));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("\\picw2\\pich2\\picwgoal41\\pichgoal37\r\n"), written.constData());
        QVERIFY2(written.contains("\\picwgoal1001\\pichgoal999\\picscalex50\r\n"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(DocumentToRtf(back), written);
    }

    // An optional hyphen (\\-) was dropped: it is kept in the document and written back, and
    // plain text leaves it out as before.
    void optionalHyphenKept()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 Ultra\\-schall\\par}"), doc));
        QCOMPARE(doc.begin().text(), QStringLiteral("Ultra\u00ADschall"));
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("Ultraschall"));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("Ultra\\-schall"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(back.begin().text(), doc.begin().text());
    }

    // Headers and footers of pasted documents were dropped: kept whole and written back.
    void headersAndFootersKept()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtftest::readData(QStringLiteral("header_footer.rtf")), doc));
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("body"));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("{\\header \\pard\\qc \\'b3\\'ac\\'c9\\'f9\\'bf\\'c6 report\\par}"), written.constData());
        QVERIFY2(written.contains("{\\footerf \\pard page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(DocumentToRtf(back), written);
        // Pasting adds the pasted document's; loading a document replaces them.
        QTextCursor c(&back);
        c.movePosition(QTextCursor::End);
        QVERIFY(InsertRtf(QByteArray("{\\rtf1 {\\footer other\\par}x}"), c));
        QVERIFY(DocumentToRtf(back).contains("{\\footer other\\par}"));
        QVERIFY(DocumentToRtf(back).contains("{\\footerf "));
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 plain\\par}"), back));
        QVERIFY(!DocumentToRtf(back).contains("footer"));
    }

    // Font numbers inside headers and footnotes named the original font table: in the one we
    // write they named another font, and GBK bytes were read in another code page.
    void keptGroupsKeepTheirFonts()
    {
        const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f3\\fnil\\fcharset134 SimSun;}{\\f7\\fswiss Arial;}"
                               "{\\f9\\froman\\fcharset0 Times New Roman;}}{\\header \\pard\\f3\\'b3\\'ac report\\par}"
                               "\\f7 body{\\super\\chftn}{\\*\\footnote \\pard\\plain\\f9 note \\f3\\'b3\\'ac\\af42 x}\\par}";
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtf, doc));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset134 SimSun;}"
                                  "{\\f2\\fnil\\fcharset0 Times New Roman;}}"),
                 written.constData());
        QVERIFY2(written.contains("{\\header \\pard\\f1\\'b3\\'ac report\\par}"), written.constData());
        // A font the table does not name is left out.
        QVERIFY2(written.contains("{\\*\\footnote \\pard\\plain\\f2 note \\f1\\'b3\\'acx}"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(DocumentToRtf(back), written);
        // Loading another document forgets them; pasting adds the pasted document's.
        QTextCursor c(&back);
        c.movePosition(QTextCursor::End);
        QVERIFY(InsertRtf(QByteArray("{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0 Courier;}}{\\footer \\f0 page\\par}x}"), c));
        const QString pasted = QString::fromLatin1(DocumentToRtf(back));
        const QRegularExpressionMatch courier = QRegularExpression(QStringLiteral(R"(\{\\f(\d+)\\fnil\\fcharset0 Courier;\})")).match(pasted);
        QVERIFY2(courier.hasMatch(), qPrintable(pasted));
        QVERIFY2(pasted.contains(QStringLiteral("{\\footer \\f%1 page\\par}").arg(courier.captured(1))), qPrintable(pasted));
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 plain\\par}"), back));
        QVERIFY(back.property(rtf::kKeptFontsProperty).isNull());
    }

    // Colour numbers inside headers and footnotes named the original colour table: in the one
    // we write they named the body's colours, so a red header came back blue.
    void keptGroupsKeepTheirColours()
    {
        // The colour each \<word>N inside the first kept group starting with `start` (up to its
        // first '}') names in the written colour table ("auto" for 0, "none" past the table).
        const auto named = [](const QByteArray& written, const QByteArray& start, const QByteArray& word) {
            QList<QString> table{QStringLiteral("auto")};
            const qsizetype at = written.indexOf("{\\colortbl ;");
            if (at >= 0) {
                const QByteArray body = written.mid(at, written.indexOf('}', at) - at);
                static const QRegularExpression entry(QStringLiteral(R"(\\red(\d+)\\green(\d+)\\blue(\d+);)"));
                for (auto it = entry.globalMatch(QString::fromLatin1(body)); it.hasNext();) {
                    const QRegularExpressionMatch m = it.next();
                    table << QColor(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).name();
                }
            }
            QStringList out;
            const qsizetype from = written.indexOf(start);
            if (from < 0)
                return out;
            const QString group = QString::fromLatin1(written.mid(from, written.indexOf('}', from) - from));
            const QRegularExpression use(QStringLiteral(R"(\\%1(\d+)(?![a-z]))").arg(QString::fromLatin1(word)));
            for (auto it = use.globalMatch(group); it.hasNext();) {
                const int n = it.next().captured(1).toInt();
                out << (n < table.size() ? table.at(n) : QStringLiteral("none"));
            }
            return out;
        };
        // The body uses blue only; entry 5 is an automatic colour, \cf9 is past the table.
        const QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;"
                               "\\red255\\green255\\blue0;\\red0\\green0\\blue255;;}"
                               "{\\header \\pard\\cf1 red \\cf0 auto\\par}"
                               "{\\footer \\pard\\cb3\\chcbpat2\\cfpat1 shaded \\cf5 a\\cf9 b\\par}"
                               "\\cf4 body{\\super\\chftn}{\\*\\footnote \\pard\\plain\\cf2 green \\highlight3 yellow}\\par}";
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtf, doc));
        const QByteArray written = DocumentToRtf(doc);
        const QString red = QStringLiteral("#ff0000"), green = QStringLiteral("#008000"),
                      yellow = QStringLiteral("#ffff00"), autoColour = QStringLiteral("auto");
        QCOMPARE(named(written, "{\\header ", "cf"), QStringList({red, autoColour}));
        QCOMPARE(named(written, "{\\footer ", "cb"), QStringList{yellow});
        QCOMPARE(named(written, "{\\footer ", "chcbpat"), QStringList{green});
        QCOMPARE(named(written, "{\\footer ", "cfpat"), QStringList{red});
        // An automatic colour, and one the table does not have, are the automatic colour.
        QCOMPARE(named(written, "{\\footer ", "cf"), QStringList({autoColour, autoColour}));
        QCOMPARE(named(written, "{\\*\\footnote ", "cf"), QStringList{green});
        QCOMPARE(named(written, "{\\*\\footnote ", "highlight"), QStringList{yellow});
        QVERIFY2(!written.contains("\\cf9") && !written.contains("\\cf5"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(DocumentToRtf(back), written);
        // Pasting adds the pasted document's colours; loading another document forgets them.
        QTextCursor c(&back);
        c.movePosition(QTextCursor::End);
        QVERIFY(InsertRtf(QByteArray("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}{\\footer \\cf1 page\\par}x}"), c));
        const QByteArray pasted = DocumentToRtf(back);
        QCOMPARE(named(pasted, "{\\footer \\cf", "cf"), QStringList{QColor(1, 2, 3).name()});
        QCOMPARE(named(pasted, "{\\header ", "cf"), QStringList({red, autoColour}));
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 plain\\par}"), back));
        QVERIFY(back.property(rtf::kKeptColorsProperty).isNull());
    }

    // Three cells of 1701 twips became 5103 each (the width of the merged cell above them),
    // and a short row had its span on its last cell whichever cell was wide.
    void mergedCellsRealWidths()
    {
        const QByteArray rtf = rtftest::readData(QStringLiteral("table_merged_widths.rtf"));
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtf, doc));
        QTextTable* table = nullptr;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            table = table ? table : qobject_cast<QTextTable*>(f);
        QVERIFY(table);
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 3);
        for (const QTextLength& w : widths) {
            QCOMPARE(w.type(), QTextLength::FixedLength);
            QCOMPARE(w.rawValue(), 1701 / 15.0);
        }
        QCOMPARE(table->cellAt(2, 0).columnSpan(), 2);
        QCOMPARE(table->cellAt(2, 2).firstCursorPosition().block().text(), QStringLiteral("e"));
        QCOMPARE(table->cellAt(3, 1).columnSpan(), 2);
        QCOMPARE(table->cellAt(3, 0).firstCursorPosition().block().text(), QStringLiteral("f"));

        const QByteArray written = DocumentToRtf(doc);
        static const QRegularExpression cellx(QStringLiteral(R"(\\cellx(\d+))"));
        int edges = 0;
        for (auto m = cellx.globalMatch(QString::fromLatin1(written)); m.hasNext(); ++edges)
            QVERIFY2(m.next().captured(1).toInt() <= 5103, written.constData()); // as wide as it was
        QCOMPARE(edges, 4 * 3);
        QVERIFY2(written.contains("\\clmgf\\cellx1701\\clmrg\\cellx3402\\cellx5103"), written.constData());
        QVERIFY2(written.contains("\\cellx1701\\clmgf\\cellx3402\\clmrg\\cellx5103"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
        QCOMPARE(back.rootFrame()->childFrames().size(), 1);
    }

    // A first row whose first cell is the wide one, then finer rows: the span went to the
    // row's last cell. The cells move to the columns they cover, a list, a nested table and
    // borders with them.
    void wideFirstCellSpansItsColumns()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtftest::readData(QStringLiteral("table_wide_first_cell.rtf")), doc));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("\\clmgf\\clcbpat1\\cellx1701\\clmrg\\clcbpat1\\cellx3402\\cellx5103"), written.constData());

        const QByteArray rtf =
            "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}"
            "\\trowd\\cellx2000\\clbrdrt\\brdrs\\brdrw30\\brdrcf1\\cellx3000"
            "\\pard\\intbl wide\\cell{\\*\\pn\\pnlvlbody\\pndec}item one\\par item two\\par"
            "\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell{\\*\\nesttableprops\\trowd\\cellx500\\cellx1000\\nestrow}"
            "{\\nonesttables\\par}\\pard\\intbl\\itap1 tail\\cell\\row"
            "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl a\\cell b\\cell c\\cell\\row}";
        QTextDocument moved;
        QVERIFY(RtfToDocument(rtf, moved));
        QTextTable* t = qobject_cast<QTextTable*>(moved.rootFrame()->childFrames().value(0));
        QVERIFY(t);
        QCOMPARE(t->columns(), 3);
        QCOMPARE(t->cellAt(0, 0).columnSpan(), 2);
        QCOMPARE(t->cellAt(0, 0).firstCursorPosition().block().text(), QStringLiteral("wide"));
        const QTextTableCell last = t->cellAt(0, 2);
        QCOMPARE(last.column(), 2);
        QCOMPARE(last.format().doubleProperty(QTextFormat::TableCellTopBorder), 2.0);
        QCOMPARE(t->cellAt(0, 0).format().intProperty(QTextFormat::TableCellTopBorderStyle), int(QTextFrameFormat::BorderStyle_None));
        QCOMPARE(DocumentPlainText(moved), QStringLiteral("wide\titem one\r\nitem two\r\nn1\tn2\r\ntail\r\na\tb\tc"));
        QVERIFY(last.firstCursorPosition().block().textList());
        QCOMPARE(last.firstCursorPosition().block().textList()->count(), 2);
        int nested = 0;
        for (QTextFrame::iterator it = last.begin(); !it.atEnd(); ++it)
            nested += qobject_cast<QTextTable*>(it.currentFrame()) ? 1 : 0;
        QCOMPARE(nested, 1);
        QTextDocument back;
        QVERIFY(RtfToDocument(DocumentToRtf(moved), back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(moved));
    }

    // Border colours, one-sided borders and cell shading were dropped: a table made in the
    // editor with Qt's cell formats is written with them and reads back the same, and a side
    // read from RTF keeps its own width while nobody changes it.
    void cellBordersAndShadingKept()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextTableFormat tf;
        tf.setBorder(0);
        tf.setBorderCollapse(true);
        QTextTable* table = c.insertTable(1, 3, tf);
        auto look = [&](int col, int side, double width, QTextFrameFormat::BorderStyle style, QColor colour, QColor back) {
            QTextTableCell cell = table->cellAt(0, col);
            QTextTableCellFormat f = cell.format().toTableCellFormat();
            for (int s = 0; s < 4; ++s) { // the other sides say "none", as a cell read from RTF does
                f.setProperty(QTextFormat::TableCellTopBorder + s, s == side ? width : 0.0);
                f.setProperty(QTextFormat::TableCellTopBorderStyle + s, s == side ? int(style) : 0);
            }
            if (colour.isValid())
                f.setProperty(QTextFormat::TableCellTopBorderBrush + side, QBrush(colour));
            if (back.isValid())
                f.setBackground(back);
            cell.setFormat(f);
            cell.firstCursorPosition().insertText(QStringLiteral("cell %1").arg(col));
        };
        look(0, 0, 2, QTextFrameFormat::BorderStyle_Solid, Qt::red, QColor());
        look(1, 2, 1, QTextFrameFormat::BorderStyle_Dashed, Qt::blue, QColor(255, 255, 0));
        look(2, 3, 3, QTextFrameFormat::BorderStyle_Double, QColor(), QColor(191, 191, 191));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("\\clbrdrt\\brdrs\\brdrw30\\brdrcf1\\cellx"), written.constData());
        QVERIFY2(written.contains("\\clbrdrl\\brdrdash\\brdrw15\\brdrcf2\\clcbpat3\\cellx"), written.constData());
        QVERIFY2(written.contains("\\clbrdrr\\brdrdb\\brdrw15\\clcbpat4\\cellx"), written.constData()); // automatic colour
        QVERIFY2(written.contains("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;"
                                  "\\red191\\green191\\blue191;}"),
                 written.constData());
        QVERIFY2(!written.contains("\\trbrdr") && !written.contains("\\clbrdrb"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
        QCOMPARE(DocumentToRtf(back), written);

        // A hairline read from RTF is drawn a pixel wide but written with its own width; a
        // width changed in the editor is written as it now is.
        QTextDocument thin;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\trowd\\clbrdrb\\brdrs\\brdrw5\\brdrcf1"
                                         "\\cellx1000\\clbrdrb\\brdrs\\brdrw5\\cellx2000\\pard\\intbl a\\cell b\\cell\\row}"),
                              thin));
        QTextTable* t = qobject_cast<QTextTable*>(thin.rootFrame()->childFrames().value(0));
        QVERIFY(t);
        QCOMPARE(t->format().border(), 0.0); // one-sided borders: no grid around the table
        QCOMPARE(t->cellAt(0, 0).format().doubleProperty(QTextFormat::TableCellBottomBorder), 1.0);
        QTextTableCell second = t->cellAt(0, 1);
        QTextTableCellFormat wider = second.format().toTableCellFormat();
        wider.setBottomBorder(2);
        second.setFormat(wider);
        const QByteArray thinWritten = DocumentToRtf(thin);
        QVERIFY2(thinWritten.contains("\\clbrdrb\\brdrs\\brdrw5\\brdrcf1\\cellx1000\\clbrdrb\\brdrs\\brdrw30\\cellx2000"),
                 thinWritten.constData());
    }

    // Qt hands a shaded cell's background to the text typed into it: that is the cell's
    // colour, not a highlight of the text, and is not written as one.
    void textInShadedCellNotHighlighted()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1{\\colortbl;\\red255\\green255\\blue0;}\\trowd\\clcbpat1\\cellx1000"
                                         "\\pard\\intbl\\cell\\row}"),
                              doc));
        QTextTable* t = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().value(0));
        QVERIFY(t);
        QTextCursor c = t->cellAt(0, 0).firstCursorPosition();
        c.insertText(QStringLiteral("typed"));
        QCOMPARE(c.block().begin().fragment().charFormat().background().color(), QColor(255, 255, 0));
        const QByteArray written = DocumentToRtf(doc);
        QVERIFY2(written.contains("\\clcbpat1\\cellx1000") && !written.contains("\\highlight"), written.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(written, back));
        QVERIFY(!rtftest::runs(back).contains(QLatin1String("#ffff00")));
        QVERIFY(rtftest::outline(back).contains(QLatin1String("C 0,0 bg=#ffff00")));
    }

    // A grid of thin single lines stays the table's own border; a paragraph's border inside a
    // row's definition is not the table's.
    void plainGridAndParagraphBorders_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("cellSides");
        const QByteArray all = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
        QTest::newRow("plain grid") << "\\trowd" + all + "\\cellx1000" + all + "\\cellx2000\\pard\\intbl" << true << false;
        QTest::newRow("row borders only") << QByteArray("\\trowd\\trbrdrt\\brdrs\\brdrw10\\cellx1000\\cellx2000\\pard\\intbl")
                                          << true << false;
        QTest::newRow("paragraph border") << QByteArray("\\trowd\\cellx1000\\cellx2000\\pard\\intbl\\brdrb\\brdrs\\brdrw10 ")
                                          << false << false;
        QTest::newRow("one thick side") << "\\trowd" + all + "\\cellx1000\\clbrdrt\\brdrth\\brdrw10\\cellx2000\\pard\\intbl"
                                        << false << true;
    }
    void plainGridAndParagraphBorders()
    {
        QFETCH(QByteArray, row);
        QFETCH(bool, grid);
        QFETCH(bool, cellSides);
        QTextDocument doc;
        QVERIFY(RtfToDocument("{\\rtf1 " + row + " a\\cell b\\cell\\row}", doc));
        QTextTable* t = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().value(0));
        QVERIFY(t);
        QCOMPARE(t->format().border() > 0, grid);
        QCOMPARE(t->cellAt(0, 1).format().hasProperty(QTextFormat::TableCellTopBorderStyle), cellSides);
        if (cellSides) // twice the width of one line
            QCOMPARE(t->cellAt(0, 1).format().doubleProperty(QTextFormat::TableCellTopBorder), 20 / 15.0);
    }

    // Footnote marks (\\chftn) and footnotes were lost: each mark shows as its number and its
    // footnote is written back right after it, unchanged, on every write.
    void footnotesKept()
    {
        const QByteArray rtf = rtftest::readData(QStringLiteral("footnote.rtf"));
        QTextDocument doc;
        QVERIFY(RtfToDocument(rtf, doc));
        auto notes = [](const QTextDocument& d) {
            QStringList out;
            for (QTextBlock::iterator it = d.begin().begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (f.hasProperty(rtf::kFootnoteProperty))
                    out << it.fragment().text() + u'=' + f.stringProperty(rtf::kFootnoteProperty);
            }
            return out;
        };
        const QStringList expected{QStringLiteral("1={\\*\\footnote \\pard\\plain{\\super\\chftn} Measured supine.}"),
                                   QStringLiteral("2={\\*\\footnote \\pard\\plain{\\super\\chftn} Second note.}")};
        QCOMPARE(notes(doc), expected);
        QTextDocument back;
        const QByteArray written = rewritten(rtf, back);
        QVERIFY2(written.contains("Liver normal\\super\\chftn{\\*\\footnote \\pard\\plain{\\super\\chftn} Measured supine.}"
                                  "\\nosupersub  and spleen"),
                 written.constData());
        QCOMPARE(notes(back), expected);
        QCOMPARE(DocumentPlainText(back), QStringLiteral("Liver normal1 and spleen2 end."));
        QCOMPARE(DocumentToRtf(back), written);

        // Text typed after a mark takes the mark's format: it stays text, and the footnote
        // stays with the number.
        QTextCursor c(&back);
        c.setPosition(QStringLiteral("Liver normal1").size());
        c.insertText(QStringLiteral("x"));
        const QByteArray typed = DocumentToRtf(back);
        QVERIFY2(typed.contains("\\chftn{\\*\\footnote \\pard\\plain{\\super\\chftn} Measured supine.}x\\nosupersub "),
                 typed.constData());
        QTextDocument again;
        QVERIFY(RtfToDocument(typed, again));
        QCOMPARE(DocumentPlainText(again), QStringLiteral("Liver normal1x and spleen2 end."));
        QCOMPARE(notes(again).size(), 2);

        // A mark whose footnote never came still counts, on every read: the numbers stay.
        QTextDocument lone;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 a{\\chftn} b{\\chftn}{\\footnote n}\\par}"), lone));
        QCOMPARE(DocumentPlainText(lone), QStringLiteral("a1 b2"));
        QTextDocument loneBack;
        QVERIFY(RtfToDocument(DocumentToRtf(lone), loneBack));
        QCOMPARE(DocumentPlainText(loneBack), QStringLiteral("a1 b2"));
        QCOMPARE(notes(loneBack), QStringList{QStringLiteral("2={\\*\\footnote n}")});

        // A footnote in a pasted document, and one cut off by the end of the input.
        QTextCursor end(&again);
        end.movePosition(QTextCursor::End);
        QVERIFY(InsertRtf(QByteArray("{\\rtf1 more{\\super\\chftn}{\\*\\footnote pasted}}"), end));
        QCOMPARE(notes(again).last(), QStringLiteral("1={\\*\\footnote pasted}"));
        QTextDocument cut;
        QStringList warnings;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 a{\\chftn}{\\footnote never ends"), cut, &warnings));
        QCOMPARE(DocumentPlainText(cut), QStringLiteral("a1"));
        QVERIFY(!DocumentToRtf(cut).contains("footnote"));
        QVERIFY(!warnings.isEmpty());
    }

    // Millions of empty paragraphs took minutes and gigabytes (one QTextBlock each): beyond a
    // thousand in a row they become line breaks, with the same plain text, and say so.
    void manyEmptyParagraphsFolded()
    {
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 first\\par ";
        for (int i = 0; i < 2500; ++i)
            rtf += "\\par\r\n";
        rtf += "last\\par\\par\\par}";
        QTextDocument doc;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, doc, &warnings));
        const QString expected = QStringLiteral("first") + QStringLiteral("\r\n").repeated(2501) + QStringLiteral("last\r\n\r\n");
        QCOMPARE(DocumentPlainText(doc), expected);
        QCOMPARE(doc.blockCount(), 1 + 1000 + 1 + 2);
        QCOMPARE(warnings, QStringList{QStringLiteral("1500 empty paragraphs in a row beyond the first 1000 kept as line breaks")});
        // Written again, the folded marks are line breaks that read back as they are.
        QTextDocument back;
        QVERIFY(RtfToDocument(DocumentToRtf(doc), back, &warnings));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u"; ")));
        QCOMPARE(DocumentPlainText(back), expected);
    }

    // Empty paragraphs with a format of their own, or list items, are never folded.
    void emptyParagraphsWithFormatsKept()
    {
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
        for (int i = 0; i < 1200; ++i)
            rtf += i % 2 ? "\\pard\\qc\\par " : "\\pard\\par ";
        rtf += "}";
        QTextDocument doc;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, doc, &warnings));
        QCOMPARE(doc.blockCount(), 1200);
        QVERIFY(warnings.isEmpty());
    }
};

QTEST_MAIN(TstRtfInterchange)
#include "tst_rtf_interchange.moc"

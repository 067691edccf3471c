// SPDX-License-Identifier: MIT
// The RTF the writer gives for documents built in code, as RichEdit expects it: header and
// tables, \uN with GBK fallbacks, escapes, formats, bullets, tables and pictures; and that
// each reads back to the document it came from.
#include "RtfTestUtil.h"
#include "rtf/Rtf.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace {

QTextCharFormat songti(double points = 12)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QStringLiteral("宋体")});
    f.setFontPointSize(points);
    return f;
}

// Writes doc and reads the result back: true when text, runs and structure came back, else
// why not in `why`.
bool roundTrips(const QTextDocument& doc, QByteArray& rtf, QString& why)
{
    rtf = DocumentToRtf(doc);
    QTextDocument back;
    QStringList warnings;
    if (!RtfToDocument(rtf, back, &warnings) || !warnings.isEmpty())
        why = QStringLiteral("read back failed: ") + warnings.join(u"; ");
    else if (DocumentPlainText(back) != DocumentPlainText(doc))
        why = QStringLiteral("text: ") + DocumentPlainText(back) + QStringLiteral(" | ") + DocumentPlainText(doc);
    else if (rtftest::runs(back) != rtftest::runs(doc))
        why = QStringLiteral("runs:\n") + rtftest::runs(back) + QStringLiteral("---\n") + rtftest::runs(doc);
    else if (rtftest::outline(back) != rtftest::outline(doc))
        why = QStringLiteral("structure:\n") + rtftest::outline(back) + QStringLiteral("---\n") + rtftest::outline(doc);
    return why.isEmpty();
}

#define ROUND_TRIP(doc, rtf)                                                                   \
    QByteArray rtf;                                                                            \
    do {                                                                                       \
        QString why_;                                                                          \
        QVERIFY2(roundTrips(doc, rtf, why_), qPrintable(why_));                                \
    } while (false)

} // namespace

class TstRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void richEditHeaderAndTables()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat red = songti();
        red.setForeground(QColor(255, 0, 0));
        red.setFontWeight(QFont::Bold);
        c.insertText(QStringLiteral("肝脏"), songti());
        c.insertText(QStringLiteral("正常"), red);
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
                               "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\r\n"
                               "{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard"));
        QVERIFY2(rtf.contains("\\cf1\\b\\u27491\\'d5\\'fd\\u24120\\'b3\\'a3\\par\r\n}\r\n"), rtf.constData());
        QVERIFY(rtf.endsWith("}\r\n"));
        QVERIFY(!rtf.contains('\0'));
    }

    // Text as 7-bit RTF: \uN with a GBK fallback, escapes, and delimiters after control words.
    void textEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Chinese below U+8000") << QStringLiteral("中") << QByteArray("\\uc2\\u20013\\'d6\\'d0");
        QTest::newRow("Chinese above U+7FFF is negative") << QStringLiteral("腹") << QByteArray("\\uc2\\u-32391\\'b8\\'b9");
        QTest::newRow("not in GBK gives '?'") << QStringLiteral("ก") << QByteArray("\\u3585?");
        QTest::newRow("one-byte GBK fallback") << QStringLiteral("€") << QByteArray("\\u8364\\'80");
        QTest::newRow("Latin letter in GBK") << QStringLiteral("é") << QByteArray("\\uc2\\u233\\'a8\\'a6");
        QTest::newRow("surrogate pair") << QStringLiteral("😀") << QByteArray("\\u-10179?\\u-8704?");
        QTest::newRow("degree and plus-minus") << QStringLiteral("°±") << QByteArray("\\uc2\\u176\\'a1\\'e3\\u177\\'a1\\'c0");
        QTest::newRow("braces and backslash") << QStringLiteral("a{b}c\\d") << QByteArray("\\fs24 a\\{b\\}c\\\\d\\par");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
        QTest::newRow("line separator") << QString::fromUtf16(u"a\x2028" "b") << QByteArray("a\\line b");
        QTest::newRow("no-break space") << QString::fromUtf16(u"a\x00A0" "b") << QByteArray("a\\~b");
        QTest::newRow("digit after a control word") << QStringLiteral("1") << QByteArray("\\fs24 1\\par");
        QTest::newRow("punctuation after a control word") << QStringLiteral(";x") << QByteArray("\\fs24;x\\par");
    }
    void textEncoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QTextDocument doc;
        QTextCursor(&doc).insertText(text, songti());
        ROUND_TRIP(doc, rtf);
        QVERIFY2(rtf.contains(expected), rtf.constData());
        for (char ch : rtf)
            QVERIFY(uchar(ch) < 0x80);
    }

    void characterFormats()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat f = songti();
        c.insertText(QStringLiteral("n"), f);
        f.setFontWeight(QFont::Bold);
        f.setFontItalic(true);
        c.insertText(QStringLiteral("bi"), f);
        f = songti(10.5);
        f.setFontUnderline(true);
        f.setFontStrikeOut(true);
        f.setBackground(QColor(255, 255, 0));
        c.insertText(QStringLiteral("us"), f);
        f = songti();
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        c.insertText(QStringLiteral("2"), f);
        c.insertText(QStringLiteral("x"), songti());
        ROUND_TRIP(doc, rtf);
        QVERIFY2(rtf.contains("\\f0\\fs24 n\\b\\i bi\\fs21\\highlight1\\b0\\i0\\ul\\strike us\\fs24\\highlight0"
                              "\\ulnone\\strike0\\super 2\\nosupersub x\\par"), rtf.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(rtftest::runs(back), rtftest::runs(doc));
    }

    // Unset properties come from the document's default font, not from some other default.
    void defaultFontFillsUnsetProperties()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
        doc.setPlainText(QStringLiteral("plain"));
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY2(rtf.contains("{\\f0\\fnil\\fcharset0 Arial;}"), rtf.constData());
        QVERIFY2(rtf.contains("\\f0\\fs20 plain\\par"), rtf.constData());
    }

    // Found by fuzzing: names the font table cannot hold as they are must not make two entries
    // that read back as one font.
    void fontNamesAsTheTableKeepsThem()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat odd;
        odd.setFontFamilies(QStringList{QString::fromUtf16(u" Ari\x0001" "al;")});
        c.insertText(QStringLiteral("a"), odd);
        QTextCharFormat plain;
        plain.setFontFamilies(QStringList{QStringLiteral("Arial")});
        plain.setFontItalic(true);
        c.insertText(QStringLiteral("b"), plain);
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"), rtf.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    // A font name is read in its font's code page: the Chinese name of a Big5 font (here one
    // only a footer uses, as a fuzzer found) is written so that it reads back whole, not as GBK
    // bytes that Big5 cannot read.
    void fontNameInItsOwnCodePage()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 \\fonttbl\\f\\fcharset136\\'d3\\'a9\\footer\\f0}"), doc));
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY2(rtf.contains("\\fcharset136 "), rtf.constData());
        QTextDocument back;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, back, &warnings));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n')) + QLatin1Char('\n') + QString::fromLatin1(rtf)));
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    void emptyDocument()
    {
        QTextDocument doc;
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY2(rtf.contains("\\viewkind4\\uc1\\pard"), rtf.constData());
        QVERIFY2(rtf.endsWith("\\par\r\n}\r\n"), rtf.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(back.blockCount(), 1);
        QCOMPARE(DocumentPlainText(back), QString());
    }

    void bulletsAndNumbering()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("intro"), songti());
        c.insertBlock();
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        c.createList(bullets);
        c.insertText(QStringLiteral("one"), songti());
        c.insertBlock();
        c.insertText(QStringLiteral("two"), songti());
        c.insertBlock();
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        c.createList(numbers);
        c.insertText(QStringLiteral("first"), songti());
        c.insertBlock();
        c.insertText(QStringLiteral("second"), songti());
        ROUND_TRIP(doc, rtf);
        QVERIFY2(rtf.contains("{\\f1\\fnil\\fcharset2 Symbol;}"), rtf.constData());
        QVERIFY2(rtf.contains("{\\*\\pn\\pnlvlblt\\pnf1\\pnstart1\\pnindent0{\\pntxtb\\'b7}}\\ls1\\ilvl0{\\pntext\\f1\\'b7\\tab}"),
                 rtf.constData());
        QVERIFY2(rtf.contains("{\\*\\pn\\pnlvlbody\\pnf0\\pnstart1\\pnindent0\\pndec{\\pntxta .}}\\ls2\\ilvl0"
                              "{\\pntext\\f0 1.\\tab}first\\par\r\n{\\pntext\\f0 2.\\tab}second"),
                 rtf.constData());
        // Word's readers get the same lists from the list table.
        QVERIFY2(rtf.contains("{\\listoverride\\listid1\\listoverridecount0\\ls1}"
                              "{\\listoverride\\listid2\\listoverridecount0\\ls2}"),
                 rtf.constData());
        // The markers are list markers when read back, not text.
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(DocumentPlainText(back), QStringLiteral("intro\r\none\r\ntwo\r\nfirst\r\nsecond"));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
    }

    // A list that resumes after another paragraph keeps counting; adjacent lists stay apart.
    void listContinuationSurvives()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        QTextList* first = c.createList(numbers);
        c.insertText(QStringLiteral("a"));
        c.insertBlock();
        c.insertText(QStringLiteral("b"));
        c.insertBlock(QTextBlockFormat());
        c.insertText(QStringLiteral("between"));
        c.insertBlock(QTextBlockFormat());
        first->add(c.block());
        c.insertText(QStringLiteral("c"));
        c.insertBlock(QTextBlockFormat());
        c.createList(numbers);
        c.insertText(QStringLiteral("new list"));
        QCOMPARE(first->count(), 3);
        ROUND_TRIP(doc, rtf);
        QTextDocument back;
        QVERIFY(RtfToDocument(DocumentToRtf(doc), back));
        QCOMPARE(rtftest::outline(back), QStringLiteral("P list=decimal/1/0: a\nP list=decimal/1/1: b\nP: between\n"
                                                       "P list=decimal/1/2: c\nP list=decimal/1/0: new list\n"));
    }

    // Found by fuzzing: merging the cell that held a list's only (empty) paragraph deleted the
    // list, so the item after the table no longer continued it.
    void listResumesAfterMergedCell()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("before"));
        QTextTable* table = c.insertTable(1, 2);
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        table->mergeCells(0, 0, 1, 2);
        // An empty item: reading merges the cell after filling it, which drops the item's list.
        QTextList* list = table->cellAt(0, 0).firstCursorPosition().createList(numbers);
        QTextCursor after(doc.lastBlock());
        list->add(after.block());
        after.insertText(QStringLiteral("second"));
        QCOMPARE(list->count(), 2);
        ROUND_TRIP(doc, rtf);
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(back.lastBlock().textList()->count(), 2);
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    // Found by fuzzing: merging cells down several rows also reset the paragraph formats of
    // the other cells in those rows.
    void listBesideCellMergedDown()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("x"));
        QTextTable* table = c.insertTable(3, 3);
        table->mergeCells(0, 0, 3, 2);
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        QTextList* list = table->cellAt(0, 2).firstCursorPosition().createList(bullets);
        for (int r = 1; r < 3; ++r)
            list->add(table->cellAt(r, 2).firstCursorPosition().block());
        ROUND_TRIP(doc, rtf);
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    // Found by fuzzing: an empty list item before a table was taken for the empty paragraph
    // QTextDocument keeps there, and left out.
    void emptyListItemBeforeTable()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        QTextList* list = c.createList(bullets);
        c.insertTable(1, 1)->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("in"));
        QTextCursor(doc.lastBlock()).insertText(QStringLiteral("after"));
        list->add(doc.lastBlock());
        ROUND_TRIP(doc, rtf);
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(back.begin().textList() ? back.begin().textList()->count() : 0, 2);
        QCOMPARE(DocumentPlainText(back), QStringLiteral("\r\nin\r\nafter"));
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    // A sub-list inside a numbered list, and a list resuming right after another list of the
    // same kind whose next number is the same (found by fuzzing): each item keeps its list.
    void interleavedListsKeepTheirItems()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        QTextListFormat sub;
        sub.setStyle(QTextListFormat::ListDisc);
        sub.setIndent(2);
        QTextList* outer = c.createList(numbers);
        c.insertText(QStringLiteral("one"));
        c.insertBlock(QTextBlockFormat());
        c.createList(sub);
        c.insertText(QStringLiteral("inner"));
        c.insertBlock(QTextBlockFormat());
        outer->add(c.block());
        c.insertText(QStringLiteral("two"));
        c.insertBlock(QTextBlockFormat());
        c.insertText(QStringLiteral("plain"));
        c.insertBlock(QTextBlockFormat());
        QTextList* other = c.createList(numbers);
        c.insertText(QStringLiteral("other one"));
        c.insertBlock(QTextBlockFormat());
        other->add(c.block());
        c.insertText(QStringLiteral("other two"));
        c.insertBlock(QTextBlockFormat());
        outer->add(c.block());
        c.insertText(QStringLiteral("three")); // number 3, as the other list's next would be
        ROUND_TRIP(doc, rtf);
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(DocumentToRtf(back), rtf);
        QTextBlock b = back.begin();
        QTextList* first = b.textList();
        QVERIFY(first);
        QCOMPARE(b.next().next().textList(), first);
        QCOMPARE(back.lastBlock().textList(), first);
        QCOMPARE(first->count(), 3);
        QVERIFY(back.lastBlock().previous().textList() != first);
        QCOMPARE(back.lastBlock().previous().textList()->count(), 2);
    }

    void tablesWithMergedAndNestedCells()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("before"), songti());
        QTextTableFormat tf;
        tf.setBorder(1);
        QTextTable* table = c.insertTable(3, 3, tf);
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
                table->cellAt(r, col).firstCursorPosition().insertText(QStringLiteral("%1%2").arg(r).arg(col), songti());
        table->mergeCells(0, 0, 1, 2);
        table->mergeCells(1, 2, 2, 1);
        QTextCursor inner = table->cellAt(2, 0).lastCursorPosition();
        QTextTable* nested = inner.insertTable(1, 2);
        nested->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("n0"), songti());
        nested->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("n1"), songti());
        ROUND_TRIP(doc, rtf);
        QVERIFY2(rtf.contains("\\trowd\\trgaph0\\trleft0\\trbrdrl\\brdrs"), rtf.constData());
        QVERIFY2(rtf.contains("\\clmgf"), rtf.constData());
        QVERIFY2(rtf.contains("\\clmrg"), rtf.constData());
        QVERIFY2(rtf.contains("\\clvmgf"), rtf.constData());
        QVERIFY2(rtf.contains("\\clvmrg"), rtf.constData());
        QVERIFY2(rtf.contains("\\pard\\intbl\\itap2 n0\\nestcell"), rtf.constData());
        QVERIFY2(rtf.contains("{\\*\\nesttableprops\\trowd"), rtf.constData());
        QVERIFY2(rtf.contains("\\nestrow}{\\nonesttables\\par}"), rtf.constData());
        QVERIFY2(rtf.contains("\\row\r\n"), rtf.constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(rtftest::outline(back), rtftest::outline(doc));
        QCOMPARE(DocumentPlainText(back), QStringLiteral("before\r\n00 01\t02\r\n10\t11\t12\r\n22\r\n20\r\nn0\tn1\t21"));
    }

    // Found by fuzzing: merging cells reset their paragraphs' formats and lists, and the empty
    // covered cell between two items of one list made the second start a new list.
    void listItemsInMergedCells()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        QTextList* list = c.createList(bullets);
        c.insertText(QStringLiteral("before"), songti());
        QTextTable* table = c.insertTable(1, 4);
        for (int col : {0, 2}) {
            QTextCursor cell = table->cellAt(0, col).firstCursorPosition();
            QTextBlockFormat indented;
            indented.setLeftMargin(8);
            cell.setBlockFormat(indented);
            list->add(cell.block());
            cell.insertText(QStringLiteral("item%1").arg(col), songti());
        }
        table->mergeCells(0, 2, 1, 2);
        table->mergeCells(0, 0, 1, 2);
        ROUND_TRIP(doc, rtf);
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(DocumentToRtf(back), rtf);
        QVERIFY2(rtftest::outline(back).contains(QStringLiteral("C 0,2 span=1x2\n  P list=disc/1/2 left=8: item2")),
                 qPrintable(rtftest::outline(back)));
    }

    void picturesAsPng_data()
    {
        QTest::addColumn<QVariant>("resource");
        QTest::addColumn<double>("width");
        QTest::addColumn<QByteArray>("expected");
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QTest::newRow("QImage at its own size") << QVariant(image) << 0.0 << QByteArray("{\\pict\\pngblip\\picw3\\pich2\\picwgoal45\\pichgoal30\r\n89504e47");
        QTest::newRow("QImage scaled") << QVariant(image) << 30.0 << QByteArray("{\\pict\\pngblip\\picw3\\pich2\\picwgoal450\\pichgoal300\r\n");
        QByteArray jpeg;
        QBuffer buf(&jpeg);
        buf.open(QIODevice::WriteOnly);
        image.save(&buf, "JPEG");
        if (!jpeg.isEmpty())
            QTest::newRow("JPEG bytes kept") << QVariant(jpeg) << 0.0 << QByteArray("{\\pict\\jpegblip\\picw3\\pich2");
    }
    void picturesAsPng()
    {
        QFETCH(QVariant, resource);
        QFETCH(double, width);
        QFETCH(QByteArray, expected);
        QTextDocument doc;
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("img")), resource);
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("a"), songti());
        QTextImageFormat img;
        img.setName(QStringLiteral("img"));
        if (width > 0)
            img.setWidth(width);
        c.insertImage(img);
        c.insertText(QStringLiteral("b"), songti());
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY2(rtf.contains(expected), rtf.left(300).constData());
        QTextDocument back;
        QVERIFY(RtfToDocument(rtf, back));
        QCOMPARE(DocumentPlainText(back), QStringLiteral("ab"));
        QCOMPARE(rtftest::outline(back), width > 0 ? QStringLiteral("P: a[img 30x20]b\n") : QStringLiteral("P: a[img 0x0]b\n"));
        QCOMPARE(DocumentToRtf(back), rtf);
    }

    void missingPictureLeftOut()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("a"), songti());
        QTextImageFormat img;
        img.setName(QStringLiteral("nowhere"));
        c.insertImage(img);
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY(!rtf.contains("\\pict"));
        QVERIFY(rtf.contains(" a\\par"));
    }
};

QTEST_MAIN(TstRtfWriter)
#include "tst_rtf_writer.moc"

// SPDX-License-Identifier: MIT
// The entry points' contracts: what counts as RTF, loading from bytes and from QString,
// pasting at a cursor, plain text, explicit formats, code pages and reporting of damage.
#include "RtfTestUtil.h"
#include "rtf/Rtf.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>

class TstRtfApi : public QObject {
    Q_OBJECT

private slots:
    void notRtfLeavesDocumentAlone_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("肝脏大小正常");
        QTest::newRow("almost a header") << QByteArray("{\\rt");
        QTest::newRow("header without brace") << QByteArray("\\rtf1 abc}");
        QTest::newRow("text before the header") << QByteArray("x{\\rtf1 abc}");
        QTest::newRow("BOM then text") << QByteArray("\xEF\xBB\xBFhello");
        QTest::newRow("other destination") << QByteArray("{\\rtx1 abc}");
    }
    void notRtfLeavesDocumentAlone()
    {
        QFETCH(QByteArray, input);
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("keep"));
        QVERIFY(!LooksLikeRtf(input));
        QVERIFY(!RtfToDocument(input, doc));
        QVERIFY(!RtfToDocument(QString::fromUtf8(input), doc));
        QCOMPARE(doc.toPlainText(), QStringLiteral("keep"));
        QTextCursor cursor(&doc);
        QVERIFY(!InsertRtf(input, cursor));
        QCOMPARE(doc.toPlainText(), QStringLiteral("keep"));
    }

    void rtfAfterWhitespaceAndMarks_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("leading blanks and line ends") << QByteArray(" \r\n\t{\\rtf1 ok}");
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF{\\rtf1 ok}");
        QStringEncoder utf16le(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 little-endian text") << QByteArray(utf16le.encode(QStringLiteral("{\\rtf1 ok}")));
        QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 big-endian text") << QByteArray(utf16be.encode(QStringLiteral("{\\rtf1 ok}")));
    }
    void rtfAfterWhitespaceAndMarks()
    {
        QFETCH(QByteArray, input);
        QTextDocument doc;
        QVERIFY(LooksLikeRtf(input));
        QVERIFY(RtfToDocument(input, doc));
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("ok"));
    }

    // A QString holds characters: literal ones are themselves, escapes still go through code pages.
    void stringInputKeepsLiteralCharacters()
    {
        const QString rtf = QChar(0xFEFF) + QString::fromUtf8("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset134 SimSun;}"
                                                             "{\\f1\\fcharset0 Arial;}}\\f0 肝\\'d6\\'d0\\f1  café \\'e9}");
        QTextDocument doc;
        QVERIFY(LooksLikeRtf(rtf));
        QVERIFY(RtfToDocument(rtf, doc));
        QCOMPARE(DocumentPlainText(doc), QString::fromUtf8("肝中 café é"));
    }

    void loadReplacesAndIsNoEdit()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("old text"));
        QVERIFY(doc.isUndoAvailable() || doc.isUndoRedoEnabled());
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 new\\par}"), doc));
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("new"));
        QVERIFY(doc.isUndoRedoEnabled());
        QVERIFY(!doc.isUndoAvailable());
    }

    void paste_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("selectionEnd");
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        QTest::newRow("two paragraphs into the middle") << "xyz" << 2 << -1 << QByteArray("{\\rtf1 A\\par B}")
                                                         << "xyA\r\nBz" << 5;
        QTest::newRow("final mark at the end of a paragraph is dropped")
            << "abc" << 3 << -1 << QByteArray("{\\rtf1 X\\par}") << "abcX" << 4;
        QTest::newRow("final mark in the middle splits the paragraph")
            << "xyz" << 2 << -1 << QByteArray("{\\rtf1 X\\par}") << "xyX\r\nz" << 4;
        QTest::newRow("selection replaced") << "one two three" << 4 << 7 << QByteArray("{\\rtf1\\b 2}")
                                            << "one 2 three" << 5;
        QTest::newRow("into an empty document") << "" << 0 << -1 << QByteArray("{\\rtf1 line1\\par line2\\par}")
                                                << "line1\r\nline2" << 11;
        QTest::newRow("table into the middle of a paragraph")
            << "xyz" << 2 << -1 << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell\\row}")
            << "xy\r\nA\tB\r\nz" << -1;
    }
    void paste()
    {
        QFETCH(QString, before);
        QFETCH(int, position);
        QFETCH(int, selectionEnd);
        QFETCH(QByteArray, rtf);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        QTextDocument doc;
        doc.setPlainText(before);
        QTextCursor cursor(&doc);
        cursor.setPosition(position);
        if (selectionEnd >= 0)
            cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
        QVERIFY(InsertRtf(rtf, cursor));
        QCOMPARE(DocumentPlainText(doc), after);
        if (cursorAfter >= 0)
            QCOMPARE(cursor.position(), cursorAfter);
        else // after a table the cursor is where the rest of the paragraph went
            QCOMPARE(cursor.block().text(), before.mid(position));
        doc.undo(); // the paste is one step
        QCOMPARE(doc.toPlainText(), before);
    }

    void pasteKeepsTargetParagraphFormat()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centred);
        cursor.insertText(QStringLiteral("title"));
        QVERIFY(InsertRtf(QByteArray("{\\rtf1\\pard\\qr  more}"), cursor));
        QCOMPARE(doc.begin().text(), QStringLiteral("title more"));
        QCOMPARE(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    void pastedTextHasItsOwnFormat()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextCharFormat big;
        big.setFontPointSize(30);
        cursor.insertText(QStringLiteral("x"), big);
        QVERIFY(InsertRtf(QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 y}"), cursor));
        QCOMPARE(rtftest::runs(doc).section(u'\n', 1, 1), QStringLiteral("R Arial|10|-|-|-|y"));
    }

    // Whatever default font the editor has, what was read writes back with its own fonts.
    void readerSetsExplicitFormats()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Courier New"), 20));
        QVERIFY(RtfToDocument(rtftest::readData(QStringLiteral("richedit_gbk.rtf")), doc));
        const QByteArray rtf = DocumentToRtf(doc);
        QVERIFY(!rtf.contains("Courier"));
        QVERIFY(!rtf.contains("\\fs40"));
        QVERIFY(rtf.contains("\\f0\\fs24"));
    }

    void plainTextRules()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextTable* table = c.insertTable(1, 2);
        table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("a"));
        table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("b"));
        c.setPosition(table->lastPosition());
        c.movePosition(QTextCursor::NextBlock);
        c.insertText(QString::fromUtf16(u"one\x2028two"));
        QTextImageFormat img;
        img.setName(QStringLiteral("none"));
        c.insertImage(img);
        c.insertBlock();
        c.insertBlock();
        c.insertText(QStringLiteral("\tlast"));
        // No paragraph before the table, tab between cells, images left out, empty paragraph kept.
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("a\tb\r\none\r\ntwo\r\n\r\n\tlast"));
        QCOMPARE(DocumentPlainText(QTextDocument()), QString());
    }

    void unavailableCodePageReadsLatin1_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("warning");
        QTest::newRow("Johab (not in ICU)") << QByteArray("{\\rtf1\\ansi\\ansicpg1361 \\'b0\\'a1}")
                                            << QString::fromLatin1("\xb0\xa1") << "code page 1361";
        QTest::newRow("Johab font charset") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset130 Batang;}}\\f0 \\'b0}")
                                            << QString::fromLatin1("\xb0") << "code page 1361";
        QTest::newRow("made-up number") << QByteArray("{\\rtf1\\ansi\\ansicpg777 \\'e9}")
                                        << QString::fromLatin1("\xe9") << "code page 777";
    }
    void unavailableCodePageReadsLatin1()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(QString, warning);
        QTextDocument doc;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, doc, &warnings));
        QCOMPARE(DocumentPlainText(doc), text);
        QVERIFY2(warnings.join(u"; ").contains(warning), qPrintable(warnings.join(u"; ")));
    }

    void damageIsLoggedWithoutWarningList()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("RTF input damaged:.*still open")));
        QTextDocument doc;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 cut"), doc));
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("cut"));
    }

    // Text under \v is hidden in RichEdit and stays out of the document.
    void hiddenTextSkipped()
    {
        QTextDocument doc;
        QVERIFY(RtfToDocument(QByteArray("{\\rtf1 a{\\v hidden\\'d6\\u20013?}b\\v c\\v0 d}"), doc));
        QCOMPARE(DocumentPlainText(doc), QStringLiteral("abd"));
    }
};

QTEST_MAIN(TstRtfApi)
#include "tst_rtf_api.moc"

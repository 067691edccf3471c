// SPDX-License-Identifier: MIT
// Damaged and hostile RTF: the reader must not crash or hang (the test's time limit catches
// a hang), must keep every readable character, and must say what was wrong. Whatever it
// read must also survive writing and reading back.
#include "RtfTestUtil.h"
#include "rtf/Rtf.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

namespace {

QByteArray repeat(const QByteArray& s, int n)
{
    QByteArray out;
    out.reserve(s.size() * n);
    for (int i = 0; i < n; ++i)
        out.append(s);
    return out;
}

// Letters and digits only: what must survive, whatever table structure the damage created.
QString compact(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (!c.isSpace())
            out += c;
    }
    return out;
}

} // namespace

class TstRtfMalformed : public QObject {
    Q_OBJECT

private slots:
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");    // plain text without white space
        QTest::addColumn<QString>("warning"); // must appear in the warnings; empty: not checked

        QTest::newRow("groups left open") << QByteArray("{\\rtf1 abc {\\b def {\\i ghi") << "abcdefghi" << "still open";
        QTest::newRow("stray closing brace midway") << QByteArray("{\\rtf1 {\\b a}} b}") << "ab" << "after the document";
        QTest::newRow("surplus closing braces at the end") << QByteArray("{\\rtf1 a}}}}}\r\n") << "a" << "";
        QTest::newRow("truncated in control word") << QByteArray("{\\rtf1 abc\\pa") << "abc" << "still open";
        QTest::newRow("truncated after backslash") << QByteArray("{\\rtf1 abc\\") << "abc" << "ends inside";
        QTest::newRow("truncated in escape") << QByteArray("{\\rtf1\\ansicpg936 x\\'") << "x" << "ends inside";
        QTest::newRow("truncated in double-byte character")
            << QByteArray("{\\rtf1\\ansicpg936 \\'d6\\'d0\\'ce") << QString::fromUtf8("中\uFFFD") << "double-byte";
        QTest::newRow("truncated in unicode fallback")
            << QByteArray("{\\rtf1 a\\uc2\\u20013\\'d6") << QString::fromUtf8("a中") << "still open";
        QTest::newRow("truncated in font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "" << "still open";
        QTest::newRow("truncated in picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47") << "a" << "";
        QTest::newRow("truncated in binary data") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin100 xyz") << "a" << "";
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1\\fs99999999999999999999 a\\li-99999999999 b\\cf4294967296 c\\f2147483648 d"
                          "\\itap2147483647 e\\ls99999999999 f\\ilvl-5 g\\sl-2147483648 h\\trgaph99999999 i"
                          "\\cellx-99999999 j\\picw999999999 k\\uc99999999 l\\highlight99999 m}")
            << "abcdefghijklm" << "";
        QTest::newRow("100000 nested groups")
            << "{\\rtf1 " + repeat("{", 100000) + "deep" + repeat("}", 100000) + " end}" << "deepend" << "nested deeper";
        QTest::newRow("100000 nested groups never closed")
            << "{\\rtf1 " + repeat("{\\b ", 100000) + "x" << "x" << "still open";
        QTest::newRow("deep nesting in a skipped destination")
            << "{\\rtf1 a{\\*\\foo " + repeat("{", 100000) + repeat("}", 100000) + "}b}" << "ab" << "";
        QTest::newRow("deep nesting in the font table")
            << "{\\rtf1{\\fonttbl" + repeat("{", 50000) + "\\f0 Arial;" + repeat("}", 50000) + "}\\f0 x}" << "x" << "";
        QTest::newRow("control bytes in text") << QByteArray("{\\rtf1 hello\x01\x02\x03 world}") << "helloworld" << "";
        QTest::newRow("NUL bytes in text") << QByteArray("{\\rtf1 a\0b\0c}", sizeof("{\\rtf1 a\0b\0c}") - 1) << "abc" << "";
        QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb" << "malformed";
        QTest::newRow("cells and rows outside a table")
            << QByteArray("{\\rtf1 a\\cell b\\row c\\nestcell d\\nestrow e}") << "abcde" << "";
        QTest::newRow("row of 100 cells")
            << "{\\rtf1\\trowd\\pard\\intbl " + repeat("x\\cell ", 100) + "\\row}" << QString(100, u'x') << "";
        QTest::newRow("table nesting past the limit")
            << QByteArray("{\\rtf1\\pard\\intbl\\itap40 deep\\nestcell\\nestrow\\pard after\\par}") << "deepafter" << "";
        QTest::newRow("merge flags without a start")
            << QByteArray("{\\rtf1\\trowd\\clvmrg\\clmrg\\cellx100\\clvmrg\\cellx200\\pard\\intbl a\\cell b\\cell\\row}")
            << "ab" << "";
        QTest::newRow("picture data that is not hex")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip zz 12 3 g!}b}") << "ab" << "damaged";
        QTest::newRow("cell edges defined after the row's first cell")
            << QByteArray("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row "
                          "\\trowd\\cellx2000\\pard\\intbl c\\cell\\cellx3000\\cellx4000 d\\cell e\\cell\\row}")
            << QStringLiteral("abcde") << "";
        QTest::newRow("picture of unknown kind") << QByteArray("{\\rtf1 a{\\pict 0102030405}b}") << "ab" << "unknown kind";
        QTest::newRow("unicode out of range")
            << QByteArray("{\\rtf1 a\\u70000?b\\u-70000?c\\u65535?d\\u64976?e}") << QString::fromUtf8("a\uFFFDb\uFFFDcde") << "";
        QTest::newRow("lone surrogate") << QByteArray("{\\rtf1 a\\u-10179?b}") << QString::fromUtf16(u"a\xD83D" "b") << "";
        QTest::newRow("unicode skip ends with the group")
            << QByteArray("{\\rtf1 {\\uc3\\u20013 ab}cd}") << QString::fromUtf8("中cd") << "";
        QTest::newRow("only the header") << QByteArray("{\\rtf") << "" << "still open";
        QTest::newRow("empty groups") << QByteArray("{\\rtf1{}{}{{}}}") << "" << "";
        QTest::newRow("control word of 100000 letters") << "{\\rtf1 \\" + repeat("a", 100000) + " x}" << "x" << "";
        QTest::newRow("paragraph mark in the font table")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ar\\par ial;}}\\f0 x}") << "x" << "";
        QTest::newRow("list text nested deep") << QByteArray("{\\rtf1{\\pntext{{{{a}}}}}b\\par}") << "ab" << "";
        QTest::newRow("binary length past the end") << QByteArray("{\\rtf1 a\\bin99999999999 bcd}") << "a" << "";
        QTest::newRow("negative binary length") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab" << "";
        QTest::newRow("nested rtf header") << QByteArray("{\\rtf1 a{\\rtf1 b}c}") << "abc" << "";
        QTest::newRow("10000 fonts") << "{\\rtf1{\\fonttbl" + repeat("{\\f7\\fcharset134 X;}", 10000) + "}\\f7 x}" << "x" << "";
        QTest::newRow("unknown code page") << QByteArray("{\\rtf1\\ansi\\ansicpg12345 caf\\'e9}") << QString::fromUtf8("café")
                                           << "code page 12345";

        // Found by fuzzing: control bytes and broken escapes inside a header, footer or footnote
        // that is kept whole. Dropping the byte after a backslash once made "\<NUL>{" a "\{",
        // so the written group ended early and the rest of the document was read as text.
        QTest::newRow("backslash before a control byte in a kept footer")
            << QByteArray("{\\rtf1\\ansi{\\footer a\\\0{\\b x}\\\x01}body\\par}",
                          sizeof("{\\rtf1\\ansi{\\footer a\\\0{\\b x}\\\x01}body\\par}") - 1)
            << "body" << "";
        QTest::newRow("broken escapes and high bytes in a kept header and footnote")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\header \\'c\xec\\\xcd{x}\\'4}body{\\*\\footnote n\\\x7f{y}\\'}\\par}")
            << "body1" << "";

        // Found by fuzzing: a nested row whose end mark is damaged, then another nested table
        // (left-over row definitions once gave the second one too many columns).
        QTest::newRow("nested row never ended, then another nested table")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\trowd\\cellx4000\\cellx8000\\pard\\intbl o1\\par"
                          "\\pard\\intbl\\itap2 i1\\nestcell i2\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\neswtro}"
                          "\\pard\\intbl\\itap2 i3\\nestcell i4\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                          "\\pard\\intbl\\itap1\\cell o2\\cell\\row\\pard mid\\par\\trowd\\cellx4000\\cellx8000\\pard\\intbl o3\\par"
                          "\\pard\\intbl\\itap2 i5\\nestcell i6\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                          "\\pard\\intbl\\itap2 i7\\nestcell i8\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                          "\\pard\\intbl\\itap1\\cell o4\\cell\\row}")
            << "o1i1i2i3i4o2mido3i5i6i7i8o4" << "";
        // Found by fuzzing: PNG data whose header gives no size could not be written back stably.
        QTest::newRow("PNG with a zero width")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picwgoal600 89504e470d0a1a0a0000000d4948445200000000000000020802000000}b}")
            << "ab" << "damaged";

        QRandomGenerator random(20240607);
        for (int i = 0; i < 4; ++i) {
            QByteArray garbage(65536, Qt::Uninitialized);
            for (char& c : garbage)
                c = char(random.bounded(256));
            QTest::newRow(qPrintable(QStringLiteral("random bytes %1").arg(i))) << "{\\rtf1 " + garbage + "}" << QString() << "";
        }
        // Random text made of RTF's own tokens hits far more of the reader than random bytes.
        static const char* const tokens[] = {"{", "}", "\\par ", "\\cell ", "\\row ", "\\intbl ", "\\itap3 ",
                                             "\\trowd ", "\\cellx500 ", "\\clvmrg ", "\\clmgf ", "\\clmrg ",
                                             "\\'d6", "\\'d0", "\\u20013?", "\\uc2 ", "\\pict ", "\\pngblip ",
                                             "\\*\\pn ", "\\pnlvlblt ", "{\\pntext x}", "\\ls2 ", "\\f1 ",
                                             "\\fonttbl ", "\\colortbl ", "\\bin3 ", "\\nestcell ", "\\nestrow ",
                                             "\\pard ", "ab", " ", "\\b ", "\\v ", "\\*\\foo ", ";", "\\line "};
        for (int i = 0; i < 8; ++i) {
            QByteArray soup = "{\\rtf1\\ansi\\ansicpg936 ";
            for (int k = 0; k < 4000; ++k)
                soup.append(tokens[random.bounded(int(std::size(tokens)))]);
            QTest::newRow(qPrintable(QStringLiteral("token soup %1").arg(i))) << soup << QString() << "";
        }
    }

    void damaged()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(QString, warning);

        QTextDocument doc;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, doc, &warnings));
        const QString plain = DocumentPlainText(doc);
        if (!text.isNull())
            QCOMPARE(compact(plain), text);
        if (!warning.isEmpty())
            QVERIFY2(warnings.join(u"; ").contains(warning), qPrintable(warnings.join(u"; ")));

        // What was read writes as RTF that reads back to the same text.
        const QByteArray written = DocumentToRtf(doc);
        QTextDocument again;
        QStringList none;
        QVERIFY(RtfToDocument(written, again, &none));
        QVERIFY2(none.isEmpty(), qPrintable(none.join(u"; ")));
        QCOMPARE(DocumentPlainText(again), plain);
        QCOMPARE(DocumentToRtf(again), written);
    }
};

QTEST_MAIN(TstRtfMalformed)
#include "tst_rtf_malformed.moc"

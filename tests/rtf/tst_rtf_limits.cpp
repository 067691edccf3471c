// SPDX-License-Identifier: MIT
// The reader's bounds on the work one document can cause: tables nested deeper than the
// shown depth are flattened, and past the cell and nested-text budgets the rest is read as
// paragraphs. Whatever is flattened, every piece of text is kept, in its order.
#include "rtf/Rtf.h"
#include "rtf/RtfBuilder.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <functional>

namespace {

// Tables nested `depth` deep; each level a table of `perLevel` cells in rows of `columns`,
// the first cell holding the next level. Texts are "L<level>C<cell>".
QByteArray Nested(int depth, int perLevel, int columns, QStringList* texts)
{
    QByteArray o = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard ";
    QByteArray def = "\\trowd";
    for (int c = 0; c < columns; ++c) def += "\\cellx" + QByteArray::number(1500 * (c + 1));
    std::function<void(int)> level = [&](int l) {
        const QByteArray intbl = "\\pard\\intbl\\itap" + QByteArray::number(l) + " ";
        for (int cell = 0; cell < perLevel; ++cell) {
            if (l == 1 && cell % columns == 0) o += def;
            const QByteArray text = "L" + QByteArray::number(l) + "C" + QByteArray::number(cell);
            o += intbl + text;
            *texts << QString::fromLatin1(text);
            if (cell == 0 && l < depth) {
                o += "\\par ";
                level(l + 1);
                o += intbl;
            }
            o += l == 1 ? "\\cell " : "\\nestcell ";
            if (cell % columns == columns - 1 || cell == perLevel - 1)
                o += l == 1 ? QByteArray("\\row ") : "{\\*\\nesttableprops" + def + "\\nestrow}";
        }
    };
    level(1);
    *texts << QStringLiteral("end");
    return o + "\\pard end\\par}";
}

QByteArray Wide(int rows, int columns, QStringList* texts)
{
    QByteArray o = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard ";
    for (int r = 0; r < rows; ++r) {
        o += "\\trowd";
        for (int c = 0; c < columns; ++c) o += "\\cellx" + QByteArray::number(800 * (c + 1));
        for (int c = 0; c < columns; ++c) {
            const QByteArray text = "R" + QByteArray::number(r) + "C" + QByteArray::number(c);
            o += "\\pard\\intbl " + text + "\\cell ";
            *texts << QString::fromLatin1(text);
        }
        o += "\\row ";
    }
    *texts << QStringLiteral("end");
    return o + "\\pard end\\par}";
}

struct TShape {
    int depth = 0;  // deepest table nesting
    int cells = 0;  // cells of all tables
};

void Measure(QTextFrame* frame, int level, TShape& s)
{
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* t = qobject_cast<QTextTable*>(child)) {
            s.depth = std::max(s.depth, level + 1);
            s.cells += t->rows() * t->columns();
            Measure(child, level + 1, s);
        } else {
            Measure(child, level, s);
        }
    }
}

// The words of the document's plain text, in order.
QStringList Words(const QTextDocument& doc)
{
    return DocumentPlainText(doc).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace

class TstRtfLimits : public QObject {
    Q_OBJECT
private slots:
    void documentsWithinTheLimitsKeepTheirTables();
    void deepNestingIsFlattenedKeepingEveryText_data();
    void deepNestingIsFlattenedKeepingEveryText();
};

void TstRtfLimits::documentsWithinTheLimitsKeepTheirTables()
{
    QStringList texts;
    QTextDocument doc;
    QVERIFY(RtfToDocument(Nested(3, 8, 4, &texts), doc));
    TShape s;
    Measure(doc.rootFrame(), 0, s);
    QCOMPARE(s.depth, 3);
    QCOMPARE(s.cells, 3 * 8);
    QCOMPARE(Words(doc), texts);
}

void TstRtfLimits::deepNestingIsFlattenedKeepingEveryText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("texts");
    QStringList t;
    QTest::newRow("16 deep, 250 cells") << Nested(16, 16, 4, &t) << t;
    t.clear();
    QTest::newRow("16 deep, one endless row per level") << Nested(16, 100, 1000, &t) << t;
    t.clear();
    QTest::newRow("12 deep, 20,000 cells (nested text budget)") << Nested(12, 1666, 4, &t) << t;
    t.clear();
    QTest::newRow("one table of 20,000 cells (cell budget)") << Wide(2000, 10, &t) << t;
}

void TstRtfLimits::deepNestingIsFlattenedKeepingEveryText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, texts);
    QTextDocument doc;
    QVERIFY(RtfToDocument(rtf, doc));
    TShape s;
    Measure(doc.rootFrame(), 0, s);
    QVERIFY2(s.depth <= rtf::kMaxShownTableDepth, qPrintable(QString::number(s.depth)));
    // The budget is checked as cells are made: one row or column may pass it.
    QVERIFY2(s.cells <= rtf::kMaxTableCells + 64, qPrintable(QString::number(s.cells)));
    QCOMPARE(Words(doc), texts);
}

QTEST_GUILESS_MAIN(TstRtfLimits)
#include "tst_rtf_limits.moc"

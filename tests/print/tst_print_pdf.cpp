// SPDX-License-Identifier: MIT
// Printed reports of the demo database, written as PDF through the one render path and read
// back with poppler: every line of findings and impression in order on the page the layout
// put it, header, patient data, doctors, page footers, the draft line only on drafts, Chinese
// text extractable as Chinese, fonts embedded. PNG pages land in build/screenshots/print/.
#include "app/Fonts.h"
#include "PopplerTools.h"
#include "TestDatabase.h"
#include "hostdata/HostPermissions.h"
#include "hostdata/PrintDocument.h"
#include "hostdata/PrintRender.h"
#include "rtf/Rtf.h"
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

namespace {
// Demo reports (db/sqlite/tools/gen_demo.py).
const QString kShortFinal = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");

QString RuidOf(TDbConnection& conn, const QString& accnu)
{
    return QueryTestValue(conn, QStringLiteral("SELECT ruid FROM Report WHERE Accnu = '%1'").arg(accnu)).AsString();
}

// The findings or impression as lines of text, the way the editor stored them.
QStringList RichLines(const QString& rtf)
{
    QTextDocument doc;
    RtfToDocument(rtf, doc);
    QStringList lines;
    for (const QString& l : DocumentPlainText(doc).split(QStringLiteral("\r\n")))
        if (!Comparable(l).isEmpty()) lines << Comparable(l);
    return lines;
}

TPrintSettings TestSettings()
{
    TPrintSettings s;
    s.hospitalName = QStringLiteral("示例市第一人民医院");
    s.department = QStringLiteral("超声医学科");
    return s;
}
} // namespace

class TstPrintPdf : public QObject {
    Q_OBJECT
    std::unique_ptr<TFreshDatabase> m_db;
    QTemporaryDir m_out;

private slots:
    void initTestCase()
    {
        InstallCjkFontSubstitutes();
        m_db = std::make_unique<TFreshDatabase>(true);
    }

    // The demo reports: short and final, three pages, hip screening, draft, final.
    void demoReports_data()
    {
        QTest::addColumn<QString>("accnu");
        QTest::addColumn<int>("pages");      // 0: whatever the layout needs
        QTest::addColumn<bool>("final");
        QTest::addColumn<bool>("hip");
        QTest::newRow("short-final") << "US20240520001" << 1 << true << false;
        QTest::newRow("long-three-pages") << "US20240521004" << 3 << true << false;
        QTest::newRow("hip-screening-draft") << "US20240520005" << 0 << false << true;
        QTest::newRow("critical-draft") << "US20240520008" << 0 << false << false;
        QTest::newRow("draft-with-proposed-reviewer") << "US20240520003" << 0 << false << false;
        QTest::newRow("final-with-suggestion") << "US20240520002" << 0 << true << false;
    }
    void demoReports()
    {
        if (const QString missing = PopplerMissing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
        QFETCH(QString, accnu);
        QFETCH(int, pages);
        QFETCH(bool, final);
        QFETCH(bool, hip);
        const QString ruid = RuidOf(*m_db->conn, accnu);
        const TPrintRecord r = LoadPrintRecord(*m_db->conn, ruid);
        QCOMPARE(r.IsFinal(), final);
        QCOMPARE(r.HasHipValues(), hip);

        const QString pdf = m_out.filePath(accnu + QStringLiteral(".pdf"));
        TPrintOutcome out;
        QString error;
        QVERIFY2(WriteReportPdf(r, TestSettings(), pdf, &out, &error), qPrintable(error));
        QCOMPARE(PdfPageCount(pdf), out.pageCount);
        if (pages) QCOMPARE(out.pageCount, pages);
        QVERIFY2(out.cutLines.isEmpty(), qPrintable(out.cutLines.join(QLatin1Char('\n'))));

        QStringList text;
        for (int p = 1; p <= out.pageCount; ++p) text << PdfPageText(pdf, p);
        // Every laid-out body line is on the page the layout gave it, in order.
        for (int p = 0; p < out.pageCount; ++p) {
            qsizetype at = 0;
            for (const QString& line : out.pageLines[p]) {
                const qsizetype found = text[p].indexOf(Comparable(line), at);
                QVERIFY2(found >= 0, qPrintable(QStringLiteral("page %1 lacks \"%2\"").arg(p + 1).arg(line)));
                at = found;
            }
        }
        // Every line of findings and impression is printed, in order, across the pages.
        const QString all = text.join(QString());
        qsizetype at = 0;
        for (const QString& line : RichLines(r.rtfSuoJian) + RichLines(r.rtfJieLun)) {
            const qsizetype found = all.indexOf(line, at);
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("missing or out of order: %1").arg(line)));
            at = found + line.size();
        }
        // Header and footer on every page; the draft line exactly on drafts.
        for (int p = 0; p < out.pageCount; ++p) {
            const QString& t = text[p];
            QVERIFY(t.contains(QStringLiteral("示例市第一人民医院")));
            QVERIFY(t.contains(QStringLiteral("超声检查报告单")));
            QVERIFY(t.contains(QStringLiteral("超声医学科")));
            QVERIFY(t.contains(Comparable(r.patientName)));
            QVERIFY(t.contains(accnu));
            QVERIFY2(t.contains(QStringLiteral("第%1页/共%2页").arg(p + 1).arg(out.pageCount)), qPrintable(t.right(80)));
            QCOMPARE(t.contains(Comparable(PrintCaption::Draft)), !final);
        }
        // Patient and exam data on the first page, doctors on the last.
        for (const QString& v : {r.sex, r.age, r.patientId, r.reqDept, r.itemName, r.jcMethod, r.lczd})
            QVERIFY2(text.first().contains(Comparable(v)), qPrintable(v));
        QVERIFY(text.last().contains(Comparable(QStringLiteral("报告医生：") + r.reportDoctor)));
        // A draft's stored review doctor is only the editor's proposal: not printed.
        if (!r.shenHeDoctor.isEmpty())
            QCOMPARE(text.last().contains(Comparable(QStringLiteral("审核医生：") + r.shenHeDoctor)), final);
        QCOMPARE(all.contains(QStringLiteral("Graf分型")), hip);
        if (hip) QVERIFY(all.contains(QStringLiteral("IIa型")) || all.contains(QStringLiteral("II型")));
        if (!r.jianYi.isEmpty()) QVERIFY(all.contains(Comparable(r.jianYi)));
        if (!r.beiZhu.isEmpty()) QVERIFY(all.contains(Comparable(r.beiZhu)));

        // Fonts are embedded (a workstation without them shows the same sheet).
        const QList<TPdfFont> fonts = PdfFonts(pdf);
        QVERIFY(!fonts.isEmpty());
        for (const TPdfFont& f : fonts) QVERIFY2(f.embedded, qPrintable(f.name + QStringLiteral(" is not embedded")));
    }

    // Two reports as pictures, for a person to look at the layout.
    void pngPages()
    {
        if (const QString missing = PopplerMissing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
        const QString shots = QStringLiteral(WR_BINARY_DIR "/screenshots/print");
        for (const QString& accnu : {QStringLiteral("US20240521004"), QStringLiteral("US20240520005")}) {
            const QString pdf = m_out.filePath(QStringLiteral("png-%1.pdf").arg(accnu));
            TPrintOutcome out;
            QString error;
            QVERIFY2(WriteReportPdf(LoadPrintRecord(*m_db->conn, RuidOf(*m_db->conn, accnu)), TestSettings(), pdf, &out, &error),
                     qPrintable(error));
            for (const QString& old : QDir(shots).entryList({accnu + QStringLiteral("-*.png")})) QFile::remove(QDir(shots).filePath(old));
            const QStringList pngs = PdfToPng(pdf, shots + QLatin1Char('/') + accnu, 80);
            QCOMPARE(pngs.size(), out.pageCount);
            for (const QString& png : pngs) {
                const QImage img(png);
                QVERIFY2(!img.isNull() && img.height() > img.width(), qPrintable(png));
            }
        }
    }

    // Stored texts a printer meets: no RTF, damaged RTF, a missing patient, a bad logo.
    void awkwardReports()
    {
        if (const QString missing = PopplerMissing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
        ExecTestSql(*m_db->conn, QStringLiteral(
            "INSERT INTO Report (ruid, Accnu, SuoJian, JieLun, rtf_SuoJian, rtf_JieLun, ReportState) VALUES "
            "('AWK-1', 'NO-SUCH-STUDY', '纯文本所见第一行\r\n纯文本所见第二行', '纯文本印象', '', "
            "'{\\rtf1\\ansi{\\fonttbl{\\f0 x;}}\\f0 \\u21306?\\u22495?\\b \\u26410?\\u23436?', NULL)"));
        TPrintRecord r = LoadPrintRecord(*m_db->conn, QStringLiteral("awk-1"));  // GUIDs match without case
        QCOMPARE(r.patientName, QString());
        TPrintSettings s = TestSettings();
        s.logoFile = m_out.filePath(QStringLiteral("no-logo.png"));
        const QString pdf = m_out.filePath(QStringLiteral("awkward.pdf"));
        TPrintOutcome out;
        QString error;
        QVERIFY2(WriteReportPdf(r, s, pdf, &out, &error), qPrintable(error));
        QVERIFY(out.warnings.join(QLatin1Char('\n')).contains(QStringLiteral("no-logo.png")));
        const QString t = PdfPageText(pdf, 1);
        QVERIFY(t.contains(QStringLiteral("纯文本所见第一行")));
        QVERIFY(t.contains(QStringLiteral("纯文本所见第二行")));
        QVERIFY2(t.contains(QStringLiteral("区域未完")), qPrintable(t));  // the truncated RTF's readable text
        QVERIFY(t.contains(Comparable(PrintCaption::Draft)));

        try {
            LoadPrintRecord(*m_db->conn, QStringLiteral("NO-SUCH-REPORT"));
            QFAIL("a missing report was loaded");
        } catch (const EDatabaseError& e) {
            QVERIFY(e.Message().contains(QStringLiteral("NO-SUCH-REPORT")));
        }
        // An unwritable target fails with a message and leaves nothing behind.
        const QString blocked = m_out.filePath(QStringLiteral("file-not-folder"));
        QFile(blocked).open(QIODevice::WriteOnly);
        QVERIFY(!WriteReportPdf(r, s, blocked + QStringLiteral("/x.pdf"), &out, &error));
        QVERIFY(!error.isEmpty());
    }

    // Settings and permissions read from the configuration.
    void settingsAndPermissions()
    {
        QStringList warnings;
        const QMap<QString, QString> ini{{QStringLiteral("PageSize"), QStringLiteral("a5")},
                                         {QStringLiteral("FontSize"), QStringLiteral("99")},
                                         {QStringLiteral("MarginMm"), QStringLiteral("20")},
                                         {QStringLiteral("Title"), QStringLiteral("  ")}};
        const TPrintSettings s = PrintSettingsFrom([&](const QString& k) { return ini.value(k); }, &warnings);
        QCOMPARE(s.pageSize.id(), QPageSize::A5);
        QCOMPARE(s.fontSize, 10.5);
        QCOMPARE(s.marginMm, 20.0);
        QCOMPARE(s.title, QStringLiteral("超声检查报告单"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().contains(QStringLiteral("FontSize")));

        const QMap<QString, QString> perms{{QStringLiteral("审核报告"), QStringLiteral("0")},
                                           {QStringLiteral("撤销审核"), QStringLiteral(" false ")},
                                           {QStringLiteral("打印报告"), QStringLiteral("1")},
                                           {QStringLiteral("导出PDF"), QString()}};
        const HostPermissions p([&](const QString& op) -> std::optional<QString> {
            if (!perms.contains(op)) return std::nullopt;
            return perms.value(op);
        });
        QVERIFY(!p.Allowed(THostOperation::SignReport));
        QVERIFY(!p.Allowed(THostOperation::WithdrawSignature));
        QVERIFY(p.Allowed(THostOperation::PrintReport));
        QVERIFY(!p.Allowed(THostOperation::ExportPdf));          // present but empty reads as 0
        QVERIFY(p.Allowed(THostOperation::EditSignedReport));    // absent: allowed
        QCOMPARE(OperationName(THostOperation::EditSignedReport), QStringLiteral("修改已审核报告"));
        QVERIFY(HostPermissions().Allowed(THostOperation::SignReport));
    }
};

QTEST_MAIN(TstPrintPdf)
#include "tst_print_pdf.moc"

// SPDX-License-Identifier: MIT
// Signing and printing end to end through the built wr-host: rights refused and granted, a
// final report that opens locked and needs its own right and a confirmation to change, the
// change kept final and counted, --pdf with its exit codes, and two workstations printing
// the same report at once.
#include "HostProcess.h"
#include "PopplerTools.h"
#include "TestDatabase.h"
#include <QtTest>
#include <thread>

namespace {
const QString kDraft = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");  // US20240520003, state 2
const QString kFinal = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");  // US20240520001, state 5

int Integer(const QString& db, const QString& sql)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, sql).AsInteger();
}
} // namespace

class TstPrintHost : public QObject {
    Q_OBJECT

private slots:
    void signingRightsAndLockedFinalReports()
    {
        THostSandbox box;
        // No right to sign: refused, nothing written.
        THostRun r = box.RunScript(QStringLiteral("config set Permissions 审核报告 0\nopen %1\nsign\n").arg(kDraft));
        QVERIFY2(r.finished && r.exitCode == 1, qPrintable(r.Describe()));
        QVERIFY2(r.err.contains(QStringLiteral("审核报告")), qPrintable(r.err));
        const QString db = box.DemoDatabase();
        QCOMPARE(Integer(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kDraft)), 2);

        // With the right: signed by the logged-in user (the reviewer, after giving the
        // password again); the PDF loses its draft line.
        const QString pdf = box.Path(QStringLiteral("signed.pdf"));
        r = box.RunScript(QStringLiteral("config set Permissions 审核报告 1\nopen %1\nanswer password\nsign\n"
                                         "expect Memo_JianYi.readOnly true\npdf %2\n").arg(kDraft, pdf),
                          box.LoginAs(QStringLiteral("D001")));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        QCOMPARE(Integer(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kDraft)), 5);
        {
            auto conn = OpenDatabase(db);
            QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ShenHeDoctor FROM Report WHERE ruid = '%1'").arg(kDraft)).AsString(),
                     QStringLiteral("张医生"));
            QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ShenHeDoctorCode FROM Report WHERE ruid = '%1'").arg(kDraft)).AsString(),
                     QStringLiteral("D001"));
        }
        if (PopplerMissing().isEmpty()) {
            QVERIFY(PdfPageText(pdf, 1).contains(QStringLiteral("审核医生:张医生")));
            QVERIFY(!PdfPageText(pdf, 1).contains(QStringLiteral("草稿")));
        }

        // Unlocking a final report without 修改已审核报告: refused, it stays locked.
        r = box.RunScript(QStringLiteral("config set Permissions 修改已审核报告 0\nopen %1\nunlock\n").arg(kFinal));
        QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("修改已审核报告")), qPrintable(r.Describe()));
        // Declining the confirmation keeps it locked too.
        r = box.RunScript(QStringLiteral("config set Permissions 修改已审核报告 1\nopen %1\nanswer no\nunlock\n").arg(kFinal));
        QVERIFY2(r.finished && r.exitCode == 1, qPrintable(r.Describe()));
        // Confirmed: edited, saved, still final, counted and recorded.
        r = box.RunScript(QStringLiteral("open %1\nanswer yes\nunlock\nset Memo_JianYi \"建议一年后复查。\"\nsave\n"
                                         "expect Memo_JianYi 建议一年后复查。\nexpect Memo_JianYi.readOnly false\n").arg(kFinal));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        QCOMPARE(Integer(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kFinal)), 5);
        QCOMPARE(Integer(db, QStringLiteral("SELECT SignedEdits FROM Report WHERE ruid = '%1'").arg(kFinal)), 1);
        QCOMPARE(Integer(db, QStringLiteral("SELECT count(*) FROM ReportEvent WHERE ruid = '%1' AND Event = 'edit-signed'").arg(kFinal)), 1);
        {
            auto conn = OpenDatabase(db);
            QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT JianYi FROM Report WHERE ruid = '%1'").arg(kFinal)).AsString(),
                     QStringLiteral("建议一年后复查。"));
        }

        // Withdrawing asks, then takes the report below 5.
        r = box.RunScript(QStringLiteral("open %1\nanswer yes\nanswer password\nwithdraw\n").arg(kFinal));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        QCOMPARE(Integer(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kFinal)), 2);
    }

    // Signing, printing and noting a change rewrite the row the editor has open; the host
    // opens it again, so the workstation's next saves are neither refused as someone else's
    // change nor undo the signature or the count.
    void savesAfterSigningAndPrintingKeepTheirChanges()
    {
        THostSandbox box;
        const THostRun r = box.RunScript(QStringLiteral(
            "open %1\nunlock\nset Memo_JianYi \"签名前的建议。\"\nanswer password\nsign\nprint %2\nanswer yes\nunlock\n"
            "set Memo_JianYi \"签名后修改的建议。\"\nsave\nprint %2\nset Memo_JianYi \"打印后再改。\"\nsave\n")
                                             .arg(kDraft, box.Path(QStringLiteral("p.pdf"))));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        const QString db = box.DemoDatabase();
        const QString where = QStringLiteral(" FROM Report WHERE ruid = '%1'").arg(kDraft);
        QCOMPARE(Integer(db, QStringLiteral("SELECT ReportState") + where), 5);
        QCOMPARE(Integer(db, QStringLiteral("SELECT PrintedCont") + where), 2);
        QCOMPARE(Integer(db, QStringLiteral("SELECT SignedEdits") + where), 2);
        auto conn = OpenDatabase(db);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT JianYi") + where).AsString(), QStringLiteral("打印后再改。"));
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ShenHeDoctor") + where).AsString().isEmpty(), false);
    }

    void headlessPdf()
    {
        THostSandbox box;
        const QString pdf = box.Path(QStringLiteral("out/report.pdf"));
        THostRun r = box.Run({QStringLiteral("--pdf"), kFinal, pdf});
        QVERIFY2(r.finished && r.exitCode == 0 && QFileInfo(pdf).size() > 1000, qPrintable(r.Describe()));
        r = box.Run({QStringLiteral("--pdf"), QStringLiteral("NO-SUCH-GUID"), box.Path(QStringLiteral("none.pdf"))});
        QVERIFY2(r.finished && r.exitCode == 6 && r.err.contains(QStringLiteral("NO-SUCH-GUID")), qPrintable(r.Describe()));
        QVERIFY(!QFile::exists(box.Path(QStringLiteral("none.pdf"))));
        r = box.Run({QStringLiteral("--pdf"), kFinal});
        QVERIFY2(r.finished && r.exitCode == 2, qPrintable(r.Describe()));
    }

    // Two workstations printing the same report 50 times each: the count grows by 100.
    void twoWorkstationsPrinting()
    {
        THostSandbox box;
        THostRun first = box.Run({QStringLiteral("--pdf"), kFinal, box.Path(QStringLiteral("warm.pdf"))});  // builds the database
        QVERIFY2(first.exitCode == 0, qPrintable(first.Describe()));
        const int before = Integer(box.DemoDatabase(), QStringLiteral("SELECT PrintedCont FROM Report WHERE ruid = '%1'").arg(kFinal));
        QStringList scripts;
        for (int w = 0; w < 2; ++w) {
            QString s = QStringLiteral("open %1\n").arg(kFinal);
            for (int i = 0; i < 50; ++i) s += QStringLiteral("print %1\n").arg(box.Path(QStringLiteral("w%1/print.pdf").arg(w)));
            scripts << box.WriteFile(QStringLiteral("print%1.txt").arg(w), s.toUtf8());
        }
        THostRun runs[2];
        std::thread a([&] { runs[0] = box.Run({QStringLiteral("--script"), scripts[0]}, 300000); });
        std::thread b([&] { runs[1] = box.Run({QStringLiteral("--script"), scripts[1]}, 300000); });
        a.join();
        b.join();
        for (const THostRun& r : runs) QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        QCOMPARE(Integer(box.DemoDatabase(), QStringLiteral("SELECT PrintedCont FROM Report WHERE ruid = '%1'").arg(kFinal)),
                 before + 100);
    }
};

QTEST_MAIN(TstPrintHost)
#include "tst_print_host.moc"

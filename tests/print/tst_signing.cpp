// SPDX-License-Identifier: MIT
// Signing, withdrawing, noting an edit of a final report and counting prints, on SQLite and
// on the database server (the same procedures in each dialect's script).
#include "ServerFixture.h"
#include "hostdata/ReportSigning.h"
#include "hostdata/WorklistQuery.h"
#include <QDateTime>
#include <QProcess>
#include <QtTest>

namespace {
const QString kDraft = QStringLiteral("SIGN-DRAFT");
const QString kFinal = QStringLiteral("SIGN-FINAL");
const TSigner kReviewer{QStringLiteral("张医生"), QStringLiteral("D001")};

QString Text(TBackendDatabase& db, const QString& column, const QString& ruid)
{
    return db.Value(QStringLiteral("SELECT %1 FROM Report WHERE ruid = '%2'").arg(column, ruid)).AsString();
}
} // namespace

class TstSigning : public QObject {
    Q_OBJECT
    std::unique_ptr<TBackendDatabase> m_db;

private slots:
    void init()
    {
        if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
        m_db = std::make_unique<TBackendDatabase>(false);
        m_db->Exec(QStringLiteral(
            "INSERT INTO Report (ruid, Accnu, ReportState, PrintedCont, ShenHeDoctor, ShenHeDoctorCode, shenHeDate, CreateTime) VALUES "
            "('SIGN-DRAFT', 'A1', 2, 0, '王建国', 'D002', '2024-05-20 10:05:00', '2024-05-20 10:00:00'), "
            "('SIGN-FINAL', 'A2', 5, 3, '赵敏', 'D101', '2024-05-20 11:00:00', '2024-05-20 10:30:00')"));
    }
    void cleanup() { m_db.reset(); }

    // Signing writes review doctor, code, date and state together, and only once.
    void signWritesTheFourFieldsOnce()
    {
        const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
        SignReport(m_db->Connection(), kDraft.toLower(), kReviewer);  // GUIDs match without case
        QCOMPARE(m_db->Value(QStringLiteral("SELECT ReportState FROM Report WHERE ruid = 'SIGN-DRAFT'")).AsInteger(), 5);
        QCOMPARE(Text(*m_db, QStringLiteral("ShenHeDoctor"), kDraft), kReviewer.name);
        QCOMPARE(Text(*m_db, QStringLiteral("ShenHeDoctorCode"), kDraft), kReviewer.code);
        const QDateTime signedAt = DateTimeToQDateTime(
            m_db->Value(QStringLiteral("SELECT shenHeDate FROM Report WHERE ruid = 'SIGN-DRAFT'")).AsDateTime());
        QVERIFY2(signedAt >= before && signedAt <= QDateTime::currentDateTime().addSecs(2), qPrintable(signedAt.toString()));
        const TReportSignState state = ReadSignState(m_db->Connection(), kDraft);
        QVERIFY(state.IsFinal());

        // A second signature, of this report or of one already final, is refused and changes nothing.
        for (const QString& ruid : {kDraft, kFinal}) {
            try {
                SignReport(m_db->Connection(), ruid, TSigner{QStringLiteral("李秀英"), QStringLiteral("D003")});
                QFAIL("a final report was signed again");
            } catch (const EDatabaseError& e) {
                QVERIFY2(e.Message().contains(QStringLiteral("报告已审核")), qPrintable(e.Message()));
            }
        }
        QCOMPARE(Text(*m_db, QStringLiteral("ShenHeDoctor"), kDraft), kReviewer.name);
        QCOMPARE(Text(*m_db, QStringLiteral("ShenHeDoctor"), kFinal), QStringLiteral("赵敏"));
        const QList<TReportEvent> events = ReadReportEvents(m_db->Connection(), kDraft);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().event, QStringLiteral("sign"));
        QCOMPARE(events.first().userName, kReviewer.name);
    }

    void refusals()
    {
        auto refused = [&](const std::function<void()>& call, const QString& message) {
            try {
                call();
            } catch (const EDatabaseError& e) {
                return e.Message().contains(message);
            }
            return false;
        };
        QVERIFY(refused([&] { SignReport(m_db->Connection(), QStringLiteral("NOPE"), kReviewer); }, QStringLiteral("没有这份报告")));
        QVERIFY(refused([&] { SignReport(m_db->Connection(), kDraft, TSigner{QStringLiteral("  "), QString()}); },
                        QStringLiteral("审核医生不能为空")));
        QVERIFY(refused([&] { WithdrawSignature(m_db->Connection(), kDraft, kReviewer); }, QStringLiteral("报告未审核")));
        QVERIFY(refused([&] { NoteSignedEdit(m_db->Connection(), kDraft, kReviewer); }, QStringLiteral("报告未审核")));
        QVERIFY(refused([&] { CountPrint(m_db->Connection(), QStringLiteral("NOPE"), kReviewer); }, QStringLiteral("没有这份报告")));
        QCOMPARE(ReadSignState(m_db->Connection(), kDraft).reportState, 2);
        QCOMPARE(ReadReportEvents(m_db->Connection(), kDraft).size(), 0);
    }

    // Withdrawing takes a final report back below 5; an edit of a final report is counted.
    void withdrawAndSignedEdits()
    {
        NoteSignedEdit(m_db->Connection(), kFinal, kReviewer);
        NoteSignedEdit(m_db->Connection(), kFinal, kReviewer);
        QCOMPARE(ReadSignState(m_db->Connection(), kFinal).signedEdits, 2);
        // The work list carries the count, for its marker.
        const std::optional<TWorklistEntry> row = TWorklistQuery(m_db->Connection()).Row(kFinal, TWorklistFilter());
        QVERIFY(row);
        QCOMPARE(row->signedEdits, 2);
        WithdrawSignature(m_db->Connection(), kFinal, kReviewer);
        const TReportSignState s = ReadSignState(m_db->Connection(), kFinal);
        QCOMPARE(s.reportState, 2);
        QVERIFY(!s.IsFinal());
        QStringList kinds;
        for (const TReportEvent& e : ReadReportEvents(m_db->Connection(), kFinal)) kinds << e.event;
        QCOMPARE(kinds, (QStringList{QStringLiteral("edit-signed"), QStringLiteral("edit-signed"), QStringLiteral("withdraw")}));
        SignReport(m_db->Connection(), kFinal, kReviewer);
        QVERIFY(ReadSignState(m_db->Connection(), kFinal).IsFinal());
    }

    // Two workstations printing the same report 50 times each: every print counts.
    void concurrentPrintsAllCount()
    {
        QList<QProcess*> procs;
        for (const char* who : {"甲", "乙"}) {
            auto* p = new QProcess(this);
            p->start(QStringLiteral(WR_PRINT_COUNTER_EXE), {m_db->Target(), kFinal, QStringLiteral("50"), QString::fromUtf8(who)});
            procs << p;
        }
        for (QProcess* p : procs) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
            delete p;
        }
        QCOMPARE(ReadSignState(m_db->Connection(), kFinal).printedCount, 3 + 100);
        QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM ReportEvent WHERE Event = 'print'")).AsInteger(), 100);

        // A save from an editor that still holds the old count does not put it back.
        auto sp = m_db->Connection().CreateStoredProc();
        sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
        sp->RefreshParameters();
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(kFinal);
        sp->ParamByName(QStringLiteral("@ReportState")).SetAsInteger(5);
        sp->ParamByName(QStringLiteral("@PrintedCont")).SetAsInteger(3);
        sp->ExecProc();
        QCOMPARE(ReadSignState(m_db->Connection(), kFinal).printedCount, 103);
    }
};

QTEST_MAIN(TstSigning)
#include "tst_signing.moc"

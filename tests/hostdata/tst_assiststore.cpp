// SPDX-License-Identifier: MIT
// The assistants' values saved with a report, on fresh databases built from the project's
// scripts, on SQLite and on the database server (registered once for each): a document
// reads back as saved, an unchanged save keeps no copy, a changed one keeps the replaced
// document with the report version it went with, refused saves write nothing, and the same
// patient's earlier report is found for comparing sizes.
#include "ServerFixture.h"
#include "hostdata/AssistStore.h"
#include "hostdata/ReportHistory.h"
#include <QTest>

namespace {

TAssistDocument Thyroid(const QString& size)
{
    TAssistDocument d;
    d.organ = QStringLiteral("thyroid");
    d.systems = QStringList{QStringLiteral("acr-tirads"), QStringLiteral("c-tirads")};
    d.nodules << TAssistNodule{{"side", "left"}, {"composition", "solid"}, {"foci", "macro,punctate"}, {"size", size}}
              << TAssistNodule{{"side", "right"}, {"composition", "cystic"}, {"size", "5x4x3"}};
    return d;
}

} // namespace

class TstAssistStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void savedDocumentReadsBackAndVersionsAreKept();
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void earlierReportOfTheSamePatient();

private:
    void AddReport(const QString& ruid, const QString& accnu, const QString& patientId, const QString& examTime);
    qint64 CurrentStamp(const QString& ruid);
    int Kept(const QString& ruid) { return m_db->Value(QStringLiteral("SELECT count(*) FROM StructuredFindingHistory WHERE ruid = '%1'").arg(ruid)).AsInteger(); }

    TDbConnection& Conn() { return m_db->Connection(); }
    std::unique_ptr<TBackendDatabase> m_db;
};

void TstAssistStore::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(false);
}

void TstAssistStore::cleanup() { m_db.reset(); }

void TstAssistStore::AddReport(const QString& ruid, const QString& accnu, const QString& patientId, const QString& examTime)
{
    m_db->Exec(QStringLiteral("INSERT INTO Study (Accnu, PatientName, PatientId, ExamTime) VALUES (%1, '张三', %2, %3)")
                   .arg(QuotedStr(accnu), QuotedStr(patientId), QuotedStr(examTime)));
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, Accnu, CreateTime) VALUES (%1, %2, %3)")
                   .arg(QuotedStr(ruid), QuotedStr(accnu), QuotedStr(examTime)));
}

qint64 TstAssistStore::CurrentStamp(const QString& ruid) { return ListReportVersions(Conn(), ruid).first().rowVersion; }

void TstAssistStore::savedDocumentReadsBackAndVersionsAreKept()
{
    QVERIFY(StructuredFindingsAvailable(Conn()));
    AddReport(QStringLiteral("R1"), QStringLiteral("A1"), QStringLiteral("P1"), QStringLiteral("2026-12-01 09:00:00"));
    QVERIFY(!ReadStructuredFinding(Conn(), QStringLiteral("R1"), QStringLiteral("thyroid")));

    const TAssistDocument first = Thyroid(QStringLiteral("12.5x8x7"));
    SaveStructuredFinding(Conn(), QStringLiteral("R1"), first, QStringLiteral("李医生(01)@ws1"));
    QCOMPARE(*ReadStructuredFinding(Conn(), QStringLiteral("r1"), QStringLiteral("thyroid")), first);
    const qint64 firstStamp = CurrentStamp(QStringLiteral("R1"));

    // The report is saved again (its stamp moves on) with the same values: nothing to keep.
    m_db->Exec(QStringLiteral("UPDATE Report SET SuoJian = 'x' WHERE ruid = 'R1'"));
    SaveStructuredFinding(Conn(), QStringLiteral("R1"), first, QStringLiteral("李医生(01)@ws1"));
    QCOMPARE(Kept(QStringLiteral("R1")), 0);

    // Changed values: the replaced document is kept and still goes with the old version.
    m_db->Exec(QStringLiteral("UPDATE Report SET SuoJian = 'y' WHERE ruid = 'R1'"));
    const TAssistDocument second = Thyroid(QStringLiteral("14x9x8"));
    SaveStructuredFinding(Conn(), QStringLiteral("R1"), second, QString());
    QCOMPARE(Kept(QStringLiteral("R1")), 1);
    QCOMPARE(*ReadStructuredFinding(Conn(), QStringLiteral("R1"), QStringLiteral("thyroid")), second);
    QCOMPARE(*ReadStructuredFindingAt(Conn(), QStringLiteral("R1"), QStringLiteral("thyroid"), firstStamp), first);
    QCOMPARE(*ReadStructuredFindingAt(Conn(), QStringLiteral("R1"), QStringLiteral("thyroid"), CurrentStamp(QStringLiteral("R1"))), second);
    QVERIFY(!ReadStructuredFindingAt(Conn(), QStringLiteral("R1"), QStringLiteral("thyroid"), firstStamp - 1));

    // No nodules left: the values are gone for reopening, the last ones kept.
    SaveStructuredFinding(Conn(), QStringLiteral("R1"), TAssistDocument{QStringLiteral("thyroid"), {}, {}, {}}, QString());
    QVERIFY(!ReadStructuredFinding(Conn(), QStringLiteral("R1"), QStringLiteral("thyroid")));
    QCOMPARE(Kept(QStringLiteral("R1")), 2);
}

void TstAssistStore::refusedSavesWriteNothing_data()
{
    QTest::addColumn<QString>("ruid");
    QTest::addColumn<QString>("organ");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such report") << "NOPE" << "thyroid" << "没有这份报告";
    QTest::newRow("blank report GUID") << "  " << "thyroid" << "@Ruid";
    QTest::newRow("no organ") << "R1" << "" << "@Organ";
}

void TstAssistStore::refusedSavesWriteNothing()
{
    QFETCH(QString, ruid);
    QFETCH(QString, organ);
    QFETCH(QString, message);
    AddReport(QStringLiteral("R1"), QStringLiteral("A1"), QStringLiteral("P1"), QStringLiteral("2026-12-01 09:00:00"));
    TAssistDocument doc = Thyroid(QStringLiteral("10x8x7"));
    doc.organ = organ;
    try {
        SaveStructuredFinding(Conn(), ruid, doc, QString());
        QFAIL("saved");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
    }
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM StructuredFinding")).AsInteger(), 0);
}

void TstAssistStore::earlierReportOfTheSamePatient()
{
    AddReport(QStringLiteral("OLD"), QStringLiteral("A1"), QStringLiteral("P1"), QStringLiteral("2025-06-01 09:00:00"));
    AddReport(QStringLiteral("MID"), QStringLiteral("A2"), QStringLiteral("P1"), QStringLiteral("2026-03-01 09:00:00"));
    AddReport(QStringLiteral("NEW"), QStringLiteral("A3"), QStringLiteral("P1"), QStringLiteral("2026-12-01 09:00:00"));
    AddReport(QStringLiteral("LATER"), QStringLiteral("A4"), QStringLiteral("P1"), QStringLiteral("2026-12-05 09:00:00"));
    AddReport(QStringLiteral("OTHER"), QStringLiteral("A5"), QStringLiteral("P2"), QStringLiteral("2026-11-01 09:00:00"));
    AddReport(QStringLiteral("NOID"), QStringLiteral("A6"), QString(), QStringLiteral("2026-12-02 09:00:00"));
    for (const char* r : {"OLD", "MID", "LATER", "OTHER"})
        SaveStructuredFinding(Conn(), QLatin1String(r), Thyroid(QStringLiteral("10x8x7")), QString());
    // MID's values were removed: the one before it is the newest with values.
    SaveStructuredFinding(Conn(), QStringLiteral("MID"), TAssistDocument{QStringLiteral("thyroid"), {}, {}, {}}, QString());

    const auto earlier = FindEarlierStructuredFinding(Conn(), QStringLiteral("NEW"), QStringLiteral("thyroid"));
    QVERIFY(earlier);
    QCOMPARE(earlier->ruid, QStringLiteral("OLD"));
    QVERIFY(!FindEarlierStructuredFinding(Conn(), QStringLiteral("NEW"), QStringLiteral("breast")));
    QVERIFY(!FindEarlierStructuredFinding(Conn(), QStringLiteral("NOID"), QStringLiteral("thyroid")));
    QVERIFY(!FindEarlierStructuredFinding(Conn(), QStringLiteral("OLD"), QStringLiteral("thyroid")));
}

QTEST_GUILESS_MAIN(TstAssistStore)
#include "tst_assiststore.moc"

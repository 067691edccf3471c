// SPDX-License-Identifier: MIT
// The database server goes away under a connected workstation: stopped in the middle of a
// save, between two saves, or down when the save starts. The save is reported failed (log
// line and message box), nothing half-written stays, the process carries on, and once the
// server is back the same connection reconnects and the next save lands.
//
// Stops and starts the shared test server (WR_TEST_PG_STOP / WR_TEST_PG_START from
// scripts/server-tests), so it runs alone (label fault, RUN_SERIAL).
#include "ServerFixture.h"
#include "ScriptedDialogs.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "platform/odbc/OdbcDatabase.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

namespace {
const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");

// sp_SaveReportInfo saves, then waits before its transaction ends: the window in which
// the test stops the server.
const QString kSlowSave = PgWrapSaveProcedure(QStringLiteral("PERFORM pg_sleep(5);"));
const QString kNormalSave = QStringLiteral(
    "DROP PROCEDURE sp_SaveReportInfo; ALTER PROCEDURE wr_inner_save RENAME TO sp_SaveReportInfo");

bool RunScript(const QString& script)
{
    QProcess p;
    p.start(script, {});
    return p.waitForFinished(90000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

class TServerFaultTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void serverStoppedInTheMiddleOfASave();
    void serverRestartedBetweenTwoSaves();
    void serverDownWhenTheSaveStarts();

private:
    bool Save(const TReportInfo& r) { return m_data->SaveReportInfoToDB(r.FRuid, r); }
    int Rows(const QString& ruid);
    const char* LastLog()
    {
        m_lastLog = m_host->logs.isEmpty() ? QByteArray() : m_host->logs.last().value.toUtf8();
        return m_lastLog.constData();
    }
    QByteArray m_lastLog;
    // Set-up on a connection of its own: the fixture's one may have lost its link too.
    void Exec(const QString& sql) { ExecTestSql(*OpenDatabase(m_db->AdminTarget()), sql); }
    void StartServer() { QVERIFY2(RunScript(m_start), "the test server did not start again"); }

    QString m_stop, m_start;
    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TDbConnection> m_conn;  // the workstation's connection
    std::unique_ptr<TFakeMainForm> m_host;
    std::unique_ptr<TFakeDataModule> m_dm;
    std::unique_ptr<TServerReportData> m_data;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
};

void TServerFaultTest::initTestCase()
{
    if (!TestsUseServer()) QSKIP("Fault tests need the database server (WR_TEST_BACKEND=odbc)");
    const QString why = TBackendDatabase::SkipReason();
    if (!why.isEmpty()) QSKIP(qPrintable(why));
    m_stop = qEnvironmentVariable("WR_TEST_PG_STOP");
    m_start = qEnvironmentVariable("WR_TEST_PG_START");
    if (m_stop.isEmpty() || m_start.isEmpty())
        QSKIP("WR_TEST_PG_STOP / WR_TEST_PG_START are not set: run from scripts/server-tests");
}

void TServerFaultTest::init()
{
    m_db = std::make_unique<TBackendDatabase>();
    m_conn = OpenDatabase(m_db->Target());
    m_host = std::make_unique<TFakeMainForm>();
    m_dm = std::make_unique<TFakeDataModule>();
    m_dm->mainConnection = m_conn.get();
    m_data = std::make_unique<TServerReportData>(*m_host, *m_dm);
    m_data->rtf[0] = m_data->rtf[1] = QByteArrayLiteral("{\\rtf1 x}");
    m_dialogs = std::make_unique<TScriptedDialogs>();
}

void TServerFaultTest::cleanup()
{
    // Whatever happened, leave the server running for the next test.
    RunScript(m_start);
    m_dialogs.reset();
    m_data.reset();
    m_dm.reset();
    m_host.reset();
    m_conn.reset();
    m_db.reset();
}

int TServerFaultTest::Rows(const QString& ruid)
{
    auto fresh = OpenDatabase(m_db->Target());
    auto q = fresh->CreateQuery();
    q->SQL() << QStringLiteral("SELECT count(*) AS n FROM Report WHERE ruid = %1").arg(QuotedStr(ruid));
    q->Open();
    return q->FieldByName(QStringLiteral("n")).AsInteger();
}

void TServerFaultTest::serverStoppedInTheMiddleOfASave()
{
    auto* odbc = dynamic_cast<TOdbcConnection*>(m_conn.get());
    QVERIFY(odbc);
    QVERIFY2(Save(DistinctReport(QStringLiteral("R-before"))), LastLog());
    m_db->Exec(QString(), kSlowSave);

    // The server goes down while the procedure has written the row but not committed it.
    QProcess stopper;
    stopper.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 1; exec \"$0\""), m_stop});
    QVERIFY(stopper.waitForStarted());
    QElapsedTimer t;
    t.start();
    QVERIFY(!Save(DistinctReport(QStringLiteral("R-during"))));
    QVERIFY2(t.elapsed() < 4500, "the save did not fail when the server went away");
    QVERIFY(stopper.waitForFinished(60000));
    QCOMPARE(FailureLogCount(*m_host, kSaveTitle), 1);
    QCOMPARE(m_dialogs->shown.size(), 1);

    StartServer();
    Exec(kNormalSave);
    QCOMPARE(Rows(QStringLiteral("R-during")), 0);  // nothing half-saved
    QCOMPARE(Rows(QStringLiteral("R-before")), 1);

    // The same connection reconnects on its next use.
    TReportInfo after = DistinctReport(QStringLiteral("R-after"));
    QVERIFY2(Save(after), LastLog());
    QCOMPARE(odbc->ReconnectCount(), 1);
    TReportInfo back;
    m_data->GetReportInfoFromRuid(after.FRuid, back);
    after.Frtf_SuoJian = after.Frtf_JieLun = QStringLiteral("{\\rtf1 x}");
    QVERIFY(back == after);
}

void TServerFaultTest::serverRestartedBetweenTwoSaves()
{
    QVERIFY2(Save(DistinctReport(QStringLiteral("R-1"))), LastLog());
    QVERIFY(RunScript(m_stop));
    StartServer();
    // The link died while idle: the first save may find out (and is then reported failed);
    // the one after it reconnects and lands.
    const bool first = Save(DistinctReport(QStringLiteral("R-2")));
    QCOMPARE(FailureLogCount(*m_host, kSaveTitle), first ? 0 : 1);
    QVERIFY2(Save(DistinctReport(QStringLiteral("R-3"))), LastLog());
    QCOMPARE(Rows(QStringLiteral("R-2")), first ? 1 : 0);
    QCOMPARE(Rows(QStringLiteral("R-3")), 1);

    // With the idle check on every use, a restart between saves costs no save at all.
    SetOdbcIdleCheckSeconds(0);
    QVERIFY(RunScript(m_stop));
    StartServer();
    const bool checked = Save(DistinctReport(QStringLiteral("R-4")));
    SetOdbcIdleCheckSeconds(60);
    QVERIFY(checked);
    QCOMPARE(Rows(QStringLiteral("R-4")), 1);
}

void TServerFaultTest::serverDownWhenTheSaveStarts()
{
    QVERIFY2(Save(DistinctReport(QStringLiteral("R-1"))), LastLog());
    QVERIFY(RunScript(m_stop));
    // Down: every save fails cleanly, however often it is tried, and reconnecting is retried.
    QVERIFY(!Save(DistinctReport(QStringLiteral("R-2"))));
    QVERIFY(!Save(DistinctReport(QStringLiteral("R-2"))));
    QCOMPARE(FailureLogCount(*m_host, kSaveTitle), 2);
    QVERIFY(m_host->LogsWithTitle(kSaveTitle).last().value.contains(QStringLiteral("Cannot connect")));
    StartServer();
    QVERIFY2(Save(DistinctReport(QStringLiteral("R-2"))), LastLog());
    QCOMPARE(Rows(QStringLiteral("R-2")), 1);
}

QTEST_GUILESS_MAIN(TServerFaultTest)
#include "tst_serverfault.moc"

// SPDX-License-Identifier: MIT
// wr-host on a database server through ODBC (PostgreSQL standing in for SQL Server, started
// by scripts/server-tests): the work list, the pickers, a save and a reopen take the same
// paths a workstation takes on the wards.
#include "HostProcess.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include <QTest>

namespace {
const QString kReport = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");
const QString kTwoPageReport = QStringLiteral("D1B74DCD-2A3E-5815-AAD4-BA7743F81F05");
} // namespace

class TstHostServer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void editPickSaveReopen();
    void signingAsksForThePasswordAgain();
    void brokenSaveOnTheServer();

private:
    QString m_target;
};

void TstHostServer::initTestCase()
{
    const QString reason = ServerTestsUnavailableReason();
    if (!reason.isEmpty()) QSKIP(qPrintable(reason));
    if (!WR_PLUGIN_BUILT) QSKIP("the WriteReport plug-in is not built");
    m_target = CreateServerTestDatabase(true);
}

void TstHostServer::cleanupTestCase()
{
    if (!m_target.isEmpty()) DropServerTestDatabase(m_target);
}

void TstHostServer::editPickSaveReopen()
{
    THostSandbox box;
    const QString dump = box.Path(QStringLiteral("after.json"));
    const THostRun edit = box.RunScript(QStringLiteral(
        "open %1\n"
        "unlock\n"
        "pick item 乳腺及腋窝淋巴结|肝胆胰脾\n"
        "click sb_jcitem\n"
        "pick method 彩色多普勒超声检查\n"
        "click sb_jcMethod\n"
        "pick template jl:肝胆胰脾未见异常\n"
        "click lab_zdyx\n"
        "set Memo_JianYi 服务器上的建议\n"
        "save\n").arg(kTwoPageReport), QStringList{QStringLiteral("--db"), m_target} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(edit.finished && edit.exitCode == 0, qPrintable(edit.Describe()));

    const THostRun reopen = box.RunScript(QStringLiteral("open %1\ndump %2\n").arg(kTwoPageReport, dump),
                                          QStringList{QStringLiteral("--db"), m_target} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(reopen.finished && reopen.exitCode == 0, qPrintable(reopen.Describe()));
    const QJsonObject c = ReadDumpControls(dump);
    auto text = [&](const char* name) { return c[QLatin1String(name)].toObject()[QStringLiteral("text")].toString(); };
    QCOMPARE(text("Memo_jcItem"), QStringLiteral("肝胆胰脾,乳腺及腋窝淋巴结"));
    QCOMPARE(text("memo_jcmethod"), QStringLiteral("彩色多普勒超声检查"));
    QCOMPARE(text("rich_zdjx"), QStringLiteral("肝、胆、胰、脾未见明显异常。"));
    QCOMPARE(text("Memo_JianYi"), QStringLiteral("服务器上的建议"));
}

// The log-in and the password asked again before signing, as the workstation's login
// (which reaches the users only through the procedures).
void TstHostServer::signingAsksForThePasswordAgain()
{
    THostSandbox box;
    const QString draft = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");  // state 2
    const QStringList args = QStringList{QStringLiteral("--db"), m_target} + box.LoginAs(QStringLiteral("D001"));
    THostRun r = box.RunScript(QStringLiteral("open %1\nanswer wrong-password\nsign\n").arg(draft), args);
    QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("密码错误，还可以再试")), qPrintable(r.Describe()));
    r = box.RunScript(QStringLiteral("open %1\nanswer password\nsign\n").arg(draft), args);
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    auto conn = OpenDatabase(ServerAdminTarget(m_target));
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ShenHeDoctorCode FROM Report WHERE ruid = '%1'").arg(draft)).AsString(),
             QStringLiteral("D001"));
    // The doctor's role may not change the final report on the server either.
    r = box.RunScript(QStringLiteral("open %1\nunlock\n").arg(draft),
                      QStringList{QStringLiteral("--db"), m_target} + box.LoginAs(QStringLiteral("D003")));
    QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("修改已审核报告")), qPrintable(r.Describe()));
}

void TstHostServer::brokenSaveOnTheServer()
{
    auto conn = OpenDatabase(ServerAdminTarget(m_target));
    ExecTestSql(*conn, QStringLiteral("DROP PROCEDURE sp_SaveReportInfo"));
    THostSandbox box;
    const THostRun r = box.RunScript(QStringLiteral("open %1\nanswer yes\nunlock\nset Memo_JianYi 不会保存\nsave expect-error\n"
                                                    "expect Memo_JianYi 不会保存\n").arg(kReport),
                                     QStringList{QStringLiteral("--db"), m_target} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(QStringLiteral("save failed as expected")), qPrintable(r.out));
}

QTEST_GUILESS_MAIN(TstHostServer)
#include "tst_host_server.moc"

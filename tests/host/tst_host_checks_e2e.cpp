// SPDX-License-Identifier: MIT
// The checks before signing and critical values end to end through the built wr-host and
// wr-admin, on SQLite and on the database server (registered once for each): a right-kidney
// report whose findings and impression speak only of the left is stopped at signing, then
// signed after an override whose reason is recorded; a report with a critical value cannot be
// signed until told (a notice without read-back is refused), the notice is in the register,
// and wr-admin critical-report lists it with its minutes.
#include "HostProcess.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include <QProcess>
#include <QTest>

namespace {
const QString kSide = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");      // a draft of the demo
const QString kCritical = QStringLiteral("E92040B5-2034-55F1-B39C-DE846C6D9A70");  // its critical value

bool OnServer() { return qEnvironmentVariable("WR_TEST_BACKEND") == QLatin1String("odbc"); }
} // namespace

class TstHostChecksE2e : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void sideErrorStoppedThenSignedWithAReason();
    void criticalValueSignedOnlyAfterTheNotice();

private:
    QString Value(const QString& sql);
    void Exec(const QString& sql);
    THostRun Script(const QString& script);

    THostSandbox m_box;
    QString m_target, m_admin;
};

void TstHostChecksE2e::initTestCase()
{
    if (!WR_PLUGIN_BUILT) QSKIP("the WriteReport plug-in is not built");
    if (OnServer()) {
        if (const QString why = ServerTestsUnavailableReason(); !why.isEmpty()) QSKIP(qPrintable(why));
        m_target = CreateServerTestDatabase(true);
        m_admin = ServerAdminTarget(m_target);
    } else {
        m_target = m_admin = CreateTestDatabaseFile(m_box.Path(QStringLiteral("site")), true);
    }
    // A man's right-kidney exam whose findings and impression speak only of the left.
    Exec(QStringLiteral("UPDATE Report SET ItemName = '右肾', jcpart = '右肾', rtf_SuoJian = NULL, rtf_JieLun = NULL, "
                        "SuoJian = '左肾大小正常，左肾中部见强回声，大小约0.6cm，后伴声影。', JieLun = '左肾结石', "
                        "ReportDoctorCode = 'D003' WHERE ruid = '%1'").arg(kSide));
    Exec(QStringLiteral("UPDATE Study SET Sex = '男' WHERE Accnu = (SELECT Accnu FROM Report WHERE ruid = '%1')").arg(kSide));
    // The critical report was written by another doctor, so the signer is the second check.
    Exec(QStringLiteral("UPDATE Report SET ReportDoctorCode = 'D003' WHERE ruid = '%1'").arg(kCritical));
}

void TstHostChecksE2e::cleanupTestCase()
{
    if (OnServer() && !m_target.isEmpty()) DropServerTestDatabase(m_target);
}

QString TstHostChecksE2e::Value(const QString& sql)
{
    auto conn = OpenDatabase(m_admin);
    return QueryTestValue(*conn, sql).AsString();
}

void TstHostChecksE2e::Exec(const QString& sql)
{
    auto conn = OpenDatabase(m_admin);
    ExecTestSql(*conn, sql);
}

THostRun TstHostChecksE2e::Script(const QString& script)
{
    return m_box.RunScript(script, QStringList{QStringLiteral("--db"), m_target} + m_box.LoginAs(QStringLiteral("D001")));
}

void TstHostChecksE2e::sideErrorStoppedThenSignedWithAReason()
{
    THostRun r = Script(QStringLiteral("open %1\ncheck\nanswer fix\nsign\n").arg(kSide));
    QVERIFY2(r.finished && r.exitCode == 1, qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(QStringLiteral("check: warn side-exam \"左肾\"")), qPrintable(r.out));
    QVERIFY2(r.out.contains(QStringLiteral("answered fix")), qPrintable(r.out));
    QCOMPARE(Value(QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kSide)), QStringLiteral("2"));

    // A warning cannot be signed past without a reason.
    r = Script(QStringLiteral("open %1\nanswer override\nsign\n").arg(kSide));
    QVERIFY2(r.finished && r.exitCode == 1, qPrintable(r.Describe()));
    QCOMPARE(Value(QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kSide)), QStringLiteral("2"));

    r = Script(QStringLiteral("open %1\nanswer override 患者左肾切除术后随访，已与临床核对\nanswer password\nsign\n").arg(kSide));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QCOMPARE(Value(QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kSide)), QStringLiteral("5"));
    QCOMPARE(Value(QStringLiteral("SELECT Detail FROM ReportEvent WHERE ruid = '%1' AND Event = 'check-override'").arg(kSide)),
             QStringLiteral("side-exam: 患者左肾切除术后随访，已与临床核对"));
    QCOMPARE(Value(QStringLiteral("SELECT UserCode FROM ReportEvent WHERE ruid = '%1' AND Event = 'check-override'").arg(kSide)),
             QStringLiteral("D001"));
}

void TstHostChecksE2e::criticalValueSignedOnlyAfterTheNotice()
{
    THostRun r = Script(QStringLiteral("open %1\nanswer password\nsign\n").arg(kCritical));
    QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("危急值")), qPrintable(r.Describe()));
    // Without the read-back the notice is refused, and nothing is signed.
    r = Script(QStringLiteral("open %1\ncritical tell 王护士 妇科 8021\n").arg(kCritical));
    QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("复读")), qPrintable(r.Describe()));
    QCOMPARE(Value(QStringLiteral("SELECT count(*) FROM CriticalNotice")), QStringLiteral("0"));

    r = Script(QStringLiteral("open %1\ncritical tell 王护士 妇科 8021 readback\nanswer password\nsign\n").arg(kCritical));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QCOMPARE(Value(QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kCritical)), QStringLiteral("5"));
    QCOMPARE(Value(QStringLiteral("SELECT ReceiverName FROM CriticalNotice WHERE ruid = '%1'").arg(kCritical)), QStringLiteral("王护士"));

    QProcess admin;
    admin.setProcessEnvironment(m_box.Environment());
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    admin.start(QStringLiteral(WR_ADMIN_BINARY), {QStringLiteral("--db"), m_target, QStringLiteral("critical-report"), QStringLiteral("--from"),
                                                  today, QStringLiteral("--to"), today});
    QVERIFY(admin.waitForFinished(60000));
    const QString out = QString::fromUtf8(admin.readAllStandardOutput());
    QVERIFY2(admin.exitCode() == 0, qPrintable(out + QString::fromUtf8(admin.readAllStandardError())));
    const QString row = out.section(kCritical, 1, 1).section(QLatin1Char('\n'), 0, 0);
    const QStringList cells = row.split(QLatin1Char('\t'));
    QVERIFY2(cells.size() > 7 && cells.contains(QStringLiteral("王护士")), qPrintable(out));
    bool isNumber = false;
    cells.at(6).toDouble(&isNumber);   // the minutes from the save to the notice
    QVERIFY2(isNumber, qPrintable(row));
    QVERIFY2(out.contains(QStringLiteral("份危急值报告")), qPrintable(out));
}

QTEST_GUILESS_MAIN(TstHostChecksE2e)
#include "tst_host_checks_e2e.moc"

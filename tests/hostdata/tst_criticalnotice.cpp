// SPDX-License-Identifier: MIT
// Critical values and the checks' overrides on fresh databases built from the project's
// scripts, on SQLite and on the database server (registered once for each; the code under
// test connects as a workstation): a report with a critical value is not signed until told,
// a notice needs its read-back and receiver, the register keeps every row as written
// (corrections are new rows), the same notice sent twice at once is one row, the register's
// minutes and share, and an override is recorded with its reason while a block cannot be.
#include "ServerFixture.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "hostdata/CriticalValues.h"
#include "hostdata/PrintRecord.h"
#include "hostdata/WorklistQuery.h"
#include "hostdata/SignCheckReport.h"
#include <QHash>
#include <QTest>
#include <thread>

namespace {
const TSigner kDoctor{QStringLiteral("张医生"), QStringLiteral("D001")};
const QString kReport = QStringLiteral("C1A0F0E2-0000-4000-8000-000000000001");
const QString kValue = QStringLiteral("疑似主动脉夹层");

TCriticalNoticeInput Told(const QString& ruid = kReport)
{
    TCriticalNoticeInput n;
    n.ruid = ruid;
    n.receiverName = QStringLiteral("王护士");
    n.receiverDept = QStringLiteral("心内科");
    n.receiverPhone = QStringLiteral("8021");
    n.readBack = true;
    return n;
}
} // namespace

class TstCriticalNotice : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void signingWaitsForTheNotice_data();
    void signingWaitsForTheNotice();
    void incompleteNoticesAreRefused_data();
    void incompleteNoticesAreRefused();
    void registerRowsAreNeverChangedOrRemoved();
    void aCorrectionIsANewRowPointingToTheOld();
    void theSameNoticeSentTwiceAtOnceIsOneRow();
    void registerGivesMinutesAndShare();
    void overrideKeepsTheReasonAndABlockCannotBeOverridden();
    void secondCheckAtSigning_data();
    void secondCheckAtSigning();

private:
    // A report saved `minutesAgo` minutes ago by the database's clock.
    void AddReport(const QString& ruid, const QString& weiJiValue, int minutesAgo = 0);
    int Count(const QString& table, const QString& ruid);
    std::unique_ptr<TBackendDatabase> m_db;
};

void TstCriticalNotice::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(false);
}

void TstCriticalNotice::cleanup() { m_db.reset(); }

void TstCriticalNotice::AddReport(const QString& ruid, const QString& weiJiValue, int minutesAgo)
{
    const QString values = QStringLiteral("%1, %2, %3, 2, '左肾结石'").arg(QuotedStr(ruid), QuotedStr(ruid.right(8)), QuotedStr(weiJiValue));
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, Accnu, WeiJiValue, ReportState, JieLun, SavedAt, CreateTime) VALUES (%1, "
                              "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-%2 minutes'), strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-%2 minutes'))")
                   .arg(values).arg(minutesAgo),
               QStringLiteral("INSERT INTO Report (ruid, Accnu, WeiJiValue, ReportState, JieLun, SavedAt, CreateTime) VALUES (%1, "
                              "localtimestamp(3) - interval '%2 minutes', localtimestamp(3) - interval '%2 minutes')")
                   .arg(values).arg(minutesAgo));
    m_db->Exec(QStringLiteral("INSERT INTO Study (Accnu, PatientName, Sex) VALUES (%1, '李四', '男')").arg(QuotedStr(ruid.right(8))));
}

int TstCriticalNotice::Count(const QString& table, const QString& ruid)
{
    return m_db->Value(QStringLiteral("SELECT count(*) FROM %1 WHERE ruid = %2").arg(table, QuotedStr(ruid))).AsInteger();
}

void TstCriticalNotice::signingWaitsForTheNotice_data()
{
    QTest::addColumn<QString>("weiJiValue");
    QTest::addColumn<bool>("needsNotice");
    QTest::newRow("a critical value") << kValue << true;
    QTest::newRow("two picked items") << AddCriticalItem(kValue, QStringLiteral("大量心包积液合并心包填塞")) << true;
    QTest::newRow("none written as 无") << QStringLiteral(" 无 ") << false;
    QTest::newRow("empty") << QString() << false;
}

void TstCriticalNotice::signingWaitsForTheNotice()
{
    QFETCH(QString, weiJiValue);
    QFETCH(bool, needsNotice);
    QCOMPARE(HasCriticalValue(weiJiValue), needsNotice);
    AddReport(kReport, weiJiValue);
    // The work list shows it red until it is told.
    TWorklistQuery worklist(m_db->Connection());
    QCOMPARE(worklist.Row(kReport, {})->criticalUntold, needsNotice);
    if (needsNotice) {
        try {
            SignReport(m_db->Connection(), kReport, kDoctor);
            QFAIL("a report with an untold critical value was signed");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(QStringLiteral("危急值尚未通知")), qPrintable(e.Message()));
        }
        QCOMPARE(ReadSignState(m_db->Connection(), kReport).reportState, 2);
        const TCriticalNotice n = RecordCriticalNotice(m_db->Connection(), Told(), kDoctor);
        QCOMPARE(n.criticalValue, weiJiValue.trimmed());   // the saved value, when none is given
        QCOMPARE(n.toldBy, kDoctor.name);
        QVERIFY(n.noticeTime.isValid() && n.reportSavedAt.isValid() && n.reportSavedAt <= n.noticeTime);
        QVERIFY(!TWorklistQuery(m_db->Connection()).Row(kReport, {})->criticalUntold);
        // The printout carries the notice.
        QVERIFY2(LoadPrintRecord(m_db->Connection(), kReport).criticalNotice.contains(QStringLiteral("王护士（心内科，8021）")),
                 qPrintable(LoadPrintRecord(m_db->Connection(), kReport).criticalNotice));
    }
    SignReport(m_db->Connection(), kReport, kDoctor);
    QVERIFY(ReadSignState(m_db->Connection(), kReport).IsFinal());
}

void TstCriticalNotice::incompleteNoticesAreRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    QTest::newRow("not read back") << QStringLiteral("readBack") << QStringLiteral("未复读确认");
    QTest::newRow("no receiver") << QStringLiteral("name") << QStringLiteral("接收人姓名不能为空");
    QTest::newRow("no department") << QStringLiteral("dept") << QStringLiteral("接收人科室不能为空");
    QTest::newRow("no phone or way") << QStringLiteral("phone") << QStringLiteral("联系电话或通知方式不能为空");
    QTest::newRow("no such report") << QStringLiteral("ruid") << QStringLiteral("没有这份报告");
    QTest::newRow("report without a critical value") << QStringLiteral("value") << QStringLiteral("报告没有危急值");
}

void TstCriticalNotice::incompleteNoticesAreRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, message);
    AddReport(kReport, field == QLatin1String("value") ? QStringLiteral("无") : kValue);
    // Straight to the procedure, as any other program could call it: the database itself
    // must refuse, not only this program's own check.
    auto sp = m_db->Connection().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_RecordCriticalNotice"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@NoticeGuid")).SetAsString(QStringLiteral("guid-1"));
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(field == QLatin1String("ruid") ? QStringLiteral("nothing") : kReport);
    sp->ParamByName(QStringLiteral("@CriticalValue")).SetAsString(QString());
    sp->ParamByName(QStringLiteral("@ReceiverName")).SetAsString(field == QLatin1String("name") ? QStringLiteral(" ") : QStringLiteral("王护士"));
    sp->ParamByName(QStringLiteral("@ReceiverDept")).SetAsString(field == QLatin1String("dept") ? QString() : QStringLiteral("心内科"));
    sp->ParamByName(QStringLiteral("@ReceiverPhone")).SetAsString(field == QLatin1String("phone") ? QString() : QStringLiteral("8021"));
    sp->ParamByName(QStringLiteral("@ReadBack")).SetAsInteger(field == QLatin1String("readBack") ? 0 : 1);
    sp->ParamByName(QStringLiteral("@UserName")).SetAsString(kDoctor.name);
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(kDoctor.code);
    try {
        sp->ExecProc();
        QFAIL("the notice was written");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
    }
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM CriticalNotice")).AsInteger(), 0);
    if (field == QLatin1String("readBack")) {
        TCriticalNoticeInput n = Told();
        n.readBack = false;
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, RecordCriticalNotice(m_db->Connection(), n, kDoctor));
    }
}

void TstCriticalNotice::registerRowsAreNeverChangedOrRemoved()
{
    AddReport(kReport, kValue);
    const TCriticalNotice n = RecordCriticalNotice(m_db->Connection(), Told(), kDoctor);
    // Not even the database's owner may change or remove a row; a workstation may not write
    // the table at all except through the procedure.
    const QString id = QString::number(n.id);
    for (const QString& sql : {QStringLiteral("UPDATE CriticalNotice SET ReceiverName = '别人' WHERE NoticeId = %1").arg(id),
                               QStringLiteral("UPDATE CriticalNotice SET ReadBack = 1"),
                               QStringLiteral("DELETE FROM CriticalNotice WHERE NoticeId = %1").arg(id),
                               QStringLiteral("DELETE FROM CriticalNotice")}) {
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_db->Exec(sql));
        if (m_db->OnServer()) QVERIFY_THROWS_EXCEPTION(EDatabaseError, ExecTestSql(m_db->Connection(), sql));
    }
    if (m_db->OnServer())
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, ExecTestSql(m_db->Connection(), QStringLiteral(
            "INSERT INTO CriticalNotice (NoticeGuid, ruid, CriticalValue, ReceiverName, ReceiverDept, ReceiverPhone, ReadBack, ToldBy, NoticeTime) "
            "VALUES ('forged', %1, 'x', 'x', 'x', 'x', 1, 'x', '2000-01-01')").arg(QuotedStr(kReport))));
    const QList<TCriticalNotice> after = ReadCriticalNotices(m_db->Connection(), kReport);
    QCOMPARE(after.size(), 1);
    QCOMPARE(after[0].receiverName, n.receiverName);
    QCOMPARE(after[0].noticeTime, n.noticeTime);
}

void TstCriticalNotice::aCorrectionIsANewRowPointingToTheOld()
{
    AddReport(kReport, kValue, 3);
    const TCriticalNotice first = RecordCriticalNotice(m_db->Connection(), Told(), kDoctor);
    TCriticalNoticeInput fix = Told();
    fix.receiverName = QStringLiteral("王芳");
    fix.corrects = first.id;
    const TCriticalNotice second = RecordCriticalNotice(m_db->Connection(), fix, kDoctor);
    const QList<TCriticalNotice> all = ReadCriticalNotices(m_db->Connection(), kReport);
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[0].receiverName, QStringLiteral("王护士"));
    QCOMPARE(all[1].corrects, first.id);
    QCOMPARE(second.reportSavedAt, first.reportSavedAt);
    // A correction of another report's notice is refused.
    const QString other = QStringLiteral("C1A0F0E2-0000-4000-8000-000000000002");
    AddReport(other, kValue);
    TCriticalNoticeInput wrong = Told(other);
    wrong.corrects = first.id;
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, RecordCriticalNotice(m_db->Connection(), wrong, kDoctor));
    QCOMPARE(Count(QStringLiteral("CriticalNotice"), other), 0);
}

void TstCriticalNotice::theSameNoticeSentTwiceAtOnceIsOneRow()
{
    AddReport(kReport, kValue);
    // Two workstations: one sends notice A twice (a retry), the other notice B, all at once.
    TCriticalNoticeInput a = Told(), b = Told();
    a.noticeGuid = QStringLiteral("6A1F0000-0000-4000-8000-00000000000A");
    b.noticeGuid = QStringLiteral("6A1F0000-0000-4000-8000-00000000000B");
    const QList<TCriticalNoticeInput> sends = {a, a, b, a};
    std::vector<qint64> ids(sends.size(), 0);
    std::vector<QString> errors(sends.size());
    std::vector<std::thread> threads;
    for (int i = 0; i < sends.size(); ++i)
        threads.emplace_back([&, i] {
            try {
                auto conn = OpenDatabase(m_db->Target());
                ids[i] = RecordCriticalNotice(*conn, sends[i], kDoctor).id;
            } catch (const Exception& e) {
                errors[i] = e.Message();
            }
        });
    for (auto& t : threads) t.join();
    for (const QString& e : errors) QVERIFY2(e.isEmpty(), qPrintable(e));
    QCOMPARE(Count(QStringLiteral("CriticalNotice"), kReport), 2);
    QCOMPARE(ids[0], ids[1]);
    QCOMPARE(ids[0], ids[3]);
    QVERIFY(ids[2] != ids[0]);
}

void TstCriticalNotice::registerGivesMinutesAndShare()
{
    const QString quick = QStringLiteral("C1A0F0E2-0000-4000-8000-00000000000A"), late = QStringLiteral("C1A0F0E2-0000-4000-8000-00000000000B"),
                  untold = QStringLiteral("C1A0F0E2-0000-4000-8000-00000000000C"), none = QStringLiteral("C1A0F0E2-0000-4000-8000-00000000000D");
    AddReport(quick, kValue, 4);
    AddReport(late, QStringLiteral("疑似子宫破裂"), 30);
    AddReport(untold, QStringLiteral("睾丸扭转"), 1);
    AddReport(none, QStringLiteral("无"), 1);
    const TCriticalNotice q = RecordCriticalNotice(m_db->Connection(), Told(quick), kDoctor);
    RecordCriticalNotice(m_db->Connection(), Told(late), kDoctor);
    TCriticalNoticeInput fix = Told(quick);
    fix.corrects = q.id;
    RecordCriticalNotice(m_db->Connection(), fix, kDoctor);

    const QDate today = QDate::currentDate();
    const TCriticalRegister reg = ReadCriticalRegister(m_db->Connection(), today.addDays(-1), today);
    QCOMPARE(reg.reports, 3);
    QCOMPARE(reg.toldWithin10, 1);
    QCOMPARE(reg.rows.size(), 4);   // two notices, one correction, one untold
    QHash<QString, double> minutes;
    for (const TCriticalRegisterRow& r : reg.rows) {
        QCOMPARE(r.patientName, QStringLiteral("李四"));
        if (r.firstNotice) minutes.insert(r.notice.ruid.toUpper(), *r.minutes);
        if (r.notice.id == 0) QCOMPARE(r.notice.ruid.toUpper(), untold);
    }
    QVERIFY2(minutes.value(quick) >= 3.9 && minutes.value(quick) < 6, qPrintable(QString::number(minutes.value(quick))));
    QVERIFY2(minutes.value(late) >= 29.9 && minutes.value(late) < 32, qPrintable(QString::number(minutes.value(late))));
    // A period before the notices holds none of them.
    QCOMPARE(ReadCriticalRegister(m_db->Connection(), today.addDays(-9), today.addDays(-2)).reports, 0);

    QString csv;
    QTextStream out(&csv);
    WriteCriticalRegister(reg, out, true);
    out.flush();
    QCOMPARE(csv.count(QLatin1Char('\n')), 5);
    QVERIFY(csv.contains(QStringLiteral("疑似子宫破裂")));
}

void TstCriticalNotice::overrideKeepsTheReasonAndABlockCannotBeOverridden()
{
    AddReport(kReport, QString());
    TCheckFinding warn{TCheckSeverity::Warn, QStringLiteral("side-exam"), QStringLiteral("t"), QStringLiteral("左肾"), {}};
    TCheckFinding block{TCheckSeverity::Block, QStringLiteral("impression-empty"), QStringLiteral("t"), QString(), {}};
    QVERIFY_THROWS_EXCEPTION(ESignCheckRules, RecordCheckOverride(m_db->Connection(), kReport, kDoctor, {warn, block}, QStringLiteral("理由")));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, RecordCheckOverride(m_db->Connection(), kReport, kDoctor, {warn}, QStringLiteral("  ")));
    QCOMPARE(Count(QStringLiteral("ReportEvent"), kReport), 0);

    RecordCheckOverride(m_db->Connection(), kReport, kDoctor, {warn, warn}, QStringLiteral("患者左肾已切除，检查右肾时记录左侧术区"));
    const QList<TReportEvent> events = ReadReportEvents(m_db->Connection(), kReport);
    QCOMPARE(events.size(), 1);
    QCOMPARE(events[0].event, QStringLiteral("check-override"));
    QCOMPARE(events[0].userCode, kDoctor.code);
    QCOMPARE(events[0].detail, QStringLiteral("side-exam: 患者左肾已切除，检查右肾时记录左侧术区"));
    QVERIFY(events[0].time.isValid());
}

void TstCriticalNotice::secondCheckAtSigning_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("weiJiValue");
    QTest::addColumn<QString>("reportDoctor");
    QTest::addColumn<int>("verdict");
    const int allowed = int(TSecondCheckVerdict::Allowed), twice = int(TSecondCheckVerdict::ConfirmTwice),
              refused = int(TSecondCheckVerdict::Refused);
    QTest::newRow("another doctor signs") << "" << kValue << "D002" << allowed;
    QTest::newRow("own report, alone: confirm twice") << "second-doctor-or-twice" << kValue << "D001" << twice;
    QTest::newRow("own report, code in other case") << "" << kValue << "d001" << twice;
    QTest::newRow("own report where a second doctor is required") << "second-doctor" << kValue << "D001" << refused;
    QTest::newRow("no recorded doctor counts as own") << "second-doctor" << kValue << "" << refused;
    QTest::newRow("no critical value") << "second-doctor" << "无" << "D001" << allowed;
    QTest::newRow("rule off") << "off" << kValue << "D001" << allowed;
}

void TstCriticalNotice::secondCheckAtSigning()
{
    QFETCH(QString, rule);
    QFETCH(QString, weiJiValue);
    QFETCH(QString, reportDoctor);
    QFETCH(int, verdict);
    AddReport(kReport, weiJiValue);
    m_db->Exec(QStringLiteral("UPDATE Report SET ReportDoctorCode = %1 WHERE ruid = %2").arg(QuotedStr(reportDoctor), QuotedStr(kReport)));
    const std::optional<TSecondCheck> parsed = ParseSecondCheck(rule);
    QVERIFY(parsed.has_value());
    QCOMPARE(int(SecondCheckForReport(m_db->Connection(), kReport, *parsed, kDoctor.code)), verdict);
    QVERIFY(!ParseSecondCheck(QStringLiteral("sometimes")).has_value());
}

QTEST_MAIN(TstCriticalNotice)
#include "tst_criticalnotice.moc"

// SPDX-License-Identifier: MIT
// Opening, saving, item binding and the lookup lists, through the report operations, on a
// real database made from the project's scripts: registered once on SQLite and once on the
// PostgreSQL server, so both must behave alike.
#include "ServerFixture.h"
#include "ScriptedDialogs.h"
#include <QTest>
#include <latch>
#include <thread>

namespace {
const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");
const QString kLoadTitle = QStringLiteral("ReportForm.GetReportInfoFrom");

// Replaces sp_SaveReportInfo by one that saves as usual and then fails.
const QString kPgFailAfterWrite = PgWrapSaveProcedure(QStringLiteral("RAISE EXCEPTION ''写入后出错'';"));
const QString kSqliteFailAfterWrite = QStringLiteral(
    "UPDATE wr_procedure SET body = body || ';\nSELECT wr_raise(''写入后出错'')' WHERE name = 'sp_SaveReportInfo'");

// Replaces sp_SaveReportInfo by one that lacks the parameter @kgjR_B.
const QString kPgLacksParameter = QStringLiteral(
    "DO $do$ DECLARE args text; BEGIN\n"
    "  SELECT pg_get_function_arguments(oid) INTO args FROM pg_proc WHERE proname = 'sp_savereportinfo';\n"
    "  DROP PROCEDURE sp_SaveReportInfo;\n"
    "  EXECUTE format('CREATE PROCEDURE sp_SaveReportInfo(%s) LANGUAGE plpgsql AS $b$ BEGIN NULL; END $b$',\n"
    "                 regexp_replace(args, ', (IN )?\"kgjR_B\" text', ''));\n"
    "END $do$");
const QString kSqliteLacksParameter = QStringLiteral(
    "DELETE FROM wr_procedure_param WHERE procedure = 'sp_SaveReportInfo' AND name = '@kgjR_B'");
} // namespace

class TServerReportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void allFieldsRoundTrip_data();
    void allFieldsRoundTrip();
    void secondSaveUpdatesTheSameRow();
    void nullColumnsReadAsEmptyValues();
    void quotedGuidNotFoundLeavesRecordAlone();
    void failedSavesAreReportedAndLeaveNothing_data();
    void failedSavesAreReportedAndLeaveNothing();
    void saveNeverTakesAFinalReportBack();
    void lookupsByChineseColumnNames();
    void bindingTakesOnlyFreeItems();
    void concurrentBindingNeverSharesAnItem();

private:
    TServerReportData& data() { return *m_data; }
    TReportInfo SaveAndLoad(const TReportInfo& r, bool* saved);

    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TFakeMainForm> m_host;
    std::unique_ptr<TFakeDataModule> m_dm;
    std::unique_ptr<TServerReportData> m_data;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
};

void TServerReportTest::initTestCase()
{
    const QString why = TBackendDatabase::SkipReason();
    if (!why.isEmpty()) QSKIP(qPrintable(why));
    qInfo("Backend: %s", TestsBackendName());
}

void TServerReportTest::init()
{
    m_db = std::make_unique<TBackendDatabase>();
    m_host = std::make_unique<TFakeMainForm>();
    m_dm = std::make_unique<TFakeDataModule>();
    m_dm->mainConnection = &m_db->Connection();
    m_data = std::make_unique<TServerReportData>(*m_host, *m_dm);
    m_dialogs = std::make_unique<TScriptedDialogs>();
}

void TServerReportTest::cleanup()
{
    m_dialogs.reset();
    m_data.reset();
    m_dm.reset();
    m_host.reset();
    m_db.reset();
}

TReportInfo TServerReportTest::SaveAndLoad(const TReportInfo& r, bool* saved)
{
    data().rtf[0] = r.Frtf_SuoJian.toLatin1();
    data().rtf[1] = r.Frtf_JieLun.toLatin1();
    *saved = data().SaveReportInfoToDB(QStringLiteral("ignored"), r);
    TReportInfo back;
    data().GetReportInfoFromRuid(r.FRuid, back);
    return back;
}

void TServerReportTest::allFieldsRoundTrip_data()
{
    QTest::addColumn<TReportInfo>("record");
    QTest::newRow("Chinese, quotes and brackets in every text") << DistinctReport(QStringLiteral("R-1"));

    TReportInfo big = DistinctReport(QStringLiteral("R-big"));
    QString findings;
    findings.reserve(5'000'000);
    const QString unit = QStringLiteral("肝脏形态大小正常，包膜光滑。Liver 'ok' [x]\r\n");
    while (findings.size() < 5'000'000) findings += unit;
    findings.truncate(5'000'000);
    findings.back() = QChar(u'终');
    big.FSuoJian = findings;
    big.Frtf_SuoJian = QStringLiteral("{\\rtf1 ") + QString(4'000'000, QLatin1Char('x')) + QLatin1Char('}');
    QTest::newRow("5-million-character findings") << big;

    TReportInfo empty;
    empty.FRuid = QStringLiteral("R-empty");
    QTest::newRow("empty texts, zero numbers, date 0") << empty;

    TReportInfo quoted = DistinctReport(QStringLiteral("a'b''c\"d[e]"));
    quoted.FReportState = -2147483647;
    quoted.FPrintedCont = 2147483647;
    quoted.FYinYangXing = false;
    quoted.FReportDate = QDateTimeToDateTime(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59, 1)));
    QTest::newRow("quotes in the GUID, extreme integers, false flag") << quoted;
}

void TServerReportTest::allFieldsRoundTrip()
{
    QFETCH(TReportInfo, record);
    bool saved = false;
    const TReportInfo back = SaveAndLoad(record, &saved);
    QVERIFY2(saved, qPrintable(m_host->logs.isEmpty() ? QString() : m_host->logs.last().value.left(300)));
    QCOMPARE(FailureLogCount(*m_host, kSaveTitle) + FailureLogCount(*m_host, kLoadTitle), 0);
    QVERIFY(m_dialogs->shown.isEmpty());
    QCOMPARE(back.FSuoJian.size(), record.FSuoJian.size());
    QCOMPARE(back.Frtf_SuoJian.size(), record.Frtf_SuoJian.size());
    QCOMPARE(DateTimeToMSecs(back.FReportDate), DateTimeToMSecs(record.FReportDate));
    QCOMPARE(DateTimeToMSecs(back.FshenHeDate), DateTimeToMSecs(record.FshenHeDate));
    QCOMPARE(DateTimeToMSecs(back.FHuiZhenDate), DateTimeToMSecs(record.FHuiZhenDate));
    QVERIFY(back == record);
    // Empty texts are stored as empty texts, not as NULL.
    const TDbValue nulls = m_db->Value(QStringLiteral("SELECT count(*) FROM Report WHERE JianYi IS NULL OR kgjR_B IS NULL"));
    QCOMPARE(nulls.AsInteger(), 0);
}

void TServerReportTest::secondSaveUpdatesTheSameRow()
{
    TReportInfo r = DistinctReport(QStringLiteral("R-twice"));
    bool saved = false;
    SaveAndLoad(r, &saved);
    QVERIFY(saved);
    // GUIDs compare without regard to case: the second save, spelt otherwise, updates the row.
    r.FRuid = QStringLiteral("r-TWICE");
    r.FJieLun = QStringLiteral("第二次保存");
    r.FPrintedCont = 9;
    const TReportInfo back = SaveAndLoad(r, &saved);
    QVERIFY(saved);
    QVERIFY(back == r);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM Report")).AsInteger(), 1);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM Report WHERE ruid = 'R-twice'")).AsInteger(), 1);
    QVERIFY(!m_db->Value(QStringLiteral("SELECT CreateTime FROM Report WHERE ruid = 'R-twice'")).IsNull());
}

void TServerReportTest::nullColumnsReadAsEmptyValues()
{
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid) VALUES ('R-null')"));
    TReportInfo back = DistinctReport(QStringLiteral("x"));
    data().GetReportInfoFromRuid(QStringLiteral("R-null"), back);
    TReportInfo expected;
    expected.FRuid = QStringLiteral("R-null");
    QCOMPARE(FailureLogCount(*m_host, kLoadTitle), 0);
    QVERIFY(back == expected);
}

void TServerReportTest::quotedGuidNotFoundLeavesRecordAlone()
{
    const TReportInfo before = DistinctReport(QStringLiteral("keep"));
    TReportInfo r = before;
    data().GetReportInfoFromRuid(QStringLiteral("x' OR '1'='1"), r);
    QVERIFY(r == before);
    const auto logs = m_host->LogsWithTitle(kLoadTitle);
    QCOMPARE(logs.size(), 2);
    QVERIFY(logs.at(0).value.contains(QStringLiteral("ruid='x'' OR ''1''=''1'")));
    QCOMPARE(logs.at(1).value, QStringLiteral("没有找到符合条件的报告内容ruid=x' OR '1'='1"));
}

void TServerReportTest::failedSavesAreReportedAndLeaveNothing_data()
{
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<QString>("postgresql");
    QTest::addColumn<QString>("ruid");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty GUID refused by the procedure") << QString() << QString() << QString() << QStringLiteral("@Ruid");
    QTest::newRow("blank GUID refused by the procedure") << QString() << QString() << QStringLiteral(" \t") << QStringLiteral("@Ruid");
    QTest::newRow("missing procedure") << QStringLiteral("DELETE FROM wr_procedure WHERE name = 'sp_SaveReportInfo'")
                                       << QStringLiteral("DROP PROCEDURE sp_SaveReportInfo") << QStringLiteral("R-1")
                                       << QStringLiteral("sp_SaveReportInfo");
    QTest::newRow("procedure lacks a parameter") << kSqliteLacksParameter << kPgLacksParameter << QStringLiteral("R-1")
                                                 << QStringLiteral("@kgjR_B");
    QTest::newRow("error raised after the procedure wrote") << kSqliteFailAfterWrite << kPgFailAfterWrite
                                                            << QStringLiteral("R-1") << QStringLiteral("写入后出错");
}

void TServerReportTest::failedSavesAreReportedAndLeaveNothing()
{
    QFETCH(QString, sqlite);
    QFETCH(QString, postgresql);
    QFETCH(QString, ruid);
    QFETCH(QString, message);
    // An existing row of the same report, which a failed save must leave as it was.
    TReportInfo old = DistinctReport(QStringLiteral("R-1"));
    bool saved = false;
    SaveAndLoad(old, &saved);
    QVERIFY(saved);
    if (!sqlite.isEmpty()) m_db->Exec(sqlite, postgresql);

    TReportInfo r = DistinctReport(ruid);
    r.FJieLun = QStringLiteral("不应保存");
    data().rtf[0] = data().rtf[1] = QByteArrayLiteral("{\\rtf1 new}");
    QVERIFY(!data().SaveReportInfoToDB(ruid, r));

    QCOMPARE(FailureLogCount(*m_host, kSaveTitle), 1);
    const QString logged = m_host->LogsWithTitle(kSaveTitle).last().value;
    QVERIFY2(logged.contains(message), qPrintable(logged));
    QCOMPARE(m_dialogs->shown.size(), 1);  // the user is told
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM Report")).AsInteger(), 1);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM Report WHERE JieLun = '不应保存'")).AsInteger(), 0);
    TReportInfo back;
    data().GetReportInfoFromRuid(QStringLiteral("R-1"), back);
    QVERIFY(back == old);
}

// Whatever a program sends, the procedure itself refuses a save that would take a final report
// below 5 (only sp_WithdrawSignature does that) and leaves the row as it was.
void TServerReportTest::saveNeverTakesAFinalReportBack()
{
    bool saved = false;
    SaveAndLoad(DistinctReport(QStringLiteral("R-1")), &saved);
    QVERIFY(saved);
    m_db->Exec(QStringLiteral("UPDATE Report SET ReportState = 5 WHERE ruid = 'R-1'"));
    auto sp = m_db->Connection().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("R-1"));
    sp->ParamByName(QStringLiteral("@ReportState")).SetAsInteger(2);
    sp->ParamByName(QStringLiteral("@JieLun")).SetAsString(QStringLiteral("不应保存"));
    QString refused;
    try {
        sp->ExecProc();
    } catch (const EDatabaseError& e) {
        refused = e.Message();
    }
    QVERIFY2(refused.contains(QStringLiteral("撤销审核")), qPrintable(refused));
    QCOMPARE(m_db->Value(QStringLiteral("SELECT ReportState FROM Report WHERE ruid = 'R-1'")).AsInteger(), 5);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM Report WHERE JieLun = '不应保存'")).AsInteger(), 0);
}

void TServerReportTest::lookupsByChineseColumnNames()
{
    m_db->Exec(QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex) VALUES "
                              "('张医生', 'US''01', 1), ('李医生', 'US''01', 3), (NULL, 'US''01', 2), "
                              "('', 'US''01', 4), ('王医生', 'US01', 5)"));
    m_db->Exec(QStringLiteral("INSERT INTO 探头频率 (探头频率, uorder) VALUES ('7.5MHz', 2), ('3.5MHz', 1)"));
    m_db->Exec(QStringLiteral("INSERT INTO 检查途径 (cname, uorder) VALUES ('经腹', 2), ('经阴道', 1)"));
    m_db->Exec(QStringLiteral("INSERT INTO 图像质量 (图像质量, uorder) VALUES ('良', 2), ('优', 1), (' 差 ', 3)"));

    data().FLogion_user.ukeshiCode = QStringLiteral("US'01");
    QStringList doctors{QStringLiteral("old")};
    data().GetDoctors(doctors);
    QCOMPARE(doctors, (QStringList{QStringLiteral("李医生"), QStringLiteral("张医生")}));

    QStringList rates, routes, qualities;
    data().GetTanTouPinLv(rates);
    QCOMPARE(rates, (QStringList{QStringLiteral("3.5MHz"), QStringLiteral("7.5MHz")}));
    data().GetJianChaTuJing(routes);
    routes.sort();
    QCOMPARE(routes, (QStringList{QStringLiteral("经腹"), QStringLiteral("经阴道")}));
    data().GetTuXiangZhiLiang(qualities);
    QVERIFY(qualities.contains(QStringLiteral(" 差 ")));
    QCOMPARE(data().GetJianChaTuJing_Default(), QStringLiteral("经阴道"));
    QCOMPARE(data().GetTanTouPinLv_default(), QStringLiteral("3.5MHz"));
    QCOMPARE(data().GetTuXiangZhiLiang_Default(), QStringLiteral("优"));
}

void TServerReportTest::bindingTakesOnlyFreeItems()
{
    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (Accnu, ItemCode, ItemName, ItemOrder, Usable) VALUES "
                              "('A''1', 'I1', '肝胆', 1, 1), ('A''1', 'I2', '双肾', 2, 1), ('A''1', 'I3', '作废', 3, 0), "
                              "('A2', 'I4', '甲状腺', 1, 1)"));
    const QString title = QStringLiteral("TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport-sp_GetAllItemsFromAccnu_DefaustFirst");
    QCOMPARE(data().AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A'1"), QStringLiteral("G'1")), QStringLiteral("肝胆,双肾"));
    QCOMPARE(data().AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A'1"), QStringLiteral("G2")), QString());
    // Asking again, with the GUID spelt in other case, returns what the report already holds.
    QCOMPARE(data().AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A'1"), QStringLiteral("g'1")), QStringLiteral("肝胆,双肾"));
    QCOMPARE(m_host->LogsWithTitle(title).size(), 3);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NOT NULL")).AsInteger(), 2);
    QVERIFY(m_db->Value(QStringLiteral("SELECT ReportGuid FROM ExamItem WHERE ItemCode = 'I3'")).IsNull());
}

void TServerReportTest::concurrentBindingNeverSharesAnItem()
{
    constexpr int kWorkstations = 8, kAccessions = 4, kItems = 5;
    QStringList values;
    for (int a = 0; a < kAccessions; ++a)
        for (int i = 0; i < kItems; ++i) values << QStringLiteral("('ACC%1', 'item%1-%2', %2)").arg(a).arg(i);
    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ") + values.join(QStringLiteral(", ")));

    // Every workstation binds every accession to a report of its own at the same moment.
    std::latch start(kWorkstations);
    std::vector<QStringList> got(kWorkstations);
    std::vector<QString> errors(kWorkstations);
    std::vector<std::thread> threads;
    const QString target = m_db->Target();
    for (int w = 0; w < kWorkstations; ++w) {
        threads.emplace_back([&, w] {
            try {
                auto conn = OpenDatabase(target);
                TFakeMainForm host;
                TFakeDataModule dm;
                dm.mainConnection = conn.get();
                TServerReportData d(host, dm);
                start.arrive_and_wait();
                for (int a = 0; a < kAccessions; ++a)
                    got[w] << d.AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("ACC%1").arg(a),
                                                                             QStringLiteral("WS%1-ACC%2").arg(w).arg(a));
                if (FailureLogCount(host, QStringLiteral(" TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport")) > 0)
                    errors[w] = host.logs.last().value;
            } catch (const std::exception& e) {
                errors[w] = QString::fromUtf8(e.what());
            }
        });
    }
    for (auto& t : threads) t.join();
    for (const QString& e : errors) QVERIFY2(e.isEmpty(), qPrintable(e));

    // Each item went to exactly one report, and the names each workstation was given are
    // the ones the table holds for its report.
    for (int a = 0; a < kAccessions; ++a) {
        int bound = 0;
        for (int w = 0; w < kWorkstations; ++w) {
            const QString names = got[w].at(a);
            const int held = m_db->Value(QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid = 'WS%1-ACC%2'").arg(w).arg(a)).AsInteger();
            QCOMPARE(names.isEmpty() ? 0 : int(names.split(QLatin1Char(',')).size()), held);
            bound += held;
        }
        QCOMPARE(bound, kItems);
    }
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NULL")).AsInteger(), 0);
}

QTEST_GUILESS_MAIN(TServerReportTest)
#include "tst_serverreport.moc"

// SPDX-License-Identifier: MIT
// Loading completes an incomplete report with defaults, and the database binds free exam
// items to a report; both on real databases.
#include "ReportTestKit.h"
#include <QTemporaryDir>
#include <QTest>

using TExpect = QHash<QString, QString>;
Q_DECLARE_METATYPE(TExpect)

namespace {
const QString kGuid = QStringLiteral("R-0001");
const QString kBindTitle =
    QStringLiteral("TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport-sp_GetAllItemsFromAccnu_DefaustFirst");
const QString kBindFailTitle = QStringLiteral(" TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport");
const QString kLoadTitle = QStringLiteral("ReportForm.GetReportInfoFrom");
} // namespace

class TReportDefaultsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void defaults_data();
    void defaults();
    void failingDefaultStopsTheLoad();
    void bindsTheFreeItemsOfTheAccession();
    void bindingFailuresYieldEmptyText_data();
    void bindingFailuresYieldEmptyText();

private:
    void AddItems();

    std::unique_ptr<QTemporaryDir> m_dir, m_dictDir;
    std::unique_ptr<TDbConnection> m_db, m_dict;
    std::unique_ptr<TFakeMainForm> m_host;
    std::unique_ptr<TFakeDataModule> m_dm;
    std::unique_ptr<TTestReportData> m_data;
};

void TReportDefaultsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dictDir = std::make_unique<QTemporaryDir>();
    m_db = CreateTestDatabase(m_dir->path(), false);
    m_dict = CreateTestDatabase(m_dictDir->path(), false);
    InsertDictionary(*m_dict, QStringLiteral("检查途径"), QStringLiteral("cname"), {{"经腹", 2}, {"经阴道", 1}});
    InsertDictionary(*m_dict, QStringLiteral("探头频率"), QStringLiteral("探头频率"), {{"7.5MHz", 2}, {"3.5MHz", 1}});
    InsertDictionary(*m_dict, QStringLiteral("图像质量"), QStringLiteral("图像质量"), {{"良", 2}, {"优", 1}});
    m_host = std::make_unique<TFakeMainForm>();
    m_dm = std::make_unique<TFakeDataModule>();
    m_dm->mainConnection = m_db.get();
    m_dm->moduleConnection = m_dict.get();
    m_data = std::make_unique<TTestReportData>(*m_host, *m_dm);
    // The open fetches the user before it loads; here the user is the fake host's.
    m_data->FLogion_user = Tlogin_userInfo{m_host->userName, m_host->userCode, m_host->keshiCode, m_host->roleId};
    m_data->doctorList = QStringList{QStringLiteral("甲医生"), QStringLiteral("乙医生"), QStringLiteral("丙医生")};
    m_data->remembered = {{int(TDoctorBox::Report), 0}, {int(TDoctorBox::HuiZhen), 1}, {int(TDoctorBox::ShenHe), 2}};
}

void TReportDefaultsTest::cleanup()
{
    m_data.reset();
    m_db.reset();
    m_dict.reset();
}

void TReportDefaultsTest::AddItems()
{
    ExecTestSql(*m_db, QStringLiteral(
        "INSERT INTO ExamItem (Accnu, ItemCode, ItemName, ItemOrder, Usable, ReportGuid) VALUES "
        "('A2024-001', 'I1', '肝胆', 1, 1, NULL), ('A2024-001', 'I2', '双肾', 2, 1, NULL), "
        "('A2024-001', 'I3', '甲状腺', 3, 1, 'R-other'), ('A2024-001', 'I4', '已取消', 4, 0, NULL), "
        "('A2024-999', 'I5', '别的检查', 1, 1, NULL)"));
}

void TReportDefaultsTest::defaults_data()
{
    QTest::addColumn<QStringList>("updates");
    QTest::addColumn<bool>("autoItems");
    QTest::addColumn<TExpect>("expected");
    QTest::addColumn<bool>("reviewedNow");
    const QString review = QStringLiteral("UPDATE Report SET ReportState = %1");

    QTest::newRow("state 4 replaces a stored review doctor")
        << QStringList{review.arg(4)} << false
        << TExpect{{"ReportState", "4"}, {"ShenHeDoctor", "丙医生"}, {"ShenHeDoctorCode", ""}} << true;
    QTest::newRow("state 5 keeps the stored review") << QStringList{review.arg(5)} << false
                                                    << TExpect{{"ReportState", "5"}} << false;
    QTest::newRow("negative state counts as below 5")
        << QStringList{review.arg(-1)} << false
        << TExpect{{"ReportState", "-1"}, {"ShenHeDoctor", "丙医生"}, {"ShenHeDoctorCode", ""}} << true;
    QTest::newRow("NULL state reads as 0, below 5")
        << QStringList{QStringLiteral("UPDATE Report SET ReportState = NULL")} << false
        << TExpect{{"ReportState", "0"}, {"ShenHeDoctor", "丙医生"}, {"ShenHeDoctorCode", ""}} << true;
    QTest::newRow("empty examining doctor becomes the user")
        << QStringList{QStringLiteral("UPDATE Report SET ExamDoctor = ''")} << false
        << TExpect{{"ExamDoctor", "张医生"}, {"ExamDoctorCode", "D001"}} << false;
    QTest::newRow("blank examining doctor counts as empty")
        << QStringList{QStringLiteral("UPDATE Report SET ExamDoctor = '  ', ExamDoctorCode = 'old'")} << false
        << TExpect{{"ExamDoctor", "张医生"}, {"ExamDoctorCode", "D001"}} << false;
    QTest::newRow("NULL report doctor takes the remembered entry, code cleared")
        << QStringList{QStringLiteral("UPDATE Report SET ReportDoctor = NULL")} << false
        << TExpect{{"ReportDoctor", "甲医生"}, {"ReportDoctorCode", ""}} << false;
    QTest::newRow("empty consultation doctor takes the remembered entry")
        << QStringList{QStringLiteral("UPDATE Report SET HuiZhenDoctor = ''")} << false
        << TExpect{{"HuiZhenDoctor", "乙医生"}, {"HuizhenDoctorCode", ""}} << false;
    QTest::newRow("empty dictionary fields take the lowest uorder")
        << QStringList{QStringLiteral("UPDATE Report SET TanTouRate = '', jcTuJing = ' ', ImgQuality = NULL")} << false
        << TExpect{{"TanTouRate", "3.5MHz"}, {"jcTuJing", "经阴道"}, {"ImgQuality", "优"}} << false;
    QTest::newRow("dictionary without rows leaves the field empty")
        << QStringList{QStringLiteral("UPDATE Report SET TanTouRate = ''"), QStringLiteral("DICT:DELETE FROM 探头频率")} << false
        << TExpect{{"TanTouRate", ""}} << false;
    QTest::newRow("empty method takes the host's default")
        << QStringList{QStringLiteral("UPDATE Report SET jcMethod = ''")} << false
        << TExpect{{"jcMethod", "经腹部超声检查"}} << false;
    QTest::newRow("switch on binds the free items to an empty item list")
        << QStringList{QStringLiteral("UPDATE Report SET ItemName = ' '"), QStringLiteral("ITEMS")} << true
        << TExpect{{"ItemName", "肝胆,双肾"}} << false;
    QTest::newRow("switch on with items present asks nothing")
        << QStringList{QStringLiteral("ITEMS")} << true << TExpect{} << false;
    QTest::newRow("switch off leaves an empty item list empty")
        << QStringList{QStringLiteral("UPDATE Report SET ItemName = ''"), QStringLiteral("ITEMS")} << false
        << TExpect{{"ItemName", ""}} << false;
}

void TReportDefaultsTest::defaults()
{
    QFETCH(QStringList, updates);
    QFETCH(bool, autoItems);
    QFETCH(TExpect, expected);
    QFETCH(bool, reviewedNow);
    const TReportInfo sample = SampleReport(kGuid);
    InsertReportRow(*m_db, sample);
    for (const QString& u : updates) {
        if (u == QLatin1String("ITEMS")) AddItems();
        else if (u.startsWith(QLatin1String("DICT:"))) ExecTestSql(*m_dict, u.mid(5));
        else ExecTestSql(*m_db, u);
    }
    m_data->autoSelectItems = autoItems;

    TReportInfo loaded;
    const TDateTime before = Now();
    m_data->GetReportInfoFromRuid(kGuid, loaded);
    QCOMPARE(m_data->LastLoadOutcome(), TLoadOutcome::Loaded);

    const QStringList columns = ReportColumns(), want = ReportFieldTexts(sample), got = ReportFieldTexts(loaded);
    for (int i = 0; i < columns.size(); ++i) {
        const QString& c = columns.at(i);
        if (c == QLatin1String("shenHeDate") && reviewedNow) continue;
        const QString expect = expected.contains(c) ? expected.value(c) : want.at(i);
        QVERIFY2(got.at(i) == expect, qPrintable(QStringLiteral("%1: '%2' != '%3'").arg(c, got.at(i), expect)));
    }
    if (reviewedNow) QVERIFY(loaded.FshenHeDate >= before - 1e-6 && loaded.FshenHeDate <= Now() + 1e-6);
    // The binding is asked exactly when the switch is on and the item list is empty.
    const bool asked = autoItems && expected.contains(QStringLiteral("ItemName"));
    QCOMPARE(m_host->LogsWithTitle(kBindTitle).size(), asked ? 1 : 0);
    if (updates.contains(QStringLiteral("ITEMS")) && !asked)
        QCOMPARE(QueryTestValue(*m_db, QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid = 'R-0001'")).AsInteger(), 0);
}

void TReportDefaultsTest::failingDefaultStopsTheLoad()
{
    InsertReportRow(*m_db, SampleReport(kGuid));
    ExecTestSql(*m_db, QStringLiteral("UPDATE Report SET ReportState = 1, TanTouRate = '', jcTuJing = '', jcMethod = ''"));
    ExecTestSql(*m_dict, QStringLiteral("DROP TABLE 探头频率"));
    TReportInfo loaded;
    m_data->GetReportInfoFromRuid(kGuid, loaded);
    QCOMPARE(m_data->LastLoadOutcome(), TLoadOutcome::FailedAfterRowFound);
    // Steps before the failing one keep their defaults; later steps and the hip-joint
    // columns are not reached.
    QCOMPARE(loaded.FShenHeDoctor, QStringLiteral("丙医生"));
    QCOMPARE(loaded.FjcTuJing, QString());
    QCOMPARE(loaded.FjcMethod, QString());
    QCOMPARE(loaded.FkgjL_A, QString());
    const auto logs = m_host->LogsWithTitle(kLoadTitle);
    QCOMPARE(logs.size(), 2); // the statement, then the error
    QVERIFY(logs.last().value.startsWith(QStringLiteral("异常:")));
}

void TReportDefaultsTest::bindsTheFreeItemsOfTheAccession()
{
    AddItems();
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A2024-001"), kGuid), QStringLiteral("肝胆,双肾"));
    QCOMPARE(QueryTestValue(*m_db, QStringLiteral("SELECT group_concat(ItemCode) FROM ExamItem WHERE ReportGuid = 'R-0001'")).AsString(),
             QStringLiteral("I1,I2"));
    QCOMPARE(m_host->LogsWithTitle(kBindTitle).size(), 1);
    QVERIFY(m_host->LogsWithTitle(kBindTitle).first().value.contains(QStringLiteral("肝胆,双肾")));
    // A second page of the accession finds nothing left; the call still succeeds.
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A2024-001"), QStringLiteral("R-0002")), QString());
    QCOMPARE(m_host->LogsWithTitle(kBindTitle).size(), 2);
    // An accession number with a quote is passed as a value, not spliced into SQL.
    ExecTestSql(*m_db, QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, Usable) VALUES ('A''7', '引号项目', 1)"));
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A'7"), QStringLiteral("R-0003")), QStringLiteral("引号项目"));
    QVERIFY(m_host->LogsWithTitle(kBindFailTitle).isEmpty());
}

void TReportDefaultsTest::bindingFailuresYieldEmptyText_data()
{
    QTest::addColumn<QString>("breakSql");
    QTest::newRow("procedure missing") << "DELETE FROM wr_procedure WHERE name = 'sp_GetAllItemsFromAccnu_DefaustFirst'";
    QTest::newRow("output parameter renamed")
        << "UPDATE wr_procedure_param SET name = '@ItemNames' WHERE name = '@OutItemFirstName'";
    QTest::newRow("body fails") << "UPDATE wr_procedure SET body = 'SELECT wr_raise(''锁定'')' WHERE name = 'sp_GetAllItemsFromAccnu_DefaustFirst'";
    QTest::newRow("no connection") << "";
}

void TReportDefaultsTest::bindingFailuresYieldEmptyText()
{
    QFETCH(QString, breakSql);
    AddItems();
    if (breakSql.isEmpty()) m_dm->mainConnection = nullptr;
    else ExecTestSql(*m_db, breakSql);
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A2024-001"), kGuid), QString());
    const auto logs = m_host->LogsWithTitle(kBindFailTitle);
    QCOMPARE(logs.size(), 1);
    QVERIFY(logs.first().value.startsWith(QStringLiteral("异常:")));
    QVERIFY(m_host->LogsWithTitle(kBindTitle).isEmpty());
    QCOMPARE(QueryTestValue(*m_db, QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid = 'R-0001'")).AsInteger(), 0);
}

QTEST_GUILESS_MAIN(TReportDefaultsTest)
#include "tst_reportdefaults.moc"

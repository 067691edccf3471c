// SPDX-License-Identifier: MIT
// Doctor and dictionary lists and the dictionary defaults, on real databases: the doctors
// from the main connection, the dictionaries from the dictionary connection.
#include "ReportTestKit.h"
#include <QTemporaryDir>
#include <QTest>

using TRows = QList<QPair<QString, int>>;
Q_DECLARE_METATYPE(TRows)

namespace {
const QString kNull; // a null QString inserts SQL NULL
}

class TReportLookupsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void doctorLists_data();
    void doctorLists();
    void doctorQueryTextIsExact();
    void dictionaries_data();
    void dictionaries();
    void dictionariesComeFromTheDictionaryConnection();
    void failingQueriesPropagateAndKeepTheList_data();
    void failingQueriesPropagateAndKeepTheList();
    void secondCallSeesNewRows();

private:
    std::unique_ptr<QTemporaryDir> m_mainDir, m_moduleDir;
    std::unique_ptr<TDbConnection> m_main, m_module;
    std::unique_ptr<TFakeMainForm> m_hostPtr;
    TFakeDataModule m_dm;
    TFakeMainForm& host() { return *m_hostPtr; }
};

void TReportLookupsTest::init()
{
    m_mainDir = std::make_unique<QTemporaryDir>();
    m_moduleDir = std::make_unique<QTemporaryDir>();
    m_main = CreateTestDatabase(m_mainDir->path(), false);
    m_module = CreateTestDatabase(m_moduleDir->path(), false);
    m_hostPtr = std::make_unique<TFakeMainForm>();
    m_dm = TFakeDataModule();
    m_dm.mainConnection = m_main.get();
    m_dm.moduleConnection = m_module.get();
}

void TReportLookupsTest::cleanup()
{
    m_dm.mainConnection = m_dm.moduleConnection = nullptr;
    m_main.reset();
    m_module.reset();
}

void TReportLookupsTest::doctorLists_data()
{
    QTest::addColumn<QString>("department");
    QTest::addColumn<TRows>("ours");
    QTest::addColumn<TRows>("others");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("highest displayindex first, other departments left out")
        << "US01" << TRows{{"甲", 1}, {"乙", 3}, {"丙", 2}} << TRows{{"外科", 9}} << QStringList{"乙", "丙", "甲"};
    QTest::newRow("quote in the department code")
        << "US'01" << TRows{{"引号医生", 1}} << TRows{{"普通医生", 1}} << QStringList{"引号医生"};
    QTest::newRow("quote-and-comment injection attempt stays a literal")
        << "x' or '1'='1" << TRows{} << TRows{{"不应列出", 1}} << QStringList{};
    QTest::newRow("department without doctors") << "US09" << TRows{} << TRows{{"别处", 1}} << QStringList{};
    QTest::newRow("empty department code matches only empty codes")
        << "" << TRows{{"无科室", 1}} << TRows{{"有科室", 2}} << QStringList{"无科室"};
    QTest::newRow("NULL and empty names left out, blanks kept")
        << "US01" << TRows{{kNull, 4}, {"", 3}, {"  ", 2}, {"张医生", 1}} << TRows{} << QStringList{"  ", "张医生"};
    QTest::newRow("duplicate names both listed")
        << "US01" << TRows{{"张医生", 2}, {"张医生", 1}} << TRows{} << QStringList{"张医生", "张医生"};
}

void TReportLookupsTest::doctorLists()
{
    QFETCH(QString, department);
    QFETCH(TRows, ours);
    QFETCH(TRows, others);
    QFETCH(QStringList, expected);
    InsertDoctors(*m_main, department, ours);
    InsertDoctors(*m_main, department + QStringLiteral("-other"), others);
    TTestReportData data(host(), m_dm);
    data.FLogion_user.ukeshiCode = department;
    QStringList items{QStringLiteral("stale entry")};
    data.GetDoctors(items);
    QCOMPARE(items, expected);
}

void TReportLookupsTest::doctorQueryTextIsExact()
{
    TRecordingConnection rec(*m_main);
    m_dm.mainConnection = &rec;
    TTestReportData data(host(), m_dm);
    data.FLogion_user.ukeshiCode = QStringLiteral("U'S");
    QStringList items;
    data.GetDoctors(items);
    QCOMPARE(rec.queries, QStringList{QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode='U''S' order by displayindex desc ")});
    QCOMPARE(m_dm.mainConnectionCalls, 1);
    QCOMPARE(m_dm.moduleConnectionCalls, 0);
}

enum TDictionary { Route, Probe, Quality };

void TReportLookupsTest::dictionaries_data()
{
    QTest::addColumn<int>("dictionary");
    QTest::addColumn<TRows>("rows");
    QTest::addColumn<QStringList>("expectedList");
    QTest::addColumn<QString>("expectedDefault");
    QTest::newRow("route: list in table order, default the lowest uorder")
        << int(Route) << TRows{{"经腹", 2}, {"经阴道", 1}} << QStringList{"经腹", "经阴道"} << "经阴道";
    QTest::newRow("route: empty table") << int(Route) << TRows{} << QStringList{} << "";
    QTest::newRow("route: NULL and empty left out, blanks kept and untrimmed")
        << int(Route) << TRows{{" 经直肠 ", 1}, {kNull, 2}, {"", 3}} << QStringList{" 经直肠 "} << " 经直肠 ";
    QTest::newRow("route: lowest row NULL gives an empty default")
        << int(Route) << TRows{{kNull, 0}, {"经腹", 1}} << QStringList{"经腹"} << "";
    QTest::newRow("probe: list ordered by uorder")
        << int(Probe) << TRows{{"7.5MHz", 2}, {"3.5MHz", 1}, {"5MHz", 3}} << QStringList{"3.5MHz", "7.5MHz", "5MHz"} << "3.5MHz";
    QTest::newRow("probe: empty table") << int(Probe) << TRows{} << QStringList{} << "";
    QTest::newRow("quality: list in table order, duplicates kept")
        << int(Quality) << TRows{{"良", 2}, {"优", 1}, {"优", 3}} << QStringList{"良", "优", "优"} << "优";
    QTest::newRow("quality: value with a quote")
        << int(Quality) << TRows{{"'差'", 1}} << QStringList{"'差'"} << "'差'";
}

namespace {
const char* const kTables[] = {"检查途径", "探头频率", "图像质量"};
const char* const kColumns[] = {"cname", "探头频率", "图像质量"};

void ListOf(TTestReportData& d, int which, QStringList& items)
{
    if (which == Route) d.GetJianChaTuJing(items);
    else if (which == Probe) d.GetTanTouPinLv(items);
    else d.GetTuXiangZhiLiang(items);
}

QString DefaultOf(TTestReportData& d, int which)
{
    if (which == Route) return d.GetJianChaTuJing_Default();
    if (which == Probe) return d.GetTanTouPinLv_default();
    return d.GetTuXiangZhiLiang_Default();
}
} // namespace

void TReportLookupsTest::dictionaries()
{
    QFETCH(int, dictionary);
    QFETCH(TRows, rows);
    QFETCH(QStringList, expectedList);
    QFETCH(QString, expectedDefault);
    InsertDictionary(*m_module, QString::fromUtf8(kTables[dictionary]), QString::fromUtf8(kColumns[dictionary]), rows);
    TTestReportData data(host(), m_dm);
    QStringList items{QStringLiteral("stale entry")};
    ListOf(data, dictionary, items);
    QCOMPARE(items, expectedList);
    QCOMPARE(DefaultOf(data, dictionary), expectedDefault);
}

void TReportLookupsTest::dictionariesComeFromTheDictionaryConnection()
{
    // The main database holds other values: reading them there would be a wrong answer.
    for (int which : {Route, Probe, Quality}) {
        InsertDictionary(*m_main, QString::fromUtf8(kTables[which]), QString::fromUtf8(kColumns[which]), {{"主库", 0}});
        InsertDictionary(*m_module, QString::fromUtf8(kTables[which]), QString::fromUtf8(kColumns[which]), {{"字典库", 0}});
    }
    TRecordingConnection rec(*m_module);
    m_dm.moduleConnection = &rec;
    TTestReportData data(host(), m_dm);
    for (int which : {Route, Probe, Quality}) {
        QStringList items;
        ListOf(data, which, items);
        QCOMPARE(items, QStringList{QStringLiteral("字典库")});
        QCOMPARE(DefaultOf(data, which), QStringLiteral("字典库"));
    }
    QCOMPARE(m_dm.mainConnectionCalls, 0);
    QCOMPARE(rec.queries, (QStringList{QStringLiteral("select cname from 检查途径"),
                                       QStringLiteral("select cname from 检查途径 order by uorder"),
                                       QStringLiteral("select 探头频率 from 探头频率 order by uorder"),
                                       QStringLiteral("select 探头频率 from 探头频率 order by uorder"),
                                       QStringLiteral("select 图像质量 from 图像质量"),
                                       QStringLiteral("select 图像质量 from 图像质量 order by uorder")}));
}

void TReportLookupsTest::failingQueriesPropagateAndKeepTheList_data()
{
    QTest::addColumn<int>("dictionary"); // -1: doctors
    QTest::addColumn<QString>("breakSql");
    QTest::newRow("doctor table missing") << -1 << "DROP TABLE csdoctor";
    QTest::newRow("doctor name column missing") << -1 << "ALTER TABLE csdoctor RENAME COLUMN 姓名 TO name";
    QTest::newRow("route table missing") << int(Route) << "DROP TABLE 检查途径";
    QTest::newRow("probe column missing") << int(Probe) << "ALTER TABLE 探头频率 RENAME COLUMN 探头频率 TO v";
    QTest::newRow("quality uorder missing") << int(Quality) << "ALTER TABLE 图像质量 DROP COLUMN uorder";
}

void TReportLookupsTest::failingQueriesPropagateAndKeepTheList()
{
    QFETCH(int, dictionary);
    QFETCH(QString, breakSql);
    InsertDoctors(*m_main, QStringLiteral("US01"), {{"张医生", 1}});
    for (int which : {Route, Probe, Quality})
        InsertDictionary(*m_module, QString::fromUtf8(kTables[which]), QString::fromUtf8(kColumns[which]), {{"值", 1}});
    ExecTestSql(dictionary < 0 ? *m_main : *m_module, breakSql);
    TTestReportData data(host(), m_dm);
    data.FLogion_user.ukeshiCode = QStringLiteral("US01");
    const QStringList before{QStringLiteral("原有甲"), QStringLiteral("原有乙")};
    QStringList items = before;
    bool listThrew = false;
    try {
        if (dictionary < 0) data.GetDoctors(items);
        else ListOf(data, dictionary, items);
    } catch (const EDatabaseError&) {
        listThrew = true;
    }
    if (breakSql.contains(QLatin1String("uorder"))) {
        // The unordered list does not need the column; only the default does.
        QVERIFY(!listThrew);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, DefaultOf(data, dictionary));
        return;
    }
    QVERIFY(listThrew);
    QCOMPARE(items, before);
    if (dictionary >= 0) QVERIFY_THROWS_EXCEPTION(EDatabaseError, DefaultOf(data, dictionary));
    QVERIFY(host().logs.isEmpty()); // nothing is caught, so nothing is logged here
}

void TReportLookupsTest::secondCallSeesNewRows()
{
    InsertDoctors(*m_main, QStringLiteral("US01"), {{"张医生", 2}});
    TTestReportData data(host(), m_dm);
    data.FLogion_user.ukeshiCode = QStringLiteral("US01");
    QStringList items;
    data.GetDoctors(items);
    QCOMPARE(items, QStringList{QStringLiteral("张医生")});
    InsertDoctors(*m_main, QStringLiteral("US01"), {{"新医生", 1}});
    data.GetDoctors(items);
    QCOMPARE(items, (QStringList{QStringLiteral("张医生"), QStringLiteral("新医生")}));
}

QTEST_GUILESS_MAIN(TReportLookupsTest)
#include "tst_reportlookups.moc"

// SPDX-License-Identifier: MIT
// The host's reads and writes of the workstation database, and its data module, on fresh
// databases built from db/sqlite.
#include "database/HostDataModule.h"
#include "hostdata/CatalogQueries.h"
#include "hostdata/HostQueries.h"
#include "TestDatabase.h"
#include "platform/DateTime.h"
#include <QTemporaryDir>
#include <QTest>

class TstHostQueries : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void reportLookupIsQuoted();
    void firstDoctorIsTheDefaultUser();

    void phrasesPerDepartment_data();
    void phrasesPerDepartment();

    void examItemsOfTheReport();
    void bindingMatchesTheProcedure();
    void bindingRejectsForeignIds();

    void templatesAndSymbols();

    void dataModuleConnections();
    void dataModuleCatalogue();
    void dataModuleBadTarget();
    void quoteIdentifier_data();
    void quoteIdentifier();

private:
    // One accession with two report pages: item A belongs to page 2, B and C are free,
    // D is cancelled.
    void AddTwoPageAccession();
    QString ItemId(const QString& name);

    QTemporaryDir* m_dir = nullptr;
    QString m_file;
    std::unique_ptr<TDbConnection> m_conn;
};

void TstHostQueries::init()
{
    m_dir = new QTemporaryDir;
    m_file = CreateTestDatabaseFile(m_dir->path(), true);
    m_conn = OpenDatabase(m_file);
}

void TstHostQueries::cleanup()
{
    m_conn.reset();
    delete m_dir;
    m_dir = nullptr;
}

void TstHostQueries::AddTwoPageAccession()
{
    ExecTestSql(*m_conn, QStringLiteral("INSERT INTO Report (ruid, Accnu, ItemName, ReportState, CreateTime) VALUES "
                                        "('P1', 'T1', '', 0, '2030-01-01 08:00:00.000'), "
                                        "('P2', 'T1', 'A', 0, '2030-01-01 08:05:00.000')"));
    ExecTestSql(*m_conn, QStringLiteral("INSERT INTO ExamItem (Accnu, ItemCode, ItemName, ItemOrder, Usable, ReportGuid) VALUES "
                                        "('T1', 'a', 'A', 1, 1, 'P2'), ('T1', 'c', 'C', 3, 1, NULL), "
                                        "('T1', 'b', 'B', 2, 1, NULL), ('T1', 'd', 'D', 4, 0, NULL)"));
}

QString TstHostQueries::ItemId(const QString& name)
{
    return QueryTestValue(*m_conn, QStringLiteral("SELECT id FROM ExamItem WHERE Accnu = 'T1' AND ItemName = %1")
                                       .arg(QuotedStr(name))).AsString();
}

void TstHostQueries::reportLookupIsQuoted()
{
    QVERIFY(ReportExists(*m_conn, QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D")));
    QVERIFY(!ReportExists(*m_conn, QStringLiteral("x' OR '1'='1")));
    QCOMPARE(ReportAccession(*m_conn, QStringLiteral("x' OR '1'='1")), QString());
    QCOMPARE(ReportAccession(*m_conn, QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D")), QStringLiteral("US20240520001"));
}

void TstHostQueries::firstDoctorIsTheDefaultUser()
{
    const TDoctorRow d = FirstDoctor(*m_conn);
    QCOMPARE(d.name, QStringLiteral("张医生"));
    QCOMPARE(d.code, QStringLiteral("D001"));
    QCOMPARE(d.deptCode, QStringLiteral("US01"));
    ExecTestSql(*m_conn, QStringLiteral("DELETE FROM csdoctor"));
    QVERIFY(FirstDoctor(*m_conn).name.isEmpty());
}

void TstHostQueries::phrasesPerDepartment_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("dept");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("methods of US01: shared ones and its own, in order")
        << int(TPickerKind::Method) << "US01"
        << QStringList{"经腹部超声检查", "彩色多普勒超声检查", "经直肠超声检查", "超声造影检查"};
    QTest::newRow("a department code with a quote") << int(TPickerKind::Method) << "US'03"
                                                    << QStringList{"经腹部超声检查", "彩色多普勒超声检查", "超声造影检查",
                                                                   "经胸超声心动图检查"};
    QTest::newRow("unknown department gets the shared ones") << int(TPickerKind::Lczd) << "XX"
                                                             << QStringList{"体检", "腹痛待查", "甲状腺结节",
                                                                            "发育性髋关节发育不良筛查"};
    QTest::newRow("parts of US02") << int(TPickerKind::Part) << "US02" << QStringList{"子宫", "双侧附件"};
    QTest::newRow("no phrases for templates") << int(TPickerKind::Template) << "US01" << QStringList{};
}

void TstHostQueries::phrasesPerDepartment()
{
    QFETCH(int, kind);
    QFETCH(QString, dept);
    QStringList texts;
    for (const TPickerEntry& e : LoadPhrases(*m_conn, TPickerKind(kind), dept)) texts << e.text;
    QTEST(texts, "texts");
}

void TstHostQueries::examItemsOfTheReport()
{
    AddTwoPageAccession();
    const QList<TPickerEntry> items = LoadExamItems(*m_conn, QStringLiteral("P1"));
    QStringList shown;
    for (const auto& e : items) shown << QStringLiteral("%1:%2%3").arg(e.text, e.enabled ? "free" : "taken", e.checked ? "+" : "");
    QCOMPARE(shown, (QStringList{"A:taken", "B:free", "C:free"}));  // registration order, no cancelled D
    QCOMPARE(LoadExamItems(*m_conn, QStringLiteral("P2")).constFirst().checked, true);
    QCOMPARE(LoadExamItems(*m_conn, QStringLiteral("p2")).constFirst().checked, true);  // GUIDs match without case

    QCOMPARE(BindExamItems(*m_conn, QStringLiteral("P1"), {ItemId("C"), ItemId("B")}), QStringLiteral("B,C"));
    QCOMPARE(BindExamItems(*m_conn, QStringLiteral("P1"), {ItemId("C")}), QStringLiteral("C"));
    // Unticked items are free again for the next page.
    QVERIFY(QueryTestValue(*m_conn, QStringLiteral("SELECT ReportGuid FROM ExamItem WHERE ItemName = 'B' AND Accnu = 'T1'")).IsNull());
    // An item of another page stays there even when asked for.
    QCOMPARE(BindExamItems(*m_conn, QStringLiteral("P1"), {ItemId("A"), ItemId("C")}), QStringLiteral("C"));
    QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT ReportGuid FROM ExamItem WHERE ItemName = 'A' AND Accnu = 'T1'")).AsString(),
             QStringLiteral("P2"));
    QCOMPARE(BindExamItems(*m_conn, QStringLiteral("P1"), {}), QString());
}

void TstHostQueries::bindingMatchesTheProcedure()
{
    AddTwoPageAccession();
    // The database's own binding of the free items...
    auto proc = m_conn->CreateStoredProc();
    proc->SetProcedureName(QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst"));
    proc->RefreshParameters();
    proc->ParamByName(QStringLiteral("@Accnu")).SetAsString(QStringLiteral("T1"));
    proc->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(QStringLiteral("P1"));
    proc->ParamByName(QStringLiteral("@OutItemFirstName")).SetAsString(QString());
    proc->ExecProc();
    const QString byProcedure = proc->ParamByName(QStringLiteral("@OutItemFirstName")).Value.AsString();
    QCOMPARE(byProcedure, QStringLiteral("B,C"));
    // ...reads exactly like the same items chosen in the picker.
    QCOMPARE(BindExamItems(*m_conn, QStringLiteral("P1"), {ItemId("B"), ItemId("C")}), byProcedure);
}

void TstHostQueries::bindingRejectsForeignIds()
{
    AddTwoPageAccession();
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, BindExamItems(*m_conn, QStringLiteral("P1"), {QStringLiteral("1) OR (1=1")}));
    QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT COUNT(*) FROM ExamItem WHERE ReportGuid = 'P1'")).AsInteger(), 0);
}

void TstHostQueries::templatesAndSymbols()
{
    const QList<TPickerEntry> us01 = LoadTemplates(*m_conn, QStringLiteral("US01"));
    QVERIFY(!us01.isEmpty());
    for (const TPickerEntry& t : us01) {
        QVERIFY(!t.group.isEmpty());
        QVERIFY(t.rtfSuoJian.startsWith(QLatin1String("{\\rtf")) || t.rtfJieLun.startsWith(QLatin1String("{\\rtf")));
    }
    const int all = QueryTestValue(*m_conn, QStringLiteral("SELECT COUNT(*) FROM ReportTemplate")).AsInteger();
    QVERIFY(us01.size() < all);  // other departments' templates stay out

    const QList<TPickerEntry> symbols = LoadSymbols(*m_conn);
    QCOMPARE(symbols.size(), QueryTestValue(*m_conn, QStringLiteral("SELECT COUNT(*) FROM SpecialSymbol")).AsInteger());
    QVERIFY(std::any_of(symbols.begin(), symbols.end(), [](const TPickerEntry& e) { return e.text == QStringLiteral("±"); }));
}

void TstHostQueries::dataModuleConnections()
{
    QStringList logged;
    THostDataModule dm(m_file, [&](const QString&, const QString& m) { logged << m; });
    QString error;
    QVERIFY(dm.DM_ConnectDB(error));
    TDbConnection* main = dm.GetMainAdoConnection();
    TDbConnection* module = dm.GetModleAdConnection();
    QVERIFY(main && module && main != module);
    QCOMPARE(dm.GetMainAdoConnection(), main);  // the same open connection each time
    QVERIFY(std::fabs(dm.Get_Server_time() - Now()) < 1.0 / 24 / 60);
    void* p = nullptr;
    QVERIFY(Supports(&dm, ITrDataModle::IID, &p));
    QVERIFY(!Supports(&dm, IMainFrom::IID, &p));
    QVERIFY(logged.isEmpty());
}

void TstHostQueries::dataModuleCatalogue()
{
    THostDataModule dm(m_file);
    QString error;
    QVERIFY(dm.DM_ConnectDB(error));
    QStringList fields = dm.GetTableOrViewFildNames(QStringLiteral("Report"));
    // The 49 report columns and CreateTime, plus what the upgrade scripts added.
    QVERIFY2(fields.size() >= 50, qPrintable(fields.join(QLatin1Char(','))));
    QCOMPARE(fields.removeDuplicates(), 0);
    for (const char* column : {"ruid", "CreateTime", "rtf_SuoJian", "kgjR_B", "PrintedCont"})
        QVERIFY2(fields.contains(QLatin1String(column)), column);
    QCOMPARE(dm.GetDataTypeFromFieldName(QStringLiteral("Report"), QStringLiteral("reportstate")), QStringLiteral("INTEGER"));
    QCOMPARE(dm.GetDataTypeFromFieldName(QStringLiteral("Report"), QStringLiteral("nothing")), QString());
    QCOMPARE(dm.Get_SelectSqlString_Header(QStringLiteral("检查途径")), QStringLiteral("SELECT \"cname\", \"uorder\" FROM \"检查途径\""));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, dm.GetTableOrViewFildNames(QStringLiteral("No\"Such")));
}

void TstHostQueries::dataModuleBadTarget()
{
    THostDataModule dm(m_dir->filePath(QStringLiteral("missing.sqlite")));
    QString error;
    QVERIFY(!dm.DM_ConnectDB(error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("missing.sqlite"))));  // nothing created on the way
}

void TstHostQueries::quoteIdentifier_data()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("SQL Server brackets") << "sqlserver" << "检查途径" << "[检查途径]";
    QTest::newRow("closing bracket doubled") << "sqlserver" << "a]b" << "[a]]b]";
    QTest::newRow("SQLite double quotes") << "sqlite" << "Report" << "\"Report\"";
    QTest::newRow("double quote doubled") << "postgresql" << "a\"b" << "\"a\"\"b\"";
}

void TstHostQueries::quoteIdentifier()
{
    QFETCH(QString, dialect);
    QFETCH(QString, name);
    QTEST(QuoteIdentifier(dialect, name), "quoted");
}

QTEST_GUILESS_MAIN(TstHostQueries)
#include "tst_host_queries.moc"

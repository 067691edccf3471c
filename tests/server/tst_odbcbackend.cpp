// SPDX-License-Identifier: MIT
// The ODBC backend itself on the PostgreSQL test server: catalogue look-up, named arguments
// checked by the server, output parameters, errors raised late in a batch, and connections
// that cannot be made or have gone.
#include "ServerFixture.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "platform/odbc/OdbcDatabase.h"
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TOdbcBackendTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void catalogueGivesNamesTypesAndDirections();
    void outputParameterReadBack();
    void namesTheProcedureDoesNotDeclareFailOnTheServer_data();
    void namesTheProcedureDoesNotDeclareFailOnTheServer();
    void functionsReturnTheirOutParameters();
    void errorsRaisedLateFailTheStatement_data();
    void errorsRaisedLateFailTheStatement();
    void openWithoutResultSetFails();
    void bracketIdentifiersReachMixedCaseColumns();
    void objectsOutlivingTheirConnectionFailCleanly();
    void unreachableServerFailsWithTheDriversMessage();
    void demoDataMatchesTheEmbeddedDemo();

private:
    TDbConnection& conn() { return m_db->Connection(); }
    std::unique_ptr<TBackendDatabase> m_db;
};

void TOdbcBackendTest::initTestCase()
{
    if (!TestsUseServer()) QSKIP("ODBC backend tests need the database server (WR_TEST_BACKEND=odbc)");
    const QString why = TBackendDatabase::SkipReason();
    if (!why.isEmpty()) QSKIP(qPrintable(why));
}

void TOdbcBackendTest::init() { m_db = std::make_unique<TBackendDatabase>(); }
void TOdbcBackendTest::cleanup() { m_db.reset(); }

void TOdbcBackendTest::catalogueGivesNamesTypesAndDirections()
{
    QCOMPARE(conn().Dialect(), QStringLiteral("postgresql"));
    auto sp = conn().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    sp->RefreshParameters();
    // The 49 original parameters, then the optional stamp check, who saves and the new stamp.
    QCOMPARE(int(sp->Parameters().size()), 52);
    QCOMPARE(sp->Parameters().front().Name, QStringLiteral("@Ruid"));
    QCOMPARE(sp->Parameters().at(48).Name, QStringLiteral("@kgjR_B"));
    QCOMPARE(sp->Parameters().back().Name, QStringLiteral("@SavedVersion"));
    QCOMPARE(int(sp->Parameters().back().Direction), int(TParamDirection::InputOutput));
    QCOMPARE(int(sp->ParamByName(QStringLiteral("@reportstate")).DataType), int(TDbFieldType::Integer));
    QCOMPARE(int(sp->ParamByName(QStringLiteral("@ReportDate")).DataType), int(TDbFieldType::DateTime));
    QCOMPARE(int(sp->ParamByName(QStringLiteral("@YinYangXing")).DataType), int(TDbFieldType::Boolean));
    QCOMPARE(int(sp->ParamByName(QStringLiteral("@SuoJian")).Direction), int(TParamDirection::Input));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, sp->ParamByName(QStringLiteral("@Nope")));

    sp->SetProcedureName(QStringLiteral("sp_NoSuchProcedure"));
    try {
        sp->RefreshParameters();
        QFAIL("a missing procedure was found");
    } catch (const EDatabaseError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Could not find stored procedure 'sp_NoSuchProcedure'."));
    }
}

void TOdbcBackendTest::outputParameterReadBack()
{
    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ('A1', '肝', 2), ('A1', '胆', 1)"));
    auto sp = conn().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("dbo.sp_GetAllItemsFromAccnu_DefaustFirst"));  // the schema is not ours
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, sp->RefreshParameters());
    sp->SetProcedureName(QStringLiteral("SP_GETALLITEMSFROMACCNU_DEFAUSTFIRST"));
    sp->RefreshParameters();
    QCOMPARE(int(sp->ParamByName(QStringLiteral("@OutItemFirstName")).Direction), int(TParamDirection::InputOutput));
    sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(QStringLiteral("A1"));
    sp->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(QStringLiteral("G1"));
    sp->ParamByName(QStringLiteral("@OutItemFirstName")).SetAsString(QString());
    sp->ExecProc();
    QCOMPARE(sp->ParamByName(QStringLiteral("@OutItemFirstName")).Value.AsString(), QStringLiteral("胆,肝"));
}

void TOdbcBackendTest::namesTheProcedureDoesNotDeclareFailOnTheServer_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("a name the procedure does not declare")
        << QStringList{QStringLiteral("@Accnu"), QStringLiteral("@ReportGuid"), QStringLiteral("@Nope")};
    QTest::newRow("a misspelt name") << QStringList{QStringLiteral("@Acnu"), QStringLiteral("@ReportGuid")};
    QTest::newRow("a declared parameter without default left out") << QStringList{QStringLiteral("@Accnu")};
}

void TOdbcBackendTest::namesTheProcedureDoesNotDeclareFailOnTheServer()
{
    QFETCH(QStringList, names);
    auto sp = conn().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst"));
    for (const QString& n : names) {
        TDbParameter p;
        p.Name = n;
        p.DataType = TDbFieldType::String;
        p.SetAsString(QStringLiteral("x"));
        sp->Parameters().push_back(p);
    }
    try {
        sp->ExecProc();
        QFAIL("the call went through");
    } catch (const EDatabaseError& e) {
        // PostgreSQL's own words: no procedure matches these argument names.
        QVERIFY2(e.Message().contains(QStringLiteral("does not exist")), qPrintable(e.Message()));
    }
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NOT NULL")).AsInteger(), 0);
}

void TOdbcBackendTest::functionsReturnTheirOutParameters()
{
    m_db->Exec(QStringLiteral("CREATE FUNCTION wr_f(\"A\" integer, \"When\" timestamp, OUT \"Twice\" integer, OUT \"Day\" text) "
                              "LANGUAGE sql AS $$ SELECT \"A\" * 2, to_char(\"When\", 'YYYY-MM-DD HH24:MI:SS.MS') $$"));
    auto sp = conn().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("wr_f"));
    sp->RefreshParameters();
    QCOMPARE(int(sp->Parameters().size()), 4);
    QCOMPARE(int(sp->ParamByName(QStringLiteral("@Twice")).Direction), int(TParamDirection::Output));
    sp->ParamByName(QStringLiteral("@A")).SetAsInteger(21);
    sp->ParamByName(QStringLiteral("@When")).SetAsDateTime(QDateTimeToDateTime(QDateTime(QDate(2024, 2, 29), QTime(8, 7, 6, 5))));
    sp->ExecProc();
    QCOMPARE(sp->ParamByName(QStringLiteral("@Twice")).Value.AsInteger(), 42);
    QCOMPARE(sp->ParamByName(QStringLiteral("@Day")).Value.AsString(), QStringLiteral("2024-02-29 08:07:06.005"));
}

void TOdbcBackendTest::errorsRaisedLateFailTheStatement_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("second statement of a batch, ExecSQL") << false << QStringLiteral("SELECT 1; SELECT 1/0") << QStringLiteral("division by zero");
    QTest::newRow("second statement of a batch, Open") << true << QStringLiteral("SELECT 1 AS a; SELECT 1/0 AS b") << QStringLiteral("division by zero");
    QTest::newRow("raised after rows were sent") << true
        << QStringLiteral("SELECT 1 AS a; DO $$ BEGIN RAISE EXCEPTION '迟到的错误'; END $$") << QStringLiteral("迟到的错误");
    QTest::newRow("missing table") << true << QStringLiteral("select x from 不存在的表") << QStringLiteral("不存在的表");
    QTest::newRow("missing column") << true << QStringLiteral("select 姓名x from [csdoctor]") << QStringLiteral("姓名x");
}

void TOdbcBackendTest::errorsRaisedLateFailTheStatement()
{
    QFETCH(bool, open);
    QFETCH(QString, sql);
    QFETCH(QString, message);
    auto q = conn().CreateQuery();
    q->SQL() << sql;
    try {
        if (open) q->Open();
        else q->ExecSQL();
        QFAIL("the statement succeeded");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
    }
    QVERIFY(!q->Active());
    // The connection stays usable.
    QCOMPARE(QueryTestValue(conn(), QStringLiteral("SELECT 7")).AsInteger(), 7);
}

void TOdbcBackendTest::openWithoutResultSetFails()
{
    // A workstation may not create tables: this runs as the administrator.
    auto q = m_db->AdminConnection().CreateQuery();
    q->SQL() << QStringLiteral("CREATE TABLE wr_t (a integer)");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q->Open());
    // It ran nonetheless, as the server was asked to.
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM wr_t")).AsInteger(), 0);
}

void TOdbcBackendTest::bracketIdentifiersReachMixedCaseColumns()
{
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, ReportState, YinYangXing) VALUES ('[g]', 5, true)"));
    auto q = conn().CreateQuery();
    q->SQL() << QStringLiteral("SELECT [ReportState], YinYangXing AS [Flag] FROM [Report] WHERE [ruid] = '[g]' -- [ignored]");
    q->Open();
    QCOMPARE(q->RecordCount(), 1);
    QCOMPARE(q->FieldByName(QStringLiteral("REPORTSTATE")).AsInteger(), 5);
    QCOMPARE(q->FieldByName(QStringLiteral("flag")).AsBoolean(), true);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q->FieldByName(QStringLiteral("nope")));
}

void TOdbcBackendTest::objectsOutlivingTheirConnectionFailCleanly()
{
    auto own = OpenDatabase(m_db->Target());
    auto q = own->CreateQuery();
    auto sp = own->CreateStoredProc();
    own.reset();
    q->SQL() << QStringLiteral("SELECT 1");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q->Open());
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, sp->RefreshParameters());
}

void TOdbcBackendTest::unreachableServerFailsWithTheDriversMessage()
{
    // A closed port on this machine: nothing listens on port 1.
    QString target = TestServerConnectionString();
    target.replace(QRegularExpression(QStringLiteral("Port=\\d+"), QRegularExpression::CaseInsensitiveOption), QStringLiteral("Port=1"));
    try {
        OpenDatabase(target);
        QFAIL("connected to a closed port");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().startsWith(QStringLiteral("Cannot connect to ODBC ")), qPrintable(e.Message()));
        QVERIFY(!e.Message().contains(QStringLiteral("Pwd=")));
    }
}

void TOdbcBackendTest::demoDataMatchesTheEmbeddedDemo()
{
    // db/postgresql/demo.sql is ported from db/sqlite/demo.sql: the same rows must arrive.
    TBackendDatabase server(true);
    QTemporaryDir dir;
    auto sqlite = CreateTestDatabase(dir.path(), true);
    const QStringList checks{
        QStringLiteral("SELECT count(*) FROM Report"), QStringLiteral("SELECT count(*) FROM Report WHERE YinYangXing = %1"),
        QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NULL"), QStringLiteral("SELECT count(*) FROM csdoctor"),
        QStringLiteral("SELECT count(*) FROM Study"), QStringLiteral("SELECT count(*) FROM Phrase"),
        QStringLiteral("SELECT count(*) FROM ReportTemplate"), QStringLiteral("SELECT count(*) FROM SpecialSymbol"),
        QStringLiteral("SELECT count(*) FROM 检查途径"), QStringLiteral("SELECT count(*) FROM 探头频率"),
        QStringLiteral("SELECT count(*) FROM 图像质量"),
        QStringLiteral("SELECT sum(length(rtf_SuoJian) + length(SuoJian)) FROM Report")};
    for (const QString& sql : checks) {
        const int expected = QueryTestValue(*sqlite, QString(sql).replace(QStringLiteral("%1"), QStringLiteral("1"))).AsInteger();
        QCOMPARE(server.Value(QString(sql).replace(QStringLiteral("%1"), QStringLiteral("true"))).AsInteger(), expected);
    }
    QVERIFY(server.Value(QStringLiteral("SELECT count(*) FROM Report")).AsInteger() > 0);
}

QTEST_GUILESS_MAIN(TOdbcBackendTest)
#include "tst_odbcbackend.moc"

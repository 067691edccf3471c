// SPDX-License-Identifier: MIT
// The texts the ODBC backend sends, checked without a server: the `[x]` rewrite for
// PostgreSQL, the batches that call procedures on SQL Server and PostgreSQL, and the type
// texts taken from the catalogue.
#include "platform/odbc/OdbcDialect.h"
#include "platform/odbc/OdbcDatabase.h"
#include <QTest>

using TParams = QList<TOdbcParamInfo>;
using TBinds = QList<int>;
Q_DECLARE_METATYPE(TParams)
Q_DECLARE_METATYPE(TBinds)

class TOdbcDialectTest : public QObject {
    Q_OBJECT
private slots:
    void bracketRewrite_data();
    void bracketRewrite();
    void nationalLiterals_data();
    void nationalLiterals();
    void callBatches_data();
    void callBatches();
    void serverTypeTexts_data();
    void serverTypeTexts();
    void procedureNames_data();
    void procedureNames();
    void descriptionHidesPassword_data();
    void descriptionHidesPassword();
    void rerunnableReads_data();
    void rerunnableReads();
    void lockTimeouts_data();
    void lockTimeouts();
};

void TOdbcDialectTest::nationalLiterals_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("doctor query with a Chinese department code")
        << QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode='超声科' order by displayindex desc ")
        << QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode=N'超声科' order by displayindex desc ");
    QTest::newRow("ASCII literal left as the report code wrote it")
        << QStringLiteral(" where 1=1 and  ruid='60B67F58-DC6A' order by CreateTime desc")
        << QStringLiteral(" where 1=1 and  ruid='60B67F58-DC6A' order by CreateTime desc");
    QTest::newRow("doubled quote inside, Korean outside the Chinese code page")
        << QStringLiteral("SELECT 1 WHERE Accnu = '김''A' AND x = 'b'")
        << QStringLiteral("SELECT 1 WHERE Accnu = N'김''A' AND x = 'b'");
    QTest::newRow("already national") << QStringLiteral("SELECT N'王', n'李'") << QStringLiteral("SELECT N'王', n'李'");
    QTest::newRow("names and comments untouched")
        << QStringLiteral("SELECT [a'姓] AS \"b'名\" -- it's '中'\n/* '中' /* '文' */ */ FROM t WHERE c = '中'")
        << QStringLiteral("SELECT [a'姓] AS \"b'名\" -- it's '中'\n/* '中' /* '文' */ */ FROM t WHERE c = N'中'");
    QTest::newRow("unterminated literal kept whole") << QStringLiteral("SELECT '中") << QStringLiteral("SELECT N'中");
}

void TOdbcDialectTest::nationalLiterals()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(AddNationalLiteralPrefixes(in), out);
    // Idempotent: a text sent twice is not prefixed twice.
    QCOMPARE(AddNationalLiteralPrefixes(out), out);
}

void TOdbcDialectTest::bracketRewrite_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("doctor query as sent") << QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode='US01' order by displayindex desc ")
                                          << QStringLiteral(" SELECT  姓名 FROM  \"csdoctor\" where  kscode='US01' order by displayindex desc ");
    QTest::newRow("mixed case lowered like an unquoted name") << QStringLiteral("select [ReportState] from [Report]")
                                                             << QStringLiteral("select \"reportstate\" from \"report\"");
    QTest::newRow("Chinese and Greek kept") << QStringLiteral("select [探头频率], [Cbx_α] from [检查途径]")
                                            << QStringLiteral("select \"探头频率\", \"cbx_α\" from \"检查途径\"");
    QTest::newRow("bracket inside a literal untouched") << QStringLiteral("select 1 where ruid='[abc]'")
                                                        << QStringLiteral("select 1 where ruid='[abc]'");
    QTest::newRow("doubled quote keeps the literal open") << QStringLiteral("where a='it''s [x]' and [y]=1")
                                                          << QStringLiteral("where a='it''s [x]' and \"y\"=1");
    QTest::newRow("literal ending in doubled quotes") << QStringLiteral("where a='''' and [y]=1")
                                                      << QStringLiteral("where a='''' and \"y\"=1");
    QTest::newRow("N prefix literal") << QStringLiteral("where [a]=N'[张]'") << QStringLiteral("where \"a\"=N'[张]'");
    QTest::newRow("quoted identifier untouched") << QStringLiteral("select \"A[1]\" from [t]") << QStringLiteral("select \"A[1]\" from \"t\"");
    QTest::newRow("line comment untouched") << QStringLiteral("select [a] -- see [b]\nfrom [t]")
                                            << QStringLiteral("select \"a\" -- see [b]\nfrom \"t\"");
    QTest::newRow("nested block comment untouched") << QStringLiteral("/* [a] /* [b] */ [c] */ [d]")
                                                    << QStringLiteral("/* [a] /* [b] */ [c] */ \"d\"");
    QTest::newRow("dollar-quoted body untouched") << QStringLiteral("do $body$ select [a] $body$; select [b]")
                                                  << QStringLiteral("do $body$ select [a] $body$; select \"b\"");
    QTest::newRow("positional $1 is no dollar quote") << QStringLiteral("select $1, [a]") << QStringLiteral("select $1, \"a\"");
    QTest::newRow("escaped closing bracket") << QStringLiteral("select [a]]b]") << QStringLiteral("select \"a]b\"");
    QTest::newRow("double quote inside brackets") << QStringLiteral("select [a\"b]") << QStringLiteral("select \"a\"\"b\"");
    QTest::newRow("empty brackets") << QStringLiteral("select []") << QStringLiteral("select \"\"");
    QTest::newRow("unterminated bracket left alone") << QStringLiteral("select [abc") << QStringLiteral("select [abc");
    QTest::newRow("unterminated literal left alone") << QStringLiteral("select 'abc [x]") << QStringLiteral("select 'abc [x]");
    QTest::newRow("no brackets") << QStringLiteral("select cname from 检查途径 order by uorder")
                                 << QStringLiteral("select cname from 检查途径 order by uorder");
    QTest::newRow("empty text") << QString() << QString();
}

void TOdbcDialectTest::bracketRewrite()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(RewriteBracketIdentifiers(in), out);
}

void TOdbcDialectTest::callBatches_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<TOdbcProcInfo>("proc");
    QTest::addColumn<TParams>("params");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<TBinds>("binds");

    const TOdbcProcInfo bind{QStringLiteral("dbo"), QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst"), false};
    const TParams bindParams{{QStringLiteral("Accnu"), QStringLiteral("nvarchar(64)"), TParamDirection::Input},
                             {QStringLiteral("ReportGuid"), QStringLiteral("nvarchar(64)"), TParamDirection::Input},
                             {QStringLiteral("OutItemFirstName"), QStringLiteral("nvarchar(1000)"), TParamDirection::InputOutput}};
    QTest::newRow("SQL Server: output declared first, selected back last")
        << int(TOdbcDialect::SqlServer) << bind << bindParams
        << QStringLiteral("SET NOCOUNT ON;\nDECLARE @wr_o1 nvarchar(1000) = ?;\n"
                          "EXEC [dbo].[sp_GetAllItemsFromAccnu_DefaustFirst] @Accnu = ?, @ReportGuid = ?, "
                          "@OutItemFirstName = @wr_o1 OUTPUT;\nSELECT @wr_o1 AS [@OutItemFirstName];\n")
        << TBinds{2, 0, 1};

    const TParams middleOut{{QStringLiteral("A"), QStringLiteral("int"), TParamDirection::Input},
                            {QStringLiteral("B"), QString(), TParamDirection::Output},
                            {QStringLiteral("C"), QStringLiteral("bit"), TParamDirection::Input},
                            {QStringLiteral("D"), QStringLiteral("datetime2(3)"), TParamDirection::InputOutput}};
    QTest::newRow("SQL Server: outputs between inputs keep their binding order")
        << int(TOdbcDialect::SqlServer) << TOdbcProcInfo{QString(), QStringLiteral("p]x"), false} << middleOut
        << QStringLiteral("SET NOCOUNT ON;\nDECLARE @wr_o1 nvarchar(max) = ?;\nDECLARE @wr_o2 datetime2(3) = ?;\n"
                          "EXEC [p]]x] @A = ?, @B = @wr_o1 OUTPUT, @C = ?, @D = @wr_o2 OUTPUT;\n"
                          "SELECT @wr_o1 AS [@B], @wr_o2 AS [@D];\n")
        << TBinds{1, 3, 0, 2};

    QTest::newRow("SQL Server: no parameters")
        << int(TOdbcDialect::SqlServer) << TOdbcProcInfo{QStringLiteral("dbo"), QStringLiteral("p"), false} << TParams{}
        << QStringLiteral("SET NOCOUNT ON;\nEXEC [dbo].[p];\n") << TBinds{};

    QTest::newRow("SQL Server: return value")
        << int(TOdbcDialect::SqlServer) << TOdbcProcInfo{QStringLiteral("dbo"), QStringLiteral("p"), false}
        << TParams{{QStringLiteral("RETURN_VALUE"), QStringLiteral("int"), TParamDirection::ReturnValue},
                   {QStringLiteral("A"), QStringLiteral("int"), TParamDirection::Input}}
        << QStringLiteral("SET NOCOUNT ON;\nDECLARE @wr_rv int;\nEXEC @wr_rv = [dbo].[p] @A = ?;\nSELECT @wr_rv AS [@RETURN_VALUE];\n")
        << TBinds{1};

    const TParams pgBind{{QStringLiteral("Accnu"), QStringLiteral("text"), TParamDirection::Input},
                         {QStringLiteral("ReportGuid"), QStringLiteral("text"), TParamDirection::Input},
                         {QStringLiteral("OutItemFirstName"), QStringLiteral("text"), TParamDirection::InputOutput}};
    QTest::newRow("PostgreSQL procedure: named, cast, INOUT passed")
        << int(TOdbcDialect::PostgreSql)
        << TOdbcProcInfo{QStringLiteral("public"), QStringLiteral("sp_getallitemsfromaccnu_defaustfirst"), false} << pgBind
        << QStringLiteral("CALL \"public\".\"sp_getallitemsfromaccnu_defaustfirst\"(\"Accnu\" => CAST(? AS text), "
                          "\"ReportGuid\" => CAST(? AS text), \"OutItemFirstName\" => CAST(? AS text))")
        << TBinds{0, 1, 2};

    QTest::newRow("PostgreSQL function: OUT not passed")
        << int(TOdbcDialect::PostgreSql) << TOdbcProcInfo{QString(), QStringLiteral("f"), true}
        << TParams{{QStringLiteral("a"), QStringLiteral("timestamp without time zone"), TParamDirection::Input},
                   {QStringLiteral("r"), QStringLiteral("text"), TParamDirection::Output},
                   {QStringLiteral("b"), QString(), TParamDirection::Input}}
        << QStringLiteral("SELECT * FROM \"f\"(\"a\" => CAST(? AS timestamp without time zone), \"b\" => CAST(? AS text))")
        << TBinds{0, 2};

    QTest::newRow("PostgreSQL: unnamed parameter stays positional")
        << int(TOdbcDialect::PostgreSql) << TOdbcProcInfo{QString(), QStringLiteral("p"), false}
        << TParams{{QString(), QStringLiteral("integer"), TParamDirection::Input}}
        << QStringLiteral("CALL \"p\"(CAST(? AS integer))") << TBinds{0};
}

void TOdbcDialectTest::callBatches()
{
    QFETCH(int, dialect);
    QFETCH(TOdbcProcInfo, proc);
    QFETCH(TParams, params);
    QFETCH(QString, sql);
    QFETCH(TBinds, binds);
    const TOdbcCall call = BuildProcedureCall(TOdbcDialect(dialect), proc, params);
    QCOMPARE(call.sql, sql);
    QCOMPARE(call.bindOrder, binds);
    QCOMPARE(call.sql.count(QLatin1Char('?')), binds.size());
}

void TOdbcDialectTest::serverTypeTexts_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fieldType");
    QTest::newRow("nvarchar counts bytes") << "nvarchar" << 128 << 0 << 0 << "nvarchar(64)" << int(TDbFieldType::String);
    QTest::newRow("nvarchar(max)") << "nvarchar" << -1 << 0 << 0 << "nvarchar(max)" << int(TDbFieldType::Memo);
    QTest::newRow("varchar counts characters") << "varchar" << 50 << 0 << 0 << "varchar(50)" << int(TDbFieldType::String);
    QTest::newRow("decimal") << "decimal" << 9 << 10 << 2 << "decimal(10,2)" << int(TDbFieldType::Float);
    QTest::newRow("datetime2 keeps its scale") << "datetime2" << 8 << 23 << 3 << "datetime2(3)" << int(TDbFieldType::DateTime);
    QTest::newRow("datetime plain") << "datetime" << 8 << 23 << 3 << "datetime" << int(TDbFieldType::DateTime);
    QTest::newRow("int") << "int" << 4 << 10 << 0 << "int" << int(TDbFieldType::Integer);
    QTest::newRow("bit") << "bit" << 1 << 1 << 0 << "bit" << int(TDbFieldType::Boolean);
}

void TOdbcDialectTest::serverTypeTexts()
{
    QFETCH(QString, type);
    QFETCH(int, maxLength);
    QFETCH(int, precision);
    QFETCH(int, scale);
    QFETCH(QString, text);
    QFETCH(int, fieldType);
    QCOMPARE(SqlServerTypeText(type, maxLength, precision, scale), text);
    QCOMPARE(int(OdbcFieldTypeFromServerType(type, maxLength < 0)), fieldType);
}

void TOdbcDialectTest::procedureNames_data()
{
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("schema");
    QTest::addColumn<QString>("name");
    QTest::newRow("bare") << "sp_SaveReportInfo" << "" << "sp_SaveReportInfo";
    QTest::newRow("schema") << "dbo.sp_SaveReportInfo" << "dbo" << "sp_SaveReportInfo";
    QTest::newRow("bracketed") << "[dbo].[sp_Save]" << "dbo" << "sp_Save";
    QTest::newRow("dot inside brackets") << "[my.schema].[a.b]" << "my.schema" << "a.b";
    QTest::newRow("group number") << "dbo.sp_x;1" << "dbo" << "sp_x";
    QTest::newRow("quoted") << "\"public\".\"p\"" << "public" << "p";
}

void TOdbcDialectTest::procedureNames()
{
    QFETCH(QString, full);
    QFETCH(QString, schema);
    QFETCH(QString, name);
    QString s, n;
    SplitProcedureName(full, s, n);
    QCOMPARE(s, schema);
    QCOMPARE(n, name);
}

void TOdbcDialectTest::descriptionHidesPassword_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("description");
    QTest::newRow("Pwd dropped") << "Driver={ODBC Driver 18 for SQL Server};Server=db;Uid=sa;Pwd=secret"
                                 << "ODBC Driver={ODBC Driver 18 for SQL Server};Server=db;Uid=sa";
    QTest::newRow("braced password with semicolon") << "DSN=pacs;PASSWORD={a;b};Uid=u" << "ODBC DSN=pacs;Uid=u";
    QTest::newRow("no password") << "DSN=pacs" << "ODBC DSN=pacs";
}

void TOdbcDialectTest::descriptionHidesPassword()
{
    QFETCH(QString, connection);
    QFETCH(QString, description);
    QCOMPARE(OdbcDescription(connection), description);
}

// Only a statement that changed nothing when it failed may run again after a lock wait.
void TOdbcDialectTest::rerunnableReads_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("rerunnable");
    QTest::newRow("report read") << QStringLiteral("SELECT  ruid, Accnu FROM Report\r\n where 1=1 and  ruid='A' order by CreateTime desc") << true;
    QTest::newRow("trailing semicolon and comment") << QStringLiteral("select 1; -- done\n/* end */") << true;
    QTest::newRow("row lock read") << QStringLiteral("SELECT ruid FROM Report WHERE ruid = 'A' FOR UPDATE") << true;
    QTest::newRow("common table expression") << QStringLiteral("WITH t AS (SELECT 1 AS a) SELECT a FROM t") << true;
    QTest::newRow("words inside literals, names and comments")
        << QStringLiteral("SELECT 'x; DELETE FROM t' AS [update], \"insert\" /* drop */ FROM t WHERE c = 'set'") << true;
    QTest::newRow("column of a table named like a statement") << QStringLiteral("SELECT r.update FROM t r") << true;
    QTest::newRow("second statement after a semicolon") << QStringLiteral("SELECT 1; SELECT 2") << false;
    QTest::newRow("T-SQL batch without semicolons") << QStringLiteral("SELECT 1\r\nUPDATE t SET a = 1") << false;
    QTest::newRow("write") << QStringLiteral("UPDATE Report SET BeiZhu = 'x'") << false;
    QTest::newRow("insert from a read") << QStringLiteral("INSERT INTO t SELECT * FROM u") << false;
    QTest::newRow("writing common table expression") << QStringLiteral("WITH d AS (DELETE FROM t RETURNING *) SELECT * FROM d") << false;
    QTest::newRow("procedure call") << QStringLiteral("EXEC dbo.sp_x @a=1") << false;
    QTest::newRow("declared variable") << QStringLiteral("SELECT 1 DECLARE @x int") << false;
    QTest::newRow("empty") << QStringLiteral("  -- nothing\n") << false;
}

void TOdbcDialectTest::rerunnableReads()
{
    QFETCH(QString, sql);
    QFETCH(bool, rerunnable);
    QCOMPARE(IsSingleReadStatement(sql), rerunnable);
}

void TOdbcDialectTest::lockTimeouts_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("nativeCode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("lockTimeout");
    const int ss = int(TOdbcDialect::SqlServer), pg = int(TOdbcDialect::PostgreSql);
    QTest::newRow("SQL Server 1222, Chinese server") << ss << QStringLiteral("1222") << QStringLiteral("已超过了锁请求超时时段。") << true;
    QTest::newRow("SQL Server English text") << ss << QString() << QStringLiteral("[SQL Server]Lock request time out period exceeded.") << true;
    QTest::newRow("SQL Server deadlock is no timeout") << ss << QStringLiteral("1205") << QStringLiteral("Transaction was deadlocked") << false;
    QTest::newRow("SQL Server 12220 is not 1222") << ss << QStringLiteral("12220") << QStringLiteral("x") << false;
    QTest::newRow("PostgreSQL lock_timeout") << pg << QStringLiteral("7") << QStringLiteral("ERROR: canceling statement due to lock timeout;\nError while executing the query") << true;
    QTest::newRow("PostgreSQL SQL state") << pg << QString() << QStringLiteral("55P03 could not obtain lock") << true;
    QTest::newRow("PostgreSQL statement timeout is no lock wait") << pg << QString() << QStringLiteral("ERROR: canceling statement due to statement timeout") << false;
}

void TOdbcDialectTest::lockTimeouts()
{
    QFETCH(int, dialect);
    QFETCH(QString, nativeCode);
    QFETCH(QString, text);
    QFETCH(bool, lockTimeout);
    QCOMPARE(IsLockTimeoutError(TOdbcDialect(dialect), nativeCode, text), lockTimeout);
    // Waiting without limit is each server's own spelling of it (0 on SQL Server waits not at all).
    QCOMPARE(LockTimeoutStatement(TOdbcDialect::SqlServer, 0), QStringLiteral("SET LOCK_TIMEOUT -1"));
    QCOMPARE(LockTimeoutStatement(TOdbcDialect::PostgreSql, 0), QStringLiteral("SET lock_timeout = 0"));
    QCOMPARE(LockTimeoutStatement(TOdbcDialect::SqlServer, 200), QStringLiteral("SET LOCK_TIMEOUT 200"));
}

QTEST_GUILESS_MAIN(TOdbcDialectTest)
#include "tst_odbcdialect.moc"

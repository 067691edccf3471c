// SPDX-License-Identifier: MIT
// The SQLite backend against real database files built from db/sqlite: the script lexer,
// queries, the fixed statement texts the report editor sends, opening and creating files.
#include "TestDatabase.h"
#include "platform/DatabaseOpeners.h"
#include "platform/SqliteDatabase.h"
#include "platform/SqliteScript.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList Column(TDbConnection& conn, const QString& sql, const QString& column)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->Open();
    QStringList out;
    for (q->First(); !q->Eof(); q->Next()) out << q->FieldByName(column).AsString();
    return out;
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// Restores the ODBC hook a test replaced.
struct TOdbcHookGuard {
    TDbOpener saved = g_odbcOpener;
    ~TOdbcHookGuard() { g_odbcOpener = saved; }
};

QString g_odbcTarget;
std::unique_ptr<TDbConnection> FakeOdbcOpener(const QString& target)
{
    g_odbcTarget = target;
    throw EDatabaseError(QStringLiteral("fake ODBC opener reached"));
}

} // namespace

class TstSqlite : public QObject {
    Q_OBJECT

    std::unique_ptr<TFreshDatabase> m_db;
    TDbConnection* m_conn = nullptr;

private slots:
    void init()
    {
        m_db = std::make_unique<TFreshDatabase>(false);
        m_conn = m_db->conn.get();
    }
    void cleanup() { m_db.reset(); }

    void splitStatements_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("two statements") << QStringLiteral("SELECT 1;\nSELECT 2;")
                                        << QStringList{QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2")};
        QTest::newRow("last without semicolon") << QStringLiteral("SELECT 1; SELECT 2 ")
                                                << QStringList{QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2")};
        QTest::newRow("semicolon in literal") << QStringLiteral("INSERT INTO t VALUES ('{\\fonttbl;}');")
                                              << QStringList{QStringLiteral("INSERT INTO t VALUES ('{\\fonttbl;}')")};
        QTest::newRow("doubled quote in literal") << QStringLiteral("SELECT 'it''s; fine'; SELECT 3")
                                                  << QStringList{QStringLiteral("SELECT 'it''s; fine'"), QStringLiteral("SELECT 3")};
        QTest::newRow("quoted identifiers") << QStringLiteral("SELECT \"a;b\", [c;d], `e;f` FROM x")
                                            << QStringList{QStringLiteral("SELECT \"a;b\", [c;d], `e;f` FROM x")};
        QTest::newRow("line comment") << QStringLiteral("-- one; two\nSELECT 1")
                                      << QStringList{QStringLiteral("-- one; two\nSELECT 1")};
        QTest::newRow("block comment") << QStringLiteral("SELECT /* ; */ 1")
                                       << QStringList{QStringLiteral("SELECT /* ; */ 1")};
        QTest::newRow("comment-only pieces dropped") << QStringLiteral("SELECT 1;\n-- the end\n; /* x */ ;")
                                                     << QStringList{QStringLiteral("SELECT 1")};
        QTest::newRow("unterminated literal kept whole") << QStringLiteral("SELECT 'open; still")
                                                         << QStringList{QStringLiteral("SELECT 'open; still")};
        QTest::newRow("empty script") << QString() << QStringList{};
        const QString trigger = QStringLiteral(
            "CREATE TRIGGER IF NOT EXISTS t_keep AFTER UPDATE ON t BEGIN\n"
            "  INSERT INTO h VALUES (CASE WHEN old.a > 0 THEN 'x;y' ELSE 'z' END);\n"
            "  UPDATE t SET b = 1 WHERE a = old.a;\nEND");
        QTest::newRow("trigger body kept whole") << trigger + QStringLiteral(";\nSELECT 1;")
                                                 << QStringList{trigger, QStringLiteral("SELECT 1")};
        QTest::newRow("words like begin outside triggers") << QStringLiteral("SELECT begin FROM t; SELECT 2")
                                                           << QStringList{QStringLiteral("SELECT begin FROM t"), QStringLiteral("SELECT 2")};
    }
    void splitStatements()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, statements);
        QCOMPARE(SplitSqlStatements(script), statements);
    }

    void placeholders_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("colon and at") << QStringLiteral("VALUES (:Ruid, @Accnu)") << QStringLiteral("VALUES (?, ?)")
                                      << QStringList{QStringLiteral("Ruid"), QStringLiteral("Accnu")};
        QTest::newRow("name used twice") << QStringLiteral("x = :a OR y = :a") << QStringLiteral("x = ? OR y = ?")
                                         << QStringList{QStringLiteral("a"), QStringLiteral("a")};
        QTest::newRow("Chinese name") << QStringLiteral("WHERE 姓名 = :姓名") << QStringLiteral("WHERE 姓名 = ?")
                                      << QStringList{QStringLiteral("姓名")};
        QTest::newRow("inside literal untouched") << QStringLiteral("SELECT '10:20 @home', :t")
                                                  << QStringLiteral("SELECT '10:20 @home', ?") << QStringList{QStringLiteral("t")};
        QTest::newRow("comment dropped") << QStringLiteral("SELECT 1 -- :x\n, :y")
                                         << QStringLiteral("SELECT 1  , ?") << QStringList{QStringLiteral("y")};
        QTest::newRow("lone colon") << QStringLiteral("SELECT a : b") << QStringLiteral("SELECT a : b") << QStringList{};
        QTest::newRow("identifier with at inside") << QStringLiteral("SELECT mail@host") << QStringLiteral("SELECT mail@host")
                                                   << QStringList{};
    }
    void placeholders()
    {
        QFETCH(QString, statement);
        QFETCH(QString, rewritten);
        QFETCH(QStringList, names);
        QStringList found;
        QCOMPARE(PositionalPlaceholders(statement, found), rewritten);
        QCOMPARE(found, names);
    }

    void queryWalksABufferedResult()
    {
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO 检查途径 (cname, uorder) VALUES ('经腹', 2), (NULL, 3), ('经直肠', 1)"));
        auto q = m_conn->CreateQuery();
        QVERIFY(!q->Active());
        // Lines are joined with CR LF, which SQLite reads as blanks.
        q->SQL() << QStringLiteral("select cname, uorder") << QStringLiteral("from 检查途径") << QStringLiteral("order by uorder");
        QCOMPARE(q->SqlText(), QStringLiteral("select cname, uorder\r\nfrom 检查途径\r\norder by uorder"));
        q->Open();
        QVERIFY(q->Active());
        QCOMPARE(q->RecordCount(), 3);
        QCOMPARE(q->FieldNames(), (QStringList{QStringLiteral("cname"), QStringLiteral("uorder")}));
        QCOMPARE(q->FieldByName(QStringLiteral("CName")).AsString(), QStringLiteral("经直肠"));
        q->Next();
        QCOMPARE(q->FieldByName(QStringLiteral("UORDER")).AsInteger(), 2);
        q->Next();
        QVERIFY(q->FieldByName(QStringLiteral("cname")).IsNull());
        QVERIFY(!q->Eof());
        q->Next();
        QVERIFY(q->Eof());
        QVERIFY(q->FieldByName(QStringLiteral("cname")).IsNull());   // past the end reads NULL
        q->Next();                                                    // and stays there
        QVERIFY(q->Eof());
        q->First();
        QCOMPARE(q->FieldByName(QStringLiteral("cname")).AsString(), QStringLiteral("经直肠"));
        q->Close();
        QVERIFY(!q->Active());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, q->FieldByName(QStringLiteral("cname")));
    }

    void emptyResultHasNoRows()
    {
        auto q = m_conn->CreateQuery();
        q->SQL() << QStringLiteral("select 图像质量 from 图像质量");
        q->Open();
        QCOMPARE(q->RecordCount(), 0);
        QVERIFY(q->Eof());
        QVERIFY(q->FieldByName(QStringLiteral("图像质量")).IsNull());
    }

    void missingColumnIsNamed()
    {
        auto q = m_conn->CreateQuery();
        q->SQL() << QStringLiteral("select cname from 检查途径");
        q->Open();
        try {
            q->FieldByName(QStringLiteral("uorder"));
            QFAIL("no error for a missing column");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), QStringLiteral("Field 'uorder' not found"));
        }
    }

    void driverErrorsCarryTextAndFirstLine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("driverText");
        QTest::newRow("missing column") << QStringList{QStringLiteral("SELECT nope FROM Report"), QStringLiteral(" where 1=1")}
                                        << QStringLiteral("no such column: nope");
        QTest::newRow("missing table") << QStringList{QStringLiteral("select x from 不存在的表")}
                                       << QStringLiteral("no such table: 不存在的表");
        QTest::newRow("syntax") << QStringList{QStringLiteral("SELEC 1")} << QStringLiteral("syntax error");
    }
    void driverErrorsCarryTextAndFirstLine()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, driverText);
        auto q = m_conn->CreateQuery();
        q->SQL() = lines;
        try {
            q->Open();
            QFAIL("no error");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(driverText), qPrintable(e.Message()));
            QVERIFY2(e.Message().contains(lines.first()), qPrintable(e.Message()));
            if (lines.size() > 1) QVERIFY(!e.Message().contains(lines.at(1)));
        }
        QVERIFY(!q->Active());
    }

    // The lookup statements of the report editor, letter for letter, against SQLite.
    void fixedLookupStatementsRunUnchanged_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("doctors of a department, quote doubled")
            << QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode=") + QuotedStr(QStringLiteral("US'02"))
                   + QStringLiteral(" order by displayindex desc ")
            << QStringLiteral("姓名") << QStringList{QStringLiteral("赵医生"), QStringLiteral("钱医生")};
        QTest::newRow("routes in database order") << QStringLiteral("select cname from 检查途径") << QStringLiteral("cname")
                                                  << QStringList{QStringLiteral("经腹"), QStringLiteral("经阴道")};
        QTest::newRow("route default first") << QStringLiteral("select cname from 检查途径 order by uorder")
                                             << QStringLiteral("cname") << QStringList{QStringLiteral("经阴道"), QStringLiteral("经腹")};
        QTest::newRow("probe frequencies") << QStringLiteral("select 探头频率 from 探头频率 order by uorder")
                                           << QStringLiteral("探头频率") << QStringList{QStringLiteral("3.5MHz"), QStringLiteral("7.5MHz")};
        QTest::newRow("image quality in database order") << QStringLiteral("select 图像质量 from 图像质量")
                                                         << QStringLiteral("图像质量") << QStringList{QStringLiteral("良"), QStringLiteral("优")};
        QTest::newRow("image quality default first") << QStringLiteral("select 图像质量 from 图像质量 order by uorder")
                                                     << QStringLiteral("图像质量") << QStringList{QStringLiteral("优"), QStringLiteral("良")};
    }
    void fixedLookupStatementsRunUnchanged()
    {
        QFETCH(QString, sql);
        QFETCH(QString, column);
        QFETCH(QStringList, values);
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex) VALUES "
                                            "('钱医生', 'US''02', 1), ('赵医生', 'US''02', 5), ('孙医生', 'US02', 9)"));
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO 检查途径 (cname, uorder) VALUES ('经腹', 2), ('经阴道', 1)"));
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO 探头频率 (探头频率, uorder) VALUES ('7.5MHz', 2), ('3.5MHz', 1)"));
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO 图像质量 (图像质量, uorder) VALUES ('良', 2), ('优', 1)"));
        QCOMPARE(Column(*m_conn, sql, column), values);
    }

    void connectionSettings()
    {
        QCOMPARE(m_conn->Dialect(), QStringLiteral("sqlite"));
        QVERIFY(m_conn->Connected());
        QVERIFY(m_conn->Description().contains(QStringLiteral("writereport.db")));
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("PRAGMA foreign_keys")).AsInteger(), 1);
        // A body may fail with a message of its own.
        try {
            QueryTestValue(*m_conn, QStringLiteral("SELECT wr_raise('不能保存')"));
            QFAIL("wr_raise did not fail");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().startsWith(QStringLiteral("不能保存")), qPrintable(e.Message()));
        }
    }

    void queryOutlivingItsConnectionFailsCleanly()
    {
        auto q = m_conn->CreateQuery();
        q->SQL() << QStringLiteral("select 1 AS one");
        m_db->conn.reset();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, q->Open());
    }

    void openDatabaseChoosesTheBackend_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("hookSet");
        QTest::addColumn<QString>("message");
        QTest::newRow("DSN without ODBC") << QStringLiteral("DSN=reports") << false << QStringLiteral("ODBC support is not built in");
        QTest::newRow("driver string to hook") << QStringLiteral("Driver={PostgreSQL Unicode};Server=db;") << true
                                               << QStringLiteral("fake ODBC opener reached");
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/reports.db") << true << QStringLiteral("Database file not found");
        QTest::newRow("empty") << QStringLiteral("  ") << true << QStringLiteral("No database given");
    }
    void openDatabaseChoosesTheBackend()
    {
        QFETCH(QString, target);
        QFETCH(bool, hookSet);
        QFETCH(QString, message);
        TOdbcHookGuard guard;
        g_odbcOpener = hookSet ? &FakeOdbcOpener : nullptr;
        g_odbcTarget.clear();
        try {
            OpenDatabase(target);
            QFAIL("opened");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
        if (message.startsWith(QLatin1String("fake"))) QCOMPARE(g_odbcTarget, target);
        else QVERIFY(g_odbcTarget.isEmpty());
    }

    void existingFileWithEqualsSignIsSqlite()
    {
        TOdbcHookGuard guard;
        g_odbcOpener = &FakeOdbcOpener;
        const QString file = m_db->dir.filePath(QStringLiteral("a=b.db"));
        QVERIFY(QFile::copy(m_db->file, file));
        auto conn = OpenDatabase(file);
        QCOMPARE(conn->Dialect(), QStringLiteral("sqlite"));
    }

    void fileThatIsNoDatabaseIsRefused()
    {
        const QString file = m_db->dir.filePath(QStringLiteral("notes.txt"));
        WriteFile(file, QByteArray("this is not a database, just some text that is long enough to look like a header"));
        try {
            OpenDatabase(file);
            QFAIL("opened");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(QStringLiteral("not a database")), qPrintable(e.Message()));
        }
    }

    void createDatabaseFailuresLeaveNothing_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad statement") << QByteArray("CREATE TABLE t (a);\nINSERT INTO nowhere VALUES (1);")
                                       << QStringLiteral("broken.sql: no such table: nowhere");
        QTest::newRow("missing script") << QByteArray() << QStringLiteral("Cannot read");
    }
    void createDatabaseFailuresLeaveNothing()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, message);
        const QString scriptFile = m_db->dir.filePath(QStringLiteral("broken.sql"));
        if (!script.isEmpty()) WriteFile(scriptFile, script);
        const QString target = m_db->dir.filePath(QStringLiteral("sub/new.db"));
        try {
            CreateSqliteDatabase(target, {scriptFile});
            QFAIL("created");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    }

    // Upgrades run on an existing database keep its rows and can run again.
    void upgradeScriptsRunTwiceAndKeepRows()
    {
        const QString script = m_db->dir.filePath(QStringLiteral("001-extra.sql"));
        WriteFile(script, QByteArray(
            "-- the header of a script\n/* a note\n on the column */\n"
            "ALTER TABLE Report ADD COLUMN extra_note TEXT NOT NULL DEFAULT 'none';\n"
            "CREATE TABLE IF NOT EXISTS extra_log (n INTEGER);\n"
            "CREATE TRIGGER IF NOT EXISTS extra_t AFTER UPDATE ON Report BEGIN\n"
            "  INSERT INTO extra_log VALUES (1);\nEND;\n"));
        {
            auto q = m_conn->CreateQuery();
            q->SQL() << QStringLiteral("INSERT INTO Report (ruid, Accnu) VALUES ('R1', 'A1')");
            q->ExecSQL();
        }
        auto& sqlite = dynamic_cast<TSqliteConnection&>(*m_conn);
        UpgradeSqliteDatabase(sqlite, {script});
        UpgradeSqliteDatabase(sqlite, {script});
        QCOMPARE(Column(*m_conn, QStringLiteral("SELECT extra_note FROM Report WHERE ruid='R1'"), QStringLiteral("extra_note")),
                 QStringList{QStringLiteral("none")});
        {
            auto q = m_conn->CreateQuery();
            q->SQL() << QStringLiteral("UPDATE Report SET Accnu='A2' WHERE ruid='R1'");
            q->ExecSQL();
        }
        QCOMPARE(Column(*m_conn, QStringLiteral("SELECT count(*) AS n FROM extra_log"), QStringLiteral("n")),
                 QStringList{QStringLiteral("1")});
        // The project's own upgrade (ending with the procedures) runs on a database in use.
        UpgradeSqliteDatabase(sqlite, SqliteUpgradeScripts(QStringLiteral(WR_SOURCE_DIR "/db/sqlite")));
        QCOMPARE(Column(*m_conn, QStringLiteral("SELECT count(*) AS n FROM wr_procedure WHERE name = 'sp_SaveReportInfo'"), QStringLiteral("n")),
                 QStringList{QStringLiteral("1")});
        // A failing script changes nothing and names itself.
        const QString broken = m_db->dir.filePath(QStringLiteral("002-broken.sql"));
        WriteFile(broken, QByteArray("CREATE TABLE half (a);\nINSERT INTO nowhere VALUES (1);"));
        try {
            UpgradeSqliteDatabase(sqlite, {broken});
            QFAIL("upgraded");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(QStringLiteral("002-broken.sql")), qPrintable(e.Message()));
        }
        QCOMPARE(Column(*m_conn, QStringLiteral("SELECT count(*) AS n FROM sqlite_master WHERE name='half'"), QStringLiteral("n")),
                 QStringList{QStringLiteral("0")});
    }

    // An index built over existing rows is announced with what it is, once: a second run of
    // the script, an index already there and a statement of another kind say nothing.
    void upgradeTellsItsOneTimeWork()
    {
        const QString script = m_db->dir.filePath(QStringLiteral("003-index.sql"));
        WriteFile(script, QByteArray("CREATE TABLE IF NOT EXISTS extra_t (n INTEGER);\n"
                                     "CREATE INDEX IF NOT EXISTS ix_Report_ruid ON Report (ruid);\n"
                                     "-- the newest first\nCREATE INDEX IF NOT EXISTS ix_extra ON [Report] (Accnu, ruid);\n"));
        for (const char* ruid : {"R1", "R2"}) {
            auto q = m_conn->CreateQuery();
            q->SQL() << QStringLiteral("INSERT INTO Report (ruid, Accnu) VALUES ('%1', 'A')").arg(QLatin1String(ruid));
            q->ExecSQL();
        }
        auto& sqlite = dynamic_cast<TSqliteConnection&>(*m_conn);
        QStringList heard;
        const TSqliteUpgradeProgress progress = [&](const TSqliteUpgradeWork& w) {
            if (w.phase != TSqliteUpgradeWork::TPhase::Running) heard << w.script + QLatin1Char(' ') + w.what;
        };
        UpgradeSqliteDatabase(sqlite, {script}, progress);
        const QString work = QStringLiteral("003-index.sql index ix_extra on Report (2 rows)");
        QCOMPARE(heard, (QStringList{work, work}));  // started, finished
        heard.clear();
        UpgradeSqliteDatabase(sqlite, {script}, progress);
        QCOMPARE(heard, QStringList());
    }

    void createDatabaseRefusesAnExistingFile()
    {
        const QString existing = m_db->file;
        const QByteArray before = [&] { QFile f(existing); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, CreateSqliteDatabase(existing, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), false)));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
};

QTEST_GUILESS_MAIN(TstSqlite)
#include "tst_sqlite.moc"

// SPDX-License-Identifier: MIT
// Stored procedures of the SQLite backend: the catalogue, the transaction around a body,
// and the two procedures of db/sqlite/procedures.sql.
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

namespace {

const QString kSave = QStringLiteral("sp_SaveReportInfo");
const QString kBind = QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst");

int CountRows(TDbConnection& conn, const QString& where)
{
    return QueryTestValue(conn, QStringLiteral("SELECT count(*) FROM Report WHERE ") + where).AsInteger();
}

// Fills every parameter with a value derived from its name and type; texts get a suffix so
// an update can be told from the insert.
void FillSaveParams(TDbStoredProc& sp, const QString& ruid, const QString& suffix, TDateTime when)
{
    int n = 0;
    for (TDbParameter& p : sp.Parameters()) {
        // The 49 original parameters; the optional ones after them stay unset, as an older
        // client leaves them.
        if (++n > 49) break;
        switch (p.DataType) {
        case TDbFieldType::Integer: p.SetAsInteger(n); break;
        case TDbFieldType::Boolean: p.SetAsBoolean(true); break;
        case TDbFieldType::DateTime: p.SetAsDateTime(when + n); break;
        default: p.SetAsString(p.Name.mid(1) + suffix); break;
        }
    }
    sp.ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
}

std::unique_ptr<TDbStoredProc> Proc(TDbConnection& conn, const QString& name)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(name);
    sp->RefreshParameters();
    return sp;
}

QString Bind(TDbConnection& conn, const QString& accnu, const QString& reportGuid)
{
    auto sp = Proc(conn, kBind);
    sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(accnu);
    sp->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(reportGuid);
    sp->ParamByName(QStringLiteral("@OutItemFirstName")).SetAsString(QString());
    sp->SetPrepared(true);
    sp->ExecProc();
    return sp->ParamByName(QStringLiteral("@OutItemFirstName")).Value.AsString();
}

void AddItems(TDbConnection& conn, const QString& accnu, const QStringList& names, int firstOrder = 1)
{
    int order = firstOrder;
    for (const QString& name : names) {
        ExecTestSql(conn, QStringLiteral("INSERT INTO ExamItem (Accnu, ItemCode, ItemName, ItemOrder) VALUES (%1, %2, %3, %4)")
                              .arg(QuotedStr(accnu), QuotedStr(QStringLiteral("C%1").arg(order)), QuotedStr(name))
                              .arg(order));
        ++order;
    }
}

void AddProcedure(TDbConnection& conn, const QString& name, const QString& body, const QStringList& params)
{
    ExecTestSql(conn, QStringLiteral("INSERT INTO wr_procedure (name, body) VALUES (%1, %2)").arg(QuotedStr(name), QuotedStr(body)));
    int pos = 0;
    for (const QString& p : params)
        ExecTestSql(conn, QStringLiteral("INSERT INTO wr_procedure_param (procedure, position, name, data_type, direction) "
                                         "VALUES (%1, %2, %3, 'string', %4)")
                              .arg(QuotedStr(name)).arg(++pos)
                              .arg(QuotedStr(p.section(QLatin1Char(' '), 0, 0)),
                                   QuotedStr(p.contains(QLatin1String(" out")) ? QStringLiteral("out") : QStringLiteral("in"))));
}

} // namespace

class TstProcedures : public QObject {
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

    void catalogueListsTheSaveParametersInOrder()
    {
        auto sp = Proc(*m_conn, QStringLiteral("SP_SAVEREPORTINFO"));   // names match case-insensitively
        // The 49 original parameters in order, then the optional stamp check and its result.
        QCOMPARE(sp->Parameters().size(), size_t(52));
        QCOMPARE(sp->Parameters().front().Name, QStringLiteral("@Ruid"));
        QCOMPARE(sp->Parameters().at(48).Name, QStringLiteral("@kgjR_B"));
        QCOMPARE(sp->Parameters().at(49).Name, QStringLiteral("@ExpectedVersion"));
        QCOMPARE(sp->Parameters().back().Name, QStringLiteral("@SavedVersion"));
        QCOMPARE(sp->Parameters().back().Direction, TParamDirection::Output);
        QCOMPARE(sp->ParamByName(QStringLiteral("@reportstate")).DataType, TDbFieldType::Integer);
        QCOMPARE(sp->ParamByName(QStringLiteral("@YinYangXing")).DataType, TDbFieldType::Boolean);
        QCOMPARE(sp->ParamByName(QStringLiteral("@shenHeDate")).DataType, TDbFieldType::DateTime);
        QCOMPARE(sp->ParamByName(QStringLiteral("@HuizhenDoctorCode")).Direction, TParamDirection::Input);
    }

    void saveInsertsThenUpdatesOneRow()
    {
        const TDateTime when = QDateTimeToDateTime(QDateTime(QDate(2024, 3, 5), QTime(9, 41, 7, 123)));
        auto sp = Proc(*m_conn, kSave);
        FillSaveParams(*sp, QStringLiteral("G-1"), QStringLiteral("-a"), when);
        sp->ExecProc();
        QCOMPARE(CountRows(*m_conn, QStringLiteral("ruid = 'G-1'")), 1);
        const QString created = QueryTestValue(*m_conn, QStringLiteral("SELECT CreateTime FROM Report")).AsString();
        QVERIFY2(QDateTime::fromString(created, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).isValid(), qPrintable(created));

        FillSaveParams(*sp, QStringLiteral("G-1"), QStringLiteral("-b"), when + 1);
        sp->ParamByName(QStringLiteral("@YinYangXing")).SetAsBoolean(false);
        sp->ExecProc();
        QCOMPARE(CountRows(*m_conn, QStringLiteral("1=1")), 1);
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT kgjR_B FROM Report")).AsString(), QStringLiteral("kgjR_B-b"));
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT CreateTime FROM Report")).AsString(), created);
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT typeof(YinYangXing) || YinYangXing FROM Report")).AsString(),
                 QStringLiteral("integer0"));
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT PrintedCont FROM Report")).AsInteger(), 29);
        // Date-times come back to the millisecond.
        const int pos = 26;   // @ReportDate
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT ReportDate FROM Report")).AsDateTime(), when + 1 + pos);
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT ReportDate FROM Report")).AsString(),
                 QStringLiteral("2024-04-01 09:41:07.123"));
    }

    void emptyTextsAreStoredAsEmptyNotNull()
    {
        auto sp = Proc(*m_conn, kSave);
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("G-2"));
        sp->ParamByName(QStringLiteral("@SuoJian")).SetAsString(QString());
        sp->ExecProc();
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT typeof(SuoJian) FROM Report")).AsString(), QStringLiteral("text"));
        // Parameters never set arrive as NULL.
        QVERIFY(QueryTestValue(*m_conn, QStringLiteral("SELECT JieLun FROM Report")).IsNull());
    }

    void blankRuidIsRefused_data()
    {
        QTest::addColumn<QVariant>("ruid");
        QTest::newRow("empty text") << QVariant(QString(""));
        QTest::newRow("blanks") << QVariant(QStringLiteral("   "));
        QTest::newRow("tab and line breaks") << QVariant(QStringLiteral("\t\r\n "));
        QTest::newRow("never set (NULL)") << QVariant();
    }
    void blankRuidIsRefused()
    {
        QFETCH(QVariant, ruid);
        auto sp = Proc(*m_conn, kSave);
        FillSaveParams(*sp, QString(), QString(), 1.0);
        sp->ParamByName(QStringLiteral("@Ruid")).Value = TDbValue(ruid);
        try {
            sp->ExecProc();
            QFAIL("a report without GUID was saved");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(QStringLiteral("@Ruid 不能为空")), qPrintable(e.Message()));
        }
        QCOMPARE(CountRows(*m_conn, QStringLiteral("1=1")), 0);
    }

    void failingBodyRollsBackEverything_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("wr_raise with own text") << QStringLiteral("SELECT wr_raise('报告已审核, 不能修改')")
                                                << QStringLiteral("报告已审核, 不能修改");
        QTest::newRow("driver error") << QStringLiteral("INSERT INTO NoSuchTable VALUES (1)")
                                      << QStringLiteral("no such table: NoSuchTable");
        QTest::newRow("constraint") << QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName) VALUES (NULL, 'x')")
                                    << QStringLiteral("NOT NULL constraint failed");
    }
    void failingBodyRollsBackEverything()
    {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        AddProcedure(*m_conn, QStringLiteral("sp_Half"),
                     QStringLiteral("INSERT INTO Report (ruid) VALUES (:Ruid);\n"
                                    "UPDATE csdoctor SET displayindex = 0;\n%1;\n"
                                    "INSERT INTO Report (ruid) VALUES ('after')").arg(failure),
                     {QStringLiteral("@Ruid")});
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex) VALUES ('王医生', 'K1', 7)"));
        auto sp = Proc(*m_conn, QStringLiteral("sp_Half"));
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("G-3"));
        try {
            sp->ExecProc();
            QFAIL("the failing body succeeded");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
        QCOMPARE(CountRows(*m_conn, QStringLiteral("1=1")), 0);
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT displayindex FROM csdoctor")).AsInteger(), 7);
        // The connection is usable afterwards and no transaction is left open.
        auto save = Proc(*m_conn, kSave);
        FillSaveParams(*save, QStringLiteral("G-4"), QString(), 1.0);
        save->ExecProc();
        auto second = OpenDatabase(m_db->file);
        QCOMPARE(CountRows(*second, QStringLiteral("ruid = 'G-4'")), 1);
    }

    void procedureInsideCallersTransactionKeepsCallersWork()
    {
        AddProcedure(*m_conn, QStringLiteral("sp_Fail"),
                     QStringLiteral("INSERT INTO Report (ruid) VALUES ('inner'); SELECT wr_raise('stop')"), {});
        ExecTestSql(*m_conn, QStringLiteral("BEGIN"));
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO Report (ruid) VALUES ('outer')"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, Proc(*m_conn, QStringLiteral("sp_Fail"))->ExecProc());
        ExecTestSql(*m_conn, QStringLiteral("COMMIT"));
        QCOMPARE(CountRows(*m_conn, QStringLiteral("ruid = 'outer'")), 1);
        QCOMPARE(CountRows(*m_conn, QStringLiteral("ruid = 'inner'")), 0);
    }

    // A transaction the caller holds across calls (a save and its steps): the procedure's
    // write and the caller's stand or fall together, as another connection sees them.
    void transactionAcrossCallsDecidesBoth_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("kept");
        QTest::newRow("committed: both kept") << "commit" << 2;
        QTest::newRow("rolled back: neither kept") << "rollback" << 0;
        QTest::newRow("left open: rolled back when it ends") << "scope" << 0;
    }
    void transactionAcrossCallsDecidesBoth()
    {
        QFETCH(QString, end);
        QFETCH(int, kept);
        {
            TDbTransaction transaction(*m_conn);
            QVERIFY(m_conn->InTransaction());
            auto save = Proc(*m_conn, kSave);
            FillSaveParams(*save, QStringLiteral("G-T"), QString(), 1.0);
            save->ExecProc();
            ExecTestSql(*m_conn, QStringLiteral("INSERT INTO Report (ruid) VALUES ('step')"));
            if (end == QLatin1String("commit")) transaction.Commit();
            else if (end == QLatin1String("rollback")) transaction.Rollback();
        }
        QVERIFY(!m_conn->InTransaction());
        auto other = OpenDatabase(m_db->file);
        QCOMPARE(CountRows(*other, QStringLiteral("ruid IN ('G-T', 'step')")), kept);
    }

    void transactionMisuseIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_conn->CommitTransaction());
        m_conn->RollbackTransaction();   // none open: nothing happens
        m_conn->BeginTransaction();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_conn->BeginTransaction());
        m_conn->RollbackTransaction();
        QVERIFY(!m_conn->InTransaction());
    }

    void catalogueErrors_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing procedure") << QStringLiteral("sp_Missing") << QString()
                                           << QStringLiteral("Could not find stored procedure 'sp_Missing'");
        QTest::newRow("procedure name with a quote") << QStringLiteral("sp_'x") << QString()
                                                     << QStringLiteral("Could not find stored procedure 'sp_'x'");
        QTest::newRow("unknown parameter") << kSave << QStringLiteral("@NoSuchParam")
                                           << QStringLiteral("Parameter '@NoSuchParam' not found");
        QTest::newRow("parameter without @") << kSave << QStringLiteral("Ruid")
                                             << QStringLiteral("Parameter 'Ruid' not found");
    }
    void catalogueErrors()
    {
        QFETCH(QString, procedure);
        QFETCH(QString, parameter);
        QFETCH(QString, message);
        auto sp = m_conn->CreateStoredProc();
        sp->SetProcedureName(procedure);
        try {
            sp->RefreshParameters();
            sp->ParamByName(parameter);
            QFAIL("no error");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
        if (parameter.isEmpty()) QVERIFY_THROWS_EXCEPTION(EDatabaseError, sp->ExecProc());
    }

    void bodyUsingUndeclaredParameterFails()
    {
        AddProcedure(*m_conn, QStringLiteral("sp_Typo"), QStringLiteral("INSERT INTO Report (ruid) VALUES (:Ruidd)"),
                     {QStringLiteral("@Ruid")});
        auto sp = Proc(*m_conn, QStringLiteral("sp_Typo"));
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, sp->ExecProc());
        QCOMPARE(CountRows(*m_conn, QStringLiteral("1=1")), 0);
    }

    void outputComesFromTheLastRowReturned()
    {
        AddProcedure(*m_conn, QStringLiteral("sp_Out"),
                     QStringLiteral("-- comment with :NotAParam and a ';'\n"
                                    "SELECT 'first' AS Result UNION ALL SELECT :Input || ':' || @Input AS Result;\n"
                                    "UPDATE csdoctor SET kscode = kscode"),
                     {QStringLiteral("@Input"), QStringLiteral("@Result out"), QStringLiteral("@Missing out")});
        auto sp = Proc(*m_conn, QStringLiteral("sp_Out"));
        sp->ParamByName(QStringLiteral("@Input")).SetAsString(QStringLiteral("甲'乙"));
        sp->ParamByName(QStringLiteral("@Missing")).SetAsString(QStringLiteral("stale"));
        sp->ExecProc();
        QCOMPARE(sp->ParamByName(QStringLiteral("@result")).Value.AsString(), QStringLiteral("甲'乙:甲'乙"));
        QVERIFY(sp->ParamByName(QStringLiteral("@Missing")).Value.IsNull());
    }

    void bindingSplitsTheItemsOfOneAccession()
    {
        AddItems(*m_conn, QStringLiteral("A100"), {QStringLiteral("肝胆胰脾"), QStringLiteral("双肾输尿管"),
                                                   QStringLiteral("膀胱"), QStringLiteral("前列腺")});
        AddItems(*m_conn, QStringLiteral("A200"), {QStringLiteral("甲状腺")});
        ExecTestSql(*m_conn, QStringLiteral("UPDATE ExamItem SET Usable = 0 WHERE ItemName = '膀胱'"));

        QCOMPARE(Bind(*m_conn, QStringLiteral("A100"), QStringLiteral("R1")), QStringLiteral("肝胆胰脾,双肾输尿管,前列腺"));
        // The user drops two items of the first page in the item picker.
        ExecTestSql(*m_conn, QStringLiteral("UPDATE ExamItem SET ReportGuid = NULL WHERE ItemName IN ('双肾输尿管', '前列腺')"));
        QCOMPARE(Bind(*m_conn, QStringLiteral("A100"), QStringLiteral("R2")), QStringLiteral("双肾输尿管,前列腺"));
        // Binding again changes nothing and still names every item the page holds.
        QCOMPARE(Bind(*m_conn, QStringLiteral("A100"), QStringLiteral("R1")), QStringLiteral("肝胆胰脾"));
        QCOMPARE(Bind(*m_conn, QStringLiteral("A100"), QStringLiteral("R3")), QString());
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT count(*) FROM ExamItem WHERE Accnu = 'A200' AND ReportGuid IS NULL")).AsInteger(), 1);
    }

    void bindingWithoutReportGuidBindsNothing_data()
    {
        QTest::addColumn<QString>("guid");
        QTest::newRow("empty") << QString("");
        QTest::newRow("blanks") << QStringLiteral("  ");
    }
    void bindingWithoutReportGuidBindsNothing()
    {
        QFETCH(QString, guid);
        AddItems(*m_conn, QStringLiteral("A300"), {QStringLiteral("心脏")});
        QCOMPARE(Bind(*m_conn, QStringLiteral("A300"), guid), QString());
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NULL")).AsInteger(), 1);
    }

    void concurrentBindingNeverHandsOneItemToTwoReports()
    {
        QStringList items;
        for (int i = 1; i <= 40; ++i) items << QStringLiteral("项目%1").arg(i);
        AddItems(*m_conn, QStringLiteral("A400"), items);
        const QString file = m_db->file;

        // Each thread opens its own connection, as each workstation process would.
        constexpr int kThreads = 6;
        std::atomic<int> failures{0};
        std::vector<std::thread> threads;
        QString results[kThreads];
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                try {
                    auto conn = OpenDatabase(file);
                    for (int round = 0; round < 5; ++round)
                        results[t] = Bind(*conn, QStringLiteral("A400"), QStringLiteral("R%1").arg(t));
                } catch (...) {
                    ++failures;
                }
            });
        }
        for (auto& th : threads) th.join();
        QCOMPARE(failures.load(), 0);

        QSet<QString> seen;
        int total = 0;
        for (const QString& r : results) {
            const QStringList names = r.isEmpty() ? QStringList() : r.split(QLatin1Char(','));
            for (const QString& n : names) seen.insert(n);
            total += names.size();
        }
        QCOMPARE(total, 40);
        QCOMPARE(seen.size(), 40);
        QCOMPARE(QueryTestValue(*m_conn, QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NULL")).AsInteger(), 0);
    }
};

QTEST_GUILESS_MAIN(TstProcedures)
#include "tst_procedures.moc"

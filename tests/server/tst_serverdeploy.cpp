// SPDX-License-Identifier: MIT
// What a hospital's SQL Server would show and the tests must show too: the workstations'
// rights (a workstation reads tables and writes only through procedures; running the
// procedure and grants scripts again keeps every workstation saving), values longer than
// their columns, exam-item names holding control characters, texts outside the Chinese code
// page, and a GUID left on several rows by older clients. Registered on SQLite and on the
// PostgreSQL server with the same inputs; the rights tests run on the server only.
#include "ServerFixture.h"
#include "ScriptedDialogs.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "report/ReportLimits.h"
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

namespace {
const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");
const QString kLoadTitle = QStringLiteral("ReportForm.GetReportInfoFrom");

TReportInfo SmallReport(const QString& ruid, const QString& jieLun)
{
    TReportInfo r;
    r.FRuid = ruid;
    r.FAccnu = QStringLiteral("A-") + ruid;
    r.FJieLun = jieLun;
    return r;
}
} // namespace

class TServerDeployTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void overLongValuesAreRefusedNamingTheField_data();
    void overLongValuesAreRefusedNamingTheField();
    void limitsMatchTheSqlServerSchema();
    void itemNamesWithControlCharacters();
    void pickerProcedureSetsExactlyTheChosenItems();
    void textsOutsideTheChineseCodePage();
    void duplicateGuidsLoadTheNewestRow();

    // Server only.
    void workstationMayNotWriteTables_data();
    void workstationMayNotWriteTables();
    void rerunningProceduresAndGrantsKeepsWorkstationsSaving();
    void columnLengthUpgradeKeepsLongerValues();

private:
    bool Save(TServerReportData& d, const TReportInfo& r) { return d.SaveReportInfoToDB(r.FRuid, r); }
    int Rows(const QString& where) { return m_db->Value(QStringLiteral("SELECT count(*) FROM Report WHERE ") + where).AsInteger(); }

    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TFakeMainForm> m_host;
    std::unique_ptr<TFakeDataModule> m_dm;
    std::unique_ptr<TServerReportData> m_data;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
};

void TServerDeployTest::initTestCase()
{
    const QString why = TBackendDatabase::SkipReason();
    if (!why.isEmpty()) QSKIP(qPrintable(why));
    qInfo("Backend: %s", TestsBackendName());
}

void TServerDeployTest::init()
{
    m_db = std::make_unique<TBackendDatabase>();
    m_host = std::make_unique<TFakeMainForm>();
    m_dm = std::make_unique<TFakeDataModule>();
    m_dm->mainConnection = &m_db->Connection();
    m_dm->moduleConnection = &m_db->Connection();
    m_data = std::make_unique<TServerReportData>(*m_host, *m_dm);
    m_dialogs = std::make_unique<TScriptedDialogs>();
}

void TServerDeployTest::cleanup()
{
    m_dialogs.reset();
    m_data.reset();
    m_dm.reset();
    m_host.reset();
    m_db.reset();
}

void TServerDeployTest::overLongValuesAreRefusedNamingTheField_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("limit");
    // One field of each kind: a single-line doctor box, a memo, a hip-joint box, the item
    // list the pickers fill, the accession the host hands over.
    QTest::newRow("doctor name") << QStringLiteral("ReportDoctor") << 50;
    QTest::newRow("critical-value memo") << QStringLiteral("WeiJiValue") << 500;
    QTest::newRow("hip-joint alpha angle") << QStringLiteral("kgjL_A") << 50;
    QTest::newRow("hip-joint labrum") << QStringLiteral("kgjRRgyc") << 50;
    QTest::newRow("exam items") << QStringLiteral("ItemName") << 2000;
    QTest::newRow("accession") << QStringLiteral("Accnu") << 100;
}

void TServerDeployTest::overLongValuesAreRefusedNamingTheField()
{
    QFETCH(QString, column);
    QFETCH(int, limit);
    const TReportColumnLimit* l = nullptr;
    for (const TReportColumnLimit& c : ReportColumnLimits())
        if (QLatin1String(c.column) == column) l = &c;
    QVERIFY(l);

    // Exactly at the limit (Chinese text, one UTF-16 unit a character) the save lands whole.
    TReportInfo fits = DistinctReport(QStringLiteral("R-fits"));
    fits.*(l->field) = QString(limit, QChar(u'髋'));
    QVERIFY2(Save(*m_data, fits), qPrintable(m_host->logs.isEmpty() ? QString() : m_host->logs.last().value));
    TReportInfo back;
    m_data->GetReportInfoFromRuid(fits.FRuid, back);
    QCOMPARE(back.*(l->field), fits.*(l->field));

    // One more character: refused before anything is sent, and the doctor is told which field.
    TReportInfo tooLong = DistinctReport(QStringLiteral("R-long"));
    tooLong.*(l->field) = QString(limit + 1, QChar(u'髋'));
    QVERIFY(!Save(*m_data, tooLong));
    QCOMPARE(FailureLogCount(*m_host, kSaveTitle), 1);
    QCOMPARE(m_dialogs->shown.size(), 1);
    const QString told = m_dialogs->shown.first().text;
    QVERIFY2(told.contains(QString::fromUtf8(l->label)) && told.contains(column) && told.contains(QString::number(limit)),
             qPrintable(told));
    QCOMPARE(Rows(QStringLiteral("ruid = 'R-long'")), 0);

    // The server's own schema refuses it too, as SQL Server would; SQLite has no lengths.
    auto sp = m_db->Connection().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    sp->RefreshParameters();
    for (TDbParameter& p : sp->Parameters())
        if (p.Direction == TParamDirection::Input && p.DataType != TDbFieldType::Integer && p.DataType != TDbFieldType::Boolean
            && p.DataType != TDbFieldType::DateTime && p.DataType != TDbFieldType::Unknown)
            p.SetAsString(QString());
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("R-direct"));
    sp->ParamByName(QLatin1Char('@') + column).SetAsString(QString(limit + 1, QChar(u'髋')));
    if (m_db->OnServer()) {
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, sp->ExecProc());
        QCOMPARE(Rows(QStringLiteral("ruid = 'R-direct'")), 0);
    }
}

void TServerDeployTest::limitsMatchTheSqlServerSchema()
{
    // The lengths the save checks are the ones db/sqlserver/schema.sql declares, and every
    // nvarchar(n) column of Report has its check.
    QFile f(QStringLiteral(WR_SOURCE_DIR "/db/sqlserver/schema.sql"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString schema = QString::fromUtf8(f.readAll());
    const qsizetype a = schema.indexOf(QStringLiteral("CREATE TABLE dbo.Report ("));
    const QString block = schema.mid(a, schema.indexOf(QStringLiteral("\n);"), a) - a);
    QMap<QString, int> declared;
    auto it = QRegularExpression(QStringLiteral("^\\s+(\\w+)\\s+nvarchar\\((\\d+)\\)"), QRegularExpression::MultilineOption)
                  .globalMatch(block);
    while (it.hasNext()) {
        const auto m = it.next();
        declared.insert(m.captured(1), m.captured(2).toInt());
    }
    QVERIFY(declared.size() > 30);
    QMap<QString, int> checked;
    for (const TReportColumnLimit& l : ReportColumnLimits()) checked.insert(QLatin1String(l.column), l.maxLength);
    QCOMPARE(checked, declared);

    if (!m_db->OnServer()) return;
    // And the PostgreSQL twin declares the same lengths.
    for (auto c = declared.cbegin(); c != declared.cend(); ++c) {
        if (c.key() == QLatin1String("ruid")) continue;  // citext: checked by the client only
        const int pg = m_db->Value(QStringLiteral("SELECT character_maximum_length FROM information_schema.columns "
                                                  "WHERE table_name = 'report' AND column_name = lower('%1')")
                                       .arg(c.key()))
                           .AsInteger();
        QVERIFY2(pg == c.value(), qPrintable(QStringLiteral("%1: %2 on PostgreSQL").arg(c.key()).arg(pg)));
    }
}

void TServerDeployTest::itemNamesWithControlCharacters()
{
    // Text pasted from a word processor carries vertical tabs and other control characters;
    // FOR XML would fail on them and the accession would never get its items.
    const QString vt = QStringLiteral("肝胆\x0B胰脾"), soh = QStringLiteral("双肾\x01输尿管"), xml = QStringLiteral("<甲状腺> & '颈部'");
    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ('A-ctl', %1, 1), ('A-ctl', %2, 2), "
                              "('A-ctl', %3, 3)")
                   .arg(QuotedStr(vt), QuotedStr(soh), QuotedStr(xml)));
    const QString expected = vt + QLatin1Char(',') + soh + QLatin1Char(',') + xml;
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A-ctl"), QStringLiteral("G-ctl")), expected);
    QCOMPARE(FailureLogCount(*m_host, QStringLiteral(" TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport")), 0);
    // Asked again, the report gets the same list back.
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(QStringLiteral("A-ctl"), QStringLiteral("G-ctl")), expected);
}

void TServerDeployTest::pickerProcedureSetsExactlyTheChosenItems()
{
    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (id, Accnu, ItemName, ItemOrder, Usable, ReportGuid) VALUES "
                              "(1, 'A-p', '甲', 1, 1, NULL), (2, 'A-p', '乙', 2, 1, 'other'), (3, 'A-p', '丙', 3, 1, 'G-P'), "
                              "(4, 'A-p', '丁', 4, 1, NULL), (5, 'A-p', '作废', 5, 0, NULL), (6, 'A-q', '别的检查', 1, 1, NULL)"));
    auto pick = [&](const QString& ids) {
        auto sp = m_db->Connection().CreateStoredProc();  // the workstation's own connection
        sp->SetProcedureName(QStringLiteral("sp_SetReportExamItems"));
        sp->RefreshParameters();
        sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(QStringLiteral("A-p"));
        sp->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(QStringLiteral("g-p"));
        sp->ParamByName(QStringLiteral("@ItemIds")).SetAsString(ids);
        sp->ParamByName(QStringLiteral("@OutItemNames")).SetAsString(QStringLiteral(""));
        sp->ExecProc();
        return sp->ParamByName(QStringLiteral("@OutItemNames")).Value.AsString();
    };
    // Item 2 belongs to another page, 5 is cancelled, 6 is another accession: none is taken;
    // item 3, held before and not chosen now, is let go.
    QCOMPARE(pick(QStringLiteral("4,1,2,5,6")), QStringLiteral("甲,丁"));
    QCOMPARE(m_db->Value(QStringLiteral("SELECT ReportGuid FROM ExamItem WHERE id = 2")).AsString(), QStringLiteral("other"));
    QVERIFY(m_db->Value(QStringLiteral("SELECT ReportGuid FROM ExamItem WHERE id = 3")).IsNull());
    QVERIFY(m_db->Value(QStringLiteral("SELECT ReportGuid FROM ExamItem WHERE id = 6")).IsNull());
    QCOMPARE(pick(QString()), QString());
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NOT NULL")).AsInteger(), 1);
}

void TServerDeployTest::textsOutsideTheChineseCodePage()
{
    // A Korean department code and doctor, an accession and GUID with letters no Chinese code
    // page holds: the lists and the load must find them (on SQL Server they go out as N'').
    m_db->Exec(QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex) VALUES ('김의사', '내과', 2), ('Ærø', '내과', 1), "
                              "('别科', '외과', 3)"));
    m_data->FLogion_user.ukeshiCode = QStringLiteral("내과");
    QStringList doctors;
    m_data->GetDoctors(doctors);
    QCOMPARE(doctors, (QStringList{QStringLiteral("김의사"), QStringLiteral("Ærø")}));

    TReportInfo r = DistinctReport(QStringLiteral("Ğuid-한국-😀"));
    r.FAccnu = QStringLiteral("Åcc-한");
    QVERIFY(Save(*m_data, r));
    TReportInfo back;
    m_data->GetReportInfoFromRuid(r.FRuid, back);
    QCOMPARE(back.FAccnu, r.FAccnu);
    QCOMPARE(FailureLogCount(*m_host, kLoadTitle), 0);

    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ('Åcc-한', '초음파', 1)"));
    QCOMPARE(m_data->AutoSetDengjiedAndCanBindItemToCurrentReport(r.FAccnu, r.FRuid), QStringLiteral("초음파"));
}

void TServerDeployTest::duplicateGuidsLoadTheNewestRow()
{
    // Rows an older client left, the newest neither first nor last in the table.
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, Accnu, JieLun, CreateTime) VALUES "
                              "('R-dup', 'A1', '较旧', '2023-01-02 08:00:00.000'), "
                              "('r-DUP', 'A1', '最新', '2024-06-30 17:45:12.345'), "
                              "('R-dup', 'A1', '最旧', '2021-11-11 11:11:11.111')"));
    TReportInfo r;
    m_data->GetReportInfoFromRuid(QStringLiteral("R-dup"), r);
    QCOMPARE(r.FJieLun, QStringLiteral("最新"));
    const auto logs = m_host->LogsWithTitle(kLoadTitle);
    QVERIFY(std::any_of(logs.begin(), logs.end(),
                        [](const TLogLine& l) { return l.value == QStringLiteral("ruid=R-dup 有 3 行报告记录，读取 CreateTime 最新的一行"); }));

    // Saving what was loaded writes the newest version over all of them, not the oldest.
    QVERIFY(Save(*m_data, r));
    QCOMPARE(Rows(QStringLiteral("ruid = 'R-dup' AND JieLun = '最新'")), 3);
}

void TServerDeployTest::workstationMayNotWriteTables_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("check");
    QTest::addColumn<int>("expected");
    QTest::newRow("insert a report") << QStringLiteral("INSERT INTO Report (ruid) VALUES ('R-sneak')")
                                     << QStringLiteral("SELECT count(*) FROM Report") << 1;
    QTest::newRow("update exam items directly") << QStringLiteral("UPDATE ExamItem SET ReportGuid = 'R-sneak'")
                                                << QStringLiteral("SELECT count(*) FROM ExamItem WHERE ReportGuid IS NULL") << 1;
    QTest::newRow("delete doctors") << QStringLiteral("DELETE FROM csdoctor")
                                    << QStringLiteral("SELECT count(*) FROM csdoctor") << 1;
    QTest::newRow("drop the save procedure") << QStringLiteral("DROP PROCEDURE sp_SaveReportInfo")
                                             << QStringLiteral("SELECT count(*) FROM pg_proc WHERE proname = 'sp_savereportinfo'") << 1;
    QTest::newRow("create a table") << QStringLiteral("CREATE TABLE public.wr_sneak (a integer)")
                                    << QStringLiteral("SELECT count(*) FROM pg_class WHERE relname = 'wr_sneak'") << 0;
}

void TServerDeployTest::workstationMayNotWriteTables()
{
    if (!m_db->OnServer()) QSKIP("SQLite has no logins or rights");
    QFETCH(QString, statement);
    QFETCH(QString, check);
    QFETCH(int, expected);
    m_db->Exec(QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName) VALUES ('A1', '肝')"));
    m_db->Exec(QStringLiteral("INSERT INTO csdoctor (姓名, kscode) VALUES ('张医生', 'US')"));
    QVERIFY(Save(*m_data, SmallReport(QStringLiteral("R-1"), QStringLiteral("可以保存"))));  // through the procedure: allowed
    try {
        ExecTestSql(m_db->Connection(), statement);
        QFAIL("the workstation was allowed to write");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().contains(QStringLiteral("permission denied"), Qt::CaseInsensitive)
                     || e.Message().contains(QStringLiteral("must be owner"), Qt::CaseInsensitive),
                 qPrintable(e.Message()));
    }
    QCOMPARE(m_db->Value(check).AsInteger(), expected);
}

void TServerDeployTest::rerunningProceduresAndGrantsKeepsWorkstationsSaving()
{
    if (!m_db->OnServer()) QSKIP("SQLite has no logins or rights");
    // Four workstations with open connections, each saving its own report.
    constexpr int kWorkstations = 4;
    std::vector<std::unique_ptr<TDbConnection>> conns;
    std::vector<std::unique_ptr<TFakeMainForm>> hosts;
    std::vector<std::unique_ptr<TFakeDataModule>> modules;
    std::vector<std::unique_ptr<TServerReportData>> stations;
    for (int w = 0; w < kWorkstations; ++w) {
        conns.push_back(OpenDatabase(m_db->Target()));
        hosts.push_back(std::make_unique<TFakeMainForm>());
        modules.push_back(std::make_unique<TFakeDataModule>());
        modules.back()->mainConnection = conns.back().get();
        stations.push_back(std::make_unique<TServerReportData>(*hosts.back(), *modules.back()));
    }
    auto saveAll = [&](const QString& round) {
        QStringList failed;
        for (int w = 0; w < kWorkstations; ++w)
            if (!Save(*stations[w], SmallReport(QStringLiteral("R-ws%1").arg(w), round)))
                failed << hosts[w]->logs.last().value;
        return failed;
    };
    QCOMPARE(saveAll(QStringLiteral("第一次")), QStringList());

    // The administrator runs the scripts again, as after an upgrade, while they are connected.
    RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("procedures.sql")));
    RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("grants.sql")));
    QCOMPARE(saveAll(QStringLiteral("第二次")), QStringList());
    RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("procedures.sql")));
    QCOMPARE(saveAll(QStringLiteral("第三次")), QStringList());
    QCOMPARE(Rows(QStringLiteral("JieLun = '第三次'")), kWorkstations);

    // What the grants script mends: a procedure dropped and made again loses its grants,
    // and every workstation's save fails until the grants are given again.
    m_db->Exec(QStringLiteral("DROP PROCEDURE sp_SaveReportInfo"));
    RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("procedures.sql")));
    m_db->Exec(QStringLiteral("REVOKE ALL ON PROCEDURE sp_SaveReportInfo FROM PUBLIC"));
    QCOMPARE(saveAll(QStringLiteral("第四次")).size(), kWorkstations);
    RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("grants.sql")));
    QCOMPARE(saveAll(QStringLiteral("第五次")), QStringList());
    QCOMPARE(Rows(QStringLiteral("JieLun = '第五次'")), kWorkstations);
}

void TServerDeployTest::columnLengthUpgradeKeepsLongerValues()
{
    if (!m_db->OnServer()) QSKIP("SQLite does not enforce column lengths");
    const QString upgrade = QStringLiteral(WR_SOURCE_DIR "/db/postgresql/upgrades/018-column-lengths.sql");
    // A database from before the lengths, holding a critical value longer than its column.
    m_db->Exec(QStringLiteral("ALTER TABLE Report ALTER COLUMN WeiJiValue TYPE text"));
    const QString stored(600, QChar(u'危'));
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, WeiJiValue) VALUES ('R-old', '%1')").arg(stored));
    auto typeOf = [&] {
        return m_db->Value(QStringLiteral("SELECT format_type(atttypid, atttypmod) FROM pg_attribute "
                                          "WHERE attrelid = 'report'::regclass AND attname = 'weijivalue'"))
            .AsString();
    };
    RunSqlScriptFile(m_db->AdminConnection(), upgrade);
    QCOMPARE(typeOf(), QStringLiteral("text"));
    QCOMPARE(m_db->Value(QStringLiteral("SELECT WeiJiValue FROM Report WHERE ruid = 'R-old'")).AsString(), stored);
    // Once the long value is shortened, running the upgrade again sets the length.
    m_db->Exec(QStringLiteral("UPDATE Report SET WeiJiValue = left(WeiJiValue, 500)"));
    RunSqlScriptFile(m_db->AdminConnection(), upgrade);
    QCOMPARE(typeOf(), QStringLiteral("character varying(500)"));
}

QTEST_GUILESS_MAIN(TServerDeployTest)
#include "tst_serverdeploy.moc"

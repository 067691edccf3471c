// SPDX-License-Identifier: MIT
// Two workstations saving one report: a stale copy never overwrites a newer save silently,
// and every replaced version is kept. Registered once on SQLite and once on the PostgreSQL
// server; the same database behaviour must hold on both.
#include "ServerFixture.h"
#include "ScriptedDialogs.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "hostdata/ReportHistory.h"
#include "platform/SqliteDatabase.h"
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QTest>

namespace {

// One workstation: its own connection and host, answering the conflict question as told.
struct TStation {
    TStation(const QString& target, const QString& user)
        : conn(OpenDatabase(target))
    {
        host.userName = user;
        host.userCode = user;
        dm.mainConnection = conn.get();
        data = std::make_unique<TData>(host, dm);
        data->FLogion_user.UserName = user;
    }
    class TData : public TServerReportData {
    public:
        using TServerReportData::TServerReportData;
        TConflictChoice answer = TConflictChoice::Cancel;
        QList<TSaveConflict> conflicts;
        int tookStored = 0;

    protected:
        TConflictChoice ResolveSaveConflict(const TSaveConflict& c) override
        {
            conflicts << c;
            return answer;
        }
        void TakeStoredVersion(const TSaveConflict&) override { ++tookStored; }
    };

    TReportInfo Open(const QString& ruid)
    {
        TReportInfo r;
        data->GetReportInfoFromRuid(ruid, r);
        return r;
    }
    bool Save(const TReportInfo& r)
    {
        data->rtf[0] = r.Frtf_SuoJian.toLatin1();
        data->rtf[1] = r.Frtf_JieLun.toLatin1();
        return data->SaveReportInfoToDB(r.FRuid, r);
    }

    std::unique_ptr<TDbConnection> conn;
    TFakeMainForm host;
    TFakeDataModule dm;
    std::unique_ptr<TData> data;
};

const QString kRuid = QStringLiteral("R-AB");

} // namespace

class TReportHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void staleSaveIsRefusedUntilTheDoctorChooses();
    void olderClientSaveIsDetected();
    void simultaneousStaleSavesOneWins();
    void everySaveKeepsTheVersionItReplaced();
    void retentionKeepsTheNewestVersions();
    void upgradeKeepsReportsAndRunsTwice();

private:
    void UpgradeScenario();
    int HistoryRows(const QString& ruid)
    {
        return m_db->Value(QStringLiteral("SELECT count(*) FROM ReportHistory WHERE ruid = '%1'").arg(ruid)).AsInteger();
    }
    void Seed(const QString& ruid)
    {
        TStation s(m_db->Target(), QStringLiteral("seed"));
        QVERIFY(s.Save(DistinctReport(ruid)));
    }

    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
};

void TReportHistoryTest::initTestCase()
{
    const QString why = TBackendDatabase::SkipReason();
    if (!why.isEmpty()) QSKIP(qPrintable(why));
    qInfo("Backend: %s", TestsBackendName());
}

void TReportHistoryTest::init()
{
    m_db = std::make_unique<TBackendDatabase>();
    m_dialogs = std::make_unique<TScriptedDialogs>();
}

void TReportHistoryTest::cleanup()
{
    m_dialogs.reset();
    m_db.reset();
}

void TReportHistoryTest::staleSaveIsRefusedUntilTheDoctorChooses()
{
    Seed(kRuid);
    TStation a(m_db->Target(), QStringLiteral("医生A"));
    TStation b(m_db->Target(), QStringLiteral("医生B"));
    TReportInfo ra = a.Open(kRuid);
    TReportInfo rb = b.Open(kRuid);
    const TReportInfo original = ra;

    rb.FSuoJian = QStringLiteral("B 改写的所见");
    QVERIFY(b.Save(rb));
    QVERIFY(b.data->conflicts.isEmpty());

    // A changes only the suggestion: refused, nothing written, the failure logged as a save failure.
    ra.FJianYi = QStringLiteral("A 的建议");
    QVERIFY(!a.Save(ra));
    QCOMPARE(a.data->conflicts.size(), 1);
    const TSaveConflict& c = a.data->conflicts.front();
    QVERIFY2(c.theirStamp.savedBy.contains(QStringLiteral("医生B")), qPrintable(c.theirStamp.savedBy));
    QCOMPARE(c.theirs.FSuoJian, rb.FSuoJian);
    QStringList captions;
    for (const TConflictSection& s : c.sections) captions << s.caption;
    QCOMPARE(captions, (QStringList{QStringLiteral("影像表现"), QStringLiteral("建议")}));
    QCOMPARE(FailureLogCount(a.host, QStringLiteral("ReportForm.SaveReportInfoToDB")), 1);
    TReportInfo stored;
    b.data->GetReportInfoFromRuid(kRuid, stored);
    QCOMPARE(stored.FSuoJian, rb.FSuoJian);
    QCOMPARE(stored.FJianYi, original.FJianYi);
    QCOMPARE(HistoryRows(kRuid), 1);

    // Taking theirs writes nothing either, and hands the stored version over.
    a.data->answer = TConflictChoice::TakeTheirs;
    QVERIFY(!a.Save(ra));
    QCOMPARE(a.data->tookStored, 1);
    QCOMPARE(HistoryRows(kRuid), 1);

    // Keep mine: A's whole copy is stored; B's version is the newest in the history.
    a.data->answer = TConflictChoice::KeepMine;
    QVERIFY(a.Save(ra));
    QCOMPARE(a.data->conflicts.size(), 3);
    b.data->GetReportInfoFromRuid(kRuid, stored);
    QCOMPARE(stored.FJianYi, ra.FJianYi);
    QCOMPARE(stored.FSuoJian, original.FSuoJian);
    const QList<TReportVersion> versions = ListReportVersions(m_db->Connection(), kRuid);
    QCOMPARE(versions.size(), 3);  // current, B's, the first stored row
    TReportInfo bVersion;
    QVERIFY(ReadReportVersion(m_db->Connection(), versions.at(1).historyId, bVersion));
    QCOMPARE(bVersion.FSuoJian, rb.FSuoJian);
    QVERIFY(versions.at(1).savedBy.contains(QStringLiteral("医生B")));

    // A's next save goes through unasked: its stamp is the one it wrote.
    ra.FBeiZhu = QStringLiteral("再次保存");
    QVERIFY(a.Save(ra));
    QCOMPARE(a.data->conflicts.size(), 3);
}

void TReportHistoryTest::olderClientSaveIsDetected()
{
    Seed(kRuid);
    TStation a(m_db->Target(), QStringLiteral("医生A"));
    TReportInfo ra = a.Open(kRuid);

    // An older workstation: exactly the 49 original parameters, nothing of the stamp.
    auto sp = m_db->Connection().CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    if (m_db->OnServer()) {
        // Parameters set by hand, as a client that never reads the catalogue sends them (the
        // name as the server stores it, since a hand-set call quotes it).
        sp->SetProcedureName(QStringLiteral("sp_savereportinfo"));
        const TReportInfo r = DistinctReport(kRuid);
        auto add = [&](const char* name, TDbFieldType type, const QVariant& v) {
            TDbParameter p;
            p.Name = QLatin1String(name);
            p.DataType = type;
            p.Value = TDbValue(v);
            sp->Parameters().push_back(p);
        };
        for (const char* n : {"@Ruid", "@Accnu", "@nbid", "@jcMethod", "@ItemName", "@ItemCode", "@JCDaLei", "@jcTuJing",
                              "@ImgQuality", "@SuoJian", "@JieLun", "@JianYi", "@rtf_SuoJian", "@rtf_JieLun"})
            add(n, TDbFieldType::String, QString::fromLatin1(n) == QLatin1String("@Ruid") ? kRuid
                                         : QString::fromLatin1(n) == QLatin1String("@SuoJian") ? QStringLiteral("旧版工作站的所见")
                                                                                                : QStringLiteral("x"));
        add("@ReportState", TDbFieldType::Integer, 1);
        for (const char* n : {"@TanTouRate", "@TiXing", "@ExamDoctor", "@ExamDoctorCode", "@ReportDoctor", "@ReportDoctorCode",
                              "@ShenHeDoctor", "@ShenHeDoctorCode", "@HuiZhenDoctor", "@HuizhenDoctorCode"})
            add(n, TDbFieldType::String, QStringLiteral("x"));
        for (const char* n : {"@ReportDate", "@shenHeDate", "@HuiZhenDate"})
            add(n, TDbFieldType::DateTime, QDateTime::currentDateTime());
        add("@PrintedCont", TDbFieldType::Integer, 0);
        add("@YinYangXing", TDbFieldType::Boolean, false);
        for (const char* n : {"@WeiJiValue", "@BeiZhu", "@lczd", "@jcpart", "@jcpartcode", "@kgjLBaseLine", "@kgjLKjgd",
                              "@kgjLGxtq", "@kgjLRgyc", "@kgjLGxzx", "@kgjRBaseLine", "@kgjRKjgd", "@kgjRGxtq", "@kgjRRgyc",
                              "@kgjRGxzx", "@kgjL_A", "@kgjR_A", "@kgjL_B", "@kgjR_B"})
            add(n, TDbFieldType::String, QStringLiteral("x"));
        QCOMPARE(sp->Parameters().size(), size_t(49));
        Q_UNUSED(r);
    } else {
        // The catalogue is read, the parameters it adds are left unset.
        sp->RefreshParameters();
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(kRuid);
        sp->ParamByName(QStringLiteral("@SuoJian")).SetAsString(QStringLiteral("旧版工作站的所见"));
    }
    try {
        sp->ExecProc();
    } catch (const Exception& e) {
        QFAIL(qPrintable(e.Message()));
    }
    QCOMPARE(HistoryRows(kRuid), 1);

    ra.FJianYi = QStringLiteral("A 的建议");
    QVERIFY(!a.Save(ra));
    QCOMPARE(a.data->conflicts.size(), 1);
    QCOMPARE(a.data->conflicts.front().theirs.FSuoJian, QStringLiteral("旧版工作站的所见"));
    QCOMPARE(m_db->Value(QStringLiteral("SELECT SuoJian FROM Report WHERE ruid = 'R-AB'")).AsString(), QStringLiteral("旧版工作站的所见"));
}

void TReportHistoryTest::simultaneousStaleSavesOneWins()
{
    Seed(kRuid);
    constexpr int kRounds = 50;
    for (int round = 1; round <= kRounds; ++round) {
        const qint64 stamp = ReadRowStamp(m_db->Connection(), kRuid).version;
        QVERIFY(stamp > 0);
        const int historyBefore = HistoryRows(kRuid);
        const qint64 startAt = QDateTime::currentMSecsSinceEpoch() + 400;
        QProcess p[2];
        for (int i = 0; i < 2; ++i) {
            p[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p[i].start(QStringLiteral(WR_STALE_SAVER_EXE), {m_db->Target(), kRuid, QString::number(stamp),
                                                              QStringLiteral("round %1 writer %2").arg(round).arg(i),
                                                              QString::number(startAt)});
        }
        int codes[2];
        for (int i = 0; i < 2; ++i) {
            QVERIFY(p[i].waitForFinished(60000));
            codes[i] = p[i].exitCode();
        }
        QVERIFY2((codes[0] == 0 && codes[1] == 3) || (codes[0] == 3 && codes[1] == 0),
                 qPrintable(QStringLiteral("round %1: exit codes %2 and %3").arg(round).arg(codes[0]).arg(codes[1])));
        const int winner = codes[0] == 0 ? 0 : 1;
        QCOMPARE(m_db->Value(QStringLiteral("SELECT SuoJian FROM Report WHERE ruid = 'R-AB'")).AsString(),
                 QStringLiteral("round %1 writer %2").arg(round).arg(winner));
        QVERIFY(ReadRowStamp(m_db->Connection(), kRuid).version > stamp);
        QCOMPARE(HistoryRows(kRuid), historyBefore + 1);
    }
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM Report")).AsInteger(), 1);
}

void TReportHistoryTest::everySaveKeepsTheVersionItReplaced()
{
    Seed(kRuid);
    TStation a(m_db->Target(), QStringLiteral("医生A"));
    const TReportInfo base = a.Open(kRuid);
    TReportInfo r = base;
    for (int i = 1; i <= 100; ++i) {
        r.FSuoJian = QStringLiteral("第 %1 次保存").arg(i);
        QVERIFY(a.Save(r));
    }
    QCOMPARE(a.data->conflicts.size(), 0);
    QCOMPARE(HistoryRows(kRuid), 100);

    // Oldest first: the row as first stored, then saves 1..99; each one whole.
    QList<TReportVersion> versions = ListReportVersions(m_db->Connection(), kRuid);
    QCOMPARE(versions.size(), 101);
    QCOMPARE(versions.front().operation, QStringLiteral("C"));
    for (int k = 1; k <= 100; ++k) {
        TReportInfo v;
        QVERIFY(ReadReportVersion(m_db->Connection(), versions.at(101 - k).historyId, v));
        TReportInfo expected = base;
        expected.FSuoJian = k == 1 ? base.FSuoJian : QStringLiteral("第 %1 次保存").arg(k - 1);
        QVERIFY2(v == expected, qPrintable(QStringLiteral("version %1").arg(k)));
    }

    // Restoring version 42 and saving makes the current row that version's content.
    TReportInfo restored;
    QVERIFY(ReadReportVersion(m_db->Connection(), versions.at(101 - 42).historyId, restored));
    QVERIFY(a.Save(restored));
    TReportInfo now;
    QVERIFY(ReadStoredReport(m_db->Connection(), kRuid, now));
    QVERIFY(now == restored);
    QCOMPARE(now.FSuoJian, QStringLiteral("第 41 次保存"));
}

void TReportHistoryTest::retentionKeepsTheNewestVersions()
{
    Seed(kRuid);
    Seed(QStringLiteral("R-other"));
    m_db->Exec(QStringLiteral("UPDATE wr_setting SET value = '3' WHERE name = 'ReportHistoryKeep'"));
    TStation a(m_db->Target(), QStringLiteral("医生A"));
    TReportInfo r = a.Open(kRuid);
    for (int i = 1; i <= 6; ++i) {
        r.FJianYi = QStringLiteral("建议 %1").arg(i);
        QVERIFY(a.Save(r));
    }
    QCOMPARE(HistoryRows(kRuid), 3);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT min(JianYi) FROM ReportHistory WHERE ruid = 'R-AB'")).AsString(), QStringLiteral("建议 3"));
    // Another report's versions are not touched.
    TReportInfo other = a.Open(QStringLiteral("R-other"));
    QVERIFY(a.Save(other));
    QCOMPARE(HistoryRows(QStringLiteral("R-other")), 1);
    QCOMPARE(HistoryRows(kRuid), 3);
}

void TReportHistoryTest::upgradeKeepsReportsAndRunsTwice()
{
    try {
        UpgradeScenario();
    } catch (const Exception& e) {
        QFAIL(qPrintable(e.Message()));
    }
}

void TReportHistoryTest::UpgradeScenario()
{
    // A database as the scripts before the history made it, holding the demo reports.
    std::unique_ptr<QTemporaryDir> dir;
    QString target, file;
    std::unique_ptr<TDbConnection> admin;
    const QString scripts = QStringLiteral(WR_SOURCE_DIR "/db/%1/").arg(m_db->OnServer() ? "postgresql" : "sqlite");
    const QString upgrade = QStringLiteral("011-history.sql");
    if (m_db->OnServer()) {
        target = m_db->Target();
        admin = OpenDatabase(m_db->AdminTarget());
        ExecTestSql(*admin, QStringLiteral(
            "DROP TRIGGER tr_Report_history ON Report; DROP FUNCTION wr_report_history(); DROP TABLE ReportHistory;"
            "DROP TABLE wr_setting; ALTER TABLE Report DROP COLUMN RowVersion, DROP COLUMN SavedBy, DROP COLUMN SavedAt"));
        QCOMPARE(ReadRowStamp(*admin, kRuid).version, -1);  // a database without stamps: saves go unchecked
    } else {
        dir = std::make_unique<QTemporaryDir>();
        QStringList before{scripts + QStringLiteral("schema.sql")};
        for (const QString& f : SqliteUpgradeScripts(scripts.chopped(1)))
            if (f.contains(QLatin1String("/upgrades/")) && QFileInfo(f).fileName() < upgrade) before << f;
        file = dir->filePath(QStringLiteral("old.db"));
        CreateSqliteDatabase(file, before);
        target = file;
        admin = OpenDatabase(file);
    }
    for (int i = 1; i <= 5; ++i)
        ExecTestSql(*admin, QStringLiteral("INSERT INTO Report (ruid, Accnu, SuoJian, rtf_JieLun, ReportDate, ReportState) "
                                           "VALUES ('OLD-%1', 'A%1', '旧报告所见 %1', '{\\rtf1 \\''b8\\''ce %1}', "
                                           "'2024-01-02 03:04:0%1.000', 5)").arg(i));
    const int reports = QueryTestValue(*admin, QStringLiteral("SELECT count(*) FROM Report")).AsInteger();
    QVERIFY(reports > 0);
    const QString digestSql = m_db->OnServer()
        ? QStringLiteral("SELECT string_agg(ruid || SuoJian || rtf_JieLun || ReportDate, '|' ORDER BY ruid) FROM Report")
        : QStringLiteral("SELECT group_concat(ruid || SuoJian || rtf_JieLun || ReportDate, '|') FROM (SELECT * FROM Report ORDER BY ruid)");
    const QString digest = QueryTestValue(*admin, digestSql).AsString();

    for (int pass = 0; pass < 2; ++pass) {
        if (m_db->OnServer()) {
            for (const QString& f : ServerUpgradeScripts()) RunSqlScriptFile(*admin, f);
            RunSqlScriptFile(*admin, scripts + QStringLiteral("procedures.sql"));
            RunSqlScriptFile(*admin, scripts + QStringLiteral("grants.sql"));
        } else {
            admin.reset();
            TSqliteConnection conn(file);
            UpgradeSqliteDatabase(conn, SqliteUpgradeScripts(scripts.chopped(1)));
        }
    }
    if (!admin) admin = OpenDatabase(file);
    QCOMPARE(QueryTestValue(*admin, QStringLiteral("SELECT count(*) FROM Report")).AsInteger(), reports);
    QCOMPARE(QueryTestValue(*admin, digestSql).AsString(), digest);
    QCOMPARE(QueryTestValue(*admin, QStringLiteral("SELECT count(*) FROM ReportHistory")).AsInteger(), 0);
    QCOMPARE(ReadRowStamp(*admin, QStringLiteral("OLD-3")).version, 1);
    QCOMPARE(ReadRowStamp(*admin, QStringLiteral("OLD-9")).version, 0);

    // The upgraded database checks stamps and keeps history like a new one.
    const QString ruid = QueryTestValue(*admin, QStringLiteral("SELECT min(ruid) FROM Report")).AsString();
    TStation a(target, QStringLiteral("医生A"));
    TStation b(target, QStringLiteral("医生B"));
    TReportInfo ra = a.Open(ruid), rb = b.Open(ruid);
    rb.FJianYi = QStringLiteral("B");
    QVERIFY(b.Save(rb));
    ra.FJianYi = QStringLiteral("A");
    QVERIFY(!a.Save(ra));
    QCOMPARE(a.data->conflicts.size(), 1);
    QCOMPARE(QueryTestValue(*admin, QStringLiteral("SELECT count(*) FROM ReportHistory")).AsInteger(), 1);
}

QTEST_GUILESS_MAIN(TReportHistoryTest)
#include "tst_reporthistory.moc"

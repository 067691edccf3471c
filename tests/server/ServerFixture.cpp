// SPDX-License-Identifier: MIT
#include "ServerFixture.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"

QString TBackendDatabase::SkipReason()
{
    return TestsUseServer() ? ServerTestsUnavailableReason() : QString();
}

QString PgWrapSaveProcedure(const QString& afterwards)
{
    return QStringLiteral(
               "ALTER PROCEDURE sp_SaveReportInfo RENAME TO wr_inner_save;\n"
               "DO $do$ DECLARE args text; names text; BEGIN\n"
               "  SELECT pg_get_function_arguments(p.oid), string_agg(quote_ident(a.n), ', ' ORDER BY a.o)\n"
               "    INTO args, names FROM pg_proc p, unnest(p.proargnames) WITH ORDINALITY AS a(n, o)\n"
               "   WHERE p.proname = 'wr_inner_save' GROUP BY p.oid;\n"
               "  EXECUTE format('CREATE PROCEDURE sp_SaveReportInfo(%s) LANGUAGE plpgsql AS $b$ BEGIN CALL wr_inner_save(%s); "
               "%1 END $b$', args, names);\n"
               "END $do$")
        .arg(afterwards);
}

const char* TestsBackendName() { return TestsUseServer() ? "PostgreSQL (ODBC)" : "SQLite"; }

TBackendDatabase::TBackendDatabase(bool withDemoData) : m_onServer(TestsUseServer())
{
    if (m_onServer) {
        m_target = CreateServerTestDatabase(withDemoData);
        m_adminTarget = ServerAdminTarget(m_target);
    } else {
        m_dir = std::make_unique<QTemporaryDir>();
        m_target = m_adminTarget = CreateTestDatabaseFile(m_dir->path(), withDemoData);
    }
    m_conn = OpenDatabase(m_target);
    m_admin = OpenDatabase(m_adminTarget);
}

TBackendDatabase::~TBackendDatabase()
{
    m_conn.reset();
    m_admin.reset();
    if (m_onServer) DropServerTestDatabase(m_target);
}

void TBackendDatabase::Exec(const QString& sqlite, const QString& postgresql)
{
    ExecTestSql(*m_admin, m_onServer ? postgresql : sqlite);
}

TDbValue TBackendDatabase::Value(const QString& sql) { return QueryTestValue(*m_admin, sql); }

TServerReportData::TServerReportData(TFakeMainForm& mainForm, TFakeDataModule& dataModule)
{
    FmainForm = static_cast<IMainFrom*>(&mainForm);
    FDataModule = static_cast<ITrDataModle*>(&dataModule);
}

TReportInfo DistinctReport(const QString& ruid)
{
    TReportInfo r;
    int n = 0;
    // Chinese, a quote and a bracket in every text, each text different.
    auto t = [&n](const char* base) { return QStringLiteral("%1·中文'[%2]").arg(QString::fromUtf8(base)).arg(++n); };
    r.FRuid = ruid;
    r.FAccnu = t("检查号");
    r.Fnbid = t("内部号");
    r.FjcMethod = t("经腹部超声");
    r.FItemName = t("肝胆胰脾");
    r.FItemCode = t("I01");
    r.FJCDaLei = t("超声");
    r.FjcTuJing = t("经腹");
    r.FImgQuality = t("优");
    r.FSuoJian = t("肝脏大小形态正常。\r\n胆囊壁光滑。");
    r.FJieLun = t("未见异常");
    r.FJianYi = t("定期复查");
    r.Frtf_SuoJian = QStringLiteral("{\\rtf1\\ansi findings \\'b8\\'ce}");
    r.Frtf_JieLun = QStringLiteral("{\\rtf1\\ansi impression \\u20013?}");
    r.FReportState = 4;   // not final: the tests save other states over it, which a final report refuses
    r.FTanTouRate = t("3.5MHz");
    r.FTiXing = t("体型偏瘦");
    r.FExamDoctor = t("王检查");
    r.FExamDoctorCode = t("E9");
    r.FReportDoctor = t("赵报告");
    r.FReportDoctorCode = t("R9");
    r.FShenHeDoctor = t("钱审核");
    r.FShenHeDoctorCode = t("S9");
    r.FHuiZhenDoctor = t("孙会诊");
    r.FHuizhenDoctorCode = t("H9");
    r.FReportDate = QDateTimeToDateTime(QDateTime(QDate(2024, 2, 29), QTime(9, 30, 15, 251)));
    r.FshenHeDate = QDateTimeToDateTime(QDateTime(QDate(2024, 3, 6), QTime(10, 1, 2, 3)));
    r.FHuiZhenDate = QDateTimeToDateTime(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999)));
    r.FPrintedCont = 3;
    r.FYinYangXing = true;
    r.FWeiJiValue = t("危急值");
    r.FBeiZhu = t("备注");
    r.Flczd = t("腹痛待查");
    r.Fjcpart = t("上腹部");
    r.FjcPartcode = t("P01");
    r.FkgjLBaseLine = t("水平");
    r.FkgjLKjgd = t("良好");
    r.FkgjLGxtq = t("锐利");
    r.FkgjLRgyc = t("覆盖");
    r.FkgjLGxzx = t("已出现");
    r.FkgjRBaseLine = t("上移");
    r.FkgjRKjgd = t("不足");
    r.FkgjRGxtq = t("圆钝");
    r.FkgjRRgyc = t("外翻");
    r.FkgjRGxzx = t("未出现");
    r.FkgjL_A = t("61");
    r.FkgjR_A = t("48");
    r.FkgjL_B = t("55");
    r.FkgjR_B = t("77");
    return r;
}

int FailureLogCount(const TFakeMainForm& host, const QString& title)
{
    int n = 0;
    for (const TLogLine& l : host.LogsWithTitle(title))
        if (l.value.startsWith(QStringLiteral("异常:"))) ++n;
    return n;
}

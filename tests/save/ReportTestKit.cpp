// SPDX-License-Identifier: MIT
#include "ReportTestKit.h"

namespace {
QString Lit(const QString& s) { return s.isNull() ? QStringLiteral("NULL") : QuotedStr(s); }
} // namespace

TReportInfo SampleReport(const QString& ruid)
{
    TReportInfo r;
    r.FRuid = ruid;
    r.FAccnu = QStringLiteral("A2024-001");
    r.Fnbid = QStringLiteral("NB-7");
    r.FjcMethod = QStringLiteral("经腹部超声");
    r.FItemName = QStringLiteral("肝胆胰脾,双肾");
    r.FItemCode = QStringLiteral("I01,I02");
    r.FJCDaLei = QStringLiteral("超声");
    r.FjcTuJing = QStringLiteral("经腹");
    r.FImgQuality = QStringLiteral("优");
    r.FSuoJian = QStringLiteral("肝脏大小形态正常。\r\n胆囊壁光滑。");
    r.FJieLun = QStringLiteral("肝胆未见明显异常");
    r.FJianYi = QStringLiteral("定期复查 'O'Brien'");
    r.Frtf_SuoJian = QStringLiteral("{\\rtf1 findings}");
    r.Frtf_JieLun = QStringLiteral("{\\rtf1 impression}");
    r.FReportState = 6;
    r.FTanTouRate = QStringLiteral("3.5MHz");
    r.FTiXing = QStringLiteral("体型偏瘦");
    r.FExamDoctor = QStringLiteral("王检查");
    r.FExamDoctorCode = QStringLiteral("E9");
    r.FReportDoctor = QStringLiteral("赵报告");
    r.FReportDoctorCode = QStringLiteral("R9");
    r.FShenHeDoctor = QStringLiteral("钱审核");
    r.FShenHeDoctorCode = QStringLiteral("S9");
    r.FHuiZhenDoctor = QStringLiteral("孙会诊");
    r.FHuizhenDoctorCode = QStringLiteral("H9");
    r.FReportDate = QDateTimeToDateTime(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 15, 250)));
    r.FshenHeDate = QDateTimeToDateTime(QDateTime(QDate(2024, 3, 6), QTime(10, 1, 2, 3)));
    r.FHuiZhenDate = QDateTimeToDateTime(QDateTime(QDate(2024, 3, 7), QTime(23, 59, 59, 999)));
    r.FPrintedCont = 3;
    r.FYinYangXing = true;
    r.FWeiJiValue = QStringLiteral("危急: 12");
    r.FBeiZhu = QStringLiteral("备注内容");
    r.Flczd = QStringLiteral("腹痛待查");
    r.Fjcpart = QStringLiteral("上腹部");
    r.FjcPartcode = QStringLiteral("P01");
    r.FkgjLBaseLine = QStringLiteral("水平");
    r.FkgjLKjgd = QStringLiteral("良好");
    r.FkgjLGxtq = QStringLiteral("锐利");
    r.FkgjLRgyc = QStringLiteral("覆盖");
    r.FkgjLGxzx = QStringLiteral("已出现");
    r.FkgjRBaseLine = QStringLiteral("上移");
    r.FkgjRKjgd = QStringLiteral("不足");
    r.FkgjRGxtq = QStringLiteral("圆钝");
    r.FkgjRRgyc = QStringLiteral("外翻");
    r.FkgjRGxzx = QStringLiteral("未出现");
    r.FkgjL_A = QStringLiteral("61");
    r.FkgjR_A = QStringLiteral("48");
    r.FkgjL_B = QStringLiteral("55");
    r.FkgjR_B = QStringLiteral("77");
    return r;
}

QStringList ReportColumns()
{
    return {"ruid", "Accnu", "nbid", "jcMethod", "ItemName", "ItemCode", "JCDaLei", "jcTuJing", "ImgQuality",
            "SuoJian", "JieLun", "JianYi", "rtf_SuoJian", "rtf_JieLun", "ReportState", "TanTouRate", "TiXing",
            "ExamDoctor", "ExamDoctorCode", "ReportDoctor", "ReportDoctorCode", "ShenHeDoctor", "ShenHeDoctorCode",
            "HuiZhenDoctor", "HuizhenDoctorCode", "ReportDate", "shenHeDate", "HuiZhenDate", "PrintedCont",
            "YinYangXing", "WeiJiValue", "BeiZhu", "lczd", "jcpart", "jcpartcode", "kgjLBaseLine", "kgjLKjgd",
            "kgjLGxtq", "kgjLRgyc", "kgjLGxzx", "kgjRBaseLine", "kgjRKjgd", "kgjRGxtq", "kgjRRgyc", "kgjRGxzx",
            "kgjL_A", "kgjR_A", "kgjL_B", "kgjR_B"};
}

namespace {
QString DateText(TDateTime v) { return DateTimeToQDateTime(v).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")); }
bool IsTextColumn(int i) { return i != 14 && i != 25 && i != 26 && i != 27 && i != 28 && i != 29; }
} // namespace

QStringList ReportFieldTexts(const TReportInfo& r)
{
    return {r.FRuid, r.FAccnu, r.Fnbid, r.FjcMethod, r.FItemName, r.FItemCode, r.FJCDaLei, r.FjcTuJing,
            r.FImgQuality, r.FSuoJian, r.FJieLun, r.FJianYi, r.Frtf_SuoJian, r.Frtf_JieLun,
            QString::number(r.FReportState), r.FTanTouRate, r.FTiXing, r.FExamDoctor, r.FExamDoctorCode,
            r.FReportDoctor, r.FReportDoctorCode, r.FShenHeDoctor, r.FShenHeDoctorCode, r.FHuiZhenDoctor,
            r.FHuizhenDoctorCode, DateText(r.FReportDate), DateText(r.FshenHeDate), DateText(r.FHuiZhenDate),
            QString::number(r.FPrintedCont), r.FYinYangXing ? QStringLiteral("1") : QStringLiteral("0"),
            r.FWeiJiValue, r.FBeiZhu, r.Flczd, r.Fjcpart, r.FjcPartcode, r.FkgjLBaseLine, r.FkgjLKjgd,
            r.FkgjLGxtq, r.FkgjLRgyc, r.FkgjLGxzx, r.FkgjRBaseLine, r.FkgjRKjgd, r.FkgjRGxtq, r.FkgjRRgyc,
            r.FkgjRGxzx, r.FkgjL_A, r.FkgjR_A, r.FkgjL_B, r.FkgjR_B};
}

QStringList ReportDifferences(const TReportInfo& a, const TReportInfo& b)
{
    const QStringList columns = ReportColumns(), ta = ReportFieldTexts(a), tb = ReportFieldTexts(b);
    QStringList diffs;
    for (int i = 0; i < columns.size(); ++i)
        if (ta.at(i) != tb.at(i)) diffs << QStringLiteral("%1: '%2' != '%3'").arg(columns.at(i), ta.at(i), tb.at(i));
    return diffs;
}

void InsertReportRow(TDbConnection& conn, const TReportInfo& r)
{
    const QStringList texts = ReportFieldTexts(r);
    QStringList values;
    for (int i = 0; i < texts.size(); ++i) {
        if (IsTextColumn(i)) values << Lit(texts.at(i));
        else if (i >= 25 && i <= 27) values << QuotedStr(texts.at(i));
        else values << texts.at(i);
    }
    ExecTestSql(conn, QStringLiteral("INSERT INTO Report (%1, CreateTime) VALUES (%2, CURRENT_TIMESTAMP)")
                          .arg(ReportColumns().join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
}

void InsertDoctors(TDbConnection& conn, const QString& kscode, const QList<QPair<QString, int>>& rows)
{
    for (const auto& [name, order] : rows)
        ExecTestSql(conn, QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex) VALUES (%1, %2, %3)")
                              .arg(Lit(name), Lit(kscode)).arg(order));
}

void InsertDictionary(TDbConnection& conn, const QString& table, const QString& column,
                      const QList<QPair<QString, int>>& rows)
{
    for (const auto& [value, order] : rows)
        ExecTestSql(conn, QStringLiteral("INSERT INTO %1 (%2, uorder) VALUES (%3, %4)").arg(table, column, Lit(value)).arg(order));
}

TTestReportData::TTestReportData(TFakeMainForm& mainForm, TFakeDataModule& dataModule)
{
    FmainForm = static_cast<TFakeObject*>(&mainForm);
    FDataModule = static_cast<TFakeObject*>(&dataModule);
}

void TTestReportData::CompleteReportDefaults(TReportInfo& r)
{
    if (completeDefaults) CompleteIncompleteReport(r);
}

QString TTestReportData::SelectRememberedDoctor(TDoctorBox box)
{
    const int i = remembered.value(static_cast<int>(box), -1);
    return i >= 0 && i < doctorList.size() ? doctorList.at(i) : QString();
}

QByteArray TTestReportData::RichEditRtf(TRichSection which)
{
    ++rtfRequests;
    return rtf[which == TRichSection::SuoJian ? 0 : 1];
}

void TTestReportData::Save_DoctorsIndexToConfigFile()
{
    ++saveDoctorCalls;
    if (onSaveDoctors) onSaveDoctors();
}

namespace {

class TRecordingQuery final : public TDbQuery {
public:
    TRecordingQuery(std::unique_ptr<TDbQuery> inner, QStringList& log) : m_inner(std::move(inner)), m_log(log) {}
    void Open() override { Pass(); m_inner->Open(); }
    void ExecSQL() override { Pass(); m_inner->ExecSQL(); }
    void Close() override { m_inner->Close(); }
    bool Active() const override { return m_inner->Active(); }
    int RecordCount() const override { return m_inner->RecordCount(); }
    void First() override { m_inner->First(); }
    void Next() override { m_inner->Next(); }
    bool Eof() const override { return m_inner->Eof(); }
    TDbValue FieldByName(const QString& name) const override { return m_inner->FieldByName(name); }
    QStringList FieldNames() const override { return m_inner->FieldNames(); }

private:
    void Pass()
    {
        m_log.append(SqlText());
        m_inner->SQL() = SQL();
    }
    std::unique_ptr<TDbQuery> m_inner;
    QStringList& m_log;
};

class TRecordingProc final : public TDbStoredProc {
public:
    TRecordingProc(std::unique_ptr<TDbStoredProc> inner, QList<TRecordingConnection::TProcCall>& log)
        : m_inner(std::move(inner)), m_log(log) {}
    void RefreshParameters() override
    {
        m_inner->SetProcedureName(m_name);
        m_inner->RefreshParameters();
        m_params = m_inner->Parameters();
    }
    void ExecProc() override
    {
        m_log.append({m_name, m_params});
        m_inner->SetProcedureName(m_name);
        m_inner->Parameters() = m_params;
        m_inner->SetPrepared(Prepared());
        m_inner->ExecProc();
        m_params = m_inner->Parameters();
    }
    void Close() override { m_inner->Close(); }

private:
    std::unique_ptr<TDbStoredProc> m_inner;
    QList<TRecordingConnection::TProcCall>& m_log;
};

} // namespace

std::unique_ptr<TDbQuery> TRecordingConnection::CreateQuery()
{
    return std::make_unique<TRecordingQuery>(m_inner.CreateQuery(), queries);
}

std::unique_ptr<TDbStoredProc> TRecordingConnection::CreateStoredProc()
{
    return std::make_unique<TRecordingProc>(m_inner.CreateStoredProc(), procCalls);
}

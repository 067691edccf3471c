// SPDX-License-Identifier: MIT
#include "ReportConflict.h"
#include "ReportData.h"

namespace {

QString TrimText(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return s.mid(b, e - b);
}

struct TTextField {
    const char* column;
    QString TReportInfo::*field;
};

// Every text column of the load statement, by name.
const TTextField kTextFields[] = {
    {"Accnu", &TReportInfo::FAccnu}, {"nbid", &TReportInfo::Fnbid}, {"jcMethod", &TReportInfo::FjcMethod},
    {"ItemName", &TReportInfo::FItemName}, {"ItemCode", &TReportInfo::FItemCode}, {"JCDaLei", &TReportInfo::FJCDaLei},
    {"jcTuJing", &TReportInfo::FjcTuJing}, {"ImgQuality", &TReportInfo::FImgQuality}, {"SuoJian", &TReportInfo::FSuoJian},
    {"JieLun", &TReportInfo::FJieLun}, {"JianYi", &TReportInfo::FJianYi}, {"rtf_SuoJian", &TReportInfo::Frtf_SuoJian},
    {"rtf_JieLun", &TReportInfo::Frtf_JieLun}, {"TanTouRate", &TReportInfo::FTanTouRate}, {"TiXing", &TReportInfo::FTiXing},
    {"ExamDoctor", &TReportInfo::FExamDoctor}, {"ExamDoctorCode", &TReportInfo::FExamDoctorCode},
    {"ReportDoctor", &TReportInfo::FReportDoctor}, {"ReportDoctorCode", &TReportInfo::FReportDoctorCode},
    {"ShenHeDoctor", &TReportInfo::FShenHeDoctor}, {"ShenHeDoctorCode", &TReportInfo::FShenHeDoctorCode},
    {"HuiZhenDoctor", &TReportInfo::FHuiZhenDoctor}, {"HuizhenDoctorCode", &TReportInfo::FHuizhenDoctorCode},
    {"WeiJiValue", &TReportInfo::FWeiJiValue}, {"BeiZhu", &TReportInfo::FBeiZhu}, {"lczd", &TReportInfo::Flczd},
    {"jcpart", &TReportInfo::Fjcpart}, {"jcpartcode", &TReportInfo::FjcPartcode},
    {"kgjLBaseLine", &TReportInfo::FkgjLBaseLine}, {"kgjLKjgd", &TReportInfo::FkgjLKjgd}, {"kgjLGxtq", &TReportInfo::FkgjLGxtq},
    {"kgjLRgyc", &TReportInfo::FkgjLRgyc}, {"kgjLGxzx", &TReportInfo::FkgjLGxzx}, {"kgjRBaseLine", &TReportInfo::FkgjRBaseLine},
    {"kgjRKjgd", &TReportInfo::FkgjRKjgd}, {"kgjRGxtq", &TReportInfo::FkgjRGxtq}, {"kgjRRgyc", &TReportInfo::FkgjRRgyc},
    {"kgjRGxzx", &TReportInfo::FkgjRGxzx}, {"kgjL_A", &TReportInfo::FkgjL_A}, {"kgjR_A", &TReportInfo::FkgjR_A},
    {"kgjL_B", &TReportInfo::FkgjL_B}, {"kgjR_B", &TReportInfo::FkgjR_B},
};

// The sections a doctor edits, as the form shows them from top to bottom.
struct TSection {
    const char* caption;
    QString TReportInfo::*field;
};
const TSection kSections[] = {
    {"检查项目", &TReportInfo::FItemName}, {"检查方法", &TReportInfo::FjcMethod}, {"检查部位", &TReportInfo::Fjcpart},
    {"临床诊断", &TReportInfo::Flczd}, {"影像表现", &TReportInfo::FSuoJian}, {"诊断印像", &TReportInfo::FJieLun},
    {"建议", &TReportInfo::FJianYi}, {"备注", &TReportInfo::FBeiZhu}, {"危急值", &TReportInfo::FWeiJiValue},
    {"探头频率", &TReportInfo::FTanTouRate}, {"检查途径", &TReportInfo::FjcTuJing}, {"图像质量", &TReportInfo::FImgQuality},
    {"检查医生", &TReportInfo::FExamDoctor}, {"报告医生", &TReportInfo::FReportDoctor},
    {"会诊医生", &TReportInfo::FHuiZhenDoctor}, {"审核医生", &TReportInfo::FShenHeDoctor},
    {"左髋基线", &TReportInfo::FkgjLBaseLine}, {"左髋骨性髋臼顶", &TReportInfo::FkgjLKjgd},
    {"左髋骨性边缘", &TReportInfo::FkgjLGxtq}, {"左髋软骨盂唇", &TReportInfo::FkgjLRgyc},
    {"左髋骨化中心", &TReportInfo::FkgjLGxzx}, {"右髋基线", &TReportInfo::FkgjRBaseLine},
    {"右髋骨性髋臼顶", &TReportInfo::FkgjRKjgd}, {"右髋骨性边缘", &TReportInfo::FkgjRGxtq},
    {"右髋软骨盂唇", &TReportInfo::FkgjRRgyc}, {"右髋骨化中心", &TReportInfo::FkgjRGxzx},
    {"左髋α角", &TReportInfo::FkgjL_A}, {"右髋α角", &TReportInfo::FkgjR_A},
    {"左髋β角", &TReportInfo::FkgjL_B}, {"右髋β角", &TReportInfo::FkgjR_B},
};

QString Normalised(const QString& s)
{
    QString t = TrimText(s);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QChar(0x2029), QLatin1Char('\n'));
    return t;
}

} // namespace

QString RowStampExpression(const QString& dialect)
{
    // SQL Server's rowversion is binary; SQLite keeps the stamp beside the row.
    if (dialect == QLatin1String("sqlserver")) return QStringLiteral("CAST(RowVersion AS bigint)");
    if (dialect == QLatin1String("sqlite")) return QStringLiteral("coalesce((SELECT s.RowVersion FROM ReportStamp s WHERE s.ruid = Report.ruid), 1)");
    return QStringLiteral("RowVersion");
}

bool IsSaveConflictError(const QString& message) { return message.contains(QLatin1String("WR-CONFLICT")); }

TRowStamp ReadRowStamp(TDbConnection& conn, const QString& ruid)
{
    TRowStamp stamp;
    try {
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT %1 AS RowVersion, SavedBy, SavedAt FROM Report").arg(RowStampExpression(conn.Dialect()))
                 << QStringLiteral(" WHERE ruid=") + QuotedStr(ruid)
                 << QStringLiteral(" ORDER BY 1 DESC");
        q->Open();
        if (q->RecordCount() < 1) {
            stamp.version = 0;
        } else {
            q->First();
            stamp.version = q->FieldByName(QStringLiteral("RowVersion")).Variant().toLongLong();
            stamp.savedBy = q->FieldByName(QStringLiteral("SavedBy")).AsString();
            const TDbValue at = q->FieldByName(QStringLiteral("SavedAt"));
            if (!at.IsNull())
                stamp.savedAt = DateTimeToQDateTime(at.AsDateTime()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        q->Close();
    } catch (const Exception&) {
        // A database made before stamps existed: saves go unchecked, as they always did.
        stamp = TRowStamp();
    }
    return stamp;
}

bool ReadStoredReport(TDbConnection& conn, const QString& ruid, TReportInfo& out)
{
    auto q = conn.CreateQuery();
    q->SQL() = TReportData::ReportSelectSql(ruid);
    q->Open();
    if (q->RecordCount() < 1) return false;
    q->First();
    ReadReportFields(*q, out);
    out.FRuid = ruid;
    q->Close();
    return true;
}

void ReadReportFields(const TDbQuery& q, TReportInfo& out)
{
    TReportInfo r;
    r.FRuid = TrimText(q.FieldByName(QStringLiteral("ruid")).AsString());
    for (const TTextField& f : kTextFields) r.*f.field = TrimText(q.FieldByName(QLatin1String(f.column)).AsString());
    r.FReportState = q.FieldByName(QStringLiteral("ReportState")).AsInteger();
    r.FReportDate = q.FieldByName(QStringLiteral("ReportDate")).AsDateTime();
    r.FshenHeDate = q.FieldByName(QStringLiteral("shenHeDate")).AsDateTime();
    r.FHuiZhenDate = q.FieldByName(QStringLiteral("HuiZhenDate")).AsDateTime();
    r.FPrintedCont = q.FieldByName(QStringLiteral("PrintedCont")).AsInteger();
    r.FYinYangXing = q.FieldByName(QStringLiteral("YinYangXing")).AsBoolean();
    out = r;
}

QList<TConflictSection> DifferingSections(const TReportInfo& theirs, const TReportInfo& mine)
{
    QList<TConflictSection> out;
    for (const TSection& s : kSections) {
        const QString a = Normalised(theirs.*s.field), b = Normalised(mine.*s.field);
        if (a != b) out.append({QString::fromUtf8(s.caption), a, b});
    }
    if (theirs.FYinYangXing != mine.FYinYangXing) {
        auto yn = [](bool v) { return v ? QStringLiteral("阳性") : QStringLiteral("阴性"); };
        out.append({QStringLiteral("阴阳性"), yn(theirs.FYinYangXing), yn(mine.FYinYangXing)});
    }
    if (theirs.FReportState != mine.FReportState)
        out.append({QStringLiteral("报告状态"), QString::number(theirs.FReportState), QString::number(mine.FReportState)});
    return out;
}

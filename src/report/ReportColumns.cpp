// SPDX-License-Identifier: MIT
#include "ReportColumns.h"
#include "ReportText.h"
#include <algorithm>

namespace {

using R = TReportInfo;
using S = TReportSection;

constexpr TReportColumn Text(const char* n, int max, const char* label, S s, const char* control, int draft, QString R::*f)
{
    return {n, TColumnKind::Text, max, label, s, control, draft, f, nullptr, nullptr, nullptr};
}
constexpr TReportColumn Rich(const char* n, const char* label, S s, const char* control, QString R::*f)
{
    return {n, TColumnKind::RichText, 0, label, s, control, 0, f, nullptr, nullptr, nullptr};
}
constexpr TReportColumn Number(const char* n, const char* label, S s, int R::*f)
{
    return {n, TColumnKind::Integer, 0, label, s, nullptr, 0, nullptr, f, nullptr, nullptr};
}
constexpr TReportColumn Date(const char* n, const char* label, S s, const char* control, int draft, TDateTime R::*f)
{
    return {n, TColumnKind::DateTime, 0, label, s, control, draft, nullptr, nullptr, f, nullptr};
}
constexpr TReportColumn Flag(const char* n, const char* label, S s, const char* control, int draft, bool R::*f)
{
    return {n, TColumnKind::Flag, 0, label, s, control, draft, nullptr, nullptr, nullptr, f};
}

} // namespace

// In the order of the load statement. Limits are those of db/sqlserver/schema.sql; the draft
// positions are those of the first draft files, whose digests depend on them.
const QList<TReportColumn>& ReportColumnTable()
{
    static const QList<TReportColumn> columns{
        //    column             limit  label            section                control                   draft  field
        Text("ruid",               100, "报告标识",     S::None,              nullptr,                  0, &R::FRuid),
        Text("Accnu",              100, "检查号",       S::None,              nullptr,                  0, &R::FAccnu),
        Text("nbid",               100, "内部号",       S::None,              nullptr,                  0, &R::Fnbid),
        Text("jcMethod",           500, "检查方法",     S::Method,            "memo_jcmethod",          1, &R::FjcMethod),
        Text("ItemName",          2000, "检查项目",     S::Items,             "Memo_jcItem",            2, &R::FItemName),
        Text("ItemCode",          2000, "检查项目代码", S::None,              nullptr,                  0, &R::FItemCode),
        Text("JCDaLei",            100, "检查大类",     S::None,              nullptr,                  0, &R::FJCDaLei),
        Text("jcTuJing",           100, "检查途径",     S::Other,             "cbx_jcTuJing",           4, &R::FjcTuJing),
        Text("ImgQuality",         100, "图像质量",     S::Other,             "cbx_ImageQuality",       5, &R::FImgQuality),
        Text("SuoJian",              0, "影像表现",     S::Findings,          "rich_jcsj",              7, &R::FSuoJian),
        Text("JieLun",               0, "诊断印像",     S::Impression,        "rich_zdjx",              8, &R::FJieLun),
        Text("JianYi",               0, "建议",         S::Suggestion,        "Memo_JianYi",            6, &R::FJianYi),
        Rich("rtf_SuoJian",             "影像表现格式文字", S::Findings,          "rich_jcsj",                 &R::Frtf_SuoJian),
        Rich("rtf_JieLun",              "诊断印像格式文字", S::Impression,        "rich_zdjx",                 &R::Frtf_JieLun),
        Number("ReportState",           "报告状态",     S::State,                                          &R::FReportState),
        Text("TanTouRate",         100, "探头频率",     S::Other,             "Cbx_TanTouRate",         9, &R::FTanTouRate),
        Text("TiXing",             100, "体型",         S::None,              nullptr,                  0, &R::FTiXing),
        Text("ExamDoctor",          50, "检查医生",     S::State,             "cbx_ExamDoctor",        10, &R::FExamDoctor),
        Text("ExamDoctorCode",      50, "检查医生代码", S::None,              nullptr,                  0, &R::FExamDoctorCode),
        Text("ReportDoctor",        50, "报告医生",     S::State,             "Cbx_ReportDoctor",      11, &R::FReportDoctor),
        Text("ReportDoctorCode",    50, "报告医生代码", S::None,              nullptr,                  0, &R::FReportDoctorCode),
        Text("ShenHeDoctor",        50, "审核医生",     S::State,             "Cbx_ShenHedoctor",      12, &R::FShenHeDoctor),
        Text("ShenHeDoctorCode",    50, "审核医生代码", S::None,              nullptr,                  0, &R::FShenHeDoctorCode),
        Text("HuiZhenDoctor",       50, "会诊医生",     S::State,             "Cbx_HuiZhenDoctor",     13, &R::FHuiZhenDoctor),
        Text("HuizhenDoctorCode",   50, "会诊医生代码", S::None,              nullptr,                  0, &R::FHuizhenDoctorCode),
        Date("ReportDate",              "报告日期",     S::State,             "L_ReportDate",          14, &R::FReportDate),
        Date("shenHeDate",              "审核日期",     S::State,             "L_ShenHeDate",          15, &R::FshenHeDate),
        Date("HuiZhenDate",             "会诊日期",     S::None,              nullptr,                  0, &R::FHuiZhenDate),
        Number("PrintedCont",           "打印次数",     S::None,                                           &R::FPrintedCont),
        Flag("YinYangXing",             "阳性",         S::Other,             "Check_YinYiang",        16, &R::FYinYangXing),
        Text("WeiJiValue",         500, "危急值",       S::Other,             "edt_weiJiZhi",          17, &R::FWeiJiValue),
        Text("BeiZhu",               0, "备注",         S::Remark,            "memo_beizhu",           18, &R::FBeiZhu),
        Text("lczd",                 0, "临床诊断",     S::ClinicalDiagnosis, "memo_lczd",             19, &R::Flczd),
        Date("CreateTime",              "创建时间",     S::None,              nullptr,                  0, nullptr),
        Text("jcpart",            2000, "检查部位",     S::Part,              "Memo_jcpart",            3, &R::Fjcpart),
        Text("jcpartcode",        2000, "检查部位代码", S::None,              nullptr,                  0, &R::FjcPartcode),
        Text("kgjLBaseLine",        50, "左侧基线",     S::HipJoint,          "Cbx_kgj_Left_BaseLine", 20, &R::FkgjLBaseLine),
        Text("kgjLKjgd",            50, "左侧髋臼骨顶", S::HipJoint,          "Cbx_kgj_Left_kjgd",     21, &R::FkgjLKjgd),
        Text("kgjLGxtq",            50, "左侧骨性突起", S::HipJoint,          "Cbx_kgj_Left_gxtq",     22, &R::FkgjLGxtq),
        Text("kgjLRgyc",            50, "左侧软骨盂唇", S::HipJoint,          "Cbx_kgj_Left_rgyc",     23, &R::FkgjLRgyc),
        Text("kgjLGxzx",            50, "左侧骨化中心", S::HipJoint,          "Cbx_kgj_Left_gxzx",     24, &R::FkgjLGxzx),
        Text("kgjRBaseLine",        50, "右侧基线",     S::HipJoint,          "Cbx_kgj_Right_BaseLine", 25, &R::FkgjRBaseLine),
        Text("kgjRKjgd",            50, "右侧髋臼骨顶", S::HipJoint,          "Cbx_kgj_Right_kjgd",    26, &R::FkgjRKjgd),
        Text("kgjRGxtq",            50, "右侧骨性突起", S::HipJoint,          "Cbx_kgj_Right_gxtq",    27, &R::FkgjRGxtq),
        Text("kgjRRgyc",            50, "右侧软骨盂唇", S::HipJoint,          "Cbx_kgj_Right_rgyc",    28, &R::FkgjRRgyc),
        Text("kgjRGxzx",            50, "右侧骨化中心", S::HipJoint,          "Cbx_kgj_Right_gxzx",    29, &R::FkgjRGxzx),
        Text("kgjL_A",              50, "左侧α角",      S::HipJoint,          "Cbx_kgj_Left_α",        30, &R::FkgjL_A),
        Text("kgjL_B",              50, "左侧β角",      S::HipJoint,          "Cbx_kgj_Left_β",        32, &R::FkgjL_B),
        Text("kgjR_A",              50, "右侧α角",      S::HipJoint,          "Cbx_kgj_Right_α",       31, &R::FkgjR_A),
        Text("kgjR_B",              50, "右侧β角",      S::HipJoint,          "Cbx_kgj_Right_β",       33, &R::FkgjR_B),
    };
    return columns;
}

namespace {

// The load statement's historic layout: the column list breaks after these columns (1-based),
// and each line starts as written here. Columns added later join the last line.
constexpr int kLineEnds[] = {9, 18, 24, 31};
const char* const kLineStarts[] = {"SELECT  ", " ", " ", " ", "  "};

// Members of one access level are laid out in declaration order, so the offset of a field
// inside a record gives its place in TReportInfo.
std::ptrdiff_t FieldOffset(const TReportColumn& c)
{
    static const TReportInfo probe;
    const void* at = c.text      ? static_cast<const void*>(&(probe.*c.text))
                     : c.integer ? static_cast<const void*>(&(probe.*c.integer))
                     : c.date    ? static_cast<const void*>(&(probe.*c.date))
                                 : static_cast<const void*>(&(probe.*c.flag));
    return static_cast<const char*>(at) - reinterpret_cast<const char*>(&probe);
}

} // namespace

const QList<const TReportColumn*>& ReportRecordColumns()
{
    static const QList<const TReportColumn*> ordered = [] {
        QList<const TReportColumn*> r;
        for (const TReportColumn& c : ReportColumnTable())
            if (c.HasField()) r << &c;
        std::stable_sort(r.begin(), r.end(), [](auto* a, auto* b) { return FieldOffset(*a) < FieldOffset(*b); });
        return r;
    }();
    return ordered;
}

const TReportColumn* FindReportColumn(QStringView name)
{
    for (const TReportColumn& c : ReportColumnTable())
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

QString ReportColumnLabel(QStringView name)
{
    const TReportColumn* c = FindReportColumn(name);
    return c ? c->Label() : QString();
}

const char* ReportSectionPanel(TReportSection section)
{
    switch (section) {
    case S::None: return nullptr;
    case S::Items: return "panel_jcitem";
    case S::Method: return "panel_jcmethod";
    case S::Part: return "panel_jcpart";
    case S::ClinicalDiagnosis: return "panel_lczd";
    case S::HipJoint: return "Panel_kuanGuanJie";
    case S::Findings: return "panel_yxbx";
    case S::Impression: return "panel_zdyx";
    case S::Suggestion: return "Panel_JianYi";
    case S::Remark: return "panel_beizhu";
    case S::Other: return "Panel_Other";
    case S::State: return "panel_reportState";
    }
    return nullptr;
}

QStringList ReportSelectSql(const QString& ruid)
{
    const QList<TReportColumn>& columns = ReportColumnTable();
    QStringList lines;
    QString line = QLatin1String(kLineStarts[0]);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const int position = int(i) + 1;
        line += QLatin1String(columns.at(i).name);
        const bool lineEnd = std::find(std::begin(kLineEnds), std::end(kLineEnds), position) != std::end(kLineEnds);
        if (lineEnd) {
            lines << line + QLatin1Char(',');
            line = QLatin1String(kLineStarts[lines.size()]);
        } else if (position < columns.size()) {
            line += position == 1 ? QLatin1String(", ") : QLatin1String(",");
        }
    }
    lines << line + QLatin1String(" FROM Report");
    // Older workstations left some GUIDs on several rows: the newest one is the report.
    lines << QStringLiteral(" where 1=1 and  ruid=") + QuotedStr(ruid) + QStringLiteral(" order by CreateTime desc");
    return lines;
}

void ReadReportColumn(const TDbQuery& q, const TReportColumn& c, TReportInfo& r)
{
    if (!c.HasField()) return;
    const TDbValue v = q.FieldByName(QLatin1String(c.name));
    switch (c.kind) {
    case TColumnKind::Text:
    case TColumnKind::RichText: r.*c.text = report_text::TrimText(v.AsString()); break;
    case TColumnKind::Integer: r.*c.integer = v.AsInteger(); break;
    case TColumnKind::DateTime: r.*c.date = v.AsDateTime(); break;
    case TColumnKind::Flag: r.*c.flag = v.AsBoolean(); break;
    }
}

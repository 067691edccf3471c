// SPDX-License-Identifier: MIT
#include "ReportLimits.h"

const QList<TReportColumnLimit>& ReportColumnLimits()
{
    using R = TReportInfo;
    static const QList<TReportColumnLimit> limits{
        {"ruid", "报告标识", 100, &R::FRuid},
        {"Accnu", "检查号", 100, &R::FAccnu},
        {"nbid", "内部号", 100, &R::Fnbid},
        {"jcMethod", "检查方法", 500, &R::FjcMethod},
        {"ItemName", "检查项目", 2000, &R::FItemName},
        {"ItemCode", "检查项目代码", 2000, &R::FItemCode},
        {"JCDaLei", "检查大类", 100, &R::FJCDaLei},
        {"jcTuJing", "检查途径", 100, &R::FjcTuJing},
        {"ImgQuality", "图像质量", 100, &R::FImgQuality},
        {"TanTouRate", "探头频率", 100, &R::FTanTouRate},
        {"TiXing", "体型", 100, &R::FTiXing},
        {"ExamDoctor", "检查医生", 50, &R::FExamDoctor},
        {"ExamDoctorCode", "检查医生代码", 50, &R::FExamDoctorCode},
        {"ReportDoctor", "报告医生", 50, &R::FReportDoctor},
        {"ReportDoctorCode", "报告医生代码", 50, &R::FReportDoctorCode},
        {"ShenHeDoctor", "审核医生", 50, &R::FShenHeDoctor},
        {"ShenHeDoctorCode", "审核医生代码", 50, &R::FShenHeDoctorCode},
        {"HuiZhenDoctor", "会诊医生", 50, &R::FHuiZhenDoctor},
        {"HuizhenDoctorCode", "会诊医生代码", 50, &R::FHuizhenDoctorCode},
        {"WeiJiValue", "危急值", 500, &R::FWeiJiValue},
        {"jcpart", "检查部位", 2000, &R::Fjcpart},
        {"jcpartcode", "检查部位代码", 2000, &R::FjcPartcode},
        {"kgjLBaseLine", "左侧基线", 50, &R::FkgjLBaseLine},
        {"kgjLKjgd", "左侧髋臼骨顶", 50, &R::FkgjLKjgd},
        {"kgjLGxtq", "左侧骨性突起", 50, &R::FkgjLGxtq},
        {"kgjLRgyc", "左侧软骨盂唇", 50, &R::FkgjLRgyc},
        {"kgjLGxzx", "左侧骨化中心", 50, &R::FkgjLGxzx},
        {"kgjRBaseLine", "右侧基线", 50, &R::FkgjRBaseLine},
        {"kgjRKjgd", "右侧髋臼骨顶", 50, &R::FkgjRKjgd},
        {"kgjRGxtq", "右侧骨性突起", 50, &R::FkgjRGxtq},
        {"kgjRRgyc", "右侧软骨盂唇", 50, &R::FkgjRRgyc},
        {"kgjRGxzx", "右侧骨化中心", 50, &R::FkgjRGxzx},
        {"kgjL_A", "左侧α角", 50, &R::FkgjL_A},
        {"kgjR_A", "右侧α角", 50, &R::FkgjR_A},
        {"kgjL_B", "左侧β角", 50, &R::FkgjL_B},
        {"kgjR_B", "右侧β角", 50, &R::FkgjR_B},
    };
    return limits;
}

QString ReportFieldTooLong(const TReportInfo& r)
{
    for (const TReportColumnLimit& l : ReportColumnLimits()) {
        const qsizetype length = (r.*l.field).size();
        if (length > l.maxLength)
            return QStringLiteral("“%1”(%2) 有 %3 个字符，最多 %4 个")
                .arg(QString::fromUtf8(l.label), QLatin1String(l.column))
                .arg(length)
                .arg(l.maxLength);
    }
    return {};
}

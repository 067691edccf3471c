// SPDX-License-Identifier: MIT
#include "ReportData.h"

namespace {
const QString kLoadTitle = QStringLiteral("ReportForm.GetReportInfoFrom");

// Trims characters with codes up to 32 at both ends, as the stored texts are compared and
// shown without their padding.
QString TrimText(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}
} // namespace

void TReportData::Write_Log_TomfmAndLogbpl(const QString& logtitle, const QString& logvalue)
{
    MainForm()->WriteLogByBpl(logtitle, logvalue);
}

QStringList TReportData::ReportSelectSql(const QString& ruid)
{
    return {
        QStringLiteral("SELECT  ruid, Accnu,nbid,jcMethod,ItemName,ItemCode,JCDaLei,jcTuJing,ImgQuality,"),
        QStringLiteral(" SuoJian,JieLun,JianYi,rtf_SuoJian,rtf_JieLun,ReportState,TanTouRate,TiXing,ExamDoctor,"),
        QStringLiteral(" ExamDoctorCode,ReportDoctor,ReportDoctorCode,ShenHeDoctor,ShenHeDoctorCode,HuiZhenDoctor,"),
        QStringLiteral(" HuizhenDoctorCode,ReportDate,shenHeDate,HuiZhenDate,PrintedCont,YinYangXing,WeiJiValue,"),
        QStringLiteral("  BeiZhu,lczd,CreateTime,jcpart,jcpartcode,kgjLBaseLine,kgjLKjgd,kgjLGxtq,kgjLRgyc,kgjLGxzx,"
                       "kgjRBaseLine,kgjRKjgd,kgjRGxtq,kgjRRgyc,kgjRGxzx,kgjL_A,kgjL_B,kgjR_A,kgjR_B FROM Report"),
        // Older workstations left some GUIDs on several rows: the newest one is the report.
        QStringLiteral(" where 1=1 and  ruid=") + QuotedStr(ruid) + QStringLiteral(" order by CreateTime desc"),
    };
}

void TReportData::CompleteReportDefaults(TReportInfo&) {}

void TReportData::GetReportInfoFromRuid(const QString& ruid, TReportInfo& Rpt_info)
{
    std::unique_ptr<TDbQuery> qry;
    FLoadOutcome = TLoadOutcome::Failed;
    FLoadedStamp = TRowStamp();
    FLoadedStampRuid.clear();
    try {
        FmainConnection = DataModule()->GetMainAdoConnection();
        if (!FmainConnection) throw EDatabaseError(QStringLiteral("The host supplied no database connection"));
        // The stamp first: a save landing between the two reads then makes this copy look
        // older than it is (a needless question at save), never newer (a lost save).
        FLoadedStamp = ReadRowStamp(*FmainConnection, ruid);
        FLoadedStampRuid = ruid;
        qry = FmainConnection->CreateQuery();
        qry->Close();
        qry->SQL().clear();
        qry->SQL() = ReportSelectSql(ruid);

        QString logged = QStringLiteral("获取指定的报告内容,sql:\r\n");
        for (const QString& line : qry->SQL()) logged += line + QStringLiteral("\r\n");
        Write_Log_TomfmAndLogbpl(kLoadTitle, logged);

        qry->Open();
        if (qry->RecordCount() < 1) {
            Write_Log_TomfmAndLogbpl(kLoadTitle, QStringLiteral("没有找到符合条件的报告内容ruid=") + ruid);
            FLoadOutcome = TLoadOutcome::NotFound;
        } else {
            if (qry->RecordCount() > 1)
                Write_Log_TomfmAndLogbpl(kLoadTitle, QStringLiteral("ruid=%1 有 %2 行报告记录，读取 CreateTime 最新的一行")
                                                         .arg(ruid)
                                                         .arg(qry->RecordCount()));
            qry->First();
            // From here on a failure leaves a partly read row in the record.
            FLoadOutcome = TLoadOutcome::FailedAfterRowFound;
            auto text = [&](const char* column) { return TrimText(qry->FieldByName(QLatin1String(column)).AsString()); };
            Rpt_info.FRuid = ruid;
            Rpt_info.FAccnu = text("Accnu");
            Rpt_info.Fnbid = text("nbid");
            Rpt_info.FjcMethod = text("jcMethod");
            Rpt_info.FItemName = text("ItemName");
            Rpt_info.FItemCode = text("ItemCode");
            Rpt_info.FJCDaLei = text("JCDaLei");
            Rpt_info.FjcTuJing = text("jcTuJing");
            Rpt_info.FImgQuality = text("ImgQuality");
            Rpt_info.FSuoJian = text("SuoJian");
            Rpt_info.FJieLun = text("JieLun");
            Rpt_info.FJianYi = text("JianYi");
            Rpt_info.Frtf_SuoJian = text("rtf_SuoJian");
            Rpt_info.Frtf_JieLun = text("rtf_JieLun");
            Rpt_info.FReportState = qry->FieldByName(QStringLiteral("ReportState")).AsInteger();
            Rpt_info.FTanTouRate = text("TanTouRate");
            Rpt_info.FTiXing = text("TiXing");
            Rpt_info.FExamDoctor = text("ExamDoctor");
            Rpt_info.FExamDoctorCode = text("ExamDoctorCode");
            Rpt_info.FReportDoctor = text("ReportDoctor");
            Rpt_info.FReportDoctorCode = text("ReportDoctorCode");
            Rpt_info.FShenHeDoctor = text("ShenHeDoctor");
            Rpt_info.FShenHeDoctorCode = text("ShenHeDoctorCode");
            Rpt_info.FHuiZhenDoctor = text("HuiZhenDoctor");
            Rpt_info.FHuizhenDoctorCode = text("HuizhenDoctorCode");
            Rpt_info.FReportDate = qry->FieldByName(QStringLiteral("ReportDate")).AsDateTime();
            Rpt_info.FshenHeDate = qry->FieldByName(QStringLiteral("shenHeDate")).AsDateTime();
            Rpt_info.FHuiZhenDate = qry->FieldByName(QStringLiteral("HuiZhenDate")).AsDateTime();
            Rpt_info.FPrintedCont = qry->FieldByName(QStringLiteral("PrintedCont")).AsInteger();
            Rpt_info.FYinYangXing = qry->FieldByName(QStringLiteral("YinYangXing")).AsBoolean();
            Rpt_info.FWeiJiValue = text("WeiJiValue");
            Rpt_info.FBeiZhu = text("BeiZhu");
            Rpt_info.Flczd = text("lczd");
            Rpt_info.Fjcpart = text("jcpart");
            Rpt_info.FjcPartcode = text("jcpartcode");

            CompleteReportDefaults(Rpt_info);

            Rpt_info.FkgjLBaseLine = text("kgjLBaseLine");
            Rpt_info.FkgjLKjgd = text("kgjLKjgd");
            Rpt_info.FkgjLGxtq = text("kgjLGxtq");
            Rpt_info.FkgjLRgyc = text("kgjLRgyc");
            Rpt_info.FkgjLGxzx = text("kgjLGxzx");
            Rpt_info.FkgjRBaseLine = text("kgjRBaseLine");
            Rpt_info.FkgjRKjgd = text("kgjRKjgd");
            Rpt_info.FkgjRGxtq = text("kgjRGxtq");
            Rpt_info.FkgjRRgyc = text("kgjRRgyc");
            Rpt_info.FkgjRGxzx = text("kgjRGxzx");
            Rpt_info.FkgjL_A = text("kgjL_A");
            Rpt_info.FkgjR_A = text("kgjR_A");
            Rpt_info.FkgjL_B = text("kgjL_B");
            Rpt_info.FkgjR_B = text("kgjR_B");
            FLoadOutcome = TLoadOutcome::Loaded;
        }
        qry->Close();
    } catch (const Exception& e) {
        Write_Log_TomfmAndLogbpl(kLoadTitle, QStringLiteral("异常:") + e.Message());
    } catch (const std::exception& e) {
        Write_Log_TomfmAndLogbpl(kLoadTitle, QStringLiteral("异常:") + QString::fromUtf8(e.what()));
    }
}

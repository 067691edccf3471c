// SPDX-License-Identifier: MIT
#include "ReportData.h"
#include "ReportColumns.h"

namespace {
const QString kLoadTitle = QStringLiteral("ReportForm.GetReportInfoFrom");
} // namespace

void TReportData::Write_Log_TomfmAndLogbpl(const QString& logtitle, const QString& logvalue)
{
    MainForm()->WriteLogByBpl(logtitle, logvalue);
}

QStringList TReportData::ReportSelectSql(const QString& ruid) { return ::ReportSelectSql(ruid); }

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
            ReadLoadedRow(*qry, ruid, Rpt_info);
            FLoadOutcome = TLoadOutcome::Loaded;
        }
        qry->Close();
    } catch (const Exception& e) {
        Write_Log_TomfmAndLogbpl(kLoadTitle, QStringLiteral("异常:") + e.Message());
    } catch (const std::exception& e) {
        Write_Log_TomfmAndLogbpl(kLoadTitle, QStringLiteral("异常:") + QString::fromUtf8(e.what()));
    }
}

void TReportData::ReadLoadedRow(const TDbQuery& qry, const QString& ruid, TReportInfo& Rpt_info)
{
    // The record takes the GUID as asked for, not as stored; the defaults step comes between
    // the other fields and the hip-joint values.
    for (const TReportColumn* c : ReportRecordColumns()) {
        if (c->text == &TReportInfo::FRuid)
            Rpt_info.FRuid = ruid;
        else if (c->section != TReportSection::HipJoint)
            ReadReportColumn(qry, *c, Rpt_info);
    }
    CompleteReportDefaults(Rpt_info);
    for (const TReportColumn* c : ReportRecordColumns())
        if (c->section == TReportSection::HipJoint) ReadReportColumn(qry, *c, Rpt_info);
}

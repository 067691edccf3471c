// SPDX-License-Identifier: MIT
// Exam-item auto-binding: the database binds the free registered items of an accession to
// a report page and names them.
#include "ReportData.h"
#include "ReportText.h"

using report_text::NonNull;
using report_text::RequireConnection;

QString TReportData::AutoSetDengjiedAndCanBindItemToCurrentReport(const QString& uaccnu, const QString& rpguid)
{
    static const QString procName = QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst");
    try {
        FmainConnection = DataModule()->GetMainAdoConnection();
        std::unique_ptr<TDbStoredProc> sp = RequireConnection(FmainConnection).CreateStoredProc();
        sp->SetProcedureName(procName);
        sp->RefreshParameters();
        sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(NonNull(uaccnu));
        sp->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(NonNull(rpguid));
        sp->ParamByName(QStringLiteral("@OutItemFirstName")).SetAsString(NonNull(QString()));
        sp->SetPrepared(true);
        sp->ExecProc();
        const QString items = sp->ParamByName(QStringLiteral("@OutItemFirstName")).Value.AsString();
        sp->Close();
        Write_Log_TomfmAndLogbpl(
            QStringLiteral("TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport-sp_GetAllItemsFromAccnu_DefaustFirst"),
            QStringLiteral("执行 %1(@Accnu=%2, @ReportGuid=%3), 返回检查项目:%4").arg(procName, uaccnu, rpguid, items));
        return items;
    } catch (const Exception& e) {
        Write_Log_TomfmAndLogbpl(QStringLiteral(" TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport"),
                                 QStringLiteral("异常:") + e.Message());
    } catch (const std::exception& e) {
        Write_Log_TomfmAndLogbpl(QStringLiteral(" TReportForm.AutoSetDengjiedAndCanBindItemToCurrentReport"),
                                 QStringLiteral("异常:") + QString::fromUtf8(e.what()));
    }
    return QString();
}

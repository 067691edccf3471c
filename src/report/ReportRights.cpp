// SPDX-License-Identifier: MIT
// The one check of whether a save may change a final report (state 5 and above).
#include "ReportData.h"
#include "platform/Exception.h"

namespace {
const QString kEditSignedRight = QStringLiteral("修改已审核报告");
} // namespace

bool TReportData::MayChangeFinalReport()
{
    // The host answers for the logged-in user: its role's grants narrowed by the
    // workstation's own rules. A host that cannot answer grants nothing.
    try {
        IMainFrom* host = MainForm();
        return host && host->Get_UserOperateQuXian(kEditSignedRight) > 0;
    } catch (const Exception&) {
        return false;
    }
}

QString TReportData::FinalReportSaveRefusal(int storedState, int newState)
{
    if (!IsFinalReportState(storedState)) return {};
    if (!IsFinalReportState(newState))
        return QStringLiteral("这份报告已审核，保存不能撤销审核。需要撤销时请使用“撤销审核”。");
    if (!MayChangeFinalReport())
        return QStringLiteral("这份报告已审核，您没有“%1”的权限。").arg(kEditSignedRight);
    return {};
}

int StoredReportState(TDbConnection& conn, const QString& ruid)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT max(coalesce(ReportState, 0)) AS State, count(*) AS Rows FROM Report WHERE ruid=") + QuotedStr(ruid);
    q->Open();
    const int rows = q->FieldByName(QStringLiteral("Rows")).AsInteger();
    const int state = rows > 0 ? q->FieldByName(QStringLiteral("State")).AsInteger() : -1;
    q->Close();
    return state;
}

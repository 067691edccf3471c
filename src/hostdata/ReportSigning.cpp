// SPDX-License-Identifier: MIT
#include "ReportSigning.h"
#include "platform/DateTime.h"

namespace {

void Call(TDbConnection& conn, const QString& procedure, const QString& ruid, const TSigner& user)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(procedure);
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
    sp->ParamByName(QStringLiteral("@UserName")).SetAsString(user.name);
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(user.code);
    sp->ExecProc();
    sp->Close();
}

int IntegerOrZero(const TDbQuery& q, const QString& name)
{
    try {
        return q.FieldByName(name).AsInteger();
    } catch (const EConvertError&) {
        return 0;
    }
}

} // namespace

void SignReport(TDbConnection& conn, const QString& ruid, const TSigner& signer)
{
    Call(conn, QStringLiteral("sp_SignReport"), ruid, signer);
}

void WithdrawSignature(TDbConnection& conn, const QString& ruid, const TSigner& user)
{
    Call(conn, QStringLiteral("sp_WithdrawSignature"), ruid, user);
}

void CountPrint(TDbConnection& conn, const QString& ruid, const TSigner& user)
{
    Call(conn, QStringLiteral("sp_IncrementPrintCount"), ruid, user);
}

void NoteSignedEdit(TDbConnection& conn, const QString& ruid, const TSigner& user)
{
    Call(conn, QStringLiteral("sp_NoteSignedEdit"), ruid, user);
}

TReportSignState ReadSignState(TDbConnection& conn, const QString& ruid)
{
    // Only the state columns: the window asks this at every change of its actions, and a
    // row's texts may be tens of megabytes. SignedEdits exists only once upgrades/014 ran,
    // which the column list of an empty result tells without reading a row.
    auto probe = conn.CreateQuery();
    probe->SQL() << QStringLiteral("SELECT * FROM Report WHERE 1 = 0");
    probe->Open();
    const bool withSignedEdits = probe->FieldNames().contains(QStringLiteral("SignedEdits"), Qt::CaseInsensitive);
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT ReportState, PrintedCont%1 FROM Report WHERE ruid = %2")
                    .arg(withSignedEdits ? QStringLiteral(", SignedEdits") : QString(), QuotedStr(ruid));
    q->Open();
    if (q->Eof()) throw EDatabaseError(QStringLiteral("no report with GUID %1").arg(ruid));
    TReportSignState s;
    s.reportState = IntegerOrZero(*q, QStringLiteral("ReportState"));
    s.printedCount = IntegerOrZero(*q, QStringLiteral("PrintedCont"));
    if (withSignedEdits) s.signedEdits = IntegerOrZero(*q, QStringLiteral("SignedEdits"));
    return s;
}

QList<TReportEvent> ReadReportEvents(TDbConnection& conn, const QString& ruid)
{
    auto q = conn.CreateQuery();
    // SELECT *: Detail exists only once upgrades/025 ran.
    q->SQL() << QStringLiteral("SELECT * FROM ReportEvent")
             << QStringLiteral("WHERE ruid = %1 ORDER BY id").arg(QuotedStr(ruid));
    q->Open();
    QList<TReportEvent> events;
    for (; !q->Eof(); q->Next()) {
        TReportEvent e;
        e.event = q->FieldByName(QStringLiteral("Event")).AsString();
        e.userName = q->FieldByName(QStringLiteral("UserName")).AsString();
        e.userCode = q->FieldByName(QStringLiteral("UserCode")).AsString();
        try {
            e.time = DateTimeToQDateTime(q->FieldByName(QStringLiteral("EventTime")).AsDateTime());
        } catch (const EConvertError&) {
        }
        if (q->FieldNames().contains(QStringLiteral("Detail"), Qt::CaseInsensitive))
            e.detail = q->FieldByName(QStringLiteral("Detail")).AsString();
        events << e;
    }
    return events;
}

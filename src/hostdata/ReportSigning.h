// SPDX-License-Identifier: MIT
// A report's life after writing, on the database: signing (审核), withdrawing a signature,
// counting a print, and noting that a final report was changed. Each is one stored
// procedure, so the change is one atomic step on the server, whichever workstation and
// however many at once (sp_SignReport, sp_WithdrawSignature, sp_IncrementPrintCount,
// sp_NoteSignedEdit; db/*/procedures.sql). Each also writes a row of ReportEvent.
//
// Every function throws EDatabaseError with the database's message: for a report that does
// not exist, for signing a report that is already final and withdrawing one that is not.
// Permissions are the caller's business (HostPermissions). One connection per thread.
#pragma once
#include "hostdata/ReportStatus.h"
#include "platform/Database.h"
#include <QDateTime>
#include <QList>
#include <QString>

struct TSigner {
    QString name;   // the logged-in user's name, printed as review doctor
    QString code;
};

// ReportState := 5 with the signer as review doctor and code and now as review date.
void SignReport(TDbConnection& conn, const QString& ruid, const TSigner& signer);
// ReportState := 2 (written, waiting for review) for a final report.
void WithdrawSignature(TDbConnection& conn, const QString& ruid, const TSigner& user);
// PrintedCont := PrintedCont + 1.
void CountPrint(TDbConnection& conn, const QString& ruid, const TSigner& user);
// SignedEdits := SignedEdits + 1 for a final report that was saved again after unlocking.
void NoteSignedEdit(TDbConnection& conn, const QString& ruid, const TSigner& user);

struct TReportSignState {
    int reportState = 0;
    int printedCount = 0;
    int signedEdits = 0;
    bool IsFinal() const { return IsFinalReportState(reportState); }
};
// The state columns of a report; EDatabaseError when there is no such report.
TReportSignState ReadSignState(TDbConnection& conn, const QString& ruid);

struct TReportEvent {
    QString event;      // sign, withdraw, print, edit-signed, check-override
    QString userName, userCode;
    QDateTime time;
    QString detail;     // check-override: the rules and the reason given
};
// The report's events, oldest first.
QList<TReportEvent> ReadReportEvents(TDbConnection& conn, const QString& ruid);

// SPDX-License-Identifier: MIT
// Signing (审核) and withdrawing the signature, in the tool bar and the "审核与打印" menu
// (objectNames actionSign, actionWithdraw) and as the script commands sign / withdraw. Both
// ask for the user's password again. The database changes are made by stored procedures
// (hostdata/ReportSigning.h); the report is then opened again, so the editor holds the row
// as it now is and its next save neither undoes the change nor takes it for someone else's.
//
// A final report opens locked; unlocking it needs the right "修改已审核报告" and a
// confirmation (an unlock check of the session), and a changed save of it stays final and
// is counted (SignedEdits, ReportEvent). UI thread only; a child of the window.
#pragma once
#include "hostdata/PrintRecord.h"
#include <QObject>

class IHostContext;

class TSignActions final : public QObject {
    Q_OBJECT
public:
    explicit TSignActions(IHostContext& host);

    // Each answers false with a message (also in the status bar, and in a box where a
    // person must know).
    bool Sign(QString* error);
    bool Withdraw(QString* error);

private:
    // Whether the open report is final; false when none is open or the database cannot tell.
    bool OpenReportIsFinal();
    // Asks the logged-in user's password again before `what` (审核, 撤销审核); a wrong one is
    // counted like a failed log-in. False (with the reason shown) unless it was right.
    bool ConfirmPassword(const QString& what, const TPrintRecord& record, QString* error);
    bool BeforeUnlock(QString* error);
    // A critical value must have been told, and pass the site's second check ([Critical]
    // SecondCheck); false (and said so) otherwise.
    bool CriticalValueReady(const QString& ruid, const TPrintRecord& record, QString* error);
    void AfterSave(const QString& ruid, bool changed);

    IHostContext& m_host;
    QString m_unlockConfirmed;   // the final report whose unlocking the user confirmed
};

// The room's entry (app/HostRooms.cpp).
QList<struct TScriptCommandShape> SignScriptCommands();
void InstallSignRoom(IHostContext& host);

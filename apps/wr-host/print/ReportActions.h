// SPDX-License-Identifier: MIT
// The host's actions for a report's life after writing: sign (审核), withdraw the signature,
// print preview, print and PDF export, in the tool bar and the "审核与打印" menu (objectNames
// actionSign, actionWithdraw, actionPrintPreview, actionPrint, actionExportPdf). Every check
// of a right goes through one HostPermissions (PermissionsFor: the role's grants narrowed by
// the workstation's [Permissions]). Signing and withdrawing ask for the user's password again.
//
// The database changes of signing and printing are made by stored procedures
// (hostdata/ReportSigning.h); the report the editor has open is then opened again, so the
// editor holds the row as it now is and its next save neither undoes the change nor takes it
// for someone else's. A final report opens locked; unlocking it needs the right
// "修改已审核报告" and a confirmation, and a changed save of it stays final and is counted
// (SignedEdits, ReportEvent).
//
// Without a user (script mode, offscreen) no window waits: boxes go through the dialog
// service, a print goes to the given file or the default printer, a preview only lays out.
// UI thread only. Created by the host after the main window, as its child.
#pragma once
#include "hostdata/HostPermissions.h"
#include "hostdata/PrintRender.h"
#include "hostdata/ReportSigning.h"
#include <QObject>
#include <QTimer>

class QAction;
class QPagedPaintDevice;
class TConfigStore;
class THostMainForm;
struct THostLogin;

// The user's rights: what the role grants, less what [Permissions] of the configuration
// refuses.
HostPermissions PermissionsFor(const THostLogin& login, TConfigStore& config);
// The [Print] section as print settings (problems logged by the caller).
TPrintSettings PrintSettingsFromConfig(TConfigStore& config, QStringList* warnings = nullptr);

class TReportActions final : public QObject {
    Q_OBJECT
public:
    explicit TReportActions(THostMainForm& host);

    // Each answers false with a message (also in the status bar, and in a box where a
    // person must know).
    bool Sign(QString* error);
    bool Withdraw(QString* error);
    bool Preview(QString* error);
    // Prints through Qt's printer support; `toFile` non-empty prints into that PDF file
    // (as a printer set to print to a file does).
    bool Print(const QString& toFile, QString* error);
    // `file` empty: asks for one (not in headless runs).
    bool ExportPdf(const QString& file, QString* error);

private:
    void UpdateActions();
    bool Headless() const;
    HostPermissions Permissions() const;
    bool Refuse(THostOperation op, QString* error);
    // Asks the logged-in user's password again before `what` (审核, 撤销审核); a wrong one is
    // counted like a failed log-in. False (with the reason shown) unless it was right.
    bool ConfirmPassword(const QString& what, QString* error);
    bool Fail(const QString& what, const QString& message, QString* error);
    TSigner User() const;
    bool OpenReportRuid(QString* ruid, QString* error);
    // Offers to save edits not yet saved; false when the user declines or the save fails.
    bool EnsureSaved(const QString& action, QString* error);
    bool LoadRecord(const QString& ruid, TPrintRecord* record, QString* error);
    bool PaintOn(const TPrintRecord& record, QPagedPaintDevice& device, TPrintOutcome* out, QString* error);
    bool CountPrinted(const QString& ruid, QString* error);
    // Opens the report again; unlocks it again when it was unlocked.
    void Reopen(bool keepEditing);
    bool BeforeUnlock(QString* error);
    void AfterSave(bool changed);

    THostMainForm& m_host;
    QAction* m_sign = nullptr;
    QAction* m_withdraw = nullptr;
    QAction* m_preview = nullptr;
    QAction* m_print = nullptr;
    QAction* m_pdf = nullptr;
    QTimer m_updateTimer;
    QString m_unlockConfirmed;   // the final report whose unlocking the user confirmed
    bool m_reopening = false;
};

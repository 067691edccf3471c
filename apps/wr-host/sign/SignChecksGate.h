// SPDX-License-Identifier: MIT
// The checks before signing as the host runs them: the rule file read once per process
// (a site's own first, see hostdata/SignCheckReport.h; a file with an error is named with
// its line in the log and the status line at start, and then blocks every signature, since
// unchecked reports must not pass as checked), the findings of the saved report, and the one
// dialog (签发前检查) that shows them all with the words marked: "返回修改" is the default, a
// warning may be signed past with a reason, a block never. Before printing an unsigned
// report the same findings are shown as warnings, to print anyway or go back.
//
// In a script no window waits: the dialog is printed and takes the next queued answer,
// `answer fix` or `answer override REASON`. UI thread only.
#pragma once
#include "hostdata/SignChecks.h"
#include <QList>
#include <QString>

class IHostContext;
struct TScriptSession;

// The rules, read on first use; empty with *error set when the file is missing or refused.
const TSignCheckRules* HostCheckRules(IHostContext& host, QString* error);

// The findings of the saved report `ruid`; false (with the reason) when it cannot be read.
// A refused rule file gives one block finding (rule-file) quoting its message.
bool SavedReportFindings(IHostContext& host, const QString& ruid, QList<TCheckFinding>* findings, QString* error);

struct TCheckDecision {
    bool proceed = false;           // no findings, or warnings overridden (signing) / printing anyway
    QList<TCheckFinding> overridden; // the warnings signed past (to record with the reason)
    QString reason;
};

// Signing: findings shown, the doctor's choice returned. false (with the reason) when the
// report cannot be checked.
bool ChecksAtSigning(IHostContext& host, const QString& ruid, TCheckDecision* decision, QString* error);
// Printing an unsigned report: the findings as warnings.
bool ChecksBeforePrint(IHostContext& host, const QString& ruid, TCheckDecision* decision, QString* error);

// The script's `check`: one line per finding of the open report as saved,
// `check: block|warn RULE "WORDS"`, or `check: ok`. False when no report is open or it
// cannot be read.
bool PrintSignChecks(IHostContext& host, TScriptSession& script, QString* error);

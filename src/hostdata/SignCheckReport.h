// SPDX-License-Identifier: MIT
// The checks before signing on a report as saved in the database, where their rules live,
// and the record of a warning signed past.
//
// The findings and impression are the plain text of the saved rich texts (rtf_SuoJian,
// rtf_JieLun) read through the project's RTF reader, so positions are those of the editor's
// document made from the same RTF (one character per paragraph break); a report saved without
// RTF falls back to the plain columns. UI thread (the RTF reader builds a QTextDocument, which
// needs the GUI application); one connection per thread.
#pragma once
#include "ReportSigning.h"
#include "SignChecks.h"
#include "platform/Database.h"

// The report `ruid` as the checks see it: exam item and part, findings and impression,
// the positive flag (unset when NULL) and the patient's sex from Study. EDatabaseError when
// there is no such report.
TCheckInput ReadSavedReportForChecks(TDbConnection& conn, const QString& ruid);

// The plain text of an RTF text, as the editor's document holds it; text that is not RTF is
// returned as it is.
QString CheckPlainText(const QString& rtfOrText);

// Where the rule and item files are looked for, first match wins: the folder named by
// WRITEREPORT_CHECKS_DIR (a site's own rules), <program folder>/checks, the installed data
// folder (share/writereport/checks) and, for runs from a build, the source tree's copy.
// Empty arguments are left out.
QStringList CheckDataFolders(const QString& installedFolder, const QString& sourceFolder);
// The first folder's file of that name, or empty when none has it.
QString FindCheckDataFile(const QString& name, const QStringList& folders);

constexpr const char kSignCheckRulesFile[] = "sign-checks.rules";

// Records in ReportEvent ('check-override', with the rules and the reason in Detail) that the
// user signed past these warnings. Refused (EDatabaseError) without a reason or rules, and by
// the caller's check before that: a block is never overridden, so passing a block's rule
// throws ESignCheckRules without writing anything.
void RecordCheckOverride(TDbConnection& conn, const QString& ruid, const TSigner& user,
                         const QList<TCheckFinding>& findings, const QString& reason);

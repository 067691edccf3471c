// SPDX-License-Identifier: MIT
// The one dialog of the checks before signing (签发前检查, objectName checkDialog): every
// finding with its rule and the triggering words marked in their sentence, "返回修改"
// (btnCheckFix) the default, and "忽略提醒并审核" (btnCheckOverride) with the reason
// (edtCheckReason) it needs, offered only when no finding blocks. Before printing an
// unsigned report it reads 打印前检查 and offers "仍然打印" without a reason.
//
// Headless (a script, no screen) nothing waits: the findings are printed as
// `check dialog "CAPTION": block|warn RULE "WORDS"` lines and the next queued answer decides:
// `answer fix`, or `answer override REASON` (refused, as going back, when a finding blocks or
// no reason is given at signing). UI thread only.
#pragma once
#include "hostdata/SignChecks.h"
#include <QString>

class IHostContext;

struct TCheckAnswer {
    bool proceed = false;
    QString reason;
};

TCheckAnswer AskAboutFindings(IHostContext& host, const QList<TCheckFinding>& findings, const TCheckInput& text, bool printing);

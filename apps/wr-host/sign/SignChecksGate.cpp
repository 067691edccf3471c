// SPDX-License-Identifier: MIT
#include "sign/SignChecksGate.h"
#include "app/HostContext.h"
#include "app/InstallLayout.h"
#include "editor/EditorSession.h"
#include "hostdata/SignCheckReport.h"
#include "script/ScriptSession.h"
#include "sign/CheckDialog.h"
#include <memory>

#ifndef WR_HOST_SOURCE_CHECKS_DIR
#define WR_HOST_SOURCE_CHECKS_DIR ""
#endif

namespace {

struct TLoadedRules {
    std::unique_ptr<TSignCheckRules> rules;
    QString error;
};

} // namespace

const TSignCheckRules* HostCheckRules(IHostContext& host, QString* error)
{
    static TLoadedRules* loaded = nullptr;
    if (!loaded) {
        loaded = new TLoadedRules;
        const QStringList folders = CheckDataFolders(InstalledChecksFolder(), QStringLiteral(WR_HOST_SOURCE_CHECKS_DIR));
        const QString path = FindCheckDataFile(QString::fromLatin1(kSignCheckRulesFile), folders);
        try {
            if (path.isEmpty())
                throw ESignCheckRules(QStringLiteral("%1 not found in %2").arg(QString::fromLatin1(kSignCheckRulesFile),
                                                                               folders.join(QStringLiteral(", "))));
            loaded->rules = std::make_unique<TSignCheckRules>(TSignCheckRules::Load(path));
            host.Log(QStringLiteral("wr-host checks"), QStringLiteral("rules read from %1").arg(path));
        } catch (const ESignCheckRules& e) {
            loaded->error = e.Message();
            host.Log(QStringLiteral("wr-host checks"), QStringLiteral("rule file refused: %1").arg(e.Message()));
            host.Notify(QStringLiteral("签发前检查规则有错误，审核将被拦截：%1").arg(e.Message()));
        }
    }
    if (!loaded->rules) *error = loaded->error;
    return loaded->rules.get();
}

bool SavedReportFindings(IHostContext& host, const QString& ruid, QList<TCheckFinding>* findings, QString* error)
{
    QString rulesError;
    const TSignCheckRules* rules = HostCheckRules(host, &rulesError);
    findings->clear();
    if (!rules) {
        // Without valid rules nothing is checked, so nothing may pass as checked.
        findings->append({TCheckSeverity::Block, QStringLiteral("rule-file"), QStringLiteral("签发前检查规则有错误"), rulesError, {}});
        return true;
    }
    try {
        *findings = RunSignChecks(*rules, ReadSavedReportForChecks(host.Db(), ruid));
        return true;
    } catch (const Exception& e) {
        *error = e.Message();
        return false;
    }
}

namespace {

bool Decide(IHostContext& host, const QString& ruid, bool printing, TCheckDecision* decision, QString* error)
{
    QList<TCheckFinding> findings;
    if (!SavedReportFindings(host, ruid, &findings, error)) return false;
    *decision = {};
    if (findings.isEmpty()) {
        decision->proceed = true;
        return true;
    }
    if (printing)
        for (TCheckFinding& f : findings) f.severity = TCheckSeverity::Warn;
    TCheckInput text;
    try {
        text = ReadSavedReportForChecks(host.Db(), ruid);
    } catch (const Exception&) {
    }
    const TCheckAnswer answer = AskAboutFindings(host, findings, text, printing);
    decision->proceed = answer.proceed;
    decision->reason = answer.reason;
    if (answer.proceed) decision->overridden = findings;
    return true;
}

} // namespace

bool ChecksAtSigning(IHostContext& host, const QString& ruid, TCheckDecision* decision, QString* error)
{
    return Decide(host, ruid, false, decision, error);
}

bool ChecksBeforePrint(IHostContext& host, const QString& ruid, TCheckDecision* decision, QString* error)
{
    return Decide(host, ruid, true, decision, error);
}

bool PrintSignChecks(IHostContext& host, TScriptSession& script, QString* error)
{
    const QString ruid = host.Session().CurrentRuid();
    if (ruid.isEmpty()) {
        *error = QStringLiteral("no report is open");
        return false;
    }
    QList<TCheckFinding> findings;
    if (!SavedReportFindings(host, ruid, &findings, error)) return false;
    if (findings.isEmpty()) script.Print(QStringLiteral("check: ok"));
    for (const TCheckFinding& f : findings) script.Print(CheckLine(f));
    return true;
}

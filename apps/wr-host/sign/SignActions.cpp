// SPDX-License-Identifier: MIT
#include "sign/SignActions.h"
#include "app/HostContext.h"
#include "app/HostMessages.h"
#include "editor/EditorSession.h"
#include "editor/ReportTask.h"
#include "login/HostLogin.h"
#include "app/ConfigStore.h"
#include "hostdata/CriticalValues.h"
#include "hostdata/SignCheckReport.h"
#include "script/ScriptCommands.h"
#include "sign/SignChecksGate.h"
#include <QWidget>

TSignActions::TSignActions(IHostContext& host) : QObject(host.Window()), m_host(host)
{
    setObjectName(QStringLiteral("signActions"));
    host.AddMenu("menuSignPrint", QStringLiteral("审核与打印(&P)"));
    host.AddActions({
        {"actionSign", QStringLiteral("审核"), QKeySequence(Qt::Key_F8), QStyle::SP_DialogApplyButton,
         [this] { QString e; Sign(&e); },
         [this] { return !m_host.Session().CurrentRuid().isEmpty() && !OpenReportIsFinal()
                         && m_host.Rights().Allowed(THostOperation::SignReport); },
         "menuSignPrint", true},
        {"actionWithdraw", QStringLiteral("撤销审核"), QKeySequence(), QStyle::SP_DialogResetButton,
         [this] { QString e; Withdraw(&e); },
         [this] { return !m_host.Session().CurrentRuid().isEmpty() && OpenReportIsFinal()
                         && m_host.Rights().Allowed(THostOperation::WithdrawSignature); },
         "menuSignPrint"},
    });
    TEditorSession& session = host.Session();
    session.AddUnlockCheck([this](QString* error) { return BeforeUnlock(error); });
    connect(&session, &TEditorSession::reportSaved, this, &TSignActions::AfterSave);
}

bool TSignActions::OpenReportIsFinal()
{
    const QString ruid = m_host.Session().CurrentRuid();
    if (ruid.isEmpty()) return false;
    try {
        return ReadSignState(m_host.Db(), ruid).IsFinal();
    } catch (const Exception&) {
        return false;
    }
}

bool TSignActions::ConfirmPassword(const QString& what, const TPrintRecord& record, QString* error)
{
    QString reason;
    const auto log = [this](const QString& line) { m_host.Log(QStringLiteral("wr-host login"), line); };
    // The doctor sees which report the signature goes on.
    QStringList subject{record.patientName, record.accnu, record.itemName};
    subject.removeAll(QString());
    if (ConfirmUserPassword(m_host.Db(), m_host.User(), what, m_host.Window(), log, &reason, subject.join(QLatin1Char(' '))))
        return true;
    return TaskFail(m_host, what, reason, error);
}

bool TSignActions::Sign(QString* error)
{
    TEditorSession& session = m_host.Session();
    QString ruid;
    if (!TaskOpenRuid(m_host, &ruid, error)) return false;
    if (TaskRefused(m_host, THostOperation::SignReport, error)) return false;
    // Pending edits are part of what is signed.
    if (session.HasUnsavedChanges() && !session.Save(error)) return false;
    TPrintRecord record;
    if (!TaskLoadRecord(m_host, ruid, &record, error)) return false;
    if (record.IsFinal()) return TaskFail(m_host, QStringLiteral("审核"), QStringLiteral("报告已审核。"), error);
    if ((record.suoJian + record.jieLun + record.rtfSuoJian + record.rtfJieLun).trimmed().isEmpty())
        return TaskFail(m_host, QStringLiteral("审核"), QStringLiteral("报告还没有影像表现和诊断印像，不能审核。"), error);
    TCheckDecision checks;
    if (!ChecksAtSigning(m_host, ruid, &checks, error)) return TaskFail(m_host, QStringLiteral("审核"), *error, error);
    if (!checks.proceed) {
        *error = QStringLiteral("the checks before signing sent the report back for changes");
        m_host.Notify(QStringLiteral("签发前检查：请修改报告后再审核。"));
        return false;
    }
    if (!CriticalValueReady(ruid, record, error)) return false;
    // The signature is the person's, not the workstation's: the password again, now.
    if (!ConfirmPassword(QStringLiteral("审核"), record, error)) return false;
    try {
        // The reason goes in first: a signature past a warning never stands without it.
        if (!checks.overridden.isEmpty()) RecordCheckOverride(m_host.Db(), ruid, TaskSigner(m_host), checks.overridden, checks.reason);
        SignReport(m_host.Db(), ruid, TaskSigner(m_host));
    } catch (const Exception& e) {
        return TaskFail(m_host, QStringLiteral("审核"), e.Message(), error);
    }
    m_host.Log(QStringLiteral("wr-host sign"), QStringLiteral("report %1 signed by %2").arg(ruid, TaskSigner(m_host).code));
    m_unlockConfirmed.clear();
    session.Reopen(false);
    m_host.Notify(QStringLiteral("报告已审核，审核医生：%1。").arg(TaskSigner(m_host).name));
    return true;
}

bool TSignActions::CriticalValueReady(const QString& ruid, const TPrintRecord& record, QString* error)
{
    if (!HasCriticalValue(record.weiJiValue)) return true;
    const QString what = QStringLiteral("审核");
    try {
        if (ReadCriticalNotices(m_host.Db(), ruid).isEmpty())
            return TaskFail(m_host, what,
                            QStringLiteral("报告有危急值（%1），尚未通知临床。请先“通知危急值”并由接收人复读确认，再审核。").arg(record.weiJiValue), error);
        const QString setting = m_host.Config().ReadString(QStringLiteral("Critical"), QStringLiteral("SecondCheck"));
        const std::optional<TSecondCheck> rule = ParseSecondCheck(setting);
        if (!rule)
            m_host.Log(QStringLiteral("wr-host sign"), QStringLiteral("[Critical] SecondCheck=%1 is unknown: second-doctor-or-twice applies").arg(setting));
        switch (SecondCheckForReport(m_host.Db(), ruid, rule.value_or(TSecondCheck::SecondDoctorOrTwice), TaskSigner(m_host).code)) {
        case TSecondCheckVerdict::Allowed:
            return true;
        case TSecondCheckVerdict::Refused:
            return TaskFail(m_host, what, QStringLiteral("危急值报告须由另一位医生审核（双人核对）。"), error);
        case TSecondCheckVerdict::ConfirmTwice:
            break;
        }
    } catch (const Exception& e) {
        return TaskFail(m_host, what, e.Message(), error);
    }
    // Working alone: the same doctor confirms the release twice.
    for (int i = 1; i <= 2; ++i) {
        if (!AskYes(m_host.Window(), QStringLiteral("危急值二次确认"),
                    QStringLiteral("危急值报告（%1）由您本人书写，没有第二位医生核对。\n第 %2 次确认：已再次核对危急值和报告内容，确定审核吗？")
                        .arg(record.weiJiValue).arg(i))) {
            *error = QStringLiteral("the second check of the critical report was not confirmed");
            m_host.Notify(QStringLiteral("危急值报告未经二次确认，没有审核。"));
            return false;
        }
    }
    return true;
}

bool TSignActions::Withdraw(QString* error)
{
    TEditorSession& session = m_host.Session();
    QString ruid;
    if (!TaskOpenRuid(m_host, &ruid, error)) return false;
    if (TaskRefused(m_host, THostOperation::WithdrawSignature, error)) return false;
    if (!session.EnsureSaved(QStringLiteral("撤销审核"), error)) return false;
    if (!AskYes(m_host.Window(), QStringLiteral("撤销审核"),
                QStringLiteral("撤销审核后报告回到待审核状态，需要重新审核。确定撤销吗？"))) {
        *error = QStringLiteral("withdrawing the signature was cancelled");
        m_host.Notify(QStringLiteral("没有撤销审核。"));
        return false;
    }
    TPrintRecord record;
    if (!TaskLoadRecord(m_host, ruid, &record, error)) return false;
    if (!ConfirmPassword(QStringLiteral("撤销审核"), record, error)) return false;
    try {
        WithdrawSignature(m_host.Db(), ruid, TaskSigner(m_host));
    } catch (const Exception& e) {
        return TaskFail(m_host, QStringLiteral("撤销审核"), e.Message(), error);
    }
    m_host.Log(QStringLiteral("wr-host sign"),
               QStringLiteral("signature of report %1 withdrawn by %2").arg(ruid, TaskSigner(m_host).code));
    m_unlockConfirmed.clear();
    session.Reopen(false);
    m_host.Notify(QStringLiteral("已撤销审核，报告回到待审核状态。"));
    return true;
}

bool TSignActions::BeforeUnlock(QString* error)
{
    const QString ruid = m_host.Session().CurrentRuid();
    TReportSignState state;
    try {
        state = ReadSignState(m_host.Db(), ruid);
    } catch (const Exception& e) {
        // The editor has the report on screen; a database that cannot tell its state now
        // must not keep the doctor from the text (a save meets the same database and says so).
        m_host.Log(QStringLiteral("wr-host unlock"), QStringLiteral("report state unknown: %1").arg(e.Message()));
        return true;
    }
    if (!state.IsFinal()) return true;
    if (TaskRefused(m_host, THostOperation::EditSignedReport, error)) return false;
    if (m_host.Session().Reopening() && m_unlockConfirmed.compare(ruid, Qt::CaseInsensitive) == 0) return true;
    if (!AskYes(m_host.Window(), QStringLiteral("修改已审核报告"),
                QStringLiteral("该报告已审核。解锁修改并保存后，报告仍为已审核状态，"
                               "并在工作列表和报告历史中标记为审核后修改。确定解锁吗？"))) {
        *error = QStringLiteral("unlocking the final report was cancelled");
        m_host.Notify(QStringLiteral("已审核的报告保持锁定。"));
        return false;
    }
    m_unlockConfirmed = ruid;
    return true;
}

void TSignActions::AfterSave(const QString& ruid, bool changed)
{
    if (!changed || m_unlockConfirmed.compare(ruid, Qt::CaseInsensitive) != 0) return;
    try {
        TDbConnection& conn = m_host.Db();
        if (!ReadSignState(conn, ruid).IsFinal()) return;
        NoteSignedEdit(conn, ruid, TaskSigner(m_host));
    } catch (const Exception& e) {
        m_host.Notify(QStringLiteral("报告已保存，但审核后修改的标记没有记入数据库：%1").arg(e.Message()));
        return;
    }
    m_host.Session().Reopen(true);
    m_host.Notify(QStringLiteral("已审核的报告已保存，并标记为审核后修改。"));
}

QList<TScriptCommandShape> SignScriptCommands() { return {{"sign", 0, 0, false, false}, {"withdraw", 0, 0, false, false}}; }

void InstallSignRoom(IHostContext& host)
{
    auto* actions = new TSignActions(host);
    TScriptCommands& commands = host.ScriptCommands();
    commands.Handle("sign", [actions](const TScriptCommand&, QString* error) { return actions->Sign(error); });
    commands.Handle("withdraw", [actions](const TScriptCommand&, QString* error) { return actions->Withdraw(error); });
}

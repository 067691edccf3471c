// SPDX-License-Identifier: MIT
#include "editor/EditorSession.h"
#include "editor/EditorDigest.h"
#include "app/HostLog.h"
#include "app/HostMessages.h"
#include "database/HostDataModule.h"
#include "hostdata/HostQueries.h"
#include "platform/DialogService.h"
#include "platform/InputComposition.h"
#include "platform/UserMessages.h"
#include <algorithm>
#include <QApplication>
#include <QTime>
#include <QWidget>

namespace {
const QString kErrorPrefix = QStringLiteral("异常:");
// Notices of the editor about what it shows (damaged rich text): no failure, but the doctor
// must read them.
const QString kNoticePrefix = QStringLiteral("警告:");
// A save the editor refused before writing (a signature made meanwhile, a report not read
// whole): no error of the database, but the report is not saved all the same.
const QString kRefusedPrefix = QStringLiteral("未保存:");
} // namespace

TEditorSession::TEditorSession(THostLog& log, THostDataModule& dataModule, THostLogin login, QObject* parent)
    : QObject(parent), m_log(log), m_dataModule(dataModule), m_login(std::move(login))
{
    setObjectName(QStringLiteral("editorSession"));
    // The editor reports its failures only as log lines; watch them while it is called.
    m_log.onEntry = [this](const QString&, const QString& message) {
        if (m_capturedErrors && (message.startsWith(kErrorPrefix) || message.startsWith(kRefusedPrefix)))
            m_capturedErrors->append(message);
        if (message.startsWith(kNoticePrefix)) m_openWarnings.append(message.mid(kNoticePrefix.size()));
    };
}

TEditorSession::~TEditorSession() { m_log.onEntry = nullptr; }

void TEditorSession::Attach(const TLoadedForm& form, const QString& className, IMainFrom* mainForm)
{
    m_form = form;
    m_formClassName = className;
    m_mainForm = mainForm;
    form.bpl->GetMainFormObject(mainForm, &m_dataModule);
}

void TEditorSession::Log(const QString& title, const QString& message) { m_log.Write(title, message); }

TFormCallResult TEditorSession::CallForm(const QString& what, const std::function<void()>& call)
{
    TFormCallResult r;
    QStringList captured;
    QStringList* outer = m_capturedErrors;
    m_capturedErrors = &captured;
    try {
        call();
    } catch (const Exception& e) {
        r.thrown = true;
        r.error = e.Message();
    } catch (const std::exception& e) {
        r.thrown = true;
        r.error = QString::fromLocal8Bit(e.what());
    } catch (...) {
        r.thrown = true;
        r.error = QStringLiteral("unknown error");
    }
    m_capturedErrors = outer;
    if (outer) outer->append(captured);
    if (r.thrown) Log(QStringLiteral("wr-host %1").arg(what), kErrorPrefix + r.error);
    else if (!captured.isEmpty()) r.error = captured.join(QLatin1String("; "));
    r.ok = !r.thrown && captured.isEmpty();
    return r;
}

void TEditorSession::ReportFailure(const QString& what, const TFormCallResult& r, bool editorShowsBox)
{
    // The doctor reads what happened and what to do; the driver's text and SQL are in the log.
    const QString shown = DatabaseErrorForUser(r.error);
    emit notice(QStringLiteral("%1失败：%2").arg(what, shown));
    if (r.thrown || !editorShowsBox) Tell(m_dialogParent, QStringLiteral("%1失败").arg(what), shown, TMsgIcon::Error);
}

bool TEditorSession::IsEdited()
{
    if (!m_form.report || m_currentRuid.isEmpty()) return false;
    bool edited = false;
    CallForm(QStringLiteral("GetReportIsEdited"), [&] { edited = m_form.report->GetReportIsEdited(m_currentRuid); });
    return edited;
}

bool TEditorSession::RoomsChanged() const
{
    return std::any_of(m_unsavedChecks.begin(), m_unsavedChecks.end(), [](const auto& changed) { return changed(); });
}

bool TEditorSession::HasUnsavedChanges()
{
    return IsEdited() && (RoomsChanged() || EditorContentDigest(m_form.widget) != m_savedContent);
}

TEditorSession::TLeave TEditorSession::Leave()
{
    // The word being composed is part of what the doctor sees and is asked about.
    CommitPendingComposition();
    // Unlocked but unchanged since it was opened or saved: nothing to lose.
    if (!HasUnsavedChanges()) return TLeave::Left;
    TChoiceRequest q;
    q.parent = m_dialogParent;
    q.caption = QStringLiteral("保存报告");
    const QString patient = describePatient ? describePatient() : QString();
    q.text = patient.isEmpty() ? QStringLiteral("当前报告正在编辑，是否先保存？")
                               : QStringLiteral("%1的报告正在编辑，是否先保存？").arg(patient);
    q.choiceIds = {QStringLiteral("save"), QStringLiteral("discard"), QStringLiteral("cancel")};
    q.choiceTexts = {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")};
    q.defaultChoice = 0;
    q.escapeChoice = 2;  // Esc and the window's close button keep the report open
    switch (Dialogs().Choose(q)) {
    case 0: {
        QString error;
        return Save(&error) ? TLeave::Left : TLeave::SaveFailed;
    }
    case 1:
        // The doctor threw the edits away: the editor's draft of them goes to its backup
        // folder, so the next open does not offer them again. Not part of IReportForm: an
        // editor without it is simply not asked.
        QMetaObject::invokeMethod(m_form.widget, "DiscardDraft");
        return TLeave::Left;
    default: return TLeave::Cancelled;
    }
}

bool TEditorSession::MayClose()
{
    if (m_screenLocked && !m_scripted) {
        // Locked: no question that would show the report; the edits wait in the draft.
        QString error;
        return KeepEditsAsDraft(&error)
            || Ask(m_dialogParent, QStringLiteral("关闭"), QStringLiteral("没有保存的修改无法留作草稿。仍然关闭吗？（修改会丢失）"),
                   TMsgIcon::Warning, TMsgResult::No) == TMsgResult::Yes;
    }
    const TLeave leave = m_scripted ? TLeave::Left : Leave();
    if (leave == TLeave::Left) return true;
    // 取消 (or Esc, or closing the question) keeps the window; a save that failed asks again,
    // since the edits would be left only in the draft.
    return leave == TLeave::SaveFailed
        && Ask(m_dialogParent, QStringLiteral("关闭"),
               QStringLiteral("报告没有保存成功。仍然关闭吗？\r\n没有保存的内容留在草稿中，下次打开这份报告时可以恢复。"),
               TMsgIcon::Warning, TMsgResult::No) == TMsgResult::Yes;
}

bool TEditorSession::OpenChecked(const QString& ruid, QString* error)
{
    if (!m_form.report) {
        *error = QStringLiteral("no report editor is loaded");
        return false;
    }
    try {
        if (!ReportExists(*m_dataModule.GetMainAdoConnection(), ruid)) {
            *error = QStringLiteral("no report with GUID %1").arg(ruid);
            emit notice(QStringLiteral("没有这份报告：%1").arg(ruid));
            return false;
        }
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot look up report %1: %2").arg(ruid, e.Message());
        Log(QStringLiteral("wr-host"), kErrorPrefix + e.Message());
        emit notice(QStringLiteral("查找报告失败：%1").arg(DatabaseErrorForUser(e.Message())));
        return false;
    }
    if (Leave() != TLeave::Left) {
        *error = QStringLiteral("the report being edited was kept open");
        return false;
    }
    return true;
}

bool TEditorSession::Open(const QString& ruid, QString* error)
{
    if (!OpenChecked(ruid, error)) return false;
    m_currentRuid = ruid;
    m_openWarnings.clear();
    const TFormCallResult r = CallForm(QStringLiteral("OpenReportByRuid"), [&] { m_form.report->OpenReportByRuid(ruid); });
    // Whatever the editor shows now is the baseline: leaving it unchanged asks nothing. A
    // draft the doctor restored is an unsaved edit (the editor leaves it unlocked).
    const bool draftRestored = m_form.widget->property("wrDraftRestored").toBool();
    m_savedContent = draftRestored ? QByteArray() : EditorContentDigest(m_form.widget);
    emit reportOpened(ruid);
    const QString accnu = describeReport ? describeReport(ruid) : QString();
    // The editor catches its own load failures (item binding, a stored font it cannot read),
    // logs them and still shows the report read-only. The open is judged by that outcome:
    // only an error that left the plug-in, or an editor not in its read-only state, failed.
    if (r.thrown || (IsEdited() && !draftRestored)) {
        TFormCallResult failed = r;
        if (!r.thrown) failed.error = QStringLiteral("the editor did not end read-only");
        *error = QStringLiteral("opening %1 failed: %2").arg(ruid, failed.error);
        ReportFailure(QStringLiteral("打开报告"), failed, false);
        return false;
    }
    OpenNotice(accnu, r, draftRestored);
    return true;
}

void TEditorSession::OpenNotice(const QString& accnu, const TFormCallResult& r, bool draftRestored)
{
    if (draftRestored) {
        emit notice(QStringLiteral("已打开报告 %1，并恢复了没有保存的草稿（已解锁）。按 Ctrl+S 保存。%2")
                        .arg(accnu, m_openWarnings.join(QLatin1Char(' '))));
    } else if (!m_openWarnings.isEmpty()) {
        // The editor's notices about what it showed (e.g. damaged rich text) reach the doctor.
        emit notice(QStringLiteral("已打开报告 %1（只读）。%2").arg(accnu, m_openWarnings.join(QLatin1Char(' '))));
    } else if (!r.error.isEmpty()) {
        emit notice(QStringLiteral("已打开报告 %1（只读），打开时有异常：%2").arg(accnu, DatabaseErrorForUser(r.error)));
    } else {
        emit notice(QStringLiteral("已打开报告 %1（只读）。按 Ctrl+E 解锁编辑。").arg(accnu));
    }
}

bool TEditorSession::SetEditing(bool enable, QString* error)
{
    if (!enable) CommitPendingComposition();
    if (!m_form.report || m_currentRuid.isEmpty()) {
        *error = QStringLiteral("no report is open");
        return false;
    }
    if (enable)
        for (const auto& check : m_unlockChecks)
            if (!check(error)) return false;
    const TFormCallResult r = CallForm(QStringLiteral("SetcontrolsEnable"), [&] { m_form.report->SetcontrolsEnable(enable); });
    if (!r.ok) {
        *error = r.error;
        ReportFailure(enable ? QStringLiteral("解锁") : QStringLiteral("锁定"), r, false);
        return false;
    }
    if (enable) FocusEditor();
    emit editingChanged(enable);
    emit notice(enable ? QStringLiteral("已解锁，可以编辑。按 Ctrl+S 保存。") : QStringLiteral("已锁定。"));
    return true;
}

bool TEditorSession::Save(QString* error)
{
    // What is stored is what the doctor sees, the word being composed included.
    CommitPendingComposition();
    if (!m_form.report || m_currentRuid.isEmpty()) {
        *error = QStringLiteral("no report is open");
        return false;
    }
    const QString ruid = m_currentRuid;
    // A locked report that nobody changed has nothing to save: writing it would only move the
    // review doctor and date that opening set.
    // One digest of the editor for both questions: a report of tens of megabytes is read once.
    const bool changed = EditorContentDigest(m_form.widget) != m_savedContent;
    if (!IsEdited() && !changed) {
        emit notice(QStringLiteral("报告已锁定且没有改动，没有保存。需要修改时先按 Ctrl+E 解锁。"));
        return true;
    }
    const TFormCallResult r = SaveInTransaction(ruid);
    if (!r.ok) {
        *error = QStringLiteral("saving %1 failed: %2").arg(ruid, r.error);
        // The editor tells the user about a failed write itself.
        ReportFailure(QStringLiteral("保存"), r, true);
        return false;
    }
    m_savedContent = EditorContentDigest(m_form.widget);
    Log(QStringLiteral("wr-host save"), QStringLiteral("report %1 saved by %2").arg(ruid, m_login.userCode));
    emit notice(QStringLiteral("报告已保存（%1）。").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    emit reportSaved(ruid, changed);
    return true;
}

void TEditorSession::FocusEditor()
{
    // Unlocked means the doctor types next: into the findings, unless already in the editor.
    QWidget* focus = QApplication::focusWidget();
    if (!m_form.widget || (focus && m_form.widget->isAncestorOf(focus))) return;
    QWidget* findings = m_form.widget->findChild<QWidget*>(QStringLiteral("rich_jcsj"));
    if (findings && findings->isVisibleTo(m_form.widget->window())) findings->setFocus(Qt::OtherFocusReason);
    else m_form.widget->setFocus(Qt::OtherFocusReason);
}

void TEditorSession::Reopen(bool keepEditing)
{
    const QString ruid = m_currentRuid;
    const bool editing = keepEditing && IsEdited();
    m_reopening = true;
    QString error;
    if (Open(ruid, &error) && editing) SetEditing(true, &error);
    m_reopening = false;
}

bool TEditorSession::EnsureSaved(const QString& action, QString* error)
{
    if (!HasUnsavedChanges()) return true;
    if (!AskYes(m_dialogParent, action, QStringLiteral("报告有未保存的修改。先保存再%1吗？\n选择“否”则不%1。").arg(action))) {
        *error = QStringLiteral("the report has unsaved edits; %1 cancelled").arg(action);
        emit notice(QStringLiteral("报告有未保存的修改，没有%1。").arg(action));
        return false;
    }
    return Save(error);
}

// SPDX-License-Identifier: MIT
#include "shell/HostMainForm.h"
#include "app/ConfigStore.h"
#include "script/ControlAccess.h"
#include "database/HostDataModule.h"
#include "app/HostLog.h"
#include "database/HostQueries.h"
#include "shell/HostShortcuts.h"
#include "shell/ReportHeader.h"
#include "worklist/WorklistPanel.h"
#include "platform/DialogService.h"
#include "platform/InputComposition.h"
#include "platform/UserMessages.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum TWorklistColumn { ColAccnu, ColPatient, ColCreated, ColState, ColItems, ColCount };
constexpr int kRuidRole = Qt::UserRole + 1;
const QString kErrorPrefix = QStringLiteral("异常:");
// Notices of the editor about what it shows (damaged rich text): no failure, but the doctor
// must read them.
const QString kNoticePrefix = QStringLiteral("警告:");
} // namespace

THostMainForm::THostMainForm(THostLog& log, TConfigStore& config, THostDataModule& dataModule, THostLogin login,
                             QWidget* parent)
    : QMainWindow(parent), m_log(log), m_config(config), m_dataModule(dataModule), m_login(std::move(login))
{
    setObjectName(QStringLiteral("HostMainForm"));
    BuildUi();
    // The editor reports its failures only as log lines; watch them while it is called.
    m_log.onEntry = [this](const QString&, const QString& message) {
        if (m_capturedErrors && message.startsWith(kErrorPrefix)) m_capturedErrors->append(message);
        if (message.startsWith(kNoticePrefix)) m_openWarnings.append(message.mid(kNoticePrefix.size()));
    };
}

THostMainForm::~THostMainForm() { m_log.onEntry = nullptr; }

HRESULT THostMainForm::QueryInterface(const TGUID& iid, void** obj)
{
    if (iid == IMainFrom::IID || iid == IInterface::IID) {
        *obj = static_cast<IMainFrom*>(this);
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

void THostMainForm::BuildUi()
{
    setWindowTitle(QStringLiteral("WriteReport 报告编辑"));
    resize(1280, 900);

    auto* split = new QSplitter(this);
    split->setObjectName(QStringLiteral("hostSplitter"));
    m_worklistPanel = new TWorklistPanel([this] { return m_dataModule.GetMainAdoConnection(); }, split);
    connect(m_worklistPanel, &TWorklistPanel::statusMessage, this, &THostMainForm::ShowStatus);
    QWidget* left = m_worklistPanel;
    m_worklist = m_worklistPanel->Tree();
    m_worklistFilter = m_worklistPanel->SearchEdit();

    m_formHost = new QWidget(split);
    m_formHost->setObjectName(QStringLiteral("formHost"));
    auto* fl = new QVBoxLayout(m_formHost);
    fl->setContentsMargins(0, 0, 0, 0);
    auto* placeholder = new QLabel(QStringLiteral("没有加载报告编辑器"), m_formHost);
    placeholder->setObjectName(QStringLiteral("formPlaceholder"));
    placeholder->setAlignment(Qt::AlignCenter);
    fl->addWidget(placeholder);
    split->addWidget(left);
    split->addWidget(m_formHost);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({430, 850});
    setCentralWidget(split);

    QStyle* st = style();
    m_openAction = new QAction(st->standardIcon(QStyle::SP_DialogOpenButton), QStringLiteral("打开"), this);
    m_openAction->setShortcut(QKeySequence::Open);
    m_unlockAction = new QAction(st->standardIcon(QStyle::SP_FileDialogDetailedView), QStringLiteral("解锁编辑"), this);
    m_unlockAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_lockAction = new QAction(st->standardIcon(QStyle::SP_BrowserStop), QStringLiteral("锁定"), this);
    m_lockAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_saveAction = new QAction(st->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("保存"), this);
    m_saveAction->setShortcut(QKeySequence::Save);
    m_refreshAction = new QAction(st->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("刷新列表"), this);
    m_refreshAction->setShortcut(QKeySequence::Refresh);
    const QList<QAction*> actions{m_openAction, m_unlockAction, m_lockAction, m_saveAction, m_refreshAction};
    const char* names[] = {"actionOpen", "actionUnlock", "actionLock", "actionSave", "actionRefresh"};
    auto* bar = addToolBar(QStringLiteral("报告"));
    bar->setObjectName(QStringLiteral("hostToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (int i = 0; i < actions.size(); ++i) {
        actions[i]->setObjectName(QLatin1String(names[i]));
        actions[i]->setToolTip(QStringLiteral("%1 (%2)").arg(actions[i]->text(), actions[i]->shortcut().toString()));
        bar->addAction(actions[i]);
    }
    connect(m_openAction, &QAction::triggered, this, [this] {
        if (QTreeWidgetItem* item = m_worklist->currentItem()) {
            QString error;
            OpenReport(item->data(ColAccnu, kRuidRole).toString(), &error);
        }
    });
    connect(m_unlockAction, &QAction::triggered, this, [this] { QString e; SetEditing(true, &e); });
    connect(m_lockAction, &QAction::triggered, this, [this] { QString e; SetEditing(false, &e); });
    connect(m_saveAction, &QAction::triggered, this, [this] { QString e; SaveReport(&e); });
    connect(m_refreshAction, &QAction::triggered, this, [this] { QString e; RefreshWorklist(&e); });
    connect(m_worklist, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        QString error;
        OpenReport(item->data(ColAccnu, kRuidRole).toString(), &error);
    });

    m_userLabel = new QLabel(this);
    m_userLabel->setText(QStringLiteral("用户：%1（%2）").arg(m_login.userName, m_login.deptCode));
    m_dbLabel = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_userLabel);
    statusBar()->addPermanentWidget(m_dbLabel);
    UpdateActions();
    InstallCompositionTracker();
    // The doctor starts in the work list, not in its search field.
    m_worklist->setFocus(Qt::OtherFocusReason);
}

void THostMainForm::AttachForm(const TLoadedForm& form, const QString& className)
{
    m_form = form;
    m_formClassName = className;
    if (QWidget* placeholder = m_formHost->findChild<QWidget*>(QStringLiteral("formPlaceholder"))) delete placeholder;
    form.widget->setParent(m_formHost);
    m_formHost->layout()->addWidget(form.widget);
    form.widget->show();
    form.bpl->GetMainFormObject(static_cast<IMainFrom*>(this), &m_dataModule);
    // Host shortcuts win over the keys text controls claim; the editor's own menus are its own.
    new THostShortcutGuard(this, form.widget);
    m_reportHeader = new TReportHeader(this, m_formHost, statusBar(), [this] {
        return ReportIsEdited() && ContentFingerprint(m_form.widget) != m_savedContent;
    });
    m_reportHeader->Watch(form.widget);
    UpdateActions();
}

void THostMainForm::Log(const QString& title, const QString& message) { m_log.Write(title, message); }

void THostMainForm::ShowStatus(const QString& text)
{
    statusBar()->showMessage(text);
    Log(QStringLiteral("wr-host"), text);
}

void THostMainForm::UpdateActions()
{
    const bool open = m_form.report && !m_currentRuid.isEmpty();
    m_openAction->setEnabled(m_form.report != nullptr);
    m_unlockAction->setEnabled(open);
    m_lockAction->setEnabled(open);
    m_saveAction->setEnabled(open);
}

bool THostMainForm::RefreshWorklist(QString* error)
{
    try {
        m_dbLabel->setText(QStringLiteral("数据库：%1").arg(m_dataModule.GetMainAdoConnection()->Description()));
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot read the work list: %1").arg(e.Message());
        Log(QStringLiteral("wr-host"), kErrorPrefix + e.Message());
        ShowStatus(QStringLiteral("读取工作列表失败：%1").arg(DatabaseErrorForUser(e.Message())));
        return false;
    }
    if (!m_worklistPanel->Reload(error)) return false;
    MarkCurrentRow();
    return true;
}

void THostMainForm::MarkCurrentRow()
{
    for (int i = 0; i < m_worklist->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_worklist->topLevelItem(i);
        const bool current = !m_currentRuid.isEmpty()
            && item->data(ColAccnu, kRuidRole).toString().compare(m_currentRuid, Qt::CaseInsensitive) == 0;
        for (int c = 0; c < ColCount; ++c) {
            QFont f = item->font(c);
            f.setBold(current);
            item->setFont(c, f);
        }
        if (current) m_worklist->setCurrentItem(item);
    }
}

QStringList THostMainForm::WorklistGuids() const
{
    return m_worklistPanel->Guids();
}

TFormCallResult THostMainForm::CallForm(const QString& what, const std::function<void()>& call)
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

void THostMainForm::ReportFailure(const QString& what, const TFormCallResult& r, bool editorShowsBox)
{
    // The doctor reads what happened and what to do; the driver's text and SQL are in the log.
    const QString shown = DatabaseErrorForUser(r.error);
    ShowStatus(QStringLiteral("%1失败：%2").arg(what, shown));
    if (r.thrown || !editorShowsBox) Tell(QStringLiteral("%1失败").arg(what), shown, TMsgIcon::Error);
}

void THostMainForm::Tell(const QString& caption, const QString& text, TMsgIcon icon)
{
    TMessageRequest box;
    box.parent = this;
    box.caption = caption;
    box.text = text;
    box.icon = icon;
    Dialogs().MessageBox(box);
}

TMsgResult THostMainForm::Ask(const QString& caption, const QString& text, TMsgIcon icon, TMsgResult defaultButton)
{
    TMessageRequest q;
    q.parent = this;
    q.caption = caption;
    q.text = text;
    q.buttons = TMsgButtons::YesNo;
    q.icon = icon;
    q.defaultButton = defaultButton;
    return Dialogs().MessageBox(q);
}

bool THostMainForm::ReportIsEdited()
{
    if (!m_form.report || m_currentRuid.isEmpty()) return false;
    bool edited = false;
    CallForm(QStringLiteral("GetReportIsEdited"), [&] { edited = m_form.report->GetReportIsEdited(m_currentRuid); });
    return edited;
}

THostMainForm::TLeave THostMainForm::LeaveCurrentReport()
{
    // The word being composed is part of what the doctor sees and is asked about.
    CommitPendingComposition();
    // Unlocked but unchanged since it was opened or saved: nothing to lose.
    if (!ReportIsEdited() || ContentFingerprint(m_form.widget) == m_savedContent) return TLeave::Left;
    TChoiceRequest q;
    q.parent = this;
    q.caption = QStringLiteral("保存报告");
    q.text = QStringLiteral("当前报告正在编辑，是否先保存？");
    q.choiceIds = {QStringLiteral("save"), QStringLiteral("discard"), QStringLiteral("cancel")};
    q.choiceTexts = {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")};
    q.defaultChoice = 0;
    q.escapeChoice = 2;  // Esc and the window's close button keep the report open
    switch (Dialogs().Choose(q)) {
    case 0: {
        QString error;
        return SaveReport(&error) ? TLeave::Left : TLeave::SaveFailed;
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

bool THostMainForm::OpenReport(const QString& ruid, QString* error)
{
    if (!m_form.report) {
        *error = QStringLiteral("no report editor is loaded");
        return false;
    }
    try {
        if (!ReportExists(*m_dataModule.GetMainAdoConnection(), ruid)) {
            *error = QStringLiteral("no report with GUID %1").arg(ruid);
            ShowStatus(QStringLiteral("没有这份报告：%1").arg(ruid));
            return false;
        }
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot look up report %1: %2").arg(ruid, e.Message());
        Log(QStringLiteral("wr-host"), kErrorPrefix + e.Message());
        ShowStatus(QStringLiteral("查找报告失败：%1").arg(DatabaseErrorForUser(e.Message())));
        return false;
    }
    if (LeaveCurrentReport() != TLeave::Left) {
        *error = QStringLiteral("the report being edited was kept open");
        return false;
    }
    m_currentRuid = ruid;
    m_openWarnings.clear();
    const TFormCallResult r = CallForm(QStringLiteral("OpenReportByRuid"), [&] { m_form.report->OpenReportByRuid(ruid); });
    MarkCurrentRow();
    UpdateActions();
    QString accnu;
    if (QTreeWidgetItem* item = m_worklist->currentItem()) accnu = item->text(ColAccnu);
    setWindowTitle(QStringLiteral("WriteReport 报告编辑 — %1[*]").arg(accnu.isEmpty() ? ruid : accnu));
    // Whatever the editor shows now is the baseline: leaving it unchanged asks nothing. A
    // draft the doctor restored is an unsaved edit (the editor leaves it unlocked).
    const bool draftRestored = m_form.widget->property("wrDraftRestored").toBool();
    m_savedContent = draftRestored ? QByteArray() : ContentFingerprint(m_form.widget);
    if (m_reportHeader) m_reportHeader->ShowReport(*m_dataModule.GetMainAdoConnection(), ruid);
    // The editor catches its own load failures (item binding, a stored font it cannot read),
    // logs them and still shows the report read-only. The open is judged by that outcome:
    // only an error that left the plug-in, or an editor not in its read-only state, failed.
    if (r.thrown || (ReportIsEdited() && !draftRestored)) {
        TFormCallResult failed = r;
        if (!r.thrown) failed.error = QStringLiteral("the editor did not end read-only");
        *error = QStringLiteral("opening %1 failed: %2").arg(ruid, failed.error);
        ReportFailure(QStringLiteral("打开报告"), failed, false);
        return false;
    }
    if (draftRestored) {
        ShowStatus(QStringLiteral("已打开报告 %1，并恢复了没有保存的草稿（已解锁）。按 Ctrl+S 保存。%2")
                       .arg(accnu, m_openWarnings.join(QLatin1Char(' '))));
        return true;
    }
    if (!m_openWarnings.isEmpty()) {
        // The editor's notices about what it showed (e.g. damaged rich text) reach the doctor.
        ShowStatus(QStringLiteral("已打开报告 %1（只读）。%2").arg(accnu, m_openWarnings.join(QLatin1Char(' '))));
        return true;
    }
    if (!r.error.isEmpty()) {
        ShowStatus(QStringLiteral("已打开报告 %1（只读），打开时有异常：%2").arg(accnu, DatabaseErrorForUser(r.error)));
        return true;
    }
    ShowStatus(QStringLiteral("已打开报告 %1（只读）。按 Ctrl+E 解锁编辑。").arg(accnu));
    return true;
}

bool THostMainForm::SetEditing(bool enable, QString* error)
{
    if (!enable) CommitPendingComposition();
    if (!m_form.report || m_currentRuid.isEmpty()) {
        *error = QStringLiteral("no report is open");
        return false;
    }
    if (enable && beforeUnlock && !beforeUnlock(error)) return false;
    const TFormCallResult r = CallForm(QStringLiteral("SetcontrolsEnable"), [&] { m_form.report->SetcontrolsEnable(enable); });
    if (!r.ok) {
        *error = r.error;
        ReportFailure(enable ? QStringLiteral("解锁") : QStringLiteral("锁定"), r, false);
        return false;
    }
    if (enable) FocusEditor();
    if (m_reportHeader) m_reportHeader->Refresh();
    ShowStatus(enable ? QStringLiteral("已解锁，可以编辑。按 Ctrl+S 保存。") : QStringLiteral("已锁定。"));
    return true;
}

bool THostMainForm::SaveReport(QString* error)
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
    if (!ReportIsEdited() && ContentFingerprint(m_form.widget) == m_savedContent) {
        ShowStatus(QStringLiteral("报告已锁定且没有改动，没有保存。需要修改时先按 Ctrl+E 解锁。"));
        return true;
    }
    const bool changed = ContentFingerprint(m_form.widget) != m_savedContent;
    const TFormCallResult r = CallForm(QStringLiteral("SaveReportToDb"), [&] { m_form.report->SaveReportToDb(ruid); });
    if (!r.ok) {
        *error = QStringLiteral("saving %1 failed: %2").arg(ruid, r.error);
        // The editor tells the user about a failed write itself.
        ReportFailure(QStringLiteral("保存"), r, true);
        return false;
    }
    m_savedContent = ContentFingerprint(m_form.widget);
    if (m_reportHeader) m_reportHeader->Refresh();
    // Only the saved row is read again: the list may hold thousands of reports.
    QString ignored;
    m_worklistPanel->RefreshRow(ruid, &ignored);
    MarkCurrentRow();
    Log(QStringLiteral("wr-host save"), QStringLiteral("report %1 saved by %2").arg(ruid, m_login.userCode));
    ShowStatus(QStringLiteral("报告已保存（%1）。").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    if (afterSave) afterSave(changed);
    return true;
}

void THostMainForm::FocusEditor()
{
    // Unlocked means the doctor types next: into the findings, unless already in the editor.
    QWidget* focus = QApplication::focusWidget();
    if (!m_form.widget || (focus && m_form.widget->isAncestorOf(focus))) return;
    QWidget* findings = m_form.widget->findChild<QWidget*>(QStringLiteral("rich_jcsj"));
    if (findings && findings->isVisibleTo(this)) findings->setFocus(Qt::OtherFocusReason);
    else m_form.widget->setFocus(Qt::OtherFocusReason);
}

bool THostMainForm::HasUnsavedChanges()
{
    return ReportIsEdited() && ContentFingerprint(m_form.widget) != m_savedContent;
}

void THostMainForm::OpenStudyInfo(const QString& accnu)
{
    for (int i = 0; i < m_worklist->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_worklist->topLevelItem(i);
        if (item->text(ColAccnu) == accnu) {
            QString error;
            OpenReport(item->data(ColAccnu, kRuidRole).toString(), &error);
            return;
        }
    }
    // The list holds one page of one filter: the accession may well be outside it.
    try {
        if (const auto row = TWorklistQuery(*m_dataModule.GetMainAdoConnection()).NewestOfAccession(accnu)) {
            QString error;
            OpenReport(row->ruid, &error);
            return;
        }
    } catch (const Exception& e) {
        Log(QStringLiteral("wr-host OpenStudyInfo"), kErrorPrefix + e.Message());
        return;
    }
    Log(QStringLiteral("wr-host OpenStudyInfo"), QStringLiteral("no report of accession %1").arg(accnu));
}

void THostMainForm::closeEvent(QCloseEvent* event)
{
    if (m_screenLocked && !m_session) {
        // Locked: no question that would show the report; the edits wait in the draft.
        QString error;
        if (KeepEditsAsDraft(&error)
            || Ask(QStringLiteral("关闭"), QStringLiteral("没有保存的修改无法留作草稿。仍然关闭吗？（修改会丢失）"),
                   TMsgIcon::Warning, TMsgResult::No) == TMsgResult::Yes)
            event->accept();
        else event->ignore();
        return;
    }
    const TLeave leave = m_session ? TLeave::Left : LeaveCurrentReport();
    if (leave == TLeave::Left) {
        event->accept();
        return;
    }
    // 取消 (or Esc, or closing the question) keeps the window; a save that failed asks again,
    // since the edits would be left only in the draft.
    if (leave == TLeave::SaveFailed
        && Ask(QStringLiteral("关闭"), QStringLiteral("报告没有保存成功。仍然关闭吗？\r\n没有保存的内容留在草稿中，下次打开这份报告时可以恢复。"),
               TMsgIcon::Warning, TMsgResult::No) == TMsgResult::Yes)
        event->accept();
    else event->ignore();
}

// SPDX-License-Identifier: MIT
// Handing the editor to another user at the idle lock: the first user's unsaved edits are
// kept as his draft (his draft folder, so they reappear when he next opens the report and
// never for anyone else) and the editor is made afresh, since an editor that showed his
// report may still hold it (undo history, controls) and reads the login only when a report
// opens.
#include "editor/EditorSession.h"
#include "app/HostLog.h"
#include "database/HostDataModule.h"
#include "platform/InputComposition.h"
#include "report/ReportDraft.h"
#include <QLayout>
#include <QWidget>

bool TEditorSession::KeepEditsAsDraft(QString* error)
{
    CommitPendingComposition();
    if (!m_form.widget || !HasUnsavedChanges()) return true;
    // Not part of IReportForm: asked by name, like DiscardDraft.
    bool written = false;
    if (!QMetaObject::invokeMethod(m_form.widget, "FlushDraft", Qt::DirectConnection, Q_RETURN_ARG(bool, written))) {
        *error = QStringLiteral("the editor cannot write its draft on request");
        return false;
    }
    if (!written) {
        *error = QStringLiteral("the editor could not write the draft of report %1 (see the log)").arg(m_currentRuid);
        return false;
    }
    // The editor keeps drafts under the login it opened the report with, which is this one.
    if (!TDraftStore(TDraftStore::DefaultRoot(), m_login.userCode, m_login.userName).Exists(m_currentRuid)) {
        *error = QStringLiteral("no draft of report %1 was written for user %2").arg(m_currentRuid, m_login.userCode);
        return false;
    }
    Log(QStringLiteral("wr-host"), QStringLiteral("unsaved edits of report %1 kept as the draft of user %2")
                                       .arg(m_currentRuid, m_login.userCode));
    return true;
}

void TEditorSession::DropForm()
{
    QWidget* old = m_form.widget;
    m_form = TLoadedForm();
    m_currentRuid.clear();
    m_savedContent.clear();
    m_openWarnings.clear();
    // Closed without saving: its edits are in the draft written before.
    delete old;
}

bool TEditorSession::SwitchLogin(const THostLogin& login, QString* error)
{
    if (!KeepEditsAsDraft(error)) return false;
    TLoadedForm fresh;
    if (m_form.widget) {
        if (!createForm) {
            *error = QStringLiteral("this host cannot make a new editor");
            return false;
        }
        if (!createForm(m_formHost, &fresh, error)) return false;
    }
    const QString before = m_login.userCode;
    DropForm();
    m_login = login;
    if (fresh.widget) {
        m_form = fresh;
        if (m_formHost && m_formHost->layout()) m_formHost->layout()->addWidget(fresh.widget);
        fresh.widget->show();
        fresh.bpl->GetMainFormObject(m_mainForm, &m_dataModule);
    }
    emit formReplaced(fresh.widget);
    // No report is open: the header and title name no patient.
    emit reportClosed();
    emit userChanged(m_login);
    Log(QStringLiteral("wr-host"), QStringLiteral("user %1 took over from user %2").arg(m_login.userCode, before));
    emit notice(QStringLiteral("已切换到用户 %1。").arg(m_login.userName.isEmpty() ? m_login.userCode : m_login.userName));
    return true;
}

// SPDX-License-Identifier: MIT
// The editor's save together with the steps rooms add to it, in one database transaction
// (the contract is in EditorSession.h).
#include "editor/EditorSession.h"
#include "app/HostLog.h"
#include "database/HostDataModule.h"
#include "platform/Database.h"
#include <QWidget>

void TEditorSession::RunSaveSteps(TDbConnection& conn, const QString& ruid)
{
    for (const TNamedStep& s : m_saveSteps) {
        try {
            s.step(conn, ruid);
        } catch (const Exception& e) {
            throw Exception(QStringLiteral("%1: %2").arg(s.name, e.Message()));
        } catch (const std::exception& e) {
            throw Exception(QStringLiteral("%1: %2").arg(s.name, QString::fromLocal8Bit(e.what())));
        }
    }
}

TFormCallResult TEditorSession::SaveInTransaction(const QString& ruid)
{
    const QString what = QStringLiteral("SaveReportToDb");
    const auto save = [&] { m_form.report->SaveReportToDb(ruid); };
    if (m_saveSteps.isEmpty()) return CallForm(what, save);

    TFormCallResult r;
    TDbConnection* conn = nullptr;
    try {
        conn = m_dataModule.GetMainAdoConnection();
        conn->BeginTransaction();
    } catch (const Exception& e) {
        r.ok = false;
        r.thrown = true;
        r.error = e.Message();
        Log(QStringLiteral("wr-host save"), QStringLiteral("error: ") + r.error);
        return r;
    }
    r = CallForm(what, save);
    const bool formWrote = r.ok;
    if (r.ok) {
        try {
            RunSaveSteps(*conn, ruid);
            conn->CommitTransaction();
            return r;
        } catch (const Exception& e) {
            // The editor believes its write stands: the doctor must hear that it does not.
            r.ok = false;
            r.thrown = true;
            r.error = e.Message();
        }
        Log(QStringLiteral("wr-host save"), QStringLiteral("error: report %1 not saved: %2").arg(ruid, r.error));
    }
    conn->RollbackTransaction();
    // The editor took its own write for done: it forgets it (the next save is checked against
    // the row the database still holds) and puts the edits, on screen only, back in the draft.
    if (m_form.widget && formWrote) QMetaObject::invokeMethod(m_form.widget, "SaveUndone", Qt::DirectConnection);
    return r;
}

// SPDX-License-Identifier: MIT
// The editor session: the one embedded report editor and what the host does with it.
// Opening a report, unlocking and locking it, saving it, leaving it (the save question),
// keeping unsaved edits as the user's draft, and handing the editor to another user. Every
// call into the editor goes through CallForm, which catches whatever the plug-in throws and
// notices the "异常:" lines it logs, so a failing open or save is reported and the host
// keeps running.
//
// Rooms learn what happened from its signals (reportOpened, reportSaved, reportClosed,
// userChanged, editingChanged) instead of watching the window. It shows nothing itself but
// its questions and failure boxes (through the dialog service, parent DialogParent()); the
// status line gets `notice`.
//
// The save and its steps. A room may add a step to every save (AddSaveStep). When the
// editor's own save has written the report (sp_SaveReportInfo succeeded), the steps run in
// the order added, on the same connection, inside the SAME database transaction: the
// session opens it before the editor saves (the editor's procedure joins it: SQLite runs it
// on a savepoint, SQL Server nests its BEGIN TRANSACTION, PostgreSQL's CALL runs inside the
// block) and commits it after the last step. A step fails by throwing (Exception or
// std::exception); the whole save is then rolled back, the edits are kept in the editor and
// in its draft, and the doctor sees the save fail with the step's message. A step must not
// commit, roll back or open a transaction of its own, show a window, or take long. Without
// steps a save runs exactly as the editor does it alone.
// Known limit: after a rolled-back save the editor still remembers the version number its
// write produced, so the next save of that report asks the conflict question (keep mine /
// take theirs); keeping the doctor's version is right.
//
// UI thread only. Owns nothing of the plug-in but holds its form while attached.
#pragma once
#include "app/PluginLoader.h"
#include "host/uPubIntFace_WriteReport.h"
#include "login/HostUser.h"
#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <functional>

class THostDataModule;
class THostLog;

// How one call into the editor ended.
struct TFormCallResult {
    bool ok = true;
    bool thrown = false;  // an exception left the plug-in (nobody has told the user yet)
    QString error;        // the exception's message, or the "异常:" lines logged meanwhile
};

class TEditorSession final : public QObject {
    Q_OBJECT
public:
    TEditorSession(THostLog& log, THostDataModule& dataModule, THostLogin login, QObject* parent = nullptr);
    ~TEditorSession() override;

    // Takes the created editor and hands it the host's main form and data module.
    void Attach(const TLoadedForm& form, const QString& className, IMainFrom* mainForm);
    QWidget* FormWidget() const { return m_form.widget; }
    IReportForm* Report() const { return m_form.report; }
    IInterface* FormObject() const { return m_form.object; }
    const QString& FormClassName() const { return m_formClassName; }
    const THostLogin& Login() const { return m_login; }
    const QString& CurrentRuid() const { return m_currentRuid; }

    // Parent of the session's questions and boxes (the window).
    void SetDialogParent(QWidget* parent) { m_dialogParent = parent; }
    // The accession shown for an opened report (the window's work-list row); may be empty.
    std::function<QString(const QString& ruid)> describeReport;
    // The patient and exam number of the open report as the doctor knows them (the save
    // question names them); empty when unknown.
    std::function<QString()> describePatient;
    // Script mode: the window closes without asking (nobody would answer).
    void SetScripted(bool scripted) { m_scripted = scripted; }

    // Each answers false with a message (English, for scripts and the log); the status line
    // says what happened. Opening leaves an edited report only after the save question.
    bool Open(const QString& ruid, QString* error);
    bool SetEditing(bool enable, QString* error);
    bool Save(QString* error);
    // True when a report is open and unlocked (asked from the editor).
    bool IsEdited();
    // Unlocked and changed since it was opened or saved.
    bool HasUnsavedChanges();

    // Opens the open report again (after a change the database made to it: signed, printed),
    // so the editor holds the row as it now is; unlocks it again when keepEditing and it was
    // unlocked. Reopening() is true meanwhile.
    void Reopen(bool keepEditing);
    bool Reopening() const { return m_reopening; }
    // Before `action` (a Chinese verb) on the stored report: offers to save edits not yet
    // saved; false when the user declines (the status line says so) or the save fails.
    bool EnsureSaved(const QString& action, QString* error);

    // Asks whether to save an edited report before it is left: 保存 / 不保存 / 取消 (Esc and
    // closing the question mean 取消). Cancelled or SaveFailed mean staying on it.
    enum class TLeave { Left, Cancelled, SaveFailed };
    TLeave Leave();
    // The window is closing: true when it may (see the window's close rules).
    bool MayClose();

    // Writes the open report's unsaved edits to the logged-in user's draft now; nothing goes
    // to the database. True when there were none or the draft holds them.
    bool KeepEditsAsDraft(QString* error);
    // Another user takes over (the idle lock): the edits go to the current user's draft, the
    // editor is closed without saving and made afresh by createForm, and the host carries on
    // as `login` with no report open (userChanged). False with the reason, and nothing
    // changed, when the edits could not be kept or no editor was made.
    bool SwitchLogin(const THostLogin& login, QString* error);
    std::function<bool(QWidget* parent, TLoadedForm* form, QString* error)> createForm;
    // The widget the editor is embedded in (a fresh editor goes there too).
    void SetFormHost(QWidget* host) { m_formHost = host; }

    // While the screen is locked no question may show the report (lock/IdleLock.h).
    void SetScreenLocked(bool locked) { m_screenLocked = locked; }
    bool ScreenLocked() const { return m_screenLocked; }

    // Asked before a report is unlocked: false keeps it locked (the reason in *error).
    void AddUnlockCheck(std::function<bool(QString* error)> check) { m_unlockChecks << std::move(check); }
    // A room whose own unsaved choice (saved by its save step) is part of the report: the
    // leave question asks for it as for the editor's edits.
    void AddUnsavedCheck(std::function<bool()> changed) { m_unsavedChecks << std::move(changed); }
    // A step of every save; see the header comment. `name` appears in the log.
    using TSaveStep = std::function<void(TDbConnection& conn, const QString& ruid)>;
    void AddSaveStep(const QString& name, TSaveStep step) { m_saveSteps << TNamedStep{name, std::move(step)}; }

    // Runs one call into the editor; see TFormCallResult.
    TFormCallResult CallForm(const QString& what, const std::function<void()>& call);

signals:
    void reportOpened(const QString& ruid);
    // After each successful save, whether the report's content had changed.
    void reportSaved(const QString& ruid, bool changed);
    void reportClosed();
    void userChanged(const THostLogin& login);
    void editingChanged(bool editing);
    // A line for the status bar (also logged).
    void notice(const QString& text);
    // The editor widget was replaced (a switch of user); null when none was made.
    void formReplaced(QWidget* form);

private:
    void Log(const QString& title, const QString& message);
    void ReportFailure(const QString& what, const TFormCallResult& r, bool editorShowsBox);
    void FocusEditor();
    bool OpenChecked(const QString& ruid, QString* error);
    void OpenNotice(const QString& accnu, const TFormCallResult& r, bool draftRestored);
    TFormCallResult SaveInTransaction(const QString& ruid);
    void RunSaveSteps(TDbConnection& conn, const QString& ruid);
    void DropForm();

    struct TNamedStep {
        QString name;
        TSaveStep step;
    };

    THostLog& m_log;
    THostDataModule& m_dataModule;
    THostLogin m_login;
    TLoadedForm m_form;
    QString m_formClassName;
    IMainFrom* m_mainForm = nullptr;
    QWidget* m_dialogParent = nullptr;
    QWidget* m_formHost = nullptr;
    QString m_currentRuid;
    QByteArray m_savedContent;                // the editor's content as last opened or saved
    QStringList m_openWarnings;               // the editor's "警告:" notices since the last open
    QStringList* m_capturedErrors = nullptr;  // "异常:" lines of the call in progress
    QList<std::function<bool(QString*)>> m_unlockChecks;
    QList<std::function<bool()>> m_unsavedChecks;
    bool RoomsChanged() const;
    QList<TNamedStep> m_saveSteps;
    bool m_screenLocked = false;
    bool m_scripted = false;
    bool m_reopening = false;
};

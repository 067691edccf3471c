// SPDX-License-Identifier: MIT
// Locks the host window after a time without input: the report, the work list, the tool
// bars, the status bar and the patient part of the title are hidden behind a lock panel
// (LockPanel.h) that asks for the same user's password. Unsaved edits stay in the editor and
// reappear on unlocking. Another user may log in at the panel instead; the host then keeps
// the first user's edits as his draft and carries on as the new user (TEditorSession::SwitchLogin).
//
// Input is watched by one application-wide event filter: key presses, mouse presses, moves
// and wheel turns, touches and input-method commits anywhere in the program. It only notes
// the time; one single-shot timer checks it, so heavy mouse movement costs nothing.
//
// The action actionLockScreen (tool bar 锁屏, Ctrl+Shift+L) locks at once.
//
// The lock covers the program's other windows too: a dialog waiting for an answer (print
// preview, history, a picker, a question, the sign dialog) stays open with its contents
// hidden and keeps what was typed in it; while one is open the panel is a modal window of its
// own over the host window. Open menus close. No window title names a patient while locked.
// A script holds the lock off while one of its commands runs (Hold/Release), so only its
// pauses (`wait`) count as idle time. While locked, keys, clicks and shortcuts meant for the
// hidden window are dropped.
//
// The passwords are checked by the hooks (the database's accounts: failures are counted and
// lock-out applies) and never kept. UI thread only; a child of the host window.
#pragma once
#include "hostdata/UserAccounts.h"
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QTimer;
class QWidget;
class TConfigStore;
class IHostContext;
class TLockPanel;

class TIdleLock final : public QObject {
    Q_OBJECT
public:
    struct THooks {
        // Checks the password of the user who locked (counted like a log-in).
        std::function<TLoginResult(const QString& userCode, const QString& password)> confirm;
        // Logs another user in (counted); on Ok the account says who.
        std::function<TLoginResult(const QString& userCode, const QString& password)> logIn;
        // Makes the host carry on as that account; false with the reason leaves all as it was.
        std::function<bool(const TUserAccount& account, QString* error)> switchTo;
    };

    static constexpr double kDefaultMinutes = 10;
    // [Login] IdleLockMinutes in milliseconds, as the workstation policy allows it
    // (hostdata/WorkstationPolicy.h): absent or empty gives the policy's time or the default,
    // 0 turns the lock off unless the policy sets a time, a fraction is allowed (0.5 is 30 s;
    // at least 1 s). A value that is not a number or that the policy overrules gives a warning
    // for the log.
    static int IdleMsFromConfig(const TConfigStore& config, QString* warning);

    // idleMs 0: never locks by itself (LockNow still does).
    TIdleLock(IHostContext& host, int idleMs, THooks hooks);
    ~TIdleLock() override;

    bool IsLocked() const { return m_locked; }
    int IdleMs() const { return m_idleMs; }
    TLockPanel* Panel() const { return m_panel; }
    // The last attempt at the panel (unlock or switch), for scripts and the log.
    const TLoginResult& LastResult() const { return m_last; }
    // The --login-file of this run, whose password the script command unlock-screen uses.
    void SetLoginFile(const QString& file) { m_loginFile = file; }
    const QString& LoginFile() const { return m_loginFile; }

    // Locks now, as if the idle time had passed, over any open dialog. False with the reason
    // when the screen is already locked.
    bool LockNow(QString* reason);
    // While held (counted), the idle time does not lock; releasing counts as input.
    void Hold() { ++m_holds; }
    void Release();
    // Whether the object belongs to the lock panel (scripts may reach it while locked).
    bool InPanel(const QObject* o) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Arm(int ms);
    void CheckIdle();
    bool BlocksWhileLocked(QObject* watched) const;
    void Unlock();
    void OnUnlockRequested(const QString& password);
    void OnSwitchRequested(const QString& userCode, const QString& password);
    QString Refusal(const TLoginResult& r, bool ownAccount) const;
    // Closes the covered dialogs as cancelled (a change of user); true when one was open.
    bool CloseCoveredDialogs();
    // Shows the neutral title on window, keeping `title` for unlocking.
    void Neutralize(QWidget* window, const QString& title);

    IHostContext& m_host;
    QWidget& m_window;
    int m_idleMs = 0;
    THooks m_hooks;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_sinceInput;
    int m_holds = 0;
    bool m_locked = false;
    TLockPanel* m_panel = nullptr;
    TLoginResult m_last;
    QString m_loginFile;
    // What locking hid, shown again on unlocking.
    QList<QPointer<QWidget>> m_hidden;
    QPointer<QWidget> m_focus;
    // A waiting dialog whose contents are hidden, and where its focus was.
    struct TCovered {
        QPointer<QWidget> window;
        QList<QPointer<QWidget>> contents;
        QPointer<QWidget> focus;
    };
    QList<TCovered> m_covered;
    // The dialog that had the input when locking: it gets it back.
    QPointer<QWidget> m_activeModal;
    // The titles the windows had, or were given while locked.
    QList<QPair<QPointer<QWidget>, QString>> m_titles;
};

// SPDX-License-Identifier: MIT
#include "lock/IdleLock.h"
#include "app/ConfigStore.h"
#include "app/HostContext.h"
#include "editor/EditorSession.h"
#include "lock/LockPanel.h"
#include "hostdata/WorkstationPolicy.h"
#include "platform/InputComposition.h"
#include <QWidget>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QStyle>
#include <QMainWindow>
#include <QEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <QToolTip>

namespace {
const QString kLogTitle = QStringLiteral("wr-host idle lock");
const QString kLockedTitle = QStringLiteral("报告编辑 — 已锁定[*]");
// What every other window of the program is called while locked.
const QString kLockedOtherTitle = QStringLiteral("WriteReport — 已锁定");
// How often a lock that is due looks again while a script command holds it off.
constexpr int kRetryMs = 500;

QString Shown(const THostLogin& l)
{
    if (l.userName.isEmpty()) return l.userCode;
    return l.userCode.isEmpty() ? l.userName : QStringLiteral("%1（%2）").arg(l.userName, l.userCode);
}
} // namespace

int TIdleLock::IdleMsFromConfig(const TConfigStore& config, QString* warning)
{
    QStringList problems;
    const TWorkstationPolicy policy = TWorkstationPolicy::Load(&problems);
    QString own;
    const int ms = policy.IdleLockMs(config.ReadString(QStringLiteral("Login"), QStringLiteral("IdleLockMinutes")), &own);
    if (!own.isEmpty()) problems << own;
    if (warning) *warning = problems.join(QStringLiteral("; "));
    return ms;
}

TIdleLock::TIdleLock(IHostContext& host, int idleMs, THooks hooks)
    : QObject(host.Window()), m_host(host), m_window(*host.Window()), m_idleMs(std::max(0, idleMs)),
      m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("idleLock"));
    m_panel = new TLockPanel(&m_window);
    m_panel->hide();
    connect(m_panel, &TLockPanel::unlockRequested, this, &TIdleLock::OnUnlockRequested);
    connect(m_panel, &TLockPanel::switchRequested, this, &TIdleLock::OnSwitchRequested);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TIdleLock::CheckIdle);
    // A doctor who leaves locks at once (tool bar 锁屏, Ctrl+Shift+L).
    host.AddActions({{"actionLockScreen", QStringLiteral("锁屏"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
                      QStyle::SP_DialogNoButton, [this] {
                          QString reason;
                          if (LockNow(&reason)) m_host.Log(kLogTitle, QStringLiteral("locked by the user"));
                      }}});
    m_sinceInput.start();
    qApp->installEventFilter(this);
    Arm(m_idleMs);
    m_host.Log(kLogTitle, m_idleMs > 0 ? QStringLiteral("the screen locks after %1 s without input").arg(m_idleMs / 1000.0)
                                       : QStringLiteral("the idle lock is off ([Login] IdleLockMinutes=0)"));
}

TIdleLock::~TIdleLock()
{
    if (qApp) qApp->removeEventFilter(this);
}

void TIdleLock::Arm(int ms)
{
    if (m_idleMs > 0 && !m_locked) m_timer->start(std::max(0, ms));
}

void TIdleLock::Release()
{
    if (m_holds > 0) --m_holds;
    // A script command that just ended is the user's last action.
    m_sinceInput.restart();
    Arm(m_idleMs);
}

void TIdleLock::CheckIdle()
{
    if (m_locked || m_idleMs <= 0) return;
    const qint64 idle = m_sinceInput.elapsed();
    if (idle < m_idleMs) {
        Arm(static_cast<int>(m_idleMs - idle));
        return;
    }
    // A running script command would be cut off: the lock comes as soon as it is done
    // (unless input comes first). Dialogs and menus are no reason to wait (LockNow).
    if (m_holds > 0) {
        Arm(kRetryMs);
        return;
    }
    QString reason;
    if (LockNow(&reason))
        m_host.Log(kLogTitle, QStringLiteral("locked after %1 s without input").arg(idle / 1000.0));
}

bool TIdleLock::LockNow(QString* reason)
{
    if (m_locked) {
        *reason = QStringLiteral("the screen is already locked");
        return false;
    }
    m_timer->stop();
    // An open menu or list closes (nothing is lost with it); a tool tip may quote the report.
    for (int i = 0; i < 8 && QApplication::activePopupWidget(); ++i) QApplication::activePopupWidget()->close();
    QToolTip::hideText();
    // A word being composed belongs to the edits that must reappear.
    CommitPendingComposition();
    QWidget* focus = QApplication::focusWidget();
    m_focus = focus && m_window.isAncestorOf(focus) ? focus : nullptr;
    m_activeModal = QApplication::activeModalWidget();
    m_hidden.clear();
    m_covered.clear();
    m_titles.clear();
    // Everything of the window goes: the report and work list (central area), tool bars,
    // menus, the status bar (its message may name the patient).
    for (QWidget* w : m_window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == m_panel || w->isWindow() || !w->isVisible()) continue;
        m_hidden << w;
        w->hide();
    }
    // The program's other windows. One that waits for an answer (print preview, history, a
    // picker, a question, the sign dialog) stays open with its contents hidden, so whatever
    // was typed or chosen in it is there again after unlocking; hiding the window itself
    // would end it as cancelled. Other windows are simply hidden.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == &m_window || w == m_panel || !w->isVisible()) continue;
        if (!w->isModal()) {
            m_hidden << w;
            w->hide();
            continue;
        }
        TCovered c{w, {}, w->focusWidget()};
        for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || !child->isVisible()) continue;
            c.contents << child;
            child->hide();
        }
        m_covered << c;
    }
    // No title names a patient; one that changes while locked is caught in eventFilter.
    m_locked = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != m_panel && (w == &m_window || w->isVisible())) Neutralize(w, w->windowTitle());
    m_panel->SetUser(Shown(m_host.User()));
    m_panel->Reset();
    if (m_covered.isEmpty()) {
        m_panel->setGeometry(m_window.rect());
    } else {
        // A waiting dialog blocks input to the host window: the panel becomes a window of
        // its own, modal over everything, where the host window is.
        m_panel->setParent(&m_window, Qt::Window);
        m_panel->setWindowTitle(kLockedOtherTitle);
        m_panel->setWindowModality(Qt::ApplicationModal);
        m_panel->setGeometry(m_window.geometry());
    }
    m_panel->show();
    m_panel->raise();
    if (m_panel->isWindow()) m_panel->activateWindow();
    m_panel->PasswordEdit()->setFocus(Qt::OtherFocusReason);
    m_host.Session().SetScreenLocked(true);
    m_host.SetCover(m_panel);
    // Nobody at a locked screen changes the workstation's settings (a script, the editor).
    m_host.Config().RefuseWrites(QStringLiteral("the screen is locked"));
    m_host.Log(kLogTitle, QStringLiteral("screen locked for user %1%2")
                                        .arg(m_host.User().userCode,
                                             m_covered.isEmpty() ? QString()
                                                                 : QStringLiteral(" (%1 open dialog(s) covered)").arg(m_covered.size())));
    return true;
}

void TIdleLock::Neutralize(QWidget* window, const QString& title)
{
    const QString neutral = window == &m_window ? kLockedTitle : kLockedOtherTitle;
    if (title == neutral) return;
    bool known = false;
    for (auto& [w, kept] : m_titles)
        if (w == window) {
            kept = title;
            known = true;
        }
    if (!known) m_titles.append({window, title});
    window->setWindowTitle(neutral);
}

void TIdleLock::Unlock()
{
    m_panel->hide();
    m_panel->Reset();
    if (m_panel->isWindow()) {
        m_panel->setWindowModality(Qt::NonModal);
        m_panel->setParent(&m_window, Qt::Widget);
        m_panel->hide();
    }
    m_locked = false;
    for (const auto& [w, title] : std::as_const(m_titles))
        if (w) w->setWindowTitle(title);
    m_titles.clear();
    for (const QPointer<QWidget>& w : std::as_const(m_hidden))
        if (w) w->show();
    m_hidden.clear();
    QPointer<QWidget> dialog;
    for (const TCovered& c : std::as_const(m_covered)) {
        for (const QPointer<QWidget>& child : c.contents)
            if (child) child->show();
        if (!c.window) continue;
        if (c.focus) c.focus->setFocus(Qt::OtherFocusReason);
        dialog = c.window;
    }
    m_covered.clear();
    m_host.Session().SetScreenLocked(false);
    m_host.SetCover(nullptr);
    m_host.Config().RefuseWrites(QString());
    if (m_activeModal && m_activeModal->isVisible()) dialog = m_activeModal;
    if (dialog) {
        // The dialog that was waiting has the input again.
        dialog->raise();
        dialog->activateWindow();
    } else if (m_focus && m_focus->isVisible()) {
        m_focus->setFocus(Qt::OtherFocusReason);
    } else if (auto* main = qobject_cast<QMainWindow*>(&m_window); main && main->centralWidget()) {
        main->centralWidget()->setFocus(Qt::OtherFocusReason);
    }
    m_sinceInput.restart();
    Arm(m_idleMs);
}

QString TIdleLock::Refusal(const TLoginResult& r, bool ownAccount) const
{
    switch (r.outcome) {
    case TLoginOutcome::WrongPassword:
    case TLoginOutcome::UnknownUser:
    {
        // The locked user's own name cannot be wrong: only the password is. For another
        // user, unknown users read like wrong passwords (the accounts give them the same
        // count), so the panel tells no one which user codes exist.
        if (ownAccount)
            return r.failuresLeft > 0 ? QStringLiteral("密码错误，还可以再试 %1 次。").arg(r.failuresLeft)
                                      : QStringLiteral("密码错误。");
        const QString text = r.message.isEmpty() ? QStringLiteral("用户名或密码错误") : r.message;
        if (r.failuresLeft <= 0 || text.contains(QStringLiteral("次"))) return text;
        return QStringLiteral("%1（还可以再试 %2 次）").arg(text).arg(r.failuresLeft);
    }
    case TLoginOutcome::LockedOut:
        return QStringLiteral("密码错误次数过多，账户锁定到 %1。其他用户可以在下面登录。")
            .arg(QLocale(QLocale::Chinese, QLocale::China).toString(r.lockedUntil, QStringLiteral("HH:mm")));
    case TLoginOutcome::Disabled: return QStringLiteral("这个账户已停用。");
    case TLoginOutcome::NotAvailable: return QStringLiteral("数据库中没有用户表，无法验证密码。");
    case TLoginOutcome::DatabaseError:
        return QStringLiteral("无法验证密码：%1").arg(r.message.isEmpty() ? QStringLiteral("数据库错误") : r.message);
    case TLoginOutcome::Ok: break;
    }
    return {};
}

void TIdleLock::OnUnlockRequested(const QString& password)
{
    if (!m_locked) return;
    if (!m_hooks.confirm) {
        m_last = TLoginResult{};
        m_panel->ShowMessage(QStringLiteral("无法验证密码。"), true);
        return;
    }
    const QString user = m_host.User().userCode;
    m_last = m_hooks.confirm(user, password);
    if (m_last.outcome == TLoginOutcome::Ok) {
        m_host.Log(kLogTitle, QStringLiteral("unlocked by user %1").arg(user));
        Unlock();
        return;
    }
    // The outcome only: the typed text never reaches the log.
    m_host.Log(kLogTitle, QStringLiteral("unlock refused for user %1 (outcome %2)")
                                        .arg(user).arg(static_cast<int>(m_last.outcome)));
    m_panel->ShowMessage(Refusal(m_last, true), true);
    m_panel->PasswordEdit()->setFocus(Qt::OtherFocusReason);
}

void TIdleLock::OnSwitchRequested(const QString& userCode, const QString& password)
{
    if (!m_locked) return;
    if (userCode.isEmpty()) {
        m_last = TLoginResult{};
        m_last.outcome = TLoginOutcome::UnknownUser;
        m_panel->ShowMessage(QStringLiteral("请输入用户名。"), true);
        return;
    }
    // The same user typing his code below simply unlocks.
    if (userCode.compare(m_host.User().userCode, Qt::CaseInsensitive) == 0) {
        OnUnlockRequested(password);
        return;
    }
    if (!m_hooks.logIn || !m_hooks.switchTo) {
        m_last = TLoginResult{};
        m_panel->ShowMessage(QStringLiteral("这里不能切换用户。"), true);
        return;
    }
    m_last = m_hooks.logIn(userCode, password);
    if (m_last.outcome != TLoginOutcome::Ok) {
        m_host.Log(kLogTitle, QStringLiteral("log-in of user %1 at the lock refused (outcome %2)")
                                            .arg(userCode).arg(static_cast<int>(m_last.outcome)));
        m_panel->ShowMessage(Refusal(m_last, false), true);
        return;
    }
    if (m_last.account.mustChangePassword) {
        // The password change belongs to the log-in window at start, not to a locked screen.
        m_last.outcome = TLoginOutcome::Disabled;
        m_last.message = QStringLiteral("用户 %1 需要先修改密码：请重新启动程序，在登录窗口登录。").arg(userCode);
        m_panel->ShowMessage(m_last.message, true);
        return;
    }
    // The first user's waiting dialogs are his: they are closed as cancelled (his report's
    // edits go to his draft with the switch). The editor is made afresh only once their
    // callers have returned, so the new user logs in with a second click.
    if (CloseCoveredDialogs()) {
        m_last.outcome = TLoginOutcome::Disabled;
        m_last.message = QStringLiteral("上一位用户打开的对话框已关闭，请再次输入密码登录。");
        m_host.Log(kLogTitle, QStringLiteral("log-in of user %1 at the lock: the open dialogs of user %2 were closed first")
                                  .arg(userCode, m_host.User().userCode));
        m_panel->ShowMessage(m_last.message, true);
        return;
    }
    const QString before = m_host.User().userCode;
    QString error;
    // The new user has proved who he is: his switch may note him as the last user.
    m_host.Config().RefuseWrites(QString());
    if (!m_hooks.switchTo(m_last.account, &error)) {
        m_host.Config().RefuseWrites(QStringLiteral("the screen is locked"));
        m_last.outcome = TLoginOutcome::DatabaseError;
        m_last.message = error;
        m_host.Log(kLogTitle, QStringLiteral("switch from user %1 to %2 failed: %3").arg(before, userCode, error));
        m_panel->ShowMessage(QStringLiteral("不能切换用户：%1").arg(error), true);
        return;
    }
    m_host.Log(kLogTitle, QStringLiteral("user %1 logged in at the lock of user %2").arg(m_host.User().userCode, before));
    // The window now shows the new user's empty editor (its title was kept by eventFilter):
    // that is what unlocking reveals.
    m_focus = nullptr;
    Unlock();
}

bool TIdleLock::CloseCoveredDialogs()
{
    bool closed = false;
    for (auto it = m_covered.rbegin(); it != m_covered.rend(); ++it) {
        QWidget* w = it->window;
        if (!w || !w->isVisible()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
        else w->close();
        // Hidden now with the window: a dialog object shown again later comes whole.
        for (const QPointer<QWidget>& child : it->contents)
            if (child) child->show();
        closed = true;
    }
    m_covered.clear();
    return closed;
}

bool TIdleLock::InPanel(const QObject* o) const
{
    for (; o; o = o->parent())
        if (o == m_panel) return true;
    return false;
}

bool TIdleLock::BlocksWhileLocked(QObject* watched) const
{
    if (InPanel(watched)) return false;
    for (const QObject* o = watched; o; o = o->parent()) {
        if (o->isWidgetType()) {
            const auto* w = static_cast<const QWidget*>(o);
            // A modal dialog over the locked window (a question raised meanwhile) still works.
            if (w->isWindow() && w != &m_window && w->windowModality() != Qt::NonModal) return false;
        }
        if (o == &m_window) return true;
    }
    return false;
}

bool TIdleLock::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::InputMethod:
        if (!m_locked) {
            m_sinceInput.restart();
            return false;
        }
        return BlocksWhileLocked(watched);
    case QEvent::MouseMove:
        if (!m_locked) m_sinceInput.restart();
        return false;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
        return m_locked && BlocksWhileLocked(watched);
    case QEvent::Resize:
        if (m_locked && watched == &m_window && !m_panel->isWindow()) m_panel->setGeometry(m_window.rect());
        return false;
    case QEvent::WindowTitleChange:
        // A window that names a patient while locked (the editor after a change of user, a
        // question raised meanwhile) keeps the title for later and shows the neutral one.
        if (m_locked && watched->isWidgetType() && watched != m_panel) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow()) Neutralize(w, w->windowTitle());
        }
        return false;
    default: return false;
    }
}

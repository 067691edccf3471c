// SPDX-License-Identifier: MIT
// The script commands of the idle lock: lock-screen, unlock-screen [wrong], switch-user FILE,
// and the rule that a locked screen lets a script reach nothing but the lock panel.
#include "app/HostContext.h"
#include "lock/IdleLock.h"
#include "lock/IdleLockSetup.h"
#include "lock/LockPanel.h"
#include "script/ScriptCommands.h"
#include "script/ScriptSession.h"
#include "login/LoginFile.h"
#include <QLineEdit>
#include <QPushButton>

namespace {
// Commands that neither show nor change the report or the workstation's settings.
bool HarmlessWhileLocked(const QString& n)
{
    for (const char* ok : {"lock-screen", "unlock-screen", "switch-user", "dump", "screenshot", "echo", "wait", "answer"})
        if (n == QLatin1String(ok)) return true;
    return false;
}

const char* OutcomeName(TLoginOutcome o)
{
    switch (o) {
    case TLoginOutcome::Ok: return "ok";
    case TLoginOutcome::WrongPassword: return "wrong-password";
    case TLoginOutcome::UnknownUser: return "unknown-user";
    case TLoginOutcome::LockedOut: return "locked-out";
    case TLoginOutcome::Disabled: return "refused";
    case TLoginOutcome::NotAvailable: return "no-accounts";
    case TLoginOutcome::DatabaseError: return "database-error";
    }
    return "?";
}

bool BlockedByScreenLock(TIdleLock* lock, const TScriptCommand& c, QString* error)
{
    if (!lock->IsLocked() || HarmlessWhileLocked(c.name)) return false;
    // The panel's own fields and buttons stay reachable, as they are for a person.
    const bool named = c.name == QLatin1String("set") || c.name == QLatin1String("click") || c.name == QLatin1String("focus")
        || c.name == QLatin1String("expect") || c.name == QLatin1String("check");
    if (named) {
        const QString name = c.args.at(0).section(QLatin1Char('.'), 0, 0);
        if (!name.isEmpty() && lock->Panel()->findChild<QObject*>(name)) return false;
        if (name == lock->Panel()->objectName()) return false;
    }
    *error = QStringLiteral("the screen is locked (unlock-screen or switch-user first)");
    return true;
}

bool ScreenLock(TIdleLock* lock, IHostContext& host, TScriptSession& out, const TScriptCommand& c, QString* error)
{
    if (c.name == QLatin1String("lock-screen")) return lock->LockNow(error);
    if (!lock->IsLocked()) {
        *error = QStringLiteral("the screen is not locked");
        return false;
    }
    TLockPanel* panel = lock->Panel();
    if (c.name == QLatin1String("switch-user")) {
        TLoginFile file;
        if (!ReadLoginFile(c.text, &file, error)) return false;
        // Typed into the panel and sent with its button, as a person would.
        panel->SwitchCodeEdit()->setText(file.userCode);
        panel->SwitchPasswordEdit()->setText(file.password);
        panel->SwitchButton()->click();
        const TLoginResult& r = lock->LastResult();
        if (r.outcome != TLoginOutcome::Ok || lock->IsLocked()) {
            *error = QStringLiteral("user %1 was not let in (%2): %3")
                         .arg(file.userCode, QLatin1String(OutcomeName(r.outcome)), r.message);
            return false;
        }
        // Later unlocks are the new user's: his password comes from this file.
        lock->SetLoginFile(c.text);
        out.Print(QStringLiteral("switched to user %1").arg(host.User().userCode));
        return true;
    }
    // unlock-screen [wrong]: the password of the logged-in user, from the file he logged in
    // with (or the run's own log-in), read now and not kept.
    QString password;
    if (!lock->LoginFile().isEmpty()) {
        TLoginFile file;
        if (!ReadLoginFile(lock->LoginFile(), &file, error)) return false;
        password = file.password;
    } else if (const std::optional<QString> p = out.loginPassword ? out.loginPassword() : std::nullopt) {
        password = *p;
    } else {
        *error = QStringLiteral("no password of the logged-in user is known to this run (--login-file)");
        return false;
    }
    const bool wrong = !c.args.isEmpty();
    if (wrong) password += QStringLiteral("-not-it");
    panel->PasswordEdit()->setText(password);
    panel->UnlockButton()->click();
    const TLoginResult& r = lock->LastResult();
    if (!wrong) {
        if (lock->IsLocked()) {
            *error = QStringLiteral("the password was refused (%1): %2").arg(QLatin1String(OutcomeName(r.outcome)), r.message);
            return false;
        }
        out.Print(QStringLiteral("screen unlocked"));
        return true;
    }
    if (!lock->IsLocked()) {
        *error = QStringLiteral("a wrong password unlocked the screen");
        return false;
    }
    out.Print(QStringLiteral("unlock refused: %1 (%2)").arg(QLatin1String(OutcomeName(r.outcome))).arg(r.failuresLeft));
    return true;
}

QString CheckUnlockScreen(const TScriptCommand& c)
{
    if (!c.args.isEmpty() && c.args.at(0) != QLatin1String("wrong"))
        return QStringLiteral("unlock-screen takes nothing or 'wrong', not '%1'").arg(c.args.at(0));
    return {};
}
} // namespace

QList<TScriptCommandShape> LockScriptCommands()
{
    return {{"lock-screen", 0, 0, false, false}, {"unlock-screen", 0, 1, false, false, CheckUnlockScreen},
            {"switch-user", 0, 0, true, true}};
}

void InstallLockRoom(IHostContext& host)
{
    TIdleLock* lock = InstallIdleLock(host);
    TScriptCommands& commands = host.ScriptCommands();
    // Only the script's pauses count as idle time for the screen lock.
    commands.AddAround([lock](const TScriptCommand& c, bool starting) {
        if (c.name == QLatin1String("wait")) return;
        if (starting) lock->Hold();
        else lock->Release();
    });
    commands.AddGuard([lock](const TScriptCommand& c, QString* error) { return !BlockedByScreenLock(lock, c, error); });
    for (const char* name : {"lock-screen", "unlock-screen", "switch-user"})
        commands.Handle(name, [lock, &host](const TScriptCommand& c, QString* error) {
            TScriptSession* out = host.Script();
            if (!out) {
                *error = QStringLiteral("no script is running");
                return false;
            }
            return ScreenLock(lock, host, *out, c, error);
        });
}

// SPDX-License-Identifier: MIT
#include "lock/IdleLockSetup.h"
#include "database/HostDataModule.h"
#include "app/ConfigStore.h"
#include "lock/IdleLock.h"
#include "login/HostLogin.h"
#include "platform/Exception.h"

namespace {
TLoginResult Failed(const QString& message)
{
    TLoginResult r;
    r.outcome = TLoginOutcome::DatabaseError;
    r.message = message;
    return r;
}
} // namespace

TIdleLock* InstallIdleLock(THostMainForm& window, TConfigStore& config,
                           std::function<bool(QWidget* parent, TLoadedForm* form, QString* error)> createForm,
                           const std::function<void(const QString& line)>& log)
{
    QString warning;
    const int idleMs = TIdleLock::IdleMsFromConfig(config, &warning);
    if (!warning.isEmpty() && log) log(warning);
    window.createForm = std::move(createForm);

    THostMainForm* w = &window;
    // Every check asks the database at that moment: the count of failures and a lock-out
    // set on another workstation apply here too.
    const auto check = [w](const QString& userCode, const QString& password, bool again) {
        try {
            TUserAccounts accounts(*w->DataModule().GetMainAdoConnection());
            return again ? accounts.Confirm(userCode, password) : accounts.LogIn(userCode, password);
        } catch (const Exception& e) {
            return Failed(e.Message());
        } catch (const std::exception& e) {
            return Failed(QString::fromLocal8Bit(e.what()));
        }
    };
    TIdleLock::THooks hooks;
    hooks.confirm = [check](const QString& u, const QString& p) { return check(u, p, true); };
    hooks.logIn = [check](const QString& u, const QString& p) { return check(u, p, false); };
    hooks.switchTo = [w, &config](const TUserAccount& account, QString* error) {
        QSet<QString> granted;
        try {
            granted = TUserAccounts(*w->DataModule().GetMainAdoConnection()).RolePermissions(account.roleCode);
        } catch (const Exception& e) {
            *error = e.Message();
            return false;
        }
        if (!w->SwitchLogin(HostLoginFrom(account, granted), error)) return false;
        // The next start's log-in dialog offers the user who worked last, as after a log-in.
        config.WriteString(QStringLiteral("Login"), QStringLiteral("UserCode"), account.userCode);
        return true;
    };
    return new TIdleLock(window, idleMs, std::move(hooks));
}

// SPDX-License-Identifier: MIT
#include "lock/IdleLockSetup.h"
#include "app/ConfigStore.h"
#include "app/HostContext.h"
#include "editor/EditorSession.h"
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

TIdleLock* InstallIdleLock(IHostContext& host)
{
    QString warning;
    const int idleMs = TIdleLock::IdleMsFromConfig(host.Config(), &warning);
    if (!warning.isEmpty()) host.Log(QStringLiteral("wr-host"), warning);

    IHostContext* h = &host;
    // Every check asks the database at that moment: the count of failures and a lock-out
    // set on another workstation apply here too.
    const auto check = [h](const QString& userCode, const QString& password, bool again) {
        try {
            TUserAccounts accounts(h->Db());
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
    hooks.switchTo = [h](const TUserAccount& account, QString* error) {
        QSet<QString> granted;
        try {
            granted = TUserAccounts(h->Db()).RolePermissions(account.roleCode);
        } catch (const Exception& e) {
            *error = e.Message();
            return false;
        }
        if (!h->Session().SwitchLogin(HostLoginFrom(account, granted), error)) return false;
        // The next start's log-in dialog offers the user who worked last, as after a log-in.
        h->Config().WriteString(QStringLiteral("Login"), QStringLiteral("UserCode"), account.userCode);
        return true;
    };
    return new TIdleLock(host, idleMs, std::move(hooks));
}

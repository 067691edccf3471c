// SPDX-License-Identifier: MIT
#include "login/HostLogin.h"
#include "app/ConfigStore.h"
#include "database/HostQueries.h"
#include "login/LoginDialog.h"
#include "login/LoginFile.h"
#include "platform/DialogService.h"
#include "platform/Exception.h"

namespace {
const QString kLoginSection = QStringLiteral("Login");

QString OutcomeName(TLoginOutcome o)
{
    switch (o) {
    case TLoginOutcome::Ok: return QStringLiteral("ok");
    // One text for a wrong password, an unknown user and a disabled account: the log shows
    // what a prober would see.
    case TLoginOutcome::WrongPassword:
    case TLoginOutcome::UnknownUser:
    case TLoginOutcome::Disabled: return QStringLiteral("wrong password");
    case TLoginOutcome::LockedOut: return QStringLiteral("locked out");
    case TLoginOutcome::NotAvailable: return QStringLiteral("no user accounts in the database");
    case TLoginOutcome::DatabaseError: return QStringLiteral("database error");
    }
    return QStringLiteral("refused");
}

QString Describe(const TLoginResult& r)
{
    QString s = OutcomeName(r.outcome);
    if (r.outcome == TLoginOutcome::LockedOut && r.lockedUntil.isValid())
        s += QStringLiteral(" until %1").arg(r.lockedUntil.toString(Qt::ISODate));
    if (r.outcome == TLoginOutcome::DatabaseError && !r.message.isEmpty()) s += QStringLiteral(": ") + r.message;
    return s;
}

void Wipe(QString& s)
{
    s.fill(QLatin1Char(' '));
    s.clear();
}
} // namespace

THostLogin HostLoginFrom(const TUserAccount& a, const QSet<QString>& granted)
{
    THostLogin l;
    l.userName = a.userName;
    l.userCode = a.userCode;
    l.deptCode = a.deptCode;
    l.roleId = a.roleId;
    l.roleCode = a.roleCode;
    l.granted = granted;
    l.hasRole = true;
    return l;
}

bool LogInAtStart(TDbConnection& conn, const THostOptions& o, TConfigStore& config, const TLoginEnvironment& env,
                  TStartLogin* out)
{
    auto log = [&env](const QString& line) {
        if (env.log) env.log(line);
    };
    TUserAccounts accounts(conn);
    bool available = false;
    try {
        available = accounts.Available();
    } catch (const Exception& e) {
        out->error = QStringLiteral("cannot read the user accounts: %1").arg(e.Message());
        return false;
    }
    if (!available) {
        out->error = QStringLiteral("the database holds no user accounts (tables WrUser, WrRole): run its upgrade scripts, "
                                    "then create users with wr-admin");
        return false;
    }
    auto finish = [&](const TLoginResult& r, TLoginSource source, const QString& how) {
        QSet<QString> granted;
        try {
            granted = accounts.RolePermissions(r.account.roleCode);
        } catch (const Exception& e) {
            // Without its grants the user may do nothing the role would allow.
            log(QStringLiteral("error: cannot read the rights of role %1: %2").arg(r.account.roleCode, e.Message()));
        }
        out->login = HostLoginFrom(r.account, granted);
        out->source = source;
        log(QStringLiteral("logged in: %1 %2 (role %3) %4").arg(r.account.userCode, r.account.userName, r.account.roleCode, how));
        config.WriteString(kLoginSection, QStringLiteral("UserCode"), r.account.userCode);
        return true;
    };
    auto refused = [&](const QString& code, const TLoginResult& r, const QString& how) {
        log(QStringLiteral("log-in refused for %1 %2: %3").arg(code, how, Describe(r)));
    };

    QString preset = o.userCode;
    if (!o.loginFile.isEmpty()) {
        TLoginFile file;
        QString error;
        if (!ReadLoginFile(o.loginFile, &file, &error)) {
            out->error = error;
            return false;
        }
        const TLoginResult r = accounts.LogIn(file.userCode, file.password);
        Wipe(file.password);
        const QString how = QStringLiteral("from the login file %1").arg(o.loginFile);
        if (r.outcome != TLoginOutcome::Ok) {
            refused(file.userCode, r, how);
            out->error = QStringLiteral("log-in refused for user %1 (%2): %3").arg(file.userCode, Describe(r), LoginRefusalText(r));
            return false;
        }
        if (!r.account.mustChangePassword) return finish(r, TLoginSource::LoginFile, how);
        log(QStringLiteral("log-in of %1 %2: the password must be changed first").arg(file.userCode, how));
        preset = file.userCode;
        if (!env.canAsk) {
            out->error = QStringLiteral("user %1 must change the password before working: log in once interactively "
                                        "(or have it reset without --must-change)").arg(file.userCode);
            return false;
        }
    }

    const bool named = !o.userCode.isEmpty() || !o.userName.isEmpty();
    if (o.loginFile.isEmpty() && env.embeddedDemo && !named) {
        QString code;
        try {
            code = FirstDoctor(conn).code;
        } catch (const Exception& e) {
            log(QStringLiteral("error: no demo doctor: %1").arg(e.Message()));
        }
        // A failure is not counted: once the demo password was changed, every start would
        // otherwise count one against the doctor and headless runs would lock him out.
        if (!code.isEmpty()) {
            const TLoginResult r = accounts.LogInIfMatches(code, kDemoPassword);
            if (r.outcome == TLoginOutcome::Ok && !r.account.mustChangePassword)
                return finish(r, TLoginSource::Demo, QStringLiteral("automatically on the demo database (demo password)"));
            log(QStringLiteral("the demo doctor %1 does not log in with the demo password any more (%2); asking")
                    .arg(code, Describe(r)));
        }
    }

    if (!env.canAsk) {
        out->error = named && o.loginFile.isEmpty()
            ? QStringLiteral("--user and --user-code log in no one without a password: give --login-file FILE "
                             "(lines user=CODE and password=TEXT, readable by its owner only)")
            : QStringLiteral("no one is logged in: a run without a person to ask needs --login-file FILE "
                             "(lines user=CODE and password=TEXT, readable by its owner only)");
        return false;
    }
    if (preset.isEmpty()) preset = o.userName;
    if (preset.isEmpty()) preset = config.ReadString(kLoginSection, QStringLiteral("UserCode"));
    TLoginDialog dialog(
        [&](const QString& code, const QString& password) {
            TLoginResult r = accounts.LogIn(code, password);
            if (r.outcome != TLoginOutcome::Ok) refused(code, r, QStringLiteral("in the log-in dialog"));
            return r;
        },
        [&](const QString& code, const QString& oldPassword, const QString& newPassword) {
            QString reason;
            try {
                reason = accounts.ChangePassword(code, oldPassword, newPassword);
            } catch (const Exception& e) {
                reason = QStringLiteral("密码没有修改，数据库出错：%1").arg(e.Message());
            }
            log(reason.isEmpty() ? QStringLiteral("%1 changed the password").arg(code)
                                 : QStringLiteral("password change of %1 refused").arg(code));
            return reason;
        },
        preset);
    if (dialog.exec() != QDialog::Accepted) {
        out->error = QStringLiteral("the log-in was cancelled; no one is logged in");
        out->cancelled = true;
        log(out->error);
        return false;
    }
    return finish(dialog.Result(), TLoginSource::Dialog, QStringLiteral("in the log-in dialog"));
}

std::function<std::optional<QString>()> ScriptPasswordSource(const THostOptions& o, TLoginSource source)
{
    if (source == TLoginSource::Demo) return [] { return std::optional<QString>(kDemoPassword); };
    if (source != TLoginSource::LoginFile) return [] { return std::optional<QString>(); };
    const QString path = o.loginFile;
    return [path]() -> std::optional<QString> {
        TLoginFile f;
        QString error;
        if (!ReadLoginFile(path, &f, &error)) return std::nullopt;
        return f.password;
    };
}

bool ConfirmUserPassword(TDbConnection& conn, const THostLogin& login, const QString& purpose, QWidget* parent,
                         const std::function<void(const QString&)>& log, QString* reason, const QString& subject)
{
    TPasswordRequest q;
    q.parent = parent;
    q.caption = QStringLiteral("确认身份");
    q.text = subject.isEmpty() ? QStringLiteral("%1需要再次输入密码。\n用户：%2").arg(purpose, login.userName)
                               : QStringLiteral("%1需要再次输入密码。\n报告：%2\n用户：%3").arg(purpose, subject, login.userName);
    q.userCode = login.userCode;
    std::optional<QString> password = Dialogs().AskPassword(q);
    if (!password) {
        *reason = QStringLiteral("没有输入密码，没有%1。").arg(purpose);
        log(QStringLiteral("%1 by %2: no password given").arg(purpose, login.userCode));
        return false;
    }
    TLoginResult r;
    try {
        r = TUserAccounts(conn).Confirm(login.userCode, *password);
    } catch (const Exception& e) {
        r.outcome = TLoginOutcome::DatabaseError;
        r.message = e.Message();
    }
    Wipe(*password);
    if (r.outcome == TLoginOutcome::Ok) {
        log(QStringLiteral("%1 by %2: password confirmed").arg(purpose, login.userCode));
        return true;
    }
    log(QStringLiteral("%1 by %2 refused: %3").arg(purpose, login.userCode, Describe(r)));
    *reason = PasswordRefusalText(r);
    return false;
}

// SPDX-License-Identifier: MIT
#include "login/HostLogin.h"
#include "app/ConfigStore.h"
#include "hostdata/HostQueries.h"
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

namespace {

// One log-in at start: from the login file, automatically on the demo database, or in the
// dialog, in that order.
class TStartLogIn {
public:
    TStartLogIn(TDbConnection& conn, const THostOptions& o, TConfigStore& config, const TLoginEnvironment& env,
                TStartLogin* out)
        : m_conn(conn), m_o(o), m_config(config), m_env(env), m_out(out), m_accounts(conn)
    {
    }

    bool Run()
    {
        if (!AccountsAvailable()) return false;
        QString preset = m_o.userCode;
        if (!m_o.loginFile.isEmpty()) {
            std::optional<bool> done = FromLoginFile(&preset);
            if (done) return *done;
        }
        const bool named = !m_o.userCode.isEmpty() || !m_o.userName.isEmpty();
        if (m_o.loginFile.isEmpty() && m_env.embeddedDemo && !named && AsDemoDoctor()) return true;
        if (!m_env.canAsk) {
            m_out->error = named && m_o.loginFile.isEmpty()
                ? QStringLiteral("--user and --user-code log in no one without a password: give --login-file FILE "
                                 "(lines user=CODE and password=TEXT, readable by its owner only)")
                : QStringLiteral("no one is logged in: a run without a person to ask needs --login-file FILE "
                                 "(lines user=CODE and password=TEXT, readable by its owner only)");
            return false;
        }
        if (preset.isEmpty()) preset = m_o.userName;
        if (preset.isEmpty()) preset = m_config.ReadString(kLoginSection, QStringLiteral("UserCode"));
        return InDialog(preset);
    }

private:
    void Log(const QString& line)
    {
        if (m_env.log) m_env.log(line);
    }

    bool AccountsAvailable()
    {
        try {
            if (m_accounts.Available()) return true;
        } catch (const Exception& e) {
            m_out->error = QStringLiteral("cannot read the user accounts: %1").arg(e.Message());
            return false;
        }
        m_out->error = QStringLiteral("the database holds no user accounts (tables WrUser, WrRole): run its upgrade scripts, "
                                      "then create users with wr-admin");
        return false;
    }

    bool Finish(const TLoginResult& r, TLoginSource source, const QString& how)
    {
        QSet<QString> granted;
        try {
            granted = m_accounts.RolePermissions(r.account.roleCode);
        } catch (const Exception& e) {
            // Without its grants the user may do nothing the role would allow.
            Log(QStringLiteral("error: cannot read the rights of role %1: %2").arg(r.account.roleCode, e.Message()));
        }
        m_out->login = HostLoginFrom(r.account, granted);
        m_out->source = source;
        Log(QStringLiteral("logged in: %1 %2 (role %3) %4").arg(r.account.userCode, r.account.userName, r.account.roleCode, how));
        m_config.WriteString(kLoginSection, QStringLiteral("UserCode"), r.account.userCode);
        return true;
    }

    void Refused(const QString& code, const TLoginResult& r, const QString& how)
    {
        Log(QStringLiteral("log-in refused for %1 %2: %3").arg(code, how, Describe(r)));
    }

    // The login file's user: the outcome, or nothing when the dialog must follow (the
    // password must be changed first; `preset` then names the user).
    std::optional<bool> FromLoginFile(QString* preset)
    {
        TLoginFile file;
        QString error;
        if (!ReadLoginFile(m_o.loginFile, &file, &error)) {
            m_out->error = error;
            return false;
        }
        const TLoginResult r = m_accounts.LogIn(file.userCode, file.password);
        Wipe(file.password);
        const QString how = QStringLiteral("from the login file %1").arg(m_o.loginFile);
        if (r.outcome != TLoginOutcome::Ok) {
            Refused(file.userCode, r, how);
            m_out->error = QStringLiteral("log-in refused for user %1 (%2): %3").arg(file.userCode, Describe(r), LoginRefusalText(r));
            return false;
        }
        if (!r.account.mustChangePassword) return Finish(r, TLoginSource::LoginFile, how);
        Log(QStringLiteral("log-in of %1 %2: the password must be changed first").arg(file.userCode, how));
        *preset = file.userCode;
        if (m_env.canAsk) return std::nullopt;
        m_out->error = QStringLiteral("user %1 must change the password before working: log in once interactively "
                                      "(or have it reset without --must-change)").arg(file.userCode);
        return false;
    }

    // The demo database's first doctor with the demo password. A failure is not counted:
    // once the demo password was changed, every start would otherwise count one against the
    // doctor and headless runs would lock him out.
    bool AsDemoDoctor()
    {
        QString code;
        try {
            code = FirstDoctor(m_conn).code;
        } catch (const Exception& e) {
            Log(QStringLiteral("error: no demo doctor: %1").arg(e.Message()));
        }
        if (code.isEmpty()) return false;
        const TLoginResult r = m_accounts.LogInIfMatches(code, kDemoPassword);
        if (r.outcome == TLoginOutcome::Ok && !r.account.mustChangePassword)
            return Finish(r, TLoginSource::Demo, QStringLiteral("automatically on the demo database (demo password)"));
        Log(QStringLiteral("the demo doctor %1 does not log in with the demo password any more (%2); asking").arg(code, Describe(r)));
        return false;
    }

    bool InDialog(const QString& preset)
    {
        TLoginDialog dialog(
            [this](const QString& code, const QString& password) {
                TLoginResult r = m_accounts.LogIn(code, password);
                if (r.outcome != TLoginOutcome::Ok) Refused(code, r, QStringLiteral("in the log-in dialog"));
                return r;
            },
            [this](const QString& code, const QString& oldPassword, const QString& newPassword) {
                QString reason;
                try {
                    reason = m_accounts.ChangePassword(code, oldPassword, newPassword);
                } catch (const Exception& e) {
                    reason = QStringLiteral("密码没有修改，数据库出错：%1").arg(e.Message());
                }
                Log(reason.isEmpty() ? QStringLiteral("%1 changed the password").arg(code)
                                     : QStringLiteral("password change of %1 refused").arg(code));
                return reason;
            },
            preset);
        if (dialog.exec() != QDialog::Accepted) {
            m_out->error = QStringLiteral("the log-in was cancelled; no one is logged in");
            m_out->cancelled = true;
            Log(m_out->error);
            return false;
        }
        return Finish(dialog.Result(), TLoginSource::Dialog, QStringLiteral("in the log-in dialog"));
    }

    TDbConnection& m_conn;
    const THostOptions& m_o;
    TConfigStore& m_config;
    const TLoginEnvironment& m_env;
    TStartLogin* m_out;
    TUserAccounts m_accounts;
};

} // namespace

bool LogInAtStart(TDbConnection& conn, const THostOptions& o, TConfigStore& config, const TLoginEnvironment& env,
                  TStartLogin* out)
{
    return TStartLogIn(conn, o, config, env, out).Run();
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

// SPDX-License-Identifier: MIT
#include "AdminCommands.h"
#include "AdminCritical.h"
#include "AdminSetup.h"
#include "PasswordInput.h"
#include "hostdata/UserAccounts.h"
#include <stdexcept>

const char kAdminUsageText[] =
    "Usage: wr-admin [--db TARGET] COMMAND [ARGUMENTS]\n"
    "Manages the users of the report editor kept in the database (tables WrUser, WrRole).\n"
    "\n"
    "  --db TARGET    an SQLite file, or an ODBC connection string / DSN=name; default: the\n"
    "                 demo database ~/.local/share/WriteReport/demo.sqlite\n"
    "  --db-password-file FILE\n"
    "                 the database login's password: the first line of FILE, which only its\n"
    "                 owner may read (chmod 600); for a login with a password, never put\n"
    "                 Pwd= into --db (every user of the machine sees a command line)\n"
    "  --help         print this text; --version  print the version\n"
    "\n"
    "Commands:\n"
    "  list                           every user: code, name, department, role, state, last log-in\n"
    "  add-user CODE ROLE [--no-must-change]\n"
    "                                 a user for the doctor CODE of csdoctor with role ROLE\n"
    "                                 (doctor, reviewer, admin or a site's own); the user must\n"
    "                                 change the password at the first log-in unless told not to\n"
    "  reset-password CODE [--must-change]\n"
    "                                 sets a new password (also ends a lock-out)\n"
    "  unlock CODE                    ends a lock-out after too many wrong passwords\n"
    "  set-role CODE ROLE             gives the user another role\n"
    "  disable CODE, enable CODE      stops or allows the user's log-ins\n"
    "  set-db-login CODE LOGIN        the user's own database login (per-user logins: the\n"
    "                                 signing procedures then check it); clear-db-login CODE\n"
    "  roles                          the roles and what each may do\n"
    "\n"
    "Setting up a database:\n"
    "  create-db [--demo]             makes the database TARGET from the installed scripts (schema,\n"
    "                                 upgrades, procedures; grants on a server) with its first\n"
    "                                 administrator: code, name, department code and password are\n"
    "                                 asked (piped: four lines). An SQLite file appears only whole;\n"
    "                                 an existing database is refused. --demo adds the demo's\n"
    "                                 reports and doctors, not its users\n"
    "  upgrade-db                     brings an existing database to the current scripts\n"
    "  import-doctors FILE.csv [--passwords-file OUT]\n"
    "                                 adds or updates doctors (columns 姓名,科室代码,代码,显示顺序,角色;\n"
    "                                 UTF-8 or GB18030); each new user gets a one-time password,\n"
    "                                 printed once or written to OUT (owner-only), to be changed at\n"
    "                                 the first log-in. One bad row and nothing is imported\n"
    "\n"
    "Critical values (危急值):\n"
    "  critical-report --from DATE --to DATE [--csv FILE]\n"
    "                                 the register for the period (dates yyyy-MM-dd): every notice\n"
    "                                 with the minutes from the report's save to the notice, every\n"
    "                                 critical value not told yet, and the share told within 10\n"
    "                                 minutes; --csv also writes it to FILE (UTF-8)\n"
    "\n"
    "A password is never taken from the command line: piped into standard input it is the\n"
    "first line; on a terminal it is asked twice without echo. At least 8 characters.\n"
    "On PostgreSQL and SQL Server the login needs the role wr_useradmin (or to own the database).\n"
    "Exit status: 0 done, 1 refused or failed, 2 bad command line, 3 database cannot be opened.\n";

namespace {

struct TCommand {
    const char* name;
    int positionals;    // arguments after the command name, flags not counted
    const char* flag;   // the flag the command takes, or nullptr
    bool flagTakesValue = false;
};

const TCommand kCommands[] = {
    // add-user forces a change by default; --must-change is taken there too, as said twice.
    {"list", 0, nullptr}, {"roles", 0, nullptr}, {"add-user", 2, "--no-must-change"},
    {"reset-password", 1, "--must-change"}, {"unlock", 1, nullptr}, {"set-role", 2, nullptr},
    {"disable", 1, nullptr}, {"enable", 1, nullptr}, {"set-db-login", 2, nullptr}, {"clear-db-login", 1, nullptr},
    {"create-db", 0, "--demo"}, {"upgrade-db", 0, nullptr}, {"import-doctors", 1, "--passwords-file", true},
};

QString DateText(const QDateTime& t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("-");
}

QString StateText(const TUserListEntry& e)
{
    QStringList s;
    if (e.account.disabled) s << QStringLiteral("disabled");
    if (e.lockedUntil.isValid() && e.lockedUntil > QDateTime::currentDateTime())
        s << QStringLiteral("locked until %1").arg(e.lockedUntil.toString(QStringLiteral("HH:mm:ss")));
    if (e.account.mustChangePassword) s << QStringLiteral("must change password");
    if (e.failedCount > 0) s << QStringLiteral("%1 failed").arg(e.failedCount);
    return s.isEmpty() ? QStringLiteral("ok") : s.join(QStringLiteral(", "));
}

bool TakeFlag(QStringList& args, const char* flag)
{
    return args.removeAll(QLatin1String(flag)) > 0;
}

int List(TUserAccounts& users, QTextStream& out)
{
    const QList<TUserListEntry> list = users.List();
    out << "code\tname\tdepartment\trole\tstate\tlast log-in\tdatabase login\n";
    for (const TUserListEntry& e : list)
        out << e.account.userCode << '\t' << e.account.userName << '\t' << e.account.deptCode << '\t'
            << e.account.roleCode << '\t' << StateText(e) << '\t' << DateText(e.lastLogin) << '\t'
            << (e.account.dbLogin.isEmpty() ? QStringLiteral("-") : e.account.dbLogin) << '\n';
    out << list.size() << " user(s)\n";
    return kAdminOk;
}

int Roles(TDbConnection& conn, TUserAccounts& users, QTextStream& out)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT RoleId, RoleCode, RoleName FROM WrRole ORDER BY RoleId");
    q->Open();
    for (; !q->Eof(); q->Next()) {
        const QString code = q->FieldByName(QStringLiteral("RoleCode")).AsString();
        QStringList ops = users.RolePermissions(code).values();
        ops.sort();
        out << q->FieldByName(QStringLiteral("RoleId")).AsString() << '\t' << code << '\t'
            << q->FieldByName(QStringLiteral("RoleName")).AsString() << '\t' << ops.join(QLatin1Char(',')) << '\n';
    }
    return kAdminOk;
}

} // namespace

bool AdminCommandValid(const QStringList& args, QString* why)
{
    if (args.isEmpty()) {
        *why = QStringLiteral("no command given");
        return false;
    }
    if (args.front() == QLatin1String("critical-report")) return CriticalReportArgsValid(args.mid(1), why);
    for (const TCommand& c : kCommands) {
        if (args.front() != QLatin1String(c.name)) continue;
        int positionals = 0;
        const QStringList rest = args.mid(1);
        for (qsizetype i = 0; i < rest.size(); ++i) {
            const QString& a = rest.at(i);
            if (c.flagTakesValue && a == QLatin1String(c.flag)) {
                if (++i >= rest.size()) {
                    *why = QStringLiteral("%1 needs a value").arg(a);
                    return false;
                }
            } else if (!a.startsWith(QLatin1String("--"))) {
                ++positionals;
            } else if (!c.flag || (a != QLatin1String(c.flag) && a != QLatin1String("--must-change"))) {
                *why = QStringLiteral("%1 does not know %2").arg(args.front(), a);
                return false;
            }
        }
        if (positionals != c.positionals) {
            // One argument too many is most likely a password, which must never be typed here.
            *why = QStringLiteral("%1 takes %2 argument(s), not %3 (a password is never given on the command line)")
                       .arg(args.front()).arg(c.positionals).arg(positionals);
            return false;
        }
        return true;
    }
    *why = QStringLiteral("unknown command '%1'").arg(args.front());
    return false;
}

int RunAdminCommand(TDbConnection& conn, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString why;
    if (!AdminCommandValid(arguments, &why)) {
        err << "wr-admin: " << why << '\n';
        return kAdminUsage;
    }
    QStringList args = arguments;
    const QString command = args.takeFirst();
    const bool mustChange = TakeFlag(args, "--must-change");
    const bool noMustChange = TakeFlag(args, "--no-must-change");
    // Before the user tables are looked for: an old database without them is what it upgrades.
    if (command == QLatin1String("upgrade-db")) return UpgradeDatabaseCommand(conn, out, err);
    if (command == QLatin1String("critical-report")) {
        try {
            return CriticalReportCommand(conn, arguments.mid(1), out, err);
        } catch (const Exception& e) {
            err << "wr-admin: " << e.Message().section(QStringLiteral(" (SQL: "), 0, 0) << '\n';
            return kAdminFailed;
        }
    }
    TUserAccounts users(conn);
    try {
        if (!users.Available()) {
            err << "wr-admin: the database has no user tables; run its upgrade scripts (upgrades/020-users.sql, "
                   "then procedures.sql and grants.sql)\n";
            return kAdminFailed;
        }
        if (command == QLatin1String("list")) return List(users, out);
        if (command == QLatin1String("import-doctors")) return ImportDoctorsCommand(conn, args, out, err);
        if (command == QLatin1String("roles")) return Roles(conn, users, out);
        const QString code = args.at(0);
        if (command == QLatin1String("add-user") || command == QLatin1String("reset-password")) {
            QString error;
            const std::optional<QString> password = ReadNewPassword(code, &error);
            if (!password) {
                err << "wr-admin: " << error << '\n';
                return kAdminFailed;
            }
            if (command == QLatin1String("add-user")) {
                TUserAccount a;
                a.userCode = code;
                a.roleCode = args.at(1);
                users.CreateUser(a, *password, !noMustChange);
                out << "user " << code << " added with role " << a.roleCode
                    << (noMustChange ? "" : "; the password must be changed at the first log-in") << '\n';
            } else {
                users.ResetPassword(code, *password, mustChange);
                out << "password of " << code << " set" << (mustChange ? "; it must be changed at the next log-in" : "")
                    << '\n';
            }
        } else if (command == QLatin1String("unlock")) {
            users.Unlock(code);
            out << "user " << code << " unlocked\n";
        } else if (command == QLatin1String("set-role")) {
            users.SetRole(code, args.at(1));
            out << "user " << code << " has role " << args.at(1) << '\n';
        } else if (command == QLatin1String("set-db-login") || command == QLatin1String("clear-db-login")) {
            const QString login = command == QLatin1String("set-db-login") ? args.at(1) : QString();
            users.SetDbLogin(code, login);
            if (login.isEmpty()) out << "user " << code << " has no database login of its own\n";
            else out << "user " << code << " has database login " << login << '\n';
        } else if (command == QLatin1String("disable") || command == QLatin1String("enable")) {
            users.SetDisabled(code, command == QLatin1String("disable"));
            out << "user " << code << (command == QLatin1String("disable") ? " disabled" : " enabled") << '\n';
        }
        return kAdminOk;
    } catch (const Exception& e) {
        // SQLite's messages end in the statement, which says nothing to an administrator.
        err << "wr-admin: " << e.Message().section(QStringLiteral(" (SQL: "), 0, 0) << '\n';
    } catch (const std::exception& e) {
        err << "wr-admin: " << QString::fromUtf8(e.what()) << '\n';
    }
    return kAdminFailed;
}

// SPDX-License-Identifier: MIT
#include "AdminSetup.h"
#include "AdminCommands.h"
#include "PasswordInput.h"
#include "hostdata/DatabaseSetup.h"
#include "hostdata/UserAccounts.h"
#include "platform/LegacyText.h"
#include "platform/SqliteDatabase.h"
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

struct TFirstAdmin {
    QString code, name, dept, password;
};

// SQLite's messages end in the statement, which says nothing to an administrator.
QString Reason(const Exception& e) { return e.Message().section(QStringLiteral(" (SQL: "), 0, 0); }

// Code, name and department code, then the password: four lines from a pipe, or asked on a
// terminal (the password twice, without echo).
std::optional<TFirstAdmin> ReadFirstAdmin(QTextStream& err)
{
    TFirstAdmin a;
    QString* fields[] = {&a.code, &a.name, &a.dept};
    const char* prompts[] = {"Administrator's user code: ", "Administrator's name: ", "Department code: "};
    const bool terminal = isatty(STDIN_FILENO);
    for (int i = 0; i < 3; ++i) {
        if (terminal) std::fputs(prompts[i], stderr);
        std::optional<QString> line = ReadInputLine();
        if (!line || line->trimmed().isEmpty()) {
            err << "wr-admin: create-db reads four lines from standard input: the administrator's code, name, "
                   "department code and password\n";
            return std::nullopt;
        }
        *fields[i] = line->trimmed();
    }
    QString error;
    std::optional<QString> password = ReadNewPassword(a.code, &error);
    if (!password) {
        err << "wr-admin: " << error << '\n';
        return std::nullopt;
    }
    a.password = *password;
    return a;
}

void AddDoctor(TDbConnection& conn, const QString& code, const QString& name, const QString& dept, int order)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("INSERT INTO csdoctor ([姓名], kscode, displayindex, code) VALUES (%1, %2, %3, %4)")
                    .arg(QuotedStr(name), QuotedStr(dept)).arg(order).arg(QuotedStr(code));
    q->ExecSQL();
}

void AddFirstAdmin(TDbConnection& conn, const TFirstAdmin& a, bool demoData)
{
    if (demoData) {
        // The demo's accounts share a published password: a real database starts without them.
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("DELETE FROM WrUser");
        q->ExecSQL();
    }
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("DELETE FROM csdoctor WHERE code = %1").arg(QuotedStr(a.code));
    q->ExecSQL();
    AddDoctor(conn, a.code, a.name, a.dept, 0);
    TUserAccount user;
    user.userCode = a.code;
    user.roleCode = QStringLiteral("admin");
    TUserAccounts(conn).CreateUser(user, a.password, false);
}

int CreateSqlite(const QString& file, bool demo, const QString& folder, const TFirstAdmin& admin, QTextStream& out,
                 QTextStream& err)
{
    const QStringList scripts = CreationScripts(folder, QStringLiteral("sqlite"), demo);
    try {
        CreateSqliteDatabase(file, scripts, [&](TSqliteConnection& conn) { AddFirstAdmin(conn, admin, demo); });
    } catch (const std::invalid_argument& e) {
        err << "wr-admin: " << QString::fromUtf8(e.what()) << "; nothing was created\n";
        return kAdminFailed;
    } catch (const Exception& e) {
        err << "wr-admin: cannot create " << file << ": " << Reason(e) << "; nothing was created\n";
        return kAdminFailed;
    }
    for (const QString& s : scripts) out << "ran " << s << '\n';
    out << "database created: " << file << "; administrator " << admin.code << " (" << admin.name << ")\n";
    return kAdminOk;
}

int CreateOnServer(const QString& target, bool demo, const QString& dialect, const QString& folder,
                   const TFirstAdmin& admin, QTextStream& out, QTextStream& err)
{
    const QStringList scripts = CreationScripts(folder, dialect, demo);
    auto ownerSteps = [&](const QString& why) {
        err << "wr-admin: " << why << "\nThe database's owner creates it with:\n";
        for (const QString& line : OwnerCommands(dialect, scripts)) err << "  " << line << '\n';
        err << "then `wr-admin --db TARGET import-doctors FILE.csv` adds the doctors, the administrator among them "
               "(角色 admin).\n";
        return kAdminFailed;
    };
    std::unique_ptr<TDbConnection> conn;
    try {
        conn = OpenDatabase(target);
    } catch (const Exception& e) {
        return ownerSteps(QStringLiteral("cannot connect: %1").arg(e.Message()));
    }
    if (HoldsReportTables(*conn)) {
        err << "wr-admin: the database already holds the report tables; create-db never touches an existing "
               "database (upgrade-db brings it to the current scripts)\n";
        return kAdminFailed;
    }
    for (qsizetype i = 0; i < scripts.size(); ++i) {
        try {
            RunServerScript(*conn, scripts.at(i));
        } catch (const Exception& e) {
            // The first script failing means this login may not create tables: nothing is made.
            if (i == 0) return ownerSteps(QStringLiteral("this login cannot create the tables: %1").arg(e.Message()));
            err << "wr-admin: " << e.Message() << "\n";
            return kAdminFailed;
        }
        out << "ran " << scripts.at(i) << '\n';
    }
    try {
        AddFirstAdmin(*conn, admin, demo);
    } catch (const std::exception& e) {
        err << "wr-admin: the tables are made, but not the administrator: " << QString::fromUtf8(e.what()) << '\n';
        return kAdminFailed;
    }
    out << "database created: " << conn->Description() << "; administrator " << admin.code << " (" << admin.name
        << ")\n";
    return kAdminOk;
}

} // namespace

int CreateDatabaseCommand(const QString& target, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const bool demo = args.contains(QLatin1String("--demo"));
    const QString dialect = DialectOfTarget(target);
    if (dialect == QLatin1String("sqlite") && QFileInfo::exists(target)) {
        err << "wr-admin: " << target << " already exists; create-db never touches an existing database "
               "(upgrade-db brings it to the current scripts)\n";
        return kAdminFailed;
    }
    const QString folder = FindDbScriptsFolder(dialect);
    if (folder.isEmpty()) {
        err << "wr-admin: the database scripts (db/" << dialect << "/schema.sql) are not installed\n";
        return kAdminFailed;
    }
    const std::optional<TFirstAdmin> admin = ReadFirstAdmin(err);
    if (!admin) return kAdminFailed;
    out.flush();
    if (dialect == QLatin1String("sqlite")) return CreateSqlite(target, demo, folder, *admin, out, err);
    return CreateOnServer(target, demo, dialect, folder, *admin, out, err);
}

int UpgradeDatabaseCommand(TDbConnection& conn, QTextStream& out, QTextStream& err)
{
    const QString folder = FindDbScriptsFolder(conn.Dialect());
    if (folder.isEmpty()) {
        err << "wr-admin: the database scripts (db/" << conn.Dialect() << ") are not installed\n";
        return kAdminFailed;
    }
    if (!HoldsReportTables(conn)) {
        err << "wr-admin: this is not a report database (no table Report); create-db makes one\n";
        return kAdminFailed;
    }
    const QStringList scripts = UpgradeScripts(folder, conn.Dialect());
    // An index built over a million reports takes a while, once: say what the wait is for.
    const TSqliteUpgradeProgress progress = [&out](const TSqliteUpgradeWork& w) {
        if (w.phase == TSqliteUpgradeWork::TPhase::Started) out << "building " << w.what << " ..." << Qt::endl;
        else if (w.phase == TSqliteUpgradeWork::TPhase::Finished)
            out << "built " << w.what << " in " << QString::number(w.elapsedMs / 1000.0, 'f', 1) << " s" << Qt::endl;
    };
    for (const QString& s : scripts) {
        try {
            if (auto* sqlite = dynamic_cast<TSqliteConnection*>(&conn)) UpgradeSqliteDatabase(*sqlite, {s}, progress);
            else RunServerScript(conn, s);
        } catch (const Exception& e) {
            err << "wr-admin: " << Reason(e) << "\n";
            return kAdminFailed;
        }
        out << "ran " << s << '\n';
    }
    out << "database upgraded: " << scripts.size() << " script(s)\n";
    return kAdminOk;
}

// SPDX-License-Identifier: MIT
// wr-admin: creates users, resets passwords, unlocks and changes roles in the report
// database, from a console (no display, no widgets). See AdminCommands.h.
#include "AdminCommands.h"
#include "AdminSetup.h"
#include "hostdata/DbCredentials.h"
#include "platform/Database.h"
#include "platform/PrivateFiles.h"
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>
#ifdef WR_HAVE_VERSION
#include "wr_version.h"
#endif

int main(int argc, char** argv)
{
    // Passwords typed here must not end up in a core file or another process's reading.
    MakeProcessNonDumpable();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("WriteReport"));
    QTextStream out(stdout), err(stderr);

    QStringList args = app.arguments().mid(1);
    QString target, passwordFile;
    for (qsizetype i = 0; i < args.size();) {
        const QString a = args.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << kAdminUsageText;
            return kAdminOk;
        }
        if (a == QLatin1String("--version")) {
#ifdef WR_HAVE_VERSION
            out << "wr-admin " << WR_VERSION << '\n';
#else
            out << "wr-admin\n";
#endif
            return kAdminOk;
        }
        if (a == QLatin1String("--db")) {
            if (i + 1 >= args.size()) {
                err << "wr-admin: --db needs a database\n";
                return kAdminUsage;
            }
            target = args.at(i + 1);
            args.remove(i, 2);
            continue;
        }
        if (a == QLatin1String("--db-password-file")) {
            if (i + 1 >= args.size()) {
                err << "wr-admin: --db-password-file needs a file\n";
                return kAdminUsage;
            }
            passwordFile = args.at(i + 1);
            args.remove(i, 2);
            continue;
        }
        if (a.startsWith(QLatin1String("--db="))) {
            target = a.mid(5);
            args.remove(i);
            continue;
        }
        ++i;
    }
    QString why;
    if (!AdminCommandValid(args, &why)) {
        err << "wr-admin: " << why << "\n\n" << kAdminUsageText;
        return kAdminUsage;
    }
    if (target.isEmpty() && args.front() == QLatin1String("create-db")) {
        err << "wr-admin: create-db needs --db TARGET (the demo database is made by wr-host itself)\n";
        return kAdminUsage;
    }
    if (target.isEmpty())
        target = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1String("/demo.sqlite");

    if (!passwordFile.isEmpty()) {
        QString error;
        target = TargetWithPasswordFile(target, passwordFile, &error);
        if (target.isEmpty()) {
            err << "wr-admin: " << error << '\n';
            return kAdminNoDatabase;
        }
    }

    // The one command whose database does not exist yet.
    if (args.front() == QLatin1String("create-db")) return CreateDatabaseCommand(target, args.mid(1), out, err);

    std::unique_ptr<TDbConnection> conn;
    try {
        conn = OpenDatabase(target);
    } catch (const Exception& e) {
        // The description never holds a password; the raw target might.
        err << "wr-admin: cannot open the database: " << e.Message() << '\n';
        return kAdminNoDatabase;
    }
    out << "database: " << conn->Description() << '\n';
    out.flush();
    return RunAdminCommand(*conn, args, out, err);
}

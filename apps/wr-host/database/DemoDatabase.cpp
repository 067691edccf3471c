// SPDX-License-Identifier: MIT
#include "database/DemoDatabase.h"
#include "hostdata/DatabaseSetup.h"
#include "app/InstallLayout.h"
#include "platform/Exception.h"
#include "platform/SqliteDatabase.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString FindDbScriptsFolder() { return FindDbScriptsFolder(QStringLiteral("sqlite")); }

QString DemoDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1String("/demo.sqlite");
}

bool EnsureDemoDatabase(const QString& path, bool reset, QString* error, bool* created,
                        const TSqliteUpgradeProgress& progress)
{
    *created = false;
    if (reset && QFileInfo::exists(path) && !QFile::remove(path)) {
        *error = QStringLiteral("cannot remove the old demo database %1").arg(path);
        return false;
    }
    const QString folder = FindDbScriptsFolder();
    if (QFileInfo::exists(path)) {
        // A demo database made by an older version gets the newer tables and columns; the
        // upgrade scripts keep its reports.
        if (folder.isEmpty()) return true;
        try {
            TSqliteConnection conn(path);
            UpgradeSqliteDatabase(conn, SqliteUpgradeScripts(folder), progress);
            // The demo users, for a demo database made before there were users; a user
            // already there keeps a changed password.
            if (const QString users = folder + QLatin1String("/demo-users.sql"); QFileInfo::exists(users))
                UpgradeSqliteDatabase(conn, {users}, progress);
        } catch (const Exception& e) {
            *error = QStringLiteral("cannot upgrade the demo database %1: %2").arg(path, e.Message());
            return false;
        }
        return true;
    }
    if (folder.isEmpty()) {
        *error = QStringLiteral("the database scripts (db/sqlite/schema.sql) are neither beside wr-host, nor in %1, "
                                "nor in the source tree").arg(InstalledDbScriptsFolder());
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    try {
        CreateSqliteDatabase(path, SqliteScriptFiles(folder, true));
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot create the demo database %1 from %2: %3").arg(path, folder, e.Message());
        return false;
    }
    *created = true;
    return true;
}

// SPDX-License-Identifier: MIT
#include "DatabaseOpeners.h"
#include "SqliteDatabase.h"
#include <QFileInfo>

TDbOpener g_odbcOpener = nullptr;

bool IsOdbcTarget(const QString& target)
{
    return target.contains(QLatin1Char('=')) && !QFileInfo(target).isFile();
}

std::unique_ptr<TDbConnection> OpenDatabase(const QString& target)
{
    const QString t = target.trimmed();
    if (t.isEmpty()) throw EDatabaseError(QStringLiteral("No database given"));
    if (IsOdbcTarget(t)) {
        if (!g_odbcOpener) throw EDatabaseError(QStringLiteral("ODBC support is not built in"));
        return g_odbcOpener(t);
    }
    return std::make_unique<TSqliteConnection>(t);
}

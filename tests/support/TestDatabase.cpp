// SPDX-License-Identifier: MIT
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QDir>

QString CreateTestDatabaseFile(const QString& folder, bool withDemoData)
{
    const QString file = QDir(folder).filePath(QStringLiteral("writereport.db"));
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), withDemoData));
    return file;
}

std::unique_ptr<TDbConnection> CreateTestDatabase(const QString& folder, bool withDemoData)
{
    return OpenDatabase(CreateTestDatabaseFile(folder, withDemoData));
}

void ExecTestSql(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->ExecSQL();
}

TDbValue QueryTestValue(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->Open();
    if (q->RecordCount() < 1) return {};
    const QStringList names = q->FieldNames();
    return q->FieldByName(names.first());
}

TFreshDatabase::TFreshDatabase(bool withDemoData)
    : file(CreateTestDatabaseFile(dir.path(), withDemoData))
    , conn(OpenDatabase(file))
{
}

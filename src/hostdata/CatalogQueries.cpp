// SPDX-License-Identifier: MIT
#include "hostdata/CatalogQueries.h"

TDateTime ServerNow(TDbConnection& conn)
{
    auto q = conn.CreateQuery();
    const QString dialect = conn.Dialect();
    if (dialect == QLatin1String("sqlserver")) q->SQL() << QStringLiteral("SELECT SYSDATETIME() AS now_time");  // GETDATE() is 1/300 s
    else if (dialect == QLatin1String("postgresql")) q->SQL() << QStringLiteral("SELECT LOCALTIMESTAMP AS now_time");
    else q->SQL() << QStringLiteral("SELECT datetime('now','localtime') AS now_time");
    q->Open();
    if (q->Eof()) throw EDatabaseError(QStringLiteral("the database answered no time"));
    return q->FieldByName(QStringLiteral("now_time")).AsDateTime();
}

QString QuoteIdentifier(const QString& dialect, const QString& name)
{
    QString n = name;
    if (dialect != QLatin1String("sqlserver")) {
        n.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + n + QLatin1Char('"');
    }
    n.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + n + QLatin1Char(']');
}

QStringList TableColumnNames(TDbConnection& conn, const QString& tableOrView)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(QuoteIdentifier(conn.Dialect(), tableOrView));
    q->Open();
    return q->FieldNames();
}

QString ColumnDataType(TDbConnection& conn, const QString& tableOrView, const QString& column)
{
    auto q = conn.CreateQuery();
    if (conn.Dialect() == QLatin1String("sqlite")) {
        q->SQL() << QStringLiteral("SELECT type AS data_type FROM pragma_table_info(%1) WHERE name = %2 COLLATE NOCASE")
                        .arg(QuotedStr(tableOrView), QuotedStr(column));
    } else {
        // Names match without case, as on SQL Server (PostgreSQL folds unquoted names).
        q->SQL() << QStringLiteral("SELECT DATA_TYPE AS data_type FROM INFORMATION_SCHEMA.COLUMNS")
                 << QStringLiteral("WHERE LOWER(TABLE_NAME) = LOWER(%1) AND LOWER(COLUMN_NAME) = LOWER(%2)")
                        .arg(QuotedStr(tableOrView), QuotedStr(column));
    }
    q->Open();
    return q->Eof() ? QString() : q->FieldByName(QStringLiteral("data_type")).AsString();
}

QString SelectAllColumnsSql(TDbConnection& conn, const QString& tableOrView)
{
    const QString dialect = conn.Dialect();
    QStringList cols;
    for (const QString& f : TableColumnNames(conn, tableOrView)) cols << QuoteIdentifier(dialect, f);
    return QStringLiteral("SELECT %1 FROM %2").arg(cols.join(QLatin1String(", ")), QuoteIdentifier(dialect, tableOrView));
}

// SPDX-License-Identifier: MIT
#include "SqliteStoredProc.h"
#include "SqliteDatabase.h"
#include "SqliteFileIdentity.h"
#include "SqliteScript.h"
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

QString NotFound(const QString& name)
{
    return QStringLiteral("Could not find stored procedure '%1'").arg(name);
}

bool TableExists(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    q.addBindValue(table);
    if (!q.exec()) RaiseSqliteError(q.lastError(), q.lastQuery());
    return q.next();
}

// The procedure's body, or EDatabaseError when there is no such procedure.
QString ProcedureBody(const QSqlDatabase& db, const QString& name)
{
    if (!TableExists(db, QStringLiteral("wr_procedure"))) throw EDatabaseError(NotFound(name));
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT body FROM wr_procedure WHERE name = ? COLLATE NOCASE"));
    q.addBindValue(name);
    if (!q.exec()) RaiseSqliteError(q.lastError(), q.lastQuery());
    if (!q.next()) throw EDatabaseError(NotFound(name));
    return q.value(0).toString();
}

// Qt binds a null QString as SQL NULL; an empty text must arrive as an empty text.
QString NonNullText(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

// The value as SQLite should store it, following the type the catalogue declares:
// booleans as 0/1, date-times as ISO text to the millisecond, integers as integers.
QVariant BindValue(const TDbParameter& p)
{
    if (p.Value.IsNull()) return QVariant();
    switch (p.DataType) {
    case TDbFieldType::Integer: return p.Value.AsInteger();
    case TDbFieldType::Boolean: return p.Value.AsBoolean() ? 1 : 0;
    case TDbFieldType::DateTime: return DateTimeToQDateTime(p.Value.AsDateTime()).toString(kDateTimeFormat);
    case TDbFieldType::Float: return p.Value.Variant().toDouble();
    case TDbFieldType::String: case TDbFieldType::Memo: return NonNullText(p.Value.AsString());
    case TDbFieldType::Unknown: break;
    }
    const QVariant& v = p.Value.Variant();
    if (v.typeId() == QMetaType::QString) return NonNullText(v.toString());
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString(kDateTimeFormat);
    return v;
}

// Commits when asked to, rolls back otherwise (an error, an exception). Inside a transaction
// the caller already runs, it works on a savepoint so the caller's work is left alone.
class TProcTransaction {
public:
    explicit TProcTransaction(QSqlDatabase db) : m_db(std::move(db)), m_nested(!SqliteAutocommit(m_db))
    {
        // IMMEDIATE takes the write lock up front: two processes saving at once then wait for
        // each other instead of one failing when it upgrades a read lock.
        Run(m_nested ? QStringLiteral("SAVEPOINT wr_proc") : QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~TProcTransaction()
    {
        if (m_done) return;
        QSqlQuery q(m_db);
        if (m_nested) {
            q.exec(QStringLiteral("ROLLBACK TO wr_proc"));
            q.exec(QStringLiteral("RELEASE wr_proc"));
        } else if (!SqliteAutocommit(m_db)) {
            q.exec(QStringLiteral("ROLLBACK"));
        }
    }
    TProcTransaction(const TProcTransaction&) = delete;
    TProcTransaction& operator=(const TProcTransaction&) = delete;

    void Commit()
    {
        Run(m_nested ? QStringLiteral("RELEASE wr_proc") : QStringLiteral("COMMIT"));
        m_done = true;
    }

private:
    void Run(const QString& statement)
    {
        QSqlQuery q(m_db);
        if (!q.exec(statement)) RaiseSqliteError(q.lastError(), statement);
    }

    QSqlDatabase m_db;
    bool m_nested;
    bool m_done = false;
};

} // namespace

TDbFieldType SqliteParamType(const QString& word)
{
    const QString w = word.trimmed().toLower();
    if (w == QLatin1String("string") || w == QLatin1String("varchar") || w == QLatin1String("nvarchar")) return TDbFieldType::String;
    if (w == QLatin1String("memo") || w == QLatin1String("text") || w == QLatin1String("ntext")) return TDbFieldType::Memo;
    if (w == QLatin1String("integer") || w == QLatin1String("int")) return TDbFieldType::Integer;
    if (w == QLatin1String("boolean") || w == QLatin1String("bit")) return TDbFieldType::Boolean;
    if (w == QLatin1String("datetime")) return TDbFieldType::DateTime;
    if (w == QLatin1String("float") || w == QLatin1String("real")) return TDbFieldType::Float;
    return TDbFieldType::Unknown;
}

TParamDirection SqliteParamDirection(const QString& word)
{
    const QString w = word.trimmed().toLower();
    if (w == QLatin1String("out") || w == QLatin1String("output")) return TParamDirection::Output;
    if (w == QLatin1String("inout")) return TParamDirection::InputOutput;
    if (w == QLatin1String("return")) return TParamDirection::ReturnValue;
    return TParamDirection::Input;
}

void TSqliteStoredProc::RefreshParameters()
{
    const QSqlDatabase db = SqliteDatabaseByName(m_connectionName);
    ProcedureBody(db, m_name);   // the procedure must exist even when it takes no parameters
    m_params.clear();
    if (!TableExists(db, QStringLiteral("wr_procedure_param"))) return;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT name, data_type, direction, size FROM wr_procedure_param "
                             "WHERE procedure = ? COLLATE NOCASE ORDER BY position"));
    q.addBindValue(m_name);
    if (!q.exec()) RaiseSqliteError(q.lastError(), q.lastQuery());
    while (q.next()) {
        TDbParameter p;
        p.Name = q.value(0).toString();
        p.DataType = SqliteParamType(q.value(1).toString());
        p.Direction = SqliteParamDirection(q.value(2).toString());
        p.Size = q.value(3).toInt();
        m_params.push_back(std::move(p));
    }
}

void TSqliteStoredProc::ExecProc()
{
    // Nothing goes into a file that the path no longer names (a restored backup).
    SqliteRequireSameFile(m_connectionName);
    const QSqlDatabase db = SqliteDatabaseByName(m_connectionName);
    const QStringList statements = SplitSqlStatements(ProcedureBody(db, m_name));

    TProcTransaction transaction(db);
    QSqlRecord lastRecord;
    QVariantList lastRow;
    for (const QString& statement : statements) {
        QStringList names;
        const QString sql = PositionalPlaceholders(statement, names);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(sql)) RaiseSqliteError(q.lastError(), statement);
        for (const QString& name : names) {
            const TDbParameter* p = FindParam(QLatin1Char('@') + name);
            if (!p)
                throw EDatabaseError(QStringLiteral("Procedure '%1' uses @%2, which has no parameter")
                                         .arg(m_name, name));
            q.addBindValue(BindValue(*p));
        }
        if (!q.exec()) RaiseSqliteError(q.lastError(), statement);
        while (q.next()) {
            lastRecord = q.record();
            lastRow.clear();
            for (int c = 0; c < lastRecord.count(); ++c) lastRow << q.value(c);
        }
        if (q.lastError().isValid()) RaiseSqliteError(q.lastError(), statement);
        q.finish();   // COMMIT refuses while a statement is still running
    }
    transaction.Commit();

    for (TDbParameter& p : m_params) {
        if (p.Direction != TParamDirection::Output && p.Direction != TParamDirection::InputOutput) continue;
        const QString column = p.Name.startsWith(QLatin1Char('@')) ? p.Name.mid(1) : p.Name;
        const int c = lastRecord.indexOf(column);
        if (c >= 0) p.Value = TDbValue(lastRow.at(c));
        else if (p.Direction == TParamDirection::Output) p.Value = TDbValue();
    }
}

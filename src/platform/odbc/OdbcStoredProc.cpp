// SPDX-License-Identifier: MIT
#include "OdbcStoredProc.h"
#include "OdbcSession.h"

namespace {

std::shared_ptr<TOdbcSession> Lock(const std::weak_ptr<TOdbcSession>& s)
{
    auto session = s.lock();
    if (!session) throw EDatabaseError(QStringLiteral("The database connection has been closed"));
    return session;
}

[[noreturn]] void RaiseNotFound(const QString& name)
{
    throw EDatabaseError(QStringLiteral("Could not find stored procedure '%1'.").arg(name));
}

QVariant TypedNull(TDbFieldType type)
{
    switch (type) {
    case TDbFieldType::Integer: return QVariant(QMetaType::fromType<int>());
    case TDbFieldType::Boolean: return QVariant(QMetaType::fromType<bool>());
    case TDbFieldType::DateTime: return QVariant(QMetaType::fromType<QDateTime>());
    case TDbFieldType::Float: return QVariant(QMetaType::fromType<double>());
    default: return QVariant(QMetaType::fromType<QString>());
    }
}

QString Bare(const QString& paramName)
{
    return paramName.startsWith(QLatin1Char('@')) ? paramName.mid(1) : paramName;
}

} // namespace

void TOdbcStoredProc::RefreshParameters()
{
    auto session = Lock(m_session);
    QString schema, name;
    SplitProcedureName(m_name, schema, name);
    if (name.isEmpty()) throw EDatabaseError(QStringLiteral("No stored procedure name given"));
    m_params.clear();
    m_serverTypes.clear();
    m_refreshedFor.clear();
    if (session->Dialect() == TOdbcDialect::SqlServer) RefreshSqlServer(*session, schema, name);
    else RefreshPostgreSql(*session, schema, name);
    m_refreshedFor = m_name;
}

void TOdbcStoredProc::RefreshSqlServer(TOdbcSession& session, const QString& schema, const QString& name)
{
    const QString objectName = schema.isEmpty() ? QuoteSqlServerIdentifier(name)
                                                : QuoteSqlServerIdentifier(schema) + QLatin1Char('.') + QuoteSqlServerIdentifier(name);
    const TOdbcSession::TResult r = session.Run(SqlServerProcedureCatalogueSql(), {objectName}, true, true);
    if (r.rows.empty()) RaiseNotFound(m_name);
    auto col = [&](const QVariantList& row, const char* c) { return row.at(r.columns.indexOf(QLatin1String(c))); };
    const QVariantList& first = r.rows.front();
    m_proc = TOdbcProcInfo{col(first, "schema_name").toString(), col(first, "proc_name").toString(), false};
    for (const QVariantList& row : r.rows) {
        if (col(row, "param_name").isNull()) continue;  // a procedure without parameters
        TDbParameter p;
        p.Name = col(row, "param_name").toString();
        const QString type = col(row, "type_name").toString();
        const int maxLength = col(row, "max_length").toInt();
        p.DataType = OdbcFieldTypeFromServerType(type, maxLength < 0);
        p.Size = type.startsWith(QLatin1Char('n'), Qt::CaseInsensitive) && maxLength > 0 ? maxLength / 2 : qMax(0, maxLength);
        // T-SQL OUTPUT parameters also take a value in.
        p.Direction = col(row, "is_output").toInt() != 0 ? TParamDirection::InputOutput : TParamDirection::Input;
        m_serverTypes.insert(Bare(p.Name).toLower(),
                             SqlServerTypeText(type, maxLength, col(row, "precision").toInt(), col(row, "scale").toInt()));
        m_params.push_back(std::move(p));
    }
}

void TOdbcStoredProc::RefreshPostgreSql(TOdbcSession& session, const QString& schema, const QString& name)
{
    const TOdbcSession::TResult r = session.Run(PostgreSqlProcedureCatalogueSql(), {name, schema, schema, schema}, true, true);
    if (r.rows.empty()) RaiseNotFound(m_name);
    auto col = [&](const QVariantList& row, const char* c) { return row.at(r.columns.indexOf(QLatin1String(c))); };
    const QVariantList& first = r.rows.front();
    const qint64 procId = col(first, "proc_id").toLongLong();
    for (const QVariantList& row : r.rows)
        if (col(row, "proc_id").toLongLong() != procId)
            throw EDatabaseError(QStringLiteral("Stored procedure '%1' is ambiguous: the database has several with this name").arg(m_name));
    m_proc = TOdbcProcInfo{col(first, "schema_name").toString(), col(first, "proc_name").toString(),
                           col(first, "kind").toString() == QLatin1String("f")};
    for (const QVariantList& row : r.rows) {
        if (col(row, "param_ord").isNull()) continue;  // no parameters at all
        const QString mode = col(row, "param_mode").toString();
        TDbParameter p;
        const QString argName = col(row, "param_name").toString();
        p.Name = argName.isEmpty() ? QString() : QLatin1Char('@') + argName;
        const QString type = col(row, "type_name").toString();
        p.DataType = OdbcFieldTypeFromServerType(type.section(QLatin1Char('('), 0, 0), true);
        if (mode == QLatin1String("o") || mode == QLatin1String("t")) p.Direction = TParamDirection::Output;
        else if (mode == QLatin1String("b")) p.Direction = TParamDirection::InputOutput;
        else p.Direction = TParamDirection::Input;
        m_serverTypes.insert(argName.toLower(), type);
        m_params.push_back(std::move(p));
    }
}

void TOdbcStoredProc::ExecProc()
{
    auto session = Lock(m_session);
    TOdbcProcInfo proc = m_proc;
    if (m_refreshedFor != m_name || m_name.isEmpty()) {
        // Parameters set by hand: call the procedure by the name given.
        proc = TOdbcProcInfo();
        SplitProcedureName(m_name, proc.schema, proc.name);
        if (proc.name.isEmpty()) throw EDatabaseError(QStringLiteral("No stored procedure name given"));
    }

    QList<TOdbcParamInfo> infos;
    for (const TDbParameter& p : m_params) {
        const QString bare = Bare(p.Name);
        QString type = m_serverTypes.value(bare.toLower());
        if (type.isEmpty()) type = DefaultTypeText(session->Dialect(), p.DataType);
        infos << TOdbcParamInfo{bare, type, p.Direction};
    }
    const TOdbcCall call = BuildProcedureCall(session->Dialect(), proc, infos);
    QVariantList values;
    for (int index : call.bindOrder) {
        const TDbParameter& p = m_params.at(index);
        values << (p.Value.IsNull() ? TypedNull(p.DataType) : p.Value.Variant());
    }

    // Each procedure is one transaction, so a call that ran out of lock wait may run again.
    const TOdbcSession::TResult r = session->Run(call.sql, values, false, true);

    // Output values: SQL Server's closing SELECT names them '@Name'; PostgreSQL's result row
    // names them after the parameter.
    for (TDbParameter& p : m_params) {
        if (p.Direction == TParamDirection::Input) continue;
        const QString bare = Bare(p.Name);
        qsizetype c = -1;
        for (qsizetype i = 0; i < r.columns.size() && c < 0; ++i)
            if (Bare(r.columns.at(i)).compare(bare, Qt::CaseInsensitive) == 0) c = i;
        p.Value = (c >= 0 && !r.rows.empty()) ? TDbValue(r.rows.front().at(c)) : TDbValue();
    }
}

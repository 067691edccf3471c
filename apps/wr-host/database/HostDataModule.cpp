// SPDX-License-Identifier: MIT
#include "database/HostDataModule.h"

THostDataModule::THostDataModule(QString target, TLogFn log) : m_target(std::move(target)), m_log(std::move(log)) {}

THostDataModule::~THostDataModule() = default;

HRESULT THostDataModule::QueryInterface(const TGUID& iid, void** obj)
{
    if (iid == ITrDataModle::IID || iid == IInterface::IID) {
        *obj = static_cast<ITrDataModle*>(this);
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

bool THostDataModule::DM_ConnectDB(QString& errorMessage)
{
    try {
        m_main = OpenDatabase(m_target);
        m_module = OpenDatabase(m_target);
        return true;
    } catch (const Exception& e) {
        errorMessage = e.Message();
    } catch (const std::exception& e) {
        errorMessage = QString::fromLocal8Bit(e.what());
    }
    m_main.reset();
    m_module.reset();
    return false;
}

TDbConnection* THostDataModule::Ensure(std::unique_ptr<TDbConnection>& conn, const char* which)
{
    if (conn && conn->Connected()) return conn.get();
    try {
        auto fresh = OpenDatabase(m_target);
        if (m_log) m_log(QStringLiteral("THostDataModule"), QStringLiteral("%1 connection reopened").arg(QLatin1String(which)));
        conn = std::move(fresh);
    } catch (const Exception& e) {
        if (m_log)
            m_log(QStringLiteral("THostDataModule"),
                  QStringLiteral("%1 connection cannot be reopened: %2").arg(QLatin1String(which), e.Message()));
        if (!conn) throw;
    }
    return conn.get();
}

TDbConnection* THostDataModule::GetMainAdoConnection() { return Ensure(m_main, "main"); }

TDbConnection* THostDataModule::GetModleAdConnection() { return Ensure(m_module, "dictionary"); }

TDateTime THostDataModule::Get_Server_time()
{
    try {
        TDbConnection* c = GetMainAdoConnection();
        auto q = c->CreateQuery();
        const QString dialect = c->Dialect();
        if (dialect == QLatin1String("sqlserver")) q->SQL() << QStringLiteral("SELECT SYSDATETIME() AS now_time");  // GETDATE() is 1/300 s
        else if (dialect == QLatin1String("postgresql")) q->SQL() << QStringLiteral("SELECT LOCALTIMESTAMP AS now_time");
        else q->SQL() << QStringLiteral("SELECT datetime('now','localtime') AS now_time");
        q->Open();
        if (!q->Eof()) return q->FieldByName(QStringLiteral("now_time")).AsDateTime();
    } catch (const Exception& e) {
        if (m_log) m_log(QStringLiteral("THostDataModule.Get_Server_time"), QStringLiteral("error: ") + e.Message());
    }
    return Now();
}

void THostDataModule::SetLogionSession(const QString& userCode, const QString& sessionId)
{
    m_sessionUser = userCode;
    m_sessionId = sessionId;
}

QString THostDataModule::QuoteIdentifier(const QString& dialect, const QString& name)
{
    if (dialect != QLatin1String("sqlserver")) {
        QString n = name;
        n.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + n + QLatin1Char('"');
    }
    QString n = name;
    n.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + n + QLatin1Char(']');
}

QStringList THostDataModule::GetTableOrViewFildNames(const QString& tableOrView)
{
    TDbConnection* c = GetMainAdoConnection();
    auto q = c->CreateQuery();
    q->SQL() << QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(QuoteIdentifier(c->Dialect(), tableOrView));
    q->Open();
    return q->FieldNames();
}

QString THostDataModule::GetDataTypeFromFieldName(const QString& tableOrView, const QString& fieldName)
{
    TDbConnection* c = GetMainAdoConnection();
    auto q = c->CreateQuery();
    if (c->Dialect() == QLatin1String("sqlite")) {
        q->SQL() << QStringLiteral("SELECT type AS data_type FROM pragma_table_info(%1) WHERE name = %2 COLLATE NOCASE")
                        .arg(QuotedStr(tableOrView), QuotedStr(fieldName));
    } else {
        // Names match without case, as on SQL Server (PostgreSQL folds unquoted names).
        q->SQL() << QStringLiteral("SELECT DATA_TYPE AS data_type FROM INFORMATION_SCHEMA.COLUMNS")
                 << QStringLiteral("WHERE LOWER(TABLE_NAME) = LOWER(%1) AND LOWER(COLUMN_NAME) = LOWER(%2)")
                        .arg(QuotedStr(tableOrView), QuotedStr(fieldName));
    }
    q->Open();
    return q->Eof() ? QString() : q->FieldByName(QStringLiteral("data_type")).AsString();
}

QString THostDataModule::Get_SelectSqlString_Header(const QString& tableOrView)
{
    const QString dialect = GetMainAdoConnection()->Dialect();
    QStringList cols;
    for (const QString& f : GetTableOrViewFildNames(tableOrView)) cols << QuoteIdentifier(dialect, f);
    return QStringLiteral("SELECT %1 FROM %2").arg(cols.join(QLatin1String(", ")), QuoteIdentifier(dialect, tableOrView));
}

bool THostDataModule::GetRoleQuanXianEnable(int roleId, const QString& optionName)
{
    return permission ? permission(roleId, optionName) : true;
}

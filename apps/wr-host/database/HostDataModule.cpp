// SPDX-License-Identifier: MIT
#include "database/HostDataModule.h"
#include "hostdata/CatalogQueries.h"

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
        return ServerNow(*GetMainAdoConnection());
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

QStringList THostDataModule::GetTableOrViewFildNames(const QString& tableOrView)
{
    return TableColumnNames(*GetMainAdoConnection(), tableOrView);
}

QString THostDataModule::GetDataTypeFromFieldName(const QString& tableOrView, const QString& fieldName)
{
    return ColumnDataType(*GetMainAdoConnection(), tableOrView, fieldName);
}

QString THostDataModule::Get_SelectSqlString_Header(const QString& tableOrView)
{
    return SelectAllColumnsSql(*GetMainAdoConnection(), tableOrView);
}

bool THostDataModule::GetRoleQuanXianEnable(int roleId, const QString& optionName)
{
    return permission ? permission(roleId, optionName) : true;
}

// SPDX-License-Identifier: MIT
// The host's data module: opens and owns the two database connections that plug-ins borrow
// through ITrDataModle. Both are opened on the same target (one SQLite file, or one ODBC
// connection string); the dictionary connection is a second connection so that a plug-in
// walking a dictionary query never disturbs a report query. UI thread only.
#pragma once
#include "host/uPubIntFace_WriteReport.h"
#include <functional>
#include <memory>

class THostDataModule final : public ITrDataModle {
public:
    using TLogFn = std::function<void(const QString& title, const QString& message)>;

    explicit THostDataModule(QString target, TLogFn log = {});
    ~THostDataModule();

    const QString& Target() const { return m_target; }
    // A new target for the next DM_ConnectDB (the same server with its password found);
    // it may hold a password, so it is never shown: Description() of a connection is.
    void SetTarget(const QString& target) { m_target = target; }
    // Role permissions asked through GetRoleQuanXianEnable; absent options are allowed.
    std::function<bool(int roleId, const QString& option)> permission;

    // IInterface: reference counts never own the data module; the host deletes it.
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }

    // ITrDataModle
    bool DM_ConnectDB(QString& errorMessage) override;
    // A connection that reports itself closed is reopened once per call; when that fails the
    // closed connection is returned, so the caller's statement fails with the database's
    // own message instead of a null connection.
    TDbConnection* GetMainAdoConnection() override;
    TDbConnection* GetModleAdConnection() override;
    // The database's clock; the local clock when the database cannot be asked.
    TDateTime Get_Server_time() override;
    void SetLogionSession(const QString& userCode, const QString& sessionId) override;
    // The three catalogue look-ups throw EDatabaseError for an unknown table or a failing
    // connection, like any query of a plug-in's own.
    QStringList GetTableOrViewFildNames(const QString& tableOrView) override;
    QString GetDataTypeFromFieldName(const QString& tableOrView, const QString& fieldName) override;
    QString Get_SelectSqlString_Header(const QString& tableOrView) override;
    bool GetRoleQuanXianEnable(int roleId, const QString& optionName) override;

    QString SessionUser() const { return m_sessionUser; }
    QString SessionId() const { return m_sessionId; }

private:
    TDbConnection* Ensure(std::unique_ptr<TDbConnection>& conn, const char* which);

    QString m_target;
    TLogFn m_log;
    std::unique_ptr<TDbConnection> m_main;
    std::unique_ptr<TDbConnection> m_module;
    QString m_sessionUser, m_sessionId;
};

// SPDX-License-Identifier: MIT
// Stored procedures of the SQLite backend, kept in the database file itself:
//   wr_procedure(name, body)  and  wr_procedure_param(procedure, position, name, data_type,
//   direction, size)
// RefreshParameters reads the catalogue; ExecProc runs the body's statements in one
// transaction, binding :Name (or @Name) to the parameter @Name, and takes the output
// parameters from the columns of the last row the body returned.
#pragma once
#include "Database.h"

class TSqliteStoredProc final : public TDbStoredProc {
public:
    explicit TSqliteStoredProc(QString connectionName) : m_connectionName(std::move(connectionName)) {}

    void RefreshParameters() override;
    void ExecProc() override;

private:
    QString m_connectionName;
};

// The catalogue's type and direction words, as written in wr_procedure_param.
TDbFieldType SqliteParamType(const QString& word);
TParamDirection SqliteParamDirection(const QString& word);

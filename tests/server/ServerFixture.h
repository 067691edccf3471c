// SPDX-License-Identifier: MIT
// What the server tests share: a fresh database on the backend this run tests (PostgreSQL
// through ODBC when WR_TEST_BACKEND=odbc, else an SQLite file), set-up statements written
// once per dialect, and the report-data half of the form wired to the fake host.
//
// The same test code runs on both backends: CMake registers each behaviour test twice, once
// on SQLite (label db) and once on the server (label server, skipped with a message when
// WR_TEST_ODBC is unset).
#pragma once
#include "FakeHost.h"
#include "report/ReportData.h"
#include <QTemporaryDir>
#include <memory>

// A fresh database made from the project's scripts; dropped (server) or deleted (SQLite)
// when destroyed. Construct only after checking SkipReason().
class TBackendDatabase {
public:
    // Empty when this run can build databases; otherwise why not (for QSKIP).
    static QString SkipReason();

    explicit TBackendDatabase(bool withDemoData = false);
    ~TBackendDatabase();
    TBackendDatabase(const TBackendDatabase&) = delete;
    TBackendDatabase& operator=(const TBackendDatabase&) = delete;

    // What OpenDatabase takes: an ODBC connection string or the SQLite file's path. Other
    // threads and processes open their own connections with it. On the server it logs in
    // as a workstation, with the rights of the role wr_workstation only.
    const QString& Target() const { return m_target; }
    // The same database as its administrator (on SQLite the same file): for set-up that
    // writes tables or changes procedures, which a workstation may not.
    const QString& AdminTarget() const { return m_adminTarget; }
    // A workstation's connection, for the code under test.
    TDbConnection& Connection() { return *m_conn; }
    TDbConnection& AdminConnection() { return *m_admin; }
    bool OnServer() const { return m_onServer; }

    // Runs a set-up statement as the administrator: the SQLite text or the PostgreSQL text,
    // by backend.
    void Exec(const QString& sqlite, const QString& postgresql);
    void Exec(const QString& both) { Exec(both, both); }
    // The first column of the first row (read as the administrator), or a null value.
    TDbValue Value(const QString& sql);

private:
    bool m_onServer = false;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_target, m_adminTarget;
    std::unique_ptr<TDbConnection> m_conn, m_admin;
};

// The report-data operations with the form's hooks answered by test state.
class TServerReportData : public TReportData {
public:
    TServerReportData(TFakeMainForm& mainForm, TFakeDataModule& dataModule);

    using TReportData::FLogion_user;
    QByteArray rtf[2];          // what the findings and impression editors write as RTF
    bool autoSelectItems = false;

protected:
    bool AutoSelectAllCanUseItemChecked() override { return autoSelectItems; }
    QByteArray RichEditRtf(TRichSection which) override { return rtf[which == TRichSection::SuoJian ? 0 : 1]; }
};

// A report with a distinct value in every one of the 49 fields, none with surrounding blanks.
TReportInfo DistinctReport(const QString& ruid);

// PostgreSQL set-up text that renames sp_SaveReportInfo to wr_inner_save and puts in its
// place a procedure with the same parameters that calls it and then runs `afterwards`
// (PL/pgSQL, e.g. "RAISE EXCEPTION ''x'';" with quotes doubled).
QString PgWrapSaveProcedure(const QString& afterwards);

// "PostgreSQL (ODBC)" or "SQLite", for the test log.
const char* TestsBackendName();

// The log lines of the fake host whose title is `title` and whose text starts with "异常:".
int FailureLogCount(const TFakeMainForm& host, const QString& title);

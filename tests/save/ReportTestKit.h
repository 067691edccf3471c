// SPDX-License-Identifier: MIT
// Shared by the save and workflow tests: report rows with a distinct value in every column,
// written straight into a test database, and a report-data object wired to the fake host.
#pragma once
#include "FakeHost.h"
#include "TestDatabase.h"
#include "report/ReportData.h"
#include <QHash>
#include <functional>

// A report with a different, recognisable value in each of the 49 fields (reviewed, so the
// defaults of loading leave it alone). Texts hold Chinese, quotes and inner line breaks.
TReportInfo SampleReport(const QString& ruid);

// Inserts a Report row holding exactly the record's values.
void InsertReportRow(TDbConnection& conn, const TReportInfo& r);

// The 49 columns of Report in record order, and the record's values as texts in that order:
// texts as they are (null stays null), integers in decimal, the flag as 0/1, date-times as
// "yyyy-MM-dd HH:mm:ss.zzz".
QStringList ReportColumns();
QStringList ReportFieldTexts(const TReportInfo& r);
// "column: a != b" for every field that differs; empty when the records are equal.
QStringList ReportDifferences(const TReportInfo& a, const TReportInfo& b);

// Fills a dictionary or doctor table: each pair is (value or null, order); a null QString
// inserts SQL NULL.
void InsertDoctors(TDbConnection& conn, const QString& kscode, const QList<QPair<QString, int>>& rows);
void InsertDictionary(TDbConnection& conn, const QString& table, const QString& column,
                      const QList<QPair<QString, int>>& rows);

// A connection that passes everything to a real one and records what was sent: the text
// of every query opened and the parameters of every procedure executed.
class TRecordingConnection final : public TDbConnection {
public:
    explicit TRecordingConnection(TDbConnection& inner) : m_inner(inner) {}

    struct TProcCall {
        QString name;
        std::vector<TDbParameter> params;  // as set when executed
    };
    QStringList queries;
    QList<TProcCall> procCalls;

    std::unique_ptr<TDbQuery> CreateQuery() override;
    std::unique_ptr<TDbStoredProc> CreateStoredProc() override;
    bool Connected() const override { return m_inner.Connected(); }
    QString Dialect() const override { return m_inner.Dialect(); }
    QString Description() const override { return m_inner.Description(); }

private:
    TDbConnection& m_inner;
};

// The report-data half of the form, with its hooks answered by plain test state.
class TTestReportData : public TReportData {
public:
    TTestReportData(TFakeMainForm& mainForm, TFakeDataModule& dataModule);

    using TReportData::CompleteIncompleteReport;
    using TReportData::FLogion_user;
    using TReportData::Frptinfo;

    QStringList doctorList;                 // what every doctor list offers
    QHash<int, int> remembered;             // TDoctorBox -> remembered position
    bool autoSelectItems = false;
    bool completeDefaults = true;
    QByteArray rtf[2];                      // what the two rich edits write as RTF
    int rtfRequests = 0;
    int saveDoctorCalls = 0;
    std::function<void()> onSaveDoctors;    // runs inside Save_DoctorsIndexToConfigFile

protected:
    void CompleteReportDefaults(TReportInfo& r) override;
    QString SelectRememberedDoctor(TDoctorBox box) override;
    bool AutoSelectAllCanUseItemChecked() override { return autoSelectItems; }
    QByteArray RichEditRtf(TRichSection which) override;
    void Save_DoctorsIndexToConfigFile() override;
};

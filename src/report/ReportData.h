// SPDX-License-Identifier: MIT
// TReportData: the report editor's state that talks to the host and the database, without
// any widget. TReportForm derives from it, so these operations are the form's own; the
// steps that need the form's controls are virtual hooks the form overrides.
//
// Host objects and connections are borrowed: the host owns them and they are fetched again
// before each database operation. UI thread only.
#pragma once
#include "ReportInfo.h"
#include "host/uPubIntFace_WriteReport.h"
#include <QString>

class TReportData {
public:
    TReportData() = default;
    virtual ~TReportData() = default;
    TReportData(const TReportData&) = delete;
    TReportData& operator=(const TReportData&) = delete;

    // The form's one logging path: forwards both texts unchanged to the host's
    // WriteLogByBpl. Raises EIntfCastError when FmainForm lacks IMainFrom; catches nothing.
    void Write_Log_TomfmAndLogbpl(const QString& logtitle, const QString& logvalue);

    // Reads the row of `ruid` from table Report into Rpt_info (main columns, then the
    // defaults step, then the hip-joint columns). Catches and logs every error.
    void GetReportInfoFromRuid(const QString& ruid, TReportInfo& Rpt_info);

    // The six lines of the load statement for a GUID (the GUID quoted as an SQL literal).
    static QStringList ReportSelectSql(const QString& ruid);

protected:
    // The defaults step of loading, between the main and the hip-joint columns.
    // Does nothing here; the form completes incomplete reports.
    virtual void CompleteReportDefaults(TReportInfo& Rpt_info);

    IMainFrom* MainForm() const { return IntfCast<IMainFrom>(FmainForm); }
    ITrDataModle* DataModule() const { return IntfCast<ITrDataModle>(FDataModule); }

    IInterface* FmainForm = nullptr;
    IInterface* FDataModule = nullptr;
    TDbConnection* FmainConnection = nullptr;
    TDbConnection* FModuleConnection = nullptr;
    TReportInfo Frptinfo;
    Tlogin_userInfo FLogion_user;
};

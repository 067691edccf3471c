// SPDX-License-Identifier: MIT
// TReportData: the report editor's state that talks to the host and the database, without
// any widget. TReportForm derives from it, so these operations are the form's own; the
// steps that need the form's controls are virtual hooks the form overrides.
//
// Host objects and connections are borrowed: the host owns them and they are fetched again
// before each database operation. UI thread only.
#pragma once
#include "ReportConflict.h"
#include "ReportInfo.h"
#include "host/uPubIntFace_WriteReport.h"
#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

// The stored ReportState of `ruid` (the highest of its rows), -1 when it has no row. Throws
// EDatabaseError.
int StoredReportState(TDbConnection& conn, const QString& ruid);

// The four doctor lists of the form.
enum class TDoctorBox { Exam, Report, HuiZhen, ShenHe };
// The two rich-text sections: findings (rich_jcsj) and impression (rich_zdjx).
enum class TRichSection { SuoJian, JieLun };
// How the last GetReportInfoFromRuid ended. After FailedAfterRowFound the record holds a
// partly read row, which must not be written back over the complete one.
enum class TLoadOutcome { NotLoaded, NotFound, Loaded, Failed, FailedAfterRowFound };

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

    // The six lines of the load statement for a GUID (ReportColumns.h).
    static QStringList ReportSelectSql(const QString& ruid);

    // How the last GetReportInfoFromRuid ended.
    TLoadOutcome LastLoadOutcome() const { return FLoadOutcome; }
    // The stamp of the report as last loaded or saved (version -1: unknown, saves unchecked).
    const TRowStamp& LoadedStamp() const { return FLoadedStamp; }
    // The last save's write was undone after all (the host's transaction around it rolled
    // back): the stamp is again the one before it, so the next save is checked against the
    // row the database still holds rather than taken for someone else's change.
    void ForgetUndoneSave();

    // ---- Lookup lists (ReportLookups.cpp) ------------------------------------------------
    // Each runs one SELECT and replaces uItems by the non-empty values, in the order read;
    // uItems keeps its contents when anything fails. Doctors come from the main connection
    // (filtered by FLogion_user.ukeshiCode), the dictionaries from the module connection.
    // Nothing is caught: errors (EDatabaseError, EIntfCastError) reach the caller.
    void GetDoctors(QStringList& uItems);
    void GetJianChaTuJing(QStringList& uItems);
    void GetTanTouPinLv(QStringList& uItems);
    void GetTuXiangZhiLiang(QStringList& uItems);
    // The value of the lowest uorder row, untrimmed; empty when the table has no row.
    QString GetJianChaTuJing_Default();
    QString GetTanTouPinLv_default();
    QString GetTuXiangZhiLiang_Default();

    // ---- Exam-item binding (ReportItemBinding.cpp) ---------------------------------------
    // Lets the database bind the free registered items of the accession to the report and
    // returns their names; empty (and one log line) on any error, which goes no further.
    QString AutoSetDengjiedAndCanBindItemToCurrentReport(const QString& uaccnu, const QString& rpguid);

    // ---- Saving (ReportSave.cpp) ---------------------------------------------------------
    // Writes rpt_info through sp_SaveReportInfo (the row is rpt_info.FRuid; rguid is not
    // used), the two RTF parameters taken from RichEditRtf, then remembers the doctor
    // positions. Catches every error: logs it and tells the user through the dialog
    // service. A record whose load failed midway is not sent at all. Answers whether the
    // report reached the database.
    // When the database keeps stamps, the save carries the stamp read at load; a report
    // someone saved meanwhile is refused by the database, ResolveSaveConflict decides, and
    // only "keep mine" writes (checked again against the stamp just shown). Otherwise the
    // refusal is logged ("异常:") like any failed save.
    // A save over a final row (state 5 and above) is refused unless the user holds the right
    // 修改已审核报告 (FinalReportSaveRefusal), also when the doctor keeps his version over
    // one signed meanwhile; a save taking a final row back below 5 is refused for everyone.
    bool SaveReportInfoToDB(const QString& rguid, const TReportInfo rpt_info);

    // ---- Rights (ReportRights.cpp) -------------------------------------------------------
    // Whether the logged-in user may change a final report: the host's answer for
    // 修改已审核报告 (IMainFrom::Get_UserOperateQuXian). The one check of every path that
    // unlocks, restores into or saves over a final report; false when the host cannot answer.
    bool MayChangeFinalReport();
    // Why a save of a record with state `newState` over a stored row with `storedState` (-1:
    // no row) is refused; empty when it may go ahead.
    QString FinalReportSaveRefusal(int storedState, int newState);

protected:
    // The defaults step of loading, between the main and the hip-joint columns.
    // Does nothing here; the form completes incomplete reports.
    virtual void CompleteReportDefaults(TReportInfo& Rpt_info);

    // Steps of SaveReportInfoToDB (ReportSave.cpp). RefusedBeforeSending: a record that
    // must not be sent (partly loaded, or a value too long), logged and told. KeepMineAfterConflict:
    // a save refused as stale goes to ResolveSaveConflict; true when the doctor keeps his
    // version and may overwrite `expected` (set to the stamp shown), false when nothing is
    // to be written (logged, and told where a right refuses it). RememberSavedStamp: the
    // stamp of the version just written, for the next save.
    bool RefusedBeforeSending(const TReportInfo& rpt_info);
    bool KeepMineAfterConflict(TDbConnection& conn, const TReportInfo& rpt_info, const QString& error, qint64& expected);
    void RememberSavedStamp(TDbConnection& conn, TDbStoredProc& sp, const QString& ruid, qint64 expected);

    // Reads the current row of the load statement into Rpt_info, with the defaults step.
    // Throws; fields read before an error keep their new values.
    void ReadLoadedRow(const TDbQuery& qry, const QString& ruid, TReportInfo& Rpt_info);

    // The defaults of an incomplete report (ReportDefaults.cpp), for CompleteReportDefaults
    // to call: review doctor and date below state 5, the user as examining doctor, the
    // remembered doctors, the dictionary defaults, the host's exam method and the bound
    // exam items. Catches nothing; fields set before an error keep their defaults.
    void CompleteIncompleteReport(TReportInfo& Rpt_info);

    // ---- Hooks the form implements with its controls -------------------------------------
    // Selects the remembered entry (the position read at open) of the report, consultation
    // or review doctor list and returns the text the list then shows, empty when the
    // position selects nothing. Here: no list, empty text.
    virtual QString SelectRememberedDoctor(TDoctorBox box);
    // Whether the automatic exam-item selection box is ticked. Here: false.
    virtual bool AutoSelectAllCanUseItemChecked();
    // The rich edit's whole content as RTF, taken the way the save takes it. Here: empty.
    virtual QByteArray RichEditRtf(TRichSection which);
    // Remembers the chosen doctor positions after a successful save. Here: nothing.
    virtual void Save_DoctorsIndexToConfigFile();
    // The window message boxes belong to. Here: none.
    virtual QWidget* DialogParent();
    // A save met a newer stored version: what to do. Nothing has been written. Here: Cancel.
    virtual TConflictChoice ResolveSaveConflict(const TSaveConflict& conflict);
    // The doctor chose the stored version: keep `conflict.mine` somewhere it can be found
    // again and show the stored version. Here: nothing.
    virtual void TakeStoredVersion(const TSaveConflict& conflict);
    // Who saves, for the history: "name(code)@workstation".
    virtual QString SavedByText();

    // One call of sp_SaveReportInfo with the record's 49 values (the rich texts from the
    // editors) and, where the procedure declares them, the expected stamp and who saves.
    void ExecuteSave(TDbStoredProc& sp, const TReportInfo& r, qint64 expectedVersion);

    IMainFrom* MainForm() const { return IntfCast<IMainFrom>(FmainForm); }
    ITrDataModle* DataModule() const { return IntfCast<ITrDataModle>(FDataModule); }

    IInterface* FmainForm = nullptr;
    IInterface* FDataModule = nullptr;
    TDbConnection* FmainConnection = nullptr;
    TDbConnection* FModuleConnection = nullptr;
    TReportInfo Frptinfo;
    Tlogin_userInfo FLogion_user;
    TLoadOutcome FLoadOutcome = TLoadOutcome::NotLoaded;
    TRowStamp FLoadedStamp;       // of FLoadedStampRuid, read before its row
    QString FLoadedStampRuid;
    TRowStamp FStampBeforeSave;   // as they were when the last save began
    QString FStampRuidBeforeSave;
};

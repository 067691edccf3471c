// SPDX-License-Identifier: MIT
// Writing a report through sp_SaveReportInfo.
#include "ReportColumns.h"
#include "ReportData.h"
#include "ReportLimits.h"
#include "ReportText.h"
#include "platform/DialogService.h"
#include "platform/UserMessages.h"
#include <QDateTime>
#include <QSysInfo>

using report_text::NonNull;
using report_text::RequireConnection;

namespace {

const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");
// A save refused again right after the doctor chose to overwrite means others keep saving;
// after this many rounds it fails like any other save.
constexpr int kMaxConflictRounds = 5;

void TellUser(QWidget* parent, const QString& text)
{
    TMessageRequest r;
    r.parent = parent;
    r.caption = QStringLiteral("保存报告");
    r.text = text;
    r.buttons = TMsgButtons::Ok;
    r.icon = TMsgIcon::Error;
    r.defaultButton = TMsgResult::Ok;
    Dialogs().MessageBox(r);
}

} // namespace

bool TReportData::SaveReportInfoToDB(const QString& rguid, const TReportInfo rpt_info)
{
    Q_UNUSED(rguid); // the row is the record's own FRuid
    if (RefusedBeforeSending(rpt_info)) return false;
    FStampBeforeSave = FLoadedStamp;
    FStampRuidBeforeSave = FLoadedStampRuid;

    bool written = false;
    QString failure;
    try {
        FmainConnection = DataModule()->GetMainAdoConnection();
        TDbConnection& conn = RequireConnection(FmainConnection);
        // The stamp read with this report, when the database keeps stamps; -1 asks for no check.
        qint64 expected = FLoadedStampRuid.compare(rpt_info.FRuid, Qt::CaseInsensitive) == 0 ? FLoadedStamp.version : -1;
        // The stored row is the one the stamp check below writes over, or a conflict follows.
        if (const QString refused = FinalReportSaveRefusal(StoredReportState(conn, rpt_info.FRuid), rpt_info.FReportState);
            !refused.isEmpty()) {
            Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("未保存:") + refused);
            TellUser(DialogParent(), QStringLiteral("报告没有保存：") + refused);
            return false;
        }
        for (int attempt = 1;; ++attempt) {
            std::unique_ptr<TDbStoredProc> sp = conn.CreateStoredProc();
            try {
                ExecuteSave(*sp, rpt_info, expected);
            } catch (const EDatabaseError& e) {
                if (!IsSaveConflictError(e.Message()) || attempt > kMaxConflictRounds) throw;
                if (!KeepMineAfterConflict(conn, rpt_info, e.Message(), expected)) return false;
                continue;
            }
            written = true;
            RememberSavedStamp(conn, *sp, rpt_info.FRuid, expected);
            break;
        }

        Save_DoctorsIndexToConfigFile();
        return true;
    } catch (const Exception& e) {
        failure = e.Message();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("异常:") + failure);
    // Only the report itself matters to the doctor: when it reached the database and just
    // the remembered doctor positions failed, there is nothing to tell.
    if (!written)
        TellUser(DialogParent(), QStringLiteral("报告保存失败：报告没有写入数据库。\r\n") + DatabaseErrorForUser(failure));
    return written;
}

bool TReportData::RefusedBeforeSending(const TReportInfo& rpt_info)
{
    if (FLoadOutcome == TLoadOutcome::FailedAfterRowFound) {
        // Some columns of this report were never read; writing the record would blank them.
        Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("未保存:报告 ruid=%1 打开时没有完整读出").arg(rpt_info.FRuid));
        TellUser(DialogParent(), QStringLiteral("报告保存失败：这份报告打开时没有完整读出，为免覆盖已有内容，本次没有保存。\r\n"
                                                "请重新打开报告，确认内容完整后再保存。"));
        return true;
    }

    // A value longer than its column would fail the whole save on SQL Server, without
    // saying which field; say it here, before anything is sent, on every database alike.
    if (const QString tooLong = ReportFieldTooLong(rpt_info); !tooLong.isEmpty()) {
        Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("异常:") + tooLong);
        TellUser(DialogParent(), QStringLiteral("报告保存失败：报告没有写入数据库。\r\n原因：") + tooLong + QStringLiteral("，请缩短后再保存。"));
        return true;
    }
    return false;
}

bool TReportData::KeepMineAfterConflict(TDbConnection& conn, const TReportInfo& rpt_info, const QString& error, qint64& expected)
{
    TSaveConflict conflict;
    conflict.ruid = rpt_info.FRuid;
    conflict.mine = rpt_info;
    conflict.theirStamp = ReadRowStamp(conn, rpt_info.FRuid);
    ReadStoredReport(conn, rpt_info.FRuid, conflict.theirs);
    conflict.sections = DifferingSections(conflict.theirs, conflict.mine);
    const TConflictChoice choice = ResolveSaveConflict(conflict);
    const QString refused = choice == TConflictChoice::KeepMine
                                ? FinalReportSaveRefusal(conflict.theirs.FReportState, rpt_info.FReportState)
                                : QString();
    if (!refused.isEmpty()) {
        // Keeping one's own version must not undo or change a signature made meanwhile.
        Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("未保存:") + refused);
        TellUser(DialogParent(), QStringLiteral("报告没有保存：") + refused);
        return false;
    }
    if (choice == TConflictChoice::KeepMine) {
        // Overwrite exactly the version the doctor was shown, no newer one.
        expected = conflict.theirStamp.version;
        return true;
    }
    // The database's refusal for the log; what the doctor reads says what was chosen.
    Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("保存冲突:") + error);
    Write_Log_TomfmAndLogbpl(kSaveTitle, QStringLiteral("异常:")
                                 + (choice == TConflictChoice::TakeTheirs
                                        ? QStringLiteral("报告已被其他人保存过，已改用库中版本，您的修改已复制到剪贴板并另存为草稿副本")
                                        : QStringLiteral("报告已被其他人保存过，您的修改没有保存，仍在编辑中")));
    if (choice == TConflictChoice::TakeTheirs) TakeStoredVersion(conflict);
    return false;
}

void TReportData::ForgetUndoneSave()
{
    FLoadedStamp = FStampBeforeSave;
    FLoadedStampRuid = FStampRuidBeforeSave;
}

void TReportData::RememberSavedStamp(TDbConnection& conn, TDbStoredProc& sp, const QString& ruid, qint64 expected)
{
    TDbParameter* saved = sp.FindParam(QStringLiteral("@SavedVersion"));
    FLoadedStampRuid = ruid;
    if (saved && !saved->Value.IsNull()) {
        FLoadedStamp.version = saved->Value.Variant().toLongLong();
        FLoadedStamp.savedBy = SavedByText();
        FLoadedStamp.savedAt = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    } else {
        FLoadedStamp = expected >= 0 ? ReadRowStamp(conn, ruid) : TRowStamp();
    }
}

void TReportData::ExecuteSave(TDbStoredProc& proc, const TReportInfo& r, qint64 expectedVersion)
{
    TDbStoredProc* sp = &proc;
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    sp->RefreshParameters();

    for (const TReportColumn* c : ReportRecordColumns()) {
        TDbParameter& p = sp->ParamByName(c->Parameter());
        switch (c->kind) {
        case TColumnKind::Text: p.SetAsString(NonNull(r.*c->text)); break;
        // The rich texts come from the editors as they stand, not from the record; 7-bit
        // RTF, so Latin-1 keeps every byte as it is.
        case TColumnKind::RichText:
            p.SetAsString(NonNull(QString::fromLatin1(
                RichEditRtf(c->section == TReportSection::Findings ? TRichSection::SuoJian : TRichSection::JieLun))));
            break;
        case TColumnKind::Integer: p.SetAsInteger(r.*c->integer); break;
        case TColumnKind::DateTime: p.SetAsDateTime(r.*c->date); break;
        case TColumnKind::Flag: p.SetAsBoolean(r.*c->flag); break;
        }
    }

    // Only a database that keeps stamps declares these; an older one is saved as before.
    if (TDbParameter* p = sp->FindParam(QStringLiteral("@ExpectedVersion")); p && expectedVersion >= 0)
        p->Value = TDbValue(QVariant(expectedVersion));
    if (TDbParameter* p = sp->FindParam(QStringLiteral("@SavedBy"))) p->SetAsString(SavedByText());

    sp->SetPrepared(true);
    sp->ExecProc();
    sp->Close();
}

QByteArray TReportData::RichEditRtf(TRichSection) { return QByteArray(); }
void TReportData::Save_DoctorsIndexToConfigFile() {}
QWidget* TReportData::DialogParent() { return nullptr; }
TConflictChoice TReportData::ResolveSaveConflict(const TSaveConflict&) { return TConflictChoice::Cancel; }
void TReportData::TakeStoredVersion(const TSaveConflict&) {}

QString TReportData::SavedByText()
{
    const QString who = FLogion_user.userCode.isEmpty() ? FLogion_user.UserName
                                                        : QStringLiteral("%1(%2)").arg(FLogion_user.UserName, FLogion_user.userCode);
    return QStringLiteral("%1@%2").arg(who, QSysInfo::machineHostName());
}
